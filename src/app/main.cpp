#include "app/planner_app.hpp"
#include "app/start_up.hpp"

int main(int argc, char** argv) {
  orvane::StartUpWarming warming;  // runs beside the display connection
  orvane::PlannerApp app(argc, argv);
  return app.run();
}
