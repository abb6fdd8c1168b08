#pragma once
// The flight's running totals and clock texts, which the planner shows and the nav log
// ends with.

#include <string>

#include "core/clock.hpp"

namespace orvane {

struct FlightTotals {
  double totalDistance = 0;     // sum of DIST since start or Reset, unrounded
  double totalEteMinutes = 0;   // sum of the unrounded ETEs, not shown itself
  double totalFlightTime = 0;   // [hours, hundredths] recomputed from totalEteMinutes
  double totalFuelUsed = 0;     // [gallons] rounded to hundredths after each leg
  std::string takeOffText;      // take-off of the flight's first leg, "9:00:00"
  LocalDateTime takeOffTime;    // the same take-off, date included
  std::string zuluText;         // "[ 8:00:00 zulu ]", set with the take-off text
  std::string arrivalText;      // ETA of the latest leg
  std::string routeLine;        // the legs flown, " QQA ---> QQB ;" each
  bool firstLegPending = true;  // the next leg sets the take-off and zulu texts
  LocalDateTime nextTakeOff;    // the take-off picker
  // Summer time or not, when the picker shows an arrival: in the hour an autumn change
  // repeats, the wall clock alone cannot tell which of the two the leg arrived in.
  int nextTakeOffDaylightSaving = kDaylightSavingByRules;
  friend bool operator==(const FlightTotals&, const FlightTotals&) = default;
};

}  // namespace orvane
