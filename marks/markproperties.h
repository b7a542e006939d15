// Adding and changing a catalog mark: the properties dialog is a port, and
// the checks of its OK button run here, so the whole exchange is testable
// without a window system.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace tgc {

class DocWnd;

enum class MarkDialogMode { Add, Modify };

// The four values of the dialog. Texts are CP932, as typed (nothing
// trimmed). attribute is what the radio buttons give: 1 Element,
// 2 Transform, 0 Unset or none selected.
struct MarkProperties {
  std::string glyph;
  std::string name;
  std::string note;
  int attribute = 0;
  bool operator==(const MarkProperties&) const = default;
};

struct MarkPropertiesRequest {
  MarkDialogMode mode = MarkDialogMode::Add;
  // The edit boxes' first contents. initial.attribute picks the radio button
  // (1, 2 or 0); any other value selects none.
  MarkProperties initial;
  // The "属性" group and its radio buttons are disabled: the mark is used on
  // a Type-B or Type-C box.
  bool attributeLocked = false;
};

class MarkPropertiesPort {
 public:
  virtual ~MarkPropertiesPort() = default;
  // Shows the dialog modally. Each OK calls onOk with the values as typed;
  // when it returns true the dialog closes, otherwise it stays open with the
  // user's input. Returns true when it closed through a successful OK,
  // false when it was cancelled.
  virtual bool edit(const MarkPropertiesRequest& request,
                    const std::function<bool(const MarkProperties&)>& onOk) = 0;
};

// "追加": refuses with the limit message when the catalog is full, else runs
// the dialog in Add mode. 0 when a mark was added, -1 otherwise.
int openAddMark(DocWnd& w);

// "修正" or a double click: the first selected entry (positions in the current
// list) opens the dialog in Modify mode. 0 when changed, -1 otherwise.
int openModifyMark(DocWnd& w, const std::vector<int>& selected);

// The checks and the change behind OK. markId is the mark being changed and
// entryPosition its position in the current list (both ignored in Add mode).
// 0 applied (and committed), -1 not applied after its message, if any.
int applyMarkProperties(DocWnd& w, MarkDialogMode mode, const MarkProperties& values, int markId = -1,
                        int entryPosition = -1);

// CP932 byte lengths at most 2, 20 and 128.
inline constexpr std::size_t kMaxGlyphBytes = 2;
inline constexpr std::size_t kMaxNameBytes = 20;
inline constexpr std::size_t kMaxNoteBytes = 128;

}  // namespace tgc
