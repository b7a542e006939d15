#include "sheet/interaction.h"

#include "core/docwnd.h"
#include "marks/wordassist.h"
#include "sheet/ideasetting.h"
#include "sheet/sheetcommands.h"

namespace tgc {

void ViewInteraction::reset() {
  hoverButton = pressedButton = pressedButtonAtDown = -1;
  buttonTipState = ButtonTipIdle;
  buttonTipButton = -1;
  markTipState = MarkTipIdle;
  markTipBox = {-1, -1};
  markCellPressed = false;
  pressedBox = {-1, -1};
  captured = false;
}

void quietTooltips(ViewInteraction& v) {
  if (v.buttonTipState != ButtonTipIdle) {
    if (v.timers) v.timers->stopTimer(kTimerButtonHover);
    v.buttonTipState = ButtonTipIdle;
  }
  if (v.markTipState > MarkTipSuppressed) {
    if (v.timers) v.timers->stopTimer(kTimerMarkHover);
    v.markTipState = MarkTipSuppressed;
  }
}

int headerButtonAt(const ViewInteraction& v, int x, int y) {
  for (int id = 0; id < kHeaderButtonCount; ++id) {
    const Rect& r = v.buttons[id];
    if (r == Rect{}) continue;  // absent button
    if (r.left < 0 || r.top < 0 || r.right < 0 || r.bottom < 0) continue;
    if (x >= r.left && x <= r.right && y >= r.top && y <= r.bottom) return id;
  }
  return -1;
}

SheetInteraction::SheetInteraction(DocWnd& w, ViewHost& host) : w_(w), host_(host) {}

ViewInteraction& SheetInteraction::state() {
  return w_.view;
}

void SheetInteraction::startTimer(int id, int ms) {
  if (state().timers) state().timers->startTimer(id, ms);
}

void SheetInteraction::stopTimer(int id) {
  if (state().timers) state().timers->stopTimer(id);
}

void SheetInteraction::setCapture(bool on) {
  if (state().captured == on) return;
  state().captured = on;
  host_.setTracking(on);
}

void SheetInteraction::onLeftDown(int x, int y, bool doubleClick) {
  ViewInteraction& v = state();
  host_.focusView();
  quietTooltips(v);
  v.pressedBox = {-1, -1};
  if (host_.isEditing()) {
    // The edit could not be committed (its text cannot be stored): the click
    // must not move the selection under the open editor, or the text would
    // later land in another box.
    v.pressedButton = v.pressedButtonAtDown = -1;
    host_.repaint();
    return;
  }

  const int d = headerButtonAt(v, x, y);
  v.pressedButton = v.pressedButtonAtDown = d;
  if (w_.shell.guideShown) {
    if (d != kButtonGuide) v.pressedButton = v.pressedButtonAtDown = -1;
    host_.repaint();
    return;
  }

  const SheetLayout layout = computeLayout(host_.clientWidth(), host_.clientHeight());
  const BoxHit hit = hitTest(layout, x, y);
  v.pressedBox = {hit.column, hit.row};
  if (hit.insideGrid) {
    w_.wb().cursorColumn = hit.column;
    w_.wb().cursorRow = hit.row;
  }

  if (d == kButtonPrevious || d == kButtonNext) {
    // The arrows act at the press; holding them repeats.
    const bool previous = d == kButtonPrevious;
    if (moveToSheet(w_, previous ? SheetMove::Previous : SheetMove::Next) == 0)
      startTimer(previous ? kTimerRepeatPrevious : kTimerRepeatNext, kRepeatFirstMs);
    host_.repaint();
    return;
  }

  if (!doubleClick) {
    if (hit.onMarkCell) v.markCellPressed = true;
  } else if (!hit.onMarkCell && hit.insideGrid) {
    host_.openEditor();
  }
  host_.repaint();
}

void SheetInteraction::onLeftUp(int x, int y) {
  ViewInteraction& v = state();
  setCapture(false);
  quietTooltips(v);
  v.pressedButton = -1;
  v.markCellPressed = false;
  stopTimer(kTimerRepeatPrevious);
  stopTimer(kTimerRepeatNext);

  // Releasing on the mark cell of the box the press went to asks for a word.
  const SheetLayout layout = computeLayout(host_.clientWidth(), host_.clientHeight());
  const BoxHit hover = hoverTest(layout, x, y);
  if (hover.insideGrid && hover.onMarkCell && GridPos{hover.column, hover.row} == v.pressedBox)
    wordAssist(w_);

  const int a = headerButtonAt(v, x, y);
  const int down = v.pressedButtonAtDown;
  v.pressedButtonAtDown = -1;
  // The arrows acted at the press.
  if (a != -1 && a == down && a != kButtonPrevious && a != kButtonNext) activateButton(a);
  host_.repaint();
}

void SheetInteraction::activateButton(int id) {
  switch (id) {
    case kButtonCreateA:
      createSheet(w_, CreateKind::TypeA);
      break;
    case kButtonCreateB:
      createSheet(w_, CreateKind::TypeB);
      break;
    case kButtonCreateC:
      createSheet(w_, CreateKind::TypeC);
      break;
    case kButtonWordList:
      state().hoverButton = -1;
      host_.repaint();
      host_.openWordList();
      break;
    case kButtonGuide:
      w_.shell.guideShown = w_.shell.guideShown ? 0 : 1;
      break;
    case kButtonPrevious:
    case kButtonNext:
      moveToSheet(w_, id == kButtonPrevious ? SheetMove::Previous : SheetMove::Next);
      break;
    case kButtonIdea:
      toggleIdea(w_);
      break;
    default:
      break;
  }
}

void SheetInteraction::pressButton(int id) {
  quietTooltips(state());
  host_.focusView();
  // As for a click: an edit that could not be committed keeps the sheet,
  // and the guide lets only its own button through.
  if (host_.isEditing() || (w_.shell.guideShown && id != kButtonGuide)) return;
  if (id == kButtonIdea && currentSheetType(w_.wb()) != TypeA) return;
  activateButton(id);
  host_.repaint();
}

void SheetInteraction::onRightDown(int x, int y) {
  quietTooltips(state());
  host_.focusView();
  setCapture(true);
  if (w_.shell.guideShown || host_.isEditing()) return;
  const BoxHit hit = hitTest(computeLayout(host_.clientWidth(), host_.clientHeight()), x, y);
  if (hit.insideGrid) {
    w_.wb().cursorColumn = hit.column;
    w_.wb().cursorRow = hit.row;
  }
  host_.repaint();
}

void SheetInteraction::onRightUp() {
  setCapture(false);
  if (w_.shell.guideShown) w_.shell.guideShown = 0;
  host_.repaint();
}

void SheetInteraction::onPointerMove(int x, int y) {
  ViewInteraction& v = state();
  if (v.buttonTipState != ButtonTipIdle) {
    // A shown balloon goes at once rather than lingering until some later
    // repaint.
    const bool wasShown = v.buttonTipState == ButtonTipShown;
    stopTimer(kTimerButtonHover);
    v.buttonTipState = ButtonTipIdle;
    if (wasShown) host_.repaint();
  }
  if (!host_.isActiveApplication()) return;

  const int b = headerButtonAt(v, x, y);
  if (w_.shell.guideShown) {
    v.hoverButton = b == kButtonGuide ? kButtonGuide : -1;
    host_.repaint();
    return;
  }
  if (b != v.hoverButton) {
    v.hoverButton = b;
    host_.repaint();
  }
  if (b != -1) {
    v.buttonTipState = ButtonTipArmed;
    v.buttonTipButton = b;
    startTimer(kTimerButtonHover, kHoverMs);
    setCapture(true);
  } else {
    setCapture(false);
  }

  const BoxHit h = hoverTest(computeLayout(host_.clientWidth(), host_.clientHeight()), x, y);
  const bool onCell = h.insideGrid && h.onMarkCell;
  if (onCell) {
    const GridPos here{h.column, h.row};
    if (host_.isEditing() || (v.markTipState != MarkTipIdle && v.markTipBox == here)) return;
    v.markTipBox = here;
    v.markTipState = MarkTipArmed;
    startTimer(kTimerMarkHover, kHoverMs);
    setCapture(true);
    host_.repaint();
    return;
  }
  if (v.markTipState == MarkTipIdle) return;
  v.markTipState = MarkTipIdle;
  setCapture(false);
  host_.repaint();
}

void SheetInteraction::onPointerLeave() {
  ViewInteraction& v = state();
  bool changed = false;
  if (v.buttonTipState != ButtonTipIdle) {
    stopTimer(kTimerButtonHover);
    changed = v.buttonTipState == ButtonTipShown;
    v.buttonTipState = ButtonTipIdle;
  }
  if (v.hoverButton != -1) {
    v.hoverButton = -1;
    changed = true;
  }
  if (v.markTipState != MarkTipIdle) {
    stopTimer(kTimerMarkHover);
    v.markTipState = MarkTipIdle;
    changed = true;
  }
  // A held button keeps its press until the release, wherever it happens.
  if (v.pressedButton == -1) setCapture(false);
  if (changed) host_.repaint();
}

void SheetInteraction::onTimer(int id) {
  ViewInteraction& v = state();
  stopTimer(id);
  if (host_.isEditing()) return;
  switch (id) {
    case kTimerRepeatPrevious:
    case kTimerRepeatNext: {
      const bool previous = id == kTimerRepeatPrevious;
      if (v.pressedButton != (previous ? kButtonPrevious : kButtonNext)) return;
      if (moveToSheet(w_, previous ? SheetMove::Previous : SheetMove::Next) == 0) {
        startTimer(id, kRepeatNextMs);
        host_.repaint();
      }
      break;
    }
    case kTimerTipTimeout:
      v.buttonTipState = ButtonTipIdle;
      v.markTipState = MarkTipIdle;
      host_.repaint();
      break;
    case kTimerButtonHover:
      if (v.buttonTipState == ButtonTipArmed) {
        v.buttonTipState = ButtonTipShown;
        startTimer(kTimerTipTimeout, kTipTimeoutMs);
        host_.repaint();
      }
      break;
    case kTimerMarkHover:
      if (v.markTipState == MarkTipArmed) {
        v.markTipState = MarkTipShown;
        startTimer(kTimerTipTimeout, kTipTimeoutMs);
        host_.repaint();
      }
      break;
    default:
      break;
  }
}

}  // namespace tgc
