#include "app/textstyle.h"

#include "app/fontrecord.h"
#include "core/cp932literal.h"
#include "tests/shell/shellrig.h"

namespace tgc::test {
namespace {

class TextStyleTest : public ShellTest {
 protected:
  std::string value(const std::string& section, const std::string& name) {
    return r.settings.readString(section, name, "<missing>");
  }
};

TEST_F(TextStyleTest, EmptyFaceReadsNothing) {
  FontRecord rec = defaultFontRecord();
  r.settings.writeInt("Font Info", "lfHeight", -30);
  r.settings.writeString("Font Info", "lfFaceName", "");
  readFontRecord(r.settings, rec);
  EXPECT_EQ(rec, defaultFontRecord());
}

TEST_F(TextStyleTest, StoredFontReadsEveryFieldWithCurrentDefaults) {
  FontRecord rec = defaultFontRecord();
  r.settings.writeString("Font Info", "lfFaceName", "Serif");
  r.settings.writeInt("Font Info", "lfHeight", -24);
  r.settings.writeInt("Font Info", "lfItalic", 1);
  r.settings.writeInt("Font Info", "lfWeight", 400);
  readFontRecord(r.settings, rec);
  EXPECT_EQ(rec.faceName, "Serif");
  EXPECT_EQ(rec.height, -24);
  EXPECT_EQ(rec.italic, 1);
  EXPECT_EQ(rec.weight, 400);
  EXPECT_EQ(rec.charSet, 128);        // not stored: stays
  EXPECT_EQ(rec.pitchAndFamily, 18);  // not stored: stays
}

TEST_F(TextStyleTest, LongFaceIsCutAtACharacter) {
  // 31 ASCII bytes fit; the 32nd goes.
  EXPECT_EQ(fitFaceName(std::string(40, 'a')), std::string(31, 'a'));
  // Full-width characters count two bytes each: 15 of them fit in 31.
  std::string wide;
  for (int i = 0; i < 20; ++i) wide += std::string("明");
  const std::string cut = fitFaceName(wide);
  EXPECT_EQ(cut.size(), 15u * 3u);
  // A single-byte character after fifteen wide ones still fits.
  EXPECT_EQ(fitFaceName(cut + "ab"), cut + "a");
  FontRecord rec;
  r.settings.writeString("Font Info", "lfFaceName", wide);
  readFontRecord(r.settings, rec);
  EXPECT_EQ(rec.faceName, cut);
}

TEST_F(TextStyleTest, FirstRunFontAndCloseWritesAllFourteen) {
  startUp();
  EXPECT_EQ(r.w.app.font, defaultFontRecord());
  EXPECT_EQ(r.w.app.font.faceName, std::string("ＭＳ Ｐ明朝"));
  EXPECT_EQ(r.w.app.font.height, -19);
  EXPECT_EQ(r.w.app.font.weight, 700);
  EXPECT_FALSE(window.applied.empty());
  saveTextFont(r.w);
  int count = 0;
  for (const auto& [key, v] : r.settings.values) count += key.first == "Font Info";
  EXPECT_EQ(count, 14);
  EXPECT_EQ(value("Font Info", "lfFaceName"), std::string("ＭＳ Ｐ明朝"));
  EXPECT_EQ(value("Font Info", "lfQuality"), "1");
}

TEST_F(TextStyleTest, FontDialogCancelStillWrites) {
  startUp();
  r.w.app.font.underline = 1;
  changeTextFont(r.w);
  EXPECT_EQ(window.fontDialogs, 1);
  EXPECT_EQ(window.fontDialogStart.underline, 0);  // the dialog starts without underline
  EXPECT_EQ(r.w.app.font.underline, 1);            // cancel keeps the record
  EXPECT_EQ(value("Font Info", "lfUnderline"), "1");
  EXPECT_GT(r.ui.repaints, 0);

  FontRecord chosen = defaultFontRecord();
  chosen.faceName = "Sans";
  chosen.height = -30;
  window.fontAnswer = chosen;
  changeTextFont(r.w);
  EXPECT_EQ(r.w.app.font, chosen);
  EXPECT_EQ(window.applied.back(), chosen);
  EXPECT_EQ(value("Font Info", "lfHeight"), "-30");
}

TEST_F(TextStyleTest, FontAndColourDefaultsTellTheUser) {
  startUp();
  r.w.app.font.height = -40;
  r.w.shell.textColor = 0x123456;
  defaultTextFont(r.w);
  defaultTextColor(r.w);
  EXPECT_EQ(r.ui.texts(), (std::vector<std::string>{"フォントを既定値に戻しました。"_sj,
                                                    "文字色を既定値に戻しました。"_sj}));
  EXPECT_EQ(r.ui.messages[0].kind, MessageKind::Information);
  EXPECT_EQ(value("Font Info", "lfHeight"), "-19");
  EXPECT_EQ(r.w.shell.textColor, 0x404040u);
  EXPECT_EQ(value("View Info", "TextColor"), "4210752");
}

TEST_F(TextStyleTest, ColourDialogResult) {
  startUp();
  window.colorAnswer = 0x0000FF;  // red
  changeTextColor(r.w);
  EXPECT_EQ(window.colorDialogStart, 0x404040u);
  EXPECT_EQ(r.w.shell.textColor, 0x0000FFu);
  EXPECT_EQ(value("View Info", "TextColor"), "255");
  window.colorAnswer.reset();
  changeTextColor(r.w);  // cancel: the colour stays and is written again
  EXPECT_EQ(r.w.shell.textColor, 0x0000FFu);
}

TEST_F(TextStyleTest, StoredSettingsAreReadAtStartUp) {
  r.settings.writeInt("View Info", "Name", 0);
  r.settings.writeInt("View Info", "TextColor", 0x00FF00);
  r.settings.writeString("Font Info", "lfFaceName", "Mono");
  startUp();
  EXPECT_EQ(r.w.shell.markNames, 0);
  EXPECT_EQ(r.w.shell.textColor, 0x00FF00u);
  EXPECT_EQ(r.w.app.font.faceName, "Mono");
  EXPECT_EQ(window.applied.back().faceName, "Mono");
}

TEST_F(TextStyleTest, StartUpWritesOnlyTheFirstRunSize) {
  startUp();
  std::vector<std::string> written;
  for (const auto& [key, v] : r.settings.values) written.push_back(key.first + "/" + key.second);
  EXPECT_EQ(written, (std::vector<std::string>{"DspSize Info/Height", "DspSize Info/Width"}));
  // The start-up state itself.
  EXPECT_EQ(r.w.doc.modified, 0);
  EXPECT_FALSE(r.w.doc.canUndo());
  EXPECT_EQ(r.w.wb().sheets.size(), 1u);
  EXPECT_EQ(r.w.wb().marks.size(), 26u);
  EXPECT_EQ(r.w.wb().cursorColumn, 2);
  EXPECT_EQ(r.w.wb().cursorRow, 2);
  EXPECT_EQ(r.w.shell.markNames, 1);
  EXPECT_EQ(r.w.shell.textColor, 0x404040u);
  EXPECT_TRUE(window.menu.empty());
  EXPECT_EQ(window.menuRebuilds, 1);
}

TEST_F(TextStyleTest, WindowSizeRules) {
  WindowPlacement p;
  EXPECT_FALSE(storedPlacement(r.settings, SizedWindow::Main, 1920, 1080, p));
  // First run: the current size is stored at once.
  startUp();
  EXPECT_EQ(value("DspSize Info", "Width"), "800");
  EXPECT_EQ(value("DspSize Info", "Height"), "600");
  ASSERT_TRUE(storedPlacement(r.settings, SizedWindow::Main, 1921, 1080, p));
  EXPECT_EQ(p.left, 560);  // (1921 - 800) / 2, truncated
  EXPECT_EQ(p.top, 240);
  // A width without a height is neither applied nor replaced on open.
  r.settings.writeInt("DspSize Info", "ListWidth", 500);
  EXPECT_FALSE(storedPlacement(r.settings, SizedWindow::WordList, 1920, 1080, p));
  recordSizeOnOpen(r.settings, SizedWindow::WordList, 300, 200);
  EXPECT_EQ(value("DspSize Info", "ListWidth"), "500");
  EXPECT_EQ(value("DspSize Info", "ListHeight"), "<missing>");
  recordSizeOnClose(r.settings, SizedWindow::WordList, 300, 200);
  EXPECT_EQ(value("DspSize Info", "ListHeight"), "200");
  // A window larger than the screen is centred at a negative offset.
  r.settings.writeInt("DspSize Info", "MemoWidth", 1001);
  r.settings.writeInt("DspSize Info", "MemoHeight", 900);
  ASSERT_TRUE(storedPlacement(r.settings, SizedWindow::IdeaMemo, 800, 600, p));
  EXPECT_EQ(p.left, -100);  // -201 / 2 rounds toward zero
  EXPECT_EQ(p.top, -150);
}

}  // namespace
}  // namespace tgc::test
