// The nav log: the legs Calculate records, how they are named, what Reset does, and
// the CSV text the pilot exports.

#include "core/nav_log.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/clock.hpp"
#include "core/course_selection.hpp"
#include "core/flight.hpp"
#include "core/leg.hpp"

#include "test_support.hpp"

namespace orvane {
namespace {

using test::CaseName;
using test::kWorkedLeg;

// The zone only decides the zulu text; the nav log shows local clock texts.
class NavLogTest : public test::WithTimeZone<::testing::Test> {
 protected:
  void SetUp() override {
    WithTimeZone::SetUp();
    useTimeZone("EST5EDT,M3.2.0,M11.1.0");
  }
};

constexpr LocalDateTime kNineOClock{2026, 12, 8, 9, 0, 0};

void calculate(FlightPlan& plan) { ASSERT_TRUE(test::calculateLeg(plan)); }

// The worked leg from 9:00:00, then the same leg with a distance of 48.448.
FlightPlan workedFlight() {
  FlightPlan plan;
  plan.inputs = kWorkedLeg;
  plan.totals.nextTakeOff = kNineOClock;
  calculate(plan);
  plan.inputs.distance = 48.448;
  calculate(plan);
  return plan;
}

TEST_F(NavLogTest, WorkedFlightKeepsBothLegsAsShown) {
  const FlightPlan plan = workedFlight();
  ASSERT_EQ(plan.navLog.legs.size(), 2u);
  const NavLogLeg& first = plan.navLog.legs[0];
  EXPECT_EQ(first.name, "Leg 1");
  EXPECT_EQ(first.trueCourse, 90);
  EXPECT_EQ(first.windDirection, 45);
  EXPECT_EQ(first.windVelocity, 20);
  EXPECT_EQ(first.trueAirspeed, 110);
  EXPECT_EQ(first.windCorrectionAngle, 7);
  EXPECT_EQ(first.trueHeading, 83);
  EXPECT_EQ(first.magneticHeading, 78);
  EXPECT_EQ(first.compassHeading, 80);
  EXPECT_EQ(first.groundSpeed, 95);
  EXPECT_EQ(first.distance, 60);
  EXPECT_EQ(first.eteMinutes, 37.92);
  EXPECT_EQ(first.takeOffText, "9:00:00");
  EXPECT_EQ(first.etaText, "9:37:55");
  EXPECT_EQ(first.fuelBurned, 5.37);
  EXPECT_EQ(first.fuelLeft, 34.63);
  EXPECT_FALSE(first.fuelShort);

  const NavLogLeg& second = plan.navLog.legs[1];
  EXPECT_EQ(second.name, "Leg 2");
  EXPECT_EQ(second.distance, 48.448);
  EXPECT_EQ(second.eteMinutes, 30.62);
  // The second leg takes off when the first arrives.
  EXPECT_EQ(second.takeOffText, "9:37:55");
  EXPECT_EQ(second.etaText, "10:08:32");
  EXPECT_EQ(second.fuelBurned, 4.34);
  EXPECT_EQ(second.fuelLeft, 30.29);

  EXPECT_EQ(plan.totals.takeOffTime, kNineOClock);
  EXPECT_EQ(formatDate(plan.totals.takeOffTime), "2026-12-08");
}

TEST_F(NavLogTest, WorkedFlightCsvByteForByte) {
  const FlightPlan plan = workedFlight();
  EXPECT_EQ(navLogCsv(plan.navLog, plan.totals),
            "Leg,TC,WD,WV,TAS,WCA,TH,MH,CH,GS,Distance,ETE (min),Time Off,ETA,Actual Time Over,"
            "Fuel Burned,Fuel Left,Actual Fuel,Fuel Short\r\n"
            "Leg 1,90,45,20,110,7,83,78,80,95,60,37.92,9:00:00,9:37:55,,5.37,34.63,,no\r\n"
            "Leg 2,90,45,20,110,7,83,78,80,95,48.448,30.62,9:37:55,10:08:32,,4.34,30.29,,no\r\n"
            "Total,,,,,,,,,,108.448,68.54,,,,9.71,,,\r\n");
}

// The totals row rounds the sum of the unrounded leg times, as the planner's flight time
// does: three legs of 10.004 minutes (each shown as 10) make 30.01, not 30.
TEST_F(NavLogTest, TotalsRowComesFromTheUnroundedLegTimes) {
  FlightTotals totals;
  totals.totalEteMinutes = 3 * 10.004;
  totals.totalDistance = 0.1 + 0.2;
  totals.totalFuelUsed = 12.5;
  const NavLogRow row = navLogTotalsRow(totals);
  EXPECT_EQ(row[static_cast<std::size_t>(NavLogColumn::Leg)], "Total");
  EXPECT_EQ(row[static_cast<std::size_t>(NavLogColumn::Ete)], "30.01");
  EXPECT_EQ(row[static_cast<std::size_t>(NavLogColumn::Distance)], "0.3");
  EXPECT_EQ(row[static_cast<std::size_t>(NavLogColumn::FuelBurned)], "12.5");
  for (NavLogColumn empty : {NavLogColumn::TrueCourse, NavLogColumn::TakeOff, NavLogColumn::ActualFuel,
                             NavLogColumn::FuelShort}) {
    EXPECT_EQ(row[static_cast<std::size_t>(empty)], "");
  }
}

TEST_F(NavLogTest, CourseWindowNamesOnlyTheNextLeg) {
  FlightPlan plan;
  RememberedAirports remembered;
  plan.inputs = kWorkedLeg;
  plan.totals.nextTakeOff = kNineOClock;
  AcceptedLeg accepted;
  accepted.values.originId = "QQA";
  accepted.values.destinationId = "QQB";
  accepted.course = {90, 60};
  takeAcceptedLeg(plan, remembered, accepted);
  calculate(plan);  // QQA-QQB
  calculate(plan);  // computed again by hand: no pair of its own
  accepted.values.originId = "QQB";
  accepted.values.destinationId = "qqc";
  takeAcceptedLeg(plan, remembered, accepted);
  // A second course before Calculate replaces the first.
  accepted.values.destinationId = "QQD";
  takeAcceptedLeg(plan, remembered, accepted);
  calculate(plan);

  std::vector<std::string> names;
  for (const NavLogLeg& leg : plan.navLog.legs) names.push_back(leg.name);
  EXPECT_EQ(names, (std::vector<std::string>{"QQA-QQB", "Leg 2", "QQB-QQD"}));
}

TEST_F(NavLogTest, ResetEmptiesTheLogAndForgetsThePendingPair) {
  FlightPlan plan = workedFlight();
  plan.navLog.nextLegName = routePairName("QQA", "QQB");
  resetFlight(plan);
  EXPECT_TRUE(plan.navLog.legs.empty());
  EXPECT_EQ(plan.navLog.nextLegName, "");

  plan.inputs = kWorkedLeg;
  calculate(plan);
  ASSERT_EQ(plan.navLog.legs.size(), 1u);
  EXPECT_EQ(plan.navLog.legs[0].name, "Leg 1");
  // The take-off picker kept its time through Reset: the new flight starts at the old arrival.
  EXPECT_EQ(plan.navLog.legs[0].takeOffText, "10:08:32");
}

TEST_F(NavLogTest, FuelShortLegIsFlaggedWithNoFuelLeft) {
  FlightPlan plan;
  plan.inputs = kWorkedLeg;
  plan.inputs.fuelOnBoard = 5;  // the leg burns 5.37
  plan.totals.nextTakeOff = kNineOClock;
  calculate(plan);
  ASSERT_EQ(plan.navLog.legs.size(), 1u);
  EXPECT_TRUE(plan.navLog.legs[0].fuelShort);
  const NavLogRow row = navLogRow(plan.navLog.legs[0]);
  EXPECT_EQ(row[static_cast<std::size_t>(NavLogColumn::FuelLeft)], "0");
  EXPECT_EQ(row[static_cast<std::size_t>(NavLogColumn::FuelBurned)], "5.37");
  EXPECT_EQ(row[static_cast<std::size_t>(NavLogColumn::FuelShort)], "yes");
}

TEST_F(NavLogTest, NegativeAndFractionalValuesUseTheFieldNotation) {
  NavLogLeg leg;
  leg.name = "Leg 1";
  leg.trueCourse = 45.68;
  leg.windDirection = 0;
  leg.windCorrectionAngle = -12;
  leg.compassHeading = 361;
  leg.distance = 1.0 / 3.0;
  leg.fuelLeft = -0.0;  // shown as 0, as in the window
  const NavLogRow row = navLogRow(leg);
  EXPECT_EQ(row[static_cast<std::size_t>(NavLogColumn::TrueCourse)], "45.68");
  EXPECT_EQ(row[static_cast<std::size_t>(NavLogColumn::WindDirection)], "0");
  EXPECT_EQ(row[static_cast<std::size_t>(NavLogColumn::WindCorrectionAngle)], "-12");
  EXPECT_EQ(row[static_cast<std::size_t>(NavLogColumn::CompassHeading)], "361");
  EXPECT_EQ(row[static_cast<std::size_t>(NavLogColumn::Distance)], "0.333333333333333");
  EXPECT_EQ(row[static_cast<std::size_t>(NavLogColumn::FuelLeft)], "0");
}

struct CsvCellCase {
  const char* name;
  std::string legName;
  std::string expectedCell;
};

class CsvCellTest : public ::testing::TestWithParam<CsvCellCase> {};

// The leg name is the only cell that can hold any byte: identifiers come from the
// pilot's airports file.
TEST_P(CsvCellTest, LegNameIsQuotedOnlyWhenItMustBe) {
  NavLog log;
  NavLogLeg leg;
  leg.name = GetParam().legName;
  log.legs.push_back(leg);
  const std::string csv = navLogCsv(log, FlightTotals{});
  const std::size_t rowStart = csv.find("\r\n") + 2;
  const std::string expectedStart = GetParam().expectedCell + ",0,0,0,0,0,0,0,0,0,0,0,,,,0,0,,no\r\n";
  EXPECT_EQ(csv.substr(rowStart, expectedStart.size()), expectedStart);
}

INSTANTIATE_TEST_SUITE_P(
    NavLog, CsvCellTest,
    ::testing::Values(CsvCellCase{"Plain", "QQA-QQB", "QQA-QQB"},
                      CsvCellCase{"Blanks", " A - B ", " A - B "},
                      CsvCellCase{"Comma", "Q,A-QQB", "\"Q,A-QQB\""},
                      CsvCellCase{"Quote", "Q\"A-QQB", "\"Q\"\"A-QQB\""},
                      CsvCellCase{"LineFeed", "Q\nA-QQB", "\"Q\nA-QQB\""},
                      CsvCellCase{"CarriageReturn", "Q\rA-QQB", "\"Q\rA-QQB\""},
                      CsvCellCase{"Utf8Kept", "\xC3\x84QA-QQB", "\xC3\x84QA-QQB"},
                      CsvCellCase{"Latin1Replaced", "\xC4QA-QQB", "\xEF\xBF\xBDQA-QQB"}),
    CaseName{});

TEST(NavLogCsv, EmptyLogHasHeadingsAndTotalsOnlyWithoutByteOrderMark) {
  const std::string csv = navLogCsv(NavLog{}, FlightTotals{});
  EXPECT_EQ(csv,
            "Leg,TC,WD,WV,TAS,WCA,TH,MH,CH,GS,Distance,ETE (min),Time Off,ETA,Actual Time Over,"
            "Fuel Burned,Fuel Left,Actual Fuel,Fuel Short\r\n"
            "Total,,,,,,,,,,0,0,,,,0,,,\r\n");
  EXPECT_NE(csv.substr(0, 3), "\xEF\xBB\xBF");
}

struct Utf8Case {
  const char* name;
  std::string text;
  std::string expected;
};

class ValidUtf8Test : public ::testing::TestWithParam<Utf8Case> {};

TEST_P(ValidUtf8Test, InvalidBytesBecomeReplacementCharacters) {
  EXPECT_EQ(validUtf8(GetParam().text), GetParam().expected);
}

const std::string kReplacement = "\xEF\xBF\xBD";

INSTANTIATE_TEST_SUITE_P(
    NavLog, ValidUtf8Test,
    ::testing::Values(Utf8Case{"Empty", "", ""},
                      Utf8Case{"Ascii", "KJFK-KBOS", "KJFK-KBOS"},
                      Utf8Case{"TwoBytes", "\xC3\xA9", "\xC3\xA9"},
                      Utf8Case{"ThreeBytes", "\xE2\x82\xAC", "\xE2\x82\xAC"},
                      Utf8Case{"FourBytes", "\xF0\x9F\x9B\xA9", "\xF0\x9F\x9B\xA9"},
                      Utf8Case{"LoneContinuation", "a\x80z", "a" + kReplacement + "z"},
                      Utf8Case{"OverlongTwoBytes", "\xC0\xAF", kReplacement + kReplacement},
                      Utf8Case{"OverlongThreeBytes", "\xE0\x80\xAF", kReplacement + kReplacement + kReplacement},
                      Utf8Case{"Surrogate", "\xED\xA0\x80", kReplacement + kReplacement + kReplacement},
                      Utf8Case{"BeyondUnicode", "\xF4\x90\x80\x80",
                               kReplacement + kReplacement + kReplacement + kReplacement},
                      Utf8Case{"CutShortAtEnd", "ab\xE2\x82", "ab" + kReplacement + kReplacement},
                      Utf8Case{"LeadFollowedByAscii", "\xC3Q", kReplacement + "Q"},
                      Utf8Case{"InvalidLeadF5", "\xF5", kReplacement},
                      Utf8Case{"NulKept", std::string("a\0b", 3), std::string("a\0b", 3)}),
    CaseName{});

struct DateCase {
  const char* name;
  LocalDateTime time;
  const char* expected;
};

class FormatDateTest : public ::testing::TestWithParam<DateCase> {};

TEST_P(FormatDateTest, IsoOrderWithPaddedFields) { EXPECT_EQ(formatDate(GetParam().time), GetParam().expected); }

INSTANTIATE_TEST_SUITE_P(NavLog, FormatDateTest,
                         ::testing::Values(DateCase{"Today", {2026, 12, 8, 9, 0, 0}, "2026-12-08"},
                                           DateCase{"FirstOfJanuary", {2027, 1, 1, 0, 0, 0}, "2027-01-01"},
                                           DateCase{"LastYear", {9999, 12, 31, 23, 59, 59}, "9999-12-31"},
                                           DateCase{"ShortYear", {752, 9, 14, 0, 0, 0}, "0752-09-14"}),
                         CaseName{});

}  // namespace
}  // namespace orvane
