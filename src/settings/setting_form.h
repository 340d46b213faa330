// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <functional>
#include <string>

#include "app/item_base_form.h"
#include "base/app_env.h"
#include "settings/room_state.h"
#include "store/stores.h"

class QAbstractButton;
class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace velk {

class TUIMain;

// The settings view "設定": site location, the five rooms and their cultivation states. Creating
// it loads every settings file and computes the sun times of the loaded site, so the header shows
// them from the first second. Its controls are filled once, at start-up; "設定反映" applies and
// saves them, the three state buttons of a room change its state at once.
class TSettingForm : public TItemBaseForm {
  Q_OBJECT
 public:
  TSettingForm(const TAppEnv& env, TStores& stores, QWidget* parent);
  // This view does not follow the room selected in the main window.
  void SetRoomSlot(int) override {}

  // The main window whose room list and header follow the settings.
  void SetMainWindow(TUIMain* main) { main_ = main; }
  // Opens the listing of what the network sends.
  void SetInventoryOpener(std::function<void()> open) { openInventory_ = std::move(open); }

  void BBUpdateClick();
  void SBBeginClick(int room);
  void SBSleepClick(int room);
  void SBNotUseClick(int room);

  // Controls of one room group, room n at index n - 1.
  struct TRoomControls {
    QGroupBox* Group = nullptr;
    QPushButton* SBNotUse = nullptr;
    QPushButton* SBSleep = nullptr;
    QPushButton* SBBegin = nullptr;
    QButtonGroup* State = nullptr;
    QLineEdit* EName = nullptr;
    QComboBox* CBRoomNo = nullptr;
    QComboBox* CBRegion = nullptr;
    QComboBox* CBOrder = nullptr;
  };
  std::array<TRoomControls, 5> Rooms;
  QGroupBox* GBRoomEst = nullptr;
  QGroupBox* GBSite = nullptr;
  QLineEdit* ELatitude = nullptr;
  QLineEdit* ELongitude = nullptr;
  QLineEdit* EElevation = nullptr;
  QGroupBox* RGDayBreak = nullptr;
  QButtonGroup* DayBreakItems = nullptr;
  QLabel* LVersion = nullptr;
  QPushButton* BBUpdate = nullptr;
  QPushButton* BBInventory = nullptr;

 private:
  void FormCreate();
  void FormShow();
  void BuildControls();
  QGroupBox* BuildRoomGroup(int room);
  void ShowSettings();
  void ShowRoomState(int room);
  TRoomEdits RoomEdits(int room) const;
  // Takes the room's controls into its settings and rebuilds the main window's room list.
  void TakeRoomEst(int room);
  // Runs the steps of a state button press; a cancelled question or save dialog ends it.
  void RunStateSteps(int room, TStateButton button);
  bool Confirm(int room, TStateStep step);
  bool ChooseCopyPath(int room, std::string& path);
  void RebuildRoomList();

  const TAppEnv& env_;
  TStores& stores_;
  TUIMain* main_ = nullptr;
  std::function<void()> openInventory_;
  bool changing_ = false;  // a state change is running (its questions are open)
};

}  // namespace velk
