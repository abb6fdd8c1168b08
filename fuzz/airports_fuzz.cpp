// The airport text reader. Every ":" after the first position is one record, in text
// order, named by the three characters before it (the first three of the text when
// fewer precede it); the n-th ":" takes its latitude up to the n-th ";" and its
// longitude up to the n-th "," (the searches start again at position 0 after one that
// found nothing); the first record of an identifier gives its position. A reference
// follows that description search by search.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "core/airports.hpp"
#include "core/numbers.hpp"
#include "fuzz_support.hpp"

namespace {

using orvane::fuzz::sameDouble;

constexpr std::size_t kNone = std::string_view::npos;

// For each position, where the next `separator` at or after it is (kNone if none).
UNTRACED std::vector<std::size_t> nextPositions(std::string_view text, char separator) {
  std::vector<std::size_t> next(text.size() + 1, kNone);
  for (std::size_t i = text.size(); i-- > 0;) next[i] = text[i] == separator ? i : next[i + 1];
  return next;
}

struct ReferenceRecord {
  std::string identifier;
  std::string_view latitudeText, longitudeText;
};

UNTRACED std::vector<ReferenceRecord> referenceRecords(std::string_view text) {
  const std::vector<std::size_t> nextSemicolon = nextPositions(text, ';');
  const std::vector<std::size_t> nextComma = nextPositions(text, ',');
  auto search = [&](const std::vector<std::size_t>& next, std::size_t from) {
    return from < text.size() ? next[from] : kNone;
  };
  std::vector<ReferenceRecord> records;
  std::size_t semicolonStart = 1, commaStart = 1;
  for (std::size_t c = 1; c < text.size(); ++c) {
    if (text[c] != ':') continue;
    ReferenceRecord record;
    record.identifier = std::string(c >= 3 ? text.substr(c - 3, 3) : text.substr(0, 3));
    const std::size_t s = search(nextSemicolon, semicolonStart);
    if (s != kNone && s > c) record.latitudeText = text.substr(c + 1, s - c - 1);
    const std::size_t k = search(nextComma, commaStart);
    if (k != kNone && (s == kNone || k > s)) {
      const std::size_t from = s == kNone ? 0 : s + 1;
      record.longitudeText = text.substr(from, k - from);
    }
    semicolonStart = s == kNone ? 0 : s + 1;
    commaStart = k == kNone ? 0 : k + 1;
    records.push_back(std::move(record));
  }
  return records;
}

UNTRACED void checkParse(std::string_view text) {
  const orvane::ParsedAirports parsed = orvane::parseAirportText(text);
  const std::vector<ReferenceRecord> records = referenceRecords(text);

  std::size_t colonsAfterFirst = 0;
  for (std::size_t i = 1; i < text.size(); ++i) colonsAfterFirst += text[i] == ':';
  CHECK(parsed.identifiers.size() == colonsAfterFirst);
  CHECK(parsed.identifiers.size() == records.size());

  std::unordered_set<std::string> seen;
  for (std::size_t i = 0; i < records.size(); ++i) {
    const std::string& identifier = parsed.identifiers[i];
    CHECK(identifier.size() == std::min<std::size_t>(3, text.size()));
    CHECK(identifier == records[i].identifier);
    if (!seen.insert(identifier).second) continue;  // a later record of it counts for nothing
    const auto position = orvane::findAirport(parsed.table, identifier);
    CHECK(position.has_value());
    CHECK(sameDouble(position->latitude, orvane::leadingNumber(records[i].latitudeText)));
    CHECK(sameDouble(position->longitude, orvane::leadingNumber(records[i].longitudeText)));
  }
  CHECK(parsed.table.size() == seen.size());
}

}  // namespace

extern "C" UNTRACED int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  checkParse(text);
  return 0;
}
