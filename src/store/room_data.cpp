// SPDX-License-Identifier: MIT
#include "store/room_data.h"

#include <cstdlib>
#include <new>

namespace velk {

void ClearRecord(TRecDat& record) {
  record.Time = 0;
  for (TItemStat& cell : record.Item) cell = TItemStat{0, 0, 0, 0};
}

void ClearRoomRecords(TRoomDat& store) {
  for (TRecDat& r : store.Rec) ClearRecord(r);
  for (TRecDat& r : store.Day) ClearRecord(r);
}

void ClearRoomEvents(TRoomEventDat& events) {
  events.Count = 0;
  for (TEventBase& e : events.Event) e = TEventBase{};
}

void TRoomDatDeleter::operator()(TRoomDat* p) const {
  std::free(p);
}

TRoomDatPtr NewRoomDat() {
  // TRoomDat is plain data: calloc gives all-zero records without touching every page.
  void* block = std::calloc(1, sizeof(TRoomDat));
  if (!block) throw std::bad_alloc();
  return TRoomDatPtr(static_cast<TRoomDat*>(block));
}

}  // namespace velk
