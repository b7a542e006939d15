// The list of the five most recently used workbook files: its table, its
// settings values and the rebuild that validates it, puts the current file
// first, stores it and refreshes the menu items.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace tgc {

class SettingsPort;

inline constexpr int kRecentCount = 5;

struct RecentFiles {
  std::array<std::string, kRecentCount> paths;   // UTF-8 full paths; empty = free
  std::array<std::string, kRecentCount> titles;  // file names without directory and extension
};

// One menu item of the recent-file block; the text is UTF-8 ("&1 ideas").
struct RecentMenuItem {
  int id = 0;
  std::string text;
  bool operator==(const RecentMenuItem&) const = default;
};

// A path may enter the list when it is not the untitled placeholder, ends
// in ".tgc", names an existing file and that file is not empty.
bool isValidRecentPath(const std::string& path);
// The file name without directory and extension.
std::string fileTitleOf(const std::string& path);

// Reloads the table from the settings, validates it, removes duplicates and
// gaps, puts currentPath first when it is valid, writes File1... up to the
// first empty entry and returns the menu items to show (empty: show the
// greyed placeholder).
std::vector<RecentMenuItem> rebuildRecentFiles(RecentFiles& table, SettingsPort& settings,
                                               const std::string& currentPath);

}  // namespace tgc
