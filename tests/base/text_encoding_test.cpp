// SPDX-License-Identifier: MIT
#include "base/text_encoding.h"

#include <gtest/gtest.h>

namespace velk {
namespace {

TEST(TextEncoding, Cp932HoldsTheDefaultItemTexts) {
  EXPECT_EQ(Utf8ToCp932("気温"), "\x8B\x43\x89\xB7");
  EXPECT_EQ(Utf8ToCp932("㎡"), "\x87\x75");
  EXPECT_EQ(Utf8ToCp932("～"), "\x81\x60");
  std::string back;
  EXPECT_TRUE(Cp932ToUtf8("\x8B\x43\x89\xB7", back));
  EXPECT_EQ(back, "気温");
}

TEST(TextEncoding, AnUnencodableCharacterBecomesAQuestionMark) {
  EXPECT_EQ(Utf8ToCp932("栽培\xF0\x9F\x98\x80室"), Utf8ToCp932("栽培") + "?" + Utf8ToCp932("室"));
}

TEST(TextEncoding, InvalidUtf8BecomesReplacementAndTheRestIsRead) {
  EXPECT_EQ(DecodeUtf8Lossy("a\xFF"
                            "b"),
            "a\xEF\xBF\xBD"
            "b");
  EXPECT_EQ(DecodeUtf8Lossy("\xE6\xB0"), "\xEF\xBF\xBD\xEF\xBF\xBD");  // truncated sequence
  EXPECT_EQ(DecodeUtf8Lossy("\xED\xA0\x80"), "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD");  // surrogate
  EXPECT_EQ(DecodeUtf8Lossy("気温"), "気温");
}

TEST(TextEncoding, ByteOrderMarksChooseTheEncodingAndRoundTrip) {
  for (TTextEncoding e : {TTextEncoding::Cp932, TTextEncoding::Utf8Bom, TTextEncoding::Utf16LeBom,
                          TTextEncoding::Utf16BeBom}) {
    const std::string bytes = EncodeText("気温,23.5\r\n", e);
    EXPECT_EQ(DetectTextEncoding(bytes), e);
    EXPECT_EQ(DecodeText(bytes, e), "気温,23.5\r\n");
  }
  EXPECT_EQ(EncodeText("a", TTextEncoding::Utf16LeBom), std::string("\xFF\xFE"
                                                                    "a\0",
                                                                    4));
}

}  // namespace
}  // namespace velk
