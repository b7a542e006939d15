#include "app/help.h"

#include <filesystem>
#include <system_error>

#include "core/cp932literal.h"
#include "core/docwnd.h"

namespace tgc {

std::string findHelpFile(const std::string& executablePath) {
  namespace fs = std::filesystem;
  const fs::path exe(executablePath);
  // The directory is taken from the path only when the file is the program
  // itself; a renamed executable looks in the current directory.
  const fs::path dir = exe.filename() == kExecutableName ? exe.parent_path() : fs::path();
  for (const char* name : {"Help.htm", "Help.html"}) {
    const fs::path candidate = dir.empty() ? fs::path(name) : dir / name;
    std::error_code ec;
    if (fs::is_regular_file(candidate, ec)) return fs::absolute(candidate, ec).string();
  }
  return {};
}

int openHelp(DocWnd& w, const std::string& executablePath) {
  const std::string file = findHelpFile(executablePath);
  if (file.empty()) {
    w.ui().warning("ヘルプファイルが存在しません。"_sj);
    return -1;
  }
  if (!w.ports.shell.open(file)) {
    w.ui().warning("ブラウザが起動できませんでした。"_sj);
    return -1;
  }
  return 0;
}

int openHomePage(DocWnd& w) {
  if (!w.ports.shell.open(kHomePageUrl)) {
    w.ui().warning("ブラウザが起動できませんでした。"_sj);
    return -1;
  }
  return 0;
}

}  // namespace tgc
