#include "app/textstyle.h"

#include "core/cp932literal.h"
#include "core/docwnd.h"

namespace tgc {

namespace {

void applyFont(DocWnd& w) {
  if (w.app.window) w.app.window->applyTextFont(w.app.font);
}

void writeColor(DocWnd& w) {
  w.ports.settings.writeInt("View Info", "TextColor", static_cast<int>(w.shell.textColor));
}

struct SizeNames {
  const char* width;
  const char* height;
};

SizeNames namesOf(SizedWindow which) {
  switch (which) {
    case SizedWindow::WordList:
      return {"ListWidth", "ListHeight"};
    case SizedWindow::IdeaMemo:
      return {"MemoWidth", "MemoHeight"};
    case SizedWindow::Find:
      return {"FindWidth", "FindHeight"};
    case SizedWindow::Main:
      break;
  }
  return {"Width", "Height"};
}

const char* const kSizeSection = "DspSize Info";
const char* const kFindColumns[3] = {"FindColA", "FindColB", "FindColC"};

}  // namespace

void changeTextFont(DocWnd& w) {
  FontRecord start = w.app.font;
  start.underline = 0;
  if (w.app.window) {
    if (auto chosen = w.app.window->chooseFont(start)) {
      w.app.font = *chosen;
      w.app.font.faceName = fitFaceName(chosen->faceName);
    }
  }
  applyFont(w);
  saveTextFont(w);
  w.ui().repaint();
}

void defaultTextFont(DocWnd& w) {
  w.app.font = defaultFontRecord();
  applyFont(w);
  saveTextFont(w);
  w.ui().repaint();
  w.ui().information("フォントを既定値に戻しました。"_sj);
}

void resetTextFontAtStartUp(DocWnd& w) {
  w.app.font = defaultFontRecord();
  applyFont(w);
}

void loadTextFont(DocWnd& w) {
  readFontRecord(w.ports.settings, w.app.font);
  applyFont(w);
}

void saveTextFont(DocWnd& w) {
  writeFontRecord(w.ports.settings, w.app.font);
}

void changeTextColor(DocWnd& w) {
  if (w.app.window) {
    if (auto chosen = w.app.window->chooseColor(w.shell.textColor)) w.shell.textColor = *chosen & 0x00FFFFFFu;
  }
  writeColor(w);
  w.ui().repaint();
}

void defaultTextColor(DocWnd& w) {
  w.shell.textColor = 0x00404040;
  w.ui().information("文字色を既定値に戻しました。"_sj);
  writeColor(w);
  w.ui().repaint();
}

void loadTextColor(DocWnd& w) {
  w.shell.textColor = static_cast<uint32_t>(
      w.ports.settings.readInt("View Info", "TextColor", static_cast<int>(w.shell.textColor)));
}

bool storedPlacement(SettingsPort& s, SizedWindow which, int screenWidth, int screenHeight,
                     WindowPlacement& out) {
  const SizeNames n = namesOf(which);
  const int width = s.readInt(kSizeSection, n.width, 0);
  const int height = s.readInt(kSizeSection, n.height, 0);
  if (width == 0 || height == 0) return false;
  // Integer division truncates toward zero, as the centring rule asks.
  out = {(screenWidth - width) / 2, (screenHeight - height) / 2, width, height};
  return true;
}

void recordSizeOnOpen(SettingsPort& s, SizedWindow which, int width, int height) {
  const SizeNames n = namesOf(which);
  if (s.readInt(kSizeSection, n.width, 0) != 0 || s.readInt(kSizeSection, n.height, 0) != 0) return;
  s.writeInt(kSizeSection, n.width, width);
  s.writeInt(kSizeSection, n.height, height);
}

void recordSizeOnClose(SettingsPort& s, SizedWindow which, int width, int height) {
  const SizeNames n = namesOf(which);
  s.writeInt(kSizeSection, n.width, width);
  s.writeInt(kSizeSection, n.height, height);
}

void readListColumns(SettingsPort& s, int& first, int& second) {
  first = s.readInt(kSizeSection, "ListColA", 90);
  second = s.readInt(kSizeSection, "ListColB", 260);
}

void writeListColumns(SettingsPort& s, int first, int second) {
  s.writeInt(kSizeSection, "ListColA", first);
  s.writeInt(kSizeSection, "ListColB", second);
}

void readFindColumns(SettingsPort& s, int (&widths)[3]) {
  for (int i = 0; i < 3; ++i) widths[i] = s.readInt(kSizeSection, kFindColumns[i], widths[i]);
}

void writeFindColumns(SettingsPort& s, const int (&widths)[3]) {
  for (int i = 0; i < 3; ++i) s.writeInt(kSizeSection, kFindColumns[i], widths[i]);
}

}  // namespace tgc
