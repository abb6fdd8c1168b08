#pragma once
// What every fuzz target shares: the check that stops the run on a broken property,
// and a reference reader of decimal numbers built on std::from_chars alone, against
// which the core's own number reading is compared.

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <optional>
#include <string_view>
#include <system_error>

/// Stops the run (libFuzzer keeps the input) when a property does not hold.
#define CHECK(condition)                                                                    \
  do {                                                                                      \
    if (!(condition)) {                                                                     \
      std::fprintf(stderr, "%s:%d: property broken: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                         \
    }                                                                                       \
  } while (false)

/// Marks a target's own reference code: libFuzzer then learns its way from the coverage
/// and comparisons of the core alone, and spends no time tracing the reference.
#define UNTRACED __attribute__((no_sanitize("coverage")))

namespace orvane::fuzz {

/// The same double, sign of zero included (no reading here yields a NaN).
UNTRACED inline bool sameDouble(double a, double b) noexcept { return a == b && std::signbit(a) == std::signbit(b); }

struct ReferenceNumber {
  std::size_t length = 0;  // 0: the text does not start with a number
  double value = 0;
};

/// The longest decimal number at the very start of `text` (no blank skipped): optional
/// sign, digits with an optional point and fraction, optional exponent. A magnitude too
/// large for a double reads as an infinity of its sign, one too small as a zero.
/// Empty when the reference cannot tell (an out-of-range number thousands of digits long).
UNTRACED inline std::optional<ReferenceNumber> referenceNumber(std::string_view text) {
  const bool plus = !text.empty() && text.front() == '+';
  const bool sign = plus || (!text.empty() && text.front() == '-');
  // The decimal form goes on with a digit or a point; that also keeps out the "inf",
  // "infinity" and "nan" that from_chars reads too, and a second sign.
  const char next = text.size() > (sign ? 1u : 0u) ? text[sign ? 1 : 0] : '\0';
  if (!((next >= '0' && next <= '9') || next == '.')) return ReferenceNumber{};

  // from_chars reads a leading '-' itself but refuses a '+': it gets the text after it.
  const std::string_view body = text.substr(plus ? 1 : 0);
  const char* const first = body.data();
  const char* const last = body.data() + body.size();
  double value = 0;
  const auto [end, ec] = std::from_chars(first, last, value, std::chars_format::general);
  if (ec == std::errc::invalid_argument) return ReferenceNumber{};  // "." or "-.e5"
  ReferenceNumber number{static_cast<std::size_t>(end - first) + (plus ? 1 : 0), value};
  if (ec == std::errc::result_out_of_range) {
    // Overflow or underflow: a long double holds the magnitude up to about 1e4932.
    const bool negative = body.front() == '-';
    long double wide = 0;
    const auto [wideEnd, wideEc] = std::from_chars(first, end, wide, std::chars_format::general);
    (void)wideEnd;
    bool tooLarge = false;
    if (wideEc == std::errc{}) {
      tooLarge = std::fabs(wide) > static_cast<long double>(std::numeric_limits<double>::max());
    } else {
      // Beyond even that range. A mantissa shorter than 4000 digits moves the magnitude
      // by fewer than 4000 powers of ten, so the exponent's own sign decides.
      if (end - first > 4000) return std::nullopt;
      const std::string_view matched(first, static_cast<std::size_t>(end - first));
      const std::size_t e = matched.find_first_of("eE");
      if (e == std::string_view::npos) return std::nullopt;
      tooLarge = matched[e + 1] != '-';
    }
    const double magnitude = tooLarge ? std::numeric_limits<double>::infinity() : 0.0;
    number.value = negative ? -magnitude : magnitude;
  }
  return number;
}

}  // namespace orvane::fuzz
