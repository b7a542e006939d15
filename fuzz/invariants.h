// The properties every workbook the program holds keeps, checked from the
// outside after each step of the fuzz targets and the random command test.
// Each check returns a description of the first violation, or "".
#pragma once

#include <string>

#include "core/workbook.h"

namespace tgc::fuzz {

// What a load guarantees for any file it accepts: every sheet has 25 boxes,
// one per cell, of a known sheet type; every box refers to a word of the
// pool or none and to a mark of the catalog or none; every memo belongs to
// a word of the pool; currentSheet names a sheet (or is 0 without sheets).
std::string checkLoadedWorkbook(const Workbook& wb);

// What the commands keep on top of that: mark ids are 0 .. n-1 in catalog
// order, and a word's hasMemo is 1 exactly when a memo refers to it.
std::string checkEditedWorkbook(const Workbook& wb);

}  // namespace tgc::fuzz
