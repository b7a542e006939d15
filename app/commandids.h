// Command ids of the main window's menu items. The keyboard dispatcher and
// the menu both run commands by these ids.
#pragma once

namespace tgc::cmd {

inline constexpr int New = 57600;
inline constexpr int Open = 57601;
inline constexpr int Save = 57603;
inline constexpr int SaveAs = 57604;
inline constexpr int Import = 32772;
inline constexpr int TextOutput = 32824;
inline constexpr int Print = 57607;
inline constexpr int Export = 32850;
inline constexpr int Recent1 = 32794;
inline constexpr int Recent2 = 57617;
inline constexpr int Recent3 = 57618;
inline constexpr int Recent4 = 57619;
inline constexpr int Recent5 = 57620;
inline constexpr int Exit = 57665;
inline constexpr int Undo = 57643;
inline constexpr int Redo = 57644;
inline constexpr int Copy = 57634;
inline constexpr int Paste = 57637;
inline constexpr int Find = 57636;
inline constexpr int DeleteWord = 32774;
inline constexpr int DeleteSheet = 32801;
inline constexpr int WordAssist = 32833;
inline constexpr int Idea = 32786;
inline constexpr int CreateA = 32826;
inline constexpr int CreateB = 32827;
inline constexpr int CreateC = 32828;
inline constexpr int PrevSheet = 32788;
inline constexpr int NextSheet = 32787;
inline constexpr int FirstSheet = 32817;
inline constexpr int LastSheet = 32818;
inline constexpr int WordList = 59410;
inline constexpr int IdeaMemo = 32836;
inline constexpr int MarkEditor = 32815;
inline constexpr int MarkNames = 32819;
inline constexpr int ColorDefault = 32830;
inline constexpr int ColorChange = 32835;
inline constexpr int FontDefault = 32834;
inline constexpr int FontChange = 32793;
inline constexpr int Guide = 32825;
inline constexpr int Help = 32820;
inline constexpr int HomePage = 32837;
inline constexpr int About = 57664;

// The recent-file items, entry 0 first.
inline constexpr int kRecentIds[5] = {Recent1, Recent2, Recent3, Recent4, Recent5};

// Index of a recent-file id, or -1.
constexpr int recentIndex(int id) {
  for (int i = 0; i < 5; ++i)
    if (kRecentIds[i] == id) return i;
  return -1;
}

}  // namespace tgc::cmd
