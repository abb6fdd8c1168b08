// How the nav log falls onto its pages: the columns' widths, which legs each page
// holds, and how the route line wraps, measured with a stand-in for the fonts in which
// every byte is one unit wide.

#include "core/nav_log_layout.hpp"

#include <gtest/gtest.h>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/flight.hpp"
#include "test_support.hpp"

namespace orvane {
namespace {

using test::CaseName;

// One unit a byte in every face; an elided text keeps what fits beside a "~".
NavLogMeasure byteMeasure() {
  return {
      [](NavLogFace, std::string_view text) { return static_cast<double>(text.size()); },
      [](NavLogFace, std::string_view text, double room) {
        if (static_cast<double>(text.size()) <= room) return std::string(text);
        const auto kept = room >= 1 ? static_cast<std::size_t>(room) - 1 : 0;
        return std::string(text.substr(0, kept)) + "~";
      },
      [](NavLogFace) {
        return NavLogFaceHeights{4, 5};
      },
  };
}

// A paper `width` units wide, a unit a millimetre.
NavLogPaper paperOf(double width, double height = 190) { return {width, height, 1}; }

// --- Column widths --------------------------------------------------------------

struct ColumnCase {
  std::string name;
  std::string leg;  // the leg's name, in both tables
  std::string ete;
  double pageWidth;
  std::vector<double> headings;  // Leg, TC
  std::vector<double> times;     // Leg, ETE, ATA (a box to write in)
};

class ColumnWidths : public ::testing::TestWithParam<ColumnCase> {};

// A cell's text with the column's padding of 1 mm on each side; the box to write in at
// least 13 mm, and no less than 11 mm; the leg column 11 to 30 mm.
TEST_P(ColumnWidths, FitTheirTextsAndThePage) {
  const ColumnCase& c = GetParam();
  NavLogTable headings{"Headings", {{"Leg", false}, {"TC"}}, {{{c.leg}, {"058"}}}, std::nullopt, {}};
  NavLogTable times{
      "Times", {{"Leg", false}, {"ETE"}, {"ATA", true, true}}, {{{c.leg}, {c.ete}, {}}}, std::nullopt, {}};
  fitNavLogColumns(headings, times, paperOf(c.pageWidth), byteMeasure());
  ASSERT_EQ(headings.widths.size(), c.headings.size());
  ASSERT_EQ(times.widths.size(), c.times.size());
  for (std::size_t i = 0; i < c.headings.size(); ++i) EXPECT_DOUBLE_EQ(headings.widths[i], c.headings[i]) << i;
  for (std::size_t i = 0; i < c.times.size(); ++i) EXPECT_DOUBLE_EQ(times.widths[i], c.times[i]) << i;
}

const std::string kLongName(40, 'X');
const std::string kMiddleName(20, 'X');

INSTANTIATE_TEST_SUITE_P(
    NavLogLayout, ColumnWidths,
    ::testing::Values(
        // Headings: the room beside the leg goes to TC, the one column after it.
        ColumnCase{"EachAsWideAsItsText", "A-B", "37:55", 25, {5, 20}, {5, 7, 13}},
        ColumnCase{"AWiderTextWidensItsColumn", "A-B", "1:37:55", 27, {5, 22}, {5, 9, 13}},
        ColumnCase{"ALongerLegNameWidensTheLegColumn", "QQA-QQB", "37:55", 29, {9, 20}, {9, 7, 13}},
        ColumnCase{"ALegNameStopsAt30Mm", kLongName, "37:55", 50, {30, 20}, {30, 7, 13}},
        ColumnCase{"RoomLeftOverWidensTheBoxFirst", "A-B", "37:55", 30, {5, 25}, {5, 7, 18}},
        ColumnCase{"BeyondTheRoomiestBoxEveryColumnButTheLeg", "A-B", "37:55", 34, {5, 29}, {5, 9, 20}},
        ColumnCase{"ANarrowPageNarrowsTheBoxFirst", "A-B", "37:55", 23, {5, 18}, {5, 7, 11}},
        ColumnCase{"ThenTheLegNameGivesWay", kMiddleName, "37:55", 31, {13, 18}, {13, 7, 11}},
        ColumnCase{"NarrowerStillEveryColumnAlike",
                   kMiddleName,
                   "37:55",
                   20,
                   {11, 9},
                   {11.0 * 20 / 29, 7.0 * 20 / 29, 11.0 * 20 / 29}}),
    CaseName{});

// A two-line heading is as wide as its wider line; a bold totals cell counts too.
TEST(NavLogLayout, HeadingsAndTotalsWidenTheirColumns) {
  NavLogTable headings{"Headings", {{"Leg", false}, {"Fuel\nBurned"}}, {}, std::nullopt, {}};
  NavLogTable times{"Times", {{"Leg", false}, {"TC"}}, {}, NavLogCells{{"Total", true}, {"214.8"}}, {}};
  fitNavLogColumns(headings, times, paperOf(15), byteMeasure());
  EXPECT_DOUBLE_EQ(headings.widths[0], 7);  // "Total" in the other table
  EXPECT_DOUBLE_EQ(headings.widths[1], 8);  // "Burned"
  EXPECT_DOUBLE_EQ(times.widths[1], 8);     // "214.8" and the room left
}

// --- Pages -----------------------------------------------------------------------

struct PageCase {
  std::string name;
  std::size_t legs;
  std::size_t perPage;
  std::size_t onLastPage;
  std::vector<NavLogPageLegs> pages;
};

class Pages : public ::testing::TestWithParam<PageCase> {};

TEST_P(Pages, HoldEveryLegOnceInOrder) {
  const PageCase& c = GetParam();
  EXPECT_EQ(paginateNavLog(c.legs, c.perPage, c.onLastPage), c.pages);
}

INSTANTIATE_TEST_SUITE_P(NavLogLayout, Pages,
                         ::testing::Values(PageCase{"NoLegsOnePage", 0, 10, 8, {{0, 0}}},
                                           PageCase{"AllOnTheLastPage", 8, 10, 8, {{0, 8}}},
                                           PageCase{"ExactlyAPageFull", 10, 10, 10, {{0, 10}}},
                                           PageCase{"OneLegOverBreaksThePage", 11, 10, 10, {{0, 10}, {10, 1}}},
                                           PageCase{"TheLastPageKeepsRoomForTheClosing", 9, 10, 8, {{0, 8}, {8, 1}}},
                                           PageCase{"FullPagesThenTheLast", 25, 10, 8, {{0, 10}, {10, 10}, {20, 5}}},
                                           PageCase{"TheClosingOnAPageOfItsOwn", 10, 10, 0, {{0, 10}, {10, 0}}},
                                           PageCase{"APageHoldsAtLeastOneLeg", 2, 0, 0, {{0, 1}, {1, 1}, {2, 0}}}),
                         CaseName{});

TEST(NavLogLayout, LegsInRoomAreWholeLegs) {
  EXPECT_EQ(navLogLegsInRoom(27.9, 14), 1u);
  EXPECT_EQ(navLogLegsInRoom(28, 14), 2u);
  EXPECT_EQ(navLogLegsInRoom(13.9, 14), 0u);
  EXPECT_EQ(navLogLegsInRoom(-5, 14), 0u);
}

// --- The route line ---------------------------------------------------------------

struct RouteCase {
  std::string name;
  std::string route;
  double width;
  std::vector<std::string> lines;
};

class RouteLines : public ::testing::TestWithParam<RouteCase> {};

TEST_P(RouteLines, WrapAfterLegsThenWords) {
  const RouteCase& c = GetParam();
  EXPECT_EQ(wrapNavLogRoute(c.route, c.width, byteMeasure()), c.lines);
}

INSTANTIATE_TEST_SUITE_P(
    NavLogLayout, RouteLines,
    ::testing::Values(RouteCase{"OneLine", " QQA ---> QQB ; QQB ---> QQC ;", 100, {"QQA ---> QQB ; QQB ---> QQC ;"}},
                      RouteCase{"BreaksAfterALeg", " A ---> B ; B ---> C ;", 12, {"A ---> B ;", "B ---> C ;"}},
                      RouteCase{"ALegWiderThanTheLineBreaksBetweenWords", " QQA ---> QQB ;", 9, {"QQA --->", "QQB ;"}},
                      RouteCase{"AnOverLongWordIsElided", " WESTERNREGIONAL ---> B ;", 8, {"WESTERN~", "---> B ;"}},
                      RouteCase{"NoClosingSemicolonAddsNone", "A ---> B ; B ---> C", 100, {"A ---> B ; B ---> C"}},
                      RouteCase{"UnicodeSpacesAreTrimmed", "\u00a0A ---> B\u3000;\u2029", 100, {"A ---> B ;"}},
                      RouteCase{"ABlankRouteHasNoLines", " \t ", 100, {}}),
    CaseName{});

// --- The tables and the whole layout -----------------------------------------------

NavLogLeg legOf(std::string name, bool fuelShort) {
  NavLogLeg leg;
  leg.name = std::move(name);
  leg.fuelLeft = fuelShort ? 0 : 2.63;
  leg.fuelShort = fuelShort;
  return leg;
}

// The fuel left of a leg the fuel did not cover says so, in bold and framed; the mark
// comes from the leg itself.
TEST(NavLogLayout, FuelShortLegIsMarkedInItsFuelLeftCell) {
  const NavLog log{{legOf("QQA-QQB", false), legOf("QQB-QQC", true)}, {}};
  const NavLogTable times = navLogTimesTable(log, FlightTotals{});
  constexpr auto kFuelLeft = 7;
  ASSERT_EQ(times.columns[kFuelLeft].heading, "Fuel\nLeft");
  EXPECT_EQ(times.legs[0][kFuelLeft], (NavLogCell{"2.63", false, false}));
  EXPECT_EQ(times.legs[1][kFuelLeft], (NavLogCell{"0 short", true, true}));
  EXPECT_EQ(times.legs[1][0], (NavLogCell{"QQB-QQC"}));
  ASSERT_TRUE(times.totals);
  EXPECT_EQ((*times.totals)[0], (NavLogCell{"Total", true}));
}

// A route too long for a third of the page ends in an elided line; the closing it
// makes keeps legs off the last page.
TEST(NavLogLayout, LongRouteTakesAThirdOfThePageAtMost) {
  FlightTotals totals;
  for (int n = 0; n < 100; ++n) totals.routeLine += " QQA ---> QQB ;";
  const NavLog log{std::vector<NavLogLeg>(3, legOf("QQA-QQB", false)), {}};
  const NavLogLayout layout = layOutNavLog(log, totals, false, paperOf(128), byteMeasure());
  // Body: 190 less the header (4 + 1 + 3) and the footer (4 + 2); a line is 5 apart.
  const std::size_t fitting = static_cast<std::size_t>((190.0 - 8 - 6) / 3 / 5);
  ASSERT_EQ(layout.routeLines.size(), fitting);
  EXPECT_EQ(layout.routeLines.back().back(), '~');
  EXPECT_EQ(layout.routeIndent, 7);  // "Route" and two spaces
  std::size_t shown = 0;
  for (const NavLogPageLegs& page : layout.pages) shown += page.count;
  EXPECT_EQ(shown, 3u);
}

TEST(NavLogLayout, EmptyLogIsOnePageWithoutARoute) {
  const NavLogLayout layout = layOutNavLog(NavLog{}, FlightTotals{}, true, paperOf(128), byteMeasure());
  EXPECT_EQ(layout.pages, (std::vector<NavLogPageLegs>{{0, 0}}));
  EXPECT_TRUE(layout.routeLines.empty());
  EXPECT_TRUE(layout.headings.legs.empty());
  EXPECT_DOUBLE_EQ(layout.rowHeight, 7);  // the least row a pen writes in
}

}  // namespace
}  // namespace orvane
