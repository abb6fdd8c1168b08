#pragma once
// The large airports.fly of the benchmarks, made the same way wherever it is needed: the
// course window benchmark makes it in memory, scripts/bench.sh through
// orvane_generated_airports.

#include <cstddef>
#include <string>

namespace orvane::bench {

struct GeneratedAirports {
  std::string text;
  std::size_t distinct = 0;  // identifiers that differ without regard to case
};

/// `records` records of three-character identifiers. There are only 36^3 identifiers
/// that differ without regard to case, so every one of them comes once (in a scattered
/// order) and the rest are repeats; about one record in ten writes its letters in lower
/// case and one in ten mixes the cases, as a hand-edited file does. Short records
/// ("QQA:1;2,", 8 bytes) let the 8 MiB limit hold a million of them.
GeneratedAirports generatedAirports(std::size_t records, bool shortRecords);

}  // namespace orvane::bench
