// SPDX-License-Identifier: MIT
// The node simulator's datagrams as the receiver takes them.
#include <gtest/gtest.h>

#include <cstdio>

#include "acquisition/ccm_parser.h"
#include "ccm_text.h"
#include "greenhouse_model.h"
#include "settings/settings_files.h"
#include "store/system_log.h"
#include "support/test_env.h"

namespace velk {
namespace {

struct NodeSim : ::testing::Test {
  NodeSim() {
    EnsureFolders(t.env);
    for (int slot = 0; slot < kRoomSlots; ++slot) SetDefaultRoomEst(slot, rooms[slot]);
    rooms[2].Use = kUseCultivating;  // room 2, region 0, order 0
    ClearCCMTable(table);
    SetupCCMTable(table, rooms);
    rx.Env = &t.env;
    rx.Table = &table;
  }
  test::TestEnv t;
  TRoomEst rooms[kRoomSlots];
  TLiveValueTable table;
  TCCMReceiver rx;
};

TEST_F(NodeSim, EveryDefaultItemReachesItsCellAndMalformedOnesReachNone) {
  sim::TGreenhouseModel model(3);
  const sim::TCCMAddress address{2, 0, 0, 15};
  for (int kind = 0; kind < sim::kMalformedKinds; ++kind) {
    ReceiveCCM(
        rx, "127.0.0.1",
        sim::BuildMalformedCCM(kind, rooms[2].Data[kAirTemperature].CCM, address, "1.2.3.4"));
  }
  EXPECT_EQ(table.Cell[2][kAirTemperature].Valid, 0);
  for (int item = 0; item < kItemCount; ++item) {
    char value[32];
    std::snprintf(value, sizeof value, "%.*f", sim::TGreenhouseModel::Decimals(item),
                  model.Value(item, 13.0));
    ReceiveCCM(rx, "127.0.0.1",
               sim::BuildDataCCM(rooms[2].Data[item].CCM, address, value, "127.0.0.1"));
    EXPECT_EQ(table.Cell[2][item].Valid, 1) << item;
    EXPECT_DOUBLE_EQ(table.Cell[2][item].Value, std::stod(value)) << item;
  }
  EXPECT_EQ(rx.RecvCounter, sim::kMalformedKinds + kItemCount);
}

TEST(GreenhouseModel, ValuesFollowTheDay) {
  sim::TGreenhouseModel model;
  const auto at = [&](int item, double hour) { return model.Value(item, hour); };
  EXPECT_EQ(at(kSolarRadiation, 2.0), 0.0);
  EXPECT_GT(at(kSolarRadiation, 12.0), 0.6);
  EXPECT_GT(at(kAirTemperature, 14.0), at(kAirTemperature, 4.0) + 10.0);
  EXPECT_LT(at(kHumidity, 14.0), at(kHumidity, 4.0) - 10.0);
  EXPECT_LT(at(kCO2, 12.0), at(kCO2, 0.0) - 200.0);
  EXPECT_LT(at(kDewPoint, 14.0), at(kAirTemperature, 14.0));
  for (double hour = 0; hour < 24.0; hour += 0.25) {
    EXPECT_GE(at(kHumidity, hour), 0.0);
    EXPECT_LE(at(kHumidity, hour), 100.0);
    EXPECT_GE(at(kWindSpeed, hour), 0.0);
    EXPECT_GT(at(kHumidityDeficit, hour), 0.0);
  }
}

}  // namespace
}  // namespace velk
