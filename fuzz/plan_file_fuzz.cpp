// Plan files of any bytes: the reader either refuses with a problem in words or gives
// a plan whose every value lies in its field's range; a plan it accepts is written back
// to a text that reads back to the same plan and is written again byte for byte.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/plan_file.hpp"
#include "fuzz_support.hpp"

namespace {

UNTRACED bool within(double value, double lowest, double highest) {
  return std::isfinite(value) && value >= lowest && value <= highest;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const orvane::PlanRead read = orvane::readPlanText(text);
  CHECK(read.plan.has_value() != !read.problem.empty());
  if (!read.plan) return 0;

  const orvane::FlightPlan& plan = *read.plan;
  CHECK(plan.legs.size() <= orvane::kMostLegs);
  CHECK(within(plan.fuelOnBoardAtTakeOff, 0, 100));
  for (const orvane::PlannedLeg& leg : plan.legs) {
    CHECK(within(leg.inputs.trueCourse, 0, 360));
    CHECK(within(leg.inputs.windDirection, 0, 360));
    CHECK(within(leg.inputs.windVelocity, 0, 1000));
    CHECK(within(leg.inputs.trueAirspeed, 60, 250));
    CHECK(within(leg.inputs.variation, -360, 360));
    CHECK(within(leg.inputs.deviation, -360, 360));
    CHECK(within(leg.inputs.distance, 0, 10000));
    CHECK(within(leg.inputs.fuelFlow, 0, 100));
    CHECK(std::isfinite(leg.inputs.flightDistance));
  }

  const std::string written = orvane::planText(plan);
  const orvane::PlanRead again = orvane::readPlanText(written);
  CHECK(again.plan.has_value());
  CHECK(again.plan->legs == plan.legs);
  CHECK(again.plan->airplane == plan.airplane);
  CHECK(again.plan->takeOff == plan.takeOff);
  CHECK(again.plan->pendingCourse == plan.pendingCourse);
  CHECK(orvane::planText(*again.plan) == written);
  return 0;
}
