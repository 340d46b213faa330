// SPDX-License-Identifier: MIT
#include "base/number_format.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace velk {

std::string FormatFloat(double value) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
  if (value == 0.0) return "0";

  // 15 significant digits, rounded once; the exponent comes from the rounded value.
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.14e", value);
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
  // Validate the shape first: strtod alone would take white space, hex, inf and nan.
  size_t i = 0;
  if (text[i] == '+' || text[i] == '-') ++i;
  size_t digits = 0;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i, ++digits;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i, ++digits;
  }
  if (digits == 0) return false;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    size_t expDigits = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i, ++expDigits;
    if (expDigits == 0) return false;
  }
  if (i != text.size()) return false;
  const std::string copy(text);
  errno = 0;
  char* end = nullptr;
  const double v = std::strtod(copy.c_str(), &end);
  if (end != copy.c_str() + copy.size() || std::isinf(v) || std::isnan(v)) return false;
  out = v;
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

}  // namespace velk
