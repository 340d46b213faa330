// SPDX-License-Identifier: MIT
#pragma once

#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <array>

#include "analysis/future_model.h"
#include "app/item_base_form.h"
#include "base/app_env.h"
#include "store/stores.h"

class QCustomPlot;

namespace velk {

class TDaySelForm;

// The view "未来予想": two panels, each answering how much, how far and when for one item's
// accumulated daily averages of the selected room.
class TFutureForm : public TItemBaseForm {
  Q_OBJECT
 public:
  TFutureForm(const TAppEnv& env, TStores& stores, QWidget* parent);

  void SetDaySelForm(TDaySelForm* dialog) { daySel_ = dialog; }
  void RefreshView() override;
  void SetRoomSlot(int slot) override;
  void FormClose() override;

  const TFutureModel& Model() const { return model_; }

  // Controls per panel (index 0 is the upper panel), by the names they carry.
  std::array<QComboBox*, kFuturePanels> CBTarget{};
  std::array<QPushButton*, kFuturePanels> BBCalc{};
  std::array<QLineEdit*, kFuturePanels> EBase{};
  std::array<QLineEdit*, kFuturePanels> EBegin{};
  std::array<QPushButton*, kFuturePanels> BBBegin{};
  std::array<QLineEdit*, kFuturePanels> EEnd{};
  std::array<QPushButton*, kFuturePanels> BBEnd{};
  std::array<QLabel*, kFuturePanels> PPass{};
  std::array<QSpinBox*, kFuturePanels> SELater{};
  std::array<QDateEdit*, kFuturePanels> DTLater{};
  std::array<QLabel*, kFuturePanels> PLater{};
  std::array<QLineEdit*, kFuturePanels> EOverVal{};
  std::array<QLabel*, kFuturePanels> PReach{};
  std::array<QCustomPlot*, kFuturePanels> Chart{};

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QWidget* BuildPanel(int p);
  void EnsureLoaded();
  void FillTargetLists();
  void ShowFutureEst();
  // The reference texts and the date picker's earliest date.
  void ShowRefDays(int p);
  void ShowFutureResults();
  void DrawFutureChart(int p);
  // Takes both panels' fields; `warn` shows the number warning for a field that does not read.
  void TakeFutureEst(bool warn);
  void BBCalcClick(int p);
  void BBBeginClick(int p);
  void BBEndClick(int p);
  // Opens the day selection dialog; true on OK with the chosen day and kind.
  bool PickDay(TDateTime& day, int32_t& kind);
  void SetDateFromDayNumber(int p);
  void DateChanged(int p);
  void ShowNumberWarning();

  const TAppEnv& env_;
  TFutureModel model_;
  TDaySelForm* daySel_ = nullptr;
  bool loaded_ = false;
};

}  // namespace velk
