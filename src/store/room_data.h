// SPDX-License-Identifier: MIT
// The measurement, configuration and event records of the six room slots.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace velk {

constexpr int kRoomSlots = 6;  // slot 0: imported file data; slots 1 to 5: configured rooms
constexpr int kItemCount = 10;
constexpr int kRingSize = 105'120;  // 365 days × 288 five-minute periods
constexpr int kRingLast = kRingSize - 1;
constexpr int kDayCount = 365;
constexpr int kEventCount = 500;

// Item indices in their fixed order.
enum TItemIndex : int {
  kSolarRadiation = 0,
  kAirTemperature,
  kHumidity,
  kCO2,
  kHumidityDeficit,
  kDewPoint,
  kAbsoluteHumidity,
  kSoilTemperature,
  kSoilMoisture,
  kWindSpeed,
};

// Statistics of one item in one record; the values mean nothing while Valid is 0.
struct TItemStat {
  uint8_t Valid;
  float Avg;
  float Max;
  float Min;
};

// One live, 5-minute or daily record. Time 0 means an empty record, whatever the cells hold.
struct TRecDat {
  double Time;
  TItemStat Item[kItemCount];
};

// Avg of the earliest and the latest valid 5-minute record of one day, per item.
struct TDayEdge {
  float Start[kItemCount];
  float End[kItemCount];
};

// The store of one room slot. Rec is a shift register by age: position 0 is the live record,
// position k the k-th most recent 5-minute record. Day[0] is the newest date; Edge[d] belongs
// to Day[d].
struct TRoomDat {
  double FirstTime;
  double LastTime;
  TRecDat Rec[kRingSize];
  TRecDat Day[kDayCount];
  TDayEdge Edge[kDayCount];
};

struct TRoomInfo {
  double StartDate;
  double LastDate;
  double Sunrise;  // fraction of a day, local time
  double Sunset;
  int32_t RecCount;
};

// Default sun times: single-precision constants widened, shown as 06:32 and 16:47.
inline constexpr double kDefaultSunrise = static_cast<double>(0.27222222f);
inline constexpr double kDefaultSunset = static_cast<double>(0.7f);

struct TDataEst {
  std::string Name;
  uint8_t Dec = 0;
  std::string Unit;
  std::string CCM;
  int16_t Room = 0;
  int16_t Region = 0;
  int16_t Order = 0;
  double UpperLimit = 0;
  double LowerLimit = 0;
};

// Cultivation states of TRoomEst::Use.
enum TRoomUse : int32_t { kUseNone = 0, kUsePaused = 1, kUseCultivating = 2 };

struct TRoomEst {
  int32_t Use = 0;
  std::string Name;
  int16_t Room = 0;
  int16_t Region = 0;
  int16_t Order = 0;
  TDataEst Data[kItemCount];
  double BeginDate = 0;
};

struct TEventBase {
  double Date = 0;  // 0 = empty entry
  std::string Text;
  int32_t Reserved[5] = {0, 0, 0, 0, 0};
};

// Entries packed towards position 0, newest first; readers go by a non-zero Date, not Count.
struct TRoomEventDat {
  int32_t Count = 0;
  TEventBase Event[kEventCount];
};

void ClearRecord(TRecDat& record);
// Clears every record of Rec and Day; FirstTime, LastTime and Edge stay.
void ClearRoomRecords(TRoomDat& store);
void ClearRoomEvents(TRoomEventDat& events);

// A zeroed room store on the heap (about 17.7 MB; zero pages are only touched when written).
struct TRoomDatDeleter {
  void operator()(TRoomDat* p) const;
};
using TRoomDatPtr = std::unique_ptr<TRoomDat, TRoomDatDeleter>;
TRoomDatPtr NewRoomDat();

}  // namespace velk
