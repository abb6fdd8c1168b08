#pragma once
// The wind triangle of one leg: headings, ground speed, time en route and fuel.
//
// The order of the arithmetic and of every rounding is part of the contract: the pilot
// sees whole-degree headings and hundredths of minutes and gallons, and which of them
// comes out one unit higher depends on where each rounding happens.

#include <cstdint>
#include <string>

#include "core/angles.hpp"
#include "core/sixtieths.hpp"

namespace orvane {

/// Inputs of one leg. Speeds and distances share one unit (knots and nautical miles,
/// or statute miles per hour and statute miles); nothing is converted.
struct LegInputs {
  double trueCourse = 0;      // TC [degrees]
  double windDirection = 0;   // WD, where the wind blows from [degrees]
  double windVelocity = 0;    // WV [knots, sm/h]
  double trueAirspeed = 0;    // TAS [knots, sm/h]
  double variation = 0;       // VAR [degrees, east negative, west positive]
  double deviation = 0;       // DEV [degrees]
  double distance = 0;        // DIST of this leg [nm, sm]
  double fuelFlow = 0;        // GPH [US gallons per hour]
  double fuelOnBoard = 0;     // FOB at the start of the leg [US gallons]
  double flightDistance = 0;  // FD for the whole flight; 0 or less means none given
  friend bool operator==(const LegInputs&, const LegInputs&) = default;
};

/// Results of one leg as the planner shows them.
struct LegResults {
  // Positive when the wind comes from the left of the course, so TH = TC - WCA.
  std::int32_t windCorrectionAngle = 0;  // WCA [whole degrees]
  std::int32_t trueHeading = 0;          // TH [whole degrees]
  std::int32_t magneticHeading = 0;      // MH [whole degrees]
  std::int32_t compassHeading = 0;       // CH, not wrapped after adding DEV [whole degrees]
  std::int32_t groundSpeed = 0;          // GS [whole knots, sm/h]
  double groundSpeedExact = 0;           // GS as ETE is computed from it
  double eteMinutes = 0;                 // ETE [minutes, hundredths]
  double eteMinutesExact = 0;            // ETE unrounded, summed into the flight time
  double fuelBurned = 0;                 // FB [gallons, hundredths]
  double fuelBurnedExact = 0;            // FB unrounded, summed into the fuel used
  double fuelLeft = 0;                   // FL [gallons, hundredths, never below 0]
  bool fuelShort = false;                // the fuel on board does not cover the leg
  double flightDistance = 0;             // FD after defaulting to DIST
  double distanceRemaining = 0;          // DR = FD - DIST
  double trueCourse = 0;                 // TC handed back rounded to hundredths
  double windDirection = 0;              // WD handed back rounded to hundredths
  double variation = 0;                  // VAR handed back rounded to hundredths
  std::string etaText;                   // arrival on the local clock, set by the clock step
  std::string takeOffText;               // the leg's take-off on the local clock, set likewise
  int takeOffDay = 0;                    // days after the flight's take-off date, set likewise
  int arrivalDay = 0;                    // the ETA's days after that date, set likewise
  friend bool operator==(const LegResults&, const LegResults&) = default;
};

enum class LegOutcome {
  Computed,
  AirspeedTooLow,  // TAS below 60 (or not a number): nothing is computed
  WindTooStrong,   // the crosswind exceeds TAS, or the headwind leaves no ground speed
  NotComputable,   // an input or a result is not a finite number
};

struct LegComputation {
  LegOutcome outcome = LegOutcome::AirspeedTooLow;
  LegResults results;  // meaningful only when outcome is Computed
};

inline constexpr double kHalf = 0.5;
inline constexpr double kLowestTrueAirspeed = 60;

/// Solves the wind triangle for one leg. Pure: no state, no clock, no window.
LegComputation computeLeg(const LegInputs& inputs) noexcept;

}  // namespace orvane
