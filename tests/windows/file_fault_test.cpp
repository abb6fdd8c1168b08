// The data files as they go wrong on a pilot's machine: a folder or a link where a
// file belongs, files that cannot be read, are empty, far too large or endless, bytes
// that are no UTF-8, other line ends, and a folder or disk that refuses to be written.
// Driven through the real planner and course windows: the messages are read from the
// real message boxes and the files checked byte for byte afterwards.

#include <sys/stat.h>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

#include "../file_faults.hpp"
#include "test_support.hpp"
#include "windows/planner_dialog.hpp"

using namespace orvane;
using namespace std::literals;
namespace fs = std::filesystem;

namespace {

const QByteArray kAirports = "QQA:40.500000;-75.250000,\nQQB:41.750000;-72.500000,\n";
const QByteArray kQqcRecord = "QQC:39.100000;-74.900000,";

const QString kCannotOpenDefaults = QStringLiteral("Cannot open congfiguration file!");
const QString kDefaultsError = QStringLiteral("Error in congfiguration file!");
const QString kCannotOpenAirports = QStringLiteral("Cannot open airports file!");
const QString kAirportsTooLarge = QStringLiteral(
    "The airports file \"airports.fly\" is larger than 8 MiB, more than any airport database holds, so it was "
    "not read and will not be replaced. Please check the file.");
const QString kDefaultsWriteFailed =
    QStringLiteral("The defaults file could not be written (is the disk full?); it was left as it was.");
const QString kDefaultsPartlyWritten = QStringLiteral(
    "The defaults file could only be partly written (is the disk full?) and may now be damaged: please save "
    "the defaults again once the disk has room.");
const QString kAirportAdded = QStringLiteral("Airport QQC was added to database!");
const QString kAirportsWriteFailed = QStringLiteral(
    "The airports file could not be written (is the disk full?); it was left as it was, and the new airport is "
    "kept until Orvane closes.");

constexpr std::uintmax_t kHundredMegabytes = 100'000'000;

// How a data file has gone wrong before the program reads it.
enum class BadFile { Folder, Unreadable, HugeZeroBytes, HugeAfterItsText, Empty, NotUtf8, CrOnly, Endless, Fifo };

// How the folder or the disk refuses a write, set up once the planner has read the files.
enum class WriteFault {
  ReadOnlyFolderWritableFile,
  ReadOnlyFolderReadOnlyFile,
  ReadOnlyFolderNoFile,
  FullDisk,                        // a small disk of its own, filled up
  RefusedData,                     // the system refuses any file beyond 20 bytes
  ReadOnlyFolderRefusedGrowth,     // in place, from a file of 8 bytes to a longer one
  ReadOnlyFolderRefusedOverwrite,  // in place, over a file longer than the new content
  LeftoverTemporary,               // a write was interrupted between writing and renaming
  Link,                            // the file is a link into another folder
};

QByteArray crOnly(QByteArray bytes) {
  bytes.replace("\r\n", "\r");
  bytes.replace('\n', '\r');
  return bytes;
}

}  // namespace

Q_DECLARE_METATYPE(BadFile)
Q_DECLARE_METATYPE(WriteFault)

class FileFaultTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir root_;
  AirportDatabase airports_;
  test::RecordingLauncher launcher_;
  std::unique_ptr<test::MessageCatcher> catcher_;
  std::unique_ptr<PlannerDialog> planner_;
  std::unique_ptr<test::SmallDisk> disk_;
  std::unique_ptr<test::StateFolder> journals_;

  QString working() const { return root_.filePath(QStringLiteral("working")); }
  QString path(const char* name) const { return working() + QLatin1Char('/') + QLatin1String(name); }
  fs::path fsPath(const char* name) const { return path(name).toStdString(); }
  void writeFile(const char* name, const QByteArray& content) {
    QFile file(path(name));
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(content);
  }
  QByteArray readFile(const char* name) const {
    QFile file(path(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
  }
  QStringList entries() const {
    return QDir(working()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System, QDir::Name);
  }
  // What the file is, to tell afterwards that it is exactly as it was.
  QByteArray state(const char* name) const {
    const fs::path p = fsPath(name);
    std::error_code ec;
    if (fs::is_symlink(p, ec)) return "link to " + QByteArray::fromStdString(fs::read_symlink(p, ec).string());
    if (fs::is_directory(p, ec)) return "folder of " + QDir(path(name)).entryList(QDir::Files).join(u' ').toUtf8();
    if (fs::is_fifo(p, ec)) return "FIFO";
    const auto size = fs::file_size(p, ec);
    if (ec) return "<missing>";
    const auto perms = static_cast<int>(fs::status(p, ec).permissions() & fs::perms::mask);
    fs::permissions(p, fs::perms::owner_read, fs::perm_options::add, ec);
    QByteArray bytes = readFile(name);
    if (bytes.size() > 4096) bytes = bytes.left(64) + "...";
    fs::permissions(p, static_cast<fs::perms>(perms), fs::perm_options::replace, ec);
    return QByteArray::number(qulonglong(size)) + " bytes, mode " + QByteArray::number(perms, 8) + ": " + bytes;
  }

  void makeBadFile(const char* name, BadFile bad, const QByteArray& good) {
    const fs::path p = fsPath(name);
    fs::remove(p);
    switch (bad) {
      case BadFile::Folder:
        QVERIFY(QDir(working()).mkdir(QLatin1String(name)));
        writeFile((std::string(name) + "/inside.txt").c_str(), good);
        break;
      case BadFile::Unreadable:
        writeFile(name, good);
        fs::permissions(p, fs::perms::none, fs::perm_options::replace);
        break;
      case BadFile::HugeZeroBytes: QVERIFY(test::makeSparseFile(p, {}, kHundredMegabytes)); break;
      case BadFile::HugeAfterItsText: QVERIFY(test::makeSparseFile(p, good.toStdString(), kHundredMegabytes)); break;
      case BadFile::Empty: writeFile(name, QByteArray()); break;
      case BadFile::NotUtf8: writeFile(name, good); break;  // the row gives bytes that are no UTF-8
      case BadFile::CrOnly: writeFile(name, crOnly(good)); break;
      case BadFile::Endless: fs::create_symlink("/dev/zero", p); break;
      case BadFile::Fifo: QCOMPARE(::mkfifo(p.c_str(), 0644), 0); break;
    }
  }

  // Builds the planner on the working folder; its start-up runs, and shows its
  // messages, before the window is shown.
  void startPlanner() {
    PlannerServices services;
    services.workingFolder = working().toStdString();
    services.launcher = &launcher_;
    services.airports = &airports_;
    services.showSplash = false;
    planner_ = std::make_unique<PlannerDialog>(std::move(services));
    planner_->show();
    QVERIFY(QTest::qWaitForWindowExposed(planner_.get()));
    QApplication::setActiveWindow(planner_.get());
  }
  QLineEdit* field(const char* key) const { return test::plannerField(planner_.get(), key); }
  QAction* command(const char* name) const { return planner_->findChild<QAction*>(QLatin1String(name)); }

  // Opens the course window, runs `steps` in it and leaves it by Cancel if still open.
  void inCourseWindow(const std::function<void(QWidget*)>& steps) {
    bool ran = false;
    test::whenShown(QStringLiteral("courseWindow"), [&](QWidget* w) {
      ran = true;
      steps(w);
      if (w->isVisible()) QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("cancelButton")), Qt::LeftButton);
    });
    QTest::mouseClick(planner_->findChild<QPushButton*>(QStringLiteral("getTcButton")), Qt::LeftButton);
    QVERIFY(ran);
  }
  QStringList destinations() {
    QStringList out;
    inCourseWindow([&](QWidget* w) {
      auto* list = w->findChild<QComboBox*>(QStringLiteral("destinationList"));
      for (int i = 0; i < list->count(); ++i) out << list->itemText(i);
    });
    return out;
  }
  // Adds QQC at 39.1, -74.9 as the pilot does; `fault` wraps the press of Add.
  void addQqc(const std::function<void(const std::function<void()>&)>& fault) {
    inCourseWindow([&](QWidget* w) {
      auto* latitude = w->findChild<QLineEdit*>(QStringLiteral("fieldDestinationLatitude"));
      auto* longitude = w->findChild<QLineEdit*>(QStringLiteral("fieldDestinationLongitude"));
      test::typeInto(latitude, QStringLiteral("39.1"));
      test::typeInto(longitude, QStringLiteral("-74.9"));
      test::typeInto(w->findChild<QComboBox*>(QStringLiteral("destinationList"))->lineEdit(), QStringLiteral("QQC"));
      fault([&] { QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("addButton")), Qt::LeftButton); });
      QVERIFY(!w->isVisible());
    });
  }

  // Sets up `fault` for `name`, whose content the planner read as `old`; gives what
  // the file should hold if the write is refused.
  QByteArray prepareWriteFault(WriteFault fault, const char* name, const QByteArray& old) {
    const fs::path p = fsPath(name);
    QByteArray remains = old;
    switch (fault) {
      case WriteFault::ReadOnlyFolderWritableFile:
      case WriteFault::ReadOnlyFolderRefusedGrowth:
      case WriteFault::ReadOnlyFolderRefusedOverwrite:
        if (fault == WriteFault::ReadOnlyFolderRefusedGrowth) remains = old.left(8);
        if (fault == WriteFault::ReadOnlyFolderRefusedOverwrite) remains = old + QByteArray(600, '#');
        writeFile(name, remains);
        fs::permissions(p, fs::perms(0666), fs::perm_options::replace);
        fs::permissions(working().toStdString(), fs::perms(0555), fs::perm_options::replace);
        break;
      case WriteFault::ReadOnlyFolderReadOnlyFile:
        fs::permissions(p, fs::perms(0444), fs::perm_options::replace);
        fs::permissions(working().toStdString(), fs::perms(0555), fs::perm_options::replace);
        break;
      case WriteFault::ReadOnlyFolderNoFile:
        fs::remove(p);
        remains = "<missing>";
        fs::permissions(working().toStdString(), fs::perms(0555), fs::perm_options::replace);
        break;
      case WriteFault::FullDisk: disk_->fill(); break;
      case WriteFault::LeftoverTemporary:
        writeFile((std::string(name) + ".tmp123456").c_str(), "half a file");
        writeFile("other.fly.tmp5", "not ours");
        break;
      case WriteFault::RefusedData:
      case WriteFault::Link: break;
    }
    return remains;
  }
  static bool needsPilot(WriteFault fault) {
    switch (fault) {
      case WriteFault::ReadOnlyFolderWritableFile:
      case WriteFault::ReadOnlyFolderReadOnlyFile:
      case WriteFault::ReadOnlyFolderNoFile:
      case WriteFault::ReadOnlyFolderRefusedGrowth:
      case WriteFault::ReadOnlyFolderRefusedOverwrite: return true;
      default: return false;
    }
  }
  static bool refusesData(WriteFault fault) {
    return fault == WriteFault::RefusedData || fault == WriteFault::ReadOnlyFolderRefusedGrowth ||
           fault == WriteFault::ReadOnlyFolderRefusedOverwrite;
  }
  static bool permissionsCanBind() {
    const test::WithoutRootPowers probe;
    return test::WithoutRootPowers::bound();
  }
  // Runs `press` with the fault's refusals in force: as a user whom permissions bind,
  // and with a disk that takes no file beyond 20 bytes.
  static void underFault(WriteFault fault, const std::function<void()>& press) {
    std::optional<test::WithoutRootPowers> asPilot;
    std::optional<test::FileSizeLimit> limit;
    if (needsPilot(fault)) asPilot.emplace();
    if (refusesData(fault)) limit.emplace(20);
    press();
  }
  // The working folder on a disk of its own when the fault needs one; the data files
  // behind a link when it needs that.
  bool placeFiles(WriteFault fault, const QByteArray& defaults, const QByteArray& airports) {
    if (fault == WriteFault::FullDisk) {
      disk_ = std::make_unique<test::SmallDisk>(working().toStdString(), 64 * 1024);
      if (!disk_->mounted()) return false;
    }
    writeFile("config.fly", defaults);
    writeFile("airports.fly", airports);
    if (fault == WriteFault::Link) {
      if (!QDir(root_.path()).mkpath(QStringLiteral("shared"))) return false;
      for (const char* name : {"config.fly", "airports.fly"}) {
        const fs::path shared = fs::path(root_.path().toStdString()) / "shared" / name;
        fs::rename(fsPath(name), shared);
        fs::create_symlink(fs::path("..") / "shared" / name, fsPath(name));
      }
    }
    return true;
  }
  // Whether the fault can be made here; skips the row if not.
  bool canMake(WriteFault fault) {
    if (needsPilot(fault) && !permissionsCanBind()) return false;
    return placeFiles(fault, test::kExampleDefaults, kAirports);
  }
  QByteArray afterWrite(WriteFault fault, const char* name) const {
    if (fault != WriteFault::Link) return readFile(name);
    if (!fs::is_symlink(fsPath(name))) return "<link gone>";
    QFile file(root_.filePath(QStringLiteral("shared/") + QLatin1String(name)));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
  }
  static void writeFaultRows() {
    QTest::addColumn<WriteFault>("fault");
    QTest::addColumn<bool>("written");
    QTest::addColumn<QString>("failure");  // the message after a refused write
  }

 private slots:
  void initTestCase() {
    QVERIFY(root_.isValid());
    test::openToOthers(root_.path().toStdString());
  }
  void init() {
    QDir(working()).removeRecursively();
    QVERIFY(QDir().mkpath(working()));
    test::openToOthers(working().toStdString());
    airports_ = AirportDatabase{};
    // A state folder of each test's own, which the pilot ("nobody") may use too.
    static int run = 0;
    journals_.reset();
    journals_ =
        std::make_unique<test::StateFolder>(root_.filePath(QStringLiteral("state-%1").arg(++run)).toStdString());
    launcher_ = test::RecordingLauncher{};
    catcher_ = std::make_unique<test::MessageCatcher>();
  }
  void cleanup() {
    planner_.reset();
    catcher_.reset();
    std::error_code ec;
    fs::permissions(working().toStdString(), fs::perms::owner_all, fs::perm_options::add, ec);
    disk_.reset();
  }

  // ------------------------------------------------------------------------------
  // Reading: start-up, Load Defaults, Reload Airports and the course window's lists

  void aBadFileIsReportedAndLeftAsItIs() {
    QFETCH(QByteArray, name);
    QFETCH(BadFile, bad);
    QFETCH(QByteArray, good);
    QFETCH(QStringList, messages);
    QFETCH(QString, trueAirspeed);
    QFETCH(QStringList, lists);
    writeFile("config.fly", test::kExampleDefaults);
    writeFile("airports.fly", kAirports);
    makeBadFile(name.constData(), bad, good);
    const QByteArray before = state(name.constData());
    {
      test::WithoutRootPowers asPilot;
      if (bad == BadFile::Unreadable && !asPilot.bound()) QSKIP("permissions cannot be made to bind");
      startPlanner();
      QCOMPARE(catcher_->texts(), messages);
      QCOMPARE(field("TrueAirspeed")->text(), trueAirspeed);
      QCOMPARE(destinations(), lists);
      // Reading again brings the same message and changes nothing.
      catcher_->clear();
      command(name == "config.fly" ? "commandLoadDefaults" : "commandReloadAirports")->trigger();
      QCOMPARE(catcher_->texts(), messages);
      QCOMPARE(destinations(), lists);
    }
    QCOMPARE(state(name.constData()), before);
  }
  void aBadFileIsReportedAndLeftAsItIs_data() {
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<BadFile>("bad");
    QTest::addColumn<QByteArray>("good");  // what the file holds where the fault leaves content
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QString>("trueAirspeed");
    QTest::addColumn<QStringList>("lists");
    const QStringList both = {QStringLiteral("QQA"), QStringLiteral("QQB")};
    const QByteArray defaults = test::kExampleDefaults;
    const QByteArray notUtf8Defaults =
        QByteArray(defaults).replace("N000XY", "N\xff\xc3(").replace("Trainer", "\xe9t\xe9");
    const QString tas = QStringLiteral("110");
    const QString none = QStringLiteral("0");

    QTest::newRow("config.fly a folder") << QByteArray("config.fly") << BadFile::Folder << defaults
                                         << QStringList{kCannotOpenDefaults} << none << both;
    QTest::newRow("config.fly unreadable") << QByteArray("config.fly") << BadFile::Unreadable << defaults
                                           << QStringList{kCannotOpenDefaults} << none << both;
    QTest::newRow("config.fly 100 MB of zero bytes") << QByteArray("config.fly") << BadFile::HugeZeroBytes << defaults
                                                     << QStringList{kDefaultsError} << none << both;
    QTest::newRow("config.fly 100 MB after its values")
        << QByteArray("config.fly") << BadFile::HugeAfterItsText << defaults << QStringList() << tas << both;
    QTest::newRow("config.fly empty") << QByteArray("config.fly") << BadFile::Empty << defaults
                                      << QStringList{kDefaultsError} << none << both;
    QTest::newRow("config.fly not UTF-8")
        << QByteArray("config.fly") << BadFile::NotUtf8 << notUtf8Defaults << QStringList() << tas << both;
    QTest::newRow("config.fly CR-only line ends")
        << QByteArray("config.fly") << BadFile::CrOnly << defaults << QStringList{kDefaultsError} << none << both;
    QTest::newRow("config.fly endless") << QByteArray("config.fly") << BadFile::Endless << defaults
                                        << QStringList{kCannotOpenDefaults} << none << both;
    QTest::newRow("config.fly a FIFO") << QByteArray("config.fly") << BadFile::Fifo << defaults
                                       << QStringList{kCannotOpenDefaults} << none << both;

    const QByteArray notUtf8Airports = kAirports + "\xff\xfeZ:1.000000;2.000000,\n";
    QTest::newRow("airports.fly a folder") << QByteArray("airports.fly") << BadFile::Folder << kAirports
                                           << QStringList{kCannotOpenAirports} << tas << QStringList();
    QTest::newRow("airports.fly unreadable") << QByteArray("airports.fly") << BadFile::Unreadable << kAirports
                                             << QStringList{kCannotOpenAirports} << tas << QStringList();
    QTest::newRow("airports.fly 100 MB of zero bytes")
        << QByteArray("airports.fly") << BadFile::HugeZeroBytes << kAirports << QStringList{kAirportsTooLarge} << tas
        << QStringList();
    QTest::newRow("airports.fly 100 MB after its records")
        << QByteArray("airports.fly") << BadFile::HugeAfterItsText << kAirports << QStringList{kAirportsTooLarge} << tas
        << QStringList();
    QTest::newRow("airports.fly empty") << QByteArray("airports.fly") << BadFile::Empty << kAirports << QStringList()
                                        << tas << QStringList();
    QTest::newRow("airports.fly not UTF-8")
        << QByteArray("airports.fly") << BadFile::NotUtf8 << notUtf8Airports << QStringList() << tas
        << (both + QStringList{QString::fromUtf8("\xff\xfeZ")});
    QTest::newRow("airports.fly CR-only line ends")
        << QByteArray("airports.fly") << BadFile::CrOnly << kAirports << QStringList() << tas << both;
    QTest::newRow("airports.fly endless") << QByteArray("airports.fly") << BadFile::Endless << kAirports
                                          << QStringList{kCannotOpenAirports} << tas << QStringList();
    QTest::newRow("airports.fly a FIFO") << QByteArray("airports.fly") << BadFile::Fifo << kAirports
                                         << QStringList{kCannotOpenAirports} << tas << QStringList();
  }

  // Texts that are no UTF-8 are kept as bytes: saving writes them back unchanged.
  void bytesThatAreNoUtf8AreSavedBackUnchanged() {
    const QByteArray defaults = QByteArray(test::kExampleDefaults)
                                    .replace("home_airport:QQA", "home_airport:\xffQ\xc3")
                                    .replace("N000XY", "N\xff\xc3(");
    const QByteArray airports = kAirports + "\xff\xfeZ:1.000000;2.000000,\r";
    writeFile("config.fly", defaults);
    writeFile("airports.fly", airports);
    startPlanner();
    command("commandSaveDefaults")->trigger();
    QCOMPARE(catcher_->texts(), QStringList());
    QCOMPARE(readFile("config.fly"), defaults);

    inCourseWindow([&](QWidget* w) {
      auto* list = w->findChild<QComboBox*>(QStringLiteral("originList"));
      const int entry = list->findText(QString::fromUtf8("\xff\xfeZ"));
      QVERIFY(entry >= 0);
      list->setFocus();
      QTest::keyClick(list, Qt::Key_Home);
      for (int i = 0; i < entry; ++i) QTest::keyClick(list, Qt::Key_Down);
      QCOMPARE(w->findChild<QLineEdit*>(QStringLiteral("fieldOriginLatitude"))->text(), QStringLiteral("1"));
      QCOMPARE(w->findChild<QLineEdit*>(QStringLiteral("fieldOriginLongitude"))->text(), QStringLiteral("2"));
    });
    addQqc([](const std::function<void()>& press) { press(); });
    QCOMPARE(catcher_->texts(), QStringList{kAirportAdded});
    QCOMPARE(readFile("airports.fly"), airports + kQqcRecord);
  }

  // Zero bytes and text in another encoding are the pilot's: an added airport keeps them.
  void addingAnAirportKeepsEveryByteOfTheFile() {
    QFETCH(QByteArray, airports);
    writeFile("config.fly", test::kExampleDefaults);
    writeFile("airports.fly", airports);
    startPlanner();
    addQqc([](const std::function<void()>& press) { press(); });
    QCOMPARE(catcher_->texts(), QStringList{kAirportAdded});
    QCOMPARE(readFile("airports.fly"), airports + kQqcRecord);
  }
  void addingAnAirportKeepsEveryByteOfTheFile_data() {
    QTest::addColumn<QByteArray>("airports");
    const auto bytes = [](std::string_view text) { return QByteArray(text.data(), qsizetype(text.size())); };
    QTest::newRow("zero byte") << bytes(
        "QQA:40.500000;-75.250000,\0 note KEEP:1.0;2.0,\r\nQQB:41.750000;-72.500000,\r\n"sv);
    QTest::newRow("UTF-16") << bytes(
        "\xff\xfeQ\0Q\0A\0:\0"
        "1\0;\0"
        "2\0,\0\r\0\n\0"sv);
  }

  // The file is written before "was added" is said, so that what the pilot's editor saves
  // while the message is open stays.
  void anEditWhileTheAddedMessageIsOpenIsKept() {
    writeFile("config.fly", test::kExampleDefaults);
    writeFile("airports.fly", kAirports);
    startPlanner();
    const QByteArray edit = "ZZZ:1.000000;2.000000,\n";
    QByteArray atMessage;
    catcher_->onMessage = [&](const test::SeenMessage& seen) {
      if (seen.text != kAirportAdded) return;
      atMessage = readFile("airports.fly");
      writeFile("airports.fly", atMessage + edit);
    };
    addQqc([](const std::function<void()>& press) { press(); });
    QCOMPARE(catcher_->texts(), QStringList{kAirportAdded});
    QCOMPARE(atMessage, kAirports + kQqcRecord);
    QCOMPARE(readFile("airports.fly"), kAirports + kQqcRecord + edit);
  }

  // A 100 MB airports file is never replaced by the little that was read of it.
  void addingToAFileTooLargeLeavesItAsItIs() {
    writeFile("config.fly", test::kExampleDefaults);
    QVERIFY(test::makeSparseFile(fsPath("airports.fly"), kAirports.toStdString(), kHundredMegabytes));
    startPlanner();
    catcher_->clear();
    addQqc([](const std::function<void()>& press) { press(); });
    QCOMPARE(catcher_->texts(), QStringList{kAirportsTooLarge});
    QCOMPARE(QFileInfo(path("airports.fly")).size(), qint64(kHundredMegabytes));
    QFile file(path("airports.fly"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.read(kAirports.size() + 1), kAirports + '\0');
    // The record is offered for the rest of the run.
    QVERIFY(destinations().contains(QStringLiteral("QQC")));
  }

  // ------------------------------------------------------------------------------
  // Writing: Save Defaults and Add Airport where the folder or the disk refuses

  void saveDefaultsWhereTheFolderOrDiskRefuses() {
    QFETCH(WriteFault, fault);
    QFETCH(bool, written);
    QFETCH(QString, failure);
    if (!canMake(fault)) QSKIP("this fault cannot be made here (no right to mount a disk, or permissions do not bind)");
    startPlanner();
    QCOMPARE(catcher_->texts(), QStringList());
    const QByteArray remains = prepareWriteFault(fault, "config.fly", test::kExampleDefaults);
    const QStringList before = entries();
    QByteArray saved = test::kExampleDefaults;
    saved.replace("TAS:110.000000", "TAS:120.000000");
    test::typeInto(field("TrueAirspeed"), QStringLiteral("120"));

    underFault(fault, [&] { command("commandSaveDefaults")->trigger(); });
    QCOMPARE(catcher_->texts(), written ? QStringList() : QStringList{failure});
    // In place too, the disk's refusal comes while a copy of the new content is kept,
    // before the file is touched.
    QCOMPARE(afterWrite(fault, "config.fly"), written ? saved : remains);
    QStringList expected = before;
    if (fault == WriteFault::LeftoverTemporary) expected.removeOne(QStringLiteral("config.fly.tmp123456"));
    QCOMPARE(entries(), expected);
  }
  void saveDefaultsWhereTheFolderOrDiskRefuses_data() {
    writeFaultRows();
    QTest::newRow("read-only folder, writable file") << WriteFault::ReadOnlyFolderWritableFile << true << QString();
    QTest::newRow("read-only folder and file")
        << WriteFault::ReadOnlyFolderReadOnlyFile << false << kCannotOpenDefaults;
    QTest::newRow("read-only folder, no file") << WriteFault::ReadOnlyFolderNoFile << false << kCannotOpenDefaults;
    QTest::newRow("full disk") << WriteFault::FullDisk << false << kDefaultsWriteFailed;
    QTest::newRow("disk refuses the data") << WriteFault::RefusedData << false << kDefaultsWriteFailed;
    QTest::newRow("read-only folder, disk refuses the growth")
        << WriteFault::ReadOnlyFolderRefusedGrowth << false << kDefaultsWriteFailed;
    QTest::newRow("read-only folder, disk refuses the overwrite")
        << WriteFault::ReadOnlyFolderRefusedOverwrite << false << kDefaultsWriteFailed;
    QTest::newRow("temporary left by an interrupted write") << WriteFault::LeftoverTemporary << true << QString();
    QTest::newRow("link into another folder") << WriteFault::Link << true << QString();
  }

  void addAirportWhereTheFolderOrDiskRefuses() {
    QFETCH(WriteFault, fault);
    QFETCH(bool, written);
    QFETCH(QString, failure);
    if (!canMake(fault)) QSKIP("this fault cannot be made here (no right to mount a disk, or permissions do not bind)");
    startPlanner();
    QCOMPARE(catcher_->texts(), QStringList());
    const QByteArray remains = prepareWriteFault(fault, "airports.fly", kAirports);
    const QStringList before = entries();

    addQqc([&](const std::function<void()>& press) { underFault(fault, press); });
    // "Added" only when it is true; otherwise only the failure.
    QCOMPARE(catcher_->texts(), written ? QStringList{kAirportAdded} : QStringList{failure});
    const QByteArray current = remains == "<missing>" ? QByteArray() : remains;
    QCOMPARE(afterWrite(fault, "airports.fly"), written ? current + kQqcRecord : remains);
    QStringList expected = before;
    if (fault == WriteFault::LeftoverTemporary) expected.removeOne(QStringLiteral("airports.fly.tmp123456"));
    QCOMPARE(entries(), expected);
    // Saved or not, the new airport is offered until the program closes.
    QVERIFY(destinations().contains(QStringLiteral("QQC")));
  }
  void addAirportWhereTheFolderOrDiskRefuses_data() {
    writeFaultRows();
    QTest::newRow("read-only folder, writable file") << WriteFault::ReadOnlyFolderWritableFile << true << QString();
    QTest::newRow("read-only folder and file")
        << WriteFault::ReadOnlyFolderReadOnlyFile << false << kCannotOpenAirports;
    QTest::newRow("read-only folder, no file") << WriteFault::ReadOnlyFolderNoFile << false << kCannotOpenAirports;
    QTest::newRow("full disk") << WriteFault::FullDisk << false << kAirportsWriteFailed;
    QTest::newRow("disk refuses the data") << WriteFault::RefusedData << false << kAirportsWriteFailed;
    QTest::newRow("read-only folder, disk refuses the growth")
        << WriteFault::ReadOnlyFolderRefusedGrowth << false << kAirportsWriteFailed;
    QTest::newRow("temporary left by an interrupted write") << WriteFault::LeftoverTemporary << true << QString();
    QTest::newRow("link into another folder") << WriteFault::Link << true << QString();
  }
};

QTEST_MAIN(FileFaultTest)
#include "file_fault_test.moc"
