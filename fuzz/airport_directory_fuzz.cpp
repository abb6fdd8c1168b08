// The airport directory file. Any bytes give exactly one outcome and a directory only
// when Opened. The input is read twice: as a whole file, and as the payload of a file
// whose header and checksum are made to fit it (its first 20 bytes give the counts), so
// that the checks behind the checksum are reached too. An opened directory answers
// searches, code look-ups and runway lists without reading outside its own data.

#include <zlib.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/airport_directory.hpp"
#include "fuzz_support.hpp"

namespace {

using orvane::DirectoryOutcome;

UNTRACED void put(std::string& out, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFFu);
}

UNTRACED std::uint32_t take(std::string_view text, std::size_t at) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4 && at + i < text.size(); ++i) {
    value |= static_cast<std::uint32_t>(static_cast<unsigned char>(text[at + i])) << (8 * i);
  }
  return value;
}

// A file around `payload`; the counts come from the input, kept small enough to fit.
UNTRACED std::string framed(std::string_view input) {
  const std::string_view payload = input.size() > 20 ? input.substr(20) : std::string_view();
  const std::uint32_t airports = take(input, 0) % 64, runways = take(input, 4) % 64, ends = take(input, 8) % 64,
                      countries = take(input, 12) % 8;
  const std::uint64_t fixed = airports * 20ull + runways * 4ull + ends * 6ull + countries * 4ull;
  const std::uint32_t strings = payload.size() > fixed ? static_cast<std::uint32_t>(payload.size() - fixed) : 0;
  std::string file("ORVADIR\x1a", 8);
  for (std::uint32_t v : {orvane::kAirportDirectoryVersion, airports, runways, ends, countries, strings,
                          static_cast<std::uint32_t>(payload.size())}) {
    put(file, v);
  }
  put(file, static_cast<std::uint32_t>(
                crc32(0, reinterpret_cast<const Bytef*>(payload.data()), static_cast<uInt>(payload.size()))));
  std::vector<Bytef> packed(compressBound(payload.size()));
  uLongf packedSize = packed.size();
  compress(packed.data(), &packedSize, reinterpret_cast<const Bytef*>(payload.data()), payload.size());
  file.append(reinterpret_cast<const char*>(packed.data()), packedSize);
  return file;
}

UNTRACED void check(std::string_view bytes, std::string_view query) {
  const orvane::DirectoryLoad load = orvane::readAirportDirectory(bytes);
  CHECK((load.outcome == DirectoryOutcome::Opened) == (load.directory != nullptr));
  if (!load.directory) return;
  const orvane::AirportDirectory& directory = *load.directory;
  for (std::size_t i = 0; i < directory.size(); ++i) {
    const orvane::DirectoryAirport& airport = directory.airport(i);
    CHECK(!airport.code.empty());
    CHECK(airport.position.latitude >= -90 && airport.position.latitude <= 90);
    CHECK(airport.position.longitude >= -180 && airport.position.longitude <= 180);
    CHECK(directory.findByCode(airport.code).has_value());
    for (const orvane::DirectoryRunway& runway : directory.runways(airport)) {
      for (const orvane::RunwayEnd& end : runway.ends) {
        CHECK(end.designator.size() <= 4);
        CHECK(!end.trueHeadingDeg || (*end.trueHeadingDeg >= 0 && *end.trueHeadingDeg < 360));
      }
    }
    orvane::runwayWindLines(directory, airport, 250, 12);
    orvane::describeDirectoryAirport(airport);
  }
  const std::vector<std::size_t> found = directory.search(query, 10);
  CHECK(found.size() <= 10);
  for (std::size_t index : found) CHECK(index < directory.size());
}

}  // namespace

extern "C" UNTRACED int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::string_view query = input.substr(0, std::min<std::size_t>(input.size(), 6));
  check(input, query);
  check(framed(input), query);
  return 0;
}
