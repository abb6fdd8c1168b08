#pragma once
// Initial true course and great-circle distance on a sphere where one minute of arc
// is one nautical mile.

#include "core/angles.hpp"

namespace orvane {

/// A position in signed decimal degrees: north and east positive, south and west negative.
struct GeoPosition {
  double latitude = 0;   // [degrees]
  double longitude = 0;  // [degrees]
  friend bool operator==(const GeoPosition&, const GeoPosition&) = default;
};

struct CourseDistance {
  double trueCourse = 0;      // [degrees true, 0..360, hundredths]
  double distance = 0;        // [nautical miles, hundredths]
  bool zeroDistance = false;  // the rounded distance is not above 0, or not a number
};

/// One unit in the last place above 10800 / 3.14159265358979.
inline constexpr double kNauticalMilesPerRadian = 3437.7467707849432;

/// Initial true course and great-circle distance from `origin` to `destination`.
/// @param origin, destination  positions [degrees, north and east positive]; no range
///        is checked: latitudes beyond +-90 give whatever the formulas give.
/// @return course [degrees true, 0..360, hundredths; due north is 0.00, and 360.00
///         only by rounding] and distance [nautical miles, hundredths]; zeroDistance
///         is set when the rounded distance is not above zero or cannot be computed.
CourseDistance computeCourseDistance(GeoPosition origin, GeoPosition destination) noexcept;

}  // namespace orvane
