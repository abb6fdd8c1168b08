// Plans on disk and the Legs window, through the real planner: the example flight JFK to
// PVD to BOS from the shipped airports, saved as the committed plan byte for byte,
// opened in a fresh planner exactly as typed, broken plan files refused without a
// change, and legs changed in the Legs window coming out as the changed flight typed.

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <memory>

#include "core/nav_log.hpp"
#include "test_support.hpp"
#include "windows/planner_dialog.hpp"

using namespace orvane;

namespace {

QByteArray readBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

const QString kExamplePlan = QStringLiteral(ORVANE_TEST_DATA_FOLDER "/exchange/example-flight.orvplan");

// A leg as the pilot gives it: the two airports picked in the course window (no origin
// means the one the window offers), then the wind.
struct TypedLeg {
  const char* from;
  const char* to;
  const char* windDirection;
  const char* windVelocity;
};

}  // namespace

class PlanWindowTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<QTemporaryDir> folder_;
  AirportDatabase airports_;
  test::RecordingLauncher launcher_;
  std::unique_ptr<test::MessageCatcher> catcher_;
  std::unique_ptr<PlannerDialog> planner_;

  QString path(const QString& name) const { return folder_->filePath(name); }
  void open() {
    planner_.reset();
    airports_ = AirportDatabase{};
    PlannerServices services;
    services.workingFolder = folder_->path().toStdString();
    services.launcher = &launcher_;
    services.airports = &airports_;
    services.showSplash = false;
    planner_ = std::make_unique<PlannerDialog>(std::move(services));
    planner_->show();
    QVERIFY(QTest::qWaitForWindowExposed(planner_.get()));
    QApplication::setActiveWindow(planner_.get());
    catcher_->clear();
  }
  QLineEdit* field(const char* key) { return test::plannerField(planner_.get(), key); }
  QDateTimeEdit* picker() { return test::inWindow<QDateTimeEdit>(planner_.get(), QStringLiteral("fieldTimeOff")); }
  void click(const char* name) {
    QTest::mouseClick(planner_->findChild<QPushButton*>(QString::fromLatin1(name)), Qt::LeftButton);
  }
  QAction* command(const char* name) { return planner_->findChild<QAction*>(QString::fromLatin1(name)); }

  void pickCourse(const char* from, const char* to) {
    bool accepted = false;
    test::whenShown(QStringLiteral("courseWindow"), [&](QWidget* w) {
      if (from != nullptr) {
        auto* origins = w->findChild<QComboBox*>(QStringLiteral("originList"));
        origins->setFocus();
        QTest::keyClicks(origins, QString::fromLatin1(from));
      }
      auto* entry = w->findChild<QComboBox*>(QStringLiteral("destinationList"))->lineEdit();
      test::typeInto(entry, QString::fromLatin1(to));
      QTest::keyClick(entry, Qt::Key_Tab);
      QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("okButton")), Qt::LeftButton);
      accepted = !w->isVisible();
    });
    click("getTcButton");
    QVERIFY(accepted);
  }
  void fly(const std::vector<TypedLeg>& legs) {
    picker()->setDateTime(QDateTime(test::kTestDay, QTime(9, 0, 0)));
    for (const TypedLeg& leg : legs) {
      if (leg.to != nullptr) pickCourse(leg.from, leg.to);
      test::typeInto(field("WindDirection"), QString::fromLatin1(leg.windDirection));
      test::typeInto(field("WindVelocity"), QString::fromLatin1(leg.windVelocity));
      click("calculateButton");
    }
  }
  // JFK to PVD to BOS with the worked leg's wind; TAS, VAR, DEV, GPH and FOB from the
  // defaults file.
  void flyExampleFlight() { fly({{"JFK", "PVD", "45", "20"}, {nullptr, "BOS", "45", "20"}}); }

  // Everything the planner shows of the flight: every field, the route line, the zulu
  // text, the picker and the nav log's CSV text.
  QStringList shown() {
    QStringList out;
    for (QLineEdit* f : planner_->findChildren<QLineEdit*>()) {
      if (f->objectName().startsWith(QStringLiteral("field"))) out << f->objectName() + QLatin1Char('=') + f->text();
    }
    for (QLabel* l : planner_->findChildren<QLabel*>()) {
      if (l->objectName().startsWith(QStringLiteral("field"))) {
        out << l->objectName() + QLatin1Char('=') + l->text() + QLatin1Char('|') + l->toolTip();
      }
    }
    out << picker()->dateTime().toString(Qt::ISODate);
    const FlightPlan& plan = planner_->flightPlan();
    out << QString::fromStdString(navLogCsv(plan.navLog, plan.totals));
    return out;
  }

  // File > Save Plan through the real dialog, the name typed and Enter pressed.
  bool saveThroughDialog(const QString& file) {
    bool shown = false;
    test::whenShown(QStringLiteral("planSaveDialog"), [&](QWidget* window) {
      auto* dialog = qobject_cast<QFileDialog*>(window);
      auto* name = dialog == nullptr ? nullptr : dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
      if (name == nullptr) {
        window->close();
        return;
      }
      shown = true;
      test::typeInto(name, file);
      QTest::keyClick(name, Qt::Key_Return);
      if (dialog->isVisible()) dialog->reject();
    });
    command("commandSavePlan")->trigger();
    return shown;
  }
  bool openThroughDialog(const QString& file) {
    bool shown = false;
    test::whenShown(QStringLiteral("planOpenDialog"), [&](QWidget* window) {
      auto* dialog = qobject_cast<QFileDialog*>(window);
      auto* name = dialog == nullptr ? nullptr : dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
      if (name == nullptr) {
        window->close();
        return;
      }
      shown = true;
      test::typeInto(name, file);
      QTest::keyClick(name, Qt::Key_Return);
      if (dialog->isVisible()) dialog->reject();
    });
    command("commandOpenPlan")->trigger();
    return shown;
  }

  // Flight > Legs, with `steps` run in the window before it is closed.
  void inLegsWindow(const std::function<void(QWidget*)>& steps) {
    bool ran = false;
    test::whenShown(QStringLiteral("legsWindow"), [&](QWidget* w) {
      ran = true;
      steps(w);
      QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("closeButton")), Qt::LeftButton);
    });
    command("commandLegs")->trigger();
    QVERIFY(ran);
  }
  static void chooseLeg(QWidget* legs, int row) {
    legs->findChild<QTableWidget*>(QStringLiteral("legsTable"))->selectRow(row);
  }
  static void press(QWidget* legs, const char* button) {
    QTest::mouseClick(legs->findChild<QPushButton*>(QString::fromLatin1(button)), Qt::LeftButton);
  }
  static void typeIn(QWidget* legs, const char* key, const char* text) {
    test::typeInto(legs->findChild<QLineEdit*>(QStringLiteral("field") + QLatin1String(key)),
                   QString::fromLatin1(text));
  }

 private slots:
  void init() {
    folder_ = std::make_unique<QTemporaryDir>();
    QVERIFY(folder_->isValid());
    QFile::copy(QStringLiteral(ORVANE_DATA_FOLDER "/airports.fly"), path(QStringLiteral("airports.fly")));
    QFile config(path(QStringLiteral("config.fly")));
    QVERIFY(config.open(QIODevice::WriteOnly));
    config.write(test::kExampleDefaults);
    config.close();
    catcher_ = std::make_unique<test::MessageCatcher>();
    open();
  }
  void cleanup() {
    planner_.reset();
    catcher_.reset();
    folder_.reset();
  }

  void menusOfferPlansAndLegs() {
    QStringList menus;
    for (QAction* menu : planner_->findChild<QMenuBar*>()->actions()) menus << menu->text();
    QCOMPARE(menus.mid(0, 3), (QStringList{"&File", "F&light", "&Tools"}));
    QCOMPARE(command("commandOpenPlan")->shortcut(), QKeySequence(QKeySequence::Open));
    QCOMPARE(command("commandSavePlan")->shortcut(), QKeySequence(QKeySequence::Save));
    QCOMPARE(command("commandLegs")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_L));
    QCOMPARE(command("commandLegs")->text(), QStringLiteral("&Legs..."));
  }

  void exampleFlightSavesAsTheCommittedPlan() {
    flyExampleFlight();
    QCOMPARE(catcher_->messages.size(), 2);  // the course window's course and distance, twice
    QCOMPARE(planner_->flightPlan().totals.routeLine, std::string(" JFK ---> PVD ; PVD ---> BOS ;"));
    QVERIFY(saveThroughDialog(path(QStringLiteral("example-flight"))));
    const QString saved = path(QStringLiteral("example-flight.orvplan"));
    QVERIFY(test::keepWrittenFile(saved));
    QCOMPARE(readBytes(saved), readBytes(kExamplePlan));
    QCOMPARE(planner_->windowTitle(), QStringLiteral("example-flight.orvplan - Orvane - by Halvick"));
  }

  void openedPlanShowsTheTypedFlightAndSavesTheSameBytes() {
    flyExampleFlight();
    const QStringList typed = shown();
    open();  // a fresh planner
    QVERIFY(openThroughDialog(kExamplePlan));
    QCOMPARE(catcher_->texts(), QStringList());
    QCOMPARE(shown(), typed);
    QVERIFY(planner_->savePlanFile(path(QStringLiteral("again.orvplan"))));
    QCOMPARE(readBytes(path(QStringLiteral("again.orvplan"))), readBytes(kExamplePlan));
  }

  void brokenPlansChangeNothing_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("problem");
    const QByteArray good = readBytes(kExamplePlan);
    QTest::newRow("empty") << QByteArray() << "it is empty.";
    QTest::newRow("truncated") << good.left(good.size() / 2) << "not JSON text";
    QTest::newRow("not JSON") << test::kExampleDefaults << "not JSON text";
    QTest::newRow("newer version") << QByteArray(good).replace("\"version\": 1", "\"version\": 3")
                                   << "newer version of Orvane";
    QTest::newRow("wrong type") << QByteArray(good).replace("\"windVelocity\": 20.0", "\"windVelocity\": [20]")
                                << "leg 1: \"windVelocity\" is not a number.";
    QTest::newRow("out of range") << QByteArray(good).replace("\"trueAirspeed\": 110.0", "\"trueAirspeed\": 40.0")
                                  << "leg 1: \"trueAirspeed\" is 40, outside 60 to 250.";
    QTest::newRow("deep nesting") << QByteArray(5000, '[') << "nest too deep";
    QTest::newRow("leg not computable") << QByteArray(good).replace("\"windVelocity\": 20.0", "\"windVelocity\": 900.0")
                                        << "leg 1 cannot be computed: Wind is too strong for this TAS!";
  }
  void brokenPlansChangeNothing() {
    QFETCH(QByteArray, content);
    QFETCH(QString, problem);
    flyExampleFlight();
    const QStringList before = shown();
    catcher_->clear();
    QFile file(path(QStringLiteral("broken.orvplan")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
    file.close();

    QVERIFY(!planner_->openPlanFile(file.fileName()));
    QCOMPARE(catcher_->messages.size(), 1);
    const QString said = catcher_->texts().value(0);
    QVERIFY2(said.startsWith(
                 QStringLiteral("The plan \"%1\" cannot be opened: ").arg(QDir::toNativeSeparators(file.fileName()))),
             qPrintable(said));
    QVERIFY2(said.contains(problem), qPrintable(said));
    QCOMPARE(shown(), before);
    QCOMPARE(planner_->windowTitle(), QStringLiteral("Orvane - by Halvick"));
  }

  // Each change in the Legs window against the changed flight typed from the start.
  void legsChangedComeOutAsTyped_data() {
    QTest::addColumn<int>("change");
    QTest::newRow("first leg's wind") << 0;
    QTest::newRow("first leg deleted") << 1;
    QTest::newRow("leg inserted") << 2;
  }
  void legsChangedComeOutAsTyped() {
    QFETCH(int, change);
    flyExampleFlight();
    catcher_->clear();
    inLegsWindow([&](QWidget* legs) {
      chooseLeg(legs, 0);
      switch (change) {
        case 0:
          typeIn(legs, "WindDirection", "300");
          typeIn(legs, "WindVelocity", "35");
          press(legs, "applyButton");
          break;
        case 1: press(legs, "deleteButton"); break;
        case 2: press(legs, "insertButton"); break;
      }
    });
    QCOMPARE(catcher_->texts(), QStringList());
    const QStringList changed = shown();

    open();
    switch (change) {
      case 0: fly({{"JFK", "PVD", "300", "35"}, {nullptr, "BOS", "45", "20"}}); break;
      case 1: fly({{"PVD", "BOS", "45", "20"}}); break;
      case 2: fly({{"JFK", "PVD", "45", "20"}, {nullptr, nullptr, "45", "20"}, {nullptr, "BOS", "45", "20"}}); break;
    }
    QCOMPARE(changed, shown());
  }

  void aChangeThatLeavesALegUncomputableIsRefused() {
    flyExampleFlight();
    catcher_->clear();
    const QStringList before = shown();
    QString tableWind;
    inLegsWindow([&](QWidget* legs) {
      chooseLeg(legs, 1);
      typeIn(legs, "WindVelocity", "900");
      press(legs, "applyButton");
      tableWind = legs->findChild<QTableWidget*>(QStringLiteral("legsTable"))->item(1, 5)->text();
    });
    QCOMPARE(catcher_->texts(),
             QStringList{QStringLiteral("Leg 2 cannot be computed with this change, so the flight was left as it "
                                        "was.\nWind is too strong for this TAS!")});
    QCOMPARE(tableWind, QStringLiteral("20"));
    QCOMPARE(shown(), before);
  }
};

QTEST_MAIN(PlanWindowTest)
#include "plan_window_test.moc"
