// SPDX-License-Identifier: MIT
// The one operation that adds a memo or a cultivation event to a room slot's event list.
#pragma once

#include "base/app_env.h"
#include "store/stores.h"

namespace velk {

// Moves positions 0 to 498 one place up (the entry at 499 is lost), puts `event` at position 0,
// recounts Count and appends the event to the monthly file of its month. True whatever the file
// write reports; false, with nothing changed, for a slot outside 0 to 5.
bool AddEvent(TStores& stores, const TAppEnv& env, int slot, const TEventBase& event);

}  // namespace velk
