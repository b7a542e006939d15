// The text of an entry in the mark selector of the word list and the idea
// selector of the idea memo window: a space, a glyph, two spaces, a name.
#pragma once

#include <string>

namespace tgc {

inline constexpr size_t kSelectorEntryBytes = 256;

// " " + glyph + "  " + text, cut to 256 bytes without splitting a
// double-byte character (CP932).
std::string selectorEntryText(const std::string& glyph, const std::string& text);

}  // namespace tgc
