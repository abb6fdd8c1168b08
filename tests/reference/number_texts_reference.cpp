// A frozen copy of the number texts and of the leg computation as they were written
// before they were made faster, kept only so that tests can compare the two.

#include "number_texts_reference.hpp"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace orvane::reference {
namespace {

constexpr int kWrittenDigits = 17;  // enough to tell every double apart

// A finite magnitude as decimal digits: value = 0.d1 d2 d3 ... x 10^pointPosition.
struct DecimalDigits {
  bool negative = false;
  std::string digits;  // no leading zero unless the value is zero
  int pointPosition = 0;
};

DecimalDigits seventeenDigits(double value) {
  std::array<char, 64> buffer{};
  const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                       std::chars_format::scientific, kWrittenDigits - 1);
  (void)ec;  // 64 characters always hold 17 digits, a sign and an exponent
  std::string_view text(buffer.data(), static_cast<std::size_t>(end - buffer.data()));

  DecimalDigits out;
  if (!text.empty() && text.front() == '-') {
    out.negative = true;
    text.remove_prefix(1);
  }
  const std::size_t ePos = text.find('e');
  for (std::size_t i = 0; i < ePos; ++i) {
    if (text[i] != '.') out.digits.push_back(text[i]);
  }
  int exponent = 0;
  std::string_view expText = text.substr(ePos + 1);
  if (!expText.empty() && expText.front() == '+') expText.remove_prefix(1);
  std::from_chars(expText.data(), expText.data() + expText.size(), exponent);
  out.pointPosition = exponent + 1;
  return out;
}

// Keeps the first `keep` digits, rounding half away from zero on the next one.
// A carry out of the first digit moves the point one place to the right.
void roundDigits(DecimalDigits& d, int keep) {
  if (keep < 0) {  // every kept position lies before the first digit: rounds to zero
    d.digits.clear();
    return;
  }
  if (keep >= static_cast<int>(d.digits.size())) return;
  const bool up = d.digits[static_cast<std::size_t>(keep)] >= '5';
  d.digits.resize(static_cast<std::size_t>(keep));
  if (!up) return;
  int i = keep - 1;
  while (i >= 0 && d.digits[static_cast<std::size_t>(i)] == '9') {
    d.digits[static_cast<std::size_t>(i)] = '0';
    --i;
  }
  if (i >= 0) {
    ++d.digits[static_cast<std::size_t>(i)];
  } else {
    d.digits.insert(d.digits.begin(), '1');
    ++d.pointPosition;
  }
}

char digitAt(const DecimalDigits& d, int index) {
  if (index < 0 || index >= static_cast<int>(d.digits.size())) return '0';
  return d.digits[static_cast<std::size_t>(index)];
}

// Writes the digits as plain decimal text with exactly `decimals` fraction digits.
std::string plainText(const DecimalDigits& d, int decimals) {
  std::string out;
  if (d.negative) out.push_back('-');
  if (d.pointPosition <= 0) {
    out.push_back('0');
  } else {
    for (int i = 0; i < d.pointPosition; ++i) out.push_back(digitAt(d, i));
  }
  if (decimals > 0) {
    out.push_back('.');
    for (int i = 0; i < decimals; ++i) out.push_back(digitAt(d, d.pointPosition + i));
  }
  return out;
}

std::string nonFiniteText(double value) {
  if (std::isnan(value)) return std::signbit(value) ? "-nan" : "nan";
  return value < 0 ? "-inf" : "inf";
}

void stripTrailingZeros(std::string& text) {
  const std::size_t point = text.find('.');
  if (point == std::string::npos) return;
  std::size_t last = text.find_last_not_of('0');
  if (last == point) --last;
  text.erase(last + 1);
}

}  // namespace

std::string formatFixed(double value, int decimals) {
  if (!std::isfinite(value)) return nonFiniteText(value);
  DecimalDigits d = seventeenDigits(value);
  roundDigits(d, d.pointPosition + decimals);
  return plainText(d, decimals);
}

std::string formatSixDecimals(double value) { return formatFixed(value, 6); }

std::string formatGeneral(double value, int significantDigits) {
  if (!std::isfinite(value)) return nonFiniteText(value);
  const int precision = std::max(significantDigits, 1);
  DecimalDigits d = seventeenDigits(value);
  const bool zero = std::all_of(d.digits.begin(), d.digits.end(), [](char c) { return c == '0'; });
  if (zero) return d.negative ? "-0" : "0";

  roundDigits(d, precision);
  const int exponent = d.pointPosition - 1;
  std::string out;
  if (exponent < precision && exponent >= -4) {
    out = plainText(d, precision - 1 - exponent);
    stripTrailingZeros(out);
    return out;
  }
  if (d.negative) out.push_back('-');
  out.push_back(digitAt(d, 0));
  out.push_back('.');
  for (int i = 1; i < precision; ++i) out.push_back(digitAt(d, i));
  stripTrailingZeros(out);
  out.push_back('e');
  out.push_back(exponent < 0 ? '-' : '+');
  const int magnitude = exponent < 0 ? -exponent : exponent;
  if (magnitude < 10) out.push_back('0');
  std::array<char, 8> expDigits{};
  const auto result = std::to_chars(expDigits.data(), expDigits.data() + expDigits.size(), magnitude);
  out.append(expDigits.data(), result.ptr);
  return out;
}

std::string fieldText(double value) { return formatGeneral(value + 0.0); }

double roundToHundredths(double value) noexcept {
  if (!std::isfinite(value)) return value;
  const std::string text = formatFixed(value, 2);
  return decimalValue(text);
}

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

}  // namespace orvane::reference

namespace orvane::reference {
namespace {

// Back to degrees, one wrap above a full circle (exactly 360 stays), then hundredths.
double degreesRoundedFromRadians(double radians) {
  double degrees = radians * kRadiansToDegrees;
  if (degrees > kFullCircle) degrees -= kFullCircle;
  return roundToHundredths(degrees);
}

double headingFromRadians(double radians) {
  double degrees = degreesRoundedFromRadians(radians);
  if (degrees < 0) degrees += kFullCircle;
  return degrees;
}

bool allFinite(const LegInputs& in) {
  for (double v : {in.trueCourse, in.windDirection, in.windVelocity, in.trueAirspeed, in.variation, in.deviation,
                   in.distance, in.fuelFlow, in.fuelOnBoard, in.flightDistance}) {
    if (!std::isfinite(v)) return false;
  }
  return true;
}

}  // namespace

LegComputation computeLeg(const LegInputs& in) noexcept {
  LegComputation out;
  // Written so that a TAS that is not a number also stops here.
  if (!(in.trueAirspeed >= kLowestTrueAirspeed)) {
    out.outcome = LegOutcome::AirspeedTooLow;
    return out;
  }
  if (!allFinite(in)) {
    out.outcome = LegOutcome::NotComputable;
    return out;
  }

  const double tcRad = in.trueCourse * kDegreesToRadians;
  const double wdRad = in.windDirection * kDegreesToRadians;
  const double varRad = in.variation * kDegreesToRadians;

  const double courseToWind = tcRad - wdRad;
  const double crosswind = in.windVelocity * std::sin(courseToWind);
  const double crosswindRatio = crosswind / in.trueAirspeed;
  // Beyond a ratio of one no heading holds the course.
  if (!(std::fabs(crosswindRatio) <= 1.0)) {
    out.outcome = LegOutcome::WindTooStrong;
    return out;
  }
  const double wcaRad = std::asin(crosswindRatio);

  // TAS x cos(WCA) - WV x cos(A), evaluated in the half-angle form the results are
  // defined by; at WCA = 0 the tangent is large but finite, so the first term is 0.
  const double x = roundToHundredths(crosswind / std::tan((kTruncatedPi - wcaRad) * kHalf) +
                                     in.windVelocity * std::cos(courseToWind));
  const double groundSpeed = in.trueAirspeed - x;
  if (!(groundSpeed > 0)) {
    out.outcome = LegOutcome::WindTooStrong;
    return out;
  }

  const double ete = in.distance * kMinutesPerHour / groundSpeed;
  const double fuelBurned = in.fuelFlow * ete * kOneSixtieth;
  if (!std::isfinite(ete) || !std::isfinite(fuelBurned)) {
    out.outcome = LegOutcome::NotComputable;
    return out;
  }

  LegResults& r = out.results;
  r.flightDistance = (in.flightDistance > 0) ? in.flightDistance : in.distance;
  r.distanceRemaining = r.flightDistance - in.distance;

  double fuelLeft = in.fuelOnBoard - fuelBurned;
  if (fuelLeft < 0) {
    fuelLeft = 0;
    r.fuelShort = true;
  }

  const double thRad = tcRad - wcaRad;
  const double mhRad = thRad + varRad;
  const double wcaDeg = degreesRoundedFromRadians(wcaRad);
  const double thDeg = headingFromRadians(thRad);
  const double mhDeg = headingFromRadians(mhRad);
  const double chDeg = headingFromRadians(mhRad) + in.deviation;  // not wrapped again

  r.trueCourse = roundToHundredths(tcRad * kRadiansToDegrees);
  r.windDirection = roundToHundredths(wdRad * kRadiansToDegrees);
  r.variation = roundToHundredths(varRad * kRadiansToDegrees);

  r.fuelLeft = roundToHundredths(fuelLeft);
  r.fuelBurned = roundToHundredths(fuelBurned);
  r.fuelBurnedExact = fuelBurned;
  r.eteMinutes = roundToHundredths(ete);
  r.eteMinutesExact = ete;

  r.windCorrectionAngle = roundToWhole(wcaDeg);
  r.compassHeading = roundToWhole(chDeg);
  r.trueHeading = roundToWhole(thDeg);
  r.magneticHeading = roundToWhole(mhDeg);
  r.groundSpeed = roundToWhole(groundSpeed);
  r.groundSpeedExact = groundSpeed;

  out.outcome = LegOutcome::Computed;
  return out;
}

}  // namespace orvane::reference
