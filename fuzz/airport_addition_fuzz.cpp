// Adding an airport. The input is the identifier as the pilot typed it, a line break,
// and the airport text it is added to. A blank anywhere refuses it first; then it must
// be three ASCII letters or digits; then an identifier the text already has, in any
// case, is refused as present; otherwise exactly its record ("QQC:39.100000;-74.900000,")
// is appended, the identifier is then present in every case, and the new record reads
// back with its identifier and, when the text before it pairs its separators, its
// position to six decimals.

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/airports.hpp"
#include "core/ascii.hpp"
#include "core/numbers.hpp"
#include "fuzz_support.hpp"

namespace {

using orvane::AddAirportOutcome;
using orvane::AirportIdentifierCheck;
using orvane::GeoPosition;

UNTRACED bool isLetterOrDigit(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

UNTRACED char foldCase(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + ('a' - 'A')) : c; }

UNTRACED bool sameIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (foldCase(a[i]) != foldCase(b[i])) return false;
  }
  return true;
}

UNTRACED std::size_t countFromSecond(std::string_view text, char c) {
  return text.empty() ? 0 : static_cast<std::size_t>(std::count(text.begin() + 1, text.end(), c));
}

// "%f" as the file holds numbers: an optional minus, digits, a point, six digits.
UNTRACED bool isSixDecimalText(std::string_view text) {
  if (!text.empty() && text.front() == '-') text.remove_prefix(1);
  const std::size_t point = text.find('.');
  if (point == 0 || point == std::string_view::npos || text.size() - point - 1 != 6) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (i != point && !(text[i] >= '0' && text[i] <= '9')) return false;
  }
  return true;
}

// A position of the kind the pilot types, six decimals and a few more, from the input.
UNTRACED GeoPosition positionOf(std::string_view input) {
  std::uint64_t hash = 14695981039346656037u;  // FNV-1a
  for (const char c : input) hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211u;
  const double latitude = static_cast<double>(hash % 1'800'000'001u) / 1e7 - 90.0;
  const double longitude = static_cast<double>((hash >> 20) % 3'600'000'001u) / 1e7 - 180.0;
  return {latitude, longitude};
}

UNTRACED AddAirportOutcome expectedRefusal(std::string_view identifier) {
  if (identifier.find(' ') != std::string_view::npos) return AddAirportOutcome::HasSpace;
  if (identifier.size() != 3 || !std::all_of(identifier.begin(), identifier.end(), isLetterOrDigit)) {
    return AddAirportOutcome::NotThreeAlphanumeric;
  }
  return AddAirportOutcome::Added;  // not refused by its form
}

UNTRACED bool listed(std::string_view text, std::string_view identifier) {
  const orvane::ParsedAirports parsed = orvane::parseAirportText(text);
  return std::any_of(parsed.identifiers.begin(), parsed.identifiers.end(), [&](const std::string& listedIdentifier) {
    return sameIgnoringCase(listedIdentifier, identifier);
  });
}

UNTRACED void checkAdded(std::string_view before, const std::string& after, std::string_view identifier,
                         GeoPosition position) {
  CHECK(after.compare(0, before.size(), before) == 0);
  const std::string_view record = std::string_view(after).substr(before.size());
  const std::string latitude = orvane::formatSixDecimals(position.latitude);
  const std::string longitude = orvane::formatSixDecimals(position.longitude);
  CHECK(record == std::string(identifier) + ":" + latitude + ";" + longitude + ",");
  CHECK(isSixDecimalText(latitude) && isSixDecimalText(longitude));

  // Now present, in another case too: adding it again is refused.
  const std::string other = orvane::upperAscii(identifier) == identifier
                                ? std::string(1, foldCase(identifier[0])) + std::string(identifier.substr(1))
                                : orvane::upperAscii(identifier);
  std::string again = after;
  CHECK(orvane::addAirport(again, other, position) == AddAirportOutcome::AlreadyPresent);
  CHECK(again == after);

  const orvane::ParsedAirports parsed = orvane::parseAirportText(after);
  CHECK(!parsed.identifiers.empty() && parsed.identifiers.back() == identifier);
  // The new record takes its own separators when the text before it has as many ";" and
  // "," as records (counted from position 1, as the reader pairs them).
  const std::size_t records = countFromSecond(before, ':');
  if (countFromSecond(before, ';') != records || countFromSecond(before, ',') != records) return;
  const auto stored = orvane::findAirport(parsed.table, identifier);
  CHECK(stored.has_value());
  CHECK(orvane::formatSixDecimals(stored->latitude) == latitude);
  CHECK(orvane::formatSixDecimals(stored->longitude) == longitude);
  CHECK(std::fabs(stored->latitude - position.latitude) <= 5.000001e-7);
  CHECK(std::fabs(stored->longitude - position.longitude) <= 5.000001e-7);
}

}  // namespace

extern "C" UNTRACED int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::size_t lineEnd = std::min(input.find('\n'), input.size());
  const std::string_view identifier = input.substr(0, lineEnd);
  const std::string_view before = input.substr(std::min(lineEnd + 1, input.size()));
  const GeoPosition position = positionOf(input);

  const AddAirportOutcome byForm = expectedRefusal(identifier);
  const AirportIdentifierCheck check = orvane::checkAirportIdentifier(identifier);
  CHECK((check == AirportIdentifierCheck::HasSpace) == (byForm == AddAirportOutcome::HasSpace));
  CHECK((check == AirportIdentifierCheck::Valid) == (byForm == AddAirportOutcome::Added));

  std::string text(before);
  const AddAirportOutcome outcome = orvane::addAirport(text, identifier, position);
  if (byForm != AddAirportOutcome::Added) {
    CHECK(outcome == byForm);
  } else if (listed(before, identifier)) {
    CHECK(outcome == AddAirportOutcome::AlreadyPresent);
  } else {
    CHECK(outcome == AddAirportOutcome::Added);
    checkAdded(before, text, identifier, position);
    return 0;
  }
  CHECK(text == before);  // a refusal changes nothing
  return 0;
}
