// The magnetic model's coefficient table. A table is read whole or refused with a
// reason, never in part; a table that is read holds only finite coefficients within
// 10^6 nT for every degree and order up to its degree, and the declination it gives
// anywhere within its years is a finite angle within +-180 degrees, or a stated
// outcome, whatever the coefficients.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/magnetic.hpp"
#include "fuzz_support.hpp"

extern "C" UNTRACED int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const orvane::MagneticModelReading reading = orvane::readMagneticModel(text);
  CHECK(reading.model.has_value() == reading.error.empty());
  if (!reading.model) return 0;
  const orvane::MagneticModel& model = *reading.model;
  CHECK(size <= orvane::kMagneticModelTextLimit);
  CHECK(model.degree >= 1 && model.degree <= orvane::kMagneticModelDegree);
  CHECK(model.epoch >= 1900 && model.epoch <= 2200);
  for (const auto* coefficients : {&model.g, &model.h, &model.gPerYear, &model.hPerYear}) {
    for (const double value : *coefficients) CHECK(std::isfinite(value) && std::fabs(value) <= 1e6);
  }

  const orvane::GeoPosition places[] = {{0, 0}, {45, -93}, {-90, 0}, {90, 180}, {-33.9, 151.2}};
  for (const orvane::GeoPosition& place : places) {
    for (const double years : {0.0, 2.5, 5.0}) {
      const orvane::MagneticDeclination result = orvane::magneticDeclination(model, place, 0, model.epoch + years);
      CHECK(result.outcome == orvane::DeclinationOutcome::Computed ||
            result.outcome == orvane::DeclinationOutcome::NearMagneticPole ||
            result.outcome == orvane::DeclinationOutcome::NoPosition);
      if (result.outcome != orvane::DeclinationOutcome::NoPosition) {
        CHECK(std::isfinite(result.declination) && std::fabs(result.declination) <= 180);
        CHECK(std::isfinite(result.horizontalIntensity) && result.horizontalIntensity >= 0);
      }
    }
  }
  CHECK(orvane::magneticDeclination(model, {10, 10}, 0, model.epoch - 1).outcome ==
        orvane::DeclinationOutcome::OutsideModelYears);
  return 0;
}
