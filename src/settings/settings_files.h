// SPDX-License-Identifier: MIT
// The site file RUDERADO.ini and the room files RoomEst<N>.ini in the system folder.
#pragma once

#include <string>

#include "base/app_env.h"
#include "settings/site_est.h"
#include "store/room_data.h"

namespace velk {

struct TStores;

std::string GetSiteEstPath(const TAppEnv& env);
std::string GetRoomEstPath(const TAppEnv& env, int slot);

// The configuration that stands for slot N: not used, named 栽培室N, room N, the default items.
void SetDefaultRoomEst(int slot, TRoomEst& room);

// Each returns false after a logged failure (or a failed folder check); the in-memory values
// keep what they held for everything not read.
bool ReadSiteEst(const TAppEnv& env, TSiteEst& site);
bool WriteSiteEst(const TAppEnv& env, const TSiteEst& site);
// Slots 6 and up do nothing (and return false).
bool ReadRoomEst(const TAppEnv& env, int slot, TRoomEst& room);
bool WriteRoomEst(const TAppEnv& env, int slot, const TRoomEst& room);

void ReadAllEst(const TAppEnv& env, TStores& stores);
void WriteAllEst(const TAppEnv& env, const TStores& stores);

}  // namespace velk
