#pragma once
// The rule by which every window reads a number field.

#include <optional>
#include <string>
#include <string_view>

namespace orvane {

/// A field holds at most this many characters when it is read; the rest is ignored.
inline constexpr std::size_t kFieldCharLimit = 31;

/// Accepted values of a field, both bounds included.
struct NumberRange {
  double lowest = 0;
  double highest = 0;
};

enum class FieldStatus {
  Accepted,    // the value is taken
  NotANumber,  // refused; the held value stays as it was
  OutOfRange,  // refused, but the value has already been taken
};

struct FieldReading {
  FieldStatus status = FieldStatus::NotANumber;
  double value = 0;  // meaningful for Accepted and OutOfRange
};

/// Reads a number field's text: the first 31 characters (bytes: only ASCII can form a
/// number) must be one complete decimal number with optional blanks and tabs around
/// it. A zero is accepted only when the first non-blank character is the digit 0, so
/// an empty field, "-0" and ".0" are refused; so is a value that is not finite (1e999).
FieldReading readNumberField(std::string_view text, std::optional<NumberRange> range = std::nullopt) noexcept;

/// "Please enter a number."
inline constexpr std::string_view kNotANumberMessage = "Please enter a number.";

/// "Please enter a number between %1 and %2.", the bounds written as fields show numbers.
std::string outOfRangeMessage(NumberRange range);

}  // namespace orvane
