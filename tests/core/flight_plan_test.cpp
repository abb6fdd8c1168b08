// The flight as a chain of legs: Calculate keeps each leg, and a flight whose legs were
// changed afterwards comes out digit for digit as the changed flight typed afresh.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/flight.hpp"

#include "test_support.hpp"

namespace orvane {
namespace {

using test::CaseName;
using test::kWorkedLeg;

constexpr LocalDateTime kNineOClock{2026, 6, 15, 9, 0, 0};

// A leg as the pilot types it: a course from the course window when `to` is given.
struct TypedLeg {
  std::string from;
  std::string to;
  double trueCourse = 90;
  double distance = 60;
  double windDirection = 45;
  double windVelocity = 20;
  double fuelOnBoard = -1;  // a refuel typed before Calculate; -1 keeps the fuel left
};

PendingCourse courseOf(const TypedLeg& leg) {
  PendingCourse course;
  course.ends = {leg.from, leg.to, {40.5, -75.25}, {41.75, -72.5}};
  course.trueCourse = leg.trueCourse;
  course.distance = leg.distance;
  return course;
}

// Types the legs one after another as the planner's fields would take them.
FlightPlan typeFlight(const std::vector<TypedLeg>& legs) {
  FlightPlan plan;
  plan.inputs = kWorkedLeg;
  plan.totals.nextTakeOff = kNineOClock;
  for (const TypedLeg& leg : legs) {
    if (!leg.to.empty()) {
      takeCourse(plan, courseOf(leg));
    } else {
      plan.inputs.trueCourse = leg.trueCourse;
      plan.inputs.distance = leg.distance;
      plan.inputs.flightDistance = 0;  // none given: the leg's own
    }
    plan.inputs.windDirection = leg.windDirection;
    plan.inputs.windVelocity = leg.windVelocity;
    if (leg.fuelOnBoard >= 0) plan.inputs.fuelOnBoard = leg.fuelOnBoard;
    EXPECT_EQ(calculateNextLeg(plan, plan.totals.nextTakeOff).outcome, CalculateOutcome::Calculated);
  }
  return plan;
}

void expectSameFlight(const FlightPlan& changed, const FlightPlan& typed) {
  EXPECT_EQ(changed.legs, typed.legs);
  EXPECT_EQ(changed.navLog, typed.navLog);
  EXPECT_EQ(changed.totals, typed.totals);
  EXPECT_EQ(changed.results, typed.results);
  EXPECT_EQ(changed.inputs, typed.inputs);
  EXPECT_EQ(changed.fuelOnBoardAtTakeOff, typed.fuelOnBoardAtTakeOff);
}

const std::vector<TypedLeg> kThreeLegs{
    {"QQA", "QQB", 90, 60, 45, 20},
    {"QQB", "QQC", 120, 48.448, 45, 20},
    {"", "", 200, 30, 270, 15},
};

struct ChangeCase {
  std::string name;
  std::function<void(FlightPlan&)> change;  // done to the typed legs
  std::size_t fromLeg;
  std::vector<TypedLeg> typedInstead;  // the same flight typed from the start
};

TypedLeg with(TypedLeg leg, double windDirection, double windVelocity) {
  leg.windDirection = windDirection;
  leg.windVelocity = windVelocity;
  return leg;
}

class FlightChanges : public test::WithTimeZone<::testing::TestWithParam<ChangeCase>> {
 protected:
  void SetUp() override {
    WithTimeZone::SetUp();
    useTimeZone("EST5EDT,M3.2.0,M11.1.0");
  }
};

TEST_P(FlightChanges, ComeOutAsTheChangedFlightTyped) {
  FlightPlan plan = typeFlight(kThreeLegs);
  GetParam().change(plan);
  const CalculateResult result = recomputeFlight(plan, GetParam().fromLeg);
  EXPECT_EQ(result.outcome, CalculateOutcome::Calculated);
  expectSameFlight(plan, typeFlight(GetParam().typedInstead));
}

INSTANTIATE_TEST_SUITE_P(
    Legs, FlightChanges,
    ::testing::Values(ChangeCase{"Unchanged", [](FlightPlan&) {}, 0, kThreeLegs},
                      ChangeCase{"FirstLegWind",
                                 [](FlightPlan& p) {
                                   p.legs[0].inputs.windDirection = 300;
                                   p.legs[0].inputs.windVelocity = 35;
                                 },
                                 0,
                                 {with(kThreeLegs[0], 300, 35), kThreeLegs[1], kThreeLegs[2]}},
                      ChangeCase{"SecondLegDeleted",
                                 [](FlightPlan& p) { p.legs.erase(p.legs.begin() + 1); },
                                 1,
                                 {kThreeLegs[0], kThreeLegs[2]}},
                      ChangeCase{"FirstLegDeleted",
                                 [](FlightPlan& p) { p.legs.erase(p.legs.begin()); },
                                 0,
                                 {kThreeLegs[1], kThreeLegs[2]}},
                      ChangeCase{"LegInserted",
                                 [](FlightPlan& p) {
                                   PlannedLeg leg = p.legs[2];
                                   leg.inputs.trueCourse = 10;
                                   p.legs.insert(p.legs.begin() + 1, leg);
                                 },
                                 1,
                                 {kThreeLegs[0], {"", "", 10, 30, 270, 15}, kThreeLegs[1], kThreeLegs[2]}},
                      ChangeCase{"LastTwoSwapped",
                                 [](FlightPlan& p) { std::swap(p.legs[1], p.legs[2]); },
                                 1,
                                 {kThreeLegs[0], kThreeLegs[2], kThreeLegs[1]}}),
    CaseName{});

class FlightPlanTest : public test::WithTimeZone<::testing::Test> {
 protected:
  void SetUp() override {
    WithTimeZone::SetUp();
    useTimeZone("EST5EDT,M3.2.0,M11.1.0");
  }
};

TEST_F(FlightPlanTest, CalculateKeepsEachLegWithItsEndsAndTimes) {
  const FlightPlan plan = typeFlight(kThreeLegs);
  ASSERT_EQ(plan.legs.size(), 3u);
  EXPECT_EQ(plan.takeOff, kNineOClock);
  EXPECT_EQ(plan.fuelOnBoardAtTakeOff, 40.0);
  EXPECT_EQ(plan.legs[0].ends->toId, "QQB");
  EXPECT_FALSE(plan.legs[2].ends.has_value());
  EXPECT_EQ(plan.legs[0].results.etaText, "9:37:55");
  EXPECT_EQ(plan.legs[1].results.takeOffText, "9:37:55");
  // Typed inputs are kept as typed; the fuel each leg started with follows the chain.
  EXPECT_EQ(plan.legs[1].inputs.fuelOnBoard, plan.legs[0].results.fuelLeft);
  EXPECT_FALSE(plan.legs[1].fuelOnBoardSet.has_value());
  EXPECT_FALSE(plan.legs[1].takeOffSet.has_value());
  EXPECT_EQ(plan.totals.routeLine, " QQA ---> QQB ; QQB ---> QQC ;");
  EXPECT_EQ(plan.navLog.legs[2].name, "Leg 3");
  EXPECT_FALSE(plan.pendingCourse.has_value());
}

TEST_F(FlightPlanTest, FuelTakenOnAndAStopOnTheGroundSurviveAChangeBefore) {
  FlightPlan plan = typeFlight({kThreeLegs[0]});
  plan.inputs.fuelOnBoard = 38;  // refuelled at QQB
  const LocalDateTime afterStop{2026, 6, 15, 11, 0, 0};
  ASSERT_EQ(calculateNextLeg(plan, afterStop).outcome, CalculateOutcome::Calculated);
  EXPECT_EQ(plan.legs[1].fuelOnBoardSet, 38.0);
  EXPECT_EQ(plan.legs[1].takeOffSet, afterStop);

  plan.legs[0].inputs.windVelocity = 0;
  ASSERT_EQ(recomputeFlight(plan, 0).outcome, CalculateOutcome::Calculated);
  EXPECT_EQ(plan.legs[1].inputs.fuelOnBoard, 38.0);
  EXPECT_EQ(plan.legs[1].results.takeOffText, "11:00:00");
  EXPECT_EQ(plan.legs[0].results.etaText, "9:32:43");  // 60 nm at 110 kt
}

TEST_F(FlightPlanTest, ALegThatCannotBeFlownLeavesThePlanAsItWas) {
  FlightPlan plan = typeFlight(kThreeLegs);
  plan.legs[1].inputs.windVelocity = 500;
  const FlightPlan before = plan;
  const CalculateResult result = recomputeFlight(plan, 1);
  EXPECT_EQ(result.outcome, CalculateOutcome::WindTooStrong);
  EXPECT_EQ(result.leg, 1u);
  EXPECT_EQ(plan.legs, before.legs);
  EXPECT_EQ(plan.totals, before.totals);
}

TEST_F(FlightPlanTest, APendingCourseStaysForTheNextLeg) {
  FlightPlan plan = typeFlight({kThreeLegs[0]});
  takeCourse(plan, courseOf({"QQB", "QQC", 120, 48.448}));
  plan.legs[0].inputs.windVelocity = 10;
  ASSERT_EQ(recomputeFlight(plan, 0).outcome, CalculateOutcome::Calculated);
  EXPECT_EQ(plan.totals.routeLine, " QQA ---> QQB ; QQB ---> QQC ;");
  EXPECT_EQ(plan.inputs.trueCourse, 120.0);
  EXPECT_EQ(plan.inputs.distance, 48.448);
  EXPECT_EQ(plan.results.etaText, "");
  EXPECT_EQ(plan.navLog.nextLegName, "QQB-QQC");
}

TEST_F(FlightPlanTest, ResetForgetsTheLegs) {
  FlightPlan plan = typeFlight(kThreeLegs);
  resetFlight(plan);
  EXPECT_TRUE(plan.legs.empty());
  plan.inputs = kWorkedLeg;
  ASSERT_EQ(calculateNextLeg(plan, kNineOClock).outcome, CalculateOutcome::Calculated);
  EXPECT_EQ(plan.legs.size(), 1u);
  EXPECT_EQ(plan.navLog.legs[0].name, "Leg 1");
}

}  // namespace
}  // namespace orvane
