// The sheet view widget driven by synthetic mouse, key and input-method
// events.
#include <gtest/gtest.h>

#include <QInputMethodEvent>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>
#include <QUrl>

#include "sheet/sheetfonts.h"
#include "tests/widgets/viewrig.h"

namespace tgc::test {
namespace {

struct LiveView : ViewRig {
  LiveView() {
    view.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&view));
    view.snapshot();  // records the header buttons
  }
  Rect box(int c, int r) const { return boxRect(layout(), c, r); }
  QPoint wordArea(int c, int r) const { return {box(c, r).left + 60, box(c, r).top + 50}; }
  QPoint markCell(int c, int r) const { return {box(c, r).left + 10, box(c, r).top + 10}; }
  void click(QPoint p, Qt::MouseButton b = Qt::LeftButton) { QTest::mouseClick(&view, b, {}, p); }
  std::string wordAt(int c, int r) { return wb().wordText(SheetRig::box(c, r).word); }
};

TEST(SheetView, ClickSelectsTheBoxOwningHalfTheGap) {
  LiveView v;
  const Rect b = v.box(1, 1);
  v.click({b.right + 3, b.top + 40});
  EXPECT_EQ(v.wb().cursorColumn, 1);
  EXPECT_EQ(v.wb().cursorRow, 1);
  v.click({b.right + 4, b.top + 40});
  EXPECT_EQ(v.wb().cursorColumn, 2);
  EXPECT_EQ(v.wb().cursorRow, 1);
  // Left of column 0 nothing is selected.
  v.click({v.box(0, 3).left - 2, v.box(0, 3).top + 40});
  EXPECT_EQ(v.wb().cursorColumn, 2);
}

TEST(SheetView, DoubleClickOpensTheEditorOnTheWordAreaNotOnTheMarkCell) {
  LiveView v;
  QTest::mouseDClick(&v.view, Qt::LeftButton, {}, v.markCell(2, 2));
  EXPECT_FALSE(v.view.isEditing());
  QTest::mouseDClick(&v.view, Qt::LeftButton, {}, v.wordArea(2, 2));
  EXPECT_TRUE(v.view.isEditing());
  EXPECT_TRUE(v.view.editor()->isVisible());
  const Rect e = editorRect(v.box(2, 2));
  EXPECT_EQ(v.view.editor()->geometry(), QRect(e.left, e.top, e.width(), e.height()));
}

TEST(SheetView, DoubleClickOnABoxTheRulesRefuseShowsTheMessageAndMovesTheSelection) {
  LiveView v;
  QTest::mouseDClick(&v.view, Qt::LeftButton, {}, v.wordArea(0, 0));
  EXPECT_FALSE(v.view.isEditing());
  ASSERT_EQ(v.ui.messages.size(), 1u);
  EXPECT_EQ(v.ui.messages[0].text, cp("テーマから入力してください。"));
  EXPECT_EQ(v.wb().cursorColumn, 2);
  EXPECT_EQ(v.wb().cursorRow, 2);
}

TEST(SheetView, PressOnPreviousAndReleaseElsewhereMovesOneSheet) {
  LiveView v;
  v.addSheet(CreateKind::TypeA);
  v.addSheet(CreateKind::TypeA);
  v.wb().currentSheet = 2;
  QTest::mousePress(&v.view, Qt::LeftButton, {}, QPoint(412, 110));
  QTest::mouseRelease(&v.view, Qt::LeftButton, {}, QPoint(700, 600));
  EXPECT_EQ(v.wb().currentSheet, 1);
}

TEST(SheetView, PressOnOneCreateButtonAndReleaseOnAnotherCreatesNothing) {
  LiveView v;
  QTest::mousePress(&v.view, Qt::LeftButton, {}, QPoint(70, 30));
  QTest::mouseRelease(&v.view, Qt::LeftButton, {}, QPoint(150, 30));
  EXPECT_EQ(v.wb().sheets.size(), 1u);
  v.click({240, 30});
  ASSERT_EQ(v.wb().sheets.size(), 2u);
  EXPECT_EQ(currentSheetType(v.wb()), TypeC);
}

TEST(SheetView, RightClickSelectsWithoutOpeningAnything) {
  LiveView v;
  v.word(2, 2, "テーマ");
  v.click(v.wordArea(1, 2), Qt::RightButton);
  EXPECT_EQ(v.wb().cursorColumn, 1);
  EXPECT_EQ(v.wb().cursorRow, 2);
  EXPECT_FALSE(v.view.isEditing());
  EXPECT_TRUE(v.ui.messages.empty());
}

TEST(SheetView, ReleaseOnTheSameBoxMarkCellRunsWordAssist) {
  LiveView v;
  QTest::mousePress(&v.view, Qt::LeftButton, {}, v.wordArea(3, 1));
  QTest::mouseRelease(&v.view, Qt::LeftButton, {}, v.markCell(3, 1));
  ASSERT_EQ(v.ui.messages.size(), 1u);
  EXPECT_EQ(v.ui.messages[0].text, cp("語句アシスト：\n\nテーマから入力してください。"));
}

TEST(SheetView, TypingAWordPutsItInThePoolAndOnTheBox) {
  LiveView v;
  v.click(v.wordArea(2, 2));
  ASSERT_TRUE(v.view.beginEdit());  // what Enter does through the key dispatch
  QTest::keyClicks(v.view.editor(), "pen");
  QTest::keyClick(v.view.editor(), Qt::Key_Return);
  EXPECT_FALSE(v.view.isEditing());
  EXPECT_FALSE(v.view.editor()->isVisible());
  EXPECT_EQ(v.wordAt(2, 2), "pen");
  EXPECT_EQ(v.wb().findWord("pen"), v.SheetRig::box(2, 2).word);
  EXPECT_EQ(v.w.doc.modified, 1);

  // Editing again starts from the word; Escape leaves it unchanged.
  ASSERT_TRUE(v.view.beginEdit());
  EXPECT_EQ(v.view.editor()->toPlainText(), QStringLiteral("pen"));
  QTest::keyClicks(v.view.editor(), "cil");
  QTest::keyClick(v.view.editor(), Qt::Key_Escape);
  EXPECT_EQ(v.wordAt(2, 2), "pen");
}

TEST(SheetView, AnInputMethodCompositionOpensTheEditorAndContinuesThere) {
  LiveView v;
  v.click(v.wordArea(2, 2));
  QInputMethodEvent preedit(QStringLiteral("ぺん"), {});
  QCoreApplication::sendEvent(&v.view, &preedit);
  ASSERT_TRUE(v.view.isEditing());
  QInputMethodEvent commit;
  commit.setCommitString(QStringLiteral("ペン"));
  QCoreApplication::sendEvent(v.view.editor(), &commit);
  v.view.commitEdit();
  EXPECT_EQ(v.wordAt(2, 2), cp("ペン"));
}

TEST(SheetView, ClickingAnotherBoxCommitsIntoTheBoxSelectedBefore) {
  LiveView v;
  v.click(v.wordArea(2, 2));
  ASSERT_TRUE(v.view.beginEdit());
  QTest::keyClicks(v.view.editor(), "lamp");
  v.click(v.wordArea(1, 1));
  EXPECT_FALSE(v.view.isEditing());
  EXPECT_EQ(v.wordAt(2, 2), "lamp");
  EXPECT_EQ(v.wb().cursorColumn, 1);
  EXPECT_EQ(v.wb().cursorRow, 1);
}

TEST(SheetView, AResizeCommitsAnOpenEdit) {
  LiveView v;
  v.click(v.wordArea(2, 2));
  ASSERT_TRUE(v.view.beginEdit());
  QTest::keyClicks(v.view.editor(), "desk");
  v.view.resize(900, 700);
  EXPECT_FALSE(v.view.isEditing());
  EXPECT_EQ(v.wordAt(2, 2), "desk");
}

TEST(SheetView, TextCP932CannotHoldIsRefusedAndKeptInTheEditor) {
  LiveView v;
  v.click(v.wordArea(2, 2));
  ASSERT_TRUE(v.view.beginEdit());
  v.view.editor()->setPlainText(QStringLiteral("ペン\U0001F58A"));
  v.view.commitEdit();
  ASSERT_EQ(v.ui.messages.size(), 1u);
  EXPECT_EQ(v.ui.messages[0].kind, MessageKind::Warning);
  EXPECT_EQ(v.ui.messages[0].text,
            cp("保存できない文字が含まれています。\nその文字を削除するか、別の文字に置き換えてください。"));
  EXPECT_TRUE(v.view.isEditing());
  EXPECT_EQ(v.view.editor()->toPlainText(), QStringLiteral("ペン\U0001F58A"));
  EXPECT_EQ(v.wb().cursorColumn, 2);
  EXPECT_EQ(v.SheetRig::box(2, 2).word, -1);
  EXPECT_EQ(v.w.doc.modified, 0);
  // Once the character is gone the word is stored as typed.
  v.view.editor()->setPlainText(QStringLiteral("ペン"));
  v.view.commitEdit();
  EXPECT_FALSE(v.view.isEditing());
  EXPECT_EQ(v.wordAt(2, 2), cp("ペン"));
}

TEST(SheetView, ARefusedCommitKeepsClicksFromMovingTheSelectionUnderTheEditor) {
  LiveView v;
  v.click(v.wordArea(2, 2));
  ASSERT_TRUE(v.view.beginEdit());
  v.view.editor()->setPlainText(QStringLiteral("ペン\U0001F58A"));
  v.click(v.wordArea(1, 1));
  EXPECT_TRUE(v.view.isEditing());
  EXPECT_EQ(v.wb().cursorColumn, 2);
  EXPECT_EQ(v.wb().cursorRow, 2);
  QCoreApplication::processEvents();  // the next user action
  v.click(v.wordArea(3, 1), Qt::RightButton);
  EXPECT_EQ(v.wb().cursorColumn, 2);
  EXPECT_EQ(v.wb().cursorRow, 2);
  // One warning per attempt, not one per focus change.
  EXPECT_EQ(v.ui.messages.size(), 2u);
  v.view.resize(900, 700);
  const Rect e = editorRect(v.box(2, 2));
  EXPECT_EQ(v.view.editor()->geometry(), QRect(e.left, e.top, e.width(), e.height()));

  v.view.editor()->setPlainText(QStringLiteral("ペン"));
  v.click(v.wordArea(1, 1));
  EXPECT_FALSE(v.view.isEditing());
  EXPECT_EQ(v.wordAt(2, 2), cp("ペン"));
  EXPECT_EQ(v.SheetRig::box(1, 1).word, -1);
  EXPECT_EQ(v.wb().cursorColumn, 1);
}

TEST(SheetView, LineBreaksInTheEditorAreStoredAsCrLf) {
  LiveView v;
  v.click(v.wordArea(2, 2));
  ASSERT_TRUE(v.view.beginEdit());
  v.view.editor()->setPlainText(QStringLiteral("two\nlines"));
  v.view.commitEdit();
  EXPECT_EQ(v.wordAt(2, 2), "two\r\nlines");
  ASSERT_TRUE(v.view.beginEdit());
  EXPECT_EQ(v.view.editor()->toPlainText(), QStringLiteral("two\nlines"));
  v.view.cancelEdit();
}

// Drops reach a widget only through a real drag, so the handler is called
// directly.
struct DropView : SheetView {
  using SheetView::dragEnterEvent;
  using SheetView::dropEvent;
  using SheetView::SheetView;
};

TEST(SheetView, TheFirstDroppedFileIsHandedOn) {
  ViewRig r;
  DropView view(r.w);
  QSignalSpy spy(&view, &SheetView::fileDropped);
  QMimeData mime;
  mime.setUrls({QUrl::fromLocalFile(QStringLiteral("/tmp/first.tgc")),
                QUrl::fromLocalFile(QStringLiteral("/tmp/second.tgc"))});
  QDragEnterEvent enter(QPoint(200, 200), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  view.dragEnterEvent(&enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(200, 200), Qt::CopyAction, &mime, Qt::NoButton, Qt::NoModifier);
  view.dropEvent(&drop);
  ASSERT_EQ(spy.count(), 1);
  EXPECT_EQ(spy.at(0).at(0).toString(), QStringLiteral("/tmp/first.tgc"));

  QMimeData text;
  text.setText(QStringLiteral("not a file"));
  QDragEnterEvent refused(QPoint(200, 200), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
  refused.setAccepted(false);
  view.dragEnterEvent(&refused);
  EXPECT_FALSE(refused.isAccepted());
}

TEST(SheetView, TimersRunScaledAndOneShot) {
  QtViewTimers timers;
  timers.setTimeScale(0.01);
  QSignalSpy spy(&timers, &QtViewTimers::expired);
  timers.startTimer(kTimerMarkHover, 2000);
  EXPECT_TRUE(timers.isRunning(kTimerMarkHover));
  ASSERT_TRUE(spy.wait(1000));
  EXPECT_EQ(spy.at(0).at(0).toInt(), kTimerMarkHover);
  EXPECT_FALSE(timers.isRunning(kTimerMarkHover));
  timers.startTimer(kTimerButtonHover, 2000);
  timers.stopTimer(kTimerButtonHover);
  EXPECT_FALSE(spy.wait(100));
}

}  // namespace
}  // namespace tgc::test

namespace tgc::test {
namespace {

TEST(SheetFonts, ClassicFacesMapToInstalledFonts) {
  EXPECT_EQ(mapFontFace(QStringLiteral("ＭＳ ゴシック")), QStringLiteral("IPAGothic"));
  EXPECT_EQ(mapFontFace(QStringLiteral("ＭＳ Ｐゴシック")), QStringLiteral("IPAPGothic"));
  EXPECT_EQ(mapFontFace(QStringLiteral("ＭＳ 明朝")), QStringLiteral("IPAPMincho"));
  EXPECT_EQ(mapFontFace(QStringLiteral("Times New Roman")), QStringLiteral("Liberation Serif"));
  EXPECT_EQ(mapFontFace(QStringLiteral("Noto Sans")), QStringLiteral("Noto Sans"));
  const QFont word = defaultWordFont();
  EXPECT_EQ(word.family(), QStringLiteral("IPAPMincho"));
  EXPECT_EQ(word.pixelSize(), 19);
  EXPECT_TRUE(word.bold());
}

TEST(SheetFonts, GlyphFontsAreSizedByCellHeightTheOthersByCharacterHeight) {
  const SheetFonts& f = SheetFonts::get();
  const std::pair<const QFont*, int> cells[] = {{&f.glyph24, 24}, {&f.glyph18, 18}, {&f.glyph15, 15}};
  for (const auto& [font, cell] : cells) {
    EXPECT_LE(QFontMetrics(*font).height(), cell) << cell;
    QFont larger = *font;
    larger.setPixelSize(font->pixelSize() + 1);
    if (font->pixelSize() < cell) {
      EXPECT_GT(QFontMetrics(larger).height(), cell) << cell;
    }
    EXPECT_TRUE(font->bold());
    EXPECT_TRUE(font->styleStrategy() & QFont::PreferAntialias);
  }
  EXPECT_EQ(f.position.pixelSize(), 28);
  EXPECT_EQ(f.guideNumber.pixelSize(), 22);
  EXPECT_EQ(f.tooltip.pixelSize(), 16);
  EXPECT_FALSE(defaultWordFont().styleStrategy() & QFont::PreferAntialias);
}

TEST(SheetFonts, TheViewAndItsEditorTakeTheUsersFontUnderItsInstalledName) {
  ViewRig r;
  QFont chosen(QStringLiteral("ＭＳ Ｐゴシック"));
  chosen.setPixelSize(23);
  r.view.setTextFont(chosen);
  EXPECT_EQ(r.view.textFont().family(), QStringLiteral("IPAPGothic"));
  EXPECT_EQ(r.view.textFont().pixelSize(), 23);
  EXPECT_EQ(r.view.editor()->font().family(), QStringLiteral("IPAPGothic"));
}

}  // namespace
}  // namespace tgc::test
