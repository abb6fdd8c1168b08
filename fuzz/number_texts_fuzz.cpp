// The quick number texts against the frozen plain ones: for the double in the first
// eight bytes and the decimal count and precision the ninth byte gives, every text and
// the hundredths rounding must be the same, bit for bit, as the plain way gives them.

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>
#include <system_error>

#include "core/leg.hpp"
#include "core/numbers.hpp"
#include "fuzz_support.hpp"

// The frozen copy is compiled into this target, untraced like all reference code here
// (its headers come first, so that only its own functions fall under the attribute).
#pragma clang attribute push(__attribute__((no_sanitize("coverage"))), apply_to = function)
#include "../tests/reference/number_texts_reference.cpp"
#pragma clang attribute pop

namespace {

UNTRACED std::uint64_t bitsOf(double value) {
  std::uint64_t bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

}  // namespace

extern "C" UNTRACED int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 9) return 0;
  double value = 0;
  std::memcpy(&value, data, sizeof value);
  // Decimal counts -4..27 and precisions -2..29: past both ends of the quick way's range.
  const int decimals = (data[8] & 31) - 4;
  const int digits = (data[8] >> 3) - 2;

  namespace ref = orvane::reference;
  CHECK(orvane::formatFixed(value, decimals) == ref::formatFixed(value, decimals));
  CHECK(orvane::formatFixed(value, 2) == ref::formatFixed(value, 2));
  CHECK(orvane::formatSixDecimals(value) == ref::formatSixDecimals(value));
  CHECK(orvane::formatGeneral(value, digits) == ref::formatGeneral(value, digits));
  CHECK(orvane::formatGeneral(value) == ref::formatGeneral(value));
  CHECK(orvane::fieldText(value) == ref::fieldText(value));
  CHECK(bitsOf(orvane::roundToHundredths(value)) == bitsOf(ref::roundToHundredths(value)));
  return 0;
}
