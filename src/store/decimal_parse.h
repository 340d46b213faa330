// SPDX-License-Identifier: MIT
// Number fields of the record files, read fast: the same acceptance and value as TryParseFloat.
#pragma once

#include <string_view>

namespace velk {

// Plain decimals (sign, up to 19 digits, optional point) whose digits fit in 53 bits and that
// have at most 22 decimals are converted exactly by one division; everything else goes to
// TryParseFloat.
bool ParseDecimal(std::string_view text, double& out);

}  // namespace velk
