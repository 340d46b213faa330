// SPDX-License-Identifier: MIT
// A fast test for text that needs no repair before it is read as UTF-8.
#pragma once

#include <string_view>

namespace velk {

// True when every byte sequence is well-formed UTF-8 (no overlong forms, surrogates or code
// points above U+10FFFF): exactly the texts the lossy decoder would return unchanged.
bool IsValidUtf8(std::string_view bytes);

}  // namespace velk
