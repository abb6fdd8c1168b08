#pragma once
// A route between the planner and a route file: the planner's legs as a route to
// export, and an imported route as the courses the pilot then calculates one by one.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "core/airport_directory.hpp"
#include "core/airports.hpp"
#include "core/course_selection.hpp"
#include "core/flight.hpp"
#include "core/route.hpp"

namespace orvane {

/// A leg's two ends as the planner holds them.
struct RouteLegEnds {
  std::string fromId;
  std::string toId;
  GeoPosition from;  // [degrees]
  GeoPosition to;
};

/// A point lies at a directory airport when within this distance of the directory's
/// position for it [nautical miles]: the pilot's own file and the directory may differ
/// by a few hundred metres for the same field.
inline constexpr double kSameAirportNm = 2.0;

/// Whether `code` is an ICAO location indicator: four letters A-Z ("KJFK"). GPS, local
/// and airline codes ("00AA", "JFK") are not.
bool isIcaoCode(std::string_view code);

/// The point as a GPS unit should get it: when its name is a code the directory knows
/// (ICAO, GPS, IATA or local, any case) for an airport within kSameAirportNm of the
/// point, and that airport has an ICAO code, the point is that airport under its ICAO
/// code, at the point's own position. Any other point is a user waypoint with its name
/// and position as they are; so is every point when there is no directory.
RoutePoint exportedRoutePoint(const RoutePoint& point, const AirportDirectory* directory);

/// The route of the legs in order: the first leg's start, then each leg's end; a leg
/// that does not start where the one before it ended adds its own start. Each point is
/// named as routePointFor decides and then classified by exportedRoutePoint; the name
/// is "FIRST/LAST". `directory` may be null.
Route routeFromLegs(const std::vector<RouteLegEnds>& legs, const AirportTable& airports,
                    const AirportDirectory* directory = nullptr);

/// The points of a route read from a file as the planner names them: a point whose name
/// is a code the directory knows for an airport within kSameAirportNm of it becomes
/// that airport, under the identifier the pilot's own file holds it by when the file
/// has it there ("KJFK" becomes "JFK"), else under its code. Positions stay as the file
/// gives them; every other point, and every point when there is no directory, stays as
/// it is.
Route importedRoute(const Route& route, const AirportTable& airports, const AirportDirectory* directory);

struct RouteImport {
  std::string problem;  // set: the route has no legs to plan, and nothing was changed
  std::string message;  // otherwise: what the pilot is told
};

/// Each pair of points as the course window would give it: the great-circle course
/// and distance, the names and positions. Refused when two points in a row lie at the
/// same place (a zero distance, as the course window refuses it).
RouteImport routeLegs(const Route& route, std::vector<AcceptedLeg>& legs);

/// Whether the legs of an imported route take their variation from the magnetic model:
/// only when the pilot asked for it, for the take-off's decimal year.
struct ImportVariation {
  bool take = false;
  std::optional<double> decimalYear;  // empty: no valid take-off date
};

/// Starts a new flight along `route`: the flight is cleared as Reset clears it, but
/// every other input (wind, TAS, VAR, DEV, GPH, FOB) keeps the planner's current
/// value. Every leg of the route becomes a course of the plan: the first is taken as
/// if the course window gave it, ready for Calculate, and the rest wait in the plan's
/// `coursesAhead`, which each Calculate takes in turn. When `variation.take`, each leg
/// carries the model's variation at its midpoint (legVariation), which the planner's
/// VAR then takes as from the course window; a leg the model gives none for (outside
/// its years, near a magnetic pole) leaves VAR as it is. On a refusal nothing changes.
RouteImport importRoute(const Route& route, FlightPlan& plan, RememberedAirports& remembered,
                        const ImportVariation& variation = {});

}  // namespace orvane
