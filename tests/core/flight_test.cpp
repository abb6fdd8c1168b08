// Flight totals and the leg clock (the clock helpers they use are in clock_test.cpp).
//
// Every test that touches local time sets its own time zone through TZ, with POSIX
// rule strings that need no time-zone database, and the fixture puts the previous TZ
// back in TearDown.

#include "core/flight.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>
#include <vector>

#include "core/clock.hpp"
#include "core/leg.hpp"

#include "test_support.hpp"

namespace orvane {
namespace {

using test::CaseName;
using test::kInf;
using test::kNaN;
using test::kWorkedLeg;
using test::WithTimeZone;

using test::kCentralEurope;
using test::kUsEastern;
using test::kUtc;

// The take-off picker's display format, "HH:mm:ss".
std::string pickerText(const LocalDateTime& t) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%02d:%02d:%02d", t.hour, t.minute, t.second);
  return buffer;
}

constexpr LocalDateTime kWinterNine{2026, 1, 15, 9, 0, 0};

// The planner's Calculate, taking off where the picker stands, with the leg's results
// as the planner then shows them.
LegComputation calculate(FlightPlan& plan) {
  const CalculateResult result = calculateNextLeg(plan, plan.totals.nextTakeOff);
  LegComputation computation;
  switch (result.outcome) {
    case CalculateOutcome::Calculated:
      computation.outcome = LegOutcome::Computed;
      computation.results = plan.results;
      break;
    case CalculateOutcome::AirspeedTooLow: computation.outcome = LegOutcome::AirspeedTooLow; break;
    case CalculateOutcome::WindTooStrong: computation.outcome = LegOutcome::WindTooStrong; break;
    case CalculateOutcome::NotComputable: computation.outcome = LegOutcome::NotComputable; break;
    case CalculateOutcome::ClockOutOfRange:
      ADD_FAILURE() << "the clock cannot take the leg";
      computation.outcome = LegOutcome::NotComputable;
      break;
  }
  return computation;
}

// What the course and distance window does when it returns with OK.
void newCourse(FlightPlan& plan, double trueCourse, double distance) {
  clearLegResults(plan);
  plan.inputs.trueCourse = trueCourse;
  plan.inputs.distance = distance;
  plan.inputs.flightDistance = distance;
}

void expectResultsCleared(const LegResults& r) {
  EXPECT_EQ(r.windCorrectionAngle, 0);
  EXPECT_EQ(r.trueHeading, 0);
  EXPECT_EQ(r.magneticHeading, 0);
  EXPECT_EQ(r.compassHeading, 0);
  EXPECT_EQ(r.groundSpeed, 0);
  EXPECT_EQ(r.eteMinutes, 0.0);
  EXPECT_EQ(r.fuelBurned, 0.0);
  EXPECT_EQ(r.fuelLeft, 0.0);
  EXPECT_EQ(r.distanceRemaining, 0.0);
  EXPECT_EQ(r.etaText, "");
}

void expectSameInputs(const LegInputs& a, const LegInputs& b) {
  EXPECT_EQ(a.trueCourse, b.trueCourse);
  EXPECT_EQ(a.windDirection, b.windDirection);
  EXPECT_EQ(a.windVelocity, b.windVelocity);
  EXPECT_EQ(a.trueAirspeed, b.trueAirspeed);
  EXPECT_EQ(a.variation, b.variation);
  EXPECT_EQ(a.deviation, b.deviation);
  EXPECT_EQ(a.distance, b.distance);
  EXPECT_EQ(a.fuelFlow, b.fuelFlow);
  EXPECT_EQ(a.fuelOnBoard, b.fuelOnBoard);
  EXPECT_EQ(a.flightDistance, b.flightDistance);
}

void expectSameTotals(const FlightTotals& a, const FlightTotals& b) {
  EXPECT_EQ(a.totalDistance, b.totalDistance);
  EXPECT_EQ(a.totalEteMinutes, b.totalEteMinutes);
  EXPECT_EQ(a.totalFlightTime, b.totalFlightTime);
  EXPECT_EQ(a.totalFuelUsed, b.totalFuelUsed);
  EXPECT_EQ(a.takeOffText, b.takeOffText);
  EXPECT_EQ(a.zuluText, b.zuluText);
  EXPECT_EQ(a.arrivalText, b.arrivalText);
  EXPECT_EQ(a.routeLine, b.routeLine);
  EXPECT_EQ(a.firstLegPending, b.firstLegPending);
  EXPECT_EQ(a.nextTakeOff, b.nextTakeOff);
}

// ---- a flight of legs, in Central European time ---------------------------------------

class FlightLegs : public WithTimeZone<::testing::Test> {
 protected:
  void SetUp() override {
    WithTimeZone::SetUp();
    useTimeZone(kCentralEurope);
    plan_.inputs = kWorkedLeg;
    plan_.totals.nextTakeOff = kWinterNine;
  }

  FlightPlan plan_;
};

TEST_F(FlightLegs, FirstLeg) {
  ASSERT_EQ(calculate(plan_).outcome, LegOutcome::Computed);

  // ETE 37.92 minutes is 2275 seconds: 9:00:00 + 37:55.
  EXPECT_EQ(plan_.results.etaText, "9:37:55");
  EXPECT_EQ(plan_.totals.arrivalText, "9:37:55");
  EXPECT_EQ(plan_.totals.takeOffText, "9:00:00");
  // The plain UTC equivalent of 9:00:00 at UTC+1, no hour added.
  EXPECT_EQ(plan_.totals.zuluText, "[ 8:00:00 zulu ]");
  EXPECT_FALSE(plan_.totals.firstLegPending);
  EXPECT_EQ(plan_.totals.nextTakeOff, (LocalDateTime{2026, 1, 15, 9, 37, 55}));
  EXPECT_EQ(pickerText(plan_.totals.nextTakeOff), "09:37:55");

  EXPECT_EQ(plan_.totals.totalEteMinutes, plan_.results.eteMinutesExact);
  EXPECT_EQ(plan_.totals.totalFlightTime, 0.63);
  EXPECT_EQ(plan_.totals.totalDistance, 60.0);
  EXPECT_EQ(plan_.totals.totalFuelUsed, 5.37);

  // The next leg starts with the fuel this one leaves; FD 0 became DIST.
  EXPECT_EQ(plan_.inputs.fuelOnBoard, 34.63);
  EXPECT_EQ(plan_.inputs.flightDistance, 60.0);
  EXPECT_EQ(plan_.results.distanceRemaining, 0.0);
  EXPECT_EQ(plan_.results.eteMinutes, 37.92);
  EXPECT_EQ(plan_.results.fuelBurned, 5.37);
  EXPECT_EQ(plan_.results.fuelLeft, 34.63);
  EXPECT_EQ(plan_.results.trueHeading, 83);
  EXPECT_EQ(plan_.results.compassHeading, 80);
}

TEST_F(FlightLegs, SecondLegKeepsTheTakeOffOfTheFirst) {
  ASSERT_EQ(calculate(plan_).outcome, LegOutcome::Computed);
  const double firstEte = plan_.results.eteMinutesExact;

  newCourse(plan_, 90, 48.448);  // the worked leg again, 48.448 long: ETE 30.62
  ASSERT_EQ(calculate(plan_).outcome, LegOutcome::Computed);
  ASSERT_EQ(plan_.results.eteMinutes, 30.62);

  // 9:37:55 + 1837 s (30:37).
  EXPECT_EQ(plan_.results.etaText, "10:08:32");
  EXPECT_EQ(plan_.totals.arrivalText, "10:08:32");
  EXPECT_EQ(plan_.totals.nextTakeOff, (LocalDateTime{2026, 1, 15, 10, 8, 32}));
  EXPECT_EQ(plan_.totals.takeOffText, "9:00:00");
  EXPECT_EQ(plan_.totals.zuluText, "[ 8:00:00 zulu ]");

  // From the unrounded ETEs: (37.918... + 30.618...) / 60 = 1.1423 -> 1.14.
  EXPECT_EQ(plan_.totals.totalEteMinutes, firstEte + plan_.results.eteMinutesExact);
  EXPECT_EQ(plan_.totals.totalFlightTime, 1.14);
  EXPECT_EQ(plan_.totals.totalDistance, 60 + 48.448);
  // 5.37 + 4.3375... = 9.7075... -> 9.71; FOB 34.63 - 4.3375... = 30.2924... -> 30.29.
  EXPECT_EQ(plan_.totals.totalFuelUsed, 9.71);
  EXPECT_EQ(plan_.inputs.fuelOnBoard, 30.29);
}

TEST_F(FlightLegs, FlightTimeIsSummedFromTheUnroundedEtes) {
  LegResults first;
  first.eteMinutes = 37.92;
  first.eteMinutesExact = 37.918685485569831;
  LegResults second;
  second.eteMinutes = 30.62;
  second.eteMinutesExact = 30.618074573414791;
  recordLegInFlight(plan_, first);
  EXPECT_EQ(plan_.totals.totalFlightTime, 0.63);
  recordLegInFlight(plan_, second);
  EXPECT_EQ(plan_.totals.totalFlightTime, 1.14);
  EXPECT_EQ(plan_.totals.totalEteMinutes, 37.918685485569831 + 30.618074573414791);
}

TEST_F(FlightLegs, FlightTimeWhereTheRoundedEteWouldDiffer) {
  // 32.6999 minutes is 0.544998 h -> 0.54; the rounded 32.70 would give 0.545 -> 0.55.
  LegResults leg;
  leg.eteMinutes = 32.70;
  leg.eteMinutesExact = 32.6999;
  recordLegInFlight(plan_, leg);
  EXPECT_EQ(plan_.totals.totalFlightTime, 0.54);
}

TEST_F(FlightLegs, TotalFuelIsRoundedAfterEachAddition) {
  // Three legs of 0.004 gallons: each addition rounds back to 0 (unrounded: 0.012).
  LegResults leg;
  leg.fuelBurned = 0.0;
  leg.fuelBurnedExact = 0.004;
  for (int i = 0; i < 3; ++i) recordLegInFlight(plan_, leg);
  EXPECT_EQ(plan_.totals.totalFuelUsed, 0.0);
}

TEST_F(FlightLegs, TotalFuelAddsTheUnroundedBurn) {
  // 0.01 + 0.005 = 0.015, which is 0.01499999... as a double: 0.01. Adding the rounded
  // burn (0.01) would give 0.02.
  LegResults first;
  first.fuelBurned = 0.01;
  first.fuelBurnedExact = 0.01;
  LegResults second;
  second.fuelBurned = 0.01;
  second.fuelBurnedExact = 0.005;
  recordLegInFlight(plan_, first);
  recordLegInFlight(plan_, second);
  EXPECT_EQ(plan_.totals.totalFuelUsed, 0.01);
}

TEST_F(FlightLegs, FuelShortage) {
  // FOB 10 and FB 12.5 (GPH 10 for 75 minutes: 125 at 100 without wind).
  // clang-format off
  plan_.inputs = {.trueCourse = 90, .windDirection = 0, .windVelocity = 0, .trueAirspeed = 100,
                  .variation = 0, .deviation = 0, .distance = 125, .fuelFlow = 10,
                  .fuelOnBoard = 10, .flightDistance = 0};
  // clang-format on
  plan_.totals.totalFuelUsed = 5.37;  // from an earlier leg

  const LegComputation computation = calculate(plan_);
  ASSERT_EQ(computation.outcome, LegOutcome::Computed);
  EXPECT_TRUE(computation.results.fuelShort);  // the planner shows its message
  EXPECT_EQ(plan_.results.fuelLeft, 0.0);
  EXPECT_EQ(plan_.results.fuelBurned, 12.5);
  EXPECT_EQ(plan_.inputs.fuelOnBoard, 0.0);
  // The burn counts in full although it exceeded the fuel on board.
  EXPECT_EQ(plan_.totals.totalFuelUsed, 17.87);
  // The leg is recorded and the clock moves on.
  EXPECT_EQ(plan_.totals.totalDistance, 125.0);
  EXPECT_EQ(plan_.results.etaText, "10:15:00");
}

TEST_F(FlightLegs, FlightDistanceZeroBecomesTheLeg) {
  plan_.inputs.flightDistance = 0;
  ASSERT_EQ(calculate(plan_).outcome, LegOutcome::Computed);
  EXPECT_EQ(plan_.inputs.flightDistance, 60.0);  // the replacement is shown
  EXPECT_EQ(plan_.results.distanceRemaining, 0.0);
}

TEST_F(FlightLegs, GivenFlightDistanceStaysFromLegToLeg) {
  plan_.inputs.flightDistance = 200;
  ASSERT_EQ(calculate(plan_).outcome, LegOutcome::Computed);
  EXPECT_EQ(plan_.inputs.flightDistance, 200.0);
  EXPECT_EQ(plan_.results.distanceRemaining, 140.0);

  // The next leg of 60 with the same flight distance: the rest does not shrink.
  ASSERT_EQ(calculate(plan_).outcome, LegOutcome::Computed);
  EXPECT_EQ(plan_.inputs.flightDistance, 200.0);
  EXPECT_EQ(plan_.results.distanceRemaining, 140.0);
  EXPECT_EQ(plan_.totals.totalDistance, 120.0);
}

TEST_F(FlightLegs, RecordingStoresTheRoundedAngles) {
  plan_.inputs.trueCourse = 45.678;
  plan_.inputs.windDirection = 45.678;
  plan_.inputs.variation = -5.123;
  ASSERT_EQ(calculate(plan_).outcome, LegOutcome::Computed);
  EXPECT_EQ(plan_.inputs.trueCourse, 45.68);
  EXPECT_EQ(plan_.inputs.windDirection, 45.68);
  EXPECT_EQ(plan_.inputs.variation, -5.12);
  // Wind velocity, distance, TAS, deviation and GPH are kept as they were.
  EXPECT_EQ(plan_.inputs.windVelocity, 20.0);
  EXPECT_EQ(plan_.inputs.distance, 60.0);
  EXPECT_EQ(plan_.inputs.trueAirspeed, 110.0);
  EXPECT_EQ(plan_.inputs.deviation, 2.0);
  EXPECT_EQ(plan_.inputs.fuelFlow, 8.5);
}

TEST_F(FlightLegs, AirspeedTooLowChangesNothing) {
  ASSERT_EQ(calculate(plan_).outcome, LegOutcome::Computed);
  const FlightPlan before = plan_;
  plan_.inputs.trueAirspeed = 59.99;
  const LegInputs inputsBefore = plan_.inputs;
  EXPECT_EQ(calculate(plan_).outcome, LegOutcome::AirspeedTooLow);
  expectSameInputs(plan_.inputs, inputsBefore);
  expectSameTotals(plan_.totals, before.totals);
  EXPECT_EQ(plan_.results.etaText, before.results.etaText);
  EXPECT_EQ(plan_.results.trueHeading, before.results.trueHeading);
}

TEST_F(FlightLegs, ResetClearsTheFlightButKeepsTheDefaultInputsAndThePicker) {
  extendRouteLine(plan_.totals, "KAAA", "KBBB");
  ASSERT_EQ(calculate(plan_).outcome, LegOutcome::Computed);
  const LegInputs before = plan_.inputs;  // FOB is now 34.63, VAR -5 rounded
  const LocalDateTime picker = plan_.totals.nextTakeOff;

  resetFlight(plan_);

  expectResultsCleared(plan_.results);
  EXPECT_EQ(plan_.inputs.trueCourse, 0.0);
  EXPECT_EQ(plan_.inputs.windDirection, 0.0);
  EXPECT_EQ(plan_.inputs.windVelocity, 0.0);
  EXPECT_EQ(plan_.inputs.distance, 0.0);
  EXPECT_EQ(plan_.inputs.flightDistance, 0.0);
  // TAS, variation, deviation, GPH and fuel on board are not Reset's to clear.
  EXPECT_EQ(plan_.inputs.trueAirspeed, before.trueAirspeed);
  EXPECT_EQ(plan_.inputs.variation, before.variation);
  EXPECT_EQ(plan_.inputs.deviation, before.deviation);
  EXPECT_EQ(plan_.inputs.fuelFlow, before.fuelFlow);
  EXPECT_EQ(plan_.inputs.fuelOnBoard, 34.63);

  const FlightTotals& t = plan_.totals;
  EXPECT_EQ(t.totalDistance, 0.0);
  EXPECT_EQ(t.totalEteMinutes, 0.0);
  EXPECT_EQ(t.totalFlightTime, 0.0);
  EXPECT_EQ(t.totalFuelUsed, 0.0);
  EXPECT_EQ(t.takeOffText, "");
  EXPECT_EQ(t.zuluText, "");
  EXPECT_EQ(t.arrivalText, "");
  EXPECT_EQ(t.routeLine, "");
  EXPECT_TRUE(t.firstLegPending);
  EXPECT_EQ(t.nextTakeOff, picker);  // the picker keeps its time
}

TEST_F(FlightLegs, ResetThenCalculateSetsTheTakeOffAndZuluTextsAgain) {
  ASSERT_EQ(calculate(plan_).outcome, LegOutcome::Computed);
  resetFlight(plan_);

  plan_.inputs.trueCourse = 90;
  plan_.inputs.windDirection = 45;
  plan_.inputs.windVelocity = 20;
  plan_.inputs.distance = 60;
  ASSERT_EQ(calculate(plan_).outcome, LegOutcome::Computed);

  // The picker stood at the first flight's arrival, 9:37:55.
  EXPECT_EQ(plan_.totals.takeOffText, "9:37:55");
  EXPECT_EQ(plan_.totals.zuluText, "[ 8:37:55 zulu ]");
  EXPECT_EQ(plan_.results.etaText, "10:15:50");
  EXPECT_FALSE(plan_.totals.firstLegPending);
  EXPECT_EQ(plan_.totals.totalDistance, 60.0);
  EXPECT_EQ(plan_.totals.totalFlightTime, 0.63);
}

TEST_F(FlightLegs, ClearLegResultsKeepsInputsTotalsTextsAndRoute) {
  extendRouteLine(plan_.totals, "KAAA", "KBBB");
  ASSERT_EQ(calculate(plan_).outcome, LegOutcome::Computed);
  ASSERT_EQ(plan_.results.etaText, "9:37:55");
  const LegInputs inputs = plan_.inputs;
  const FlightTotals totals = plan_.totals;

  clearLegResults(plan_);

  expectResultsCleared(plan_.results);
  expectSameInputs(plan_.inputs, inputs);  // TC included
  expectSameTotals(plan_.totals, totals);
  EXPECT_EQ(plan_.totals.takeOffText, "9:00:00");
  EXPECT_EQ(plan_.totals.arrivalText, "9:37:55");
  EXPECT_EQ(plan_.totals.routeLine, " KAAA ---> KBBB ;");
}

TEST(RouteLine, GrowsByOneEntryPerCourse) {
  FlightTotals totals;
  extendRouteLine(totals, "KAAA", "KBBB");
  EXPECT_EQ(totals.routeLine, " KAAA ---> KBBB ;");
  extendRouteLine(totals, "KBBB", "KCCC");
  EXPECT_EQ(totals.routeLine, " KAAA ---> KBBB ; KBBB ---> KCCC ;");
}

// ---- the leg clock in several time zones -----------------------------------------------

struct ClockCase {
  const char* name;
  const char* zone;
  LocalDateTime takeOff;
  double eteMinutes;
  const char* takeOffText;
  const char* zuluText;
  const char* etaText;
  LocalDateTime arrival;
};

// clang-format off
const ClockCase kClockCases[] = {
    {"UtcMorning", kUtc, kWinterNine, 37.92, "9:00:00", "[ 9:00:00 zulu ]", "9:37:55",
     {2026, 1, 15, 9, 37, 55}},
    {"CentralEuropeWinter", kCentralEurope, kWinterNine, 37.92, "9:00:00", "[ 8:00:00 zulu ]",
     "9:37:55", {2026, 1, 15, 9, 37, 55}},
    {"CentralEuropeSummer", kCentralEurope, {2026, 7, 15, 9, 0, 0}, 37.92, "9:00:00",
     "[ 7:00:00 zulu ]", "9:37:55", {2026, 7, 15, 9, 37, 55}},
    {"UsEasternWinter", kUsEastern, kWinterNine, 37.92, "9:00:00", "[ 14:00:00 zulu ]", "9:37:55",
     {2026, 1, 15, 9, 37, 55}},
    {"UsEasternSummer", kUsEastern, {2026, 7, 15, 9, 0, 0}, 37.92, "9:00:00",
     "[ 13:00:00 zulu ]", "9:37:55", {2026, 7, 15, 9, 37, 55}},
    {"Afternoon", kCentralEurope, {2026, 1, 15, 14, 0, 0}, 30, "14:00:00", "[ 13:00:00 zulu ]",
     "14:30:00", {2026, 1, 15, 14, 30, 0}},
    // The fraction of a second is dropped: 0.999 minutes is 59.94 s -> 59 s.
    {"SecondsTruncated", kUtc, kWinterNine, 0.999, "9:00:00", "[ 9:00:00 zulu ]", "9:00:59",
     {2026, 1, 15, 9, 0, 59}},
    {"UnderASecondStaysPut", kUtc, kWinterNine, 0.01, "9:00:00", "[ 9:00:00 zulu ]", "9:00:00",
     kWinterNine},
    {"ZeroEte", kCentralEurope, kWinterNine, 0, "9:00:00", "[ 8:00:00 zulu ]", "9:00:00",
     kWinterNine},
    // Across midnight: the picker moves to the next day.
    {"UtcAcrossMidnight", kUtc, {2026, 1, 15, 23, 30, 0}, 42, "23:30:00", "[ 23:30:00 zulu ]",
     "0:12:00", {2026, 1, 16, 0, 12, 0}},
    {"CentralEuropeAcrossMidnight", kCentralEurope, {2026, 1, 15, 23, 30, 0}, 42, "23:30:00",
     "[ 22:30:00 zulu ]", "0:12:00", {2026, 1, 16, 0, 12, 0}},
    // 23:30 EST is 04:30 UTC of the next day.
    {"UsEasternAcrossMidnight", kUsEastern, {2026, 1, 15, 23, 30, 0}, 42, "23:30:00",
     "[ 4:30:00 zulu ]", "0:12:00", {2026, 1, 16, 0, 12, 0}},
    {"AcrossMonthEnd", kCentralEurope, {2026, 1, 31, 23, 30, 0}, 42, "23:30:00",
     "[ 22:30:00 zulu ]", "0:12:00", {2026, 2, 1, 0, 12, 0}},
    {"AcrossYearEnd", kUsEastern, {2026, 12, 31, 23, 50, 0}, 22, "23:50:00", "[ 4:50:00 zulu ]",
     "0:12:00", {2027, 1, 1, 0, 12, 0}},
    {"AcrossFebruaryEnd", kUtc, {2026, 2, 28, 23, 30, 0}, 42, "23:30:00", "[ 23:30:00 zulu ]",
     "0:12:00", {2026, 3, 1, 0, 12, 0}},
    {"IntoLeapDay", kUtc, {2028, 2, 28, 23, 30, 0}, 42, "23:30:00", "[ 23:30:00 zulu ]",
     "0:12:00", {2028, 2, 29, 0, 12, 0}},
    {"SeveralDays", kCentralEurope, kWinterNine, 3 * 24 * 60 + 1, "9:00:00", "[ 8:00:00 zulu ]",
     "9:01:00", {2026, 1, 18, 9, 1, 0}},
    // Spring forward, 2026-03-29 in Central Europe: 02:00 CET jumps to 03:00 CEST, so
    // 01:30 + 60 minutes arrives at 03:30 on the clock (00:30 UTC + 1 h = 01:30 UTC).
    {"CentralEuropeSpringForward", kCentralEurope, {2026, 3, 29, 1, 30, 0}, 60, "1:30:00",
     "[ 0:30:00 zulu ]", "3:30:00", {2026, 3, 29, 3, 30, 0}},
    {"CentralEuropeBeforeSpringForward", kCentralEurope, {2026, 3, 29, 1, 0, 0}, 30, "1:00:00",
     "[ 0:00:00 zulu ]", "1:30:00", {2026, 3, 29, 1, 30, 0}},
    // Fall back, 2026-10-25: 03:00 CEST goes back to 02:00 CET. 01:30 CEST is 23:30 UTC
    // of the 24th; one hour later is 02:30 CEST, two hours later 02:30 CET (01:30 UTC),
    // three hours later 03:30 CET.
    {"CentralEuropeFallBackFirstHalfPastTwo", kCentralEurope, {2026, 10, 25, 1, 30, 0}, 60,
     "1:30:00", "[ 23:30:00 zulu ]", "2:30:00", {2026, 10, 25, 2, 30, 0}},
    {"CentralEuropeFallBackSecondHalfPastTwo", kCentralEurope, {2026, 10, 25, 1, 30, 0}, 120,
     "1:30:00", "[ 23:30:00 zulu ]", "2:30:00", {2026, 10, 25, 2, 30, 0}},
    {"CentralEuropeFallBackThreeHours", kCentralEurope, {2026, 10, 25, 1, 30, 0}, 180,
     "1:30:00", "[ 23:30:00 zulu ]", "3:30:00", {2026, 10, 25, 3, 30, 0}},
    // US Eastern, 2026-03-08: 02:00 EST jumps to 03:00 EDT.
    {"UsEasternSpringForward", kUsEastern, {2026, 3, 8, 1, 30, 0}, 60, "1:30:00",
     "[ 6:30:00 zulu ]", "3:30:00", {2026, 3, 8, 3, 30, 0}},
    // US Eastern, 2026-11-01: 02:00 EDT goes back to 01:00 EST. 00:30 EDT is 04:30 UTC;
    // two hours later, 06:30 UTC, is 01:30 EST.
    {"UsEasternFallBack", kUsEastern, {2026, 11, 1, 0, 30, 0}, 120, "0:30:00",
     "[ 4:30:00 zulu ]", "1:30:00", {2026, 11, 1, 1, 30, 0}},
};
// clang-format on

class LegClock : public WithTimeZone<::testing::TestWithParam<ClockCase>> {};

TEST_P(LegClock, FirstLegSetsTheTextsAndMovesThePicker) {
  const ClockCase& c = GetParam();
  useTimeZone(c.zone);
  FlightPlan plan;
  plan.totals.nextTakeOff = c.takeOff;

  ASSERT_EQ(checkLegTime(plan.totals, c.eteMinutes), ClockStep::Stepped);
  ASSERT_EQ(stepLegTime(plan, c.eteMinutes), ClockStep::Stepped);
  EXPECT_EQ(plan.totals.takeOffText, c.takeOffText);
  EXPECT_EQ(plan.totals.zuluText, c.zuluText);
  EXPECT_EQ(plan.results.etaText, c.etaText);
  EXPECT_EQ(plan.totals.arrivalText, c.etaText);
  EXPECT_EQ(plan.totals.nextTakeOff, c.arrival);
  EXPECT_FALSE(plan.totals.firstLegPending);
}

TEST_P(LegClock, LaterLegLeavesTheTakeOffAndZuluTexts) {
  const ClockCase& c = GetParam();
  useTimeZone(c.zone);
  FlightPlan plan;
  plan.totals.nextTakeOff = c.takeOff;
  plan.totals.firstLegPending = false;
  plan.totals.takeOffText = "7:00:00";
  plan.totals.zuluText = "[ 6:00:00 zulu ]";

  ASSERT_EQ(stepLegTime(plan, c.eteMinutes), ClockStep::Stepped);
  EXPECT_EQ(plan.totals.takeOffText, "7:00:00");
  EXPECT_EQ(plan.totals.zuluText, "[ 6:00:00 zulu ]");
  EXPECT_EQ(plan.results.etaText, c.etaText);
  EXPECT_EQ(plan.totals.arrivalText, c.etaText);
  EXPECT_EQ(plan.totals.nextTakeOff, c.arrival);
}

INSTANTIATE_TEST_SUITE_P(Flight, LegClock, ::testing::ValuesIn(kClockCases), CaseName{});

class AutumnChange : public WithTimeZone<::testing::Test> {
 protected:
  void SetUp() override {
    WithTimeZone::SetUp();
    useTimeZone(kCentralEurope);
  }
};

// On the night the clocks go back, 2:30 comes twice. A leg that arrives at the first
// 2:30 hands the next leg that same instant, not the second 2:30 an hour later.
TEST_F(AutumnChange, ChainedLegsKeepTheHourTheClockRepeats) {
  FlightPlan plan;
  setNextTakeOff(plan.totals, {2026, 10, 25, 1, 30, 0});
  std::vector<std::string> etas;
  for (int leg = 0; leg < 3; ++leg) {
    ASSERT_EQ(checkLegTime(plan.totals, 60), ClockStep::Stepped);
    ASSERT_EQ(stepLegTime(plan, 60), ClockStep::Stepped);
    etas.push_back(plan.results.etaText);
  }
  EXPECT_EQ(etas, (std::vector<std::string>{"2:30:00", "2:30:00", "3:30:00"}));
  EXPECT_EQ(plan.totals.zuluText, "[ 23:30:00 zulu ]");
}

// A time the pilot sets on the picker is read by the zone's rules again.
TEST_F(AutumnChange, PickerSetByThePilotForgetsTheArrivalsSummerTime) {
  FlightPlan plan;
  setNextTakeOff(plan.totals, {2026, 10, 25, 1, 30, 0});
  ASSERT_EQ(stepLegTime(plan, 60), ClockStep::Stepped);
  EXPECT_EQ(plan.totals.nextTakeOffDaylightSaving, 1);
  setNextTakeOff(plan.totals, plan.totals.nextTakeOff);  // unchanged: still the arrival
  EXPECT_EQ(plan.totals.nextTakeOffDaylightSaving, 1);
  setNextTakeOff(plan.totals, {2026, 10, 25, 2, 30, 1});
  EXPECT_EQ(plan.totals.nextTakeOffDaylightSaving, kDaylightSavingByRules);
}

// A take-off set on the picker in the repeated hour, 2:29 on the night the clocks go
// back, is read as the earlier instant, still summer time (0:29 zulu, not 1:29). The C
// library alone would read it by whatever it converted last, so the same leg would
// give either zulu text.
enum class ConvertedBefore { Nothing, SummerLeg, WinterLeg, BothLegs };

class RepeatedHourOnThePicker : public WithTimeZone<::testing::TestWithParam<ConvertedBefore>> {};

TEST_P(RepeatedHourOnThePicker, IsReadAsTheEarlierInstant) {
  // Under ctest each test runs in a process of its own, so the Nothing row is a fresh
  // process that has converted no time yet.
  useTimeZone(kCentralEurope);
  const auto legAt = [](const LocalDateTime& takeOff) {
    FlightPlan plan;
    setNextTakeOff(plan.totals, takeOff);
    EXPECT_EQ(stepLegTime(plan, 37.92), ClockStep::Stepped);
    return plan;
  };
  const ConvertedBefore before = GetParam();
  if (before == ConvertedBefore::SummerLeg || before == ConvertedBefore::BothLegs) {
    EXPECT_EQ(legAt({2026, 7, 15, 9, 0, 0}).totals.zuluText, "[ 7:00:00 zulu ]");
  }
  if (before == ConvertedBefore::WinterLeg || before == ConvertedBefore::BothLegs) {
    EXPECT_EQ(legAt({2026, 12, 15, 9, 0, 0}).totals.zuluText, "[ 8:00:00 zulu ]");
  }

  const FlightPlan plan = legAt({2026, 10, 25, 2, 29, 0});
  EXPECT_EQ(plan.totals.takeOffText, "2:29:00");
  EXPECT_EQ(plan.totals.zuluText, "[ 0:29:00 zulu ]");
  // 37 minutes 55 seconds later the clock has gone back: 2:29 CEST + 0:37:55 is
  // 2:06:55 CET, and the next leg knows it is winter time.
  EXPECT_EQ(plan.results.etaText, "2:06:55");
  EXPECT_EQ(plan.totals.nextTakeOffDaylightSaving, 0);

  const auto instant = resolveLocalTime({2026, 10, 25, 2, 29, 0});
  ASSERT_TRUE(instant.has_value());
  EXPECT_TRUE(instant->daylightSaving);
  EXPECT_EQ(instant->utc, (LocalDateTime{2026, 10, 25, 0, 29, 0}));
  // An arrival whose flag is known keeps its own reading.
  const auto winter = resolveLocalTime({2026, 10, 25, 2, 29, 0}, 0);
  ASSERT_TRUE(winter.has_value());
  EXPECT_EQ(winter->utc, (LocalDateTime{2026, 10, 25, 1, 29, 0}));
}

std::string convertedBeforeName(const ::testing::TestParamInfo<ConvertedBefore>& info) {
  switch (info.param) {
    case ConvertedBefore::Nothing: return "InAFreshProcess";
    case ConvertedBefore::SummerLeg: return "AfterASummerLeg";
    case ConvertedBefore::WinterLeg: return "AfterAWinterLeg";
    case ConvertedBefore::BothLegs: return "AfterBothLegs";
  }
  return "Unknown";
}

INSTANTIATE_TEST_SUITE_P(AutumnChange, RepeatedHourOnThePicker,
                         ::testing::Values(ConvertedBefore::Nothing, ConvertedBefore::SummerLeg,
                                           ConvertedBefore::WinterLeg, ConvertedBefore::BothLegs),
                         convertedBeforeName);

// South of the equator the clocks go back in April: 2:30 on 5 April 2026 in New
// Zealand comes twice, and the earlier is still daylight time (UTC+13).
TEST_F(AutumnChange, SouthernAutumnReadsTheEarlierInstantToo) {
  useTimeZone("NZST-12NZDT,M9.5.0,M4.1.0/3");
  resolveLocalTime({2026, 6, 1, 12, 0, 0});  // a winter conversion first
  const auto instant = resolveLocalTime({2026, 4, 5, 2, 30, 0});
  ASSERT_TRUE(instant.has_value());
  EXPECT_EQ(instant->utc, (LocalDateTime{2026, 4, 4, 13, 30, 0}));
  // Outside the repeated hour nothing changes: the hour before and the hour after.
  EXPECT_EQ(resolveLocalTime({2026, 4, 5, 1, 30, 0})->utc, (LocalDateTime{2026, 4, 4, 12, 30, 0}));
  EXPECT_EQ(resolveLocalTime({2026, 4, 5, 3, 30, 0})->utc, (LocalDateTime{2026, 4, 4, 15, 30, 0}));
}

class LegClockLimits : public WithTimeZone<::testing::Test> {
 protected:
  void SetUp() override {
    WithTimeZone::SetUp();
    useTimeZone(kCentralEurope);
  }
};

TEST_F(LegClockLimits, ArrivalAfterYear9999ChangesNothing) {
  FlightPlan plan;
  plan.inputs = kWorkedLeg;
  plan.results.etaText = "8:00:00";
  plan.totals.arrivalText = "8:00:00";
  plan.totals.nextTakeOff = {9999, 12, 31, 23, 0, 0};
  const FlightTotals before = plan.totals;

  // 60 minutes later is 10000-01-01 00:00:00.
  for (double ete : {60.0, 1e6, 1e12, 1e20, kInf, kNaN}) {
    SCOPED_TRACE(ete);
    EXPECT_EQ(checkLegTime(plan.totals, ete), ClockStep::OutOfRange);
    EXPECT_EQ(stepLegTime(plan, ete), ClockStep::OutOfRange);
    expectSameTotals(plan.totals, before);
    EXPECT_TRUE(plan.totals.firstLegPending);
    EXPECT_EQ(plan.totals.takeOffText, "");
    EXPECT_EQ(plan.results.etaText, "8:00:00");
  }
}

TEST_F(LegClockLimits, LastSecondOfYear9999IsStillShown) {
  FlightPlan plan;
  plan.totals.nextTakeOff = {9999, 12, 31, 23, 0, 0};
  // 59.99 minutes is 3599 s: 23:59:59.
  ASSERT_EQ(stepLegTime(plan, 59.99), ClockStep::Stepped);
  EXPECT_EQ(plan.results.etaText, "23:59:59");
  EXPECT_EQ(plan.totals.nextTakeOff, (LocalDateTime{9999, 12, 31, 23, 59, 59}));
}

TEST_F(LegClockLimits, CheckAgreesWithStep) {
  const LocalDateTime takeOffs[] = {
      kWinterNine, {9999, 12, 31, 23, 0, 0}, {9998, 1, 1, 0, 0, 0}, {2026, 3, 29, 1, 30, 0}};
  const double etes[] = {0, 37.92, 59.99, 60, 1e6, 1e9, 1e12, 1e20, -60, kInf, -kInf, kNaN, 30.62, 1440, 5e5};
  for (const LocalDateTime& takeOff : takeOffs) {
    for (double ete : etes) {
      SCOPED_TRACE(testing::Message() << takeOff.year << "-" << takeOff.month << "-" << takeOff.day << " + " << ete
                                      << " min");
      FlightPlan plan;
      plan.totals.nextTakeOff = takeOff;
      const FlightTotals before = plan.totals;
      const ClockStep checked = checkLegTime(plan.totals, ete);
      expectSameTotals(plan.totals, before);  // the check changes nothing
      EXPECT_EQ(stepLegTime(plan, ete), checked);
    }
  }
}

}  // namespace
}  // namespace orvane
