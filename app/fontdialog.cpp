#include "app/fontdialog.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <cmath>
#include <cstdlib>

#include "app/dialogframe.h"
#include "app/dialogunits.h"
#include "app/qtconvert.h"
#include "sheet/sheetfonts.h"

namespace tgc {

namespace {

const char* const kStyles[] = {"標準", "斜体", "太字", "太字 斜体"};  // bit 0 slant, bit 1 bold
const int kSizes[] = {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72};

int styleOf(const FontRecord& r) {
  return (r.weight > 550 ? 2 : 0) | (r.italic ? 1 : 0);
}

// A list under a label and a field that shows its current item.
QListWidget* column(QGridLayout* grid, int at, const QString& label, QLineEdit* field) {
  auto* caption = new QLabel(label);
  caption->setBuddy(field);
  auto* list = new QListWidget;
  list->setAccessibleName(
      label.left(label.indexOf(QLatin1Char('('))));  // "フォント名(&F):" names "フォント名"
  grid->addWidget(caption, 0, at);
  grid->addWidget(field, 1, at);
  grid->addWidget(list, 2, at);
  QObject::connect(list, &QListWidget::currentTextChanged, field, [field](const QString& text) {
    if (!text.isEmpty() && field->text() != text) field->setText(text);
  });
  return list;
}

// The row of the first item that starts with the text, or -1.
int rowStartingWith(const QListWidget* list, const QString& text) {
  for (int i = 0; i < list->count(); ++i)
    if (list->item(i)->text().startsWith(text, Qt::CaseInsensitive)) return i;
  return -1;
}

}  // namespace

FontDialog::FontDialog(const FontRecord& current, QWidget* parent) : QDialog(parent), start_(current) {
  setWindowTitle(QStringLiteral("フォント"));
  if (const QScreen* screen = parent ? parent->screen() : nullptr) dpi_ = screen->logicalDotsPerInchY();

  auto* grid = new QGridLayout;
  familyEdit_ = new QLineEdit;
  families_ = column(grid, 0, QStringLiteral("フォント名(&F):"), familyEdit_);
  styleEdit_ = new QLineEdit;
  styleEdit_->setReadOnly(true);
  styles_ = column(grid, 1, QStringLiteral("スタイル(&Y):"), styleEdit_);
  sizeEdit_ = new QLineEdit;
  sizeEdit_->setValidator(new QIntValidator(1, 999, sizeEdit_));
  sizes_ = column(grid, 2, QStringLiteral("サイズ(&S):"), sizeEdit_);
  // Column widths in dialog units, so that they follow the dialog font.
  const DialogUnits du(font());
  const int widths[] = {du.x(110), du.x(64), du.x(36)};
  for (int c = 0; c < 3; ++c) {
    auto* list = qobject_cast<QListWidget*>(grid->itemAtPosition(2, c)->widget());
    list->setFixedSize(widths[c], du.y(76));
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->itemAtPosition(1, c)->widget()->setFixedWidth(widths[c]);
  }

  for (const QString& f : QFontDatabase::families())
    if (!f.startsWith(QLatin1Char('@')) && !QFontDatabase::isPrivateFamily(f)) families_->addItem(f);
  for (const char* s : kStyles) styles_->addItem(QString::fromUtf8(s));
  for (int s : kSizes) sizes_->addItem(QString::number(s));

  auto* sampleBox = new QGroupBox(QStringLiteral("サンプル"));
  auto* sampleLayout = new QVBoxLayout(sampleBox);
  sample_ = new QLabel(QStringLiteral("Aaあぁアァ亜宇"));
  sample_->setAlignment(Qt::AlignCenter);
  sample_->setFixedHeight(du.y(36));
  sample_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);  // a large size is cut, not widening
  sampleLayout->addWidget(sample_);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  ok_ = buttons->button(QDialogButtonBox::Ok);
  ok_->setText(QStringLiteral("OK"));
  buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addWidget(sampleBox);
  layout->addWidget(buttons);

  // Typing in a field marks the first matching item without overwriting what
  // is being typed; choosing in a list fills the field.
  connect(familyEdit_, &QLineEdit::textEdited, this, [this](const QString& text) {
    if (const int row = rowStartingWith(families_, text); row >= 0) {
      const QSignalBlocker keepTyping(families_);
      families_->setCurrentRow(row);
    }
    showSample();
  });
  connect(sizeEdit_, &QLineEdit::textEdited, this, [this](const QString& text) {
    const QList<QListWidgetItem*> same = sizes_->findItems(text, Qt::MatchExactly);
    const QSignalBlocker keepTyping(sizes_);
    if (same.isEmpty())
      sizes_->setCurrentRow(-1);
    else
      sizes_->setCurrentItem(same.first());
  });
  for (QLineEdit* field : {familyEdit_, styleEdit_, sizeEdit_})
    connect(field, &QLineEdit::textChanged, this, &FontDialog::showSample);

  // The start: the face as it is drawn (named as the font list names it, in
  // the user's language), the style, the height in points.
  startFamily_ = QFontInfo(QFont(mapFontFace(fromUtf8(current.faceName)))).family();
  startStyle_ = styleOf(current);
  startPoints_ = std::max(1, static_cast<int>(std::lround(std::abs(current.height) * 72.0 / dpi_)));
  const QList<QListWidgetItem*> face = families_->findItems(startFamily_, Qt::MatchFixedString);
  if (!face.isEmpty()) {
    families_->setCurrentItem(face.first());
    startFamily_ = face.first()->text();
  }
  familyEdit_->setText(startFamily_);
  styles_->setCurrentRow(startStyle_);
  const QList<QListWidgetItem*> size = sizes_->findItems(QString::number(startPoints_), Qt::MatchExactly);
  if (!size.isEmpty()) sizes_->setCurrentItem(size.first());
  sizeEdit_->setText(QString::number(startPoints_));
  for (QListWidget* list : {families_, styles_, sizes_})
    if (list->currentItem()) list->scrollToItem(list->currentItem(), QAbstractItemView::PositionAtCenter);
  showSample();

  layout->setSizeConstraint(QLayout::SetFixedSize);
  useCloseBoxOnly(*this);
}

QString FontDialog::family() const {
  // A name typed in part stands for the face the list marked for it.
  const QString typed = familyEdit_->text();
  const QListWidgetItem* marked = families_->currentItem();
  if (!typed.isEmpty() && marked && marked->text().startsWith(typed, Qt::CaseInsensitive))
    return marked->text();
  return typed;
}

int FontDialog::pointSize() const {
  bool ok = false;
  const int points = sizeEdit_->text().toInt(&ok);
  return ok && points > 0 ? points : 0;
}

FontRecord FontDialog::record() const {
  FontRecord r = start_;
  if (family() != startFamily_) r.faceName = fitFaceName(toUtf8(family()));
  const int style = styles_->currentRow();
  if (style >= 0 && style != startStyle_) {
    r.weight = (style & 2) ? 700 : 400;
    r.italic = (style & 1) ? 1 : 0;
  }
  if (const int points = pointSize(); points > 0 && points != startPoints_)
    r.height = -static_cast<int>(std::lround(points * dpi_ / 72.0));
  r.underline = 0;  // the dialog offers no effects
  return r;
}

void FontDialog::showSample() {
  const int style = std::max(0, styles_->currentRow());
  QFont f(mapFontFace(family()));
  f.setPointSize(pointSize() > 0 ? pointSize() : startPoints_);
  f.setWeight((style & 2) ? QFont::Bold : QFont::Normal);
  f.setItalic(style & 1);
  sample_->setFont(f);
  // A face must be one the list offers (or the one the dialog started on).
  const bool knownFace =
      family() == startFamily_ || !families_->findItems(family(), Qt::MatchFixedString).isEmpty();
  ok_->setEnabled(pointSize() > 0 && knownFace);
}

std::optional<FontRecord> chooseFontRecord(QWidget* parent, const FontRecord& current) {
  FontDialog dialog(current, parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.record();
}

}  // namespace tgc
