// SPDX-License-Identifier: MIT
// The real windows over a temporary application folder: a record file imported through the file
// button with its dialogs answered, a history-only instance browsing it, printing to a PDF file,
// and the data check view.
#include <QAbstractItemModel>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPrintDialog>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

#include "acquisition/ccm_ctrl_form.h"
#include "analysis/condition_form.h"
#include "analysis/future_form.h"
#include "app/app_shell.h"
#include "app/process_form.h"
#include "app/ui_main.h"
#include "app/velk_application.h"
#include "base/date_format.h"
#include "base/number_format.h"
#include "base/text_encoding.h"
#include "settings/settings_files.h"
#include "store/data_form.h"
#include "store/record_csv.h"
#include "store/record_ring.h"
#include "store/system_log.h"
#include "support/file_dialog_answer.h"
#include "support/test_env.h"
#include "views/now_status_form.h"
#include "views/past_status_form.h"

namespace velk {

class FileModeTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<test::TestEnv> t_;
  std::unique_ptr<TStores> stores_;
  std::unique_ptr<TAppShell> shell_;

  std::string LogText() const { return test::ReadFile(GetLogFilePath(t_->env, t_->env.Now())); }

  void Build(bool historyOnly) {
    t_ = std::make_unique<test::TestEnv>(EncodeDateTime(2020, 11, 20, 10, 7, 30));
    t_->env.HistoryOnly = historyOnly;
    QVERIFY(EnsureFolders(t_->env));
    stores_ = std::make_unique<TStores>();
    shell_ = std::make_unique<TAppShell>(t_->env, *stores_);
    shell_->Main->show();
  }

  // A record file as room 1 writes it: 600 records from 2020/11/10 00:00, a memo at 23:55.
  std::string WriteRoomFile() {
    TRoomEst room;
    SetDefaultRoomEst(1, room);
    std::string text = FormatRecordCsvHeader(room);
    const TDateTime first = EncodeDate(2020, 11, 10);
    for (int i = 0; i < 600; ++i) {
      TRecDat r{};
      r.Time = first + i * kPeriodDays;
      r.Item[kAirTemperature] = {1, 20.5f, 21, 20};
      text += FormatRecordCsvLine(i == 287 ? " 摘葉" : "", r);
    }
    const std::string path = t_->folder.Path() + "Room1.csv";
    test::WriteFile(path, Utf8ToCp932(text));
    return path;
  }

  // Runs `answer` on every modal window that comes up until it returns true, and notes whether
  // the progress dialog was seen with its text.
  bool progressSeen_ = false;
  void AnswerModals(std::function<bool(QWidget*)> answer) {
    progressSeen_ = false;
    auto* poll = new QTimer(shell_->Main);
    poll->setInterval(0);
    connect(poll, &QTimer::timeout, poll, [this, poll, answer] {
      if (shell_->Process->isVisible() &&
          shell_->Process->PStatus->text() == QStringLiteral("ファイル読み込み中...")) {
        progressSeen_ = true;
      }
      QWidget* modal = QApplication::activeModalWidget();
      if (modal && modal->isVisible() && answer(modal)) poll->deleteLater();
    });
    poll->start();
  }

  // Chooses `path` in the file dialog and notes the text of the result box.
  QString boxText_;
  void ChooseFile(const QString& path) {
    boxText_.clear();
    AnswerModals([this, path](QWidget* modal) {
      if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
        test::ChooseInFileDialog(dialog, path);
        static_cast<QDialog*>(dialog)->accept();
        return false;
      }
      if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        boxText_ = box->text();
        box->button(QMessageBox::Ok)->click();
        return true;
      }
      return false;
    });
  }

 private slots:
  void initTestCase() { LoadJapaneseTranslations(*QCoreApplication::instance()); }

  void cleanup() {
    shell_.reset();
    stores_.reset();
    t_.reset();
  }

  void theFileButtonImportsIntoTheFileSlot() {
    Build(false);
    const QString path = QString::fromStdString(WriteRoomFile());
    ChooseFile(path);
    QTest::mouseClick(shell_->Main->BBFile, Qt::LeftButton);
    QVERIFY(progressSeen_);
    QVERIFY(!shell_->Process->isVisible());
    QCOMPARE(boxText_, QStringLiteral("ファイルからデータを読み込みました。\n"
                                      "開始日時：2020/11/10\n終了日時：2020/11/12 1:55:00\n"
                                      "読込データ数：600"));
    QCOMPARE(shell_->Main->CBRoom->currentIndex(), 0);
    QCOMPARE(shell_->Main->CBRoom->itemText(0), QStringLiteral("ファイル：") + path);
    QCOMPARE(shell_->Main->PNowTime->text(), QStringLiteral("2020年11月12日 01:55.00"));
    QCOMPARE(shell_->Main->PGrowTime->text(), QStringLiteral("0週3日 / 3日目"));
    QCOMPARE(stores_->RoomEvent[0].Event[0].Text, std::string(" 摘葉"));
    // The "現在" view shows the file slot: its memo list holds the imported memo.
    shell_->Main->MainTimerTimer();
    const auto* memos = shell_->NowStatus->findChild<QListWidget*>(QStringLiteral("LBMemo"));
    QVERIFY(memos);
    QVERIFY(memos->count() >= 1);
    QVERIFY(memos->item(0)->text().contains(QStringLiteral("摘葉")));
    // Every browsing view is handed the file slot when it is the active one.
    TItemBaseForm* views[] = {shell_->NowStatus, shell_->PastStatus, shell_->Condition,
                              shell_->Future};
    for (int tab = 0; tab < 4; ++tab) {
      shell_->Main->TCMonItem->setCurrentIndex(tab);
      shell_->Main->MainTimerTimer();
      QCOMPARE(views[tab]->RoomSlot(), 0);
    }
    // Slots 1 to 5 are not touched.
    QCOMPARE(stores_->Dat(1).Rec[1].Time, 0.0);
  }

  void aFailedImportShowsItsBoxOrOnlyItsLogLine() {
    Build(false);
    const std::string noData = t_->folder.Path() + "nodata.csv";
    test::WriteFile(noData, ",\r\n2020/11/13 09:05,,,,\r\n");
    ChooseFile(QString::fromStdString(noData));
    QTest::mouseClick(shell_->Main->BBFile, Qt::LeftButton);
    QCOMPARE(boxText_, QStringLiteral("読込に失敗しました"));
    QCOMPARE(shell_->Main->CBRoom->currentIndex(), 1);  // the selector stays

    const std::string word = t_->folder.Path() + "word.csv";
    test::WriteFile(word, "Greenhouse,1\r\n");
    ChooseFile(QString::fromStdString(word));
    QTimer::singleShot(2000, [] {  // no box comes: end the wait for one
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) box->close();
    });
    QTest::mouseClick(shell_->Main->BBFile, Qt::LeftButton);
    QVERIFY(boxText_.isEmpty());
    QVERIFY(LogText().find("Main: CSVファイル読込異常: " + word) != std::string::npos);
    QCOMPARE(shell_->Main->CBRoom->itemText(0),
             QStringLiteral("ファイル：") + QString::fromStdString(word));
    QVERIFY(shell_->Main->BBFile->isEnabled());
  }

  void aHistoryOnlyInstanceBrowsesTheImportedFile() {
    Build(true);
    ChooseFile(QString::fromStdString(WriteRoomFile()));
    QTest::mouseClick(shell_->Main->BBFile, Qt::LeftButton);
    QVERIFY(boxText_.startsWith(QStringLiteral("ファイルからデータを読み込みました。")));
    QVERIFY(!shell_->Main->CBRoom->isEnabled());
    QCOMPARE(shell_->Main->CBRoom->currentIndex(), 0);
    shell_->Main->MainTimerTimer();
    QCOMPARE(shell_->NowStatus->RoomSlot(), 0);
    QCOMPARE(shell_->Main->PNowTime->text(), QStringLiteral("2020年11月12日 01:55.00"));
    // The memo went to slot 0's monthly file in this instance too; the log stays untouched.
    QVERIFY(test::ReadFile(GetRcdFolder(t_->env) + "/Room0_202011.TDB").find("摘葉") !=
            std::string::npos);
    QVERIFY(LogText().empty());
  }

  void printingToAPdfFileAfterTheSetUpDialog() {
    Build(false);
    const QString pdf = QString::fromStdString(t_->folder.Path() + "print.pdf");
    QPrinter& printer = shell_->Main->Printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    const auto answer = [this](bool ok) {
      AnswerModals([ok](QWidget* modal) {
        auto* dialog = qobject_cast<QPrintDialog*>(modal);
        if (!dialog) return false;
        ok ? dialog->accept() : dialog->reject();
        return true;
      });
    };
    answer(false);
    QTest::mouseClick(shell_->Main->BBPrint, Qt::LeftButton);
    QVERIFY(!QFile::exists(pdf));
    QVERIFY(LogText().find("印刷") == std::string::npos);

    answer(true);
    QTest::mouseClick(shell_->Main->BBPrint, Qt::LeftButton);
    QFile file(pdf);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.read(5) == "%PDF-");
    QVERIFY(file.size() > 10'000);  // a page with a picture on it
    QVERIFY(LogText().find("印刷") == std::string::npos);

    // A printer that cannot write its file: the failure is logged.
    printer.setOutputFileName(QString::fromStdString(t_->folder.Path() + "no/such/dir/x.pdf"));
    answer(true);
    QTest::mouseClick(shell_->Main->BBPrint, Qt::LeftButton);
    QVERIFY(LogText().find("Main: 印刷プロセス失敗") != std::string::npos);
  }

  void theDataCheckViewShowsTheStoresOnShowData() {
    Build(false);
    TRoomDat& room2 = stores_->Dat(2);
    room2.Rec[0].Time = EncodeDateTime(2020, 11, 20, 10, 7, 30);
    room2.Rec[0].Item[kHumidity] = {1, 12.3f, 12.3f, 12.3f};
    room2.Day[0].Time = EncodeDate(2020, 11, 20);
    room2.Day[0].Item[kHumidity] = {1, 60, 70, 50};
    room2.Edge[0].Start[kHumidity] = 55;
    room2.Edge[0].End[kHumidity] = 65;

    // Shift+click on the logo opens the window.
    QTest::mouseClick(shell_->Main->Logo, Qt::LeftButton, Qt::ShiftModifier);
    TDataForm* form = shell_->Data;
    QVERIFY(form->isVisible());
    QCOMPARE(form->windowTitle(), QStringLiteral("Data Check"));
    QCOMPARE(form->CBRoom->currentText(), QStringLiteral("File data"));
    QVERIFY(form->SBTimeD->isChecked());
    const QAbstractItemModel* grid = form->SGData->model();
    QCOMPARE(grid->rowCount(), 0);  // the header row only
    QCOMPARE(grid->columnCount(), 30);
    QCOMPARE(grid->headerData(0, Qt::Horizontal).toString(), QStringLiteral("1 Avg"));
    QCOMPARE(grid->headerData(29, Qt::Horizontal).toString(), QStringLiteral("10 Min"));
    QCOMPARE(form->SGData->verticalHeader()->defaultSectionSize(), 18);
    QVERIFY(!form->SGData->showGrid());

    // Slot 0 right after start: every row empty.
    QTest::mouseClick(form->BBShow, Qt::LeftButton);
    QCOMPARE(grid->rowCount(), kRingSize);
    QCOMPARE(grid->headerData(kRingLast, Qt::Vertical).toString(),
             QStringLiteral("1899/12/30 00:00"));
    QCOMPARE(grid->index(0, 0).data().toString(), QString());

    // Room 2: its live record in row 1; changing the selection alone changes nothing.
    form->CBRoom->setCurrentIndex(2);
    QCOMPARE(grid->headerData(0, Qt::Vertical).toString(), QStringLiteral("1899/12/30 00:00"));
    QTest::mouseClick(form->BBShow, Qt::LeftButton);
    QCOMPARE(grid->headerData(0, Qt::Vertical).toString(), QStringLiteral("2020/11/20 10:07"));
    for (int c = 6; c < 9; ++c) {
      QCOMPARE(grid->index(0, c).data().toString(), QStringLiteral("12.3000001907349"));
    }
    QCOMPARE(grid->index(0, 9).data().toString(), QString());

    // Day base on "ShowData" only: five cells per item.
    QTest::mouseClick(form->SpeedButton1, Qt::LeftButton);
    QVERIFY(!form->SBTimeD->isChecked());
    QCOMPARE(grid->columnCount(), 30);
    QTest::mouseClick(form->BBShow, Qt::LeftButton);
    QCOMPARE(grid->columnCount(), 50);
    QCOMPARE(grid->headerData(49, Qt::Horizontal).toString(), QStringLiteral("10 End"));
    QCOMPARE(grid->headerData(0, Qt::Vertical).toString(), QStringLiteral("2020/11/20"));
    const QStringList day = {"60", "70", "50", "55", "65"};
    for (int p = 0; p < 5; ++p) QCOMPARE(grid->index(0, 10 + p).data().toString(), day[p]);
    QCOMPARE(grid->headerData(kDayCount, Qt::Vertical).toString(), QString());
    QCOMPARE(form->SGData->horizontalHeader()->sectionResizeMode(0), QHeaderView::Interactive);
  }
};

}  // namespace velk

QTEST_MAIN(velk::FileModeTest)
#include "file_mode_test.moc"
