// SPDX-License-Identifier: MIT
#include "base/number_format.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <system_error>

namespace velk {

std::string FormatFloat(double value) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
  if (value == 0.0) return "0";

  // 15 significant digits, rounded once; the exponent comes from the rounded value. to_chars
  // writes "." whatever the user's locale.
  char buf[40];
  const std::to_chars_result r =
      std::to_chars(buf, buf + sizeof buf - 1, value, std::chars_format::scientific, 14);
  *r.ptr = '\0';
  // buf: [-]d.dddddddddddddde[+-]xx
  char* e = std::strchr(buf, 'e');
  const int exponent = std::atoi(e + 1);
  *e = '\0';
  std::string mantissa;
  bool negative = false;
  for (const char* p = buf; *p; ++p) {
    if (*p == '-') {
      negative = true;
    } else if (*p != '.') {
      mantissa += *p;
    }
  }
  while (mantissa.size() > 1 && mantissa.back() == '0') mantissa.pop_back();

  std::string out = negative ? "-" : "";
  if (exponent < -5 || exponent >= 14) {
    out += mantissa[0];
    if (mantissa.size() > 1) {
      out += '.';
      out.append(mantissa, 1, std::string::npos);
    }
    out += 'E';
    out += std::to_string(exponent);
    return out;
  }
  if (exponent < 0) {
    out += "0.";
    out.append(static_cast<size_t>(-exponent - 1), '0');
    out += mantissa;
    return out;
  }
  const size_t intDigits = static_cast<size_t>(exponent) + 1;
  if (mantissa.size() <= intDigits) {
    out += mantissa;
    out.append(intDigits - mantissa.size(), '0');
  } else {
    out.append(mantissa, 0, intDigits);
    out += '.';
    out.append(mantissa, intDigits, std::string::npos);
  }
  return out;
}

bool TryParseFloat(std::string_view text, double& out) {
  if (text.empty() || text.size() > 400) return false;
  // Validate the shape first: from_chars alone would take hex-free "inf" and "nan" and no "+".
  size_t i = 0;
  const bool negative = text[0] == '-';
  if (text[i] == '+' || text[i] == '-') ++i;
  const size_t body = i;
  // Decimal exponent of the first significant digit, for telling an underflow from an overflow.
  int64_t lead = 0;
  bool seenDigit = false;
  size_t digits = 0;
  size_t intDigits = 0;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
    if (!seenDigit && text[i] != '0') seenDigit = true;
    if (seenDigit) ++intDigits;
    ++i, ++digits;
  }
  lead = static_cast<int64_t>(intDigits) - 1;
  if (i < text.size() && text[i] == '.') {
    ++i;
    int64_t place = -1;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
      if (!seenDigit && text[i] != '0') {
        seenDigit = true;
        lead = place;
      }
      --place;
      ++i, ++digits;
    }
  }
  if (digits == 0) return false;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    bool expNegative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) expNegative = text[i++] == '-';
    size_t expDigits = 0;
    int64_t exponent = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
      exponent = std::min<int64_t>(exponent * 10 + (text[i] - '0'), 1'000'000);
      ++i, ++expDigits;
    }
    if (expDigits == 0) return false;
    lead += expNegative ? -exponent : exponent;
  }
  if (i != text.size()) return false;
  // from_chars reads "." whatever the user's locale.
  double v = 0;
  const char* const first = text.data() + body;
  const char* const last = text.data() + text.size();
  const std::from_chars_result r = std::from_chars(first, last, v, std::chars_format::general);
  if (r.ec == std::errc::result_out_of_range) {
    if (lead >= 0) return false;  // beyond the largest double
    v = 0.0;                      // below the smallest one: reads as zero
  } else if (r.ec != std::errc() || r.ptr != last || !std::isfinite(v)) {
    return false;
  }
  out = negative ? -v : v;
  return true;
}

bool TryParseInt(std::string_view text, int32_t& out) {
  if (text.empty() || text.size() > 20) return false;
  size_t i = 0;
  bool negative = false;
  if (text[0] == '+' || text[0] == '-') {
    negative = text[0] == '-';
    ++i;
  }
  if (i == text.size()) return false;
  int64_t v = 0;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (c < '0' || c > '9') return false;
    v = v * 10 + (c - '0');
    if (v > 2147483648LL) return false;
  }
  if (negative) v = -v;
  if (v > INT32_MAX || v < INT32_MIN) return false;
  out = static_cast<int32_t>(v);
  return true;
}

std::string FormatFixed(double value, int decimals) {
  // Room for the 309 integer digits of the largest double, its sign, point and 255 places.
  char buf[600];
  decimals = decimals < 0 ? 0 : decimals > 255 ? 255 : decimals;
  const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
  return std::string(buf, r.ptr);
}

}  // namespace velk
