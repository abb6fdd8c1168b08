// Route files from the planner's File menu: Import Route through the real open dialog
// builds the flight's legs one Calculate at a time; a refused file changes nothing.

#include <QAction>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "core/magnetic.hpp"
#include "test_support.hpp"
#include "windows/legs_dialog.hpp"
#include "windows/planner_dialog.hpp"
#include "windows/route_file_dialogs.hpp"

using namespace orvane;

namespace {

const QString kExchange = QStringLiteral(ORVANE_EXCHANGE_FOLDER);
const QByteArray kAirports = "JFK:40.639801;-73.778900,\nPVD:41.732601;-71.420403,\nBOS:42.364300;-71.005203,\n";
const QByteArray kGpxHead = "<gpx xmlns=\"http://www.topografix.com/GPX/1/1\" version=\"1.1\" creator=\"t\">";

const DirectoryLoad& shippedDirectory() {
  static const DirectoryLoad load =
      loadAirportDirectory(std::filesystem::path(ORVANE_DATA_FOLDER) / std::string(kAirportDirectoryFileName));
  return load;
}

QByteArray readFile(const QString& file) {
  QFile f(file);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

}  // namespace

class RouteWindowTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<QTemporaryDir> folder_;
  AirportDatabase airports_;
  test::RecordingLauncher launcher_;
  std::unique_ptr<test::MessageCatcher> catcher_;
  std::unique_ptr<PlannerDialog> planner_;

  QString path(const QString& name) const { return folder_->filePath(name); }
  void writeFile(const QString& name, const QByteArray& content) {
    QFile file(path(name));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
  }
  QLineEdit* field(const char* key) { return test::plannerField(planner_.get(), key); }
  QPushButton* button(const char* name) { return planner_->findChild<QPushButton*>(QString::fromLatin1(name)); }
  QString routeLine() { return QString::fromStdString(planner_->flightPlan().totals.routeLine); }

  // File > Import Route, answered in the real open dialog with `file`.
  bool importThroughDialog(const QString& file) {
    bool shown = false;
    test::whenShown(QStringLiteral("routeImportDialog"), [&](QWidget* window) {
      auto* dialog = qobject_cast<QFileDialog*>(window);
      auto* name = dialog != nullptr ? dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")) : nullptr;
      shown = name != nullptr;
      if (!shown) {
        window->close();
        return;
      }
      test::typeInto(name, file);
      QTest::keyClick(name, Qt::Key_Return);
      if (dialog->isVisible()) dialog->reject();
    });
    planner_->findChild<QAction*>(QStringLiteral("commandImportRoute"))->trigger();
    return shown;
  }

  // Presses Get TC and Distance and picks `destination` in the course window.
  void flyTo(const QString& destination) {
    bool flown = false;
    test::whenShown(QStringLiteral("courseWindow"), [&](QWidget* window) {
      QLineEdit* entry = window->findChild<QComboBox*>(QStringLiteral("destinationList"))->lineEdit();
      test::typeInto(entry, destination);
      QTest::keyClick(entry, Qt::Key_Tab);
      QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("okButton")), Qt::LeftButton);
      flown = !window->isVisible();
    });
    QTest::mouseClick(button("getTcButton"), Qt::LeftButton);
    QVERIFY(flown);
  }

  // File > Export Route, answered in the real save dialog with `file` and the type `filter`.
  bool exportThroughDialog(const QString& file, const QString& filter) {
    bool shown = false;
    test::whenShown(QStringLiteral("routeExportDialog"), [&](QWidget* window) {
      auto* dialog = qobject_cast<QFileDialog*>(window);
      auto* name = dialog != nullptr ? dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")) : nullptr;
      shown = name != nullptr;
      if (!shown) {
        window->close();
        return;
      }
      dialog->selectNameFilter(filter);
      emit dialog->filterSelected(filter);
      test::typeInto(name, file);
      QTest::keyClick(name, Qt::Key_Return);
      if (dialog->isVisible()) dialog->reject();
    });
    planner_->findChild<QAction*>(QStringLiteral("commandExportRoute"))->trigger();
    return shown;
  }

  // A written file with its time stamp set to that of the committed files.
  static QByteArray withFixedStamp(QByteArray bytes) {
    QString text = QString::fromUtf8(bytes);
    text.replace(QRegularExpression(QStringLiteral("<(created|time)>[^<]*</")),
                 QStringLiteral("<\\1>2026-01-01T09:00:00Z</"));
    return text.toUtf8();
  }

  // Wind 45 at 20 and take-off at 9:00:00, as in the worked leg.
  void typeWind() {
    test::typeInto(field("WindDirection"), QStringLiteral("45"));
    test::typeInto(field("WindVelocity"), QStringLiteral("20"));
    test::inWindow<QDateTimeEdit>(planner_.get(), QStringLiteral("fieldTimeOff"))
        ->setDateTime(QDateTime(test::kTestDay, QTime(9, 0, 0)));
  }

 private slots:
  void init() {
    folder_ = std::make_unique<QTemporaryDir>();
    QVERIFY(folder_->isValid());
    writeFile(QStringLiteral("config.fly"),
              QByteArray(test::kExampleDefaults).replace("home_airport:QQA", "home_airport:JFK"));
    writeFile(QStringLiteral("airports.fly"), kAirports);
    catcher_ = std::make_unique<test::MessageCatcher>();
    PlannerServices services;
    services.workingFolder = folder_->path().toStdString();
    services.launcher = &launcher_;
    services.airports = &airports_;
    services.airportDirectory = []() -> const DirectoryLoad& { return shippedDirectory(); };
    services.showSplash = false;
    planner_ = std::make_unique<PlannerDialog>(std::move(services));
    planner_->show();
    QVERIFY(QTest::qWaitForWindowExposed(planner_.get()));
    catcher_->clear();
  }
  void cleanup() {
    planner_.reset();
    catcher_.reset();
    folder_.reset();
  }

  // Either format of the example flight: the first leg waits for Calculate, and each
  // Calculate hands over the next leg, until the route is flown.
  void importedRouteIsFlownLegByLeg_data() {
    QTest::addColumn<QString>("file");
    QTest::newRow("FlightPlan") << kExchange + QStringLiteral("/example-flight.fpl");
    QTest::newRow("GPX") << kExchange + QStringLiteral("/example-flight.gpx");
  }
  void importedRouteIsFlownLegByLeg() {
    QFETCH(QString, file);
    typeWind();
    test::typeInto(field("TrueCourse"), QStringLiteral("300"));
    planner_->readFields();
    QVERIFY(importThroughDialog(file));
    QCOMPARE(catcher_->texts(), QStringList{"Route KJFK/KBOS: 2 legs, 167.24 nautical miles in all. The first leg:\n"
                                            "True Course is: 57.61 degrees,Distance is: 125.06 nautical miles,\n"
                                            "Enter wind parameters and press 'Calculate' button."});
    QCOMPARE(field("TrueCourse")->text(), QStringLiteral("58"));
    QCOMPARE(field("LegDistance")->text(), QStringLiteral("125.06"));
    QCOMPARE(field("FlightDistance")->text(), QStringLiteral("125.06"));
    // The planner's other inputs stay: wind, TAS, variation, fuel.
    QCOMPARE(field("WindDirection")->text(), QStringLiteral("45"));
    QCOMPARE(field("TrueAirspeed")->text(), QStringLiteral("110"));
    QCOMPARE(field("FuelOnBoard")->text(), QStringLiteral("40"));
    // The directory knows the files' KJFK, KPVD and KBOS as the pilot's JFK, PVD and BOS.
    QCOMPARE(routeLine(), QStringLiteral(" JFK ---> PVD ;"));
    QVERIFY(button("calculateButton")->isDefault());
    // The whole route is the plan's: what waits for Calculate goes into a saved plan too.
    QCOMPARE(coursesToCalculate(planner_->flightPlan()), std::string(" JFK ---> PVD ; PVD ---> BOS ;"));
    {
      const LegsDialog legs(planner_->flightPlan());
      const auto* waiting = legs.findChild<QLabel*>(QStringLiteral("coursesToCalculate"));
      QVERIFY(waiting != nullptr && !waiting->isHidden());
      QCOMPARE(waiting->text(), QStringLiteral("Still to calculate in the planner: JFK ---> PVD ; PVD ---> BOS ;"));
    }

    catcher_->clear();
    QTest::mouseClick(button("calculateButton"), Qt::LeftButton);
    QCOMPARE(catcher_->texts(), QStringList());
    QCOMPARE(planner_->flightPlan().navLog.legs.size(), std::size_t{1});
    QCOMPARE(field("TrueCourse")->text(), QStringLiteral("26"));
    QCOMPARE(field("LegDistance")->text(), QStringLiteral("42.18"));
    QCOMPARE(routeLine(), QStringLiteral(" JFK ---> PVD ; PVD ---> BOS ;"));
    QVERIFY(button("calculateButton")->isDefault());

    QTest::mouseClick(button("calculateButton"), Qt::LeftButton);
    QCOMPARE(planner_->flightPlan().navLog.legs.size(), std::size_t{2});
    QCOMPARE(planner_->flightPlan().navLog.legs[1].name, std::string("PVD-BOS"));
    QCOMPARE(field("TotalDistance")->text(), QStringLiteral("167.24"));
    QVERIFY(button("getTcButton")->isDefault());
    QCOMPARE(routeLine(), QStringLiteral(" JFK ---> PVD ; PVD ---> BOS ;"));
  }

  // With "Take Each Leg's Variation from WMM2025" ticked, each imported leg brings the
  // model's variation for the take-off date into VAR; unticked, VAR stays as typed.
  void importTakesTheModelsVariationWhenAsked_data() {
    QTest::addColumn<bool>("asked");
    QTest::newRow("asked") << true;
    QTest::newRow("not asked") << false;
  }
  void importTakesTheModelsVariationWhenAsked() {
    QFETCH(bool, asked);
    typeWind();
    test::typeInto(field("Variation"), QStringLiteral("5"));
    planner_->readFields();
    planner_->findChild<QAction*>(QStringLiteral("commandImportVariation"))->setChecked(asked);
    QVERIFY(importThroughDialog(kExchange + QStringLiteral("/example-flight.fpl")));
    const auto year =
        decimalYear(LocalDateTime{test::kTestDay.year(), test::kTestDay.month(), test::kTestDay.day(), 9, 0, 0});
    const GeoPosition jfk{40.639801, -73.7789}, pvd{41.732601, -71.420403}, bos{42.3643, -71.005203};
    const double first = legVariation(jfk, pvd, year).variation;
    const double second = legVariation(pvd, bos, year).variation;
    QVERIFY(first > 10 && first < 16);  // some 13 degrees west around New York
    QCOMPARE(planner_->flightPlan().inputs.variation, asked ? first : 5.0);
    QTest::mouseClick(button("calculateButton"), Qt::LeftButton);
    QCOMPARE(planner_->flightPlan().inputs.variation, asked ? second : 5.0);
  }

  // Hostile and broken files: a message that names the file, and the flight as it was.
  void refusedFileChangesNothing_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("reason");
    QByteArray many = kGpxHead;
    for (int i = 0; i < 3001; ++i) many += "<wpt lat=\"1\" lon=\"2\"/>";
    many += "</gpx>";
    const QByteArray example = readFile(kExchange + QStringLiteral("/example-flight.gpx"));
    QTest::newRow("external entity")
        << QByteArray("<!DOCTYPE gpx [<!ENTITY x SYSTEM \"file:///etc/passwd\">]>") + kGpxHead +
               "<wpt lat=\"1\" lon=\"2\"><name>&x;</name></wpt><wpt lat=\"2\" lon=\"2\"/></gpx>"
        << "The file declares a document type";
    QTest::newRow("nested entities")
        << QByteArray(
               "<!DOCTYPE gpx [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\">"
               "<!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;\">]>") +
               kGpxHead + "<wpt lat=\"1\" lon=\"2\"><name>&c;</name></wpt></gpx>"
        << "The file declares a document type";
    QTest::newRow("3,001 waypoints") << many << "The file holds more than 3,000 waypoints";
    QTest::newRow("truncated") << example.left(example.size() / 2) << "The file is not well-formed XML";
    QTest::newRow("wrong namespace") << QByteArray("<gpx xmlns=\"http://www.topografix.com/GPX/1/0\"/>")
                                     << "The file is no GPX 1.1 file";
    QTest::newRow("not UTF-8") << kGpxHead + "<wpt lat=\"1\" lon=\"2\"><name>Z\xFCrich</name></wpt></gpx>"
                               << "The file is not UTF-8 text";
    QTest::newRow("empty") << QByteArray() << "The file is empty.";
    QTest::newRow("9 MiB") << QByteArray(9 * 1024 * 1024, ' ') << "The file is larger than 8 MiB";
    QTest::newRow("same place twice")
        << kGpxHead + "<wpt lat=\"1\" lon=\"2\"><name>A</name></wpt><wpt lat=\"1\" lon=\"2\"><name>B</name></wpt></gpx>"
        << "Points 1 and 2 of the route (A and B) lie at the same place";
  }
  void refusedFileChangesNothing() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reason);
    typeWind();
    QVERIFY(importThroughDialog(kExchange + QStringLiteral("/example-flight.fpl")));
    QTest::mouseClick(button("calculateButton"), Qt::LeftButton);
    const QString line = routeLine();
    const QString course = field("TrueCourse")->text();
    const std::size_t legs = planner_->flightPlan().navLog.legs.size();

    writeFile(QStringLiteral("hostile.gpx"), bytes);
    catcher_->clear();
    QVERIFY(importThroughDialog(path(QStringLiteral("hostile.gpx"))));
    QCOMPARE(catcher_->texts().size(), 1);
    const QString text = catcher_->texts().value(0);
    QVERIFY2(text.contains(reason), qPrintable(text));
    if (!reason.startsWith(QStringLiteral("Points"))) {
      QVERIFY2(text.startsWith(QStringLiteral("The route file \"%1\" was not read, and the flight is as it was:\n")
                                   .arg(QDir::toNativeSeparators(path(QStringLiteral("hostile.gpx"))))),
               qPrintable(text));
    }
    QVERIFY(!text.contains(QStringLiteral("root:")));  // nothing of another file
    QCOMPARE(routeLine(), line);
    QCOMPARE(field("TrueCourse")->text(), course);
    QCOMPARE(planner_->flightPlan().navLog.legs.size(), legs);
    // The rest of the imported route still follows.
    QTest::mouseClick(button("calculateButton"), Qt::LeftButton);
    QCOMPARE(planner_->flightPlan().navLog.legs.size(), legs + 1);
  }

  // The example flight picked in the course window, JFK to PVD to BOS, exported before,
  // while and after it is calculated: the committed files, byte for byte.
  void exampleFlightIsExportedAsCommitted_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("committed");
    QTest::newRow("FlightPlan by name") << "flight.fpl" << kGpxFilter << "example-flight.fpl";
    QTest::newRow("GPX by name") << "flight.gpx" << kFlightPlanFilter << "example-flight.gpx";
    QTest::newRow("FlightPlan by type") << "flight" << kFlightPlanFilter << "example-flight.fpl";
    QTest::newRow("GPX by type") << "flight" << kGpxFilter << "example-flight.gpx";
  }
  void exampleFlightIsExportedAsCommitted() {
    QFETCH(QString, typed);
    QFETCH(QString, filter);
    QFETCH(QString, committed);
    // Each export to a file of its own, so no question to replace one comes up.
    const auto exported = [&](const QString& step) {
      const QString name = step + QLatin1Char('-') + typed;
      if (!exportThroughDialog(path(name), filter)) return QByteArray("<no dialog>");
      return readFile(path(name.contains(QLatin1Char('.')) ? name : name + (filter == kGpxFilter ? ".gpx" : ".fpl")));
    };
    const QByteArray expected = readFile(kExchange + QLatin1Char('/') + committed);
    typeWind();
    flyTo(QStringLiteral("PVD"));
    // The leg chosen and not yet calculated is part of the route.
    const RouteReading firstLeg = readRouteText(exported(QStringLiteral("chosen")).toStdString());
    QCOMPARE(firstLeg.route.points.size(), std::size_t{2});
    QCOMPARE(firstLeg.route.points[1].name, std::string("KPVD"));
    QTest::mouseClick(button("calculateButton"), Qt::LeftButton);
    flyTo(QStringLiteral("BOS"));
    catcher_->clear();
    QCOMPARE(withFixedStamp(exported(QStringLiteral("pending"))), expected);
    QCOMPARE(catcher_->texts(), QStringList());
    QTest::mouseClick(button("calculateButton"), Qt::LeftButton);
    QCOMPARE(withFixedStamp(exported(QStringLiteral("flown"))), expected);
  }

  // Importing the committed files gives the legs of the flight picked in the course
  // window: the same airports, course and distance, and so the same results.
  void importGivesTheLegsOfTheChosenFlight_data() { importedRouteIsFlownLegByLeg_data(); }
  void importGivesTheLegsOfTheChosenFlight() {
    QFETCH(QString, file);
    typeWind();
    flyTo(QStringLiteral("PVD"));
    QTest::mouseClick(button("calculateButton"), Qt::LeftButton);
    flyTo(QStringLiteral("BOS"));
    QTest::mouseClick(button("calculateButton"), Qt::LeftButton);
    const std::vector<PlannedLeg> chosen = planner_->flightPlan().legs;
    QCOMPARE(chosen.size(), std::size_t{2});

    QTest::mouseClick(button("resetButton"), Qt::LeftButton);
    typeWind();
    QVERIFY(importThroughDialog(file));
    QTest::mouseClick(button("calculateButton"), Qt::LeftButton);
    QTest::mouseClick(button("calculateButton"), Qt::LeftButton);
    const std::vector<PlannedLeg>& imported = planner_->flightPlan().legs;
    QCOMPARE(imported.size(), chosen.size());
    for (std::size_t i = 0; i < chosen.size(); ++i) {
      QVERIFY(imported[i].ends.has_value());
      // The files' ICAO codes come back as the pilot's own airline codes.
      QCOMPARE(imported[i].ends->fromId, chosen[i].ends->fromId);
      QCOMPARE(imported[i].ends->toId, chosen[i].ends->toId);
      QVERIFY(imported[i].ends->from == chosen[i].ends->from);
      QVERIFY(imported[i].ends->to == chosen[i].ends->to);
      QVERIFY(imported[i].inputs == chosen[i].inputs);
      QVERIFY(imported[i].results == chosen[i].results);
    }
  }

  // Names a FlightPlan file cannot carry are written otherwise, and the pilot is told.
  void mappedNamesAreReported() {
    writeFile(QStringLiteral("lower.gpx"), kGpxHead +
                                               "<rte><rtept lat=\"1\" lon=\"2\"><name>Home strip</name></rtept>"
                                               "<rtept lat=\"1.5\" lon=\"2\"><name>lake</name></rtept></rte></gpx>");
    QVERIFY(importThroughDialog(path(QStringLiteral("lower.gpx"))));
    catcher_->clear();
    QVERIFY(exportThroughDialog(path(QStringLiteral("lower.fpl")), kFlightPlanFilter));
    QCOMPARE(catcher_->texts(),
             QStringList{
                 QStringLiteral("The route was saved as \"%1\".\n").arg(QDir::toNativeSeparators(path("lower.fpl"))) +
                 "Some names did not fit the file format and were written otherwise:\n"
                 "Home strip as HOMESTRIP\nlake as LAKE\nHome strip/lake as HOME STRIP/LAKE"});
  }

  void exportWithoutARouteSaysSo() {
    planner_->findChild<QAction*>(QStringLiteral("commandExportRoute"))->trigger();
    QCOMPARE(catcher_->texts(), QStringList{"There is no route to export yet: choose the legs with Get TC and "
                                            "Distance, or import a route."});
  }

  void fileMenuOffersTheRouteCommands() {
    QMenu* file = planner_->findChild<QMenuBar*>()->actions().value(0)->menu();
    QStringList texts;
    for (QAction* action : file->actions()) texts << action->text();
    QVERIFY(texts.contains(QStringLiteral("&Import Route...")));
    QVERIFY(texts.contains(QStringLiteral("E&xport Route...")));
  }
};

QTEST_MAIN(RouteWindowTest)
#include "route_window_test.moc"
