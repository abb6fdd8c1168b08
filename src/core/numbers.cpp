#include "core/numbers.hpp"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace orvane {
namespace {

constexpr int kWrittenDigits = 17;  // enough to tell every double apart

// ---- the 17-digit text, rounded at the last digit kept ------------------------------
//
// This is the definition itself: every number text could be made this way. It is used
// whenever the quicker way below cannot be sure of giving the same digits.

// A finite magnitude as decimal digits: value = 0.d1 d2 d3 ... x 10^pointPosition.
// Digits past `count` are zeros.
struct DecimalDigits {
  bool negative = false;
  int count = 0;  // no leading zero unless the value is zero
  int pointPosition = 0;
  std::array<char, kWrittenDigits> digits{};
};

DecimalDigits seventeenDigits(double value) {
  // "-d.dddddddddddddddde-ddd": a sign, 17 digits, the point and the exponent.
  std::array<char, 32> buffer;
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::scientific,
                                    kWrittenDigits - 1);
  const char* p = buffer.data();
  DecimalDigits out;
  if (*p == '-') {
    out.negative = true;
    ++p;
  }
  out.digits[0] = p[0];
  std::copy(p + 2, p + 1 + kWrittenDigits, out.digits.begin() + 1);
  out.count = kWrittenDigits;
  const char* exponentText = p + 2 + kWrittenDigits;  // just after the 'e'
  const bool exponentNegative = *exponentText == '-';
  int exponent = 0;
  for (const char* q = exponentText + 1; q < result.ptr; ++q) exponent = exponent * 10 + (*q - '0');
  out.pointPosition = (exponentNegative ? -exponent : exponent) + 1;
  return out;
}

// Keeps the first `keep` digits, rounding half away from zero on the next one.
// A carry out of the first digit moves the point one place to the right.
void roundDigits(DecimalDigits& d, int keep) {
  if (keep < 0) {  // every kept position lies before the first digit: rounds to zero
    d.count = 0;
    return;
  }
  if (keep >= d.count) return;
  const bool up = d.digits[static_cast<std::size_t>(keep)] >= '5';
  d.count = keep;
  if (!up) return;
  int i = keep - 1;
  while (i >= 0 && d.digits[static_cast<std::size_t>(i)] == '9') --i;
  if (i >= 0) {
    ++d.digits[static_cast<std::size_t>(i)];
    d.count = i + 1;  // the nines that carried are zeros now, as digits past the count are
  } else {
    d.digits[0] = '1';
    d.count = 1;
    ++d.pointPosition;
  }
}

char digitAt(const DecimalDigits& d, int index) {
  if (index < 0 || index >= d.count) return '0';
  return d.digits[static_cast<std::size_t>(index)];
}

// Plain decimal text with exactly `decimals` fraction digits (none when not above 0).
std::string plainText(const DecimalDigits& d, int decimals) {
  const int whole = std::max(d.pointPosition, 1);
  const int fraction = decimals > 0 ? decimals : 0;
  std::string out(static_cast<std::size_t>((d.negative ? 1 : 0) + whole + (fraction > 0 ? 1 + fraction : 0)), '0');
  char* p = out.data();
  if (d.negative) *p++ = '-';
  if (d.pointPosition <= 0) {
    ++p;  // the '0' already there
  } else {
    for (int i = 0; i < d.pointPosition; ++i) *p++ = digitAt(d, i);
  }
  if (fraction > 0) {
    *p++ = '.';
    for (int i = 0; i < fraction; ++i) *p++ = digitAt(d, d.pointPosition + i);
  }
  return out;
}

std::string nonFiniteText(double value) {
  if (std::isnan(value)) return std::signbit(value) ? "-nan" : "nan";
  return value < 0 ? "-inf" : "inf";
}

// ---- the quicker way: exact integer arithmetic on the binary value -------------------
//
// The 17-digit text D of a value v lies within half a unit of v's 17th significant
// digit, so |D - v| <= 0.5e-16 |v| < 2^-54 |v|. Rounding D at some decimal position gives the same
// digits as rounding v there whenever v lies farther than 2^-54 |v| from the half-way
// point between two kept values: then no half-way point lies between D and v. The test
// is made exactly on v x 10^d, which is m x 5^d x 2^(e+d) for v = m x 2^e.

// The value's magnitude as m x 2^e, m a whole number below 2^53.
struct BinaryValue {
  std::uint64_t mantissa = 0;
  int exponent = 0;
  int biasedExponent = 0;  // 0 for zero and the subnormals
};

BinaryValue binaryValue(double value) {
  const auto bits = std::bit_cast<std::uint64_t>(value);
  BinaryValue out;
  out.biasedExponent = static_cast<int>((bits >> 52) & 0x7FF);
  out.mantissa = bits & ((std::uint64_t{1} << 52) - 1);
  if (out.biasedExponent == 0) {
    out.exponent = -1074;
  } else {
    out.mantissa |= std::uint64_t{1} << 52;
    out.exponent = out.biasedExponent - 1075;
  }
  return out;
}

#ifdef __SIZEOF_INT128__
__extension__ typedef unsigned __int128 Wide;
#endif

constexpr int kLargestScale = 27;  // 5^27 is the last power of five below 2^64

constexpr std::array<std::uint64_t, kLargestScale + 1> kPowersOfFive = [] {
  std::array<std::uint64_t, kLargestScale + 1> out{};
  out[0] = 1;
  for (std::size_t i = 1; i < out.size(); ++i) out[i] = out[i - 1] * 5;
  return out;
}();

constexpr std::array<std::uint64_t, 20> kPowersOfTen = [] {
  std::array<std::uint64_t, 20> out{};
  out[0] = 1;
  for (std::size_t i = 1; i < out.size(); ++i) out[i] = out[i - 1] * 10;
  return out;
}();

// Kept digits of the quicker way: up to 15, where the half-way test almost always decides.
constexpr int kQuickDigits = 15;
constexpr std::uint64_t kQuickLimit = kPowersOfTen[kQuickDigits];

enum class Scaled { Rounded, TooSmall, TooLarge, NearHalfWay };

// Rounds |v| x 10^scale to a whole number as the 17-digit text of v rounds there, halves
// away from zero. Its whole part must lie in [lower, limit), else TooSmall or TooLarge;
// NearHalfWay when the 17-digit text could lie on the other side of a half-way point
// than v does. `limit` is at most 10^15, so only the nearest half-way point matters.
Scaled roundScaled(const BinaryValue& v, int scale, std::uint64_t lower, std::uint64_t limit, std::uint64_t& rounded) {
#ifndef __SIZEOF_INT128__
  // Without a 128-bit integer (MSVC) every text takes the exact way.
  (void)v, (void)scale, (void)lower, (void)limit, (void)rounded;
  return Scaled::NearHalfWay;
#else
  const Wide product = Wide{v.mantissa} * kPowersOfFive[static_cast<std::size_t>(scale)];  // < 2^116
  const int shift = v.exponent + scale;
  if (shift >= 0) {  // a whole number, written exactly by 17 digits when below the limit
    if (shift >= 64 || product > (Wide{limit} - 1) >> shift) return Scaled::TooLarge;
    rounded = static_cast<std::uint64_t>(product << shift);
    return rounded < lower ? Scaled::TooSmall : Scaled::Rounded;
  }
  const int fractionBits = -shift;
  if (fractionBits >= 118) {  // below 2^-2, and the 17-digit text too: rounds to zero
    rounded = 0;
    return lower > 0 ? Scaled::TooSmall : Scaled::Rounded;
  }
  const Wide whole = product >> fractionBits;
  if (whole >= limit) return Scaled::TooLarge;
  if (whole < lower) return Scaled::TooSmall;
  const Wide fraction = product - (whole << fractionBits);
  const Wide half = Wide{1} << (fractionBits - 1);
  const Wide distance = fraction > half ? fraction - half : half - fraction;
  if (distance <= (product >> 54) + 1) return Scaled::NearHalfWay;
  rounded = static_cast<std::uint64_t>(whole) + (fraction > half ? 1 : 0);
  return Scaled::Rounded;
#endif
}

constexpr std::array<char, 200> kDigitPairs = [] {
  std::array<char, 200> out{};
  for (std::size_t i = 0; i < 100; ++i) {
    out[2 * i] = static_cast<char>('0' + i / 10);
    out[2 * i + 1] = static_cast<char>('0' + i % 10);
  }
  return out;
}();

// Writes `value` as exactly `width` digits (leading zeros) ending just before `end`,
// two at a time; the last eight apart from the rest, so that both can run at once.
char* writeDigitsBefore(char* end, std::uint64_t value, int width) {
  if (width > 8) {
    auto low = static_cast<std::uint32_t>(value % 100'000'000);
    value /= 100'000'000;
    for (int i = 0; i < 4; ++i) {
      end -= 2;
      std::copy_n(kDigitPairs.data() + 2 * (low % 100), 2, end);
      low /= 100;
    }
    width -= 8;
  }
  for (; width >= 2; width -= 2) {
    end -= 2;
    std::copy_n(kDigitPairs.data() + 2 * (value % 100), 2, end);
    value /= 100;
  }
  if (width == 1) *--end = static_cast<char>('0' + value % 10);
  return end;
}

int digitCount(std::uint64_t value) {
  int count = 1;
  while (count < 20 && value >= kPowersOfTen[static_cast<std::size_t>(count)]) ++count;
  return count;
}

// Fixed notation of `scaled` / 10^decimals: "-", the whole part (at least "0"), then
// the point and the decimals when there are any.
std::string fixedText(bool negative, std::uint64_t scaled, int decimals) {
  std::array<char, 48> buffer;
  char* const end = buffer.data() + buffer.size();
  const int digits = std::max(digitCount(scaled), decimals + 1);
  char* p = writeDigitsBefore(end, scaled, digits);
  if (decimals > 0) {  // move the whole part one place to the left for the point
    const std::size_t wholeDigits = static_cast<std::size_t>(digits - decimals);
    std::copy(p, p + wholeDigits, p - 1);
    --p;
    p[wholeDigits] = '.';
  }
  if (negative) *--p = '-';
  return std::string(p, end);
}

// General notation of the digits d1 d2 ... (`digits`, zeros past `count`) rounded to
// `precision` significant digits, the first one at 10^exponent: "%.*g".
std::string generalText(bool negative, const char* digits, int count, int exponent, int precision) {
  int last = std::min(count, precision);  // significant digits left after the trailing zeros go
  while (last > 1 && digits[last - 1] == '0') --last;
  std::array<char, 400> buffer;  // 309 whole digits at most, 17 significant ones
  char* p = buffer.data();
  if (negative) *p++ = '-';
  if (exponent < precision && exponent >= -4) {
    if (exponent >= 0) {
      for (int i = 0; i <= exponent; ++i) *p++ = i < last ? digits[i] : '0';
      if (last > exponent + 1) {
        *p++ = '.';
        p = std::copy(digits + exponent + 1, digits + last, p);
      }
    } else {
      *p++ = '0';
      *p++ = '.';
      p = std::fill_n(p, -exponent - 1, '0');
      p = std::copy(digits, digits + last, p);
    }
    return std::string(buffer.data(), p);
  }
  *p++ = digits[0];
  if (last > 1) {
    *p++ = '.';
    p = std::copy(digits + 1, digits + last, p);
  }
  *p++ = 'e';
  *p++ = exponent < 0 ? '-' : '+';
  const int magnitude = exponent < 0 ? -exponent : exponent;
  if (magnitude < 10) *p++ = '0';
  p = std::to_chars(p, buffer.data() + buffer.size(), magnitude).ptr;
  return std::string(buffer.data(), p);
}

// floor(log10 2^k) for |k| < 1650, which is floor(log10 |v|) or one less for a normal v
// of binary exponent k: 78913 / 2^18 is close enough to log10 2 for these k.
int decimalExponentEstimate(const BinaryValue& v) {
  const int binaryExponent = v.biasedExponent - 1023;
  if (binaryExponent >= 0) return binaryExponent * 78913 >> 18;
  return -((-binaryExponent * 78913 >> 18) + 1);  // k log10 2 is never whole for k < 0
}

}  // namespace

std::string formatFixed(double value, int decimals) {
  if (!std::isfinite(value)) return nonFiniteText(value);
  if (decimals >= 0 && decimals <= kLargestScale) {
    std::uint64_t scaled = 0;
    if (roundScaled(binaryValue(value), decimals, 0, kQuickLimit, scaled) == Scaled::Rounded) {
      return fixedText(std::signbit(value), scaled, decimals);
    }
  }
  DecimalDigits d = seventeenDigits(value);
  roundDigits(d, d.pointPosition + decimals);
  return plainText(d, decimals);
}

std::string formatSixDecimals(double value) { return formatFixed(value, 6); }

std::string formatGeneral(double value, int significantDigits) {
  if (!std::isfinite(value)) return nonFiniteText(value);
  if (value == 0) return std::signbit(value) ? "-0" : "0";
  const int precision = std::max(significantDigits, 1);

  const BinaryValue v = binaryValue(value);
  if (precision <= kQuickDigits && v.biasedExponent != 0) {
    // The first digit's power of ten is the estimate or one more: the right one leaves
    // a whole part of `precision` digits.
    const std::uint64_t lower = kPowersOfTen[static_cast<std::size_t>(precision - 1)];
    const std::uint64_t limit = kPowersOfTen[static_cast<std::size_t>(precision)];
    int exponent = decimalExponentEstimate(v);
    for (int attempt = 0; attempt < 2; ++attempt, ++exponent) {
      const int scale = precision - 1 - exponent;
      if (scale < 0 || scale > kLargestScale) break;
      std::uint64_t rounded = 0;
      const Scaled outcome = roundScaled(v, scale, lower, limit, rounded);
      if (outcome == Scaled::TooLarge) continue;
      if (outcome != Scaled::Rounded) break;
      int shownExponent = exponent;
      if (rounded == limit) {  // 9.99... carried into one more digit
        rounded /= 10;
        ++shownExponent;
      }
      std::array<char, kQuickDigits> digits{};
      writeDigitsBefore(digits.data() + precision, rounded, precision);
      return generalText(std::signbit(value), digits.data(), precision, shownExponent, precision);
    }
  }

  DecimalDigits d = seventeenDigits(value);
  roundDigits(d, precision);
  return generalText(d.negative, d.digits.data(), d.count, d.pointPosition - 1, precision);
}

std::string fieldText(double value) { return formatGeneral(value + 0.0); }

bool sameAsShown(double a, double b) { return a == b || fieldText(a) == fieldText(b); }

double roundToHundredths(double value) noexcept {
  if (!std::isfinite(value)) return value;
  std::uint64_t scaled = 0;
  switch (roundScaled(binaryValue(value), 2, 0, kQuickLimit, scaled)) {
    case Scaled::Rounded:
      // Below 2^53 both the whole number and the quotient are what reading the text gives.
      return std::copysign(static_cast<double>(scaled) / 100.0, value);
    case Scaled::TooLarge:
      // From 10^15 on the 17-digit text has at most one decimal, so the text is the
      // 17-digit one, which reads back as the value itself.
      if (std::fabs(value) >= 1e15) return value;
      break;
    case Scaled::TooSmall:
    case Scaled::NearHalfWay: break;
  }
  DecimalDigits d = seventeenDigits(value);
  roundDigits(d, d.pointPosition + 2);
  return decimalValue(plainText(d, 2));
}

namespace {
bool isDigit(char c) { return c >= '0' && c <= '9'; }
}  // namespace

std::int32_t roundToWhole(double value) noexcept {
  if (std::isnan(value)) return 0;
  const double f = std::floor(value);
  const double rounded = (f + 0.5 > value) ? f : std::ceil(value);
  constexpr double kLowest = std::numeric_limits<std::int32_t>::lowest();
  constexpr double kHighest = std::numeric_limits<std::int32_t>::max();
  if (rounded <= kLowest) return std::numeric_limits<std::int32_t>::lowest();
  if (rounded >= kHighest) return std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(rounded);
}

std::size_t decimalNumberLength(std::string_view text) noexcept {
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  std::size_t mantissaDigits = 0;
  while (i < text.size() && isDigit(text[i])) {
    ++i;
    ++mantissaDigits;
  }
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && isDigit(text[i])) {
      ++i;
      ++mantissaDigits;
    }
  }
  if (mantissaDigits == 0) return 0;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    std::size_t j = i + 1;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
    if (j < text.size() && isDigit(text[j])) {
      while (j < text.size() && isDigit(text[j])) ++j;
      i = j;
    }
  }
  return i;
}

double decimalValue(std::string_view numberText) noexcept {
  bool negative = false;
  if (!numberText.empty() && (numberText.front() == '+' || numberText.front() == '-')) {
    negative = numberText.front() == '-';
    numberText.remove_prefix(1);
  }
  double magnitude = 0.0;
  const auto [ptr, ec] =
      std::from_chars(numberText.data(), numberText.data() + numberText.size(), magnitude, std::chars_format::general);
  (void)ptr;
  if (ec == std::errc::result_out_of_range) {
    // Tell overflow from underflow by the decimal magnitude of the first significant digit.
    const std::size_t ePos = numberText.find_first_of("eE");
    const std::string_view mantissa = numberText.substr(0, ePos);
    long long exponent = 0;
    if (ePos != std::string_view::npos) {
      std::string_view expText = numberText.substr(ePos + 1);
      const bool expNegative = !expText.empty() && expText.front() == '-';
      if (!expText.empty() && (expText.front() == '+' || expText.front() == '-')) expText.remove_prefix(1);
      for (char c : expText) {
        exponent = std::min(exponent * 10 + (c - '0'), 1'000'000'000LL);
      }
      if (expNegative) exponent = -exponent;
    }
    const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
    const std::size_t firstSignificant = mantissa.find_first_of("123456789");
    long long position = static_cast<long long>(point) - static_cast<long long>(firstSignificant);
    if (firstSignificant > point) ++position;  // the point itself is not a digit
    magnitude = (position + exponent > 0) ? std::numeric_limits<double>::infinity() : 0.0;
  }
  return negative ? -magnitude : magnitude;
}

double leadingNumber(std::string_view text) noexcept {
  std::size_t start = 0;
  while (start < text.size() && (text[start] == ' ' || (text[start] >= '\t' && text[start] <= '\r'))) {
    ++start;
  }
  text.remove_prefix(start);
  const std::size_t length = decimalNumberLength(text);
  if (length == 0) return 0.0;
  return decimalValue(text.substr(0, length));
}

}  // namespace orvane
