// SPDX-License-Identifier: MIT
#include "settings/room_state.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>

#include "base/file_io.h"
#include "base/text_encoding.h"
#include "settings/settings_files.h"
#include "store/month_files.h"
#include "store/record_csv.h"
#include "store/system_log.h"
#include "support/test_env.h"

namespace velk {
namespace {

using S = TStateStep;

TEST(StateSteps, EachButtonAsksWhatTheRoomsStateNeeds) {
  struct Case {
    int32_t use;
    TStateButton button;
    std::vector<S> steps;
  };
  const Case cases[] = {
      {kUseNone, TStateButton::Begin, {S::ConfirmBegin, S::BeginCultivation}},
      {kUsePaused, TStateButton::Begin, {S::ConfirmBegin, S::BeginCultivation}},
      {kUseCultivating, TStateButton::Begin, {S::ConfirmBegin, S::BeginCultivation}},
      {kUseCultivating, TStateButton::Sleep, {S::ConfirmEnd, S::ChooseCopyPath, S::EndCultivation}},
      {kUseNone, TStateButton::Sleep, {S::StartManagement}},
      {7, TStateButton::Sleep, {S::StartManagement}},
      {kUsePaused, TStateButton::Sleep, {}},  // already paused: no second 管理開始
      {kUseCultivating,
       TStateButton::NotUse,
       {S::ConfirmEnd, S::ChooseCopyPath, S::EndCultivation, S::ConfirmRetire, S::EndManagement}},
      {kUsePaused, TStateButton::NotUse, {S::ConfirmRetire, S::EndManagement}},
      {kUseNone, TStateButton::NotUse, {}},
      {7, TStateButton::NotUse, {}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(StateSteps(c.use, c.button), c.steps)
        << "use " << c.use << " button " << static_cast<int>(c.button);
  }
}

TEST(StateSteps, QuestionsCarryTheRoomNumberOnTheirOwnLine) {
  EXPECT_EQ(StateQuestion(3, S::ConfirmBegin), "部屋No.3\n今日から栽培開始でよろしいですか？");
  EXPECT_EQ(StateQuestion(1, S::ConfirmEnd), "部屋No.1\n今日で栽培終了でよろしいですか？");
  EXPECT_EQ(StateQuestion(5, S::ConfirmRetire),
            "部屋No.5\nこの棟を管理対象から外してよろしいですか？");
  EXPECT_THROW(StateQuestion(1, S::EndManagement), std::invalid_argument);
}

TEST(ListPositions, PositionIsTheNumberAndANumberTheListLacksSurvivesAnApply) {
  struct Case {
    int16_t number;
    int position;
  };
  for (const Case c : {Case{0, 0}, Case{7, 7}, Case{20, 20}, Case{21, -1}, Case{-1, -1}}) {
    EXPECT_EQ(ListPosition(c.number), c.position) << c.number;
    EXPECT_EQ(ListNumber(ListPosition(c.number), c.number), c.number) << c.number;
  }
  EXPECT_EQ(ListNumber(5, 30), 5);
  EXPECT_EQ(ListNumber(-1, 30), 30);
  EXPECT_EQ(ListNumber(21, 4), 4);
}

class RoomState : public ::testing::Test {
 protected:
  RoomState() : t(EncodeDateTime(2021, 4, 6, 14, 25, 33)) {
    for (int n = 0; n < kRoomSlots; ++n) SetDefaultRoomEst(n, stores->RoomEst[n]);
  }
  std::string LogText() { return test::ReadFile(GetLogFilePath(t.env, t.env.Now())); }
  TRoomEst ReadBack(int room) {
    TRoomEst r;
    EXPECT_TRUE(ReadRoomEst(t.env, room, r));
    return r;
  }

  test::TestEnv t;
  std::unique_ptr<TStores> stores = std::make_unique<TStores>();
};

TEST_F(RoomState, EachChangeSetsTheStateSavesTheRoomWithItsEditsAndRecordsItsEvent) {
  struct Case {
    const char* name;
    int32_t before;
    std::function<void(TStores&, const TAppEnv&, const TRoomEdits&)> change;
    int32_t after;
    const char* event;
  };
  const std::string copy = t.folder.Path() + "copy.csv";
  const Case cases[] = {
      {"begin", kUseNone,
       [](TStores& s, const TAppEnv& e, const TRoomEdits& ed) { BeginCultivation(s, e, 3, ed); },
       kUseCultivating, "栽培開始"},
      {"end", kUseCultivating,
       [&](TStores& s, const TAppEnv& e, const TRoomEdits& ed) {
         EndCultivation(s, e, 3, ed, copy);
       },
       kUsePaused, "栽培終了"},
      {"manage", kUseNone,
       [](TStores& s, const TAppEnv& e, const TRoomEdits& ed) { StartManagement(s, e, 3, ed); },
       kUsePaused, "管理開始"},
      {"retire", kUsePaused,
       [](TStores& s, const TAppEnv& e, const TRoomEdits& ed) { EndManagement(s, e, 3, ed); },
       kUseNone, "管理終了"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    stores = std::make_unique<TStores>();
    for (int n = 0; n < kRoomSlots; ++n) SetDefaultRoomEst(n, stores->RoomEst[n]);
    TRoomEst& room = stores->RoomEst[3];
    room.Use = c.before;
    room.BeginDate = EncodeDate(2021, 1, 10);
    stores->RoomEstChanged = 0;

    c.change(*stores, t.env, TRoomEdits{"東ハウス", 4, 2, 9});

    EXPECT_EQ(room.Use, c.after);
    EXPECT_EQ(room.Name, "東ハウス");
    EXPECT_EQ(room.Room, 4);
    EXPECT_EQ(room.Region, 2);
    EXPECT_EQ(room.Order, 9);
    EXPECT_EQ(stores->RoomEstChanged, 1);
    const TRoomEst saved = ReadBack(3);
    EXPECT_EQ(saved.Use, c.after);
    EXPECT_EQ(saved.Name, "東ハウス");
    EXPECT_EQ(saved.Room, 4);
    EXPECT_EQ(saved.BeginDate, room.BeginDate);

    const TRoomEventDat& events = stores->RoomEvent[3];
    EXPECT_EQ(events.Count, 1);
    EXPECT_EQ(events.Event[0].Text, c.event);
    EXPECT_EQ(events.Event[0].Date, t.env.Now());
    EXPECT_NE(test::ReadFile(GetMonthFilePath(t.env, 3, t.env.Now())).find(c.event),
              std::string::npos);
    for (int other = 0; other < kRoomSlots; ++other) {
      if (other != 3) {
        EXPECT_EQ(stores->RoomEvent[other].Count, 0) << other;
      }
    }
  }
}

TEST_F(RoomState, BeginningStartsTodayWithANewRecordFileInPlaceOfTheOldOne) {
  const std::string csv = GetRecordCsvPath(t.env, 3);
  test::WriteFile(csv, "old lines\r\n");
  BeginCultivation(*stores, t.env, 3, RoomEditsOf(stores->RoomEst[3]));
  EXPECT_EQ(stores->RoomEst[3].BeginDate, EncodeDate(2021, 4, 6));
  EXPECT_EQ(ReadBack(3).BeginDate, EncodeDate(2021, 4, 6));
  EXPECT_EQ(test::ReadFile(csv), Utf8ToCp932(FormatRecordCsvHeader(stores->RoomEst[3])));
}

TEST_F(RoomState, EndingCopiesTheRecordFileAndAFailedCopyIsLoggedWhileTheChangeStands) {
  BeginCultivation(*stores, t.env, 2, RoomEditsOf(stores->RoomEst[2]));
  const std::string csv = GetRecordCsvPath(t.env, 2);
  const std::string copy = t.folder.Path() + "harvest.csv";
  EndCultivation(*stores, t.env, 2, RoomEditsOf(stores->RoomEst[2]), copy);
  EXPECT_EQ(test::ReadFile(copy), test::ReadFile(csv));
  EXPECT_TRUE(FileExists(csv));  // the room's own file stays

  BeginCultivation(*stores, t.env, 2, RoomEditsOf(stores->RoomEst[2]));
  const std::string nowhere = t.folder.Path() + "no/such/folder/x.csv";
  EndCultivation(*stores, t.env, 2, RoomEditsOf(stores->RoomEst[2]), nowhere);
  EXPECT_NE(LogText().find("DataAccess: CSVファイル移動（複写）失敗: " + csv + " to " + nowhere),
            std::string::npos);
  EXPECT_EQ(stores->RoomEst[2].Use, kUsePaused);
  EXPECT_EQ(ReadBack(2).Use, kUsePaused);
  EXPECT_EQ(stores->RoomEvent[2].Event[0].Text, "栽培終了");
}

TEST_F(RoomState, ANameWithLineBreaksOrOfThreeHundredCharactersIsStoredAsOneValue) {
  for (const std::string& name :
       {std::string("A棟\r\nUse=2\n[growth]\rBeginDate=2000/01/01"), std::string(300, 'x'), [] {
          std::string s;
          for (int i = 0; i < 300; ++i) s += "棟";
          return s;
        }()}) {
    StartManagement(*stores, t.env, 1, TRoomEdits{name, 1, 0, 0});
    std::string expected = name;
    for (char& c : expected) {
      if (c == '\r' || c == '\n') c = ' ';
    }
    EXPECT_EQ(stores->RoomEst[1].Name, expected);
    const TRoomEst saved = ReadBack(1);
    EXPECT_EQ(saved.Name, expected);
    EXPECT_EQ(saved.Use, kUsePaused);  // no key slipped in through the name
    EXPECT_EQ(saved.BeginDate, 0.0);
  }
}

TEST_F(RoomState, TakingControlsKeepsNumbersTheListsCannotShowAndRejectsOtherRooms) {
  stores->RoomEst[4].Room = 35;
  TakeRoomEst(*stores, 4, RoomEditsOf(stores->RoomEst[4]));
  EXPECT_EQ(stores->RoomEst[4].Room, 35);
  for (int bad : {0, 6, -1}) {
    EXPECT_THROW(TakeRoomEst(*stores, bad, TRoomEdits{}), std::out_of_range);
    EXPECT_THROW(BeginCultivation(*stores, t.env, bad, TRoomEdits{}), std::out_of_range);
  }
  EXPECT_EQ(stores->RoomEvent[0].Count, 0);
}

}  // namespace
}  // namespace velk
