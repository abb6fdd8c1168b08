// Planning from airport to airport: the course and distance window driven through the
// planner as a pilot does it, and on its own for its edge cases.

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <ctime>
#include <memory>

#include "core/airport_names.hpp"
#include "core/magnetic.hpp"
#include "core/numbers.hpp"
#include "test_support.hpp"
#include "windows/course_distance_dialog.hpp"
#include "windows/planner_dialog.hpp"

using namespace orvane;

namespace {

const QByteArray kAirports = "QQA:40.500000;-75.250000,\nQQB:41.750000;-72.500000,\n";
const QByteArray kThreeAirports = kAirports + "qqc:39.100000;-74.900000,\n";

const QString kWorkedMessage = QStringLiteral(
    "True Course is: 57.99 degrees,Distance is: 145.15 nautical miles,\n"
    "Enter wind parameters and press 'Calculate' button.");
const QString kZeroDistance = QStringLiteral("Distance is zero, enter correct data!");
const QString kRangeMessage = QStringLiteral("Please enter a number between -360 and 360.");
const QString kNotANumber = QStringLiteral("Please enter a number.");

// The course window's widgets, found as a pilot finds them: by what they are.
struct CourseWindow {
  QWidget* window;

  QLineEdit* field(const char* key) const {
    auto* f = window->findChild<QLineEdit*>(QStringLiteral("field") + QLatin1String(key));
    if (f == nullptr) qFatal("no field %s", key);
    return f;
  }
  QLineEdit* originLatitude() const { return field("OriginLatitude"); }
  QLineEdit* originLongitude() const { return field("OriginLongitude"); }
  QLineEdit* destinationLatitude() const { return field("DestinationLatitude"); }
  QLineEdit* destinationLongitude() const { return field("DestinationLongitude"); }
  QComboBox* origins() const { return window->findChild<QComboBox*>(QStringLiteral("originList")); }
  QComboBox* destinations() const { return window->findChild<QComboBox*>(QStringLiteral("destinationList")); }
  QLineEdit* entry() const { return destinations()->lineEdit(); }
  QLabel* originName() const { return window->findChild<QLabel*>(QStringLiteral("originName")); }
  QLabel* destinationName() const { return window->findChild<QLabel*>(QStringLiteral("destinationName")); }
  QLabel* variationText() const { return window->findChild<QLabel*>(QStringLiteral("variationText")); }
  QCheckBox* useVariation() const { return window->findChild<QCheckBox*>(QStringLiteral("useVariation")); }
  QPushButton* button(const char* name) const { return window->findChild<QPushButton*>(QLatin1String(name)); }
  void click(const char* name) const { QTest::mouseClick(button(name), Qt::LeftButton); }
  QStringList positions() const {
    return {originLatitude()->text(), originLongitude()->text(), destinationLatitude()->text(),
            destinationLongitude()->text()};
  }
  QStringList entries(QComboBox* list) const {
    QStringList out;
    for (int i = 0; i < list->count(); ++i) out << list->itemText(i);
    return out;
  }
  // Picks an airport as a pilot does: the origin list by typing its letters, the
  // destination by typing into the entry and leaving it.
  void pickOrigin(const QString& identifier) const {
    origins()->setFocus();
    QTest::keyClicks(origins(), identifier);
  }
  void pickDestination(const QString& identifier) const {
    test::typeInto(entry(), identifier);
    QTest::keyClick(entry(), Qt::Key_Tab);
  }
};

}  // namespace

class CourseWindowTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir folder_;
  AirportDatabase airports_;
  AirportNames names_;
  test::RecordingLauncher launcher_;
  std::unique_ptr<test::MessageCatcher> catcher_;
  std::unique_ptr<PlannerDialog> planner_;
  std::unique_ptr<CourseDistanceDialog> window_;

  QString path(const char* name) const { return folder_.filePath(QString::fromLatin1(name)); }
  std::filesystem::path airportsFile() const { return path("airports.fly").toStdString(); }
  void writeFile(const char* name, const QByteArray& content) {
    QFile file(path(name));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
  }
  QByteArray readFile(const char* name) const {
    QFile file(path(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
  }

  void openPlanner() {
    PlannerServices services;
    services.workingFolder = folder_.path().toStdString();
    services.launcher = &launcher_;
    services.airports = &airports_;
    services.airportNames = [this] { return &names_; };
    services.showSplash = false;
    planner_ = std::make_unique<PlannerDialog>(std::move(services));
    planner_->show();
    QVERIFY(QTest::qWaitForWindowExposed(planner_.get()));
    QApplication::setActiveWindow(planner_.get());
    catcher_->clear();
  }
  QLineEdit* plannerField(const char* key) const { return test::plannerField(planner_.get(), key); }
  QString plannerText(const char* key) const { return test::plannerText(planner_.get(), key); }
  QPushButton* plannerButton(const char* name) const {
    return planner_->findChild<QPushButton*>(QString::fromLatin1(name));
  }
  // Presses Get TC and Distance and runs `steps` in the course window that opens.
  void getCourse(const std::function<void(const CourseWindow&)>& steps) {
    bool ran = false;
    test::whenShown(QStringLiteral("courseWindow"), [&](QWidget* w) {
      ran = true;
      steps(CourseWindow{w});
      if (w->isVisible()) QTest::mouseClick(CourseWindow{w}.button("cancelButton"), Qt::LeftButton);
    });
    QTest::mouseClick(plannerButton("getTcButton"), Qt::LeftButton);
    QVERIFY(ran);
  }

  // The window on its own, over the airports given.
  CourseWindow openWindow(const RememberedAirports& remembered, const QByteArray& text) {
    airports_.text = text.toStdString();
    window_ = std::make_unique<CourseDistanceDialog>(remembered, airports_, airportsFile(), &names_);
    window_->show();
    if (!QTest::qWaitForWindowExposed(window_.get())) qFatal("course window not shown");
    QApplication::setActiveWindow(window_.get());
    catcher_->clear();
    return CourseWindow{window_.get()};
  }

 private slots:
  void init() {
    QVERIFY(folder_.isValid());
    QDir(folder_.path()).removeRecursively();
    QDir().mkpath(folder_.path());
    airports_ = AirportDatabase{};
    names_ = AirportNames{};
    catcher_ = std::make_unique<test::MessageCatcher>();
  }
  void cleanup() {
    window_.reset();
    planner_.reset();
    catcher_.reset();
  }

  void windowLooksAsLaidOut() {
    const CourseWindow w = openWindow({}, kAirports);
    QCOMPARE(w.window->windowTitle(), QStringLiteral("Get True Course & Distance"));
    QStringList groups;
    for (auto* group : w.window->findChildren<QGroupBox*>()) groups << group->title();
    QCOMPARE(groups, (QStringList{QStringLiteral("Departure Coordinates"),
                                  QStringLiteral("Arrival Coordinates / Update Database")}));
    struct Row {
      const char* key;
      const char* caption;
      const char* unit;
    };
    const Row rows[] = {{"OriginLatitude", "Latitude of the Origin-", "degrees"},
                        {"OriginLongitude", "Longitude of the Origin-", "degrees"},
                        {"OriginList", "saved airports:", nullptr},
                        {"DestinationLatitude", "Latitude of the Destination-", "degrees"},
                        {"DestinationLongitude", "Longitude of the Destination-", "degrees"},
                        {"DestinationList", "saved airports/add new", nullptr}};
    for (const Row& row : rows) {
      const auto* caption = w.window->findChild<QLabel*>(QStringLiteral("label") + QLatin1String(row.key));
      QVERIFY2(caption != nullptr, row.key);
      QCOMPARE(caption->text(), QString::fromLatin1(row.caption));
      QVERIFY(caption->buddy() != nullptr);
      QCOMPARE(caption->buddy()->accessibleName(), QString::fromLatin1(row.caption));
      const auto* unit = w.window->findChild<QLabel*>(QStringLiteral("unit") + QLatin1String(row.key));
      QCOMPARE(unit != nullptr, row.unit != nullptr);
      if (unit != nullptr) QCOMPARE(unit->text(), QString::fromLatin1(row.unit));
    }
    QCOMPARE(w.origins()->isEditable(), false);
    QCOMPARE(w.destinations()->isEditable(), true);
    QStringList buttons;
    for (const char* name : {"okButton", "conversionsButton", "addButton", "cancelButton"}) {
      buttons << w.button(name)->text();
      QVERIFY(w.button(name)->x() >= 0);
    }
    QCOMPARE(buttons, (QStringList{QStringLiteral("OK"), QStringLiteral("&Convesions"), QStringLiteral("&Add Aiport"),
                                   QStringLiteral("Cancel")}));
    QVERIFY(w.button("okButton")->isDefault());
    QVERIFY(w.button("okButton")->x() < w.button("conversionsButton")->x());
    QVERIFY(w.button("addButton")->x() < w.button("cancelButton")->x());
  }

  void listsAreSortedWithoutRegardToCaseAndTheDestinationShownInUpperCase() {
    const CourseWindow w = openWindow({}, "ZNZ:1;2,\nqqc:3;4,\nBOS:5;6,\nQQA:7;8,\nBOS:9;9,\n");
    QCOMPARE(w.entries(w.origins()), (QStringList{QStringLiteral("BOS"), QStringLiteral("BOS"), QStringLiteral("QQA"),
                                                  QStringLiteral("qqc"), QStringLiteral("ZNZ")}));
    QCOMPARE(w.entries(w.destinations()),
             (QStringList{QStringLiteral("BOS"), QStringLiteral("BOS"), QStringLiteral("QQA"), QStringLiteral("QQC"),
                          QStringLiteral("ZNZ")}));
    // Letters typed into the entry show in upper case too, completed from the list with
    // the completion selected, so that typing on replaces it.
    test::typeInto(w.entry(), QStringLiteral("qq"));
    QCOMPARE(w.entry()->text(), QStringLiteral("QQA"));
    QCOMPARE(w.entry()->selectedText(), QStringLiteral("A"));
    QTest::keyClicks(w.entry(), QStringLiteral("z"));
    QCOMPARE(w.entry()->text(), QStringLiteral("QQZ"));
  }

  void workedExampleFromAirportToAirport() {
    writeFile("config.fly", test::kExampleDefaults);
    writeFile("airports.fly", kAirports);
    openPlanner();
    getCourse([&](const CourseWindow& w) {
      QCOMPARE(w.origins()->currentText(), QStringLiteral("QQA"));
      QCOMPARE(w.destinations()->currentIndex(), -1);
      QCOMPARE(w.entry()->text(), QString());
      QCOMPARE(w.positions(), (QStringList{QStringLiteral("40.5"), QStringLiteral("-75.25"), QStringLiteral("0"),
                                           QStringLiteral("0")}));
      w.pickDestination(QStringLiteral("QQB"));
      QCOMPARE(w.destinations()->currentText(), QStringLiteral("QQB"));
      QCOMPARE(w.destinationLatitude()->text(), QStringLiteral("41.75"));
      QCOMPARE(w.destinationLongitude()->text(), QStringLiteral("-72.5"));
      catcher_->onMessage = [&](const test::SeenMessage&) {
        // The planner tells the course before it shows it.
        QCOMPARE(plannerText("TrueCourse"), QStringLiteral("0"));
      };
      w.click("okButton");
      QVERIFY(!w.window->isVisible());
    });
    catcher_->onMessage = nullptr;
    QCOMPARE(catcher_->texts(), QStringList{kWorkedMessage});
    QCOMPARE(plannerText("TrueCourse"), QStringLiteral("58"));
    QCOMPARE(plannerText("LegDistance"), QStringLiteral("145.15"));
    QCOMPARE(plannerText("FlightDistance"), QStringLiteral("145.15"));
    QCOMPARE(plannerText("Route"), QStringLiteral(" QQA ---> QQB ;"));
    QVERIFY(plannerButton("calculateButton")->isDefault());
    QVERIFY(!plannerButton("getTcButton")->isDefault());
    QCOMPARE(planner_->focusWidget(), plannerButton("calculateButton"));

    // The next leg starts where this one ended; flying to the same place is refused.
    catcher_->clear();
    getCourse([&](const CourseWindow& w) {
      QCOMPARE(w.origins()->currentText(), QStringLiteral("QQB"));
      QCOMPARE(w.destinations()->currentText(), QStringLiteral("QQB"));
      QCOMPARE(w.entry()->text(), QStringLiteral("QQB"));
      w.click("okButton");
      QVERIFY(w.window->isVisible());
      QCOMPARE(catcher_->texts(), QStringList{kZeroDistance});
    });
    QCOMPARE(plannerText("Route"), QStringLiteral(" QQA ---> QQB ;"));  // Cancel changed nothing
    QCOMPARE(plannerText("TrueCourse"), QStringLiteral("58"));
  }

  // What the pilot typed before Get TC and Distance is read first (with the usual
  // checks), so the leg computed after OK uses it, not the values held before.
  void typedWindAndVariationReachTheLegThroughGetTcAndDistance() {
    QFETCH(QString, windDirection);
    QFETCH(QStringList, messages);
    QFETCH(QStringList, afterOk);
    QFETCH(QStringList, headings);
    writeFile("config.fly", test::kExampleDefaults);  // TAS 110, variation -5, deviation 2
    writeFile("airports.fly", kAirports);
    openPlanner();
    test::typeInto(plannerField("WindDirection"), windDirection);
    test::typeInto(plannerField("WindVelocity"), QStringLiteral("12"));
    test::typeInto(plannerField("Variation"), QStringLiteral("-3"));
    getCourse([&](const CourseWindow& w) {
      w.pickDestination(QStringLiteral("QQB"));
      w.click("okButton");
    });
    QCOMPARE(catcher_->texts(), messages);
    QCOMPARE((QStringList{plannerText("TrueCourse"), plannerText("WindDirection"), plannerText("WindVelocity"),
                          plannerText("Variation")}),
             afterOk);
    catcher_->clear();
    QTest::mouseClick(plannerButton("calculateButton"), Qt::LeftButton);
    QCOMPARE(catcher_->texts(), QStringList());
    QCOMPARE((QStringList{plannerText("WindCorrection"), plannerText("TrueHeading"), plannerText("MagneticHeading"),
                          plannerText("CompassHeading")}),
             headings);
  }
  void typedWindAndVariationReachTheLegThroughGetTcAndDistance_data() {
    QTest::addColumn<QString>("windDirection");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QStringList>("afterOk");   // TC, wind direction and velocity, variation
    QTest::addColumn<QStringList>("headings");  // WCA, TH, MH, CH
    QTest::newRow("wind 270/12 and variation -3 typed")
        << "270" << QStringList{kWorkedMessage} << QStringList{"58", "270", "12", "-3"}
        << QStringList{"3", "55", "52", "54"};
    // The reading stops at the wind direction: the variation before it is taken, the
    // velocity after it is not, and both wind fields show what is held again.
    QTest::newRow("wind direction not a number: told before the window opens")
        << "west" << QStringList{kNotANumber, kWorkedMessage} << QStringList{"58", "0", "0", "-3"}
        << QStringList{"0", "58", "55", "57"};
  }

  void twoLegFlightChainsTotalsAndClock() {
    writeFile("config.fly", test::kExampleDefaults);
    writeFile("airports.fly", kThreeAirports);
    openPlanner();
    test::inWindow<QDateTimeEdit>(planner_.get(), QStringLiteral("fieldTimeOff"))
        ->setDateTime(QDateTime(test::kTestDay, QTime(9, 0, 0)));

    getCourse([&](const CourseWindow& w) {
      w.pickDestination(QStringLiteral("QQB"));
      w.click("okButton");
    });
    test::typeInto(plannerField("WindDirection"), QStringLiteral("45"));
    test::typeInto(plannerField("WindVelocity"), QStringLiteral("20"));
    QTest::mouseClick(plannerButton("calculateButton"), Qt::LeftButton);
    const QString firstArrival = plannerText("ArrivalTime");
    const double firstEte = plannerText("Ete").toDouble();
    QVERIFY(firstEte > 0);
    QCOMPARE(plannerText("SummaryTimeOff"), QStringLiteral("9:00:00"));
    QCOMPARE(plannerText("TotalDistance"), QStringLiteral("145.15"));
    QVERIFY(plannerButton("getTcButton")->isDefault());

    // Second leg, to an airport the file writes in lower case: QQB -> QQC.
    getCourse([&](const CourseWindow& w) {
      QCOMPARE(w.origins()->currentText(), QStringLiteral("QQB"));
      w.pickDestination(QStringLiteral("qqc"));
      QCOMPARE(w.destinations()->currentText(), QStringLiteral("QQC"));
      QCOMPARE(w.destinationLatitude()->text(), QStringLiteral("39.1"));
      QCOMPARE(w.destinationLongitude()->text(), QStringLiteral("-74.9"));
      w.click("okButton");
    });
    const CourseDistance second = computeCourseDistance({41.75, -72.5}, {39.1, -74.9});
    QCOMPARE(plannerText("LegDistance"), QString::number(second.distance));
    QCOMPARE(plannerText("TrueCourse"), QString::number(roundToWhole(second.trueCourse)));
    // The last leg's results are cleared; the flight's totals stay.
    QCOMPARE(plannerText("GroundSpeed"), QStringLiteral("0"));
    QCOMPARE(plannerText("ArrivalTime"), firstArrival);
    QCOMPARE(test::inWindow<QDateTimeEdit>(planner_.get(), QStringLiteral("fieldTimeOff"))
                 ->time()
                 .toString(QStringLiteral("H:mm:ss")),
             firstArrival);
    QTest::mouseClick(plannerButton("calculateButton"), Qt::LeftButton);

    QCOMPARE(plannerText("Route"), QStringLiteral(" QQA ---> QQB ; QQB ---> QQC ;"));
    QCOMPARE(plannerText("TotalDistance"), QString::number(145.15 + second.distance));
    QCOMPARE(plannerText("SummaryTimeOff"), QStringLiteral("9:00:00"));
    const double totalMinutes = plannerText("TotalFlightTime").toDouble() * 60;
    QVERIFY(qAbs(totalMinutes - (firstEte + plannerText("Ete").toDouble())) < 1);
    // The second leg took off when the first arrived.
    const QTime arrival = QTime::fromString(plannerText("ArrivalTime"), QStringLiteral("H:mm:ss"));
    QVERIFY(arrival.isValid());
    const int secondLegSeconds = QTime::fromString(firstArrival, QStringLiteral("H:mm:ss")).secsTo(arrival);
    QVERIFY2(qAbs(secondLegSeconds - plannerText("Ete").toDouble() * 60) <= 1, qPrintable(plannerText("ArrivalTime")));
    const QStringList messages = catcher_->texts();
    QCOMPARE(messages.size(), 2);
    QCOMPARE(messages.at(0), kWorkedMessage);
    QVERIFY(messages.at(1).startsWith(QStringLiteral("True Course is: ")));
  }

  void lastOriginBecomesTheHomeAirportThatDefaultsSave() {
    writeFile("config.fly", test::kExampleDefaults);
    writeFile("airports.fly", kAirports);
    openPlanner();
    getCourse([&](const CourseWindow& w) {
      w.pickDestination(QStringLiteral("QQB"));
      w.click("okButton");
    });
    getCourse([&](const CourseWindow& w) {
      w.pickDestination(QStringLiteral("QQA"));
      w.click("okButton");
    });
    QCOMPARE(plannerText("Route"), QStringLiteral(" QQA ---> QQB ; QQB ---> QQA ;"));
    planner_->findChild<QAction*>(QStringLiteral("commandSaveDefaults"))->trigger();
    QVERIFY(test::keepWrittenFile(path("config.fly")));
    QVERIFY(readFile("config.fly").startsWith("home_airport:QQB\r\n"));
  }

  void conversionFromTheToolsMenuHandsNothingBack() {
    writeFile("config.fly", test::kExampleDefaults);
    writeFile("airports.fly", kAirports);
    openPlanner();
    auto* command = planner_->findChild<QAction*>(QStringLiteral("commandCoordinateConversions"));
    QVERIFY(command->isEnabled());
    bool shown = false;
    test::whenShown(QStringLiteral("coordinateWindow"), [&](QWidget* c) {
      shown = true;
      test::typeInto(c->findChild<QLineEdit*>(QStringLiteral("fieldLatitudeDegrees")), QStringLiteral("40"));
      QTest::mouseClick(c->findChild<QPushButton*>(QStringLiteral("convertButton")), Qt::LeftButton);
      QTest::mouseClick(c->findChild<QPushButton*>(QStringLiteral("copyButton")), Qt::LeftButton);
      QTest::mouseClick(c->findChild<QPushButton*>(QStringLiteral("pasteButton")), Qt::LeftButton);
      QVERIFY(!c->isVisible());
    });
    command->trigger();
    QVERIFY(shown);
    QCOMPARE(catcher_->texts(), QStringList());
    QCOMPARE(planner_->rememberedAirports().origin, (GeoPosition{}));
    QCOMPARE(planner_->rememberedAirports().destination, (GeoPosition{}));
    QCOMPARE(plannerText("TrueCourse"), QStringLiteral("0"));
  }

  void resetKeepsTheLastDestinationAsTheNextOrigin() {
    writeFile("config.fly", test::kExampleDefaults);
    writeFile("airports.fly", kAirports);
    openPlanner();
    getCourse([&](const CourseWindow& w) {
      w.pickDestination(QStringLiteral("QQB"));
      w.click("okButton");
    });
    QTest::mouseClick(plannerButton("resetButton"), Qt::LeftButton);
    QCOMPARE(plannerText("Route"), QString());
    getCourse([&](const CourseWindow& w) {
      QCOMPARE(w.origins()->currentText(), QStringLiteral("QQB"));
      QCOMPARE(w.originLatitude()->text(), QStringLiteral("41.75"));
    });
  }

  void cancelEscapeAndTheCloseBoxChangeNothing() {
    writeFile("config.fly", test::kExampleDefaults);
    writeFile("airports.fly", kAirports);
    openPlanner();
    for (int way = 0; way < 3; ++way) {
      getCourse([&](const CourseWindow& w) {
        w.pickDestination(QStringLiteral("QQB"));
        switch (way) {
          case 0: w.click("cancelButton"); break;
          case 1: QTest::keyClick(w.window, Qt::Key_Escape); break;
          case 2: w.window->close(); break;
        }
        QVERIFY(!w.window->isVisible());
      });
      QCOMPARE(catcher_->texts(), QStringList());
      QCOMPARE(plannerText("Route"), QString());
      QCOMPARE(plannerText("TrueCourse"), QStringLiteral("0"));
      QVERIFY(plannerButton("getTcButton")->isDefault());
    }
    getCourse([&](const CourseWindow& w) { QCOMPARE(w.destinations()->currentIndex(), -1); });
  }

  void homeAirportMissingFromTheFileLeavesThePassedInPosition() {
    const CourseWindow w = openWindow({"QQX", "", {}, {}}, kAirports);
    QCOMPARE(w.origins()->currentIndex(), -1);
    QCOMPARE(w.positions(),
             (QStringList{QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0")}));
    // An identifier without its airport's position names nothing: the route names the
    // position.
    w.pickDestination(QStringLiteral("QQB"));
    w.click("okButton");
    QCOMPARE(window_->result(), int(QDialog::Accepted));
    QCOMPARE(window_->acceptedLeg().values.originId, std::string());
    QCOMPARE(window_->acceptedLeg().values.destinationId, std::string("QQB"));
  }

  void originLatitudeOutOfRangeIsComputedButHoldsTheWindowOpen() {
    const CourseWindow w = openWindow({"QQA", "", {}, {}}, kAirports);
    w.pickDestination(QStringLiteral("QQB"));
    test::typeInto(w.originLatitude(), QStringLiteral("500"));
    w.click("okButton");
    QCOMPARE(catcher_->texts(), (QStringList{kRangeMessage, kRangeMessage}));
    QVERIFY(w.window->isVisible());
    QCOMPARE(window_->acceptedLeg().values.origin.latitude, 500.0);
    QVERIFY(!window_->acceptedLeg().course.zeroDistance);  // computed with 500 all the same
    QCOMPARE(w.window->focusWidget(), w.originLatitude());
    QCOMPARE(w.originLatitude()->selectedText(), QStringLiteral("500"));
  }

  void destinationLatitudeHasNoRange() {
    const QList<double> latitudes = {500, -500, 1e6, 90.5};
    for (double latitude : latitudes) {
      const CourseWindow w = openWindow({"QQA", "", {}, {}}, kAirports);
      test::typeInto(w.destinationLatitude(), QString::number(latitude));
      w.click("okButton");
      for (const QString& text : catcher_->texts()) {
        QVERIFY2(!text.contains(QStringLiteral("between")), qPrintable(text));
        QVERIFY2(!text.contains(QStringLiteral("nan")), qPrintable(text));
      }
      const CourseDistance& course = window_->acceptedLeg().course;
      if (course.zeroDistance) {
        QCOMPARE(catcher_->texts(), QStringList{kZeroDistance});
      } else {
        QCOMPARE(window_->result(), int(QDialog::Accepted));
        QVERIFY(std::isfinite(course.distance) && std::isfinite(course.trueCourse));
      }
      window_.reset();
    }
  }

  void choosingAnAirportRewritesEveryField() {
    const CourseWindow w = openWindow({"QQA", "", {}, {}}, kAirports);
    test::typeInto(w.originLatitude(), QStringLiteral("10"));
    test::typeInto(w.destinationLongitude(), QStringLiteral("11"));
    w.pickDestination(QStringLiteral("QQB"));
    QCOMPARE(w.positions(), (QStringList{QStringLiteral("40.5"), QStringLiteral("-75.25"), QStringLiteral("41.75"),
                                         QStringLiteral("-72.5")}));
    test::typeInto(w.destinationLatitude(), QStringLiteral("12"));
    w.pickOrigin(QStringLiteral("QQB"));
    QCOMPARE(w.positions(), (QStringList{QStringLiteral("41.75"), QStringLiteral("-72.5"), QStringLiteral("41.75"),
                                         QStringLiteral("-72.5")}));
  }

  // Egelsbach's position typed over a chosen airport: the identifier goes, the route
  // line and the nav log name the position, and the next leg starts there.
  void typedPositionIsNamedByItselfNotByTheChosenAirport() {
    names_ = parseAirportNames("QQB\tBay Field\tBaytown\tNowhere\n");
    writeFile("config.fly", test::kExampleDefaults);
    writeFile("airports.fly", kAirports);
    openPlanner();
    getCourse([&](const CourseWindow& w) {
      w.pickDestination(QStringLiteral("QQB"));
      QCOMPARE(w.destinationName()->text(), QStringLiteral("QQB  Bay Field, Baytown, Nowhere"));
      // The name goes as the pilot types another position, and comes back with its own.
      test::typeInto(w.destinationLatitude(), QStringLiteral("49.9617"));
      QCOMPARE(w.destinationName()->text(), QString());
      test::typeInto(w.destinationLatitude(), QStringLiteral("41.750"));
      QCOMPARE(w.destinationName()->text(), QStringLiteral("QQB  Bay Field, Baytown, Nowhere"));
      test::typeInto(w.destinationLatitude(), QStringLiteral("49.9617"));
      test::typeInto(w.destinationLongitude(), QStringLiteral("8.6419"));
      w.click("okButton");
      QVERIFY(!w.window->isVisible());
      QCOMPARE(w.destinationName()->text(), QString());
    });
    QCOMPARE(plannerText("Route"), QStringLiteral(" QQA ---> 49.96N 8.64E ;"));
    QCOMPARE(planner_->rememberedAirports().destination, (GeoPosition{49.9617, 8.6419}));
    QCOMPARE(planner_->rememberedAirports().destinationId, std::string());
    test::typeInto(plannerField("WindDirection"), QStringLiteral("270"));
    test::typeInto(plannerField("WindVelocity"), QStringLiteral("12"));
    QTest::mouseClick(plannerButton("calculateButton"), Qt::LeftButton);
    QCOMPARE(planner_->flightPlan().navLog.legs.back().name, std::string("QQA-49.96N 8.64E"));

    catcher_->clear();
    getCourse([&](const CourseWindow& w) {
      QCOMPARE(w.origins()->currentIndex(), -1);
      QCOMPARE(w.originName()->text(), QString());
      QCOMPARE(w.positions().mid(0, 2), (QStringList{QStringLiteral("49.9617"), QStringLiteral("8.6419")}));
      w.pickDestination(QStringLiteral("QQA"));
      w.click("okButton");
    });
    QCOMPARE(catcher_->texts().size(), 1);
    QCOMPARE(plannerText("Route"), QStringLiteral(" QQA ---> 49.96N 8.64E ; 49.96N 8.64E ---> QQA ;"));
    // The typed origin had no identifier: the home airport that defaults save stays.
    QCOMPARE(planner_->rememberedAirports().originId, std::string("QQA"));
  }

  // A position typed into the origin takes the Origin list's choice and name away; the
  // same position as the airport's own keeps them.
  void typedOriginClearsTheListChoiceUnlessItIsTheAirportsOwn() {
    names_ = parseAirportNames("QQA\tQueen Anne Field\tAnnetown\tNowhere\n");
    const CourseWindow w = openWindow({"QQA", "", {}, {}}, kAirports);
    w.pickDestination(QStringLiteral("QQA"));
    test::typeInto(w.originLatitude(), QStringLiteral("40.50"));  // QQA's own, written otherwise
    w.click("okButton");                                          // QQA to QQA: refused, the window stays
    QCOMPARE(catcher_->texts(), QStringList{kZeroDistance});
    QCOMPARE(w.origins()->currentText(), QStringLiteral("QQA"));
    QCOMPARE(w.originName()->text(), QStringLiteral("QQA  Queen Anne Field, Annetown, Nowhere"));
    test::typeInto(w.originLatitude(), QStringLiteral("40.51"));
    w.click("okButton");
    QCOMPARE(window_->result(), int(QDialog::Accepted));
    QCOMPARE(w.origins()->currentIndex(), -1);
    QCOMPARE(w.originName()->text(), QString());
    QCOMPARE(w.destinationName()->text(), QStringLiteral("QQA  Queen Anne Field, Annetown, Nowhere"));
    QCOMPARE(window_->acceptedLeg().values.originId, std::string());
    QCOMPARE(window_->acceptedLeg().values.destinationId, std::string("QQA"));
  }

  void courseOfAlmostDueNorthReachesThePlannerAs360() {
    writeFile("config.fly", test::kExampleDefaults);
    writeFile("airports.fly", "QQA:0.000000;0.000000,\nQQN:1.000000;-0.001000,\n");
    openPlanner();
    getCourse([&](const CourseWindow& w) {
      w.pickDestination(QStringLiteral("QQN"));
      w.click("okButton");
    });
    QCOMPARE(catcher_->texts().size(), 1);
    QVERIFY2(catcher_->texts().at(0).startsWith(QStringLiteral("True Course is: 359.94 degrees,")),
             qPrintable(catcher_->texts().at(0)));
    QCOMPARE(plannerText("TrueCourse"), QStringLiteral("360"));
  }

  void emptyAirportTextStillTakesTypedCoordinates() {
    writeFile("config.fly", test::kExampleDefaults);
    openPlanner();
    QCOMPARE(catcher_->texts(), QStringList());  // the start-up message came before
    getCourse([&](const CourseWindow& w) {
      QCOMPARE(w.origins()->count(), 0);
      QCOMPARE(w.destinations()->count(), 0);
      test::typeInto(w.originLatitude(), QStringLiteral("40.5"));
      test::typeInto(w.originLongitude(), QStringLiteral("-75.25"));
      test::typeInto(w.destinationLongitude(), QStringLiteral("-72.5"));
      test::typeInto(w.destinationLatitude(), QStringLiteral("41.75"));
      w.click("okButton");
    });
    QCOMPARE(catcher_->texts(), QStringList{kWorkedMessage});
    // No airport at either end: no identifier, the positions name the leg.
    QCOMPARE(plannerText("Route"), QStringLiteral(" 40.50N 75.25W ---> 41.75N 72.50W ;"));
  }

  void conversionsPasteIntoEitherPositionAndDropThatEndsIdentifier() {
    for (const char* target : {"originChoice", "destinationChoice"}) {
      const CourseWindow w = openWindow({"QQA", "QQB", {40.5, -75.25}, {41.75, -72.5}}, kAirports);
      const QStringList before = w.positions();
      test::whenShown(QStringLiteral("coordinateWindow"), [&](QWidget* c) {
        auto* degrees = c->findChild<QLineEdit*>(QStringLiteral("fieldLatitudeDegrees"));
        test::typeInto(degrees, QStringLiteral("33"));
        test::typeInto(c->findChild<QLineEdit*>(QStringLiteral("fieldLatitudeMinutes")), QStringLiteral("51"));
        test::typeInto(c->findChild<QLineEdit*>(QStringLiteral("fieldLatitudeSeconds")), QStringLiteral("54.5"));
        c->findChild<QAbstractButton*>(QStringLiteral("southBox"))->click();
        test::typeInto(c->findChild<QLineEdit*>(QStringLiteral("fieldLongitudeDegrees")), QStringLiteral("151"));
        test::typeInto(c->findChild<QLineEdit*>(QStringLiteral("fieldLongitudeMinutes")), QStringLiteral("12"));
        QTest::mouseClick(c->findChild<QPushButton*>(QStringLiteral("convertButton")), Qt::LeftButton);
        QTest::mouseClick(c->findChild<QPushButton*>(QStringLiteral("copyButton")), Qt::LeftButton);
        c->findChild<QAbstractButton*>(QLatin1String(target))->click();
        QTest::mouseClick(c->findChild<QPushButton*>(QStringLiteral("pasteButton")), Qt::LeftButton);
      });
      w.click("conversionsButton");
      const QStringList converted = {QStringLiteral("-33.8651388888889"), QStringLiteral("151.2")};
      const bool origin = QLatin1String(target) == QLatin1String("originChoice");
      QCOMPARE(w.positions(), origin ? converted + before.mid(2) : before.mid(0, 2) + converted);
      // The pasted position is no airport's: its end loses the identifier.
      QCOMPARE(w.origins()->currentText(), origin ? QString() : QStringLiteral("QQB"));
      QCOMPARE(w.entry()->text(), QStringLiteral("QQB"));
      QCOMPARE(window_->acceptedLeg().values.originId, std::string(origin ? "" : "QQB"));
      QCOMPARE(window_->acceptedLeg().values.destinationId, std::string(origin ? "QQB" : ""));
      window_.reset();
    }
  }

  void conversionsCancelledChangeNothing() {
    const CourseWindow w = openWindow({"QQA", "", {}, {}}, kAirports);
    test::typeInto(w.destinationLatitude(), QStringLiteral("5"));  // typed, not read
    test::whenShown(QStringLiteral("coordinateWindow"), [](QWidget* c) {
      QTest::mouseClick(c->findChild<QPushButton*>(QStringLiteral("convertButton")), Qt::LeftButton);
      QTest::mouseClick(c->findChild<QPushButton*>(QStringLiteral("exitButton")), Qt::LeftButton);
    });
    w.click("conversionsButton");
    QCOMPARE(w.destinationLatitude()->text(), QStringLiteral("5"));
  }

  void addRefusesWhatIsNoIdentifier() {
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    writeFile("airports.fly", kAirports);
    const CourseWindow w = openWindow({"QQA", "", {}, {}}, kAirports);
    test::typeInto(w.entry(), typed);
    w.click("addButton");
    QCOMPARE(catcher_->texts(), QStringList{expected});
    QVERIFY(w.window->isVisible());
    QCOMPARE(readFile("airports.fly"), kAirports);
    QCOMPARE(airports_.text, kAirports.toStdString());
  }
  void addRefusesWhatIsNoIdentifier_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");
    const QString spaces = QStringLiteral("No spaces allowed!");
    const QString format = QStringLiteral("You must enter 3 alphanumeric symbol of the airport");
    QTest::newRow("empty") << QString() << format;
    QTest::newRow("blank") << QStringLiteral(" ") << spaces;
    QTest::newRow("blank inside, three long") << QStringLiteral("Q C") << spaces;
    QTest::newRow("blank after four letters") << QStringLiteral("QQCC ") << spaces;
    QTest::newRow("two letters") << QStringLiteral("ZZ") << format;
    QTest::newRow("four letters") << QStringLiteral("QQCC") << format;
    QTest::newRow("one digit") << QStringLiteral("7") << format;
    QTest::newRow("symbol") << QStringLiteral("Q-C") << format;
    QTest::newRow("non-ASCII letter") << QStringLiteral("QQÄ") << format;
  }

  void addOfAnAirportThatExistsInAnotherCaseSwitchesToIt() {
    writeFile("airports.fly", kThreeAirports);
    const CourseWindow w = openWindow({"QQA", "", {}, {}}, kThreeAirports);
    test::typeInto(w.destinationLatitude(), QStringLiteral("1"));
    test::typeInto(w.entry(), QStringLiteral("qqc"));
    catcher_->onMessage = [&](const test::SeenMessage&) {
      // The stored position is shown before the message.
      QCOMPARE(w.destinationLatitude()->text(), QStringLiteral("39.1"));
    };
    w.click("addButton");
    catcher_->onMessage = nullptr;
    QCOMPARE(catcher_->texts(),
             QStringList{QStringLiteral("Airport QQC already exist in database!\nif you want update or remove this "
                                        "airport,\nplease edit the file \"airports.fly\" manually.")});
    QVERIFY(w.window->isVisible());
    QCOMPARE(w.destinations()->currentText(), QStringLiteral("QQC"));
    QCOMPARE(w.destinationLongitude()->text(), QStringLiteral("-74.9"));
    QCOMPARE(readFile("airports.fly"), kThreeAirports);
  }

  void addedAirportIsWrittenByteForByteAndOfferedNextTime() {
    writeFile("config.fly", test::kExampleDefaults);
    writeFile("airports.fly", kAirports);
    openPlanner();
    getCourse([&](const CourseWindow& w) {
      test::typeInto(w.destinationLatitude(), QStringLiteral("39.1"));
      test::typeInto(w.destinationLongitude(), QStringLiteral("-74.9"));
      test::typeInto(w.entry(), QStringLiteral("QQC"));
      catcher_->onMessage = [&](const test::SeenMessage&) {
        // "Added" is said once the record is on the disk.
        QCOMPARE(readFile("airports.fly"), kAirports + "QQC:39.100000;-74.900000,");
      };
      w.click("addButton");
      catcher_->onMessage = nullptr;
      QVERIFY(!w.window->isVisible());
    });
    QCOMPARE(catcher_->texts(), QStringList{QStringLiteral("Airport QQC was added to database!")});
    QVERIFY(test::keepWrittenFile(path("airports.fly")));
    QCOMPARE(readFile("airports.fly"), kAirports + "QQC:39.100000;-74.900000,");
    QCOMPARE(plannerText("Route"), QString());  // the window closed cancelled
    getCourse([&](const CourseWindow& w) {
      QVERIFY(w.entries(w.destinations()).contains(QStringLiteral("QQC")));
      w.pickDestination(QStringLiteral("QQC"));
      QCOMPARE(w.destinationLatitude()->text(), QStringLiteral("39.1"));
    });
  }

  void addCreatesTheFileWhenThereWasNone() {
    const CourseWindow w = openWindow({}, QByteArray());
    test::typeInto(w.destinationLatitude(), QStringLiteral("39.1"));
    test::typeInto(w.destinationLongitude(), QStringLiteral("-74.9"));
    test::typeInto(w.entry(), QStringLiteral("QQC"));
    w.click("addButton");
    QCOMPARE(catcher_->texts(), QStringList{QStringLiteral("Airport QQC was added to database!")});
    QVERIFY(test::keepWrittenFile(path("airports.fly")));
    QCOMPARE(readFile("airports.fly"), QByteArray("QQC:39.100000;-74.900000,"));
    QCOMPARE(window_->result(), int(QDialog::Rejected));
  }

  void addKeepsWhatAnotherProgramSavedMeanwhile() {
    writeFile("config.fly", test::kExampleDefaults);
    writeFile("airports.fly", kAirports);
    openPlanner();
    // The pilot edits the file in a text editor after the program read it.
    const QByteArray edited = kAirports + "QQE:10.000000;20.000000,\n";
    writeFile("airports.fly", edited);
    getCourse([&](const CourseWindow& w) {
      test::typeInto(w.destinationLatitude(), QStringLiteral("39.1"));
      test::typeInto(w.destinationLongitude(), QStringLiteral("-74.9"));
      test::typeInto(w.entry(), QStringLiteral("QQC"));
      w.click("addButton");
    });
    QVERIFY(test::keepWrittenFile(path("airports.fly")));
    QCOMPARE(readFile("airports.fly"), edited + "QQC:39.100000;-74.900000,");
    getCourse([&](const CourseWindow& w) {
      QCOMPARE(w.entries(w.destinations()), (QStringList{QStringLiteral("QQA"), QStringLiteral("QQB"),
                                                         QStringLiteral("QQC"), QStringLiteral("QQE")}));
    });
  }

  void addThatCannotWriteKeepsTheRecordForTheRun() {
    QDir().mkpath(path("airports.fly"));  // a folder where the file belongs
    const CourseWindow w = openWindow({}, kAirports);
    test::typeInto(w.entry(), QStringLiteral("QQC"));
    w.click("addButton");
    // Not "added": only why it is not on the disk.
    QCOMPARE(catcher_->texts(), QStringList{QStringLiteral("Cannot open airports file!")});
    QCOMPARE(window_->result(), int(QDialog::Rejected));
    QVERIFY(QFileInfo(path("airports.fly")).isDir());
    QVERIFY(airports_.text.find("QQC:0.000000;0.000000,") != std::string::npos);
    window_.reset();
    const CourseWindow again = openWindow({}, QByteArray::fromStdString(airports_.text));
    QVERIFY(again.entries(again.destinations()).contains(QStringLiteral("QQC")));
  }

  void refusedCoordinateDuringAddUsesTheEntryAsLastRead() {
    // With a destination chosen at the opening, its identifier; the text typed since is not read.
    writeFile("airports.fly", kAirports);
    {
      const CourseWindow w = openWindow({"QQA", "QQB", {}, {}}, kAirports);
      test::typeInto(w.entry(), QStringLiteral("QQZ"));
      test::typeInto(w.originLongitude(), QString());
      w.click("addButton");
      QCOMPARE(catcher_->texts(),
               (QStringList{kNotANumber,
                            QStringLiteral("Airport QQB already exist in database!\nif you want update or remove "
                                           "this airport,\nplease edit the file \"airports.fly\" manually.")}));
      window_.reset();
    }
    // Without one, nothing.
    {
      const CourseWindow w = openWindow({"QQA", "", {}, {}}, kAirports);
      test::typeInto(w.entry(), QStringLiteral("QQZ"));
      test::typeInto(w.originLatitude(), QStringLiteral("x"));
      w.click("addButton");
      QCOMPARE(catcher_->texts(),
               (QStringList{kNotANumber, QStringLiteral("You must enter 3 alphanumeric symbol of the airport")}));
    }
  }

  void reloadAfterAnEditShowsTheEditedPositions() {
    writeFile("config.fly", test::kExampleDefaults);
    writeFile("airports.fly", kAirports);
    openPlanner();
    writeFile("airports.fly", "QQA:10.000000;20.000000,\nQQB:41.750000;-72.500000,\n");
    getCourse([&](const CourseWindow& w) { QCOMPARE(w.originLatitude()->text(), QStringLiteral("40.5")); });
    planner_->findChild<QAction*>(QStringLiteral("commandReloadAirports"))->trigger();
    getCourse([&](const CourseWindow& w) {
      QCOMPARE(w.originLatitude()->text(), QStringLiteral("10"));
      QCOMPARE(w.originLongitude()->text(), QStringLiteral("20"));
    });
  }

  void namesOfKnownAirportsAreShownAndExposed() {
    names_ = parseAirportNames("QQA\tQueen Anne Field\tAnnetown\tNowhere\nQQC\tCedar Strip\t\tNowhere\n");
    const CourseWindow w = openWindow({"QQA", "", {}, {}}, kThreeAirports + "QQD:1;2,");
    QCOMPARE(w.originName()->text(), QStringLiteral("QQA  Queen Anne Field, Annetown, Nowhere"));
    QCOMPARE(w.destinationName()->text(), QString());
    w.pickDestination(QStringLiteral("QQC"));  // written qqc in the file
    QCOMPARE(w.destinationName()->text(), QStringLiteral("QQC  Cedar Strip, Nowhere"));
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(w.destinationName());
    QVERIFY(accessible != nullptr);
    QVERIFY(accessible->text(QAccessible::Name).contains(QStringLiteral("Cedar Strip")));
    // A pilot's own airport has no name; the position is always the file's.
    w.pickDestination(QStringLiteral("QQD"));
    QCOMPARE(w.destinationName()->text(), QString());
    QCOMPARE(w.destinationLatitude()->text(), QStringLiteral("1"));
    // A name is shown only for an airport the lists hold.
    window_.reset();
    const CourseWindow other = openWindow({"QQA", "", {}, {}}, "QQB:1;2,");
    QCOMPARE(other.originName()->text(), QString());
  }

  // The variation at the middle of the leg, for the take-off date on the planner's
  // picker; the planner's Variation changes only when the pilot ticks the box.
  void variationAtMidLegGoesToThePlannerOnlyWhenAsked() {
    writeFile("config.fly", test::kExampleDefaults);
    writeFile("airports.fly", kAirports);
    openPlanner();
    test::inWindow<QDateTimeEdit>(planner_.get(), QStringLiteral("fieldTimeOff"))
        ->setDateTime(QDateTime(QDate(2026, 6, 15), QTime(10, 0)));
    const GeoPosition qqa{40.5, -75.25}, qqb{41.75, -72.5};
    const LegVariation expected = legVariation(qqa, qqb, decimalYear({2026, 6, 15, 10, 0, 0}));
    QCOMPARE(expected.outcome, DeclinationOutcome::Computed);
    const QString shown = QString::fromStdString(legVariationText(expected));
    QVERIFY(shown.startsWith(QStringLiteral("Variation at mid-leg: 1")));  // some 13 degrees west
    QVERIFY(shown.endsWith(QStringLiteral("\u00B0 W (WMM2025)")));

    getCourse([&](const CourseWindow& w) {
      w.pickDestination(QStringLiteral("QQB"));
      QCOMPARE(w.variationText()->text(), shown);
      QVERIFY(w.useVariation()->isEnabled());
      QVERIFY(!w.useVariation()->isChecked());
      w.click("okButton");
    });
    QCOMPARE(plannerText("Variation"), QStringLiteral("-5"));  // the defaults' variation, untouched
    QCOMPARE(plannerText("TrueCourse"), QStringLiteral("58"));

    // Back again, this time taking the variation: the same midpoint, the same value.
    getCourse([&](const CourseWindow& w) {
      w.pickDestination(QStringLiteral("QQA"));
      QCOMPARE(w.variationText()->text(), shown);
      QTest::mouseClick(w.useVariation(), Qt::LeftButton);
      QVERIFY(w.useVariation()->isChecked());
      w.click("okButton");
    });
    QCOMPARE(plannerText("Variation"), QString::fromStdString(fieldText(expected.variation)));
    QCOMPARE(plannerText("TrueCourse"), QStringLiteral("240"));

    // A typed position counts at once; one that is no position takes the box away.
    catcher_->clear();
    getCourse([&](const CourseWindow& w) {
      QTest::mouseClick(w.useVariation(), Qt::LeftButton);
      test::typeInto(w.destinationLatitude(), QStringLiteral("41.75x"));
      QCOMPARE(w.variationText()->text(), QStringLiteral("Variation at mid-leg: none, the positions give no leg"));
      QVERIFY(!w.useVariation()->isEnabled());
      QVERIFY(!w.useVariation()->isChecked());
      test::typeInto(w.destinationLatitude(), QStringLiteral("41.75"));
      test::typeInto(w.destinationLongitude(), QStringLiteral("-72.5"));
      QCOMPARE(w.variationText()->text(),
               QString::fromStdString(legVariationText(legVariation(qqa, qqb, decimalYear({2026, 6, 15, 10, 0, 0})))));
      QVERIFY(w.useVariation()->isEnabled());
      QVERIFY(!w.useVariation()->isChecked());
    });
    QVERIFY(catcher_->texts().isEmpty());
  }

  void variationIsRefusedOutsideTheModelsYearsAndNearThePole() {
    const CourseWindow w = openWindow({"QQA", "QQB", {}, {}}, kAirports);
    window_->setTakeOffDate({2031, 1, 2, 8, 0, 0});
    QCOMPARE(w.variationText()->text(),
             QStringLiteral("Variation at mid-leg: none, the take-off date is outside WMM2025 (2025.0 to 2030.0)"));
    QVERIFY(!w.useVariation()->isEnabled());
    window_->setTakeOffDate({2027, 3, 1, 8, 0, 0});
    QVERIFY(w.variationText()->text().endsWith(QStringLiteral(" W (WMM2025)")));
    QVERIFY(w.useVariation()->isEnabled());
    // The label says what it shows to a screen reader.
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(w.variationText());
    QVERIFY(accessible != nullptr);
    QCOMPARE(accessible->text(QAccessible::Name), w.variationText()->text());

    for (auto [field, text] : {std::pair{w.originLatitude(), "85"},
                               {w.originLongitude(), "135"},
                               {w.destinationLatitude(), "86.5"},
                               {w.destinationLongitude(), "145"}}) {
      test::typeInto(field, QString::fromLatin1(text));
    }
    QCOMPARE(w.variationText()->text(),
             QStringLiteral("Variation at mid-leg: none, too near the magnetic pole for a compass (WMM2025)"));
    QVERIFY(!w.useVariation()->isEnabled());
  }
};

QTEST_MAIN(CourseWindowTest)
#include "course_window_test.moc"
