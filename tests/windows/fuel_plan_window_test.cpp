// Tools > Fuel Plan over the example flight JFK -> PVD -> BOS, flown through the course
// window: every figure of the fuel check, a short flight in red and in words, the
// alternate from the course window, and the usual policy kept in the settings.

#include <QAction>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "test_support.hpp"
#include "windows/planner_dialog.hpp"

using namespace orvane;

namespace {

// The shipped records of the example's airports, and Worcester as an alternate.
const QByteArray kAirports =
    "BOS:42.364300;-71.005203,\nJFK:40.639801;-73.778900,\nORH:42.267300;-71.875702,\nPVD:41.732601;-71.420403,\n";

struct FuelWindow {
  QWidget* window;
  QLineEdit* field(const QString& key) const { return window->findChild<QLineEdit*>(QStringLiteral("field") + key); }
  QPushButton* button(const char* name) const { return window->findChild<QPushButton*>(QLatin1String(name)); }
  void click(const char* name) const { QTest::mouseClick(button(name), Qt::LeftButton); }
  QLabel* verdict() const { return window->findChild<QLabel*>(QStringLiteral("fuelVerdict")); }
  // Every part as "gallons/minutes", from taxi to extra.
  QStringList parts() const {
    QStringList out;
    for (const char* key :
         {"Taxi", "Trip", "ContingencyPart", "AlternatePart", "Reserve", "Required", "OnBoard", "Extra"}) {
      out << field(QLatin1String(key) + QStringLiteral("Gallons"))->text() + QLatin1Char('/') +
                 field(QLatin1String(key) + QStringLiteral("Minutes"))->text();
    }
    return out;
  }
};

}  // namespace

class FuelPlanWindowTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<QTemporaryDir> folder_;
  AirportDatabase airports_;
  std::unique_ptr<test::MessageCatcher> catcher_;
  std::unique_ptr<PlannerDialog> planner_;

  QString path(const QString& name) const { return folder_->filePath(name); }
  void writeFile(const QString& name, const QByteArray& content) {
    QFile file(path(name));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
  }
  void open() {
    PlannerServices services;
    services.workingFolder = folder_->path().toStdString();
    services.airports = &airports_;
    services.showSplash = false;
    services.settingsFile = path(QStringLiteral("settings.ini"));
    planner_ = std::make_unique<PlannerDialog>(std::move(services));
    planner_->show();
    QVERIFY(QTest::qWaitForWindowExposed(planner_.get()));
    catcher_->clear();
  }
  QLineEdit* plannerField(const char* key) { return test::plannerField(planner_.get(), key); }
  void plannerClick(const char* name) {
    QTest::mouseClick(planner_->findChild<QPushButton*>(QLatin1String(name)), Qt::LeftButton);
  }
  // The course window picks the destination as a pilot does: typed into its entry.
  static void pickDestination(QWidget* courseWindow, const QString& identifier) {
    auto* list = courseWindow->findChild<QComboBox*>(QStringLiteral("destinationList"));
    test::typeInto(list->lineEdit(), identifier);
    QTest::keyClick(list->lineEdit(), Qt::Key_Tab);
    QTest::mouseClick(courseWindow->findChild<QPushButton*>(QStringLiteral("okButton")), Qt::LeftButton);
  }
  // The wind is typed once the course has come, as the planner then rewrites its fields.
  void flyTo(const QString& destination) {
    test::whenShown(QStringLiteral("courseWindow"), [&](QWidget* w) { pickDestination(w, destination); });
    plannerClick("getTcButton");
    test::typeInto(plannerField("WindDirection"), QStringLiteral("45"));
    test::typeInto(plannerField("WindVelocity"), QStringLiteral("20"));
    plannerClick("calculateButton");
  }
  // JFK (the home airport) to PVD to BOS with WD 45, WV 20 and the defaults' TAS 110,
  // VAR -5, DEV 2, GPH 8.5 and FOB 40, taking off at 9:00:00.
  void flyExample() {
    test::inWindow<QDateTimeEdit>(planner_.get(), QStringLiteral("fieldTimeOff"))
        ->setDateTime(QDateTime(test::kTestDay, QTime(9, 0, 0)));
    flyTo(QStringLiteral("PVD"));
    flyTo(QStringLiteral("BOS"));
    QCOMPARE(planner_->flightPlan().navLog.legs.size(), std::size_t{2});
    catcher_->clear();
  }
  // Tools > Fuel Plan, with `steps` run in the window.
  void fuelPlan(const std::function<void(const FuelWindow&)>& steps) {
    bool ran = false;
    test::whenShown(QStringLiteral("fuelPlanWindow"), [&](QWidget* w) {
      ran = true;
      steps(FuelWindow{w});
      if (w->isVisible()) QTest::mouseClick(FuelWindow{w}.button("cancelButton"), Qt::LeftButton);
    });
    planner_->findChild<QAction*>(QStringLiteral("commandFuelPlan"))->trigger();
    QVERIFY(ran);
  }
  static void typePolicy(const FuelWindow& w, const char* taxi, const char* contingency) {
    test::typeInto(w.field(QStringLiteral("TaxiFuel")), QLatin1String(taxi));
    test::typeInto(w.field(QStringLiteral("Contingency")), QLatin1String(contingency));
  }

 private slots:
  void init() {
    folder_ = std::make_unique<QTemporaryDir>();
    QVERIFY(folder_->isValid());
    QByteArray defaults = test::kExampleDefaults;
    defaults.replace("home_airport:QQA", "home_airport:JFK");
    writeFile(QStringLiteral("config.fly"), defaults);
    writeFile(QStringLiteral("airports.fly"), kAirports);
    catcher_ = std::make_unique<test::MessageCatcher>();
    open();
  }
  void cleanup() {
    planner_.reset();
    catcher_.reset();
  }

  // 1 gallon taxi, 5 % contingency, no alternate, 30 minutes reserve: legs of 11.76 and
  // 3.94 gallons (82.99 and 27.84 minutes) need 21.74 of the 40 gallons on board.
  void exampleFlightEveryFigure() {
    flyExample();
    fuelPlan([&](const FuelWindow& w) {
      typePolicy(w, "1", "5");
      QCOMPARE(w.window->findChild<QComboBox*>(QStringLiteral("fieldFinalReserve"))->currentText(),
               QStringLiteral("30"));
      w.click("calculateButton");
      QCOMPARE(w.parts(), (QStringList{"1.00/7.06", "15.70/110.83", "0.79/5.54", "0.00/0.00", "4.25/30.00",
                                       "21.74/153.43", "40.00/282.35", "18.26/128.89"}));
      QCOMPARE(w.window->findChild<QLabel*>(QStringLiteral("labelExtraGallons"))->text(), QStringLiteral("Extra -"));
      QCOMPARE(w.verdict()->text(), QStringLiteral("Enough fuel: 18.26 gallons extra."));
      QCOMPARE(w.verdict()->palette().color(QPalette::Window), QColor(0xC8, 0xF0, 0xC8));
      QVERIFY(!w.verdict()->font().bold());
      w.click("okButton");
      QVERIFY(!w.window->isVisible());
    });
    QCOMPARE(planner_->fuelPolicy().taxiGallons, 1.0);
    QCOMPARE(planner_->fuelPolicy().contingencyPercent, 5.0);
    QCOMPARE(catcher_->texts(), QStringList());
  }

  // 10 gallons taxi, 100 % contingency and 45 minutes reserve need 47.78 gallons: 7.78
  // short, in red and in words.
  void shortFlightIsRedAndSaysSo() {
    flyExample();
    fuelPlan([&](const FuelWindow& w) {
      typePolicy(w, "10", "100");
      auto* reserve = w.window->findChild<QComboBox*>(QStringLiteral("fieldFinalReserve"));
      reserve->setCurrentIndex(reserve->findText(QStringLiteral("45")));
      w.click("calculateButton");
      QCOMPARE(w.parts().mid(4), (QStringList{"6.38/45.00", "47.78/337.25", "40.00/282.35", "7.78/54.92"}));
      QCOMPARE(w.window->findChild<QLabel*>(QStringLiteral("labelExtraGallons"))->text(), QStringLiteral("Short -"));
      QCOMPARE(w.field(QStringLiteral("ExtraGallons"))->accessibleName(), QStringLiteral("Short -"));
      QCOMPARE(w.verdict()->text(), QStringLiteral("Not enough fuel: 7.78 gallons short."));
      QCOMPARE(w.verdict()->palette().color(QPalette::Window), QColor(0xFF, 0xC8, 0xC8));
      QVERIFY(w.verdict()->font().bold());
      // Cancel leaves the flight's policy as it was.
    });
    QCOMPARE(planner_->fuelPolicy().taxiGallons, 0.0);
    QCOMPARE(planner_->fuelPolicy().finalReserveMinutes, 30.0);
  }

  // A refused field holds the window open with the program's message.
  void refusedFieldKeepsTheWindowOpen() {
    fuelPlan([&](const FuelWindow& w) {
      typePolicy(w, "1", "150");
      w.click("okButton");
      QVERIFY(w.window->isVisible());
    });
    QCOMPARE(catcher_->texts(), QStringList{QStringLiteral("Please enter a number between 0 and 100.")});
    QCOMPARE(planner_->fuelPolicy().contingencyPercent, 0.0);
  }

  // The alternate leg starts at the destination and is flown with the flight's wind.
  void alternateFromTheCourseWindow() {
    flyExample();
    fuelPlan([&](const FuelWindow& w) {
      const QStringList without = w.parts();
      test::whenShown(QStringLiteral("courseWindow"), [&](QWidget* c) { pickDestination(c, QStringLiteral("ORH")); });
      w.click("chooseAlternateButton");
      const QString shown = w.window->findChild<QLabel*>(QStringLiteral("fieldAlternate"))->text();
      QVERIFY2(shown.startsWith(QStringLiteral("BOS ---> ORH, TC ")), qPrintable(shown));
      const QStringList with = w.parts();
      const double alternate = with[3].section(QLatin1Char('/'), 0, 0).toDouble();
      QVERIFY(alternate > 0);
      QCOMPARE(with[5].section(QLatin1Char('/'), 0, 0).toDouble(),
               without[5].section(QLatin1Char('/'), 0, 0).toDouble() + alternate);
      w.click("okButton");
    });
    const auto& alternate = planner_->fuelPolicy().alternate;
    QVERIFY(alternate.has_value());
    QCOMPARE(alternate->fromIdentifier, std::string("BOS"));
    QCOMPARE(alternate->toIdentifier, std::string("ORH"));
    // No Alternate takes it out again.
    fuelPlan([&](const FuelWindow& w) {
      w.click("noAlternateButton");
      QCOMPARE(w.parts()[3], QStringLiteral("0.00/0.00"));
      w.click("okButton");
    });
    QVERIFY(!planner_->fuelPolicy().alternate.has_value());
  }

  // Keep as Usual: the next start and a Reset begin with that policy, without its alternate.
  void usualPolicyIsKeptInTheSettings() {
    fuelPlan([&](const FuelWindow& w) {
      typePolicy(w, "1.5", "10");
      w.click("usualButton");
    });
    QCOMPARE(planner_->fuelPolicy().taxiGallons, 0.0);  // cancelled: this flight unchanged
    QByteArray config;
    {
      QFile file(path(QStringLiteral("config.fly")));
      QVERIFY(file.open(QIODevice::ReadOnly));
      config = file.readAll();
    }
    QVERIFY(!config.contains("1.5"));
    planner_.reset();
    open();
    QCOMPARE(planner_->fuelPolicy().taxiGallons, 1.5);
    QCOMPARE(planner_->fuelPolicy().contingencyPercent, 10.0);
    QCOMPARE(planner_->fuelPolicy().finalReserveMinutes, 30.0);
    // This flight's own policy, from the window: Reset gives the usual one back.
    fuelPlan([&](const FuelWindow& w) {
      typePolicy(w, "3", "10");
      w.click("okButton");
    });
    QCOMPARE(planner_->fuelPolicy().taxiGallons, 3.0);
    plannerClick("resetButton");
    QCOMPARE(planner_->fuelPolicy().taxiGallons, 1.5);
  }
};

QTEST_MAIN(FuelPlanWindowTest)
#include "fuel_plan_window_test.moc"
