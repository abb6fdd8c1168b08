#pragma once
// A flight as a chain of legs: running totals, the clock that moves from leg to leg,
// and what Reset and a new course clear.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/airplane.hpp"
#include "core/clock.hpp"
#include "core/flight_totals.hpp"
#include "core/fuel_policy.hpp"
#include "core/geo.hpp"
#include "core/leg.hpp"
#include "core/nav_log.hpp"

namespace orvane {

/// The two airports of a leg, as the course window gave them.
struct LegEnds {
  std::string fromId;  // as the course window's lists wrote them; may be empty
  std::string toId;
  GeoPosition from;  // [degrees]
  GeoPosition to;
  friend bool operator==(const LegEnds&, const LegEnds&) = default;
};

/// A course the course window gave that no Calculate has used yet.
struct PendingCourse {
  LegEnds ends;
  double trueCourse = 0;            // [whole degrees] as the TC field took it
  double distance = 0;              // the leg and flight distance it set
  std::optional<double> variation;  // VAR [degrees] at mid-leg, when the pilot took it
  friend bool operator==(const PendingCourse&, const PendingCourse&) = default;
};

/// One leg of the flight: what the pilot gave for it and what it came to.
struct PlannedLeg {
  std::optional<LegEnds> ends;  // empty for a leg typed without the course window
  // TC, WD, WV, TAS, VAR, DEV, DIST, GPH and FD as Calculate read them. The fuel on
  // board is the one the leg started with: the flight's fuel at take-off on the first
  // leg, else the previous leg's fuel left unless `fuelOnBoardSet` says otherwise.
  LegInputs inputs;
  // The pilot gave this leg its own fuel on board (fuel taken on at a stop) or its
  // own take-off time (a stop on the ground); empty when the leg follows on from the
  // previous one. Never set on the first leg, which the flight's own values start.
  std::optional<double> fuelOnBoardSet;  // [gallons]
  std::optional<LocalDateTime> takeOffSet;
  LegResults results;     // with the leg's take-off and ETA texts
  LocalDateTime arrival;  // where the picker went after the leg
  int arrivalDaylightSaving = kDaylightSavingByRules;
  friend bool operator==(const PlannedLeg&, const PlannedLeg&) = default;
};

/// The most legs a plan file or the Legs window takes: far more than any flight has.
inline constexpr std::size_t kMostLegs = 1000;

/// Everything the planner holds about the flight being planned.
struct FlightPlan {
  LegInputs inputs;    // the leg inputs as the planner's fields last held them
  LegResults results;  // the results the planner shows
  FlightTotals totals;
  NavLog navLog;  // built from `legs`, one record per leg
  AirplaneData airplane;
  FuelPolicy fuelPolicy;  // the fuel policy a plan file carries

  // The flight as a chain of legs. The take-off and fuel are the first leg's; with no
  // leg yet they are what the first Calculate will start from.
  std::vector<PlannedLeg> legs;
  LocalDateTime takeOff;
  int takeOffDaylightSaving = kDaylightSavingByRules;
  double fuelOnBoardAtTakeOff = 0;  // [gallons]
  std::optional<PendingCourse> pendingCourse;
  // The courses of an imported route after the pending one, in order: each Calculate
  // that adds a leg takes the next of them as the course window would give it.
  std::vector<PendingCourse> coursesAhead;
};

enum class CalculateOutcome {
  Calculated,
  AirspeedTooLow,  // "Enter correct TAS!"
  WindTooStrong,
  NotComputable,
  ClockOutOfRange,  // the arrival cannot be shown on the clock
};

struct CalculateResult {
  CalculateOutcome outcome = CalculateOutcome::AirspeedTooLow;
  bool fuelShort = false;  // the leg was added, and its fuel on board did not cover it
  std::size_t leg = 0;     // which leg [0-based]: the one added, or the one refused
};

/// Calculate: the next leg from the inputs the plan holds, taking off at `takeOff`
/// (the picker; taken by value, as it is often the plan's own next take-off, which
/// the leg moves on). Computes the leg, and unless it is refused (nothing then changes)
/// folds it into the totals, moves the clock on, adds it to the legs and the nav log,
/// and consumes the pending course, which names it; the next of `coursesAhead`, if
/// any, then becomes the pending course.
CalculateResult calculateNextLeg(FlightPlan& plan, LocalDateTime takeOff);

/// Computes the flight again from leg `fromLeg` on after its legs were changed: the
/// legs before it come out as they were, the ones after it take off when the previous
/// one arrives and start with its fuel left (unless the pilot set their own), and the
/// totals, route line and nav log follow. A pending course is kept and set again into
/// the inputs. When a leg cannot be computed, the plan is left exactly as it was and
/// the result names that leg.
CalculateResult recomputeFlight(FlightPlan& plan, std::size_t fromLeg = 0);

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

/// The Reset button: clears the flight back to its start state, legs and nav log included. TAS, variation,
/// deviation, fuel flow, fuel on board and the take-off picker are kept; the caller
/// then loads the defaults file, which sets the first five.
void resetFlight(FlightPlan& plan) noexcept;

/// The course window's OK: clears the previous leg's results, sets the course and both
/// distances, extends the route line and keeps the course for the next Calculate,
/// which it names.
void takeCourse(FlightPlan& plan, const PendingCourse& course);

/// Clears the previous leg's results when a new course and distance arrive.
void clearLegResults(FlightPlan& plan) noexcept;

/// What the fuel check needs of the flight: its fuel burned and time en route, the fuel
/// on board at take-off (the fuel on board field while no leg is computed), and the
/// inputs now held, whose wind, TAS, VAR, DEV and GPH the alternate leg is flown with.
FuelFlight fuelFlightOf(const FlightPlan& plan) noexcept;

/// A position as the route line and the nav log name it when it is no airport's:
/// latitude and longitude to hundredths of a degree with their hemispheres,
/// "49.96N 8.64E", "33.87S 151.20W"; a value that rounds to 0 counts as north or east.
std::string positionLabel(GeoPosition position);

/// An end of a leg as the route line and the nav log name it: its airport's identifier,
/// or its position when it has none (typed or converted).
std::string legEndName(std::string_view identifier, GeoPosition position);

/// The courses the plan holds that no Calculate has used yet (the pending course, then
/// the rest of an imported route), named as the route line names them:
/// " JFK ---> PVD ; PVD ---> BOS ;". Empty when there are none.
std::string coursesToCalculate(const FlightPlan& plan);

/// The route line grows by " ORIGIN ---> DESTINATION ;" for each new course.
void extendRouteLine(FlightTotals& totals, const std::string& origin, const std::string& destination);

}  // namespace orvane
