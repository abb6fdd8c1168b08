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
  EXPECT_EQ(
      navLogCsv(plan.navLog, plan.totals),
      "Leg,TC,TC (deg),Wind,WD (deg),WV,TAS,WCA,WCA (deg),TH,TH (deg),MH,MH (deg),CH,CH (deg),GS,Distance,"
      "ETE,ETE (min),Time Off,ETA,Arrival Day,Actual Time Over,Fuel Burned,Fuel Left,Actual Fuel,Fuel Short\r\n"
      "Leg 1,090,90,045/20,45,20,110,7 L,7,083,83,078,78,080,80,95,60,37:55,37.92,9:00:00,9:37:55,0,,5.37,34.63,,no\r\n"
      "Leg 2,090,90,045/20,45,20,110,7 L,7,083,83,078,78,080,80,95,48.448,30:37,30.62,9:37:55,10:08:32,0,,4.34,30.29,,no\r\n"
      "Total,,,,,,,,,,,,,,,,108.448,1:09,68.54,,,,,9.71,,,\r\n");
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
  EXPECT_EQ(row[static_cast<std::size_t>(NavLogColumn::Ete)], "30:00");
  EXPECT_EQ(row[static_cast<std::size_t>(NavLogColumn::EteMinutes)], "30.01");
  EXPECT_EQ(row[static_cast<std::size_t>(NavLogColumn::Distance)], "0.3");
  EXPECT_EQ(row[static_cast<std::size_t>(NavLogColumn::FuelBurned)], "12.5");
  for (NavLogColumn empty :
       {NavLogColumn::TrueCourse, NavLogColumn::TakeOff, NavLogColumn::ActualFuel, NavLogColumn::FuelShort}) {
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
  EXPECT_EQ(row[static_cast<std::size_t>(NavLogColumn::TrueCourseDegrees)], "45.68");
  EXPECT_EQ(row[static_cast<std::size_t>(NavLogColumn::WindDirection)], "0");
  EXPECT_EQ(row[static_cast<std::size_t>(NavLogColumn::WindCorrectionDegrees)], "-12");
  EXPECT_EQ(row[static_cast<std::size_t>(NavLogColumn::CompassHeadingDegrees)], "361");
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
  const std::string expectedStart =
      GetParam().expectedCell + ",360,0,calm,0,0,0,0,0,360,0,360,0,360,0,0,0,0:00,0,,,0,,0,0,,no\r\n";
  EXPECT_EQ(csv.substr(rowStart, expectedStart.size()), expectedStart);
}

INSTANTIATE_TEST_SUITE_P(NavLog, CsvCellTest,
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
            "Leg,TC,TC (deg),Wind,WD (deg),WV,TAS,WCA,WCA (deg),TH,TH (deg),MH,MH (deg),CH,CH (deg),GS,Distance,"
            "ETE,ETE (min),Time Off,ETA,Arrival Day,Actual Time Over,Fuel Burned,Fuel Left,Actual Fuel,Fuel Short\r\n"
            "Total,,,,,,,,,,,,,,,,0,0:00,0,,,,,0,,,\r\n");
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
    ::testing::Values(
        Utf8Case{"Empty", "", ""}, Utf8Case{"Ascii", "KJFK-KBOS", "KJFK-KBOS"},
        Utf8Case{"TwoBytes", "\xC3\xA9", "\xC3\xA9"}, Utf8Case{"ThreeBytes", "\xE2\x82\xAC", "\xE2\x82\xAC"},
        Utf8Case{"FourBytes", "\xF0\x9F\x9B\xA9", "\xF0\x9F\x9B\xA9"},
        Utf8Case{"LoneContinuation", "a\x80z", "a" + kReplacement + "z"},
        Utf8Case{"OverlongTwoBytes", "\xC0\xAF", kReplacement + kReplacement},
        Utf8Case{"OverlongThreeBytes", "\xE0\x80\xAF", kReplacement + kReplacement + kReplacement},
        Utf8Case{"Surrogate", "\xED\xA0\x80", kReplacement + kReplacement + kReplacement},
        Utf8Case{"BeyondUnicode", "\xF4\x90\x80\x80", kReplacement + kReplacement + kReplacement + kReplacement},
        Utf8Case{"CutShortAtEnd", "ab\xE2\x82", "ab" + kReplacement + kReplacement},
        Utf8Case{"LeadFollowedByAscii", "\xC3Q", kReplacement + "Q"}, Utf8Case{"InvalidLeadF5", "\xF5", kReplacement},
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

// The pilot's notation, one row per text: the function that writes it, its input, and
// the text. ETE: m:ss under an hour (seconds dropped as the clock drops them), h:mm from
// an hour on (to the nearest minute).
struct NotationCase {
  const char* name;
  std::string text;
  std::string expected;
};

class NotationTest : public ::testing::TestWithParam<NotationCase> {};

TEST_P(NotationTest, WritesThePilotsText) { EXPECT_EQ(GetParam().text, GetParam().expected); }

INSTANTIATE_TEST_SUITE_P(
    NavLog, NotationTest,
    ::testing::Values(
        NotationCase{"CourseThreeDigits", threeDigitDirection(20), "020"},
        NotationCase{"CourseRounded", threeDigitDirection(57.61), "058"},
        NotationCase{"CourseOneDigit", threeDigitDirection(4.49), "004"},
        NotationCase{"NorthIs360", threeDigitDirection(0), "360"},
        NotationCase{"RoundsUpToNorth", threeDigitDirection(359.5), "360"},
        NotationCase{"CompassPast360", threeDigitDirection(361), "001"},
        NotationCase{"CompassBelow0", threeDigitDirection(-2), "358"},
        NotationCase{"Wind", windText(250, 15), "250/15"}, NotationCase{"WindFromNorth", windText(0, 8), "360/8"},
        NotationCase{"WindRounded", windText(44.6, 19.5), "045/20"}, NotationCase{"Calm", windText(270, 0), "calm"},
        NotationCase{"CalmWhenBelowHalf", windText(270, 0.4), "calm"},
        NotationCase{"WcaLeft", windCorrectionText(7), "7 L"}, NotationCase{"WcaRight", windCorrectionText(-2), "2 R"},
        NotationCase{"WcaNone", windCorrectionText(0), "0"}, NotationCase{"EteMinutesSeconds", eteText(37.92), "37:55"},
        NotationCase{"EteShort", eteText(5.05), "5:03"}, NotationCase{"EteZero", eteText(0), "0:00"},
        NotationCase{"EteLastSecondOfHour", eteText(59.999), "59:59"}, NotationCase{"EteOneHour", eteText(60), "1:00"},
        NotationCase{"EteHoursMinutes", eteText(83.6), "1:24"}, NotationCase{"EteHalfMinuteUp", eteText(83.5), "1:24"},
        NotationCase{"EteBelowHalfMinute", eteText(83.49), "1:23"},
        NotationCase{"EteManyHours", eteText(1439.99), "24:00"}, NotationCase{"EteNegative", eteText(-1), ""},
        NotationCase{"EteNotANumber", eteText(test::kNaN), ""},
        NotationCase{"SameDay", dayMarkedClock("23:40:00", 0), "23:40:00"},
        NotationCase{"NextDay", dayMarkedClock("0:12:00", 1), "0:12:00 +1"},
        NotationCase{"TwoDaysOn", dayMarkedClock("1:00:00", 2), "1:00:00 +2"},
        NotationCase{"DayBefore", dayMarkedClock("23:00:00", -1), "23:00:00 -1"}),
    CaseName{});

struct DaysCase {
  const char* name;
  LocalDateTime from;
  LocalDateTime to;
  int days;
};

class DaysBetweenTest : public ::testing::TestWithParam<DaysCase> {};

TEST_P(DaysBetweenTest, CountsCalendarDays) { EXPECT_EQ(daysBetween(GetParam().from, GetParam().to), GetParam().days); }

INSTANTIATE_TEST_SUITE_P(NavLog, DaysBetweenTest,
                         ::testing::Values(DaysCase{"SameDay", {2026, 12, 8, 0, 0, 0}, {2026, 12, 8, 23, 59, 59}, 0},
                                           DaysCase{
                                               "PastMidnight", {2026, 12, 8, 23, 50, 0}, {2026, 12, 9, 0, 10, 0}, 1},
                                           DaysCase{"NewYear", {2026, 12, 31, 22, 0, 0}, {2027, 1, 1, 1, 0, 0}, 1},
                                           DaysCase{"LeapDay", {2028, 2, 28, 12, 0, 0}, {2028, 3, 1, 12, 0, 0}, 2},
                                           DaysCase{"Earlier", {2026, 3, 1, 0, 0, 0}, {2026, 2, 28, 0, 0, 0}, -1}),
                         CaseName{});

// The worked leg taking off at 23:40 arrives at 0:17:55 the next day; the next leg
// arrives on that day too (its take-off is the mark's time already).
TEST_F(NavLogTest, ArrivalAfterMidnightIsMarked) {
  FlightPlan plan;
  plan.inputs = kWorkedLeg;
  plan.totals.nextTakeOff = {2026, 12, 31, 23, 40, 0};
  calculate(plan);
  calculate(plan);
  ASSERT_EQ(plan.navLog.legs.size(), 2u);
  const NavLogRow first = navLogRow(plan.navLog.legs[0]);
  const NavLogRow second = navLogRow(plan.navLog.legs[1]);
  const auto at = [](const NavLogRow& row, NavLogColumn column) { return row[static_cast<std::size_t>(column)]; };
  EXPECT_EQ(at(first, NavLogColumn::TakeOff), "23:40:00");
  EXPECT_EQ(at(first, NavLogColumn::Eta), "0:17:55 +1");
  EXPECT_EQ(at(first, NavLogColumn::ArrivalDay), "1");
  EXPECT_EQ(at(second, NavLogColumn::TakeOff), "0:17:55");
  EXPECT_EQ(plan.navLog.legs[1].takeOffDay, 1);
  EXPECT_EQ(at(second, NavLogColumn::Eta), "0:55:50 +1");
}

// The example fuel check under the worked flight's totals, and a short one.
TEST_F(NavLogTest, FuelRowsFollowTheTotals) {
  const FlightPlan plan = workedFlight();
  const FuelFlight flight{.tripGallons = plan.totals.totalFuelUsed,
                          .tripMinutes = plan.totals.totalEteMinutes,
                          .fuelOnBoard = 40,
                          .conditions = plan.inputs};
  const FuelPolicy policy{.taxiGallons = 1, .contingencyPercent = 5, .finalReserveMinutes = 30, .alternate = {}};
  const std::string csv = navLogCsv(plan.navLog, plan.totals, planFuel(policy, flight));
  // 1 + 9.71 + 0.49 + 4.25 = 15.45 gal; 7.06 + 68.54 + 3.43 + 30 = 109.03 min.
  EXPECT_NE(csv.find("Total,,,,,,,,,,,,,,,,108.448,1:09,68.54,,,,,9.71,,,\r\n"
                     "Fuel Required,,,,,,,,,,,,,,,,,1:49,109.03,,,,,15.45,,,\r\n"
                     "Fuel on Board,,,,,,,,,,,,,,,,,4:42,282.35,,,,,40,,,\r\n"
                     "Extra Fuel,,,,,,,,,,,,,,,,,2:53,173.29,,,,,24.55,,,\r\n"),
            std::string::npos)
      << csv;

  FuelFlight little = flight;
  little.fuelOnBoard = 15;
  const std::vector<NavLogRow> rows = navLogFuelRows(planFuel(policy, little));
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[2][static_cast<std::size_t>(NavLogColumn::Leg)], "Fuel Short");
  EXPECT_EQ(rows[2][static_cast<std::size_t>(NavLogColumn::FuelBurned)], "0.45");
}

}  // namespace
}  // namespace orvane
