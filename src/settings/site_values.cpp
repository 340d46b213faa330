// SPDX-License-Identifier: MIT
#include "settings/site_values.h"

#include <charconv>
#include <cstdint>
#include <string_view>

#include "base/number_format.h"

namespace velk {
namespace {

// Without the blanks (spaces, tabs, ideographic spaces) around the text.
std::string Trim(std::string_view s) {
  constexpr std::string_view kWide = "\u3000";
  while (true) {
    if (!s.empty() && (s.front() == ' ' || s.front() == '\t')) {
      s.remove_prefix(1);
    } else if (s.starts_with(kWide)) {
      s.remove_prefix(kWide.size());
    } else if (!s.empty() && (s.back() == ' ' || s.back() == '\t')) {
      s.remove_suffix(1);
    } else if (s.ends_with(kWide)) {
      s.remove_suffix(kWide.size());
    } else {
      return std::string(s);
    }
  }
}

// Full-width digits, signs and points (as a Japanese input method types them) to ASCII, and the
// blanks around the number dropped.
std::string NormaliseNumber(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    // U+FF01..U+FF5E are EF BC 81..EF BD 9E; only digits, "+", "-", "." are mapped.
    if (c == 0xEF && i + 2 < text.size()) {
      const auto b1 = static_cast<unsigned char>(text[i + 1]);
      const auto b2 = static_cast<unsigned char>(text[i + 2]);
      if (b1 == 0xBC && b2 >= 0x80 && b2 <= 0xBF) {
        const char ascii = static_cast<char>(b2 - 0x80 + 0x20);
        if ((ascii >= '0' && ascii <= '9') || ascii == '+' || ascii == '-' || ascii == '.') {
          out += ascii;
          i += 3;
          continue;
        }
      }
    }
    // U+2212 MINUS SIGN, which some input methods give for "-".
    if (c == 0xE2 && text.substr(i, 3) == "\xE2\x88\x92") {
      out += '-';
      i += 3;
      continue;
    }
    out += static_cast<char>(c);
    ++i;
  }
  return Trim(out);
}

bool ReadDegrees(const std::string& text, double limit, double& out) {
  double value = 0;
  if (!TryParseFloat(NormaliseNumber(text), value)) return false;
  if (value < -limit || value > limit) return false;
  out = value;
  return true;
}

bool ReadElevation(const std::string& text, int16_t& out) {
  int32_t value = 0;
  if (!TryParseInt(NormaliseNumber(text), value)) return false;
  if (value < INT16_MIN || value > INT16_MAX) return false;
  out = static_cast<int16_t>(value);
  return true;
}

}  // namespace

TSiteTexts SiteTexts(const TSiteEst& site) {
  return TSiteTexts{FormatFixed(site.Latitude, 4), FormatFixed(site.Longitude, 4),
                    std::to_string(site.Elevation)};
}

bool TakeSiteValues(TSiteEst& site, const TSiteTexts& texts) {
  return ReadDegrees(texts.Latitude, 90.0, site.Latitude) &&
         ReadDegrees(texts.Longitude, 180.0, site.Longitude) &&
         ReadElevation(texts.Elevation, site.Elevation);
}

}  // namespace velk
