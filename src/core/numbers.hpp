#pragma once
// Number texts and roundings shared by every part of the program.
//
// All number texts follow one rule: the value is first written with 17 significant
// digits, and that decimal text is rounded at the last digit kept, halves away from
// zero. So 0.125 gives "0.13" and 1.075 gives "1.08", where rounding the exact binary
// value (as printf or std::to_chars with a precision do) would give "0.12" and "1.07".
// Everything here is locale-free: a German desktop still writes "40.500000".

#include <cstdint>
#include <string>
#include <string_view>

namespace orvane {

/// Fixed notation with `decimals` digits after the point, never an exponent
/// ("%f" is formatFixed(v, 6), "%.2f" is formatFixed(v, 2)). A negative value that
/// rounds to zero keeps its sign ("-0.00"); NaN and infinities give "nan", "inf", "-inf".
std::string formatFixed(double value, int decimals);

/// "%f": six decimals, the notation of the data files and the unit converters.
std::string formatSixDecimals(double value);

/// Shortest general notation with up to `significantDigits` significant digits
/// ("%.*g"): 0, 83, -12, 37.92, 0.333333333333333, 1e+20.
std::string formatGeneral(double value, int significantDigits = 15);

/// The text a window field shows for a number: general notation, 15 digits, with a
/// negative zero shown as "0" so that the field reads back as the same value.
std::string fieldText(double value);

/// True when `a` and `b` show as the same text in a window field (15 significant
/// digits): what a field shows reads back as the value it was written from only to
/// that precision, so a value read back is compared with another this way.
bool sameAsShown(double a, double b);

/// Rounds to two decimals exactly as writing "%.2f" and reading the text back does.
/// NaN and infinities are returned unchanged.
double roundToHundredths(double value) noexcept;

/// floor(x) when floor(x) + 0.5 > x, else ceil(x): halves go upward (2.5 -> 3,
/// -2.5 -> -2, -2.51 -> -3). A value beyond the 32-bit range saturates, NaN gives 0.
std::int32_t roundToWhole(double value) noexcept;

/// The number at the start of `text`, as the data files and the unit converters read
/// it: leading white space skipped, then an optional sign, digits with an optional
/// point and fraction, and an optional exponent, as far as they fit; the rest is
/// ignored. A text that starts with no number gives 0. A value too large for a double
/// gives an infinity of its sign, one too small gives zero.
double leadingNumber(std::string_view text) noexcept;

/// Length of the longest prefix of `text` that is a decimal number: optional sign,
/// digits with an optional point and fraction (at least one digit), optional exponent
/// (taken only when it has digits). 0 when the text does not start with a number.
std::size_t decimalNumberLength(std::string_view text) noexcept;

/// The value of a complete decimal number text as `decimalNumberLength` accepts it.
/// Overflow gives an infinity of the number's sign, underflow a zero.
double decimalValue(std::string_view numberText) noexcept;

}  // namespace orvane
