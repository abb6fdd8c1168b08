#include "app/planner_app.hpp"

#include <QCoreApplication>
#include <filesystem>
#include <system_error>

#include "core/airport_directory.hpp"
#include "core/version.hpp"

#include "app/shipped_airport_names.hpp"
#include "ui/messages.hpp"
#include "windows/planner_dialog.hpp"

namespace orvane {

// Should the working folder have gone away, the relative names still say what to open,
// and opening them fails with the usual messages.
std::filesystem::path workingFolder() {
  std::error_code ec;
  std::filesystem::path folder = std::filesystem::current_path(ec);
  return ec ? std::filesystem::path(".") : folder;
}

namespace {

// The airport directory is shipped data, never the pilot's: it lies beside the program
// in a build, and in the shared data folder once installed.
std::filesystem::path airportDirectoryFile() {
  const std::filesystem::path program = QCoreApplication::applicationDirPath().toStdString();
  const std::string name(kAirportDirectoryFileName);
  std::error_code ec;
  if (std::filesystem::exists(program / name, ec)) return program / name;
  return program / ORVANE_PROGRAM_TO_DATA / name;
}

// Opened when the course window first needs it, so that it costs the start nothing.
const DirectoryLoad& airportDirectory() {
  static const DirectoryLoad load = loadAirportDirectory(airportDirectoryFile());
  return load;
}

}  // namespace

PlannerApp::PlannerApp(int& argc, char** argv) : QApplication(argc, argv), launcher_(workingFolder()) {
  // Only the name: a display name would be appended to every window title on X11.
  setApplicationName(ui::programName());
  setApplicationVersion(QStringLiteral(ORVANE_VERSION));
  // Lets a Wayland desktop match the window to its menu entry and icon.
  setDesktopFileName(QStringLiteral("net.halvick.orvane"));
}

int PlannerApp::run(StartUpWarming& warming) {
  PlannerServices services;
  services.workingFolder = workingFolder();
  services.launcher = &launcher_;
  services.airports = &airports_;
  services.readAirports = [&warming](AirportDatabase& airports) { return warming.takeAirports(airports); };
  services.airportNames = [] { return &shippedAirportNames(); };
  services.airportDirectory = airportDirectory;
  PlannerDialog planner(std::move(services));
  planner.exec();
  return 0;
}

}  // namespace orvane
