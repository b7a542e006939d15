#include "core/sheetexport.h"

#include <algorithm>
#include <filesystem>

#include "core/cp932literal.h"
#include "core/docwnd.h"
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

bool writeExport(DocWnd& w, ExportState& state, const ExportChoice& choice, const std::vector<int>& sheets,
                 const std::string& path) {
  switch (choice.format) {
    case ExportFormat::Markdown:
    case ExportFormat::Opml:
      // Written beside the target and renamed over it, as PDF and PNG are.
      return writeFileAtomically(path, outlineExport(w.wb(), choice.format, sheets, w.doc.fileTitle));
    case ExportFormat::Pdf:
      return state.images && state.images->writePdf(path, sheets);
    case ExportFormat::Png:
      if (!state.images) return false;
      if (sheets.size() == 1) return state.images->writePng(path, sheets.front(), choice.pngScale);
      for (int s : sheets)
        if (!state.images->writePng(numberedPath(path, s + 1, static_cast<int>(w.wb().sheets.size())), s,
                                    choice.pngScale))
          return false;
      return true;
  }
  return false;
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
  const std::optional<std::string> path = w.ui().chooseSaveFile(exportFileRequest(choice->format, w.doc));
  if (!path) return 0;
  bool written;
  {
    WaitCursor wait(w.ui());
    written = writeExport(w, state, *choice, sheets, *path);
  }
  if (!written) {
    w.ui().warning("ファイルに書き込めませんでした。"_sj);
    return 1;
  }
  w.ui().information("エクスポートが完了しました。"_sj);
  return 0;
}

}  // namespace tgc
