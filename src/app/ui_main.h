// SPDX-License-Identifier: MIT
// The main window: header with room selector and tabs, the five views, the status bar.
#pragma once

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QMainWindow>
#include <QPrinter>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabBar>
#include <QTimer>
#include <array>
#include <memory>

#include "app/header_texts.h"
#include "base/app_env.h"
#include "store/stores.h"

class QFileDialog;

namespace velk {

class TItemBaseForm;
class TAboutForm;
class TProcessForm;

class TUIMain : public QMainWindow {
  Q_OBJECT
 public:
  TUIMain(const TAppEnv& env, TStores& stores);

  // The five views in tab order; called once, after they were created.
  void SetViews(const std::array<TItemBaseForm*, 5>& views);
  void SetAboutForm(TAboutForm* about) { about_ = about; }
  void SetDataForm(QWidget* data) { dataForm_ = data; }
  void SetProcessForm(TProcessForm* process) { process_ = process; }
  void SetMonitorWindow(QWidget* monitor) { monitor_ = monitor; }
  // The acquisition's reception status record, read by the status bar.
  void SetStatusSource(const TSystemSts* status) { status_ = status; }

  void ShowTabView();
  void UpdateHeader();
  void UpdateStatusBar();
  void BuildRoomList();
  void MainTimerTimer();
  void OnLogoClick(bool shift);
  // Imports a record file chosen with ODCsv into the file slot, behind the progress dialog.
  void BBFileClick();
  // The import of BBFileClick after the dialog: progress, result box, room list and header.
  void ImportFile(const QString& path);
  // Prints the window as it is on the screen.
  void BBPrintClick();
  QPrinter& Printer() { return *printer_; }
  void StartTimer() { MainTimer.start(); }

  const QString& FileName() const { return fileName_; }
  void SetFileName(const QString& name) { fileName_ = name; }

  // Controls, by the names they carry.
  QFrame* PTop;
  QLabel* Logo;
  QComboBox* CBRoom;
  QPushButton* BBFile;
  QTabBar* TCMonItem;
  QPushButton* BBPrint;
  QPushButton* BBExit;
  QLabel* PItemName;
  QLabel* PNowTime;
  QLabel* PGrowTime;
  QLabel* PSunrise;
  QLabel* PSunset;
  std::array<QLabel*, 7> StsBar{};
  QStackedWidget* Views;
  QTimer MainTimer;
  QFileDialog* ODCsv;

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void FormCreate();
  void FormShow();
  bool FormCloseQuery();
  void ClearAllStores();
  void BuildHeader();
  void BuildStatusBar();
  void BuildFileControls();
  void LayOutAnchoredButtons();
  TItemBaseForm* ActiveView() const;

  const TAppEnv& env_;
  TStores& stores_;
  std::array<TItemBaseForm*, 5> views_{};
  TAboutForm* about_ = nullptr;
  QWidget* dataForm_ = nullptr;
  TProcessForm* process_ = nullptr;
  std::unique_ptr<QPrinter> printer_;
  bool busy_ = false;  // an import or a print is running
  QWidget* monitor_ = nullptr;
  const TSystemSts* status_ = nullptr;
  QString fileName_;
  TDateTime rememberedDate_ = 0;
  bool shown_ = false;
};

}  // namespace velk
