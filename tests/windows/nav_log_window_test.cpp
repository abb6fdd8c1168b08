// The nav log from the planner's File menu: what Calculate and Reset do to it, when
// its two commands can be chosen, and the files Export Nav Log writes through the real
// save dialog.

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <optional>

#include "../file_faults.hpp"
#include "test_support.hpp"
#include "windows/nav_log_export.hpp"
#include "windows/planner_dialog.hpp"

using namespace orvane;

namespace {

// The worked leg from 9:00:00, then the same leg with a distance of 48.448.
const QByteArray kWorkedFlightCsv =
    "Leg,TC,TC (deg),Wind,WD (deg),WV,TAS,WCA,WCA (deg),TH,TH (deg),MH,MH (deg),CH,CH (deg),GS,Distance,"
    "ETE,ETE (min),Time Off,ETA,Arrival Day,Actual Time Over,Fuel Burned,Fuel Left,Actual Fuel,Fuel Short\r\n"
    "Leg 1,090,90,045/20,45,20,110,7 L,7,083,83,078,78,080,80,95,60,37:55,37.92,9:00:00,9:37:55,0,,5.37,34.63,,no\r\n"
    "Leg 2,090,90,045/20,45,20,110,7 L,7,083,83,078,78,080,80,95,48.448,30:37,30.62,9:37:55,10:08:32,0,,4.34,30.29,,no\r\n"
    "Total,,,,,,,,,,,,,,,,108.448,1:09,68.54,,,,,9.71,,,\r\n";

// ...as the planner exports it: with the fuel check of the usual policy a pilot starts
// with (no taxi fuel, no contingency, 30 minutes reserve at 8.5 GPH).
const QByteArray kWorkedFlightCsvWithFuel = kWorkedFlightCsv +
                                            "Fuel Required,,,,,,,,,,,,,,,,,1:39,98.54,,,,,13.96,,,\r\n"
                                            "Fuel on Board,,,,,,,,,,,,,,,,,4:42,282.35,,,,,40,,,\r\n"
                                            "Extra Fuel,,,,,,,,,,,,,,,,,3:04,183.81,,,,,26.04,,,\r\n";

const QByteArray kAirports = "QQA:40.500000;-75.250000,\nQQB:41.750000;-72.500000,\n";

}  // namespace

class NavLogWindowTest : public QObject {
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
  static QByteArray readFile(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
  }
  void open() {
    PlannerServices services;
    services.workingFolder = folder_->path().toStdString();
    services.launcher = &launcher_;
    services.airports = &airports_;
    services.showSplash = false;
    services.settingsFile = path(QStringLiteral("settings.ini"));
    planner_ = std::make_unique<PlannerDialog>(std::move(services));
    planner_->show();
    QVERIFY(QTest::qWaitForWindowExposed(planner_.get()));
    catcher_->clear();
  }
  QLineEdit* field(const char* key) { return test::plannerField(planner_.get(), key); }
  void click(const char* name) {
    QTest::mouseClick(planner_->findChild<QPushButton*>(QString::fromLatin1(name)), Qt::LeftButton);
  }
  QAction* printCommand() { return planner_->findChild<QAction*>(QStringLiteral("commandPrintNavLog")); }
  QAction* exportCommand() { return planner_->findChild<QAction*>(QStringLiteral("commandExportNavLog")); }
  std::size_t loggedLegs() const { return planner_->flightPlan().navLog.legs.size(); }

  void typeWorkedLeg() {
    test::typeInto(field("TrueCourse"), QStringLiteral("90"));
    test::typeInto(field("WindDirection"), QStringLiteral("45"));
    test::typeInto(field("WindVelocity"), QStringLiteral("20"));
    test::typeInto(field("LegDistance"), QStringLiteral("60"));
    test::inWindow<QDateTimeEdit>(planner_.get(), QStringLiteral("fieldTimeOff"))
        ->setDateTime(QDateTime(test::kTestDay, QTime(9, 0, 0)));
  }
  void flyWorkedFlight() {
    typeWorkedLeg();
    click("calculateButton");
    test::typeInto(field("LegDistance"), QStringLiteral("48.448"));
    click("calculateButton");
  }
  // Export Nav Log, answered in the real save dialog with `file` and the file type
  // `filter`. Returns whether the dialog came up.
  bool exportThroughDialog(const QString& file, const QString& filter, QString* suggested = nullptr,
                           QString* shownFolder = nullptr) {
    bool shown = false;
    test::whenShown(QStringLiteral("navLogExportDialog"), [&](QWidget* window) {
      auto* dialog = qobject_cast<QFileDialog*>(window);
      shown = dialog != nullptr;
      if (!shown) return;
      if (suggested != nullptr) *suggested = QFileInfo(dialog->selectedFiles().value(0)).fileName();
      if (shownFolder != nullptr) *shownFolder = dialog->directory().absolutePath();
      // The file type picked in its box with the arrow keys.
      if (auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"))) {
        types->setFocus();
        const int wanted = types->findText(filter);
        while (types->currentIndex() != wanted && wanted >= 0) {
          QTest::keyClick(types, types->currentIndex() < wanted ? Qt::Key_Down : Qt::Key_Up);
        }
      }
      if (dialog->selectedNameFilter() != filter) shown = false;
      // Typed into the file name box and saved with Enter, as the pilot does.
      auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
      if (name == nullptr) {
        shown = false;
        dialog->reject();
        return;
      }
      test::typeInto(name, file);
      QTest::keyClick(name, Qt::Key_Return);
      if (dialog->isVisible()) dialog->reject();  // a refusal of the dialog's own
    });
    exportCommand()->trigger();
    return shown;
  }

 private slots:
  void init() {
    folder_ = std::make_unique<QTemporaryDir>();
    QVERIFY(folder_->isValid());
    writeFile(QStringLiteral("config.fly"), test::kExampleDefaults);
    writeFile(QStringLiteral("airports.fly"), kAirports);
    catcher_ = std::make_unique<test::MessageCatcher>();
    open();
  }
  void cleanup() {
    planner_.reset();
    catcher_.reset();
    folder_.reset();
  }

  void commandsStandAfterReloadAirports() {
    QMenu* file = planner_->findChild<QMenuBar*>()->actions().value(0)->menu();
    QVERIFY(file != nullptr);
    QStringList texts;
    for (QAction* action : file->actions()) texts << (action->isSeparator() ? QStringLiteral("|") : action->text());
    QCOMPARE(texts, (QStringList{"&Open Plan...", "Save Pl&an...", "|", "&Save Defaults", "&Load Defaults",
                                 "&Reload Airports", "&Print Nav Log...", "Export &Nav Log...", "|", "&Import Route...",
                                 "Take Each Leg's &Variation from WMM2025", "E&xport Route...", "|", "&Exit"}));
  }

  void calculateFillsTheLogAndResetEmptiesIt() {
    QVERIFY(!printCommand()->isEnabled());
    QVERIFY(!exportCommand()->isEnabled());
    flyWorkedFlight();
    QCOMPARE(catcher_->texts(), QStringList());
    QCOMPARE(loggedLegs(), std::size_t{2});
    QVERIFY(printCommand()->isEnabled());
    QVERIFY(exportCommand()->isEnabled());

    click("resetButton");
    QCOMPARE(loggedLegs(), std::size_t{0});
    QVERIFY(!printCommand()->isEnabled());
    QVERIFY(!exportCommand()->isEnabled());
  }

  // A Calculate that stops adds no leg: a TAS below 60, and a wind the TAS cannot fly.
  void stoppedCalculateAddsNothing_data() {
    QTest::addColumn<QString>("airspeed");
    QTest::addColumn<QString>("windVelocity");
    QTest::addColumn<QString>("message");
    QTest::newRow("TAS too low") << "50"
                                 << "20"
                                 << "Enter correct TAS!";
    QTest::newRow("wind too strong") << "110"
                                     << "200"
                                     << "Wind is too strong for this TAS!";
  }
  void stoppedCalculateAddsNothing() {
    QFETCH(QString, airspeed);
    QFETCH(QString, windVelocity);
    QFETCH(QString, message);
    typeWorkedLeg();
    click("calculateButton");
    QCOMPARE(loggedLegs(), std::size_t{1});
    test::typeInto(field("TrueAirspeed"), airspeed);
    test::typeInto(field("WindVelocity"), windVelocity);
    catcher_->clear();
    click("calculateButton");
    QVERIFY(catcher_->texts().contains(message));
    QCOMPARE(loggedLegs(), std::size_t{1});
  }

  void exportedCsvIsTheWorkedFlightByteForByte() {
    flyWorkedFlight();
    QString suggested;
    QString shownFolder;
    const QString target = path(QStringLiteral("flight.csv"));
    QVERIFY(exportThroughDialog(target, kCsvFilter, &suggested, &shownFolder));
    QCOMPARE(catcher_->texts(), QStringList());
    // The dialog opens in the working folder with the flight's date in the name.
    QCOMPARE(shownFolder, QDir(folder_->path()).absolutePath());
    QCOMPARE(suggested, QStringLiteral("navlog-%1.pdf").arg(test::kTestDay.toString(Qt::ISODate)));
    QCOMPARE(readFile(target), kWorkedFlightCsvWithFuel);
    QVERIFY(test::keepWrittenFile(target));
    // Only the file asked for: no temporary file stays behind.
    QCOMPARE(QDir(folder_->path()).entryList(QDir::Files), (QStringList{"airports.fly", "config.fly", "flight.csv"}));
  }

  // The file type follows the name typed, and a name without one gets the chosen type's.
  void fileTypeComesFromTheNameOrTheChosenType_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("written");
    QTest::addColumn<bool>("csv");
    QTest::newRow("csv name, pdf type") << "a.csv" << kPdfFilter << "a.csv" << true;
    QTest::newRow("CSV in capitals") << "b.CSV" << kPdfFilter << "b.CSV" << true;
    QTest::newRow("pdf name, csv type") << "c.pdf" << kCsvFilter << "c.pdf" << false;
    QTest::newRow("no extension, csv type") << "d" << kCsvFilter << "d.csv" << true;
    QTest::newRow("no extension, pdf type") << "e" << kPdfFilter << "e.pdf" << false;
    QTest::newRow("other extension keeps its name") << "f.txt" << kCsvFilter << "f.txt" << true;
  }
  void fileTypeComesFromTheNameOrTheChosenType() {
    QFETCH(QString, typed);
    QFETCH(QString, filter);
    QFETCH(QString, written);
    QFETCH(bool, csv);
    const NavLogTarget target = navLogTarget(path(typed), filter);
    QCOMPARE(target.file, path(written));
    QCOMPARE(target.format == NavLogFormat::Csv, csv);

    flyWorkedFlight();
    QVERIFY(exportThroughDialog(path(typed), filter));
    QCOMPARE(catcher_->texts(), QStringList());
    const QByteArray bytes = readFile(path(written));
    if (csv) {
      QCOMPARE(bytes, kWorkedFlightCsvWithFuel);
    } else {
      QVERIFY2(bytes.startsWith("%PDF-"), bytes.left(16).constData());
      QVERIFY(bytes.trimmed().endsWith("%%EOF"));
    }
  }

  void exportIntoReadOnlyFolderSaysSoAndWritesNothing() {
    flyWorkedFlight();
    const QString locked = path(QStringLiteral("locked"));
    QVERIFY(QDir().mkpath(locked));
    QVERIFY(QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther |
                                              QFile::ReadGroup | QFile::ExeGroup));
    test::openToOthers(folder_->path().toStdString());
    {
      test::WithoutRootPowers asPilot;
      if (!asPilot.bound()) QSKIP("permissions cannot be made to bind");
      for (const QString& filter : {kCsvFilter, kPdfFilter}) {
        catcher_->clear();
        QVERIFY(exportThroughDialog(locked + QStringLiteral("/flight"), filter));
        QCOMPARE(catcher_->messages.size(), 1);
        QVERIFY2(catcher_->texts().value(0).startsWith(QStringLiteral("The nav log could not be saved as")),
                 qPrintable(catcher_->texts().value(0)));
        QVERIFY(catcher_->texts().value(0).contains(QStringLiteral("Please choose another folder.")));
      }
    }
    QCOMPARE(QDir(locked).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList());
    QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  }

  // A write that fails leaves the nav log saved before as it was.
  void failedWriteLeavesTheOlderFileWhole() {
    flyWorkedFlight();
    const QString older = path(QStringLiteral("older.csv"));
    writeFile(QStringLiteral("older.csv"), "an older nav log\r\n");
    QVERIFY(QFile::setPermissions(older, QFile::ReadOwner | QFile::ReadOther | QFile::ReadGroup));
    test::openToOthers(folder_->path().toStdString());
    QString problem;
    {
      test::WithoutRootPowers asPilot;
      if (!asPilot.bound()) QSKIP("permissions cannot be made to bind");
      const FlightPlan& plan = planner_->flightPlan();
      problem = writeNavLog({older, NavLogFormat::Csv}, {plan.navLog, plan.totals, planner_->flightPlan().airplane});
    }
    QVERIFY2(problem.contains(QStringLiteral("could not be saved as \"%1\"").arg(QDir::toNativeSeparators(older))),
             qPrintable(problem));
    QCOMPARE(readFile(older), QByteArray("an older nav log\r\n"));
    QFile::setPermissions(older, QFile::ReadOwner | QFile::WriteOwner);
  }

  // A second export over the first replaces it whole.
  void exportReplacesAnOlderFile() {
    flyWorkedFlight();
    writeFile(QStringLiteral("flight.csv"), QByteArray(100000, 'x'));
    const FlightPlan& plan = planner_->flightPlan();
    QCOMPARE(writeNavLog({path(QStringLiteral("flight.csv")), NavLogFormat::Csv},
                         {plan.navLog, plan.totals, planner_->flightPlan().airplane}),
             QString());
    QCOMPARE(readFile(path(QStringLiteral("flight.csv"))), kWorkedFlightCsv);
  }

  // The dialog asks before it replaces a file, also one whose extension it added;
  // answered with No, nothing is written.
  void existingFileIsReplacedOnlyWhenThePilotSaysSo() {
    flyWorkedFlight();
    writeFile(QStringLiteral("g.csv"), "the pilot's own table\r\n");
    QVERIFY(exportThroughDialog(path(QStringLiteral("g")), kCsvFilter));
    QCOMPARE(catcher_->messages.size(), 1);
    QVERIFY2(catcher_->texts().value(0).contains(QStringLiteral("already exists")),
             qPrintable(catcher_->texts().value(0)));
    QCOMPARE(readFile(path(QStringLiteral("g.csv"))), QByteArray("the pilot's own table\r\n"));
  }

  void cancelledExportWritesNothing() {
    flyWorkedFlight();
    test::whenShown(QStringLiteral("navLogExportDialog"),
                    [](QWidget* window) { qobject_cast<QFileDialog*>(window)->reject(); });
    exportCommand()->trigger();
    QCOMPARE(catcher_->texts(), QStringList());
    QCOMPARE(QDir(folder_->path()).entryList(QDir::Files), (QStringList{"airports.fly", "config.fly"}));
  }

  void printPreviewShowsTheKneeboardPages() {
    flyWorkedFlight();
    int pages = 0;
    QPageLayout layout;
    test::whenShown(QStringLiteral("navLogPreview"), [&](QWidget* window) {
      auto* preview = window->findChild<QPrintPreviewWidget*>();
      if (preview != nullptr) {
        preview->updatePreview();
        pages = preview->pageCount();
      }
      if (auto* dialog = qobject_cast<QPrintPreviewDialog*>(window)) layout = dialog->printer()->pageLayout();
      window->close();
    });
    printCommand()->trigger();
    QCOMPARE(pages, 1);
    QCOMPARE(layout.pageSize().id(), QPageSize::A5);
    QCOMPARE(layout.orientation(), QPageLayout::Portrait);
    QCOMPARE(catcher_->texts(), QStringList());
  }
};

QTEST_MAIN(NavLogWindowTest)
#include "nav_log_window_test.moc"
