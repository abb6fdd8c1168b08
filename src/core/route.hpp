#pragma once
// A route as it travels between Orvane and GPS units or flight bags: its points in the
// order flown, each with a name and a position.

#include <string>
#include <string_view>
#include <vector>

#include "core/airports.hpp"
#include "core/geo.hpp"

namespace orvane {

enum class RoutePointKind {
  Airport,       // an airport: of the pilot's database at its stored position, or in a file by the code GPS units know
  UserWaypoint,  // a position the pilot typed or converted, or a waypoint read from a file
};

struct RoutePoint {
  std::string name;  // identifier as the pilot knows it; never empty in a route that is written
  GeoPosition position;
  RoutePointKind kind = RoutePointKind::UserWaypoint;
  friend bool operator==(const RoutePoint&, const RoutePoint&) = default;
};

struct Route {
  std::string name;  // free text, may be empty ("JFK/BOS")
  std::vector<RoutePoint> points;
  friend bool operator==(const Route&, const Route&) = default;
};

/// A name made from the position, degrees and whole minutes with the hemispheres:
/// 40.5, -75.25 gives "N4030W07515" (minutes rounded, 59.6' carried into the degree).
/// Letters and digits only, at most 12 characters for latitudes within +-90, so a GPS
/// takes it as it is. A position that is not a number gives "WPT".
std::string generatedWaypointName(GeoPosition position);

/// The route point of a leg's end. An identifier of the airport database at the very
/// position stored for it is that airport. A position the pilot typed keeps the last
/// chosen identifier in the planner, so an identifier that names an airport elsewhere
/// (compared without regard to case), or none at all, gives a user waypoint named
/// after its position; any other identifier (a waypoint read from a route file) stays
/// the user waypoint's name.
RoutePoint routePointFor(std::string_view identifier, GeoPosition position, const AirportTable& airports);

/// "JFK/BOS": the first and last point's names, the route's usual name. Empty for a
/// route of no points.
std::string routeNameFor(const Route& route);

}  // namespace orvane
