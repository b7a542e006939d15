// Conversion between CP932 (the workbook's text encoding) and Unicode, for
// the Qt and command-line boundaries and for UTF-16 strings in old files.
// Conversion never substitutes: text that cannot be represented fails.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tgc {

std::optional<std::string> utf8ToCp932(std::string_view utf8);
std::optional<std::string> cp932ToUtf8(std::string_view cp932);
std::optional<std::string> utf16leToCp932(std::string_view utf16le);

}  // namespace tgc
