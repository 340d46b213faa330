// SPDX-License-Identifier: MIT
// The day selection dialog driven through its buttons, list, spin edits, keyword edit and
// calendar, shown modally as its callers use it.
#include "views/day_sel_form.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <functional>
#include <memory>

#include "support/test_env.h"

namespace velk {

class DaySelFormTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<test::TestEnv> t_;
  std::unique_ptr<TStores> stores_;
  std::unique_ptr<QWidget> main_;
  TDaySelForm* form_ = nullptr;

  template <typename T>
  T* Find(const char* name) {
    T* w = form_->findChild<T*>(QLatin1String(name));
    if (!w) qFatal("missing control %s", name);
    return w;
  }
  QStringList ResultTexts() {
    QStringList lines;
    auto* list = Find<QListWidget>("LBResult");
    for (int i = 0; i < list->count(); ++i) lines << list->item(i)->text();
    return lines;
  }
  void ClickResult(int row) {
    auto* list = Find<QListWidget>("LBResult");
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(row)).center());
  }
  // Japanese text arrives from the input method as a committed string.
  static void TypeText(QWidget* w, const QString& text) {
    QInputMethodEvent commit;
    commit.setCommitString(text);
    QApplication::sendEvent(w, &commit);
  }
  // Runs `act` on the dialog once it is up modally, then returns what exec() returned.
  int ExecWith(std::function<void()> act) {
    QTimer::singleShot(0, [this, act] {
      QVERIFY(QApplication::activeModalWidget() == form_);
      act();
    });
    return form_->exec();
  }

 private slots:
  void init() {
    t_ = std::make_unique<test::TestEnv>(EncodeDateTime(2020, 6, 21, 10, 37));
    stores_ = std::make_unique<TStores>();
    stores_->RoomInfo[2].StartDate = EncodeDateTime(2020, 1, 10, 8, 5);
    stores_->RoomInfo[2].LastDate = EncodeDateTime(2020, 6, 21, 10, 35);
    stores_->RoomEst[2].BeginDate = EncodeDate(2020, 3, 1);
    TRoomEventDat& events = stores_->RoomEvent[2];
    events.Event[0] = {EncodeDateTime(2020, 5, 5, 14, 20), "誘引", {}};
    events.Event[1] = {EncodeDateTime(2020, 4, 2, 9, 0), "摘果, 1回目", {}};
    events.Event[2] = {EncodeDateTime(2020, 3, 1, 8, 0), "定植日", {}};
    events.Event[3] = {EncodeDateTime(2020, 4, 20, 9, 0), "摘果 2回目", {}};
    main_ = std::make_unique<QWidget>();
    main_->resize(1000, 700);
    main_->show();
    form_ = new TDaySelForm(t_->env, *stores_, main_.get());
  }
  void cleanup() {
    main_.reset();
    stores_.reset();
    t_.reset();
  }

  void ControlsFollowEachOther() {
    form_->SetSlot(2);
    form_->PresetDate(EncodeDate(2020, 6, 1));
    form_->PresetDayKind(4);  // a forecast's own code
    QCOMPARE(form_->windowTitle(), QStringLiteral("発生日を選択"));
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_));
    // Every event listed on show, most recently added first.
    QCOMPARE(ResultTexts(), QStringList({"2020/05/05 | 誘引", "2020/04/02 | 摘果, 1回目",
                                         "2020/03/01 | 定植日", "2020/04/20 | 摘果 2回目"}));
    auto* byStart = Find<QSpinBox>("SEByStart");
    auto* byNow = Find<QSpinBox>("SEByNow");
    auto* calendar = Find<QCalendarWidget>("CalView");
    QCOMPARE(byStart->value(), 92);
    QCOMPARE(byNow->value(), 20);
    QVERIFY(Find<QToolButton>("SBAnyday")->isChecked());

    QTest::mouseClick(Find<QToolButton>("SBFinish"), Qt::LeftButton);
    QCOMPARE(form_->SelectedDate(), EncodeDateTime(2020, 6, 21, 10, 35));
    QCOMPARE(form_->DayKind(), kDayKindLatest);
    QCOMPARE(byNow->value(), 0);
    QCOMPARE(calendar->selectedDate(), QDate(2020, 6, 21));
    QVERIFY(Find<QToolButton>("SBFinish")->isChecked());

    // Three days before the newest data, same time of day; the kind stays.
    byNow->setFocus();
    byNow->selectAll();
    QTest::keyClicks(byNow, "3");
    QCOMPARE(form_->SelectedDate(), EncodeDateTime(2020, 6, 18, 10, 35));
    QCOMPARE(form_->DayKind(), kDayKindLatest);
    QCOMPARE(calendar->selectedDate(), QDate(2020, 6, 18));
    QCOMPARE(byStart->value(), 109);
    QVERIFY(Find<QToolButton>("SBAnyday")->isChecked());

    // A memo from the list keeps its time of day: setting the calendar and the spin edits
    // from it does not select their own dates.
    ClickResult(0);
    QCOMPARE(form_->SelectedDate(), EncodeDateTime(2020, 5, 5, 14, 20));
    QCOMPARE(form_->DayKind(), kDayKindLatest);
    QCOMPARE(calendar->selectedDate(), QDate(2020, 5, 5));
    QCOMPARE(byStart->value(), 65);
    QCOMPARE(byNow->value(), 46);

    QTest::mouseClick(Find<QToolButton>("SBAnyday"), Qt::LeftButton);
    QCOMPARE(form_->SelectedDate(), EncodeDate(2020, 5, 5));
    QCOMPARE(form_->DayKind(), kDayKindAnyDay);

    QTest::mouseClick(Find<QToolButton>("SBStart"), Qt::LeftButton);
    QCOMPARE(form_->SelectedDate(), EncodeDateTime(2020, 1, 10, 8, 5));
    QCOMPARE(form_->DayKind(), kDayKindFirst);
    QCOMPARE(byStart->value(), 0);  // before the cultivation began

    byStart->setValue(10);  // as the spin arrows do
    QCOMPARE(form_->SelectedDate(), EncodeDate(2020, 3, 11));
    QCOMPARE(form_->DayKind(), kDayKindFirst);

    calendar->setSelectedDate(QDate(2020, 2, 14));  // as a click on a day does
    QCOMPARE(form_->SelectedDate(), EncodeDate(2020, 2, 14));
    QCOMPARE(form_->DayKind(), kDayKindAnyDay);
    QVERIFY(Find<QToolButton>("SBAnyday")->isChecked());
  }

  void PresetDayKindPutsItsButtonDown() {
    form_->PresetDayKind(kDayKindFirst);
    QVERIFY(Find<QToolButton>("SBStart")->isChecked());
    form_->PresetDayKind(kDayKindLatest);
    QVERIFY(Find<QToolButton>("SBFinish")->isChecked());
    form_->PresetDayKind(2);
    QVERIFY(Find<QToolButton>("SBAnyday")->isChecked());
    QCOMPARE(form_->DayKind(), 2);
  }

  void KeywordSearch() {
    form_->SetSlot(2);
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_));
    auto* keyword = Find<QLineEdit>("EKeyWord");
    keyword->setFocus();
    TypeText(keyword, QStringLiteral("摘果"));
    QTest::mouseClick(Find<QPushButton>("BBSerch"), Qt::LeftButton);
    QCOMPARE(ResultTexts(), QStringList({"2020/04/02 | 摘果, 1回目", "2020/04/20 | 摘果 2回目"}));
    // Enter searches and leaves the dialog open.
    keyword->setText(QStringLiteral("定植"));
    keyword->setFocus();
    QTest::keyClick(keyword, Qt::Key_Return);
    QVERIFY(form_->isVisible());
    QCOMPARE(ResultTexts(), QStringList({"2020/03/01 | 定植日"}));
    // Focus coming back to the edit searches again.
    Find<QPushButton>("BBOk")->setFocus();
    keyword->setText(QString());
    keyword->setFocus();
    QTRY_COMPARE(ResultTexts().size(), 4);
    // A slot outside the stores keeps the lines.
    form_->SetSlot(9);
    QTest::mouseClick(Find<QPushButton>("BBSerch"), Qt::LeftButton);
    QCOMPARE(ResultTexts().size(), 4);
  }

  void ModalResults() {
    form_->SetSlot(2);
    form_->PresetDayKind(kDayKindAnyDay);
    QCOMPARE(ExecWith([this] {
               ClickResult(2);
               QTest::mouseClick(Find<QPushButton>("BBOk"), Qt::LeftButton);
             }),
             int(QDialog::Accepted));
    QCOMPARE(form_->SelectedDate(), EncodeDateTime(2020, 3, 1, 8, 0));
    // Centred on the main window.
    QCOMPARE(form_->frameGeometry().center().x(), main_->frameGeometry().center().x());
    QVERIFY(form_->windowFlags() & Qt::WindowStaysOnTopHint);

    QCOMPARE(ExecWith([this] {
               Find<QToolButton>("SBStart")->click();
               QTest::mouseClick(Find<QPushButton>("BBCancel"), Qt::LeftButton);
             }),
             int(QDialog::Rejected));
    QCOMPARE(ExecWith([this] { form_->close(); }), int(QDialog::Rejected));
    // Enter on the list takes the default button "OK".
    QCOMPARE(ExecWith([this] {
               Find<QListWidget>("LBResult")->setFocus();
               QTest::keyClick(Find<QListWidget>("LBResult"), Qt::Key_Return);
             }),
             int(QDialog::Accepted));
  }
};

}  // namespace velk

QTEST_MAIN(velk::DaySelFormTest)
#include "day_sel_form_test.moc"
