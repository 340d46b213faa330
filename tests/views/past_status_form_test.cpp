// SPDX-License-Identifier: MIT
// The past records view over monthly files of a test folder: check boxes, spans, navigation with
// auto-repeat, zoom and undo, the histogram dialog, the window export and the event markers.
#include <qcustomplot.h>
#include <QApplication>
#include <QCheckBox>
#include <QFileDialog>
#include <QListWidget>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <cmath>
#include <memory>

#include "base/date_format.h"
#include "base/file_io.h"
#include "base/text_encoding.h"
#include "settings/settings_files.h"
#include "store/month_files.h"
#include "store/record_stats.h"
#include "store/system_log.h"
#include "support/file_dialog_answer.h"
#include "support/test_env.h"
#include "views/day_sel_form.h"
#include "views/hist_graph_form.h"
#include "views/past_export.h"
#include "views/past_status_form.h"

namespace velk {

namespace {

const double kFirstDay = EncodeDate(2020, 11, 3);
const double kNow = EncodeDateTime(2020, 11, 13, 9, 5, 7);
const double kGap = EncodeDateTime(2020, 11, 13, 3, 0);  // a record without air temperature

// Air temperature 10 + hour of day, humidity 60 + hour, every other item missing.
TRecDat Record(double time) {
  TRecDat r{};
  r.Time = time;
  const float hour = static_cast<float>(HourOf(time));
  r.Item[kAirTemperature] = {static_cast<uint8_t>(std::abs(time - kGap) > kMinute), 10 + hour,
                             11 + hour, 9 + hour};
  r.Item[kHumidity] = {1, 60 + hour, 62 + hour, 58 + hour};
  return r;
}

}  // namespace

class PastStatusFormTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<test::TestEnv> t_;
  std::unique_ptr<TStores> stores_;
  std::unique_ptr<THistGraphForm> hist_;
  std::unique_ptr<TDaySelForm> daySel_;
  std::unique_ptr<TPastStatusForm> form_;

  TPastStatusForm& F() { return *form_; }
  TRoomDat& Store() { return stores_->Dat(1); }
  double WindowStart() { return F().View().WindowEnd - F().View().Span; }
  QCPGraph* Series(int s) { return F().LineSeries[static_cast<size_t>(s)]; }

  // Monthly files with the records of 2020/11/03 00:00 to 2020/11/13 09:00 and two events, loaded
  // as at start-up; then the view takes room 1.
  void Build() {
    t_ = std::make_unique<test::TestEnv>(kNow);
    QVERIFY(EnsureFolders(t_->env));
    std::string text;
    for (double m = 0; kFirstDay + m * kMinute <= EncodeDateTime(2020, 11, 13, 9, 0); m += 5) {
      text += FormatMonthRecordLine(Record(kFirstDay + m * kMinute)) + "\r\n";
    }
    text += FormatMonthEventLine({EncodeDateTime(2020, 11, 12, 8, 30), "定植日", {}}) + "\r\n";
    text += FormatMonthEventLine({EncodeDateTime(2020, 11, 4, 12, 0), "開花日", {}}) + "\r\n";
    test::WriteFile(GetMonthFilePath(t_->env, 1, kNow), text);

    stores_ = std::make_unique<TStores>();
    for (int s = 0; s < kRoomSlots; ++s) SetDefaultRoomEst(s, stores_->RoomEst[s]);
    TMonthEventLines events;
    QVERIFY(LoadRoomRecords(t_->env, 1, Store(), &events));
    QVERIFY(ScanDataPeriod(Store(), stores_->RoomInfo[1]));
    QVERIFY(LoadRoomEvents(t_->env, 1, stores_->RoomEvent[1], &events));

    hist_ = std::make_unique<THistGraphForm>(nullptr);
    form_ = std::make_unique<TPastStatusForm>(t_->env, *stores_, nullptr);
    form_->SetHistGraphForm(hist_.get());
    daySel_ = std::make_unique<TDaySelForm>(t_->env, *stores_, nullptr);
    form_->SetDaySelForm(daySel_.get());
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    form_->SetRoomSlot(1);
  }

  // A check box takes the click on its box, which lies at its left end.
  void Click(QAbstractButton* b) {
    const bool box = qobject_cast<QCheckBox*>(b) != nullptr;
    QTest::mouseClick(b, Qt::LeftButton, {}, box ? QPoint(6, b->height() / 2) : b->rect().center());
  }

  // Runs `answer` on the next modal dialog once it is up.
  template <typename Fn>
  void OnNextModal(Fn answer) {
    QTimer::singleShot(0, this, [this, answer] {
      QWidget* modal = QApplication::activeModalWidget();
      if (!modal) return OnNextModal(answer);
      answer(modal);
    });
  }

 private slots:
  void cleanup() {
    form_.reset();
    daySel_.reset();
    hist_.reset();
    stores_.reset();
    t_.reset();
  }

  void showsTheNewestDayOfTheRoomWithItemNames() {
    Build();
    QCOMPARE(F().CBItem[kAirTemperature]->text(), QStringLiteral("気温"));
    QCOMPARE(F().View().WindowEnd, EncodeDate(2020, 11, 14));
    QVERIFY(F().SBSpan[0]->isChecked());
    QCOMPARE(F().CtMain->xAxis->range().lower, EncodeDate(2020, 11, 13));
    QCOMPARE(F().CtMain->xAxis->range().upper, EncodeDate(2020, 11, 14));
    // Labels at exact steps from midnight, in the span's format.
    QCOMPARE(F().CtMain->xAxis->tickVectorLabels().first(), QStringLiteral("11/13 00:00"));
    QCOMPARE(F().CtMain->xAxis->tickVectorLabels().at(1), QStringLiteral("11/13 03:00"));
    // No item yet: the time axis only.
    QVERIFY(Series(kSerAxis)->data()->size() > 100);
    QCOMPARE(Series(kSerAvg)->data()->size(), 0);
  }

  void checkBoxesAndSpansChooseTheSeries() {
    Build();
    Click(F().CBItem[kAirTemperature]);
    QCPGraph* avg = Series(kSerAvg);
    // 00:00 to 09:00, then the empty records of the running period (09:05) and the live one.
    QCOMPARE(avg->data()->size(), 9 * 12 + 3);
    QVERIFY(std::isnan(avg->data()->at(110)->value));
    QCOMPARE(avg->data()->at(2)->value, 10.0);
    QVERIFY(std::isnan(avg->data()->at(36)->value));  // 03:00 leaves a gap
    QCOMPARE(avg->data()->at(36)->key, kGap);
    QCOMPARE(avg->data()->at(108)->value, 19.0);

    // Two kinds for one item lock the other items; unchecking one frees them.
    Click(F().CBKind[kKindMax]);
    QVERIFY(Series(kSerMax)->visible());
    // "最大" skips the null points (03:00 and the empty records after 09:00) instead of breaking.
    QCOMPARE(Series(kSerMax)->data()->size(), 9 * 12);
    QCOMPARE(Series(kSerMax)->data()->at(107)->value, 20.0);
    QVERIFY(!F().CBItem[kHumidity]->isEnabled());
    Click(F().CBKind[kKindMax]);
    QVERIFY(F().CBItem[kHumidity]->isEnabled());

    // A month: the moving averages and the candles are offered, and drawn from the daily records.
    Click(F().SBSpan[2]);
    QCOMPARE(F().CtMain->xAxis->range().lower, EncodeDate(2020, 10, 15));
    QVERIFY(QRegularExpression(QStringLiteral("^\\d\\d/\\d\\d$"))
                .match(F().CtMain->xAxis->tickVectorLabels().first())
                .hasMatch());
    QCOMPARE(avg->data()->size(), 11);
    QVERIFY(F().CBKind[kKindCandle]->isEnabled());
    Click(F().CBKind[kKind3Avg]);
    Click(F().CBKind[kKindCandle]);
    QCOMPARE(Series(kSer3Avg)->data()->size(), 11);
    QCOMPARE(F().CandleUp->data()->size() + F().CandleDown->data()->size(), 11);
    QCOMPARE(F().CandleUp->data()->at(0)->close, 33.0);  // 23:55 of the first day

    // Back to a day: both are unchecked and disabled.
    Click(F().SBSpan[0]);
    QVERIFY(!F().CBKind[kKind3Avg]->isChecked());
    QVERIFY(!F().CBKind[kKind3Avg]->isEnabled());
    QVERIFY(!F().CBKind[kKindCandle]->isChecked());
    QCOMPARE(Series(kSer3Avg)->data()->size(), 0);

    // Two items: one line each on its own axis, the single-item series hidden.
    Click(F().CBItem[kHumidity]);
    QVERIFY(!Series(kSerAvg)->visible());
    QCOMPARE(Series(kSerLine1)->data()->at(108)->value, 19.0);
    QCOMPARE(Series(kSerLine1 + 1)->data()->at(108)->value, 69.0);
    QCOMPARE(Series(kSerLine1 + 1)->valueAxis(), F().CtMain->yAxis2);
    QVERIFY(!F().CBKind[kKindMax]->isEnabled());
  }

  void stepsAndHoldingTheArrowRepeat() {
    Build();
    const double newest = EncodeDate(2020, 11, 14);
    Click(F().BBStartDay);
    QCOMPARE(F().View().WindowEnd, kFirstDay + 1);
    Click(F().BBNewest);
    QCOMPARE(F().View().WindowEnd, newest);
    Click(F().BBFront);
    QCOMPARE(F().View().WindowEnd, newest);
    for (int i = 0; i < 8; ++i) Click(F().BBBack);
    QCOMPARE(F().View().WindowEnd, newest - 8);

    // Held for one second (ten ticks): five ticks of delay, five steps, and one on release.
    QTest::mousePress(F().BBFront, Qt::LeftButton);
    for (int i = 0; i < 10; ++i) F().TimerS1STimer();
    QTest::mouseRelease(F().BBFront, Qt::LeftButton);
    QCOMPARE(F().View().WindowEnd, newest - 2);
    // Leaving the button with the mouse held stops the repetition.
    QTest::mousePress(F().BBBack, Qt::LeftButton);
    for (int i = 0; i < 6; ++i) F().TimerS1STimer();
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(F().BBBack, &leave);
    for (int i = 0; i < 10; ++i) F().TimerS1STimer();
    QCOMPARE(F().View().WindowEnd, newest - 3);
    QCOMPARE(F().TimerS1S.interval(), 100);
    QVERIFY(F().TimerS1S.isActive());
  }

  void zoomByRectangleThenUndo() {
    Build();
    Click(F().CBItem[kHumidity]);
    Click(F().CBItem[kAirTemperature]);
    Click(F().CBItem[kCO2]);
    QCustomPlot* c = F().CtMain;
    const QCPRange x = c->xAxis->range();
    QCPAxis* third = F().CustomAxis[0];
    const QRect plot = c->axisRect()->rect();
    const QPoint press = plot.topLeft() + QPoint(100, 40);
    const QPoint release = plot.topLeft() + QPoint(300, 200);
    QCOMPARE(c->selectionRectMode(), QCP::srmCustom);
    const double pressX = c->xAxis->pixelToCoord(press.x());
    const double pressRow = third->pixelToCoord(press.y());
    const double releaseRow = third->pixelToCoord(release.y());
    QTest::mousePress(c, Qt::LeftButton, {}, press);
    QTest::mouseMove(c, release);
    QTest::mouseRelease(c, Qt::LeftButton, {}, release);
    QVERIFY(F().Zoomed());
    QVERIFY(F().BBRecover->isEnabled());
    QVERIFY(qAbs(c->xAxis->range().lower - pressX) < 1e-9);
    QVERIFY(c->xAxis->range().size() < x.size() / 4);
    // The custom axes span the release row (minimum) to the press row (maximum).
    QCOMPARE(third->range().lower, releaseRow);
    QCOMPARE(third->range().upper, pressRow);

    // New data do not move a zoomed chart.
    Store().Rec[0].Time += kSecond;
    F().SetRoomSlot(1);
    QVERIFY(F().Zoomed());

    Click(F().BBRecover);
    QVERIFY(!F().Zoomed());
    QVERIFY(!F().BBRecover->isEnabled());
    QCOMPARE(c->xAxis->range().lower, x.lower);
    QCOMPARE(c->xAxis->range().upper, x.upper);
  }

  void daySelectionCentresOnTheChosenMemo() {
    Build();
    Click(F().SBSpan[1]);
    const double end = F().View().WindowEnd;
    // Cancelled: neither the window nor the band change.
    OnNextModal([&](QWidget* modal) {
      QVERIFY(qobject_cast<TDaySelForm*>(modal));
      QTest::mouseClick(modal->findChild<QPushButton*>(QStringLiteral("BBCancel")), Qt::LeftButton);
    });
    Click(F().BBSelDay);
    QCOMPARE(F().View().WindowEnd, end);
    QVERIFY(!F().MarkupBack->visible());

    // The memo "開花日" of 2020/11/04 12:00 picked from the list and confirmed.
    QStringList lines;
    OnNextModal([&](QWidget* modal) {
      auto* list = modal->findChild<QListWidget*>(QStringLiteral("LBResult"));
      for (int i = 0; i < list->count(); ++i) lines << list->item(i)->text();
      QList<QListWidgetItem*> found = list->findItems(QStringLiteral("開花日"), Qt::MatchEndsWith);
      QCOMPARE(found.size(), 1);
      QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                        list->visualItemRect(found[0]).center());
      QTest::mouseClick(modal->findChild<QPushButton*>(QStringLiteral("BBOk")), Qt::LeftButton);
    });
    Click(F().BBSelDay);
    QCOMPARE(lines.size(), 2);
    QCOMPARE(F().View().MarkupDay, EncodeDateTime(2020, 11, 4, 12, 0));
    // Centred on 2020/11/04 the week would start before the data (2020/11/03): it ends on 11/09.
    QCOMPARE(WindowStart(), EncodeDate(2020, 11, 2));
    QCOMPARE(F().View().WindowEnd, EncodeDate(2020, 11, 9));
    QVERIFY(F().MarkupBack->visible());
    QCOMPARE(F().MarkupBack->data()->at(0)->key, EncodeDate(2020, 11, 4));
    QCOMPARE(F().MarkupBack->data()->at(1)->key, EncodeDate(2020, 11, 5));
  }

  void histogramOfTheWindow() {
    Build();
    Click(F().CBItem[kHumidity]);
    QString caption;
    QVector<double> keys, values;
    OnNextModal([&](QWidget* modal) {
      auto* dialog = qobject_cast<THistGraphForm*>(modal);
      QVERIFY(dialog);
      caption = dialog->windowTitle();
      for (auto it = dialog->Bars->data()->constBegin(); it != dialog->Bars->data()->constEnd();
           ++it) {
        keys << it->key;
        values << it->value;
      }
      Click(dialog->BBClose);
    });
    Click(F().BBHistogram);
    QCOMPARE(caption, QStringLiteral("ヒストグラム: 湿度"));
    QCOMPARE(keys.size(), 30);
    // Averages 60 + hour on 2020/11/13, 00:00 to 09:00: w = -0.3, bin 0 at 69 holds the one
    // record of 09:00, and the twelve of midnight's hour (60) fall into the last bin, 60.3.
    QCOMPARE(keys.last(), 69.0);
    QCOMPARE(values.last(), 1 * 5.0);
    QVERIFY(qAbs(keys.first() - 60.3) < 1e-5);
    QCOMPARE(values.first(), 12 * 5.0);
    double minutes = 0;
    for (double v : values) minutes += v;
    QCOMPARE(minutes, (9 * 12 + 1) * 5.0);

    // Candles or no item: no dialog.
    Click(F().CBItem[kHumidity]);
    Click(F().BBHistogram);
    QVERIFY(!hist_->isVisible());
  }

  void exportTheWindowAsRecordCsv() {
    Build();
    const QString path = QString::fromStdString(t_->folder.Path()) + QStringLiteral("day.csv");
    test::WriteFile(path.toStdString(), "old");
    bool asked = false;
    OnNextModal([&](QWidget* modal) {
      auto* dialog = qobject_cast<QFileDialog*>(modal);
      QVERIFY(dialog);
      test::ChooseInFileDialog(dialog, path);
      // Replacing the existing file is confirmed first.
      OnNextModal([&](QWidget* question) {
        auto* box = qobject_cast<QMessageBox*>(question);
        QVERIFY(box);
        asked = true;
        box->button(QMessageBox::Yes)->click();
      });
      QMetaObject::invokeMethod(dialog, "accept");
    });
    Click(F().BBSaveCsv);
    QVERIFY(asked);
    std::string text;
    QVERIFY(Cp932ToUtf8(test::ReadFile(path.toStdString()), text));
    QCOMPARE(text, FormatPastWindowCsv(stores_->RoomEst[1], Store(), 1, EncodeDate(2020, 11, 14)));
    QVERIFY(text.find("2020/11/13 09:00,") != std::string::npos);
  }

  void eventMarkersWithTheirTexts() {
    Build();
    F().CtMain->replot();
    const double planted = EncodeDateTime(2020, 11, 12, 8, 30);
    QCOMPARE(F().CtMain->itemCount(), 0);  // nothing on 2020/11/13
    Click(F().SBSpan[1]);
    QCOMPARE(F().CtMain->itemCount(), 1);
    const int x = static_cast<int>(F().CtMain->xAxis->coordToPixel(planted));
    QCOMPARE(F().MarkerTextAt(x + 2), QStringLiteral("2020/11/12 08:30 定植日"));
    QVERIFY(F().MarkerTextAt(x + 20).isEmpty());
    Click(F().SBSpan[2]);
    QCOMPARE(F().CtMain->itemCount(), 2);
  }

  void showPeriodHoldsAgainstTheOnceASecondUpdate() {
    Build();
    F().ShowPeriod(EncodeDateTime(2020, 11, 6, 10, 0), EncodeDateTime(2020, 11, 8, 15, 0));
    QVERIFY(F().SBSpan[1]->isChecked());
    QCOMPARE(F().View().Span, 7);
    QCOMPARE(WindowStart(), EncodeDate(2020, 11, 4));
    QCOMPARE(F().View().WindowEnd, EncodeDate(2020, 11, 11));
    QVERIFY(F().MarkupBack->visible());
    QCOMPARE(F().MarkupBack->data()->at(0)->key, EncodeDate(2020, 11, 6));
    QCOMPARE(F().MarkupBack->data()->at(1)->key, EncodeDate(2020, 11, 9));
    for (int i = 0; i < 3; ++i) {
      Store().Rec[0].Time += kSecond;
      F().SetRoomSlot(1);
    }
    QCOMPARE(F().View().WindowEnd, EncodeDate(2020, 11, 11));
    // A step removes the band.
    Click(F().BBBack);
    QVERIFY(!F().MarkupBack->visible());
  }

  void badInputNeverBreaksTheDrawing() {
    Build();
    stores_->RoomEst[1].Data[kHumidity].Name = "&湿<b>度</b>";
    F().RefreshView();
    QCOMPARE(F().CBItem[kHumidity]->text(), QStringLiteral("&&湿<b>度</b>"));
    // Extreme values scale the axis without hanging; a window of invalid cells draws no line.
    for (int p = 0; p < 300; ++p) {
      Store().Rec[p].Item[kHumidity].Avg = (p % 2) ? 3.4e38f : -3.4e38f;
      Store().Rec[p].Item[kCO2].Valid = 0;
    }
    Click(F().CBItem[kHumidity]);
    QVERIFY(F().CtMain->yAxis->range().upper >= 3.3e38);
    Click(F().CBItem[kHumidity]);
    Click(F().CBItem[kCO2]);
    QCOMPARE(Series(kSerAvg)->data()->size(), Series(kSerAxis)->data()->size());
    F().CtMain->grab();
  }
};

}  // namespace velk

QTEST_MAIN(velk::PastStatusFormTest)
#include "past_status_form_test.moc"
