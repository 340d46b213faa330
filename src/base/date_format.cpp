// SPDX-License-Identifier: MIT
#include "base/date_format.h"

#include <cstdio>

namespace velk {
namespace {

void AppendNumber(std::string& out, int value, int width) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%0*d", width, value);
  out += buf;
}

bool StartsWith(std::string_view s, size_t at, std::string_view token) {
  return s.substr(at, token.size()) == token;
}

// Reads 1 to maxDigits decimal digits at pos.
bool ReadUnsigned(std::string_view s, size_t& pos, int maxDigits, int& value) {
  int digits = 0;
  value = 0;
  while (pos < s.size() && s[pos] >= '0' && s[pos] <= '9' && digits < maxDigits) {
    value = value * 10 + (s[pos] - '0');
    ++pos;
    ++digits;
  }
  return digits > 0;
}

bool ParseDatePart(std::string_view s, size_t& pos, int& y, int& m, int& d) {
  const size_t start = pos;
  if (!ReadUnsigned(s, pos, 4, y) || pos - start != 4) return false;
  if (pos >= s.size() || s[pos] != '/') return false;
  ++pos;
  if (!ReadUnsigned(s, pos, 2, m)) return false;
  if (pos >= s.size() || s[pos] != '/') return false;
  ++pos;
  if (!ReadUnsigned(s, pos, 2, d)) return false;
  return IsValidDate(y, m, d);
}

bool ParseTimePart(std::string_view s, size_t& pos, int& h, int& n, int& sec) {
  sec = 0;
  if (!ReadUnsigned(s, pos, 2, h)) return false;
  if (pos >= s.size() || s[pos] != ':') return false;
  ++pos;
  if (!ReadUnsigned(s, pos, 2, n)) return false;
  if (pos < s.size() && s[pos] == ':') {
    ++pos;
    if (!ReadUnsigned(s, pos, 2, sec)) return false;
  }
  return h <= 23 && n <= 59 && sec <= 59;
}

}  // namespace

std::string FormatDateTime(std::string_view pattern, TDateTime t) {
  const TDateParts p = DecodeDateTime(t);
  std::string out;
  out.reserve(pattern.size() + 8);
  size_t i = 0;
  while (i < pattern.size()) {
    if (StartsWith(pattern, i, "yyyy")) {
      AppendNumber(out, p.Year, 4);
      i += 4;
    } else if (StartsWith(pattern, i, "zzz")) {
      AppendNumber(out, p.Msec, 3);
      i += 3;
    } else if (StartsWith(pattern, i, "mm")) {
      AppendNumber(out, p.Month, 2);
      i += 2;
    } else if (StartsWith(pattern, i, "dd")) {
      AppendNumber(out, p.Day, 2);
      i += 2;
    } else if (StartsWith(pattern, i, "hh")) {
      AppendNumber(out, p.Hour, 2);
      i += 2;
    } else if (StartsWith(pattern, i, "nn")) {
      AppendNumber(out, p.Minute, 2);
      i += 2;
    } else if (StartsWith(pattern, i, "ss")) {
      AppendNumber(out, p.Second, 2);
      i += 2;
    } else {
      out += pattern[i];
      ++i;
    }
  }
  return out;
}

std::string FormatShortDate(TDateTime t) {
  return FormatDateTime(kFmtDate, t);
}

bool ParseDateText(std::string_view text, TDateTime& out) {
  size_t pos = 0;
  int y, m, d;
  if (!ParseDatePart(text, pos, y, m, d) || pos != text.size()) return false;
  out = EncodeDate(y, m, d);
  return true;
}

bool ParseDateTimeText(std::string_view text, TDateTime& out) {
  size_t pos = 0;
  int y, m, d, h, n, s;
  if (ParseDatePart(text, pos, y, m, d)) {
    if (pos == text.size()) {
      out = EncodeDate(y, m, d);
      return true;
    }
    if (text[pos] != ' ') return false;
    ++pos;
    if (!ParseTimePart(text, pos, h, n, s) || pos != text.size()) return false;
    out = EncodeDateTime(y, m, d, h, n, s);
    return true;
  }
  pos = 0;
  if (!ParseTimePart(text, pos, h, n, s) || pos != text.size()) return false;
  out = EncodeTime(h, n, s);
  return true;
}

}  // namespace velk
