#include "core/fuel_policy.hpp"

#include <algorithm>
#include <cmath>

#include "core/numbers.hpp"

namespace orvane {
namespace {

bool inRange(double value, double low, double high) { return value >= low && value <= high; }

std::string between(std::string_view what, double low, double high, std::string_view unit) {
  std::string text = "The ";
  text += what;
  text += " must be between ";
  text += fieldText(low);
  text += " and ";
  text += fieldText(high);
  if (!unit.empty()) {
    text += ' ';
    text += unit;
  }
  text += '.';
  return text;
}

bool finitePosition(GeoPosition p) { return std::isfinite(p.latitude) && std::isfinite(p.longitude); }

// Gallons burned in `minutes` at `gph`, and back.
double gallonsFor(double minutes, double gph) { return roundToHundredths(gph * minutes / kMinutesPerHour); }
double minutesFor(double gallons, double gph) {
  return gph > 0 ? roundToHundredths(gallons * kMinutesPerHour / gph) : 0;
}

}  // namespace

std::string fuelPolicyFault(const FuelPolicy& policy) {
  if (!inRange(policy.taxiGallons, 0, kMaxTaxiGallons)) return between("taxi fuel", 0, kMaxTaxiGallons, "gallons");
  if (!inRange(policy.contingencyPercent, 0, kMaxContingencyPercent)) {
    return between("contingency", 0, kMaxContingencyPercent, "percent");
  }
  if (std::find(kFinalReserveChoices.begin(), kFinalReserveChoices.end(), policy.finalReserveMinutes) ==
      kFinalReserveChoices.end()) {
    return "The final reserve must be 30 or 45 minutes.";
  }
  if (const auto& alternate = policy.alternate) {
    if (!inRange(alternate->trueCourse, 0, kFullCircle))
      return between("alternate's course", 0, kFullCircle, "degrees");
    if (!(alternate->distance > 0 && alternate->distance <= kMaxAlternateDistance)) {
      return "The alternate's distance must be above 0 and at most " + fieldText(kMaxAlternateDistance) + ".";
    }
    if (!finitePosition(alternate->fromPosition) || !finitePosition(alternate->toPosition)) {
      return "The alternate's positions must be numbers.";
    }
  }
  return {};
}

FuelPlan planFuel(const FuelPolicy& policy, const FuelFlight& flight) noexcept {
  FuelPlan plan;
  const double gph = flight.conditions.fuelFlow;
  const bool hasFlow = gph > 0 && std::isfinite(gph);
  if (!hasFlow) plan.outcome = FuelPlanOutcome::NoFuelFlow;
  const double flow = hasFlow ? gph : 0;

  plan.taxi = {roundToHundredths(policy.taxiGallons), minutesFor(policy.taxiGallons, flow)};
  plan.trip = {roundToHundredths(flight.tripGallons), roundToHundredths(flight.tripMinutes)};
  const double share = policy.contingencyPercent / kPercent;
  plan.contingency = {roundToHundredths(flight.tripGallons * share), roundToHundredths(flight.tripMinutes * share)};

  if (policy.alternate && hasFlow) {
    LegInputs leg = flight.conditions;
    leg.trueCourse = policy.alternate->trueCourse;
    leg.distance = policy.alternate->distance;
    leg.fuelOnBoard = 0;  // only the fuel burned and the time count here
    leg.flightDistance = 0;
    const LegComputation computed = computeLeg(leg);
    if (computed.outcome == LegOutcome::Computed) {
      plan.alternate = {computed.results.fuelBurned, computed.results.eteMinutes};
    } else {
      plan.outcome = FuelPlanOutcome::AlternateNotComputable;
    }
  }

  plan.finalReserve = {gallonsFor(policy.finalReserveMinutes, flow),
                       hasFlow ? roundToHundredths(policy.finalReserveMinutes) : 0};

  const FuelAmount parts[] = {plan.taxi, plan.trip, plan.contingency, plan.alternate, plan.finalReserve};
  double gallons = 0;
  double minutes = 0;
  for (const FuelAmount& part : parts) {
    gallons += part.gallons;
    minutes += part.minutes;
  }
  plan.required = {roundToHundredths(gallons), roundToHundredths(minutes)};
  plan.onBoard = {roundToHundredths(flight.fuelOnBoard), minutesFor(flight.fuelOnBoard, flow)};
  const double extra = roundToHundredths(plan.onBoard.gallons - plan.required.gallons);
  plan.extra = {extra, hasFlow ? roundToHundredths(extra * kMinutesPerHour / flow) : 0};
  plan.enough = plan.outcome == FuelPlanOutcome::Planned && extra >= 0;
  return plan;
}

std::string fuelVerdictText(const FuelPlan& plan) {
  switch (plan.outcome) {
    case FuelPlanOutcome::NoFuelFlow:
      return "Not enough fuel known: enter the fuel flow (GPH) to work out the reserve.";
    case FuelPlanOutcome::AlternateNotComputable:
      return "Not enough fuel known: the alternate leg cannot be flown with this wind and TAS.";
    case FuelPlanOutcome::Planned: break;
  }
  if (plan.enough) return "Enough fuel: " + formatFixed(plan.extra.gallons, 2) + " gallons extra.";
  return "Not enough fuel: " + formatFixed(-plan.extra.gallons, 2) + " gallons short.";
}

}  // namespace orvane
