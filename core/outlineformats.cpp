#include "core/outlineformats.h"

#include <string_view>
#include <vector>

namespace tgc {

namespace {

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

std::string_view trimmed(std::string_view s) {
  const size_t first = s.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

// Backslash escapes for every character that could start markup inline
// (emphasis, code, links, HTML, entities) anywhere, and for the list, heading
// and rule markers that count only at the start of a line. Any ASCII
// punctuation may be escaped, so nothing else can change the meaning.
std::string markdownEscaped(std::string_view s) {
  static constexpr std::string_view kAnywhere = "\\`*_[]<>&#|~";
  size_t digits = 0;
  while (digits < s.size() && isDigit(s[digits])) ++digits;
  std::string out;
  out.reserve(s.size() + 8);
  for (size_t i = 0; i < s.size(); ++i) {
    const char c = s[i];
    const bool lineStart = i == 0 && (c == '-' || c == '+' || c == '=');
    const bool orderedMarker = i == digits && digits > 0 && (c == '.' || c == ')');
    if (kAnywhere.find(c) != std::string_view::npos || lineStart || orderedMarker) out += '\\';
    out += c;
  }
  return out;
}

std::vector<std::string_view> trimmedLines(std::string_view text) {
  std::vector<std::string_view> lines;
  for (;;) {
    const size_t end = text.find('\n');
    lines.push_back(trimmed(text.substr(0, end)));
    if (end == std::string_view::npos) return lines;
    text.remove_prefix(end + 1);
  }
}

void markdownItems(std::string& out, const std::vector<OutlineItem>& items, const std::string& glyph,
                   int depth) {
  const std::string indent(static_cast<size_t>(depth) * 2, ' ');
  for (const OutlineItem& it : items) {
    out += indent + "- ";
    if (it.idea)
      out += markdownEscaped(glyph) + " **" + markdownEscaped(it.text) + "**";
    else
      out += markdownEscaped(it.text);
    out += '\n';
    // A block quote inside the item: indented to the item's content. Lines
    // lose their leading blanks (four would make code) and trailing ones
    // (two would make a hard break). A line followed by another of the same
    // paragraph ends in a backslash, a hard break, so the memo keeps its
    // lines instead of running them together.
    for (size_t m = 0; m < it.memos.size(); ++m) {
      if (m > 0) out += indent + "  >\n";
      const std::vector<std::string_view> lines = trimmedLines(it.memos[m]);
      for (size_t k = 0; k < lines.size(); ++k) {
        out += indent + "  >";
        if (!lines[k].empty()) {
          out += ' ';
          out += markdownEscaped(lines[k]);
          if (k + 1 < lines.size() && !lines[k + 1].empty()) out += '\\';
        }
        out += '\n';
      }
    }
    markdownItems(out, it.children, glyph, depth + 1);
  }
}

// XML text or attribute value. Line breaks and tabs in attributes are
// written as references, or a parser would turn them into spaces; other
// control characters cannot appear in XML 1.0 at all and are left out.
std::string xmlEscaped(std::string_view s, bool attribute) {
  std::string out;
  out.reserve(s.size() + 8);
  for (const char c : s) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += attribute ? "&quot;" : "\"";
        break;
      case '\n':
        out += attribute ? "&#10;" : "\n";
        break;
      case '\t':
        out += attribute ? "&#9;" : "\t";
        break;
      default:
        if (static_cast<unsigned char>(c) >= 0x20) out += c;
    }
  }
  return out;
}

void opmlItems(std::string& out, const std::vector<OutlineItem>& items, const std::string& glyph, int depth) {
  const std::string indent(static_cast<size_t>(depth) * 2, ' ');
  for (const OutlineItem& it : items) {
    out += indent + "<outline text=\"" + xmlEscaped(it.idea ? glyph + " " + it.text : it.text, true) + '"';
    if (!it.memos.empty()) {
      std::string note;
      for (const std::string& m : it.memos) note += (note.empty() ? "" : "\n\n") + m;
      out += " _note=\"" + xmlEscaped(note, true) + '"';
    }
    if (it.children.empty()) {
      out += "/>\n";
    } else {
      out += ">\n";
      opmlItems(out, it.children, glyph, depth + 1);
      out += indent + "</outline>\n";
    }
  }
}

}  // namespace

std::string toMarkdown(const WorkbookOutline& outline) {
  std::string out = "# " + markdownEscaped(trimmed(outline.title)) + "\n";
  for (const SheetOutline& sheet : outline.sheets) {
    out += "\n## " + std::to_string(sheet.number) + ". " + markdownEscaped(sheet.theme) + "\n";
    if (sheet.items.empty()) continue;
    out += '\n';
    markdownItems(out, sheet.items, outline.ideaGlyph, 0);
  }
  return out;
}

std::string toOpml(const WorkbookOutline& outline) {
  std::string out =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<opml version=\"2.0\">\n"
      "  <head>\n"
      "    <title>" +
      xmlEscaped(outline.title, false) +
      "</title>\n"
      "  </head>\n"
      "  <body>\n";
  for (const SheetOutline& sheet : outline.sheets) {
    out += "    <outline text=\"" + std::to_string(sheet.number) + ". " + xmlEscaped(sheet.theme, true) + '"';
    if (sheet.items.empty()) {
      out += "/>\n";
      continue;
    }
    out += ">\n";
    opmlItems(out, sheet.items, outline.ideaGlyph, 3);
    out += "    </outline>\n";
  }
  out += "  </body>\n</opml>\n";
  return out;
}

}  // namespace tgc
