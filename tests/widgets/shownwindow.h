// The main window as the program shows it, for tests that drive it as a
// person would: a settings file of its own in a temporary folder, started
// up, active, with the keyboard focus on the sheet view.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <memory>

#include "app/mainwindow.h"
#include "sheet/sheetview.h"

namespace tgc::test {

class ShownWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    QStandardPaths::setTestModeEnabled(true);
    ASSERT_TRUE(dir.isValid());
    window = std::make_unique<MainWindow>(std::make_unique<QSettings>(settingsFile(), QSettings::IniFormat));
    window->show();
    window->startUp();
    QApplication::setActiveWindow(window.get());
    window->view()->setFocus();
  }

  QString settingsFile() const { return dir.filePath(QStringLiteral("settings.ini")); }

  QTemporaryDir dir;
  std::unique_ptr<MainWindow> window;
};

}  // namespace tgc::test
