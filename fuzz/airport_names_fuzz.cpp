// The airport-name table and the description shown for an identifier. The table holds
// one entry per line (LF or CR LF ends, a byte-order mark at the start skipped) that
// has a tab and a non-empty identifier before it, the first line of an identifier
// counting, with its name, town and country as the next tab-separated fields (missing
// ones empty); a reference reads it by that description. A description is empty exactly
// when the upper-cased identifier has no entry, reads the same for any case of the
// identifier, and is the identifier, two blanks, and the non-empty parts joined by ", ".

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/airport_names.hpp"
#include "core/ascii.hpp"
#include "fuzz_support.hpp"

namespace {

using orvane::AirportName;
using orvane::AirportNames;

UNTRACED std::vector<std::string_view> split(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  for (;;) {
    const std::size_t at = text.find(separator);
    if (at == std::string_view::npos) break;
    parts.emplace_back(text.data(), at);
    text = std::string_view(text.data() + at + 1, text.size() - at - 1);
  }
  parts.push_back(text);
  return parts;
}

UNTRACED AirportNames referenceNames(std::string_view text) {
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  AirportNames names;
  for (std::string_view line : split(text, '\n')) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const std::vector<std::string_view> fields = split(line, '\t');
    if (fields.size() < 2 || fields[0].empty()) continue;
    auto field = [&](std::size_t i) { return std::string(i < fields.size() ? fields[i] : std::string_view()); };
    names.try_emplace(std::string(fields[0]), AirportName{field(1), field(2), field(3)});
  }
  return names;
}

UNTRACED bool sameNames(const AirportNames& a, const AirportNames& b) {
  if (a.size() != b.size()) return false;
  for (const auto& [identifier, name] : a) {
    const auto other = b.find(identifier);
    if (other == b.end() || other->second.name != name.name || other->second.town != name.town ||
        other->second.country != name.country) {
      return false;
    }
  }
  return true;
}

UNTRACED std::string lowerAscii(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = orvane::lowerAscii(c);
  return lower;
}

UNTRACED void checkDescription(const AirportNames& names, std::string_view identifier) {
  const std::string description = orvane::describeAirport(names, identifier);
  CHECK(description == orvane::describeAirport(names, lowerAscii(identifier)));
  CHECK(description == orvane::describeAirport(names, orvane::upperAscii(identifier)));

  const std::string key = orvane::upperAscii(identifier);
  const auto found = names.find(key);
  if (found == names.end()) {
    CHECK(description.empty());
    return;
  }
  std::string expected = key;
  std::string_view separator = "  ";
  for (const std::string& part : {found->second.name, found->second.town, found->second.country}) {
    if (part.empty()) continue;
    expected.append(separator).append(part);
    separator = ", ";
  }
  CHECK(description == expected);
}

}  // namespace

extern "C" UNTRACED int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const AirportNames names = orvane::parseAirportNames(text);
  CHECK(sameNames(names, referenceNames(text)));

  std::size_t described = 0;
  for (const auto& [identifier, name] : names) {
    CHECK(!identifier.empty());
    for (const std::string* field : {&identifier, &name.name, &name.town, &name.country}) {
      CHECK(field->find_first_of("\t\n") == std::string::npos);
    }
    // A few descriptions of each table are enough: each is looked up on its own.
    if (described++ < 8) checkDescription(names, identifier);
  }
  // An identifier made of the input's first bytes, as the pilot's file might write it.
  checkDescription(names, text.substr(0, 4));
  checkDescription(names, text.substr(0, 3));
  return 0;
}
