#include "app/fontrecord.h"

#include <algorithm>

#include "core/cp932.h"
#include "core/cp932literal.h"
#include "core/ports.h"

namespace tgc {

namespace {

const char* const kSection = "Font Info";

// Length of the UTF-8 sequence that starts with this byte.
size_t sequenceLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if ((lead & 0xE0) == 0xC0) return 2;
  if ((lead & 0xF0) == 0xE0) return 3;
  if ((lead & 0xF8) == 0xF0) return 4;
  return 1;  // stray byte: treat it as a character of its own
}

}  // namespace

FontRecord defaultFontRecord() {
  FontRecord r;
  // Face names are UTF-8, as the font system and the settings store take them.
  r.faceName = "ＭＳ Ｐ明朝";
  return r;
}

std::string fitFaceName(const std::string& utf8) {
  std::string out;
  size_t counted = 0;
  for (size_t i = 0; i < utf8.size();) {
    size_t n = std::min(sequenceLength(static_cast<unsigned char>(utf8[i])), utf8.size() - i);
    const std::string ch = utf8.substr(i, n);
    const auto cp = utf8ToCp932(ch);
    const size_t cost = cp ? cp->size() : n;
    if (counted + cost > static_cast<size_t>(kFaceNameBytes)) break;
    counted += cost;
    out += ch;
    i += n;
  }
  return out;
}

void readFontRecord(SettingsPort& s, FontRecord& r) {
  const std::string face = s.readString(kSection, "lfFaceName", "");
  if (face.empty()) return;
  r.height = s.readInt(kSection, "lfHeight", r.height);
  r.width = s.readInt(kSection, "lfWidth", r.width);
  r.escapement = s.readInt(kSection, "lfEscapement", r.escapement);
  r.orientation = s.readInt(kSection, "lfOrientation", r.orientation);
  r.weight = s.readInt(kSection, "lfWeight", r.weight);
  // The byte-sized fields keep only their low byte, as the record does.
  r.italic = s.readInt(kSection, "lfItalic", r.italic) & 0xFF;
  r.underline = s.readInt(kSection, "lfUnderline", r.underline) & 0xFF;
  r.strikeOut = s.readInt(kSection, "lfStrikeOut", r.strikeOut) & 0xFF;
  r.charSet = s.readInt(kSection, "lfCharSet", r.charSet) & 0xFF;
  r.outPrecision = s.readInt(kSection, "lfOutPrecision", r.outPrecision) & 0xFF;
  r.clipPrecision = s.readInt(kSection, "lfClipPrecision", r.clipPrecision) & 0xFF;
  r.quality = s.readInt(kSection, "lfQuality", r.quality) & 0xFF;
  r.pitchAndFamily = s.readInt(kSection, "lfPitchAndFamily", r.pitchAndFamily) & 0xFF;
  r.faceName = fitFaceName(face);
}

void writeFontRecord(SettingsPort& s, const FontRecord& r) {
  s.writeInt(kSection, "lfHeight", r.height);
  s.writeInt(kSection, "lfWidth", r.width);
  s.writeInt(kSection, "lfEscapement", r.escapement);
  s.writeInt(kSection, "lfOrientation", r.orientation);
  s.writeInt(kSection, "lfWeight", r.weight);
  s.writeInt(kSection, "lfItalic", r.italic);
  s.writeInt(kSection, "lfUnderline", r.underline);
  s.writeInt(kSection, "lfStrikeOut", r.strikeOut);
  s.writeInt(kSection, "lfCharSet", r.charSet);
  s.writeInt(kSection, "lfOutPrecision", r.outPrecision);
  s.writeInt(kSection, "lfClipPrecision", r.clipPrecision);
  s.writeInt(kSection, "lfQuality", r.quality);
  s.writeInt(kSection, "lfPitchAndFamily", r.pitchAndFamily);
  s.writeString(kSection, "lfFaceName", r.faceName);
}

}  // namespace tgc
