#pragma once
// Plan files (".orvplan"): the flight's inputs as JSON text, so that a plan can be
// opened again and computed afresh with the same digits.
//
// The file is an object: "format": "Orvane flight plan", "version": 1, "takeOff" (local
// "YYYY-MM-DDTHH:MM:SS", with "summerTime" only where the clock had to tell the repeated
// autumn hour apart), "fuelOnBoard" [gallons] at take-off, "airplane" (the defaults
// file's airplane values), "fuelPolicy" (taxi, contingency, final reserve and the
// alternate leg, if any), "legs" (each with "from" and "to" as {"id", "latitude",
// "longitude"} when the course window gave them, "trueCourse", "distance",
// "windDirection", "windVelocity", "trueAirspeed", "variation", "deviation", "fuelFlow",
// "flightDistance", and "fuelOnBoard" or "takeOff" where the pilot set the leg's own),
// "nextCourse" for a course not yet calculated, and "coursesAhead", the list of an
// imported route's courses after it (version 2: a plan without them is written as
// version 1, which earlier versions of Orvane read). Results are never stored: opening
// computes them. Numbers are written in the shortest text that reads back as the same
// double.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "core/flight.hpp"

namespace orvane {

inline constexpr std::string_view kPlanFormatName = "Orvane flight plan";
inline constexpr int kPlanVersion = 2;  // the newest this version reads
inline constexpr std::string_view kPlanExtension = ".orvplan";
/// A plan of a thousand legs is some 500 KiB; anything above this is no plan.
inline constexpr std::size_t kPlanReadLimit = 4u * 1024u * 1024u;
/// Arrays and objects nest three deep in a plan; deeper text is refused before parsing.
inline constexpr int kDeepestPlanNesting = 8;
/// Identifiers and airplane texts, in bytes.
inline constexpr std::size_t kLongestPlanText = 256;

/// The plan's text: the inputs of `plan` (its legs, take-off, fuel at take-off,
/// airplane data, fuel policy and pending course), two-space indented, ending in a line break.
std::string planText(const FlightPlan& plan);

struct PlanRead {
  std::optional<FlightPlan> plan;  // inputs only: recompute it before showing it
  std::string problem;             // what is wrong, when there is no plan: "it is empty."
};

/// Reads a plan's text. Every value is checked against the range its planner field
/// takes; the first fault found is described in words for a message.
PlanRead readPlanText(std::string_view text);

}  // namespace orvane
