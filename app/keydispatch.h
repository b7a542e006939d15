// The keyboard dispatcher: every key-down and key-up of the main window
// passes through it before any widget sees it. It decides, in a fixed
// order, which operation a key runs and whether the key is consumed. Keys
// are virtual-key codes; the Qt layer translates its key events.
#pragma once

namespace tgc {

struct KeyState;

namespace vk {
inline constexpr int Tab = 9;
inline constexpr int Enter = 13;
inline constexpr int Shift = 16;
inline constexpr int Control = 17;
inline constexpr int Escape = 27;
inline constexpr int Space = 32;
inline constexpr int PageUp = 33;
inline constexpr int PageDown = 34;
inline constexpr int End = 35;
inline constexpr int Home = 36;
inline constexpr int Left = 37;
inline constexpr int Up = 38;
inline constexpr int Right = 39;
inline constexpr int Down = 40;
inline constexpr int Insert = 45;
inline constexpr int Delete = 46;
inline constexpr int F1 = 112;  // F2..F12 follow
inline constexpr int ImeProcess = 229;
inline constexpr int Unknown = 255;
constexpr int F(int n) {
  return F1 + n - 1;
}
}  // namespace vk

struct Modifiers {
  bool shift = false;
  bool ctrl = false;
};

// What the dispatcher acts on. Implemented over the controller and the
// window; tests record the calls.
class KeyHost {
 public:
  virtual ~KeyHost() = default;
  // The real state of the modifier keys now.
  virtual Modifiers sampleModifiers() = 0;
  virtual bool focusOnView() = 0;
  virtual bool editing() = 0;
  virtual int& guideShown() = 0;
  virtual void repaintView() = 0;
  // Pending tooltips of the sheet view go quiet.
  virtual void quietTooltips() = 0;
  // The Enter operation of the sheet view: open the editor, commit it (focus
  // back to the view), or idea setting, by ctrl, shift and editing.
  virtual void enterOperation(bool ctrl, bool shift) = 0;
  virtual void cancelEdit() = 0;
  virtual void moveSelection(int key, bool ctrl, bool shift) = 0;
  virtual bool selectedBoxHasWord() = 0;
  // Runs a command of the command table; the result of its operation.
  virtual int command(int id) = 0;
};

// The result of the handler (1 handled; an operation's own result where it
// is the answer). consumed: the key must not reach any widget.
struct KeyOutcome {
  int handled = 0;
  bool consumed = false;
};

KeyOutcome dispatchKeyDown(KeyHost& host, KeyState& keys, int key);
KeyOutcome dispatchKeyUp(KeyHost& host, KeyState& keys, int key);

// The arrow-key move of the selection: one box, no wrap-around at the grid's
// edge, nothing with ctrl or shift held.
void arrowMove(int& column, int& row, int key, bool ctrl, bool shift);

}  // namespace tgc
