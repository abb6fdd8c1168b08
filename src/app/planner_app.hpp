#pragma once

#include <QApplication>

#include "app/desktop_launcher.hpp"
#include "core/airports.hpp"

namespace orvane {

/// The application: runs the planner as its one main window and ends with it.
class PlannerApp : public QApplication {
  Q_OBJECT

 public:
  PlannerApp(int& argc, char** argv);

  /// Shows the planner modally; returns the program's exit code when it closes.
  int run();

 private:
  AirportDatabase airports_;  // the airport database as last read, for the whole run
  DesktopLauncher launcher_;
};

}  // namespace orvane
