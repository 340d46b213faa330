// SPDX-License-Identifier: MIT
// The settings view inside the real windows over a temporary application folder and a fake
// clock: its buttons, the questions and the save dialog answered as a user would, and what lands
// in the settings, record and monthly files, the header, the room list and the CCM listing.
#include <QAbstractItemModel>
#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QHostAddress>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QUdpSocket>
#include <deque>
#include <memory>

#include "acquisition/ccm_ctrl_form.h"
#include "acquisition/ccm_inventory_form.h"
#include "app/app_shell.h"
#include "app/header_texts.h"
#include "app/ui_main.h"
#include "app/velk_application.h"
#include "base/date_format.h"
#include "base/file_io.h"
#include "base/text_encoding.h"
#include "settings/setting_form.h"
#include "settings/settings_files.h"
#include "store/month_files.h"
#include "store/record_csv.h"
#include "store/system_log.h"
#include "support/file_dialog_answer.h"
#include "support/test_env.h"
#include "views/sun_times.h"

namespace velk {

class SettingFormTest : public QObject {
  Q_OBJECT

 private:
  // How the next modal window is answered.
  struct Answer {
    enum Kind { Ok, Cancel, Yes, SaveAs, CloseDialog } kind;
    QString path;
  };

  std::unique_ptr<test::TestEnv> t_;
  std::unique_ptr<TStores> stores_;
  std::unique_ptr<TAppShell> shell_;
  TSettingForm* form_ = nullptr;
  std::deque<Answer> answers_;
  QStringList seen_;  // message box texts and dialog titles, in the order they came up
  QTimer poll_;
  // Modal windows already answered: a save dialog is still up while its overwrite question goes.
  QList<QPointer<QWidget>> answered_;

  static QString Q(const std::string& s) { return QString::fromStdString(s); }
  std::string LogText() const { return test::ReadFile(GetLogFilePath(t_->env, t_->env.Now())); }

  // Answers the modal window that is up with the next answer; one nobody expected is noted and
  // closed, so a wrong question fails the test instead of hanging it.
  // The answer is queued: a modal window that opens another one (the overwrite question of the
  // save dialog) must not run its loop inside this timer's slot.
  void AnswerModal() {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || !modal->isVisible() || answered_.contains(modal)) return;
    answered_.removeAll(nullptr);
    answered_ << modal;
    if (answers_.empty()) {
      seen_ << QStringLiteral("UNEXPECTED ") + modal->windowTitle();
      QMetaObject::invokeMethod(modal, "close", Qt::QueuedConnection);
      return;
    }
    const Answer a = answers_.front();
    answers_.pop_front();
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
      seen_ << box->text();
      const auto button = a.kind == Answer::Ok    ? QMessageBox::Ok
                          : a.kind == Answer::Yes ? QMessageBox::Yes
                                                  : QMessageBox::Cancel;
      QAbstractButton* b = box->button(button);
      if (b == nullptr) {
        seen_ << QStringLiteral("NO SUCH BUTTON");
        QMetaObject::invokeMethod(box, "close", Qt::QueuedConnection);
      } else {
        QMetaObject::invokeMethod(b, "click", Qt::QueuedConnection);
      }
    } else if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
      seen_ << dialog->windowTitle() + " " + dialog->nameFilters().join(";;") + " " +
                   dialog->defaultSuffix();
      if (a.kind == Answer::SaveAs) {
        test::ChooseInFileDialog(dialog, a.path);
        QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
      } else {
        QMetaObject::invokeMethod(dialog, "reject", Qt::QueuedConnection);
      }
    } else {
      seen_ << QStringLiteral("UNKNOWN ") + modal->metaObject()->className();
      QMetaObject::invokeMethod(modal, "close", Qt::QueuedConnection);
    }
  }

  // Settings of a small site: room 1 cultivating since 2020/10/22, room 2 paused.
  void WriteSettings() {
    QVERIFY(EnsureFolders(t_->env));
    WriteSiteEst(t_->env, TSiteEst{35.6895, 139.6917, 40, 0});
    for (int n = 1; n <= 2; ++n) {
      TRoomEst room;
      SetDefaultRoomEst(n, room);
      room.Use = n == 1 ? kUseCultivating : kUsePaused;
      room.BeginDate = EncodeDate(2020, 10, 22);
      WriteRoomEst(t_->env, n, room);
    }
  }

  void Build(bool historyOnly = false, bool withSettings = true) {
    t_ = std::make_unique<test::TestEnv>(EncodeDateTime(2020, 11, 13, 10, 7, 30));
    t_->env.HistoryOnly = historyOnly;
    if (withSettings) WriteSettings();
    stores_ = std::make_unique<TStores>();
    shell_ = std::make_unique<TAppShell>(t_->env, *stores_);
    QUdpSocket probe;
    probe.bind(QHostAddress::LocalHost, 0);
    shell_->CCMCtrl->SetPort(probe.localPort());
    probe.close();
    form_ = shell_->Setting;
    shell_->Main->show();
    shell_->Main->TCMonItem->setCurrentIndex(4);
  }

  TSettingForm::TRoomControls& Room(int n) { return form_->Rooms[static_cast<size_t>(n - 1)]; }
  QString CheckedState(int n) {
    QAbstractButton* b = Room(n).State->checkedButton();
    return b ? b->text() : QString();
  }
  TRoomEst Saved(int n) {
    TRoomEst r;
    ReadRoomEst(t_->env, n, r);
    return r;
  }
  QStringList Events(int n) {
    QStringList texts;
    for (const TEventBase& e : stores_->RoomEvent[n].Event) {
      if (e.Date != 0) texts << Q(e.Text);
    }
    return texts;
  }
  // A click that runs to its end, answering the modal windows with `answers`.
  void Click(QAbstractButton* button, std::initializer_list<Answer> answers) {
    answers_.assign(answers.begin(), answers.end());
    seen_.clear();
    QTest::mouseClick(button, Qt::LeftButton);
    QVERIFY2(answers_.empty(), "a question or dialog did not come up");
  }
  void Tick(int n = 1) {
    for (int i = 0; i < n; ++i) shell_->CCMCtrl->ComTimerTimer();
  }
  void Second() { Tick(10 - shell_->CCMCtrl->Cycle().TickCount); }

 private slots:
  void initTestCase() {
    LoadJapaneseTranslations(*QCoreApplication::instance());
    poll_.setInterval(20);
    connect(&poll_, &QTimer::timeout, this, &SettingFormTest::AnswerModal);
    poll_.start();
  }

  void cleanup() {
    shell_.reset();
    stores_.reset();
    t_.reset();
    answers_.clear();
  }

  void showsTheLoadedSettingsOnce() {
    Build();
    QCOMPARE(form_->ELatitude->text(), QStringLiteral("35.6895"));
    QCOMPARE(form_->ELongitude->text(), QStringLiteral("139.6917"));
    QCOMPARE(form_->EElevation->text(), QStringLiteral("40"));
    QVERIFY(form_->DayBreakItems->button(0)->isChecked());
    QVERIFY(!form_->RGDayBreak->isEnabled());
    QCOMPARE(CheckedState(1), QStringLiteral("栽培中"));
    QCOMPARE(CheckedState(2), QStringLiteral("休止中"));
    QCOMPARE(CheckedState(5), QStringLiteral("未使用"));
    QCOMPARE(Room(3).EName->text(), QStringLiteral("栽培室3"));
    QCOMPARE(Room(3).CBRoomNo->currentIndex(), 3);
    QCOMPARE(Room(3).CBRoomNo->itemText(0), QStringLiteral("0 (全棟）"));
    QCOMPARE(Room(3).CBRegion->itemText(0), QStringLiteral("0 (全区）"));
    QCOMPARE(Room(3).CBOrder->itemText(0), QStringLiteral("0 (全機）"));
    QCOMPARE(Room(3).CBOrder->count(), 21);
    QCOMPARE(form_->LVersion->text(), QStringLiteral("Version 1.1.0.0"));
    // The view does not follow the room selector: nothing is re-read from the stores.
    stores_->RoomEst[3].Name = "changed elsewhere";
    shell_->Main->UpdateHeader();
    QCOMPARE(Room(3).EName->text(), QStringLiteral("栽培室3"));
  }

  void historyOnlyDisablesTheRoomsTheSiteAndTheDayBreak() {
    Build(true);
    QVERIFY(!form_->GBRoomEst->isEnabled());
    QVERIFY(!form_->GBSite->isEnabled());
    QVERIFY(!form_->RGDayBreak->isEnabled());
    QVERIFY(form_->BBUpdate->isEnabled());
    QVERIFY(!Room(1).SBSleep->isEnabled());
  }

  void applyTakesTheSiteUpToTheFirstBadEditAndSavesEverything() {
    Build();
    const QString sunriseBefore = shell_->Main->PSunrise->text();
    form_->ELatitude->setText(QStringLiteral("43.5"));
    form_->ELongitude->setText(QStringLiteral("abc"));
    form_->EElevation->setText(QStringLiteral("12"));
    Room(2).EName->setText(QStringLiteral("西ハウス"));
    Room(2).CBRegion->setCurrentIndex(3);
    Click(form_->BBUpdate, {{Answer::Ok, {}}});
    QCOMPARE(seen_, QStringList{QStringLiteral("数字以外の文字が含まれます")});
    QCOMPARE(stores_->SiteEst.Latitude, 43.5);
    QCOMPARE(stores_->SiteEst.Longitude, 139.6917);
    QCOMPARE(stores_->SiteEst.Elevation, int16_t{40});
    TSiteEst saved;
    QVERIFY(ReadSiteEst(t_->env, saved));
    QCOMPARE(saved.Latitude, 43.5);
    QCOMPARE(saved.Longitude, 139.6917);
    QCOMPARE(Saved(2).Name, std::string("西ハウス"));
    QCOMPARE(Saved(2).Region, int16_t{3});
    QCOMPARE(int(stores_->RoomEstChanged), 1);
    // The header shows the new site's sun times at once, the room list the new name.
    QVERIFY(shell_->Main->PSunrise->text() != sunriseBefore);
    QCOMPARE(shell_->Main->PSunrise->text(),
             Q(FormatDateTime(kFmtClock, stores_->RoomInfo[1].Sunrise)));
    QCOMPARE(shell_->Main->CBRoom->itemText(2), QStringLiteral("[No.2] 西ハウス(2-3-0)"));

    form_->ELatitude->setText(QStringLiteral("36"));
    form_->ELongitude->setText(QStringLiteral("140"));
    form_->EElevation->setText(QStringLiteral("12.5"));
    Click(form_->BBUpdate, {{Answer::Ok, {}}});
    QCOMPARE(seen_, QStringList{QStringLiteral("数字以外の文字が含まれます")});
    QCOMPARE(stores_->SiteEst.Latitude, 36.0);
    QCOMPARE(stores_->SiteEst.Longitude, 140.0);
    QCOMPARE(stores_->SiteEst.Elevation, int16_t{40});
  }

  void beginningCultivationAsksThenStartsTodayWithANewRecordFile() {
    Build();
    Room(3).EName->setText(QStringLiteral("3号ハウス"));  // typed, not applied
    Click(Room(3).SBBegin, {{Answer::Cancel, {}}});
    QCOMPARE(seen_, QStringList{QStringLiteral("部屋No.3\n今日から栽培開始でよろしいですか？")});
    QCOMPARE(CheckedState(3), QStringLiteral("未使用"));
    QCOMPARE(stores_->RoomEst[3].Use, kUseNone);
    QVERIFY(!FileExists(GetRecordCsvPath(t_->env, 3)));

    Click(Room(3).SBBegin, {{Answer::Ok, {}}});
    QCOMPARE(CheckedState(3), QStringLiteral("栽培中"));
    const TRoomEst saved = Saved(3);
    QCOMPARE(saved.Use, int32_t{kUseCultivating});
    QCOMPARE(saved.BeginDate, EncodeDate(2020, 11, 13));
    QCOMPARE(saved.Name, std::string("3号ハウス"));
    std::string csv;
    QVERIFY(Cp932ToUtf8(test::ReadFile(GetRecordCsvPath(t_->env, 3)), csv));
    QVERIFY(csv.find("3号ハウス") != std::string::npos);
    QCOMPARE(Events(3), QStringList{QStringLiteral("栽培開始")});
    QCOMPARE(stores_->RoomEvent[3].Event[0].Date, t_->env.Now());
    QVERIFY(test::ReadFile(GetMonthFilePath(t_->env, 3, t_->env.Now())).find("栽培開始") !=
            std::string::npos);
    QCOMPARE(shell_->Main->CBRoom->itemText(3), QStringLiteral("[No.3] 3号ハウス(3-0-0)"));
  }

  void endingCultivationCancelledAtTheSaveDialogChangesNothing() {
    Build();
    Click(Room(1).SBSleep, {{Answer::Ok, {}}, {Answer::CloseDialog, {}}});
    QCOMPARE(seen_.size(), 2);
    QCOMPARE(seen_.at(0), QStringLiteral("部屋No.1\n今日で栽培終了でよろしいですか？"));
    QCOMPARE(seen_.at(1),
             QStringLiteral("記録ファイルの保存先 CSV File (*.csv);;すべての形式 (*.*) csv"));
    QCOMPARE(CheckedState(1), QStringLiteral("栽培中"));
    QCOMPARE(stores_->RoomEst[1].Use, kUseCultivating);
    QVERIFY(Events(1).isEmpty());

    Click(Room(1).SBSleep, {{Answer::Cancel, {}}});
    QCOMPARE(CheckedState(1), QStringLiteral("栽培中"));
    QVERIFY(Events(1).isEmpty());
  }

  void retiringACultivatingRoomEndsItCopiesItsFileAndRetiresIt() {
    Build();
    Click(Room(1).SBBegin, {{Answer::Ok, {}}});
    const std::string copy = t_->folder.Path() + "harvest";  // the dialog adds ".csv"
    test::WriteFile(copy + ".csv", "an older copy");         // overwriting asks first
    Click(Room(1).SBNotUse,
          {{Answer::Ok, {}}, {Answer::SaveAs, Q(copy)}, {Answer::Yes, {}}, {Answer::Ok, {}}});
    QVERIFY2(seen_.size() == 4, qPrintable(seen_.join(" | ")));
    QCOMPARE(seen_.at(3), QStringLiteral("部屋No.1\nこの棟を管理対象から外してよろしいですか？"));
    QCOMPARE(test::ReadFile(copy + ".csv"), test::ReadFile(GetRecordCsvPath(t_->env, 1)));
    QCOMPARE(Events(1), (QStringList{QStringLiteral("管理終了"), QStringLiteral("栽培終了"),
                                     QStringLiteral("栽培開始")}));
    QCOMPARE(Saved(1).Use, int32_t{kUseNone});
    QCOMPARE(CheckedState(1), QStringLiteral("未使用"));
    QCOMPARE(shell_->Main->CBRoom->itemText(1), Q(RoomEntryText(1, stores_->RoomEst[1])));
  }

  void aFailedCopyIsLoggedAndTheCultivationStillEnds() {
    Build();
    const std::string nowhere = t_->folder.Path() + "missing/dir/out.csv";
    Click(Room(1).SBSleep, {{Answer::Ok, {}}, {Answer::SaveAs, Q(nowhere)}});
    // A record file that does not exist cannot be copied either.
    QVERIFY(LogText().find("DataAccess: CSVファイル移動（複写）失敗: ") != std::string::npos);
    QCOMPARE(Saved(1).Use, int32_t{kUsePaused});
    QCOMPARE(Events(1), QStringList{QStringLiteral("栽培終了")});
  }

  void pausedAndUnusedRoomsNeitherPassThroughAPauseNorRecordItTwice() {
    Build();
    // "未使用" on a paused room asks only its own question.
    Click(Room(2).SBNotUse, {{Answer::Cancel, {}}});
    QCOMPARE(CheckedState(2), QStringLiteral("休止中"));
    QVERIFY(Events(2).isEmpty());
    Click(Room(2).SBNotUse, {{Answer::Ok, {}}});
    QCOMPARE(Events(2), QStringList{QStringLiteral("管理終了")});
    QCOMPARE(Saved(2).Use, int32_t{kUseNone});
    // ... and on an unused room does nothing.
    Click(Room(2).SBNotUse, {});
    QCOMPARE(Events(2).size(), 1);

    // A double click on "休止中" of an unused room is one change with one event.
    QTest::mouseDClick(Room(4).SBSleep, Qt::LeftButton);
    QTest::mouseClick(Room(4).SBSleep, Qt::LeftButton);
    QCOMPARE(Events(4), QStringList{QStringLiteral("管理開始")});
    QCOMPARE(CheckedState(4), QStringLiteral("休止中"));
    QCOMPARE(Saved(4).Use, int32_t{kUsePaused});
  }

  // A fresh application folder: a grower pauses and then starts room 1, sets its numbers,
  // applies, and the readings of its node reach the live record, the listing and the files.
  void aFreshFolderRecordsOnceRoomOneIsStarted() {
    Build(false, false);
    QCOMPARE(CheckedState(1), QStringLiteral("未使用"));
    Click(Room(1).SBSleep, {});
    Click(Room(1).SBBegin, {{Answer::Ok, {}}});
    Room(1).CBRoomNo->setCurrentIndex(7);
    Room(1).CBRegion->setCurrentIndex(1);
    Room(1).CBOrder->setCurrentIndex(1);
    Click(form_->BBUpdate, {});
    QCOMPARE(Events(1), (QStringList{QStringLiteral("栽培開始"), QStringLiteral("管理開始")}));

    Tick(20);  // the start-up load, in steps of the event loop
    QTRY_VERIFY(shell_->CCMCtrl->StoresLoaded());
    Tick(1);  // the listener starts
    QVERIFY(shell_->CCMCtrl->ListenerActive());
    QUdpSocket node;
    const auto send = [&](const char* type, int room, const char* value) {
      const QByteArray d = QStringLiteral(
                               "<?xml version=\"1.0\"?><UECS ver=\"1.00-E10\"><DATA type=\"%1\" "
                               "room=\"%2\" region=\"1\" order=\"1\" priority=\"15\">%3</DATA>"
                               "<IP>192.168.1.64</IP></UECS>")
                               .arg(QString::fromLatin1(type))
                               .arg(room)
                               .arg(QString::fromLatin1(value))
                               .toUtf8();
      node.writeDatagram(d, QHostAddress::LocalHost, shell_->CCMCtrl->Port());
    };
    send("InAirTemp", 7, "21.5");
    send("InAirTemp", 2, "18.0");  // room 2 is not in use
    QTRY_COMPARE(shell_->CCMCtrl->Receiver().RecvCounter, 2);
    Second();
    QCOMPARE(int(stores_->Dat(1).Rec[0].Item[kAirTemperature].Valid), 1);
    QCOMPARE(stores_->Dat(1).Rec[0].Item[kAirTemperature].Avg, 21.5f);

    // The listing, opened from the settings view, tells which key feeds what.
    QTest::mouseClick(form_->BBInventory, Qt::LeftButton);
    TCCMInventoryForm* list = shell_->CCMCtrl->InventoryForm();
    QVERIFY(list != nullptr && list->isVisible());
    QCOMPARE(list->windowTitle(), QStringLiteral("受信CCM一覧"));
    const QAbstractItemModel* m = list->GList->model();
    QCOMPARE(m->rowCount(), 2);
    list->GList->sortByColumn(kInvRoom, Qt::AscendingOrder);
    const auto cell = [&](int row, int column) { return m->index(row, column).data().toString(); };
    QCOMPARE(cell(0, kInvRoom), QStringLiteral("2"));
    QCOMPARE(cell(0, kInvFeeds), QStringLiteral("該当なし"));
    QCOMPARE(cell(1, kInvType), QStringLiteral("InAirTemp"));
    QCOMPARE(cell(1, kInvPeer), QStringLiteral("127.0.0.1"));
    QCOMPARE(cell(1, kInvValue), QStringLiteral("21.5"));
    QCOMPARE(cell(1, kInvPerMinute), QStringLiteral("1"));
    QCOMPARE(cell(1, kInvFeeds), QStringLiteral("1号棟 気温"));
    send("CO2", 7, "400");
    QTRY_COMPARE(shell_->CCMCtrl->Inventory().Size(), 3);
    QTRY_COMPARE(m->rowCount(), 3);  // refreshed once a second while shown
    // The monitor window opens the same listing.
    list->BBClose->click();
    QVERIFY(!list->isVisible());
    auto* monitorButton = shell_->CCMCtrl->findChild<QPushButton*>(QStringLiteral("BBInventory"));
    QVERIFY(monitorButton != nullptr);
    monitorButton->click();
    QVERIFY(list->isVisible());
    QCOMPARE(shell_->CCMCtrl->InventoryForm(), list);

    // The 5-minute closing writes the reading into the monthly and record files.
    t_->clock.Set(EncodeDateTime(2020, 11, 13, 10, 10, 0, 300));
    Second();
    const std::string month = test::ReadFile(GetMonthFilePath(t_->env, 1, t_->env.Now()));
    QVERIFY(month.find("T,2020/11/13 10:10,,,,21.5,21.5,21.5,") != std::string::npos);
    std::string csv;
    QVERIFY(Cp932ToUtf8(test::ReadFile(GetRecordCsvPath(t_->env, 1)), csv));
    QVERIFY(csv.find("2020/11/13 10:10,,,,21.5,21.5,21.5,") != std::string::npos);
  }
};

}  // namespace velk

QTEST_MAIN(velk::SettingFormTest)
#include "setting_form_test.moc"
