// Japanese text in the source, CP932 bytes in the binary: "テーマ"_sj is a
// const char* to the literal's CP932 encoding, converted while compiling.
// Sources stay UTF-8 and every compiler (GCC, Clang) gives the same bytes;
// a character CP932 cannot hold is a compile error, never a substitute.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <type_traits>

namespace tgc {
namespace cp932detail {

struct Pair {
  uint16_t unicode;
  uint16_t cp932;  // one byte when below 0x100
};

// Every code point above U+007F that the system's iconv converts, sorted.
inline constexpr Pair kTable[] = {
#include "core/cp932table.inc"
};

// Throwing inside a constant evaluation makes the offending literal a
// compile error.
constexpr uint16_t lookup(uint32_t codePoint) {
  std::size_t lo = 0;
  std::size_t hi = std::size(kTable);
  while (lo < hi) {
    const std::size_t mid = (lo + hi) / 2;
    if (kTable[mid].unicode < codePoint)
      lo = mid + 1;
    else
      hi = mid;
  }
  if (lo == std::size(kTable) || kTable[lo].unicode != codePoint) throw "character not in CP932";
  return kTable[lo].cp932;
}

// Writes the CP932 bytes to out (when given) and returns their count.
constexpr std::size_t convert(const char* utf8, std::size_t n, char* out) {
  std::size_t written = 0;
  auto put = [&](unsigned value) {
    if (out) out[written] = static_cast<char>(value);
    ++written;
  };
  for (std::size_t i = 0; i < n;) {
    const unsigned lead = static_cast<unsigned char>(utf8[i]);
    uint32_t codePoint = 0;
    int length = 0;
    if (lead < 0x80) {
      codePoint = lead;
      length = 1;
    } else if ((lead & 0xE0) == 0xC0) {
      codePoint = lead & 0x1F;
      length = 2;
    } else if ((lead & 0xF0) == 0xE0) {
      codePoint = lead & 0x0F;
      length = 3;
    } else {
      throw "character not in CP932";  // beyond the BMP, or not UTF-8
    }
    if (i + length > n) throw "broken UTF-8";
    for (int k = 1; k < length; ++k) {
      const unsigned next = static_cast<unsigned char>(utf8[i + k]);
      if ((next & 0xC0) != 0x80) throw "broken UTF-8";
      codePoint = (codePoint << 6) | (next & 0x3F);
    }
    i += length;
    if (codePoint < 0x80) {
      put(codePoint);
      continue;
    }
    const uint16_t value = lookup(codePoint);
    if (value > 0xFF) put(value >> 8);
    put(value & 0xFF);
  }
  return written;
}

// The literal arrives as a pack of its UTF-8 chars: a class-type template
// argument would be neater, but Clang 14 crashes printing one in a note.
template <char... Utf8>
struct Encoded {
  static constexpr char utf8[sizeof...(Utf8) + 1] = {Utf8..., 0};
  static constexpr std::size_t size = convert(utf8, sizeof...(Utf8), nullptr);
  static constexpr std::array<char, size + 1> bytes = [] {
    std::array<char, size + 1> a{};
    convert(utf8, sizeof...(Utf8), a.data());
    return a;
  }();
};

}  // namespace cp932detail

// A string literal operator template over a char pack: a GNU extension that
// GCC and Clang both offer.
#if defined(__clang__)
#pragma clang diagnostic push
#pragma clang diagnostic ignored "-Wgnu-string-literal-operator-template"
#endif
template <typename Char, Char... Utf8>
constexpr const char* operator""_sj() {
  static_assert(std::is_same_v<Char, char>, "_sj takes plain (UTF-8) string literals");
  return cp932detail::Encoded<Utf8...>::bytes.data();
}
#if defined(__clang__)
#pragma clang diagnostic pop
#endif

}  // namespace tgc
