// Asks what a desktop would ask of an installation, for install_test.sh:
//   installprobe type TYPE FILE...   every FILE is of the MIME type TYPE
//   installprobe size N FILE...      every FILE is an N x N image (an SVG
//                                    file by its declared width and height)
// The MIME database is the one XDG_DATA_DIRS names. Prints each mismatch;
// exit status 1 when there is one.
#include <QCoreApplication>
#include <QFile>
#include <QImageReader>
#include <QMimeDatabase>
#include <QXmlStreamReader>
#include <cstdio>
#include <cstring>

namespace {

// "WxH", or "none" when the file is no image.
QString imageSize(const QString& file) {
  QSize size;
  if (file.endsWith(QLatin1String(".svg"))) {
    QFile svg(file);
    if (svg.open(QIODevice::ReadOnly)) {
      QXmlStreamReader xml(&svg);
      if (xml.readNextStartElement() && xml.name() == QLatin1String("svg")) {
        size = QSize(xml.attributes().value(QLatin1String("width")).toInt(),
                     xml.attributes().value(QLatin1String("height")).toInt());
      }
      while (!xml.atEnd()) xml.readNext();  // the whole document must be well-formed
      if (xml.hasError()) size = QSize();
    }
  } else {
    size = QImageReader(file).size();
  }
  return size.isValid() && !size.isEmpty() ? QStringLiteral("%1x%2").arg(size.width()).arg(size.height())
                                           : QStringLiteral("none");
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  if (argc < 4 || (std::strcmp(argv[1], "type") != 0 && std::strcmp(argv[1], "size") != 0)) {
    std::fprintf(stderr, "usage: installprobe type TYPE FILE... | size N FILE...\n");
    return 2;
  }
  const bool types = std::strcmp(argv[1], "type") == 0;
  const QString expected = QString::fromLocal8Bit(argv[2]);
  int mismatches = 0;
  for (int i = 3; i < argc; ++i) {
    const QString file = QString::fromLocal8Bit(argv[i]);
    const QString found = types ? QMimeDatabase().mimeTypeForFile(file).name() : imageSize(file);
    const QString wanted = types ? expected : expected + QLatin1Char('x') + expected;
    if (found != wanted) {
      std::fprintf(stderr, "%s: %s, expected %s\n", argv[i], qPrintable(found), qPrintable(wanted));
      ++mismatches;
    }
  }
  return mismatches == 0 ? 0 : 1;
}
