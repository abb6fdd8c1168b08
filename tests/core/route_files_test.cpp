#include "core/route_files.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ostream>
#include <string>
#include <vector>

#include "core/airport_directory.hpp"
#include "core/airports.hpp"
#include "core/geo.hpp"
#include "core/magnetic.hpp"
#include "core/route_exchange.hpp"
#include "temp_folder.hpp"

namespace orvane {

void PrintTo(const RoutePoint& point, std::ostream* out) {
  *out << point.name << " " << point.position.latitude << " " << point.position.longitude
       << (point.kind == RoutePointKind::Airport ? " airport" : " user waypoint");
}

namespace {

namespace fs = std::filesystem;
using test::TempFolder;
using test::writeBytes;

const LocalDateTime kCreated{2026, 1, 1, 9, 0, 0};
const fs::path kExchange = ORVANE_EXCHANGE_FOLDER;
const fs::path kSchemas = ORVANE_SCHEMA_FOLDER;

AirportTable shippedAirports() {
  AirportDatabase airports;
  EXPECT_EQ(loadAirportDatabase(airports, fs::path(ORVANE_DATA_FOLDER) / "airports.fly"), AirportsLoad::Loaded);
  return parseAirportText(airports.text).table;
}

/// The shipped directory of the world's airfields; null (and a failure) when it cannot be read.
const AirportDirectory* shippedDirectory() {
  static const DirectoryLoad load =
      loadAirportDirectory(fs::path(ORVANE_DATA_FOLDER) / std::string(kAirportDirectoryFileName));
  EXPECT_EQ(load.outcome, DirectoryOutcome::Opened);
  return load.directory.get();
}

/// JFK to PVD to BOS from the shipped airports, as the planner hands it over for export:
/// the directory's KJFK, KPVD and KBOS.
Route exampleRoute() {
  const AirportTable airports = shippedAirports();
  Route route;
  for (const char* id : {"JFK", "PVD", "BOS"}) {
    route.points.push_back(exportedRoutePoint(
        routePointFor(id, findAirport(airports, id).value_or(GeoPosition{}), airports), shippedDirectory()));
  }
  route.name = routeNameFor(route);
  return route;
}

struct Leg {
  double trueCourse;
  double distance;
};

std::vector<Leg> legsOf(const Route& route) {
  std::vector<Leg> legs;
  for (std::size_t i = 1; i < route.points.size(); ++i) {
    const CourseDistance cd = computeCourseDistance(route.points[i - 1].position, route.points[i].position);
    legs.push_back({cd.trueCourse, cd.distance});
  }
  return legs;
}

void expectLegs(const Route& route, const std::vector<Leg>& expected) {
  const std::vector<Leg> legs = legsOf(route);
  ASSERT_EQ(legs.size(), expected.size());
  for (std::size_t i = 0; i < legs.size(); ++i) {
    EXPECT_DOUBLE_EQ(legs[i].trueCourse, expected[i].trueCourse) << "leg " << i + 1;
    EXPECT_DOUBLE_EQ(legs[i].distance, expected[i].distance) << "leg " << i + 1;
  }
}

/// Runs a shell command; its standard error is returned through `errors`.
int run(const std::string& command, const TempFolder& folder, std::string* errors = nullptr) {
  const fs::path errorFile = folder.file("stderr.txt");
  const int status = std::system((command + " 2>'" + errorFile.string() + "'").c_str());
  if (errors != nullptr) *errors = test::readBytes(errorFile);
  return status;
}

void expectValid(const fs::path& file, RouteFormat format) {
  const fs::path schema = kSchemas / (format == RouteFormat::FlightPlan ? "garmin-flightplan-v1.xsd" : "gpx-1.1.xsd");
  ASSERT_TRUE(fs::exists(schema)) << schema << " is missing";
  TempFolder folder;
  std::string errors;
  EXPECT_EQ(run("xmllint --noout --schema '" + schema.string() + "' '" + file.string() + "'", folder, &errors), 0)
      << errors;
}

TEST(RouteFiles, TheExampleFlightIsWrittenAsCommittedValidAndReadBackAsTheSameLegs) {
  const Route route = exampleRoute();
  for (const auto& [format, name] :
       {std::pair{RouteFormat::FlightPlan, "example-flight.fpl"}, std::pair{RouteFormat::Gpx, "example-flight.gpx"}}) {
    SCOPED_TRACE(name);
    const RouteFileText written = writeRouteFile(route, format, kCreated);
    EXPECT_EQ(written.problem, "");
    EXPECT_TRUE(written.changes.empty());
    EXPECT_EQ(written.text, test::readBytes(kExchange / name));
    expectValid(kExchange / name, format);
    // The airports go out under their ICAO codes, never the airline codes of airports.fly.
    EXPECT_EQ(written.text.find(">JFK<"), std::string::npos);

    const RouteReading read = readRouteFile(kExchange / name);
    ASSERT_EQ(read.outcome, RouteReadOutcome::Read) << read.message;
    EXPECT_EQ(read.format, format);
    EXPECT_EQ(read.route.name, "KJFK/KBOS");
    ASSERT_EQ(read.route.points.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
      EXPECT_EQ(read.route.points[i].name, route.points[i].name);
      EXPECT_EQ(read.route.points[i].position, route.points[i].position);
    }
    expectLegs(read.route, {{57.61, 125.06}, {25.88, 42.18}});
  }
}

// A point goes out as an airport only when it is the directory's airport with an ICAO
// code; the same code elsewhere, a typed position or a field without one stays a user
// waypoint at its own position.
TEST(RouteFiles, ExportTakesAPointAsAnAirportOnlyWhereTheDirectoryHasIt) {
  const AirportDirectory* directory = shippedDirectory();
  ASSERT_NE(directory, nullptr);
  const GeoPosition jfk{40.639801, -73.7789};  // airports.fly's JFK
  const auto directoryPosition = [&](std::string_view code) {
    const auto found = directory->findByCode(code);
    EXPECT_TRUE(found.has_value()) << code;
    return found ? directory->airport(*found).position : GeoPosition{};
  };
  const GeoPosition noIcao = directoryPosition("00AA");
  struct Case {
    const char* what;
    RoutePoint point;
    bool withDirectory;
    std::string name;
    RoutePointKind kind;
  };
  const Case cases[] = {
      {"airline code at the airport", {"JFK", jfk, RoutePointKind::Airport}, true, "KJFK", RoutePointKind::Airport},
      {"ICAO code, any case",
       {"kbos", directoryPosition("KBOS"), RoutePointKind::UserWaypoint},
       true,
       "KBOS",
       RoutePointKind::Airport},
      {"1.5 NM off",
       {"JFK", {jfk.latitude + 0.025, jfk.longitude}, RoutePointKind::Airport},
       true,
       "KJFK",
       RoutePointKind::Airport},
      {"3 NM off",
       {"JFK", {jfk.latitude + 0.05, jfk.longitude}, RoutePointKind::Airport},
       true,
       "JFK",
       RoutePointKind::UserWaypoint},
      {"the same code elsewhere",
       {"JFK", {41.0, -75.0}, RoutePointKind::UserWaypoint},
       true,
       "JFK",
       RoutePointKind::UserWaypoint},
      {"typed position",
       {"N4038W07347", jfk, RoutePointKind::UserWaypoint},
       true,
       "N4038W07347",
       RoutePointKind::UserWaypoint},
      {"field without ICAO code",
       {"00AA", noIcao, RoutePointKind::Airport},
       true,
       "00AA",
       RoutePointKind::UserWaypoint},
      {"no directory", {"JFK", jfk, RoutePointKind::Airport}, false, "JFK", RoutePointKind::UserWaypoint},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const RoutePoint exported = exportedRoutePoint(c.point, c.withDirectory ? directory : nullptr);
    EXPECT_EQ(exported.name, c.name);
    EXPECT_EQ(exported.kind, c.kind);
    EXPECT_EQ(exported.position, c.point.position);  // never moved to the directory's position
  }
  for (const auto& [code, icao] : {std::pair{"KJFK", true},
                                   {"EDKV", true},
                                   {"JFK", false},
                                   {"00AA", false},
                                   {"K1B1", false},
                                   {"kjfk", false},
                                   {"KJFKX", false}}) {
    EXPECT_EQ(isIcaoCode(code), icao) << code;
  }
}

// An imported point is the airport the directory knows by its code nearby, under the
// pilot's own identifier where airports.fly has it; positions stay as the file has them.
TEST(RouteFiles, ImportFindsThePointsAirportsInTheDirectoryByCode) {
  const AirportTable airports = shippedAirports();
  const AirportDirectory* directory = shippedDirectory();
  ASSERT_NE(directory, nullptr);
  const GeoPosition kjfk = directory->airport(*directory->findByCode("KJFK")).position;
  const GeoPosition edkv = directory->airport(*directory->findByCode("EDKV")).position;
  struct Case {
    const char* what;
    RoutePoint point;
    bool withDirectory;
    const char* name;
    RoutePointKind kind;
  };
  const Case cases[] = {
      {"ICAO code of an airport in airports.fly",
       {"KJFK", kjfk, RoutePointKind::Airport},
       true,
       "JFK",
       RoutePointKind::Airport},
      {"any case", {"kjfk", kjfk, RoutePointKind::UserWaypoint}, true, "JFK", RoutePointKind::Airport},
      {"airports.fly's own identifier",
       {"JFK", kjfk, RoutePointKind::UserWaypoint},
       true,
       "JFK",
       RoutePointKind::UserWaypoint},
      {"a field only the directory has",
       {"EDKV", edkv, RoutePointKind::UserWaypoint},
       true,
       "EDKV",
       RoutePointKind::Airport},
      {"the code 3 NM away",
       {"KJFK", {kjfk.latitude + 0.05, kjfk.longitude}, RoutePointKind::Airport},
       true,
       "KJFK",
       RoutePointKind::Airport},
      {"a user waypoint", {"WPT001", kjfk, RoutePointKind::UserWaypoint}, true, "WPT001", RoutePointKind::UserWaypoint},
      {"no directory", {"KJFK", kjfk, RoutePointKind::Airport}, false, "KJFK", RoutePointKind::Airport},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const Route imported = importedRoute(Route{"R", {c.point}}, airports, c.withDirectory ? directory : nullptr);
    ASSERT_EQ(imported.points.size(), 1u);
    EXPECT_EQ(imported.points[0].name, c.name);
    EXPECT_EQ(imported.points[0].kind, c.kind);
    EXPECT_EQ(imported.points[0].position, c.point.position);
  }
}

// Every leg of an imported route is in the plan at once: the first ready for Calculate,
// the rest waiting, and each Calculate takes the next, so that a refused one takes none.
TEST(RouteFiles, ImportedRouteIsThePlansCoursesThatCalculateTakesInTurn) {
  const Route route = importedRoute(exampleRoute(), shippedAirports(), shippedDirectory());
  FlightPlan plan;
  plan.inputs.trueAirspeed = 110;
  plan.inputs.fuelOnBoard = 40;
  plan.inputs.fuelFlow = 8.5;
  plan.inputs.windDirection = 270;
  plan.inputs.windVelocity = 15;
  plan.totals.nextTakeOff = {2026, 6, 15, 9, 0, 0};
  RememberedAirports remembered;
  const RouteImport imported = importRoute(route, plan, remembered);
  ASSERT_EQ(imported.problem, "");
  EXPECT_EQ(imported.message.rfind("Route KJFK/KBOS: 2 legs, 167.24 nautical miles in all. The first leg:\n", 0), 0u)
      << imported.message;
  ASSERT_TRUE(plan.pendingCourse);
  EXPECT_EQ(plan.pendingCourse->ends.fromId, "JFK");
  EXPECT_EQ(plan.inputs.trueCourse, 58);
  EXPECT_EQ(plan.inputs.windDirection, 270);  // the planner's wind is kept
  ASSERT_EQ(plan.coursesAhead.size(), 1u);
  EXPECT_EQ(plan.coursesAhead[0].ends.fromId, "PVD");
  EXPECT_EQ(plan.coursesAhead[0].ends.toId, "BOS");

  plan.inputs.trueAirspeed = 20;  // refused: no leg added, no course taken
  EXPECT_EQ(calculateNextLeg(plan, plan.totals.nextTakeOff).outcome, CalculateOutcome::AirspeedTooLow);
  EXPECT_EQ(plan.coursesAhead.size(), 1u);
  plan.inputs.trueAirspeed = 110;
  ASSERT_EQ(calculateNextLeg(plan, plan.totals.nextTakeOff).outcome, CalculateOutcome::Calculated);
  ASSERT_TRUE(plan.pendingCourse);
  EXPECT_EQ(plan.pendingCourse->ends.toId, "BOS");
  EXPECT_EQ(plan.inputs.trueCourse, 26);
  EXPECT_TRUE(plan.coursesAhead.empty());
  ASSERT_EQ(calculateNextLeg(plan, plan.totals.nextTakeOff).outcome, CalculateOutcome::Calculated);
  EXPECT_FALSE(plan.pendingCourse);
  ASSERT_EQ(plan.legs.size(), 2u);
  EXPECT_EQ(plan.legs[1].ends->fromId, "PVD");
  EXPECT_EQ(plan.totals.routeLine, " JFK ---> PVD ; PVD ---> BOS ;");
  EXPECT_NEAR(plan.totals.totalDistance, 167.24, 0.005);
}

// The imported legs take the model's variation only when the pilot asked for it; a date
// outside the model's years leaves VAR as it was.
TEST(RouteFiles, ImportedLegsTakeTheModelsVariationOnlyWhenAsked) {
  const Route route = exampleRoute();
  const GeoPosition jfk = route.points[0].position;
  const GeoPosition pvd = route.points[1].position;
  const GeoPosition bos = route.points[2].position;
  constexpr double kTyped = 5;
  struct Case {
    const char* what;
    ImportVariation asked;
    std::optional<double> firstLeg;  // expected VAR after the import; empty: kTyped
    std::optional<double> secondLeg;
  };
  const auto modelVar = [](GeoPosition a, GeoPosition b) { return legVariation(a, b, 2026.5).variation; };
  const Case cases[] = {
      {"not asked", {false, 2026.5}, std::nullopt, std::nullopt},
      {"asked", {true, 2026.5}, modelVar(jfk, pvd), modelVar(pvd, bos)},
      {"outside the model's years", {true, 2031.0}, std::nullopt, std::nullopt},
      {"no valid date", {true, std::nullopt}, std::nullopt, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    FlightPlan plan;
    plan.inputs.variation = kTyped;
    RememberedAirports remembered;
    ASSERT_EQ(importRoute(route, plan, remembered, c.asked).problem, "");
    EXPECT_DOUBLE_EQ(plan.inputs.variation, c.firstLeg.value_or(kTyped));
    ASSERT_EQ(plan.coursesAhead.size(), 1u);
    EXPECT_EQ(plan.coursesAhead[0].variation, c.secondLeg);
  }
  // Around New York the variation is some 13 degrees west, positive in the planner.
  EXPECT_NEAR(modelVar(jfk, pvd), 13.5, 1.5);
}

TEST(RouteFiles, NamesThatDoNotFitAreMappedReportedAndStillValid) {
  const Route route{"Home - the long way round, via the coast",
                    {{"qqa", {40.5, -75.25}, RoutePointKind::Airport},
                     {"", {41.75, -72.5}, RoutePointKind::UserWaypoint},
                     {"Q-Q-A", {42.0, -71.0}, RoutePointKind::UserWaypoint},
                     {"Lighthouse at the point", {42.5, -70.5}, RoutePointKind::UserWaypoint},
                     {"qqa", {40.5, -75.25}, RoutePointKind::Airport},
                     {"east", {10, 190}, RoutePointKind::UserWaypoint}}};
  TempFolder folder;
  const RouteFileText fpl = writeRouteFile(route, RouteFormat::FlightPlan, kCreated);
  EXPECT_EQ(fpl.changes, (std::vector<NameChange>{{"qqa", "QQA"},
                                                  {"", "N4145W07230"},
                                                  {"Q-Q-A", "QQA2"},
                                                  {"Lighthouse at the point", "LIGHTHOUSEAT"},
                                                  {"east", "EAST"},
                                                  {route.name, "HOME THE LONG WAY ROUND V"}}));
  EXPECT_NE(nameChangesMessage(fpl.changes).find("Q-Q-A as QQA2"), std::string::npos);
  writeBytes(folder.file("mapped.fpl"), fpl.text);
  expectValid(folder.file("mapped.fpl"), RouteFormat::FlightPlan);

  const RouteFileText gpx = writeRouteFile(route, RouteFormat::Gpx, kCreated);
  EXPECT_EQ(gpx.changes, (std::vector<NameChange>{{"", "N4145W07230"}}));
  writeBytes(folder.file("mapped.gpx"), gpx.text);
  expectValid(folder.file("mapped.gpx"), RouteFormat::Gpx);

  for (const RouteFileText* file : {&fpl, &gpx}) {
    const RouteReading read = readRouteText(file->text);
    ASSERT_EQ(read.outcome, RouteReadOutcome::Read) << read.message;
    ASSERT_EQ(read.route.points.size(), route.points.size());
    EXPECT_EQ(read.route.points[4].name, read.route.points[0].name);  // one waypoint, visited twice
    EXPECT_EQ(read.route.points[5].position, (GeoPosition{10, -170}));
  }
}

TEST(RouteFiles, RoutesThatCannotBeWrittenSaySo) {
  const struct {
    const char* name;
    std::vector<RoutePoint> points;
    const char* problem;
  } cases[] = {
      {"one point", {{"QQA", {1, 1}}}, "A route needs two points or more; this one has 1."},
      {"latitude beyond 90", {{"QQA", {1, 1}}, {"QQB", {500, 1}}}, "Point 2 (QQB) lies at latitude 500"},
      {"301 points", std::vector<RoutePoint>(301, RoutePoint{"QQA", {1, 1}}), "The route has 301 points"},
  };
  for (const auto& c : cases) {
    const RouteFileText file = writeRouteFile(Route{"", c.points}, RouteFormat::FlightPlan, kCreated);
    EXPECT_EQ(file.text, "") << c.name;
    EXPECT_EQ(file.problem.rfind(c.problem, 0), 0u) << c.name << ": " << file.problem;
  }
}

TEST(RouteFiles, PointsOfTheAirportDatabaseAndTypedPositions) {
  const AirportTable airports{{"QQA", {40.5, -75.25}}};
  const struct {
    const char* identifier;
    GeoPosition position;
    RoutePoint expected;
  } cases[] = {
      {"QQA", {40.5, -75.25}, {"QQA", {40.5, -75.25}, RoutePointKind::Airport}},
      {"QQA", {40.5, -75.0}, {"N4030W07500", {40.5, -75.0}, RoutePointKind::UserWaypoint}},
      {"qqa", {40.5, -75.0}, {"N4030W07500", {40.5, -75.0}, RoutePointKind::UserWaypoint}},
      {"", {-33.9461, 151.1772}, {"S3357E15111", {-33.9461, 151.1772}, RoutePointKind::UserWaypoint}},
      {"WPT001", {1, 2}, {"WPT001", {1, 2}, RoutePointKind::UserWaypoint}},
      {"", {0.9999, -0.9999}, {"N0100W00100", {0.9999, -0.9999}, RoutePointKind::UserWaypoint}},
  };
  for (const auto& c : cases) EXPECT_EQ(routePointFor(c.identifier, c.position, airports), c.expected) << c.identifier;
}

TEST(RouteFiles, FlightPlanNamesKeepOnlyWhatTheFormatAllows) {
  const struct {
    const char* text;
    const char* identifier;
    const char* comment;
  } cases[] = {
      {"JFK", "JFK", "JFK"},
      {"kbos", "KBOS", "KBOS"},
      {"Boston Logan / Rwy 4R!", "BOSTONLOGANR", "BOSTON LOGAN / RWY 4R"},
      {"  --  ", "", ""},
      {"Z\xC3\xBCrich", "ZRICH", "Z RICH"},
      {"ABCDEFGHIJKLMNOPQRSTUVWXYZ", "ABCDEFGHIJKL", "ABCDEFGHIJKLMNOPQRSTUVWXY"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(flightPlanIdentifier(c.text), c.identifier) << c.text;
    EXPECT_EQ(flightPlanText(c.text), c.comment) << c.text;
  }
}

constexpr std::string_view kGpxHead = "<?xml version=\"1.0\"?>\n<gpx xmlns=\"http://www.topografix.com/GPX/1/1\">";
const std::string kTwoWaypoints = std::string(kGpxHead) +
                                  "<wpt lat=\"1\" lon=\"2\"><name>A</name></wpt>"
                                  "<wpt lat=\"1.5\" lon=\"2\"/></gpx>";

std::string gpxOf(std::size_t waypoints, std::size_t routePoints) {
  std::string text(kGpxHead);
  for (std::size_t i = 0; i < waypoints; ++i) text += "<wpt lat=\"1\" lon=\"2\"/>";
  text += "<rte>";
  for (std::size_t i = 0; i < routePoints; ++i) text += "<rtept lat=\"1\" lon=\"2\"/>";
  return text + "</rte></gpx>";
}

TEST(RouteFiles, HostileAndBrokenFilesAreRefusedWithAMessage) {
  TempFolder folder;
  writeBytes(folder.file("secret.txt"), "QQSECRET");
  const std::string secret = folder.file("secret.txt").string();
  const std::string example = test::readBytes(kExchange / "example-flight.gpx");
  std::string laughs = "<?xml version=\"1.0\"?>\n<!DOCTYPE gpx [<!ENTITY a \"QQQQQQQQQQ\">";
  for (char c = 'b'; c <= 'k'; ++c) {  // each entity ten of the one before: 10^10 Qs in all
    std::string value;
    for (int k = 0; k < 10; ++k) value += std::string("&") + static_cast<char>(c - 1) + ";";
    laughs += std::string("<!ENTITY ") + c + " \"" + value + "\">";
  }
  laughs +=
      "]>\n<gpx xmlns=\"http://www.topografix.com/GPX/1/1\"><wpt lat=\"1\" lon=\"2\"><name>&k;</name></wpt>"
      "<wpt lat=\"2\" lon=\"2\"/></gpx>";

  const struct {
    const char* name;
    std::string bytes;
    RouteReadOutcome outcome;
    const char* message;
  } cases[] = {
      {"external entity",
       "<?xml version=\"1.0\"?>\n<!DOCTYPE gpx [<!ENTITY x SYSTEM \"file://" + secret +
           "\">]>\n<gpx xmlns=\"http://www.topografix.com/GPX/1/1\"><wpt lat=\"1\" lon=\"2\"><name>&x;</name></wpt>"
           "<wpt lat=\"2\" lon=\"2\"/></gpx>",
       RouteReadOutcome::HasDocumentType, "The file declares a document type"},
      {"nested entities", laughs, RouteReadOutcome::HasDocumentType, "The file declares a document type"},
      {"3,001 waypoints", gpxOf(3001, 0), RouteReadOutcome::TooManyWaypoints,
       "The file holds more than 3,000 waypoints"},
      {"3,000 waypoints", gpxOf(3000, 2), RouteReadOutcome::Read, ""},
      {"301 route points", gpxOf(0, 301), RouteReadOutcome::TooManyRoutePoints, "The route has more than 300 points"},
      {"truncated", example.substr(0, example.size() / 2), RouteReadOutcome::NotXml,
       "The file is not well-formed XML (line 15"},
      {"wrong namespace", "<gpx xmlns=\"http://www.topografix.com/GPX/1/0\"/>", RouteReadOutcome::WrongNamespace,
       "The file is no GPX 1.1 file: its <gpx> element is in the namespace \"http://www.topografix.com/GPX/1/0\""},
      {"no namespace", "<flight-plan/>", RouteReadOutcome::WrongNamespace, "The file is no Garmin FlightPlan v1 file"},
      {"not UTF-8", std::string(kGpxHead) + "\n<wpt lat=\"1\" lon=\"2\"><name>Z\xFCrich</name></wpt></gpx>",
       RouteReadOutcome::NotUtf8, "The file is not UTF-8 text: line 3"},
      {"another encoding", "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><gpx/>", RouteReadOutcome::NotUtf8,
       "The file declares the encoding \"ISO-8859-1\""},
      {"empty", "", RouteReadOutcome::Empty, "The file is empty."},
      {"blank", " \r\n", RouteReadOutcome::Empty, "The file is empty."},
      {"9 MiB", std::string(9 * 1024 * 1024, ' '), RouteReadOutcome::TooLarge, "The file is larger than 8 MiB"},
      {"zero byte", std::string("<gpx>\0</gpx>", 12), RouteReadOutcome::NotXml, "The file is not XML text: line 1"},
      {"other XML", "<kml xmlns=\"http://www.opengis.net/kml/2.2\"/>", RouteReadOutcome::NotRouteFile,
       "The file is neither a FlightPlan (.fpl) nor a GPX (.gpx) route file: its first element is <kml>."},
      {"latitude 91", std::string(kGpxHead) + "<wpt lat=\"91\" lon=\"2\"/><wpt lat=\"1\" lon=\"2\"/></gpx>",
       RouteReadOutcome::Malformed, "Waypoint 1: the latitude \"91\" is not a number from -90 to 90."},
      {"no longitude", std::string(kGpxHead) + "<rte><rtept lat=\"1\"/></rte></gpx>", RouteReadOutcome::Malformed,
       "Route point 1 has no longitude."},
      {"one point", std::string(kGpxHead) + "<wpt lat=\"1\" lon=\"2\"/></gpx>", RouteReadOutcome::TooFewPoints,
       "The file holds no route of two or more points (it holds 1)"},
      {"unknown route point",
       "<flight-plan xmlns=\"http://www8.garmin.com/xmlschemas/FlightPlan/v1\"><waypoint-table><waypoint>"
       "<identifier>A</identifier><type>USER WAYPOINT</type><lat>1</lat><lon>2</lon></waypoint></waypoint-table>"
       "<route><route-point><waypoint-identifier>B</waypoint-identifier></route-point></route></flight-plan>",
       RouteReadOutcome::Malformed, "Route point 1 (B) names no waypoint of the waypoint table."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    writeBytes(folder.file("route.gpx"), c.bytes);
    const RouteReading read = readRouteFile(folder.file("route.gpx"));
    EXPECT_EQ(read.outcome, c.outcome) << read.message;
    EXPECT_EQ(read.message.rfind(c.message, 0), 0u) << read.message;
    for (const RoutePoint& point : read.route.points) EXPECT_EQ(point.name.find("QQ"), std::string::npos);
  }
  EXPECT_EQ(readRouteFile(folder.file("missing.gpx")).outcome, RouteReadOutcome::CannotOpen);
}

TEST(RouteFiles, FilesOfOtherProgramsAreRead) {
  const struct {
    const char* name;
    std::string bytes;
    std::vector<RoutePoint> points;
  } cases[] = {
      {"GPX waypoints without a route",
       kTwoWaypoints,
       {{"A", {1, 2}, RoutePointKind::UserWaypoint}, {"N0130E00200", {1.5, 2}, RoutePointKind::UserWaypoint}}},
      {"GPX with a prefix, a byte-order mark, blanks and a long name",
       "\xEF\xBB\xBF<g:gpx xmlns:g=\"http://www.topografix.com/GPX/1/1\"><g:rte><g:rtept lat=\" 1 \" lon=\"2\">"
       "<g:name> Boston Logan International Airport, Massachusetts </g:name><g:sym>Airport</g:sym></g:rtept>"
       "<g:rtept lat=\"-1\" lon=\"-2\"><name>not GPX</name></g:rtept></g:rte></g:gpx>",
       {{"Boston Logan International Airport, Mass", {1, 2}, RoutePointKind::Airport},
        {"S0100W00200", {-1, -2}, RoutePointKind::UserWaypoint}}},
      {"FlightPlan without a route, an airport by code",
       "<fp:flight-plan xmlns:fp=\"http://www8.garmin.com/xmlschemas/FlightPlan/v1\"><fp:waypoint-table>"
       "<fp:waypoint><fp:identifier>KBOS</fp:identifier><fp:type>AIRPORT</fp:type><fp:country-code>K6"
       "</fp:country-code><fp:lat>42.3643</fp:lat><fp:lon>-71.005203</fp:lon></fp:waypoint>"
       "<fp:waypoint><fp:identifier>X1</fp:identifier><fp:type>USER WAYPOINT</fp:type><fp:lat>42</fp:lat>"
       "<fp:lon>-71</fp:lon></fp:waypoint></fp:waypoint-table></fp:flight-plan>",
       {{"KBOS", {42.3643, -71.005203}, RoutePointKind::Airport}, {"X1", {42, -71}, RoutePointKind::UserWaypoint}}},
  };
  for (const auto& c : cases) {
    const RouteReading read = readRouteText(c.bytes);
    ASSERT_EQ(read.outcome, RouteReadOutcome::Read) << c.name << ": " << read.message;
    EXPECT_EQ(read.route.points, c.points) << c.name;
  }
}

// GPSBabel stands for the navigation programs a pilot exchanges routes with.
TEST(RouteFiles, GpsBabelRoutesAreReadAndOursReadInGpsBabelWithoutAWarning) {
  TempFolder folder;
  writeBytes(folder.file("positions.csv"), "40.5,-75.25\n41.75,-72.5\n42.75,-72.5\n");
  const std::string made = folder.file("made.gpx").string();
  ASSERT_EQ(run("gpsbabel -i csv -f '" + folder.file("positions.csv").string() +
                    "' -x transform,rte=wpt,del -o gpx,gpxver=1.1 -F '" + made + "'",
                folder),
            0)
      << "gpsbabel (Debian package gpsbabel) is needed";
  const RouteReading read = readRouteFile(made);
  ASSERT_EQ(read.outcome, RouteReadOutcome::Read) << read.message;
  EXPECT_EQ(read.route.points.front().name, "WPT001");
  expectLegs(read.route, {{57.99, 145.15}, {0.00, 60.00}});

  std::string warnings;
  EXPECT_EQ(run("gpsbabel -i gpx -f '" + (kExchange / "example-flight.gpx").string() + "' -o unicsv -F '" +
                    folder.file("back.csv").string() + "'",
                folder, &warnings),
            0);
  EXPECT_EQ(warnings, "");
  EXPECT_EQ(test::readBytes(folder.file("back.csv")),
            "No,Latitude,Longitude,Name,Symbol\r\n1,40.639801,-73.778900,\"KJFK\",\"Airport\"\r\n"
            "2,41.732601,-71.420403,\"KPVD\",\"Airport\"\r\n3,42.364300,-71.005203,\"KBOS\",\"Airport\"\r\n");
}

}  // namespace
}  // namespace orvane
