#include "cli/clisupport.h"

#include <filesystem>
#include <iostream>

#include "core/cp932.h"
#include "core/document.h"
#include "core/fileerror.h"
#include "core/workbookfile.h"

namespace tgc::cli {

Answer ConsoleUi::message(MessageKind, const std::string& text, Buttons buttons) {
  ++messageCount;
  printError(prefix + consoleText(text));
  return declined(buttons);
}

void ConsoleUi::fileWarning(const std::string&, int error) {
  message(MessageKind::Warning, fileErrorReason(error), Buttons::Ok);
}

bool openWorkbook(const std::string& file, Document& doc, ConsoleUi& ui, const std::string& out) {
  ui.prefix = file + ": " + kStepCheck + ": ";
  if (checkWorkbookFile(file, ui) != 0) return false;
  // What is written would replace the workbook itself.
  std::error_code ec;
  if (!out.empty() && std::filesystem::equivalent(file, out, ec)) {
    printError("tgc: the output file is the workbook FILE itself: " + out);
    return false;
  }
  // Read as the program opens a file, references made safe to follow.
  doc.filePath = file;
  int error = 0;
  if (loadWorkbook(doc, kLoadOpen, ui, &error) != 0) {
    printFileError(file, kStepRead, error);
    return false;
  }
  return true;
}

std::string consoleText(const std::string& cp932) {
  if (std::optional<std::string> utf8 = cp932ToUtf8(cp932)) return *utf8;
  static const char digits[] = "0123456789abcdef";
  std::string out;
  for (unsigned char c : cp932) {
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
    } else {
      out += "\\x";
      out.push_back(digits[c >> 4]);
      out.push_back(digits[c & 0xF]);
    }
  }
  return out;
}

void printError(const std::string& utf8) {
  std::cerr << utf8 << '\n' << std::flush;
}

void printFileError(const std::string& path, const std::string& step, int error) {
  printError(path + ": " + step + ": " + consoleText(fileErrorReason(error)));
}

std::string toHex(const std::string& bytes) {
  static const char digits[] = "0123456789abcdef";
  std::string out;
  out.reserve(bytes.size() * 2);
  for (unsigned char c : bytes) {
    out.push_back(digits[c >> 4]);
    out.push_back(digits[c & 0xF]);
  }
  return out;
}

std::optional<std::string> fromHex(const std::string& hex) {
  if (hex.size() % 2 != 0) return std::nullopt;
  auto digit = [](char c) -> int {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
  };
  std::string out;
  out.reserve(hex.size() / 2);
  for (size_t i = 0; i < hex.size(); i += 2) {
    const int hi = digit(hex[i]), lo = digit(hex[i + 1]);
    if (hi < 0 || lo < 0) return std::nullopt;
    out.push_back(static_cast<char>(hi << 4 | lo));
  }
  return out;
}

}  // namespace tgc::cli
