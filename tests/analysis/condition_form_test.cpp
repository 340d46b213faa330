// SPDX-License-Identifier: MIT
// The condition view driven through its lists, buttons and dialogs over a temporary application
// folder: control rules, a search on a prepared ring, the condition and result files, the
// warning box, and the conditions coming back from RUDERADO.ini.
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

#include "analysis/condition_form.h"
#include "app/app_shell.h"
#include "app/ui_main.h"
#include "app/velk_application.h"
#include "base/file_io.h"
#include "base/text_encoding.h"
#include "settings/settings_files.h"
#include "store/system_log.h"
#include "support/test_env.h"

namespace velk {

// Answers every modal dialog that comes up, in order, with the next planned action.
class DialogAnswerer : public QObject {
 public:
  using Action = std::function<void(QWidget*)>;
  DialogAnswerer() {
    timer_.setInterval(10);
    connect(&timer_, &QTimer::timeout, this, &DialogAnswerer::Poll);
    timer_.start();
  }
  void Plan(Action action) { actions_.push_back(std::move(action)); }
  int Pending() const { return static_cast<int>(actions_.size()); }

  // Plans: a message box answered with `button`, its text noted.
  void Box(QMessageBox::StandardButton button) {
    Plan([this, button](QWidget* w) {
      auto* box = qobject_cast<QMessageBox*>(w);
      QVERIFY(box);
      Texts << box->text();
      box->button(button)->click();
    });
  }
  // Plans: a file dialog answered with `path` (or cancelled when empty), its set-up noted.
  void File(const QString& path) {
    Plan([this, path](QWidget* w) {
      auto* dialog = qobject_cast<QFileDialog*>(w);
      QVERIFY(dialog);
      Texts << dialog->windowTitle();
      Folders << dialog->directory().absolutePath();
      Filters << dialog->nameFilters().join(QLatin1Char(';'));
      Suffixes << dialog->defaultSuffix();
      if (path.isEmpty()) {
        QMetaObject::invokeMethod(dialog, "reject", Qt::QueuedConnection);
      } else {
        dialog->selectFile(path);
        QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
      }
    });
  }

  QStringList Texts, Folders, Filters, Suffixes;

 private:
  void Poll() {
    QWidget* w = QApplication::activeModalWidget();
    if (!w || w->property("answered").toBool() || actions_.empty()) return;
    w->setProperty("answered", true);
    Action action = std::move(actions_.front());
    actions_.erase(actions_.begin());
    action(w);
  }
  QTimer timer_;
  std::vector<Action> actions_;
};

class ConditionFormTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<test::TestEnv> t_;
  std::unique_ptr<TStores> stores_;
  std::unique_ptr<TConditionForm> form_;

  static QString Q(const std::string& s) { return QString::fromStdString(s); }
  template <typename W>
  W* Find(const QString& name) {
    W* w = form_->findChild<W*>(name);
    if (!w) qFatal("no control %s", qPrintable(name));
    return w;
  }
  QComboBox* List(const char* name, int cond) {
    return Find<QComboBox>(QLatin1String(name) + QString::number(cond));
  }
  QLineEdit* Edit(const char* name, int cond = 0) {
    return Find<QLineEdit>(QLatin1String(name) + (cond ? QString::number(cond) : QString()));
  }
  QPushButton* Button(const QString& name) { return Find<QPushButton>(name); }

  // Chooses an entry as the user does: with the arrow keys on the closed list.
  static void Choose(QComboBox* list, int index) {
    while (list->currentIndex() < index) QTest::keyClick(list, Qt::Key_Down);
    while (list->currentIndex() > index) QTest::keyClick(list, Qt::Key_Up);
    QCOMPARE(list->currentIndex(), index);
  }
  static void Type(QLineEdit* edit, const QString& text) {
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    // Key by key, Japanese text included (keyClicks takes Latin-1 only).
    for (const QChar ch : text) {
      QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(ch), Qt::NoModifier);
    }
  }
  static void Click(QPushButton* b) { QTest::mouseClick(b, Qt::LeftButton); }
  QStringList ResultLines() {
    QStringList lines;
    auto* list = Find<QListWidget>("LBResult");
    for (int i = 0; i < list->count(); ++i) lines << list->item(i)->text();
    return lines;
  }
  std::string ReadCp932(const std::string& path) {
    std::string text;
    Cp932ToUtf8(test::ReadFile(path), text);
    return text;
  }
  void Open() {
    form_ = std::make_unique<TConditionForm>(t_->env, *stores_, nullptr);
    form_->show();
    form_->RefreshView();
  }

  // Room 1's ring: air temperature above 30 in entries 1 to 12 (10:05 to 11:00 of 2020/11/13,
  // newest first), 25 elsewhere; humidity 40 from entry 7 on, 60 before.
  void FillRing() {
    TRoomDat& dat = stores_->Dat(1);
    const TDateTime newest = EncodeDateTime(2020, 11, 13, 11, 5);
    for (int i = 0; i < 30; ++i) {
      TRecDat& r = dat.Rec[i];
      r.Time = newest - i * 5 * kMinute;
      r.Item[kAirTemperature] = {1, i >= 1 && i <= 12 ? 31.0f : 25.0f, 0, 0};
      r.Item[kHumidity] = {1, i >= 7 ? 40.0f : 60.0f, 0, 0};
    }
  }

 private slots:
  void initTestCase() { LoadJapaneseTranslations(*QCoreApplication::instance()); }
  void init() {
    t_ = std::make_unique<test::TestEnv>(EncodeDateTime(2020, 11, 13, 11, 7));
    stores_ = std::make_unique<TStores>();
    for (int n = 0; n < kRoomSlots; ++n) SetDefaultRoomEst(n, stores_->RoomEst[n]);
    stores_->RoomEst[2].Data[kAirTemperature].Name = "室温";
    Open();
  }
  void cleanup() {
    form_.reset();
    stores_.reset();
    t_.reset();
  }

  void controlRulesFollowTheListsAndButtons() {
    QVERIFY(Edit("EValueL", 1)->isVisible());
    QVERIFY(!Edit("EValueH", 1)->isVisible());
    QVERIFY(!Find<QLabel>("LTilde1")->isVisible());
    QVERIFY(Edit("ETime")->isVisible());
    QVERIFY(!Button("BBSaveResult")->isEnabled());
    // Conditions 2 and 3 start OFF, their controls disabled.
    for (int c : {2, 3}) {
      QVERIFY(Button("SBOff" + QString::number(c))->isChecked());
      QVERIFY(!List("CBTarget", c)->isEnabled());
      QVERIFY(!List("CBJudge", c)->isEnabled());
      QVERIFY(!Edit("EValueL", c)->isEnabled());
    }

    Choose(List("CBJudge", 1), kJudgeInside);
    QVERIFY(Edit("EValueH", 1)->isVisible());
    QVERIFY(Find<QLabel>("LTilde1")->isVisible());
    Choose(List("CBCndA", 1), 2);  // compared with humidity: no set values
    QVERIFY(!Edit("EValueL", 1)->isVisible());
    QVERIFY(!Edit("EValueH", 1)->isVisible());
    Choose(List("CBCndA", 1), 0);
    QVERIFY(Edit("EValueL", 1)->isVisible());
    QVERIFY(Edit("EValueH", 1)->isVisible());

    Click(Button("SBOn2"));
    QVERIFY(List("CBTarget", 2)->isEnabled());
    QVERIFY(Edit("EValueL", 2)->isEnabled());
    QVERIFY(!List("CBTarget", 3)->isEnabled());
    Click(Button("SBOff2"));
    QVERIFY(!List("CBCndA", 2)->isEnabled());
    QVERIFY(!Button("SBOn2")->isChecked());

    Choose(Find<QComboBox>("CBCndB"), 0);
    QVERIFY(!Edit("ETime")->isVisible());
    Choose(Find<QComboBox>("CBCndB"), 1);
    QVERIFY(Edit("ETime")->isVisible());
  }

  void searchListsThePeriodsAndADoubleClickRaisesThePeriod() {
    FillRing();
    Type(Edit("EValueL", 1), "30");
    Click(Button("BBExec"));
    QCOMPARE(ResultLines(), QStringList{"0: 2020年11月13日 10:00 ～ 2020年11月13日 11:00"});
    QVERIFY(Button("BBSaveResult")->isEnabled());

    // With humidity below 50 as condition 3, the run is cut where humidity rises.
    Click(Button("SBOn3"));
    Choose(List("CBTarget", 3), kHumidity);
    Choose(List("CBJudge", 3), kJudgeBelow);
    Type(Edit("EValueL", 3), "50");
    Choose(Find<QComboBox>("CBCndB"), 0);
    Click(Button("BBExec"));
    QCOMPARE(ResultLines(), QStringList{"0: 2020年11月13日 10:00 ～ 2020年11月13日 10:30"});
    QCOMPARE(form_->CondEst().Value_L[2], 50.0f);
    QVERIFY(form_->CondEst().Use[2]);

    QSignalSpy spy(form_.get(), &TConditionForm::PeriodActivated);
    auto* list = Find<QListWidget>("LBResult");
    const QPoint at = list->visualItemRect(list->item(0)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy[0][0].toDouble(), EncodeDateTime(2020, 11, 13, 10, 0));
    QCOMPARE(spy[0][1].toDouble(), EncodeDateTime(2020, 11, 13, 10, 30));

    // Another room: its item names, the lines stay.
    form_->SetRoomSlot(2);
    QCOMPARE(List("CBTarget", 1)->currentText(), QStringLiteral("室温"));
    QCOMPARE(ResultLines().size(), 1);
  }

  void aBadEditWarnsOncePerCondition() {
    Click(Button("SBOn2"));
    Type(Edit("EValueL", 1), "3O");
    Type(Edit("EValueL", 2), "12");
    Type(Edit("EValueH", 2), "x");
    Type(Edit("ETime", 0), "abc");
    DialogAnswerer answer;
    answer.Box(QMessageBox::Ok);
    answer.Box(QMessageBox::Ok);
    Click(Button("BBExec"));
    QCOMPARE(answer.Pending(), 0);
    QCOMPARE(answer.Texts,
             QStringList({"数字以外の文字が含まれます", "数字以外の文字が含まれます"}));
    const TCondEst& c = form_->CondEst();
    QCOMPARE(c.Value_L[0], 10.0f);
    QCOMPARE(c.Value_L[1], 12.0f);
    QCOMPARE(c.Value_H[1], 30.0f);
    QCOMPARE(c.TimeVal, uint16_t{30});
    // The search still ran.
    QVERIFY(Button("BBSaveResult")->isEnabled());
  }

  void conditionsAndResultsGoThroughTheDialogs() {
    FillRing();
    const QString folder = QDir(Q(t_->env.AppFolder)).absolutePath();
    Type(Edit("ETitle"), "高温");
    Type(Edit("EValueL", 1), "25.3");
    {
      DialogAnswerer answer;
      answer.File(folder + "/mine");
      Click(Button("BBSaveEst"));
      QCOMPARE(answer.Pending(), 0);
      QCOMPARE(answer.Folders, QStringList{folder});
      QCOMPARE(answer.Filters, QStringList{"setpoint File (*.QCS)"});
      QCOMPARE(answer.Suffixes, QStringList{"QCS"});
    }
    const std::string qcs = t_->env.AppFolder + "mine.QCS";
    QVERIFY(ReadCp932(qcs).find("Name=高温\r\nUse0=1\r\nTarget0=1\r\nCndA0=0\r\nJudge0=0\r\n"
                                "Value_L0=25.2999992370605\r\n") != std::string::npos);

    // Saving over it asks first.
    Type(Edit("ETitle"), "高温2");
    {
      DialogAnswerer answer;
      answer.File(folder + "/mine.QCS");
      answer.Box(QMessageBox::Yes);
      Click(Button("BBSaveEst"));
      QCOMPARE(answer.Pending(), 0);
      QVERIFY(answer.Texts.last().contains("mine.QCS"));
    }
    QVERIFY(ReadCp932(qcs).find("Name=高温2\r\n") != std::string::npos);

    // Loading it back replaces the shown settings, not the result list.
    Type(Edit("ETitle"), "別");
    Choose(List("CBTarget", 1), kHumidity);
    Type(Edit("EValueL", 1), "50");
    Click(Button("BBExec"));
    const QStringList lines = ResultLines();
    QCOMPARE(lines, QStringList{"0: 2020年11月13日 10:30 ～ 2020年11月13日 11:05"});
    {
      DialogAnswerer answer;
      answer.File(Q(qcs));
      Click(Button("BBLoadEst"));
      QCOMPARE(answer.Pending(), 0);
      QCOMPARE(answer.Filters, QStringList{"setpoint File (*.QCS)"});
    }
    QCOMPARE(Edit("ETitle")->text(), QStringLiteral("高温2"));
    QCOMPARE(Edit("EValueL", 1)->text(), QStringLiteral("25.3"));
    QCOMPARE(List("CBTarget", 1)->currentIndex(), int{kAirTemperature});
    QCOMPARE(ResultLines(), lines);

    // Cancelling changes nothing.
    {
      DialogAnswerer answer;
      answer.File(QString());
      Click(Button("BBLoadEst"));
      QCOMPARE(answer.Pending(), 0);
    }
    QCOMPARE(Edit("ETitle")->text(), QStringLiteral("高温2"));

    Click(Button("BBExec"));
    {
      DialogAnswerer answer;
      answer.File(folder + "/result");
      Click(Button("BBSaveResult"));
      QCOMPARE(answer.Pending(), 0);
      QCOMPARE(answer.Texts, QStringList{"条件結果の保存"});
      QCOMPARE(answer.Filters, QStringList{"Text file (*.txt)"});
      QCOMPARE(answer.Suffixes, QStringList{"txt"});
    }
    const std::string text = ReadCp932(t_->env.AppFolder + "result.txt");
    QVERIFY(text.find("- 条件1----\r\n有効\r\n対象:気温\r\n対象:気温\r\n比較:[設定数値]\r\n"
                      "判定:以上\r\n数値1:25.3\r\n数値2:30.0\r\n") != std::string::npos);
    QVERIFY(text.find("- 条件2----\r\n無効\r\n") != std::string::npos);
    const std::string tail =
        "=== 算出結果 ===\r\n0: 2020年11月13日 10:00 ～ 2020年11月13日 11:00\r\n";
    QCOMPARE(text.substr(text.size() - tail.size()), tail);
  }

  void conditionsComeBackAfterARestart() {
    Type(Edit("ETitle"), "夜の乾燥");
    Click(Button("SBOn2"));
    Choose(List("CBTarget", 2), kHumidity);
    Choose(List("CBJudge", 2), kJudgeOutside);
    Type(Edit("EValueH", 2), "80");
    Choose(Find<QComboBox>("CBCndB"), 0);
    Click(Button("BBExec"));
    // Edits not yet taken are replaced by the held settings when the tab is shown again.
    Type(Edit("ETitle"), "未確定");
    form_->RefreshView();
    QCOMPARE(Edit("ETitle")->text(), QStringLiteral("夜の乾燥"));
    form_->FormClose();
    const std::string site = GetSiteEstPath(t_->env);
    QVERIFY(ReadCp932(site).find("[ConditionEst]\r\nName=夜の乾燥\r\n") == 0);

    form_.reset();
    Open();
    QCOMPARE(Edit("ETitle")->text(), QStringLiteral("夜の乾燥"));
    QVERIFY(Button("SBOn2")->isChecked());
    QVERIFY(List("CBTarget", 2)->isEnabled());
    QCOMPARE(List("CBTarget", 2)->currentIndex(), int{kHumidity});
    QCOMPARE(List("CBJudge", 2)->currentIndex(), int{kJudgeOutside});
    QVERIFY(Edit("EValueH", 2)->isVisible());
    QCOMPARE(Edit("EValueH", 2)->text(), QStringLiteral("80.0"));
    QCOMPARE(Find<QComboBox>("CBCndB")->currentIndex(), 0);
    QVERIFY(!Edit("ETime")->isVisible());
    QVERIFY(!Button("BBSaveResult")->isEnabled());
  }

  void theApplicationsCloseSavesTheConditionsWithoutAsking() {
    form_.reset();
    t_->env.HistoryOnly = true;
    TAppShell shell(t_->env, *stores_);
    shell.Main->show();
    shell.Condition->findChild<QLineEdit*>("ETitle")->setText(QStringLiteral("閉じる前"));
    shell.Condition->findChild<QPushButton*>("BBExec")->click();
    QVERIFY(shell.Main->close());
    QVERIFY(ReadCp932(GetSiteEstPath(t_->env)).find("Name=閉じる前\r\n") != std::string::npos);
  }
};

}  // namespace velk

QTEST_MAIN(velk::ConditionFormTest)
#include "condition_form_test.moc"
