// SPDX-License-Identifier: MIT
// The dialog "発生日を選択": the grower picks a reference day from the room's memos and events,
// the first or latest day with data, the calendar, or a count of days. Created once at start-up
// and used modally; it keeps its state between uses, so each caller presets what it needs.
#pragma once

#include <QDialog>

#include "base/app_env.h"
#include "store/stores.h"
#include "views/day_sel.h"

class QCalendarWidget;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;
class QToolButton;

namespace velk {

class TDaySelForm : public QDialog {
  Q_OBJECT
 public:
  TDaySelForm(const TAppEnv& env, TStores& stores, QWidget* parent);

  void SetSlot(int slot);
  // Selects `date` as the caller's choice; the day kind stays.
  void PresetDate(TDateTime date);
  void PresetDayKind(int code);
  TDateTime SelectedDate() const { return model_.SelectedDate; }
  int DayKind() const { return model_.DayKind; }
  const TDaySelModel& Model() const { return model_; }

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void SBStartClick();
  void SBFinishClick();
  void SBAnydayClick();
  void BBSerchClick();
  void CalViewChange();
  void LBResultClick(int row);
  void SEByStartChange(int days);
  void SEByNowChange(int days);
  // Sets the calendar, the spin edits and the buttons from the model without running their
  // change handling, so a picked memo keeps its time of day.
  void ShowModel();
  void ShowResults();
  void CentreOnMainWindow();

  TStores& stores_;
  TDaySelModel model_;

  QToolButton* SBStart = nullptr;
  QToolButton* SBFinish = nullptr;
  QToolButton* SBAnyday = nullptr;
  QLineEdit* EKeyWord = nullptr;
  QPushButton* BBSerch = nullptr;
  QListWidget* LBResult = nullptr;
  QSpinBox* SEByStart = nullptr;
  QSpinBox* SEByNow = nullptr;
  QCalendarWidget* CalView = nullptr;
  QPushButton* BBOk = nullptr;
  QPushButton* BBCancel = nullptr;
};

}  // namespace velk
