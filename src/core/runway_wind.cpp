#include "core/runway_wind.hpp"

#include <cmath>

#include "core/angles.hpp"

namespace orvane {
namespace {

// A headwind that shows as 0.0 is no reason to prefer a runway.
constexpr double kLeastMarkedHeadwind = 0.05;
// Ends of one heading (parallel runways) have equal components; allow for rounding.
constexpr double kSameHeadwind = 1e-9;

// The wind's angle off the runway heading, in [-180, 180): positive from the right.
double angleOffRunway(double windDirectionTrue, double runwayHeadingTrue) noexcept {
  double angle = std::fmod(windDirectionTrue - runwayHeadingTrue, kFullCircle);
  if (angle < -kHalfCircle) angle += kFullCircle;
  if (angle >= kHalfCircle) angle -= kFullCircle;
  return angle;
}

}  // namespace

WindComponents windComponents(double windDirectionTrue, double windSpeed, double runwayHeadingTrue) noexcept {
  WindComponents components;
  if (windSpeed == 0) return components;
  const double angle = angleOffRunway(windDirectionTrue, runwayHeadingTrue);
  // Straight along or across the runway the trigonometry would leave a few 1e-15:
  // those cases are exact.
  if (angle == 0 || angle == -kHalfCircle) {
    components.headwind = angle == 0 ? windSpeed : -windSpeed;
    return components;
  }
  const double magnitude = std::fabs(angle);
  components.headwind = magnitude == kQuarterCircle ? 0 : windSpeed * std::cos(angle * kRadiansPerDegree);
  components.crosswind = std::fabs(windSpeed * std::sin(angle * kRadiansPerDegree));
  components.side = angle > 0 ? CrosswindSide::Right : CrosswindSide::Left;
  return components;
}

std::vector<RunwayEndWind> runwayEndWinds(std::span<const RunwayEnd> ends, double windDirectionTrue, double windSpeed) {
  std::vector<RunwayEndWind> winds;
  winds.reserve(ends.size());
  std::optional<double> greatest;
  for (const RunwayEnd& end : ends) {
    RunwayEndWind row{end, std::nullopt, false};
    if (end.trueHeadingDeg && std::isfinite(*end.trueHeadingDeg)) {
      row.wind = windComponents(windDirectionTrue, windSpeed, *end.trueHeadingDeg);
      if (!greatest || row.wind->headwind > *greatest) greatest = row.wind->headwind;
    }
    winds.push_back(std::move(row));
  }
  if (!greatest || !(*greatest >= kLeastMarkedHeadwind)) return winds;
  for (RunwayEndWind& row : winds) {
    row.mostHeadwind = row.wind && row.wind->headwind >= *greatest - kSameHeadwind;
  }
  return winds;
}

}  // namespace orvane
