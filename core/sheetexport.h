// Export of sheets to PDF, PNG, Markdown or OPML: the choice of format,
// sheets and scale, the Save As request of each format, and the command that
// runs the dialog, asks for the file and writes it. Markdown and OPML are
// written here; PDF and PNG need the painter, behind SheetImagePort.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/document.h"
#include "core/ports.h"
#include "core/workbook.h"

namespace tgc {

class DocWnd;

enum class ExportFormat : int { Pdf = 0, Png = 1, Markdown = 2, Opml = 3 };
enum class SheetScope : int { Current = 0, All = 1, Range = 2 };

// Which sheets: the current one, all, or sheet numbers from..to (1-based).
struct SheetSelection {
  SheetScope scope = SheetScope::Current;
  int from = 1;
  int to = 1;
  bool operator==(const SheetSelection&) const = default;
};

struct ExportChoice {
  ExportFormat format = ExportFormat::Pdf;
  SheetSelection sheets;
  int pngScale = 1;  // 1, 2 or 3
  bool operator==(const ExportChoice&) const = default;
};

// The sheet positions (0-based) a selection names, in order. A range is
// clamped to the sheets there are and may be given backwards.
std::vector<int> selectedSheets(const SheetSelection& selection, int currentSheet, int sheetCount);

// The Save As request of a format. The proposed name is the workbook's
// title with the format's extension, beside the workbook when it has a file.
FileDialogRequest exportFileRequest(ExportFormat format, const Document& doc);

// "name-007.png" for sheet 7 of a workbook of 100 or more sheets: the
// number before the extension, zero-padded to the width of the largest.
std::string numberedPath(const std::string& path, int sheetNumber, int sheetCount);

// The export window: returns the choice, or nothing when cancelled.
class ExportDialogPort {
 public:
  virtual ~ExportDialogPort() = default;
  // currentSheet and sheetCount are 1-based numbers for the range fields.
  virtual std::optional<ExportChoice> run(const ExportChoice& preset, int currentSheet, int sheetCount) = 0;
};

// Drawing sheets into the bytes of a file; the command writes them with the
// program's own writer, so an export fails safely and says why, as a save
// does. Nothing when the drawing itself failed.
class SheetImagePort {
 public:
  virtual ~SheetImagePort() = default;
  // One page per sheet, in the order given.
  virtual std::optional<std::string> pdf(const std::vector<int>& sheets) = 0;
  virtual std::optional<std::string> png(int sheet, int scale) = 0;
};

// What the export keeps for the whole run. The Qt layer owns it.
struct ExportState {
  ExportChoice remembered;
  ExportDialogPort* dialog = nullptr;
  SheetImagePort* images = nullptr;
};

// The Markdown or OPML bytes (UTF-8) of the sheets at these positions of a
// workbook whose file title (UTF-8) is `title`.
std::string outlineExport(const Workbook& wb, ExportFormat format, const std::vector<int>& sheets,
                          const std::string& title);

// The command: dialog, Save As, write, then the completion message. 0 when
// written or cancelled, 1 when a file could not be written. Several PNGs go
// to numbered files beside the chosen one; when some of those exist already
// the person is asked before they are replaced.
int exportCommand(DocWnd& w, ExportState& state);

}  // namespace tgc
