// Altitude and Airspeed as a pilot uses it: typed into, calculated, and closed with OK
// to hand the TAS to the planner, or with Cancel to hand nothing.

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "core/airports.hpp"
#include "test_support.hpp"
#include "windows/altitude_airspeed_dialog.hpp"
#include "windows/planner_dialog.hpp"

using namespace orvane;

namespace {

const QString kNotANumber = QStringLiteral("Please enter a number.");
const QString kTasRange = QStringLiteral("Please enter a number between 60 and 250.");
constexpr NumberRange kPlannerTasRange{60, 250};

struct AtmosphereWindow {
  QWidget* window;
  QLineEdit* field(const QString& key) const {
    auto* f = window->findChild<QLineEdit*>(QStringLiteral("field") + key);
    if (f == nullptr) qFatal("no field %s", qPrintable(key));
    return f;
  }
  QString operator[](const char* key) const { return field(QLatin1String(key))->text(); }
  void type(const char* key, const QString& text) const { test::typeInto(field(QLatin1String(key)), text); }
  QPushButton* button(const char* name) const { return window->findChild<QPushButton*>(QLatin1String(name)); }
  void click(const char* name) const { QTest::mouseClick(button(name), Qt::LeftButton); }
  void choose(const char* name) const {
    QTest::mouseClick(window->findChild<QRadioButton*>(QLatin1String(name)), Qt::LeftButton);
  }
  QString results() const {
    return (*this)["PressureAltitude"] + " / " + (*this)["DensityAltitude"] + " / " + (*this)["Tas"];
  }
};

}  // namespace

class AtmosphereWindowTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir folder_;
  AirportDatabase airports_;
  std::unique_ptr<test::MessageCatcher> catcher_;
  std::unique_ptr<PlannerDialog> planner_;
  std::unique_ptr<AltitudeAirspeedDialog> window_;

  AtmosphereWindow openWindow() {
    window_ = std::make_unique<AltitudeAirspeedDialog>(kPlannerTasRange);
    window_->show();
    if (!QTest::qWaitForWindowExposed(window_.get())) qFatal("window not shown");
    QApplication::setActiveWindow(window_.get());
    return AtmosphereWindow{window_.get()};
  }
  void openPlanner() {
    QFile file(folder_.filePath(QStringLiteral("config.fly")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(test::kExampleDefaults);  // TAS 110
    file.close();
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
  QString plannerTas() const { return test::plannerField(planner_.get(), "TrueAirspeed")->text(); }
  // Tools > Altitude and Airspeed; the steps close the window or it is cancelled after them.
  void fromTheMenu(const std::function<void(const AtmosphereWindow&)>& steps) {
    bool ran = false;
    test::whenShown(QStringLiteral("altitudeAirspeedWindow"), [&](QWidget* w) {
      ran = true;
      steps(AtmosphereWindow{w});
      if (w->isVisible()) AtmosphereWindow{w}.click("cancelButton");
    });
    planner_->findChild<QAction*>(QStringLiteral("commandAltitudeAirspeed"))->trigger();
    QVERIFY(ran);
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
    const AtmosphereWindow w = openWindow();
    QCOMPARE(w.window->windowTitle(), QStringLiteral("Altitude and Airspeed"));
    const QList<QPair<const char*, const char*>> captions = {{"IndicatedAltitude", "Indicated Altitude -"},
                                                             {"Qnh", "QNH (Altimeter Setting) -"},
                                                             {"Oat", "OAT (Outside Air Temperature) -"},
                                                             {"Cas", "CAS (Calibrated Airspeed) -"},
                                                             {"PressureAltitude", "Pressure Altitude -"},
                                                             {"DensityAltitude", "Density Altitude -"},
                                                             {"Tas", "TAS (True Airspeed) -"}};
    for (const auto& [key, caption] : captions) {
      const auto* label = w.window->findChild<QLabel*>(QStringLiteral("label") + QLatin1String(key));
      QVERIFY2(label != nullptr && label->text() == QLatin1String(caption), key);
      QCOMPARE(label->buddy(), w.field(QLatin1String(key)));
      QVERIFY(label->buddy()->accessibleName().startsWith(QLatin1String(caption)));
    }
    for (const char* key : {"PressureAltitude", "DensityAltitude", "Tas"}) QVERIFY(w.field(key)->isReadOnly());
    QCOMPARE(w.window->findChild<QLabel*>(QStringLiteral("formulaText"))->text(),
             QString::fromUtf8(kAtmosphereFormulaText.data()));
    QVERIFY(w.button("calculateButton")->isDefault());
    // The standard day at sea level, and no airspeed yet.
    QCOMPARE(QStringList({w["IndicatedAltitude"], w["Qnh"], w["Oat"], w["Cas"], w.results()}),
             QStringList({"0", "1013.25", "15", "0", "0 / 0 / 0"}));
    QVERIFY(w.window->findChild<QRadioButton*>(QStringLiteral("hectopascalsChoice"))->isChecked());
    QVERIFY(w.window->findChild<QRadioButton*>(QStringLiteral("knotsChoice"))->isChecked());
    QCOMPARE(w.window->focusWidget(), w.field(QStringLiteral("IndicatedAltitude")));
  }

  // Worked values of the standard atmosphere; Enter calculates.
  void calculates() {
    QFETCH(QString, altitude);
    QFETCH(QString, qnh);
    QFETCH(bool, inches);
    QFETCH(QString, oat);
    QFETCH(QString, cas);
    QFETCH(bool, mph);
    QFETCH(QString, results);
    QFETCH(QStringList, messages);
    QFETCH(QString, tasUnit);
    const AtmosphereWindow w = openWindow();
    w.type("IndicatedAltitude", altitude);
    w.type("Qnh", qnh);
    if (inches) w.choose("inchesChoice");
    w.type("Oat", oat);
    w.type("Cas", cas);
    if (mph) w.choose("milesPerHourChoice");
    QTest::keyClick(w.field(QStringLiteral("Cas")), Qt::Key_Return);
    QCOMPARE(catcher_->texts(), messages);
    QCOMPARE(w.results(), results);
    QCOMPARE(w.window->findChild<QLabel*>(QStringLiteral("unitTas"))->text(), tasUnit);
    QCOMPARE(w.field(QStringLiteral("Tas"))->accessibleName(), QStringLiteral("TAS (True Airspeed) - ") + tasUnit);
    QVERIFY(w.window->isVisible());
  }
  void calculates_data() {
    QTest::addColumn<QString>("altitude");
    QTest::addColumn<QString>("qnh");
    QTest::addColumn<bool>("inches");
    QTest::addColumn<QString>("oat");
    QTest::addColumn<QString>("cas");
    QTest::addColumn<bool>("mph");
    QTest::addColumn<QString>("results");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QString>("tasUnit");
    const QStringList none;
    QTest::newRow("standard day at sea level: TAS is CAS") << "0"
                                                           << "1013.25" << false << "15"
                                                           << "100" << false << "0 / 0 / 100" << none << "knots";
    QTest::newRow("29.7 inHg adds 205 ft") << "0"
                                           << "29.7" << true << "15"
                                           << "100" << false << "205 / 253 / 100" << none << "knots";
    QTest::newRow("a hot day at 5,000 ft") << "5000"
                                           << "1013.25" << false << "30"
                                           << "120" << false << "5000 / 7801 / 135" << none << "knots";
    QTest::newRow("low QNH in the mountains") << "8000"
                                              << "1003" << false << "25"
                                              << "110" << false << "8281 / 11238 / 130" << none << "knots";
    QTest::newRow("cold day, inHg, mph") << "7500"
                                         << "29.92" << true << "-5"
                                         << "105" << true << "7501 / 6885 / 116" << none << "sm/h";
    QTest::newRow("OAT not a number: the previous 15 is used, CAS not read")
        << "5000"
        << "1013.25" << false << "warm"
        << "120" << false << "5000 / 6150 / 0" << QStringList{kNotANumber} << "knots";
    QTest::newRow("hPa typed with inHg chosen: refused by the inHg range, then no atmosphere")
        << "0"
        << "1013" << true << "15"
        << "100" << false << " /  / "
        << QStringList{"Please enter a number between 25 and 33.", QString::fromUtf8(kOutsideAtmosphereMessage.data())}
        << "knots";
    QTest::newRow("altitude above the range is used; the fields after it keep 15 and 0")
        << "31000"
        << "1013.25" << false << "-47"
        << "100" << false << "31000 / 37049 / 0" << QStringList{"Please enter a number between -2000 and 30000."}
        << "knots";
  }

  // OK calculates what was typed and hands its TAS over; Cancel hands nothing.
  void closingHandsTheTasOnlyOnOk() {
    QFETCH(QString, button);
    QFETCH(QString, tas);
    openPlanner();
    QCOMPARE(plannerTas(), QStringLiteral("110"));
    auto* windDirection = test::plannerField(planner_.get(), "WindDirection");
    test::typeInto(windDirection, QStringLiteral("270"));  // typed before, kept after
    fromTheMenu([&](const AtmosphereWindow& w) {
      w.type("IndicatedAltitude", QStringLiteral("5000"));
      w.type("Oat", QStringLiteral("30"));
      w.type("Cas", QStringLiteral("120"));
      w.click(qPrintable(button));
      QVERIFY(!w.window->isVisible());
    });
    QCOMPARE(catcher_->texts(), QStringList());
    QCOMPARE(plannerTas(), tas);
    QCOMPARE(windDirection->text(), QStringLiteral("270"));
  }
  void closingHandsTheTasOnlyOnOk_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("tas");
    QTest::newRow("OK") << "okButton"
                        << "135";
    QTest::newRow("Cancel") << "cancelButton"
                            << "110";
  }

  // OK keeps the window open on a refused field, and on a TAS beyond what the
  // planner's field takes, with that field's own message.
  void okRefusesWhatThePlannerCannotTake() {
    QFETCH(QString, cas);
    QFETCH(QString, altitude);
    QFETCH(QStringList, messages);
    QFETCH(QString, focus);
    openPlanner();
    fromTheMenu([&](const AtmosphereWindow& w) {
      w.type("IndicatedAltitude", altitude);
      w.type("Cas", cas);
      w.click("okButton");
      QVERIFY(w.window->isVisible());
      QCOMPARE(w.window->focusWidget(), w.field(focus));
      QCOMPARE(w.field(focus)->selectedText(), w.field(focus)->text());
    });
    QCOMPARE(catcher_->texts(), messages);
    QCOMPARE(plannerTas(), QStringLiteral("110"));
  }
  void okRefusesWhatThePlannerCannotTake_data() {
    QTest::addColumn<QString>("cas");
    QTest::addColumn<QString>("altitude");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QString>("focus");
    QTest::newRow("TAS 52 below 60") << "50"
                                     << "2500" << QStringList{kTasRange} << "Cas";
    QTest::newRow("TAS 251 above 250") << "240"
                                       << "2500" << QStringList{kTasRange} << "Cas";
    QTest::newRow("CAS not a number") << "fast"
                                      << "2500" << QStringList{kNotANumber} << "Cas";
    QTest::newRow("CAS above its range") << "400"
                                         << "2500" << QStringList{"Please enter a number between 0 and 300."} << "Cas";
    QTest::newRow("altitude empty") << "120"
                                    << "" << QStringList{kNotANumber} << "IndicatedAltitude";
  }
};

QTEST_MAIN(AtmosphereWindowTest)
#include "atmosphere_window_test.moc"
