// Plan files: what they hold, exact numbers both ways, a plan opened and saved again
// byte for byte, and broken files refused with the fault in words.

#include "core/plan_file.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/flight.hpp"

#include "test_support.hpp"

namespace orvane {
namespace {

using test::CaseName;
using test::kWorkedLeg;

constexpr LocalDateTime kNineOClock{2026, 6, 15, 9, 0, 0};

class PlanFileTest : public test::WithTimeZone<::testing::Test> {
 protected:
  void SetUp() override {
    WithTimeZone::SetUp();
    useTimeZone("EST5EDT,M3.2.0,M11.1.0");
  }

  // Two legs through the course window, numbers that need all their digits, a refuel
  // and a stop on the ground before the third leg, and a course not yet calculated.
  static FlightPlan flight() {
    FlightPlan plan;
    plan.inputs = kWorkedLeg;
    plan.airplane.tailNumber = "N000XY";
    plan.airplane.airplaneType = "Trainer \"172\"";
    plan.airplane.cgAftLimit = 47.3;
    plan.totals.nextTakeOff = kNineOClock;
    takeCourse(plan,
               {{"QQA", "QQB", {40.639801, -73.7789}, {41.732601, -71.420403}}, 58, 125.44999999999999, std::nullopt});
    plan.inputs.windVelocity = 0.1 + 0.2;
    EXPECT_EQ(calculateNextLeg(plan, plan.totals.nextTakeOff).outcome, CalculateOutcome::Calculated);
    takeCourse(plan, {{"QQB", "Ünïcode", {41.732601, -71.420403}, {42.3643, -71.005203}}, 47, 44.03, std::nullopt});
    EXPECT_EQ(calculateNextLeg(plan, plan.totals.nextTakeOff).outcome, CalculateOutcome::Calculated);
    plan.inputs.fuelOnBoard = 38.5;
    plan.inputs.distance = 12.345678901234567;
    EXPECT_EQ(calculateNextLeg(plan, {2026, 6, 15, 13, 30, 0}).outcome, CalculateOutcome::Calculated);
    takeCourse(plan, {{"Ünïcode", "QQA", {42.3643, -71.005203}, {40.639801, -73.7789}}, 222, 160.5, -14.5});
    return plan;
  }
};

TEST_F(PlanFileTest, OpeningGivesTheSameFlightAndSavingItAgainTheSameBytes) {
  const FlightPlan typed = flight();
  const std::string text = planText(typed);
  PlanRead read = readPlanText(text);
  ASSERT_TRUE(read.plan) << read.problem;
  FlightPlan opened = *read.plan;
  opened.inputs = typed.inputs;  // what the planner held besides
  ASSERT_EQ(recomputeFlight(opened).outcome, CalculateOutcome::Calculated);

  EXPECT_EQ(opened.legs, typed.legs);
  EXPECT_EQ(opened.navLog, typed.navLog);
  EXPECT_EQ(opened.totals, typed.totals);
  EXPECT_EQ(opened.results, typed.results);
  EXPECT_EQ(opened.inputs, typed.inputs);
  EXPECT_EQ(opened.airplane, typed.airplane);
  EXPECT_EQ(planText(opened), text);
}

TEST_F(PlanFileTest, HoldsInputsOnlyWithNumbersInTheirShortestExactText) {
  const std::string text = planText(flight());
  EXPECT_NE(text.find("\"format\": \"Orvane flight plan\",\n  \"version\": 1,"), std::string::npos);
  EXPECT_NE(text.find("\"takeOff\": \"2026-06-15T09:00:00\""), std::string::npos);
  EXPECT_NE(text.find("\"windVelocity\": 0.30000000000000004"), std::string::npos);
  EXPECT_NE(text.find("\"distance\": 12.345678901234567"), std::string::npos);
  EXPECT_NE(text.find("\"latitude\": 40.639801"), std::string::npos);
  EXPECT_NE(text.find("\"fuelOnBoard\": 38.5"), std::string::npos);
  EXPECT_NE(text.find("\"takeOff\": \"2026-06-15T13:30:00\""), std::string::npos);
  EXPECT_NE(text.find("\"nextCourse\""), std::string::npos);
  EXPECT_NE(text.find("\"Trainer \\\"172\\\"\""), std::string::npos);
  EXPECT_EQ(text.find("groundSpeed"), std::string::npos);  // results are computed on opening
  EXPECT_EQ(text.find("eta"), std::string::npos);
  EXPECT_EQ(text.back(), '\n');
}

struct BrokenCase {
  std::string name;
  std::string text;
  std::string problem;  // the start of the words
};

std::string validPlan() {
  FlightPlan plan;
  plan.takeOff = kNineOClock;
  plan.fuelOnBoardAtTakeOff = 40;
  PlannedLeg leg;
  leg.inputs = kWorkedLeg;
  plan.legs.push_back(leg);
  return planText(plan);
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
  const auto at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

// The courses of an imported route still to calculate are kept, in order, and only such
// a plan needs version 2: any other stays readable by the versions before it.
TEST_F(PlanFileTest, CoursesStillToCalculateAreKeptInOrderUnderVersionTwo) {
  FlightPlan typed = flight();
  typed.coursesAhead = {{{"QQA", "", {40.639801, -73.7789}, {41.5, -72.25}}, 61, 80.125, std::nullopt},
                        {{"", "QQB", {41.5, -72.25}, {41.732601, -71.420403}}, 70, 39.5, -14.25}};
  const std::string text = planText(typed);
  EXPECT_NE(text.find("\"version\": 2,"), std::string::npos);
  const PlanRead read = readPlanText(text);
  ASSERT_TRUE(read.plan) << read.problem;
  EXPECT_EQ(read.plan->pendingCourse, typed.pendingCourse);
  EXPECT_EQ(read.plan->coursesAhead, typed.coursesAhead);
  EXPECT_EQ(planText(*read.plan), text);

  const std::string broken = replaced(text, "\"trueCourse\": 70.0", "\"trueCourse\": 400");
  EXPECT_EQ(readPlanText(broken).problem, "\"coursesAhead\" 2: \"trueCourse\" is 400, outside 0 to 360.");
}

class BrokenPlans : public ::testing::TestWithParam<BrokenCase> {};

TEST_P(BrokenPlans, AreRefusedWithTheFaultInWords) {
  const PlanRead read = readPlanText(GetParam().text);
  EXPECT_FALSE(read.plan.has_value());
  EXPECT_EQ(read.problem.substr(0, GetParam().problem.size()), GetParam().problem) << read.problem;
}

INSTANTIATE_TEST_SUITE_P(
    Files, BrokenPlans,
    ::testing::Values(
        BrokenCase{"Empty", "", "it is empty."}, BrokenCase{"OnlyBlanks", " \r\n\t", "it is empty."},
        BrokenCase{"Truncated", validPlan().substr(0, 200), "it is not a plan file (not JSON text: it breaks off"},
        BrokenCase{"NotJson", "home_airport:QQA\r\nTAS:110.000000\r\n", "it is not a plan file (not JSON"},
        BrokenCase{"NotAnObject", "[1, 2]", "it is not a plan file (no JSON object)."},
        BrokenCase{"OtherFormat", replaced(validPlan(), "Orvane flight plan", "Route"), "it is not a plan file (its"},
        BrokenCase{"NewerVersion", replaced(validPlan(), "\"version\": 1", "\"version\": 3"),
                   "it was written by a newer version of Orvane (plan version 3)"},
        BrokenCase{"CoursesAheadWithoutNextCourse",
                   replaced(validPlan(), "\"legs\": [", "\"coursesAhead\": [{}], \"legs\": ["),
                   "it has \"coursesAhead\" but no \"nextCourse\"."},
        BrokenCase{"VersionNotWhole", replaced(validPlan(), "\"version\": 1", "\"version\": \"1\""),
                   "its \"version\" is missing"},
        BrokenCase{"WindAsText", replaced(validPlan(), "\"windVelocity\": 20.0", "\"windVelocity\": \"20\""),
                   "leg 1: \"windVelocity\" is not a number."},
        BrokenCase{"NumberBeyondADouble", replaced(validPlan(), "\"windVelocity\": 20.0", "\"windVelocity\": 4E888888"),
                   "it is not a plan file (a number is too large)."},
        BrokenCase{"AirspeedOutOfRange", replaced(validPlan(), "\"trueAirspeed\": 110.0", "\"trueAirspeed\": 300"),
                   "leg 1: \"trueAirspeed\" is 300, outside 60 to 250."},
        BrokenCase{"FuelOutOfRange", replaced(validPlan(), "\"fuelOnBoard\": 40.0", "\"fuelOnBoard\": -1"),
                   "\"fuelOnBoard\" is -1, outside 0 to 100."},
        BrokenCase{"NoSuchDay", replaced(validPlan(), "2026-06-15", "2026-02-30"), "\"takeOff\" is not a date"},
        BrokenCase{"MissingCourse", replaced(validPlan(), "\"trueCourse\": 90.0,", ""),
                   "leg 1: \"trueCourse\" is missing."},
        BrokenCase{"DeepNesting", std::string(100000, '[') + std::string(100000, ']'),
                   "it is not a plan file (its lists and objects nest too deep)."},
        BrokenCase{"BadUtf8", replaced(validPlan(), "\"tailNumber\": \"\"", "\"tailNumber\": \"\xC3\""),
                   "it is not a plan file (not JSON"}),
    CaseName{});

TEST(PlanFile, ALegsListThatIsNoListIsRefused) {
  const PlanRead read = readPlanText(replaced(validPlan(), "\"legs\": [", "\"legs\": 5, \"x\": ["));
  EXPECT_FALSE(read.plan.has_value());
  EXPECT_EQ(read.problem, "\"legs\" is not a list.");
}

}  // namespace
}  // namespace orvane
