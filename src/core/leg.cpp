#include "core/leg.hpp"

#include <cmath>

#include "core/numbers.hpp"

namespace orvane {
namespace {

// Back to degrees, one wrap above a full circle (exactly 360 stays), then hundredths.
double degreesRoundedFromRadians(double radians) {
  double degrees = radians * kRadiansToDegrees;
  if (degrees > kFullCircle) degrees -= kFullCircle;
  return roundToHundredths(degrees);
}

double headingFromRadians(double radians) {
  double degrees = degreesRoundedFromRadians(radians);
  if (degrees < 0) degrees += kFullCircle;
  return degrees;
}

bool allFinite(const LegInputs& in) {
  for (double v : {in.trueCourse, in.windDirection, in.windVelocity, in.trueAirspeed, in.variation, in.deviation,
                   in.distance, in.fuelFlow, in.fuelOnBoard, in.flightDistance}) {
    if (!std::isfinite(v)) return false;
  }
  return true;
}

}  // namespace

LegComputation computeLeg(const LegInputs& in) noexcept {
  LegComputation out;
  // Written so that a TAS that is not a number also stops here.
  if (!(in.trueAirspeed >= kLowestTrueAirspeed)) {
    out.outcome = LegOutcome::AirspeedTooLow;
    return out;
  }
  if (!allFinite(in)) {
    out.outcome = LegOutcome::NotComputable;
    return out;
  }

  const double tcRad = in.trueCourse * kDegreesToRadians;
  const double wdRad = in.windDirection * kDegreesToRadians;
  const double varRad = in.variation * kDegreesToRadians;

  const double courseToWind = tcRad - wdRad;
  const double crosswind = in.windVelocity * std::sin(courseToWind);
  const double crosswindRatio = crosswind / in.trueAirspeed;
  // Beyond a ratio of one no heading holds the course.
  if (!(std::fabs(crosswindRatio) <= 1.0)) {
    out.outcome = LegOutcome::WindTooStrong;
    return out;
  }
  const double wcaRad = std::asin(crosswindRatio);

  // TAS x cos(WCA) - WV x cos(A), evaluated in the half-angle form the results are
  // defined by; at WCA = 0 the tangent is large but finite, so the first term is 0.
  const double x = roundToHundredths(crosswind / std::tan((kTruncatedPi - wcaRad) * kHalf) +
                                     in.windVelocity * std::cos(courseToWind));
  const double groundSpeed = in.trueAirspeed - x;
  if (!(groundSpeed > 0)) {
    out.outcome = LegOutcome::WindTooStrong;
    return out;
  }

  const double ete = in.distance * kMinutesPerHour / groundSpeed;
  const double fuelBurned = in.fuelFlow * ete * kOneSixtieth;
  if (!std::isfinite(ete) || !std::isfinite(fuelBurned)) {
    out.outcome = LegOutcome::NotComputable;
    return out;
  }

  LegResults& r = out.results;
  r.flightDistance = (in.flightDistance > 0) ? in.flightDistance : in.distance;
  r.distanceRemaining = r.flightDistance - in.distance;

  double fuelLeft = in.fuelOnBoard - fuelBurned;
  if (fuelLeft < 0) {
    fuelLeft = 0;
    r.fuelShort = true;
  }

  const double thRad = tcRad - wcaRad;
  const double mhRad = thRad + varRad;
  const double wcaDeg = degreesRoundedFromRadians(wcaRad);
  const double thDeg = headingFromRadians(thRad);
  const double mhDeg = headingFromRadians(mhRad);
  const double chDeg = mhDeg + in.deviation;  // not wrapped again

  r.trueCourse = roundToHundredths(tcRad * kRadiansToDegrees);
  r.windDirection = roundToHundredths(wdRad * kRadiansToDegrees);
  r.variation = roundToHundredths(varRad * kRadiansToDegrees);

  r.fuelLeft = roundToHundredths(fuelLeft);
  r.fuelBurned = roundToHundredths(fuelBurned);
  r.fuelBurnedExact = fuelBurned;
  r.eteMinutes = roundToHundredths(ete);
  r.eteMinutesExact = ete;

  r.windCorrectionAngle = roundToWhole(wcaDeg);
  r.compassHeading = roundToWhole(chDeg);
  r.trueHeading = roundToWhole(thDeg);
  r.magneticHeading = roundToWhole(mhDeg);
  r.groundSpeed = roundToWhole(groundSpeed);
  r.groundSpeedExact = groundSpeed;

  out.outcome = LegOutcome::Computed;
  return out;
}

}  // namespace orvane
