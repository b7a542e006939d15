// The text font and text colour commands, and the size records of the
// windows that keep their size between runs.
#pragma once

namespace tgc {

class DocWnd;
class SettingsPort;

// Font change: the dialog on the current record without underline. OK takes
// the choice; in any case the font is rebuilt, applied, written and the view
// repainted.
void changeTextFont(DocWnd& w);
// Back to the default font, written, with its message.
void defaultTextFont(DocWnd& w);
// The start-up reset: the default font, applied, nothing written or shown.
void resetTextFontAtStartUp(DocWnd& w);
// Reads the stored font over the current record and applies it.
void loadTextFont(DocWnd& w);
// Writes the whole font record.
void saveTextFont(DocWnd& w);

void changeTextColor(DocWnd& w);
void defaultTextColor(DocWnd& w);
// Reads "TextColor" (the colour in force as the fallback).
void loadTextColor(DocWnd& w);

// The windows whose outer size persists.
enum class SizedWindow { Main, WordList, IdeaMemo, Find };

struct WindowPlacement {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

// Apply on creation: the stored size centred on the screen, when both the
// width and the height are stored and non-zero.
bool storedPlacement(SettingsPort& settings, SizedWindow which, int screenWidth, int screenHeight,
                     WindowPlacement& out);
// Record on open: stores the current size when neither value is stored yet.
void recordSizeOnOpen(SettingsPort& settings, SizedWindow which, int width, int height);
// Record on close: stores the current size.
void recordSizeOnClose(SettingsPort& settings, SizedWindow which, int width, int height);

// The word list's two column widths ("ListColA", "ListColB"; 90 and 260
// when not stored).
void readListColumns(SettingsPort& settings, int& first, int& second);
void writeListColumns(SettingsPort& settings, int first, int second);

// The find window's three column widths ("FindColA" to "FindColC"); a value
// not stored leaves the caller's width.
void readFindColumns(SettingsPort& settings, int (&widths)[3]);
void writeFindColumns(SettingsPort& settings, const int (&widths)[3]);

}  // namespace tgc
