// State of the application shell that lives for the whole run: the text
// font record, the recent-file table, the keyboard flags of the dispatcher,
// and the port through which the shell reaches its main window.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "app/fontrecord.h"
#include "app/recentfiles.h"

namespace tgc {

// What only the main window can do for the shell.
class AppWindowPort {
 public:
  virtual ~AppWindowPort() = default;
  // Replaces the recent-file block of the File menu; an empty list shows the
  // greyed placeholder item.
  virtual void setRecentMenu(const std::vector<RecentMenuItem>& items) = 0;
  // The font dialog on the record; nothing when cancelled.
  virtual std::optional<FontRecord> chooseFont(const FontRecord& current) = 0;
  // The colour dialog with the colour preselected (0x00BBGGRR); nothing when
  // cancelled.
  virtual std::optional<uint32_t> chooseColor(uint32_t current) = 0;
  // The font object was rebuilt from the record: the view and the in-place
  // editor take it.
  virtual void applyTextFont(const FontRecord& record) = 0;
};

// Shift and ctrl as the keyboard dispatcher last sampled them; cleared by
// their key-ups.
struct KeyState {
  int shiftHeld = 0;
  int ctrlHeld = 0;
};

struct AppState {
  FontRecord font = defaultFontRecord();
  RecentFiles recent;
  KeyState keys;
  AppWindowPort* window = nullptr;  // set by the main window; tests set a fake
};

}  // namespace tgc
