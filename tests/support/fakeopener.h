// A stand-in for the desktop's xdg-open, first on PATH while it lives: it
// records every address it is given and exits with the chosen status, as
// xdg-open does when no browser can be found (status 3 or 4).
#pragma once

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

namespace tgc::test {

class FakeOpener {
 public:
  explicit FakeOpener(int exitStatus = 0) : oldPath_(qgetenv("PATH")) {
    QFile script(dir_.filePath(QStringLiteral("xdg-open")));
    script.open(QIODevice::WriteOnly);
    QTextStream(&script) << "#!/bin/sh\nprintf '%s\\n' \"$1\" >> '" << log() << "'\nexit " << exitStatus
                         << "\n";
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("PATH", dir_.path().toLocal8Bit() + ':' + oldPath_);
  }
  ~FakeOpener() { qputenv("PATH", oldPath_); }
  FakeOpener(const FakeOpener&) = delete;
  FakeOpener& operator=(const FakeOpener&) = delete;

  // The addresses given so far, once there are `count` of them or a few
  // seconds have passed; events are processed meanwhile, so the program sees
  // the opener finish.
  QStringList opened(int count) const {
    QStringList lines;
    (void)QTest::qWaitFor(
        [&] {
          QFile file(log());
          if (file.open(QIODevice::ReadOnly))
            lines = QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
          return lines.size() >= count;
        },
        5000);
    return lines;
  }

 private:
  QString log() const { return dir_.filePath(QStringLiteral("opened.txt")); }

  QTemporaryDir dir_;
  QByteArray oldPath_;
};

}  // namespace tgc::test
