#include "core/geo.hpp"

#include <cmath>

#include "core/numbers.hpp"

namespace orvane {

CourseDistance computeCourseDistance(GeoPosition origin, GeoPosition destination) noexcept {
  const double lat1 = origin.latitude * kDegreesToRadians;
  const double lon1 = origin.longitude * kDegreesToRadians;
  const double lat2 = destination.latitude * kDegreesToRadians;
  const double lon2 = destination.longitude * kDegreesToRadians;

  // Origin minus destination: the angle below then runs anticlockwise from north.
  const double dLon = lon1 - lon2;
  const double sinHalfLon = std::sin(dLon * 0.5);
  const double sinHalfLat = std::sin((lat1 - lat2) * 0.5);
  const double haversine = sinHalfLon * sinHalfLon * std::cos(lat1) * std::cos(lat2) + sinHalfLat * sinHalfLat;
  const double centralAngle = 2 * std::asin(std::sqrt(haversine));

  const double y = std::sin(dLon) * std::cos(lat2);
  const double x = std::cos(lat1) * std::sin(lat2) - std::sin(lat1) * std::cos(lat2) * std::cos(dLon);
  const double anticlockwise = std::atan2(y, x);
  const double g = anticlockwise * kRadiansToDegrees;
  // fabs keeps due north at +0, never a negative zero.
  const double course = (anticlockwise > 0) ? (kHalfCircle - g) + kHalfCircle : std::fabs(g);

  CourseDistance result;
  result.trueCourse = roundToHundredths(course);
  result.distance = roundToHundredths(centralAngle * kNauticalMilesPerRadian);
  result.zeroDistance = !(result.distance > 0);
  return result;
}

}  // namespace orvane
