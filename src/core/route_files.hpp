#pragma once
// Route files: Garmin FlightPlan v1 (.fpl), which panel GPS units and flight bags
// import, and GPX 1.1 (.gpx), which nearly every navigation program reads and writes.
// Both are XML, read and written with pugixml. A file from outside is hostile until
// read: it is size-limited before parsing, must be UTF-8, may carry no document type
// (so no entity is ever defined, expanded or fetched), and its counts are limited.

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/clock.hpp"
#include "core/route.hpp"

namespace orvane {

enum class RouteFormat {
  FlightPlan,  // Garmin FlightPlan v1, ".fpl"
  Gpx,         // GPX 1.1, ".gpx"
};

inline constexpr std::string_view kFlightPlanNamespace = "http://www8.garmin.com/xmlschemas/FlightPlan/v1";
inline constexpr std::string_view kGpxNamespace = "http://www.topografix.com/GPX/1/1";

/// The largest route file that is read [bytes]: 8 MiB. A route of 300 points with
/// 3,000 waypoints takes well under 1 MiB in either format.
inline constexpr std::size_t kLargestRouteFileBytes = std::size_t{8} * 1024 * 1024;
/// The most waypoints a file may hold, and the most points of its route: the limits of
/// the FlightPlan format, applied to GPX files too.
inline constexpr std::size_t kMostRouteWaypoints = 3000;
inline constexpr std::size_t kMostRoutePoints = 300;
/// A name read from a file is cut to this many bytes (at a character boundary).
inline constexpr std::size_t kLongestReadPointName = 40;
/// FlightPlan identifiers are 1 to 12 of A-Z and 0-9; route names and comments at most
/// 25 of A-Z, 0-9, blank and "/".
inline constexpr std::size_t kLongestFlightPlanIdentifier = 12;
inline constexpr std::size_t kLongestFlightPlanText = 25;

/// `name` as a FlightPlan identifier: letters upper-cased, every other character that
/// is not A-Z or 0-9 dropped, cut to 12. Empty when nothing is left.
std::string flightPlanIdentifier(std::string_view name);

/// `text` as a FlightPlan route name or comment: letters upper-cased, every other
/// character that is not A-Z, 0-9, blank or "/" turned into a blank, blanks not doubled
/// nor at either end, cut to 25.
std::string flightPlanText(std::string_view text);

/// A name the format could not carry as it was.
struct NameChange {
  std::string from;
  std::string to;
  friend bool operator==(const NameChange&, const NameChange&) = default;
};

struct RouteFileText {
  std::string text;                 // the file's bytes; empty when refused
  std::vector<NameChange> changes;  // names written otherwise than given, in route order
  std::string problem;              // why the route cannot be written; empty when written
};

/// The route as a file of `format`, stamped with `createdUtc` (a UTC date and time).
/// An Airport point is written as an airport (FlightPlan type AIRPORT, GPX symbol
/// "Airport") under its name, which must then be a code GPS units know (see
/// exportedRoutePoint); every other point as a user waypoint. Each keeps its position,
/// and the country code stays empty. A point that appears twice is one waypoint. FlightPlan names that
/// do not fit are mapped (flightPlanIdentifier, flightPlanText; an empty or clashing
/// identifier gets a generated or numbered one) and listed in `changes`. Longitudes
/// are written within -180..180 (180 as -180). Refused, with `problem` set: fewer than
/// two points, more than 300, or a latitude beyond +-90 or a position not a number.
RouteFileText writeRouteFile(const Route& route, RouteFormat format, const LocalDateTime& createdUtc);

/// "The names ... were changed to fit the FlightPlan format: qqa to QQA, ..."
std::string nameChangesMessage(const std::vector<NameChange>& changes);

enum class RouteReadOutcome {
  Read,
  CannotOpen,
  TooLarge,  // above kLargestRouteFileBytes
  Empty,
  NotUtf8,             // bytes that are not UTF-8, or another encoding declared
  NotXml,              // not well-formed XML (a truncated file)
  HasDocumentType,     // <!DOCTYPE ...>: entities and external files are never used
  NotRouteFile,        // the root element is neither flight-plan nor gpx
  WrongNamespace,      // the root element's namespace is not FlightPlan v1 or GPX 1.1
  TooManyWaypoints,    // more than kMostRouteWaypoints
  TooManyRoutePoints,  // more than kMostRoutePoints
  Malformed,           // a missing or unreadable value
  TooFewPoints,        // no route of two points or more
};

struct RouteReading {
  RouteReadOutcome outcome = RouteReadOutcome::Malformed;
  RouteFormat format = RouteFormat::Gpx;  // as found in the file
  Route route;                            // filled only when Read
  std::string message;                    // what is wrong, for the pilot; empty when Read
};

/// Reads a route file's bytes, FlightPlan or GPX as its root element says. GPX: the
/// first route with points, else the waypoints in file order. FlightPlan: the route's
/// points looked up in the waypoint table, else the table in order. Names are trimmed,
/// control characters turned into blanks, cut to kLongestReadPointName bytes; an empty
/// name is generated from the position. Positions must lie within +-90 and +-180.
RouteReading readRouteText(std::string_view bytes);

/// Reads the file at `path`: its size is looked at first, and nothing beyond
/// kLargestRouteFileBytes + 1 bytes is ever read. Nothing else is opened.
RouteReading readRouteFile(const std::filesystem::path& path);

}  // namespace orvane
