// The largest workbook the program is sized for, for benchmarks: 1000
// sheets (types A, B, C in turn) of 25 boxes each in the 5 x 5 layout,
// 25000 distinct words of 5 to 20 full-width CP932 characters (every word on
// exactly one box), 1000 catalog marks (the two system marks first) and
// 5000 idea memos on idea words. Every reference is valid and sheetUsage
// and hasMemo agree with the boxes and memos. The same seed gives the same
// workbook.
#pragma once

#include <cstdint>

#include "core/workbook.h"

namespace tgc {

Workbook makeLargestWorkbook(uint32_t seed);

}  // namespace tgc
