// SPDX-License-Identifier: MIT
// The current status view over a fixture monthly file loaded into a temporary application folder
// with the fake clock: the grid as the grower sees it, the painted limit colours, the memo box
// and the notices.
#include "views/now_status_form.h"

#include <QApplication>
#include <QImage>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <filesystem>
#include <memory>

#include "acquisition/live_value_table.h"
#include "settings/settings_files.h"
#include "store/month_files.h"
#include "store/record_stats.h"
#include "store/system_log.h"
#include "support/test_env.h"

namespace velk {

class NowStatusFormTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<test::TestEnv> t_;
  std::unique_ptr<TStores> stores_;
  std::unique_ptr<TNowStatusForm> form_;
  TSystemSts status_;

  template <typename T>
  T* Find(const char* name) {
    T* w = form_->findChild<T*>(QLatin1String(name));
    if (!w) qFatal("missing control %s", name);
    return w;
  }
  QString Cell(int column, int row) {
    auto* grid = Find<QTableView>("GMain");
    return grid->model()->index(row, column).data().toString();
  }
  QStringList Lines(const char* list) {
    QStringList lines;
    auto* w = Find<QListWidget>(list);
    for (int i = 0; i < w->count(); ++i) lines << w->item(i)->text();
    return lines;
  }
  // The colour painted near the bottom-right corner of a cell, away from its text.
  QColor Painted(const QImage& image, int column, int row) {
    auto* grid = Find<QTableView>("GMain");
    const QRect r = grid->visualRect(grid->model()->index(row, column));
    return image.pixelColor(r.bottomRight() - QPoint(4, 4));
  }
  static void TypeText(QWidget* w, const QString& text) {
    QInputMethodEvent commit;
    commit.setCommitString(text);
    QApplication::sendEvent(w, &commit);
  }
  std::string MonthFile() { return test::ReadFile(GetRcdFolder(t_->env) + "/Room1_202006.TDB"); }

 private slots:
  void init() {
    t_ = std::make_unique<test::TestEnv>(EncodeDateTime(2020, 6, 21, 10, 2, 30));
    QVERIFY(EnsureFolders(t_->env));
    std::filesystem::copy_file(VELK_FIXTURES "/views/Room1_202006.TDB",
                               GetRcdFolder(t_->env) + "/Room1_202006.TDB");
    stores_ = std::make_unique<TStores>();
    for (int n = 1; n <= 2; ++n) SetDefaultRoomEst(n, stores_->RoomEst[n]);
    stores_->RoomEst[1].Use = kUseCultivating;
    stores_->RoomEst[2].Use = kUsePaused;
    TDataEst& air = stores_->RoomEst[1].Data[kAirTemperature];
    air.Dec = 1;
    air.UpperLimit = 30;
    air.LowerLimit = 20;
    TMonthEventLines events;
    QVERIFY(LoadRoomRecords(t_->env, 1, stores_->Dat(1), &events));
    QVERIFY(LoadRoomEvents(t_->env, 1, stores_->RoomEvent[1], &events));
    QVERIFY(ScanDataPeriod(stores_->Dat(1), stores_->RoomInfo[1]));
    // The live record as the acquisition writes it every second.
    TRecDat& live = stores_->Dat(1).Rec[0];
    live = TRecDat{};
    live.Time = t_->env.Now();
    live.Item[kAirTemperature] = {1, 25.46f, 25.46f, 25.46f};
    live.Item[kSolarRadiation] = {1, 0.5f, 0.5f, 0.5f};
    status_ = TSystemSts{};
    form_ = std::make_unique<TNowStatusForm>(t_->env, *stores_, nullptr);
    form_->SetStatusSource(&status_);
    form_->resize(1008, 561);
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    form_->RefreshView();
    form_->SetRoomSlot(1);
  }
  void cleanup() {
    form_.reset();
    stores_.reset();
    t_.reset();
  }

  void GridShowsEveryColumnOfAnItem() {
    const int row = 2 + kAirTemperature;
    const QStringList want = {"気温", "25.5  ↑", "31.5", "25.0", "19.0",
                              "24.4", "23.5",    "22.3", "20.9", "℃"};
    for (int c = 0; c < kNowGridCols; ++c) QCOMPARE(Cell(c, row), want[c]);
    QCOMPARE(Cell(1, 0), QStringLiteral("現在"));
    QCOMPARE(Cell(4, 1), QStringLiteral("最低"));
    // Solar radiation: equal live and 5-minute values, no arrow; humidity never received.
    QCOMPARE(Cell(1, 2 + kSolarRadiation).endsWith(QStringLiteral("↑")), false);
    QCOMPARE(Cell(1, 2 + kHumidity), QStringLiteral("--"));
    QCOMPARE(Cell(8, 2 + kHumidity), QStringLiteral("--"));
  }

  void MarkedCellsArePaintedInTheirColours() {
    const int row = 2 + kAirTemperature;
    const QImage image = Find<QTableView>("GMain")->viewport()->grab().toImage();
    QCOMPARE(Painted(image, 2, row), QColor(255, 237, 193));  // 31.5 above 30
    QCOMPARE(Painted(image, 4, row), QColor(200, 255, 255));  // 19 below 20
    QCOMPARE(Painted(image, 3, row), form_->palette().color(QPalette::Base));
    // A room without limits is never coloured.
    form_->SetRoomSlot(2);
    QCOMPARE(Cell(0, row), QStringLiteral("気温"));
    QCOMPARE(Cell(2, row), QStringLiteral("--"));
    const QImage other = Find<QTableView>("GMain")->viewport()->grab().toImage();
    QCOMPARE(Painted(other, 2, row), form_->palette().color(QPalette::Base));
  }

  void MemoIsAddedToTheListAndTheMonthlyFile() {
    QCOMPARE(Lines("LBMemo"), QStringList({"2020/06/15 | 誘引, 1回目", "2020/06/01 | 定植日"}));
    auto* edit = Find<QLineEdit>("EEventLog");
    edit->setFocus();
    TypeText(edit, QStringLiteral("花が咲いた🌸"));
    QTest::mouseClick(Find<QPushButton>("BBWriteMemo"), Qt::LeftButton);
    QCOMPARE(Lines("LBMemo").value(0), QStringLiteral("2020/06/21 | 花が咲いた🌸"));
    QCOMPARE(Lines("LBMemo").size(), 3);
    QVERIFY(edit->text().isEmpty());
    QCOMPARE(stores_->RoomEvent[1].Event[0].Text, std::string("花が咲いた🌸"));
    const std::string line = "E,2020/06/21 10:02,\"花が咲いた🌸\",\r\n";
    const std::string file = MonthFile();
    QVERIFY(file.size() >= line.size());
    QCOMPARE(file.substr(file.size() - line.size()), line);

    // Enter does what the button does; a 51st character is refused.
    t_->clock.AdvanceSeconds(60);
    QTest::keyClicks(edit, QString(51, QLatin1Char('a')));
    QCOMPARE(edit->text(), QString(50, QLatin1Char('a')));
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(Lines("LBMemo").value(0), "2020/06/21 | " + QString(50, QLatin1Char('a')));
    QCOMPARE(stores_->RoomEvent[1].Count, 4);

    // An empty edit adds nothing.
    const std::string before = MonthFile();
    QTest::mouseClick(Find<QPushButton>("BBWriteMemo"), Qt::LeftButton);
    QCOMPARE(stores_->RoomEvent[1].Count, 4);
    QCOMPARE(Lines("LBMemo").size(), 4);
    QCOMPARE(MonthFile(), before);
  }

  void NoticesForRoomsInUseWithoutData() {
    QVERIFY(Lines("LBInfo").isEmpty());
    status_.RoomLost[2] = 1;
    status_.RoomLost[3] = 1;  // not in use
    form_->SetRoomSlot(1);
    QCOMPARE(Lines("LBInfo"), QStringList({"[No.2]: 全データ未受信"}));
    status_.RoomLost[2] = 0;
    form_->SetRoomSlot(1);
    QVERIFY(Lines("LBInfo").isEmpty());
  }
};

}  // namespace velk

QTEST_MAIN(velk::NowStatusFormTest)
#include "now_status_form_test.moc"
