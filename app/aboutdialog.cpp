#include "app/aboutdialog.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace tgc {

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("ﾊｯｿｳﾏｽﾒﾉｰﾄのﾊﾞｰｼﾞｮﾝ情報"));
  auto* layout = new QVBoxLayout(this);
  for (const QString& text : {QStringLiteral("発想マス目ノート"), QStringLiteral("ThoughtGridCraft"),
                              QStringLiteral("バージョン １．３")}) {
    auto* label = new QLabel(text, this);
    label->setAlignment(Qt::AlignCenter);
    layout->addWidget(label);
  }
  auto* icon = new QLabel(this);
  const QIcon windowIcon = parent ? parent->windowIcon() : QApplication::windowIcon();
  const QIcon shown = windowIcon.isNull() ? style()->standardIcon(QStyle::SP_DesktopIcon) : windowIcon;
  icon->setPixmap(shown.pixmap(32, 32));
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
