#include "app/keydispatch.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "app/appstate.h"
#include "app/commandids.h"

namespace tgc::test {
namespace {

// Records what the dispatcher asks for; modifiers and focus are scripted.
class FakeKeyHost : public KeyHost {
 public:
  Modifiers sampleModifiers() override {
    ++samples;
    return mods;
  }
  bool focusOnView() override { return onView; }
  bool editing() override { return isEditing; }
  int& guideShown() override { return guide; }
  void repaintView() override { ++repaints; }
  void quietTooltips() override { ++quiets; }
  void enterOperation(bool ctrl, bool shift) override {
    calls.push_back(std::string("enter") + (ctrl ? "+ctrl" : "") + (shift ? "+shift" : ""));
    if (opensEditorOnEnter) {
      isEditing = true;
      onView = false;
    }
  }
  void cancelEdit() override { calls.push_back("cancel"); }
  void moveSelection(int key, bool, bool) override { calls.push_back("move" + std::to_string(key)); }
  bool selectedBoxHasWord() override { return boxHasWord; }
  int command(int id) override {
    commands.push_back(id);
    auto it = results.find(id);
    return it == results.end() ? 0 : it->second;
  }

  Modifiers mods;
  bool onView = true;
  bool isEditing = false;
  bool boxHasWord = false;
  bool opensEditorOnEnter = false;
  int guide = 0;
  int repaints = 0;
  int quiets = 0;
  int samples = 0;
  std::vector<std::string> calls;
  std::vector<int> commands;
  std::map<int, int> results;
};

class KeyDispatchTest : public ::testing::Test {
 protected:
  KeyOutcome down(int key, bool ctrl = false, bool shift = false) {
    host.mods = {shift, ctrl};
    return dispatchKeyDown(host, keys, key);
  }
  std::vector<int> commandsOf(int key, bool ctrl, bool shift) {
    host.commands.clear();
    down(key, ctrl, shift);
    return host.commands;
  }

  FakeKeyHost host;
  KeyState keys;
};

TEST_F(KeyDispatchTest, GuideIsHiddenByTheFirstKeyOnly) {
  host.guide = 1;
  KeyOutcome out = down('S', true);
  EXPECT_EQ(host.guide, 0);
  EXPECT_TRUE(host.commands.empty());  // not saved
  EXPECT_EQ(out.handled, 0);
  EXPECT_EQ(host.repaints, 1);
  out = down('S', true);
  EXPECT_EQ(host.commands, std::vector<int>{cmd::Save});
  EXPECT_EQ(out.handled, 1);
  // Any other key too: F7 with the guide shown creates nothing.
  host.guide = 1;
  host.commands.clear();
  down(vk::F(7));
  EXPECT_TRUE(host.commands.empty());
  EXPECT_EQ(host.guide, 0);
}

TEST_F(KeyDispatchTest, ModifierKeysAloneLeaveTheGuideForTheShortcut) {
  // A real Ctrl+S arrives as Ctrl down, then S down with ctrl held.
  host.guide = 1;
  down(vk::Control, true);
  EXPECT_EQ(host.guide, 1);
  down('S', true);
  EXPECT_EQ(host.guide, 0);
  EXPECT_TRUE(host.commands.empty());
  // Ctrl+G hides a shown guide instead of showing it again.
  host.guide = 1;
  down(vk::Control, true);
  down('G', true);
  EXPECT_EQ(host.guide, 0);
  EXPECT_TRUE(host.commands.empty());
  down(vk::Shift, false, true);
  down('G', true);
  EXPECT_EQ(host.commands, std::vector<int>{cmd::Guide});
}

TEST_F(KeyDispatchTest, FileShortcuts) {
  EXPECT_EQ(commandsOf('Z', true, false), std::vector<int>{cmd::Undo});
  EXPECT_EQ(commandsOf('Y', true, false), std::vector<int>{cmd::Redo});
  EXPECT_EQ(commandsOf('O', true, false), std::vector<int>{cmd::Open});
  EXPECT_EQ(commandsOf('T', true, false), std::vector<int>{cmd::SaveAs});
  EXPECT_EQ(commandsOf('N', true, false), std::vector<int>{cmd::New});
  // With shift added they do nothing and are consumed, even off the view.
  host.onView = false;
  for (int key : {'Z', 'Y', 'O', 'S', 'T', 'N'}) {
    host.commands.clear();
    const KeyOutcome out = down(key, true, true);
    EXPECT_TRUE(host.commands.empty()) << char(key);
    EXPECT_EQ(out.handled, 1);
    EXPECT_TRUE(out.consumed);
  }
  // While editing they belong to the editor.
  host.isEditing = true;
  const KeyOutcome out = down('Z', true);
  EXPECT_TRUE(host.commands.empty());
  EXPECT_FALSE(out.consumed);
}

TEST_F(KeyDispatchTest, SheetCreationWithAnyModifier) {
  EXPECT_EQ(commandsOf(vk::F(7), false, true), std::vector<int>{cmd::CreateA});
  EXPECT_EQ(commandsOf(vk::F(8), true, false), std::vector<int>{cmd::CreateB});
  EXPECT_EQ(commandsOf(vk::F(9), true, true), std::vector<int>{cmd::CreateC});
  EXPECT_EQ(commandsOf(vk::F(7), false, false), std::vector<int>{cmd::CreateA});
}

TEST_F(KeyDispatchTest, SheetMovesOnlyWithoutModifiers) {
  EXPECT_EQ(commandsOf(vk::PageUp, false, false), std::vector<int>{cmd::PrevSheet});
  EXPECT_EQ(commandsOf(vk::PageDown, false, false), std::vector<int>{cmd::NextSheet});
  EXPECT_EQ(commandsOf(vk::Home, false, false), std::vector<int>{cmd::FirstSheet});
  EXPECT_EQ(commandsOf(vk::End, false, false), std::vector<int>{cmd::LastSheet});
  EXPECT_EQ(commandsOf(vk::F(3), false, false), std::vector<int>{cmd::PrevSheet});
  EXPECT_EQ(commandsOf(vk::F(6), false, false), std::vector<int>{cmd::LastSheet});
  EXPECT_TRUE(commandsOf(vk::PageUp, false, true).empty());
  EXPECT_TRUE(commandsOf(vk::PageUp, true, false).empty());
  EXPECT_TRUE(commandsOf(vk::F(3), true, false).empty());
  EXPECT_TRUE(commandsOf(vk::End, true, true).empty());
}

TEST_F(KeyDispatchTest, OperationResultIsTheAnswer) {
  host.results[cmd::DeleteWord] = -1;
  EXPECT_EQ(down(vk::Delete).handled, -1);
  host.results[cmd::NextSheet] = -1;
  EXPECT_EQ(down(vk::F(4)).handled, -1);
  host.results[cmd::DeleteSheet] = 0;
  EXPECT_EQ(down('D', true).handled, 0);
  // Word assist: handled only on -1.
  host.results[cmd::WordAssist] = -1;
  EXPECT_EQ(down(vk::Insert).handled, 1);
  host.results[cmd::WordAssist] = 0;
  EXPECT_EQ(down(vk::Insert).handled, 0);
  EXPECT_EQ(down(vk::F1).handled, 1);
  EXPECT_EQ(host.commands.back(), cmd::Help);
  EXPECT_EQ(down(vk::F(2)).handled, 0);
}

TEST_F(KeyDispatchTest, CtrlCommands) {
  EXPECT_EQ(commandsOf('H', true, false), std::vector<int>{cmd::FontChange});
  EXPECT_EQ(commandsOf('K', true, false), std::vector<int>{cmd::TextOutput});
  EXPECT_EQ(commandsOf('P', true, false), std::vector<int>{cmd::Print});
  EXPECT_EQ(commandsOf('G', true, false), std::vector<int>{cmd::Guide});
  EXPECT_EQ(commandsOf('M', true, false), std::vector<int>{cmd::MarkEditor});
  EXPECT_EQ(commandsOf('L', true, false), std::vector<int>{cmd::WordList});
  EXPECT_EQ(commandsOf('F', true, false), std::vector<int>{cmd::Find});
  EXPECT_EQ(commandsOf('E', true, false), std::vector<int>{cmd::MarkNames});
  EXPECT_EQ(commandsOf('W', true, false), std::vector<int>{cmd::ColorChange});
  EXPECT_EQ(commandsOf('I', true, false), std::vector<int>{cmd::Import});
  EXPECT_EQ(commandsOf(vk::Space, true, false), std::vector<int>{cmd::IdeaMemo});
  // Not with shift held.
  EXPECT_TRUE(commandsOf('H', true, true).empty());
  EXPECT_TRUE(commandsOf('L', true, true).empty());
  // Not without ctrl.
  EXPECT_TRUE(commandsOf('H', false, false).empty());
}

TEST_F(KeyDispatchTest, CopyAndPaste) {
  EXPECT_EQ(commandsOf('C', true, false), std::vector<int>{cmd::Copy});
  EXPECT_EQ(commandsOf('C', true, true), std::vector<int>{cmd::Copy});
  EXPECT_EQ(commandsOf('V', true, false), std::vector<int>{cmd::Paste});
  host.boxHasWord = true;
  host.commands.clear();
  const KeyOutcome out = down('V', true);
  EXPECT_TRUE(host.commands.empty());
  EXPECT_EQ(out.handled, 0);
}

TEST_F(KeyDispatchTest, EnterEscapeAndEditing) {
  // Enter on the view opens the editor; Enter elsewhere is left alone.
  KeyOutcome out = down(vk::Enter);
  EXPECT_EQ(host.calls, std::vector<std::string>{"enter"});
  EXPECT_EQ(out.handled, 1);
  host.calls.clear();
  host.onView = false;
  out = down(vk::Enter, true);
  EXPECT_TRUE(host.calls.empty());
  EXPECT_FALSE(out.consumed);
  // While editing: Enter commits (with its modifiers), Esc cancels, letters
  // and arrows go to the editor.
  host.isEditing = true;
  down(vk::Enter, true);
  EXPECT_EQ(host.calls, std::vector<std::string>{"enter+ctrl"});
  host.calls.clear();
  out = down(vk::Escape);
  EXPECT_EQ(host.calls, std::vector<std::string>{"cancel"});
  EXPECT_TRUE(out.consumed);
  host.calls.clear();
  out = down('A');
  EXPECT_FALSE(out.consumed);
  out = down(vk::Left);
  EXPECT_FALSE(out.consumed);
  EXPECT_TRUE(host.calls.empty());
  // Esc is always consumed, even outside the view and without an edit.
  host.isEditing = false;
  out = down(vk::Escape);
  EXPECT_TRUE(out.consumed);
}

TEST_F(KeyDispatchTest, ImeKeyOpensEditorAndPassesOn) {
  host.opensEditorOnEnter = true;
  const KeyOutcome out = down(vk::ImeProcess);
  EXPECT_EQ(host.calls, std::vector<std::string>{"enter"});
  EXPECT_FALSE(out.consumed);  // the composition goes to the editor
}

TEST_F(KeyDispatchTest, ArrowsAndFocus) {
  KeyOutcome out = down(vk::Up);
  EXPECT_EQ(host.calls, std::vector<std::string>{"move38"});
  EXPECT_TRUE(out.consumed);  // focus on the view
  host.calls.clear();
  host.onView = false;
  out = down(vk::Up);
  EXPECT_TRUE(host.calls.empty());
  EXPECT_FALSE(out.consumed);
  // Letters on the view do nothing but are consumed.
  host.onView = true;
  out = down('Q');
  EXPECT_EQ(out.handled, 0);
  EXPECT_TRUE(out.consumed);
}

TEST_F(KeyDispatchTest, TooltipsQuietOnEveryGeneralKey) {
  down('Q');
  down(vk::F(7));
  EXPECT_EQ(host.quiets, 2);
  down('S', true);  // the file shortcuts do not
  EXPECT_EQ(host.quiets, 2);
}

TEST_F(KeyDispatchTest, ModifierFlagsAndKeyUp) {
  down(vk::Shift, false, true);
  EXPECT_EQ(keys.shiftHeld, 1);
  down(vk::Control, true, true);
  EXPECT_EQ(keys.ctrlHeld, 1);
  const int before = host.repaints;
  KeyOutcome out = dispatchKeyUp(host, keys, vk::Shift);
  EXPECT_EQ(keys.shiftHeld, 0);
  EXPECT_EQ(keys.ctrlHeld, 1);
  EXPECT_EQ(host.repaints, before + 1);
  EXPECT_TRUE(out.consumed);
  // Off the view, key-ups other than Enter and Esc pass and flags stay.
  host.onView = false;
  out = dispatchKeyUp(host, keys, vk::Control);
  EXPECT_FALSE(out.consumed);
  EXPECT_EQ(keys.ctrlHeld, 1);
  EXPECT_TRUE(dispatchKeyUp(host, keys, vk::Enter).consumed);
  EXPECT_TRUE(dispatchKeyUp(host, keys, vk::Escape).consumed);
}

TEST(ArrowMove, StopsAtTheEdgeAndIgnoresModifiers) {
  int c = 0, r = 4;
  arrowMove(c, r, vk::Left, false, false);
  arrowMove(c, r, vk::Down, false, false);
  EXPECT_EQ(c, 0);
  EXPECT_EQ(r, 4);
  arrowMove(c, r, vk::Right, false, false);
  arrowMove(c, r, vk::Up, false, false);
  EXPECT_EQ(c, 1);
  EXPECT_EQ(r, 3);
  arrowMove(c, r, vk::Right, false, true);
  arrowMove(c, r, vk::Up, true, false);
  EXPECT_EQ(c, 1);
  EXPECT_EQ(r, 3);
}

}  // namespace
}  // namespace tgc::test
