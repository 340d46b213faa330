// SPDX-License-Identifier: MIT
#include "history_model.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <numbers>
#include <random>

#include "base/date_format.h"
#include "base/file_io.h"
#include "base/text_encoding.h"
#include "store/month_files.h"
#include "store/record_csv.h"
#include "store/record_ring.h"

namespace velk::hist {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr int kPeriodsPerDay = 288;

double Radians(double degrees) {
  return degrees * kPi / 180.0;
}

// Saturation vapour pressure over water in hPa (Magnus form).
double SaturationPressure(double celsius) {
  return 6.112 * std::exp(17.62 * celsius / (243.12 + celsius));
}

// Mixing ratio in g/kg of air at sea-level pressure.
double MixingRatio(double hPa) {
  return 622.0 * hPa / (1013.25 - hPa);
}

double Round(double value, double step) {
  return std::round(value / step) * step;
}

// The greenhouse, stepped one minute at a time.
class TGreenhouse {
 public:
  TGreenhouse(uint32_t seed, double latitude) : rng_(seed), latitude_(Radians(latitude)) {}

  // The readings of the ten items at minute `t`, at sensor resolution.
  void Step(TDateTime t, double (&out)[kItemCount]) {
    const TDateTime date = DateOf(t);
    if (date != date_) StartDay(date);
    const double hour = (t - date) * 24.0;
    const TDateParts parts = DecodeDateTime(t);
    const double dayOfYear = date - EncodeDate(parts.Year, 1, 1);

    // Sun: declination and hour angle give the elevation; clouds come and go within the day.
    const double declination = Radians(23.44) * std::sin(2 * kPi * (284 + dayOfYear) / 365.0);
    const double hourAngle = Radians((hour - 12.0) * 15.0);
    const double sinElevation = std::sin(latitude_) * std::sin(declination) +
                                std::cos(latitude_) * std::cos(declination) * std::cos(hourAngle);
    cloudWobble_ = 0.97 * cloudWobble_ + 0.03 * (Uniform() - 0.5) * 2.0;
    const double clearness =
        std::clamp(clearness_ + (1.0 - clearness_) * 0.6 * cloudWobble_, 0.1, 1.0);
    const double solar =
        sinElevation > 0 ? 0.78 * std::pow(sinElevation, 1.15) * clearness : 0.0;  // kW/m²

    // Outside air with a seasonal and a daily swing; the house gains from the sun, vents above
    // 27 ℃ and is heated to 12 ℃.
    outsideNoise_ = 0.995 * outsideNoise_ + 0.05 * (Uniform() - 0.5);
    const double outside = 15.5 - 10.0 * std::cos(2 * kPi * (dayOfYear - 25) / 365.0) +
                           (2.5 + 4.0 * clearness_) * std::sin(2 * kPi * (hour - 9.0) / 24.0) +
                           outsideNoise_;
    double inside = outside + 2.0 + 15.0 * solar;
    const bool venting = inside > 27.0;
    if (venting) inside = 27.0 + (inside - 27.0) * 0.35;
    inside = std::max(inside, 12.0);
    air_ += (inside - air_) * 0.08;
    const double temperature = air_ + (Uniform() - 0.5) * 0.2;

    // Humidity falls as the air warms and the sun dries it; moisture follows.
    const double humidTarget = std::clamp(90.0 - 28.0 * solar - 1.4 * (air_ - 14.0), 32.0, 98.0);
    humidity_ += (humidTarget - humidity_) * 0.05;
    const double humidity = std::clamp(humidity_ + (Uniform() - 0.5) * 1.0, 20.0, 99.9);
    const double vapour = humidity / 100.0 * SaturationPressure(temperature);
    const double deficit = MixingRatio(SaturationPressure(temperature)) - MixingRatio(vapour);
    const double lnRatio = std::log(vapour / 6.112);
    const double dewPoint = 243.12 * lnRatio / (17.62 - lnRatio);

    // The crop takes up CO2 in daylight and breathes it out at night; venting brings in outside
    // air.
    double co2Target = solar > 0.02 ? 430.0 - 200.0 * std::min(solar / 0.5, 1.0) : 680.0;
    if (venting) co2Target = 0.5 * co2Target + 0.5 * 410.0;
    co2_ += (co2Target - co2_) * (solar > 0.02 ? 0.04 : 0.006);
    const double co2 = co2_ + (Uniform() - 0.5) * 12.0;

    // Soil: temperature lags the air by hours; moisture dries with the sun and jumps at watering.
    soilTemp_ += (air_ - soilTemp_) / 700.0;
    moisture_ -= 0.0012 + 0.011 * solar;
    if (watering_ > 0) {
      moisture_ += 0.9;
      --watering_;
    } else if (parts.Hour == 8 && parts.Minute == 0 && moisture_ < 24.0) {
      watering_ = 15 + static_cast<int>(Uniform() * 5);
    }
    moisture_ = std::clamp(moisture_, 8.0, 45.0);

    gust_ = 0.9 * gust_ + 0.1 * (Uniform() - 0.5) * 2.0;
    const double wind =
        std::clamp(0.15 + 0.9 * solar + (venting ? 0.6 : 0.0) + 0.5 * gust_, 0.0, 3.0);

    out[kSolarRadiation] = Round(solar, 0.001);
    out[kAirTemperature] = Round(temperature, 0.1);
    out[kHumidity] = Round(humidity, 0.1);
    out[kCO2] = Round(co2, 1);
    out[kHumidityDeficit] = Round(deficit, 0.01);
    out[kDewPoint] = Round(dewPoint, 0.1);
    out[kAbsoluteHumidity] = Round(MixingRatio(vapour), 0.01);
    out[kSoilTemperature] = Round(soilTemp_ + (Uniform() - 0.5) * 0.05, 0.1);
    out[kSoilMoisture] = Round(moisture_, 0.1);
    out[kWindSpeed] = Round(wind, 0.01);
  }

  // Starts the state near the season's values so the first day looks settled.
  void Settle(TDateTime t) {
    const TDateParts parts = DecodeDateTime(t);
    const double dayOfYear = DateOf(t) - EncodeDate(parts.Year, 1, 1);
    air_ = std::max(12.0, 15.5 - 10.0 * std::cos(2 * kPi * (dayOfYear - 25) / 365.0));
    soilTemp_ = air_ + 2.0;
  }

  double Uniform() { return static_cast<double>(rng_()) / 4294967296.0; }

 private:
  void StartDay(TDateTime date) {
    date_ = date;
    clearness_ = std::clamp(0.55 * clearness_ + 0.45 * (0.15 + 0.95 * Uniform()), 0.15, 1.0);
  }

  std::mt19937 rng_;
  double latitude_;
  TDateTime date_ = 0;
  double clearness_ = 0.7;
  double cloudWobble_ = 0;
  double outsideNoise_ = 0;
  double air_ = 15;
  double humidity_ = 80;
  double co2_ = 450;
  double soilTemp_ = 16;
  double moisture_ = 32;
  int watering_ = 0;
  double gust_ = 0;
};

// Periods (indices into the record span) during which the recorder was off.
std::vector<bool> Outages(int periods, TGreenhouse& dice) {
  std::vector<bool> off(static_cast<size_t>(periods), false);
  const int lengths[] = {9, 72, 312, 864};          // 45 minutes, 6 hours, 26 hours, 3 days
  const int usable = periods - 2 * kPeriodsPerDay;  // the last two days stay complete
  for (int length : lengths) {
    if (usable <= length) continue;
    const int start = static_cast<int>(dice.Uniform() * (usable - length));
    for (int i = start; i < start + length; ++i) off[static_cast<size_t>(i)] = true;
  }
  return off;
}

struct TPlannedEvent {
  int Day;  // days after cultivation began
  int Hour, Minute;
  const char* Text;
};

const TPlannedEvent kCultivation[] = {
    {0, 9, 0, "栽培開始"},      {1, 10, 30, "定植日"},          {8, 16, 10, "活着を確認"},
    {21, 8, 40, "防除作業日"},  {34, 11, 5, "開花日"},          {45, 9, 20, "着果日"},
    {60, 17, 45, "換気扇点検"}, {80, 7, 30, "収穫日"},          {95, 7, 35, "収穫日"},
    {110, 7, 15, "収穫日"},     {150, 13, 0, "暖房機設定 12℃"}, {200, 10, 0, "摘芯日"},
};

}  // namespace

TDateTime FloorToPeriod(TDateTime t) {
  const int64_t ms = ToMilliseconds(t);
  const int64_t period = 5 * 60'000;
  return static_cast<double>(ms - ms % period) / static_cast<double>(kMsPerDay);
}

TRoomHistory GenerateRoomHistory(int slot, const THistoryOptions& options) {
  TRoomHistory out;
  const int periods = std::max(1, options.Days) * kPeriodsPerDay;
  const TDateTime end = FloorToPeriod(options.End);
  const TDateTime first = end - (periods - 1) * kPeriodDays;
  TGreenhouse house(options.Seed * 7919u + static_cast<uint32_t>(slot), options.Latitude);
  const std::vector<bool> off = options.Gaps
                                    ? Outages(periods, house)
                                    : std::vector<bool>(static_cast<size_t>(periods), false);

  // One day of warm-up so the slow states have settled when the first record closes.
  house.Settle(first);
  double sample[kItemCount];
  for (int m = 24 * 60; m > 4; --m) house.Step(first - m * kMinute, sample);

  out.Records.reserve(static_cast<size_t>(periods));
  for (int p = 0; p < periods; ++p) {
    const TDateTime time = first + p * kPeriodDays;
    TRecDat r{};
    r.Time = time;
    double sum[kItemCount] = {};
    double hi[kItemCount], lo[kItemCount];
    for (int s = 4; s >= 0; --s) {
      house.Step(time - s * kMinute, sample);
      for (int n = 0; n < kItemCount; ++n) {
        sum[n] += sample[n];
        hi[n] = s == 4 ? sample[n] : std::max(hi[n], sample[n]);
        lo[n] = s == 4 ? sample[n] : std::min(lo[n], sample[n]);
      }
    }
    if (off[static_cast<size_t>(p)]) continue;
    for (int n = 0; n < kItemCount; ++n) {
      r.Item[n] = TItemStat{1, static_cast<float>(sum[n] / 5.0), static_cast<float>(hi[n]),
                            static_cast<float>(lo[n])};
    }
    out.Records.push_back(r);
  }

  // Cultivation starts a tenth into the span (a day in at least) and runs to its end.
  const TDateTime begin = DateOf(first) + std::max(1, options.Days / 10);
  out.BeginDate = begin;
  for (const TPlannedEvent& e : kCultivation) {
    const TDateTime date = begin + e.Day + EncodeTime(e.Hour, e.Minute);
    if (date > end) break;
    out.Events.push_back(TEventBase{date, e.Text, {}});
  }
  return out;
}

TWriteResult WriteRoomHistory(const TAppEnv& env, int slot, const TRoomHistory& history,
                              const TRoomEst* csvRoom) {
  TWriteResult result;
  // Lines of each month in time order, events after the records they follow.
  std::map<std::string, std::string> months;
  size_t nextEvent = 0;
  auto addEvent = [&](const TEventBase& e) {
    std::string& text = months[GetMonthFilePath(env, slot, e.Date)];
    text += FormatMonthEventLine(e);
    text += "\r\n";
  };
  for (const TRecDat& r : history.Records) {
    while (nextEvent < history.Events.size() && history.Events[nextEvent].Date < r.Time) {
      addEvent(history.Events[nextEvent++]);
    }
    std::string& text = months[GetMonthFilePath(env, slot, r.Time)];
    if (text.empty()) text.reserve(3'000'000);
    text += FormatMonthRecordLine(r);
    text += "\r\n";
  }
  while (nextEvent < history.Events.size()) addEvent(history.Events[nextEvent++]);
  for (const auto& [path, text] : months) {
    if (WriteWholeFile(path, text)) {
      ++result.MonthFiles;
    } else {
      result.Ok = false;
    }
  }

  if (csvRoom) {
    std::string csv = FormatRecordCsvHeader(*csvRoom);
    for (const TRecDat& r : history.Records) {
      if (r.Time < history.BeginDate) continue;
      std::string memo;
      const TDateParts parts = DecodeDateTime(r.Time);
      if (parts.Hour == 23 && parts.Minute == 55) {
        // The day's events, newest first, each after one blank.
        for (auto e = history.Events.rbegin(); e != history.Events.rend(); ++e) {
          if (DateOf(e->Date) == DateOf(r.Time)) memo += " " + e->Text;
        }
      }
      csv += FormatRecordCsvLine(memo, r);
    }
    if (!WriteWholeFile(GetRecordCsvPath(env, slot), Utf8ToCp932(csv))) result.Ok = false;
  }
  return result;
}

}  // namespace velk::hist
