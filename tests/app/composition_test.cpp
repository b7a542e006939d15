// A Japanese composition started on a selected box, played as an input
// method plays it, through the main window's real event path.
#include <gtest/gtest.h>

#include <QApplication>
#include <QInputMethodEvent>
#include <QMessageBox>
#include <QPointer>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "app/mainwindow.h"
#include "core/cp932.h"
#include "sheet/geometry.h"
#include "sheet/sheetview.h"
#include "tests/widgets/modalscript.h"

namespace tgc::test {
namespace {

// Sends preedit and commit events to the focus object. When the focus moves
// while a preedit is pending, it commits that text to the object that had
// the focus, as the input-method frontends do; the reading is then gone, and
// what follows goes to the new focus object.
class ScriptedInputMethod : public QObject {
 public:
  ScriptedInputMethod() {
    connect(qApp, &QGuiApplication::focusObjectChanged, this, [this] {
      if (pending_.isEmpty() || !holder_) return;
      QInputMethodEvent commit;
      commit.setCommitString(pending_);
      pending_.clear();
      QCoreApplication::sendEvent(holder_, &commit);
    });
  }
  void preedit(const QString& text) {
    holder_ = QGuiApplication::focusObject();
    pending_ = text;
    QInputMethodEvent event(text, {});
    if (holder_) QCoreApplication::sendEvent(holder_, &event);
  }
  void commit(const QString& text) {
    pending_.clear();
    QInputMethodEvent event;
    event.setCommitString(text);
    if (QObject* target = QGuiApplication::focusObject()) QCoreApplication::sendEvent(target, &event);
  }

 private:
  QPointer<QObject> holder_;
  QString pending_;
};

struct CompositionRow {
  const char* name;
  bool themeWritten;
  int column, row;
  QStringList preedits;
  QString committed;
  std::string stored;  // the box's word afterwards, UTF-8
  bool refused;
};

TEST(Composition, OnASelectedBoxStaysWholeOrIsRefusedOnce) {
  const CompositionRow rows[] = {
      {"theme box", false, 2, 2, {"ｆ", "ふ", "ふた"}, "蓋", "蓋", false},
      {"box next to the theme", true, 1, 1, {"あ", "あk", "あき"}, "秋", "秋", false},
      {"box far from any word: one refusal for the key", true, 0, 0, {"ｆ"}, {}, "", true},
  };
  QStandardPaths::setTestModeEnabled(true);
  for (const CompositionRow& c : rows) {
    SCOPED_TRACE(c.name);
    QTemporaryDir dir;
    MainWindow window(
        std::make_unique<QSettings>(dir.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat));
    window.show();
    window.startUp();
    DocWnd& w = window.docWnd();
    if (c.themeWritten) {
      w.wb().words.push_back(Word{0, 0, utf8ToCp932("家").value()});
      findBox(*w.wb().currentSheetPtr(), 2, 2)->word = 0;
    }
    w.wb().cursorColumn = c.column;
    w.wb().cursorRow = c.row;
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    window.view()->setFocus();

    ModalScript script;  // a second refusal would be a window nobody expects
    if (c.refused) script.answer(QMessageBox::Ok);

    ScriptedInputMethod im;
    for (const QString& text : c.preedits) im.preedit(text);
    if (!c.committed.isEmpty()) {
      im.commit(c.committed);
      EXPECT_EQ(QApplication::focusWidget(), window.view()->editor());
      QTest::keyClick(window.windowHandle(), Qt::Key_Return);
    }
    EXPECT_EQ(w.editor.editing, 0);
    const Box* box = findBox(*w.wb().currentSheetPtr(), c.column, c.row);
    EXPECT_EQ(box && box->word >= 0 ? cp932ToUtf8(w.wb().wordText(box->word)).value_or("?") : "", c.stored);
    EXPECT_TRUE(script.finished());
    if (c.refused && !script.messages.isEmpty()) {
      EXPECT_TRUE(script.messages[0].startsWith(QStringLiteral("となりの語句が入力されていません。")));
    }
  }
}

}  // namespace
}  // namespace tgc::test
