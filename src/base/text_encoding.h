// SPDX-License-Identifier: MIT
// UTF-8 inside the program; code page 932 and byte-order-marked files at the edges.
#pragma once

#include <string>
#include <string_view>

namespace velk {

enum class TTextEncoding { Cp932, Utf8Bom, Utf16LeBom, Utf16BeBom };

// Which encoding a file's bytes announce by their byte-order mark (Cp932 when there is none).
TTextEncoding DetectTextEncoding(std::string_view bytes);
// The byte-order mark of an encoding ("" for Cp932).
std::string_view ByteOrderMark(TTextEncoding encoding);

// Any bytes to valid UTF-8: each invalid sequence becomes U+FFFD and the rest is still read.
std::string DecodeUtf8Lossy(std::string_view bytes);

// Code page 932 to UTF-8. Undecodable bytes become U+FFFD; false when that happened.
bool Cp932ToUtf8(std::string_view bytes, std::string& out);
// UTF-8 to code page 932; a character the code page cannot hold is written as "?".
std::string Utf8ToCp932(std::string_view utf8);

// Whole-file decoding and encoding by the encoding detected or chosen; the mark is dropped on
// decoding and written on encoding.
std::string DecodeText(std::string_view bytes, TTextEncoding encoding);
std::string EncodeText(std::string_view utf8, TTextEncoding encoding);

}  // namespace velk
