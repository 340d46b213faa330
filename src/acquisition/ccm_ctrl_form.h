// SPDX-License-Identifier: MIT
// The CCM monitor window. It owns the live value table, the reception status, the receiving
// context, the UDP listener and the host-address watcher; the acquisition cycle drives them
// through the plain operations below. Created hidden; closing it only hides it.
#pragma once

#include <QString>
#include <QTimer>
#include <QWidget>
#include <deque>
#include <functional>
#include <string>
#include <string_view>

#include "acquisition/acquisition_cycle.h"
#include "acquisition/ccm_inventory.h"
#include "acquisition/ccm_monitor.h"
#include "acquisition/ccm_parser.h"
#include "acquisition/host_address_watcher.h"
#include "acquisition/live_value_table.h"
#include "acquisition/udp_listener.h"
#include "base/app_env.h"
#include "store/month_files.h"
#include "store/stores.h"

class QCheckBox;
class QPlainTextEdit;
class QPushButton;

namespace velk {

class TCCMInventoryForm;

class TCCMCtrlForm : public QWidget, public TCCMMonitor {
  Q_OBJECT

 public:
  // Creates the folder tree and clears the live value table.
  TCCMCtrlForm(const TAppEnv& env, TStores& stores, QWidget* parent = nullptr);
  ~TCCMCtrlForm() override;

  TLiveValueTable& Table() { return table_; }
  TSystemSts& Status() { return status_; }
  TCCMReceiver& Receiver() { return receiver_; }
  const TAppEnv& Env() const { return env_; }
  TStores& Stores() { return stores_; }
  TUdpListener& Listener() { return listener_; }
  THostAddressWatcher& Watcher() { return watcher_; }
  TCCMInventory& Inventory() { return inventory_; }
  // Shows the window "受信CCM一覧" (created on first use).
  void ShowInventory();
  TCCMInventoryForm* InventoryForm() const { return inventoryForm_; }

  // One line into the monitor log, unless CBShow is unchecked: a log of more than 50 lines is
  // first trimmed to 30 from the top, and the first CR LF of the line is removed; any further
  // line break starts another line; a line is shown up to kCCMLogLineBytes. MLog shows the log
  // within 50 ms (at once after FlushCCMLog), so that a burst of datagrams does not redraw it
  // for each one.
  void AddCCMLog(std::string_view line) override;
  bool CCMLogShown() const override;
  void FlushCCMLog();

  // Binds the CCM port; on success NetActive becomes 1. False when the port cannot be bound.
  bool StartListener();
  bool StartWatcher();
  bool ListenerActive() const { return listener_.Active(); }
  bool WatcherActive() const { return watcher_.Active(); }
  // Stops the listener and the watcher (also done on destruction).
  void StopNetwork();
  // The port of the next start (default 16520).
  void SetPort(quint16 port) { port_ = port; }
  quint16 Port() const { return port_; }

  // The acquisition cycle (ccm_ctrl_cycle.cpp), driven by ComTimer every 100 ms.
  void ComTimerTimer();
  // The start-up load of one year of records and events for room slots 1 to 5, begun by the tick
  // in which StartTicks reaches 0. It runs as zero-time steps of the event loop, outside the
  // timer's handler, so that ticks (and a 5-minute closing) go on between its steps.
  void LoadRoomStores();
  // True once the start-up load has run to its end.
  bool StoresLoaded() const { return storesLoaded_; }
  // Starts ComTimer; the first tick comes 100 ms later.
  void StartCycle();
  TAcquisitionState& Cycle() { return cycle_; }
  // How the cycle reaches the splash window and the main window's status bar.
  void SetSplashMessage(std::function<void(bool, const std::string&)> splash);
  void SetStatusRefresh(std::function<void()> refresh);

  QTimer ComTimer;

 protected:
  void BBCloseClick();
  void Splash(bool show, const std::string& text);
  // Step `step` of the start-up load (0 to kLoadSteps - 1): the live value table, then per room
  // slot a splash message and the records, a message and the data check, a message and the
  // events; the last closes the splash.
  virtual void RunLoadStep(int step);
  static constexpr int kLoadSteps = 1 + 6 * (kRoomSlots - 1) + 1;
  void ContinueLoad();
  void ReportNetworkStart(bool started);
  void showEvent(QShowEvent* event) override;

  const TAppEnv& env_;
  TStores& stores_;
  TLiveValueTable table_;
  TSystemSts status_;
  TCCMReceiver receiver_;
  TCCMInventory inventory_;
  TCCMInventoryForm* inventoryForm_ = nullptr;
  TUdpListener listener_;
  THostAddressWatcher watcher_;
  quint16 port_ = kCCMPort;
  std::deque<QString> logLines_;  // the lines of the monitor log, oldest first
  bool logChanged_ = false;
  size_t shownLines_ = 0;      // lines at the front of logLines_ that MLog shows
  int droppedShownLines_ = 0;  // shown lines trimmed since MLog was last drawn
  QTimer logRefresh_;

  TAcquisitionState cycle_;
  int loadStep_ = -1;  // the next step of the running start-up load; -1 while none runs
  bool storesLoaded_ = false;
  TMonthEventLines loadEvents_;  // the event lines met by the record load of the current room
  std::function<void(bool, const std::string&)> splash_;
  std::function<void()> statusRefresh_;
  bool netFailing_ = false;      // the last start attempt of the network failed
  TDateTime netFailLogged_ = 0;  // when that failure was last logged

  QPlainTextEdit* MLog = nullptr;
  QCheckBox* CBShow = nullptr;
  QPushButton* BBClose = nullptr;
  QPushButton* BBInventory = nullptr;
};

}  // namespace velk
