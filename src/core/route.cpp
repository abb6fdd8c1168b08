#include "core/route.hpp"

#include <cmath>
#include <cstdint>

#include "core/ascii.hpp"

namespace orvane {
namespace {

inline constexpr int kMinutesPerDegree = 60;

// "4030" or "07515": whole degrees with `degreeDigits` digits (or more), then two digits
// of minutes.
std::string degreesAndMinutes(double magnitude, int degreeDigits) {
  const auto totalMinutes = static_cast<std::int64_t>(std::llround(magnitude * kMinutesPerDegree));
  const std::int64_t degrees = totalMinutes / kMinutesPerDegree;
  const std::int64_t minutes = totalMinutes % kMinutesPerDegree;
  std::string text;
  for (std::int64_t rest = degrees; rest > 0 || static_cast<int>(text.size()) < degreeDigits; rest /= 10) {
    text.insert(text.begin(), static_cast<char>('0' + rest % 10));
  }
  text += static_cast<char>('0' + minutes / 10);
  text += static_cast<char>('0' + minutes % 10);
  return text;
}

}  // namespace

std::string generatedWaypointName(GeoPosition position) {
  // Beyond a few thousand degrees the name would be long and means nothing anyway.
  constexpr double kLargestNamedDegrees = 1000;
  const double lat = position.latitude;
  const double lon = position.longitude;
  if (!std::isfinite(lat) || !std::isfinite(lon) || std::fabs(lat) > kLargestNamedDegrees ||
      std::fabs(lon) > kLargestNamedDegrees) {
    return "WPT";
  }
  std::string name(1, lat < 0 ? 'S' : 'N');
  name += degreesAndMinutes(std::fabs(lat), 2);
  name += lon < 0 ? 'W' : 'E';
  name += degreesAndMinutes(std::fabs(lon), 3);
  return name;
}

RoutePoint routePointFor(std::string_view identifier, GeoPosition position, const AirportTable& airports) {
  RoutePoint point{std::string(identifier), position, RoutePointKind::UserWaypoint};
  if (identifier.empty()) {
    point.name = generatedWaypointName(position);
    return point;
  }
  bool namesAnAirport = false;
  for (const std::string& candidate : {std::string(identifier), upperAscii(identifier)}) {
    const auto found = findAirport(airports, candidate);
    if (!found) continue;
    if (candidate == identifier && *found == position) {
      point.kind = RoutePointKind::Airport;
      return point;
    }
    namesAnAirport = true;
  }
  if (namesAnAirport) point.name = generatedWaypointName(position);
  return point;
}

std::string routeNameFor(const Route& route) {
  if (route.points.empty()) return {};
  return route.points.front().name + "/" + route.points.back().name;
}

}  // namespace orvane
