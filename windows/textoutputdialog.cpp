#include "windows/textoutputdialog.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "marks/dialogframe.h"
#include "windows/dialogstyle.h"

namespace tgc {

namespace {

// One group box of radio buttons, ids 0, 1, ... in the order given.
QGroupBox* radioGroup(const QString& title, const QStringList& texts, QButtonGroup* group, QWidget* parent) {
  auto* box = new QGroupBox(title, parent);
  auto* layout = new QVBoxLayout(box);
  for (int id = 0; id < texts.size(); ++id) {
    auto* radio = new QRadioButton(texts[id], box);
    group->addButton(radio, id);
    layout->addWidget(radio);
  }
  layout->addStretch(1);
  return box;
}

}  // namespace

TextOutputDialog::TextOutputDialog(const TextOutputChoice& preset, ChoiceHandler output,
                                   ChoiceHandler remember, QWidget* parent)
    : QDialog(parent) {
  useCloseBoxOnly(*this);
  setWindowTitle(QStringLiteral("テキスト出力"));
  setFont(dialogFont());

  kinds_ = new QButtonGroup(this);
  formats_ = new QButtonGroup(this);
  QGroupBox* kindBox = radioGroup(
      QStringLiteral("出力種別"),
      {QStringLiteral("シート"), QStringLiteral("アイデアリスト"), QStringLiteral("テーマリスト"),
       QStringLiteral("語句リスト"), QStringLiteral("マークリスト"), QStringLiteral("アイデアメモ")},
      kinds_, this);
  QGroupBox* formatBox =
      radioGroup(QStringLiteral("ファイル形式"),
                 {QStringLiteral("テキスト"), QStringLiteral("ＣＳＶ（カンマ区切り）")}, formats_, this);
  kinds_->button(static_cast<int>(preset.kind))->setChecked(true);
  formats_->button(static_cast<int>(preset.format))->setChecked(true);

  output_ = new QPushButton(QStringLiteral("出力"), this);
  output_->setDefault(true);
  auto* close = new QPushButton(QStringLiteral("終了"), this);
  close->setAutoDefault(false);
  for (QPushButton* b : {output_, close}) b->setMinimumSize(74, 28);

  auto* groups = new QHBoxLayout;
  groups->addWidget(kindBox);
  groups->addWidget(formatBox, 0, Qt::AlignTop);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(output_);
  buttons->addWidget(close);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(15, 15, 15, 15);
  layout->setSpacing(15);
  layout->addLayout(groups);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  connect(output_, &QPushButton::clicked, this, [this, output] { output(choice()); });
  connect(close, &QPushButton::clicked, this, &QDialog::reject);
  // The idea memo kind is taken at once, before any output.
  connect(kinds_->button(static_cast<int>(OutputKind::Memos)), &QRadioButton::clicked, this,
          [this, remember] { remember(choice()); });
}

TextOutputChoice TextOutputDialog::choice() const {
  return {static_cast<OutputKind>(kinds_->checkedId()), static_cast<OutputFormat>(formats_->checkedId())};
}

void TextOutputWindow::run(const TextOutputChoice& preset,
                           const std::function<void(const TextOutputChoice&)>& output,
                           const std::function<void(const TextOutputChoice&)>& remember) {
  TextOutputDialog dialog(preset, output, remember, parent_);
  dialog.exec();
}

}  // namespace tgc
