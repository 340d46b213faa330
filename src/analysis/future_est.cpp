// SPDX-License-Identifier: MIT
#include "analysis/future_est.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "base/date_format.h"
#include "base/number_format.h"
#include "settings/ini_file.h"
#include "store/system_log.h"

namespace velk {
namespace {

struct TDayKindEntry {
  int32_t Code;
  const char* Name;
};

const TDayKindEntry kDayKinds[] = {
    {1, "最新日"},    {6, "栽培開始日"}, {9, "栽培終了日"},  {11, "播種日"},
    {12, "定植日"},   {21, "発芽日"},    {22, "本葉出芽日"}, {23, "花芽出芽日"},
    {24, "開花日"},   {25, "着果日"},    {41, "害虫発生日"}, {45, "病害発生日"},
    {51, "接ぎ木日"}, {52, "葉かき日"},  {53, "芽かき日"},   {54, "摘芯日"},
    {55, "摘果日"},   {61, "収穫日"},    {71, "防除作業日"},
};

constexpr char kSection[] = "FutureEst";

std::string Key(const char* name, int panel) {
  return name + std::to_string(panel);
}

}  // namespace

void SetDefaultFutureEst(TDateTime now, TFutureEst (&est)[kFuturePanels]) {
  for (TFutureEst& e : est) {
    e = TFutureEst{};
    e.BDay = now;
    e.MDay = now;
  }
}

void ClearFutureResult(TFutureResult& result) {
  std::memset(&result, 0, sizeof result);
}

const char* DayKindName(int32_t code) {
  for (const TDayKindEntry& k : kDayKinds) {
    if (k.Code == code) return k.Name;
  }
  return nullptr;
}

std::string RefDayText(int32_t kind, TDateTime day) {
  const std::string date = FormatDateTime(kFmtJpDate, day);
  const char* name = DayKindName(kind);
  return name ? std::string(name) + ":" + date : date;
}

std::string FutureDateText(TDateTime t) {
  const TDateParts p = DecodeDateTime(t);
  std::string out = FormatShortDate(t);
  if (p.Hour == 0 && p.Minute == 0 && p.Second == 0) return out;
  char buf[16];
  std::snprintf(buf, sizeof buf, " %d:%02d:%02d", p.Hour, p.Minute, p.Second);
  return out + buf;
}

bool SaveFutureEst(const TAppEnv& env, const std::string& path,
                   const TFutureEst (&est)[kFuturePanels]) {
  TIniFile ini;
  if (!ini.Load(path)) {
    WriteSystemLog(env, "Future: 設定保存異常: " + path);
    return false;
  }
  for (int p = 0; p < kFuturePanels; ++p) {
    const TFutureEst& e = est[p];
    ini.Write(kSection, Key("Target", p), std::to_string(e.Target));
    ini.Write(kSection, Key("BEvent", p), std::to_string(e.BEvent));
    ini.Write(kSection, Key("BDay", p), FutureDateText(e.BDay));
    ini.Write(kSection, Key("MEvent", p), std::to_string(e.MEvent));
    ini.Write(kSection, Key("MDay", p), FutureDateText(e.MDay));
    ini.Write(kSection, Key("LaterDays", p), std::to_string(e.LaterDays));
    ini.Write(kSection, Key("OverVal", p), FormatFloat(e.OverVal));
    ini.Write(kSection, Key("Base", p), e.Base ? FormatFloat(*e.Base) : std::string());
  }
  if (ini.Save(path)) return true;
  WriteSystemLog(env, "Future: 設定保存異常: " + path);
  return false;
}

bool LoadFutureEst(const TAppEnv& env, const std::string& path, TFutureEst (&est)[kFuturePanels]) {
  TIniFile ini;
  if (!ini.Load(path)) {
    WriteSystemLog(env, "Future: 設定読込異常: " + path);
    return false;
  }
  SetDefaultFutureEst(env.Now(), est);
  for (int p = 0; p < kFuturePanels; ++p) {
    TFutureEst& e = est[p];
    auto readInt = [&](const char* name, int32_t& field) {
      int32_t v;
      const auto text = ini.Read(kSection, Key(name, p));
      if (text && TryParseInt(*text, v)) field = v;
    };
    auto readDate = [&](const char* name, TDateTime& field) {
      TDateTime v;
      const auto text = ini.Read(kSection, Key(name, p));
      // Only calendar dates the views can show; a time alone is no reference day.
      if (text && text->find('/') != std::string::npos && ParseDateTimeText(*text, v) && v > 0)
        field = v;
    };
    readInt("Target", e.Target);
    readInt("BEvent", e.BEvent);
    readDate("BDay", e.BDay);
    readInt("MEvent", e.MEvent);
    readDate("MDay", e.MDay);
    int32_t later = e.LaterDays;
    readInt("LaterDays", later);
    e.LaterDays = static_cast<uint16_t>(later);
    double v;
    if (const auto text = ini.Read(kSection, Key("OverVal", p)); text && TryParseFloat(*text, v))
      e.OverVal = v;
    if (const auto text = ini.Read(kSection, Key("Base", p)); text && TryParseFloat(*text, v))
      e.Base = v;
  }
  return true;
}

}  // namespace velk
