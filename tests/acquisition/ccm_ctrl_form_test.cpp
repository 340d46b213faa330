// SPDX-License-Identifier: MIT
// The monitor window with the real UDP listener on a free loopback port.
#include "acquisition/ccm_ctrl_form.h"

#include <QCheckBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QThread>
#include <QTimer>
#include <QUdpSocket>
#include <algorithm>
#include <deque>
#include <functional>
#include <memory>

#include "acquisition/ip_history.h"
#include "base/date_format.h"
#include "base/file_io.h"
#include "settings/settings_files.h"
#include "store/month_files.h"
#include "store/system_log.h"
#include "support/test_env.h"

namespace velk {

// A monitor window whose load steps take a while, as on a slow disk.
class SlowLoadForm : public TCCMCtrlForm {
 public:
  using TCCMCtrlForm::TCCMCtrlForm;
  std::function<void(int)> OnStep;

 protected:
  void RunLoadStep(int step) override {
    if (OnStep) OnStep(step);
    QThread::msleep(100);
    TCCMCtrlForm::RunLoadStep(step);
  }
};

class CCMCtrlFormTest : public QObject {
  Q_OBJECT

 private:
  struct Fixture {
    Fixture() : stores(std::make_unique<TStores>()) {
      for (int slot = 0; slot < kRoomSlots; ++slot) SetDefaultRoomEst(slot, stores->RoomEst[slot]);
      stores->RoomEst[1].Use = kUseCultivating;  // room 1, region 0, order 0
      form = std::make_unique<TCCMCtrlForm>(t.env, *stores);
    }
    // MLog as shown once the pending lines are drawn.
    QPlainTextEdit* Log() const {
      form->FlushCCMLog();
      return form->findChild<QPlainTextEdit*>("MLog");
    }
    QCheckBox* Show() const { return form->findChild<QCheckBox*>("CBShow"); }
    int LogLines() const { return Log()->document()->isEmpty() ? 0 : Log()->blockCount(); }

    test::TestEnv t;
    std::unique_ptr<TStores> stores;
    std::unique_ptr<TCCMCtrlForm> form;
  };

  static quint16 FreePort() {
    QUdpSocket probe;
    probe.bind(QHostAddress::AnyIPv4, 0);
    return probe.localPort();
  }
  static void Send(quint16 port, const QByteArray& datagram) {
    QUdpSocket sender;
    QCOMPARE(sender.writeDatagram(datagram, QHostAddress::LocalHost, port), datagram.size());
  }

 private slots:
  void StartsHiddenWithItsFoldersAndControls() {
    Fixture f;
    QVERIFY(!f.form->isVisible());
    QCOMPARE(f.form->windowTitle(), QString("CCMCtrlForm"));
    QVERIFY(FolderExists(GetLogFolder(f.t.env)));
    QVERIFY(FolderExists(GetRcdFolder(f.t.env)));
    QVERIFY(f.Show()->isChecked());
    QCOMPARE(f.Show()->text(), QString("表示する"));
    auto* close = f.form->findChild<QPushButton*>("BBClose");
    QCOMPARE(close->text(), QString("閉じる"));
    f.form->show();
    close->click();
    QVERIFY(!f.form->isVisible());
    QVERIFY(!f.form->ListenerActive());
  }

  void TicksAndAClosingGoOnDuringASlowStartUpLoad() {
    test::TestEnv t(EncodeDateTime(2020, 11, 13, 9, 4, 58));
    auto stores = std::make_unique<TStores>();
    for (int slot = 0; slot < kRoomSlots; ++slot) SetDefaultRoomEst(slot, stores->RoomEst[slot]);
    stores->RoomEst[1].Use = kUsePaused;
    SlowLoadForm form(t.env, *stores);
    form.SetPort(FreePort());
    bool loading = false;
    int ticksDuringLoad = 0;
    form.SetStatusRefresh([&] { ticksDuringLoad += loading ? 1 : 0; });
    form.SetSplashMessage([&](bool show, const std::string&) { loading = show && loading; });
    form.OnStep = [&](int step) {
      if (step != 0) return;
      loading = true;
      // The whole minute of a closing passes while the load runs (about 3 s).
      QTimer::singleShot(300, &form, [&] { t.clock.Set(EncodeDateTime(2020, 11, 13, 9, 5, 0)); });
      QTimer::singleShot(2500, &form, [&] { t.clock.Set(EncodeDateTime(2020, 11, 13, 9, 6, 0)); });
    };
    form.StartCycle();
    QTRY_VERIFY_WITH_TIMEOUT(form.StoresLoaded(), 20000);
    form.ComTimer.stop();
    form.StopNetwork();
    QVERIFY2(ticksDuringLoad >= 5, qPrintable(QString::number(ticksDuringLoad)));
    const std::string month = test::ReadFile(GetMonthFilePath(t.env, 1, t.env.Now()));
    QVERIFY2(month.find("T,2020/11/13 09:05,") != std::string::npos,
             (month + " ticks " + std::to_string(ticksDuringLoad)).c_str());
    QCOMPARE(FormatDateTime(kFmtRecordTime, stores->Dat(1).Rec[1].Time),
             std::string("2020/11/13 09:05"));
  }

  void RealDatagramsReachTheTableAndTheMonitor() {
    Fixture f;
    SetupCCMTable(f.form->Table(), f.stores->RoomEst);
    const quint16 port = FreePort();
    f.form->SetPort(port);
    QVERIFY(f.form->StartListener());
    QVERIFY(f.form->ListenerActive());
    QCOMPARE(f.form->Status().NetActive, uint8_t{1});

    // The port is held exclusively: a second window cannot start on it.
    Fixture other;
    other.form->SetPort(port);
    QVERIFY(!other.form->StartListener());
    QCOMPARE(other.form->Status().NetActive, uint8_t{0});

    const QByteArray temp = R"(<?xml version="1.0"?><UECS ver="1.00-E10">)"
                            R"(<DATA type="InAirTemp" room="1" region="0" order="0" priority="15">)"
                            "24.5</DATA><IP>127.0.0.1</IP></UECS>";
    Send(port, temp);
    Send(port,
         R"(<UECS><DATA type="SoilTemp.mIA" room="0" region="0" order="0">-1.5</DATA></UECS>)");
    Send(port, QByteArray("\xFF\xFEnot a CCM"));
    Send(port, QByteArray(static_cast<int>(kMaxDatagramSize), '<'));
    QTRY_COMPARE(f.form->Receiver().RecvCounter, 4);

    const TCCMData& air = f.form->Table().Cell[1][kAirTemperature];
    QCOMPARE(air.Valid, uint8_t{1});
    QCOMPARE(air.Value, 24.5);
    QCOMPARE(f.form->Table().Cell[1][kSoilTemperature].Value, -1.5);
    QCOMPARE(f.LogLines(), 4);
    QCOMPARE(f.Log()->document()->firstBlock().text(), "127.0.0.1:" + QString::fromUtf8(temp));
    QCOMPARE(f.Log()->document()->findBlockByNumber(2).text(),
             QString("127.0.0.1:\uFFFD\uFFFDnot a CCM"));

    StepRecvIndicator(f.form->Table(), f.form->Status());
    QCOMPARE(f.form->Status().RoomRecv[1], 1);

    // Stopped, it hears nothing more and frees the port.
    f.form->StopNetwork();
    QVERIFY(!f.form->ListenerActive());
    Send(port, temp);
    QTest::qWait(100);
    QCOMPARE(f.form->Receiver().RecvCounter, 4);
    QVERIFY(other.form->StartListener());
  }

  void TheLogIsTrimmedAndShowsOnlyWhileChecked() {
    Fixture f;
    for (int i = 0; i < 51; ++i) f.form->AddCCMLog("line " + std::to_string(i));
    QCOMPARE(f.LogLines(), 51);
    f.form->AddCCMLog("a\r\nb\r\nc");  // trimmed to 30 first; the first CR LF only is removed
    QCOMPARE(f.LogLines(), 32);
    QCOMPARE(f.Log()->document()->firstBlock().text(), QString("line 21"));
    QCOMPARE(f.Log()->document()->findBlockByNumber(30).text(), QString("ab"));
    QCOMPARE(f.Log()->document()->lastBlock().text(), QString("c"));
    f.form->AddCCMLog("one");
    QCOMPARE(f.LogLines(), 33);

    f.Show()->setChecked(false);
    f.form->AddCCMLog("hidden");
    ReceiveCCM(f.form->Receiver(), "127.0.0.1", "<UECS/>");
    QCOMPARE(f.LogLines(), 33);
    QCOMPARE(f.form->Receiver().RecvCounter, 1);
  }

  void TheDrawnLogFollowsItsLinesWhateverTheDrawingRhythm() {
    Fixture f;
    std::deque<QString> want;
    for (int i = 0; i < 300; ++i) {
      const std::string line = "line " + std::to_string(i) + (i % 7 == 0 ? "\r\nmore\rend" : "");
      f.form->AddCCMLog(line);
      if (want.size() > kCCMLogTrimAbove) {
        while (want.size() > kCCMLogTrimTo) want.pop_front();
      }
      const QString shown = QString::fromStdString(RemoveFirstCrLf(line));
      for (const QString& part : QString(shown).replace('\r', '\n').split('\n')) {
        want.push_back(part);
      }
      if (i % 3 == 0 || i % 11 == 0) {
        QCOMPARE(f.Log()->toPlainText(), QStringList(want.begin(), want.end()).join('\n'));
      }
    }
  }

  void AHugeDatagramIsShownCutButReadWhole() {
    Fixture f;
    SetupCCMTable(f.form->Table(), f.stores->RoomEst);
    std::string datagram = R"(<UECS><DATA type="InAirTemp" room="1" region="0" order="0">)"
                           R"(19.5</DATA></UECS><!--)";
    datagram += std::string(kMaxDatagramSize - datagram.size() - 3, 'x') + "-->";
    ReceiveCCM(f.form->Receiver(), "127.0.0.1", datagram);
    QCOMPARE(f.form->Table().Cell[1][kAirTemperature].Value, 19.5);
    QCOMPARE(f.LogLines(), 1);
    const QString shown = f.Log()->document()->firstBlock().text();
    QVERIFY(shown.startsWith("127.0.0.1:<UECS>"));
    QVERIFY(shown.endsWith(QString::fromUtf8("x…")));
    QVERIFY(shown.size() <= static_cast<qsizetype>(kCCMLogLineBytes) + 1);
  }

  void AddressChangesReachMyIPAndTheHistory() {
    Fixture f;
    const char* seen[] = {"", "192.0.2.5", "192.0.2.5", "198.51.100.7"};
    int look = 0;
    f.form->Watcher().SetLookup([&] { return std::string(seen[std::min(look++, 3)]); });
    f.form->Watcher().SetInterval(5);
    QVERIFY(f.form->StartWatcher());
    QVERIFY(f.form->WatcherActive());
    QTRY_COMPARE(f.form->Status().MyIP, std::string("198.51.100.7"));
    f.form->StopNetwork();
    QVERIFY(!f.form->WatcherActive());
    QCOMPARE(test::ReadFile(GetIpHistoryPath(f.t.env)),
             std::string("2020/11/13 09:05.07,192.0.2.5,\r\n"
                         "2020/11/13 09:05.07,198.51.100.7,\r\n"));
  }
};

}  // namespace velk

QTEST_MAIN(velk::CCMCtrlFormTest)
#include "ccm_ctrl_form_test.moc"
