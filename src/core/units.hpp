#pragma once
// The unit converters' ten conversions, with the factors they are defined by.
// Statute miles and kilometres use 1.6093 and 0.6214, which are not inverses of each
// other: 62.14 sm is 100.001902 km and not 100 km.

#include <string>
#include <string_view>

namespace orvane {

inline constexpr double kKilogramsPerPound = 0.4536;
inline constexpr double kPoundsPerKilogram = 2.204585537918871;
inline constexpr double kKilometresPerStatuteMile = 1.6093;
inline constexpr double kStatuteMilesPerKilometre = 0.6214;
inline constexpr double kMetresPerFoot = 0.3048;
inline constexpr double kFeetPerMetre = 3.280839895013123;
inline constexpr double kStatuteMilesPerNauticalMile = 1.15077945;
inline constexpr double kNauticalMilesPerStatuteMile = 0.868976240408186;
/// 1/9 rounded to single precision (0.111111111938953399658203125), not the double 1/9.
inline constexpr double kNinthSingle = 0.1111111119389534;
/// 0.2 rounded to single precision (0.20000000298023223876953125), not the double 0.2.
inline constexpr double kFifthSingle = 0.20000000298023224;

inline double poundsToKilograms(double lb) noexcept { return lb * kKilogramsPerPound; }
inline double kilogramsToPounds(double kg) noexcept { return kg * kPoundsPerKilogram; }
inline double statuteMilesToKilometres(double sm) noexcept { return sm * kKilometresPerStatuteMile; }
inline double kilometresToStatuteMiles(double km) noexcept { return km * kStatuteMilesPerKilometre; }
inline double feetToMetres(double ft) noexcept { return ft * kMetresPerFoot; }
inline double metresToFeet(double m) noexcept { return m * kFeetPerMetre; }
inline double nauticalToStatuteMiles(double nm) noexcept { return nm * kStatuteMilesPerNauticalMile; }
inline double statuteToNauticalMiles(double sm) noexcept { return sm * kNauticalMilesPerStatuteMile; }
/// (F - 32) x 5 x N, in that order.
inline double fahrenheitToCelsius(double f) noexcept { return (f - 32) * 5 * kNinthSingle; }
/// (C x 9 + 160) x F5, in that order.
inline double celsiusToFahrenheit(double c) noexcept { return (c * 9 + 160) * kFifthSingle; }

/// A converter field's room for a result.
inline constexpr std::size_t kConverterTextLimit = 19;

/// The text a converter shows for a result: "%f", or when that would not fit in the
/// field's 19 characters, the general notation with as many digits as fit
/// ("1.23456789012346e+17" becomes "1.2345678901235e+17").
std::string converterText(double value);

/// A converter reads what is typed as far as it forms a number; anything else is 0.
double converterValue(std::string_view text) noexcept;

}  // namespace orvane
