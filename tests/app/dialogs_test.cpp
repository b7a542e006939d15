// The program's own dialogs as a person sees them: the About dialog built
// from its dialog-unit template, and message boxes wide enough for their
// title.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

#include "app/aboutdialog.h"
#include "app/commandids.h"
#include "app/dialogframe.h"
#include "app/dialogunits.h"
#include "app/mainwindow.h"
#include "app/qtuiport.h"
#include "sheet/sheetview.h"

namespace tgc::test {
namespace {

// Runs check on the next modal window once it is up, then closes it.
void onNextModal(const std::function<void(QDialog&)>& check) {
  auto* timer = new QTimer;
  QObject::connect(timer, &QTimer::timeout, [timer, check] {
    auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (!modal || !modal->isVisible()) return;
    timer->stop();
    timer->deleteLater();
    check(*modal);
    if (modal->isVisible()) modal->reject();
  });
  timer->start(1);
}

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
  const QFont mono(QStringLiteral("DejaVu Sans Mono"), 10);
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
  bool seen = false;
  onNextModal([&](QDialog& about) {
    seen = true;
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
  });
  window->runCommand(cmd::About);
  EXPECT_TRUE(seen);
}

TEST_F(DialogsTest, MessageBoxesShowTheirWholeTitle) {
  QWidget owner;
  QtUiPort ui;
  ui.setWindow(&owner);
  const struct {
    const char* text;
    Buttons buttons;
  } rows[] = {{"OK?", Buttons::OkCancel}, {"!", Buttons::Ok}, {"Yes?", Buttons::YesNoCancel}};
  for (const auto& r : rows) {
    SCOPED_TRACE(r.text);
    bool seen = false;
    onNextModal([&](QDialog& box) {
      seen = true;
      EXPECT_GE(box.width(), titleBarWidth(box.windowTitle(), box.font()));
      EXPECT_TRUE(closeButtonOnly(box));
    });
    ui.message(MessageKind::Question, r.text, r.buttons);
    EXPECT_TRUE(seen);
  }
}

}  // namespace
}  // namespace tgc::test
