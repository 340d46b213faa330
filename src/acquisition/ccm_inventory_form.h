// SPDX-License-Identifier: MIT
// The window "受信CCM一覧": every CCM key heard since start, refreshed once a second while shown,
// sortable by any column. It only reads the inventory the receiver fills.
#pragma once

#include <QTimer>
#include <QWidget>

#include "acquisition/ccm_inventory.h"
#include "acquisition/live_value_table.h"
#include "store/room_data.h"

class QLabel;
class QPushButton;
class QSortFilterProxyModel;
class QTableView;

namespace velk {

class TCCMInventoryModel;

class TCCMInventoryForm : public QWidget {
  Q_OBJECT
 public:
  TCCMInventoryForm(const TCCMInventory& inventory, const TLiveValueTable& table,
                    const TRoomEst (&rooms)[kRoomSlots], QWidget* parent = nullptr);
  ~TCCMInventoryForm() override;

  // Takes a new snapshot of the inventory into the list.
  void Refresh();

  QTableView* GList = nullptr;
  QLabel* LCount = nullptr;
  QPushButton* BBClose = nullptr;
  QTimer RefreshTimer;

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  const TCCMInventory& inventory_;
  TCCMInventoryModel* model_ = nullptr;
  QSortFilterProxyModel* sorted_ = nullptr;
};

}  // namespace velk
