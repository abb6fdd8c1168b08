#pragma once
// An hour has sixty minutes, and a degree sixty minutes of arc of sixty seconds each.

namespace orvane {

inline constexpr double kMinutesPerHour = 60;
/// One sixtieth as a double (0.016666666666666666): hours per minute, and degrees per
/// minute of arc.
inline constexpr double kOneSixtieth = 1 / kMinutesPerHour;

}  // namespace orvane
