// Text conversion at the Qt boundary: workbook text is CP932, Qt is UTF-16.
#pragma once

#include <QString>
#include <optional>
#include <string>

namespace tgc {

// CP932 bytes to a QString. Bytes that are not valid CP932 are shown as
// Latin-1 rather than dropped, so nothing silently vanishes from the screen.
QString fromCp932(const std::string& cp932);
// A QString as CP932, or nothing when it holds a character CP932 lacks.
std::optional<std::string> toCp932(const QString& text);

inline QString fromUtf8(const std::string& utf8) {
  return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}
inline std::string toUtf8(const QString& text) {
  return text.toUtf8().toStdString();
}

}  // namespace tgc
