// SPDX-License-Identifier: MIT
#include "analysis/cond_files.h"

#include <cmath>
#include <limits>

#include "base/file_io.h"
#include "base/number_format.h"
#include "base/text_encoding.h"
#include "settings/ini_file.h"
#include "store/system_log.h"

namespace velk {
namespace {

constexpr char kSection[] = "ConditionEst";

std::string Key(const char* name, int index) {
  return name + std::to_string(index);
}

int32_t ReadInt(const TIniFile& ini, const std::string& key, int32_t def) {
  int32_t out;
  const auto v = ini.Read(kSection, key);
  return v && TryParseInt(*v, out) ? out : def;
}

float ReadSingle(const TIniFile& ini, const std::string& key, float def) {
  float out;
  const auto v = ini.Read(kSection, key);
  return v && ReadSingleText(*v, out) ? out : def;
}

}  // namespace

bool ReadSingleText(std::string_view text, float& out) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  double v;
  if (!TryParseFloat(text, v)) return false;
  constexpr double kMax = std::numeric_limits<float>::max();
  // Half a unit in the last place above the largest float: what still rounds to it.
  constexpr double kRoundsToMax = kMax + 0x1p103;
  if (std::fabs(v) >= kRoundsToMax) return false;
  const float maxF = std::numeric_limits<float>::max();
  out = std::fabs(v) > kMax ? (v > 0 ? maxF : -maxF) : static_cast<float>(v);
  return true;
}

bool SaveCondEst(const TAppEnv& env, const std::string& path, const TCondEst& cond) {
  TIniFile ini;
  if (!ini.Load(path)) {
    WriteSystemLog(env, "Condition: 設定ファイル保存失敗: " + path);
    return false;
  }
  ini.Write(kSection, "Name", cond.Name);
  for (int c = 0; c < kCondCount; ++c) {
    ini.Write(kSection, Key("Use", c), cond.Use[c] ? "1" : "0");
    ini.Write(kSection, Key("Target", c), std::to_string(cond.Target[c]));
    ini.Write(kSection, Key("CndA", c), std::to_string(cond.CndA[c]));
    ini.Write(kSection, Key("Judge", c), std::to_string(cond.Judge[c]));
    ini.Write(kSection, Key("Value_L", c), FormatSingle(cond.Value_L[c]));
    ini.Write(kSection, Key("Value_H", c), FormatSingle(cond.Value_H[c]));
  }
  ini.Write(kSection, "CndB", std::to_string(cond.CndB));
  ini.Write(kSection, "TimeVal", std::to_string(cond.TimeVal));
  if (ini.Save(path)) return true;
  WriteSystemLog(env, "Condition: 設定ファイル保存失敗: " + path);
  return false;
}

bool LoadCondEst(const TAppEnv& env, const std::string& path, TCondEst& cond) {
  TIniFile ini;
  if (!ini.Load(path)) {
    WriteSystemLog(env, "Condition: 設定ファイル読込失敗: " + path);
    return false;
  }
  const TCondEst def;
  TCondEst out;
  out.Name = ini.Read(kSection, "Name").value_or(def.Name);
  for (int c = 0; c < kCondCount; ++c) {
    out.Use[c] = ReadInt(ini, Key("Use", c), def.Use[c] ? 1 : 0) != 0;
    out.Target[c] = ReadInt(ini, Key("Target", c), def.Target[c]);
    out.CndA[c] = ReadInt(ini, Key("CndA", c), def.CndA[c]);
    out.Judge[c] = ReadInt(ini, Key("Judge", c), def.Judge[c]);
    out.Value_L[c] = ReadSingle(ini, Key("Value_L", c), def.Value_L[c]);
    out.Value_H[c] = ReadSingle(ini, Key("Value_H", c), def.Value_H[c]);
  }
  out.CndB = ReadInt(ini, "CndB", def.CndB);
  out.TimeVal = static_cast<uint16_t>(ReadInt(ini, "TimeVal", def.TimeVal));
  cond = std::move(out);
  return true;
}

std::vector<std::string> CondResultFileLines(const TCondEst& held, const TCondShown& shown,
                                             const std::vector<std::string>& resultLines) {
  std::vector<std::string> lines = {"【条件結果記録】", "", "=== 算出条件 ==="};
  for (int c = 0; c < kCondCount; ++c) {
    const TCondShownTexts& s = shown.Cond[c];
    lines.push_back("");
    lines.push_back("- 条件" + std::to_string(c + 1) + "----");
    lines.push_back(held.Use[c] ? "有効" : "無効");
    lines.push_back("対象:" + s.Item);
    lines.push_back("対象:" + s.Item);
    lines.push_back("比較:" + s.Compare);
    lines.push_back("判定:" + s.Judge);
    lines.push_back("数値1:" + s.Low);
    lines.push_back("数値2:" + s.High);
  }
  lines.push_back("");
  lines.push_back("- 継続条件 ----");
  lines.push_back("継続：" + shown.Duration);
  lines.push_back("時間：" + shown.TimeVal);
  lines.push_back("");
  lines.push_back("=== 算出結果 ===");
  lines.insert(lines.end(), resultLines.begin(), resultLines.end());
  return lines;
}

bool SaveCondResults(const TAppEnv& env, const std::string& path,
                     const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) {
    text += line;
    text += "\r\n";
  }
  if (WriteWholeFile(path, Utf8ToCp932(text))) return true;
  WriteSystemLog(env, "Condition: 結果ファイル出力失敗: " + path);
  return false;
}

}  // namespace velk
