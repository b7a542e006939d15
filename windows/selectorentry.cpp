#include "windows/selectorentry.h"

namespace tgc {

namespace {

bool isLeadByte(unsigned char c) {
  return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

}  // namespace

std::string selectorEntryText(const std::string& glyph, const std::string& text) {
  // Built with += because GCC 12 warns falsely on "literal" + std::string.
  std::string entry = " ";
  entry += glyph;
  entry += "  ";
  entry += text;
  if (entry.size() <= kSelectorEntryBytes) return entry;
  size_t end = 0;
  while (end < kSelectorEntryBytes) {
    const size_t next = end + (isLeadByte(static_cast<unsigned char>(entry[end])) ? 2 : 1);
    if (next > kSelectorEntryBytes) break;
    end = next;
  }
  entry.resize(end);
  return entry;
}

}  // namespace tgc
