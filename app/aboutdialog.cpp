#include "app/aboutdialog.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/version.h"
#include "resources/programicon.h"

namespace tgc {

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("ﾊｯｿｳﾏｽﾒﾉｰﾄのﾊﾞｰｼﾞｮﾝ情報"));
  auto* layout = new QVBoxLayout(this);
  for (const QString& text : {QStringLiteral("発想マス目ノート"), QStringLiteral("ThoughtGridCraft"),
                              QString::fromStdString(aboutVersionText())}) {
    auto* label = new QLabel(text, this);
    label->setAlignment(Qt::AlignCenter);
    layout->addWidget(label);
  }
  auto* icon = new QLabel(this);
  icon->setPixmap(icons::programIcon().pixmap(32, 32));
  icon->setAlignment(Qt::AlignCenter);
  layout->addWidget(icon);
  auto* line = new QLabel(QStringLiteral("Linux 版"), this);
  line->setAlignment(Qt::AlignCenter);
  layout->addWidget(line);
  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  layout->addWidget(ok, 0, Qt::AlignCenter);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace tgc
