#pragma once
// What Calculate tells the pilot about a leg, in the planner and in the Legs window.

#include <string_view>

#include "core/flight.hpp"

namespace orvane {

inline constexpr std::string_view kEnterCorrectTasMessage = "Enter correct TAS!";
inline constexpr std::string_view kWindTooStrongMessage = "Wind is too strong for this TAS!";
inline constexpr std::string_view kNotComputableMessage =
    "These values give no leg that can be computed. Please check the inputs.";
inline constexpr std::string_view kClockOutOfRangeMessage =
    "The arrival time of this leg lies beyond the clock's range. Please check the inputs.";
inline constexpr std::string_view kFuelShortMessage = "You don't have enough fuel to complete this trip!";

/// The message Calculate shows for a leg it refuses; empty for a computed one.
std::string_view calculateOutcomeMessage(CalculateOutcome outcome);

}  // namespace orvane
