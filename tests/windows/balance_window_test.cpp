// Weight and balance as a pilot does it: opened from the planner's Tools menu with the
// airplane from the defaults file, typed into, calculated, and closed; and on its own
// for the edge cases of its reading and its messages.

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "test_support.hpp"
#include "ui/balance_indicator_view.hpp"
#include "windows/about_dialog.hpp"
#include "windows/planner_dialog.hpp"
#include "windows/weight_balance_dialog.hpp"

using namespace orvane;

namespace {

// The worked example's airplane: 1500 LB with moment 1185, a 340 LB pilot at 37 in,
// fuel at 48 in and 40 gallons on board, 2300 LB at most.
const QByteArray kDefaults =
    "home_airport:QQA\r\nTAS:110.000000\r\nVariation:-5.000000\r\nMagnetic Deviation:2.000000\r\n"
    "Galons/Hour:8.500000\r\nTotal Fuel:40.000000\r\nEmpty Plane Weight:1500.000000\r\n"
    "Empty Plane Moment:1185.000000\r\nFuel Arm:48.000000\r\nPilot Weight:340.000000\r\n"
    "Front Sits Arm:37.000000\r\nRear Sits Arm:73.000000\r\nAirplane Tail Number:N000XY\r\n"
    "Airplane Type:Trainer\r\nGross Weight:2300.000000\r\nUseful Load:800.000000\r\n"
    "CG Fore Limit:35.000000\r\nCG Aft Limit:47.300000\r\n";

AirplaneData workedAirplane() { return {"N000XY", "Trainer", 2300, 800, 35, 47.3, 1500, 1185, 340, 37, 73, 48}; }

const QString kNotANumber = QStringLiteral("Please enter a number.");
const QString kLoadRange = QStringLiteral("Please enter a number between 0 and 100000.");
const QString kWrongData = QStringLiteral("Wrong Data!");
const QString kTooHeavy = QStringLiteral("Airplane too heavy!");

// The window's widgets, found by their names.
struct BalanceWindow {
  QWidget* window;
  QLineEdit* field(const QString& key) const {
    auto* f = window->findChild<QLineEdit*>(QStringLiteral("field") + key);
    if (f == nullptr) qFatal("no field %s", qPrintable(key));
    return f;
  }
  QString operator[](const char* key) const { return field(QLatin1String(key))->text(); }
  void type(const char* key, const QString& text) const { test::typeInto(field(QLatin1String(key)), text); }
  QPushButton* button(const char* name) const { return window->findChild<QPushButton*>(QLatin1String(name)); }
  void calculate() const { QTest::mouseClick(button("calculateButton"), Qt::LeftButton); }
  QString indicator() const {
    return window->findChild<ui::BalanceIndicatorView*>(QStringLiteral("balanceIndicator"))->accessibleName();
  }
};

}  // namespace

class BalanceWindowTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir folder_;
  AirportDatabase airports_;
  std::unique_ptr<test::MessageCatcher> catcher_;
  std::unique_ptr<PlannerDialog> planner_;
  std::unique_ptr<WeightBalanceDialog> window_;

  void writeDefaults(const QByteArray& content) {
    QFile file(folder_.filePath(QStringLiteral("config.fly")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
  }
  QByteArray readDefaults() const {
    QFile file(folder_.filePath(QStringLiteral("config.fly")));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
  }
  void openPlanner() {
    writeDefaults(kDefaults);
    PlannerServices services;
    services.workingFolder = folder_.path().toStdString();
    services.airports = &airports_;
    services.showSplash = false;
    planner_ = std::make_unique<PlannerDialog>(std::move(services));
    planner_->show();
    QVERIFY(QTest::qWaitForWindowExposed(planner_.get()));
    QApplication::setActiveWindow(planner_.get());
    catcher_->clear();
  }
  QLineEdit* plannerField(const char* key) const { return test::plannerField(planner_.get(), key); }
  QAction* command(const char* name) const { return planner_->findChild<QAction*>(QLatin1String(name)); }
  // Tools > Weight and Balance; `steps` run in the window, which is cancelled after them
  // if they left it open.
  void fromTheMenu(const std::function<void(const BalanceWindow&)>& steps) {
    bool ran = false;
    test::whenShown(QStringLiteral("weightBalanceWindow"), [&](QWidget* w) {
      ran = true;
      steps(BalanceWindow{w});
      if (w->isVisible()) QTest::mouseClick(BalanceWindow{w}.button("cancelButton"), Qt::LeftButton);
    });
    QVERIFY(command("commandWeightBalance")->isEnabled());
    command("commandWeightBalance")->trigger();
    QVERIFY(ran);
  }
  BalanceWindow openWindow(const AirplaneData& airplane, double fuelOnBoard) {
    window_ = std::make_unique<WeightBalanceDialog>(airplane, fuelOnBoard);
    window_->show();
    if (!QTest::qWaitForWindowExposed(window_.get())) qFatal("window not shown");
    QApplication::setActiveWindow(window_.get());
    return BalanceWindow{window_.get()};
  }

 private slots:
  void init() {
    QVERIFY(folder_.isValid());
    catcher_ = std::make_unique<test::MessageCatcher>();
  }
  void cleanup() {
    window_.reset();
    planner_.reset();
    catcher_.reset();
  }

  void windowLooksAsLaidOut() {
    const BalanceWindow w = openWindow(workedAirplane(), 40);
    QCOMPARE(w.window->windowTitle(), QStringLiteral("Weight & Balance version 1.0"));
    QVERIFY(!w.window->windowIcon().isNull());
    QStringList texts;
    for (const char* name : {"headingAirplane", "headingWeight", "headingArm", "headingMoment", "unitCg"}) {
      texts << w.window->findChild<QLabel*>(QLatin1String(name))->text();
    }
    for (auto* group : w.window->findChildren<QGroupBox*>()) texts << group->title();
    texts << w.button("calculateButton")->text() << w.button("cancelButton")->text();
    QCOMPARE(texts, (QStringList{"Airplane Data:", "Weight (LB)", "Arm (in)", "Moment (LB-in/100)", "inches",
                                 "At Gross Weight:", "Results:", "&Calculate", "C&ancel"}));
    const QList<QPair<const char*, const char*>> captions = {{"TailNumber", "Tail Number -"},
                                                             {"AirplaneType", "Airplane Type -"},
                                                             {"MaxWeight", "Max Weight (LB) -"},
                                                             {"UsefulLoad", "Useful Load (LB) -"},
                                                             {"FuelOnBoard", "Fuel on Board (G) -"},
                                                             {"CgForeLimit", "CG Fore Limit -"},
                                                             {"CgAftLimit", "CG Aft Limit -"},
                                                             {"EmptyWeight", "Empty Aircraft -"},
                                                             {"FrontWeight", "Front Sits -"},
                                                             {"RearWeight", "Rear Seats -"},
                                                             {"FuelWeight", "Fuel -"},
                                                             {"BaggageWeight", "Baggage -"},
                                                             {"OtherWeight", "Other -"},
                                                             {"GrossWeight", "Gross Weight -"},
                                                             {"Cg", "CG ="}};
    for (const auto& [key, caption] : captions) {
      const auto* label = w.window->findChild<QLabel*>(QStringLiteral("label") + QLatin1String(key));
      QVERIFY2(label != nullptr && label->text() == QLatin1String(caption), key);
      QCOMPARE(label->buddy(), w.field(QLatin1String(key)));
      QVERIFY(label->buddy()->accessibleName().startsWith(QLatin1String(caption)));
    }
    QCOMPARE(w.field("FrontArm")->accessibleName(), QStringLiteral("Front Sits - Arm (in)"));
    QVERIFY(w.window->findChild<QLineEdit*>(QStringLiteral("fieldEmptyArm")) == nullptr);
    QVERIFY(w.field("GrossWeight")->isReadOnly() && w.field("GrossMoment")->isReadOnly());
    QVERIFY(!w.field("Cg")->isReadOnly());
    QVERIFY(w.button("calculateButton")->isDefault());

    // Enter calculates; nothing accepts the window.
    QTest::keyClick(w.field("BaggageWeight"), Qt::Key_Return);
    QCOMPARE(w["GrossWeight"], QStringLiteral("2080"));
    window_->accept();
    QVERIFY(w.window->isVisible());
    QCOMPARE(catcher_->texts(), QStringList());
  }

  void workedExampleFromTheToolsMenu() {
    openPlanner();
    fromTheMenu([&](const BalanceWindow& w) {
      const QStringList opened = {w["TailNumber"],  w["AirplaneType"], w["MaxWeight"],   w["UsefulLoad"],
                                  w["FuelOnBoard"], w["CgForeLimit"],  w["CgAftLimit"],  w["EmptyWeight"],
                                  w["EmptyMoment"], w["FrontWeight"],  w["FrontArm"],    w["FrontMoment"],
                                  w["RearWeight"],  w["RearArm"],      w["FuelWeight"],  w["FuelArm"],
                                  w["BaggageArm"],  w["GrossWeight"],  w["GrossMoment"], w["Cg"]};
      QCOMPARE(opened, (QStringList{"N000XY", "Trainer", "2300", "800", "40",  "35", "47.3", "1500", "1185", "340",
                                    "37",     "0",       "0",    "73",  "240", "48", "0",    "0",    "0",    "0"}));
      QCOMPARE(w.indicator(), QString());
      w.type("BaggageWeight", QStringLiteral("20"));
      w.type("BaggageArm", QStringLiteral("95"));
      w.calculate();
      const QStringList results = {w["FrontMoment"], w["FuelMoment"],  w["BaggageMoment"],
                                   w["GrossWeight"], w["GrossMoment"], w["Cg"]};
      QCOMPARE(results, (QStringList{"125.8", "115.2", "19", "2100", "1445", "68.8095238095238"}));
      QCOMPARE(w.indicator(), QStringLiteral("CG 21.5 in aft of the limit. 200 LB under the maximum weight"));
    });
    QCOMPARE(catcher_->texts(), QStringList());
    QCOMPARE(plannerField("FuelOnBoard")->text(), QStringLiteral("40"));  // the planner's fields are rewritten
  }

  void messagesOfACalculation() {
    QFETCH(double, maxWeight);
    QFETCH(double, fuelOnBoard);
    QFETCH(bool, loaded);
    QFETCH(QStringList, messages);
    QFETCH(QString, cg);
    AirplaneData airplane = loaded ? workedAirplane() : AirplaneData{};
    airplane.maxWeight = maxWeight;
    const BalanceWindow w = openWindow(airplane, fuelOnBoard);
    w.type("Cg", QStringLiteral("42.5"));  // kept only when no CG can be computed
    const QString grossBefore = w["GrossWeight"];
    QStringList seen;  // the gross weight and the CG while each message is up
    catcher_->onMessage = [&](const test::SeenMessage&) { seen << w["GrossWeight"] + QLatin1Char('/') + w["Cg"]; };
    w.calculate();
    catcher_->onMessage = nullptr;
    QCOMPARE(catcher_->texts(), messages);
    QCOMPARE(w["Cg"], cg);
    for (const QString& shown : seen) QCOMPARE(shown, w["GrossWeight"] + QStringLiteral("/42.5"));
    QVERIFY(w.window->isVisible());
    if (!loaded && fuelOnBoard == 0) QCOMPARE(w["GrossWeight"] + w["GrossMoment"] + grossBefore, QStringLiteral("000"));
  }
  void messagesOfACalculation_data() {
    QTest::addColumn<double>("maxWeight");
    QTest::addColumn<double>("fuelOnBoard");
    QTest::addColumn<bool>("loaded");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QString>("cg");
    const QString worked = QStringLiteral("68.5576923076923");  // 1426 x 100 / 2080
    QTest::newRow("all zero: wrong data only") << 0.0 << 0.0 << false << QStringList{kWrongData} << "42.5";
    QTest::newRow("fuel and no maximum: both, in order")
        << 0.0 << 10.0 << false << QStringList{kWrongData, kTooHeavy} << "42.5";
    QTest::newRow("exactly the maximum: none") << 2080.0 << 40.0 << true << QStringList{} << worked;
    QTest::newRow("a pound over: too heavy, CG after it") << 2079.0 << 40.0 << true << QStringList{kTooHeavy} << worked;
  }

  // The worked example, then the pilot changes the load: a moment Calculate worked out
  // follows its row, one the pilot typed stays as typed until typed 0.
  void workedOutMomentFollowsItsRowATypedOneStays() {
    const BalanceWindow w = openWindow(workedAirplane(), 40);
    w.type("BaggageWeight", QStringLiteral("20"));
    w.type("BaggageArm", QStringLiteral("95"));
    w.calculate();
    QCOMPARE(w["Cg"], QStringLiteral("68.8095238095238"));
    const struct {
      const char* key;
      const char* typed;
      const char* frontMoment;
      const char* grossMoment;
      const char* cg;
    } steps[] = {
        {"FrontWeight", "350", "129.5", "1448.7", "68.6587677725119"},  // not 1445 and 68.48
        {"FrontArm", "38", "133", "1452.2", "68.824644549763"},
        {"FrontMoment", "130", "130", "1449.2", "68.6824644549763"},   // typed: the pilot's figure
        {"FrontWeight", "360", "130", "1449.2", "68.3584905660377"},   // and kept
        {"FrontMoment", "0", "136.8", "1456", "68.6792452830189"},     // 360 x 38 / 100 again
        {"FuelWeight", "180", "136.8", "1427.2", "69.2815533980583"},  // the fuel's moment follows too
    };
    for (const auto& step : steps) {
      w.type(step.key, QLatin1String(step.typed));
      w.calculate();
      const QString seen = w["FrontMoment"] + QLatin1Char('/') + w["GrossMoment"] + QLatin1Char('/') + w["Cg"];
      QCOMPARE(seen,
               QStringLiteral("%1/%2/%3")
                   .arg(QLatin1String(step.frontMoment), QLatin1String(step.grossMoment), QLatin1String(step.cg)));
    }
    QCOMPARE(catcher_->texts(), QStringList());
    w.type("FrontMoment", QString());  // empty is not 0
    w.calculate();
    QCOMPARE(catcher_->texts(), QStringList{kNotANumber});
    QCOMPARE(w["FrontMoment"], QStringLiteral("136.8"));
  }

  // A refusal stops the reading there: the fields after it keep their values, the
  // refused one has the focus, and the calculation runs on what was taken.
  void readingStopsAtTheFirstRefusal() {
    QFETCH(QString, key);
    QFETCH(QString, typed);
    QFETCH(QStringList, messages);
    QFETCH(QString, grossWeight);
    const BalanceWindow w = openWindow(workedAirplane(), 40);
    w.type("FrontWeight", QStringLiteral("200"));  // read after the Baggage arm, before the Rear Seats
    w.type("TailNumber", QStringLiteral("N999"));  // read last but for the left part's numbers
    w.type(qPrintable(key), typed);
    w.calculate();
    QCOMPARE(catcher_->texts(), messages);
    QCOMPARE(w.window->focusWidget(), w.field(key));
    QCOMPARE(w["GrossWeight"], grossWeight);
    QCOMPARE(window_->sheet().tailNumber, std::string("N000XY"));
    QCOMPARE(w["TailNumber"], QStringLiteral("N000XY"));  // shows what was used
  }
  void readingStopsAtTheFirstRefusal_data() {
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QString>("grossWeight");
    QTest::newRow("Baggage arm not a number: nothing else taken") << "BaggageArm"
                                                                  << "abc" << QStringList{kNotANumber} << "2080";
    QTest::newRow("negative Rear Seats weight used after its message")
        << "RearWeight"
        << "-100" << QStringList{kLoadRange} << "1840";  // 1500 + 200 + 240 - 100
  }

  // Each number field in the reading order, with the top of its range: a value below
  // its range there, and no number in every field after it, must bring its own range
  // message first (the CG has no range, so the next field's refusal).
  void everyFieldIsReadInOrderWithItsRange() {
    const QStringList order = {"BaggageArm",  "BaggageMoment", "BaggageWeight", "Cg",          "EmptyMoment",
                               "EmptyWeight", "FrontMoment",   "FrontArm",      "FrontWeight", "FuelArm",
                               "FuelMoment",  "FuelWeight",    "OtherArm",      "OtherMoment", "OtherWeight",
                               "RearArm",     "RearMoment",    "RearWeight",    "GrossMoment", "GrossWeight",
                               "MaxWeight",   "UsefulLoad",    "FuelOnBoard",   "CgForeLimit", "CgAftLimit"};
    for (qsizetype i = 0; i < order.size(); ++i) {
      const BalanceWindow w = openWindow(workedAirplane(), 40);
      w.field(order[i])->setText(QStringLiteral("-1"));
      for (qsizetype later = i + 1; later < order.size(); ++later) w.field(order[later])->setText(QStringLiteral("x"));
      catcher_->clear();
      w.calculate();
      const bool wide = order[i].startsWith(QLatin1String("Empty"));
      const QString expected = order[i] == QLatin1String("Cg") ? kNotANumber
                               : wide ? QStringLiteral("Please enter a number between 0 and 1000000.")
                                      : kLoadRange;
      QVERIFY2(!catcher_->texts().isEmpty() && catcher_->texts().first() == expected, qPrintable(order[i]));
      QCOMPARE(w.window->focusWidget(), w.field(order[i == 3 ? 4 : i]));
    }
  }

  void grossMomentLeftAbove100000StopsTheNextReading() {
    const BalanceWindow w = openWindow(workedAirplane(), 40);
    w.type("EmptyMoment", QStringLiteral("200000"));  // within its own range
    w.calculate();
    QCOMPARE(w["GrossMoment"], QStringLiteral("200241"));
    QCOMPARE(catcher_->texts(), QStringList());
    w.type("MaxWeight", QStringLiteral("1000"));
    w.calculate();
    QCOMPARE(catcher_->texts(), QStringList{kLoadRange});
    QCOMPARE(w.window->focusWidget(), w.field(QStringLiteral("GrossMoment")));
    QCOMPARE(w["MaxWeight"], QStringLiteral("2300"));  // not taken, so not too heavy either
  }

  void everyClosingHandsBackWhatTheFieldsShow() {
    for (int way = 0; way < 3; ++way) {
      openPlanner();
      fromTheMenu([&](const BalanceWindow& w) {
        w.type("TailNumber", QStringLiteral("N123"));
        w.type("FuelOnBoard", QStringLiteral("150"));  // above the planner's 100, accepted here
        w.type("FrontWeight", QStringLiteral("180"));
        w.calculate();
        QCOMPARE(w["FuelWeight"], QStringLiteral("240"));  // the fuel weight is its own field
        w.type("TailNumber", QStringLiteral("N999"));      // typed after the last Calculate
        w.type("FrontArm", QStringLiteral("38.5"));
        switch (way) {
          case 0: QTest::mouseClick(w.button("cancelButton"), Qt::LeftButton); break;
          case 1: QTest::keyClick(w.window, Qt::Key_Escape); break;
          case 2: w.window->close(); break;
        }
        QVERIFY(!w.window->isVisible());
      });
      QCOMPARE(catcher_->texts(), QStringList());
      QCOMPARE(planner_->flightPlan().airplane.tailNumber, std::string("N999"));
      QCOMPARE(planner_->flightPlan().airplane.frontSeatsArm, 38.5);
      QCOMPARE(planner_->flightPlan().airplane.pilotWeight, 180.0);
      QCOMPARE(plannerField("FuelOnBoard")->text(), QStringLiteral("150"));
    }
    // The planner refuses the fuel at its next reading.
    catcher_->clear();
    QTest::mouseClick(planner_->findChild<QPushButton*>(QStringLiteral("calculateButton")), Qt::LeftButton);
    QCOMPARE(catcher_->texts().value(0), QStringLiteral("Please enter a number between 0 and 100."));
    // Closing without a Calculate hands back what was typed all the same.
    fromTheMenu([&](const BalanceWindow& w) { w.type("MaxWeight", QStringLiteral("9")); });
    QCOMPARE(planner_->flightPlan().airplane.maxWeight, 9.0);
    // A refusal at the closing is told, and the window closes with what was taken.
    test::typeInto(plannerField("FuelOnBoard"), QStringLiteral("40"));
    catcher_->clear();
    fromTheMenu([&](const BalanceWindow& w) {
      w.type("MaxWeight", QStringLiteral("2400"));
      w.type("UsefulLoad", QStringLiteral("lots"));
      w.type("FuelOnBoard", QStringLiteral("20"));  // after the refused field: not taken
    });
    QCOMPARE(catcher_->texts(), QStringList{kNotANumber});
    QCOMPARE(planner_->flightPlan().airplane.maxWeight, 2400.0);
    QCOMPARE(planner_->flightPlan().airplane.usefulLoad, 800.0);
    QCOMPARE(plannerField("FuelOnBoard")->text(), QStringLiteral("40"));
  }

  // The fuel on board goes to the window as the planner's field shows it, read with the
  // planner's checks first, and what the pilot types in the window comes back.
  void fuelOnBoardGoesAsTheFieldShowsItAndComesBack() {
    QFETCH(QString, typedInPlanner);
    QFETCH(QStringList, messages);
    QFETCH(QString, opened);
    openPlanner();
    test::typeInto(plannerField("FuelOnBoard"), typedInPlanner);
    QString seen;
    fromTheMenu([&](const BalanceWindow& w) {
      seen = w["FuelOnBoard"] + QLatin1Char('/') + w["FuelWeight"];
      w.type("FuelOnBoard", QStringLiteral("25"));
    });
    QCOMPARE(catcher_->texts(), messages);
    QCOMPARE(seen, opened);
    QCOMPARE(plannerField("FuelOnBoard")->text(), QStringLiteral("25"));
  }
  void fuelOnBoardGoesAsTheFieldShowsItAndComesBack_data() {
    QTest::addColumn<QString>("typedInPlanner");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QString>("opened");
    QTest::newRow("typed 30: the window has 30") << "30" << QStringList{} << "30/180";
    QTest::newRow("not a number: told, the window has the 40 held") << "abc" << QStringList{kNotANumber} << "40/240";
    QTest::newRow("above 100: told, and taken as the planner takes it")
        << "120" << QStringList{QStringLiteral("Please enter a number between 0 and 100.")} << "120/720";
  }

  void airplaneValuesTravelFromTheFileThroughTheWindowAndBack() {
    openPlanner();
    fromTheMenu([&](const BalanceWindow& w) {
      const QList<QPair<const char*, const char*>> typed = {
          {"TailNumber", "N42QX"}, {"AirplaneType", "Tourer 4"}, {"MaxWeight", "2550"},  {"UsefulLoad", "900.5"},
          {"FuelOnBoard", "30"},   {"CgForeLimit", "36.1"},      {"CgAftLimit", "46"},   {"EmptyWeight", "1600"},
          {"EmptyMoment", "1250"}, {"FrontWeight", "190"},       {"FrontArm", "38"},     {"RearArm", "72.25"},
          {"FuelArm", "47.5"},     {"RearWeight", "80"},         {"BaggageWeight", "30"}};
      for (const auto& [key, text] : typed) w.type(key, QLatin1String(text));
      w.calculate();
    });
    QCOMPARE(catcher_->texts(), QStringList());
    command("commandSaveDefaults")->trigger();  // Save Defaults
    QVERIFY(test::keepWrittenFile(folder_.filePath(QStringLiteral("config.fly"))));
    QCOMPARE(catcher_->texts(), QStringList());
    QCOMPARE(readDefaults(),
             QByteArray("home_airport:QQA\r\nTAS:110.000000\r\nVariation:-5.000000\r\nMagnetic Deviation:2.000000\r\n"
                        "Galons/Hour:8.500000\r\nTotal Fuel:30.000000\r\nEmpty Plane Weight:1600.000000\r\n"
                        "Empty Plane Moment:1250.000000\r\nFuel Arm:47.500000\r\nPilot Weight:190.000000\r\n"
                        "Front Sits Arm:38.000000\r\nRear Sits Arm:72.250000\r\nAirplane Tail Number:N42QX\r\n"
                        "Airplane Type:Tourer 4\r\nGross Weight:2550.000000\r\nUseful Load:900.500000\r\n"
                        "CG Fore Limit:36.100000\r\nCG Aft Limit:46.000000\r\n"));
    // Loaded again, the window opens with them, and without the load beyond the airplane's.
    command("commandLoadDefaults")->trigger();
    fromTheMenu([&](const BalanceWindow& w) {
      QCOMPARE(w["TailNumber"] + w["FuelWeight"] + w["RearArm"] + w["RearWeight"] + w["BaggageWeight"],
               QStringLiteral("N42QX18072.2500"));
    });
  }

  void indicatorShowsTheLastCalculation() {
    const BalanceWindow w = openWindow(workedAirplane(), 40);
    w.calculate();
    QCOMPARE(w.indicator(), QStringLiteral("CG 21.3 in aft of the limit. 220 LB under the maximum weight"));
    w.type("CgForeLimit", QStringLiteral("65"));
    w.type("CgAftLimit", QStringLiteral("72"));
    QCOMPARE(w.indicator(), QStringLiteral("CG 21.3 in aft of the limit. 220 LB under the maximum weight"));
    w.calculate();
    QCOMPARE(w.indicator(), QStringLiteral("CG within the limits. 220 LB under the maximum weight"));
    w.type("CgForeLimit", QStringLiteral("0"));
    w.type("CgAftLimit", QStringLiteral("0"));
    w.calculate();
    QCOMPARE(w.indicator(), QString());
    QCOMPARE(catcher_->texts(), QStringList());

    // A CG that could not be computed is not placed; the weight still is.
    AirplaneData noArms;
    noArms.cgForeLimit = 35;
    noArms.cgAftLimit = 47.3;
    noArms.maxWeight = 2300;
    noArms.emptyWeight = 1500;
    const BalanceWindow unplaced = openWindow(noArms, 0);
    unplaced.type("Cg", QStringLiteral("40"));
    unplaced.calculate();
    QCOMPARE(catcher_->texts(), QStringList{kWrongData});
    QCOMPARE(unplaced.indicator(), QStringLiteral("800 LB under the maximum weight"));
  }

  void aboutEntryOfTheWindowMenuOpensTheAboutBox() {
    const BalanceWindow w = openWindow(workedAirplane(), 40);
    QStringList seen;
    test::whenShown(QStringLiteral("windowMenu"), [&](QWidget* menu) {
      test::whenShown(QStringLiteral("aboutBox"), [&](QWidget* about) {
        seen << about->windowTitle() << about->findChild<QPlainTextEdit*>(QStringLiteral("upperText"))->toPlainText();
        static_cast<QDialog*>(about)->accept();
      });
      const QList<QAction*> actions = menu->actions();
      QCOMPARE(actions.size(), 1);
      seen << actions.first()->text();
      actions.first()->trigger();
      menu->close();
    });
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), w.window->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(w.window, &event);
    QCOMPARE(seen, (QStringList{"&About Orvane...", "About Orvane", ""}));
    QVERIFY(w.window->isVisible());
  }
};

QTEST_MAIN(BalanceWindowTest)
#include "balance_window_test.moc"
