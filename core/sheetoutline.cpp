#include "core/sheetoutline.h"

#include "core/cp932.h"
#include "sheet/geometry.h"

namespace tgc {

namespace {

constexpr const char* kBlank = "（空欄）";
constexpr const char* kNoTheme = "（テーマなし）";

// Words may hold line breaks; an outline entry is one line.
std::string oneLine(const std::string& utf8) {
  std::string out;
  for (size_t i = 0; i < utf8.size(); ++i) {
    const char c = utf8[i];
    if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < utf8.size() && utf8[i + 1] == '\n') ++i;
      out += ' ';
    } else {
      out += c;
    }
  }
  // Blanks at either end, the ideographic space too: bold markup next to
  // one would not count as emphasis.
  static const std::string kIdeographicSpace = "\u3000";
  size_t begin = 0, end = out.size();
  for (bool trimmed = true; trimmed;) {
    trimmed = false;
    if (begin < end && (out[begin] == ' ' || out[begin] == '\t')) {
      ++begin;
      trimmed = true;
    } else if (out.compare(begin, 3, kIdeographicSpace) == 0 && begin + 3 <= end) {
      begin += 3;
      trimmed = true;
    }
    if (end > begin && (out[end - 1] == ' ' || out[end - 1] == '\t')) {
      --end;
      trimmed = true;
    } else if (end >= begin + 3 && out.compare(end - 3, 3, kIdeographicSpace) == 0) {
      end -= 3;
      trimmed = true;
    }
  }
  return out.substr(begin, end - begin);
}

// CR LF and lone CR become LF; blank lines and blanks at the end go, as the
// text output drops them.
std::string memoText(const std::string& utf8) {
  std::string out;
  for (size_t i = 0; i < utf8.size(); ++i) {
    if (utf8[i] == '\r') {
      if (i + 1 < utf8.size() && utf8[i + 1] == '\n') ++i;
      out += '\n';
    } else {
      out += utf8[i];
    }
  }
  const size_t keep = out.find_last_not_of(" \t\n");
  out.resize(keep == std::string::npos ? 0 : keep + 1);
  return out;
}

class SheetReader {
 public:
  SheetReader(const Workbook& wb, const Sheet& sheet) : wb_(wb), sheet_(sheet), type_(sheetTypeOf(sheet)) {}

  SheetOutline outline(int number) {
    SheetOutline out;
    const GridPos t = themeBox(type_);
    std::string theme = filled(t.column, t.row) ? word(*findBox(sheet_, t.column, t.row)) : std::string();
    out.number = number;
    out.theme = theme.empty() ? std::string(kNoTheme) : theme;
    out.items = type_ == TypeA ? grownFromTheme() : elementsAndTransforms();
    return out;
  }

 private:
  bool filled(int c, int r) const {
    const Box* b = findBox(sheet_, c, r);
    return b && b->word >= 0;
  }
  std::string word(const Box& b) const { return oneLine(outlineText(wb_.wordText(b.word))); }

  OutlineItem item(int c, int r) const {
    const Box& b = *findBox(sheet_, c, r);
    OutlineItem it;
    it.text = word(b);
    if (it.text.empty()) it.text = kBlank;
    it.idea = b.idea == 1;
    if (it.idea)
      for (const IdeaMemo& m : wb_.memos)
        if (m.word == b.word)
          if (std::string text = memoText(outlineText(m.text)); !text.empty()) it.memos.push_back(text);
    return it;
  }

  // Type-A: each word hangs under the neighbour it was reached from,
  // breadth first from the theme, neighbours in reading order. Words cut off
  // from the theme (a word between them was removed) start trees of their own.
  std::vector<OutlineItem> grownFromTheme() {
    const GridPos theme = themeBox(TypeA);
    visited_[theme.row][theme.column] = true;
    std::vector<OutlineItem> items = childrenOf(theme);
    for (int r = 0; r < kGridRows; ++r)
      for (int c = 0; c < kGridColumns; ++c)
        if (!visited_[r][c] && filled(c, r)) {
          visited_[r][c] = true;
          OutlineItem it = item(c, r);
          it.children = childrenOf({c, r});
          items.push_back(std::move(it));
        }
    return items;
  }

  std::vector<OutlineItem> childrenOf(GridPos start) {
    // Breadth first, so a word goes under its nearest route to the start.
    // Of the words one step nearer, one beside, above or below it is its
    // parent before one across a corner: a word is read with the word it
    // sits next to.
    std::vector<GridPos> order{start};
    std::vector<int> parent{-1};
    for (size_t begin = 0, end = 1; begin < end; begin = end, end = order.size())
      for (int r = 0; r < kGridRows; ++r)
        for (int c = 0; c < kGridColumns; ++c) {
          if (visited_[r][c] || !filled(c, r)) continue;
          int chosen = -1;
          for (size_t i = begin; i < end; ++i) {
            if (!isAdjacent(order[i].column, order[i].row, c, r)) continue;
            if (chosen < 0) chosen = static_cast<int>(i);
            if (order[i].column == c || order[i].row == r) {
              chosen = static_cast<int>(i);
              break;
            }
          }
          if (chosen < 0) continue;
          visited_[r][c] = true;
          order.push_back({c, r});
          parent.push_back(chosen);
        }
    // Built from the leaves up; children stay in the order they were found.
    std::vector<OutlineItem> nodes(order.size());
    for (size_t i = 1; i < order.size(); ++i) nodes[i] = item(order[i].column, order[i].row);
    for (size_t i = order.size(); i-- > 1;) {
      std::vector<OutlineItem>& siblings = nodes[parent[i]].children;
      siblings.insert(siblings.begin(), std::move(nodes[i]));
    }
    return std::move(nodes[0].children);
  }

  // Type-B: elements along row 0, their transforms down each column, ideas
  // in column 0. Type-C: the same turned: elements down column 0,
  // transforms along each row, ideas in row 0.
  std::vector<OutlineItem> elementsAndTransforms() const {
    const bool b = type_ == TypeB;
    auto at = [b](int along, int across) { return b ? GridPos{along, across} : GridPos{across, along}; };
    std::vector<OutlineItem> items;
    for (int i = 1; i < 5; ++i) {
      std::vector<OutlineItem> transforms;
      for (int j = 1; j < 5; ++j)
        if (const GridPos p = at(i, j); filled(p.column, p.row)) transforms.push_back(item(p.column, p.row));
      const GridPos e = at(i, 0);
      if (!filled(e.column, e.row) && transforms.empty()) continue;
      OutlineItem element;
      if (filled(e.column, e.row)) {
        element = item(e.column, e.row);
      } else {
        // Its transforms outlived it: name the kind of word that belongs here.
        const Box* box = findBox(sheet_, e.column, e.row);
        const CatalogMark* mark = box ? wb_.findMark(box->mark) : nullptr;
        const std::string name = mark ? oneLine(outlineText(mark->name)) : std::string();
        element.text = name.empty() ? std::string(kBlank) : "（" + name + "）";
      }
      element.children = std::move(transforms);
      items.push_back(std::move(element));
    }
    for (int j = 1; j < 5; ++j)
      if (const GridPos p = at(0, j); filled(p.column, p.row)) items.push_back(item(p.column, p.row));
    return items;
  }

  const Workbook& wb_;
  const Sheet& sheet_;
  const SheetType type_;
  bool visited_[kGridRows][kGridColumns] = {};
};

}  // namespace

std::string outlineText(const std::string& cp932) {
  if (std::optional<std::string> utf8 = cp932ToUtf8(cp932)) return *utf8;
  std::string out;
  for (unsigned char c : cp932) {
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

WorkbookOutline buildOutline(const Workbook& wb, const std::vector<int>& sheets,
                             const std::string& titleUtf8) {
  WorkbookOutline out;
  out.title = titleUtf8;
  const CatalogMark* idea = wb.findMark(kIdeaMarkId);
  out.ideaGlyph = idea ? oneLine(outlineText(idea->glyph)) : std::string();
  if (out.ideaGlyph.empty()) out.ideaGlyph = "！";
  for (int s : sheets)
    if (s >= 0 && s < static_cast<int>(wb.sheets.size()))
      out.sheets.push_back(SheetReader(wb, wb.sheets[s]).outline(s + 1));
  return out;
}

}  // namespace tgc
