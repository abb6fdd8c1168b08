#pragma once
// Degrees, minutes and seconds to signed decimal degrees.

#include "core/geo.hpp"
#include "core/sixtieths.hpp"

namespace orvane {

/// seconds x 1/60 x 1/60 + minutes x 1/60 + degrees, in that order, negated as a whole
/// when `negate` (south or west). The parts keep the signs they were typed with, and
/// no range is checked: 0 deg 90 min is 1.5 degrees.
double degreesFromDms(double degrees, double minutes, double seconds, bool negate) noexcept;

struct DmsPosition {
  double latitudeDegrees = 0, latitudeMinutes = 0, latitudeSeconds = 0;
  double longitudeDegrees = 0, longitudeMinutes = 0, longitudeSeconds = 0;
  bool south = false;
  bool west = false;
};

/// The signed decimal position of a position given in degrees, minutes and seconds.
GeoPosition convertCoordinates(const DmsPosition& dms) noexcept;

}  // namespace orvane
