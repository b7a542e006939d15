// The menu bar of the main window as data: each top-level menu with its
// items, in order. An id of 0 is a separator; kRecentBlock marks where the
// recent-file items go; kSubmenu opens a nested menu.
#pragma once

#include <QString>
#include <QVector>

namespace tgc {

inline constexpr int kRecentBlock = -1;
inline constexpr int kSubmenu = -2;

struct MenuEntry {
  QString text;  // with the shortcut after a tab, as the menu shows it
  int id = 0;
  QVector<MenuEntry> children;  // items of a submenu
};

struct TopMenu {
  QString title;
  QVector<MenuEntry> items;
};

const QVector<TopMenu>& menuBarLayout();

}  // namespace tgc
