// computeLeg: the wind triangle of one leg, with the order of every rounding that
// decides what the pilot sees. Expected values are the worked leg and the known edge
// cases; the few others are worked out in the comments.

#include "core/leg.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "test_support.hpp"

namespace orvane {
namespace {

using test::CaseName;
using test::kInf;
using test::kNaN;
using test::kWorkedLeg;

// A calm leg: no wind, so TH = TC and GS = TAS; only the course, variation and
// deviation vary between the heading rows that use it.
constexpr LegInputs calmLeg(double trueCourse, double variation, double deviation) {
  return LegInputs{.trueCourse = trueCourse,
                   .windDirection = 0,
                   .windVelocity = 0,
                   .trueAirspeed = 100,
                   .variation = variation,
                   .deviation = deviation,
                   .distance = 60,
                   .fuelFlow = 8.5,
                   .fuelOnBoard = 40,
                   .flightDistance = 0};
}

constexpr LegInputs windLeg(double trueCourse, double windDirection, double windVelocity, double trueAirspeed) {
  return LegInputs{.trueCourse = trueCourse,
                   .windDirection = windDirection,
                   .windVelocity = windVelocity,
                   .trueAirspeed = trueAirspeed,
                   .variation = 0,
                   .deviation = 0,
                   .distance = 60,
                   .fuelFlow = 8.5,
                   .fuelOnBoard = 40,
                   .flightDistance = 0};
}

LegResults computed(const LegInputs& inputs) {
  const LegComputation computation = computeLeg(inputs);
  EXPECT_EQ(computation.outcome, LegOutcome::Computed);
  return computation.results;
}

// ---- the worked leg ------------------------------------------------------------------

TEST(ComputeLegWorked, GivesThePartsValues) {
  const LegComputation computation = computeLeg(kWorkedLeg);
  ASSERT_EQ(computation.outcome, LegOutcome::Computed);
  const LegResults& r = computation.results;

  // X = 15.06 after rounding, GS = 110 - 15.06 = 94.94, shown as 95.
  EXPECT_EQ(r.groundSpeedExact, 110 - 15.06);
  EXPECT_DOUBLE_EQ(r.groundSpeedExact, 94.94);
  EXPECT_EQ(r.groundSpeed, 95);

  // ETE = 60 x 60 / 94.94 = 37.918685..., shown as 37.92.
  EXPECT_EQ(r.eteMinutesExact, 60 * 60 / (110 - 15.06));
  EXPECT_NEAR(r.eteMinutesExact, 37.918685, 1e-6);
  EXPECT_EQ(r.eteMinutes, 37.92);

  // FB = 8.5 x ETE x 0.016666666666666666 = 5.3718..., FL = 40 - 5.3718... = 34.628...
  EXPECT_EQ(r.fuelBurnedExact, 8.5 * r.eteMinutesExact * 0.016666666666666666);
  EXPECT_EQ(r.fuelBurned, 5.37);
  EXPECT_EQ(r.fuelLeft, 34.63);
  EXPECT_FALSE(r.fuelShort);

  EXPECT_EQ(r.windCorrectionAngle, 7);
  EXPECT_EQ(r.trueHeading, 83);
  EXPECT_EQ(r.magneticHeading, 78);
  EXPECT_EQ(r.compassHeading, 80);

  EXPECT_EQ(r.flightDistance, 60.0);  // FD 0 becomes DIST
  EXPECT_EQ(r.distanceRemaining, 0.0);

  EXPECT_EQ(r.trueCourse, 90.0);
  EXPECT_EQ(r.windDirection, 45.0);
  EXPECT_EQ(r.variation, -5.0);
  EXPECT_EQ(r.etaText, "");  // the clock step sets it, not computeLeg
}

TEST(ComputeLegWorked, KeepsNoStateBetweenCalls) {
  const LegResults first = computed(kWorkedLeg);
  computed(windLeg(0, 90, 20, 100));
  const LegResults again = computed(kWorkedLeg);
  EXPECT_EQ(again.eteMinutesExact, first.eteMinutesExact);
  EXPECT_EQ(again.fuelBurnedExact, first.fuelBurnedExact);
  EXPECT_EQ(again.trueHeading, first.trueHeading);
  EXPECT_EQ(again.compassHeading, first.compassHeading);
}

// ---- headings and ground speed ---------------------------------------------------------

struct HeadingCase {
  const char* name;
  LegInputs inputs;
  std::int32_t wca;
  std::int32_t trueHeading;
  std::int32_t magneticHeading;
  std::int32_t compassHeading;
  std::int32_t groundSpeed;
};

// clang-format off
const HeadingCase kHeadingCases[] = {
    {"WorkedLeg", kWorkedLeg, 7, 83, 78, 80, 95},
    // No wind: WCA 0, GS = TAS, TH = TC, MH = TC + VAR, CH = MH + DEV.
    {"NoWind", calmLeg(90, -5, 2), 0, 90, 85, 87, 100},
    // MH = 5 - 10 = -5, wrapped to 355; CH = 355 + 3.
    {"NoWindMagneticWraps", calmLeg(5, -10, 3), 0, 5, 355, 358, 100},
    // Wind straight from ahead: WCA 0, GS = TAS - WV.
    {"Headwind", windLeg(90, 90, 20, 100), 0, 90, 90, 90, 80},
    // Wind straight from behind: GS = TAS + WV.
    {"Tailwind", windLeg(90, 270, 20, 100), 0, 90, 90, 90, 120},
    // Wind from the right: WCA -12 (-11.54), TH 12, GS 98 (100 - 2.02).
    {"WindFromTheRight", windLeg(0, 90, 20, 100), -12, 12, 12, 12, 98},
    // Wind from the left: WCA 12, TH = -11.54 + 360 = 348.46.
    {"WindFromTheLeft", windLeg(0, 270, 20, 100), 12, 348, 348, 348, 98},
    // TH 358.63; MH 368.63 less 360 = 8.63; CH 8.63 + 3 = 11.63.
    {"Course350", {.trueCourse = 350, .windDirection = 20, .windVelocity = 30,
                   .trueAirspeed = 100, .variation = 10, .deviation = 3, .distance = 60,
                   .fuelFlow = 8.5, .fuelOnBoard = 40, .flightDistance = 0},
     -9, 359, 9, 12, 73},
    // TAS of exactly 60 is computed: WCA asin(20 sin 45 / 60) = 13.63, GS 58.31 - 14.14.
    {"LowestAirspeed", {.trueCourse = 90, .windDirection = 45, .windVelocity = 20,
                        .trueAirspeed = 60, .variation = -5, .deviation = 2, .distance = 60,
                        .fuelFlow = 8.5, .fuelOnBoard = 40, .flightDistance = 0},
     14, 76, 71, 73, 44},
    // 360 x 0.017453292519943278 x 57.29577951308238 is exactly 360: it stays 360.
    {"TrueHeadingExactly360Stays", calmLeg(360, 0, 0), 0, 360, 360, 360, 100},
    // (350 + 10 in radians) back in degrees is exactly 360: MH stays 360.
    {"MagneticHeadingExactly360Stays", calmLeg(350, 10, 0), 0, 350, 360, 360, 100},
    // 360.004 is above 360: less 360 is 0.004, rounded 0.
    {"Heading360Point004BecomesZero", calmLeg(360.004, 0, 0), 0, 0, 0, 0, 100},
    // MH 360.004 becomes 0, and the deviation is added after the wrap.
    {"MagneticHeading360Point004BecomesZero", calmLeg(350, 10.004, 2), 0, 350, 0, 2, 100},
    // 359.996 is not above 360, and rounds to 360.00 only after the wrap: 360.
    {"JustBelow360RoundsTo360", calmLeg(359.996, 0, 0), 0, 360, 360, 360, 100},
    // -0.004 rounds to -0.00 first, which is not below 0: 0 (not 359.996 -> 360).
    {"TinyNegativeHeadingIsZero", calmLeg(-0.004, 0, 0), 0, 0, 0, 0, 100},
    // 12.4951 is rounded to 12.5 first, and 12.5 goes up: 13 (not 12).
    {"DoubleRounding", calmLeg(12.4951, 0, 0), 0, 13, 13, 13, 100},
    // The same for WCA: asin(2.61 / 100) = 1.4956 degrees becomes 1.50 and then 2; TH
    // -1.4956 becomes -1.50, plus 360 is 358.5, and then 359.
    {"WcaDoubleRounding", windLeg(0, 270, 2.61, 100), 2, 359, 359, 359, 100},
    // CH = MH + DEV is not wrapped again: 358.6 + 3 = 361.6 and 1.2 - 3 = -1.8.
    {"CompassHeadingAbove360", calmLeg(358.6, 0, 3), 0, 359, 359, 362, 100},
    {"CompassHeadingBelowZero", calmLeg(1.2, 0, -3), 0, 1, 1, -2, 100},
};
// clang-format on

class ComputeLegHeadings : public ::testing::TestWithParam<HeadingCase> {};

TEST_P(ComputeLegHeadings, FollowTheRoundingOrder) {
  const HeadingCase& c = GetParam();
  const LegResults r = computed(c.inputs);
  EXPECT_EQ(r.windCorrectionAngle, c.wca);
  EXPECT_EQ(r.trueHeading, c.trueHeading);
  EXPECT_EQ(r.magneticHeading, c.magneticHeading);
  EXPECT_EQ(r.compassHeading, c.compassHeading);
  EXPECT_EQ(r.groundSpeed, c.groundSpeed);
}

INSTANTIATE_TEST_SUITE_P(Leg, ComputeLegHeadings, ::testing::ValuesIn(kHeadingCases), CaseName{});

TEST(ComputeLegGroundSpeed, NoWindGivesTheAirspeedExactly) {
  // B = 0, so the first term of X is 0 although tan((pi - 0) / 2) is only large.
  EXPECT_EQ(computed(calmLeg(90, -5, 2)).groundSpeedExact, 100.0);
}

TEST(ComputeLegGroundSpeed, HeadwindIsTakenOffInFull) {
  EXPECT_EQ(computed(windLeg(90, 90, 20, 100)).groundSpeedExact, 80.0);
}

TEST(ComputeLegGroundSpeed, IsTheAirspeedLessTheRoundedTerm) {
  // Wind from the right: X = 2.02, GS = 97.98, so ETE = 60 x 60 / 97.98.
  const LegResults r = computed(windLeg(0, 90, 20, 100));
  EXPECT_EQ(r.groundSpeedExact, 100 - 2.02);
  EXPECT_EQ(r.eteMinutesExact, 60 * 60 / (100 - 2.02));
  // Wind from the left is the mirror image.
  EXPECT_EQ(computed(windLeg(0, 270, 20, 100)).groundSpeedExact, 100 - 2.02);
}

// ---- angles handed back ----------------------------------------------------------------

TEST(ComputeLegAngles, AreHandedBackRoundedToHundredths) {
  // clang-format off
  const LegResults r = computed({.trueCourse = 45.678, .windDirection = 45.678,
                                 .windVelocity = 10, .trueAirspeed = 100, .variation = -5.123,
                                 .deviation = 0, .distance = 60, .fuelFlow = 8.5,
                                 .fuelOnBoard = 40, .flightDistance = 0});
  // clang-format on
  EXPECT_EQ(r.trueCourse, 45.68);
  EXPECT_EQ(r.windDirection, 45.68);
  EXPECT_EQ(r.variation, -5.12);
}

TEST(ComputeLegAngles, WholeCourseStaysWhole) {
  const LegResults r = computed(kWorkedLeg);
  EXPECT_EQ(r.trueCourse, 90.0);
  EXPECT_EQ(r.windDirection, 45.0);
  EXPECT_EQ(r.variation, -5.0);
}

TEST(ComputeLegAngles, AreNotWrapped) {
  // Only the headings wrap; the course handed back is the input rounded: 360.004 -> 360.
  EXPECT_EQ(computed(calmLeg(360.004, 0, 0)).trueCourse, 360.0);
  EXPECT_EQ(computed(calmLeg(-10, 0, 0)).trueCourse, -10.0);
  EXPECT_EQ(computed(calmLeg(-10, 0, 0)).trueHeading, 350);
}

// ---- time and fuel -------------------------------------------------------------------

TEST(ComputeLegTimeAndFuel, ZeroDistanceTakesNoTimeAndNoFuel) {
  LegInputs in = kWorkedLeg;
  in.distance = 0;
  const LegResults r = computed(in);
  EXPECT_EQ(r.eteMinutes, 0.0);
  EXPECT_EQ(r.eteMinutesExact, 0.0);
  EXPECT_EQ(r.fuelBurned, 0.0);
  EXPECT_EQ(r.fuelBurnedExact, 0.0);
  EXPECT_EQ(r.fuelLeft, 40.0);
  EXPECT_FALSE(r.fuelShort);
  EXPECT_EQ(r.flightDistance, 0.0);  // FD 0 becomes DIST, which is 0
  EXPECT_EQ(r.distanceRemaining, 0.0);
  EXPECT_EQ(r.trueHeading, 83);  // the headings do not depend on the distance
}

TEST(ComputeLegTimeAndFuel, SecondLegOfTheFlight) {
  // The worked leg with DIST 48.448: ETE 30.62 (30.618...), the second leg of the flight tests.
  LegInputs in = kWorkedLeg;
  in.distance = 48.448;
  const LegResults r = computed(in);
  EXPECT_EQ(r.eteMinutes, 30.62);
  EXPECT_NEAR(r.eteMinutesExact, 30.618, 1e-3);
}

TEST(ComputeLegTimeAndFuel, FuelEqualToTheUnroundedBurnIsEnough) {
  const double burned = computed(kWorkedLeg).fuelBurnedExact;  // 5.3718...
  LegInputs in = kWorkedLeg;
  in.fuelOnBoard = burned;
  const LegResults r = computed(in);
  EXPECT_FALSE(r.fuelShort);
  EXPECT_EQ(r.fuelLeft, 0.0);
}

TEST(ComputeLegTimeAndFuel, AHundredthOfAGallonLessIsShort) {
  const double burned = computed(kWorkedLeg).fuelBurnedExact;
  LegInputs in = kWorkedLeg;
  in.fuelOnBoard = burned - 0.01;
  const LegResults r = computed(in);
  EXPECT_TRUE(r.fuelShort);
  EXPECT_EQ(r.fuelLeft, 0.0);
  EXPECT_FALSE(std::signbit(r.fuelLeft));  // exactly 0, not a negative zero
  // The computation goes on: the burn is reported in full.
  EXPECT_EQ(r.fuelBurned, 5.37);
  EXPECT_EQ(r.fuelBurnedExact, burned);
}

TEST(ComputeLegTimeAndFuel, FuelEqualToTheShownBurnIsShort) {
  // The shown burn is 5.37, but FL = FOB - FB uses the unrounded 5.3718...
  LegInputs in = kWorkedLeg;
  in.fuelOnBoard = 5.37;
  const LegResults r = computed(in);
  EXPECT_EQ(r.fuelBurned, 5.37);
  EXPECT_TRUE(r.fuelShort);
  EXPECT_EQ(r.fuelLeft, 0.0);
}

TEST(ComputeLegTimeAndFuel, ShortageStillComputesEverything) {
  // FOB 10, FB 12.5: GPH 10 for 75 minutes (125 at GS 100).
  // clang-format off
  const LegResults r = computed({.trueCourse = 90, .windDirection = 0, .windVelocity = 0,
                                 .trueAirspeed = 100, .variation = 0, .deviation = 0,
                                 .distance = 125, .fuelFlow = 10, .fuelOnBoard = 10,
                                 .flightDistance = 0});
  // clang-format on
  EXPECT_TRUE(r.fuelShort);
  EXPECT_EQ(r.fuelLeft, 0.0);
  EXPECT_EQ(r.fuelBurned, 12.5);
  EXPECT_EQ(r.eteMinutes, 75.0);
  EXPECT_EQ(r.trueHeading, 90);
}

// ---- flight distance -----------------------------------------------------------------

struct FlightDistanceCase {
  const char* name;
  double flightDistance;
  double expectedFlightDistance;
  double expectedRemaining;
};

const FlightDistanceCase kFlightDistanceCases[] = {
    {"NoneGivenBecomesTheLeg", 0, 60, 0},
    {"NegativeBecomesTheLeg", -5, 60, 0},
    {"GivenIsKept", 200, 200, 140},
    {"EqualToTheLeg", 60, 60, 0},
    {"ShorterThanTheLegGoesNegative", 50, 50, -10},
};

class ComputeLegFlightDistance : public ::testing::TestWithParam<FlightDistanceCase> {};

TEST_P(ComputeLegFlightDistance, DefaultsToTheLegAndGivesTheRest) {
  LegInputs in = kWorkedLeg;  // DIST 60
  in.flightDistance = GetParam().flightDistance;
  const LegResults r = computed(in);
  EXPECT_EQ(r.flightDistance, GetParam().expectedFlightDistance);
  EXPECT_EQ(r.distanceRemaining, GetParam().expectedRemaining);
}

INSTANTIATE_TEST_SUITE_P(Leg, ComputeLegFlightDistance, ::testing::ValuesIn(kFlightDistanceCases), CaseName{});

// ---- legs that are not computed ------------------------------------------------------

struct OutcomeCase {
  const char* name;
  LegInputs inputs;
  LegOutcome outcome;
};

LegInputs withAirspeed(double trueAirspeed) {
  LegInputs in = kWorkedLeg;
  in.trueAirspeed = trueAirspeed;
  return in;
}

LegInputs withDistance(double distance) {
  LegInputs in = kWorkedLeg;
  in.distance = distance;
  return in;
}

LegInputs withFuelFlow(double fuelFlow) {
  LegInputs in = kWorkedLeg;
  in.fuelFlow = fuelFlow;
  return in;
}

LegInputs withCourse(double trueCourse) {
  LegInputs in = kWorkedLeg;
  in.trueCourse = trueCourse;
  return in;
}

// clang-format off
const OutcomeCase kOutcomeCases[] = {
    {"Airspeed60IsComputed", withAirspeed(60), LegOutcome::Computed},
    {"Airspeed59Point99IsTooLow", withAirspeed(59.99), LegOutcome::AirspeedTooLow},
    {"ZeroAirspeedIsTooLow", withAirspeed(0), LegOutcome::AirspeedTooLow},
    {"NegativeAirspeedIsTooLow", withAirspeed(-100), LegOutcome::AirspeedTooLow},
    {"NanAirspeedIsTooLow", withAirspeed(kNaN), LegOutcome::AirspeedTooLow},
    {"NegativeInfiniteAirspeedIsTooLow", withAirspeed(-kInf), LegOutcome::AirspeedTooLow},
    // The TAS check comes first, before any other input is looked at.
    {"LowAirspeedBeforeBadDistance",
     {.trueCourse = 0, .windDirection = 0, .windVelocity = 0, .trueAirspeed = 50,
      .variation = 0, .deviation = 0, .distance = kInf, .fuelFlow = 0, .fuelOnBoard = 0,
      .flightDistance = 0},
     LegOutcome::AirspeedTooLow},
    // Crosswind 100 against TAS 60: |B / TAS| > 1, no heading holds the course.
    {"CrosswindStrongerThanAirspeed", windLeg(0, 90, 100, 60), LegOutcome::WindTooStrong},
    {"CrosswindFromTheLeftStrongerThanAirspeed", windLeg(0, 270, 100, 60),
     LegOutcome::WindTooStrong},
    // |B / TAS| = 1: WCA 90 degrees holds the course at a ground speed of 0.
    {"CrosswindEqualToAirspeed", windLeg(0, 90, 60, 60), LegOutcome::WindTooStrong},
    // A headwind as strong as TAS leaves GS = 0, a stronger one a negative GS.
    {"HeadwindEqualToAirspeed", windLeg(90, 90, 60, 60), LegOutcome::WindTooStrong},
    {"HeadwindStrongerThanAirspeed", windLeg(90, 90, 80, 60), LegOutcome::WindTooStrong},
    // GS 0.01: slow but computed.
    {"HeadwindJustBelowAirspeed", windLeg(90, 90, 59.99, 60), LegOutcome::Computed},
    {"InfiniteDistance", withDistance(kInf), LegOutcome::NotComputable},
    {"NanDistance", withDistance(kNaN), LegOutcome::NotComputable},
    {"InfiniteAirspeed", withAirspeed(kInf), LegOutcome::NotComputable},
    {"NanCourse", withCourse(kNaN), LegOutcome::NotComputable},
    {"InfiniteFuelFlow", withFuelFlow(kInf), LegOutcome::NotComputable},
    // Finite inputs whose ETE (1e308 x 60) or fuel burned overflows.
    {"TimeOverflows", withDistance(1e308), LegOutcome::NotComputable},
    {"FuelOverflows", withFuelFlow(1e308), LegOutcome::NotComputable},
};
// clang-format on

class ComputeLegOutcome : public ::testing::TestWithParam<OutcomeCase> {};

TEST_P(ComputeLegOutcome, ReportsWhyALegIsNotComputed) {
  EXPECT_EQ(computeLeg(GetParam().inputs).outcome, GetParam().outcome);
}

INSTANTIATE_TEST_SUITE_P(Leg, ComputeLegOutcome, ::testing::ValuesIn(kOutcomeCases), CaseName{});

TEST(ComputeLegOutcomeDetails, SlowGroundSpeedStillGivesFiniteResults) {
  const LegResults r = computed(windLeg(90, 90, 59.99, 60));
  EXPECT_GT(r.groundSpeedExact, 0.0);
  EXPECT_EQ(r.groundSpeed, 0);  // 0.01 shown as a whole number
  EXPECT_TRUE(std::isfinite(r.eteMinutesExact));
  EXPECT_NEAR(r.eteMinutes, 360000.0, 0.01);  // 60 nm at 0.01 kt
  EXPECT_TRUE(r.fuelShort);
}

}  // namespace
}  // namespace orvane
