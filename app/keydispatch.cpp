#include "app/keydispatch.h"

#include "app/appstate.h"
#include "app/commandids.h"

namespace tgc {

namespace {

constexpr int kHandled = 1;
constexpr int kNotHandled = 0;

void sample(KeyHost& host, KeyState& keys) {
  const Modifiers m = host.sampleModifiers();
  keys.shiftHeld = m.shift ? 1 : 0;
  keys.ctrlHeld = m.ctrl ? 1 : 0;
}

bool hideGuide(KeyHost& host) {
  if (host.guideShown() != 1) return false;
  host.guideShown() = 0;
  host.repaintView();
  return true;
}

int finalRepaint(KeyHost& host, const KeyState& keys) {
  if (keys.ctrlHeld || keys.shiftHeld) host.repaintView();
  return kNotHandled;
}

bool isFileShortcut(int key) {
  return key == 'Z' || key == 'Y' || key == 'O' || key == 'S' || key == 'T' || key == 'N';
}

int fileShortcut(KeyHost& host, KeyState& keys, int key) {
  if (hideGuide(host)) return kNotHandled;
  sample(host, keys);
  // A shortcut with shift added does nothing, but is still taken.
  if (keys.shiftHeld || !keys.ctrlHeld || host.editing()) return kHandled;
  switch (key) {
    case 'Z':
      host.command(cmd::Undo);
      break;
    case 'Y':
      host.command(cmd::Redo);
      break;
    case 'O':
      host.command(cmd::Open);
      break;
    case 'S':
      host.command(cmd::Save);
      break;
    case 'T':
      host.command(cmd::SaveAs);
      break;
    case 'N':
      host.command(cmd::New);
      break;
  }
  host.repaintView();
  return kHandled;
}

int sheetMoveCommand(int key) {
  switch (key) {
    case vk::F(3):
    case vk::PageUp:
      return cmd::PrevSheet;
    case vk::F(4):
    case vk::PageDown:
      return cmd::NextSheet;
    case vk::F(5):
    case vk::Home:
      return cmd::FirstSheet;
    case vk::F(6):
    case vk::End:
      return cmd::LastSheet;
  }
  return 0;
}

int generalHandler(KeyHost& host, KeyState& keys, int key) {
  host.quietTooltips();
  // Pressing Shift or Ctrl alone is only the start of a shortcut. Were it the
  // key that hides the guide, Ctrl+G would hide and show the guide again and
  // Ctrl+S would save although the guide was up.
  const bool modifierOnly = key == vk::Shift || key == vk::Control;
  if (!modifierOnly && hideGuide(host)) return kNotHandled;
  sample(host, keys);

  if (key == vk::ImeProcess) {
    // The composition that follows goes into the freshly opened editor.
    if (!host.editing() && host.focusOnView()) host.enterOperation(keys.ctrlHeld, keys.shiftHeld);
  } else if (key == vk::Enter) {
    if (!host.editing() && !host.focusOnView()) return kNotHandled;
    host.enterOperation(keys.ctrlHeld, keys.shiftHeld);
    return kHandled;
  } else if (key == vk::Escape) {
    if (host.editing()) host.cancelEdit();
    host.repaintView();
    return kHandled;
  }
  if (host.editing()) return kNotHandled;

  if (key == vk::Tab) return finalRepaint(host, keys);
  if (key >= vk::Left && key <= vk::Down) {
    if (!host.focusOnView()) return kNotHandled;
    host.moveSelection(key, keys.ctrlHeld, keys.shiftHeld);
    return finalRepaint(host, keys);
  }

  if (!keys.shiftHeld && !keys.ctrlHeld) {
    if (key == vk::Insert) return host.command(cmd::WordAssist) == -1 ? kHandled : finalRepaint(host, keys);
    if (key == vk::Delete) return host.command(cmd::DeleteWord);
    if (const int move = sheetMoveCommand(key)) return host.command(move);
    if (key == vk::F(2)) return kNotHandled;
    if (key == vk::F1) {
      host.command(cmd::Help);
      return kHandled;
    }
  } else if (keys.ctrlHeld && !keys.shiftHeld) {
    switch (key) {
      case 'H':
        host.command(cmd::FontChange);
        return kHandled;
      case 'K':
        host.command(cmd::TextOutput);
        return kHandled;
      case 'P':
        host.command(cmd::Print);
        return kHandled;
      case 'G':
        host.command(cmd::Guide);
        return finalRepaint(host, keys);
      case 'M':
        host.command(cmd::MarkEditor);
        return kHandled;
      case 'L':
        host.command(cmd::WordList);
        return kHandled;
      case 'F':
        host.command(cmd::Find);
        return kHandled;
      case 'D':
        return host.command(cmd::DeleteSheet);
      case 'E':
        host.command(cmd::MarkNames);
        return kHandled;
      case 'W':
        host.command(cmd::ColorChange);
        return finalRepaint(host, keys);
      case 'I':
        return host.command(cmd::Import);
      case vk::Space:
        return host.command(cmd::IdeaMemo);
    }
  }

  // Sheet creation also with shift or ctrl held.
  if (key == vk::F(7) || key == vk::F(8) || key == vk::F(9)) {
    host.command(key == vk::F(7) ? cmd::CreateA : key == vk::F(8) ? cmd::CreateB : cmd::CreateC);
    return finalRepaint(host, keys);
  }

  if (!keys.ctrlHeld) return finalRepaint(host, keys);
  if (key == 'C') return host.command(cmd::Copy) == -1 ? kHandled : kNotHandled;
  if (key == 'V') {
    // The shortcut only fills an empty box; the menu item replaces a word.
    if (host.selectedBoxHasWord()) return kNotHandled;
    return host.command(cmd::Paste) == -1 ? kHandled : kNotHandled;
  }
  host.repaintView();
  return kNotHandled;
}

}  // namespace

KeyOutcome dispatchKeyDown(KeyHost& host, KeyState& keys, int key) {
  sample(host, keys);
  int handled;
  if (keys.ctrlHeld && !host.editing() && isFileShortcut(key))
    handled = fileShortcut(host, keys, key);
  else
    handled = generalHandler(host, keys, key);
  // The focus is looked at after the handler: an editor it opened takes the
  // keys that follow.
  KeyOutcome out;
  out.handled = handled;
  out.consumed = handled != 0 || key == vk::Escape || host.focusOnView();
  return out;
}

KeyOutcome dispatchKeyUp(KeyHost& host, KeyState& keys, int key) {
  KeyOutcome out;
  if (key == vk::Enter || key == vk::Escape) {
    out.consumed = true;
    return out;
  }
  if (!host.focusOnView()) return out;
  if (keys.shiftHeld == 1 && key == vk::Shift) {
    keys.shiftHeld = 0;
    host.repaintView();
  }
  if (keys.ctrlHeld == 1 && key == vk::Control) {
    keys.ctrlHeld = 0;
    host.repaintView();
  }
  out.consumed = true;
  return out;
}

void arrowMove(int& column, int& row, int key, bool ctrl, bool shift) {
  if (ctrl || shift) return;
  switch (key) {
    case vk::Left:
      if (column > 0) --column;
      break;
    case vk::Right:
      if (column < 4) ++column;
      break;
    case vk::Up:
      if (row > 0) --row;
      break;
    case vk::Down:
      if (row < 4) ++row;
      break;
  }
}

}  // namespace tgc
