// The field-reading rule against a reference built on std::from_chars: a field is
// accepted exactly when its first 31 bytes, without the blanks and tabs around them,
// are one whole finite decimal number, and a zero only when it is written starting
// with the digit 0; the value is the one from_chars reads; with a range, the reading
// is out of range exactly when the value lies outside its bounds.

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string_view>

#include "core/field_reading.hpp"
#include "fuzz_support.hpp"

namespace {

using orvane::FieldReading;
using orvane::FieldStatus;
using orvane::NumberRange;
using orvane::fuzz::referenceNumber;
using orvane::fuzz::sameDouble;

UNTRACED bool isBlank(char c) { return c == ' ' || c == '\t'; }

// The value the field should be taken as, or nothing when it is to be refused.
UNTRACED std::optional<double> expectedValue(std::string_view text) {
  text = text.substr(0, 31);
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  const auto number = referenceNumber(text);
  CHECK(number.has_value());  // 31 bytes are always within the reference's reach
  if (number->length == 0 || number->length != text.size()) return std::nullopt;
  if (!std::isfinite(number->value)) return std::nullopt;
  if (number->value == 0 && text.front() != '0') return std::nullopt;
  return number->value;
}

UNTRACED void checkWithRange(std::string_view text, std::optional<double> expected, NumberRange range) {
  const FieldReading reading = orvane::readNumberField(text, range);
  if (!expected) {
    CHECK(reading.status == FieldStatus::NotANumber);
    return;
  }
  const bool outside = *expected < range.lowest || *expected > range.highest;
  CHECK(reading.status == (outside ? FieldStatus::OutOfRange : FieldStatus::Accepted));
  CHECK(sameDouble(reading.value, *expected));  // taken even when out of range
}

}  // namespace

extern "C" UNTRACED int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const std::optional<double> expected = expectedValue(text);

  const FieldReading plain = orvane::readNumberField(text);
  CHECK(plain.status != FieldStatus::OutOfRange);
  CHECK((plain.status == FieldStatus::Accepted) == expected.has_value());
  if (expected) CHECK(sameDouble(plain.value, *expected));

  // Ranges of the windows, and bounds on the value itself and one step beside it.
  constexpr double kMax = std::numeric_limits<double>::max();
  std::array<NumberRange, 8> ranges{{{60, 250}, {0, 360}, {-90, 90}, {-180, 180}, {0, 0}}};
  std::size_t count = 5;
  if (expected) {
    const double v = *expected;
    ranges[count++] = {v, v};
    ranges[count++] = {std::nextafter(v, kMax), kMax};
    ranges[count++] = {-kMax, std::nextafter(v, -kMax)};
  }
  for (std::size_t i = 0; i < count; ++i) checkWithRange(text, expected, ranges[i]);
  return 0;
}
