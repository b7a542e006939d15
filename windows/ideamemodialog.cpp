#include "windows/ideamemodialog.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/dialogframe.h"
#include "app/qtconvert.h"
#include "app/qtwindowsize.h"
#include "app/textstyle.h"
#include "core/docwnd.h"
#include "sheet/boxinput.h"
#include "sheet/textconv.h"
#include "windows/dialogstyle.h"
#include "windows/ideamemo.h"

namespace tgc {

IdeaMemoDialog::IdeaMemoDialog(DocWnd& w, IdeaMemoSession& session, QWidget* parent)
    : QDialog(parent), w_(w), session_(session) {
  useCloseBoxOnly(*this);
  setWindowTitle(QStringLiteral("アイデアメモ"));
  setFont(dialogFont());
  setMinimumSize(360, 200);
  resize(404, 326);  // the template's size at its font
  applyStoredWindowSize(*this, w.ports.settings, SizedWindow::IdeaMemo);
  recordWindowSizeOnOpen(*this, w.ports.settings, SizedWindow::IdeaMemo);

  selector_ = new QComboBox(this);
  // Qt names a combo box by its current text here; this says what it picks.
  selector_->setAccessibleDescription(QStringLiteral("メモを書くアイデア"));
  selector_->setFont(gothicFont(17));
  for (const std::string& text : session.entryTexts()) selector_->addItem(wordToQt(text));
  selector_->setCurrentIndex(session.selected());

  field_ = new QPlainTextEdit(this);
  field_->setAccessibleName(QStringLiteral("メモ"));
  field_->setFont(gothicFont(17));
  field_->setLineWrapMode(QPlainTextEdit::NoWrap);  // lines as typed, scrolled sideways
  field_->setTabChangesFocus(true);
  field_->installEventFilter(this);

  // Shown, unlike in the dialog template, so memos can be stored
  // without closing the window.
  update_ = new QPushButton(QStringLiteral("更新"), this);
  auto* close = new QPushButton(QStringLiteral("終了"), this);
  for (QPushButton* b : {update_, close}) {
    b->setAutoDefault(false);  // Enter is a line break in the field, nothing elsewhere
    b->setMinimumSize(74, 28);
    b->installEventFilter(this);
  }

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(15, 15, 15, 18);
  layout->setSpacing(15);
  layout->addWidget(selector_);
  layout->addWidget(field_, 1);
  auto* buttons = new QHBoxLayout;
  buttons->setSpacing(7);
  buttons->addStretch(1);
  buttons->addWidget(update_);
  buttons->addWidget(close);
  layout->addLayout(buttons);

  showSelection();
  close->setFocus(Qt::OtherFocusReason);

  connect(selector_, &QComboBox::currentIndexChanged, this, [this](int index) {
    if (filling_) return;
    if (!fieldStorable()) {
      // The text stays where it was typed, to be mended.
      filling_ = true;
      selector_->setCurrentIndex(session_.selected());
      filling_ = false;
      return;
    }
    session_.select(index);
    showSelection();
  });
  connect(field_, &QPlainTextEdit::textChanged, this, &IdeaMemoDialog::fieldEdited);
  connect(update_, &QPushButton::clicked, this, [this] {
    session_.update();
    if (session_.holdsUnstorable()) field_->setFocus(Qt::OtherFocusReason);  // to mend it
    update_->setEnabled(session_.changed());
  });
  connect(close, &QPushButton::clicked, this, &IdeaMemoDialog::reject);
}

void IdeaMemoDialog::showSelection() {
  filling_ = true;
  QString text = wordToQt(session_.shownText());
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  field_->setPlainText(text);
  field_->setEnabled(session_.fieldEnabled());
  filling_ = false;
  update_->setEnabled(session_.changed());
}

void IdeaMemoDialog::fieldEdited() {
  if (filling_) return;
  QString text = field_->toPlainText();
  text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
  bool dropped = false;
  const std::string cp932 = qtToWord(text, &dropped);
  if (dropped)
    session_.typedUnstorable();  // refused only when it would be stored
  else
    session_.typed(cp932);
  update_->setEnabled(true);
}

bool IdeaMemoDialog::fieldStorable() {
  if (!session_.holdsUnstorable()) return true;
  warnUnstorableText(w_);
  field_->setFocus(Qt::OtherFocusReason);
  return false;
}

void IdeaMemoDialog::reject() {
  if (!session_.close()) {
    if (session_.holdsUnstorable()) field_->setFocus(Qt::OtherFocusReason);  // to mend it
    return;
  }
  recordWindowSizeOnClose(*this, w_.ports.settings, SizedWindow::IdeaMemo);
  QDialog::reject();
}

void IdeaMemoDialog::keyPressEvent(QKeyEvent* event) {
  if (!helpKey(w_, *event)) QDialog::keyPressEvent(event);
}

bool IdeaMemoDialog::eventFilter(QObject* watched, QEvent* event) {
  // A button takes Space with any modifier; Ctrl+Space, the key that opened
  // the window, pressed once more must not press 終了 under the focus.
  if (qobject_cast<QPushButton*>(watched) &&
      (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease)) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Space && key->modifiers() & Qt::ControlModifier) return true;
  }
  if (watched == field_ && event->type() == QEvent::FocusIn) {
    // Entering the field leaves no text selected and the caret in sight.
    QTextCursor cursor = field_->textCursor();
    cursor.clearSelection();
    field_->setTextCursor(cursor);
    field_->ensureCursorVisible();
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace tgc
