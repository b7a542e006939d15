#include "core/textfold.h"

#include <iconv.h>

#include <array>
#include <cerrno>
#include <vector>

namespace tgc {
namespace {

// Every CP932 character's code point, asked of iconv once: a find prepares
// tens of thousands of texts, and opening a converter for each would cost
// more than the search itself. 0 marks a byte or pair that is no character.
struct Cp932Table {
  std::array<char32_t, 256> single{};
  std::array<bool, 256> lead{};
  std::vector<char32_t> pair = std::vector<char32_t>(65536, 0);

  Cp932Table() {
    iconv_t cd = iconv_open("UTF-32LE", "CP932");
    if (cd == reinterpret_cast<iconv_t>(-1)) {
      for (int b = 0; b < 0x80; ++b) single[b] = static_cast<char32_t>(b);
      return;
    }
    for (int b = 0; b < 256; ++b) {
      const char in[1] = {static_cast<char>(b)};
      const Result r = convert(cd, in, 1);
      if (r.ok)
        single[b] = r.c;
      else
        lead[b] = r.incomplete;
    }
    for (int b = 0; b < 256; ++b) {
      if (!lead[b]) continue;
      for (int t = 0x40; t < 256; ++t) {
        const char in[2] = {static_cast<char>(b), static_cast<char>(t)};
        const Result r = convert(cd, in, 2);
        if (r.ok) pair[(b << 8) | t] = r.c;
      }
    }
    iconv_close(cd);
  }

  struct Result {
    bool ok = false;
    bool incomplete = false;
    char32_t c = 0;
  };

  static Result convert(iconv_t cd, const char* bytes, size_t n) {
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char* in = const_cast<char*>(bytes);
    unsigned char out[8];
    char* outPtr = reinterpret_cast<char*>(out);
    size_t inLeft = n, outLeft = sizeof out;
    Result r;
    if (iconv(cd, &in, &inLeft, &outPtr, &outLeft) != 0 || inLeft != 0 || sizeof out - outLeft != 4) {
      r.incomplete = errno == EINVAL;
      return r;
    }
    r.ok = true;
    r.c = out[0] | out[1] << 8 | out[2] << 16 | static_cast<char32_t>(out[3]) << 24;
    return r;
  }
};

const Cp932Table& table() {
  static const Cp932Table t;
  return t;
}

// Half-width katakana and punctuation U+FF61..U+FF9F as full-width.
constexpr char16_t kHalfWidthKana[] = {
    u'。', u'「', u'」', u'、', u'・', u'ヲ', u'ァ', u'ィ', u'ゥ', u'ェ', u'ォ', u'ャ', u'ュ',
    u'ョ', u'ッ', u'ー', u'ア', u'イ', u'ウ', u'エ', u'オ', u'カ', u'キ', u'ク', u'ケ', u'コ',
    u'サ', u'シ', u'ス', u'セ', u'ソ', u'タ', u'チ', u'ツ', u'テ', u'ト', u'ナ', u'ニ', u'ヌ',
    u'ネ', u'ノ', u'ハ', u'ヒ', u'フ', u'ヘ', u'ホ', u'マ', u'ミ', u'ム', u'メ', u'モ', u'ヤ',
    u'ユ', u'ヨ', u'ラ', u'リ', u'ル', u'レ', u'ロ', u'ワ', u'ン', u'゛', u'゜'};
static_assert(std::size(kHalfWidthKana) == 0xFF9F - 0xFF61 + 1);

constexpr char32_t kVoicedMark = 0xFF9E;
constexpr char32_t kSemiVoicedMark = 0xFF9F;

bool isHaRow(char32_t k) {
  return k == U'ハ' || k == U'ヒ' || k == U'フ' || k == U'ヘ' || k == U'ホ';
}

// The kana with a voiced mark joined, or 0 when it takes none. In the
// Unicode block each of these kana is followed by its voiced form.
char32_t voiced(char32_t k) {
  if ((k >= U'カ' && k <= U'チ' && (k - U'カ') % 2 == 0) ||
      (k >= U'ツ' && k <= U'ト' && (k - U'ツ') % 2 == 0) || isHaRow(k))
    return k + 1;
  if (k == U'ウ') return U'ヴ';
  if (k == U'ワ') return U'ヷ';
  if (k == U'ヲ') return U'ヺ';
  return 0;
}

}  // namespace

std::u32string decodeCp932(std::string_view cp932) {
  const Cp932Table& t = table();
  std::u32string out;
  out.reserve(cp932.size());
  for (size_t i = 0; i < cp932.size();) {
    const auto b = static_cast<unsigned char>(cp932[i]);
    if (t.lead[b] && i + 1 < cp932.size()) {
      const char32_t c = t.pair[(b << 8) | static_cast<unsigned char>(cp932[i + 1])];
      if (c != 0) {
        out += c;
        i += 2;
        continue;
      }
    }
    out += t.single[b] != 0 || b == 0 ? t.single[b] : static_cast<char32_t>(b);
    ++i;
  }
  return out;
}

std::u32string decodeUtf8(std::string_view utf8) {
  std::u32string out;
  out.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size();) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    const int length = lead < 0x80             ? 1
                       : (lead & 0xE0) == 0xC0 ? 2
                       : (lead & 0xF0) == 0xE0 ? 3
                       : (lead & 0xF8) == 0xF0 ? 4
                                               : 0;
    char32_t c = length == 1 ? lead : length == 2 ? lead & 0x1F : length == 3 ? lead & 0x0F : lead & 0x07;
    bool ok = length > 0 && i + length <= utf8.size();
    for (int k = 1; ok && k < length; ++k) {
      const auto next = static_cast<unsigned char>(utf8[i + k]);
      ok = (next & 0xC0) == 0x80;
      c = c << 6 | (next & 0x3F);
    }
    out += ok ? c : U'\uFFFD';
    i += ok ? length : 1;
  }
  return out;
}

std::string encodeUtf8(std::u32string_view text) {
  std::string out;
  out.reserve(text.size() * 3);
  for (const char32_t c : text) {
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | c >> 6);
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | c >> 12);
      out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | c >> 18);
      out += static_cast<char>(0x80 | (c >> 12 & 0x3F));
      out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

std::u32string foldText(std::u32string_view text) {
  std::u32string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (c >= 0xFF01 && c <= 0xFF5E) {
      c -= 0xFEE0;
    } else if (c == 0x3000) {
      c = U' ';
    } else if (c >= 0xFF61 && c <= 0xFF9F) {
      c = kHalfWidthKana[c - 0xFF61];
      if (i + 1 < text.size()) {
        const char32_t mark = text[i + 1];
        const char32_t joined = mark == kVoicedMark                     ? voiced(c)
                                : mark == kSemiVoicedMark && isHaRow(c) ? c + 2
                                                                        : 0;
        if (joined != 0) {
          c = joined;
          ++i;
        }
      }
    }
    if (c >= U'ぁ' && c <= U'ゖ')
      c += U'ァ' - U'ぁ';
    else if (c == U'ゝ' || c == U'ゞ')
      c += U'ヽ' - U'ゝ';
    else if (c >= U'A' && c <= U'Z')
      c += U'a' - U'A';
    out += c;
  }
  return out;
}

}  // namespace tgc
