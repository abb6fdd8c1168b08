#include "app/planner_app.hpp"

#include <filesystem>
#include <system_error>

#include "app/shipped_airport_names.hpp"
#include "windows/planner_dialog.hpp"

namespace orvane {
namespace {

// The data files live in the working folder. Should it have gone away, the relative
// names still say what to open, and opening them fails with the usual messages.
std::filesystem::path workingFolder() {
  std::error_code ec;
  std::filesystem::path folder = std::filesystem::current_path(ec);
  return ec ? std::filesystem::path(".") : folder;
}

}  // namespace

PlannerApp::PlannerApp(int& argc, char** argv) : QApplication(argc, argv), launcher_(workingFolder()) {
  setApplicationName(QStringLiteral("Orvane"));
  setApplicationVersion(QStringLiteral("1.9"));
  // Lets a Wayland desktop match the window to its menu entry and icon.
  setDesktopFileName(QStringLiteral("net.halvick.orvane"));
}

int PlannerApp::run() {
  PlannerServices services;
  services.workingFolder = workingFolder();
  services.launcher = &launcher_;
  services.airports = &airports_;
  services.airportNames = &shippedAirportNames();
  PlannerDialog planner(std::move(services));
  planner.exec();
  return 0;
}

}  // namespace orvane
