#include "app/planner_app.hpp"

int main(int argc, char** argv) {
  orvane::PlannerApp app(argc, argv);
  return app.run();
}
