#pragma once
// The nav log: every leg computed since start or Reset, in order, as the pilot takes
// it into the cockpit on the kneeboard, and its CSV text.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

struct FlightPlan;
struct FlightTotals;

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
/// the planner now holds them.
void recordLegInNavLog(FlightPlan& plan);

/// The name of the leg that the next Calculate records: "QQA-QQB".
std::string routePairName(std::string_view origin, std::string_view destination);

/// The nav log's columns, in order. The page shows the same values as the CSV text.
enum class NavLogColumn : std::size_t {
  Leg,
  TrueCourse,
  WindDirection,
  WindVelocity,
  TrueAirspeed,
  WindCorrectionAngle,
  TrueHeading,
  MagneticHeading,
  CompassHeading,
  GroundSpeed,
  Distance,
  Ete,
  TakeOff,
  Eta,
  ActualTimeOver,  // left empty: the pilot writes it in flight
  FuelBurned,
  FuelLeft,
  ActualFuel,      // left empty: the pilot writes it in flight
  FuelShort,
};
inline constexpr std::size_t kNavLogColumnCount = static_cast<std::size_t>(NavLogColumn::FuelShort) + 1;

using NavLogRow = std::array<std::string, kNavLogColumnCount>;

/// The heading of each column in the CSV text: "TC", "ETE (min)", "Actual Fuel".
const NavLogRow& navLogHeadings();

/// A leg's cells, numbers in the planner's field notation ("37.92", "-12"); the fuel
/// short cell is "yes" or "no", the two actual cells are empty.
NavLogRow navLogRow(const NavLogLeg& leg);

/// "Total" with the flight's distance, its time en route [minutes, hundredths, from
/// the unrounded leg times] and its fuel used; every other cell empty.
NavLogRow navLogTotalsRow(const FlightTotals& totals);

/// The nav log as CSV (RFC 4180): the headings, a row per leg and the totals row,
/// comma separated, CR LF after every row, UTF-8 without a byte-order mark. A cell
/// holding a comma, a quote or a line break is quoted.
std::string navLogCsv(const NavLog& log, const FlightTotals& totals);

/// `text` with every byte that is not part of valid UTF-8 replaced by U+FFFD, as the
/// windows show such a text.
std::string validUtf8(std::string_view text);

}  // namespace orvane
