// The world's airfields in the course window: searching the directory as the pilot
// types, taking a match for origin or destination, its runway list with the planner's
// wind, adding it to the pilot's own file, and a directory that cannot be opened.

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "core/airport_directory.hpp"
#include "test_support.hpp"
#include "windows/course_distance_dialog.hpp"
#include "windows/planner_dialog.hpp"

using namespace orvane;

namespace {

const DirectoryLoad& shippedDirectory() {
  static const DirectoryLoad load =
      loadAirportDirectory(std::filesystem::path(ORVANE_DATA_FOLDER) / std::string(kAirportDirectoryFileName));
  return load;
}

struct Window {
  QWidget* window;
  template <class W>
  W* find(const char* name) const {
    auto* w = window->findChild<W*>(QLatin1String(name));
    if (w == nullptr) qFatal("no %s", name);
    return w;
  }
  QString text(const char* name) const { return find<QLineEdit>(name)->text(); }
  QString label(const char* name) const { return find<QLabel>(name)->text(); }
  // Types into a search field as the pilot does and takes the first match with Enter.
  QStringList search(const char* field, const char* matches, const QString& typed) const {
    auto* search = find<QLineEdit>(field);
    search->setFocus();
    search->selectAll();
    QTest::keyClicks(search, typed);
    QStringList shown;
    auto* list = find<QListWidget>(matches);
    for (int i = 0; i < list->count(); ++i) shown << list->item(i)->text();
    return shown;
  }
  void enter(const char* field) const { QTest::keyClick(find<QLineEdit>(field), Qt::Key_Return); }
};

}  // namespace

class DirectoryWindowTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir folder_;
  AirportDatabase airports_;
  AirportNames names_;
  test::RecordingLauncher launcher_;
  std::unique_ptr<test::MessageCatcher> catcher_;
  std::unique_ptr<PlannerDialog> planner_;
  int directoryCalls_ = 0;
  DirectoryLoad damaged_{DirectoryOutcome::Damaged, nullptr};

  void openPlanner(const QByteArray& airports, bool directoryDamaged = false) {
    QFile file(folder_.filePath(QStringLiteral("airports.fly")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(airports);
    file.close();
    PlannerServices services;
    services.workingFolder = folder_.path().toStdString();
    services.launcher = &launcher_;
    services.airports = &airports_;
    services.airportNames = [this] { return &names_; };
    services.showSplash = false;
    services.airportDirectory = [this, directoryDamaged]() -> const DirectoryLoad& {
      ++directoryCalls_;
      return directoryDamaged ? damaged_ : shippedDirectory();
    };
    planner_ = std::make_unique<PlannerDialog>(std::move(services));
    planner_->show();
    QVERIFY(QTest::qWaitForWindowExposed(planner_.get()));
    QApplication::setActiveWindow(planner_.get());
    // No defaults file: a TAS the planner's reading takes, as Get TC and Distance reads
    // the planner's fields before the course window opens.
    test::typeInto(test::plannerField(planner_.get(), "TrueAirspeed"), QStringLiteral("110"));
    catcher_->clear();
  }
  void getCourse(const std::function<void(const Window&)>& steps) {
    bool ran = false;
    test::whenShown(QStringLiteral("courseWindow"), [&](QWidget* w) {
      ran = true;
      steps(Window{w});
      if (w->isVisible()) QTest::mouseClick(Window{w}.find<QPushButton>("cancelButton"), Qt::LeftButton);
    });
    QTest::mouseClick(planner_->findChild<QPushButton*>(QStringLiteral("getTcButton")), Qt::LeftButton);
    QVERIFY(ran);
  }
  QString plannerText(const char* key) const { return test::plannerText(planner_.get(), key); }

 private slots:
  void init() {
    QVERIFY(shippedDirectory().outcome == DirectoryOutcome::Opened);
    QDir(folder_.path()).removeRecursively();
    QDir().mkpath(folder_.path());
    airports_ = AirportDatabase{};
    directoryCalls_ = 0;
    catcher_ = std::make_unique<test::MessageCatcher>();
  }
  void cleanup() {
    planner_.reset();
    catcher_.reset();
  }

  // The pilot finds both fields by typing, takes them with Enter, and flies the leg; the
  // next opening still knows the destination by its code.
  void searchAndChooseFlyTheLeg() {
    openPlanner("QQA:40.500000;-75.250000,");
    QCOMPARE(directoryCalls_, 0);  // not opened for the start
    getCourse([](const Window& w) {
      QVERIFY(w.find<QLineEdit>("originSearch")->isEnabled());
      const QStringList origins = w.search("originSearch", "originMatches", QStringLiteral("1b1"));
      QVERIFY(!origins.isEmpty());
      QCOMPARE(origins.front(), QStringLiteral("K1B1  Columbia County Airport, Hudson, United States"));
      w.enter("originSearch");
      QCOMPARE(w.text("fieldOriginLatitude"), QStringLiteral("42.291302"));
      QCOMPARE(w.text("fieldOriginLongitude"), QStringLiteral("-73.710297"));
      QCOMPARE(w.label("originName"), QStringLiteral("K1B1  Columbia County Airport, Hudson, United States"));

      QCOMPARE(w.search("destinationSearch", "destinationMatches", QStringLiteral("Dahlemer")).front(),
               QStringLiteral("EDKV  Dahlemer Binz Airfield, Dahlhem, Germany"));
      w.enter("destinationSearch");  // Enter takes the match; it does not press OK
      QVERIFY(w.window->isVisible());
      QCOMPARE(w.text("fieldDestinationLatitude"), QStringLiteral("50.40611"));
      QCOMPARE(w.text("fieldDestinationLongitude"), QStringLiteral("6.530256"));
      QCOMPARE(w.find<QComboBox>("destinationList")->currentIndex(), -1);
      const QString runways = w.label("runwayList");
      QVERIFY2(runways.contains(QStringLiteral("EDKV (arrival):\n    06  58.6\u00B0 true  3510 ft")),
               qPrintable(runways));
      QTest::mouseClick(w.find<QPushButton>("okButton"), Qt::LeftButton);
    });
    QCOMPARE(directoryCalls_, 1);
    QCOMPARE(plannerText("Route"), QStringLiteral(" K1B1 ---> EDKV ;"));
    getCourse([](const Window& w) {
      QCOMPARE(w.label("originName"), QStringLiteral("EDKV  Dahlemer Binz Airfield, Dahlhem, Germany"));
      QCOMPARE(w.text("fieldOriginLatitude"), QStringLiteral("50.40611"));
    });
  }

  // A match clicked in the list is taken too; the pilot's file names its airports from
  // the directory where one of that code lies there.
  void clickAMatchAndNamesFromTheDirectory() {
    openPlanner("JFK:40.639801;-73.778900,\nQQA:40.500000;-75.250000,");
    getCourse([](const Window& w) {
      w.find<QComboBox>("destinationList")->setCurrentIndex(0);
      QMetaObject::invokeMethod(w.find<QComboBox>("destinationList"), "activated", Q_ARG(int, 0));
      QCOMPARE(w.label("destinationName"),
               QStringLiteral("JFK  John F. Kennedy International Airport, New York, United States (KJFK)"));
      w.find<QComboBox>("destinationList")->setCurrentIndex(1);
      QMetaObject::invokeMethod(w.find<QComboBox>("destinationList"), "activated", Q_ARG(int, 1));
      QCOMPARE(w.label("destinationName"), QString());  // QQA: made up, no code of the directory there
      QVERIFY(w.find<QLabel>("runwayList")->isHidden());

      w.search("originSearch", "originMatches", QStringLiteral("lommis"));
      auto* list = w.find<QListWidget>("originMatches");
      QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());
      QCOMPARE(w.text("fieldOriginLatitude"), QStringLiteral("47.524399"));
    });
  }

  // A directory airport goes into the pilot's file under three characters he types.
  void addADirectoryAirportToTheFile() {
    openPlanner("QQA:40.500000;-75.250000,");
    getCourse([](const Window& w) {
      w.search("destinationSearch", "destinationMatches", QStringLiteral("EDKV"));
      w.enter("destinationSearch");
      QCOMPARE(w.find<QComboBox>("destinationList")->lineEdit()->text(), QString());
      test::typeInto(w.find<QComboBox>("destinationList")->lineEdit(), QStringLiteral("bnz"));
      QTest::mouseClick(w.find<QPushButton>("addButton"), Qt::LeftButton);
    });
    QCOMPARE(catcher_->texts(), QStringList{QStringLiteral("Airport BNZ was added to database!")});
    QFile file(folder_.filePath(QStringLiteral("airports.fly")));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("QQA:40.500000;-75.250000,BNZ:50.406110;6.530256,"));
  }

  // A damaged directory: one message, once a run; the window works on the pilot's file.
  void damagedDirectoryOneMessageThenThePilotsFileAlone() {
    openPlanner("QQA:40.500000;-75.250000,\nQQB:41.750000;-72.500000,", true);
    getCourse([](const Window& w) {
      QVERIFY(!w.find<QLineEdit>("originSearch")->isEnabled());
      QVERIFY(!w.find<QLineEdit>("destinationSearch")->isEnabled());
      QCOMPARE(w.find<QComboBox>("destinationList")->count(), 2);
    });
    QCOMPARE(catcher_->texts(),
             QStringList{QString::fromStdString(directoryProblemMessage(DirectoryOutcome::Damaged))});
    catcher_->clear();
    getCourse([](const Window& w) { QCOMPARE(w.find<QComboBox>("originList")->count(), 2); });
    QCOMPARE(catcher_->texts(), QStringList{});
  }
};

QTEST_MAIN(DirectoryWindowTest)
#include "directory_window_test.moc"
