// The defaults file. Any bytes: the reader finds one value per ":" after the first
// position, each running from its ":" to the line end of the same rank (CR LF, counted
// in order) less the CR and LF at its end, and loads exactly when it finds eighteen
// and the text's line breaks are not all of another kind than CR LF; a reference
// follows that description. Values made from the input: the writer reports
// a problem exactly when a text holds ":", CR, LF or a zero byte, a number is not
// finite, or the file would pass the reader's 1023 bytes, and otherwise writes a file
// that loads back as the same values, numbers as six decimals hold them. What a file
// loaded that way writes again is the same file, while its numbers are below 2^32.

#include <fuzzer/FuzzedDataProvider.h>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/defaults.hpp"
#include "core/numbers.hpp"
#include "fuzz_support.hpp"

namespace {

using orvane::DefaultsProblem;
using orvane::DefaultValues;
using orvane::fuzz::sameDouble;

constexpr std::size_t kNone = std::string_view::npos;

// The eighteen values in file order; texts are entries 1, 13 and 14.
struct Entries {
  std::array<std::string*, 3> texts;
  std::array<double*, 15> numbers;
};

UNTRACED Entries entriesOf(DefaultValues& v) {
  auto& a = v.airplane;
  return {{&v.homeAirport, &a.tailNumber, &a.airplaneType},
          {&v.trueAirspeed, &v.variation, &v.deviation, &v.fuelFlow, &v.fuelOnBoard, &a.emptyWeight, &a.emptyMoment,
           &a.fuelArm, &a.pilotWeight, &a.frontSeatsArm, &a.rearSeatsArm, &a.maxWeight, &a.usefulLoad, &a.cgForeLimit,
           &a.cgAftLimit}};
}

// A number is written as its 17 digits rounded at the sixth decimal. Below 2^32 the
// double read back from six decimals lies within 2^-22 of them, and its 17 digits within
// 0.5e-7 more, so it is written as the same six decimals again. Beyond that a double
// cannot always hold six decimals (near 2^33 its spacing is 1.9e-6): the last decimal
// may come out one off at each save, and only closeness is asked of it.
constexpr double kSixDecimalsHeld = 4294967296.0;  // 2^32

UNTRACED bool holdsSixDecimals(const DefaultValues& values) {
  DefaultValues copy = values;
  for (const double* number : entriesOf(copy).numbers) {
    if (!(std::fabs(*number) < kSixDecimalsHeld)) return false;
  }
  return true;
}

constexpr std::array<bool, 18> kIsText = {true,  false, false, false, false, false, false, false, false,
                                          false, false, false, true,  true,  false, false, false, false};

// The value stretches as the reader is described to find them.
UNTRACED std::vector<std::string_view> referenceValues(std::string_view text) {
  std::vector<std::string_view> values;
  std::ptrdiff_t lineEnd = 0;
  for (std::size_t c = text.find(':', 1); c != kNone; c = text.find(':', c + 1)) {
    const std::size_t found = text.find("\r\n", static_cast<std::size_t>(lineEnd) + 1);
    lineEnd = found == kNone ? -1 : static_cast<std::ptrdiff_t>(found);
    const std::ptrdiff_t length = lineEnd - static_cast<std::ptrdiff_t>(c) + 1;
    std::string_view value = text.substr(c + 1, length > 0 ? static_cast<std::size_t>(length) : 0);
    while (!value.empty() && (value.back() == '\r' || value.back() == '\n')) value.remove_suffix(1);
    values.push_back(value);
  }
  return values;
}

UNTRACED void checkAnyText(std::string_view text) {
  const std::optional<DefaultValues> parsed = orvane::parseDefaults(text);
  const std::vector<std::string_view> values = referenceValues(text);
  // Line breaks none of which is CR LF: an editor changed the line ends, and the file
  // is refused rather than loaded as empty values.
  const bool foreignLineEnds = text.find("\r\n") == kNone && text.find_first_of("\r\n") != kNone;
  CHECK(parsed.has_value() == (values.size() == orvane::kDefaultsValueCount && !foreignLineEnds));
  if (!parsed) return;

  DefaultValues loaded = *parsed;
  const Entries entries = entriesOf(loaded);
  std::size_t textIndex = 0, numberIndex = 0;
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (kIsText[i]) {
      CHECK(*entries.texts[textIndex++] == values[i]);
    } else {
      CHECK(sameDouble(*entries.numbers[numberIndex++], orvane::leadingNumber(values[i])));
    }
  }

  // Saving what was loaded and loading it again changes nothing that was saved.
  const orvane::FormattedDefaults saved = orvane::formatDefaults(loaded);
  if (saved.problem != DefaultsProblem::None || !holdsSixDecimals(loaded)) return;
  const auto reloaded = orvane::parseDefaults(saved.text);
  CHECK(reloaded.has_value());
  CHECK(orvane::formatDefaults(*reloaded).text == saved.text);
}

UNTRACED bool holdsSeparator(const std::string& text) {
  return text.find_first_of(std::string_view(":\r\n\0", 4)) != std::string::npos;
}

// |read - written| within half a unit of the sixth decimal, and within the rounding of
// the 17 digits the number is first written with.
UNTRACED bool closeToSixDecimals(double read, double written) {
  const double slack = 5e-7 + std::fabs(written) * 1e-15;
  return std::fabs(read - written) <= slack;
}

UNTRACED void checkRoundTrip(FuzzedDataProvider& input) {
  DefaultValues values;
  const Entries entries = entriesOf(values);
  for (std::string* text : entries.texts) *text = input.ConsumeRandomLengthString(48);
  for (double* number : entries.numbers) {
    // Every double, NaN and infinities too, or one the pilot could type.
    const auto bits = input.ConsumeIntegral<std::uint64_t>();
    if (input.ConsumeBool()) {
      std::memcpy(number, &bits, sizeof *number);
    } else {
      *number = static_cast<double>(static_cast<std::int32_t>(bits)) / 1e4;
    }
  }

  const orvane::FormattedDefaults formatted = orvane::formatDefaults(values);
  bool expectProblem = formatted.text.size() > orvane::kDefaultsReadLimit;
  for (const std::string* text : entries.texts) expectProblem |= holdsSeparator(*text);
  for (const double* number : entries.numbers) expectProblem |= !std::isfinite(*number);
  CHECK((formatted.problem != DefaultsProblem::None) == expectProblem);
  if (expectProblem) return;

  const auto parsed = orvane::parseDefaults(formatted.text);
  CHECK(parsed.has_value());
  DefaultValues loaded = *parsed;
  const Entries back = entriesOf(loaded);
  for (std::size_t i = 0; i < entries.texts.size(); ++i) CHECK(*back.texts[i] == *entries.texts[i]);
  for (std::size_t i = 0; i < entries.numbers.size(); ++i) {
    CHECK(closeToSixDecimals(*back.numbers[i], *entries.numbers[i]));
  }
  if (holdsSixDecimals(values)) CHECK(orvane::formatDefaults(loaded).text == formatted.text);
}

}  // namespace

extern "C" UNTRACED int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // The reader sees the file up to 1023 bytes and a zero byte; any text is tried here.
  checkAnyText(std::string_view(reinterpret_cast<const char*>(data), size));
  FuzzedDataProvider input(data, size);
  checkRoundTrip(input);
  return 0;
}
