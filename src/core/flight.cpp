#include "core/flight.hpp"

#include <cmath>
#include <optional>

#include "core/numbers.hpp"

namespace orvane {
namespace {

// ETE 37.92 minutes is 2275 seconds: the fraction of a second is dropped.
std::optional<long long> eteSeconds(double eteMinutes) {
  const double seconds = std::trunc(eteMinutes * kMinutesPerHour);
  constexpr double kMaxSeconds = 1e15;  // far past the clock's last year
  if (!std::isfinite(seconds) || std::fabs(seconds) > kMaxSeconds) return std::nullopt;
  return static_cast<long long>(seconds);
}

// The instant the leg arrives, if the clock can show it.
std::optional<ClockInstant> arrivalAfter(const FlightTotals& t, double eteMinutes) {
  const auto seconds = eteSeconds(eteMinutes);
  if (!seconds) return std::nullopt;
  return addSeconds(t.nextTakeOff, *seconds, t.nextTakeOffDaylightSaving);
}

}  // namespace

void recordLegInFlight(FlightPlan& plan, const LegResults& leg) noexcept {
  FlightTotals& t = plan.totals;
  t.totalEteMinutes += leg.eteMinutesExact;
  t.totalFlightTime = roundToHundredths(t.totalEteMinutes * kHoursPerMinute);
  t.totalDistance += plan.inputs.distance;
  // The fuel burned counts in full even when it was more than the fuel on board.
  t.totalFuelUsed = roundToHundredths(t.totalFuelUsed + leg.fuelBurnedExact);

  LegInputs& in = plan.inputs;
  in.flightDistance = leg.flightDistance;
  in.fuelOnBoard = leg.fuelLeft;  // the next leg starts with what this one leaves
  in.trueCourse = leg.trueCourse;
  in.windDirection = leg.windDirection;
  in.variation = leg.variation;

  // The clock texts stay until the clock steps.
  std::string eta = std::move(plan.results.etaText);
  std::string takeOff = std::move(plan.results.takeOffText);
  plan.results = leg;
  plan.results.etaText = std::move(eta);
  plan.results.takeOffText = std::move(takeOff);
}

ClockStep checkLegTime(const FlightTotals& totals, double eteMinutes) {
  return arrivalAfter(totals, eteMinutes) ? ClockStep::Stepped : ClockStep::OutOfRange;
}

ClockStep stepLegTime(FlightPlan& plan, double eteMinutes) {
  FlightTotals& t = plan.totals;
  const auto takeOff = resolveLocalTime(t.nextTakeOff, t.nextTakeOffDaylightSaving);
  const auto arrival = arrivalAfter(t, eteMinutes);
  if (!takeOff || !arrival) return ClockStep::OutOfRange;

  if (t.firstLegPending) {
    t.takeOffText = formatClock(takeOff->local);
    t.takeOffTime = takeOff->local;
    t.zuluText = "[ " + formatClock(takeOff->utc) + " zulu ]";
    t.firstLegPending = false;
  }
  t.nextTakeOff = arrival->local;
  t.nextTakeOffDaylightSaving = arrival->daylightSaving ? 1 : 0;
  plan.results.takeOffText = formatClock(takeOff->local);
  plan.results.etaText = formatClock(arrival->local);
  t.arrivalText = plan.results.etaText;
  return ClockStep::Stepped;
}

void setNextTakeOff(FlightTotals& totals, const LocalDateTime& time) noexcept {
  if (time == totals.nextTakeOff) return;
  totals.nextTakeOff = time;
  totals.nextTakeOffDaylightSaving = kDaylightSavingByRules;
}

void resetFlight(FlightPlan& plan) noexcept {
  plan.results = LegResults{};
  LegInputs& in = plan.inputs;
  in.trueCourse = 0;
  in.windDirection = 0;
  in.windVelocity = 0;
  in.distance = 0;
  in.flightDistance = 0;

  // The take-off picker keeps its time.
  const LocalDateTime picker = plan.totals.nextTakeOff;
  const int pickerDaylightSaving = plan.totals.nextTakeOffDaylightSaving;
  plan.totals = FlightTotals{};
  plan.totals.nextTakeOff = picker;
  plan.totals.nextTakeOffDaylightSaving = pickerDaylightSaving;
  plan.navLog = NavLog{};
}

void clearLegResults(FlightPlan& plan) noexcept { plan.results = LegResults{}; }

void extendRouteLine(FlightTotals& totals, const std::string& origin, const std::string& destination) {
  totals.routeLine += " " + origin + " ---> " + destination + " ;";
}

}  // namespace orvane
