// Writes the benchmarks' generated airports.fly to standard output, so that the
// scripts use the very file the course window benchmark makes (bench/generated_airports.hpp).
//
//   orvane_generated_airports RECORDS [--short]

#include <charconv>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "generated_airports.hpp"

int main(int argc, char** argv) {
  std::size_t records = 0;
  const bool shortRecords = argc == 3 && std::strcmp(argv[2], "--short") == 0;
  bool valid = argc == 2 || shortRecords;
  if (valid) {
    const std::string_view text = argv[1];
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), records);
    valid = error == std::errc() && end == text.data() + text.size() && records > 0;
  }
  if (!valid) {
    std::fprintf(stderr, "usage: %s RECORDS [--short]\n", argv[0]);
    return 2;
  }
  const orvane::bench::GeneratedAirports generated = orvane::bench::generatedAirports(records, shortRecords);
  if (std::fwrite(generated.text.data(), 1, generated.text.size(), stdout) != generated.text.size() ||
      std::fflush(stdout) != 0) {
    std::fprintf(stderr, "%s: cannot write the airports\n", argv[0]);
    return 1;
  }
  return 0;
}
