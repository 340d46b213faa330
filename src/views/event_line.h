// SPDX-License-Identifier: MIT
// The one-line form of an event in the memo list and in the day selection results.
#pragma once

#include <string>

#include "store/room_data.h"

namespace velk {

// "yyyy/mm/dd | text": the date, a space, a vertical bar, a space and the text.
std::string EventListLine(const TEventBase& event);

}  // namespace velk
