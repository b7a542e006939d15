// Text as the find compares it: workbook text decoded to Unicode, and the
// folding that makes 「ﾌﾀ」, 「ふた」 and 「フタ」 one word, 「ＡＢＣ」 and 「abc」
// another, as a Japanese writer does not tell them apart when searching.
#pragma once

#include <string>
#include <string_view>

namespace tgc {

// CP932 bytes as Unicode code points. A byte that starts no CP932
// character stands for itself (as Latin-1), the way the window shows it.
std::u32string decodeCp932(std::string_view cp932);
// UTF-8 (the Qt and console side) as code points; a broken sequence gives
// U+FFFD, which no workbook text holds.
std::u32string decodeUtf8(std::string_view utf8);
std::string encodeUtf8(std::u32string_view text);

// The folded form, compared instead of the text itself:
//  - full-width ASCII and the ideographic space become their ASCII forms;
//  - half-width katakana and punctuation become full-width, a following
//    half-width (semi-)voiced mark joining its kana (ｶﾞ is ガ);
//  - hiragana become katakana (ふた is フタ);
//  - Latin capitals become small letters.
// The long-vowel mark and small kana stay as they are: ー is not a vowel
// and ぁ not あ.
std::u32string foldText(std::u32string_view text);

}  // namespace tgc
