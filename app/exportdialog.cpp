#include "app/exportdialog.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

#include "app/dialogframe.h"

namespace tgc {

namespace {

QGroupBox* radioGroup(QWidget* parent, const QString& title, QButtonGroup* group,
                      std::initializer_list<const char*> labels) {
  auto* box = new QGroupBox(title, parent);
  auto* layout = new QVBoxLayout(box);
  int id = 0;
  for (const char* label : labels) {
    auto* button = new QRadioButton(QString::fromUtf8(label), box);
    group->addButton(button, id++);
    layout->addWidget(button);
  }
  return box;
}

}  // namespace

ExportDialog::ExportDialog(const ExportChoice& preset, int currentSheet, int sheetCount, QWidget* parent)
    : QDialog(parent) {
  useCloseBoxOnly(*this);
  setWindowTitle(QStringLiteral("エクスポート"));
  formats_ = new QButtonGroup(this);
  scopes_ = new QButtonGroup(this);
  sheetCount = std::max(1, sheetCount);
  currentSheet = std::clamp(currentSheet, 1, sheetCount);

  QGroupBox* formatBox = radioGroup(this, QStringLiteral("形式"), formats_,
                                    {"PDF(&D)", "PNG画像(&G)", "Markdown(&M)", "OPML(&O)"});
  auto* scaleRow = new QHBoxLayout;
  auto* scaleLabel = new QLabel(QStringLiteral("PNG画像の倍率(&S):"), this);
  scale_ = new QComboBox(this);
  scale_->addItems({QStringLiteral("1×"), QStringLiteral("2×"), QStringLiteral("3×")});
  scaleLabel->setBuddy(scale_);
  scaleRow->addWidget(scaleLabel);
  scaleRow->addWidget(scale_);
  scaleRow->addStretch();
  static_cast<QVBoxLayout*>(formatBox->layout())->addLayout(scaleRow);

  QGroupBox* sheetBox = radioGroup(this, QStringLiteral("シート"), scopes_,
                                   {"現在のシート(&C)", "すべてのシート(&A)", "範囲指定(&R)"});
  from_ = new QSpinBox(this);
  to_ = new QSpinBox(this);
  for (QSpinBox* s : {from_, to_}) s->setRange(1, sheetCount);
  from_->setAccessibleName(QStringLiteral("範囲の最初のシート"));
  to_->setAccessibleName(QStringLiteral("範囲の最後のシート"));
  auto* rangeRow = new QHBoxLayout;
  rangeRow->setContentsMargins(24, 0, 0, 0);
  rangeRow->addWidget(from_);
  rangeRow->addWidget(new QLabel(QStringLiteral("～"), this));
  rangeRow->addWidget(to_);
  rangeRow->addWidget(new QLabel(QStringLiteral("/ %1").arg(sheetCount), this));
  rangeRow->addStretch();
  static_cast<QVBoxLayout*>(sheetBox->layout())->addLayout(rangeRow);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  auto* groups = new QHBoxLayout;
  groups->addWidget(formatBox);
  groups->addWidget(sheetBox);
  layout->addLayout(groups);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  formats_->button(static_cast<int>(preset.format))->setChecked(true);
  scopes_->button(static_cast<int>(preset.sheets.scope))->setChecked(true);
  // A remembered range is kept where the workbook still has it; otherwise
  // the range starts at the sheet shown.
  const bool range = preset.sheets.scope == SheetScope::Range;
  from_->setValue(range ? preset.sheets.from : currentSheet);
  to_->setValue(range ? preset.sheets.to : currentSheet);
  scale_->setCurrentIndex(std::clamp(preset.pngScale, 1, 3) - 1);
  connect(formats_, &QButtonGroup::idClicked, this, [this] { updateEnabled(); });
  connect(scopes_, &QButtonGroup::idClicked, this, [this] { updateEnabled(); });
  updateEnabled();
}

void ExportDialog::updateEnabled() {
  scale_->setEnabled(formats_->checkedId() == static_cast<int>(ExportFormat::Png));
  const bool range = scopes_->checkedId() == static_cast<int>(SheetScope::Range);
  from_->setEnabled(range);
  to_->setEnabled(range);
}

ExportChoice ExportDialog::choice() const {
  ExportChoice c;
  c.format = static_cast<ExportFormat>(formats_->checkedId());
  c.sheets.scope = static_cast<SheetScope>(scopes_->checkedId());
  c.sheets.from = from_->value();
  c.sheets.to = to_->value();
  c.pngScale = scale_->currentIndex() + 1;
  return c;
}

std::optional<ExportChoice> QtExportDialog::run(const ExportChoice& preset, int currentSheet,
                                                int sheetCount) {
  ExportDialog dialog(preset, currentSheet, sheetCount, parent_);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.choice();
}

}  // namespace tgc
