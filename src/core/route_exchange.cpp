#include "core/route_exchange.hpp"

#include <algorithm>
#include <string_view>

#include "core/geo.hpp"
#include "core/magnetic.hpp"
#include "core/numbers.hpp"

namespace orvane {

bool isIcaoCode(std::string_view code) {
  constexpr std::size_t kIcaoLength = 4;
  return code.size() == kIcaoLength &&
         std::all_of(code.begin(), code.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
}

RoutePoint exportedRoutePoint(const RoutePoint& point, const AirportDirectory* directory) {
  RoutePoint exported = point;
  exported.kind = RoutePointKind::UserWaypoint;
  if (directory == nullptr || point.name.empty()) return exported;
  const auto found = directory->findByCodeNear(point.name, point.position, kSameAirportNm);
  if (!found) return exported;
  const DirectoryAirport& airport = directory->airport(*found);
  const std::string_view icao = isIcaoCode(airport.code) ? airport.code : airport.gpsCode;
  if (!isIcaoCode(icao)) return exported;
  exported.name = std::string(icao);
  exported.kind = RoutePointKind::Airport;
  return exported;
}

Route routeFromLegs(const std::vector<RouteLegEnds>& legs, const AirportTable& airports,
                    const AirportDirectory* directory) {
  Route route;
  for (const RouteLegEnds& leg : legs) {
    const RoutePoint from = exportedRoutePoint(routePointFor(leg.fromId, leg.from, airports), directory);
    if (route.points.empty() || !(route.points.back() == from)) route.points.push_back(from);
    route.points.push_back(exportedRoutePoint(routePointFor(leg.toId, leg.to, airports), directory));
  }
  route.name = routeNameFor(route);
  return route;
}

namespace {

bool within(const std::optional<GeoPosition>& stored, GeoPosition position, double nauticalMiles) {
  return stored && computeCourseDistance(*stored, position).distance <= nauticalMiles;
}

RoutePoint importedRoutePoint(const RoutePoint& point, const AirportTable& airports,
                              const AirportDirectory& directory) {
  if (point.name.empty() || within(findAirport(airports, point.name), point.position, kSameAirportNm)) return point;
  const auto found = directory.findByCodeNear(point.name, point.position, kSameAirportNm);
  if (!found) return point;
  const DirectoryAirport& airport = directory.airport(*found);
  RoutePoint imported = point;
  imported.kind = RoutePointKind::Airport;
  // The airline code first: the pilot's file holds airports under three characters.
  for (std::string_view code : {airport.iataCode, airport.localCode, airport.code, airport.gpsCode}) {
    if (!code.empty() && within(findAirport(airports, code), point.position, kSameAirportNm)) {
      imported.name = std::string(code);
      break;
    }
  }
  return imported;
}

}  // namespace

Route importedRoute(const Route& route, const AirportTable& airports, const AirportDirectory* directory) {
  if (directory == nullptr) return route;
  Route imported = route;
  for (RoutePoint& point : imported.points) point = importedRoutePoint(point, airports, *directory);
  return imported;
}

RouteImport routeLegs(const Route& route, std::vector<AcceptedLeg>& legs) {
  legs.clear();
  for (std::size_t i = 1; i < route.points.size(); ++i) {
    const RoutePoint& from = route.points[i - 1];
    const RoutePoint& to = route.points[i];
    const CourseDistance course = computeCourseDistance(from.position, to.position);
    if (course.zeroDistance) {
      legs.clear();
      return {"Points " + formatGeneral(static_cast<double>(i)) + " and " + formatGeneral(static_cast<double>(i + 1)) +
                  " of the route (" + from.name + " and " + to.name +
                  ") lie at the same place, so the leg between them has no distance.",
              {}};
    }
    AcceptedLeg leg;
    leg.values.originId = from.name;
    leg.values.destinationId = to.name;
    leg.values.origin = from.position;
    leg.values.destination = to.position;
    leg.values.destinationEntry = to.name;
    leg.course = course;
    legs.push_back(std::move(leg));
  }
  if (legs.empty()) return {"The route has no leg: it needs two points or more.", {}};
  return {};
}

RouteImport importRoute(const Route& route, FlightPlan& plan, RememberedAirports& remembered,
                        const ImportVariation& variation) {
  std::vector<AcceptedLeg> legs;
  RouteImport result = routeLegs(route, legs);
  if (!result.problem.empty()) return result;
  if (variation.take) {
    for (AcceptedLeg& leg : legs) {
      const LegVariation model = legVariation(leg.values.origin, leg.values.destination, variation.decimalYear);
      if (model.outcome == DeclinationOutcome::Computed) leg.variation = model.variation;
    }
  }

  const LegInputs kept = plan.inputs;
  resetFlight(plan);
  plan.inputs.windDirection = kept.windDirection;
  plan.inputs.windVelocity = kept.windVelocity;

  double total = 0;
  for (const AcceptedLeg& leg : legs) total += leg.course.distance;
  const std::string name = route.name.empty() ? routeNameFor(route) : route.name;
  result.message = "Route " + name + ": " + formatGeneral(static_cast<double>(legs.size())) +
                   (legs.size() == 1 ? " leg, " : " legs, ") + formatFixed(total, 2) +
                   " nautical miles in all. The first leg:\n";
  result.message += takeAcceptedLeg(plan, remembered, legs.front());
  for (std::size_t i = 1; i < legs.size(); ++i) plan.coursesAhead.push_back(pendingCourseOf(legs[i]));
  return result;
}

}  // namespace orvane
