#pragma once
// The worked leg every flight example starts from, and Calculate as the planner runs it
// with the core, for the core tests and the window tests alike.

#include "core/flight.hpp"
#include "core/leg.hpp"
#include "core/nav_log.hpp"

namespace orvane::test {

/// TC 90, WD 45, WV 20, TAS 110, VAR -5, DEV 2, DIST 60, GPH 8.5, FOB 40, FD 0:
/// GS 94.94 (95), ETE 37.92 (37.918685...), FB 5.37, FL 34.63, WCA 7, TH 83, MH 78, CH 80.
inline constexpr LegInputs kWorkedLeg{.trueCourse = 90,
                                      .windDirection = 45,
                                      .windVelocity = 20,
                                      .trueAirspeed = 110,
                                      .variation = -5,
                                      .deviation = 2,
                                      .distance = 60,
                                      .fuelFlow = 8.5,
                                      .fuelOnBoard = 40,
                                      .flightDistance = 0};

/// Calculate as the planner runs it, taking off where the picker stands (the previous
/// leg's arrival, or the time the test set). False, with nothing changed, when the leg
/// cannot be computed or the clock cannot show its arrival.
inline bool calculateLeg(FlightPlan& plan) {
  return calculateNextLeg(plan, plan.totals.nextTakeOff).outcome == CalculateOutcome::Calculated;
}

}  // namespace orvane::test
