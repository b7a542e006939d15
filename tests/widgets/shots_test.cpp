// Renders the views worth looking at into TGC_SHOTS (when set): the three
// sheet types, a filled sheet, the guide on each type and both tooltips, and
// the pictures of the help file (scripts/help-pictures.py embeds them).
#include <gtest/gtest.h>

#include <QDir>
#include <QPainter>

#include "marks/defaultcatalog.h"
#include "resources/pictures.h"
#include "sheet/ideasetting.h"
#include "sheet/sheetfonts.h"
#include "sheet/sheetpainter.h"
#include "tests/widgets/viewrig.h"

namespace tgc::test {

void saveShot(const QImage& image, const char* name) {
  const QByteArray dir = qgetenv("TGC_SHOTS");
  if (dir.isEmpty()) return;
  QDir().mkpath(QString::fromLocal8Bit(dir));
  image.save(QString::fromLocal8Bit(dir) + QLatin1Char('/') + QLatin1String(name));
}

namespace {

void fillTypeA(ViewRig& r) {
  r.word(2, 2, "ボールペン");
  r.word(1, 1, "インク");
  r.word(2, 1, "ばね");
  r.word(3, 1, "透明な軸");
  r.word(1, 2, "キャップ");
  r.word(3, 3, "替え芯がとても長く書ける仕組みと、長い説明文の折り返し");
  r.word(0, 0, "香り付きインク");
  r.box(0, 0).idea = 1;
  r.box(3, 3).idea = 1;
  r.box(1, 2).assisted = 1;
  r.wb().words[r.box(0, 0).word].hasMemo = 1;
}

TEST(Shots, SheetTypesGuideAndTooltips) {
  if (qEnvironmentVariableIsEmpty("TGC_SHOTS")) GTEST_SKIP() << "TGC_SHOTS not set";
  saveShot(pictures::strip(pictures::Picture::ButtonStrip, 2), "strip_buttons_x2.png");
  saveShot(pictures::strip(pictures::Picture::Idea, 3), "strip_idea_x3.png");
  saveShot(pictures::strip(pictures::Picture::Memo, 3), "strip_memo_x3.png");
  ViewRig r(1024, 768);
  saveShot(r.image(), "typeA_empty.png");
  fillTypeA(r);
  r.select(1, 1);
  r.view.show();
  r.view.activateWindow();
  r.view.setFocus();
  QImage focused(r.view.size(), QImage::Format_RGB32);
  focused = r.view.snapshot();
  saveShot(focused, "typeA_filled.png");
  auto zoom = [](const QImage& img, QRect part) { return img.copy(part).scaled(part.size() * 4); };
  saveShot(zoom(focused, QRect(0, 600, 200, 168)), "zoom_bottomleft.png");
  saveShot(zoom(focused, QRect(880, 0, 144, 160)), "zoom_topright.png");
  saveShot(zoom(focused, QRect(30, 0, 330, 70)), "zoom_buttons.png");
  const QImage x2 = r.view.snapshot(2);
  saveShot(x2, "typeA_filled_x2.png");
  saveShot(x2.copy(QRect(1100, 860, 500, 300)), "x2_stamp.png");
  saveShot(x2.copy(QRect(0, 0, 720, 260)), "x2_header.png");
  {
    // Focus frame, a hovered and a pressed button, a pressed glyph.
    r.w.view.hoverButton = 1;
    r.w.view.pressedButton = 6;
    r.w.view.markCellPressed = true;
    r.w.view.pressedBox = {1, 1};
    QImage img(r.view.size(), QImage::Format_RGB32);
    QPainter p(&img);
    PaintContext ctx;
    ctx.hasFocus = true;
    ctx.textFont = defaultWordFont();
    SheetPainter(p, r.w, img.width(), img.height(), ctx).paint();
    p.end();
    saveShot(img, "typeA_focus_states.png");
    r.w.view.reset();
    // The editor open on the theme box.
    r.select(2, 2);
    r.view.beginEdit();
    r.view.editor()->insertPlainText(QStringLiteral("ボールペンの芯"));
    saveShot(r.view.grab().toImage(), "typeA_editor.png");
    r.view.cancelEdit();
  }
  r.w.shell.guideShown = 1;
  saveShot(r.image(), "guide_typeA.png");
  r.w.shell.guideShown = 0;

  r.w.view.buttonTipState = ButtonTipShown;
  r.w.view.buttonTipButton = kButtonGuide;
  r.image();  // records the rectangles
  saveShot(r.image(), "tooltip_button.png");
  r.w.view.buttonTipState = ButtonTipIdle;
  r.w.view.markTipState = MarkTipShown;
  r.w.view.markTipBox = {1, 1};
  saveShot(r.image(), "tooltip_mark.png");
  r.w.view.markTipState = MarkTipIdle;

  r.addSheet(CreateKind::TypeB);
  r.word(0, 0, "傘");
  r.word(1, 0, "骨");
  r.word(0, 2, "折り畳み");
  r.box(0, 2).idea = 1;
  saveShot(r.image(), "typeB.png");
  r.w.shell.guideShown = 1;
  saveShot(r.image(), "guide_typeB.png");
  r.w.shell.guideShown = 0;
  r.addSheet(CreateKind::TypeC);
  r.word(0, 0, "会議");
  saveShot(r.image(), "typeC.png");
  r.w.shell.guideShown = 1;
  saveShot(r.image(), "guide_typeC.png");
}

// A word written into a box of the current sheet, with its mark (kKeepMark
// keeps the one the sheet was created with) and idea flag.
constexpr int32_t kKeepMark = -2;
struct Written {
  int column, row;
  const char* text;
  int32_t mark;
  bool idea;
};
void write(ViewRig& r, std::initializer_list<Written> words) {
  for (const Written& w : words) {
    r.word(w.column, w.row, w.text);
    if (w.mark != kKeepMark) r.box(w.column, w.row).mark = w.mark;
    r.box(w.column, w.row).idea = w.idea;
  }
}

TEST(Shots, HelpPictures) {
  if (qEnvironmentVariableIsEmpty("TGC_SHOTS")) GTEST_SKIP() << "TGC_SHOTS not set";
  ViewRig r(760, 560);
  // Marks as a person would meet them, not the random draw of the rig.
  for (Box& b : r.wb().sheets[0].boxes) b.mark = (b.column * 7 + b.row * 3) % 12 + 2;
  write(r, {{2, 2, "傘", 0, false},
            {1, 1, "骨", 2, false},
            {2, 1, "雨の日", 12, false},
            {3, 1, "濡れる", 5, false},
            {1, 2, "ナイロン", 7, false},
            {3, 2, "持ち歩く", 13, false},
            {1, 3, "通勤客", 10, false},
            {2, 3, "透明", 8, false},
            {3, 3, "折り畳む", 18, false},
            {0, 0, "骨のない傘", 20, true},
            {4, 2, "鞄の持ち手が傘", 24, true}});
  r.wb().words[r.box(4, 2).word].hasMemo = 1;
  saveShot(r.image(), "help_typeA.png");
  r.w.shell.guideShown = 1;
  saveShot(r.image(), "help_guideA.png");
  r.w.shell.guideShown = 0;
  r.addSheet(CreateKind::TypeB);
  write(r, {{0, 0, "傘", 0, false},
            {1, 0, "骨", kKeepMark, false},
            {2, 0, "ナイロン", kKeepMark, false},
            {3, 0, "持ち手", kKeepMark, false},
            {1, 1, "ワイヤー", kKeepMark, false},
            {2, 1, "紙", kKeepMark, false},
            {2, 2, "竹", kKeepMark, false},
            {3, 1, "リング", kKeepMark, false},
            {0, 1, "紙の使い捨て傘", kIdeaMarkId, true},
            {0, 2, "リングで腕に掛ける", kIdeaMarkId, true}});
  saveShot(r.image(), "help_typeB.png");
  r.addSheet(CreateKind::TypeC);
  write(r, {{0, 0, "会議", 0, false},
            {0, 1, "資料", kKeepMark, false},
            {0, 2, "会議室", kKeepMark, false},
            {0, 3, "参加者", kKeepMark, false},
            {1, 1, "１枚だけ", kKeepMark, false},
            {2, 1, "なし", kKeepMark, false},
            {1, 2, "屋外", kKeepMark, false},
            {2, 2, "立ったまま", kKeepMark, false},
            {1, 3, "半分", kKeepMark, false},
            {1, 0, "立ち会議", kIdeaMarkId, true},
            {2, 0, "資料ゼロ会議", kIdeaMarkId, true}});
  saveShot(r.image(), "help_typeC.png");
}

}  // namespace
}  // namespace tgc::test
