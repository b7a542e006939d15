// Autosave against a real crash. This test program starts itself again as the
// program (the main window offscreen, started as main() starts it, with a
// 2-second interval in its settings file), which types a word through the
// window system's key path, waits for its autosave, types another and is
// then killed with SIGKILL. The copy must hold exactly the autosaved state,
// another running program must not see it, and the next start must offer
// it: discard and restore answered in the real message boxes.
#include <gtest/gtest.h>
#include <signal.h>

#include <QApplication>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <iostream>

#include "app/commandids.h"
#include "app/mainwindow.h"
#include "app/recoverykeeper.h"
#include "app/startup.h"
#include "core/fileio.h"
#include "core/workbookfile.h"
#include "marks/markeditor.h"
#include "sheet/sheetview.h"
#include "tests/support/fakes.h"
#include "tests/support/tempdir.h"

namespace tgc::test {
namespace {

namespace fs = std::filesystem;

// The bytes as the program holds them once it has opened them: opening
// brings the marks' derived sheet usage up to date.
std::string asOpened(const std::string& bytes) {
  Workbook wb;
  EXPECT_TRUE(parseWorkbook(bytes, wb));
  MarkEditor marks;
  marks.reloadEntries(wb);
  return serializeWorkbook(wb);
}

void typeWord(QWindow* window, const char* word) {
  QTest::keyClick(window, Qt::Key_Return);
  for (const char* c = word; *c; ++c) QTest::keyClick(window, *c);
  QTest::keyClick(window, Qt::Key_Return);
}

// The program's side: argv is --child WORKBOOK EXPECTED. Writes the bytes
// of its first autosaved state to EXPECTED and says "ready" once it has
// typed the next word; then waits to be killed.
int runChild(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setOrganizationName(QStringLiteral("ThoughtGridCraft"));
  QApplication::setApplicationName(QStringLiteral("ThoughtGridCraft"));
  MainWindow window;
  window.show();
  window.startUp(argv[2]);
  const auto recovery = startRecovery(window);
  const std::string expectedFile = argv[3];
  QWindow* handle = window.windowHandle();
  QApplication::setActiveWindow(&window);
  typeWord(handle, "alpha");
  const std::string saved = serializeWorkbook(window.docWnd().wb());
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, &poll, [&] {
    std::string copy;
    if (!readWholeFile(recovery->folder() + "/workbook.tgc", copy) || copy != saved) return;
    poll.stop();
    QTest::keyClick(handle, Qt::Key_Right);
    typeWord(handle, "beta");
    writeFileAtomically(expectedFile, saved);
    std::cout << "ready" << std::endl;
  });
  poll.start(10);
  return app.exec();
}

// Clicks the scripted buttons of the message boxes as they come up,
// recording their texts.
class BoxClicker : public QObject {
 public:
  explicit BoxClicker(std::vector<QMessageBox::StandardButton> buttons) : buttons_(std::move(buttons)) {
    connect(&timer_, &QTimer::timeout, this, [this] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box || buttons_.empty() || box->text() == last_) return;
      last_ = box->text();
      texts.push_back(box->text());
      box->button(buttons_.front())->click();
      buttons_.erase(buttons_.begin());
    });
    timer_.start(20);
  }
  QStringList texts;

 private:
  std::vector<QMessageBox::StandardButton> buttons_;
  QTimer timer_;
  QString last_;
};

TEST(CrashRecoveryTest, KilledProgramLeavesItsLastAutosaveAndTheNextStartOffersIt) {
  TempDir home("tgc-crash-");
  const std::string state = home.path("state");
  const std::string root = state + "/ThoughtGridCraft/recovery";
  fs::create_directories(home.path("config/ThoughtGridCraft"));
  home.write("config/ThoughtGridCraft/ThoughtGridCraft.conf", "[Recovery]\nAutosaveSeconds=2\n");
  std::string workbook;
  {
    Rig rig;
    documentStartUp(rig.w, {});
    workbook = home.write("企画.tgc", serializeWorkbook(rig.w.wb()));
  }
  const std::string expectedFile = home.path("expected.tgc");

  QProcess child;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("XDG_STATE_HOME"), QString::fromStdString(state));
  env.insert(QStringLiteral("XDG_CONFIG_HOME"), QString::fromStdString(home.path("config")));
  env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  child.setProcessEnvironment(env);
  child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  child.start(
      QCoreApplication::applicationFilePath(),
      {QStringLiteral("--child"), QString::fromStdString(workbook), QString::fromStdString(expectedFile)});
  ASSERT_TRUE(child.waitForStarted(10000));
  QByteArray out;
  while (!out.contains("ready\n") && child.waitForReadyRead(60000)) out += child.readAllStandardOutput();
  ASSERT_TRUE(out.contains("ready\n")) << out.toStdString();

  // A program running beside it never takes its copy.
  EXPECT_TRUE(claimLeftCopies(root).empty());
  ::kill(static_cast<pid_t>(child.processId()), SIGKILL);
  ASSERT_TRUE(child.waitForFinished(10000));
  EXPECT_EQ(child.exitStatus(), QProcess::CrashExit);

  std::string expected;
  ASSERT_TRUE(readWholeFile(expectedFile, expected));
  std::string typed;
  {
    std::vector<LeftCopy> left = claimLeftCopies(root);
    ASSERT_EQ(left.size(), 1u);
    std::string copy;
    ASSERT_TRUE(readLeftCopy(left[0], copy));
    EXPECT_EQ(copy, expected);  // "alpha", not the unsaved "beta"
    EXPECT_EQ(left[0].record.originalPath, fs::canonical(workbook).string());
    // A second, newer copy of an untitled workbook, to be discarded.
    fs::copy(left[0].folder, root + "/other");
    fs::remove(root + "/other/lock");
    writeFileAtomically(root + "/other/record", formatRecoveryRecord({"", left[0].record.savedAt + 60}));
  }

  // The next start, in this process, under the same folders.
  qputenv("XDG_STATE_HOME", state.c_str());
  auto settings =
      std::make_unique<QSettings>(QString::fromStdString(home.path("next.ini")), QSettings::IniFormat);
  settings->setValue(QStringLiteral("Recovery/AutosaveSeconds"), 1);
  MainWindow window(std::move(settings));
  window.show();
  window.startUp();
  BoxClicker clicker({QMessageBox::No, QMessageBox::Yes});
  const auto recovery = startRecovery(window);
  ASSERT_EQ(clicker.texts.size(), 2);
  EXPECT_TRUE(clicker.texts[0].contains(QStringLiteral("ファイル：無題\n")));
  EXPECT_TRUE(clicker.texts[1].contains(QStringLiteral("ファイル：企画.tgc\n")));

  QApplication::setActiveWindow(&window);
  window.view()->setFocus();
  DocWnd& w = window.docWnd();
  EXPECT_EQ(serializeWorkbook(w.wb()), asOpened(expected));
  EXPECT_EQ(w.doc.modified, 1);
  EXPECT_EQ(window.windowTitle(), QStringLiteral("企画.tgc - 発想マス目ノート"));
  // Only this program's folder is left, holding the restored copy.
  std::vector<fs::path> folders(fs::directory_iterator(root), {});
  ASSERT_EQ(folders.size(), 1u);
  EXPECT_EQ(folders[0].string(), recovery->folder());
  std::string ownCopy;
  ASSERT_TRUE(readWholeFile(recovery->folder() + "/workbook.tgc", ownCopy));
  EXPECT_EQ(ownCopy, expected);

  // Save writes where the workbook belonged and takes the copy away; a
  // change brings one back within the interval; a normal close removes all.
  window.runCommand(cmd::Save);
  recovery->drain();
  EXPECT_FALSE(fs::exists(recovery->folder() + "/workbook.tgc"));
  std::string saved;
  ASSERT_TRUE(readWholeFile(workbook, saved));
  EXPECT_EQ(saved, asOpened(expected));
  typeWord(window.windowHandle(), "gamma");
  const std::string copyPath = recovery->folder() + "/workbook.tgc";
  for (int i = 0; i < 100 && !fs::exists(copyPath); ++i) QTest::qWait(50);
  EXPECT_TRUE(fs::exists(copyPath));
  BoxClicker closeQuestion({QMessageBox::No});
  window.close();
  EXPECT_TRUE(fs::is_empty(root));
}

}  // namespace
}  // namespace tgc::test

int main(int argc, char** argv) {
  if (argc == 4 && std::string(argv[1]) == "--child") return tgc::test::runChild(argc, argv);
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
