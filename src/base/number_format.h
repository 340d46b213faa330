// SPDX-License-Identifier: MIT
// Numbers in the general form of the system's files, and strict number parsing.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace velk {

// Shortest form with up to 15 significant digits, "." decimal point, no trailing zeros, whole
// numbers without a point; scientific notation (1E-6, 1.5E15) only below 0.00001 or from 15
// integer digits on.
std::string FormatFloat(double value);
// A single-precision statistic widened exactly to double first (12.3f → 12.3000001907349).
inline std::string FormatSingle(float value) {
  return FormatFloat(static_cast<double>(value));
}

// Fixed-point text with `decimals` places (0 to 255), "." whatever the locale.
std::string FormatFixed(double value, int decimals);

// The whole text must be a decimal number: optional sign, digits, optional fraction and exponent.
// No white space, no hexadecimal, no inf or nan.
bool TryParseFloat(std::string_view text, double& out);
// The whole text must be a decimal integer within 32 bits, with an optional sign.
bool TryParseInt(std::string_view text, int32_t& out);

}  // namespace velk
