// SPDX-License-Identifier: MIT
#include "settings/room_state.h"

#include <stdexcept>

#include "settings/settings_files.h"
#include "store/record_csv.h"
#include "views/add_event.h"

namespace velk {
namespace {

void CheckRoom(int room) {
  if (room < 1 || room >= kRoomSlots) throw std::out_of_range("room " + std::to_string(room));
}

// The end of every change that goes through: controls taken, room saved, event recorded.
void FinishChange(TStores& stores, const TAppEnv& env, int room, const TRoomEdits& edits,
                  const std::string& event) {
  TakeRoomEst(stores, room, edits);
  WriteRoomEst(env, room, stores.RoomEst[room]);
  AddStateEvent(stores, env, room, event);
}

}  // namespace

int ListPosition(int16_t number) {
  return number >= 0 && number <= kMaxListNumber ? number : -1;
}

int16_t ListNumber(int position, int16_t previous) {
  return position >= 0 && position <= kMaxListNumber ? static_cast<int16_t>(position) : previous;
}

TRoomEdits RoomEditsOf(const TRoomEst& room) {
  return TRoomEdits{room.Name, ListPosition(room.Room), ListPosition(room.Region),
                    ListPosition(room.Order)};
}

void TakeRoomEst(TStores& stores, int room, const TRoomEdits& edits) {
  CheckRoom(room);
  TRoomEst& est = stores.RoomEst[room];
  est.Name = edits.Name;
  // One line in the settings file and in the record file's header.
  for (char& c : est.Name) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  est.Room = ListNumber(edits.RoomPos, est.Room);
  est.Region = ListNumber(edits.RegionPos, est.Region);
  est.Order = ListNumber(edits.OrderPos, est.Order);
  stores.RoomEstChanged = 1;
}

void AddStateEvent(TStores& stores, const TAppEnv& env, int room, const std::string& text) {
  CheckRoom(room);
  TEventBase event;
  event.Date = env.Now();
  event.Text = text;
  AddEvent(stores, env, room, event);
}

void BeginCultivation(TStores& stores, const TAppEnv& env, int room, const TRoomEdits& edits) {
  CheckRoom(room);
  TRoomEst& est = stores.RoomEst[room];
  est.Use = kUseCultivating;
  est.BeginDate = env.Today();
  TakeRoomEst(stores, room, edits);
  WriteRoomEst(env, room, est);
  CreateRecordCsv(env, room, est);
  AddStateEvent(stores, env, room, "栽培開始");
}

void EndCultivation(TStores& stores, const TAppEnv& env, int room, const TRoomEdits& edits,
                    const std::string& copyPath) {
  CheckRoom(room);
  CopyRecordCsv(env, room, copyPath);
  stores.RoomEst[room].Use = kUsePaused;
  FinishChange(stores, env, room, edits, "栽培終了");
}

void StartManagement(TStores& stores, const TAppEnv& env, int room, const TRoomEdits& edits) {
  CheckRoom(room);
  stores.RoomEst[room].Use = kUsePaused;
  FinishChange(stores, env, room, edits, "管理開始");
}

void EndManagement(TStores& stores, const TAppEnv& env, int room, const TRoomEdits& edits) {
  CheckRoom(room);
  stores.RoomEst[room].Use = kUseNone;
  FinishChange(stores, env, room, edits, "管理終了");
}

std::vector<TStateStep> StateSteps(int32_t use, TStateButton button) {
  using S = TStateStep;
  switch (button) {
    case TStateButton::Begin:
      return {S::ConfirmBegin, S::BeginCultivation};
    case TStateButton::Sleep:
      if (use == kUseCultivating) return {S::ConfirmEnd, S::ChooseCopyPath, S::EndCultivation};
      if (use == kUsePaused) return {};
      return {S::StartManagement};
    case TStateButton::NotUse:
      if (use == kUseCultivating)
        return {S::ConfirmEnd, S::ChooseCopyPath, S::EndCultivation, S::ConfirmRetire,
                S::EndManagement};
      if (use == kUsePaused) return {S::ConfirmRetire, S::EndManagement};
      return {};
  }
  return {};
}

std::string StateQuestion(int room, TStateStep step) {
  const char* question = nullptr;
  switch (step) {
    case TStateStep::ConfirmBegin:
      question = "今日から栽培開始でよろしいですか？";
      break;
    case TStateStep::ConfirmEnd:
      question = "今日で栽培終了でよろしいですか？";
      break;
    case TStateStep::ConfirmRetire:
      question = "この棟を管理対象から外してよろしいですか？";
      break;
    default:
      throw std::invalid_argument("not a question step");
  }
  return "部屋No." + std::to_string(room) + "\n" + question;
}

}  // namespace velk
