// The help file: one self-contained UTF-8 page whose key table lists every
// shortcut the menus show.
#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>
#include <QStringDecoder>

#include "app/menutexts.h"

namespace tgc::test {
namespace {

QString helpText() {
  QFile file(QStringLiteral(TGC_HELP_FILE));
  EXPECT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray bytes = file.readAll();
  QStringDecoder utf8(QStringDecoder::Utf8);
  const QString text = utf8(bytes);
  EXPECT_FALSE(utf8.hasError());
  return text;
}

void collectShortcuts(const QVector<MenuEntry>& items, QStringList& out) {
  for (const MenuEntry& e : items) {
    if (const qsizetype tab = e.text.indexOf(QLatin1Char('\t')); tab >= 0) out << e.text.mid(tab + 1);
    collectShortcuts(e.children, out);
  }
}

TEST(HelpFile, SelfContainedAndListsEveryMenuShortcut) {
  const QString help = helpText();
  ASSERT_FALSE(help.isEmpty());
  EXPECT_TRUE(help.contains(QStringLiteral("<meta charset=\"utf-8\">")));
  EXPECT_FALSE(help.contains(QStringLiteral("<script"), Qt::CaseInsensitive));
  EXPECT_FALSE(help.contains(QStringLiteral("<link"), Qt::CaseInsensitive));
  EXPECT_FALSE(help.contains(QStringLiteral("url("), Qt::CaseInsensitive));
  // Every picture is embedded.
  static const QRegularExpression source(QStringLiteral("\\ssrc=\"([^\"]*)\""));
  int pictures = 0;
  for (const QRegularExpressionMatch& m : source.globalMatch(help)) {
    EXPECT_TRUE(m.captured(1).startsWith(QStringLiteral("data:image/png;base64,i")))
        << m.captured(1).left(40).toStdString();
    ++pictures;
  }
  EXPECT_EQ(pictures, 4);
  QStringList shortcuts;
  for (const TopMenu& menu : menuBarLayout()) collectShortcuts(menu.items, shortcuts);
  ASSERT_GT(shortcuts.size(), 25);
  for (const QString& key : shortcuts)
    EXPECT_TRUE(help.contains(QStringLiteral("<kbd>") + key + QStringLiteral("</kbd>"))) << key.toStdString();
}

}  // namespace
}  // namespace tgc::test
