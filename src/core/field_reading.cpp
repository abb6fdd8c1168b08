#include "core/field_reading.hpp"

#include <cmath>

#include "core/numbers.hpp"

namespace orvane {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

FieldReading readNumberField(std::string_view text, std::optional<NumberRange> range) noexcept {
  text = text.substr(0, kFieldCharLimit);
  std::size_t start = 0;
  while (start < text.size() && isBlank(text[start])) ++start;
  std::size_t end = text.size();
  while (end > start && isBlank(text[end - 1])) --end;
  const std::string_view number = text.substr(start, end - start);

  FieldReading reading;
  if (number.empty() || decimalNumberLength(number) != number.size()) return reading;
  const double value = decimalValue(number);
  if (!std::isfinite(value)) return reading;
  if (value == 0.0 && number.front() != '0') return reading;

  reading.value = value;
  reading.status =
      (range && (value < range->lowest || value > range->highest)) ? FieldStatus::OutOfRange : FieldStatus::Accepted;
  return reading;
}

std::string outOfRangeMessage(NumberRange range) {
  return "Please enter a number between " + formatGeneral(range.lowest) + " and " + formatGeneral(range.highest) + ".";
}

}  // namespace orvane
