#pragma once

#include <QApplication>
#include <filesystem>

#include "app/desktop_launcher.hpp"
#include "app/start_up.hpp"
#include "core/airports.hpp"

namespace orvane {

/// The folder the program was started in, which holds the data files.
std::filesystem::path workingFolder();

/// The application: runs the planner as its one main window and ends with it.
class PlannerApp : public QApplication {
  Q_OBJECT

 public:
  PlannerApp(int& argc, char** argv);

  /// Shows the planner modally; returns the program's exit code when it closes. The
  /// planner takes the airport file as `warming` read it.
  int run(StartUpWarming& warming);

 private:
  AirportDatabase airports_;  // the airport database as last read, for the whole run
  DesktopLauncher launcher_;
};

}  // namespace orvane
