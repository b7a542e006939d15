// What keeps the workbook file one writer's and never overwritten unseen:
// the lock taken when a file is opened or saved under a name, read-only
// mode when another program holds it, the stamp of the file as last read or
// written, the question before a save over a file changed on disk, the
// look when the window becomes active, and the finishing of a save a kill
// cut off. The file commands (core/filecommands.h) call these.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "core/filestamp.h"
#include "core/workbooklock.h"

namespace tgc {

class DocWnd;

// The state of the open workbook's file.
struct OpenFile {
  std::unique_ptr<WorkbookLock> lock;  // null: no lock held (none possible, or opened anyway)
  bool readOnly = false;               // another program holds it: Save asks for a name
  std::optional<FileStamp> stamp;      // the file as last read or written here...
  std::string stampPath;               // ...under this path; another path has none
  std::optional<FileStamp> toldAbout;  // a change on disk already told about
};

// Finishes what a killed save of the file at `path` left and tells the
// person what was done. Before every open.
void finishInterruptedSave(DocWnd& w, const std::string& path);

enum class LockChoice { Proceed, ReadOnly, Cancel };
// The lock for opening the workbook at `path`: kept when this program
// already holds it, taken when free (or stale), none where none can be
// made. When another program holds it the person chooses to open read-only,
// open anyway or cancel.
LockChoice lockForOpening(DocWnd& w, const std::string& path, std::unique_ptr<WorkbookLock>& lock);

// After a successful open or save under the document's filePath: the lock
// and mode of that file, and its stamp.
void adoptFile(DocWnd& w, std::unique_ptr<WorkbookLock> lock, bool readOnly);
// No file any more (New, a failed open, the window closing): the lock goes.
void forgetFile(DocWnd& w);

// Before a save under a new name: the lock of `path`, or nullopt after a
// warning that another program holds it.
std::optional<std::unique_ptr<WorkbookLock>> lockForSavingAs(DocWnd& w, const std::string& path);

enum class SaveGate { Write, SaveAs, Stop };
// Before Save writes over the document's file: Save As in read-only mode;
// a file changed on disk since it was read or written here asks whether to
// overwrite it, save under another name or cancel.
SaveGate beforeSave(DocWnd& w);
// After a save wrote the document's file: its new stamp.
void rememberFileOnDisk(DocWnd& w);

// When the main window becomes active: a file changed on disk is told once
// per change. An unmodified workbook is offered a reload (true when the
// person wants it); a modified one hears that Save will ask.
bool fileChangedOnActivation(DocWnd& w);

// After restoring an autosaved copy of the workbook at the document's
// filePath: its lock, or read-only mode (told) when another program holds it.
void lockRestoredFile(DocWnd& w);

// Message texts (CP932), for the tests too.
std::string lockQuestionText(const std::string& path, const LockOwner& owner, int64_t now);
std::string interruptedSaveText(const std::string& path, bool rewritten);

}  // namespace tgc
