#pragma once
// The values a leg's input fields take, both bounds included: the planner's fields, the
// Legs window and plan files check against the same ranges.

#include "core/field_reading.hpp"

namespace orvane::leg_ranges {

inline constexpr NumberRange kCourse{0, 360};         // TC, WD [degrees]
inline constexpr NumberRange kWindVelocity{0, 1000};  // WV [knots, sm/h]
inline constexpr NumberRange kAirspeed{60, 250};      // TAS [knots, sm/h]
inline constexpr NumberRange kAngle{-360, 360};       // VAR, DEV [degrees]
inline constexpr NumberRange kLegDistance{0, 10000};  // DIST [nm, sm]
inline constexpr NumberRange kFuel{0, 100};           // GPH, FOB [gallons, gallons per hour]

}  // namespace orvane::leg_ranges
