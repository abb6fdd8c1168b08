#include "app/planner_app.hpp"

#include <filesystem>

#include "windows/planner_dialog.hpp"

namespace orvane {

PlannerApp::PlannerApp(int& argc, char** argv)
    : QApplication(argc, argv), launcher_(std::filesystem::current_path()) {
  setApplicationName(QStringLiteral("Orvane"));
  setApplicationVersion(QStringLiteral("1.9"));
}

int PlannerApp::run() {
  PlannerServices services;
  services.workingFolder = std::filesystem::current_path();
  services.launcher = &launcher_;
  services.airportText = &airportText_;
  PlannerDialog planner(std::move(services));
  planner.exec();
  return 0;
}

}  // namespace orvane
