#include "core/balance_indicator.hpp"

#include <algorithm>
#include <cmath>

#include "core/numbers.hpp"

namespace orvane {
namespace {

// The CG scale in spans between the limits: the span itself and an overhang each side.
constexpr double kCgScaleSpans = 1 + 2 * kIndicatorOverhang;

double onScale(double at) { return std::isnan(at) ? 0.5 : std::clamp(at, 0.0, 1.0); }

// "2.1 in ", "125 LB ": at most one decimal and no trailing ".0", so a pilot reads it
// at a glance. Nothing when the difference overflowed.
std::string amountText(double amount, const char* unit) {
  if (!std::isfinite(amount)) return {};
  std::string text = formatFixed(amount, 1);
  if (text == "0.0") {
    text = "less than 0.1";  // beyond the limit all the same: never "0"
  } else if (text.ends_with(".0")) {
    text.resize(text.size() - 2);
  }
  return text + " " + unit + " ";
}

void placeCg(BalanceIndicator& out, const BalanceSheet& sheet) {
  const double fore = sheet.cgForeLimit;
  const double aft = sheet.cgAftLimit;
  const double cg = sheet.cg;
  if (!std::isfinite(fore) || !std::isfinite(aft) || !std::isfinite(cg)) return;
  out.foreLimitText = fieldText(fore);
  out.aftLimitText = fieldText(aft);
  // Arms grow aftward, so a fore limit aft of the aft one is a slip in the data; no CG
  // can be inside such limits, and calling it either side would be a guess.
  if (fore > aft) {
    out.cg = CgStanding::LimitsReversed;
    out.cgText = "CG fore limit is aft of the aft limit";
    return;
  }
  if (cg < fore) {
    out.cg = CgStanding::ForeOfLimits;
    out.cgText = "CG " + amountText(fore - cg, "in") + "fore of the limit";
  } else if (cg > aft) {
    out.cg = CgStanding::AftOfLimits;
    out.cgText = "CG " + amountText(cg - aft, "in") + "aft of the limit";
  } else {
    out.cg = CgStanding::WithinLimits;
    out.cgText = "CG within the limits";
  }
  const double span = aft - fore;
  if (span > 0) {
    out.foreLimitAt = kIndicatorOverhang / kCgScaleSpans;
    out.aftLimitAt = (1 + kIndicatorOverhang) / kCgScaleSpans;
    out.cgAt = onScale(((cg - fore) / span + kIndicatorOverhang) / kCgScaleSpans);
  } else {
    // Equal limits allow one point only: both ticks in the middle, the CG on them or
    // off either end.
    out.foreLimitAt = out.aftLimitAt = 0.5;
    out.cgAt = out.cg == CgStanding::WithinLimits ? 0.5 : out.cg == CgStanding::ForeOfLimits ? 0.0 : 1.0;
  }
}

void placeWeight(BalanceIndicator& out, const BalanceSheet& sheet) {
  const double maximum = sheet.maxWeight;
  const double gross = sheet.grossWeight;
  if (!std::isfinite(maximum) || !std::isfinite(gross) || !(maximum > 0)) return;
  out.maximumAt = 1 / (1 + kIndicatorOverhang);
  out.grossWeightAt = onScale(gross / maximum / (1 + kIndicatorOverhang));
  // The same comparison as the "Airplane too heavy!" message.
  if (gross > maximum) {
    out.weight = WeightStanding::OverMaximum;
    out.weightText = amountText(gross - maximum, "LB") + "over the maximum weight";
  } else if (gross == maximum) {
    out.weight = WeightStanding::AtMaximum;
    out.weightText = "At the maximum weight";
  } else {
    out.weight = WeightStanding::UnderMaximum;
    out.weightText = amountText(maximum - gross, "LB") + "under the maximum weight";
  }
}

}  // namespace

BalanceIndicator indicateBalance(const BalanceSheet& sheet, const BalanceCheck& check) {
  BalanceIndicator out;
  // Both limits 0: the airplane's data has not been entered, so there is nothing to
  // hold the loading against.
  if (sheet.cgForeLimit == 0 && sheet.cgAftLimit == 0) return out;
  if (!check.wrongData) placeCg(out, sheet);
  placeWeight(out, sheet);
  return out;
}

}  // namespace orvane
