// SPDX-License-Identifier: MIT
// The base of the five tabbed views: a white child window of the main window.
#pragma once

#include <QWidget>

namespace velk {

class TItemBaseForm : public QWidget {
  Q_OBJECT
 public:
  TItemBaseForm(const QString& caption, QWidget* parent);
  // Called when the view's tab is shown.
  virtual void RefreshView() {}
  // Called once a second for the active view with the room slot selected in the main window.
  virtual void SetRoomSlot(int slot) { slot_ = slot; }
  // Called once when the application closes (after the confirmation, in both modes): a view
  // saves what it keeps between runs here and never holds the closing up.
  virtual void FormClose() {}
  int RoomSlot() const { return slot_; }

 private:
  int slot_ = 1;
};

}  // namespace velk
