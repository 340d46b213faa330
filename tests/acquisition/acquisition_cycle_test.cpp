// SPDX-License-Identifier: MIT
#include "acquisition/acquisition_cycle.h"

#include <gtest/gtest.h>

#include <memory>

#include "base/date_format.h"
#include "base/file_io.h"
#include "base/text_encoding.h"
#include "settings/settings_files.h"
#include "store/month_files.h"
#include "store/record_csv.h"
#include "store/system_log.h"
#include "support/test_env.h"

namespace velk {
namespace {

// A monitoring process in miniature: stores, live table and receiver over a temporary folder.
class AcquisitionCycle : public ::testing::Test {
 protected:
  AcquisitionCycle() : t(EncodeDateTime(2020, 11, 13, 10, 0, 30)) {
    EnsureFolders(t.env);
    for (int n = 0; n < kRoomSlots; ++n) SetDefaultRoomEst(n, stores.RoomEst[n]);
    stores.RoomEst[1].Use = kUseCultivating;
    stores.RoomEst[2].Use = kUsePaused;
    ClearCCMTable(table);
    SetupCCMTable(table, stores.RoomEst);
    rx.Env = &t.env;
    rx.Table = &table;
  }

  void Second() { RunSecondStep(ctx); }
  void At(int h, int m, int s, int ms = 0) {
    t.clock.Set(EncodeDateTime(2020, 11, 13, h, m, s, ms));
  }
  // A reading of air temperature for room 1 (room 1, region 0, order 0).
  void Reading(double value) { StoreCCMValue(table, "InAirTemp", value, 1, 0, 0); }

  test::TestEnv t;
  TStores stores;
  TAcquisitionState state;
  TLiveValueTable table;
  TCCMReceiver rx;
  TSystemSts sts;
  TAcquisitionContext ctx{t.env, stores, state, table, rx, sts};
};

TEST_F(AcquisitionCycle, StartedInMinuteZeroTheFirstClosingIsAtMinuteFive) {
  const struct {
    int minute;
    bool closes;
  } steps[] = {{0, false}, {1, false}, {4, false}, {5, true}, {6, false}, {10, true}};
  for (const auto& s : steps) {
    const double before = stores.Dat(1).Rec[1].Time;
    At(10, s.minute, 0, 500);
    Second();
    EXPECT_EQ(stores.Dat(1).Rec[1].Time != before, s.closes) << "minute " << s.minute;
  }
}

TEST_F(AcquisitionCycle, AClosingAveragesTheSecondsAndAppendsToTheRightFiles) {
  At(10, 4, 57);
  Reading(20);
  Second();
  Second();
  Reading(23);
  Second();  // samples: 20, 20, 23
  At(10, 5, 0, 400);
  Second();
  const TRecDat& rec = stores.Dat(1).Rec[1];
  EXPECT_EQ(rec.Time, t.env.Now());
  EXPECT_EQ(rec.Item[1].Valid, 1);
  EXPECT_FLOAT_EQ(rec.Item[1].Avg, 21.0f);
  EXPECT_EQ(rec.Item[1].Max, 23.0f);
  EXPECT_EQ(rec.Item[1].Min, 20.0f);
  EXPECT_EQ(rec.Item[0].Valid, 0);
  EXPECT_EQ(stores.Dat(2).Rec[1].Item[1].Valid, 0);  // room 2 hears nothing but still closes
  EXPECT_EQ(stores.Dat(3).Rec[1].Time, 0);           // room 3 is not used
  EXPECT_EQ(stores.Dat(1).FirstTime, t.env.Now());
  EXPECT_EQ(stores.RoomInfo[1].LastDate, t.env.Now());

  const std::string month1 = test::ReadFile(GetMonthFilePath(t.env, 1, t.env.Now()));
  EXPECT_EQ(month1, "T,2020/11/13 10:05,,,,21,23,20," + std::string(24, ',') + "\r\n");
  EXPECT_FALSE(test::ReadFile(GetMonthFilePath(t.env, 2, t.env.Now())).empty());
  EXPECT_FALSE(FileExists(GetMonthFilePath(t.env, 3, t.env.Now())));
  EXPECT_NE(test::ReadFile(GetRecordCsvPath(t.env, 1)).find("2020/11/13 10:05,,,,21,23,20,"),
            std::string::npos);
  EXPECT_FALSE(FileExists(GetRecordCsvPath(t.env, 2)));  // paused: no CSV line
}

TEST_F(AcquisitionCycle, AValueHeardOnceIsSampledFor181Seconds) {
  At(10, 1, 0);
  Reading(5);
  int sampled = 0;
  for (int i = 0; i < 200; ++i) {
    const int before = state.Sum[1][1].Count;
    Second();
    sampled += state.Sum[1][1].Count - before;
  }
  EXPECT_EQ(sampled, 181);
  EXPECT_EQ(table.Cell[1][1].Valid, 0);
  EXPECT_EQ(sts.RoomLost[1], 1);
  EXPECT_EQ(stores.Dat(1).Rec[0].Item[1].Valid, 0);  // the live record follows the table
  EXPECT_EQ(stores.Dat(1).Rec[0].Item[1].Avg, 5.0f);
}

TEST_F(AcquisitionCycle, DailyRecordsAreRebuiltOneSlotPerMinuteAfterMidnight) {
  // A record of yesterday in every slot: a rebuild gives each a daily record.
  for (int slot = 0; slot < kRoomSlots; ++slot) {
    stores.Dat(slot).Rec[5].Time = EncodeDateTime(2020, 11, 12, 23, 0);
    stores.Dat(slot).Rec[5].Item[1] = {1, 10, 11, 9};
  }
  t.clock.Set(EncodeDateTime(2020, 11, 13, 0, 0, 0, 500));
  for (int minute = 0; minute <= 7; ++minute) {
    t.clock.Set(EncodeDateTime(2020, 11, 13, 0, minute, 0, 500));
    Second();
    for (int slot = 0; slot < kRoomSlots; ++slot) {
      const bool rebuilt = stores.Dat(slot).Day[0].Time != 0;
      EXPECT_EQ(rebuilt, slot <= minute - 1) << "slot " << slot << " at 00:0" << minute;
    }
  }
}

TEST_F(AcquisitionCycle, TheMemoOf2355CarriesTodaysEvents) {
  TRoomEventDat& ev = stores.RoomEvent[1];
  ev.Event[0] = {EncodeDateTime(2020, 11, 13, 15, 0), "B", {}};
  ev.Event[1] = {EncodeDateTime(2020, 11, 13, 8, 0), "A", {}};
  ev.Event[2] = {EncodeDateTime(2020, 11, 12, 8, 0), "yesterday", {}};
  EXPECT_EQ(GetTodayEventText(ev, EncodeDate(2020, 11, 13)), " B A");
  EXPECT_EQ(GetTodayEventText(ev, EncodeDate(2020, 11, 14)), "");
  At(23, 50, 0, 500);
  Second();
  At(23, 55, 0, 500);
  Second();
  std::string csv;
  Cp932ToUtf8(test::ReadFile(GetRecordCsvPath(t.env, 1)), csv);
  EXPECT_NE(csv.find("2020/11/13 23:50," + std::string(30, ',') + "\"\",\r\n"), std::string::npos);
  EXPECT_NE(csv.find("2020/11/13 23:55," + std::string(30, ',') + "\" B A\",\r\n"),
            std::string::npos);
}

TEST_F(AcquisitionCycle, ASettingsChangeDropsFreshValuesButKeepsSamples) {
  At(10, 1, 0);
  Reading(5);
  Second();
  stores.RoomEstChanged = 1;
  Second();
  EXPECT_EQ(stores.RoomEstChanged, 0);
  EXPECT_EQ(table.Cell[1][1].Valid, 0);
  EXPECT_EQ(state.Sum[1][1].Count, 1);
}

TEST_F(AcquisitionCycle, ShiftMovesEveryClosedRecordOnePlaceOlder) {
  auto store = NewRoomDat();
  for (int p = 0; p < kRingSize; ++p) store->Rec[p].Time = p;
  ShiftRecords(*store);
  EXPECT_EQ(store->Rec[0].Time, 0);
  EXPECT_EQ(store->Rec[1].Time, 1);
  EXPECT_EQ(store->Rec[2].Time, 1);
  EXPECT_EQ(store->Rec[kRingLast].Time, kRingLast - 1);
}

}  // namespace
}  // namespace velk
