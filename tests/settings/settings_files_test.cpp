// SPDX-License-Identifier: MIT
#include "settings/settings_files.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "base/date_time.h"
#include "base/file_io.h"
#include "base/text_encoding.h"
#include "store/stores.h"
#include "store/system_log.h"
#include "support/test_env.h"

namespace velk {
namespace {

class SettingsFiles : public ::testing::Test {
 protected:
  void WriteIni(const std::string& path, const std::string& utf8) {
    test::WriteFile(path, Utf8ToCp932(utf8));
  }
  std::string ReadIni(const std::string& path) {
    std::string text;
    Cp932ToUtf8(test::ReadFile(path), text);
    return text;
  }
  std::string LogText() { return test::ReadFile(GetLogFilePath(t.env, t.env.Now())); }

  test::TestEnv t;
};

TEST_F(SettingsFiles, NoFilesGiveTheDefaults) {
  TStores stores;
  stores.SiteEst.Latitude = 1;
  ReadAllEst(t.env, stores);
  EXPECT_EQ(stores.SiteEst.Latitude, 35.0);
  EXPECT_EQ(stores.SiteEst.Longitude, 135.0);
  EXPECT_EQ(stores.SiteEst.Elevation, 0);
  EXPECT_EQ(stores.SiteEst.DayBreak, 0);
  for (int n = 0; n < kRoomSlots; ++n) {
    const TRoomEst& r = stores.RoomEst[n];
    EXPECT_EQ(r.Use, 0);
    EXPECT_EQ(r.Name, "栽培室" + std::to_string(n));
    EXPECT_EQ(r.Room, n);
    EXPECT_EQ(r.Region, 0);
    EXPECT_EQ(r.Data[0].Unit, "kW/㎡(MJ)");
    EXPECT_EQ(r.Data[2].Unit, "％");
    EXPECT_EQ(r.Data[8].Unit, "%");
    EXPECT_EQ(r.Data[7].CCM, "SoilTemp.mIA");
    EXPECT_EQ(r.Data[4].Dec, 3);
    EXPECT_EQ(r.BeginDate, 0.0);
  }
  EXPECT_TRUE(FolderExists(GetRcdFolder(t.env)));
}

TEST_F(SettingsFiles, EveryFileRoundTripsThroughWriteAndRead) {
  TStores out;
  out.SiteEst = {35.6895, 139.6917, 123, 1};
  for (int n = 0; n < kRoomSlots; ++n) {
    TRoomEst& r = out.RoomEst[n];
    SetDefaultRoomEst(n, r);
    r.Use = n % 3;
    r.Name = "ハウス," + std::to_string(n);
    r.Region = 2;
    r.Order = 20;
    r.Data[5].Room = 3;
    r.Data[5].UpperLimit = 40;
    r.Data[5].LowerLimit = 0.5;
    r.Data[9].Name = "風～速";
    r.BeginDate = EncodeDate(2020, 11, n + 1);
  }
  WriteAllEst(t.env, out);
  TStores in;
  ReadAllEst(t.env, in);
  EXPECT_EQ(in.SiteEst.Latitude, 35.6895);
  EXPECT_EQ(in.SiteEst.Longitude, 139.6917);
  EXPECT_EQ(in.SiteEst.Elevation, 123);
  EXPECT_EQ(in.SiteEst.DayBreak, 1);
  for (int n = 0; n < kRoomSlots; ++n) {
    const TRoomEst& a = out.RoomEst[n];
    const TRoomEst& b = in.RoomEst[n];
    EXPECT_EQ(b.Use, a.Use);
    EXPECT_EQ(b.Name, a.Name);
    EXPECT_EQ(b.Order, 20);
    EXPECT_EQ(b.BeginDate, a.BeginDate);
    for (int i = 0; i < kItemCount; ++i) {
      EXPECT_EQ(b.Data[i].Name, a.Data[i].Name);
      EXPECT_EQ(b.Data[i].Unit, a.Data[i].Unit);
      EXPECT_EQ(b.Data[i].CCM, a.Data[i].CCM);
      EXPECT_EQ(b.Data[i].Dec, a.Data[i].Dec);
      EXPECT_EQ(b.Data[i].Room, a.Data[i].Room);
      EXPECT_EQ(b.Data[i].UpperLimit, a.Data[i].UpperLimit);
      EXPECT_EQ(b.Data[i].LowerLimit, a.Data[i].LowerLimit);
    }
  }
  const std::string site = ReadIni(GetSiteEstPath(t.env));
  EXPECT_EQ(site,
            "[basic]\r\nLatitude=35.6895\r\nLongitude=139.6917\r\nElevation=123\r\nDayBreak=1\r\n");
  const std::string room = ReadIni(GetRoomEstPath(t.env, 1));
  EXPECT_EQ(
      room.rfind("[basic]\r\nUse=1\r\nName=ハウス,1\r\nRoom=1\r\nRegion=2\r\nOrder=20\r\n[data]\r\n"
                 "Name0=日射量\r\nDec0=2\r\nUnit0=kW/㎡(MJ)\r\nCCM0=InRadiation\r\n",
                 0),
      0u)
      << room;
  EXPECT_NE(room.find("UpperLimit5=40\r\nLowerLimit5=0.5\r\n"), std::string::npos);
  EXPECT_NE(room.find("[growth]\r\nBeginDate=2020/11/02\r\n"), std::string::npos);
  // The files are code page 932 on disk.
  EXPECT_NE(test::ReadFile(GetRoomEstPath(t.env, 1)).find("\x93\xFA\x8E\xCB\x97\xCA"),
            std::string::npos);
}

TEST_F(SettingsFiles, ForeignSectionsAndKeysSurviveAWrite) {
  ASSERT_TRUE(EnsureFolders(t.env));
  WriteIni(
      GetSiteEstPath(t.env),
      "[ConditionEst]\r\nCondName0=気温\r\n[basic]\r\nLatitude=1\r\nMemo=残す\r\n[FutureEst]\r\n"
      "Item=1\r\n");
  TSiteEst site;
  WriteSiteEst(t.env, site);
  EXPECT_EQ(ReadIni(GetSiteEstPath(t.env)),
            "[ConditionEst]\r\nCondName0=気温\r\n[basic]\r\nLatitude=35\r\nMemo=残す\r\n"
            "Longitude=135\r\nElevation=0\r\nDayBreak=0\r\n[FutureEst]\r\nItem=1\r\n");
}

TEST_F(SettingsFiles, AWriteKeepsTheBytesOfEveryLineItDoesNotWrite) {
  ASSERT_TRUE(EnsureFolders(t.env));
  const std::string path = GetRoomEstPath(t.env, 1);
  const std::string original = test::ReadFile(VELK_FIXTURES "/settings/RoomEst_foreign_bytes.ini");
  test::WriteFile(path, original);
  TRoomEst room;
  SetDefaultRoomEst(1, room);
  room.Use = kUseCultivating;
  room.Name = "温室①";
  ASSERT_TRUE(WriteRoomEst(t.env, 1, room));
  const std::string bytes = test::ReadFile(path);
  // Comment, NEC codes, bare LF and CR line ends and undecodable bytes stay as they were.
  EXPECT_EQ(bytes.substr(0, 25), original.substr(0, 25));
  EXPECT_NE(bytes.find("\r\nMemo=\x87\x90\xED\x40\r\n"), std::string::npos);
  EXPECT_NE(bytes.find("\r\n[extra]\nBad=\xFF\xA0x\nTail=\x82\xA0\r[growth]\r\n"),
            std::string::npos);
  EXPECT_NE(bytes.find("\r\nName=\x89\xB7\x8E\xBA\x87\x40\r\n"), std::string::npos);
  TRoomEst back;
  ASSERT_TRUE(ReadRoomEst(t.env, 1, back));
  EXPECT_EQ(back.Name, "温室①");
  EXPECT_EQ(back.Use, kUseCultivating);
  ASSERT_TRUE(WriteRoomEst(t.env, 1, back));
  EXPECT_EQ(test::ReadFile(path), bytes);
}

TEST_F(SettingsFiles, AByteOrderMarkedFileStaysInItsEncoding) {
  ASSERT_TRUE(EnsureFolders(t.env));
  for (TTextEncoding encoding :
       {TTextEncoding::Utf8Bom, TTextEncoding::Utf16LeBom, TTextEncoding::Utf16BeBom}) {
    const std::string path = GetRoomEstPath(t.env, 2);
    test::WriteFile(path, EncodeText("[basic]\r\nMemo=残す\r\nUse=0\r\n", encoding));
    TRoomEst room;
    SetDefaultRoomEst(2, room);
    room.Name = "温室";
    ASSERT_TRUE(WriteRoomEst(t.env, 2, room));
    const std::string bytes = test::ReadFile(path);
    ASSERT_EQ(DetectTextEncoding(bytes), encoding);
    const std::string text = DecodeText(bytes, encoding);
    const std::string head = "[basic]\r\nMemo=残す\r\nUse=0\r\nName=温室\r\n";
    EXPECT_EQ(text.substr(0, head.size()), head);
    TRoomEst back;
    ASSERT_TRUE(ReadRoomEst(t.env, 2, back));
    EXPECT_EQ(back.Name, "温室");
  }
}

TEST_F(SettingsFiles, ReadOnlyFilesAreNotReplacedAndLinksAreFollowed) {
  ASSERT_TRUE(EnsureFolders(t.env));
  namespace fs = std::filesystem;
  TRoomEst room;
  SetDefaultRoomEst(3, room);
  // Without write permission bits the file is kept, also for a user who could override them.
  const std::string path = GetRoomEstPath(t.env, 3);
  WriteIni(path, "[basic]\r\nName=元\r\n");
  fs::permissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  EXPECT_FALSE(WriteRoomEst(t.env, 3, room));
  EXPECT_EQ(ReadIni(path), "[basic]\r\nName=元\r\n");
  EXPECT_NE(LogText().find("Setting: 設定ファイルの書込失敗: " + path), std::string::npos);
  EXPECT_FALSE(FileExists(path + ".tmp"));

  // A linked settings file: the target is updated, the link stays a link.
  const std::string target = t.folder.Path() + "shared.ini";
  WriteIni(target, "[basic]\r\nName=元\r\n");
  fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write);
  const std::string link = GetRoomEstPath(t.env, 4);
  fs::create_symlink("../shared.ini", link);
  SetDefaultRoomEst(4, room);
  ASSERT_TRUE(WriteRoomEst(t.env, 4, room));
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_NE(ReadIni(target).find("Name=栽培室4\r\n"), std::string::npos);
  EXPECT_EQ(fs::status(target).permissions(), fs::perms::owner_read | fs::perms::owner_write);
}

TEST_F(SettingsFiles, LineBreaksInTextsDoNotInjectKeys) {
  ASSERT_TRUE(EnsureFolders(t.env));
  TRoomEst room;
  SetDefaultRoomEst(1, room);
  room.Name = "A\n[growth]\nBeginDate=2000/01/01";
  room.Data[0].Unit = "W\r\nUnit1=x";
  room.BeginDate = EncodeDate(2020, 4, 1);
  ASSERT_TRUE(WriteRoomEst(t.env, 1, room));
  TRoomEst back;
  ASSERT_TRUE(ReadRoomEst(t.env, 1, back));
  EXPECT_EQ(back.Name, "A [growth] BeginDate=2000/01/01");
  EXPECT_EQ(back.Data[0].Unit, "W  Unit1=x");
  EXPECT_EQ(back.Data[1].Unit, "℃");
  EXPECT_EQ(back.BeginDate, EncodeDate(2020, 4, 1));
}

TEST_F(SettingsFiles, GarbageAndPartialFilesFallBackToDefaults) {
  ASSERT_TRUE(EnsureFolders(t.env));
  WriteIni(GetSiteEstPath(t.env), "[basic]\r\nLatitude=north\r\nElevation=15.7\r\nDayBreak=x\r\n");
  WriteIni(GetRoomEstPath(t.env, 3),
           "[basic]\r\nUse=abc\r\nName=\r\nRoom=25\r\n[data]\r\nName3=二酸化炭素\r\nDec0=300\r\n"
           "UpperLimit1=hot\r\n\x01\x02garbage\r\n[growth]\r\nBeginDate=2020/13/01\r\n");
  TStores s;
  ReadAllEst(t.env, s);
  EXPECT_EQ(s.SiteEst.Latitude, 35.0);
  EXPECT_EQ(s.SiteEst.Elevation, 15);
  EXPECT_EQ(s.SiteEst.DayBreak, 0);
  const TRoomEst& r = s.RoomEst[3];
  EXPECT_EQ(r.Use, 0);
  EXPECT_EQ(r.Name, "");
  EXPECT_EQ(r.Room, 25);
  EXPECT_EQ(r.Data[3].Name, "二酸化炭素");
  EXPECT_EQ(r.Data[3].Dec, 0);   // from the default table
  EXPECT_EQ(r.Data[0].Dec, 44);  // 300 kept in 8 bits
  EXPECT_EQ(r.Data[1].UpperLimit, 0.0);
  EXPECT_EQ(r.BeginDate, 0.0);
  WriteSiteEst(t.env, s.SiteEst);
  EXPECT_NE(ReadIni(GetSiteEstPath(t.env)).find("Elevation=15\r\n"), std::string::npos);
}

TEST_F(SettingsFiles, ElevationIsTruncatedTowardZero) {
  ASSERT_TRUE(EnsureFolders(t.env));
  for (const auto& [text, expected] :
       {std::pair{"123.9", 123}, {"-5.5", -5}, {"0", 0}, {"1e30", 0}}) {
    WriteIni(GetSiteEstPath(t.env), std::string("[basic]\r\nElevation=") + text + "\r\n");
    TSiteEst site;
    ReadSiteEst(t.env, site);
    EXPECT_EQ(site.Elevation, expected) << text;
  }
}

TEST_F(SettingsFiles, UnreadableAndUnwritableFilesAreLoggedAndLeaveMemoryAlone) {
  ASSERT_TRUE(EnsureFolders(t.env));
  // A folder where the file should be can be neither read nor written, even by root.
  std::filesystem::create_directories(GetRoomEstPath(t.env, 2));
  TRoomEst room;
  room.Name = "そのまま";
  EXPECT_FALSE(ReadRoomEst(t.env, 2, room));
  EXPECT_EQ(room.Name, "そのまま");
  EXPECT_FALSE(WriteRoomEst(t.env, 2, room));
  const std::string log = LogText();
  EXPECT_NE(log.find("Setting: 設定ファイルの読込失敗: " + GetRoomEstPath(t.env, 2) + ",\r\n"),
            std::string::npos);
  EXPECT_NE(log.find("Setting: 設定ファイルの書込失敗: " + GetRoomEstPath(t.env, 2) + ",\r\n"),
            std::string::npos);
  EXPECT_FALSE(ReadRoomEst(t.env, 6, room));
}

TEST_F(SettingsFiles, AFailedFolderCheckReadsNothing) {
  test::WriteFile(t.folder.Path() + "Sys", "not a folder");
  TSiteEst site;
  site.Latitude = 1;
  EXPECT_FALSE(ReadSiteEst(t.env, site));
  EXPECT_EQ(site.Latitude, 1);
}

}  // namespace
}  // namespace velk
