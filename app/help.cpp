#include "app/help.h"

#include <filesystem>
#include <system_error>

#include "core/cp932literal.h"
#include "core/docwnd.h"

namespace tgc {

namespace {

// "Help.htm", else "Help.html", in the folder (the current one when empty).
std::string helpFileIn(const std::filesystem::path& dir) {
  for (const char* name : {"Help.htm", "Help.html"}) {
    const std::filesystem::path candidate = dir.empty() ? std::filesystem::path(name) : dir / name;
    std::error_code ec;
    if (std::filesystem::is_regular_file(candidate, ec))
      return std::filesystem::absolute(candidate, ec).string();
  }
  return {};
}

}  // namespace

std::string findHelpFile(const std::string& executablePath) {
  namespace fs = std::filesystem;
  const fs::path exe(executablePath);
  // The directory is taken from the path only when the file is the program
  // itself; a renamed executable looks in the current directory.
  if (std::string found = helpFileIn(exe.filename() == kExecutableName ? exe.parent_path() : fs::path());
      !found.empty())
    return found;
  // An installed program keeps its data apart from its executable.
  if (!exe.has_parent_path()) return {};
  return helpFileIn((exe.parent_path() / kDataFolder).lexically_normal());
}

int openHelp(DocWnd& w, const std::string& executablePath) {
  const std::string file = findHelpFile(executablePath);
  if (file.empty()) {
    w.ui().warning("ヘルプファイルが存在しません。"_sj);
    return -1;
  }
  if (!w.ports.shell.open(file)) {
    warnBrowserNotStarted(w);
    return -1;
  }
  return 0;
}

int openHomePage(DocWnd& w) {
  if (!w.ports.shell.open(kHomePageUrl)) {
    warnBrowserNotStarted(w);
    return -1;
  }
  return 0;
}

void warnBrowserNotStarted(DocWnd& w) {
  w.ui().warning("ブラウザが起動できませんでした。"_sj);
}

}  // namespace tgc
