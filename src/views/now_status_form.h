// SPDX-License-Identifier: MIT
// The view "現在状況": the grid of current values and statistics of the selected room, the
// notices about rooms without data, and the memo box.
#pragma once

#include <QAbstractTableModel>

#include "app/item_base_form.h"
#include "base/app_env.h"
#include "store/stores.h"
#include "views/now_status.h"

class QLineEdit;
class QListWidget;
class QPushButton;
class QTableView;

namespace velk {

struct TSystemSts;

// The grid's cells read on demand from the view's grid texts and marks.
class TNowGridModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  static constexpr int kMarkRole = Qt::UserRole;

  TNowGridModel(const TNowGrid& grid, QObject* parent);
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  // Tells the grid that every cell may have changed.
  void Changed();

 private:
  const TNowGrid& grid_;
};

class TNowStatusForm : public TItemBaseForm {
  Q_OBJECT
 public:
  TNowStatusForm(const TAppEnv& env, TStores& stores, QWidget* parent);
  // The reception status whose RoomLost flags feed the notices.
  void SetStatusSource(const TSystemSts* status) { status_ = status; }

  void RefreshView() override;
  void SetRoomSlot(int slot) override;

 private:
  void BBWriteMemoClick();
  void CheckMemoList();
  void RebuildNotices();

  const TAppEnv& env_;
  TStores& stores_;
  const TSystemSts* status_ = nullptr;
  int slot_ = 0;
  TDateTime eventDate_ = 0;  // date of the newest event shown in the memo list
  TNowStatus stat_{};
  TNowGrid grid_;
  std::vector<std::string> lines_;

  TNowGridModel* gridModel_ = nullptr;
  QTableView* GMain = nullptr;
  QListWidget* LBInfo = nullptr;
  QLineEdit* EEventLog = nullptr;
  QPushButton* BBWriteMemo = nullptr;
  QListWidget* LBMemo = nullptr;
};

}  // namespace velk
