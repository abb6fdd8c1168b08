// The standard atmosphere, pressure and density altitude, and true airspeed.

#include <gtest/gtest.h>

#include <cmath>

#include "core/atmosphere.hpp"
#include "test_support.hpp"

namespace orvane {
namespace {

using test::kNaN;

// The ICAO standard atmosphere table in feet, as published to its printed digits, read
// back through what the pilot gets from it. Each column is met to its last printed
// digit: an altitude tolerance of half that digit over the quantity's scale height
// (under 30,000 ft for the pressure, 35,000 ft for the density).
TEST(StandardAtmosphere, MatchesThePublishedTable) {
  const struct {
    double altitudeFt, temperatureC, pressureHpa, densityRatio;
  } table[] = {
      {-2000, 18.96, 1088.66, 1.0598}, {0, 15.00, 1013.25, 1.0000},     {1000, 13.02, 977.17, 0.9711},
      {2000, 11.04, 942.13, 0.9428},   {5000, 5.09, 843.07, 0.8617},    {8000, -0.85, 752.62, 0.7860},
      {10000, -4.81, 696.82, 0.7385},  {15000, -14.72, 571.82, 0.6292}, {20000, -24.62, 465.63, 0.5328},
      {25000, -34.53, 376.01, 0.4481}, {30000, -44.44, 300.90, 0.3741}, {35000, -54.34, 238.42, 0.3099},
      {40000, -56.50, 187.54, 0.2462}, {50000, -56.50, 115.97, 0.1522}, {65000, -56.50, 56.40, 0.0740},
  };
  for (const auto& row : table) {
    SCOPED_TRACE(row.altitudeFt);
    // An altimeter set to the row's pressure reads 0 at the row's altitude.
    EXPECT_NEAR(pressureAltitudeFt(0, row.pressureHpa, PressureUnit::Hectopascals), row.altitudeFt,
                0.005 / row.pressureHpa * 30000);
    // At the row's own temperature the air is standard: its density altitude is its altitude.
    EXPECT_NEAR(densityAltitudeFt(row.altitudeFt, row.temperatureC), row.altitudeFt, 1);
    // Air at the sea-level pressure has the row's density ratio where T0 / T equals it.
    EXPECT_NEAR(densityAltitudeFt(0, kIsaSeaLevelTemperatureK / row.densityRatio - kZeroCelsiusK), row.altitudeFt,
                0.00005 / row.densityRatio * 35000);
  }
  // The tropopause, 11,000 m: 216.65 K and 22,632.1 Pa.
  const double tropopauseFt = 11000 / kMetresPerFoot;
  EXPECT_NEAR(densityAltitudeFt(tropopauseFt, 216.65 - kZeroCelsiusK), tropopauseFt, 1e-6);
  EXPECT_NEAR(pressureAltitudeFt(0, 226.321, PressureUnit::Hectopascals), tropopauseFt, 0.5);
}

// The altimeter-setting table of the FAA's pilot handbook: a field at sea level and
// the pressure altitude for each setting, to the foot.
TEST(PressureAltitude, FromTheAltimeterSetting) {
  const struct {
    double indicatedFt, qnh;
    PressureUnit unit;
    double pressureAltitudeFt, toleranceFt;
  } cases[] = {
      {0, 28.0, PressureUnit::InchesOfMercury, 1824, 1},
      {0, 29.7, PressureUnit::InchesOfMercury, 205, 1},
      {0, 29.8, PressureUnit::InchesOfMercury, 112, 1},
      {0, 29.9, PressureUnit::InchesOfMercury, 20, 1},
      {0, 29.92, PressureUnit::InchesOfMercury, 0, 2},  // 29.92 is 1013.21 hPa, not quite standard
      {0, 30.0, PressureUnit::InchesOfMercury, -73, 1},
      {0, 30.2, PressureUnit::InchesOfMercury, -257, 1},
      {0, 31.0, PressureUnit::InchesOfMercury, -983, 1},
      {0, 1013.25, PressureUnit::Hectopascals, 0, 1e-9},
      {5000, 1013.25, PressureUnit::Hectopascals, 5000, 1e-9},
      // About 27 ft a hectopascal near sea level.
      {0, 1003.25, PressureUnit::Hectopascals, 274.2, 0.1},
      {0, 1023.25, PressureUnit::Hectopascals, -272.0, 0.1},
      {2500, 1000, PressureUnit::Hectopascals, 2863.8, 0.1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.qnh);
    EXPECT_NEAR(pressureAltitudeFt(c.indicatedFt, c.qnh, c.unit), c.pressureAltitudeFt, c.toleranceFt);
  }
  EXPECT_NEAR(hectopascals(29.92126, PressureUnit::InchesOfMercury), 1013.25, 0.001);
}

// Worked by hand from the table: the density ratio is (p / p0) (T0 / T), and the density
// altitude is where the table has that ratio; at the standard temperature it is the
// pressure altitude.
TEST(DensityAltitude, WorkedExamples) {
  const struct {
    const char* name;
    double pressureAltitudeFt, oatC, densityAltitudeFt;
  } cases[] = {
      // (843.07 / 1013.25) (288.15 / 303.15) = 0.79087
      {"a hot day at 5,000 ft", 5000, 30, 7801},
      {"standard at 5,000 ft", 5000, 5.094, 5000},
      {"standard at 40,000 ft", 40000, -56.5, 40000},
      {"a hot day at sea level", 0, 35, 2275},
      {"a cold day at sea level", 0, -20, -4494},
      {"mountain field in summer", 8000, 25, 10898},
      // Above the tropopause the density falls in the isothermal layer.
      {"cruise at 35,000 ft, ISA + 10", 35000, -44.34, 36142},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_NEAR(densityAltitudeFt(c.pressureAltitudeFt, c.oatC), c.densityAltitudeFt, 1);
  }
}

TEST(TrueAirspeed, WorkedExamples) {
  const struct {
    const char* name;
    double cas;
    SpeedUnit unit;
    double pressureAltitudeFt, oatC, tas, tolerance;
  } cases[] = {
      {"sea level, standard day: TAS is CAS", 100, SpeedUnit::Knots, 0, 15, 100, 1e-9},
      {"CAS 0", 0, SpeedUnit::Knots, 8000, 10, 0, 1e-12},
      // The flight computer's density ratio gives 116.4; compressibility takes off 0.15.
      {"100 kt at 10,000 ft, standard", 100, SpeedUnit::Knots, 10000, -4.81, 116.22, 0.01},
      {"250 kt at 10,000 ft, standard", 250, SpeedUnit::Knots, 10000, -4.81, 288.70, 0.01},
      {"120 kt at 8,000 ft, +10 degC", 120, SpeedUnit::Knots, 8000, 10, 137.83, 0.01},
      {"120 mph at 8,000 ft, +10 degC", 120, SpeedUnit::StatuteMilesPerHour, 8000, 10, 137.88, 0.01},
      {"300 kt at 35,000 ft, Mach 0.87", 300, SpeedUnit::Knots, 35000, -54.34, 503.54, 0.01},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_NEAR(trueAirspeed(c.cas, c.unit, c.pressureAltitudeFt, c.oatC), c.tas, c.tolerance);
  }
  // The speed of sound at sea level, 661.48 kt, is Mach 1.
  EXPECT_NEAR(machNumber(661.4786, SpeedUnit::Knots, 0), 1, 1e-6);
}

// Why nothing is computed; the results of a computed case are the window test's.
TEST(AltitudeAirspeed, Outcomes) {
  using enum AtmosphereOutcome;
  const struct {
    const char* name;
    double indicatedFt, qnh, oatC, cas;
    AtmosphereOutcome outcome;
  } cases[] = {
      {"an ordinary day", 4500, 1003, 22, 110, Computed},
      {"QNH 0", 0, 0, 15, 100, NotComputable},
      {"below absolute zero", 0, 1013.25, -274, 100, NotComputable},
      {"negative airspeed", 0, 1013.25, 15, -1, NotComputable},
      {"not a number", kNaN, 1013.25, 15, 100, NotComputable},
      {"above the model", 70000, 1013.25, -56.5, 100, OutsideAtmosphere},
      {"density beyond the model", -15000, 1100, -70, 100, OutsideAtmosphere},
      {"Mach 1", 0, 1013.25, 15, 700, Supersonic},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const AltitudeAirspeedComputation computed =
        computeAltitudeAirspeed({c.indicatedFt, c.qnh, PressureUnit::Hectopascals, c.oatC, c.cas, SpeedUnit::Knots});
    EXPECT_EQ(computed.outcome, c.outcome);
    EXPECT_EQ(computed.results.trueAirspeed > 0, c.outcome == Computed);
  }
}

}  // namespace
}  // namespace orvane
