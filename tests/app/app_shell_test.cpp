// SPDX-License-Identifier: MIT
// The real windows in their real order over a temporary application folder and a fake clock:
// start-up ticks, the load of fixture monthly files, datagrams over loopback, a 5-minute closing,
// the header and status bar, the history-only instance and the exit question.
#include <qcustomplot.h>
#include <QApplication>
#include <QComboBox>
#include <QHostAddress>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QUdpSocket>
#include <filesystem>
#include <memory>

#include "acquisition/ccm_ctrl_form.h"
#include "analysis/condition_form.h"
#include "app/about_form.h"
#include "app/app_shell.h"
#include "app/ui_main.h"
#include "app/velk_application.h"
#include "base/date_format.h"
#include "base/file_io.h"
#include "base/text_encoding.h"
#include "settings/settings_files.h"
#include "store/month_files.h"
#include "store/record_csv.h"
#include "store/system_log.h"
#include "support/test_env.h"
#include "views/past_status_form.h"
#include "views/sun_times.h"

namespace velk {

class AppShellTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<test::TestEnv> t_;
  std::unique_ptr<TStores> stores_;
  std::unique_ptr<TAppShell> shell_;
  QStringList splash_;

  static QString Q(const std::string& s) { return QString::fromStdString(s); }
  std::string LogText() const { return test::ReadFile(GetLogFilePath(t_->env, t_->env.Now())); }

  // Settings of a small site: room 1 cultivating since 2020/10/22, room 2 paused.
  void WriteSettings() {
    QVERIFY(EnsureFolders(t_->env));
    TSiteEst site{35.6895, 139.6917, 0, 0};
    WriteSiteEst(t_->env, site);
    for (int n = 1; n <= 2; ++n) {
      TRoomEst room;
      SetDefaultRoomEst(n, room);
      room.Use = n == 1 ? kUseCultivating : kUsePaused;
      room.BeginDate = EncodeDate(2020, 10, 22);
      WriteRoomEst(t_->env, n, room);
    }
    std::filesystem::copy_file(VELK_FIXTURES "/app/Room1_202011.TDB",
                               GetRcdFolder(t_->env) + "/Room1_202011.TDB");
  }

  quint16 FreePort() {
    QUdpSocket probe;
    probe.bind(QHostAddress::LocalHost, 0);
    return probe.localPort();
  }

  void Build(bool historyOnly) {
    t_ = std::make_unique<test::TestEnv>(EncodeDateTime(2020, 11, 13, 10, 7, 30));
    t_->env.HistoryOnly = historyOnly;
    WriteSettings();
    stores_ = std::make_unique<TStores>();
    shell_ = std::make_unique<TAppShell>(t_->env, *stores_);
    shell_->CCMCtrl->SetPort(FreePort());
    // Record the splash messages on their way to the splash window.
    TAboutForm* about = shell_->About;
    shell_->CCMCtrl->SetSplashMessage([this, about](bool show, const std::string& text) {
      splash_ << (show ? Q(text) : QStringLiteral("<hidden>"));
      about->ShowSplashMessage(show, Q(text));
    });
    shell_->Main->show();
  }

  void Tick(int n = 1) {
    for (int i = 0; i < n; ++i) shell_->CCMCtrl->ComTimerTimer();
  }
  // The 20th tick begins the start-up load, which runs in steps of the event loop.
  void StartUp() {
    Tick(20);
    QTRY_VERIFY(shell_->CCMCtrl->StoresLoaded());
  }
  // Ticks until the next once-a-second step has run.
  void Second() { Tick(10 - shell_->CCMCtrl->Cycle().TickCount); }

  void SendCCM(quint16 port, const QByteArray& datagram) {
    QUdpSocket sender;
    sender.writeDatagram(datagram, QHostAddress::LocalHost, port);
  }

  // Answers the next modal box with the given button, noting the texts the user saw.
  QString boxText_;
  QString cancelCaption_;
  void AnswerNextBox(QMessageBox::StandardButton button) {
    QTimer::singleShot(0, [this, button] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box) return;
      boxText_ = box->text();
      cancelCaption_ = box->button(QMessageBox::Cancel)->text();
      box->button(button)->click();
    });
  }

 private slots:
  void initTestCase() { LoadJapaneseTranslations(*QCoreApplication::instance()); }

  void cleanup() {
    shell_.reset();
    stores_.reset();
    t_.reset();
    splash_.clear();
  }

  void startUpTicksLoadTheStoresBehindTheSplash() {
    Build(false);
    Tick(19);
    QVERIFY(shell_->About->isVisible());
    QCOMPARE(shell_->About->Message(), QStringLiteral("初期化中・・・"));
    QCOMPARE(splash_.size(), 19);
    Tick(1);  // the 20th tick begins the load
    QTRY_VERIFY(shell_->CCMCtrl->StoresLoaded());
    QVERIFY(!shell_->About->isVisible());
    QCOMPARE(splash_.at(20), QStringLiteral("データ読込中：部屋No.1"));
    QCOMPARE(splash_.at(21), QStringLiteral("データチェック中：部屋No.1"));
    QCOMPARE(splash_.at(22), QStringLiteral("イベント読込中：部屋No.1"));
    QCOMPARE(splash_.at(34), QStringLiteral("イベント読込中：部屋No.5"));
    QCOMPARE(splash_.last(), QStringLiteral("<hidden>"));

    // At 10:07:30 the grid runs 10:10 (running period), 10:05 (empty), 10:00, 09:55, 09:50.
    const TRoomDat& room1 = stores_->Dat(1);
    QCOMPARE(Q(FormatDateTime(kFmtRecordTime, room1.Rec[1].Time)),
             QStringLiteral("2020/11/13 10:05"));
    QCOMPARE(int(room1.Rec[1].Item[1].Valid), 0);
    QCOMPARE(Q(FormatDateTime(kFmtRecordTime, room1.Rec[2].Time)),
             QStringLiteral("2020/11/13 10:00"));
    QCOMPARE(Q(FormatDateTime(kFmtRecordTime, room1.Rec[4].Time)),
             QStringLiteral("2020/11/13 09:50"));
    QCOMPARE(room1.Rec[2].Item[1].Avg, 19.0f);
    QCOMPARE(stores_->RoomInfo[1].RecCount, 3);
    QCOMPARE(Q(stores_->RoomEvent[1].Event[0].Text), QStringLiteral("定植日"));
  }

  void datagramsOverLoopbackReachTheLiveRecordAndTheMonitor() {
    Build(false);
    StartUp();
    Tick(1);  // running phase: the listener starts
    QVERIFY(shell_->CCMCtrl->ListenerActive());
    QCOMPARE(int(shell_->CCMCtrl->Status().NetActive), 1);
    const quint16 port = shell_->CCMCtrl->Port();
    for (int i = 0; i < 12; ++i) {
      SendCCM(port,
              "<?xml version=\"1.0\"?><UECS ver=\"1.00-E10\"><DATA type=\"InAirTemp\" room=\"1\" "
              "region=\"0\" order=\"0\" priority=\"15\">23.5</DATA><IP>192.168.1.64</IP></UECS>");
    }
    QTRY_COMPARE(shell_->CCMCtrl->Receiver().RecvCounter, 12);
    Second();
    const TRecDat& live = stores_->Dat(1).Rec[0];
    QCOMPARE(int(live.Item[1].Valid), 1);
    QCOMPARE(live.Item[1].Avg, 23.5f);
    QCOMPARE(live.Time, t_->env.Now());
    shell_->Main->UpdateStatusBar();
    QCOMPARE(shell_->Main->StsBar[0]->text(), QStringLiteral("受信数: 12/s."));
    const auto* log = shell_->CCMCtrl->findChild<QPlainTextEdit*>(QStringLiteral("MLog"));
    QVERIFY(log);
    QTRY_VERIFY(log->toPlainText().contains(QStringLiteral("127.0.0.1:<?xml")));
    // One more reading: the room's indicator lights for one tick and goes out on the next.
    SendCCM(port,
            "<UECS><DATA type=\"InAirTemp\" room=\"1\" region=\"0\" order=\"0\">24</DATA></UECS>");
    QTRY_COMPARE(shell_->CCMCtrl->Receiver().RecvCounter, 1);
    Tick();
    QCOMPARE(shell_->Main->StsBar[1]->text(), QStringLiteral("1号棟: ●"));
    Tick();
    QCOMPARE(shell_->Main->StsBar[1]->text(), QStringLiteral("1号棟: "));
  }

  void aFiveMinuteBoundaryClosesARecordIntoTheFiles() {
    Build(false);
    StartUp();
    Tick(1);
    SendCCM(
        shell_->CCMCtrl->Port(),
        "<UECS><DATA type=\"InAirTemp\" room=\"1\" region=\"0\" order=\"0\">21.5</DATA></UECS>");
    QTRY_COMPARE(shell_->CCMCtrl->Receiver().RecvCounter, 1);
    Second();
    t_->clock.Set(EncodeDateTime(2020, 11, 13, 10, 10, 0, 300));
    Second();
    const TRoomDat& room1 = stores_->Dat(1);
    QCOMPARE(room1.Rec[1].Time, t_->env.Now());
    QCOMPARE(room1.Rec[1].Item[1].Avg, 21.5f);
    QCOMPARE(Q(FormatDateTime(kFmtRecordTime, room1.Rec[3].Time)),
             QStringLiteral("2020/11/13 10:00"));
    const std::string month = test::ReadFile(GetRcdFolder(t_->env) + "/Room1_202011.TDB");
    QVERIFY(month.find("T,2020/11/13 10:10,,,,21.5,21.5,21.5,") != std::string::npos);
    QVERIFY(FileExists(GetRcdFolder(t_->env) + "/Room2_202011.TDB"));  // paused rooms record too
    QVERIFY(!FileExists(GetRcdFolder(t_->env) + "/Room3_202011.TDB"));
    std::string csv;
    Cp932ToUtf8(test::ReadFile(GetRecordCsvPath(t_->env, 1)), csv);
    QVERIFY(csv.find("2020/11/13 10:10,,,,21.5,21.5,21.5,") != std::string::npos);
    QVERIFY(!FileExists(GetRecordCsvPath(t_->env, 2)));  // only cultivating rooms get CSV lines
  }

  void aBusyPortIsRetriedEveryTickButLoggedOnceAMinute() {
    Build(false);
    QUdpSocket blocker;
    QVERIFY(
        blocker.bind(QHostAddress::AnyIPv4, shell_->CCMCtrl->Port(), QUdpSocket::DontShareAddress));
    StartUp();
    for (int i = 0; i < 700; ++i) {  // 70 seconds of ticks
      Tick();
      t_->clock.AdvanceSeconds(0.1);
    }
    QVERIFY(!shell_->CCMCtrl->ListenerActive());
    QCOMPARE(int(shell_->CCMCtrl->Status().NetActive), 0);
    const std::string log = LogText();
    size_t lines = 0;
    for (size_t at = log.find("CCMCtrl: ネットワーク起動異常"); at != std::string::npos;
         at = log.find("CCMCtrl: ネットワーク起動異常", at + 1)) {
      ++lines;
    }
    QCOMPARE(lines, size_t{2});  // when it began, and once after a minute
    shell_->Main->UpdateStatusBar();
    QCOMPARE(shell_->Main->StsBar[0]->text(), QStringLiteral("受信できません"));
    // Once the port is free the next tick starts the listener.
    blocker.close();
    Tick();
    QVERIFY(shell_->CCMCtrl->ListenerActive());
  }

  void headerAndStatusBarShowTheRoom() {
    Build(false);
    shell_->Main->MainTimerTimer();
    QCOMPARE(shell_->Main->windowTitle(), QStringLiteral("UECS-VELK Ver.1.1.0.0"));
    QCOMPARE(shell_->Main->PItemName->text(), QStringLiteral("現在状況"));
    QCOMPARE(shell_->Main->CBRoom->currentText(), QStringLiteral("[No.1] 栽培室1(1-0-0)"));
    QCOMPARE(shell_->Main->CBRoom->itemText(0), QStringLiteral("ファイル："));
    QCOMPARE(shell_->Main->PNowTime->text(), QStringLiteral("2020年11月13日 10:07.30"));
    QCOMPARE(shell_->Main->PGrowTime->text(), QStringLiteral("3週2日 / 23日目"));
    double rise = 0, set = 0;
    CalcSunTimes(EncodeDate(2020, 11, 13), 9, 35.6895, 139.6917, 0, rise, set);
    QCOMPARE(shell_->Main->PSunrise->text(), Q(FormatDateTime(kFmtClock, rise)));
    QCOMPARE(shell_->Main->PSunset->text(), Q(FormatDateTime(kFmtClock, set)));
    QCOMPARE(shell_->Main->StsBar[0]->text(), QStringLiteral("受信できません"));
    QCOMPARE(shell_->Main->StsBar[1]->text(), QStringLiteral("1号棟: ×"));
    QCOMPARE(shell_->Main->StsBar[3]->text(), QString());
    // The file slot shows the default sun times of slot 0.
    shell_->Main->CBRoom->setCurrentIndex(0);
    shell_->Main->MainTimerTimer();
    QCOMPARE(shell_->Main->PSunrise->text(), QStringLiteral("06:32"));
    QCOMPARE(shell_->Main->PSunset->text(), QStringLiteral("16:47"));
    // Tabs change the title and the view.
    shell_->Main->TCMonItem->setCurrentIndex(4);
    QCOMPARE(shell_->Main->PItemName->text(), QStringLiteral("設定"));
    QVERIFY(LogText().find("System Start") != std::string::npos);
  }

  void aSearchResultOpensThePastChartOverItsPeriod() {
    Build(false);
    StartUp();
    Tick();
    shell_->Main->MainTimerTimer();
    emit shell_->Condition->PeriodActivated(EncodeDateTime(2020, 11, 13, 9, 50),
                                            EncodeDateTime(2020, 11, 13, 10, 0));
    QCOMPARE(shell_->Main->TCMonItem->currentIndex(), 1);
    TPastStatusForm* past = shell_->PastStatus;
    QCOMPARE(past->View().Slot, 1);
    QCOMPARE(past->View().Span, 1);
    QCOMPARE(past->View().WindowEnd, EncodeDate(2020, 11, 14));
    QVERIFY(past->MarkupBack->visible());
    // The once-a-second updates keep the period and its band.
    for (int i = 0; i < 3; ++i) {
      Second();
      shell_->Main->MainTimerTimer();
    }
    QCOMPARE(past->View().WindowEnd, EncodeDate(2020, 11, 14));
    QVERIFY(past->MarkupBack->visible());
    QCOMPARE(past->CBItem[kAirTemperature]->text(), QStringLiteral("気温"));
  }

  void theExitQuestionCancelKeepsTheWindowOpen() {
    Build(false);
    AnswerNextBox(QMessageBox::Cancel);
    QVERIFY(!shell_->Main->close());
    QVERIFY(shell_->Main->isVisible());
    QCOMPARE(boxText_, QStringLiteral("終了するとモニタリングや計測記録が停止します。\n"
                                      "UECS-VELKを終了してよろしいですか？"));
    QCOMPARE(cancelCaption_, QStringLiteral("キャンセル"));
    QVERIFY(LogText().find("System Shutdown.") == std::string::npos);
    AnswerNextBox(QMessageBox::Ok);
    QVERIFY(shell_->Main->close());
    QVERIFY(LogText().find("System Shutdown.") != std::string::npos);
  }

  void aSecondInstanceOnlyBrowses() {
    Build(true);
    QCOMPARE(shell_->Main->windowTitle(),
             QStringLiteral("UECS-VELK Ver.1.1.0.0  【履歴専用モード】"));
    QVERIFY(!shell_->Main->CBRoom->isEnabled());
    QCOMPARE(shell_->Main->CBRoom->currentIndex(), 0);
    QCOMPARE(shell_->Main->PTop->palette().color(QPalette::Window), QColor(213, 255, 43));
    Tick(40);
    shell_->Main->MainTimerTimer();
    QVERIFY(!shell_->About->isVisible());
    QVERIFY(splash_.isEmpty());
    QVERIFY(!shell_->CCMCtrl->ListenerActive());
    QCOMPARE(shell_->Main->StsBar[0]->text(), QString());
    QVERIFY(shell_->Main->close());  // no question
    QVERIFY(!std::filesystem::exists(GetLogFilePath(t_->env, t_->env.Now())));
  }
};

}  // namespace velk

QTEST_MAIN(velk::AppShellTest)
#include "app_shell_test.moc"
