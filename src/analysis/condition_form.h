// SPDX-License-Identifier: MIT
#pragma once

#include "analysis/cond_est.h"
#include "analysis/cond_files.h"
#include "analysis/cond_view.h"
#include "app/item_base_form.h"
#include "base/app_env.h"
#include "store/stores.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QWidget;

namespace velk {

// The view "条件で絞込": up to three conditions on the items of the selected room, searched over
// its year of 5-minute records. The conditions of the last run come back from RUDERADO.ini.
class TConditionForm : public TItemBaseForm {
  Q_OBJECT
 public:
  TConditionForm(const TAppEnv& env, TStores& stores, QWidget* parent);

  void RefreshView() override;
  void SetRoomSlot(int slot) override;
  void FormClose() override;

  const TCondEst& CondEst() const { return cond_; }
  const TCondResult& CondResult() const { return result_; }

  // Handlers of the buttons.
  void BBExecClick();
  void BBSaveEstClick();
  void BBLoadEstClick();
  void BBSaveResultClick();

 signals:
  // A result line was double-clicked: the period's begin and end (date values).
  void PeriodActivated(double begin, double end);

 private:
  void BuildControls();
  void FillItemLists();
  void ShowCondEst();
  // Reads the controls; one warning box per condition whose value edit does not read.
  void TakeCondEst();
  void ShowCondResults();
  void ApplyControlRules();
  TCondControls Controls() const;
  TCondShown ShownTexts() const;
  void ResultDoubleClicked(int row);
  // "" when the dialog was cancelled.
  std::string AskFileName(bool save, const QString& title, const QString& filter,
                          const QString& suffix);

  const TAppEnv& env_;
  TStores& stores_;
  TCondEst cond_;
  TCondResult result_;

  QLineEdit* ETitle = nullptr;
  QPushButton* BBSaveEst = nullptr;
  QPushButton* BBLoadEst = nullptr;
  QComboBox* CBTarget[kCondCount] = {};
  QComboBox* CBCndA[kCondCount] = {};
  QComboBox* CBJudge[kCondCount] = {};
  QLineEdit* EValueL[kCondCount] = {};
  QLineEdit* EValueH[kCondCount] = {};
  QLabel* LTilde[kCondCount] = {};
  QPushButton* SBOn[kCondCount] = {};  // conditions 2 and 3
  QPushButton* SBOff[kCondCount] = {};
  QComboBox* CBCndB = nullptr;
  QWidget* PTime = nullptr;
  QLineEdit* ETime = nullptr;
  QPushButton* BBExec = nullptr;
  QListWidget* LBResult = nullptr;
  QPushButton* BBSaveResult = nullptr;
};

}  // namespace velk
