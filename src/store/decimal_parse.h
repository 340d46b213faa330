// SPDX-License-Identifier: MIT
// Number fields of the record files, read fast: the same acceptance and value as TryParseFloat.
#pragma once

#include <string_view>

namespace velk {

// Plain decimals (sign, up to 19 digits, optional point) whose digits fit in 53 bits and that
// have at most 22 decimals are converted exactly by one division; everything else goes to
// TryParseFloat.
bool ParseDecimal(std::string_view text, double& out);

// The field of `line` that starts at `pos` and runs to the next "," (or the end), converted as
// ParseDecimal converts it, in one pass over its characters. `pos` is left on that "," (or the
// end). False when the field is empty or not a number.
bool ParseDecimalField(std::string_view line, size_t& pos, double& out);

}  // namespace velk
