#include "core/filecommands.h"

#include <filesystem>
#include <system_error>

#include "app/recentfiles.h"
#include "core/cp932literal.h"
#include "core/docwnd.h"
#include "core/fileerror.h"
#include "core/fileguard.h"
#include "core/workbookfile.h"
#include "marks/defaultcatalog.h"
#include "sheet/sheetcommands.h"

namespace tgc {

namespace {

const char* const kSaveQuestion = "データが更新されています。保存しますか？"_sj;
const char* const kRecentFailed = "ファイルが存在しないか、ファイルにエラーがあります。"_sj;

// Titles name files, so they are UTF-8 like paths, not workbook text.
const std::string& appTitle() {
  static const std::string t = "発想マス目ノート";
  return t;
}

FileDialogRequest workbookDialog(const std::string& initialName) {
  FileDialogRequest r;
  r.filter = "ThoughtGridCraft(*.tgc)|*.tgc|全て(*.*)|*.*||"_sj;
  r.defaultExtension = "tgc";
  r.initialName = initialName;
  return r;
}

std::string defaultSaveName(const Document& doc) {
  if (doc.hasFile == 0 && (doc.filePath.empty() || doc.filePath == untitledName())) return untitledName();
  return doc.filePath;
}

// Makes the current slot an empty workbook with no history.
void emptyWorkbook(DocWnd& w, bool historyTwice) {
  w.clearAll();
  w.doc.resetHistory();
  w.doc.resetViewState(w.doc.current);
  if (historyTwice) w.doc.resetHistory();
}

// Writes the workbook to its filePath; a failure is told with the file and
// the system's reason, so nobody believes unsaved work is safe.
bool saveTold(DocWnd& w) {
  int error = 0;
  if (saveWorkbook(w.doc, w.ui(), &error) == 0) return true;
  w.ui().warning(saveFailedText(w.doc.filePath, error));
  return false;
}

// Reads filePath into slot 0; on failure `why` names the file and reason.
bool loadInto(DocWnd& w, FileFailure& why) {
  why.path = w.doc.filePath;
  return loadWorkbook(w.doc, kLoadOpen, w.ui(), &why.error) == 0;
}

// Saves under `chosen`, which becomes the workbook's file and lock; a
// failure (or a file another program holds) keeps the workbook's file.
bool saveUnderName(DocWnd& w, const std::string& chosen) {
  auto lock = lockForSavingAs(w, chosen);
  if (!lock) return false;
  Document& d = w.doc;
  const std::string oldPath = d.filePath, oldTitle = d.fileTitle;
  d.filePath = chosen;
  d.fileTitle = fileTitleOf(chosen);
  if (!saveTold(w)) {
    // Nothing was saved: the workbook keeps its file and stays modified.
    d.filePath = oldPath;
    d.fileTitle = oldTitle;
    return false;
  }
  adoptFile(w, std::move(*lock), false);
  return true;
}

// Saves over the file the workbook has; true when it was written. In
// read-only mode, and when the person wants it after the file changed on
// disk, the save goes under another name.
bool saveInPlace(DocWnd& w, bool check) {
  switch (beforeSave(w)) {
    case SaveGate::Stop:
      return false;
    case SaveGate::SaveAs:
      return saveAsCommand(w) == SaveAsResult::Saved;
    case SaveGate::Write:
      break;
  }
  if (check && checkWorkbookFile(w.doc.filePath, w.ui()) != 0) return false;
  if (!saveTold(w)) return false;
  rememberFileOnDisk(w);
  return true;
}

// The save a save question's Yes asks for. A save that fails keeps the
// workbook: the caller must not go on and drop unsaved changes.
bool saveForQuestion(DocWnd& w, bool check) {
  if (w.doc.hasFile == 1) {
    if (!saveInPlace(w, check)) return false;
    w.doc.resetHistory();
    return true;
  }
  return saveAsCommand(w) == SaveAsResult::Saved;
}

}  // namespace

void updateTitle(DocWnd& w) {
  const Document& d = w.doc;
  if (d.filePath != untitledName())
    w.ui().setTitle(d.fileTitle + (w.file.readOnly ? ".tgc (読み取り専用) - " : ".tgc - ") + appTitle());
  else
    w.ui().setTitle(d.fileTitle + " - " + appTitle());
}

void refreshRecentList(DocWnd& w) {
  auto items = rebuildRecentFiles(w.app.recent, w.ports.settings, w.doc.filePath);
  if (w.app.window) w.app.window->setRecentMenu(items);
}

void finishFileOperation(DocWnd& w, bool failed, FileOpKind kind, const FileFailure* why) {
  Document& d = w.doc;
  switch (kind) {
    case FileOpKind::SaveFirst:
    case FileOpKind::SaveAs:
    case FileOpKind::Save:
      if (failed) return;
      d.setModified(0);
      d.hasFile = 1;
      d.resetHistory();
      refreshRecentList(w);
      updateTitle(w);
      if (kind != FileOpKind::Save) w.ui().focusView();
      return;
    case FileOpKind::Open:
    case FileOpKind::OpenRecent:
    case FileOpKind::OpenPath:
      if (!failed) {
        d.resetHistory();
        d.setModified(0);
        d.hasFile = 1;
        refreshRecentList(w);
        w.wb().cursorColumn = 2;
        w.wb().cursorRow = 2;
        w.marks.reloadEntries(w.wb());
        updateTitle(w);
        w.ui().repaint();
        w.ui().focusView();
      } else {
        // The workbook is left empty (no sheets, no marks) and untitled.
        emptyWorkbook(w, false);
        forgetFile(w);
        d.hasFile = 0;
        d.filePath = d.fileTitle = untitledName();
        d.setModified(0);
        updateTitle(w);
        w.ui().repaint();
        if (kind == FileOpKind::OpenRecent) {
          refreshRecentList(w);
          w.ui().warning(why ? fileFailureText(kRecentFailed, why->path, why->error) : kRecentFailed);
        } else if (why) {
          w.ui().warning(openFailedText(why->path, why->error));
        }
      }
      return;
    case FileOpKind::New:
      emptyWorkbook(w, false);
      forgetFile(w);
      d.setModified(0);
      fillDefaultCatalog(w.wb());
      w.marks.reloadEntries(w.wb());
      createSheet(w, CreateKind::Initial);
      d.hasFile = 0;
      d.filePath = d.fileTitle = untitledName();
      updateTitle(w);
      w.ui().repaint();
      w.ui().focusView();
      return;
  }
}

SaveAsResult saveAsCommand(DocWnd& w) {
  Document& d = w.doc;
  const auto chosen = w.ui().chooseSaveFile(workbookDialog(defaultSaveName(d)));
  if (!chosen) return SaveAsResult::Cancelled;
  const bool failed = !saveUnderName(w, *chosen);
  finishFileOperation(w, failed, FileOpKind::SaveAs);
  return failed ? SaveAsResult::Failed : SaveAsResult::Saved;
}

int saveCommand(DocWnd& w) {
  Document& d = w.doc;
  if (d.hasFile == 1) {
    if (!saveInPlace(w, true)) return 1;
    finishFileOperation(w, false, FileOpKind::Save);
    return 0;
  }
  const auto chosen = w.ui().chooseSaveFile(workbookDialog(defaultSaveName(d)));
  if (!chosen || !saveUnderName(w, *chosen)) return 1;
  finishFileOperation(w, false, FileOpKind::SaveFirst);
  return 0;
}

int newWorkbook(DocWnd& w) {
  if (w.doc.modified == 1) {
    switch (w.ui().question(kSaveQuestion, true)) {
      case Answer::Yes:
        if (w.doc.hasFile == 0) {
          // Saving an untitled workbook is all this command does.
          saveAsCommand(w);
          return 0;
        }
        if (!saveForQuestion(w, true)) return 0;
        break;
      case Answer::No:
        break;
      default:
        return 0;
    }
  }
  finishFileOperation(w, false, FileOpKind::New);
  return 0;
}

int openWorkbook(DocWnd& w) {
  if (w.doc.modified == 1) {
    switch (w.ui().question(kSaveQuestion, true)) {
      case Answer::Yes:
        if (saveCommand(w) != 0) return 0;
        break;
      case Answer::No:
        break;
      default:
        return 0;
    }
  }
  const auto chosen = w.ui().chooseOpenFile(workbookDialog(""));
  if (!chosen) return 0;
  finishInterruptedSave(w, *chosen);
  if (checkWorkbookFile(*chosen, w.ui()) != 0) return 0;
  std::unique_ptr<WorkbookLock> lock;
  const LockChoice choice = lockForOpening(w, *chosen, lock);
  if (choice == LockChoice::Cancel) return 0;
  emptyWorkbook(w, true);
  w.doc.filePath = *chosen;
  w.doc.fileTitle = fileTitleOf(*chosen);
  FileFailure why;
  const bool failed = !loadInto(w, why);
  if (!failed) adoptFile(w, std::move(lock), choice == LockChoice::ReadOnly);
  finishFileOperation(w, failed, FileOpKind::Open, &why);
  return 0;
}

namespace {

// An emptied workbook with no file: untitled, unmodified, shown as such.
void leaveEmptyUntitled(DocWnd& w) {
  Document& d = w.doc;
  forgetFile(w);
  d.hasFile = 0;
  d.filePath = d.fileTitle = untitledName();
  d.setModified(0);
  updateTitle(w);
  w.ui().repaint();
}

}  // namespace

int openRecent(DocWnd& w, int entry) {
  if (entry < 0 || entry >= kRecentCount) return 0;
  // Taken before the save question: a save as rebuilds the table and would
  // otherwise put the just-saved file where the chosen entry was.
  const std::string chosenPath = w.app.recent.paths[entry];
  const std::string chosenTitle = w.app.recent.titles[entry];
  if (w.doc.modified == 1) {
    switch (w.ui().question(kSaveQuestion, true)) {
      case Answer::Yes:
        if (!saveForQuestion(w, true)) return 0;
        break;
      case Answer::No:
        break;
      default:
        return 0;
    }
  }
  emptyWorkbook(w, true);
  Document& d = w.doc;
  d.filePath = chosenPath;
  d.fileTitle = chosenTitle;
  if (!d.filePath.empty()) finishInterruptedSave(w, d.filePath);
  std::unique_ptr<WorkbookLock> lock;
  LockChoice choice = LockChoice::Cancel;
  if (d.filePath.empty() || checkWorkbookFile(d.filePath, w.ui()) != 0 ||
      (choice = lockForOpening(w, d.filePath, lock)) == LockChoice::Cancel) {
    // The workbook is already empty. Keeping the refused file as its file
    // (or the changes that were declined as unsaved) would let the close
    // question write the empty workbook over that file.
    leaveEmptyUntitled(w);
    return 0;
  }
  FileFailure why;
  const bool failed = !loadInto(w, why);
  if (!failed) adoptFile(w, std::move(lock), choice == LockChoice::ReadOnly);
  if (failed) {
    // The value of the failed file is emptied; a save as above may have moved
    // it to another number.
    for (int n = 1; n <= kRecentCount; ++n) {
      const std::string name = "File" + std::to_string(n);
      if (w.ports.settings.readString("Recent File List", name, "") == chosenPath)
        w.ports.settings.writeString("Recent File List", name, "");
    }
  }
  finishFileOperation(w, failed, FileOpKind::OpenRecent, &why);
  return 0;
}

namespace {

// Whether unsaved changes may be dropped for a workbook about to be opened.
bool askSaveBeforeDiscard(DocWnd& w) {
  Document& d = w.doc;
  if (d.modified != 1) return true;
  if (d.hasFile == 0) d.filePath = untitledName();
  switch (w.ui().question(kSaveQuestion, true)) {
    case Answer::Yes: {
      if (d.hasFile == 1) return saveInPlace(w, false);
      const auto chosen = w.ui().chooseSaveFile(workbookDialog(untitledName()));
      if (!chosen || !saveUnderName(w, *chosen)) return false;
      d.setModified(0);
      return true;
    }
    case Answer::No:
      return true;
    default:
      return false;
  }
}

}  // namespace

namespace {

// Reads `path` into the emptied workbook, which keeps `lock` and the mode.
void loadPath(DocWnd& w, const std::string& path, std::unique_ptr<WorkbookLock> lock, bool readOnly) {
  Document& d = w.doc;
  w.clearAll();
  d.resetViewState(d.current);
  d.resetHistory();
  d.filePath = path;
  FileFailure why;
  const bool failed = !loadInto(w, why);
  if (failed) {
    finishFileOperation(w, true, FileOpKind::OpenPath, &why);
  } else {
    std::error_code ec;
    if (std::filesystem::exists(d.filePath, ec)) {
      d.fileTitle = fileTitleOf(d.filePath);
      adoptFile(w, std::move(lock), readOnly);
      finishFileOperation(w, false, FileOpKind::OpenPath);
    }
  }
  refreshRecentList(w);
}

}  // namespace

int openPath(DocWnd& w, const std::string& path) {
  finishInterruptedSave(w, path);
  if (checkWorkbookFile(path, w.ui()) != 0) return 0;
  if (!askSaveBeforeDiscard(w)) return 0;
  std::unique_ptr<WorkbookLock> lock;
  const LockChoice choice = lockForOpening(w, path, lock);
  if (choice == LockChoice::Cancel) return 0;
  loadPath(w, path, std::move(lock), choice == LockChoice::ReadOnly);
  return 0;
}

int reloadWorkbook(DocWnd& w) {
  if (w.doc.hasFile != 1 || checkWorkbookFile(w.doc.filePath, w.ui()) != 0) return 0;
  loadPath(w, w.doc.filePath, nullptr, w.file.readOnly);
  return 0;
}

int confirmClose(DocWnd& w) {
  if (w.doc.modified != 1) return 0;
  switch (w.ui().question(kSaveQuestion, true)) {
    case Answer::Yes:
      return saveForQuestion(w, false) ? 0 : 1;
    case Answer::No:
      return 0;
    default:
      return 1;
  }
}

}  // namespace tgc
