#pragma once
// Magnetic variation from the World Magnetic Model: its coefficient table (the NOAA
// "WMM.COF" layout), the field's spherical-harmonic sum, and the variation at the
// middle of a leg.
//
// Frame: geodetic latitude and longitude on the WGS84 ellipsoid, height above it. A
// pilot's altitude is above mean sea level; the two differ by the geoid's undulation
// (within about 100 m), which moves the declination by far less than 0.01 degree.

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "core/clock.hpp"
#include "core/geo.hpp"

namespace orvane {

/// The highest degree (and order) the model's sum goes to.
inline constexpr int kMagneticModelDegree = 12;
/// Coefficients of degrees 0..12, order 0..n, at index n(n+1)/2 + m.
inline constexpr std::size_t kMagneticCoefficientCount = (kMagneticModelDegree + 1) * (kMagneticModelDegree + 2) / 2;
/// A model is valid for five years from its epoch.
inline constexpr double kMagneticModelLifetimeYears = 5;
/// Where the horizontal field is weaker than this the compass is unreliable and the
/// model's makers give no declination [nanotesla].
inline constexpr double kUnreliableHorizontalIntensity = 2000;
/// A coefficient table is a few kilobytes; anything above this is no table [bytes].
inline constexpr std::size_t kMagneticModelTextLimit = 64 * 1024;

struct MagneticModel {
  std::string name;         // as the table's header writes it: "WMM-2025"
  std::string releaseDate;  // as the header writes it: "11/13/2024"; may be empty
  double epoch = 0;         // [decimal year]
  int degree = 0;           // the highest degree the table holds, 1..12
  // Gauss coefficients at the epoch [nT] and their yearly change [nT / year],
  // Schmidt semi-normalised; index n(n+1)/2 + m.
  std::array<double, kMagneticCoefficientCount> g{}, h{}, gPerYear{}, hPerYear{};
};

/// What reading a coefficient table gave: the model, or what is wrong and where.
struct MagneticModelReading {
  std::optional<MagneticModel> model;
  std::string error;  // "line 7: order 3 is above degree 2"; empty when read
};

/// Reads a coefficient table in the NOAA "WMM.COF" layout: a header line (epoch as a
/// decimal year, model name, optional release date), then one line per degree n and
/// order m, "n m g h g-dot h-dot", blank-separated, and at the end a line of nines (or
/// the end of the text). Every n from 1 up to the highest one given (at most 12) must
/// come with every m from 0 to n exactly once. Line ends LF or CR LF. Anything else
/// (a text over 64 KiB, a missing or repeated coefficient, a number that is not one or
/// is beyond 10^6 nT) is refused whole, with the line that is wrong.
MagneticModelReading readMagneticModel(std::string_view text);

/// The model's short name for the pilot: "WMM2025" for "WMM-2025".
std::string magneticModelLabel(const MagneticModel& model);

/// The model compiled into the program (World Magnetic Model 2025), read at its first
/// use. Its error is set only if the program was built with a damaged table.
const MagneticModelReading& builtInMagneticModel();

enum class DeclinationOutcome {
  Computed,           // the declination holds
  OutsideModelYears,  // the date lies outside the model's five years
  NearMagneticPole,   // horizontal intensity below 2,000 nT: no reliable declination
  NoPosition,         // a latitude beyond +-90, an altitude outside -1 km..850 km,
                      // a value that is not a number, or a leg with no single middle
  NoModel,            // the model could not be read
};

struct MagneticDeclination {
  DeclinationOutcome outcome = DeclinationOutcome::NoModel;
  double declination = 0;          // [degrees, east positive, -180..180]
  double horizontalIntensity = 0;  // [nT]
  // Computed and NearMagneticPole fill declination and horizontalIntensity; the other
  // outcomes leave them 0.
};

/// The declination (angle from true north to the horizontal field, east positive)
/// at `position` [degrees: geodetic latitude, longitude], `altitudeFeet` [feet above
/// the ellipsoid, -3,280 to 2,788,000] and `decimalYear` (2026.5 is 2 July 2026).
/// Valid years: the model's epoch to epoch + 5, both included. Longitudes of any
/// size are taken as they wrap; the geographic poles give the limit along the
/// position's meridian.
MagneticDeclination magneticDeclination(const MagneticModel& model, GeoPosition position, double altitudeFeet,
                                        double decimalYear) noexcept;

/// The same with the built-in World Magnetic Model 2025 (valid 2025.0 to 2030.0).
MagneticDeclination magneticDeclination(GeoPosition position, double altitudeFeet, double decimalYear) noexcept;

/// The year with the date's part of it: year + (days since 1 January + time of day)
/// / days of the year; 1 July 2026 00:00 is 2026.49589. The local date serves: a
/// day's difference moves the declination by a few thousandths of a degree at most.
/// Empty for a date that does not exist (30 February, month 13).
std::optional<double> decimalYear(const LocalDateTime& time) noexcept;

/// The middle of the great circle from `origin` to `destination` on the sphere
/// [degrees]; empty when a latitude lies beyond +-90, a value is not a number, or the
/// two points are opposite each other (no single great circle).
std::optional<GeoPosition> legMidpoint(GeoPosition origin, GeoPosition destination) noexcept;

/// The magnetic variation of a leg: the declination at its midpoint at sea level.
struct LegVariation {
  DeclinationOutcome outcome = DeclinationOutcome::NoModel;
  GeoPosition midpoint;    // [degrees]
  double declination = 0;  // [degrees, east positive], as computed
  double variation = 0;    // the planner's VAR [degrees, east negative, west positive],
                           // the declination rounded to tenths as shown, sign turned
  std::string model;       // "WMM2025"; empty without a model
};

/// The leg's variation with the built-in model for `decimalYear` (empty: a date that
/// does not exist, taken as outside the model's years).
LegVariation legVariation(GeoPosition origin, GeoPosition destination, std::optional<double> decimalYear);

/// What the course window shows: "Variation at mid-leg: 3.1° E (WMM2025)" (UTF-8),
/// "... 0.0° ..." without a side, or why there is no number.
std::string legVariationText(const LegVariation& leg);

}  // namespace orvane
