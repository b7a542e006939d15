// Pointer interaction of the sheet view: header buttons with press and
// release semantics, auto-repeat of the sheet arrows, word assist by
// releasing on a mark cell, and the two tooltip state machines. No toolkit:
// timers, focus, the editor and pointer tracking are requests to a host.
#pragma once

#include <array>

#include "sheet/geometry.h"

namespace tgc {

class DocWnd;

inline constexpr int kHeaderButtonCount = 8;
inline constexpr int kButtonCreateA = 0;
inline constexpr int kButtonCreateB = 1;
inline constexpr int kButtonCreateC = 2;
inline constexpr int kButtonWordList = 3;
inline constexpr int kButtonGuide = 4;
inline constexpr int kButtonPrevious = 5;
inline constexpr int kButtonNext = 6;
inline constexpr int kButtonIdea = 7;

inline constexpr int kTimerRepeatPrevious = 100;
inline constexpr int kTimerRepeatNext = 101;
inline constexpr int kTimerTipTimeout = 200;
inline constexpr int kTimerButtonHover = 300;
inline constexpr int kTimerMarkHover = 301;

inline constexpr int kRepeatFirstMs = 1000;
inline constexpr int kRepeatNextMs = 100;
inline constexpr int kTipTimeoutMs = 5000;
inline constexpr int kHoverMs = 2000;

enum ButtonTipState { ButtonTipIdle = 0, ButtonTipArmed = 1, ButtonTipShown = 2 };
enum MarkTipState { MarkTipIdle = 0, MarkTipSuppressed = 1, MarkTipArmed = 2, MarkTipShown = 3 };

// One-shot timers. Starting a running timer restarts it.
class ViewTimerPort {
 public:
  virtual ~ViewTimerPort() = default;
  virtual void startTimer(int id, int ms) = 0;
  virtual void stopTimer(int id) = 0;
};

// The interaction state that painting reads and the key dispatch quiets.
struct ViewInteraction {
  int hoverButton = -1;
  int pressedButton = -1;
  int pressedButtonAtDown = -1;
  int buttonTipState = ButtonTipIdle;
  int buttonTipButton = -1;
  int markTipState = MarkTipIdle;
  GridPos markTipBox{-1, -1};
  bool markCellPressed = false;
  GridPos pressedBox{-1, -1};
  bool captured = false;  // following the pointer outside the view
  // Header-button rectangles recorded by the last paint; an absent button
  // has an all-zero rectangle.
  std::array<Rect, kHeaderButtonCount> buttons{};
  ViewTimerPort* timers = nullptr;

  // Back to the start state; the recorded rectangles and the timer port stay.
  void reset();
};

// Run at every press and key: a pending or shown button tooltip goes idle, a
// pending or shown mark tooltip is suppressed until the pointer leaves its cell.
void quietTooltips(ViewInteraction& v);

// The first recorded button that lies at non-negative coordinates and holds
// the point, borders included; -1 when none.
int headerButtonAt(const ViewInteraction& v, int x, int y);

// What the handlers need from the widget.
class ViewHost {
 public:
  virtual ~ViewHost() = default;
  virtual int clientWidth() const = 0;
  virtual int clientHeight() const = 0;
  // Gives the keyboard focus to the view; an open editor commits.
  virtual void focusView() = 0;
  // Opens the in-place editor on the selected box (after the input rules).
  virtual void openEditor() = 0;
  virtual bool isEditing() const = 0;
  virtual void openWordList() = 0;
  virtual bool isActiveApplication() const = 0;
  virtual void setTracking(bool on) = 0;
  virtual void repaint() = 0;
};

// The mouse handlers and timer expiries of the view. State lives in
// `DocWnd::view`, so the key dispatch and painting see the same values.
class SheetInteraction {
 public:
  SheetInteraction(DocWnd& w, ViewHost& host);

  void onLeftDown(int x, int y, bool doubleClick);
  void onLeftUp(int x, int y);
  void onRightDown(int x, int y);
  void onRightUp();
  void onPointerMove(int x, int y);
  // The pointer left the view: what a release of the capture would notice.
  void onPointerLeave();
  void onTimer(int id);
  // What a click on a header button does, for a press without a pointer
  // (an assistive technology's action). An absent button does nothing.
  void pressButton(int id);

 private:
  void activateButton(int id);
  ViewInteraction& state();
  void startTimer(int id, int ms);
  void stopTimer(int id);
  void setCapture(bool on);

  DocWnd& w_;
  ViewHost& host_;
};

}  // namespace tgc
