// SPDX-License-Identifier: MIT
#include "store/stores.h"

namespace velk {

TStores::TStores() {
  for (TRoomDatPtr& p : RoomDat) p = NewRoomDat();
}

}  // namespace velk
