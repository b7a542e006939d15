// The program's own dialogs as a person sees them: message boxes wide
// enough for their title, with a close button only.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

#include "app/commandids.h"
#include "app/dialogframe.h"
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
