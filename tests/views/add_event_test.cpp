// SPDX-License-Identifier: MIT
#include "views/add_event.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "store/month_files.h"
#include "store/system_log.h"
#include "support/test_env.h"

namespace velk {
namespace {

TEventBase Memo(TDateTime date, std::string text) {
  TEventBase e;
  e.Date = date;
  e.Text = std::move(text);
  return e;
}

struct AddEventTest : ::testing::Test {
  test::TestEnv t{EncodeDateTime(2020, 11, 13, 9, 5, 7)};
  std::unique_ptr<TStores> stores = std::make_unique<TStores>();
  void SetUp() override { ASSERT_TRUE(EnsureFolders(t.env)); }
};

TEST_F(AddEventTest, FullListDropsTheOldestAddedAndRecounts) {
  const TDateTime base = EncodeDateTime(2020, 11, 1, 0, 0);
  for (int i = 0; i < 501; ++i) {
    // Dates out of order on purpose: the list keeps the order of adding, not of dates.
    const TDateTime date = base + (i % 7) * kMinute * 10 + i * kMinute;
    ASSERT_TRUE(AddEvent(*stores, t.env, 3, Memo(date, "memo " + std::to_string(i))));
  }
  const TRoomEventDat& list = stores->RoomEvent[3];
  EXPECT_EQ(list.Count, 500);
  EXPECT_EQ(list.Event[0].Text, "memo 500");
  EXPECT_EQ(list.Event[499].Text, "memo 1");
  for (const TEventBase& e : list.Event) EXPECT_NE(e.Text, "memo 0");
  // Every addition reached the file of its month, the lost one included.
  const std::string file = test::ReadFile(GetMonthFilePath(t.env, 3, base));
  EXPECT_NE(file.find("E,2020/11/01 00:00,\"memo 0\",\r\n"), std::string::npos);
  EXPECT_NE(file.find("\"memo 500\",\r\n"), std::string::npos);
}

TEST_F(AddEventTest, CountsOnlyTheFilledPositionsBeforeIt) {
  // A loaded list with a hole: Count follows the non-empty dates, not the old Count.
  TRoomEventDat& list = stores->RoomEvent[1];
  list.Event[0] = Memo(EncodeDate(2020, 11, 2), "a");
  list.Event[2] = Memo(EncodeDate(2020, 11, 1), "b");
  list.Count = 77;
  ASSERT_TRUE(AddEvent(*stores, t.env, 1, Memo(EncodeDate(2020, 11, 3), "c")));
  EXPECT_EQ(list.Count, 3);
  EXPECT_EQ(list.Event[0].Text, "c");
  EXPECT_EQ(list.Event[1].Text, "a");
  EXPECT_EQ(list.Event[2].Date, 0);
  EXPECT_EQ(list.Event[3].Text, "b");
}

TEST_F(AddEventTest, SlotOutsideTheStoresChangesNothing) {
  for (int slot : {-1, 6, 7, 1000}) {
    EXPECT_FALSE(AddEvent(*stores, t.env, slot, Memo(EncodeDate(2020, 11, 3), "x"))) << slot;
  }
  for (const TRoomEventDat& list : stores->RoomEvent) {
    EXPECT_EQ(list.Count, 0);
    EXPECT_EQ(list.Event[0].Date, 0);
  }
  EXPECT_TRUE(std::filesystem::is_empty(GetRcdFolder(t.env)));
}

TEST_F(AddEventTest, GoesToTheFileOfTheEventsMonthAndReadsBack) {
  struct Case {
    std::string text;
    std::string readBack;  // a double quote ends the text on reading back
  };
  const Case cases[] = {
      {"定植日", "定植日"},
      {"潅水, 追肥, 換気", "潅水, 追肥, 換気"},
      {"花が咲いた🌸", "花が咲いた🌸"},
      // 50 characters with commas and double quotes.
      {"12345678,0\"ab\"cd,e12345678901234567890123456789012", "12345678,0"},
  };
  const TDateTime december = EncodeDateTime(2020, 12, 31, 23, 59);
  for (const Case& c : cases) {
    ASSERT_TRUE(AddEvent(*stores, t.env, 2, Memo(december, c.text)));
    EXPECT_EQ(stores->RoomEvent[2].Event[0].Text, c.text);
    const std::string file = test::ReadFile(GetRcdFolder(t.env) + "/Room2_202012.TDB");
    const std::string line = "E,2020/12/31 23:59,\"" + c.text + "\",\r\n";
    ASSERT_GE(file.size(), line.size());
    EXPECT_EQ(file.substr(file.size() - line.size()), line);
    TEventBase back;
    ASSERT_TRUE(ParseMonthEventLine(t.env, line.substr(0, line.size() - 2), back));
    EXPECT_EQ(back.Text, c.readBack);
    EXPECT_EQ(back.Date, december);
  }
}

TEST(AddEvent, FailedWriteStillAddsAndSucceeds) {
  test::TestEnv t;  // no record folder: the append fails and is logged
  auto stores = std::make_unique<TStores>();
  ASSERT_TRUE(AddEvent(*stores, t.env, 1, Memo(EncodeDate(2020, 11, 3), "x")));
  EXPECT_EQ(stores->RoomEvent[1].Count, 1);
  EXPECT_EQ(stores->RoomEvent[1].Event[0].Text, "x");
}

}  // namespace
}  // namespace velk
