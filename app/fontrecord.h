// The text font as the fields of a logical font record, the form in which it
// is stored in the settings, with its read and write rules.
#pragma once

#include <string>

namespace tgc {

class SettingsPort;

struct FontRecord {
  int height = -19;  // negative: character height in pixels
  int width = 0;
  int escapement = 0;
  int orientation = 0;
  int weight = 700;
  int italic = 0;
  int underline = 0;
  int strikeOut = 0;
  int charSet = 128;
  int outPrecision = 3;
  int clipPrecision = 2;
  int quality = 1;
  int pitchAndFamily = 18;
  std::string faceName;  // UTF-8, at most kFaceNameBytes as the record counts them
  bool operator==(const FontRecord&) const = default;
};

// The record holds 31 bytes of face name plus a terminator.
inline constexpr int kFaceNameBytes = 31;

// The default text font (bold, character height 19, the Mincho face).
FontRecord defaultFontRecord();

// Cuts a face name so that it fits the record: characters are counted in the
// workbook code page where they exist there (two bytes for a full-width
// character), and the cut never splits a character.
std::string fitFaceName(const std::string& utf8);

// Reads the font from "Font Info". An empty stored face reads nothing and
// leaves the record as it is; otherwise every field is read with its current
// value as the fallback.
void readFontRecord(SettingsPort& settings, FontRecord& record);
// Writes all fourteen values.
void writeFontRecord(SettingsPort& settings, const FontRecord& record);

}  // namespace tgc
