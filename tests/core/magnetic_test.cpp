#include "core/magnetic.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "core/course_selection.hpp"
#include "core/files.hpp"
#include "core/numbers.hpp"
#include "test_support.hpp"

namespace orvane {
namespace {

using test::kNaN;

constexpr double kFeetPerKm = 1 / 0.0003048;
constexpr double kDeclinationTolerance = 0.01;  // [degrees], as the model's makers check it

MagneticDeclination atKm(double year, double heightKm, double latitude, double longitude) {
  return magneticDeclination({latitude, longitude}, heightKm * kFeetPerKm, year);
}

// The test values the model's report publishes: two dates, two heights, three points.
TEST(MagneticDeclination, PublishedTestValues) {
  struct Row {
    double year, heightKm, latitude, longitude, declination, horizontal;  // horizontal 0: not checked
  };
  const Row rows[] = {
      {2025.0, 0, 80, 0, 1.28, 6523.2},   {2025.0, 0, 0, 120, -0.16, 0},   {2025.0, 0, -80, 240, 68.78, 16898.1},
      {2025.0, 100, 80, 0, 0.85, 0},      {2025.0, 100, 0, 120, -0.15, 0}, {2025.0, 100, -80, 240, 68.21, 0},
      {2027.5, 0, 80, 0, 2.59, 0},        {2027.5, 0, 0, 120, -0.24, 0},   {2027.5, 0, -80, 240, 68.49, 0},
      {2027.5, 100, 80, 0, 2.16, 6201.1}, {2027.5, 100, 0, 120, -0.23, 0}, {2027.5, 100, -80, 240, 67.93, 15927.0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(formatGeneral(row.year) + " " + formatGeneral(row.heightKm) + " km " + formatGeneral(row.latitude) +
                 " " + formatGeneral(row.longitude));
    const MagneticDeclination result = atKm(row.year, row.heightKm, row.latitude, row.longitude);
    EXPECT_EQ(result.outcome, DeclinationOutcome::Computed);
    EXPECT_NEAR(result.declination, row.declination, kDeclinationTolerance);
    if (row.horizontal != 0) {
      EXPECT_NEAR(result.horizontalIntensity, row.horizontal, 0.1);
    }
  }
}

std::vector<std::string_view> split(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  for (std::size_t at; (at = text.find(separator)) != std::string_view::npos; text.remove_prefix(at + 1)) {
    parts.push_back(text.substr(0, at));
  }
  parts.push_back(text);
  return parts;
}

// A hundred points over the model's five years, from the pole to the equator, up to
// 100 km high; where the horizontal field is below 2,000 nT the declination is still
// computed but marked unreliable.
TEST(MagneticDeclination, TestValuesOverTheModelsYears) {
  const WholeFile file = readWholeFile(ORVANE_TEST_DATA_FOLDER "/wmm2025-test-values.csv", 1 << 20);
  ASSERT_EQ(file.outcome, FileRead::Read);
  int rows = 0;
  for (std::string_view line : split(file.bytes, '\n')) {
    const std::vector<std::string_view> cells = split(line, ',');
    if (cells.size() != 6 || decimalNumberLength(cells[0]) != cells[0].size()) continue;  // the header, the end
    double v[6];
    for (std::size_t i = 0; i < 6; ++i) v[i] = decimalValue(cells[i]);
    SCOPED_TRACE(std::string(line));
    const MagneticDeclination result = atKm(v[0], v[1], v[2], v[3]);
    EXPECT_NEAR(result.declination, v[4], kDeclinationTolerance);
    EXPECT_NEAR(result.horizontalIntensity, v[5], 0.01);
    EXPECT_EQ(result.outcome, v[5] < 2000 ? DeclinationOutcome::NearMagneticPole : DeclinationOutcome::Computed);
    ++rows;
  }
  EXPECT_EQ(rows, 100);
}

TEST(MagneticDeclination, OutcomesAtTheEdges) {
  struct Row {
    const char* name;
    double year, altitudeFeet, latitude, longitude;
    DeclinationOutcome outcome;
  };
  const Row rows[] = {
      {"first instant of the model", 2025.0, 0, 45, 10, DeclinationOutcome::Computed},
      {"last instant of the model", 2030.0, 0, 45, 10, DeclinationOutcome::Computed},
      {"before the model", 2024.999, 0, 45, 10, DeclinationOutcome::OutsideModelYears},
      {"after the model", 2030.001, 0, 45, 10, DeclinationOutcome::OutsideModelYears},
      {"year not a number", kNaN, 0, 45, 10, DeclinationOutcome::OutsideModelYears},
      {"longitude beyond 360 wraps", 2026, 0, 45, 370, DeclinationOutcome::Computed},
      {"south geographic pole", 2026, 0, -90, 0, DeclinationOutcome::Computed},
      {"north magnetic pole", 2026, 0, 85.8, 139, DeclinationOutcome::NearMagneticPole},
      {"latitude beyond 90", 2026, 0, 90.5, 0, DeclinationOutcome::NoPosition},
      {"latitude not a number", 2026, 0, kNaN, 0, DeclinationOutcome::NoPosition},
      {"longitude infinite", 2026, 0, 0, test::kInf, DeclinationOutcome::NoPosition},
      {"cruising altitude", 2026, 12500, 45, 10, DeclinationOutcome::Computed},
      {"beyond the model's heights", 2026, 3e6, 45, 10, DeclinationOutcome::NoPosition},
      {"below the model's heights", 2026, -4000, 45, 10, DeclinationOutcome::NoPosition},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const MagneticDeclination result = magneticDeclination({row.latitude, row.longitude}, row.altitudeFeet, row.year);
    EXPECT_EQ(result.outcome, row.outcome);
    if (row.outcome == DeclinationOutcome::Computed) {
      EXPECT_TRUE(std::isfinite(result.declination));
    }
  }
  // A longitude written 360 degrees further is the same place.
  EXPECT_NEAR(magneticDeclination({45, 370}, 0, 2026).declination, magneticDeclination({45, 10}, 0, 2026).declination,
              1e-9);
}

TEST(MagneticModelTable, TheBuiltInTableIsTheWorldMagneticModel2025) {
  const MagneticModelReading& reading = builtInMagneticModel();
  ASSERT_TRUE(reading.model) << reading.error;
  EXPECT_EQ(reading.model->name, "WMM-2025");
  EXPECT_EQ(magneticModelLabel(*reading.model), "WMM2025");
  EXPECT_EQ(reading.model->releaseDate, "11/13/2024");
  EXPECT_EQ(reading.model->epoch, 2025.0);
  EXPECT_EQ(reading.model->degree, 12);
  EXPECT_EQ(reading.model->g[1], -29351.8);      // n 1, m 0
  EXPECT_EQ(reading.model->hPerYear[2], -21.5);  // n 1, m 1
  EXPECT_EQ(reading.model->gPerYear[90], -0.1);  // n 12, m 12
}

// A dipole along the axis: the field points due north everywhere, 30,000 nT at the
// equator on the reference sphere, so a small table's layout and sum can be checked.
constexpr std::string_view kDipole = "2025.0 DIPOLE\n  1 0 -30000.0 0 0 0\n 1 1 0 0 0 0\n";

TEST(MagneticModelTable, ReadsSmallTablesAndSums) {
  const MagneticModelReading reading = readMagneticModel(kDipole);
  ASSERT_TRUE(reading.model) << reading.error;
  EXPECT_EQ(reading.model->degree, 1);
  const MagneticDeclination equator = magneticDeclination(*reading.model, {0, 33}, 0, 2026);
  EXPECT_NEAR(equator.declination, 0, 1e-12);
  // 6371.2 km is the reference radius; the equator lies 6378.137 km out.
  EXPECT_NEAR(equator.horizontalIntensity, 30000 * std::pow(6371.2 / 6378.137, 3), 1e-6);
  // The same table with CR LF ends, blank lines and the end line of nines.
  const MagneticModelReading windows = readMagneticModel(
      "2025.0 DIPOLE 01/01/2025\r\n\r\n 1 0 -30000 0 0 0\r\n"
      " 1 1 0 0 0 0\r\n9999999999\r\nanything after the end");
  ASSERT_TRUE(windows.model) << windows.error;
  EXPECT_EQ(windows.model->g, reading.model->g);
}

TEST(MagneticModelTable, RefusesDamagedTablesWithTheLine) {
  struct Row {
    const char* name;
    std::string text;
    std::string error;
  };
  const Row rows[] = {
      {"empty", "", "the table is empty"},
      {"only blanks", " \n\t\n", "the table is empty"},
      {"header only", "2025.0 WMM-2025 11/13/2024\n", "the table holds no coefficients"},
      {"no epoch", "WMM-2025 2025.0\n", "line 1: not a header (epoch, model name, release date)"},
      {"epoch beyond reason", "1e300 WMM\n", "line 1: not a header (epoch, model name, release date)"},
      {"five values", "2025 W\n1 0 1 2 3\n", "line 2: not six values (n m g h g-dot h-dot)"},
      {"degree 13", "2025 W\n13 0 1 2 3 4\n", "line 2: the degree is not a whole number from 1 to 12"},
      {"degree not whole", "2025 W\n1.0 0 1 2 3 4\n", "line 2: the degree is not a whole number from 1 to 12"},
      {"order above degree", "2025 W\n\n2 3 1 2 3 4\n", "line 3: the order is not a whole number from 0 to the degree"},
      {"negative order", "2025 W\n2 -1 1 2 3 4\n", "line 2: the order is not a whole number from 0 to the degree"},
      {"repeated", "2025 W\n1 0 1 2 3 4\n1 0 1 2 3 4\n", "line 3: this degree and order came before"},
      {"word for a number", "2025 W\n1 0 1 x 3 4\n", "line 2: a coefficient is not a number of at most 10^6 nT"},
      {"overflowing number", "2025 W\n1 0 1e999 0 0 0\n", "line 2: a coefficient is not a number of at most 10^6 nT"},
      {"absurd field", "2025 W\n1 0 2e6 0 0 0\n", "line 2: a coefficient is not a number of at most 10^6 nT"},
      {"gap in a degree", "2025 W\n1 0 1 0 0 0\n", "the coefficients of degree 1, order 1 are missing"},
      {"a degree skipped", "2025 W\n1 0 1 0 0 0\n1 1 1 0 0 0\n3 0 1 0 0 0\n",
       "the coefficients of degree 2, order 0 are missing"},
      {"too large", "2025 W\n" + std::string(kMagneticModelTextLimit, ' '), "the table is larger than 64 KiB"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const MagneticModelReading reading = readMagneticModel(row.text);
    EXPECT_FALSE(reading.model);
    EXPECT_EQ(reading.error, row.error);
  }
}

TEST(DecimalYear, CountsTheDaysOfTheYear) {
  struct Row {
    LocalDateTime time;
    std::optional<double> year;
  };
  const Row rows[] = {
      {{2025, 1, 1, 0, 0, 0}, 2025.0},
      {{2026, 7, 2, 12, 0, 0}, 2026 + 182.5 / 365},
      {{2028, 12, 31, 0, 0, 0}, 2028 + 365.0 / 366},  // a leap year
      {{2029, 12, 31, 23, 59, 59}, 2029 + (364 + 86399.0 / 86400) / 365},
      {{2027, 2, 29, 0, 0, 0}, std::nullopt},
      {{2026, 13, 1, 0, 0, 0}, std::nullopt},
      {{2026, 0, 1, 0, 0, 0}, std::nullopt},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(formatDate(row.time));
    const std::optional<double> year = decimalYear(row.time);
    ASSERT_EQ(year.has_value(), row.year.has_value());
    if (year) {
      EXPECT_NEAR(*year, *row.year, 1e-12);
    }
  }
}

TEST(LegMidpoint, HalfWayAlongTheGreatCircle) {
  struct Row {
    const char* name;
    GeoPosition origin, destination;
    std::optional<GeoPosition> midpoint;
  };
  const Row rows[] = {
      {"same point", {45, -93}, {45, -93}, GeoPosition{45, -93}},
      {"along the equator", {0, 0}, {0, 90}, GeoPosition{0, 45}},
      {"across the date line", {0, 170}, {0, -170}, GeoPosition{0, 180}},
      {"over the pole", {80, 0}, {80, 180}, GeoPosition{90, 0}},
      {"along a meridian", {10, 20}, {30, 20}, GeoPosition{20, 20}},
      {"opposite points", {10, 20}, {-10, -160}, std::nullopt},
      {"latitude beyond 90", {91, 0}, {0, 0}, std::nullopt},
      {"not a number", {kNaN, 0}, {0, 0}, std::nullopt},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const std::optional<GeoPosition> midpoint = legMidpoint(row.origin, row.destination);
    ASSERT_EQ(midpoint.has_value(), row.midpoint.has_value());
    if (!midpoint) continue;
    EXPECT_NEAR(midpoint->latitude, row.midpoint->latitude, 1e-9);
    if (std::fabs(row.midpoint->latitude) < 90) {
      EXPECT_NEAR(std::remainder(midpoint->longitude - row.midpoint->longitude, 360), 0, 1e-9);
    }
  }
}

// What the course window shows for a leg, and what it would hand the planner.
TEST(LegVariation, TextAndPlannersVariation) {
  const GeoPosition qqa{40.5, -75.25}, qqb{41.75, -72.5};
  const LegVariation east = legVariation({48, 10}, {48.2, 11}, 2026.0);
  EXPECT_EQ(east.outcome, DeclinationOutcome::Computed);
  EXPECT_GT(east.declination, 0);
  EXPECT_EQ(east.variation, -decimalValue(formatFixed(east.declination, 1)));
  EXPECT_EQ(legVariationText(east), "Variation at mid-leg: " + formatFixed(east.declination, 1) + "\u00B0 E (WMM2025)");

  const LegVariation west = legVariation(qqa, qqb, 2026.5);
  EXPECT_NEAR(west.midpoint.latitude, 41.14, 0.01);
  EXPECT_NEAR(west.declination, magneticDeclination(west.midpoint, 0, 2026.5).declination, 1e-12);
  EXPECT_LT(west.declination, -10);  // New England: some 13 to 14 degrees west
  EXPECT_EQ(legVariationText(west), "Variation at mid-leg: " + formatFixed(west.variation, 1) + "\u00B0 W (WMM2025)");

  struct Row {
    const char* name;
    GeoPosition origin, destination;
    std::optional<double> year;
    DeclinationOutcome outcome;
    std::string text;
  };
  const Row rows[] = {
      {"before the model", qqa, qqb, 2024.9, DeclinationOutcome::OutsideModelYears,
       "Variation at mid-leg: none, the take-off date is outside WMM2025 (2025.0 to 2030.0)"},
      {"no such date", qqa, qqb, std::nullopt, DeclinationOutcome::OutsideModelYears,
       "Variation at mid-leg: none, the take-off date is outside WMM2025 (2025.0 to 2030.0)"},
      {"at the magnetic pole",
       {85, 135},
       {86.5, 145},
       2026,
       DeclinationOutcome::NearMagneticPole,
       "Variation at mid-leg: none, too near the magnetic pole for a compass (WMM2025)"},
      {"latitude 500",
       {500, 0},
       qqb,
       2026,
       DeclinationOutcome::NoPosition,
       "Variation at mid-leg: none, the positions give no leg"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const LegVariation leg = legVariation(row.origin, row.destination, row.year);
    EXPECT_EQ(leg.outcome, row.outcome);
    EXPECT_EQ(leg.variation, 0);
    EXPECT_EQ(legVariationText(leg), row.text);
  }
}

TEST(LegVariation, ThePlannerTakesItOnlyWhenAsked) {
  for (const std::optional<double> taken : {std::optional<double>{}, std::optional<double>{-3.1}}) {
    FlightPlan plan;
    plan.inputs.variation = 12;
    RememberedAirports remembered;
    AcceptedLeg leg;
    leg.values.origin = {40.5, -75.25};
    leg.values.destination = {41.75, -72.5};
    leg.course = computeCourseDistance(leg.values.origin, leg.values.destination);
    leg.variation = taken;
    takeAcceptedLeg(plan, remembered, leg);
    EXPECT_EQ(plan.inputs.variation, taken.value_or(12));
    EXPECT_EQ(plan.inputs.trueCourse, 58);
  }
}

}  // namespace
}  // namespace orvane
