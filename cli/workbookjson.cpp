#include "cli/workbookjson.h"

#include <limits>

#include "cli/clisupport.h"
#include "core/cp932.h"
#include "core/workbookfile.h"

namespace tgc::cli {
namespace {

// A field that cannot be read; caught at the top of workbookFromJson.
struct FieldError {
  std::string message;
};

[[noreturn]] void fail(const char* what, const std::string& field) {
  throw FieldError{std::string(what) + ": " + field};
}

const Json& member(const Json& object, const char* name, const std::string& path) {
  const std::string field = path.empty() ? std::string(name) : path + "." + name;
  if (!object.is_object()) fail("オブジェクトではありません", path);
  const auto it = object.find(name);
  if (it == object.end()) fail("フィールドがありません", field);
  return *it;
}

std::string fieldName(const char* name, const std::string& path) {
  return path.empty() ? std::string(name) : path + "." + name;
}

int32_t intField(const Json& object, const char* name, const std::string& path) {
  const Json& v = member(object, name, path);
  if (!v.is_number_integer()) fail("整数ではありません", fieldName(name, path));
  if (v.is_number_unsigned()) {
    if (v.get<uint64_t>() > static_cast<uint64_t>(std::numeric_limits<int32_t>::max()))
      fail("値が範囲外です", fieldName(name, path));
    return static_cast<int32_t>(v.get<uint64_t>());
  }
  const int64_t n = v.get<int64_t>();
  if (n < std::numeric_limits<int32_t>::min() || n > std::numeric_limits<int32_t>::max())
    fail("値が範囲外です", fieldName(name, path));
  return static_cast<int32_t>(n);
}

std::string textField(const Json& object, const char* name, const std::string& path) {
  const Json& v = member(object, name, path);
  const std::string field = fieldName(name, path);
  if (v.is_string()) {
    std::optional<std::string> cp932 = utf8ToCp932(v.get<std::string>());
    if (!cp932) fail("CP932で表せない文字があります", field);
    return *cp932;
  }
  if (v.is_object()) {
    const Json& hex = member(v, "hex", field);
    if (!hex.is_string()) fail("文字列ではありません", field + ".hex");
    std::optional<std::string> bytes = fromHex(hex.get<std::string>());
    if (!bytes) fail("16進表記が正しくありません", field + ".hex");
    return *bytes;
  }
  fail("文字列ではありません", field);
}

const Json& arrayField(const Json& object, const char* name, const std::string& path) {
  const Json& v = member(object, name, path);
  if (!v.is_array()) fail("配列ではありません", fieldName(name, path));
  return v;
}

std::string indexed(const std::string& path, const char* name, size_t i) {
  return fieldName(name, path) + "[" + std::to_string(i) + "]";
}

void readBox(const Json& j, const std::string& at, Box& b) {
  b.word = intField(j, "word", at);
  b.mark = intField(j, "mark", at);
  b.idea = intField(j, "idea", at);
  b.spare = intField(j, "spare", at);
  b.assisted = intField(j, "assisted", at);
  b.column = intField(j, "column", at);
  b.row = intField(j, "row", at);
  b.sheetType = intField(j, "sheetType", at);
}

void readMark(const Json& j, const std::string& at, CatalogMark& m) {
  m.id = intField(j, "id", at);
  m.glyph = textField(j, "glyph", at);
  m.name = textField(j, "name", at);
  m.note = textField(j, "note", at);
  m.dormant = intField(j, "dormant", at);
  m.deleteFlag = intField(j, "deleteFlag", at);
  m.attribute = intField(j, "attribute", at);
  m.sheetUsage = intField(j, "sheetUsage", at);
}

void readWorkbook(const Json& json, Workbook& wb) {
  if (!json.is_object()) fail("オブジェクトではありません", "(top)");
  if (intField(json, "version", "") != kWorkbookVersion) fail("バージョンは102のみ書けます", "version");
  const Json& words = arrayField(json, "words", "");
  for (size_t i = 0; i < words.size(); ++i) {
    const std::string at = indexed("", "words", i);
    Word w;
    w.hasMemo = intField(words[i], "hasMemo", at);
    w.text = textField(words[i], "text", at);
    wb.words.push_back(std::move(w));
  }
  const Json& sheets = arrayField(json, "sheets", "");
  for (size_t i = 0; i < sheets.size(); ++i) {
    const std::string at = indexed("", "sheets", i);
    const Json& boxes = arrayField(sheets[i], "boxes", at);
    Sheet s;
    s.boxes.resize(boxes.size());
    for (size_t k = 0; k < boxes.size(); ++k) readBox(boxes[k], indexed(at, "boxes", k), s.boxes[k]);
    wb.sheets.push_back(std::move(s));
  }
  const Json& marks = arrayField(json, "marks", "");
  wb.marks.resize(marks.size());
  for (size_t i = 0; i < marks.size(); ++i) readMark(marks[i], indexed("", "marks", i), wb.marks[i]);
  const Json& memos = arrayField(json, "memos", "");
  for (size_t i = 0; i < memos.size(); ++i) {
    const std::string at = indexed("", "memos", i);
    IdeaMemo m;
    m.word = intField(memos[i], "word", at);
    m.text = textField(memos[i], "text", at);
    wb.memos.push_back(std::move(m));
  }
  wb.currentSheet = intField(json, "currentSheet", "");
}

}  // namespace

Json textToJson(const std::string& cp932) {
  if (std::optional<std::string> utf8 = cp932ToUtf8(cp932)) {
    // Some CP932 characters have twins that map to the same Unicode
    // character; only a text that comes back identical may be a string.
    if (utf8ToCp932(*utf8) == cp932) return Json(*utf8);
  }
  Json hex = Json::object();
  hex["hex"] = toHex(cp932);
  return hex;
}

Json workbookToJson(const Workbook& wb) {
  Json j = Json::object();
  j["version"] = kWorkbookVersion;
  Json& words = j["words"] = Json::array();
  for (const Word& w : wb.words) words.push_back(Json{{"hasMemo", w.hasMemo}, {"text", textToJson(w.text)}});
  Json& sheets = j["sheets"] = Json::array();
  for (const Sheet& s : wb.sheets) {
    Json boxes = Json::array();
    for (const Box& b : s.boxes)
      boxes.push_back(Json{{"word", b.word},
                           {"mark", b.mark},
                           {"idea", b.idea},
                           {"spare", b.spare},
                           {"assisted", b.assisted},
                           {"column", b.column},
                           {"row", b.row},
                           {"sheetType", b.sheetType}});
    sheets.push_back(Json{{"boxes", std::move(boxes)}});
  }
  Json& marks = j["marks"] = Json::array();
  for (const CatalogMark& m : wb.marks)
    marks.push_back(Json{{"id", m.id},
                         {"glyph", textToJson(m.glyph)},
                         {"name", textToJson(m.name)},
                         {"note", textToJson(m.note)},
                         {"dormant", m.dormant},
                         {"deleteFlag", m.deleteFlag},
                         {"attribute", m.attribute},
                         {"sheetUsage", m.sheetUsage}});
  Json& memos = j["memos"] = Json::array();
  for (const IdeaMemo& m : wb.memos) memos.push_back(Json{{"word", m.word}, {"text", textToJson(m.text)}});
  j["currentSheet"] = wb.currentSheet;
  return j;
}

bool workbookFromJson(const Json& json, Workbook& out, std::string& error) {
  Workbook wb;
  try {
    readWorkbook(json, wb);
  } catch (const FieldError& e) {
    error = e.message;
    return false;
  }
  out = std::move(wb);
  return true;
}

}  // namespace tgc::cli
