#include "core/defaults.hpp"

#include <cmath>
#include <type_traits>
#include <vector>

#include "core/numbers.hpp"

namespace orvane {
namespace {

// The eighteen entries in file order; `visit` gets each key with its value.
template <class Values, class Visitor>
void visitEntries(Values& v, Visitor&& visit) {
  visit(std::string_view("home_airport:"), v.homeAirport);
  visit(std::string_view("TAS:"), v.trueAirspeed);
  visit(std::string_view("Variation:"), v.variation);
  visit(std::string_view("Magnetic Deviation:"), v.deviation);
  visit(std::string_view("Galons/Hour:"), v.fuelFlow);
  visit(std::string_view("Total Fuel:"), v.fuelOnBoard);
  visit(std::string_view("Empty Plane Weight:"), v.airplane.emptyWeight);
  visit(std::string_view("Empty Plane Moment:"), v.airplane.emptyMoment);
  visit(std::string_view("Fuel Arm:"), v.airplane.fuelArm);
  visit(std::string_view("Pilot Weight:"), v.airplane.pilotWeight);
  visit(std::string_view("Front Sits Arm:"), v.airplane.frontSeatsArm);
  visit(std::string_view("Rear Sits Arm:"), v.airplane.rearSeatsArm);
  visit(std::string_view("Airplane Tail Number:"), v.airplane.tailNumber);
  visit(std::string_view("Airplane Type:"), v.airplane.airplaneType);
  visit(std::string_view("Gross Weight:"), v.airplane.maxWeight);
  visit(std::string_view("Useful Load:"), v.airplane.usefulLoad);
  visit(std::string_view("CG Fore Limit:"), v.airplane.cgForeLimit);
  visit(std::string_view("CG Aft Limit:"), v.airplane.cgAftLimit);
}

template <class T>
constexpr bool kIsText = std::is_same_v<std::remove_cvref_t<T>, std::string>;

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::ptrdiff_t kNotFound = -1;

std::ptrdiff_t findFrom(std::string_view text, std::string_view what, std::ptrdiff_t from) {
  const std::size_t found = text.find(what, static_cast<std::size_t>(from));
  return found == std::string_view::npos ? kNotFound : static_cast<std::ptrdiff_t>(found);
}

// Pairs the n-th colon (from position 1 on) with the n-th CR LF: in a file as written,
// each value is the rest of its own line.
std::vector<std::string_view> scanValues(std::string_view text) {
  std::vector<std::string_view> values;
  std::ptrdiff_t colon = findFrom(text, ":", 1);
  std::ptrdiff_t lineEnd = 0;
  while (colon != kNotFound) {
    lineEnd = findFrom(text, kLineEnd, lineEnd + 1);
    const std::ptrdiff_t length = std::max<std::ptrdiff_t>(lineEnd - colon + 1, 0);
    std::string_view value = text.substr(static_cast<std::size_t>(colon + 1), static_cast<std::size_t>(length));
    while (!value.empty() && (value.back() == '\r' || value.back() == '\n')) value.remove_suffix(1);
    values.push_back(value);
    colon = findFrom(text, ":", colon + 1);
  }
  return values;
}

}  // namespace

FormattedDefaults formatDefaults(const DefaultValues& values) {
  FormattedDefaults out;
  auto note = [&out](DefaultsProblem problem, std::string_view key) {
    if (out.problem == DefaultsProblem::None) {
      out.problem = problem;
      out.problemKey = key;
    }
  };
  visitEntries(values, [&](std::string_view key, const auto& value) {
    out.text += key;
    if constexpr (kIsText<decltype(value)>) {
      if (value.find_first_of(std::string_view(":\r\n\0", 4)) != std::string::npos) {
        note(DefaultsProblem::TextHasSeparator, key);
      }
      out.text += value;
    } else {
      if (!std::isfinite(value)) note(DefaultsProblem::NumberNotFinite, key);
      out.text += formatSixDecimals(value);
    }
    out.text += kLineEnd;
  });
  if (out.text.size() > kDefaultsReadLimit) note(DefaultsProblem::TooLong, {});
  return out;
}

std::optional<DefaultValues> parseDefaults(std::string_view text) {
  // An editor that turned the line ends into CR or LF alone leaves the scan no CR LF to
  // pair a colon with, and every value would load as empty or 0: such a file is refused,
  // so the values held stay as they are.
  if (text.find(kLineEnd) == std::string_view::npos && text.find_first_of("\r\n") != std::string_view::npos) {
    return std::nullopt;
  }
  const std::vector<std::string_view> scanned = scanValues(text);
  if (scanned.size() != kDefaultsValueCount) return std::nullopt;
  DefaultValues values;
  std::size_t index = 0;
  visitEntries(values, [&](std::string_view, auto& value) {
    const std::string_view raw = scanned[index++];
    if constexpr (kIsText<decltype(value)>) {
      value.assign(raw);  // blanks kept: only the CR and LF at the end were removed
    } else {
      value = leadingNumber(raw);
    }
  });
  return values;
}

DefaultsLoad readDefaultsFile(const std::filesystem::path& path) {
  DefaultsLoad load;
  const auto bytes = readFilePrefix(path, kDefaultsReadLimit);
  if (!bytes) return load;
  std::string_view text = *bytes;
  text = text.substr(0, text.find('\0'));  // the text ends at a zero byte
  auto values = parseDefaults(text);
  if (!values) {
    load.outcome = DefaultsRead::Malformed;
    return load;
  }
  load.outcome = DefaultsRead::Loaded;
  load.values = std::move(*values);
  return load;
}

FileWriteTexts defaultsWriteTexts() {
  return {std::string(kCannotOpenDefaultsMessage),
          "The defaults file could not be written (is the disk full?); it was left as it was.",
          "The defaults file could only be partly written (is the disk full?) and may now be damaged: "
          "please save the defaults again once the disk has room."};
}

FileWrite writeDefaultsFile(const std::filesystem::path& path, std::string_view text) {
  return replaceFile(path, text);
}

std::string defaultsProblemMessage(const FormattedDefaults& formatted) {
  const std::string key(
      formatted.problemKey.substr(0, formatted.problemKey.size() ? formatted.problemKey.size() - 1 : 0));
  switch (formatted.problem) {
    case DefaultsProblem::None: return {};
    case DefaultsProblem::TextHasSeparator:
      return "The defaults were not saved: \"" + key +
             "\" holds a colon or a line break, which the defaults file cannot keep.";
    case DefaultsProblem::NumberNotFinite:
      return "The defaults were not saved: \"" + key + "\" is not a number that can be saved.";
    case DefaultsProblem::TooLong: return "The defaults were not saved: the texts are too long for the defaults file.";
  }
  return {};
}

}  // namespace orvane
