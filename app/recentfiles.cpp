#include "app/recentfiles.h"

#include <filesystem>
#include <system_error>

#include "app/commandids.h"
#include "core/document.h"
#include "core/ports.h"

namespace tgc {

namespace {

const char* const kSection = "Recent File List";

std::string valueName(int n) {
  return "File" + std::to_string(n);
}

}  // namespace

bool isValidRecentPath(const std::string& path) {
  if (path == untitledName()) return false;
  if (path.size() < 4 || path.compare(path.size() - 4, 4, ".tgc") != 0) return false;
  std::error_code ec;
  const std::filesystem::path p(path);
  if (!std::filesystem::is_regular_file(p, ec)) return false;
  const auto size = std::filesystem::file_size(p, ec);
  return !ec && size != 0;
}

std::string fileTitleOf(const std::string& path) {
  return std::filesystem::path(path).stem().string();
}

std::vector<RecentMenuItem> rebuildRecentFiles(RecentFiles& t, SettingsPort& settings,
                                               const std::string& currentPath) {
  // Load and validate.
  for (int i = 0; i < kRecentCount; ++i) {
    t.paths[i] = settings.readString(kSection, valueName(i + 1), "");
    if (isValidRecentPath(t.paths[i])) {
      t.titles[i] = fileTitleOf(t.paths[i]);
    } else {
      t.paths[i].clear();
      t.titles[i].clear();
    }
  }
  // Later duplicates go.
  for (int i = 0; i < kRecentCount; ++i) {
    if (t.paths[i].empty()) continue;
    for (int j = i + 1; j < kRecentCount; ++j) {
      if (t.paths[j] == t.paths[i]) {
        t.paths[j].clear();
        t.titles[j].clear();
      }
    }
  }
  // Close the gaps, keeping the order.
  int filled = 0;
  for (int i = 0; i < kRecentCount; ++i) {
    if (t.paths[i].empty()) continue;
    if (i != filled) {
      t.paths[filled] = std::move(t.paths[i]);
      t.titles[filled] = std::move(t.titles[i]);
      t.paths[i].clear();
      t.titles[i].clear();
    }
    ++filled;
  }
  // The current file goes first.
  if (isValidRecentPath(currentPath)) {
    int k = kRecentCount - 1;  // not listed: everything moves down, the fifth drops
    for (int i = 0; i < kRecentCount; ++i) {
      if (t.paths[i] == currentPath) {
        k = i;
        break;
      }
    }
    for (int i = k; i > 0; --i) {
      t.paths[i] = t.paths[i - 1];
      t.titles[i] = t.titles[i - 1];
    }
    t.paths[0] = currentPath;
    t.titles[0] = fileTitleOf(currentPath);
  }
  // Store up to the first free entry.
  std::vector<RecentMenuItem> items;
  for (int i = 0; i < kRecentCount && !t.paths[i].empty(); ++i) {
    settings.writeString(kSection, valueName(i + 1), t.paths[i]);
    // Built by appending: GCC 12 warns falsely on "literal" + std::string.
    std::string text = "&";
    text += std::to_string(i + 1);
    text += ' ';
    text += t.titles[i];
    items.push_back({cmd::kRecentIds[i], std::move(text)});
  }
  return items;
}

}  // namespace tgc
