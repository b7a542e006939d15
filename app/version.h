// Who the program is: its version and the application id that names its
// desktop entry, icon, file type package and AppStream data. Both come from
// the build (the project version and TGC_APP_ID in CMakeLists.txt).
#pragma once

#include <string>

namespace tgc {

// "1.3.0".
const char* versionString();
// The reverse-DNS application id.
const char* applicationId();

// "<program> 1.3.0", the answer to --version.
std::string versionLine(const std::string& program);
// The About dialog's version line, major and minor in full-width digits:
// "バージョン １．３" (UTF-8). Without arguments, for this build's version.
std::string aboutVersionText(int major, int minor);
std::string aboutVersionText();

}  // namespace tgc
