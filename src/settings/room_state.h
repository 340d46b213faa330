// SPDX-License-Identifier: MIT
// The cultivation state of a room and its changes, as the settings view runs them once the user
// has answered its questions: which questions a state button asks, and the four changes with
// their settings file, record file and event.
#pragma once

#include <string>
#include <vector>

#include "base/app_env.h"
#include "store/stores.h"

namespace velk {

// The highest room, region and order number the settings view offers; list position = number.
inline constexpr int kMaxListNumber = 20;

// A room's controls in the settings view at the moment of a change.
struct TRoomEdits {
  std::string Name;
  int RoomPos = 0;  // list positions; -1 when nothing is selected
  int RegionPos = 0;
  int OrderPos = 0;
};

// The list position that shows a number: the number itself for 0 to 20, -1 (nothing selected)
// for a number the list does not offer.
int ListPosition(int16_t number);
// The number a list position stands for; -1 or any position outside the list keeps `previous`,
// so a number the list cannot show survives an apply.
int16_t ListNumber(int position, int16_t previous);

// The room's edits as they would be shown (name and list positions of the room's numbers).
TRoomEdits RoomEditsOf(const TRoomEst& room);

// Copies the name (line breaks become spaces) and the three list positions into room `room`
// (1 to 5) and raises RoomEstChanged. Another room number throws std::out_of_range.
void TakeRoomEst(TStores& stores, int room, const TRoomEdits& edits);

// An event dated now with the text, added to the room.
void AddStateEvent(TStores& stores, const TAppEnv& env, int room, const std::string& text);

// The state changes; each ends with TakeRoomEst, WriteRoomEst and its event. File failures are
// logged where they happen and the change stands. Rooms outside 1 to 5 throw std::out_of_range.
// "栽培開始": Use 2, BeginDate today 00:00, a new record file from the room's settings.
void BeginCultivation(TStores& stores, const TAppEnv& env, int room, const TRoomEdits& edits);
// "栽培終了": the record file copied to `copyPath`, then Use 1.
void EndCultivation(TStores& stores, const TAppEnv& env, int room, const TRoomEdits& edits,
                    const std::string& copyPath);
// "管理開始": Use 1.
void StartManagement(TStores& stores, const TAppEnv& env, int room, const TRoomEdits& edits);
// "管理終了": Use 0.
void EndManagement(TStores& stores, const TAppEnv& env, int room, const TRoomEdits& edits);

enum class TStateButton { NotUse, Sleep, Begin };  // "未使用", "休止中", "栽培中"

// One step of a state button press. The Confirm steps and ChooseCopyPath ask the user; a cancel
// there ends the press.
enum class TStateStep {
  ConfirmBegin,
  BeginCultivation,
  ConfirmEnd,
  ChooseCopyPath,
  EndCultivation,
  StartManagement,
  ConfirmRetire,
  EndManagement,
};

// The steps of a press on a room in state `use`. A press that would change nothing (the button
// of a paused or unused room's own state) has no step, so a double click never records twice.
std::vector<TStateStep> StateSteps(int32_t use, TStateButton button);

// The text of a confirmation: "部屋No." + room + line feed + the question of the step.
std::string StateQuestion(int room, TStateStep step);

}  // namespace velk
