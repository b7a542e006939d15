// Helpers shared by the mark tests: sheets with chosen marks, and scripted
// fakes of the merge and mark-properties dialogs.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "core/docwnd.h"
#include "marks/consolidation.h"
#include "marks/defaultcatalog.h"
#include "marks/markproperties.h"
#include "tests/support/fakes.h"
#include "tests/support/workbooks.h"

namespace tgc::test {

struct PlacedMark {
  int column;
  int row;
  int32_t mark;
  int32_t idea = 0;
};

// Appends a full sheet of the type; every box empty and unmarked except the
// placed ones.
inline int addSheet(Workbook& wb, SheetType type, std::initializer_list<PlacedMark> placed) {
  Sheet s = gridSheet(type);
  for (const PlacedMark& p : placed) {
    Box& b = s.boxes[p.row * kGridColumns + p.column];
    b.mark = p.mark;
    b.idea = p.idea;
  }
  wb.sheets.push_back(std::move(s));
  return static_cast<int>(wb.sheets.size()) - 1;
}

inline int32_t boxMark(const Workbook& wb, int sheet, int column, int row) {
  return wb.sheets[sheet].boxes[row * kGridColumns + column].mark;
}

// Glyph of the mark a box shows, or "?" when its id names no mark.
inline std::string boxGlyph(const Workbook& wb, int sheet, int column, int row) {
  const CatalogMark* m = wb.findMark(boxMark(wb, sheet, column, row));
  return m ? m->glyph : "?";
}

// Position of the entry with that name in a working list, or -1.
inline int positionOf(const std::vector<CatalogMark>& list, const std::string& name) {
  for (std::size_t i = 0; i < list.size(); ++i)
    if (list[i].name == name) return static_cast<int>(i);
  return -1;
}

class FakeMergeDialog : public MergeDialogPort {
 public:
  struct Shown {
    CatalogMark first;
    CatalogMark second;
    bool firstEnabled;
    bool secondEnabled;
  };
  MergeChoice showMergeDialog(const CatalogMark& first, const CatalogMark& second, bool firstEnabled,
                              bool secondEnabled) override {
    shown.push_back({first, second, firstEnabled, secondEnabled});
    if (choices.empty()) {
      ADD_FAILURE() << "unscripted merge dialog";
      return MergeChoice::Stop;
    }
    const MergeChoice c = choices.front();
    choices.pop_front();
    return c;
  }
  void entriesReloaded() override { ++reloads; }
  std::deque<MergeChoice> choices;
  std::vector<Shown> shown;
  int reloads = 0;
};

// Presses OK once per scripted input, in order, until one is accepted; when
// the script runs out the dialog is cancelled.
class FakeMarkDialog : public MarkPropertiesPort {
 public:
  bool edit(const MarkPropertiesRequest& request,
            const std::function<bool(const MarkProperties&)>& onOk) override {
    requests.push_back(request);
    while (!inputs.empty()) {
      const MarkProperties typed = inputs.front();
      inputs.pop_front();
      ++oks;
      if (onOk(typed)) return true;
    }
    return false;
  }
  std::deque<MarkProperties> inputs;
  std::vector<MarkPropertiesRequest> requests;
  int oks = 0;
};

// A controller with the default catalog, one empty Type-A sheet and both
// dialog fakes wired in.
struct MarksRig : Rig {
  FakeMergeDialog merge;
  FakeMarkDialog props;
  MarksRig() {
    w.mergeDialog = &merge;
    w.markProperties = &props;
    fillDefaultCatalog(w.wb());
    addSheet(w.wb(), TypeA, {{2, 2, kThemeMarkId}});
    w.marks.reloadEntries(w.wb());
  }
};

}  // namespace tgc::test
