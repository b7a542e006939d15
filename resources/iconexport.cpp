// Writes the icon files of the program and of the workbook type into a
// hicolor-shaped folder for installation:
//   <n>x<n>/apps/<app icon>.png, <n>x<n>/mimetypes/<type icon>.png,
//   scalable/apps/<app icon>.svg, scalable/mimetypes/<type icon>.svg
#include <QDir>
#include <QFile>
#include <QString>
#include <cstdio>

#include "resources/programicon.h"

namespace {

bool writeFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size() &&
         file.flush();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: %s OUTDIR APP_ICON_NAME TYPE_ICON_NAME\n", argv[0]);
    return 2;
  }
  using tgc::icons::IconKind;
  const QDir out(QString::fromLocal8Bit(argv[1]));
  const struct {
    IconKind kind;
    const char* context;
    QString name;
  } icons[] = {{IconKind::Program, "apps", QString::fromLocal8Bit(argv[2])},
               {IconKind::Workbook, "mimetypes", QString::fromLocal8Bit(argv[3])}};
  for (const auto& icon : icons) {
    for (int size : tgc::icons::kIconSizes) {
      const QString dir = QStringLiteral("%1x%1/%2").arg(size).arg(QLatin1String(icon.context));
      const QString path = out.filePath(dir + QLatin1Char('/') + icon.name + QStringLiteral(".png"));
      if (!out.mkpath(dir) || !tgc::icons::renderIcon(icon.kind, size).save(path, "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return 1;
      }
    }
    const QString dir = QStringLiteral("scalable/") + QLatin1String(icon.context);
    const QString path = out.filePath(dir + QLatin1Char('/') + icon.name + QStringLiteral(".svg"));
    if (!out.mkpath(dir) || !writeFile(path, tgc::icons::iconSvg(icon.kind))) {
      std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
      return 1;
    }
  }
  return 0;
}
