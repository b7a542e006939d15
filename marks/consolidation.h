// Consolidation of look-alike marks: pairs of user marks that share the
// glyph or the name are offered one by one, and the user keeps one of them,
// skips the pair or stops. The dialog is a port.
#pragma once

#include "core/workbook.h"

namespace tgc {

class DocWnd;
class MarkEditor;

enum class MergeChoice { Stop, Next, KeepFirst, KeepSecond };

class MergeDialogPort {
 public:
  virtual ~MergeDialogPort() = default;
  // Shows one pair. firstEnabled / secondEnabled say whether "１に集約" and
  // "２に集約" can be pressed. Escape and closing the dialog report Stop.
  virtual MergeChoice showMergeDialog(const CatalogMark& first, const CatalogMark& second, bool firstEnabled,
                                      bool secondEnabled) = 0;
  // After each merge the working lists were reloaded: the editor behind the
  // dialog refills its two lists.
  virtual void entriesReloaded() {}
};

// Which merge buttons the dialog offers for a pair: a merge is refused when
// the attributes differ and the mark it would remove is used on a Type-B or
// Type-C sheet.
struct MergeButtons {
  bool keepFirst = true;
  bool keepSecond = true;
};
MergeButtons mergeButtons(const CatalogMark& first, const CatalogMark& second);

// True when two marks share the glyph or the name.
bool isLookAlike(const CatalogMark& a, const CatalogMark& b);
// True when any pair of the editor's working lists is a look-alike.
bool hasLookAlikes(const MarkEditor& editor);

// "集約": runs the whole process on the working lists of the open editor.
// 0 when it ran to its end, -1 when there was nothing to do or it was
// stopped.
int consolidate(DocWnd& w);

}  // namespace tgc
