// The one document: seven workbook slots (six forming the undo ring, one
// receiving an import), the undo bookkeeping and the file identity.
#pragma once

#include <array>
#include <functional>
#include <string>

#include "core/workbook.h"

namespace tgc {

inline constexpr int kRingSlots = 6;
inline constexpr int kImportSlot = 6;
inline constexpr int kSlotCount = 7;

// Which editor flags a step of undo or redo crossed, so the controller can
// tell the user.
struct HistoryStep {
  bool moved = false;
  bool markEditCrossed = false;
  bool memoEditCrossed = false;
};

class Document {
 public:
  Document();

  std::array<Workbook, kSlotCount> slots;
  int current = 0;
  int oldest = 0;
  int newest = 0;
  int wrapped = 0;
  // File paths and titles are in the file system's encoding (UTF-8 on
  // Linux), not CP932: they name files, they are not workbook text.
  std::string filePath;
  std::string fileTitle;
  int modified = 0;
  int hasFile = 0;
  // Called each time the document becomes clean (setModified with 0: saved,
  // opened, new): its autosaved copy has nothing left to keep.
  std::function<void()> onClean;

  Workbook& cur() { return slots[current]; }
  const Workbook& cur() const { return slots[current]; }
  Workbook& importSlot() { return slots[kImportSlot]; }

  // Undo ring.
  void recordChange();  // push, then setModified(1)
  HistoryStep undoStep();
  HistoryStep redoStep();
  bool canUndo() const { return current != oldest; }
  bool canRedo() const { return current != newest; }
  void resetHistory();

  void clearSlot(int slot);
  void copySlot(int from, int to);
  // clearSlot for all seven slots; the controller empties the derived lists.
  void clearAllSlots();
  void resetViewState(int slot);
  void setModified(int value);
};

// The name of an untitled workbook, in the file system's encoding.
const std::string& untitledName();

}  // namespace tgc
