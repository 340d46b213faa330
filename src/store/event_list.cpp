// SPDX-License-Identifier: MIT
#include "store/event_list.h"

#include <utility>

namespace velk {

bool InsertEventByDate(TRoomEventDat& events, const TEventBase& event) {
  // At most 500 entries: the plain scan is cheap enough.
  for (int p = kEventCount - 1; p >= 1; --p) {
    if (events.Event[p].Date == 0) {
      events.Event[p] = event;
      return true;
    }
    if (events.Event[p].Date > event.Date) {
      for (int k = 1; k <= p; ++k) events.Event[k - 1] = std::move(events.Event[k]);
      events.Event[p] = event;
      return true;
    }
  }
  return false;
}

void PackEvents(TRoomEventDat& events) {
  int next = 0;
  for (int p = 0; p < kEventCount; ++p) {
    if (events.Event[p].Date == 0) continue;
    if (p != next) {
      events.Event[next] = std::move(events.Event[p]);
      events.Event[p] = TEventBase{};
    }
    ++next;
  }
  events.Count = next;
}

}  // namespace velk
