#include "app/planner_app.hpp"
#include "app/start_up.hpp"

int main(int argc, char** argv) {
  // Beside the display connection: the fonts, and the airport file the planner loads.
  orvane::StartUpWarming warming(orvane::workingFolder() / orvane::kAirportsFileName);
  orvane::PlannerApp app(argc, argv);
  return app.run(warming);
}
