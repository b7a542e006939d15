// The program's own dialogs as a person sees them: the About dialog built
// from its dialog-unit template, message boxes wide enough for their title,
// and the font dialog that starts on the current font.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

#include "app/aboutdialog.h"
#include "app/commandids.h"
#include "app/dialogframe.h"
#include "app/dialogunits.h"
#include "app/fontdialog.h"
#include "app/mainwindow.h"
#include "app/qtuiport.h"
#include "core/cp932.h"
#include "sheet/sheetview.h"
#include "tests/widgets/modalscript.h"

namespace tgc::test {
namespace {

bool closeButtonOnly(const QWidget& w) {
  const Qt::WindowFlags f = w.windowFlags();
  return (f & Qt::WindowCloseButtonHint) &&
         !(f & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
}

TEST(DialogUnits, RoundLikeTheTemplatesPlatformAndAverageTheLetters) {
  struct Row {
    int baseWidth, baseHeight, width, height, px, py;
  } rows[] = {
      {6, 13, 139, 150, 209, 244},  // half a pixel rounds up
      {6, 12, 50, 14, 75, 21},
      {7, 15, 4, 8, 7, 15},  // four units across and eight down are one character
      {8, 16, 1, 1, 2, 2},
  };
  for (const Row& r : rows) {
    const DialogUnits du(r.baseWidth, r.baseHeight);
    EXPECT_EQ(du.size(r.width, r.height), QSize(r.px, r.py)) << r.width << " x " << r.height;
  }
  // In a fixed-pitch font the average letter is every letter.
  const QFont mono(QStringLiteral("Liberation Mono"), 10);
  const DialogUnits du(mono);
  EXPECT_EQ(du.baseWidth(), QFontMetrics(mono).horizontalAdvance(QLatin1Char('x')));
  EXPECT_EQ(du.baseHeight(), QFontMetrics(mono).height());
}

class DialogsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    QStandardPaths::setTestModeEnabled(true);
    ASSERT_TRUE(dir.isValid());
  }
  std::unique_ptr<MainWindow> openWindow() {
    auto window = std::make_unique<MainWindow>(std::make_unique<QSettings>(iniPath(), QSettings::IniFormat));
    window->show();
    window->startUp();
    QApplication::setActiveWindow(window.get());
    window->view()->setFocus();
    return window;
  }
  QString iniPath() const { return dir.filePath(QStringLiteral("settings.ini")); }
  QTemporaryDir dir;
};

TEST_F(DialogsTest, AboutHasTheTemplatesProportionsAndItsWholeTitle) {
  auto window = openWindow();
  ModalScript script;
  script.on(QStringLiteral("ﾊｯｿｳﾏｽﾒﾉｰﾄのﾊﾞｰｼﾞｮﾝ情報"), [](QWidget* w) {
    auto& about = *qobject_cast<QDialog*>(w);
    const DialogUnits du(about.font());
    EXPECT_EQ(about.minimumSize(), about.maximumSize());  // no resize handle
    EXPECT_GE(about.width(), du.x(139));
    EXPECT_EQ(about.height(), du.y(150));
    EXPECT_GE(about.width(), titleBarWidth(about.windowTitle(), about.font()));
    EXPECT_TRUE(closeButtonOnly(about));
    // Every text shows whole inside the dialog, above the button.
    const auto* ok = about.findChild<QPushButton*>();
    ASSERT_NE(ok, nullptr);
    EXPECT_TRUE(about.rect().contains(ok->geometry()));
    for (const QLabel* label : about.findChildren<QLabel*>()) {
      if (label->text().isEmpty()) continue;
      SCOPED_TRACE(label->text().toStdString());
      EXPECT_GE(label->width(), label->sizeHint().width());
      EXPECT_TRUE(about.rect().contains(label->geometry()));
      EXPECT_LT(label->geometry().bottom(), ok->geometry().top());
    }
    about.reject();
  });
  window->runCommand(cmd::About);
  EXPECT_TRUE(script.finished());
}

TEST_F(DialogsTest, MessageBoxesShowTheirWholeTitle) {
  QWidget owner;
  QtUiPort ui;
  ui.setWindow(&owner);
  // The narrowest messages. Openbox's default theme, which draws the icon,
  // minimise, maximise and close, cut the title "ThoughtGridCraft" of a box
  // narrower than 220 pixels at scale 1 and the default font.
  const struct {
    const char* text;
    Buttons buttons;
  } rows[] = {{"OK?", Buttons::OkCancel},
              {"!", Buttons::Ok},
              {"Yes?", Buttons::YesNoCancel},
              {"項目を選択してください。", Buttons::Ok},
              {"更新しますか？", Buttons::OkCancel}};
  for (const auto& r : rows) {
    SCOPED_TRACE(r.text);
    ModalScript script;
    script.on(QStringLiteral("ThoughtGridCraft"), [](QWidget* box) {
      EXPECT_GE(box->width(), 220);
      EXPECT_GE(box->width(), titleBarWidth(box->windowTitle(), box->font()));
      EXPECT_TRUE(closeButtonOnly(*box));
      qobject_cast<QDialog*>(box)->reject();
    });
    ui.message(MessageKind::Question, utf8ToCp932(r.text).value(), r.buttons);
    EXPECT_TRUE(script.finished());
  }
}

// The stored "Font Info" values, as the settings file holds them.
QMap<QString, QString> storedFont(const QString& ini) {
  QSettings s(ini, QSettings::IniFormat);
  s.beginGroup(QStringLiteral("Font Info"));
  QMap<QString, QString> out;
  for (const QString& key : s.childKeys()) out.insert(key, s.value(key).toString());
  return out;
}

TEST_F(DialogsTest, FontDialogStartsOnTheCurrentFontAndOkUnchangedStoresTheSameRecord) {
  FontRecord italicGothic = defaultFontRecord();
  italicGothic.faceName = "IPAGothic";
  italicGothic.height = -24;
  italicGothic.weight = 400;
  italicGothic.italic = 1;
  italicGothic.quality = 4;
  const struct {
    const char* name;
    FontRecord stored;
    QString family, style, size;
    std::function<void(FontDialog&)> change;
    std::function<void(FontRecord&)> expected;
  } rows[] = {
      {"the default, a classic face shown as its stand-in", defaultFontRecord(), "IPAPMincho", "太字", "14",
       nullptr, nullptr},
      {"an installed face, italic", italicGothic, "IPAGothic", "斜体", "18", nullptr, nullptr},
      {"a new size and style keep the face and the other fields", defaultFontRecord(), "IPAPMincho", "太字",
       "14",
       [](FontDialog& d) {
         d.styleList()->setCurrentRow(0);
         d.sizeEdit()->setText(QStringLiteral("18"));
       },
       [](FontRecord& r) {
         r.weight = 400;
         r.height = -24;
       }},
      {"a face typed in part", defaultFontRecord(), "IPAPMincho", "太字", "14",
       [](FontDialog& d) {
         d.familyEdit()->selectAll();
         QTest::keyClicks(d.familyEdit(), "liberation se");
       },
       [](FontRecord& r) { r.faceName = "Liberation Serif"; }},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    {
      QtSettingsStore store(std::make_unique<QSettings>(iniPath(), QSettings::IniFormat));
      writeFontRecord(store, row.stored);
    }
    const QMap<QString, QString> before = storedFont(iniPath());
    auto window = openWindow();
    ModalScript script;
    script.on(QStringLiteral("フォント"), [&row](QWidget* modal) {
      auto* dialog = qobject_cast<FontDialog*>(modal);
      ASSERT_NE(dialog, nullptr);
      // The family as the font list names it in the user's language.
      const QString family = QFontInfo(QFont(row.family)).family();
      EXPECT_EQ(dialog->family(), family);
      EXPECT_EQ(dialog->familyList()->currentItem() ? dialog->familyList()->currentItem()->text() : QString(),
                family);
      EXPECT_EQ(dialog->styleList()->currentItem()->text(), row.style);
      EXPECT_EQ(dialog->sizeEdit()->text(), row.size);
      EXPECT_TRUE(dialog->findChildren<QCheckBox*>().isEmpty());  // no effects
      if (row.change) row.change(*dialog);
      dialog->accept();
    });
    QTest::keyClick(window->view(), Qt::Key_H, Qt::ControlModifier);
    EXPECT_TRUE(script.finished());
    FontRecord expected = row.stored;
    if (row.expected) row.expected(expected);
    if (!row.change) {
      EXPECT_EQ(storedFont(iniPath()), before);
    }
    EXPECT_EQ(window->docWnd().app.font, expected);
    window.reset();
    QFile::remove(iniPath());
  }
}

}  // namespace
}  // namespace tgc::test
