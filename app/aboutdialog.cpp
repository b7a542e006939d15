#include "app/aboutdialog.h"

#include <QLabel>
#include <QPushButton>
#include <algorithm>

#include "app/dialogframe.h"
#include "app/dialogunits.h"
#include "app/version.h"
#include "resources/programicon.h"

namespace tgc {

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("ﾊｯｿｳﾏｽﾒﾉｰﾄのﾊﾞｰｼﾞｮﾝ情報"));
  setFont(dialogTemplateFont(QStringLiteral("ＭＳ Ｐゴシック"), 9));
  const DialogUnits du(font());
  fixDialogSize(*this, du.size(139, 150));
  // A title wider than the template widens the dialog; the contents stay
  // centred as the template centres them.
  const QPoint shift((width() - du.x(139)) / 2, 0);

  // A label's box never cuts its text: it grows to the right when the stand-in
  // font is wider than the template's.
  const auto label = [&](const QString& text, int left, int top, int width, int height) {
    auto* l = new QLabel(text, this);
    QRect r = du.rect(left, top, width, height).translated(shift);
    r.setWidth(std::max(r.width(), l->sizeHint().width()));
    r.setHeight(std::max(r.height(), l->sizeHint().height()));
    l->setGeometry(r);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  };
  label(QStringLiteral("発想マス目ノート"), 35, 15, 70, 8);
  label(QStringLiteral("ThoughtGridCraft"), 44, 28, 52, 8);
  label(QString::fromStdString(aboutVersionText()), 45, 43, 49, 8);
  label(QStringLiteral("Linux 版"), 27, 102, 86, 8);

  // The icon control shows the program icon at its own size from the
  // template's position.
  auto* icon = new QLabel(this);
  icon->setPixmap(icons::programIcon().pixmap(32, 32));
  icon->setGeometry(QRect(du.rect(61, 65, 20, 20).topLeft() + shift, QSize(32, 32)));

  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setGeometry(du.rect(45, 127, 50, 14).translated(shift));
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

}  // namespace tgc
