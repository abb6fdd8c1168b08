#include "generated_airports.hpp"

#include <cstdint>
#include <cstdio>
#include <unordered_set>

#include "core/ascii.hpp"

namespace orvane::bench {

GeneratedAirports generatedAirports(std::size_t records, bool shortRecords) {
  static constexpr char kSymbols[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  constexpr std::uint32_t kSymbolCount = sizeof kSymbols - 1;
  constexpr std::uint32_t kCombinations = kSymbolCount * kSymbolCount * kSymbolCount;  // 46,656
  constexpr std::uint32_t kScatter = 7919;  // a prime, so i * kScatter visits every combination

  GeneratedAirports generated;
  std::string& text = generated.text;
  text.reserve(records * (shortRecords ? 8 : 28));
  std::unordered_set<std::string> seen;
  std::uint32_t state = 20240601u;
  auto next = [&state] {
    state = state * 1664525u + 1013904223u;  // a linear congruential sequence
    return state >> 8;
  };
  for (std::size_t i = 0; i < records; ++i) {
    const std::uint32_t combination =
        i < kCombinations ? static_cast<std::uint32_t>(i) * kScatter % kCombinations : next() % kCombinations;
    char identifier[4] = {kSymbols[combination / (kSymbolCount * kSymbolCount)],
                          kSymbols[combination / kSymbolCount % kSymbolCount], kSymbols[combination % kSymbolCount],
                          '\0'};
    const std::uint32_t look = next() % 10;
    for (int c = 0; c < 3; ++c) {
      if (look == 0 || (look == 1 && c == 1)) identifier[c] = lowerAscii(identifier[c]);
    }
    seen.insert(upperAscii(identifier));
    const double latitude = -60.0 + static_cast<double>(next() % 13'000'000) / 100'000.0;
    const double longitude = -179.0 + static_cast<double>(next() % 35'800'000) / 100'000.0;
    char record[64];
    if (shortRecords) {
      std::snprintf(record, sizeof record, "%s:%u;%u,", identifier, look, 9 - look);
    } else {
      std::snprintf(record, sizeof record, "%s:%.6f;%.6f,\n", identifier, latitude, longitude);
    }
    text += record;
  }
  generated.distinct = seen.size();
  return generated;
}

}  // namespace orvane::bench
