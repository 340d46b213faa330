// SPDX-License-Identifier: MIT
#include "store/decimal_parse.h"

#include <cstdint>

#include "base/number_format.h"

namespace velk {
namespace {

constexpr double kPow10[23] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                               1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                               1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr uint64_t kExactLimit = uint64_t{1} << 53;

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
