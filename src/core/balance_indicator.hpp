#pragma once
// What the weight-and-balance window draws under its results: where the CG lies
// between the fore and aft limits, and the gross weight against the maximum weight.
// It only reads a calculated sheet; it changes no value and raises no message.

#include <string>

#include "core/balance.hpp"

namespace orvane {

/// How far each drawn scale reaches beyond its limits, as a share of the span between
/// them: a value outside the limits is drawn there, past the limit's tick.
inline constexpr double kIndicatorOverhang = 0.25;

enum class CgStanding {
  NotShown,      // no CG was computed, or a limit or the CG is not finite
  WithinLimits,  // both limits included
  ForeOfLimits,
  AftOfLimits,
  LimitsReversed,  // the fore limit lies aft of the aft limit: nothing can be judged
};

enum class WeightStanding {
  NotShown,  // no maximum weight above 0, or a value not finite
  UnderMaximum,
  AtMaximum,
  OverMaximum,  // "Airplane too heavy!"
};

/// Positions are fractions of the drawn scale, 0 at its left end and 1 at its right.
/// The CG scale runs from kIndicatorOverhang spans fore of the fore limit to as far
/// aft of the aft limit; the weight scale from 0 LB to the maximum weight and
/// kIndicatorOverhang of it beyond. A value off a scale sits at its end.
struct BalanceIndicator {
  CgStanding cg = CgStanding::NotShown;
  double foreLimitAt = 0;
  double aftLimitAt = 0;
  double cgAt = 0;            // the marker; meaningful unless NotShown or LimitsReversed
  std::string foreLimitText;  // the limits as fields show them: "35", "47.3"
  std::string aftLimitText;
  std::string cgText;  // "CG 2.1 in aft of the limit"; empty when NotShown

  WeightStanding weight = WeightStanding::NotShown;
  double maximumAt = 0;
  double grossWeightAt = 0;  // the bar's end
  std::string weightText;    // "125 LB over the maximum weight"; empty when NotShown

  bool shown() const noexcept { return cg != CgStanding::NotShown || weight != WeightStanding::NotShown; }
  /// Drawn as a warning (red) rather than calm (green).
  bool cgWarns() const noexcept {
    return cg == CgStanding::ForeOfLimits || cg == CgStanding::AftOfLimits || cg == CgStanding::LimitsReversed;
  }
  bool weightWarns() const noexcept { return weight == WeightStanding::OverMaximum; }
};

/// The indicator for `sheet` as `calculateBalance` left it, `check` being what that
/// calculation reported: a CG it could not compute (wrongData) is not placed. With both
/// CG limits 0 (no airplane data entered) nothing is shown, the weight included.
/// Distances are written with at most one decimal ("less than 0.1" when smaller).
BalanceIndicator indicateBalance(const BalanceSheet& sheet, const BalanceCheck& check);

}  // namespace orvane
