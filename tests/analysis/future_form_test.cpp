// SPDX-License-Identifier: MIT
// The forecast view driven through its controls: the day pickers answered in the real dialog,
// the day number and date picker, "計算", the result fields, the charts and the settings file.
#include "analysis/future_form.h"

#include <qcustomplot.h>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <functional>
#include <memory>

#include "base/text_encoding.h"
#include "settings/settings_files.h"
#include "store/record_stats.h"
#include "store/system_log.h"
#include "support/test_env.h"
#include "views/day_sel_form.h"

namespace velk {

class FutureFormTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<test::TestEnv> t_;
  std::unique_ptr<TStores> stores_;
  std::unique_ptr<QWidget> main_;
  TDaySelForm* daySel_ = nullptr;
  TFutureForm* form_ = nullptr;

  static QString Q(const char* s) { return QString::fromUtf8(s); }

  // Runs `act` once a modal widget is up, for the next exec() that follows.
  static void WhenModal(std::function<void(QWidget*)> act) {
    QTimer::singleShot(0, [act] {
      QWidget* modal = QApplication::activeModalWidget();
      QVERIFY(modal != nullptr);
      act(modal);
    });
  }
  // Picks a day in the day selection dialog by one of its buttons, then OK or cancel.
  void Pick(QPushButton* picker, const char* source, bool ok) {
    WhenModal([this, source, ok](QWidget* modal) {
      QCOMPARE(modal, daySel_);
      if (source) QTest::mouseClick(daySel_->findChild<QToolButton*>(Q(source)), Qt::LeftButton);
      QTest::mouseClick(daySel_->findChild<QPushButton*>(Q(ok ? "BBOk" : "BBCancel")),
                        Qt::LeftButton);
    });
    QTest::mouseClick(picker, Qt::LeftButton);
  }
  void Answer(QMessageBox::StandardButton button, QString* text) {
    WhenModal([button, text](QWidget* modal) {
      auto* box = qobject_cast<QMessageBox*>(modal);
      QVERIFY(box != nullptr);
      *text = box->text();
      box->button(button)->click();
    });
  }
  void MakeForm() {
    form_ = new TFutureForm(t_->env, *stores_, main_.get());
    form_->SetDaySelForm(daySel_);
    form_->SetRoomSlot(1);
    form_->resize(1200, 600);
    form_->show();
    form_->RefreshView();
  }

 private slots:
  // Room 1 cultivating since 2020/04/01 with 20 ℃ in every 5-minute record up to now,
  // 2020/04/15 10:00.
  void init() {
    t_ = std::make_unique<test::TestEnv>(EncodeDateTime(2020, 4, 15, 10, 0));
    stores_ = std::make_unique<TStores>();
    for (int n = 0; n < kRoomSlots; ++n) SetDefaultRoomEst(n, stores_->RoomEst[n]);
    stores_->RoomEst[1].BeginDate = EncodeDate(2020, 4, 1);
    TRoomDat& d = stores_->Dat(1);
    const TDateTime now = t_->env.Now();
    const int count = static_cast<int>((now - EncodeDate(2020, 4, 1)) * 288 + 0.5);
    for (int k = 0; k <= count; ++k) {
      d.Rec[k].Time = now - k * 5 * kMinute;
      d.Rec[k].Item[kAirTemperature] = {1, 20.0f, 20.0f, 20.0f};
    }
    BuildDailyRecords(d);
    QVERIFY(ScanDataPeriod(d, stores_->RoomInfo[1]));
    QVERIFY(EnsureFolders(t_->env));
    main_ = std::make_unique<QWidget>();
    main_->resize(1200, 700);
    main_->show();
    daySel_ = new TDaySelForm(t_->env, *stores_, main_.get());
    MakeForm();
  }
  void cleanup() {
    main_.reset();
    stores_.reset();
    t_.reset();
  }

  void firstDisplayShowsNoResults() {
    for (int p = 0; p < kFuturePanels; ++p) {
      QCOMPARE(form_->PPass[p]->text(), Q("--"));
      QCOMPARE(form_->PLater[p]->text(), Q("--"));
      QCOMPARE(form_->PReach[p]->text(), Q("--"));
      QCOMPARE(form_->CBTarget[p]->count(), 10);
      QCOMPARE(form_->CBTarget[p]->currentText(), Q("気温"));
      QCOMPARE(form_->EBegin[p]->text(), Q("2020年04月15日"));
      QCOMPARE(form_->EEnd[p]->text(), Q("最新日:2020年04月15日"));
      QCOMPARE(form_->Chart[p]->graph(0)->dataCount(), 0);
    }
  }

  void upperPanelAnswersTheThreeQuestions() {
    Pick(form_->BBBegin[0], "SBStart", true);  // the dialog's start day: code 6
    QCOMPARE(form_->EBegin[0]->text(), Q("栽培開始日:2020年04月01日"));
    QCOMPARE(form_->Model().Est(0).BDay, EncodeDate(2020, 4, 1));
    Pick(form_->BBEnd[0], "SBFinish", true);
    QCOMPARE(form_->EEnd[0]->text(), Q("最新日:2020年04月15日"));
    form_->SELater[0]->setValue(20);
    QCOMPARE(form_->DTLater[0]->date(), QDate(2020, 4, 20));
    form_->EOverVal[0]->setText(QStringLiteral("250"));
    QTest::mouseClick(form_->BBCalc[0], Qt::LeftButton);
    QCOMPARE(form_->PPass[0]->text(), Q("300.0 ℃ d"));
    QCOMPARE(form_->PLater[0]->text(), Q("400.0 ℃ d"));
    QCOMPARE(form_->PReach[0]->text(), Q("13日目 2020年04月13日"));
    QCOMPARE(form_->PPass[1]->text(), Q("--"));
    // Fifteen days of data and the projection on to the 20th, dashed, from the 15th.
    QCPGraph* data = form_->Chart[0]->graph(0);
    QCPGraph* proj = form_->Chart[0]->graph(1);
    QCOMPARE(data->dataCount(), 15);
    QCOMPARE(data->data()->at(14)->value, 300.0);
    QCOMPARE(proj->dataCount(), 21);
    QCOMPARE(proj->pen().style(), Qt::DashLine);
    QCOMPARE(data->pen().color(), QColor(255, 127, 64));
    QCOMPARE(data->pen().width(), 2);
    QCOMPARE(form_->Chart[1]->graph(0)->dataCount(), 0);

    // A degree-day base of 18: two a day.
    form_->EBase[0]->setText(QStringLiteral("18"));
    QTest::mouseClick(form_->BBCalc[0], Qt::LeftButton);
    QCOMPARE(form_->PPass[0]->text(), Q("30.0 ℃ d (基準値 18)"));
  }

  void lowerPanelPickersAndCancel() {
    // The latest day is no begin day: its kind is dropped and the date kept.
    Pick(form_->BBBegin[1], "SBFinish", true);
    QCOMPARE(form_->EBegin[1]->text(), Q("2020年04月15日"));
    QCOMPARE(form_->Model().Est(1).BEvent, 0);
    QCOMPARE(form_->Model().Est(1).BDay, stores_->RoomInfo[1].LastDate);
    // The start of data is no end day of kind "栽培開始日" either.
    Pick(form_->BBEnd[1], "SBStart", true);
    QCOMPARE(form_->EEnd[1]->text(), Q("2020年04月01日"));
    // Cancel changes nothing.
    Pick(form_->BBEnd[1], "SBFinish", false);
    QCOMPARE(form_->EEnd[1]->text(), Q("2020年04月01日"));
    QCOMPARE(form_->EBegin[0]->text(), Q("2020年04月15日"));

    // Begin and end on the cultivation start: one day, then projected at 20 a day.
    Pick(form_->BBBegin[1], "SBStart", true);
    QCOMPARE(form_->EBegin[1]->text(), Q("栽培開始日:2020年04月01日"));
    Pick(form_->BBEnd[1], "SBStart", true);
    form_->SELater[1]->setValue(10);
    form_->EOverVal[1]->setText(QStringLiteral("100"));
    QTest::mouseClick(form_->BBCalc[1], Qt::LeftButton);
    QCOMPARE(form_->PPass[1]->text(), Q("20.0 ℃ d"));  // 1 April through 1 April
    QCOMPARE(form_->PLater[1]->text(), Q("200.0 ℃ d"));
    QCOMPARE(form_->PReach[1]->text(), Q("5日目 2020年04月05日"));
  }

  void dayNumberAndDatePickerFollowEachOther() {
    Pick(form_->BBBegin[0], "SBStart", true);
    QCOMPARE(form_->DTLater[0]->minimumDate(), QDate(2020, 4, 1));
    form_->SELater[0]->setValue(200);
    QCOMPARE(form_->DTLater[0]->date(), QDate(2020, 10, 17));
    form_->DTLater[0]->setDate(QDate(2020, 5, 5));
    QCOMPARE(form_->SELater[0]->value(), 35);
    // Day 0 would be before the begin day: the picker keeps its date.
    form_->SELater[0]->setValue(0);
    QCOMPARE(form_->DTLater[0]->date(), QDate(2020, 5, 5));
    form_->SELater[0]->setValue(65535);
    QTest::mouseClick(form_->BBCalc[0], Qt::LeftButton);
    QCOMPARE(form_->Model().Est(0).LaterDays, 65535);
    QVERIFY(form_->PLater[0]->text().endsWith(Q(" ℃ d")));
  }

  void aBadNumberWarnsAndKeepsThePreviousValue() {
    Pick(form_->BBBegin[0], "SBStart", true);
    form_->EOverVal[0]->setText(QStringLiteral("300"));
    QTest::mouseClick(form_->BBCalc[0], Qt::LeftButton);
    form_->EOverVal[0]->setText(QStringLiteral("３００x"));
    QString text;
    Answer(QMessageBox::Ok, &text);
    QTest::mouseClick(form_->BBCalc[0], Qt::LeftButton);
    QCOMPARE(text, Q("数字以外の文字が含まれます"));
    QCOMPARE(form_->Model().Est(0).OverVal, 300.0);
    QCOMPARE(form_->EOverVal[0]->text(), Q("300.0"));
    QCOMPARE(form_->PReach[0]->text(), Q("15日目 2020年04月15日"));

    // A typed target that names no item computes nothing.
    form_->CBTarget[0]->setEditText(QStringLiteral("温度"));
    QTest::mouseClick(form_->BBCalc[0], Qt::LeftButton);
    QCOMPARE(form_->PPass[0]->text(), Q("--"));
    QCOMPARE(form_->PReach[0]->text(), Q("--"));
  }

  void settingsSurviveARestartAndKeepOtherSections() {
    const std::string path = GetSiteEstPath(t_->env);
    test::WriteFile(path, Utf8ToCp932("[ConditionEst]\r\nItem0=3\r\n"));
    delete form_;
    MakeForm();
    Pick(form_->BBBegin[1], "SBStart", true);
    form_->CBTarget[1]->setCurrentIndex(7);
    form_->SELater[1]->setValue(200);
    form_->EOverVal[1]->setText(QStringLiteral("4000"));
    form_->EBase[1]->setText(QStringLiteral("10"));
    form_->FormClose();  // the application closes
    delete form_;

    MakeForm();
    QCOMPARE(form_->CBTarget[1]->currentText(), Q("地温"));
    QCOMPARE(form_->EBegin[1]->text(), Q("栽培開始日:2020年04月01日"));
    QCOMPARE(form_->SELater[1]->value(), 200);
    QCOMPARE(form_->DTLater[1]->date(), QDate(2020, 10, 17));
    QCOMPARE(form_->EOverVal[1]->text(), Q("4000.0"));
    QCOMPARE(form_->EBase[1]->text(), Q("10"));
    QCOMPARE(form_->PPass[1]->text(), Q("--"));
    std::string ini;
    Cp932ToUtf8(test::ReadFile(path), ini);
    QVERIFY2(ini.find("[ConditionEst]\r\nItem0=3\r\n") != std::string::npos, ini.c_str());
    QVERIFY2(ini.find("BDay1=2020/04/01\r\n") != std::string::npos, ini.c_str());
  }
};

}  // namespace velk

QTEST_MAIN(velk::FutureFormTest)
#include "future_form_test.moc"
