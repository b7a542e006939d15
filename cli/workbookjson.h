// A workbook as JSON, for inspecting and crafting files: every stored field
// with the file's names, text as UTF-8 strings, and text that is not
// exactly representable that way as {"hex": "<bytes>"}.
#pragma once

#include <nlohmann/json.hpp>
#include <string>

#include "core/workbook.h"

namespace tgc::cli {

// Keys keep the order of the file layout.
using Json = nlohmann::ordered_json;

// A UTF-8 string when the CP932 bytes convert to Unicode and back to the
// very same bytes; otherwise {"hex": "..."} so a rebuild is byte-exact.
Json textToJson(const std::string& cp932);

// The stored fields of the workbook (not the view state beyond currentSheet).
Json workbookToJson(const Workbook& wb);

// Reads a workbook from JSON. On failure returns false with a UTF-8 message
// naming the field, e.g. "words[3].text".
bool workbookFromJson(const Json& json, Workbook& out, std::string& error);

}  // namespace tgc::cli
