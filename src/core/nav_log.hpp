#pragma once
// The nav log: every leg computed since start or Reset, in order, as the pilot takes
// it into the cockpit on the kneeboard, and its CSV text.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/flight_totals.hpp"
#include "core/fuel_policy.hpp"
#include "core/leg.hpp"

namespace orvane {

/// One computed leg as the nav log keeps it: the values the planner showed for it.
struct NavLogLeg {
  std::string name;                      // "QQA-QQB" after the course window, else "Leg 3"
  double trueCourse = 0;                 // TC [degrees, hundredths]
  double windDirection = 0;              // WD [degrees, hundredths]
  double windVelocity = 0;               // WV [knots, sm/h]
  double trueAirspeed = 0;               // TAS [knots, sm/h]
  std::int32_t windCorrectionAngle = 0;  // WCA [whole degrees]
  std::int32_t trueHeading = 0;          // TH
  std::int32_t magneticHeading = 0;      // MH
  std::int32_t compassHeading = 0;       // CH
  std::int32_t groundSpeed = 0;          // GS [whole knots, sm/h]
  double distance = 0;                   // [nm, sm]
  double eteMinutes = 0;                 // [minutes, hundredths]
  std::string takeOffText;               // "9:00:00"
  std::string etaText;                   // "9:37:55"
  int takeOffDay = 0;                    // days after the flight's take-off date
  int arrivalDay = 0;                    // 1: the leg arrives the day after the flight took off
  double fuelBurned = 0;                 // [gallons, hundredths]
  double fuelLeft = 0;                   // [gallons, hundredths, never below 0]
  bool fuelShort = false;                // the fuel on board did not cover the leg
  friend bool operator==(const NavLogLeg&, const NavLogLeg&) = default;
};

struct NavLog {
  std::vector<NavLogLeg> legs;
  // The airport pair of the course the course window gave last; it names the next
  // leg computed, and only that one.
  std::string nextLegName;
  friend bool operator==(const NavLog&, const NavLog&) = default;
};

/// Adds the leg just computed, once the clock has stepped: its inputs and results as
/// the planner now holds them. The course window's pair, when it gave one, names it.
void recordLegInNavLog(NavLog& log, const LegInputs& in, const LegResults& r);

/// The name of the leg that the next Calculate records: "QQA-QQB".
std::string routePairName(std::string_view origin, std::string_view destination);

/// The nav log's columns, in order. The page shows the same values as the CSV text:
/// the pilot's notation ("058", "045/20", "7 L", "37:55"), and in the CSV the plain
/// number of each such text in the column beside it, for a spreadsheet to add up.
enum class NavLogColumn : std::size_t {
  Leg,
  TrueCourse,         // "058"
  TrueCourseDegrees,  // 57.61
  Wind,               // "045/20", "calm"
  WindDirection,      // 45
  WindVelocity,       // 20
  TrueAirspeed,
  WindCorrectionAngle,    // "7 L", "2 R", "0"
  WindCorrectionDegrees,  // 7, -2: positive turns the heading left of the course
  TrueHeading,            // "083"
  TrueHeadingDegrees,     // 83
  MagneticHeading,
  MagneticHeadingDegrees,
  CompassHeading,         // "080"; 001 to 360 even where the value is not wrapped
  CompassHeadingDegrees,  // 80, or 361 as the planner showed it
  GroundSpeed,
  Distance,
  Ete,             // "37:55" (m:ss) under an hour, "1:24" (h:mm) from an hour on
  EteMinutes,      // 37.92
  TakeOff,         // "9:37:55"
  Eta,             // "0:12:00 +1" on the day after the flight's take-off
  ArrivalDay,      // 0, or 1 when the leg arrives the next day
  ActualTimeOver,  // left empty: the pilot writes it in flight
  FuelBurned,
  FuelLeft,
  ActualFuel,  // left empty: the pilot writes it in flight
  FuelShort,
};
inline constexpr std::size_t kNavLogColumnCount = static_cast<std::size_t>(NavLogColumn::FuelShort) + 1;

using NavLogRow = std::array<std::string, kNavLogColumnCount>;

/// The heading of each column in the CSV text: "TC", "ETE (min)", "Actual Fuel".
const NavLogRow& navLogHeadings();

/// A leg's cells: the pilot's notation in the text columns, the plain numbers in the
/// planner's field notation ("37.92", "-12"); the fuel short cell is "yes" or "no",
/// the two actual cells are empty.
NavLogRow navLogRow(const NavLogLeg& leg);

/// "Total" with the flight's distance, its time en route [from the unrounded leg
/// times, as "1:51" and as minutes in hundredths] and its fuel used; every other cell empty.
NavLogRow navLogTotalsRow(const FlightTotals& totals);

/// The fuel check under the totals: "Fuel Required", "Fuel on Board", then "Extra Fuel"
/// or "Fuel Short" (the shortfall as a positive number), each with its gallons in the
/// fuel burned column and its minutes in the ETE columns.
std::vector<NavLogRow> navLogFuelRows(const FuelPlan& fuel);

/// The nav log as CSV (RFC 4180): the headings, a row per leg, the totals row and,
/// when given, the fuel rows; comma separated, CR LF after every row, UTF-8 without a
/// byte-order mark. A cell holding a comma, a quote or a line break is quoted.
std::string navLogCsv(const NavLog& log, const FlightTotals& totals,
                      const std::optional<FuelPlan>& fuel = std::nullopt);

/// A course or heading in three digits, 001 to 360, rounded to whole degrees: "058",
/// "360" for north (0 or 360); values outside the circle are brought into it.
std::string threeDigitDirection(double degrees);

/// "045/20": the direction in three digits and the velocity in whole units; "calm"
/// when the velocity rounds to 0.
std::string windText(double direction, double velocity);

/// "7 L" for a positive WCA (the heading turns left of the course), "2 R" for a
/// negative one, "0" for none.
std::string windCorrectionText(std::int32_t windCorrectionAngle);

/// The time en route in whole seconds (the fraction dropped, as the clock does): "m:ss"
/// under 60 minutes ("37:55", "5:03"), "h:mm" from 60 minutes on, rounded to the
/// nearest minute ("1:24"). Not a number or negative gives "".
std::string eteText(double minutes);

/// A clock text marked with its day after the flight's take-off date: "0:12:00 +1";
/// unchanged on the take-off date.
std::string dayMarkedClock(const std::string& clockText, int day);

/// `text` with every byte that is not part of valid UTF-8 replaced by U+FFFD, as the
/// windows show such a text.
std::string validUtf8(std::string_view text);

}  // namespace orvane
