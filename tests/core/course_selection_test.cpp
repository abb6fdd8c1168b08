// Choosing a leg's airports and handing the leg to the planner.

#include "core/course_selection.hpp"

#include "core/ascii.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace orvane {
namespace {

using Names = std::vector<std::string>;

constexpr std::string_view kWorkedAirports = "QQA:40.500000;-75.250000,\nQQB:41.750000;-72.500000,\n";

TEST(AirportList, SortedWithoutRegardToCaseKeepingDuplicates) {
  struct Case {
    const char* name;
    Names identifiers;  // in text order
    Names asWritten;
    Names upper;
  };
  const Case cases[] = {
      {"already sorted", {"QQA", "QQB"}, {"QQA", "QQB"}, {"QQA", "QQB"}},
      {"file order is not list order", {"ZNZ", "JFK", "BOS"}, {"BOS", "JFK", "ZNZ"}, {"BOS", "JFK", "ZNZ"}},
      {"case plays no part in the order", {"qqc", "QQB", "Qqa"}, {"Qqa", "QQB", "qqc"}, {"QQA", "QQB", "QQC"}},
      {"duplicates stay, in text order",
       {"QQA", "qqa", "AAA", "QQA"},
       {"AAA", "QQA", "qqa", "QQA"},
       {"AAA", "QQA", "QQA", "QQA"}},
      {"digits before letters", {"Q1A", "QAA", "1QQ"}, {"1QQ", "Q1A", "QAA"}, {"1QQ", "Q1A", "QAA"}},
      {"a shorter identifier before those it begins",
       {"QQA", "q", "QQ", "Q1"},
       {"q", "Q1", "QQ", "QQA"},
       {"Q", "Q1", "QQ", "QQA"}},
      {"other bytes compare as themselves",
       {"\xE9QA", "zz", "~AA", " AB"},
       {" AB", "zz", "~AA", "\xE9QA"},
       {" AB", "ZZ", "~AA", "\xE9QA"}},
      {"no airports", {}, {}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const AirportList written = makeAirportList(c.identifiers, ListCase::AsWritten);
    EXPECT_EQ(written.shown, c.asWritten);
    EXPECT_EQ(written.identifiers, c.asWritten);
    const AirportList upper = makeAirportList(c.identifiers, ListCase::Upper);
    EXPECT_EQ(upper.shown, c.upper);
    EXPECT_EQ(upper.identifiers, c.asWritten);  // each entry still knows its record
  }
}

// Any bytes, zero and those above ASCII too, in any length up to the airport text's three
// and beyond it: the same order as a plain stable sort by the same rule.
TEST(AirportList, OrderIsTheCaseBlindStableSortForAnyBytes) {
  for (const std::size_t longest : {std::size_t{3}, std::size_t{4}}) {
    SCOPED_TRACE(longest);
    Names identifiers;
    std::uint32_t state = 12345u;
    for (int i = 0; i < 3000; ++i) {
      state = state * 1664525u + 1013904223u;
      std::string identifier(state % (longest + 1), '\0');
      for (char& c : identifier) {
        state = state * 1664525u + 1013904223u;
        // Mostly letters of both cases, so that equal keys are many.
        const std::uint32_t pick = state >> 24;
        c = pick < 160 ? static_cast<char>("QqAa"[pick % 4]) : static_cast<char>(pick);
      }
      identifiers.push_back(identifier);
    }
    Names expected = identifiers;
    std::stable_sort(expected.begin(), expected.end(),
                     [](const std::string& a, const std::string& b) { return lessIgnoringCase(a, b); });
    EXPECT_EQ(makeAirportList(identifiers, ListCase::AsWritten).identifiers, expected);
  }
}

TEST(AirportList, SearchIsByWholeTextWithoutRegardToCase) {
  const AirportList list = makeAirportList({"QQB", "qqa", "QQA", "BOS", "BOSX"}, ListCase::Upper);
  ASSERT_EQ(list.shown, (Names{"BOS", "BOSX", "QQA", "QQA", "QQB"}));
  struct Case {
    const char* text;
    std::optional<std::size_t> entry;
  };
  const Case cases[] = {
      {"BOS", 0},
      {"bos", 0},
      {"BOSX", 1},
      {"qqa", 2},
      {"QQA", 2},
      {"QqB", 4},
      {"BO", std::nullopt},
      {"QQ", std::nullopt},
      {"QQBB", std::nullopt},
      {"", std::nullopt},
      {"ZZZ", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(findListEntry(list, c.text), c.entry);
  }
  EXPECT_EQ(findListEntry(makeAirportList({}, ListCase::Upper), "QQA"), std::nullopt);
}

TEST(LocateAirport, OwnRecordFirstThenAnotherCase) {
  const AirportTable table = parseAirportText("qqc:1;2,QQA:3;4,qqa:5;6,").table;
  EXPECT_EQ(locateAirport(table, "QQA"), (GeoPosition{3, 4}));
  EXPECT_EQ(locateAirport(table, "qqa"), (GeoPosition{5, 6}));
  EXPECT_EQ(locateAirport(table, "QQC"), (GeoPosition{1, 2}));  // shown in upper case, written in lower
  EXPECT_EQ(locateAirport(table, "QQD"), std::nullopt);
}

TEST(CourseWindowOpening, NextLegStartsWhereTheLastEnded) {
  RememberedAirports remembered{"QQA", "", {1, 2}, {3, 4}};
  CourseWindowValues opening = courseWindowOpening(remembered);
  EXPECT_EQ(opening.originId, "QQA");  // first leg: the home airport
  EXPECT_EQ(opening.destinationId, "");
  EXPECT_EQ(opening.origin, (GeoPosition{1, 2}));
  EXPECT_EQ(opening.destination, (GeoPosition{3, 4}));
  EXPECT_EQ(opening.destinationEntry, "");

  remembered.destinationId = "QQB";
  opening = courseWindowOpening(remembered);
  EXPECT_EQ(opening.originId, "QQB");
  EXPECT_EQ(opening.destinationId, "QQB");
  EXPECT_EQ(opening.origin, (GeoPosition{3, 4}));

  // A leg that ended at a typed position: the next starts there, with no identifier.
  remembered.destinationId = "";
  remembered.legTaken = true;
  opening = courseWindowOpening(remembered);
  EXPECT_EQ(opening.originId, "");
  EXPECT_EQ(opening.origin, (GeoPosition{3, 4}));
}

TEST(AirportIsAt, AnIdentifierGoesOnlyWithItsOwnAirportsPosition) {
  const AirportTable table = parseAirportText("BOS:42.363056;-71.006389,qqc:39.1;-74.9,").table;
  struct Case {
    const char* name;
    const char* id;
    GeoPosition position;
    bool own;
  };
  const Case cases[] = {
      {"its own position", "BOS", {42.363056, -71.006389}, true},
      {"its own position as the field shows it", "BOS", {42.3630560000000004, -71.0063890000000004}, true},
      {"written in another case", "QQC", {39.1, -74.9}, true},
      {"another latitude typed", "BOS", {49.9617, -71.006389}, false},
      {"another longitude typed", "BOS", {42.363056, 8.6419}, false},
      {"the last digit shown differs", "BOS", {42.3630560000001, -71.006389}, false},
      {"a position that cannot be read", "BOS", {std::nan(""), -71.006389}, false},
      {"not in the table", "EDK", {49.9617, 8.6419}, false},
      {"none", "", {0, 0}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(airportIsAt(table, c.id, c.position), c.own);
  }
}

TEST(PositionLabel, HundredthsWithHemispheres) {
  struct Case {
    GeoPosition position;
    const char* label;
  };
  const Case cases[] = {
      {{49.9617, 8.6419}, "49.96N 8.64E"}, {{-33.8651388888889, 151.2}, "33.87S 151.20E"},
      {{40.5, -75.25}, "40.50N 75.25W"},   {{0, 0}, "0.00N 0.00E"},
      {{-0.004, -0.001}, "0.00N 0.00E"},   {{-0.005, -179.995}, "0.01S 180.00W"},
      {{0.125, 1.075}, "0.13N 1.08E"},     {{500, -360}, "500.00N 360.00W"},
  };
  for (const Case& c : cases) EXPECT_EQ(positionLabel(c.position), c.label);
}

TEST(ChooseAirport, ChoiceSetsIdentifierAndPosition) {
  const ParsedAirports parsed = parseAirportText(std::string(kWorkedAirports) + "qqc:39.1;-74.9,");
  const AirportList origins = makeAirportList(parsed.identifiers, ListCase::AsWritten);
  const AirportList destinations = makeAirportList(parsed.identifiers, ListCase::Upper);
  CourseWindowValues values;
  values.destinationEntry = "typed";

  chooseOrigin(values, origins, *findListEntry(origins, "QQA"), parsed.table);
  EXPECT_EQ(values.originId, "QQA");
  EXPECT_EQ(values.origin, (GeoPosition{40.5, -75.25}));
  EXPECT_EQ(values.destinationEntry, "typed");  // the origin leaves the entry alone

  chooseDestination(values, destinations, *findListEntry(destinations, "QQB"), parsed.table);
  EXPECT_EQ(values.destinationId, "QQB");
  EXPECT_EQ(values.destinationEntry, "QQB");
  EXPECT_EQ(values.destination, (GeoPosition{41.75, -72.5}));

  // Written in lower case, shown in upper case: still its own position, never 0, 0.
  chooseDestination(values, destinations, *findListEntry(destinations, "QQC"), parsed.table);
  EXPECT_EQ(values.destinationId, "QQC");
  EXPECT_EQ(values.destination, (GeoPosition{39.1, -74.9}));
  chooseOrigin(values, origins, *findListEntry(origins, "qqc"), parsed.table);
  EXPECT_EQ(values.originId, "qqc");
  EXPECT_EQ(values.origin, (GeoPosition{39.1, -74.9}));

  // An entry beyond the list changes nothing.
  const CourseWindowValues before = values;
  chooseDestination(values, destinations, destinations.shown.size(), parsed.table);
  EXPECT_EQ(values.destination, before.destination);
  EXPECT_EQ(values.destinationId, before.destinationId);
}

TEST(ChooseAirport, DuplicateIdentifierGivesThePositionOfItsFirstRecord) {
  const ParsedAirports parsed = parseAirportText("QQA:1;2,QQA:3;4,");
  const AirportList list = makeAirportList(parsed.identifiers, ListCase::Upper);
  CourseWindowValues values;
  chooseDestination(values, list, 1, parsed.table);
  EXPECT_EQ(values.destination, (GeoPosition{1, 2}));
}

AcceptedLeg workedLeg() {
  AcceptedLeg leg;
  leg.values.originId = "QQA";
  leg.values.destinationId = "QQB";
  leg.values.origin = {40.5, -75.25};
  leg.values.destination = {41.75, -72.5};
  leg.course = computeCourseDistance(leg.values.origin, leg.values.destination);
  return leg;
}

TEST(TakeAcceptedLeg, WorkedLegReachesThePlanner) {
  FlightPlan plan;
  plan.results.groundSpeed = 95;
  plan.results.etaText = "9:37:55";
  plan.inputs.windVelocity = 20;
  RememberedAirports remembered{"QQA", "", {}, {}};

  const std::string message = takeAcceptedLeg(plan, remembered, workedLeg());
  EXPECT_EQ(message,
            "True Course is: 57.99 degrees,Distance is: 145.15 nautical miles,\n"
            "Enter wind parameters and press 'Calculate' button.");
  EXPECT_EQ(plan.inputs.trueCourse, 58);
  EXPECT_EQ(plan.inputs.distance, 145.15);
  EXPECT_EQ(plan.inputs.flightDistance, 145.15);
  EXPECT_EQ(plan.inputs.windVelocity, 20);  // the wind is the pilot's to enter next
  EXPECT_EQ(plan.results.groundSpeed, 0);   // the last leg's results are cleared
  EXPECT_EQ(plan.results.etaText, "");
  EXPECT_EQ(plan.totals.routeLine, " QQA ---> QQB ;");
  EXPECT_EQ(remembered.originId, "QQA");
  EXPECT_EQ(remembered.destinationId, "QQB");
  EXPECT_EQ(remembered.origin, (GeoPosition{40.5, -75.25}));
  EXPECT_EQ(remembered.destination, (GeoPosition{41.75, -72.5}));

  // The next leg.
  AcceptedLeg back;
  back.values = courseWindowOpening(remembered);
  EXPECT_EQ(back.values.originId, "QQB");
  EXPECT_EQ(back.values.origin, (GeoPosition{41.75, -72.5}));
  back.values.destinationId = "QQA";
  back.values.destination = {40.5, -75.25};
  back.course = computeCourseDistance(back.values.origin, back.values.destination);
  takeAcceptedLeg(plan, remembered, back);
  EXPECT_EQ(plan.totals.routeLine, " QQA ---> QQB ; QQB ---> QQA ;");
  EXPECT_EQ(plan.inputs.trueCourse, 240);  // 239.80
  EXPECT_EQ(remembered.originId, "QQB");
}

// A typed end has no identifier: the route line and the nav log name its position, and
// a typed origin leaves the home airport that Save Defaults writes.
TEST(TakeAcceptedLeg, TypedPositionsAreNamedByTheirPosition) {
  struct Case {
    const char* name;
    const char* originId;
    const char* destinationId;
    const char* route;
    const char* legName;
    const char* homeAirport;
  };
  const Case cases[] = {
      {"both airports", "QQA", "QQB", " QQA ---> QQB ;", "QQA-QQB", "QQA"},
      {"typed destination", "QQA", "", " QQA ---> 41.75N 72.50W ;", "QQA-41.75N 72.50W", "QQA"},
      {"typed origin", "", "QQB", " 40.50N 75.25W ---> QQB ;", "40.50N 75.25W-QQB", "HOME"},
      {"both typed", "", "", " 40.50N 75.25W ---> 41.75N 72.50W ;", "40.50N 75.25W-41.75N 72.50W", "HOME"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FlightPlan plan;
    RememberedAirports remembered{"HOME", "", {}, {}};
    AcceptedLeg leg = workedLeg();
    leg.values.originId = c.originId;
    leg.values.destinationId = c.destinationId;
    takeAcceptedLeg(plan, remembered, leg);
    EXPECT_EQ(plan.totals.routeLine, c.route);
    EXPECT_EQ(plan.navLog.nextLegName, c.legName);
    EXPECT_EQ(remembered.originId, c.homeAirport);
    EXPECT_EQ(remembered.destinationId, c.destinationId);
    // The next leg starts where this one ended.
    const CourseWindowValues next = courseWindowOpening(remembered);
    EXPECT_EQ(next.originId, c.destinationId);
    EXPECT_EQ(next.origin, leg.values.destination);
  }
}

TEST(TakeAcceptedLeg, CourseIsRoundedToWholeDegreesAfterTheMessage) {
  struct Case {
    double course;
    double tc;
    const char* shown;
  };
  const Case cases[] = {
      {0, 0, "0.00"},         {57.49, 57, "57.49"},    {57.5, 58, "57.50"},  {359.49, 359, "359.49"},
      {359.5, 360, "359.50"}, {359.99, 360, "359.99"}, {360, 360, "360.00"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.course);
    FlightPlan plan;
    RememberedAirports remembered;
    AcceptedLeg leg = workedLeg();
    leg.course.trueCourse = c.course;
    const std::string message = takeAcceptedLeg(plan, remembered, leg);
    EXPECT_EQ(plan.inputs.trueCourse, c.tc);
    EXPECT_NE(message.find(std::string("True Course is: ") + c.shown + " degrees,"), std::string::npos) << message;
  }
}

TEST(CourseDistanceMessage, HundredthsByTheProgramsOwnRounding) {
  struct Case {
    CourseDistance course;
    const char* text;
  };
  const Case cases[] = {
      {{90, 60, false}, "True Course is: 90.00 degrees,Distance is: 60.00 nautical miles,"},
      {{0.125, 1.075, false}, "True Course is: 0.13 degrees,Distance is: 1.08 nautical miles,"},
      {{81.32, 10800, false}, "True Course is: 81.32 degrees,Distance is: 10800.00 nautical miles,"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(courseDistanceMessage(c.course),
              std::string(c.text) + "\nEnter wind parameters and press 'Calculate' button.");
  }
}

TEST(CourseWindowEdges, DestinationLatitudeFarOutsideGivesNumbersOrAZeroDistance) {
  for (double latitude : {500.0, -500.0, 1e6, 1e300, 90.0000001, 270.0}) {
    SCOPED_TRACE(latitude);
    const CourseDistance result = computeCourseDistance({40.5, -75.25}, {latitude, -72.5});
    if (!result.zeroDistance) {
      EXPECT_TRUE(std::isfinite(result.trueCourse));
      EXPECT_TRUE(std::isfinite(result.distance));
      EXPECT_GT(result.distance, 0);
      EXPECT_NE(courseDistanceMessage(result).find("nautical miles"), std::string::npos);
      EXPECT_EQ(courseDistanceMessage(result).find("nan"), std::string::npos);
    }
  }
}

}  // namespace
}  // namespace orvane
