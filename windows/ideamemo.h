// The idea memo window's state: one working memo per idea word, the one
// shown, the changed flag, and the commit that writes every working memo
// into the workbook as one undo step, however often it runs in one opening.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tgc {

class DocWnd;
class IdeaMemoSession;

struct WorkingMemo {
  int32_t word = -1;
  std::string text;  // CP932, as typed
  bool operator==(const WorkingMemo&) const = default;
};

// What only the window can do: show the session until it closes.
class IdeaMemoWindowPort {
 public:
  virtual ~IdeaMemoWindowPort() = default;
  virtual void run(IdeaMemoSession& session) = 0;
};

// The command: nothing without a sheet, the refusal message when the
// workbook has no idea (-1), else the window on a new session (0).
int ideaMemoCommand(DocWnd& w, IdeaMemoWindowPort& window);

class IdeaMemoSession {
 public:
  // Opening: resets the slot's memo-edited marker, collects the idea words
  // in sheet and box order with their memos, and preselects.
  explicit IdeaMemoSession(DocWnd& w);

  const std::vector<WorkingMemo>& memos() const { return memos_; }
  // The selector's entries: the idea mark's glyph and the word, CP932.
  std::vector<std::string> entryTexts() const;
  int selected() const { return selected_; }
  // Shows another idea (-1: none, which disables the memo field).
  void select(int index);
  bool fieldEnabled() const { return selected_ >= 0; }
  // What the memo field shows: the selected working memo's text.
  const std::string& shownText() const;

  // The person changed the memo field: its whole text, CP932.
  void typed(const std::string& text);
  // The field now holds characters CP932 cannot: a change that cannot be
  // stored until they are gone. The working memo keeps its last text.
  void typedUnstorable();
  bool changed() const { return changed_; }
  bool holdsUnstorable() const { return unstorable_; }

  // The update button: asks when something changed and commits on OK,
  // leaving the window open; refused with the warning while the field holds
  // what cannot be stored.
  void update();
  // Closing: asks when something changed; Yes commits, No throws the change
  // away whatever the field holds. False, with the window staying open, on
  // Cancel, and on Yes while the field holds what cannot be stored (after
  // the warning).
  bool close();
  // Writes every working memo into the workbook: trimmed-empty text deletes
  // a memo, other text replaces or adds one; the has-memo flags follow.
  void commit();

 private:
  DocWnd& w_;
  std::vector<WorkingMemo> memos_;
  int selected_ = -1;
  bool changed_ = false;
  bool unstorable_ = false;
};

}  // namespace tgc
