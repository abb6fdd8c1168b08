#include "core/coordinates.hpp"

namespace orvane {

double degreesFromDms(double degrees, double minutes, double seconds, bool negate) noexcept {
  const double value = seconds * kOneSixtieth * kOneSixtieth + minutes * kOneSixtieth + degrees;
  return negate ? -value : value;
}

GeoPosition convertCoordinates(const DmsPosition& dms) noexcept {
  return {degreesFromDms(dms.latitudeDegrees, dms.latitudeMinutes, dms.latitudeSeconds, dms.south),
          degreesFromDms(dms.longitudeDegrees, dms.longitudeMinutes, dms.longitudeSeconds, dms.west)};
}

}  // namespace orvane
