// SPDX-License-Identifier: MIT
#include "settings/ini_file.h"

#include <gtest/gtest.h>

#include "base/text_encoding.h"

namespace velk {
namespace {

TEST(IniFile, WritingAKeyKeepsEverythingElseInPlace) {
  TIniFile ini;
  ini.Parse(
      "[ConditionEst]\r\nCond0=1\r\n\r\n[basic]\r\nLatitude=35\r\nFoo=bar\r\n\r\n[x]\r\ny=1\r\n");
  ini.Write("basic", "Latitude", "36.5");
  ini.Write("basic", "DayBreak", "0");
  ini.Write("growth", "BeginDate", "1899/12/30");
  EXPECT_EQ(ini.Serialize(),
            "[ConditionEst]\r\nCond0=1\r\n\r\n[basic]\r\nLatitude=36.5\r\nFoo=bar\r\nDayBreak=0\r\n"
            "\r\n[x]\r\ny=1\r\n[growth]\r\nBeginDate=1899/12/30\r\n");
}

TEST(IniFile, ReadsNamesCaseInsensitivelyAndTrimsValues) {
  TIniFile ini;
  ini.Parse(Utf8ToCp932("[Basic]\nname =  栽培室1 \nEmpty=\nnot a key\n"));
  EXPECT_EQ(ini.Read("basic", "Name").value(), "栽培室1");
  EXPECT_EQ(ini.Read("basic", "Empty").value(), "");
  EXPECT_FALSE(ini.Read("basic", "Missing").has_value());
  EXPECT_FALSE(ini.Read("data", "Name").has_value());
}

TEST(IniFile, ParsingAndWritingBackKeepEveryByte) {
  // Code page 932 with mixed line ends and bytes that are no text; UTF-16 with a stray odd byte.
  const std::string cp932 = "[basic]\r\nMemo=\x87\x90\xFF\nTail=\x82\xA0\r[x]";
  const std::string utf16 = EncodeText("[basic]\r\nUse=1", TTextEncoding::Utf16LeBom) + "\x41";
  for (const std::string& bytes : {cp932, utf16}) {
    TIniFile ini;
    ini.Parse(bytes);
    EXPECT_EQ(ini.Serialize(), bytes);
    ini.Write("basic", "Name", "温室");
    ini.Write("growth", "BeginDate", "2020/04/01");
    TIniFile back;
    back.Parse(ini.Serialize());
    EXPECT_EQ(back.Read("basic", "Name").value(), "温室");
    EXPECT_EQ(back.Read("growth", "BeginDate").value(), "2020/04/01");
    EXPECT_EQ(back.Serialize(), ini.Serialize());
  }
}

TEST(IniFile, AStrayCarriageReturnByteOfAUtf16FileStaysNoLineBreakOnceCompleted) {
  // "[basic]" followed by a lone 0x0D is no header: the site values go to a section of their
  // own, and once written the file reads back the same, so writing it again changes nothing.
  const std::string bytes = EncodeText("[basic]", TTextEncoding::Utf16LeBom) + "\x0D";
  TIniFile ini;
  ini.Parse(bytes);
  ini.Write("basic", "Latitude", "35");
  const std::string once = ini.Serialize();
  TIniFile back;
  back.Parse(once);
  EXPECT_EQ(back.Read("basic", "Latitude").value(), "35");
  back.Write("basic", "Latitude", "35");
  EXPECT_EQ(back.Serialize(), once);
}

}  // namespace
}  // namespace velk
