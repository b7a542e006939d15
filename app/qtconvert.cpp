#include "app/qtconvert.h"

#include "core/cp932.h"

namespace tgc {

QString fromCp932(const std::string& cp932) {
  if (auto utf8 = cp932ToUtf8(cp932)) return fromUtf8(*utf8);
  return QString::fromLatin1(cp932.data(), qsizetype(cp932.size()));
}

std::optional<std::string> toCp932(const QString& text) {
  return utf8ToCp932(toUtf8(text));
}

}  // namespace tgc
