// The visible sheet view. It paints the controller's current state and
// forwards pointer events to the interaction state machine; it never changes
// the workbook itself. It owns the in-place editor widget and the view's
// one-shot timers.
#pragma once

#include <QFont>
#include <QPlainTextEdit>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <map>
#include <memory>

#include "sheet/interaction.h"
#include "sheet/sheetspeech.h"

namespace tgc {

class DocWnd;

// The in-place editor: plain multi-line text. Enter commits and Escape
// cancels even when no application-wide key dispatch intercepts them.
class BoxEditor : public QPlainTextEdit {
  Q_OBJECT
 public:
  explicit BoxEditor(QWidget* parent);

 Q_SIGNALS:
  void commitRequested();
  void cancelRequested();
  void focusLost();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
};

// The view's timers as Qt single-shot timers; a time scale below 1 makes
// them run faster (tests).
class QtViewTimers : public QObject, public ViewTimerPort {
  Q_OBJECT
 public:
  explicit QtViewTimers(QObject* parent = nullptr);
  void startTimer(int id, int ms) override;
  void stopTimer(int id) override;
  bool isRunning(int id) const;
  void setTimeScale(double scale) { scale_ = scale; }

 Q_SIGNALS:
  void expired(int id);

 private:
  std::map<int, QTimer*> timers_;
  double scale_ = 1.0;
};

class SheetView : public QWidget, private ViewHost {
  Q_OBJECT
 public:
  SheetView(DocWnd& docWnd, QWidget* parent = nullptr);
  ~SheetView() override;

  // The user's text font for words and the editor.
  void setTextFont(const QFont& font);
  QFont textFont() const { return textFont_; }

  bool isEditing() const override;
  // Opens the editor on the selected box after the input rules; false when
  // refused (the view repaints to show a moved selection) or already open.
  bool beginEdit();
  // Ends an open edit; nothing when none is open.
  void commitEdit();
  void cancelEdit();
  BoxEditor* editor() const { return editor_; }
  // What the input-method key does when a composition starts on the view;
  // the main window runs it through its key dispatch. Without one the
  // editor opens after the input rules.
  void setImeKeyHandler(std::function<void()> handler) { imeKey_ = std::move(handler); }

  SheetInteraction& interaction() { return interaction_; }
  QtViewTimers& timers() { return timers_; }
  const DocWnd& docWnd() const { return docWnd_; }

  // The state it shows changed: repaints, and tells an assistive technology
  // (when one listens) what changed.
  void refresh();

  // Renders the view as it would paint now, at the given ratio.
  QImage snapshot(qreal devicePixelRatio = 1) const;

 Q_SIGNALS:
  // Header button 3: the main window opens the word list.
  void wordListRequested();
  // A file was dropped on the view; the main window opens it.
  void fileDropped(const QString& path);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  // ViewHost
  int clientWidth() const override { return width(); }
  int clientHeight() const override { return height(); }
  void focusView() override;
  void openEditor() override { beginEdit(); }
  void openWordList() override;
  bool isActiveApplication() const override;
  void setTracking(bool on) override;
  void repaint() override { refresh(); }

  void endEdit(bool cancel);
  // A composition that starts on the view stays there until it ends: moving
  // the focus would make the input method commit its unfinished reading.
  enum class Composition { None, Opening, InEditor, Refused, Closing };
  void startComposition();
  void paintInto(QPainter& p, bool hasFocus, qreal ratio) const;
  // Announcements wait for the event loop, so that one action's changes go
  // out together, after Qt's own focus event.
  void scheduleAnnouncement(bool focusBox);
  void announce();

  DocWnd& docWnd_;
  QFont textFont_;
  BoxEditor* editor_ = nullptr;
  bool refusingText_ = false;      // a warning about unstorable text is up
  bool refusedThisEvent_ = false;  // that warning was shown for this action
  std::function<void()> imeKey_;
  Composition composition_ = Composition::None;
  bool endedWhileOpening_ = false;
  QtViewTimers timers_;
  SheetInteraction interaction_;
  std::unique_ptr<SheetSpeech> spoken_;  // what was last announced
  bool announcing_ = false;
  bool focusBox_ = false;
};

}  // namespace tgc
