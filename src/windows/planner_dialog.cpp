#include "windows/planner_dialog.hpp"

#include <QContextMenuEvent>
#include <QDateTimeEdit>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QUrl>
#include <QVBoxLayout>
#include <utility>

#include "core/airports.hpp"
#include "core/files.hpp"
#include "core/leg.hpp"
#include "core/leg_ranges.hpp"
#include "core/magnetic.hpp"
#include "core/numbers.hpp"
#include "core/plan_file.hpp"
#include "ui/default_button.hpp"
#include "ui/elided_label.hpp"
#include "ui/fields.hpp"
#include "ui/form.hpp"
#include "ui/freed_memory.hpp"
#include "ui/fuel_policy_settings.hpp"
#include "ui/launcher.hpp"
#include "ui/messages.hpp"
#include "ui/time_picker.hpp"
#include "ui/value_label.hpp"
#include "windows/about_dialog.hpp"
#include "windows/about_entry.hpp"
#include "windows/altitude_airspeed_dialog.hpp"
#include "windows/app_icon.hpp"
#include "windows/coordinate_conversion_dialog.hpp"
#include "windows/course_distance_dialog.hpp"
#include "windows/distance_conversion_dialog.hpp"
#include "windows/fuel_plan_dialog.hpp"
#include "windows/legs_dialog.hpp"
#include "windows/nav_log_export.hpp"
#include "windows/route_file_dialogs.hpp"
#include "windows/splash_window.hpp"
#include "windows/temperature_conversion_dialog.hpp"
#include "windows/weight_balance_dialog.hpp"
#include "windows/weight_conversion_dialog.hpp"

namespace orvane {
namespace {

constexpr int kSplashMilliseconds = 2500;
const QString kPlanFilter = QStringLiteral("Orvane plans (*.orvplan)");

constexpr NumberRange kCourseRange = leg_ranges::kCourse;
constexpr NumberRange kWindVelocityRange = leg_ranges::kWindVelocity;
constexpr NumberRange kAirspeedRange = leg_ranges::kAirspeed;
constexpr NumberRange kAngleRange = leg_ranges::kAngle;
constexpr NumberRange kLegDistanceRange = leg_ranges::kLegDistance;
constexpr NumberRange kFuelRange = leg_ranges::kFuel;

using ui::FieldLook;

RouteLegEnds routeLegEndsOf(const LegEnds& ends) { return {ends.fromId, ends.toId, ends.from, ends.to}; }

// A field named "field" + `key`, with its caption "label" + `key` and unit "unit" + `key`.
QLineEdit* addField(QGridLayout* grid, int row, int column, const char* caption, const QString& unit, const char* key,
                    FieldLook look) {
  return ui::addField(grid, row, column, QString::fromLatin1(caption), unit, QString::fromLatin1(key), look);
}

}  // namespace

PlannerDialog::PlannerDialog(PlannerServices services, QWidget* parent)
    : QDialog(parent, ui::kWindowFlags), services_(std::move(services)) {
  setObjectName(QStringLiteral("plannerWindow"));
  buildWindow();
  // Placed in the middle of the screen now, so that the messages of the start-up loads,
  // which it owns, come up where the window will appear.
  adjustSize();
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - rect().center());
  }

  addAboutToSystemMenu(this);
  setWindowIcon(appIcon());

  if (services_.showSplash) {
    splash_ = std::make_unique<SplashWindow>(this);
    splash_->start(kSplashMilliseconds);
  }

  // Everything starts at 0 and empty; the picker at the current local time.
  setPickerTime(currentLocalTime());
  fuelPolicy_ = ui::loadUsualFuelPolicy(services_.settingsFile);
  loadDefaultsFile();
  loadAirportsFile();
  writeFields();
  ui::handDefaultButton(calculateButton_, getTcButton_);
  updateNavLogCommands();
}

PlannerDialog::~PlannerDialog() = default;

void PlannerDialog::buildWindow() {
  setWindowTitle(QString::fromLatin1(kProgramTitle));

  auto* dataIn = new QGroupBox(QStringLiteral("Data in"));
  dataIn->setObjectName(QStringLiteral("groupDataIn"));
  auto* inGrid = ui::groupGrid(dataIn);
  const QString degrees = QStringLiteral("degrees");
  const QString speed = QStringLiteral("knots, sm/h");
  const QString distance = QStringLiteral("nm, sm");
  const QString gallons = QStringLiteral("gallons");
  const QString clock = QStringLiteral("hhmmss");
  trueCourse_ = addField(inGrid, 0, 0, "TC (True Course) -", degrees, "TrueCourse", FieldLook::Editable);
  windDirection_ = addField(inGrid, 1, 0, "Wind Direction -", degrees, "WindDirection", FieldLook::Editable);
  windVelocity_ = addField(inGrid, 2, 0, "Wind Velocity -", speed, "WindVelocity", FieldLook::Editable);
  trueAirspeed_ = addField(inGrid, 3, 0, "TAS (True Airspeed) -", speed, "TrueAirspeed", FieldLook::Editable);
  variation_ = addField(inGrid, 4, 0, "Variation (-E, +W) -", degrees, "Variation", FieldLook::Editable);
  deviation_ = addField(inGrid, 5, 0, "Magnetic Deviation -", degrees, "Deviation", FieldLook::Editable);
  legDistance_ = addField(inGrid, 6, 0, "Distance in Leg -", distance, "LegDistance", FieldLook::Editable);
  {
    takeOffPicker_ = new QDateTimeEdit;
    takeOffPicker_->setObjectName(QStringLiteral("fieldTimeOff"));
    takeOffPicker_->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    ui::selectPartOnClick(takeOffPicker_);
    ui::sizeByFont(takeOffPicker_);
    ui::addRow(inGrid, 7, 0, QStringLiteral("Time Off -"), takeOffPicker_, clock, QStringLiteral("TimeOff"));
  }
  fuelFlow_ = addField(inGrid, 8, 0, "GPH (Galons/Hour) -", gallons, "FuelFlow", FieldLook::Editable);
  fuelOnBoard_ = addField(inGrid, 9, 0, "Fuel on Board -", gallons, "FuelOnBoard", FieldLook::Editable);

  auto* results = new QGroupBox(QStringLiteral("Results for the Leg"));
  results->setObjectName(QStringLiteral("groupResults"));
  auto* outGrid = ui::groupGrid(results);
  windCorrection_ =
      addField(outGrid, 0, 0, "WCA (Wind Correction Angle) -", degrees, "WindCorrection", FieldLook::Result);
  trueHeading_ = addField(outGrid, 1, 0, "TH (True Heading) -", degrees, "TrueHeading", FieldLook::ReadOnly);
  magneticHeading_ =
      addField(outGrid, 2, 0, "MH (Magnetic Heading) -", degrees, "MagneticHeading", FieldLook::ReadOnly);
  compassHeading_ = addField(outGrid, 3, 0, "CH (Corrected Heading) -", degrees, "CompassHeading", FieldLook::Result);
  groundSpeed_ = addField(outGrid, 4, 0, "GS (Ground Speed) -", speed, "GroundSpeed", FieldLook::Result);
  ete_ = addField(outGrid, 5, 0, "ETE (Estimated Time Enroute) -", QStringLiteral("min"), "Ete", FieldLook::Result);
  eta_ = addField(outGrid, 6, 0, "ETA (Estimated Arrival Time) -", clock, "Eta", FieldLook::ReadOnly);
  fuelBurned_ = addField(outGrid, 7, 0, "Fuel Burned -", gallons, "FuelBurned", FieldLook::Result);
  fuelLeft_ = addField(outGrid, 8, 0, "Fuel Left -", gallons, "FuelLeft", FieldLook::ReadOnly);
  distanceRemaining_ =
      addField(outGrid, 9, 0, "Distance Remaining -", distance, "DistanceRemaining", FieldLook::ReadOnly);

  auto* summary = new QGroupBox(QStringLiteral("Summary for the Flight"));
  summary->setObjectName(QStringLiteral("groupSummary"));
  auto* sumGrid = ui::groupGrid(summary);
  {
    // The route grows by a leg at a time: it keeps to the group's width and is cut
    // short on screen, but whole in its tooltip and to a screen reader, which reads the
    // route itself (no fixed name) announced by its caption.
    route_ = new ui::ElidedLabel;
    route_->setObjectName(QStringLiteral("fieldRoute"));
    route_->setFrameShape(QFrame::StyledPanel);
    route_->setFrameShadow(QFrame::Sunken);
    auto* caption = new QLabel(QStringLiteral("Route -"));
    caption->setObjectName(QStringLiteral("labelRoute"));
    caption->setBuddy(route_);
    sumGrid->addWidget(caption, 0, 0, Qt::AlignRight | Qt::AlignVCenter);
    sumGrid->addWidget(route_, 0, 1, 1, 6);
  }
  takeOffText_ = addField(sumGrid, 1, 0, "Time Off -", QString(), "SummaryTimeOff", FieldLook::Summary);
  // The time it shows is its name to a screen reader; the description says what it is.
  zuluText_ = new QLabel;
  zuluText_->setObjectName(QStringLiteral("fieldZuluTimeOff"));
  zuluText_->setAccessibleDescription(QStringLiteral("Time Off in zulu"));
  ui::announceValue(zuluText_);
  sumGrid->addWidget(zuluText_, 1, 2);
  arrivalText_ = addField(sumGrid, 2, 0, "Arrival Time -", clock, "ArrivalTime", FieldLook::ReadOnly);
  totalFlightTime_ =
      addField(sumGrid, 3, 0, "Total Flight Time -", QStringLiteral("hours"), "TotalFlightTime", FieldLook::Summary);
  flightDistance_ =
      addField(sumGrid, 1, 4, "Distance in Flight/Leg -", distance, "FlightDistance", FieldLook::Editable);
  totalDistance_ = addField(sumGrid, 2, 4, "Total Distance So Far -", distance, "TotalDistance", FieldLook::ReadOnly);
  totalFuelUsed_ = addField(sumGrid, 3, 4, "Total Fuel Used in Flight -", gallons, "TotalFuelUsed", FieldLook::Summary);
  sumGrid->setColumnMinimumWidth(3, 24);
  sumGrid->setColumnStretch(3, 1);

  auto* buttons = new QHBoxLayout;
  calculateButton_ = ui::addButton(buttons, QStringLiteral("&Calculate"), QStringLiteral("calculateButton"));
  getTcButton_ = ui::addButton(buttons, QStringLiteral("&Get TC and Distance"), QStringLiteral("getTcButton"));
  resetButton_ = ui::addButton(buttons, QStringLiteral("&Reset"), QStringLiteral("resetButton"));
  quitButton_ = ui::addButton(buttons, QStringLiteral("&Quit"), QStringLiteral("quitButton"));
  connect(calculateButton_, &QPushButton::clicked, this, &PlannerDialog::calculate);
  connect(getTcButton_, &QPushButton::clicked, this, &PlannerDialog::getCourseAndDistance);
  connect(resetButton_, &QPushButton::clicked, this, &PlannerDialog::reset);
  connect(quitButton_, &QPushButton::clicked, this, &QDialog::reject);

  auto* groups = new QHBoxLayout;
  groups->addWidget(dataIn);
  groups->addWidget(results);

  auto* layout = new QVBoxLayout(this);
  layout->setMenuBar(buildMenuBar());
  layout->addLayout(groups);
  layout->addWidget(summary);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);  // the window cannot be resized

  // Tab walks the inputs in the order of the window, then the buttons.
  ui::chainTabOrder({trueCourse_, windDirection_, windVelocity_, trueAirspeed_, variation_, deviation_, legDistance_,
                     takeOffPicker_, fuelFlow_, fuelOnBoard_, flightDistance_, calculateButton_, getTcButton_,
                     resetButton_, quitButton_});
}

QMenuBar* PlannerDialog::buildMenuBar() {
  auto* bar = new QMenuBar(this);
  // An entry named "command" + `name`, so that it can be found by what it does.
  auto add = [this](QMenu* menu, const QString& text, const char* name, auto slot) {
    QAction* action = menu->addAction(text);
    action->setObjectName(QStringLiteral("command") + QLatin1String(name));
    connect(action, &QAction::triggered, this, slot);
    return action;
  };

  QMenu* file = bar->addMenu(QStringLiteral("&File"));
  add(file, QStringLiteral("&Open Plan..."), "OpenPlan", &PlannerDialog::openPlan)->setShortcut(QKeySequence::Open);
  add(file, QStringLiteral("Save Pl&an..."), "SavePlan", &PlannerDialog::savePlan)->setShortcut(QKeySequence::Save);
  file->addSeparator();
  add(file, QStringLiteral("&Save Defaults"), "SaveDefaults", &PlannerDialog::saveDefaults);
  add(file, QStringLiteral("&Load Defaults"), "LoadDefaults", &PlannerDialog::loadDefaults);
  add(file, QStringLiteral("&Reload Airports"), "ReloadAirports", &PlannerDialog::reloadAirports);
  printNavLogAction_ =
      add(file, QStringLiteral("&Print Nav Log..."), "PrintNavLog", [this] { printNavLog(this, navLogSheet()); });
  printNavLogAction_->setShortcut(QKeySequence::Print);
  exportNavLogAction_ = add(file, QStringLiteral("Export &Nav Log..."), "ExportNavLog",
                            [this] { exportNavLog(this, navLogSheet(), services_.workingFolder); });
  file->addSeparator();
  add(file, QStringLiteral("&Import Route..."), "ImportRoute", &PlannerDialog::importRoute);
  // Off until the pilot ticks it: an imported route never changes VAR unasked.
  importVariationAction_ = file->addAction(QStringLiteral("Take Each Leg's &Variation from WMM2025"));
  importVariationAction_->setObjectName(QStringLiteral("commandImportVariation"));
  importVariationAction_->setCheckable(true);
  exportRouteAction_ = add(file, QStringLiteral("E&xport Route..."), "ExportRoute", &PlannerDialog::exportRoute);
  file->addSeparator();
  add(file, QStringLiteral("&Exit"), "Exit", &QDialog::reject);

  QMenu* flight = bar->addMenu(QStringLiteral("F&light"));
  add(flight, QStringLiteral("&Legs..."), "Legs", &PlannerDialog::showLegs)
      ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));

  QMenu* tools = bar->addMenu(QStringLiteral("&Tools"));
  add(tools, QStringLiteral("Weight and &Balance"), "WeightBalance", &PlannerDialog::weightAndBalance);
  add(tools, QStringLiteral("&Altitude and Airspeed"), "AltitudeAirspeed", &PlannerDialog::altitudeAndAirspeed);
  add(tools, QStringLiteral("&Fuel Plan"), "FuelPlan", &PlannerDialog::fuelPlan);
  tools->addSeparator();
  add(tools, QStringLiteral("&Coordinates Conversions"), "CoordinateConversions", &PlannerDialog::convertCoordinates);
  add(tools, QStringLiteral("&Weight Conversions"), "WeightConversions",
      [this] { WeightConversionDialog(this).exec(); });
  add(tools, QStringLiteral("&Distance Conversions"), "DistanceConversions",
      [this] { DistanceConversionDialog(this).exec(); });
  add(tools, QStringLiteral("&Temperature Conversions"), "TemperatureConversions",
      [this] { TemperatureConversionDialog(this).exec(); });
  tools->addSeparator();
  add(tools, QStringLiteral("&Math Calculator"), "MathCalculator", &PlannerDialog::launchCalculator);
  add(tools, QStringLiteral("&Edit Airports Database"), "EditAirports", [this] { openInEditor("airports.fly"); });

  QMenu* help = bar->addMenu(QStringLiteral("&Help"));
  add(help, QStringLiteral("&Read me"), "ReadMe", [this] { openInEditor("readme.txt"); });
  add(help, QStringLiteral("&Check Airports"), "CheckAirports", [this] { openWebPage(web_pages::kAirports); });
  QMenu* weather = help->addMenu(QStringLiteral("&Weather Briefing"));
  add(weather, QStringLiteral("&Aviation Weather"), "AviationWeather",
      [this] { openWebPage(web_pages::kAviationWeather); });
  add(weather, QStringLiteral("&Weather Briefing"), "WeatherBriefing",
      [this] { openWebPage(web_pages::kWeatherBriefing); });
  add(help, QStringLiteral("&News and Updates"), "News", [this] { openWebPage(web_pages::kNews); });
  help->addSeparator();
  add(help, QStringLiteral("&About"), "About", [this] { showAbout(true); });
  add(help, AboutDialog::helpMenuEntry(), "AboutOrvane", [this] { showAbout(false); });
  return bar;
}

bool PlannerDialog::readFields() {
  LegInputs& in = plan_.inputs;
  ui::FieldReader reader(this);
  // The fixed reading order; the read-only fields hold what the window wrote and pass.
  reader.number(legDistance_, in.distance, kLegDistanceRange)
      .number(fuelOnBoard_, in.fuelOnBoard, kFuelRange)
      .number(fuelFlow_, in.fuelFlow, kFuelRange)
      .number(deviation_, in.deviation, kAngleRange)
      .number(trueAirspeed_, in.trueAirspeed, kAirspeedRange)
      .number(trueCourse_, in.trueCourse, kCourseRange)
      .number(variation_, in.variation, kAngleRange)
      .number(windDirection_, in.windDirection, kCourseRange)
      .number(windVelocity_, in.windVelocity, kWindVelocityRange)
      .number(flightDistance_, in.flightDistance);
  return reader.accepted();
}

void PlannerDialog::writeFields() {
  const LegInputs& in = plan_.inputs;
  const LegResults& r = plan_.results;
  const FlightTotals& t = plan_.totals;
  ui::writeNumber(trueCourse_, in.trueCourse);
  ui::writeNumber(windDirection_, in.windDirection);
  ui::writeNumber(windVelocity_, in.windVelocity);
  ui::writeNumber(trueAirspeed_, in.trueAirspeed);
  ui::writeNumber(variation_, in.variation);
  ui::writeNumber(deviation_, in.deviation);
  ui::writeNumber(legDistance_, in.distance);
  ui::writeNumber(fuelFlow_, in.fuelFlow);
  ui::writeNumber(fuelOnBoard_, in.fuelOnBoard);

  ui::writeNumber(windCorrection_, r.windCorrectionAngle);
  ui::writeNumber(trueHeading_, r.trueHeading);
  ui::writeNumber(magneticHeading_, r.magneticHeading);
  ui::writeNumber(compassHeading_, r.compassHeading);
  ui::writeNumber(groundSpeed_, r.groundSpeed);
  ui::writeNumber(ete_, r.eteMinutes);
  ui::writeText(eta_, r.etaText);
  ui::writeNumber(fuelBurned_, r.fuelBurned);
  ui::writeNumber(fuelLeft_, r.fuelLeft);
  ui::writeNumber(distanceRemaining_, r.distanceRemaining);

  ui::writeText(route_, t.routeLine);
  ui::writeText(takeOffText_, t.takeOffText);
  ui::writeText(zuluText_, t.zuluText);
  ui::writeText(arrivalText_, t.arrivalText);
  ui::writeNumber(totalFlightTime_, t.totalFlightTime);
  ui::writeNumber(flightDistance_, in.flightDistance);
  ui::writeNumber(totalDistance_, t.totalDistance);
  ui::writeNumber(totalFuelUsed_, t.totalFuelUsed);
}

void PlannerDialog::calculate() {
  readFields();
  const CalculateResult result = calculateNextLeg(plan_, pickerTime());
  if (result.outcome != CalculateOutcome::Calculated) {
    message(calculateOutcomeMessage(result.outcome));
    return;
  }
  // Shown while the window still shows the previous leg.
  if (result.fuelShort) message(kFuelShortMessage);
  ui::handDefaultButton(calculateButton_, getTcButton_);
  updateNavLogCommands();
  setPickerTime(plan_.totals.nextTakeOff);
  // An imported route's next course waits for Calculate, as if the course window gave it.
  if (plan_.pendingCourse) {
    rememberLegEnds(remembered_, plan_.pendingCourse->ends);
    ui::handDefaultButton(getTcButton_, calculateButton_);
  }
  writeFields();
}

// The fields are read first, so that what the pilot typed (the wind, the variation)
// is held when the window's leg comes back and every field is written again.
void PlannerDialog::getCourseAndDistance() {
  if (services_.airports == nullptr) return;
  readFields();
  // The window's lists take some 300 bytes a record; given back once it has gone.
  const ui::FreedMemoryGiveBack giveBack;
  const AirportNames* names = services_.airportNames ? services_.airportNames() : nullptr;
  CourseDistanceDialog window(remembered_, *services_.airports, dataFile(kAirportsFileName), names, this,
                              courseWindowDirectory());
  window.setTakeOffDate(pickerTime());
  if (window.exec() != QDialog::Accepted) return;
  // A leg chosen by hand leaves the imported route.
  plan_.coursesAhead.clear();
  message(takeAcceptedLeg(plan_, remembered_, window.acceptedLeg()));
  ui::handDefaultButton(getTcButton_, calculateButton_);
  writeFields();
}

CourseWindowDirectory PlannerDialog::courseWindowDirectory() {
  CourseWindowDirectory directory{nullptr, plan_.inputs.windDirection, plan_.inputs.windVelocity};
  if (!services_.airportDirectory) return directory;
  const DirectoryLoad& load = services_.airportDirectory();
  directory.directory = load.directory.get();
  // Said once a run: the course window then works on the pilot's file alone.
  if (load.outcome != DirectoryOutcome::Opened && !directoryProblemShown_) {
    directoryProblemShown_ = true;
    message(directoryProblemMessage(load.outcome));
  }
  return directory;
}

// From here the conversion only shows its result: there is no course window to take it.
void PlannerDialog::convertCoordinates() {
  CoordinateConversionDialog window(this);
  window.exec();
}

// Opened with the fuel on board as the field shows it (read first, as Calculate reads
// it) and the airplane's values; they come back however the window closes, as its
// fields show them then.
void PlannerDialog::weightAndBalance() {
  readFields();
  WeightBalanceDialog window(plan_.airplane, plan_.inputs.fuelOnBoard, this);
  window.exec();
  takeBackBalanceSheet(window.sheet(), plan_.airplane, plan_.inputs.fuelOnBoard);
  writeFields();
}

// On OK the TAS comes back into the planner's field; Cancel hands nothing. The fields
// are read first, so that what was typed into the others is held when they are
// written again.
void PlannerDialog::altitudeAndAirspeed() {
  readFields();
  AltitudeAirspeedDialog window(kAirspeedRange, this);
  if (window.exec() != QDialog::Accepted) return;
  plan_.inputs.trueAirspeed = window.trueAirspeed();
  writeFields();
}

// Opened with the flight as last calculated and the inputs as last read; OK makes the
// window's policy the flight's.
void PlannerDialog::fuelPlan() {
  const AirportNames* names = services_.airportNames ? services_.airportNames() : nullptr;
  FuelPlanServices services{services_.airports, dataFile(kAirportsFileName), names, services_.settingsFile,
                            courseWindowDirectory()};
  FuelPlanDialog window(fuelPolicy_, fuelFlightOf(plan_), remembered_, std::move(services), this);
  if (window.exec() == QDialog::Accepted) fuelPolicy_ = window.policy();
}

NavLogSheet PlannerDialog::navLogSheet() const {
  return {plan_.navLog, plan_.totals, plan_.airplane, planFuel(fuelPolicy_, fuelFlightOf(plan_))};
}

// A new flight starts with the pilot's usual fuel policy, as with the usual defaults.
void PlannerDialog::reset() {
  resetFlight(plan_);
  setPlanFile(QString());
  fuelPolicy_ = ui::loadUsualFuelPolicy(services_.settingsFile);
  updateNavLogCommands();
  loadDefaults();
  ui::handDefaultButton(resetButton_, getTcButton_);
  writeFields();
}

void PlannerDialog::saveDefaults() {
  readFields();
  const FormattedDefaults formatted = formatDefaults(currentDefaults());
  if (formatted.problem != DefaultsProblem::None) {
    message(defaultsProblemMessage(formatted));
    return;
  }
  const std::filesystem::path file = dataFile(kDefaultsFileName);
  const std::string problem = fileWriteMessage(writeDefaultsFile(file, formatted.text), defaultsWriteTexts(), file);
  if (!problem.empty()) message(problem);
}

void PlannerDialog::loadDefaults() {
  loadDefaultsFile();
  writeFields();
}

void PlannerDialog::reloadAirports() { loadAirportsFile(); }

// Nothing to print or save until a leg has been computed.
void PlannerDialog::updateNavLogCommands() {
  const bool any = !plan_.navLog.legs.empty();
  printNavLogAction_->setEnabled(any);
  exportNavLogAction_->setEnabled(any);
}

std::vector<RouteLegEnds> PlannerDialog::routeLegEnds() const {
  // The legs calculated, the course waiting for Calculate, then the rest of an imported
  // route; a leg typed without the course window has no ends and is left out.
  std::vector<RouteLegEnds> legs;
  for (const PlannedLeg& leg : plan_.legs) {
    if (leg.ends) legs.push_back(routeLegEndsOf(*leg.ends));
  }
  if (plan_.pendingCourse) legs.push_back(routeLegEndsOf(plan_.pendingCourse->ends));
  for (const PendingCourse& course : plan_.coursesAhead) legs.push_back(routeLegEndsOf(course.ends));
  return legs;
}

void PlannerDialog::exportRoute() {
  const std::vector<RouteLegEnds> legs = routeLegEnds();
  if (legs.empty()) {
    message("There is no route to export yet: choose the legs with Get TC and Distance, or import a route.");
    return;
  }
  // Airports the directory knows go out under their ICAO codes, which GPS units look up.
  const CourseWindowDirectory directory = courseWindowDirectory();
  orvane::exportRoute(this, routeFromLegs(legs, airportTable(), directory.directory), services_.workingFolder);
}

AirportTable PlannerDialog::airportTable() const {
  return services_.airports != nullptr ? parseAirportText(services_.airports->text).table : AirportTable{};
}

void PlannerDialog::importRoute() {
  // The imported legs take the planner's other inputs: as the fields show them.
  readFields();
  const std::optional<Route> route = orvane::importRoute(this, services_.workingFolder);
  if (!route) return;
  const ImportVariation variation{importVariationAction_->isChecked(), decimalYear(pickerTime())};
  // Airports the directory knows by a point's code are named as the pilot's file names them.
  const CourseWindowDirectory directory = courseWindowDirectory();
  const RouteImport imported =
      orvane::importRoute(importedRoute(*route, airportTable(), directory.directory), plan_, remembered_, variation);
  if (!imported.problem.empty()) {
    message(imported.problem);
    return;
  }
  updateNavLogCommands();
  message(imported.message);
  ui::handDefaultButton(getTcButton_, calculateButton_);
  writeFields();
}

// The flight as a plan: with no leg yet, the take-off and fuel are the picker's and the
// field's, as the first Calculate would take them.
FlightPlan PlannerDialog::planToKeep() const {
  FlightPlan plan = plan_;
  plan.fuelPolicy = fuelPolicy_;
  if (plan.legs.empty()) {
    plan.takeOff = pickerTime();
    plan.takeOffDaylightSaving = kDaylightSavingByRules;
    plan.fuelOnBoardAtTakeOff = plan.inputs.fuelOnBoard;
  }
  return plan;
}

// The planner shows a flight computed afresh: the last leg, the totals, the route line
// and the nav log, the picker at the last arrival, and the next course starting where
// the flight now ends.
void PlannerDialog::takePlan(FlightPlan plan) {
  plan_ = std::move(plan);
  const LegEnds* last = nullptr;
  for (const PlannedLeg& leg : plan_.legs) {
    if (leg.ends) last = &*leg.ends;
  }
  if (plan_.pendingCourse) last = &plan_.pendingCourse->ends;
  if (last != nullptr) rememberLegEnds(remembered_, *last);
  setPickerTime(plan_.totals.nextTakeOff);
  updateNavLogCommands();
  if (plan_.pendingCourse) {
    ui::handDefaultButton(getTcButton_, calculateButton_);
  } else {
    ui::handDefaultButton(calculateButton_, getTcButton_);
  }
  writeFields();
}

void PlannerDialog::setPlanFile(const QString& file) {
  planFile_ = file;
  const QString title = QString::fromLatin1(kProgramTitle);
  setWindowTitle(file.isEmpty() ? title : QFileInfo(file).fileName() + QStringLiteral(" - ") + title);
}

void PlannerDialog::showLegs() {
  LegsDialog window(planToKeep(), this);
  window.exec();
  if (window.changed()) takePlan(window.plan());
}

void PlannerDialog::openPlan() {
  QFileDialog dialog(this, QStringLiteral("Open Plan"));
  dialog.setObjectName(QStringLiteral("planOpenDialog"));
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setNameFilters({kPlanFilter, QStringLiteral("All files (*)")});
  dialog.setDirectory(planFile_.isEmpty()
                          ? QFile::decodeName(QByteArray::fromStdString(services_.workingFolder.string()))
                          : QFileInfo(planFile_).absolutePath());
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  openPlanFile(dialog.selectedFiles().first());
}

bool PlannerDialog::openPlanFile(const QString& file) {
  const QString shown = QDir::toNativeSeparators(file);
  const auto refuse = [&](const std::string& problem) {
    ui::showMessage(this,
                    QStringLiteral("The plan \"%1\" cannot be opened: %2").arg(shown, QString::fromStdString(problem)));
    return false;
  };
  const WholeFile bytes = readWholeFile(std::filesystem::path(QFile::encodeName(file).toStdString()), kPlanReadLimit);
  switch (bytes.outcome) {
    case FileRead::Read: break;
    case FileRead::CannotOpen: return refuse("the file cannot be read.");
    case FileRead::TooLarge: return refuse("it is larger than a plan can be.");
  }
  PlanRead read = readPlanText(bytes.bytes);
  if (!read.plan) return refuse(read.problem);
  FlightPlan opened = std::move(*read.plan);
  opened.inputs = plan_.inputs;  // TAS and the rest stay for a plan without legs
  const CalculateResult result = recomputeFlight(opened);
  if (result.outcome != CalculateOutcome::Calculated) {
    return refuse("leg " + fieldText(static_cast<double>(result.leg + 1)) +
                  " cannot be computed: " + std::string(calculateOutcomeMessage(result.outcome)));
  }
  fuelPolicy_ = opened.fuelPolicy;
  takePlan(std::move(opened));
  setPlanFile(file);
  if (result.fuelShort) message(kFuelShortMessage);
  return true;
}

void PlannerDialog::savePlan() {
  QFileDialog dialog(this, QStringLiteral("Save Plan"));
  dialog.setObjectName(QStringLiteral("planSaveDialog"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilters({kPlanFilter});
  dialog.setDefaultSuffix(QStringLiteral("orvplan"));
  if (planFile_.isEmpty()) {
    dialog.setDirectory(QFile::decodeName(QByteArray::fromStdString(services_.workingFolder.string())));
    // Named after the flight's two ends where the course window gave them.
    QString name = QStringLiteral("plan");
    const auto first = std::find_if(plan_.legs.begin(), plan_.legs.end(), [](const PlannedLeg& l) { return l.ends; });
    const auto last = std::find_if(plan_.legs.rbegin(), plan_.legs.rend(), [](const PlannedLeg& l) { return l.ends; });
    if (first != plan_.legs.end()) {
      name = QString::fromStdString(validUtf8(first->ends->fromId + "-" + last->ends->toId));
    }
    dialog.selectFile(name + QStringLiteral(".orvplan"));
  } else {
    dialog.setDirectory(QFileInfo(planFile_).absolutePath());
    dialog.selectFile(QFileInfo(planFile_).fileName());
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  savePlanFile(dialog.selectedFiles().first());
}

bool PlannerDialog::savePlanFile(const QString& file) {
  const QString shown = QDir::toNativeSeparators(file);
  const std::filesystem::path path(QFile::encodeName(file).toStdString());
  const FileWrite outcome = replaceFile(path, planText(planToKeep()));
  if (outcome == FileWrite::Written) {
    setPlanFile(file);
    return true;
  }
  message(fileWriteMessage(outcome, chosenFileWriteTexts("The plan", shown.toStdString()), path));
  return false;
}

void PlannerDialog::loadDefaultsFile() {
  const DefaultsLoad load = readDefaultsFile(dataFile(kDefaultsFileName));
  switch (load.outcome) {
    case DefaultsRead::Loaded: applyDefaults(load.values); break;
    case DefaultsRead::CannotOpen: message(kCannotOpenDefaultsMessage); break;
    case DefaultsRead::Malformed: message(kDefaultsErrorMessage); break;
  }
}

void PlannerDialog::loadAirportsFile() {
  if (services_.airports == nullptr) return;
  const AirportsLoad load = services_.readAirports
                                ? services_.readAirports(*services_.airports)
                                : loadAirportDatabase(*services_.airports, dataFile(kAirportsFileName));
  switch (load) {
    case AirportsLoad::Loaded: break;
    case AirportsLoad::CannotOpen: message(kCannotOpenAirportsMessage); break;
    case AirportsLoad::TooLarge: message(airportsTooLargeMessage()); break;
  }
}

void PlannerDialog::applyDefaults(const DefaultValues& values) {
  remembered_.originId = values.homeAirport;
  plan_.inputs.trueAirspeed = values.trueAirspeed;
  plan_.inputs.variation = values.variation;
  plan_.inputs.deviation = values.deviation;
  plan_.inputs.fuelFlow = values.fuelFlow;
  plan_.inputs.fuelOnBoard = values.fuelOnBoard;
  plan_.airplane = values.airplane;
}

DefaultValues PlannerDialog::currentDefaults() const {
  DefaultValues values;
  values.homeAirport = remembered_.originId;
  values.trueAirspeed = plan_.inputs.trueAirspeed;
  values.variation = plan_.inputs.variation;
  values.deviation = plan_.inputs.deviation;
  values.fuelFlow = plan_.inputs.fuelFlow;
  values.fuelOnBoard = plan_.inputs.fuelOnBoard;
  values.airplane = plan_.airplane;
  return values;
}

LocalDateTime PlannerDialog::pickerTime() const {
  const QDateTime value = takeOffPicker_->dateTime();
  const QDate date = value.date();
  const QTime time = value.time();
  return {date.year(), date.month(), date.day(), time.hour(), time.minute(), time.second()};
}

void PlannerDialog::setPickerTime(const LocalDateTime& t) {
  takeOffPicker_->setDateTime(QDateTime(QDate(t.year, t.month, t.day), QTime(t.hour, t.minute, t.second)));
}

std::filesystem::path PlannerDialog::dataFile(std::string_view name) const {
  return services_.workingFolder / std::filesystem::path(std::string(name));
}

void PlannerDialog::message(std::string_view text) { ui::showMessage(this, text); }

void PlannerDialog::showAbout(bool withTexts) {
  AboutDialog about(this);
  if (withTexts) about.setTexts(AboutDialog::upperText(), AboutDialog::lowerText());
  about.exec();
}

void PlannerDialog::openWebPage(const char* address) {
  if (services_.launcher == nullptr || !services_.launcher->openWebPage(QUrl(QString::fromLatin1(address)))) {
    message(kCannotOpenWebsiteMessage);
  }
}

std::string noTextEditorMessage(std::string_view file) {
  return "No text editor could be started: none of the usual text editors was found.\nPlease open \"" +
         std::string(file) + "\" with a text editor of your choice.";
}

void PlannerDialog::launchCalculator() {
  if (services_.launcher == nullptr || !services_.launcher->startCalculator()) message(kNoCalculatorMessage);
}

void PlannerDialog::openInEditor(const char* fileName) {
  if (services_.launcher == nullptr || !services_.launcher->openInTextEditor(QString::fromLatin1(fileName))) {
    const std::u8string path = dataFile(fileName).u8string();
    message(noTextEditorMessage(std::string(path.begin(), path.end())));
  }
}

// Where the desktop offers no menu of its own in the title bar, the About entry lives
// in the window's context menu.
void PlannerDialog::contextMenuEvent(QContextMenuEvent* event) {
  execAboutContextMenu(this, event->globalPos(), [this] { showAbout(false); });
}

#ifdef Q_OS_WIN
bool PlannerDialog::nativeEvent(const QByteArray& eventType, void* message, qintptr* result) {
  if (isAboutSystemCommand(eventType, message)) {
    showAbout(false);
    *result = 0;
    return true;
  }
  return QDialog::nativeEvent(eventType, message, result);
}
#endif

}  // namespace orvane
