// The file commands: new, open, save, save as, the recent entries, opening a
// path from the command line or a drop, the question before unsaved changes
// are dropped, and the window title.
#pragma once

#include <string>

namespace tgc {

class DocWnd;

enum class FileOpKind { SaveFirst, SaveAs, Save, Open, OpenRecent, OpenPath, New };

// Sets the main window's title from the file title.
void updateTitle(DocWnd& w);
// The recent-file rebuild with the current file, then the menu.
void refreshRecentList(DocWnd& w);
// What made an open fail: the file and the errno value (or kDamagedFile).
struct FileFailure {
  std::string path;
  int error = 0;
};
// The common ending of every file command, by kind and outcome. A failed
// open with `why` names the file and the reason in its warning.
void finishFileOperation(DocWnd& w, bool failed, FileOpKind kind, const FileFailure* why = nullptr);

enum class SaveAsResult { Saved, Cancelled, Failed };
// The Save As dialog, then the save. A failed save leaves the workbook as it
// was: same file identity, still modified.
SaveAsResult saveAsCommand(DocWnd& w);
// 0 saved, 1 not saved.
int saveCommand(DocWnd& w);

// Each returns 0; what happened is visible in the document.
int newWorkbook(DocWnd& w);
int openWorkbook(DocWnd& w);
int openRecent(DocWnd& w, int entry);
// Opens a workbook by path (relative to the current directory or absolute).
int openPath(DocWnd& w, const std::string& path);

// Reads the workbook's file again (after it changed on disk), keeping its
// lock and mode; unsaved changes are not asked about.
int reloadWorkbook(DocWnd& w);

// Before the main window closes (after an open edit was ended): 0 proceed,
// 1 keep the window open.
int confirmClose(DocWnd& w);

}  // namespace tgc
