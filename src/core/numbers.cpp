#include "core/numbers.hpp"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace orvane {
namespace {

constexpr int kWrittenDigits = 17;  // enough to tell every double apart

// A finite magnitude as decimal digits: value = 0.d1 d2 d3 ... x 10^pointPosition.
struct DecimalDigits {
  bool negative = false;
  std::string digits;   // no leading zero unless the value is zero
  int pointPosition = 0;
};

DecimalDigits seventeenDigits(double value) {
  std::array<char, 64> buffer{};
  const auto [end, ec] =
      std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
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

bool isDigit(char c) { return c >= '0' && c <= '9'; }

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

std::size_t decimalNumberLength(std::string_view text) noexcept {
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  std::size_t mantissaDigits = 0;
  while (i < text.size() && isDigit(text[i])) { ++i; ++mantissaDigits; }
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && isDigit(text[i])) { ++i; ++mantissaDigits; }
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
  const auto [ptr, ec] = std::from_chars(numberText.data(), numberText.data() + numberText.size(),
                                         magnitude, std::chars_format::general);
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
  while (start < text.size() &&
         (text[start] == ' ' || (text[start] >= '\t' && text[start] <= '\r'))) {
    ++start;
  }
  text.remove_prefix(start);
  const std::size_t length = decimalNumberLength(text);
  if (length == 0) return 0.0;
  return decimalValue(text.substr(0, length));
}

}  // namespace orvane
