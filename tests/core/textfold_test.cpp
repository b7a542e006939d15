#include "core/textfold.h"

#include <gtest/gtest.h>

#include "core/cp932.h"
#include "core/cp932literal.h"

namespace tgc::test {
namespace {

std::u32string folded(const char* utf8) {
  return foldText(decodeUtf8(utf8));
}

TEST(TextFold, EachRuleJoinsWhatAWriterDoesNotTellApart) {
  struct Case {
    const char* rule;
    const char* a;
    const char* b;
  };
  const Case same[] = {
      {"full-width Latin", "ＡＢＣｘｙｚ", "ABCxyz"},
      {"full-width digits", "０１９", "019"},
      {"full-width symbols", "（＃－～）", "(#-~)"},
      {"ideographic space", "ふた　つ", "ふた つ"},
      {"half-width katakana", "ﾒﾓｦﾝ", "メモヲン"},
      {"half-width small kana", "ｧｯｬ", "ァッャ"},
      {"half-width voiced", "ｶﾞｷﾞﾂﾞﾄﾞﾊﾞﾎﾞ", "ガギヅドバボ"},
      {"half-width semi-voiced", "ﾊﾟﾋﾟﾎﾟ", "パピポ"},
      {"half-width voiced u, wa, wo", "ｳﾞﾜﾞｦﾞ", "ヴヷヺ"},
      {"half-width mark on a kana without a voiced form", "ｱﾞﾅﾟ", "ア゛ナ゜"},
      {"half-width long vowel", "ｺｰﾋｰ", "コーヒー"},
      {"half-width punctuation", "｢ｱ｣､｡･", "「ア」、。・"},
      {"hiragana and katakana", "ふたぁゔゝゞ", "フタァヴヽヾ"},
      {"Latin case", "Abc", "aBC"},
      {"all at once", "ﾌﾀのＡＢＣ", "ふたノabc"},
  };
  for (const Case& c : same) EXPECT_EQ(folded(c.a), folded(c.b)) << c.rule;

  const Case different[] = {
      {"long-vowel mark is no hyphen", "コーヒー", "コ-ヒ-"},
      {"long-vowel mark is no vowel", "コーヒー", "コオヒイ"},
      {"small kana stay small", "ぁっゃ", "あつや"},
      {"voiced kana stay voiced", "ガ", "カ"},
      {"semi-voiced is not voiced", "ﾊﾟ", "バ"},
      {"Greek keeps its case", "Α", "α"},
      {"full-width yen is not the backslash", "￥", "\\"},
  };
  for (const Case& c : different) EXPECT_NE(folded(c.a), folded(c.b)) << c.rule;

  // A joined mark leaves one character, so a kana alone does not match it.
  EXPECT_EQ(folded("ｶﾞ").size(), 1u);
}

TEST(TextFold, DecodesCp932AsIconvAndKeepsStrayBytes) {
  const std::string text = "abc\\~ﾒﾓ漢字①Ⅹ￢"_sj;
  EXPECT_EQ(encodeUtf8(decodeCp932(text)), cp932ToUtf8(text).value());
  // A lead byte without its trail, and one before a byte that is no trail,
  // stand for themselves.
  EXPECT_EQ(decodeCp932("a\x82"), (std::u32string{U'a', 0x82}));
  EXPECT_EQ(decodeCp932("\x82\x20"
                        "b"),
            (std::u32string{0x82, U' ', U'b'}));
  // UTF-8 both ways; a broken sequence is one replacement character.
  EXPECT_EQ(encodeUtf8(decodeUtf8("aé漢😀")), "aé漢😀");
  EXPECT_EQ(decodeUtf8("a\xE6\x97z"), (std::u32string{U'a', 0xFFFD, 0xFFFD, U'z'}));
}

}  // namespace
}  // namespace tgc::test
