// SPDX-License-Identifier: MIT
#include "history_model.h"

#include <gtest/gtest.h>

#include "base/date_format.h"
#include "base/text_encoding.h"
#include "settings/settings_files.h"
#include "store/month_files.h"
#include "store/record_csv.h"
#include "store/record_ring.h"
#include "store/system_log.h"
#include "support/test_env.h"

namespace velk {
namespace {

TEST(HistoryGenerator, WritesHistoryThatLoadsAndHangsTogether) {
  const TDateTime end = EncodeDateTime(2021, 6, 20, 12, 0);
  test::TestEnv t(end + 2 * kMinute);
  ASSERT_TRUE(EnsureFolders(t.env));
  hist::THistoryOptions options;
  options.End = end;
  options.Days = 20;
  const hist::TRoomHistory history = hist::GenerateRoomHistory(2, options);
  ASSERT_LT(history.Records.size(), 20u * 288);  // some outages
  EXPECT_GT(history.Records.size(), 15u * 288);
  TRoomEst room;
  SetDefaultRoomEst(2, room);
  const hist::TWriteResult written = hist::WriteRoomHistory(t.env, 2, history, &room);
  EXPECT_TRUE(written.Ok);
  EXPECT_EQ(written.MonthFiles, 2);  // late May and June

  TRoomDatPtr store = NewRoomDat();
  ASSERT_TRUE(LoadRoomRecords(t.env, 2, *store));
  EXPECT_EQ(FormatDateTime(kFmtRecordTime, store->Rec[1].Time), "2021/06/20 12:00");
  for (int k = 1; k < 20 * 288; ++k) {
    const TRecDat& r = store->Rec[k];
    ASSERT_NEAR(r.Time, end - (k - 1) * kPeriodDays, 1e-6) << k;
    if (!r.Item[0].Valid) continue;
    const TItemStat* c = r.Item;
    for (int n = 0; n < kItemCount; ++n) {
      ASSERT_TRUE(c[n].Min <= c[n].Avg && c[n].Avg <= c[n].Max) << k << " item " << n;
    }
    ASSERT_LT(c[kDewPoint].Avg, c[kAirTemperature].Avg + 0.2f) << k;
    ASSERT_GE(c[kHumidityDeficit].Avg, 0) << k;
    ASSERT_GE(c[kSolarRadiation].Avg, 0) << k;
    const int hour = HourOf(r.Time);
    if (hour < 3) {
      ASSERT_EQ(c[kSolarRadiation].Max, 0) << k;
    }
  }
  EXPECT_GT(store->Day[0].Item[kSolarRadiation].Max, 0.2f);  // midsummer noon

  TRoomEventDat events;
  ASSERT_TRUE(LoadRoomEvents(t.env, 2, events));
  EXPECT_EQ(events.Event[events.Count - 1].Text, "栽培開始");
  EXPECT_EQ(events.Event[events.Count - 2].Text, "定植日");

  // The record file starts on the day cultivation began; its 23:55 line carries that day's event.
  const std::string csv =
      DecodeText(test::ReadFile(GetRecordCsvPath(t.env, 2)), TTextEncoding::Cp932);
  const std::string beginDay = FormatDateTime(kFmtDate, history.BeginDate);
  size_t line5 = 0;
  for (int i = 0; i < 4; ++i) line5 = csv.find("\r\n", line5) + 2;
  EXPECT_EQ(csv.substr(line5, beginDay.size()), beginDay);
  EXPECT_NE(csv.find(beginDay + " 23:55,"), std::string::npos);
  EXPECT_NE(csv.find("\" 栽培開始\",\r\n"), std::string::npos);
}

}  // namespace
}  // namespace velk
