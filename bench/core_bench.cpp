// Timings of the calculator core: one leg, one great-circle course, the magnetic
// declination, a large airport file, and the number texts everything is shown with.

#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <string>

#include "core/airports.hpp"
#include "core/geo.hpp"
#include "core/leg.hpp"
#include "core/magnetic.hpp"
#include "core/magnetic_model_text.hpp"
#include "core/numbers.hpp"

namespace orvane {
namespace {

void BM_ComputeLeg(benchmark::State& state) {
  LegInputs inputs;
  inputs.trueCourse = 90;
  inputs.windDirection = 45;
  inputs.windVelocity = 20;
  inputs.trueAirspeed = 110;
  inputs.variation = -5;
  inputs.deviation = 2;
  inputs.distance = 60;
  inputs.fuelFlow = 8.5;
  inputs.fuelOnBoard = 40;
  for (auto _ : state) {
    benchmark::DoNotOptimize(inputs);
    LegComputation leg = computeLeg(inputs);
    benchmark::DoNotOptimize(leg);
  }
}
BENCHMARK(BM_ComputeLeg);

void BM_ComputeCourseDistance(benchmark::State& state) {
  GeoPosition origin{40.5, -75.25};
  GeoPosition destination{41.75, -72.5};
  for (auto _ : state) {
    benchmark::DoNotOptimize(origin);
    benchmark::DoNotOptimize(destination);
    CourseDistance result = computeCourseDistance(origin, destination);
    benchmark::DoNotOptimize(result);
  }
}
BENCHMARK(BM_ComputeCourseDistance);

// One evaluation of the magnetic model (degree and order 12), at positions that
// change each time so nothing is carried over.
void BM_MagneticDeclination(benchmark::State& state) {
  benchmark::DoNotOptimize(builtInMagneticModel());  // read once, before the timing
  GeoPosition position{41.14, -73.9};
  double year = 2026.5;
  std::uint32_t i = 0;
  for (auto _ : state) {
    position.latitude = -80 + static_cast<double>(i % 160);
    position.longitude = -180 + static_cast<double>((i * 7) % 360);
    ++i;
    MagneticDeclination result = magneticDeclination(position, 4500, year);
    benchmark::DoNotOptimize(result);
  }
}
BENCHMARK(BM_MagneticDeclination);

// Reading the coefficient table, which the first variation of a run pays once.
void BM_ReadMagneticModel(benchmark::State& state) {
  const std::string_view text = builtInMagneticModelText();
  for (auto _ : state) {
    MagneticModelReading reading = readMagneticModel(text);
    benchmark::DoNotOptimize(reading);
  }
}
BENCHMARK(BM_ReadMagneticModel)->Unit(benchmark::kMicrosecond);

// "ABC:40.500000;-75.250000,\r\n" records with three-character identifiers from a
// fixed sequence, so every run parses the same text.
std::string airportText(std::int64_t records) {
  static constexpr char kSymbols[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  constexpr std::uint32_t kSymbolCount = sizeof kSymbols - 1;
  std::string text;
  text.reserve(static_cast<std::size_t>(records) * 27);
  std::uint32_t state = 12345;
  for (std::int64_t i = 0; i < records; ++i) {
    state = state * 1664525u + 1013904223u;  // a linear congruential sequence
    text += kSymbols[(state >> 8) % kSymbolCount];
    text += kSymbols[(state >> 16) % kSymbolCount];
    text += kSymbols[(state >> 24) % kSymbolCount];
    text += ":40.500000;-75.250000,\r\n";
  }
  return text;
}

void BM_ParseAirportText(benchmark::State& state) {
  const std::string text = airportText(state.range(0));
  for (auto _ : state) {
    ParsedAirports parsed = parseAirportText(text);
    benchmark::DoNotOptimize(parsed);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_ParseAirportText)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_LeadingNumber(benchmark::State& state) {
  std::string text = "-75.250000,\r\nQQB";
  for (auto _ : state) {
    benchmark::DoNotOptimize(text);
    double value = leadingNumber(text);
    benchmark::DoNotOptimize(value);
  }
}
BENCHMARK(BM_LeadingNumber);

void BM_DecimalNumberLength(benchmark::State& state) {
  std::string text = "-75.250000e+01;QQB";
  for (auto _ : state) {
    benchmark::DoNotOptimize(text);
    std::size_t length = decimalNumberLength(text);
    benchmark::DoNotOptimize(length);
  }
}
BENCHMARK(BM_DecimalNumberLength);

void BM_DecimalValue(benchmark::State& state) {
  std::string text = "-75.250000";
  for (auto _ : state) {
    benchmark::DoNotOptimize(text);
    double value = decimalValue(text);
    benchmark::DoNotOptimize(value);
  }
}
BENCHMARK(BM_DecimalValue);

void BM_RoundToWhole(benchmark::State& state) {
  double value = 87.5;
  for (auto _ : state) {
    benchmark::DoNotOptimize(value);
    std::int32_t whole = roundToWhole(value);
    benchmark::DoNotOptimize(whole);
  }
}
BENCHMARK(BM_RoundToWhole);

void BM_FormatFixed(benchmark::State& state) {
  double value = -75.25;
  const int decimals = static_cast<int>(state.range(0));
  for (auto _ : state) {
    benchmark::DoNotOptimize(value);
    std::string text = formatFixed(value, decimals);
    benchmark::DoNotOptimize(text);
  }
}
BENCHMARK(BM_FormatFixed)->Arg(2)->Arg(6);

void BM_FormatSixDecimals(benchmark::State& state) {
  double value = 40.63972222222222;
  for (auto _ : state) {
    benchmark::DoNotOptimize(value);
    std::string text = formatSixDecimals(value);
    benchmark::DoNotOptimize(text);
  }
}
BENCHMARK(BM_FormatSixDecimals);

void BM_FormatGeneral(benchmark::State& state) {
  double value = 68.80952380952381;
  for (auto _ : state) {
    benchmark::DoNotOptimize(value);
    std::string text = formatGeneral(value);
    benchmark::DoNotOptimize(text);
  }
}
BENCHMARK(BM_FormatGeneral);

void BM_FieldText(benchmark::State& state) {
  double value = 37.92;
  for (auto _ : state) {
    benchmark::DoNotOptimize(value);
    std::string text = fieldText(value);
    benchmark::DoNotOptimize(text);
  }
}
BENCHMARK(BM_FieldText);

void BM_RoundToHundredths(benchmark::State& state) {
  double value = 179.99999999999983;
  for (auto _ : state) {
    benchmark::DoNotOptimize(value);
    double rounded = roundToHundredths(value);
    benchmark::DoNotOptimize(rounded);
  }
}
BENCHMARK(BM_RoundToHundredths);

// 1024 values a planner meets (courses, times, fuel, positions, some of them exact
// hundredths and halves), cycled so that no single value's branches are learnt.
const std::array<double, 1024>& mixedValues() {
  static const std::array<double, 1024> values = [] {
    std::array<double, 1024> out{};
    std::uint64_t state = 0x9E3779B97F4A7C15u;
    for (std::size_t i = 0; i < out.size(); ++i) {
      state = state * 6364136223846793005u + 1442695040888963407u;
      const double unit = static_cast<double>(state >> 11) * 0x1.0p-53;  // [0, 1)
      switch (i % 4) {
        case 0: out[i] = unit * 360.0; break;                                        // a course
        case 1: out[i] = static_cast<double>(state >> 40 & 0xFFFF) / 100.0; break;   // hundredths
        case 2: out[i] = static_cast<double>(state >> 40 & 0xFFFF) / 1000.0; break;  // halves
        default: out[i] = (unit - 0.5) * 360.0; break;                               // a position
      }
    }
    return out;
  }();
  return values;
}

void BM_FormatFixedMixed(benchmark::State& state) {
  const auto& values = mixedValues();
  const int decimals = static_cast<int>(state.range(0));
  std::size_t i = 0;
  for (auto _ : state) {
    std::string text = formatFixed(values[i++ & 1023], decimals);
    benchmark::DoNotOptimize(text);
  }
}
BENCHMARK(BM_FormatFixedMixed)->Arg(2)->Arg(6);

void BM_FieldTextMixed(benchmark::State& state) {
  const auto& values = mixedValues();
  std::size_t i = 0;
  for (auto _ : state) {
    std::string text = fieldText(values[i++ & 1023]);
    benchmark::DoNotOptimize(text);
  }
}
BENCHMARK(BM_FieldTextMixed);

void BM_RoundToHundredthsMixed(benchmark::State& state) {
  const auto& values = mixedValues();
  std::size_t i = 0;
  for (auto _ : state) {
    double rounded = roundToHundredths(values[i++ & 1023]);
    benchmark::DoNotOptimize(rounded);
  }
}
BENCHMARK(BM_RoundToHundredthsMixed);

void BM_ComputeLegMixed(benchmark::State& state) {
  const auto& values = mixedValues();
  LegInputs inputs;
  inputs.windVelocity = 20;
  inputs.trueAirspeed = 110;
  inputs.variation = -5;
  inputs.deviation = 2;
  inputs.fuelFlow = 8.5;
  inputs.fuelOnBoard = 40;
  std::size_t i = 0;
  for (auto _ : state) {
    inputs.trueCourse = values[i & 1023];
    inputs.windDirection = values[(i + 4) & 1023];
    inputs.distance = values[(i + 1) & 1023];
    ++i;
    LegComputation leg = computeLeg(inputs);
    benchmark::DoNotOptimize(leg);
  }
}
BENCHMARK(BM_ComputeLegMixed);

}  // namespace
}  // namespace orvane

BENCHMARK_MAIN();
