// Every number field of every window, given one table of odd and bad texts through the
// real widgets: typed or pasted as a pilot does, read by the window's own command, and
// checked against the field-reading rule. The unit converters read while the pilot
// types, by their own rule: the leading number, nothing refused, no message.

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <limits>
#include <memory>
#include <optional>

#include "core/field_reading.hpp"
#include "core/numbers.hpp"
#include "core/units.hpp"
#include "test_support.hpp"
#include "windows/coordinate_conversion_dialog.hpp"
#include "windows/course_distance_dialog.hpp"
#include "windows/distance_conversion_dialog.hpp"
#include "windows/planner_dialog.hpp"
#include "windows/temperature_conversion_dialog.hpp"
#include "windows/weight_balance_dialog.hpp"
#include "windows/weight_conversion_dialog.hpp"

using namespace orvane;

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

// One text a pilot might leave in a field. `reading` is what the field-reading rule
// makes of it before any range (none: "Please enter a number."), `leading` what a unit
// converter reads; both written out by hand, so that the rows do not merely agree with
// the code that computes them.
struct Input {
  const char* name;
  QString text;
  bool pasted;  // entered by Ctrl+V: tabs, line breaks and letters beyond ASCII are not typed
  std::optional<double> reading;
  double leading;
};

const QString kExact31 = QStringLiteral("1234567890.12345678901234567890");
constexpr double kExact31Value = 1234567890.12345678901234567890;

const QList<Input>& inputs() {
  constexpr std::optional<double> refused;
  static const QList<Input> table = {
      {"empty", QString(), false, refused, 0},
      {"blanks", QStringLiteral("   "), false, refused, 0},
      {"tabs around", QStringLiteral("\t42\t"), true, 42, 42},
      {"31 characters", kExact31, false, kExact31Value, kExact31Value},
      {"32 characters", kExact31 + QLatin1Char('1'), false, kExact31Value, 1234567890.123456789012345678901},
      {"exponent past 31", QString(30, QLatin1Char('0')) + QStringLiteral("7e5"), false, 7, 7e5},
      {"junk past 31", QStringLiteral("12.5") + QString(27, QLatin1Char(' ')) + QStringLiteral("xyz"), false, 12.5,
       12.5},
      {"40 digits", QString(40, QLatin1Char('9')), false, 1e31, 1e40},
      {"plus", QStringLiteral("+"), false, refused, 0},
      {"minus", QStringLiteral("-"), false, refused, 0},
      {"point", QStringLiteral("."), false, refused, 0},
      {"1e999", QStringLiteral("1e999"), false, refused, kInfinity},
      {"-1e999", QStringLiteral("-1e999"), false, refused, -kInfinity},
      {"1e-400", QStringLiteral("1e-400"), false, refused, 0},
      {"0e-400", QStringLiteral("0e-400"), false, 0, 0},
      {"nan", QStringLiteral("nan"), false, refused, 0},
      {"inf", QStringLiteral("inf"), false, refused, 0},
      {"-inf", QStringLiteral("-inf"), false, refused, 0},
      {"0x10", QStringLiteral("0x10"), false, refused, 0},
      {"arabic-indic digits", QString::fromUtf8("\u0661\u0662"), true, refused, 0},
      {"full-width digits", QString::fromUtf8("\uFF11\uFF12"), true, refused, 0},
      {"no-break space", QString::fromUtf8("\u00A07"), true, refused, 0},
      {"decimal comma", QStringLiteral("12,5"), false, refused, 12},
      {"two lines", QStringLiteral("12\n34"), true, refused, 12},
      {"line break after", QStringLiteral("12\n"), true, refused, 12},
      {"-0", QStringLiteral("-0"), false, refused, -0.0},
      {"+0", QStringLiteral("+0"), false, refused, 0},
      {".0", QStringLiteral(".0"), false, refused, 0},
      {"0", QStringLiteral("0"), false, 0, 0},
      {"00012", QStringLiteral("00012"), false, 12, 12},
      {"blank 7 blank", QStringLiteral(" 7 "), false, 7, 7},
      {"7.", QStringLiteral("7."), false, 7, 7},
      {"1e", QStringLiteral("1e"), false, refused, 1},
      {"1e5", QStringLiteral("1e5"), false, 1e5, 1e5},
      {"1E+2", QStringLiteral("1E+2"), false, 100, 100},
      {"-12.5", QStringLiteral("-12.5"), false, -12.5, -12.5},
      {"12abc", QStringLiteral("12abc"), false, refused, 12},
  };
  return table;
}

enum class Window { Planner, Course, Coordinates, Balance, Weight, Distance, Temperature };

bool isConverter(Window w) { return w == Window::Weight || w == Window::Distance || w == Window::Temperature; }

// The command leaves every field showing the value it holds.
bool rewritesFields(Window w) { return w == Window::Coordinates || w == Window::Balance; }

using Held = std::function<double(QDialog*)>;
using Conversion = double (*)(double);

// One number field: its window, its range, and where the value it takes can be seen.
// How each window is opened and which command reads it (open() and read() below):
// - planner: built over the example defaults file; File > Save Defaults reads every
//   field and changes no value read (Calculate reads the same way but then moves the
//   course, wind, variation, fuel and flight distance on to the next leg); the values
//   taken are the planner's leg inputs, and the fields keep their text.
// - course window: opened with remembered positions 40.5, -75.25 and 41.75, -72.5; OK
//   reads, and closes only when every field read cleanly; the values are the window's.
// - coordinates window: opened with every number 0; Convert reads and rewrites every
//   field, so the field's text afterwards shows the value taken.
// - weight and balance: opened with the worked airplane; Calculate reads, works the
//   moments out and rewrites every field; the values are the sheet's.
// - unit converters: typing is the command; the partner shows the conversion.
struct Field {
  Window window;
  QString name;  // "<window>/<field>"
  QString key;   // the widget is "field" + key
  std::optional<NumberRange> range;
  Held held;                 // the value the window holds for it; empty: the window only shows it
  Held computedWhenZero;     // a moment Calculate works out from its row when it reads 0
  bool overwritten = false;  // the command replaces the value read (the CG): only the reading is checked
  QString partnerKey;        // a converter's other field, which shows the conversion
  Conversion toPartner = nullptr;
};

const QList<Field>& fields() {
  static const QList<Field> table = [] {
    QList<Field> out;
    auto planner = [&](const char* name, const char* key, std::optional<NumberRange> range, double LegInputs::*member) {
      out.append({Window::Planner,
                  QStringLiteral("planner/") + QLatin1String(name),
                  QLatin1String(key),
                  range,
                  [member](QDialog* w) { return static_cast<PlannerDialog*>(w)->flightPlan().inputs.*member; },
                  {},
                  false,
                  {},
                  nullptr});
    };
    constexpr NumberRange kCourse{0, 360}, kAngle{-360, 360}, kFuel{0, 100};
    planner("TC", "TrueCourse", kCourse, &LegInputs::trueCourse);
    planner("wind direction", "WindDirection", kCourse, &LegInputs::windDirection);
    planner("wind velocity", "WindVelocity", NumberRange{0, 1000}, &LegInputs::windVelocity);
    planner("TAS", "TrueAirspeed", NumberRange{60, 250}, &LegInputs::trueAirspeed);
    planner("variation", "Variation", kAngle, &LegInputs::variation);
    planner("deviation", "Deviation", kAngle, &LegInputs::deviation);
    planner("distance in leg", "LegDistance", NumberRange{0, 10000}, &LegInputs::distance);
    planner("GPH", "FuelFlow", kFuel, &LegInputs::fuelFlow);
    planner("fuel on board", "FuelOnBoard", kFuel, &LegInputs::fuelOnBoard);
    planner("distance in flight", "FlightDistance", std::nullopt, &LegInputs::flightDistance);

    auto course = [&](const char* key, std::optional<NumberRange> range, GeoPosition CourseWindowValues::*position,
                      double GeoPosition::*part) {
      out.append({Window::Course,
                  QStringLiteral("course/") + QLatin1String(key),
                  QLatin1String(key),
                  range,
                  [position, part](QDialog* w) {
                    return static_cast<CourseDistanceDialog*>(w)->acceptedLeg().values.*position.*part;
                  },
                  {},
                  false,
                  {},
                  nullptr});
    };
    course("OriginLatitude", kAngle, &CourseWindowValues::origin, &GeoPosition::latitude);
    course("OriginLongitude", kAngle, &CourseWindowValues::origin, &GeoPosition::longitude);
    course("DestinationLongitude", kAngle, &CourseWindowValues::destination, &GeoPosition::longitude);
    course("DestinationLatitude", std::nullopt, &CourseWindowValues::destination, &GeoPosition::latitude);

    for (const char* part : {"Degrees", "Minutes", "Seconds"}) {
      for (const char* axis : {"Latitude", "Longitude"}) {
        const QString key = QLatin1String(axis) + QLatin1String(part);
        out.append(
            {Window::Coordinates, QStringLiteral("coordinates/") + key, key, std::nullopt, {}, {}, false, {}, nullptr});
      }
    }

    auto sheet = [](QDialog* w) -> const BalanceSheet& { return static_cast<WeightBalanceDialog*>(w)->sheet(); };
    auto balance = [&](const QString& key, std::optional<NumberRange> range, Held held, Held computedWhenZero = {},
                       bool overwritten = false) {
      out.append({Window::Balance,
                  QStringLiteral("balance/") + key,
                  key,
                  range,
                  std::move(held),
                  std::move(computedWhenZero),
                  overwritten,
                  {},
                  nullptr});
    };
    constexpr NumberRange kLoad{0, 100000}, kEmptyAircraft{0, 1000000};
    const std::pair<const char*, LoadingRow BalanceSheet::*> rows[] = {{"Front", &BalanceSheet::frontSeats},
                                                                       {"Rear", &BalanceSheet::rearSeats},
                                                                       {"Fuel", &BalanceSheet::fuel},
                                                                       {"Baggage", &BalanceSheet::baggage},
                                                                       {"Other", &BalanceSheet::other}};
    for (const auto& [name, row] : rows) {
      auto part = [sheet, row](double LoadingRow::*p) {
        return [sheet, row, p](QDialog* w) { return sheet(w).*row.*p; };
      };
      balance(QLatin1String(name) + QStringLiteral("Weight"), kLoad, part(&LoadingRow::weight));
      balance(QLatin1String(name) + QStringLiteral("Arm"), kLoad, part(&LoadingRow::arm));
      balance(QLatin1String(name) + QStringLiteral("Moment"), kLoad, part(&LoadingRow::moment),
              [sheet, row](QDialog* w) { return (sheet(w).*row).weight * (sheet(w).*row).arm * kMomentScale; });
    }
    balance(QStringLiteral("EmptyWeight"), kEmptyAircraft,
            [sheet](QDialog* w) { return sheet(w).emptyAircraft.weight; });
    balance(QStringLiteral("EmptyMoment"), kEmptyAircraft,
            [sheet](QDialog* w) { return sheet(w).emptyAircraft.moment; });
    balance(
        QStringLiteral("Cg"), std::nullopt, [sheet](QDialog* w) { return sheet(w).cg; }, {}, true);
    const std::pair<const char*, double BalanceSheet::*> airplane[] = {{"MaxWeight", &BalanceSheet::maxWeight},
                                                                       {"UsefulLoad", &BalanceSheet::usefulLoad},
                                                                       {"FuelOnBoard", &BalanceSheet::fuelOnBoard},
                                                                       {"CgForeLimit", &BalanceSheet::cgForeLimit},
                                                                       {"CgAftLimit", &BalanceSheet::cgAftLimit}};
    for (const auto& [key, member] : airplane) {
      balance(QLatin1String(key), kLoad, [sheet, member](QDialog* w) { return sheet(w).*member; });
    }

    auto converter = [&](Window window, const char* windowName, const char* key, const char* partner,
                         Conversion conversion) {
      out.append({window,
                  QLatin1String(windowName) + QLatin1Char('/') + QLatin1String(key),
                  QLatin1String(key),
                  std::nullopt,
                  {},
                  {},
                  false,
                  QLatin1String(partner),
                  conversion});
    };
    converter(Window::Weight, "weight", "Pounds", "Kilograms", poundsToKilograms);
    converter(Window::Weight, "weight", "Kilograms", "Pounds", kilogramsToPounds);
    converter(Window::Distance, "distance", "StatuteMiles", "Kilometres", statuteMilesToKilometres);
    converter(Window::Distance, "distance", "Kilometres", "StatuteMiles", kilometresToStatuteMiles);
    converter(Window::Distance, "distance", "Feet", "Metres", feetToMetres);
    converter(Window::Distance, "distance", "Metres", "Feet", metresToFeet);
    converter(Window::Distance, "distance", "NauticalMiles", "NauticalRowStatuteMiles", nauticalToStatuteMiles);
    converter(Window::Distance, "distance", "NauticalRowStatuteMiles", "NauticalMiles", statuteToNauticalMiles);
    converter(Window::Temperature, "temperature", "Fahrenheit", "Celsius", fahrenheitToCelsius);
    converter(Window::Temperature, "temperature", "Celsius", "Fahrenheit", celsiusToFahrenheit);
    return out;
  }();
  return table;
}

// A double written so that two texts are equal only when the doubles are.
QString exact(double value) { return QString::fromStdString(formatGeneral(value, 17)); }
QString shown(double value) { return QString::fromStdString(fieldText(value)); }

const QString kNotANumber = QStringLiteral("Please enter a number.");

QString rangeMessage(NumberRange range) {
  return QStringLiteral("Please enter a number between %1 and %2.").arg(shown(range.lowest), shown(range.highest));
}

// What the rule makes of an input in a field, from the hand-written reading.
FieldReading byHand(const Input& input, std::optional<NumberRange> range) {
  FieldReading out;
  if (!input.reading) return out;
  out.value = *input.reading;
  const bool outside = range && (out.value < range->lowest || out.value > range->highest);
  out.status = outside ? FieldStatus::OutOfRange : FieldStatus::Accepted;
  return out;
}

// The refused field's focus and selection as the refusal leaves them: the command goes
// on afterwards and may rewrite the field, which clears the selection.
class RefusalWatch : public QObject {
 public:
  RefusalWatch(QWidget* window, QLineEdit* field) {
    connect(field, &QLineEdit::selectionChanged, this, [this, window, field] {
      if (window->focusWidget() == field && field->hasSelectedText() && field->selectedText() == field->text()) {
        selectedWhole = true;
      }
    });
  }
  bool selectedWhole = false;
};

}  // namespace

class FieldInputTest : public QObject {
  Q_OBJECT

  // Save Defaults makes sure its file reaches the disk; a folder in memory, where the
  // system has one, keeps hundreds of saves quick.
  QTemporaryDir folder_{(QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath()) +
                        QStringLiteral("/orvane-fields-XXXXXX")};
  AirportDatabase airports_;
  std::unique_ptr<test::MessageCatcher> catcher_;
  std::unique_ptr<QDialog> window_;
  Window opened_ = Window::Planner;
  // Building a window and answering its messages take most of a row's time: one window
  // serves the rows of its fields, each row putting every text back as it found it and
  // having the window read them again when it ends.
  QList<std::pair<QLineEdit*, QString>> textsBefore_;

  static bool servesManyRows(Window window) {
    return window == Window::Planner || window == Window::Balance || window == Window::Coordinates;
  }
  enum class Fresh { No, Yes };
  void open(Window window, Fresh fresh = Fresh::No) {
    if (fresh == Fresh::No && window_ != nullptr && opened_ == window && servesManyRows(window)) {
      for (QLineEdit* edit : window_->findChildren<QLineEdit*>()) textsBefore_.append({edit, edit->text()});
      catcher_->clear();
      return;
    }
    window_.reset();
    opened_ = window;
    switch (window) {
      case Window::Planner: {
        QFile file(folder_.filePath(QStringLiteral("config.fly")));
        if (!file.open(QIODevice::WriteOnly) || file.write(test::kExampleDefaults) < 0) qFatal("no defaults file");
        file.close();
        PlannerServices services;
        services.workingFolder = folder_.path().toStdString();
        services.showSplash = false;
        window_ = std::make_unique<PlannerDialog>(std::move(services));
        break;
      }
      case Window::Course: {
        RememberedAirports remembered;
        remembered.origin = {40.5, -75.25};
        remembered.destination = {41.75, -72.5};
        window_ = std::make_unique<CourseDistanceDialog>(
            remembered, airports_, folder_.filePath(QStringLiteral("airports.fly")).toStdString(), nullptr);
        break;
      }
      case Window::Coordinates: window_ = std::make_unique<CoordinateConversionDialog>(); break;
      case Window::Balance: {
        // The worked airplane: Calculate shows no message unless a field makes it.
        const AirplaneData airplane{"N000XY", "Trainer", 2300, 800, 35, 47.3, 1500, 1185, 340, 37, 73, 48};
        window_ = std::make_unique<WeightBalanceDialog>(airplane, 40);
        break;
      }
      case Window::Weight: window_ = std::make_unique<WeightConversionDialog>(); break;
      case Window::Distance: window_ = std::make_unique<DistanceConversionDialog>(); break;
      case Window::Temperature: window_ = std::make_unique<TemperatureConversionDialog>(); break;
    }
    window_->show();
    QApplication::setActiveWindow(window_.get());
    // Most often active at once: the wait polls, which would add up over the rows.
    if (!window_->isActiveWindow() && !QTest::qWaitForWindowActive(window_.get())) qFatal("window not active");
    for (QLineEdit* edit : window_->findChildren<QLineEdit*>()) textsBefore_.append({edit, edit->text()});
    catcher_->clear();
  }
  // The texts back as the row found them, read again: the planner by its own reading,
  // which saves nothing. A window that says anything then is built afresh.
  void putTextsBack() {
    for (const auto& [edit, text] : textsBefore_) edit->setText(text);
    textsBefore_.clear();
    catcher_->clear();
    if (opened_ == Window::Planner) {
      static_cast<PlannerDialog*>(window_.get())->readFields();
    } else {
      read(opened_);
    }
    if (!catcher_->messages.isEmpty()) window_.reset();
  }
  QLineEdit* field(const QString& key) const {
    auto* f = window_->findChild<QLineEdit*>(QStringLiteral("field") + key);
    if (f == nullptr) qFatal("no field %s", qPrintable(key));
    return f;
  }
  void click(const char* button) const {
    QTest::mouseClick(window_->findChild<QPushButton*>(QLatin1String(button)), Qt::LeftButton);
  }
  // The command that reads the window's fields.
  void read(Window window) {
    switch (window) {
      case Window::Planner:  // File > Save Defaults
        window_->findChild<QAction*>(QStringLiteral("commandSaveDefaults"))->trigger();
        break;
      case Window::Course: click("okButton"); break;
      case Window::Coordinates: click("convertButton"); break;
      case Window::Balance: click("calculateButton"); break;
      default: break;
    }
  }
  // Typed as a pilot types, or pasted over what the field held.
  static void enter(QLineEdit* edit, const Input& input) {
    if (!input.pasted) {
      test::typeInto(edit, input.text);
      return;
    }
    QApplication::clipboard()->setText(input.text);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
  }
  QStringList refusals() const {
    QStringList out;
    for (const QString& text : catcher_->texts()) {
      if (text.startsWith(QLatin1String("Please enter a number"))) out << text;
    }
    return out;
  }

  void converterFollows(const Field& f, const Input& input) {
    QLineEdit* edit = field(f.key);
    QLineEdit* partner = field(f.partnerKey);
    enter(edit, input);
    QCOMPARE(edit->text(), input.text);
    QCOMPARE(exact(leadingNumber(input.text.toStdString())), exact(input.leading));
    QCOMPARE(partner->text(), QString::fromStdString(converterText(f.toPartner(input.leading))));
    QCOMPARE(catcher_->texts(), QStringList());
    QCOMPARE(QApplication::focusWidget(), edit);
  }

 private slots:
  void initTestCase() {
    QVERIFY(folder_.isValid());
    QCOMPARE(kExact31.size(), qsizetype{31});
  }
  void init() { catcher_ = std::make_unique<test::MessageCatcher>(); }
  void cleanup() {
    if (window_ != nullptr && servesManyRows(opened_) && window_->isVisible()) {
      putTextsBack();
    } else {
      window_.reset();
    }
    textsBefore_.clear();
    catcher_.reset();
  }
  void cleanupTestCase() { window_.reset(); }

  void everyFieldReadsByItsRule_data() {
    QTest::addColumn<int>("fieldIndex");
    QTest::addColumn<int>("inputIndex");
    for (qsizetype f = 0; f < fields().size(); ++f) {
      for (qsizetype i = 0; i < inputs().size(); ++i) {
        QTest::addRow("%s/%s", qPrintable(fields()[f].name), inputs()[i].name) << int(f) << int(i);
      }
    }
  }
  void everyFieldReadsByItsRule() {
    QFETCH(int, fieldIndex);
    QFETCH(int, inputIndex);
    const Field& f = fields()[fieldIndex];
    const Input& input = inputs()[inputIndex];
    open(f.window);
    if (isConverter(f.window)) {
      converterFollows(f, input);
      return;
    }

    // The rule by hand, and the core agreeing with it.
    const FieldReading expected = byHand(input, f.range);
    const FieldReading core = readNumberField(input.text.toStdString(), f.range);
    QCOMPARE(int(core.status), int(expected.status));
    if (expected.status != FieldStatus::NotANumber) QCOMPARE(exact(core.value), exact(expected.value));
    const bool refused = expected.status != FieldStatus::Accepted;

    QLineEdit* edit = field(f.key);
    // The coordinates window shows every number 0 and does not tell its values.
    const double previous = f.held ? f.held(window_.get()) : 0;
    if (!f.held) QCOMPARE(edit->text(), QStringLiteral("0"));
    enter(edit, input);
    QCOMPARE(edit->text(), input.text);

    RefusalWatch watch(window_.get(), edit);
    read(f.window);

    const QStringList said = refusals();
    if (!refused) {
      QCOMPARE(said, QStringList());
    } else {
      const QString message = expected.status == FieldStatus::OutOfRange ? rangeMessage(*f.range) : kNotANumber;
      QVERIFY(!said.isEmpty());
      QCOMPARE(catcher_->texts().first(), message);              // before anything else the command says
      for (const QString& text : said) QCOMPARE(text, message);  // OK in the course window reads twice
      QCOMPARE(window_->focusWidget(), edit);
      if (!input.text.isEmpty()) QVERIFY(watch.selectedWhole);
    }

    double value = expected.status == FieldStatus::NotANumber ? previous : expected.value;
    if (value == 0 && f.computedWhenZero) value = f.computedWhenZero(window_.get());
    if (f.held && !f.overwritten) QCOMPARE(exact(f.held(window_.get())), exact(value));
    if (rewritesFields(f.window)) {
      QCOMPARE(edit->text(), shown(f.overwritten ? f.held(window_.get()) : value));
    } else {
      QCOMPARE(edit->text(), input.text);  // the text the pilot entered stays to be corrected
    }
    if (f.window == Window::Course) QCOMPARE(window_->isVisible(), refused);  // OK closes only on a clean reading
  }

  // Results beyond the largest number: what the window shows must read back, so that
  // one such result does not make every later reading stop at it.
  void aCgBeyondEveryNumberKeepsItsValue() {
    open(Window::Balance, Fresh::Yes);
    for (const char* key : {"FrontWeight", "FuelWeight"}) {
      test::typeInto(field(QLatin1String(key)), QStringLiteral("0"));
    }
    // A gross moment within its range over next to no weight: 1e7 / 1e-305 has no double.
    test::typeInto(field(QStringLiteral("EmptyWeight")), QStringLiteral("1e-305"));
    test::typeInto(field(QStringLiteral("EmptyMoment")), QStringLiteral("100000"));
    click("calculateButton");
    QCOMPARE(catcher_->texts(), QStringList{QStringLiteral("Wrong Data!")});
    QCOMPARE(field(QStringLiteral("Cg"))->text(), QStringLiteral("0"));
    QCOMPARE(field(QStringLiteral("GrossMoment"))->text(), QStringLiteral("100000"));
    catcher_->clear();
    click("calculateButton");  // the CG field reads as it did
    QCOMPARE(catcher_->texts(), QStringList{QStringLiteral("Wrong Data!")});
    catcher_->clear();
    test::typeInto(field(QStringLiteral("EmptyWeight")), QStringLiteral("1500"));
    click("calculateButton");
    QCOMPARE(catcher_->texts(), QStringList());
    QCOMPARE(field(QStringLiteral("Cg"))->text(), QStringLiteral("6666.66666666667"));
  }
  void momentsBeyondEveryNumberKeepTheirValues() {
    open(Window::Balance, Fresh::Yes);
    // Refused as out of range, and used all the same: 1e308 LB at 37 in has no moment.
    test::typeInto(field(QStringLiteral("FrontWeight")), QStringLiteral("1e308"));
    click("calculateButton");
    QCOMPARE(catcher_->texts(), (QStringList{rangeMessage({0, 100000}), QStringLiteral("Wrong Data!"),
                                             QStringLiteral("Airplane too heavy!")}));
    for (const char* key : {"FrontMoment", "GrossMoment", "Cg"}) {
      QCOMPARE(field(QLatin1String(key))->text(), QStringLiteral("0"));
    }
    QCOMPARE(field(QStringLiteral("GrossWeight"))->text(), QStringLiteral("1e+308"));
    catcher_->clear();
    // The gross weight left beyond its range is refused once more, as any is.
    test::typeInto(field(QStringLiteral("FrontWeight")), QStringLiteral("340"));
    click("calculateButton");
    QCOMPARE(catcher_->texts(), QStringList{rangeMessage({0, 100000})});
    QCOMPARE(field(QStringLiteral("FrontMoment"))->text(), QStringLiteral("125.8"));
    catcher_->clear();
    click("calculateButton");
    QCOMPARE(catcher_->texts(), QStringList());
  }
  void aPositionBeyondEveryNumberIsNotConverted() {
    open(Window::Coordinates, Fresh::Yes);
    const QString noPosition = QString::fromUtf8(kNoPositionMessage.data(), qsizetype(kNoPositionMessage.size()));
    // Each part is a number; their sum is beyond the largest one.
    test::typeInto(field(QStringLiteral("LatitudeDegrees")), QStringLiteral("1.79e308"));
    test::typeInto(field(QStringLiteral("LatitudeMinutes")), QStringLiteral("1.79e308"));
    click("convertButton");
    QCOMPARE(catcher_->texts(), QStringList{noPosition});
    QCOMPARE(field(QStringLiteral("LatitudeResult"))->text(), QStringLiteral("0"));
    QCOMPARE(field(QStringLiteral("LatitudeDegrees"))->text(), QStringLiteral("1.79e+308"));
    QVERIFY(!window_->findChild<QPushButton*>(QStringLiteral("copyButton"))->isEnabled());
    catcher_->clear();
    click("convertButton");  // the results read as they did
    QCOMPARE(catcher_->texts(), QStringList{noPosition});
    catcher_->clear();
    test::typeInto(field(QStringLiteral("LatitudeDegrees")), QStringLiteral("40"));
    test::typeInto(field(QStringLiteral("LatitudeMinutes")), QStringLiteral("30"));
    click("convertButton");
    QCOMPARE(catcher_->texts(), QStringList());
    QCOMPARE(field(QStringLiteral("LatitudeResult"))->text(), QStringLiteral("40.5"));
    QVERIFY(window_->findChild<QPushButton*>(QStringLiteral("copyButton"))->isEnabled());
  }
  // A converter writes an infinity as "%f" does; it never reads its results back, and
  // entering the field starts it afresh.
  void aConverterShowsInfinityAndGoesOn() {
    open(Window::Weight, Fresh::Yes);
    test::typeInto(field(QStringLiteral("Kilograms")), QStringLiteral("1e308"));
    QCOMPARE(field(QStringLiteral("Pounds"))->text(), QStringLiteral("inf"));
    test::typeInto(field(QStringLiteral("Pounds")), QStringLiteral("2"));
    QCOMPARE(field(QStringLiteral("Kilograms"))->text(), QStringLiteral("0.907200"));
    QCOMPARE(catcher_->texts(), QStringList());
  }
};

QTEST_MAIN(FieldInputTest)
#include "field_input_test.moc"
