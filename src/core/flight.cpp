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
  t.totalFlightTime = roundToHundredths(t.totalEteMinutes * kOneSixtieth);
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
  plan.results.takeOffDay = daysBetween(t.takeOffTime, takeOff->local);
  plan.results.arrivalDay = daysBetween(t.takeOffTime, arrival->local);
  t.arrivalText = plan.results.etaText;
  return ClockStep::Stepped;
}

void setNextTakeOff(FlightTotals& totals, const LocalDateTime& time) noexcept {
  if (time == totals.nextTakeOff) return;
  totals.nextTakeOff = time;
  totals.nextTakeOffDaylightSaving = kDaylightSavingByRules;
}

namespace {

CalculateOutcome outcomeOf(LegOutcome outcome) {
  switch (outcome) {
    case LegOutcome::Computed: break;
    case LegOutcome::AirspeedTooLow: return CalculateOutcome::AirspeedTooLow;
    case LegOutcome::WindTooStrong: return CalculateOutcome::WindTooStrong;
    case LegOutcome::NotComputable: return CalculateOutcome::NotComputable;
  }
  return CalculateOutcome::Calculated;
}

// The Calculate sequence on the inputs the plan holds, taking off at `takeOff`. On a
// refusal nothing has changed. `leg` receives the results and the arrival.
CalculateResult flyLeg(FlightPlan& plan, const LocalDateTime& takeOff, PlannedLeg& leg) {
  CalculateResult result;
  const LegComputation computed = computeLeg(plan.inputs);
  result.outcome = outcomeOf(computed.outcome);
  if (result.outcome != CalculateOutcome::Calculated) return result;
  setNextTakeOff(plan.totals, takeOff);
  // Refused before anything is recorded, so a leg the clock cannot show changes nothing.
  if (checkLegTime(plan.totals, computed.results.eteMinutes) != ClockStep::Stepped) {
    result.outcome = CalculateOutcome::ClockOutOfRange;
    return result;
  }
  result.fuelShort = computed.results.fuelShort;
  recordLegInFlight(plan, computed.results);
  stepLegTime(plan, computed.results.eteMinutes);
  plan.navLog.nextLegName =
      leg.ends ? routePairName(legEndName(leg.ends->fromId, leg.ends->from), legEndName(leg.ends->toId, leg.ends->to))
               : std::string();
  recordLegInNavLog(plan.navLog, plan.inputs, plan.results);
  leg.results = plan.results;
  leg.arrival = plan.totals.nextTakeOff;
  leg.arrivalDaylightSaving = plan.totals.nextTakeOffDaylightSaving;
  return result;
}

}  // namespace

void takeCourse(FlightPlan& plan, const PendingCourse& course) {
  clearLegResults(plan);
  plan.inputs.flightDistance = course.distance;
  plan.inputs.distance = course.distance;
  if (course.variation) plan.inputs.variation = *course.variation;
  const std::string from = legEndName(course.ends.fromId, course.ends.from);
  const std::string to = legEndName(course.ends.toId, course.ends.to);
  extendRouteLine(plan.totals, from, to);
  plan.navLog.nextLegName = routePairName(from, to);
  plan.inputs.trueCourse = course.trueCourse;
  plan.pendingCourse = course;
}

CalculateResult calculateNextLeg(FlightPlan& plan, LocalDateTime takeOff) {
  const bool first = plan.legs.empty();
  PlannedLeg leg;
  if (plan.pendingCourse) leg.ends = plan.pendingCourse->ends;
  leg.inputs = plan.inputs;
  if (!first) {
    const PlannedLeg& previous = plan.legs.back();
    if (plan.inputs.fuelOnBoard != previous.results.fuelLeft) leg.fuelOnBoardSet = plan.inputs.fuelOnBoard;
    if (takeOff != previous.arrival) leg.takeOffSet = takeOff;
  }
  const LocalDateTime takeOffBefore = plan.totals.nextTakeOff;
  const int daylightSavingBefore = plan.totals.nextTakeOffDaylightSaving;

  CalculateResult result = flyLeg(plan, takeOff, leg);
  result.leg = plan.legs.size();
  if (result.outcome != CalculateOutcome::Calculated) return result;
  if (first) {
    // The flight starts where the picker stood: its summer time as the clock had it.
    plan.takeOff = takeOff;
    plan.takeOffDaylightSaving = takeOff == takeOffBefore ? daylightSavingBefore : kDaylightSavingByRules;
    plan.fuelOnBoardAtTakeOff = leg.inputs.fuelOnBoard;
  }
  plan.pendingCourse.reset();
  plan.legs.push_back(std::move(leg));
  if (!plan.coursesAhead.empty()) {
    takeCourse(plan, plan.coursesAhead.front());
    plan.coursesAhead.erase(plan.coursesAhead.begin());
  }
  return result;
}

CalculateResult recomputeFlight(FlightPlan& plan, std::size_t fromLeg) {
  // Flown again from the flight's start: the legs before `fromLeg` come out the same,
  // and every total is summed in the order typing would have summed it.
  (void)fromLeg;
  FlightPlan work = plan;
  resetFlight(work);
  work.legs = plan.legs;
  if (!work.legs.empty()) {
    // The first leg, whichever it now is, starts with the flight's own take-off and fuel.
    work.legs.front().fuelOnBoardSet.reset();
    work.legs.front().takeOffSet.reset();
  }
  work.totals.nextTakeOff = plan.takeOff;
  work.totals.nextTakeOffDaylightSaving = plan.takeOffDaylightSaving;
  work.inputs.fuelOnBoard = plan.fuelOnBoardAtTakeOff;

  CalculateResult result;
  result.outcome = CalculateOutcome::Calculated;
  for (std::size_t i = 0; i < work.legs.size(); ++i) {
    PlannedLeg& leg = work.legs[i];
    if (leg.ends) {
      extendRouteLine(work.totals, legEndName(leg.ends->fromId, leg.ends->from),
                      legEndName(leg.ends->toId, leg.ends->to));
    }
    const double fuelOnBoard =
        i == 0 ? plan.fuelOnBoardAtTakeOff : leg.fuelOnBoardSet.value_or(work.inputs.fuelOnBoard);
    work.inputs = leg.inputs;
    work.inputs.fuelOnBoard = fuelOnBoard;
    leg.inputs.fuelOnBoard = fuelOnBoard;
    const LocalDateTime takeOff = i == 0 ? plan.takeOff : leg.takeOffSet.value_or(work.totals.nextTakeOff);
    work.results = LegResults{};
    const CalculateResult step = flyLeg(work, takeOff, leg);
    if (step.outcome != CalculateOutcome::Calculated) {
      result.outcome = step.outcome;
      result.leg = i;
      return result;
    }
    if (step.fuelShort && !result.fuelShort) {
      result.fuelShort = true;
      result.leg = i;
    }
  }
  if (work.legs.empty()) {
    // Nothing flown: the flight waits at its take-off with its fuel.
    work.totals.nextTakeOff = plan.takeOff;
    work.totals.nextTakeOffDaylightSaving = plan.takeOffDaylightSaving;
  }
  if (plan.pendingCourse) takeCourse(work, *plan.pendingCourse);
  plan = std::move(work);
  return result;
}

std::string coursesToCalculate(const FlightPlan& plan) {
  FlightTotals named;
  const auto name = [&named](const PendingCourse& course) {
    extendRouteLine(named, legEndName(course.ends.fromId, course.ends.from),
                    legEndName(course.ends.toId, course.ends.to));
  };
  if (plan.pendingCourse) name(*plan.pendingCourse);
  for (const PendingCourse& course : plan.coursesAhead) name(course);
  return named.routeLine;
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
  plan.legs.clear();
  plan.pendingCourse.reset();
  plan.coursesAhead.clear();
}

FuelFlight fuelFlightOf(const FlightPlan& plan) noexcept {
  const FlightTotals& t = plan.totals;
  const bool flown = !plan.navLog.legs.empty();
  return {.tripGallons = t.totalFuelUsed,
          .tripMinutes = t.totalEteMinutes,
          .fuelOnBoard = flown ? plan.fuelOnBoardAtTakeOff : plan.inputs.fuelOnBoard,
          .conditions = plan.inputs};
}

void clearLegResults(FlightPlan& plan) noexcept { plan.results = LegResults{}; }

namespace {

std::string hemisphereText(double degrees, char positive, char negative) {
  const double rounded = roundToHundredths(degrees);
  std::string text = formatFixed(std::fabs(rounded), 2);
  text += rounded < 0 ? negative : positive;
  return text;
}

}  // namespace

std::string positionLabel(GeoPosition position) {
  return hemisphereText(position.latitude, 'N', 'S') + ' ' + hemisphereText(position.longitude, 'E', 'W');
}

std::string legEndName(std::string_view identifier, GeoPosition position) {
  return identifier.empty() ? positionLabel(position) : std::string(identifier);
}

void extendRouteLine(FlightTotals& totals, const std::string& origin, const std::string& destination) {
  totals.routeLine += " " + origin + " ---> " + destination + " ;";
}

}  // namespace orvane
