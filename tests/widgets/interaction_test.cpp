// The pointer state machine without a widget: a scripted host and a virtual
// clock for the one-shot timers.
#include <gtest/gtest.h>

#include <map>

#include "sheet/interaction.h"
#include "tests/widgets/viewrig.h"

namespace tgc::test {
namespace {

constexpr int kW = 1024, kH = 768;

class VirtualTimers : public ViewTimerPort {
 public:
  void startTimer(int id, int ms) override { due[id] = now + ms; }
  void stopTimer(int id) override { due.erase(id); }
  bool running(int id) const { return due.count(id) != 0; }
  // Runs the clock forward, firing expired timers in order.
  void advance(SheetInteraction& target, long ms) {
    const long end = now + ms;
    for (;;) {
      auto first = due.end();
      for (auto it = due.begin(); it != due.end(); ++it)
        if (it->second <= end && (first == due.end() || it->second < first->second)) first = it;
      if (first == due.end()) break;
      const int id = first->first;
      now = first->second;
      due.erase(first);
      target.onTimer(id);
    }
    now = end;
  }
  std::map<int, long> due;
  long now = 0;
};

class FakeHost : public ViewHost {
 public:
  explicit FakeHost(DocWnd& w) : w_(w) {}
  int clientWidth() const override { return kW; }
  int clientHeight() const override { return kH; }
  void focusView() override { ++focusCalls; }
  void openEditor() override {
    ++editorOpenings;
    if (openEditorForReal) tgc::openEditor(w_, kW, kH);
  }
  bool isEditing() const override { return w_.editor.editing != 0; }
  void openWordList() override { ++wordLists; }
  bool isActiveApplication() const override { return active; }
  void setTracking(bool on) override { tracking = on; }
  void repaint() override { ++repaints; }

  int focusCalls = 0, editorOpenings = 0, wordLists = 0, repaints = 0;
  bool active = true, tracking = false, openEditorForReal = false;

 private:
  DocWnd& w_;
};

// A controller whose header rectangles are those a paint at 1024 x 768
// records, driven through the state machine.
struct InteractionRig : SheetRig {
  InteractionRig() : host(w), sm(w, host) {
    w.view.timers = &timers;
    recordButtons();
  }
  void recordButtons() {
    auto& b = w.view.buttons;
    b = {};
    b[0] = {38, 11, 111, 50};
    b[1] = {121, 11, 194, 50};
    b[2] = {204, 11, 277, 50};
    b[3] = {297, 11, 346, 50};
    b[4] = {kW - 93, 11, kW - 38, 50};
    b[5] = {400, 99, 425, 123};
    b[6] = {434, 99, 459, 123};
    if (currentSheetType(wb()) == TypeA) b[7] = {kW - 138, 99, kW - 78, 123};
  }
  Rect box(int c, int r) const { return boxRect(computeLayout(kW, kH), c, r); }
  // A point in the word area and one on the mark cell of a box.
  QPoint wordArea(int c, int r) const { return {box(c, r).left + 60, box(c, r).top + 50}; }
  QPoint markCell(int c, int r) const { return {box(c, r).left + 10, box(c, r).top + 10}; }
  void click(QPoint p) {
    sm.onLeftDown(p.x(), p.y(), false);
    sm.onLeftUp(p.x(), p.y());
  }
  void move(QPoint p) { sm.onPointerMove(p.x(), p.y()); }

  VirtualTimers timers;
  FakeHost host;
  SheetInteraction sm;
};

const QPoint kPrev{412, 110}, kNext{446, 110}, kButton0{70, 30}, kButton1{150, 30}, kGuide{kW - 60, 30};

TEST(HeaderButtons, HitTestIncludesBordersAndSkipsAbsentButtons) {
  InteractionRig r;
  EXPECT_EQ(headerButtonAt(r.w.view, 38, 11), 0);
  EXPECT_EQ(headerButtonAt(r.w.view, 111, 50), 0);  // right and bottom borders count
  EXPECT_EQ(headerButtonAt(r.w.view, 112, 30), -1);
  EXPECT_EQ(headerButtonAt(r.w.view, 0, 0), -1);  // the all-zero rectangle of no button
  r.w.view.buttons[7] = {};
  EXPECT_EQ(headerButtonAt(r.w.view, kW - 100, 110), -1);
}

TEST(HeaderButtons, ArrowRepeatsAfterOneSecondAndStopsAtTheLastSheet) {
  InteractionRig r;
  for (int i = 0; i < 29; ++i) r.addSheet(CreateKind::TypeA);
  r.wb().currentSheet = 0;
  r.sm.onLeftDown(kNext.x(), kNext.y(), false);
  EXPECT_EQ(r.wb().currentSheet, 1);  // at once
  r.timers.advance(r.sm, 999);
  EXPECT_EQ(r.wb().currentSheet, 1);
  r.timers.advance(r.sm, 1);
  EXPECT_EQ(r.wb().currentSheet, 2);
  r.timers.advance(r.sm, 100);
  EXPECT_EQ(r.wb().currentSheet, 3);
  r.timers.advance(r.sm, 100 * 40);
  EXPECT_EQ(r.wb().currentSheet, 29);
  EXPECT_FALSE(r.timers.running(kTimerRepeatNext));
  r.sm.onLeftUp(kNext.x(), kNext.y());
  EXPECT_EQ(r.wb().currentSheet, 29);  // the release adds no move
}

TEST(HeaderButtons, ReleasingStopsTheRepeatAndAPressElsewhereStillMovedOnce) {
  InteractionRig r;
  for (int i = 0; i < 5; ++i) r.addSheet(CreateKind::TypeA);
  r.wb().currentSheet = 3;
  r.sm.onLeftDown(kPrev.x(), kPrev.y(), false);
  r.sm.onLeftUp(600, 600);
  EXPECT_EQ(r.wb().currentSheet, 2);
  r.timers.advance(r.sm, 5000);
  EXPECT_EQ(r.wb().currentSheet, 2);
}

TEST(HeaderButtons, CommandsRunOnlyWhenPressAndReleaseHitTheSameButton) {
  InteractionRig r;
  r.sm.onLeftDown(kButton0.x(), kButton0.y(), false);
  r.sm.onLeftUp(kButton1.x(), kButton1.y());
  EXPECT_EQ(r.wb().sheets.size(), 1u);
  r.click(kButton1);
  ASSERT_EQ(r.wb().sheets.size(), 2u);
  EXPECT_EQ(currentSheetType(r.wb()), TypeB);
  r.click({320, 30});
  EXPECT_EQ(r.host.wordLists, 1);
  r.click(kGuide);
  EXPECT_EQ(r.w.shell.guideShown, 1);
}

TEST(HeaderButtons, PressedButtonIsKeptUntilRelease) {
  InteractionRig r;
  r.sm.onLeftDown(kButton0.x(), kButton0.y(), false);
  EXPECT_EQ(r.w.view.pressedButton, 0);
  r.sm.onLeftUp(kButton0.x(), kButton0.y());
  EXPECT_EQ(r.w.view.pressedButton, -1);
  // A later release without a press of its own does nothing.
  const size_t sheets = r.wb().sheets.size();
  r.sm.onLeftUp(kButton0.x(), kButton0.y());
  EXPECT_EQ(r.wb().sheets.size(), sheets);
}

TEST(Guide, ClicksOtherThanTheGuideButtonAreIgnoredAndRightReleaseHidesIt) {
  InteractionRig r;
  r.w.shell.guideShown = 1;
  r.select(2, 2);
  r.click(r.wordArea(0, 0));
  EXPECT_EQ(r.wb().cursorColumn, 2);
  r.click(kButton0);
  EXPECT_EQ(r.wb().sheets.size(), 1u);
  r.sm.onRightDown(r.wordArea(0, 0).x(), r.wordArea(0, 0).y());
  EXPECT_EQ(r.wb().cursorColumn, 2);  // nothing selected
  EXPECT_EQ(r.w.shell.guideShown, 1);
  r.sm.onRightUp();
  EXPECT_EQ(r.w.shell.guideShown, 0);
  r.w.shell.guideShown = 1;
  r.click(kGuide);
  EXPECT_EQ(r.w.shell.guideShown, 0);
}

TEST(Pointer, RightClickSelectsWithoutOpeningAnything) {
  InteractionRig r;
  const QPoint p = r.wordArea(3, 1);
  r.sm.onRightDown(p.x(), p.y());
  r.sm.onRightUp();
  EXPECT_EQ(r.wb().cursorColumn, 3);
  EXPECT_EQ(r.wb().cursorRow, 1);
  EXPECT_EQ(r.host.editorOpenings, 0);
  EXPECT_TRUE(r.ui.messages.empty());
}

TEST(Pointer, DoubleClickOpensTheEditorOnTheWordAreaOnly) {
  InteractionRig r;
  r.sm.onLeftDown(r.markCell(2, 2).x(), r.markCell(2, 2).y(), true);
  EXPECT_EQ(r.host.editorOpenings, 0);
  r.sm.onLeftDown(r.wordArea(2, 2).x(), r.wordArea(2, 2).y(), true);
  EXPECT_EQ(r.host.editorOpenings, 1);
  r.sm.onLeftDown(20, 400, true);  // left of the grid
  EXPECT_EQ(r.host.editorOpenings, 1);
}

TEST(Pointer, PressesDoNothingWhileAnEditThatCouldNotCommitStaysOpen) {
  InteractionRig r;
  r.select(2, 2);
  r.w.editor.editing = 1;  // the focus change did not close it
  r.click(r.wordArea(1, 1));
  r.sm.onRightDown(r.wordArea(3, 3).x(), r.wordArea(3, 3).y());
  r.sm.onRightUp();
  EXPECT_EQ((GridPos{r.wb().cursorColumn, r.wb().cursorRow}), (GridPos{2, 2}));
  r.click(kButton0);
  r.sm.onLeftDown(kNext.x(), kNext.y(), false);
  r.sm.onLeftUp(kNext.x(), kNext.y());
  EXPECT_EQ(r.wb().sheets.size(), 1u);
  EXPECT_EQ(r.w.view.pressedButton, -1);
}

TEST(Pointer, SinglePressOnAMarkCellPressesTheGlyphUntilRelease) {
  InteractionRig r;
  r.sm.onLeftDown(r.markCell(1, 3).x(), r.markCell(1, 3).y(), false);
  EXPECT_TRUE(r.w.view.markCellPressed);
  EXPECT_EQ(r.w.view.pressedBox, (GridPos{1, 3}));
  r.sm.onLeftUp(600, 10);
  EXPECT_FALSE(r.w.view.markCellPressed);
}

TEST(Pointer, ReleaseOnThePressedBoxMarkCellRunsWordAssist) {
  InteractionRig r;
  // The theme is empty, so word assist on (0, 0) refuses with its prefixed
  // message: the message shows that word assist ran.
  r.sm.onLeftDown(r.wordArea(0, 0).x(), r.wordArea(0, 0).y(), false);
  r.sm.onLeftUp(r.markCell(1, 0).x(), r.markCell(1, 0).y());  // another box's cell
  EXPECT_TRUE(r.ui.messages.empty());
  r.sm.onLeftDown(r.wordArea(0, 0).x(), r.wordArea(0, 0).y(), false);
  r.sm.onLeftUp(r.markCell(0, 0).x(), r.markCell(0, 0).y());
  ASSERT_EQ(r.ui.messages.size(), 1u);
  EXPECT_EQ(r.ui.messages[0].text, cp("語句アシスト：\n\nテーマから入力してください。"));
  EXPECT_EQ(r.wb().cursorColumn, 0);  // assist never moves the selection
}

TEST(Tooltips, MarkTooltipShowsAfterTwoSecondsForFiveAndAPressSuppressesIt) {
  InteractionRig r;
  const QPoint cell = r.markCell(1, 1);
  r.move(cell);
  EXPECT_EQ(r.w.view.markTipState, MarkTipArmed);
  EXPECT_EQ(r.w.view.markTipBox, (GridPos{1, 1}));
  r.timers.advance(r.sm, 1999);
  EXPECT_EQ(r.w.view.markTipState, MarkTipArmed);
  r.timers.advance(r.sm, 1);
  EXPECT_EQ(r.w.view.markTipState, MarkTipShown);
  r.timers.advance(r.sm, 5000);
  EXPECT_EQ(r.w.view.markTipState, MarkTipIdle);

  r.move(cell);
  r.timers.advance(r.sm, 2000);
  r.click(cell);
  EXPECT_EQ(r.w.view.markTipState, MarkTipSuppressed);
  r.move({cell.x() + 1, cell.y()});
  r.timers.advance(r.sm, 3000);
  EXPECT_EQ(r.w.view.markTipState, MarkTipSuppressed);  // not back while on the cell
  r.move(r.wordArea(1, 1));
  EXPECT_EQ(r.w.view.markTipState, MarkTipIdle);
  r.move(cell);
  EXPECT_EQ(r.w.view.markTipState, MarkTipArmed);
}

TEST(Tooltips, HoverStripsLeftOfColumnZeroCountAsItsMarkCell) {
  InteractionRig r;
  const Rect b = r.box(0, 0);
  r.move({b.left - 2, b.top + 5});
  EXPECT_EQ(r.w.view.markTipState, MarkTipArmed);
  EXPECT_EQ(r.w.view.markTipBox, (GridPos{0, 0}));
}

TEST(Tooltips, ButtonTooltipArmsOnHoverAndAnyMovementDropsIt) {
  InteractionRig r;
  r.move(kButton0);
  EXPECT_EQ(r.w.view.hoverButton, 0);
  EXPECT_EQ(r.w.view.buttonTipState, ButtonTipArmed);
  r.timers.advance(r.sm, 2000);
  EXPECT_EQ(r.w.view.buttonTipState, ButtonTipShown);
  EXPECT_EQ(r.w.view.buttonTipButton, 0);
  r.move({kButton0.x() + 1, kButton0.y()});
  EXPECT_EQ(r.w.view.buttonTipState, ButtonTipArmed);  // re-armed, no longer shown
  r.move({600, 600});
  EXPECT_EQ(r.w.view.buttonTipState, ButtonTipIdle);
  EXPECT_EQ(r.w.view.hoverButton, -1);
  r.timers.advance(r.sm, 5000);
  EXPECT_EQ(r.w.view.buttonTipState, ButtonTipIdle);
}

TEST(Tooltips, KeysQuietThemAndLeavingTheViewEndsHover) {
  InteractionRig r;
  r.move(kButton1);
  r.timers.advance(r.sm, 2000);
  ASSERT_EQ(r.w.view.buttonTipState, ButtonTipShown);
  quietTooltips(r.w.view);
  EXPECT_EQ(r.w.view.buttonTipState, ButtonTipIdle);
  r.move(r.markCell(2, 2));
  quietTooltips(r.w.view);
  EXPECT_EQ(r.w.view.markTipState, MarkTipSuppressed);
  EXPECT_FALSE(r.timers.running(kTimerMarkHover));

  r.move(kButton1);
  r.sm.onPointerLeave();
  EXPECT_EQ(r.w.view.hoverButton, -1);
  EXPECT_EQ(r.w.view.buttonTipState, ButtonTipIdle);
  EXPECT_EQ(r.w.view.markTipState, MarkTipIdle);
}

TEST(Tooltips, NothingArmsWhileTheEditorIsOpenOrTheProgramIsInactive) {
  InteractionRig r;
  r.host.active = false;
  r.move(kButton0);
  EXPECT_EQ(r.w.view.buttonTipState, ButtonTipIdle);
  EXPECT_EQ(r.w.view.hoverButton, -1);
  r.host.active = true;
  r.w.editor.editing = 1;
  r.move(r.markCell(3, 3));
  EXPECT_EQ(r.w.view.markTipState, MarkTipIdle);
  // An armed button tooltip does not come up while editing.
  r.move(kButton0);
  r.timers.advance(r.sm, 2000);
  EXPECT_EQ(r.w.view.buttonTipState, ButtonTipArmed);
}

TEST(Tooltips, GuideShownLimitsHoverToTheGuideButton) {
  InteractionRig r;
  r.w.shell.guideShown = 1;
  r.move(kButton0);
  EXPECT_EQ(r.w.view.hoverButton, -1);
  EXPECT_EQ(r.w.view.buttonTipState, ButtonTipIdle);
  r.move(kGuide);
  EXPECT_EQ(r.w.view.hoverButton, 4);
  r.move(r.markCell(1, 1));
  EXPECT_EQ(r.w.view.markTipState, MarkTipIdle);
}

}  // namespace
}  // namespace tgc::test
