// SPDX-License-Identifier: MIT
#include "settings/site_values.h"

#include <gtest/gtest.h>

namespace velk {
namespace {

TEST(SiteValues, TakesEachValueUpToTheFirstThatDoesNotRead) {
  struct Case {
    TSiteTexts texts;
    bool ok;
    TSiteEst after;
  };
  const TSiteEst before{35.0, 135.0, 7, 1};
  const Case cases[] = {
      {{"35.5", "abc", "12"}, false, {35.5, 135.0, 7, 1}},
      {{"35.5", "139.25", "12.5"}, false, {35.5, 139.25, 7, 1}},
      {{"x", "139.25", "12"}, false, before},
      {{"", "139.25", "12"}, false, before},
      {{"43.0621", "141.3544", "-3"}, true, {43.0621, 141.3544, -3, 1}},
      // As a Japanese input method types them, with blanks around.
      {{" ３５．５ ", "\u3000－１２０", "１２\t"}, true, {35.5, -120.0, 12, 1}},
      {{"90.5", "139", "12"}, false, before},  // beyond a pole
      {{"35", "180.01", "12"}, false, {35.0, 135.0, 7, 1}},
      {{"35", "139", "40000"}, false, {35.0, 139.0, 7, 1}},  // beyond 16 bits
      {{"35", "139", "-32768"}, true, {35.0, 139.0, -32768, 1}},
      {{"nan", "139", "12"}, false, before},
      {{"35,5", "139", "12"}, false, before},  // a comma is no decimal point here
  };
  for (const Case& c : cases) {
    TSiteEst site = before;
    EXPECT_EQ(TakeSiteValues(site, c.texts), c.ok) << c.texts.Latitude << "|" << c.texts.Longitude;
    EXPECT_EQ(site.Latitude, c.after.Latitude) << c.texts.Latitude;
    EXPECT_EQ(site.Longitude, c.after.Longitude) << c.texts.Longitude;
    EXPECT_EQ(site.Elevation, c.after.Elevation) << c.texts.Elevation;
    EXPECT_EQ(site.DayBreak, 1);
  }
}

TEST(SiteValues, ShowsFourDecimalsAndAWholeElevation) {
  const TSiteTexts a = SiteTexts(TSiteEst{35.0, 135.0, 0, 0});
  EXPECT_EQ(a.Latitude, "35.0000");
  EXPECT_EQ(a.Longitude, "135.0000");
  EXPECT_EQ(a.Elevation, "0");
  const TSiteTexts b = SiteTexts(TSiteEst{-33.86786, 151.20732, -12, 0});
  EXPECT_EQ(b.Latitude, "-33.8679");
  EXPECT_EQ(b.Longitude, "151.2073");
  EXPECT_EQ(b.Elevation, "-12");
  // What is shown reads back as what is shown.
  TSiteEst site;
  ASSERT_TRUE(TakeSiteValues(site, b));
  EXPECT_EQ(site.Latitude, -33.8679);
  EXPECT_EQ(site.Elevation, -12);
}

}  // namespace
}  // namespace velk
