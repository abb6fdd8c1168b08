// The planner as a pilot uses it: typing into the real fields, pressing the real
// buttons and reading the real message boxes.

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QHelpEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocumentFragment>
#include <QToolTip>
#include <cstdlib>
#include <ctime>
#include <memory>

#include "app/start_up.hpp"
#include "test_support.hpp"
#include "ui/elided_label.hpp"
#include "windows/about_dialog.hpp"
#include "windows/planner_dialog.hpp"

using namespace orvane;

namespace {

const QByteArray kAirports = "QQA:40.500000;-75.250000,\nQQB:41.750000;-72.500000,\n";

// The fields a new or reset flight shows 0 in, and the ones it leaves empty.
constexpr const char* kZeroAtStart[] = {
    "TrueCourse",     "WindDirection",   "WindVelocity",      "LegDistance",     "WindCorrection",
    "TrueHeading",    "MagneticHeading", "CompassHeading",    "GroundSpeed",     "Ete",
    "FuelBurned",     "FuelLeft",        "DistanceRemaining", "TotalFlightTime", "TotalFuelUsed",
    "FlightDistance", "TotalDistance"};
constexpr const char* kEmptyAtStart[] = {"Eta", "SummaryTimeOff", "ArrivalTime", "Route", "ZuluTimeOff"};

}  // namespace

class PlannerWindowTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir folder_;
  AirportDatabase airports_;
  test::RecordingLauncher launcher_;
  std::unique_ptr<test::MessageCatcher> catcher_;
  std::unique_ptr<PlannerDialog> planner_;

  void writeFile(const char* name, const QByteArray& content) {
    QFile file(folder_.filePath(QString::fromLatin1(name)));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
  }
  QByteArray readFile(const char* name) {
    QFile file(folder_.filePath(QString::fromLatin1(name)));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
  }
  // Builds the planner on the test's folder; its start-up runs (and shows its messages)
  // before the window is shown.
  void create(bool showSplash = false) {
    PlannerServices services;
    services.workingFolder = folder_.path().toStdString();
    services.launcher = &launcher_;
    services.airports = &airports_;
    services.showSplash = showSplash;
    planner_ = std::make_unique<PlannerDialog>(std::move(services));
  }
  void open() {
    create();
    planner_->show();
    QVERIFY(QTest::qWaitForWindowExposed(planner_.get()));
    planner_->activateWindow();
    QApplication::setActiveWindow(planner_.get());
    catcher_->clear();
  }
  QLineEdit* field(const char* key) { return test::plannerField(planner_.get(), key); }
  QString text(const char* key) { return test::plannerText(planner_.get(), key); }
  QLabel* label(const char* key) {
    return test::inWindow<QLabel>(planner_.get(), QStringLiteral("field") + QLatin1String(key));
  }
  // What a screen reader is told about a widget: its name and its value.
  static QString spoken(QWidget* widget) {
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
    if (accessible == nullptr) return QString();
    return accessible->text(QAccessible::Name) + QLatin1Char('|') + accessible->text(QAccessible::Value);
  }
  // The start-up picture while it is on screen.
  static QWidget* picture() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (w->objectName() == QStringLiteral("splashWindow") && w->isVisible()) return w;
    }
    return nullptr;
  }
  QPushButton* button(const char* name) { return planner_->findChild<QPushButton*>(QString::fromLatin1(name)); }
  QDateTimeEdit* picker() { return test::inWindow<QDateTimeEdit>(planner_.get(), QStringLiteral("fieldTimeOff")); }
  QAction* command(const char* name) { return planner_->findChild<QAction*>(QLatin1String(name)); }
  void click(const char* name) { QTest::mouseClick(button(name), Qt::LeftButton); }
  void setTakeOff(int h, int m, int s) { picker()->setDateTime(QDateTime(test::kTestDay, QTime(h, m, s))); }
  // The zulu text of a take-off on the test day in the zone the test runs in, by Qt's
  // own conversion to UTC: in every zone the summary must show the take-off's UTC.
  static QString zuluOf(int h, int m, int s) {
    const QTime utc = QDateTime(test::kTestDay, QTime(h, m, s)).toUTC().time();
    return QStringLiteral("[ %1 zulu ]").arg(utc.toString(QStringLiteral("H:mm:ss")));
  }

  // Presses Get TC and Distance and flies the leg to `destination` from where the last
  // one ended, as the pilot picks it in the course window.
  void flyTo(const QString& destination) {
    bool flown = false;
    test::whenShown(QStringLiteral("courseWindow"), [&](QWidget* window) {
      QLineEdit* entry = window->findChild<QComboBox*>(QStringLiteral("destinationList"))->lineEdit();
      test::typeInto(entry, destination);
      QTest::keyClick(entry, Qt::Key_Tab);
      QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("okButton")), Qt::LeftButton);
      flown = !window->isVisible();
    });
    click("getTcButton");
    QVERIFY(flown);
  }

  // The worked leg's own inputs; TAS, variation, deviation, GPH and fuel come from the defaults.
  void typeWorkedLeg(const QString& distance = QStringLiteral("60")) {
    test::typeInto(field("TrueCourse"), QStringLiteral("90"));
    test::typeInto(field("WindDirection"), QStringLiteral("45"));
    test::typeInto(field("WindVelocity"), QStringLiteral("20"));
    test::typeInto(field("LegDistance"), distance);
  }

 private slots:
  void init() {
    QVERIFY(folder_.isValid());
    QDir(folder_.path()).removeRecursively();
    QDir().mkpath(folder_.path());
    airports_ = AirportDatabase{};
    launcher_ = test::RecordingLauncher{};
    catcher_ = std::make_unique<test::MessageCatcher>();
  }
  void cleanup() {
    planner_.reset();
    catcher_.reset();
  }

  void windowLooksAsLaidOut() {
    writeFile("config.fly", test::kExampleDefaults);
    writeFile("airports.fly", kAirports);
    open();
    QCOMPARE(planner_->windowTitle(), QStringLiteral("Orvane - by Halvick"));
    QVERIFY(!(planner_->windowFlags() & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(planner_->windowFlags() & Qt::WindowMaximizeButtonHint));
    QCOMPARE(planner_->minimumSize(), planner_->maximumSize());
    QCOMPARE(picker()->displayFormat(), QStringLiteral("HH:mm:ss"));

    struct Expected {
      const char* key;
      const char* label;
      bool readOnly;
    };
    const Expected fields[] = {{"TrueCourse", "TC (True Course) -", false},
                               {"WindDirection", "Wind Direction -", false},
                               {"WindVelocity", "Wind Velocity -", false},
                               {"TrueAirspeed", "TAS (True Airspeed) -", false},
                               {"Variation", "Variation (-E, +W) -", false},
                               {"Deviation", "Magnetic Deviation -", false},
                               {"LegDistance", "Distance in Leg -", false},
                               {"FuelFlow", "GPH (Galons/Hour) -", false},
                               {"FuelOnBoard", "Fuel on Board -", false},
                               {"WindCorrection", "WCA (Wind Correction Angle) -", true},
                               {"TrueHeading", "TH (True Heading) -", true},
                               {"MagneticHeading", "MH (Magnetic Heading) -", true},
                               {"CompassHeading", "CH (Corrected Heading) -", true},
                               {"GroundSpeed", "GS (Ground Speed) -", true},
                               {"Ete", "ETE (Estimated Time Enroute) -", true},
                               {"Eta", "ETA (Estimated Arrival Time) -", true},
                               {"FuelBurned", "Fuel Burned -", true},
                               {"FuelLeft", "Fuel Left -", true},
                               {"DistanceRemaining", "Distance Remaining -", true},
                               {"SummaryTimeOff", "Time Off -", true},
                               {"ArrivalTime", "Arrival Time -", true},
                               {"TotalFlightTime", "Total Flight Time -", true},
                               {"FlightDistance", "Distance in Flight/Leg -", false},
                               {"TotalDistance", "Total Distance So Far -", true},
                               {"TotalFuelUsed", "Total Fuel Used in Flight -", true}};
    for (const Expected& e : fields) {
      const QString label = QString::fromLatin1(e.label);
      auto* caption = planner_->findChild<QLabel*>(QStringLiteral("label") + QLatin1String(e.key));
      QVERIFY2(caption != nullptr, e.label);
      QCOMPARE(caption->text(), label);
      QCOMPARE(caption->buddy(), field(e.key));
      QCOMPARE(field(e.key)->accessibleName(), label);
      QCOMPARE(field(e.key)->isReadOnly(), e.readOnly);
    }
    const QColor result(255, 255, 99);
    const QColor summary(66, 204, 255);
    for (const char* key : {"WindCorrection", "CompassHeading", "GroundSpeed", "Ete", "FuelBurned"}) {
      QCOMPARE(field(key)->palette().color(QPalette::Base), result);
    }
    for (const char* key : {"SummaryTimeOff", "TotalFlightTime", "TotalFuelUsed"}) {
      QCOMPARE(field(key)->palette().color(QPalette::Base), summary);
    }
    for (const char* key : {"TrueHeading", "MagneticHeading", "Eta", "FuelLeft", "DistanceRemaining"}) {
      QVERIFY(field(key)->palette().color(QPalette::Base) != result);
      QVERIFY(field(key)->palette().color(QPalette::Base) != summary);
    }
    QCOMPARE(button("calculateButton")->text(), QStringLiteral("&Calculate"));
    QCOMPARE(button("getTcButton")->text(), QStringLiteral("&Get TC and Distance"));
    QCOMPARE(button("resetButton")->text(), QStringLiteral("&Reset"));
    QCOMPARE(button("quitButton")->text(), QStringLiteral("&Quit"));
    QVERIFY(button("getTcButton")->isDefault());
    QVERIFY(!button("calculateButton")->isDefault());

    const QList<QPair<const char*, const char*>> commands = {
        {"commandSaveDefaults", "&Save Defaults"},
        {"commandLoadDefaults", "&Load Defaults"},
        {"commandReloadAirports", "&Reload Airports"},
        {"commandExit", "&Exit"},
        {"commandWeightBalance", "Weight and &Balance"},
        {"commandCoordinateConversions", "&Coordinates Conversions"},
        {"commandWeightConversions", "&Weight Conversions"},
        {"commandDistanceConversions", "&Distance Conversions"},
        {"commandTemperatureConversions", "&Temperature Conversions"},
        {"commandMathCalculator", "&Math Calculator"},
        {"commandEditAirports", "&Edit Airports Database"},
        {"commandReadMe", "&Read me"},
        {"commandCheckAirports", "&Check Airports"},
        {"commandAviationWeather", "&Aviation Weather"},
        {"commandWeatherBriefing", "&Weather Briefing"},
        {"commandNews", "&News and Updates"},
        {"commandAbout", "&About"}};
    for (const auto& [name, entry] : commands) {
      QVERIFY2(command(name) != nullptr, entry);
      QCOMPARE(command(name)->text(), QString::fromLatin1(entry));
    }
    const QStringList menus = {QStringLiteral("&File"), QStringLiteral("F&light"), QStringLiteral("&Tools"),
                               QStringLiteral("&Help")};
    QStringList shown;
    for (QAction* menu : planner_->findChild<QMenuBar*>()->actions()) shown << menu->text();
    QCOMPARE(shown, menus);
  }

  void startUpLoadsDefaultsIntoTheFields() {
    writeFile("config.fly", test::kExampleDefaults);
    writeFile("airports.fly", kAirports);
    open();
    QCOMPARE(catcher_->messages.size(), 0);
    QCOMPARE(text("TrueAirspeed"), QStringLiteral("110"));
    QCOMPARE(text("Variation"), QStringLiteral("-5"));
    QCOMPARE(text("Deviation"), QStringLiteral("2"));
    QCOMPARE(text("FuelFlow"), QStringLiteral("8.5"));
    QCOMPARE(text("FuelOnBoard"), QStringLiteral("40"));
    for (const char* key : kZeroAtStart) {
      QCOMPARE(text(key), QStringLiteral("0"));
    }
    for (const char* key : kEmptyAtStart) QCOMPARE(text(key), QString());
    QCOMPARE(airports_.text, kAirports.toStdString());
    QCOMPARE(planner_->rememberedAirports().originId, std::string("QQA"));
    QCOMPARE(planner_->flightPlan().airplane.airplaneType, std::string("Trainer"));
    QCOMPARE(QApplication::focusWidget(), button("getTcButton"));
  }

  void workedLegShowsEveryResult() {
    // Flown in US Eastern summer time, so that the zulu text is four hours on from the
    // local take-off and cannot pass for it.
    const test::FixedTimeZone zone(test::kUsEastern);
    writeFile("config.fly", test::kExampleDefaults);
    writeFile("airports.fly", kAirports);
    open();
    setTakeOff(9, 0, 0);
    typeWorkedLeg();
    click("calculateButton");

    QCOMPARE(catcher_->texts(), QStringList());
    const QList<QPair<const char*, const char*>> expected = {
        {"WindCorrection", "7"},    {"TrueHeading", "83"},         {"MagneticHeading", "78"},
        {"CompassHeading", "80"},   {"GroundSpeed", "95"},         {"Ete", "37.92"},
        {"Eta", "9:37:55"},         {"FuelBurned", "5.37"},        {"FuelLeft", "34.63"},
        {"DistanceRemaining", "0"}, {"TrueCourse", "90"},          {"WindDirection", "45"},
        {"WindVelocity", "20"},     {"TrueAirspeed", "110"},       {"Variation", "-5"},
        {"Deviation", "2"},         {"LegDistance", "60"},         {"FuelFlow", "8.5"},
        {"FuelOnBoard", "34.63"},   {"SummaryTimeOff", "9:00:00"}, {"ZuluTimeOff", "[ 13:00:00 zulu ]"},
        {"ArrivalTime", "9:37:55"}, {"TotalFlightTime", "0.63"},   {"FlightDistance", "60"},
        {"TotalDistance", "60"},    {"TotalFuelUsed", "5.37"}};
    for (const auto& [key, value] : expected) {
      QVERIFY2(text(key) == QString::fromLatin1(value),
               qPrintable(QStringLiteral("field %1 shows %2, expected %3")
                              .arg(QLatin1String(key), text(key), QLatin1String(value))));
    }
    QCOMPARE(picker()->time(), QTime(9, 37, 55));
    QVERIFY(button("getTcButton")->isDefault());
    QVERIFY(!button("calculateButton")->isDefault());
    QCOMPARE(QApplication::focusWidget(), button("getTcButton"));
  }

  void twoLegsChainTheClockAndTotals() {
    writeFile("config.fly", test::kExampleDefaults);
    open();
    setTakeOff(9, 0, 0);
    typeWorkedLeg();
    click("calculateButton");
    typeWorkedLeg(QStringLiteral("48.448"));
    click("calculateButton");

    QCOMPARE(catcher_->texts(), QStringList());
    QCOMPARE(text("Ete"), QStringLiteral("30.62"));
    QCOMPARE(text("Eta"), QStringLiteral("10:08:32"));
    QCOMPARE(text("ArrivalTime"), QStringLiteral("10:08:32"));
    QCOMPARE(text("SummaryTimeOff"), QStringLiteral("9:00:00"));
    QCOMPARE(text("ZuluTimeOff"), zuluOf(9, 0, 0));
    QCOMPARE(text("TotalFlightTime"), QStringLiteral("1.14"));
    QCOMPARE(text("TotalDistance"), QStringLiteral("108.448"));
    // The second leg starts with what the first left, and burns 4.34 of it.
    QCOMPARE(text("FuelBurned"), QStringLiteral("4.34"));
    QCOMPARE(text("FuelOnBoard"), QStringLiteral("30.29"));
    QCOMPARE(text("TotalFuelUsed"), QStringLiteral("9.71"));
    // The flight distance became the first leg's 60 and stays.
    QCOMPARE(text("FlightDistance"), QStringLiteral("60"));
    QCOMPARE(text("DistanceRemaining"), QStringLiteral("11.552"));
    QCOMPARE(picker()->time(), QTime(10, 8, 32));
  }

  void fuelShortageWarnsOnceAndEmptiesTheTanks() {
    writeFile("config.fly", test::kExampleDefaults);
    open();
    setTakeOff(9, 0, 0);
    typeWorkedLeg(QStringLiteral("200"));
    test::typeInto(field("FuelOnBoard"), QStringLiteral("10"));
    QString fuelLeftDuringMessage;
    QString totalDuringMessage;
    catcher_->onMessage = [&](const test::SeenMessage&) {
      fuelLeftDuringMessage = text("FuelLeft");
      totalDuringMessage = text("TotalFuelUsed");
    };
    click("calculateButton");

    QCOMPARE(catcher_->texts(), QStringList{QStringLiteral("You don't have enough fuel to complete this trip!")});
    // The message comes while the window still shows the state before the leg.
    QCOMPARE(fuelLeftDuringMessage, QStringLiteral("0"));
    QCOMPARE(totalDuringMessage, QStringLiteral("0"));
    QCOMPARE(text("FuelLeft"), QStringLiteral("0"));
    QCOMPARE(text("FuelOnBoard"), QStringLiteral("0"));
    QCOMPARE(text("FuelBurned"), QStringLiteral("17.91"));
    QCOMPARE(text("TotalFuelUsed"), QStringLiteral("17.91"));
    QCOMPARE(text("Eta"), QStringLiteral("11:06:24"));  // ETE 126.4 minutes
  }

  void resetClearsTheFlightAndReloadsDefaults() {
    writeFile("config.fly", test::kExampleDefaults);
    open();
    setTakeOff(9, 0, 0);
    typeWorkedLeg();
    click("calculateButton");
    test::typeInto(field("TrueAirspeed"), QStringLiteral("120"));
    button("resetButton")->setFocus();
    click("resetButton");

    QCOMPARE(catcher_->texts(), QStringList());
    for (const char* key : kZeroAtStart) {
      QVERIFY2(text(key) == QStringLiteral("0"), key);
    }
    for (const char* key : kEmptyAtStart) QCOMPARE(text(key), QString());
    QCOMPARE(text("TrueAirspeed"), QStringLiteral("110"));  // from the defaults file, not the typed 120
    QCOMPARE(text("FuelOnBoard"), QStringLiteral("40"));
    QCOMPARE(picker()->time(), QTime(9, 37, 55));  // the picker keeps its time
    QVERIFY(button("getTcButton")->isDefault());
    QVERIFY(!button("resetButton")->isDefault());

    // The next leg is the first of a new flight again.
    setTakeOff(14, 30, 0);
    typeWorkedLeg();
    click("calculateButton");
    QCOMPARE(text("SummaryTimeOff"), QStringLiteral("14:30:00"));
    QCOMPARE(text("ZuluTimeOff"), zuluOf(14, 30, 0));
    QCOMPARE(text("TotalFlightTime"), QStringLiteral("0.63"));
  }

  void resetWithoutDefaultsFileKeepsTheFiveInputs() {
    writeFile("config.fly", test::kExampleDefaults);
    open();
    QFile::remove(folder_.filePath(QStringLiteral("config.fly")));
    test::typeInto(field("TrueAirspeed"), QStringLiteral("120"));
    click("calculateButton");
    catcher_->clear();
    click("resetButton");
    QCOMPARE(catcher_->texts(), QStringList{QStringLiteral("Cannot open congfiguration file!")});
    QCOMPARE(text("TrueAirspeed"), QStringLiteral("120"));
  }

  void startUpWithoutFilesShowsBothMessagesBeforeTheWindow() {
    QList<bool> plannerVisible;
    catcher_->onMessage = [&](const test::SeenMessage&) {
      bool visible = false;
      for (QWidget* w : QApplication::topLevelWidgets()) visible |= (qobject_cast<PlannerDialog*>(w) && w->isVisible());
      plannerVisible << visible;
    };
    create();
    QCOMPARE(catcher_->texts(), (QStringList{QStringLiteral("Cannot open congfiguration file!"),
                                             QStringLiteral("Cannot open airports file!")}));
    QCOMPARE(plannerVisible, (QList<bool>{false, false}));
    for (const test::SeenMessage& m : catcher_->messages) {
      QCOMPARE(m.caption, QStringLiteral("Orvane"));
      QCOMPARE(m.icon, static_cast<int>(QMessageBox::Warning));
      QCOMPARE(m.buttonCount, 1);
      QVERIFY(m.modal);
    }
    QCOMPARE(text("TrueAirspeed"), QStringLiteral("0"));
  }

  void startUpPictureIsShownWhileTheFilesLoad() {
    auto splashVisible = [] {
      for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->objectName() == QStringLiteral("splashWindow") && w->isVisible()) return true;
      }
      return false;
    };
    QList<bool> splashDuringMessages;
    catcher_->onMessage = [&](const test::SeenMessage&) { splashDuringMessages << splashVisible(); };
    create(true);
    QCOMPARE(splashDuringMessages, (QList<bool>{true, true}));
    QVERIFY(splashVisible());
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (w->objectName() == QStringLiteral("splashWindow") && w->isVisible()) {
        QTest::mouseClick(w, Qt::LeftButton);
      }
    }
    QTRY_VERIFY(!splashVisible());
  }

  void startUpMessageIsAboveThePictureWhichStillClosesOnAClick() {
    writeFile("airports.fly", kAirports);
    bool messageBelowPicture = true;
    bool pictureClosedByClick = false;
    bool messageStillUp = false;
    catcher_->onMessage = [&](const test::SeenMessage&) {
      QPointer<QWidget> shown = picture();
      QWidget* box = QApplication::activeModalWidget();
      if (shown.isNull() || box == nullptr) return;
      // Nothing keeps the picture above the message that came up after it.
      messageBelowPicture = shown->windowFlags().testFlag(Qt::WindowStaysOnTopHint) &&
                            !box->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
      // Clicked as the window system delivers a click, which the modal box could block.
      QTest::mouseClick(shown->windowHandle(), Qt::LeftButton, {}, QPoint(30, 30));
      pictureClosedByClick = shown.isNull() || !shown->isVisible();
      messageStillUp = box->isVisible();
    };
    create(true);
    QCOMPARE(catcher_->texts(), QStringList{QStringLiteral("Cannot open congfiguration file!")});
    QVERIFY(!messageBelowPicture);
    QVERIFY(pictureClosedByClick);
    QVERIFY(messageStillUp);  // the click was the picture's; the pilot confirms the message
  }

  void aKeyOnTheStartUpMessageConfirmsItAndClosesThePicture() {
    writeFile("airports.fly", kAirports);
    bool confirmedByKey = false;
    bool pictureClosed = false;
    catcher_->onMessage = [&](const test::SeenMessage&) {
      QPointer<QWidget> shown = picture();
      QWidget* box = QApplication::activeModalWidget();
      if (shown.isNull() || box == nullptr) return;
      QTest::keyClick(box->windowHandle(), Qt::Key_Return);
      confirmedByKey = !box->isVisible();
      pictureClosed = shown.isNull() || !shown->isVisible();
    };
    create(true);
    QCOMPARE(catcher_->texts(), QStringList{QStringLiteral("Cannot open congfiguration file!")});
    QVERIFY(confirmedByKey);
    QVERIFY(pictureClosed);
  }

  void aKeyWhileThePictureCoversThePlannerOnlyClosesThePicture() {
    writeFile("config.fly", test::kExampleDefaults);
    writeFile("airports.fly", kAirports);
    auto openUnderPicture = [&] {
      create(true);
      // Shown as the program shows it: modal, under its picture.
      planner_->setWindowModality(Qt::ApplicationModal);
      planner_->show();
      QVERIFY(QTest::qWaitForWindowExposed(planner_.get()));
      QApplication::setActiveWindow(planner_.get());
      QVERIFY(picture() != nullptr);
    };
    openUnderPicture();
    field("TrueCourse")->setFocus();
    QTest::keyClick(field("TrueCourse"), Qt::Key_Alt);  // the start of Alt+C, not yet a key
    QVERIFY(picture() != nullptr);
    QTest::keyClick(field("TrueCourse"), Qt::Key_7);
    QVERIFY(picture() == nullptr);
    QCOMPARE(text("TrueCourse"), QStringLiteral("0"));  // nothing typed unseen
    QTest::keyClick(field("TrueCourse"), Qt::Key_7);
    QCOMPARE(text("TrueCourse").count(QLatin1Char('7')), 1);  // the next key is typed

    // Escape, which would close the planner, only takes the picture away.
    planner_.reset();
    openUnderPicture();
    QTest::keyClick(planner_.get(), Qt::Key_Escape);
    QVERIFY(picture() == nullptr);
    QVERIFY(planner_->isVisible());
    QTest::keyClick(planner_.get(), Qt::Key_Escape);
    QVERIFY(!planner_->isVisible());
  }

  void summaryLabelsTellAScreenReaderWhatTheyShow() {
    writeFile("config.fly", test::kExampleDefaults);
    writeFile("airports.fly", kAirports);
    open();
    setTakeOff(9, 0, 0);
    typeWorkedLeg();
    click("calculateButton");
    QVERIFY2(spoken(label("ZuluTimeOff")).contains(zuluOf(9, 0, 0)), qPrintable(spoken(label("ZuluTimeOff"))));

    flyTo(QStringLiteral("QQB"));
    QVERIFY2(spoken(label("Route")).contains(QStringLiteral(" QQA ---> QQB ;")), qPrintable(spoken(label("Route"))));
    // Its caption still announces it.
    auto* caption = planner_->findChild<QLabel*>(QStringLiteral("labelRoute"));
    QCOMPARE(caption->buddy(), label("Route"));
    QStringList captions;
    for (const auto& [other, relation] :
         QAccessible::queryAccessibleInterface(label("Route"))->relations(QAccessible::Label)) {
      captions << other->text(QAccessible::Name);
    }
    QVERIFY2(captions.contains(QStringLiteral("Route -")), qPrintable(captions.join(QLatin1Char(','))));
  }

  void twentyLegsKeepTheWindowWidthAndTheWholeRouteReachable() {
    writeFile("config.fly", test::kExampleDefaults);
    writeFile("airports.fly", kAirports);
    open();
    auto* route = planner_->findChild<ui::ElidedLabel*>(QStringLiteral("fieldRoute"));
    QVERIFY(route != nullptr);
    auto* summary = planner_->findChild<QGroupBox*>(QStringLiteral("groupSummary"));
    const int width = planner_->width();
    auto settle = [&] {
      QApplication::processEvents();
      planner_->layout()->activate();
    };

    QString whole;
    for (int leg = 0; leg < 20; ++leg) {
      const QString from = leg % 2 == 0 ? QStringLiteral("QQA") : QStringLiteral("QQB");
      const QString to = leg % 2 == 0 ? QStringLiteral("QQB") : QStringLiteral("QQA");
      flyTo(to);
      whole += QStringLiteral(" %1 ---> %2 ;").arg(from, to);
      if (leg == 0) {
        settle();
        QCOMPARE(route->displayedText(), whole);  // a short route shows whole
        QVERIFY(!route->isElided());
      }
    }
    QCOMPARE(catcher_->messages.size(), 20);
    settle();
    QCOMPARE(planner_->width(), width);
    QVERIFY(summary->contentsRect().contains(route->geometry()));

    // Cut short within its width on screen...
    QCOMPARE(text("Route"), whole);
    const QString shown = route->displayedText();
    QVERIFY(route->isElided());
    QVERIFY(shown.size() < whole.size());
    QVERIFY(route->fontMetrics().horizontalAdvance(shown) <= route->contentsRect().width());
    // ...whole in its tooltip and to a screen reader.
    QHelpEvent help(QEvent::ToolTip, QPoint(4, 4), route->mapToGlobal(QPoint(4, 4)));
    QApplication::sendEvent(route, &help);
    QTRY_VERIFY(QToolTip::isVisible());
    QCOMPARE(QTextDocumentFragment::fromHtml(QToolTip::text()).toPlainText(), whole);
    QToolTip::hideText();
    QCOMPARE(QAccessible::queryAccessibleInterface(route)->text(QAccessible::Name), whole);

    // A larger font cuts it anew, and the window still keeps its width.
    QFont larger = route->font();
    larger.setPointSizeF(larger.pointSizeF() * 1.5);
    route->setFont(larger);
    settle();
    QCOMPARE(planner_->width(), width);
    const QString shownLarger = route->displayedText();
    QVERIFY(shownLarger.size() < shown.size());
    QVERIFY(QFontMetrics(larger).horizontalAdvance(shownLarger) <= route->contentsRect().width());
  }

  void malformedDefaultsFileIsReportedAndChangesNothing() {
    writeFile("config.fly", "TAS:110.000000\r\n");
    writeFile("airports.fly", kAirports);
    catcher_->clear();
    create();
    QCOMPARE(catcher_->texts(), QStringList{QStringLiteral("Error in congfiguration file!")});
    QCOMPARE(text("TrueAirspeed"), QStringLiteral("0"));
  }

  void tasZeroAtStartUpBringsBothMessagesAndComputesNothing() {
    writeFile("airports.fly", kAirports);
    open();
    click("calculateButton");
    QCOMPARE(catcher_->texts(), (QStringList{QStringLiteral("Please enter a number between 60 and 250."),
                                             QStringLiteral("Enter correct TAS!")}));
    for (const char* key :
         {"WindCorrection", "TrueHeading", "GroundSpeed", "Ete", "TotalFlightTime", "TotalFuelUsed"}) {
      QCOMPARE(text(key), QStringLiteral("0"));
    }
    QCOMPARE(text("Eta"), QString());
    QCOMPARE(text("SummaryTimeOff"), QString());
  }

  void tasAboveRangeIsUsedAndStopsTheReadingBeforeTheCourse() {
    writeFile("config.fly", test::kExampleDefaults);
    open();
    setTakeOff(9, 0, 0);
    typeWorkedLeg();
    click("calculateButton");
    test::typeInto(field("TrueAirspeed"), QStringLiteral("300"));
    test::typeInto(field("TrueCourse"), QStringLiteral("45"));
    click("calculateButton");

    QCOMPARE(catcher_->texts(), QStringList{QStringLiteral("Please enter a number between 60 and 250.")});
    QCOMPARE(text("TrueAirspeed"), QStringLiteral("300"));
    QCOMPARE(text("TrueCourse"), QStringLiteral("90"));  // the reading stopped before the course
    // TAS 300 on course 90 with the same wind.
    QCOMPARE(text("GroundSpeed"), QStringLiteral("286"));
  }

  void emptiedDistanceKeepsItAndEveryLaterField() {
    writeFile("config.fly", test::kExampleDefaults);
    open();
    setTakeOff(9, 0, 0);
    typeWorkedLeg();
    click("calculateButton");
    test::typeInto(field("LegDistance"), QString());
    test::typeInto(field("FuelOnBoard"), QStringLiteral("20"));
    test::typeInto(field("TrueAirspeed"), QStringLiteral("150"));
    test::typeInto(field("TrueCourse"), QStringLiteral("180"));
    test::typeInto(field("WindVelocity"), QStringLiteral("5"));
    test::typeInto(field("FlightDistance"), QStringLiteral("500"));
    click("calculateButton");

    QCOMPARE(catcher_->texts(), QStringList{QStringLiteral("Please enter a number.")});
    // Computed as the worked leg again from 34.63 gallons; the typed values are gone.
    QCOMPARE(text("LegDistance"), QStringLiteral("60"));
    QCOMPARE(text("TrueAirspeed"), QStringLiteral("110"));
    QCOMPARE(text("TrueCourse"), QStringLiteral("90"));
    QCOMPARE(text("WindVelocity"), QStringLiteral("20"));
    QCOMPARE(text("Ete"), QStringLiteral("37.92"));
    QCOMPARE(text("FuelOnBoard"), QStringLiteral("29.26"));
    QCOMPARE(text("FlightDistance"), QStringLiteral("60"));
    QCOMPARE(text("TotalDistance"), QStringLiteral("120"));
  }

  void tasBelowRangeLeavesTheFocusOnTheField() {
    writeFile("config.fly", test::kExampleDefaults);
    open();
    typeWorkedLeg();
    test::typeInto(field("TrueAirspeed"), QStringLiteral("50"));
    click("calculateButton");
    QCOMPARE(catcher_->texts(), (QStringList{QStringLiteral("Please enter a number between 60 and 250."),
                                             QStringLiteral("Enter correct TAS!")}));
    QCOMPARE(planner_->focusWidget(), field("TrueAirspeed"));
    QCOMPARE(field("TrueAirspeed")->selectedText(), QStringLiteral("50"));
    QCOMPARE(text("GroundSpeed"), QStringLiteral("0"));
  }

  void windTooStrongChangesNothing() {
    writeFile("config.fly", test::kExampleDefaults);
    open();
    setTakeOff(9, 0, 0);
    test::typeInto(field("TrueCourse"), QStringLiteral("0"));
    test::typeInto(field("WindDirection"), QStringLiteral("90"));
    test::typeInto(field("WindVelocity"), QStringLiteral("200"));
    test::typeInto(field("LegDistance"), QStringLiteral("60"));
    click("calculateButton");
    QCOMPARE(catcher_->texts(), QStringList{QStringLiteral("Wind is too strong for this TAS!")});
    for (const char* key :
         {"WindCorrection", "TrueHeading", "GroundSpeed", "Ete", "TotalFlightTime", "TotalFuelUsed", "TotalDistance"}) {
      QCOMPARE(text(key), QStringLiteral("0"));
    }
    QCOMPARE(text("SummaryTimeOff"), QString());
    QCOMPARE(text("FuelOnBoard"), QStringLiteral("40"));
    QCOMPARE(picker()->time(), QTime(9, 0, 0));

    // A headwind as strong as the airspeed leaves no ground speed either.
    catcher_->clear();
    test::typeInto(field("WindDirection"), QStringLiteral("0"));
    test::typeInto(field("WindVelocity"), QStringLiteral("110"));
    click("calculateButton");
    QCOMPARE(catcher_->texts(), QStringList{QStringLiteral("Wind is too strong for this TAS!")});
    QCOMPARE(text("Ete"), QStringLiteral("0"));
  }

  void arrivalBeyondTheClockChangesNothing() {
    writeFile("config.fly", test::kExampleDefaults);
    open();
    setTakeOff(9, 0, 0);
    // A headwind of 1000 against a TAS a ten-millionth above it: a ground speed of
    // 1e-7 and a leg of millions of years.
    test::typeInto(field("TrueCourse"), QStringLiteral("0"));
    test::typeInto(field("WindDirection"), QStringLiteral("0"));
    test::typeInto(field("WindVelocity"), QStringLiteral("1000"));
    test::typeInto(field("LegDistance"), QStringLiteral("10000"));
    click("calculateButton");
    QCOMPARE(catcher_->texts(), QStringList{QStringLiteral("Wind is too strong for this TAS!")});
    catcher_->clear();
    test::typeInto(field("TrueAirspeed"), QStringLiteral("1000.0000001"));
    click("calculateButton");
    QCOMPARE(catcher_->texts(),
             (QStringList{QStringLiteral("Please enter a number between 60 and 250."),
                          QString::fromUtf8(kClockOutOfRangeMessage.data(),
                                            static_cast<qsizetype>(kClockOutOfRangeMessage.size()))}));
    for (const char* key :
         {"WindCorrection", "GroundSpeed", "Ete", "FuelBurned", "TotalFlightTime", "TotalFuelUsed", "TotalDistance"}) {
      QCOMPARE(text(key), QStringLiteral("0"));
    }
    QCOMPARE(text("Eta"), QString());
    QCOMPARE(text("SummaryTimeOff"), QString());
    QCOMPARE(text("FuelOnBoard"), QStringLiteral("40"));
    QCOMPARE(picker()->time(), QTime(9, 0, 0));
  }

  void saveAndLoadDefaults() {
    writeFile("config.fly", test::kExampleDefaults);
    open();
    test::typeInto(field("TrueAirspeed"), QStringLiteral("120"));
    test::typeInto(field("Variation"), QStringLiteral("3.5"));
    test::typeInto(field("FuelFlow"), QStringLiteral("9"));
    command("commandSaveDefaults")->trigger();
    QVERIFY(test::keepWrittenFile(folder_.filePath(QStringLiteral("config.fly"))));
    QCOMPARE(catcher_->texts(), QStringList());
    QByteArray expected = test::kExampleDefaults;
    expected.replace("TAS:110.000000", "TAS:120.000000");
    expected.replace("Variation:-5.000000", "Variation:3.500000");
    expected.replace("Galons/Hour:8.500000", "Galons/Hour:9.000000");
    QCOMPARE(readFile("config.fly"), expected);

    // Typed but unread input is replaced by what the file holds.
    writeFile("config.fly", test::kExampleDefaults);
    test::typeInto(field("TrueAirspeed"), QStringLiteral("130"));
    command("commandLoadDefaults")->trigger();
    QCOMPARE(catcher_->texts(), QStringList());
    QCOMPARE(text("TrueAirspeed"), QStringLiteral("110"));
    QCOMPARE(text("Variation"), QStringLiteral("-5"));
  }

  void saveDefaultsWithARefusedFieldStillSaves() {
    writeFile("config.fly", test::kExampleDefaults);
    open();
    test::typeInto(field("TrueAirspeed"), QStringLiteral("300"));
    command("commandSaveDefaults")->trigger();
    QVERIFY(test::keepWrittenFile(folder_.filePath(QStringLiteral("config.fly"))));
    QCOMPARE(catcher_->texts(), QStringList{QStringLiteral("Please enter a number between 60 and 250.")});
    QVERIFY(readFile("config.fly").contains("TAS:300.000000\r\n"));
  }

  void saveDefaultsRefusesValuesThatWouldNotLoadBack() {
    // 1e300 loads, but written with six decimals three of them would not fit the
    // reader's 1023 bytes.
    QByteArray big = test::kExampleDefaults;
    big.replace("Gross Weight:2300.000000", "Gross Weight:1e300");
    big.replace("Useful Load:800.000000", "Useful Load:1e300");
    big.replace("Empty Plane Weight:1500.000000", "Empty Plane Weight:1e300");
    writeFile("config.fly", big);
    open();
    command("commandSaveDefaults")->trigger();
    QCOMPARE(catcher_->messages.size(), 1);
    QVERIFY(catcher_->texts().first().contains(QStringLiteral("not saved")));
    QCOMPARE(readFile("config.fly"), big);
  }

  void saveDefaultsIntoAnUnwritablePlace() {
    writeFile("config.fly", test::kExampleDefaults);
    open();
    QFile::remove(folder_.filePath(QStringLiteral("config.fly")));
    QDir(folder_.path()).mkdir(QStringLiteral("config.fly"));  // a folder where the file should be
    command("commandSaveDefaults")->trigger();
    QCOMPARE(catcher_->texts(), QStringList{QStringLiteral("Cannot open congfiguration file!")});
  }

  void loadDefaultsWithMissingFileStillRefreshesFields() {
    writeFile("config.fly", test::kExampleDefaults);
    open();
    QFile::remove(folder_.filePath(QStringLiteral("config.fly")));
    test::typeInto(field("TrueAirspeed"), QStringLiteral("130"));
    command("commandLoadDefaults")->trigger();
    QCOMPARE(catcher_->texts(), QStringList{QStringLiteral("Cannot open congfiguration file!")});
    QCOMPARE(text("TrueAirspeed"), QStringLiteral("110"));
  }

  void reloadAirportsReadsTheFileAgain() {
    writeFile("config.fly", test::kExampleDefaults);
    writeFile("airports.fly", kAirports);
    open();
    writeFile("airports.fly", "QQC:39.100000;-74.900000,");
    command("commandReloadAirports")->trigger();
    QCOMPARE(catcher_->texts(), QStringList());
    QCOMPARE(airports_.text, std::string("QQC:39.100000;-74.900000,"));
    QFile::remove(folder_.filePath(QStringLiteral("airports.fly")));
    command("commandReloadAirports")->trigger();
    QCOMPARE(catcher_->texts(), QStringList{QStringLiteral("Cannot open airports file!")});
    QCOMPARE(airports_.text, std::string());
  }

  // The program reads "airports.fly" beside Qt's start-up; the planner takes that
  // reading, with its message, and reads the file itself on Reload Airports.
  void startUpTakesTheAirportFileAsReadBesideItsStart() {
    writeFile("config.fly", test::kExampleDefaults);
    StartUpWarming warming(std::filesystem::path(folder_.path().toStdString()) / "airports.fly");
    PlannerServices services;
    services.workingFolder = folder_.path().toStdString();
    services.launcher = &launcher_;
    services.airports = &airports_;
    services.showSplash = false;
    services.readAirports = [&warming](AirportDatabase& airports) { return warming.takeAirports(airports); };
    planner_ = std::make_unique<PlannerDialog>(std::move(services));
    QCOMPARE(catcher_->texts(), QStringList{QStringLiteral("Cannot open airports file!")});
    catcher_->clear();
    writeFile("airports.fly", kAirports);
    command("commandReloadAirports")->trigger();
    QCOMPARE(catcher_->texts(), QStringList());
    QCOMPARE(airports_.text, kAirports.toStdString());
  }

  void menuCommandsHandWorkToOtherPrograms() {
    writeFile("config.fly", test::kExampleDefaults);
    open();
    command("commandMathCalculator")->trigger();
    command("commandEditAirports")->trigger();
    command("commandReadMe")->trigger();
    command("commandCheckAirports")->trigger();
    command("commandAviationWeather")->trigger();
    command("commandWeatherBriefing")->trigger();
    command("commandNews")->trigger();
    QCOMPARE(catcher_->texts(), QStringList());
    QCOMPARE(launcher_.calls.mid(0, 3),
             (QStringList{QStringLiteral("calculator"), QStringLiteral("editor airports.fly"),
                          QStringLiteral("editor readme.txt")}));
    QCOMPARE(launcher_.calls.size(), 7);
    QVERIFY(launcher_.calls.at(3).startsWith(QStringLiteral("web https://")));
    QVERIFY(launcher_.calls.at(3).endsWith(QStringLiteral("/airports/")));

    launcher_.webPagesOpen = false;
    command("commandNews")->trigger();
    QCOMPARE(catcher_->texts(), QStringList{QStringLiteral("Cannot open this website!")});

    // No calculator or editor could be started: the pilot is told, with the file's place.
    catcher_->clear();
    launcher_.programsStart = false;
    command("commandMathCalculator")->trigger();
    command("commandEditAirports")->trigger();
    command("commandReadMe")->trigger();
    const QString noEditor = QStringLiteral(
        "No text editor could be started: none of the usual text editors was found.\n"
        "Please open \"%1\" with a text editor of your choice.");
    QCOMPARE(
        catcher_->texts(),
        (QStringList{QStringLiteral("No calculator could be started: none of the usual calculator programs was found."),
                     noEditor.arg(QDir(folder_.path()).filePath(QStringLiteral("airports.fly"))),
                     noEditor.arg(QDir(folder_.path()).filePath(QStringLiteral("readme.txt")))}));
  }

  void quitEscapeAndExitCloseWithoutSaving() {
    writeFile("config.fly", test::kExampleDefaults);
    for (int way = 0; way < 4; ++way) {
      open();
      test::typeInto(field("TrueAirspeed"), QStringLiteral("120"));
      switch (way) {
        case 0: click("quitButton"); break;
        case 1: QTest::keyClick(planner_.get(), Qt::Key_Escape); break;
        case 2: command("commandExit")->trigger(); break;
        case 3: planner_->close(); break;
      }
      QVERIFY2(!planner_->isVisible(), qPrintable(QString::number(way)));
      QCOMPARE(readFile("config.fly"), test::kExampleDefaults);
    }
  }

  void aboutBoxFromHelpHasBothTextsAndFromTheWindowMenuNone() {
    writeFile("config.fly", test::kExampleDefaults);
    open();
    QStringList upper;
    QStringList lower;
    QStringList titles;
    QTimer closer;
    closer.setInterval(5);
    connect(&closer, &QTimer::timeout, [&] {
      if (auto* about = qobject_cast<AboutDialog*>(QApplication::activeModalWidget())) {
        titles << about->windowTitle();
        upper << about->findChild<QPlainTextEdit*>(QStringLiteral("upperText"))->toPlainText();
        lower << about->findChild<QPlainTextEdit*>(QStringLiteral("lowerText"))->toPlainText();
        about->accept();
      }
    });
    closer.start();
    command("commandAbout")->trigger();
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), planner_->mapToGlobal(QPoint(5, 5)));
    QTimer::singleShot(20, [] {
      if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
        for (QAction* a : menu->actions()) {
          if (a->text() == QStringLiteral("&About Orvane...")) a->trigger();
        }
        menu->close();
      }
    });
    QApplication::sendEvent(planner_.get(), &event);
    QTRY_COMPARE(titles.size(), 2);
    QCOMPARE(titles, (QStringList{QStringLiteral("About Orvane"), QStringLiteral("About Orvane")}));
    QVERIFY(upper.at(0).contains(QStringLiteral("contact email: ")));
    QVERIFY(upper.at(0).contains(QStringLiteral("By using this software you agree to the following:")));
    QVERIFY(lower.at(0).contains(QStringLiteral("warranty")));
    // The licences of the shipped data ask for the credit.
    QVERIFY(lower.at(0).contains(QStringLiteral("OurAirports")));
    QVERIFY(lower.at(0).contains(QStringLiteral("Open Database License (ODbL) 1.0")));
    QCOMPARE(upper.at(1), QString());
    QCOMPARE(lower.at(1), QString());
  }
};

QTEST_MAIN(PlannerWindowTest)
#include "planner_window_test.moc"
