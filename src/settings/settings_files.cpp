// SPDX-License-Identifier: MIT
#include "settings/settings_files.h"

#include <cmath>

#include "base/date_format.h"
#include "base/number_format.h"
#include "settings/ini_file.h"
#include "store/stores.h"
#include "store/system_log.h"

namespace velk {
namespace {

struct TDefaultItem {
  const char* Name;
  uint8_t Dec;
  const char* Unit;
  const char* CCM;
};

const TDefaultItem kDefaultItems[kItemCount] = {
    {"日射量", 2, "kW/㎡(MJ)", "InRadiation"},
    {"気温", 1, "℃", "InAirTemp"},
    {"湿度", 1, "％", "InAirHumid"},
    {"CO2濃度", 0, "ppm", "InCO2Dens"},
    {"飽差", 3, "g/kg", "InAirSatuDef.mIA"},
    {"結露温度", 1, "℃", "InAirDewTemp.mIA"},
    {"水蒸気量", 3, "g/kg", "InAirHumidSH.mIA"},
    {"地温", 1, "℃", "SoilTemp.mIA"},
    {"土壌水分", 1, "%", "SoilMoisture"},
    {"風速", 2, "m/s", "InWindSpeed.mIA"},
};

const char kReadFailure[] = "Setting: 設定ファイルの読込失敗: ";
const char kWriteFailure[] = "Setting: 設定ファイルの書込失敗: ";

// Readers with the defaults of the fields: a missing key or a value that does not read keeps them.
class TIniReader {
 public:
  explicit TIniReader(const TIniFile& ini) : ini_(ini) {}

  std::string Text(const char* section, const std::string& key, const std::string& def) const {
    const auto v = ini_.Read(section, key);
    return v ? *v : def;
  }
  int32_t Int(const char* section, const std::string& key, int32_t def) const {
    int32_t out;
    const auto v = ini_.Read(section, key);
    return v && TryParseInt(*v, out) ? out : def;
  }
  double Float(const char* section, const std::string& key, double def) const {
    double out;
    const auto v = ini_.Read(section, key);
    return v && TryParseFloat(*v, out) ? out : def;
  }
  double Date(const char* section, const std::string& key, double def) const {
    double out;
    const auto v = ini_.Read(section, key);
    return v && ParseDateText(*v, out) ? out : def;
  }

 private:
  const TIniFile& ini_;
};

std::string Key(const char* name, int index) {
  return name + std::to_string(index);
}

std::string IntText(int64_t v) {
  return std::to_string(v);
}

// A number truncated toward zero and kept in its low 16 bits (as a 16-bit field holds it).
int16_t TruncToInt16(double v, int16_t def) {
  if (!std::isfinite(v) || std::fabs(v) >= 9.0e18) return def;
  return static_cast<int16_t>(static_cast<int64_t>(v));
}

bool LoadForWrite(const TAppEnv& env, const std::string& path, TIniFile& ini) {
  if (!ini.Load(path)) {
    WriteSystemLog(env, kWriteFailure + path);
    return false;
  }
  return true;
}

bool SaveIni(const TAppEnv& env, const std::string& path, const TIniFile& ini) {
  if (ini.Save(path)) return true;
  WriteSystemLog(env, kWriteFailure + path);
  return false;
}

}  // namespace

std::string GetSiteEstPath(const TAppEnv& env) {
  return GetSysFolder(env) + kPathSep + "RUDERADO.ini";
}

std::string GetRoomEstPath(const TAppEnv& env, int slot) {
  return GetSysFolder(env) + kPathSep + "RoomEst" + std::to_string(slot) + ".ini";
}

void SetDefaultRoomEst(int slot, TRoomEst& room) {
  room.Use = kUseNone;
  room.Name = "栽培室" + std::to_string(slot);
  room.Room = static_cast<int16_t>(slot);
  room.Region = 0;
  room.Order = 0;
  for (int i = 0; i < kItemCount; ++i) {
    TDataEst& d = room.Data[i];
    d.Name = kDefaultItems[i].Name;
    d.Dec = kDefaultItems[i].Dec;
    d.Unit = kDefaultItems[i].Unit;
    d.CCM = kDefaultItems[i].CCM;
    d.Room = d.Region = d.Order = 0;
    d.UpperLimit = d.LowerLimit = 0.0;
  }
  room.BeginDate = 0.0;
}

bool ReadSiteEst(const TAppEnv& env, TSiteEst& site) {
  if (!EnsureFolders(env)) return false;
  const std::string path = GetSiteEstPath(env);
  TIniFile ini;
  if (!ini.Load(path)) {
    WriteSystemLog(env, kReadFailure + path);
    return false;
  }
  const TIniReader r(ini);
  const TSiteEst def;
  site.Latitude = r.Float("basic", "Latitude", def.Latitude);
  site.Longitude = r.Float("basic", "Longitude", def.Longitude);
  site.Elevation = TruncToInt16(r.Float("basic", "Elevation", def.Elevation), def.Elevation);
  site.DayBreak = r.Int("basic", "DayBreak", def.DayBreak);
  return true;
}

bool WriteSiteEst(const TAppEnv& env, const TSiteEst& site) {
  if (!EnsureFolders(env)) return false;
  const std::string path = GetSiteEstPath(env);
  TIniFile ini;
  if (!LoadForWrite(env, path, ini)) return false;
  ini.Write("basic", "Latitude", FormatFloat(site.Latitude));
  ini.Write("basic", "Longitude", FormatFloat(site.Longitude));
  ini.Write("basic", "Elevation", FormatFloat(static_cast<double>(site.Elevation)));
  ini.Write("basic", "DayBreak", IntText(site.DayBreak));
  return SaveIni(env, path, ini);
}

bool ReadRoomEst(const TAppEnv& env, int slot, TRoomEst& room) {
  if (slot < 0 || slot >= kRoomSlots) return false;
  if (!EnsureFolders(env)) return false;
  const std::string path = GetRoomEstPath(env, slot);
  TIniFile ini;
  if (!ini.Load(path)) {
    WriteSystemLog(env, kReadFailure + path);
    return false;
  }
  TRoomEst def;
  SetDefaultRoomEst(slot, def);
  const TIniReader r(ini);
  TRoomEst out;
  out.Use = r.Int("basic", "Use", def.Use);
  out.Name = r.Text("basic", "Name", def.Name);
  out.Room = static_cast<int16_t>(r.Int("basic", "Room", def.Room));
  out.Region = static_cast<int16_t>(r.Int("basic", "Region", def.Region));
  out.Order = static_cast<int16_t>(r.Int("basic", "Order", def.Order));
  for (int i = 0; i < kItemCount; ++i) {
    const TDataEst& dd = def.Data[i];
    TDataEst& d = out.Data[i];
    d.Name = r.Text("data", Key("Name", i), dd.Name);
    d.Dec = static_cast<uint8_t>(r.Int("data", Key("Dec", i), dd.Dec));
    d.Unit = r.Text("data", Key("Unit", i), dd.Unit);
    d.CCM = r.Text("data", Key("CCM", i), dd.CCM);
    d.Room = static_cast<int16_t>(r.Int("data", Key("Room", i), dd.Room));
    d.Region = static_cast<int16_t>(r.Int("data", Key("Region", i), dd.Region));
    d.Order = static_cast<int16_t>(r.Int("data", Key("Order", i), dd.Order));
    d.UpperLimit = r.Float("data", Key("UpperLimit", i), dd.UpperLimit);
    d.LowerLimit = r.Float("data", Key("LowerLimit", i), dd.LowerLimit);
  }
  out.BeginDate = r.Date("growth", "BeginDate", def.BeginDate);
  room = std::move(out);
  return true;
}

bool WriteRoomEst(const TAppEnv& env, int slot, const TRoomEst& room) {
  if (slot < 0 || slot >= kRoomSlots) return false;
  if (!EnsureFolders(env)) return false;
  const std::string path = GetRoomEstPath(env, slot);
  TIniFile ini;
  if (!LoadForWrite(env, path, ini)) return false;
  ini.Write("basic", "Use", IntText(room.Use));
  ini.Write("basic", "Name", room.Name);
  ini.Write("basic", "Room", IntText(room.Room));
  ini.Write("basic", "Region", IntText(room.Region));
  ini.Write("basic", "Order", IntText(room.Order));
  for (int i = 0; i < kItemCount; ++i) {
    const TDataEst& d = room.Data[i];
    ini.Write("data", Key("Name", i), d.Name);
    ini.Write("data", Key("Dec", i), IntText(d.Dec));
    ini.Write("data", Key("Unit", i), d.Unit);
    ini.Write("data", Key("CCM", i), d.CCM);
    ini.Write("data", Key("Room", i), IntText(d.Room));
    ini.Write("data", Key("Region", i), IntText(d.Region));
    ini.Write("data", Key("Order", i), IntText(d.Order));
    ini.Write("data", Key("UpperLimit", i), FormatFloat(d.UpperLimit));
    ini.Write("data", Key("LowerLimit", i), FormatFloat(d.LowerLimit));
  }
  ini.Write("growth", "BeginDate", FormatShortDate(room.BeginDate));
  return SaveIni(env, path, ini);
}

void ReadAllEst(const TAppEnv& env, TStores& stores) {
  ReadSiteEst(env, stores.SiteEst);
  for (int n = 0; n < kRoomSlots; ++n) ReadRoomEst(env, n, stores.RoomEst[n]);
}

void WriteAllEst(const TAppEnv& env, const TStores& stores) {
  WriteSiteEst(env, stores.SiteEst);
  for (int n = 0; n < kRoomSlots; ++n) WriteRoomEst(env, n, stores.RoomEst[n]);
}

}  // namespace velk
