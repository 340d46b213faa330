// SPDX-License-Identifier: MIT
// The whole core under a user locale whose decimal separator is a comma. The process runs with
// LC_ALL=de_DE.UTF-8 (built into the build folder, see CMakeLists); QApplication then switches
// the C library to it, as it does for a grower's desktop.
#include <QApplication>
#include <QTest>
#include <clocale>
#include <memory>

#include "acquisition/ccm_ctrl_form.h"
#include "base/number_format.h"
#include "settings/settings_files.h"
#include "store/month_files.h"
#include "store/record_csv.h"
#include "store/system_log.h"
#include "support/test_env.h"

namespace velk {

class CommaLocaleTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    // Without the comma locale this suite would prove nothing.
    QCOMPARE(std::localeconv()->decimal_point, ",");
  }

  void NumbersKeepTheFullStop() {
    QCOMPARE(FormatFloat(23.5), std::string("23.5"));
    QCOMPARE(FormatSingle(12.3f), std::string("12.3000001907349"));
    QCOMPARE(FormatFloat(1e-6), std::string("1E-6"));
    double v = 0;
    QVERIFY(TryParseFloat("23.5", v));
    QCOMPARE(v, 23.5);
    QVERIFY(TryParseFloat("-1.25e3", v));
    QCOMPARE(v, -1250.0);
    QVERIFY(!TryParseFloat("23,5", v));
  }

  void ReadingsAreAccepted() {
    test::TestEnv t;
    auto stores = std::make_unique<TStores>();
    for (int slot = 0; slot < kRoomSlots; ++slot) SetDefaultRoomEst(slot, stores->RoomEst[slot]);
    stores->RoomEst[1].Use = kUseCultivating;
    TCCMCtrlForm form(t.env, *stores);
    SetupCCMTable(form.Table(), stores->RoomEst);
    ReceiveCCM(form.Receiver(), "127.0.0.1",
               R"(<UECS ver="1.00-E10"><DATA type="InAirTemp" room="1" region="0" order="0" )"
               R"(priority="15">23.5</DATA></UECS>)");
    const TCCMData& air = form.Table().Cell[1][kAirTemperature];
    QCOMPARE(air.Valid, uint8_t{1});
    QCOMPARE(air.Value, 23.5);
    QVERIFY(test::ReadFile(GetLogFilePath(t.env, t.env.Now())).find("Data値異常") ==
            std::string::npos);
  }

  void FilesAreWrittenAndReadWithTheFullStop() {
    test::TestEnv t;
    QVERIFY(EnsureFolders(t.env));
    TRecDat r{};
    r.Time = t.env.Now();
    r.Item[0] = {1, 2.15f, 2.5f, -0.25f};
    QVERIFY(AppendMonthRecord(t.env, 1, r));
    const std::string line = test::ReadFile(GetMonthFilePath(t.env, 1, r.Time));
    QCOMPARE(line,
             "T,2020/11/13 09:05,2.15000009536743,2.5,-0.25," + std::string(27, ',') + "\r\n");
    TRoomDatPtr store = NewRoomDat();
    QVERIFY(LoadRoomRecords(t.env, 1, *store));
    QCOMPARE(store->Rec[1].Item[0].Avg, 2.15f);
    QCOMPARE(store->Rec[1].Item[0].Min, -0.25f);

    TRoomEst room;
    SetDefaultRoomEst(1, room);
    room.Data[0].UpperLimit = 0.5;
    QVERIFY(FormatRecordCsvHeader(room).find(R"x("kW/㎡(MJ)",0.5,0,)x") != std::string::npos);

    TSiteEst site;
    site.Latitude = 34.3;
    site.Longitude = -135.25;
    QVERIFY(WriteSiteEst(t.env, site));
    QVERIFY(test::ReadFile(GetSiteEstPath(t.env)).find("Latitude=34.3\r\nLongitude=-135.25\r\n") !=
            std::string::npos);
    TSiteEst back;
    QVERIFY(ReadSiteEst(t.env, back));
    QCOMPARE(back.Latitude, 34.3);
    QCOMPARE(back.Longitude, -135.25);
  }
};

}  // namespace velk

QTEST_MAIN(velk::CommaLocaleTest)
#include "comma_locale_test.moc"
