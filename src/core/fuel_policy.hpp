#pragma once
// The fuel check: how much fuel the flight needs (taxi, trip, contingency, alternate,
// final reserve) against the fuel on board at take-off.

#include <array>
#include <optional>
#include <string>

#include "core/geo.hpp"
#include "core/leg.hpp"

namespace orvane {

/// The leg from the destination to the alternate, as the course window gave it.
struct AlternateLeg {
  std::string fromIdentifier;  // the destination, "QQB"; may be empty for typed positions
  GeoPosition fromPosition;
  std::string toIdentifier;  // the alternate, "QQC"
  GeoPosition toPosition;
  double trueCourse = 0;  // [degrees true, hundredths]
  double distance = 0;    // [nm, sm, hundredths], above 0
  friend bool operator==(const AlternateLeg&, const AlternateLeg&) = default;
};

/// The pilot's fuel policy for a flight.
struct FuelPolicy {
  double taxiGallons = 0;                 // fuel used before take-off [US gallons]
  double contingencyPercent = 0;          // share of the trip fuel [percent]
  double finalReserveMinutes = 30;        // at the flight's fuel flow: 30 or 45 [minutes]
  std::optional<AlternateLeg> alternate;  // none: no alternate fuel
  friend bool operator==(const FuelPolicy&, const FuelPolicy&) = default;
};

/// The final reserves offered: 30 minutes (day) and 45 minutes (night).
inline constexpr std::array<double, 2> kFinalReserveChoices{30, 45};
inline constexpr double kMaxTaxiGallons = 100;  // as much as the fuel on board holds
inline constexpr double kMaxContingencyPercent = 100;
inline constexpr double kMaxAlternateDistance = 10000;  // as a leg's distance
inline constexpr double kPercent = 100;

/// Empty when every value of `policy` is in its range (taxi 0..100 gallons, contingency
/// 0..100 %, reserve one of the choices, alternate course 0..360 and distance above 0
/// up to 10000, positions finite); otherwise what is wrong, in words for the pilot:
/// "The taxi fuel must be between 0 and 100 gallons.".
std::string fuelPolicyFault(const FuelPolicy& policy);

/// What the fuel check needs to know of the flight.
struct FuelFlight {
  double tripGallons = 0;  // the legs' fuel burned [gallons, hundredths]
  double tripMinutes = 0;  // the legs' time en route [minutes]
  double fuelOnBoard = 0;  // at take-off, before taxi [gallons]
  // The wind, TAS, VAR, DEV and GPH the flight flies with (its last leg's); the
  // alternate leg is flown with them, and GPH turns minutes into gallons and back.
  LegInputs conditions;
};

/// One part of the fuel: gallons and the minutes they stand for.
struct FuelAmount {
  double gallons = 0;  // [US gallons, hundredths]
  double minutes = 0;  // [minutes, hundredths]
  friend bool operator==(const FuelAmount&, const FuelAmount&) = default;
};

enum class FuelPlanOutcome {
  Planned,
  NoFuelFlow,              // GPH is not above 0: minutes and the reserve cannot be had
  AlternateNotComputable,  // the alternate leg cannot be flown (TAS below 60, wind)
};

struct FuelPlan {
  FuelPlanOutcome outcome = FuelPlanOutcome::Planned;
  FuelAmount taxi;          // minutes at the fuel flow
  FuelAmount trip;          // minutes: the legs' time en route
  FuelAmount contingency;   // the percentage of the trip's gallons and minutes
  FuelAmount alternate;     // the alternate leg's fuel burned and ETE; 0 without one
  FuelAmount finalReserve;  // gallons at the fuel flow
  FuelAmount required;      // the sum of the five parts as shown
  FuelAmount onBoard;       // minutes: the endurance at the fuel flow
  FuelAmount extra;         // on board - required; negative when short
  bool enough = false;      // planned, and the fuel on board covers the required fuel
};

/// The fuel check. Every part is rounded to hundredths before it is summed, so the
/// figures shown add up. Without a fuel flow the minutes of taxi, reserve and on board
/// are 0 and the outcome says so; the flight is then never called enough.
FuelPlan planFuel(const FuelPolicy& policy, const FuelFlight& flight) noexcept;

/// The verdict in words, so that it never rests on colour alone:
/// "Enough fuel: 18.26 gallons extra." or "Not enough fuel: 1.74 gallons short.";
/// without a fuel flow or a flyable alternate, what the pilot has to change.
std::string fuelVerdictText(const FuelPlan& plan);

}  // namespace orvane
