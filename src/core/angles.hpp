#pragma once
// The circle in degrees, and degrees to radians and back. The leg and the course
// between two positions turn with pi cut to 3.14159265358979, as their results have
// always been computed (a heading or a course can come out one hundredth apart with
// the double nearest pi); the magnetic model, the runway wind and the airfield
// directory's distances turn with the double nearest pi.

#include <numbers>

namespace orvane {

inline constexpr double kFullCircle = 360;  // [degrees]
inline constexpr double kHalfCircle = 180;
inline constexpr double kQuarterCircle = 90;

/// pi cut after fourteen decimals, slightly below the double nearest pi.
inline constexpr double kTruncatedPi = 3.14159265358979;
/// With the cut pi: the leg's wind triangle and the course between two positions.
inline constexpr double kDegreesToRadians = kTruncatedPi / kHalfCircle;
inline constexpr double kRadiansToDegrees = kHalfCircle / kTruncatedPi;

/// With the double nearest pi: everything else that turns degrees into radians.
inline constexpr double kRadiansPerDegree = std::numbers::pi / kHalfCircle;

}  // namespace orvane
