// The tool's side of the workbook's guards: no write over a workbook a
// program window holds open (unless --force), and the finishing of a save
// a kill cut off, reported with the leftover and the step it had reached.
#pragma once

#include <CLI/CLI.hpp>
#include <string>

namespace tgc::cli {

// Adds --force, which lets `force` write over a workbook a window holds.
void addForceFlag(CLI::App& sub, bool& force);

// True when OUT may be written: nobody holds it, or `force`. Otherwise a
// line on stderr names the holder and --force.
bool mayWriteWorkbook(const std::string& out, bool force);

// Finishes what a killed save of FILE left beside it; a line on stderr
// names the leftover, the step and what was done. False when the file
// could not be made whole.
bool finishInterruptedSaveOf(const std::string& file);

}  // namespace tgc::cli
