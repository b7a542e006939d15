// The commands of the catalog mark editor that need the controller: the
// dialog calls them with the selection of its list controls (positions in
// the working list) and refills its lists afterwards.
#pragma once

#include <vector>

namespace tgc {

class DocWnd;

// Opening the editor: the first change of this opening records the undo
// step; the lists are rebuilt from the catalog and sorted in their current
// directions.
void openMarkEditor(DocWnd& w);

// Id of the first selected entry of the current list, or -1 after the
// selection warning of that list.
int selectedMarkId(DocWnd& w, const std::vector<int>& selected);

// "削除": deletes the selected entries of the current list when no sheet uses
// them on a non-idea box. 0 when deleted, -1 when refused or declined.
int deleteSelectedMarks(DocWnd& w, const std::vector<int>& selected);

// ">>" and "<<" on the controller's document.
void moveToDormant(DocWnd& w, const std::vector<int>& selectedActive);
void moveToActive(DocWnd& w, const std::vector<int>& selectedDormant);

// Runs when the editor closes; it closes in every case.
void closeCheck(DocWnd& w);
// closeCheck, then a repaint of the sheet view, which shows the changed
// marks of this opening.
void closeMarkEditor(DocWnd& w);

// Ctrl+E: switches the drawing of mark names in the sheet view.
void toggleMarkNames(DocWnd& w);

}  // namespace tgc
