// Help is an HTML file beside the executable, opened in the user's browser;
// the home page is opened the same way.
#pragma once

#include <string>

namespace tgc {

class DocWnd;

// The executable's expected file name on this platform.
inline constexpr const char* kExecutableName = "thoughtgridcraft";
// The maker's home page.
inline constexpr const char* kHomePageUrl = "https://example.org/thoughtgridcraft/";

// The help file to open: "Help.htm", else "Help.html", in the executable's
// directory when the executable has its expected name, else in the current
// directory; empty when neither exists.
std::string findHelpFile(const std::string& executablePath);

// Both show their own messages; they return 0, or -1 after a message.
int openHelp(DocWnd& w, const std::string& executablePath);
int openHomePage(DocWnd& w);

}  // namespace tgc
