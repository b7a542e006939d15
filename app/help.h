// Help is an HTML file beside the executable or in the installed data
// folder, opened in the user's browser; the home page is opened the same way.
#pragma once

#include <string>

namespace tgc {

class DocWnd;

// The executable's expected file name on this platform.
inline constexpr const char* kExecutableName = "thoughtgridcraft";
// The maker's home page.
inline constexpr const char* kHomePageUrl = "https://example.org/thoughtgridcraft/";

// The folder of the installed data, relative to the executable's folder, so
// an installation under any prefix finds it.
inline constexpr const char* kDataFolder = "../share/thoughtgridcraft";

// The help file to open: "Help.htm", else "Help.html", in the executable's
// directory when the executable has its expected name, else in the current
// directory; failing both, the same names in the installed data folder
// beside the executable's. Empty when none exists.
std::string findHelpFile(const std::string& executablePath);

// Both show their own messages; they return 0, or -1 after a message.
int openHelp(DocWnd& w, const std::string& executablePath);
int openHomePage(DocWnd& w);

// The message for a browser that could not be started, also when the
// desktop reports it only after the opening command has returned.
void warnBrowserNotStarted(DocWnd& w);

}  // namespace tgc
