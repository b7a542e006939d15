#include "core/cp932.h"

#include <iconv.h>

#include <cerrno>

namespace tgc {
namespace {

std::optional<std::string> convert(const char* to, const char* from, std::string_view in) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  std::string out;
  out.resize(in.size() * 2 + 8);
  char* inPtr = const_cast<char*>(in.data());
  size_t inLeft = in.size();
  size_t written = 0;
  bool ok = true;
  while (inLeft > 0) {
    char* outPtr = out.data() + written;
    size_t outLeft = out.size() - written;
    const size_t r = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    written = out.size() - outLeft;
    if (r == static_cast<size_t>(-1)) {
      if (errno == E2BIG) {
        out.resize(out.size() * 2);
        continue;
      }
      ok = false;  // EILSEQ or EINVAL: not representable or cut short
      break;
    }
    if (r > 0) {  // irreversible conversions substitute; refuse them
      ok = false;
      break;
    }
  }
  iconv_close(cd);
  if (!ok) return std::nullopt;
  out.resize(written);
  return out;
}

}  // namespace

std::optional<std::string> utf8ToCp932(std::string_view utf8) {
  return convert("CP932", "UTF-8", utf8);
}

std::optional<std::string> cp932ToUtf8(std::string_view cp932) {
  return convert("UTF-8", "CP932", cp932);
}

std::optional<std::string> utf16leToCp932(std::string_view utf16le) {
  return convert("CP932", "UTF-16LE", utf16le);
}

}  // namespace tgc
