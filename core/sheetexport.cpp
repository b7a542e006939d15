#include "core/sheetexport.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <functional>

#include "core/cp932literal.h"
#include "core/docwnd.h"
#include "core/fileerror.h"
#include "core/fileio.h"
#include "core/outlineformats.h"

namespace tgc {

std::vector<int> selectedSheets(const SheetSelection& selection, int currentSheet, int sheetCount) {
  std::vector<int> out;
  if (sheetCount <= 0) return out;
  switch (selection.scope) {
    case SheetScope::Current:
      if (currentSheet >= 0 && currentSheet < sheetCount) out.push_back(currentSheet);
      break;
    case SheetScope::All:
      for (int s = 0; s < sheetCount; ++s) out.push_back(s);
      break;
    case SheetScope::Range: {
      const int first = std::clamp(std::min(selection.from, selection.to), 1, sheetCount);
      const int last = std::clamp(std::max(selection.from, selection.to), 1, sheetCount);
      for (int n = first; n <= last; ++n) out.push_back(n - 1);
      break;
    }
  }
  return out;
}

FileDialogRequest exportFileRequest(ExportFormat format, const Document& doc) {
  static const struct {
    const char* filter;
    const char* extension;
  } kFormats[] = {
      {"PDF(*.pdf)|*.pdf|全て(*.*)|*.*||"_sj, "pdf"},
      {"PNG画像(*.png)|*.png|全て(*.*)|*.*||"_sj, "png"},
      {"Markdown(*.md)|*.md|全て(*.*)|*.*||"_sj, "md"},
      {"OPML(*.opml)|*.opml|全て(*.*)|*.*||"_sj, "opml"},
  };
  const auto& f = kFormats[static_cast<int>(format)];
  FileDialogRequest r;
  r.title = "エクスポート"_sj;
  r.filter = f.filter;
  r.defaultExtension = f.extension;
  const std::string name = doc.fileTitle + "." + f.extension;
  r.initialName = doc.hasFile ? (std::filesystem::path(doc.filePath).parent_path() / name).string() : name;
  return r;
}

std::string numberedPath(const std::string& path, int sheetNumber, int sheetCount) {
  const size_t nameStart = path.find_last_of('/') + 1;  // 0 without a folder
  size_t dot = path.find_last_of('.');
  if (dot == std::string::npos || dot <= nameStart) dot = path.size();
  const std::string number = std::to_string(sheetNumber);
  const size_t width = std::to_string(std::max(sheetCount, sheetNumber)).size();
  return path.substr(0, dot) + "-" + std::string(width - number.size(), '0') + number + path.substr(dot);
}

std::string outlineExport(const Workbook& wb, ExportFormat format, const std::vector<int>& sheets,
                          const std::string& title) {
  const WorkbookOutline outline = buildOutline(wb, sheets, title);
  return format == ExportFormat::Opml ? toOpml(outline) : toMarkdown(outline);
}

namespace {

// One file of an export: where it goes and how its bytes are drawn.
struct ExportFile {
  std::string path;
  std::function<std::optional<std::string>()> bytes;
};

std::vector<ExportFile> exportFiles(DocWnd& w, ExportState& state, const ExportChoice& choice,
                                    const std::vector<int>& sheets, const std::string& path) {
  std::vector<ExportFile> files;
  switch (choice.format) {
    case ExportFormat::Markdown:
    case ExportFormat::Opml:
      files.push_back({path, [&w, &choice, &sheets] {
                         return std::optional<std::string>(
                             outlineExport(w.wb(), choice.format, sheets, w.doc.fileTitle));
                       }});
      break;
    case ExportFormat::Pdf:
      files.push_back({path, [&state, &sheets] { return state.images->pdf(sheets); }});
      break;
    case ExportFormat::Png:
      for (int s : sheets) {
        const std::string file =
            sheets.size() == 1 ? path : numberedPath(path, s + 1, static_cast<int>(w.wb().sheets.size()));
        files.push_back({file, [&state, &choice, s] { return state.images->png(s, choice.pngScale); }});
      }
      break;
  }
  return files;
}

// Save As asked about the chosen name only; numbered files that are there
// already are asked about once, together.
bool mayReplaceNumberedFiles(DocWnd& w, const std::vector<ExportFile>& files) {
  if (files.size() < 2) return true;
  std::vector<std::string> existing;
  for (const ExportFile& f : files) {
    std::error_code ec;
    if (std::filesystem::exists(f.path, ec)) existing.push_back(f.path);
  }
  if (existing.empty()) return true;
  std::string text = "同じ名前のファイルがあります。上書きしますか？\n"_sj + pathForMessage(existing.front());
  if (existing.size() > 1) text += "\nほか "_sj + std::to_string(existing.size() - 1) + " 件"_sj;
  return w.ui().confirmation(text) == Answer::Ok;
}

}  // namespace

int exportCommand(DocWnd& w, ExportState& state) {
  if (!state.dialog) return 0;
  const Workbook& wb = w.wb();
  const int count = static_cast<int>(wb.sheets.size());
  const std::optional<ExportChoice> choice = state.dialog->run(state.remembered, wb.currentSheet + 1, count);
  if (!choice) return 0;
  state.remembered = *choice;
  const std::vector<int> sheets = selectedSheets(choice->sheets, wb.currentSheet, count);
  if (sheets.empty()) {
    w.ui().warning("対象データがありません。"_sj);
    return 0;
  }
  const bool drawn = choice->format == ExportFormat::Pdf || choice->format == ExportFormat::Png;
  if (drawn && !state.images) return 0;
  const std::optional<std::string> path = w.ui().chooseSaveFile(exportFileRequest(choice->format, w.doc));
  if (!path) return 0;
  const std::vector<ExportFile> files = exportFiles(w, state, *choice, sheets, *path);
  if (!mayReplaceNumberedFiles(w, files)) return 0;
  int error = 0;
  const ExportFile* failed = nullptr;
  {
    WaitCursor wait(w.ui());
    for (const ExportFile& f : files) {
      const std::optional<std::string> bytes = f.bytes();
      if (!bytes)
        error = EIO;
      else
        writeFileAtomically(f.path, *bytes, &error);
      if (error != 0) {
        failed = &f;
        break;
      }
    }
  }
  if (failed) {
    w.ui().warning(fileFailureText("ファイルに書き込めませんでした。"_sj, failed->path, error));
    return 1;
  }
  w.ui().information("エクスポートが完了しました。"_sj);
  return 0;
}

}  // namespace tgc
