// Timings of the course window over a large airport database: the planner's
// "Get TC and Distance" until the window is on screen, every key typed into its
// Destination entry until the window has answered it, and the list building behind
// both. Runs on Qt's offscreen platform unless QT_QPA_PLATFORM names another one
// (scripts/bench-course-window.sh --xvfb runs it on a virtual X display).
//
//   orvane_course_window_bench [--rounds N] [--records N] [--short] [--trace]
//
// --short writes the records as short as they come ("QQA:1;2,", 8 bytes), so that the
// 8 MiB limit holds a million of them: the most entries the window's lists can get.
// The resident memory is given with the opening: the planner's before, the window's
// while shown and what is left once it has closed.

#include <unistd.h>
#include <QApplication>
#include <QComboBox>
#include <QCompleter>
#include <QDialog>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QStringListModel>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/shipped_airport_names.hpp"
#include "core/airports.hpp"
#include "core/course_selection.hpp"
#include "core/files.hpp"
#include "generated_airports.hpp"
#include "ui/launcher.hpp"
#include "windows/course_distance_dialog.hpp"
#include "windows/planner_dialog.hpp"

using namespace orvane;

namespace {

using Clock = std::chrono::steady_clock;

constexpr double kOpenTargetMs = 100;  // "Get TC and Distance" until the window is shown
constexpr double kKeyTargetMs = 16;    // one frame per key typed into the Destination entry

double millisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

template <typename Step>
double timed(Step&& step) {
  const Clock::time_point start = Clock::now();
  step();
  return millisecondsSince(start);
}

// ---------------------------------------------------------------------------------
// Figures

struct Samples {
  std::vector<double> values;
  void add(double ms) { values.push_back(ms); }
  bool empty() const { return values.empty(); }
  double min() const { return *std::min_element(values.begin(), values.end()); }
  double max() const { return *std::max_element(values.begin(), values.end()); }
  double median() const {
    std::vector<double> sorted = values;
    std::sort(sorted.begin(), sorted.end());
    const std::size_t n = sorted.size();
    return n % 2 == 1 ? sorted[n / 2] : (sorted[n / 2 - 1] + sorted[n / 2]) / 2;
  }
};

struct Warning {
  std::string what;
  double median;
  double target;
};

std::vector<Warning> warnings;

void printHeading(const char* title) { std::printf("\n%s\n", title); }

void printRow(const char* label, const Samples& samples, double target = 0) {
  if (samples.empty()) {
    std::printf("  %-46s %9s\n", label, "(none)");
    return;
  }
  std::printf("  %-46s %9.3f %9.3f %9.3f %6zu", label, samples.min(), samples.median(), samples.max(),
              samples.values.size());
  if (target > 0) {
    std::printf("   < %.0f ms", target);
    if (samples.median() > target) {
      std::printf("  MISSED");
      warnings.push_back({label, samples.median(), target});
    } else if (samples.max() > target) {
      std::printf("  (worst over)");
    }
  }
  std::printf("\n");
}

void printColumns() { std::printf("  %-46s %9s %9s %9s %6s\n", "[ms]", "min", "median", "max", "n"); }

// The program's resident memory [MiB], as the system counts it; 0 where it cannot be read.
double residentMiB() {
  std::FILE* status = std::fopen("/proc/self/statm", "r");
  if (status == nullptr) return 0;
  unsigned long pages = 0;
  unsigned long resident = 0;
  const int read = std::fscanf(status, "%lu %lu", &pages, &resident);
  std::fclose(status);
  if (read != 2) return 0;
  return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

// ---------------------------------------------------------------------------------
// The working folder

constexpr const char* kDefaults =
    "home_airport:QQA\r\nTAS:110.000000\r\nVariation:-5.000000\r\nMagnetic Deviation:2.000000\r\n"
    "Galons/Hour:8.500000\r\nTotal Fuel:40.000000\r\nEmpty Plane Weight:1500.000000\r\n"
    "Empty Plane Moment:570.000000\r\nFuel Arm:48.000000\r\nPilot Weight:170.000000\r\n"
    "Front Sits Arm:37.000000\r\nRear Sits Arm:73.000000\r\nAirplane Tail Number:N000XY\r\n"
    "Airplane Type:Trainer\r\nGross Weight:2300.000000\r\nUseful Load:800.000000\r\n"
    "CG Fore Limit:35.000000\r\nCG Aft Limit:47.300000\r\n";

// Starts nothing: the benchmark never leaves the window.
class IdleLauncher : public ui::Launcher {
 public:
  bool startCalculator() override { return true; }
  bool openInTextEditor(const QString&) override { return true; }
  bool openWebPage(const QUrl&) override { return true; }
};

// ---------------------------------------------------------------------------------
// The event loop

// Sees every event of the program: counts them, so that "idle" can be told, and notes
// when the course window is first shown and first painted.
class EventWatch : public QObject {
 public:
  std::uint64_t count = 0;
  std::optional<Clock::time_point> windowShown;
  std::optional<Clock::time_point> firstPaint;
  std::uint64_t entryPaints = 0;  // paint events of the Destination entry

  void forget() {
    windowShown.reset();
    firstPaint.reset();
  }

  bool eventFilter(QObject* object, QEvent* event) override {
    ++count;
    const QEvent::Type type = event->type();
    if (type == QEvent::Paint && object->objectName() == QLatin1String("destinationEntry")) ++entryPaints;
    if ((type == QEvent::Show || type == QEvent::Paint) && object->isWidgetType() &&
        object->objectName() == QLatin1String("courseWindow")) {
      if (type == QEvent::Show && !windowShown) windowShown = Clock::now();
      if (type == QEvent::Paint && !firstPaint) firstPaint = Clock::now();
    }
    return false;
  }
};

EventWatch* watch = nullptr;

// Delivers everything the last input caused, repaints included, until a pass over the
// event queue finds nothing more to do.
void settle() {
  for (int pass = 0; pass < 200; ++pass) {
    const std::uint64_t before = watch->count;
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    if (watch->count == before) return;
  }
}

QDialog* openCourseWindow() {
  auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
  if (dialog == nullptr || dialog->objectName() != QLatin1String("courseWindow")) return nullptr;
  return dialog;
}

// Runs `whileOpen` once the course window opened by clicking `button` is on screen
// (visible, exposed and painted once). `whileOpen` closes the window.
void withCourseWindow(QPushButton* button, const std::function<void(QDialog*)>& whileOpen) {
  bool done = false;
  std::function<void()> poll = [&] {
    QDialog* dialog = openCourseWindow();
    if (dialog != nullptr && dialog->isVisible() && dialog->windowHandle() != nullptr &&
        dialog->windowHandle()->isExposed() && watch->firstPaint) {
      done = true;
      whileOpen(dialog);
      return;
    }
    QTimer::singleShot(0, poll);
  };
  QTimer::singleShot(0, poll);
  QTest::mouseClick(button, Qt::LeftButton);  // returns when the window has closed
  if (!done) {
    std::fprintf(stderr, "course_window_bench: the course window did not open\n");
    std::exit(1);
  }
}

// Answers a message box that should not have come up, so the run never hangs on one.
void answerStrayMessages() {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    auto* box = qobject_cast<QMessageBox*>(widget);
    if (box == nullptr || !box->isVisible()) continue;
    std::fprintf(stderr, "course_window_bench: unexpected message: %s\n", qPrintable(box->text()));
    box->accept();
  }
}

// ---------------------------------------------------------------------------------
// Measurements

struct Options {
  int rounds = 20;
  std::size_t records = 100'000;
  bool shortRecords = false;
  bool trace = false;
};

Options readOptions(int argc, char** argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    const bool hasValue = i + 1 < argc;
    if (std::strcmp(argv[i], "--rounds") == 0 && hasValue) {
      options.rounds = std::max(1, std::atoi(argv[++i]));
    } else if (std::strcmp(argv[i], "--records") == 0 && hasValue) {
      options.records = static_cast<std::size_t>(std::max(1, std::atoi(argv[++i])));
    } else if (std::strcmp(argv[i], "--short") == 0) {
      options.shortRecords = true;
    } else if (std::strcmp(argv[i], "--trace") == 0) {
      options.trace = true;
    } else {
      std::fprintf(stderr, "usage: %s [--rounds N] [--records N] [--short] [--trace]\n", argv[0]);
      std::exit(2);
    }
  }
  return options;
}

QStringList shownEntries(const AirportList& list) {
  QStringList entries;
  entries.reserve(static_cast<qsizetype>(list.shown.size()));
  for (const std::string& entry : list.shown) entries.append(QString::fromStdString(entry));
  return entries;
}

// A combo set up as the course window sets up its Destination list.
struct DestinationCombo {
  QStringListModel model;
  QComboBox combo;
  DestinationCombo() {
    combo.setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo.setMinimumContentsLength(8);
    if (auto* view = qobject_cast<QListView*>(combo.view())) view->setUniformItemSizes(true);
    combo.setModel(&model);
    combo.setEditable(true);
    combo.setInsertPolicy(QComboBox::NoInsert);
    combo.completer()->setCaseSensitivity(Qt::CaseInsensitive);
    combo.completer()->setModelSorting(QCompleter::CaseInsensitivelySortedModel);
  }
};

// The steps the course window takes to fill its lists, one by one.
void measureListBuilding(const AirportDatabase& database, int rounds) {
  Samples parse, originList, destinationList, strings, fillModel, find;
  for (int round = 0; round < rounds; ++round) {
    ParsedAirports parsed;
    AirportList origin, destination;
    QStringList entries;
    parse.add(timed([&] { parsed = parseAirportText(database.text); }));
    originList.add(timed([&] { origin = makeAirportList(parsed.identifiers, ListCase::AsWritten); }));
    destinationList.add(timed([&] { destination = makeAirportList(parsed.identifiers, ListCase::Upper); }));
    strings.add(timed([&] { entries = shownEntries(destination); }));
    DestinationCombo combo;
    fillModel.add(timed([&] {
      combo.model.setStringList(entries);
      combo.combo.setCurrentIndex(-1);
      combo.combo.setEditText(QString());
    }));
    find.add(timed([&] {
      const auto entry = findListEntry(origin, "QQA");
      if (entry) (void)locateAirport(parsed.table, origin.identifiers[*entry]);
    }));
  }
  printHeading("Parse and list build (what the window does before it is shown)");
  printColumns();
  printRow("parseAirportText", parse);
  printRow("makeAirportList, Origin (as written)", originList);
  printRow("makeAirportList, Destination (upper case)", destinationList);
  const double parsePlusLists = parse.median() + originList.median() + destinationList.median();
  printRow("QStringList of one list's entries", strings);
  printRow("one list's model filled (setStringList)", fillModel);
  printRow("findListEntry + locateAirport (home airport)", find);
  std::printf("  %-46s %9s %9.3f\n", "parse + both lists (sum of medians)", "", parsePlusLists);
}

// The window built and shown directly, without the planner around it.
void measureWindowOnItsOwn(PlannerDialog& planner, AirportDatabase& database, const AirportNames* names,
                           const std::filesystem::path& airportsFile, int rounds) {
  Samples construct, show, destroy;
  for (int round = 0; round < rounds; ++round) {
    std::optional<CourseDistanceDialog> window;
    construct.add(
        timed([&] { window.emplace(planner.rememberedAirports(), database, airportsFile, names, &planner); }));
    show.add(timed([&] {
      window->show();
      (void)QTest::qWaitForWindowExposed(&*window);
      settle();
    }));
    destroy.add(timed([&] {
      window->hide();
      window.reset();
      settle();
    }));
  }
  printHeading("The course window on its own");
  printColumns();
  printRow("constructor (widgets + lists filled)", construct);
  printRow("show until exposed and painted", show);
  printRow("hide and destroy", destroy);
}

void measureOpening(QPushButton* getTc, int rounds) {
  Samples shown, untilShowEvent, showToPainted, closing, memoryBefore, memoryOpen, memoryAfter;
  for (int round = 0; round < rounds; ++round) {
    watch->forget();
    memoryBefore.add(residentMiB());
    Clock::time_point clicked;
    Clock::time_point rejected;
    settle();
    clicked = Clock::now();
    withCourseWindow(getTc, [&](QDialog* dialog) {
      const Clock::time_point now = Clock::now();
      shown.add(std::chrono::duration<double, std::milli>(now - clicked).count());
      untilShowEvent.add(std::chrono::duration<double, std::milli>(*watch->windowShown - clicked).count());
      showToPainted.add(std::chrono::duration<double, std::milli>(now - *watch->windowShown).count());
      memoryOpen.add(residentMiB());
      rejected = Clock::now();
      dialog->reject();
    });
    closing.add(millisecondsSince(rejected));
    settle();
    memoryAfter.add(residentMiB());
  }
  printHeading("Opening the window: \"Get TC and Distance\" clicked until the window is shown");
  printColumns();
  printRow("click -> window shown (exposed, painted)", shown, kOpenTargetMs);
  printRow("  click -> Show event (construction, layout)", untilShowEvent);
  printRow("  Show event -> exposed and painted", showToPainted);
  printRow("reject -> back in the planner (destroyed)", closing);
  printHeading("Resident memory of the program [MiB] (informative: the window must give back what it took)");
  std::printf("  %-46s %9s %9s %9s %6s\n", "[MiB]", "min", "median", "max", "n");
  printRow("planner alone, before the window opens", memoryBefore);
  printRow("course window shown", memoryOpen);
  printRow("after the window has closed", memoryAfter);
}

std::string entryState(const QLineEdit* entry) {
  // "QA[0]": the selected part is the inline completion the next key replaces.
  const QString text = entry->text();
  const int start = entry->hasSelectedText() ? entry->selectionStart() : int(text.size());
  const QString shown =
      text.left(start) +
      (entry->hasSelectedText() ? QStringLiteral("[") + entry->selectedText() + QStringLiteral("]") : QString()) +
      text.mid(start + int(entry->selectedText().size()));
  return shown.toStdString();
}

struct TypingFigures {
  Samples letters, byPosition[3], backspaces, dispatch, repaint, popups[2], popupCloses[2];
  double worst = 0;
  std::string worstKey;
  int unpainted = 0;  // keys after which the entry was not repainted
};

void typeSequences(QDialog* dialog, const Options& options, int round, TypingFigures& figures) {
  auto* combo = dialog->findChild<QComboBox*>(QStringLiteral("destinationList"));
  auto* entry = dialog->findChild<QLineEdit*>(QStringLiteral("destinationEntry"));
  auto* origin = dialog->findChild<QComboBox*>(QStringLiteral("originList"));
  if (combo == nullptr || entry == nullptr || origin == nullptr) {
    std::fprintf(stderr, "course_window_bench: the course window has no Destination entry\n");
    std::exit(1);
  }
  QWindow* window = dialog->windowHandle();
  dialog->activateWindow();
  if (!QTest::qWaitForWindowActive(dialog)) QApplication::setActiveWindow(dialog);
  combo->setFocus(Qt::OtherFocusReason);
  settle();
  if (round == 0) {
    const QWidget* focus = QApplication::focusWidget();
    std::printf("\n  Destination list: %d entries; keys go to the focus widget \"%s\"; completion mode %s\n",
                combo->count(), focus != nullptr ? qPrintable(focus->objectName()) : "(none)",
                combo->completer()->completionMode() == QCompleter::InlineCompletion  ? "inline"
                : combo->completer()->completionMode() == QCompleter::PopupCompletion ? "popup"
                                                                                      : "unfiltered popup");
  }

  // Lower case, as a pilot types without Caps Lock; the entry shows upper case.
  static const char* const kSequences[] = {"qa1", "zz9", "k", "b7x", "0ab", "m2"};
  for (const char* sequence : kSequences) {
    entry->selectAll();
    QTest::keyClick(window, Qt::Key_Backspace);  // cleared, untimed
    settle();
    std::string typed;
    // `letter` is typed; 0 presses Backspace.
    auto key = [&](char letter, int position) {
      const bool isLetter = letter != 0;
      std::string label;
      if (isLetter) {
        label.append(1, '\'').append(1, letter).append("' after \"").append(typed).append("\"");
      } else {
        label.append("Backspace at \"").append(entryState(entry)).append("\"");
      }
      const std::uint64_t paintsBefore = watch->entryPaints;
      const Clock::time_point start = Clock::now();
      if (isLetter) {
        QTest::keyClick(window, letter);
      } else {
        QTest::keyClick(window, Qt::Key_Backspace);
      }
      const double sent = millisecondsSince(start);
      settle();
      const double total = millisecondsSince(start);
      const std::uint64_t paints = watch->entryPaints - paintsBefore;
      if (paints == 0) ++figures.unpainted;
      figures.dispatch.add(sent);
      figures.repaint.add(total - sent);
      (isLetter ? figures.letters : figures.backspaces).add(total);
      if (isLetter && position < 3) figures.byPosition[position].add(total);
      if (total > figures.worst) {
        figures.worst = total;
        figures.worstKey = label;
      }
      if (options.trace && round == 0) {
        std::printf("    %-28s -> %-10s %8.3f ms (key events %.3f; entry painted %llu time(s))\n", label.c_str(),
                    entryState(entry).c_str(), total, sent, static_cast<unsigned long long>(paints));
      }
    };
    for (int i = 0; sequence[i] != '\0'; ++i) {
      key(sequence[i], i);
      typed = entryState(entry);
    }
    for (std::size_t i = 0; i < std::strlen(sequence); ++i) key(0, 0);
  }

  // The dropdown lists, opened and closed as F4 does.
  QComboBox* lists[2] = {origin, combo};
  for (int i = 0; i < 2; ++i) {
    figures.popups[i].add(timed([&] {
      lists[i]->showPopup();
      settle();
    }));
    figures.popupCloses[i].add(timed([&] {
      lists[i]->hidePopup();
      settle();
    }));
  }
  combo->setFocus(Qt::OtherFocusReason);
  settle();
}

void measureTyping(QPushButton* getTc, const Options& options) {
  TypingFigures figures;
  if (options.trace) std::printf("\n  First round, key by key ([...] is the inline completion):\n");
  for (int round = 0; round < options.rounds; ++round) {
    watch->forget();
    withCourseWindow(getTc, [&](QDialog* dialog) {
      typeSequences(dialog, options, round, figures);
      dialog->reject();
    });
  }
  printHeading("Typing into the Destination entry: one key until the window has answered it");
  printColumns();
  printRow("every letter", figures.letters, kKeyTargetMs);
  printRow("  first letter (empty entry)", figures.byPosition[0], kKeyTargetMs);
  printRow("  second letter", figures.byPosition[1], kKeyTargetMs);
  printRow("  third letter", figures.byPosition[2], kKeyTargetMs);
  printRow("Backspace", figures.backspaces, kKeyTargetMs);
  printRow("  of which: press + release (QTest, one pass)", figures.dispatch);
  printRow("  of which: the events left over, until idle", figures.repaint);
  std::printf("  worst key: %s, %.3f ms\n", figures.worstKey.c_str(), figures.worst);
  if (figures.unpainted > 0) {
    std::printf("  note: after %d key(s) the entry was not repainted; those figures may be too low\n",
                figures.unpainted);
  }
  printHeading("Dropdown lists (informative, no target)");
  printColumns();
  printRow("Origin list opened (showPopup)", figures.popups[0]);
  printRow("Origin list closed", figures.popupCloses[0]);
  printRow("Destination list opened (showPopup)", figures.popups[1]);
  printRow("Destination list closed", figures.popupCloses[1]);
}

// The offscreen platform notes every window feature it lacks, once per window.
QtMessageHandler standardMessages = nullptr;

void quietPlatformNotes(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (message.startsWith(QLatin1String("This plugin does not support"))) return;
  if (standardMessages != nullptr) {
    standardMessages(type, context, message);
  } else {
    std::fprintf(stderr, "%s\n", qPrintable(message));
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  const Options options = readOptions(argc, argv);
  standardMessages = qInstallMessageHandler(quietPlatformNotes);
  QApplication app(argc, argv);
  EventWatch eventWatch;
  watch = &eventWatch;
  app.installEventFilter(&eventWatch);
  QTimer strayMessages;
  QObject::connect(&strayMessages, &QTimer::timeout, &answerStrayMessages);
  strayMessages.start(200);

  QTemporaryDir folder;
  if (!folder.isValid()) {
    std::fprintf(stderr, "course_window_bench: no temporary folder\n");
    return 1;
  }
  const std::filesystem::path working = folder.path().toStdString();
  bench::GeneratedAirports airports;
  const double generated = timed([&] { airports = bench::generatedAirports(options.records, options.shortRecords); });
  const std::string& text = airports.text;
  if (replaceFile(working / kAirportsFileName, text) != FileWrite::Written ||
      replaceFile(working / "config.fly", kDefaults) != FileWrite::Written) {
    std::fprintf(stderr, "course_window_bench: cannot write the working folder\n");
    return 1;
  }

  std::printf("Course window benchmark\n");
  std::printf("  platform %s, %d rounds\n", qPrintable(QGuiApplication::platformName()), options.rounds);
  std::printf(
      "  airports.fly: %zu records, %zu bytes, %zu identifiers distinct without regard to case "
      "(written in %.1f ms)\n",
      options.records, text.size(), airports.distinct, generated);

  IdleLauncher launcher;
  AirportDatabase database;
  const AirportNames* names = &shippedAirportNames();
  PlannerServices services;
  services.workingFolder = working;
  services.launcher = &launcher;
  services.airports = &database;
  services.airportNames = [names] { return names; };
  services.showSplash = false;
  Samples plannerStart;
  std::optional<PlannerDialog> planner;
  plannerStart.add(timed([&] { planner.emplace(std::move(services)); }));
  planner->show();
  if (!QTest::qWaitForWindowExposed(&*planner)) {
    std::fprintf(stderr, "course_window_bench: the planner was never shown\n");
    return 1;
  }
  planner->activateWindow();
  (void)QTest::qWaitForWindowActive(&*planner);
  settle();
  if (database.text.size() != text.size()) {
    std::fprintf(stderr, "course_window_bench: the planner read %zu bytes of airports.fly, not %zu\n",
                 database.text.size(), text.size());
    return 1;
  }
  std::printf("  planner started (airports.fly read) in %.1f ms; %.1f MiB resident\n", plannerStart.median(),
              residentMiB());
  auto* getTc = planner->findChild<QPushButton*>(QStringLiteral("getTcButton"));
  if (getTc == nullptr) {
    std::fprintf(stderr, "course_window_bench: the planner has no \"Get TC and Distance\" button\n");
    return 1;
  }

  measureListBuilding(database, options.rounds);
  measureWindowOnItsOwn(*planner, database, names, working / kAirportsFileName, options.rounds);
  measureOpening(getTc, options.rounds);
  measureTyping(getTc, options);

  std::printf("\n");
  for (const Warning& warning : warnings) {
    std::printf("WARNING: median of \"%s\" is %.3f ms, over its target of %.0f ms\n", warning.what.c_str(),
                warning.median, warning.target);
  }
  if (warnings.empty()) std::printf("All medians within their targets.\n");
  planner.reset();
  return 0;
}
