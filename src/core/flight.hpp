#pragma once
// A flight as a chain of legs: running totals, the clock that moves from leg to leg,
// and what Reset and a new course clear.

#include <string>

#include "core/clock.hpp"
#include "core/leg.hpp"
#include "core/nav_log.hpp"

namespace orvane {

struct FlightTotals {
  double totalDistance = 0;       // sum of DIST since start or Reset, unrounded
  double totalEteMinutes = 0;     // sum of the unrounded ETEs, not shown itself
  double totalFlightTime = 0;     // [hours, hundredths] recomputed from totalEteMinutes
  double totalFuelUsed = 0;       // [gallons] rounded to hundredths after each leg
  std::string takeOffText;        // take-off of the flight's first leg, "9:00:00"
  LocalDateTime takeOffTime;      // the same take-off, date included
  std::string zuluText;           // "[ 8:00:00 zulu ]", set with the take-off text
  std::string arrivalText;        // ETA of the latest leg
  std::string routeLine;          // the legs flown, " QQA ---> QQB ;" each
  bool firstLegPending = true;    // the next leg sets the take-off and zulu texts
  LocalDateTime nextTakeOff;      // the take-off picker
  // Summer time or not, when the picker shows an arrival: in the hour an autumn change
  // repeats, the wall clock alone cannot tell which of the two the leg arrived in.
  int nextTakeOffDaylightSaving = kDaylightSavingByRules;
};

/// Everything the planner holds about the flight being planned.
struct FlightPlan {
  LegInputs inputs;
  LegResults results;
  FlightTotals totals;
  NavLog navLog;  // the legs computed since start or Reset
};

/// Folds a computed leg into the flight: totals, flight distance, the next leg's fuel
/// on board (the fuel left), and the results and rounded angles shown.
void recordLegInFlight(FlightPlan& plan, const LegResults& leg) noexcept;

enum class ClockStep {
  Stepped,
  OutOfRange,  // the take-off time or the arrival cannot be shown on the clock
};

/// Whether the clock step for an ETE would succeed, without changing anything; the
/// planner asks before it records a leg so that a refused leg changes nothing.
ClockStep checkLegTime(const FlightTotals& totals, double eteMinutes);

/// The take-off picker now shows `time`: a time the pilot set, whose summer time the
/// zone's rules decide, unless it is still the arrival the clock moved it to.
void setNextTakeOff(FlightTotals& totals, const LocalDateTime& time) noexcept;

/// Moves the clock on by the leg's ETE [minutes, rounded to hundredths]: sets the ETA
/// and arrival texts, the take-off and zulu texts on the first leg, and moves the
/// take-off picker to the arrival. On OutOfRange nothing changes.
ClockStep stepLegTime(FlightPlan& plan, double eteMinutes);

/// The Reset button: clears the flight back to its start state, nav log included. TAS, variation,
/// deviation, fuel flow, fuel on board and the take-off picker are kept; the caller
/// then loads the defaults file, which sets the first five.
void resetFlight(FlightPlan& plan) noexcept;

/// Clears the previous leg's results when a new course and distance arrive.
void clearLegResults(FlightPlan& plan) noexcept;

/// The route line grows by " ORIGIN ---> DESTINATION ;" for each new course.
void extendRouteLine(FlightTotals& totals, const std::string& origin, const std::string& destination);

}  // namespace orvane
