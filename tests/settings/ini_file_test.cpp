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

}  // namespace
}  // namespace velk
