#include "marks/markpropertiesdialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/qtconvert.h"
#include "core/docwnd.h"
#include "marks/dialogframe.h"
#include "sheet/boxinput.h"
#include "sheet/sheetfonts.h"

namespace tgc {

namespace {

// An edit box in the mark font, wide enough for `sample`.
QLineEdit* markEdit(const QString& text, const QString& sample, QWidget* parent) {
  auto* edit = new QLineEdit(text, parent);
  edit->setFont(sheetFont(QStringLiteral("ＭＳ Ｐゴシック"), 17, false));
  const QMargins m = edit->textMargins();
  edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(sample) + m.left() + m.right() + 12);
  return edit;
}

}  // namespace

MarkPropertiesDialog::MarkPropertiesDialog(DocWnd& w, const MarkPropertiesRequest& request,
                                           std::function<bool(const MarkProperties&)> onOk, QWidget* parent)
    : QDialog(parent), w_(w), onOk_(std::move(onOk)) {
  useCloseBoxOnly(*this);
  setWindowTitle(request.mode == MarkDialogMode::Add ? QStringLiteral("ﾏｰｸ追加") : QStringLiteral("ﾏｰｸ修正"));

  // The boxes are sized for what their limits allow; they do not cap input,
  // the checks behind OK do.
  glyph_ = markEdit(fromCp932(request.initial.glyph), QStringLiteral("ＷＷＷ"), this);
  name_ = markEdit(fromCp932(request.initial.name), QStringLiteral("ＷＷＷＷＷＷＷＷＷＷＷ"), this);
  note_ = markEdit(fromCp932(request.initial.note), QString(24, QChar(0x3000)), this);

  auto* fields = new QGridLayout;
  const auto addRow = [&](int row, const QString& label, QLineEdit* edit) {
    auto* l = new QLabel(label, this);
    l->setBuddy(edit);
    fields->addWidget(l, row, 0);
    fields->addWidget(edit, row, 1, Qt::AlignLeft);
  };
  addRow(0, QStringLiteral("マーク"), glyph_);
  addRow(1, QStringLiteral("名称"), name_);
  addRow(2, QStringLiteral("補足"), note_);

  group_ = new QGroupBox(QStringLiteral("属性"), this);
  element_ = new QRadioButton(QStringLiteral("要素　（素材、場所、用途など）"), group_);
  transform_ = new QRadioButton(QStringLiteral("変換　（増やす、加える、逆転など）"), group_);
  unset_ = new QRadioButton(QStringLiteral("未設定"), group_);
  auto* radios = new QVBoxLayout(group_);
  radios->addWidget(element_);
  radios->addWidget(transform_);
  radios->addWidget(unset_);
  // An attribute outside 0 to 2 selects no button; OK then reads Unset.
  switch (request.initial.attribute) {
    case AttrElement:
      element_->setChecked(true);
      break;
    case AttrTransform:
      transform_->setChecked(true);
      break;
    case AttrUnset:
      unset_->setChecked(true);
      break;
  }
  group_->setEnabled(!request.attributeLocked);

  auto* buttons = new QDialogButtonBox(this);
  ok_ = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
  QPushButton* cancel = buttons->addButton(QStringLiteral("ｷｬﾝｾﾙ"), QDialogButtonBox::RejectRole);
  ok_->setDefault(true);
  connect(ok_, &QPushButton::clicked, this, &MarkPropertiesDialog::okPressed);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(fields);
  layout->addWidget(group_);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  setTabOrder(glyph_, name_);
  setTabOrder(name_, note_);
  setTabOrder(note_, element_);
  setTabOrder(element_, transform_);
  setTabOrder(transform_, unset_);
  setTabOrder(unset_, ok_);
  setTabOrder(ok_, cancel);
  glyph_->setFocus();
}

void MarkPropertiesDialog::okPressed() {
  // The values as typed, nothing trimmed; text the workbook cannot store is
  // refused here, before any check, and stays for correcting.
  const std::optional<std::string> glyph = toCp932(glyph_->text());
  const std::optional<std::string> name = toCp932(name_->text());
  const std::optional<std::string> note = toCp932(note_->text());
  if (!glyph || !name || !note) {
    warnUnstorableText(w_);
    return;
  }
  MarkProperties values{*glyph, *name, *note, AttrUnset};
  if (element_->isChecked()) values.attribute = AttrElement;
  if (transform_->isChecked()) values.attribute = AttrTransform;
  if (onOk_(values)) accept();
}

void MarkPropertiesDialog::keyPressEvent(QKeyEvent* event) {
  if (helpKey(w_, *event)) return;
  QDialog::keyPressEvent(event);
}

}  // namespace tgc
