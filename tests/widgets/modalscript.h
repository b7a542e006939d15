// Plays the person's part in modal windows. Each step waits for a modal
// window with its title to become the active one, then acts on it, as a
// person answers a window that has just appeared. A modal window that no
// step expects fails the test and is closed, so a window opened twice (or a
// message nobody scripted) is caught instead of blocking the test.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <deque>
#include <functional>

namespace tgc::test {

class ModalScript {
 public:
  using Action = std::function<void(QWidget*)>;

  ModalScript() {
    timer_.setInterval(5);
    QObject::connect(&timer_, &QTimer::timeout, &timer_, [this] { poll(); });
    timer_.start();
  }
  ~ModalScript() { timer_.stop(); }

  // The next modal window titled `title` gets `action`.
  ModalScript& on(const QString& title, Action action) {
    steps_.push_back({title, std::move(action)});
    return *this;
  }
  // The next message box: its text is recorded, then `button` pressed.
  ModalScript& answer(QMessageBox::StandardButton button) {
    return on(QStringLiteral("ThoughtGridCraft"), [this, button](QWidget* w) {
      auto* box = qobject_cast<QMessageBox*>(w);
      ASSERT_NE(box, nullptr);
      messages.append(box->text());
      QTest::mouseClick(box->button(button), Qt::LeftButton);
    });
  }

  bool finished() const { return steps_.empty() && !pending_; }

  // The texts of the message boxes answered, in order.
  QStringList messages;

 private:
  struct Step {
    QString title;
    Action action;
  };

  void poll() {
    if (pending_) return;
    QWidget* modal = QApplication::activeModalWidget();
    // The window an action is busy with (its nested windows are the ones to
    // answer) is not a new one.
    if (!modal || acting_.contains(modal)) return;
    if (steps_.empty() || steps_.front().title != modal->windowTitle()) {
      auto* box = qobject_cast<QMessageBox*>(modal);
      ADD_FAILURE() << "unexpected modal window: " << modal->windowTitle().toStdString() << " "
                    << (box ? box->text().toStdString() : std::string());
      if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->done(QDialog::Rejected);
      return;
    }
    Step step = std::move(steps_.front());
    steps_.pop_front();
    pending_ = true;
    // Acting from a fresh event lets this poll return, so the windows the
    // action opens are answered from inside their own event loops.
    QTimer::singleShot(0, &timer_,
                       [this, target = QPointer<QWidget>(modal), action = std::move(step.action)] {
                         pending_ = false;
                         if (!target) return;
                         acting_.append(target.data());
                         action(target.data());
                         acting_.removeOne(target.data());
                       });
  }

  QTimer timer_;
  std::deque<Step> steps_;
  QList<QWidget*> acting_;
  bool pending_ = false;
};

// Types text into the focused widget of `window` as key presses with text,
// as an input method delivers characters that have no key of their own.
inline void typeInto(QWidget* window, const QString& text) {
  for (QChar c : text) {
    QWidget* target = window->focusWidget() ? window->focusWidget() : window;
    QTest::sendKeyEvent(QTest::Click, target, Qt::Key_unknown, QString(c), Qt::NoModifier);
  }
}

}  // namespace tgc::test
