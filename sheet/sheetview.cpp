#include "sheet/sheetview.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QInputMethod>
#include <QInputMethodEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QUrl>

#include "core/docwnd.h"
#include "sheet/boxinput.h"
#include "sheet/paintprims.h"
#include "sheet/sheetaccessible.h"
#include "sheet/sheetfonts.h"
#include "sheet/sheetpainter.h"
#include "sheet/textconv.h"

namespace tgc {

// ---- BoxEditor --------------------------------------------------------------

BoxEditor::BoxEditor(QWidget* parent) : QPlainTextEdit(parent) {
  setFrameShape(QFrame::NoFrame);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setLineWrapMode(QPlainTextEdit::WidgetWidth);
  setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  document()->setDocumentMargin(0);
  setContextMenuPolicy(Qt::NoContextMenu);
}

void BoxEditor::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      Q_EMIT commitRequested();
      return;
    case Qt::Key_Escape:
      Q_EMIT cancelRequested();
      return;
    default:
      QPlainTextEdit::keyPressEvent(event);
  }
}

void BoxEditor::focusOutEvent(QFocusEvent* event) {
  QPlainTextEdit::focusOutEvent(event);
  // A popup (an input-method candidate list, a menu) does not end the edit.
  if (event->reason() != Qt::PopupFocusReason) Q_EMIT focusLost();
}

// ---- QtViewTimers -----------------------------------------------------------

QtViewTimers::QtViewTimers(QObject* parent) : QObject(parent) {}

void QtViewTimers::startTimer(int id, int ms) {
  QTimer*& t = timers_[id];
  if (!t) {
    t = new QTimer(this);
    t->setSingleShot(true);
    connect(t, &QTimer::timeout, this, [this, id] { Q_EMIT expired(id); });
  }
  t->start(std::max(0, static_cast<int>(ms * scale_)));
}

void QtViewTimers::stopTimer(int id) {
  auto it = timers_.find(id);
  if (it != timers_.end() && it->second) it->second->stop();
}

bool QtViewTimers::isRunning(int id) const {
  auto it = timers_.find(id);
  return it != timers_.end() && it->second && it->second->isActive();
}

// ---- SheetView --------------------------------------------------------------

SheetView::SheetView(DocWnd& docWnd, QWidget* parent)
    : QWidget(parent), docWnd_(docWnd), textFont_(defaultWordFont()), interaction_(docWnd, *this) {
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_InputMethodEnabled);
  setMouseTracking(true);
  setAcceptDrops(true);
  installSheetAccessibility();

  editor_ = new BoxEditor(this);
  editor_->hide();
  connect(editor_, &BoxEditor::commitRequested, this, &SheetView::commitEdit);
  connect(editor_, &BoxEditor::cancelRequested, this, &SheetView::cancelEdit);
  connect(editor_, &BoxEditor::focusLost, this, &SheetView::commitEdit);

  docWnd_.view.timers = &timers_;
  connect(&timers_, &QtViewTimers::expired, this, [this](int id) { interaction_.onTimer(id); });
}

SheetView::~SheetView() {
  if (docWnd_.view.timers == &timers_) docWnd_.view.timers = nullptr;
  // QWidget's destructor hides the editor, which then loses the focus and
  // would call commitEdit on a view that is no longer one. The close
  // sequence has ended any edit before the view goes.
  disconnect(editor_, nullptr, this, nullptr);
}

void SheetView::setTextFont(const QFont& font) {
  textFont_ = font;
  // Stored settings name the classic Windows faces; use their stand-ins.
  textFont_.setFamily(mapFontFace(font.family()));
  editor_->setFont(textFont_);
  update();
}

bool SheetView::isEditing() const {
  return docWnd_.editor.editing != 0;
}

bool SheetView::beginEdit() {
  if (isEditing()) return false;
  const auto opening = tgc::openEditor(docWnd_, width(), height());
  refresh();
  if (!opening) return false;

  QString text = wordToQt(opening->text);
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  const Rect& r = opening->rect;
  editor_->setUpdatesEnabled(false);
  editor_->setGeometry(r.left, r.top, r.width(), r.height());
  editor_->setFont(textFont_);
  QPalette pal = editor_->palette();
  pal.setColor(QPalette::Base, Qt::white);
  pal.setColor(QPalette::Text, paint::fromColorRef(docWnd_.shell.textColor));
  editor_->setPalette(pal);
  editor_->setPlainText(text);
  editor_->setAccessibleName(wordToQt(editorSpokenName(docWnd_.wb())));
  editor_->moveCursor(QTextCursor::End);
  editor_->setUpdatesEnabled(true);
  editor_->show();
  if (composition_ == Composition::Opening)
    QGuiApplication::inputMethod()->update(Qt::ImQueryAll);  // the candidates move to the editor
  else
    editor_->setFocus(Qt::OtherFocusReason);
  return true;
}

void SheetView::commitEdit() {
  endEdit(false);
}

void SheetView::cancelEdit() {
  endEdit(true);
}

void SheetView::endEdit(bool cancel) {
  if (!editorClosable(docWnd_) || refusingText_) return;
  if (composition_ == Composition::InEditor) {
    // The reading still being composed on the view belongs to this edit.
    composition_ = Composition::Closing;
    if (cancel)
      QGuiApplication::inputMethod()->reset();
    else
      QGuiApplication::inputMethod()->commit();
    composition_ = Composition::None;
  }
  QString text = editor_->toPlainText();
  // Stored words keep the line breaks of the platform the files come from.
  text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
  bool unstorable = false;
  const std::string word = qtToWord(text, &unstorable);
  if (!cancel && unstorable) {
    // Never store a silently changed word: keep the editor open with the
    // text as typed. The guard stops the focus change of the message box
    // from committing again.
    // One user action (a click: focus change, then press) may ask several
    // times; warn once for it.
    if (!refusedThisEvent_) {
      refusingText_ = true;
      warnUnstorableText(docWnd_);
      refusingText_ = false;
      refusedThisEvent_ = true;
      QTimer::singleShot(0, this, [this] { refusedThisEvent_ = false; });
    }
    editor_->setFocus(Qt::OtherFocusReason);
    return;
  }
  editor_->clear();
  docWnd_.editor.closingEditor = 1;
  setFocus(Qt::OtherFocusReason);
  editor_->hide();
  docWnd_.editor.closingEditor = 0;
  closeEditor(docWnd_, cancel, word);
  refresh();
}

void SheetView::refresh() {
  update();
  if (QAccessible::isActive())
    scheduleAnnouncement(false);
  else
    spoken_.reset();  // stale once nobody listens
}

void SheetView::scheduleAnnouncement(bool focusBox) {
  focusBox_ = focusBox_ || focusBox;
  if (announcing_) return;
  announcing_ = true;
  QMetaObject::invokeMethod(this, &SheetView::announce, Qt::QueuedConnection);
}

void SheetView::announce() {
  announcing_ = false;
  auto now = std::make_unique<SheetSpeech>(speakSheet(docWnd_));
  // A screen reader that has just arrived learns where the focus is and
  // asks for the rest itself.
  announceSheetChanges(*this, spoken_ ? *spoken_ : *now, *now, focusBox_ || !spoken_);
  focusBox_ = false;
  spoken_ = std::move(now);
}

void SheetView::paintInto(QPainter& p, bool hasFocus, qreal ratio) const {
  PaintContext ctx;
  ctx.hasFocus = hasFocus;
  ctx.textFont = textFont_;
  ctx.devicePixelRatio = ratio;
  docWnd_.view.buttons = SheetPainter(p, docWnd_, width(), height(), ctx).paint();
}

QImage SheetView::snapshot(qreal ratio) const {
  QImage image(size() * ratio, QImage::Format_RGB32);
  image.setDevicePixelRatio(ratio);
  QPainter p(&image);
  paintInto(p, hasFocus(), ratio);
  return image;
}

void SheetView::paintEvent(QPaintEvent*) {
  QPainter p(this);
  paintInto(p, hasFocus(), devicePixelRatioF());
}

void SheetView::mousePressEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  if (event->button() == Qt::LeftButton)
    interaction_.onLeftDown(at.x(), at.y(), false);
  else if (event->button() == Qt::RightButton)
    interaction_.onRightDown(at.x(), at.y());
}

void SheetView::mouseDoubleClickEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  if (event->button() == Qt::LeftButton)
    interaction_.onLeftDown(at.x(), at.y(), true);
  else if (event->button() == Qt::RightButton)
    interaction_.onRightDown(at.x(), at.y());
}

void SheetView::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  if (event->button() == Qt::LeftButton)
    interaction_.onLeftUp(at.x(), at.y());
  else if (event->button() == Qt::RightButton)
    interaction_.onRightUp();
}

void SheetView::mouseMoveEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  interaction_.onPointerMove(at.x(), at.y());
}

void SheetView::leaveEvent(QEvent*) {
  interaction_.onPointerLeave();
}

void SheetView::focusInEvent(QFocusEvent*) {
  // Whatever the input method was composing for a refused box is gone.
  if (composition_ == Composition::Refused) composition_ = Composition::None;
  commitEdit();
  update();
  if (QAccessible::isActive()) scheduleAnnouncement(true);
}

void SheetView::focusOutEvent(QFocusEvent*) {
  update();
}

void SheetView::resizeEvent(QResizeEvent*) {
  commitEdit();
  if (!isEditing()) return;
  // A refused commit keeps the editor open: keep it over its box.
  const Rect r = editorRect(
      boxRect(computeLayout(width(), height()), docWnd_.wb().cursorColumn, docWnd_.wb().cursorRow));
  editor_->setGeometry(r.left, r.top, r.width(), r.height());
}

void SheetView::startComposition() {
  composition_ = Composition::Opening;
  endedWhileOpening_ = false;
  if (imeKey_)
    imeKey_();
  else
    beginEdit();
  composition_ = isEditing() ? Composition::InEditor : Composition::Refused;
}

void SheetView::inputMethodEvent(QInputMethodEvent* event) {
  const bool ends = event->preeditString().isEmpty();
  switch (composition_) {
    case Composition::Opening:
      // A refusal's message took the focus and the input method committed
      // the reading here: the box refused it.
      if (ends) endedWhileOpening_ = true;
      return;
    case Composition::None:
      if (ends && event->commitString().isEmpty()) return;
      if (isEditing()) {
        QCoreApplication::sendEvent(editor_, event);
        if (ends && hasFocus()) editor_->setFocus(Qt::OtherFocusReason);
        return;
      }
      // The first event of a composition on the view is its input-method key.
      startComposition();
      break;
    case Composition::Closing:
      QCoreApplication::sendEvent(editor_, event);
      return;
    case Composition::InEditor:
    case Composition::Refused:
      break;
  }
  if (composition_ == Composition::InEditor && isEditing()) QCoreApplication::sendEvent(editor_, event);
  if (!ends && !endedWhileOpening_) return;
  // The composition has ended; the editor takes the keys that follow. When
  // it ended because the focus went to another window, the editor gets the
  // focus back with its window.
  const bool inEditor = composition_ == Composition::InEditor;
  composition_ = Composition::None;
  if (inEditor && isEditing() && (hasFocus() || !isActiveWindow())) editor_->setFocus(Qt::OtherFocusReason);
}

QVariant SheetView::inputMethodQuery(Qt::InputMethodQuery query) const {
  if (composition_ == Composition::InEditor && isEditing() && query != Qt::ImEnabled) {
    // The composition shows in the editor: the input method places its
    // windows by the editor's cursor.
    const QVariant v = editor_->inputMethodQuery(query);
    if (v.typeId() == QMetaType::QRect) return v.toRect().translated(editor_->pos());
    if (v.typeId() == QMetaType::QRectF) return v.toRectF().translated(editor_->pos());
    return v;
  }
  switch (query) {
    case Qt::ImEnabled:
      return true;
    case Qt::ImCursorRectangle: {
      const Workbook& wb = docWnd_.wb();
      const Rect r = wordTextRect(boxRect(computeLayout(width(), height()), wb.cursorColumn, wb.cursorRow));
      return QRect(r.left, r.top, 1, QFontMetrics(textFont_).height());
    }
    default:
      return QWidget::inputMethodQuery(query);
  }
}

void SheetView::dragEnterEvent(QDragEnterEvent* event) {
  const QMimeData* mime = event->mimeData();
  if (mime->hasUrls() && !mime->urls().isEmpty() && mime->urls().constFirst().isLocalFile())
    event->acceptProposedAction();
}

void SheetView::dropEvent(QDropEvent* event) {
  const QMimeData* mime = event->mimeData();
  if (!mime->hasUrls() || mime->urls().isEmpty() || !mime->urls().constFirst().isLocalFile()) return;
  event->acceptProposedAction();
  // Only the first file counts, like a workbook opened by path.
  Q_EMIT fileDropped(mime->urls().constFirst().toLocalFile());
}

void SheetView::focusView() {
  commitEdit();
  // A refused commit leaves the editor open with the focus; taking it away
  // would only ask again.
  if (isEditing()) return;
  setFocus(Qt::MouseFocusReason);
}

void SheetView::openWordList() {
  Q_EMIT wordListRequested();
}

bool SheetView::isActiveApplication() const {
  return QGuiApplication::applicationState() == Qt::ApplicationActive;
}

void SheetView::setTracking(bool) {
  // Mouse tracking is always on and leave events stand in for the capture,
  // so there is nothing to grab.
}

}  // namespace tgc
