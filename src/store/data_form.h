// SPDX-License-Identifier: MIT
// The window "Data Check": every stored 5-minute or daily record of one room slot in a grid.
#pragma once

#include <QAbstractTableModel>
#include <QComboBox>
#include <QFrame>
#include <QPushButton>
#include <QTableView>
#include <QWidget>

#include "store/data_check.h"
#include "store/stores.h"

namespace velk {

// The grid's rows read from the data check model when they are painted. Column 0 ("Time") is
// the vertical header, so it stays in place when the grid scrolls sideways.
class TDataCheckTableModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  explicit TDataCheckTableModel(TDataCheckModel& model, QObject* parent)
      : QAbstractTableModel(parent), model_(model) {}
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  // Runs a change of the model (layout or snapshot) as a reset of the grid.
  template <typename Fn>
  void Reset(Fn&& change) {
    beginResetModel();
    change();
    endResetModel();
  }

 private:
  TDataCheckModel& model_;
};

class TDataForm : public QWidget {
  Q_OBJECT
 public:
  TDataForm(TStores& stores, QWidget* parent);

  void BBShowClick();
  const TDataCheckModel& Model() const { return model_; }

  QFrame* PConsole;
  QComboBox* CBRoom;
  QPushButton* SBTimeD;
  QPushButton* SpeedButton1;
  QPushButton* BBShow;
  QTableView* SGData;

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void FormShow();
  TDataCheckBase PressedBase() const;
  void LayOutColumns();

  TStores& stores_;
  TDataCheckModel model_;
  TDataCheckTableModel* table_;
  QWidget* corner_ = nullptr;
};

}  // namespace velk
