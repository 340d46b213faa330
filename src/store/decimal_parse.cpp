// SPDX-License-Identifier: MIT
#include "store/decimal_parse.h"

#include <bit>
#include <cstdint>
#include <cstring>

#include "base/number_format.h"

namespace velk {
namespace {

constexpr double kPow10[23] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                               1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                               1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr uint64_t kExactLimit = uint64_t{1} << 53;

static_assert(std::endian::native == std::endian::little, "digit words are read little-endian");

// Eight ASCII digits read as one little-endian word: whether they all are digits, and their value.
bool IsEightDigits(uint64_t v) {
  return ((v & 0xF0F0F0F0F0F0F0F0) | (((v + 0x0606060606060606) & 0xF0F0F0F0F0F0F0F0) >> 4)) ==
         0x3333333333333333;
}
uint64_t EightDigitsValue(uint64_t v) {
  v -= 0x3030303030303030;
  v = (v * 10) + (v >> 8);
  return (((v & 0x000000FF000000FF) * 0x000F424000000064) +
          (((v >> 16) & 0x000000FF000000FF) * 0x0000271000000001)) >>
         32;
}

}  // namespace

bool ParseDecimal(std::string_view text, double& out) {
  size_t i = 0;
  const size_t n = text.size();
  bool negative = false;
  if (i < n && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  uint64_t mantissa = 0;
  int digits = 0;
  int decimals = 0;
  bool point = false;
  for (; i < n; ++i) {
    const char c = text[i];
    if (c >= '0' && c <= '9') {
      if (++digits > 19) return TryParseFloat(text, out);
      mantissa = mantissa * 10 + static_cast<uint64_t>(c - '0');
      if (point) ++decimals;
    } else if (c == '.' && !point) {
      point = true;
    } else if (c == 'e' || c == 'E') {
      return TryParseFloat(text, out);
    } else {
      return false;
    }
  }
  if (digits == 0) return false;
  if (mantissa > kExactLimit || decimals > 22) return TryParseFloat(text, out);
  // Both operands are exact doubles, so the one rounding of the division is the correct one.
  const double value = static_cast<double>(mantissa) / kPow10[decimals];
  out = negative ? -value : value;
  return true;
}

}  // namespace velk

namespace velk {

bool ParseDecimalField(std::string_view line, size_t& pos, double& out) {
  const size_t start = pos;
  const size_t n = line.size();
  const char* const s = line.data();
  size_t i = pos;
  const bool negative = i < n && s[i] == '-';
  if (i < n && (s[i] == '+' || s[i] == '-')) ++i;
  uint64_t mantissa = 0;
  const size_t intStart = i;
  while (i < n && static_cast<unsigned char>(s[i] - '0') <= 9) {
    mantissa = mantissa * 10 + static_cast<uint64_t>(s[i] - '0');
    ++i;
  }
  size_t digits = i - intStart;
  size_t decimals = 0;
  if (i < n && s[i] == '.') {
    ++i;
    const size_t fracStart = i;
    if (i + 8 <= n) {
      uint64_t word;
      std::memcpy(&word, s + i, 8);
      if (IsEightDigits(word)) {
        mantissa = mantissa * 100000000 + EightDigitsValue(word);
        i += 8;
      }
    }
    while (i < n && static_cast<unsigned char>(s[i] - '0') <= 9) {
      mantissa = mantissa * 10 + static_cast<uint64_t>(s[i] - '0');
      ++i;
    }
    decimals = i - fracStart;
    digits += decimals;
  }
  if (i < n && s[i] != ',') {
    const void* comma = std::memchr(s + i, ',', n - i);
    const size_t end = comma ? static_cast<size_t>(static_cast<const char*>(comma) - s) : n;
    pos = end;
    return ParseDecimal(line.substr(start, end - start), out);
  }
  pos = i;
  if (digits == 0) return false;
  if (digits > 19 || mantissa > kExactLimit || decimals > 22) {
    return ParseDecimal(line.substr(start, i - start), out);
  }
  const double value = static_cast<double>(mantissa) / kPow10[decimals];
  out = negative ? -value : value;
  return true;
}

}  // namespace velk
