#pragma once
// Head- and crosswind components of a wind along a runway, and the runway end that
// has the most headwind. Wind direction and runway headings are both true.

#include <optional>
#include <span>
#include <string>
#include <vector>

namespace orvane {

/// The side the crosswind blows from, seen by a pilot lined up on the runway.
enum class CrosswindSide { None, Left, Right };

struct WindComponents {
  double headwind = 0;                       // [wind's speed unit]; negative is a tailwind
  double crosswind = 0;                      // [wind's speed unit], never negative
  CrosswindSide side = CrosswindSide::None;  // None only when the crosswind is exactly 0
};

/// The components of a wind along a runway heading.
/// @param windDirectionTrue  where the wind blows from [degrees true]; any finite value,
///        taken modulo 360 (0 and 360 are both north)
/// @param windSpeed  [knots or mph; the components come in the same unit], 0 or more;
///        calm (0) gives no components and no side
/// @param runwayHeadingTrue  the heading of the runway end [degrees true], modulo 360
/// A wind straight along the runway or straight across it gives exact components
/// (crosswind exactly 0 with side None, or headwind exactly 0).
WindComponents windComponents(double windDirectionTrue, double windSpeed, double runwayHeadingTrue) noexcept;

/// One end of a runway as a directory knows it; the true heading may be unknown.
struct RunwayEnd {
  std::string designator;                // "24", "06L", "H1"
  std::optional<double> trueHeadingDeg;  // [degrees true]
};

struct RunwayEndWind {
  RunwayEnd end;
  std::optional<WindComponents> wind;  // empty when the end's heading is unknown
  bool mostHeadwind = false;
};

/// The components of the wind on each runway end, in the given order, with the end (or
/// ends, for parallel runways of one heading) of the greatest headwind marked. Nothing
/// is marked when no end has a headwind of at least half a tenth (calm, or a wind
/// straight across every runway), nor on ends whose heading is unknown.
std::vector<RunwayEndWind> runwayEndWinds(std::span<const RunwayEnd> ends, double windDirectionTrue, double windSpeed);

}  // namespace orvane
