#pragma once
// The planner: the program's main window. It holds the leg inputs, shows the leg's
// results and the flight summary, and carries the menu that reaches everything else.

#include <QDialog>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/airport_directory.hpp"
#include "core/airport_names.hpp"
#include "core/airports.hpp"
#include "core/course_selection.hpp"
#include "core/defaults.hpp"
#include "core/flight.hpp"
#include "core/fuel_policy.hpp"
#include "core/geo.hpp"
#include "core/route_exchange.hpp"
#include "ui/owned_windows.hpp"
#include "windows/calculate_messages.hpp"
#include "windows/course_distance_dialog.hpp"
#include "windows/nav_log_pages.hpp"

class QAction;
class QDateTimeEdit;
class QLabel;
class QLineEdit;
class QMenuBar;
class QPushButton;

namespace orvane {

namespace ui {
class ElidedLabel;
class Launcher;
}  // namespace ui
class SplashWindow;

/// What the planner needs from the program around it.
struct PlannerServices {
  std::filesystem::path workingFolder;  // holds "config.fly" and "airports.fly"
  ui::Launcher* launcher = nullptr;     // calculator, text editor, browser
  AirportDatabase* airports = nullptr;  // the program-wide airport database
  // Reads "airports.fly" into `airports`, at start-up and on Reload Airports (the
  // program's first reading is done while Qt starts); empty: the planner reads the
  // working folder's file itself.
  std::function<AirportsLoad(AirportDatabase&)> readAirports;
  // The names of the shipped airports, read on the first call (the course window's first
  // opening) so that the start does not wait for them; may be empty, or give null.
  std::function<const AirportNames*()> airportNames;
  // The directory of the world's airfields, opened on the first call (the course window's
  // first opening) and kept for the run; may be empty (no directory at all).
  std::function<const DirectoryLoad&()> airportDirectory;
  bool showSplash = true;  // the start-up picture
  QString settingsFile{};  // the usual fuel policy; empty: the user's settings
};

/// The four web pages of the Help menu.
namespace web_pages {
inline constexpr const char* kNews = "https://halvick.net/orvane/";
inline constexpr const char* kAirports = "https://www.airnav.com/airports/";
inline constexpr const char* kAviationWeather = "https://aviationweather.gov/";
inline constexpr const char* kWeatherBriefing = "https://www.1800wxbrief.com/";
}  // namespace web_pages

inline constexpr std::string_view kCannotOpenWebsiteMessage = "Cannot open this website!";
inline constexpr const char* kProgramTitle = "Orvane - by Halvick";

inline constexpr std::string_view kNoCalculatorMessage =
    "No calculator could be started: none of the usual calculator programs was found.";

/// Told when no text editor could be started for `file` (its full path, UTF-8).
std::string noTextEditorMessage(std::string_view file);

class PlannerDialog : public QDialog {
  Q_OBJECT

 public:
  explicit PlannerDialog(PlannerServices services, QWidget* parent = nullptr);
  ~PlannerDialog() override;

  /// Reads the editable fields in their fixed order; false when one was refused.
  bool readFields();
  /// Rewrites every field from the held values.
  void writeFields();

  const FlightPlan& flightPlan() const { return plan_; }
  const RememberedAirports& rememberedAirports() const { return remembered_; }
  /// The flight's fuel policy: the usual one at start and after Reset, as the Fuel Plan
  /// window last left it, or as a plan brings it.
  const FuelPolicy& fuelPolicy() const { return fuelPolicy_; }
  /// What the nav log's pages and CSV show: the legs, the totals and the fuel check.
  NavLogSheet navLogSheet() const;

  /// Opens the plan `file` as File > Open Plan does once a file is chosen: on any fault
  /// a message names the file and what is wrong, and the flight stays as it was.
  bool openPlanFile(const QString& file);
  /// Saves the plan as `file` (replaced atomically); false, with a message, on failure.
  bool savePlanFile(const QString& file);

 protected:
  void contextMenuEvent(QContextMenuEvent* event) override;
#ifdef Q_OS_WIN
  bool nativeEvent(const QByteArray& eventType, void* message, qintptr* result) override;
#endif

 private:
  void buildWindow();
  QMenuBar* buildMenuBar();

  void calculate();
  void getCourseAndDistance();
  CourseWindowDirectory courseWindowDirectory();
  void convertCoordinates();
  void weightAndBalance();
  void altitudeAndAirspeed();
  void fuelPlan();
  void reset();
  void saveDefaults();
  void loadDefaults();
  void reloadAirports();
  void updateNavLogCommands();
  void openPlan();
  void savePlan();
  void showLegs();
  FlightPlan planToKeep() const;
  void takePlan(FlightPlan plan);
  void setPlanFile(const QString& file);
  void exportRoute();
  void importRoute();
  AirportTable airportTable() const;  // the pilot's airports as last read
  std::vector<RouteLegEnds> routeLegEnds() const;
  void showAbout(bool withTexts);
  void openWebPage(const char* address);
  void launchCalculator();
  void openInEditor(const char* fileName);

  void loadDefaultsFile();
  void loadAirportsFile();
  void applyDefaults(const DefaultValues& values);
  DefaultValues currentDefaults() const;
  LocalDateTime pickerTime() const;
  void setPickerTime(const LocalDateTime& time);
  std::filesystem::path dataFile(std::string_view name) const;
  void message(std::string_view text);

  PlannerServices services_;
  FlightPlan plan_;
  RememberedAirports remembered_;
  FuelPolicy fuelPolicy_;
  ui::OwnedWindowsStayShown ownedWindowsStayShown_;
  std::unique_ptr<SplashWindow> splash_;
  QString planFile_;
  bool directoryProblemShown_ = false;

  // Data in
  QLineEdit* trueCourse_ = nullptr;
  QLineEdit* windDirection_ = nullptr;
  QLineEdit* windVelocity_ = nullptr;
  QLineEdit* trueAirspeed_ = nullptr;
  QLineEdit* variation_ = nullptr;
  QLineEdit* deviation_ = nullptr;
  QLineEdit* legDistance_ = nullptr;
  QDateTimeEdit* takeOffPicker_ = nullptr;
  QLineEdit* fuelFlow_ = nullptr;
  QLineEdit* fuelOnBoard_ = nullptr;
  // Results for the Leg
  QLineEdit* windCorrection_ = nullptr;
  QLineEdit* trueHeading_ = nullptr;
  QLineEdit* magneticHeading_ = nullptr;
  QLineEdit* compassHeading_ = nullptr;
  QLineEdit* groundSpeed_ = nullptr;
  QLineEdit* ete_ = nullptr;
  QLineEdit* eta_ = nullptr;
  QLineEdit* fuelBurned_ = nullptr;
  QLineEdit* fuelLeft_ = nullptr;
  QLineEdit* distanceRemaining_ = nullptr;
  // Summary for the Flight
  ui::ElidedLabel* route_ = nullptr;
  QLineEdit* takeOffText_ = nullptr;
  QLabel* zuluText_ = nullptr;
  QLineEdit* arrivalText_ = nullptr;
  QLineEdit* totalFlightTime_ = nullptr;
  QLineEdit* flightDistance_ = nullptr;
  QLineEdit* totalDistance_ = nullptr;
  QLineEdit* totalFuelUsed_ = nullptr;

  QPushButton* calculateButton_ = nullptr;
  QPushButton* getTcButton_ = nullptr;
  QPushButton* resetButton_ = nullptr;
  QPushButton* quitButton_ = nullptr;
  QAction* printNavLogAction_ = nullptr;
  QAction* exportNavLogAction_ = nullptr;
  QAction* exportRouteAction_ = nullptr;
  QAction* importVariationAction_ = nullptr;  // checked: imported legs take the model's variation
};

}  // namespace orvane
