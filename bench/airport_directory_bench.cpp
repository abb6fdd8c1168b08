// Timings of the airport directory: reading the shipped file, opening it (inflating,
// checking and indexing it), and answering a search over all of it, as the course
// window does at each keystroke. The file's size is reported as a counter.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "core/airport_directory.hpp"
#include "core/files.hpp"

namespace orvane {
namespace {

const std::filesystem::path kFile = std::filesystem::path(ORVANE_DATA_FOLDER) / std::string(kAirportDirectoryFileName);

void BM_DirectoryLoadFile(benchmark::State& state) {
  for (auto _ : state) {
    DirectoryLoad load = loadAirportDirectory(kFile);
    if (load.outcome != DirectoryOutcome::Opened) state.SkipWithError("the directory does not open");
    benchmark::DoNotOptimize(load);
  }
  state.counters["file_bytes"] = static_cast<double>(std::filesystem::file_size(kFile));
}
BENCHMARK(BM_DirectoryLoadFile)->Unit(benchmark::kMillisecond);

const AirportDirectory& directory() {
  static const DirectoryLoad load = loadAirportDirectory(kFile);
  return *load.directory;
}

// The worst keystroke is the first letter: nearly every airport matches and is ranked.
void BM_DirectorySearch(benchmark::State& state, const char* query) {
  directory();
  for (auto _ : state) {
    auto found = directory().search(query, 50);
    benchmark::DoNotOptimize(found);
  }
  state.counters["airports"] = static_cast<double>(directory().size());
}
BENCHMARK_CAPTURE(BM_DirectorySearch, first_letter, "e")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_DirectorySearch, icao_code, "EDKV")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_DirectorySearch, two_words, "dahlemer binz")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_DirectorySearch, accented_town, "zurich")->Unit(benchmark::kMillisecond);

void BM_DirectoryFindByCode(benchmark::State& state) {
  directory();
  for (auto _ : state) benchmark::DoNotOptimize(directory().findByCode("K1B1"));
}
BENCHMARK(BM_DirectoryFindByCode)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace orvane

BENCHMARK_MAIN();
