#include "app/startup.h"

#include "app/textstyle.h"
#include "core/docwnd.h"
#include "core/filecommands.h"
#include "marks/defaultcatalog.h"
#include "sheet/sheetcommands.h"

namespace tgc {

void documentStartUp(DocWnd& w, const StartUpArgs& args) {
  // The fixed painting fonts belong to the sheet view and exist with it.
  resetTextFontAtStartUp(w);
  w.wb().cursorColumn = kGridColumns / 2;
  w.wb().cursorRow = kGridRows / 2;
  w.doc.setModified(0);
  fillDefaultCatalog(w.wb());
  w.marks.reloadEntries(w.wb());
  w.shell.markNames = w.ports.settings.readInt("View Info", "Name", w.shell.markNames);
  createSheet(w, CreateKind::Initial);
  recordSizeOnOpen(w.ports.settings, SizedWindow::Main, args.windowWidth, args.windowHeight);
  w.doc.resetHistory();
  w.doc.filePath = w.doc.fileTitle = untitledName();
  loadTextFont(w);
  loadTextColor(w);
  refreshRecentList(w);
  w.doc.resetViewState(w.doc.current);
  w.shell.guideShown = 0;
  w.view.reset();
  w.app.keys = KeyState{};
  if (!args.commandLinePath.empty()) openPath(w, args.commandLinePath);
  updateTitle(w);
  w.ui().repaint();
}

}  // namespace tgc
