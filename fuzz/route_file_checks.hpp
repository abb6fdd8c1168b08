#pragma once
// What both route file targets check of any bytes: a reading never fails in a way
// other than its outcomes, a route that is read keeps to the limits, and writing it
// again in its format and reading that back gives the same points.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/nav_log.hpp"
#include "core/route_files.hpp"
#include "fuzz_support.hpp"

namespace orvane::fuzz {

inline void checkRouteFile(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const RouteReading read = readRouteText(bytes);
  if (read.outcome != RouteReadOutcome::Read) {
    CHECK(!read.message.empty());
    CHECK(read.route.points.empty());
    return;
  }
  CHECK(read.message.empty());
  const Route& route = read.route;
  CHECK(route.points.size() >= 2 && route.points.size() <= kMostRoutePoints);
  CHECK(validUtf8(route.name) == route.name);
  for (const RoutePoint& point : route.points) {
    CHECK(!point.name.empty() && point.name.size() <= kLongestReadPointName);
    CHECK(validUtf8(point.name) == point.name);
    CHECK(std::fabs(point.position.latitude) <= 90 && std::fabs(point.position.longitude) <= 180);
  }

  const RouteFileText written = writeRouteFile(route, read.format, LocalDateTime{2026, 1, 1, 9, 0, 0});
  CHECK(written.problem.empty());
  const RouteReading again = readRouteText(written.text);
  CHECK(again.outcome == RouteReadOutcome::Read);
  CHECK(again.format == read.format);
  CHECK(again.route.points.size() == route.points.size());
  for (std::size_t i = 0; i < route.points.size(); ++i) {
    const GeoPosition a = route.points[i].position;
    const GeoPosition b = again.route.points[i].position;
    CHECK(a.latitude == b.latitude);
    CHECK(a.longitude == b.longitude || (a.longitude == 180 && b.longitude == -180));
    if (written.changes.empty()) CHECK(again.route.points[i].name == route.points[i].name);
  }
}

}  // namespace orvane::fuzz
