#include "core/geo.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "core/numbers.hpp"

namespace orvane {
namespace {

struct CourseCase {
  const char* name;
  GeoPosition origin;
  GeoPosition destination;
  double trueCourse;
  double distance;
  bool zeroDistance;
};

// Courses and legs turn with pi cut to 3.14159265358979: the factors of the double
// nearest pi would move some courses and headings by a hundredth.
TEST(CourseDistance, TurnsWithTheCutPi) {
  EXPECT_EQ(kDegreesToRadians, 0.017453292519943278);
  EXPECT_EQ(kRadiansToDegrees, 57.29577951308238);
  EXPECT_NE(kDegreesToRadians, kRadiansPerDegree);
}

// Results are compared as the pilot sees them: to two decimals.
TEST(CourseDistance, WorkedExamples) {
  const CourseCase cases[] = {
      {"east along the equator", {0, 0}, {0, 1}, 90.00, 60.00, false},
      {"north along the meridian", {0, 0}, {1, 0}, 0.00, 60.00, false},
      {"west along the equator", {0, 0}, {0, -1}, 270.00, 60.00, false},
      {"south along the meridian", {1, 0}, {0, 0}, 180.00, 60.00, false},
      {"outbound leg", {40.5, -75.25}, {41.75, -72.5}, 57.99, 145.15, false},
      {"return leg", {41.75, -72.5}, {40.5, -75.25}, 239.80, 145.15, false},
      {"across the prime meridian", {60, -10}, {60, 10}, 81.32, 597.71, false},
      {"half way round the equator", {0, 0}, {0, 180}, 90.00, 10800.00, false},
      {"same point", {45, -93}, {45, -93}, 0.00, 0.00, true},
  };
  for (const CourseCase& c : cases) {
    SCOPED_TRACE(c.name);
    const CourseDistance result = computeCourseDistance(c.origin, c.destination);
    EXPECT_EQ(formatFixed(result.trueCourse, 2), formatFixed(c.trueCourse, 2));
    EXPECT_EQ(formatFixed(result.distance, 2), formatFixed(c.distance, 2));
    EXPECT_EQ(result.zeroDistance, c.zeroDistance);
  }
}

TEST(CourseDistance, ResultsAreRoundedToHundredths) {
  // 179.99999999999983 before rounding: the rounded value is exactly 180.
  const CourseDistance south = computeCourseDistance({1, 0}, {0, 0});
  EXPECT_EQ(south.trueCourse, 180.0);
  EXPECT_EQ(south.distance, 60.0);

  const CourseDistance leg = computeCourseDistance({40.5, -75.25}, {41.75, -72.5});
  EXPECT_EQ(leg.trueCourse, 57.99);
  EXPECT_EQ(leg.distance, 145.15);
}

TEST(CourseDistance, DueNorthIsPositiveZeroNever360) {
  const struct {
    const char* name;
    GeoPosition origin;
    GeoPosition destination;
  } cases[] = {
      {"from the equator", {0, 0}, {1, 0}},
      {"northern hemisphere, west longitude", {45, -93}, {46, -93}},
      {"southern hemisphere", {-45, -93}, {-44, -93}},
      {"east longitude", {10, 120}, {30, 120}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const CourseDistance result = computeCourseDistance(c.origin, c.destination);
    EXPECT_EQ(result.trueCourse, 0.0);
    EXPECT_FALSE(std::signbit(result.trueCourse)) << "a negative zero would show as -0.00";
    EXPECT_EQ(formatFixed(result.trueCourse, 2), "0.00");
    EXPECT_FALSE(result.zeroDistance);
  }
}

TEST(CourseDistance, CourseJustWestOfNorthRoundsUpTo360) {
  // Before rounding: 360 - atan2(sin(d) cos(1 deg), sin(1 deg)) in degrees.
  const double d = 6.98e-5 * kDegreesToRadians;
  const double lat = 1 * kDegreesToRadians;
  const double unrounded = 360 - std::atan2(std::sin(d) * std::cos(lat), std::sin(lat)) * kRadiansToDegrees;
  ASSERT_GT(unrounded, 359.995);
  ASSERT_LT(unrounded, 359.9961);

  const CourseDistance result = computeCourseDistance({0, 0}, {1, -6.98e-5});
  EXPECT_EQ(result.trueCourse, 360.0);
  EXPECT_EQ(formatFixed(result.trueCourse, 2), "360.00");
  EXPECT_EQ(result.distance, 60.0);

  // A little further west the course stays below 360 (359.994... before rounding).
  EXPECT_EQ(computeCourseDistance({0, 0}, {1, -1e-4}).trueCourse, 359.99);
}

TEST(CourseDistance, SwappedEndsGiveReciprocalCourseAndSameDistance) {
  const struct {
    const char* name;
    GeoPosition a;
    GeoPosition b;
  } cases[] = {
      {"outbound and return leg", {40.5, -75.25}, {41.75, -72.5}},
      {"along the equator", {0, 0}, {0, 1}},
      {"along a meridian", {10, 5}, {12, 5}},
      {"southern hemisphere", {-33.9, 151.2}, {-34.5, 150.1}},
      {"short hop", {51.47, -0.45}, {51.5, -0.5}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const CourseDistance there = computeCourseDistance(c.a, c.b);
    const CourseDistance back = computeCourseDistance(c.b, c.a);
    EXPECT_EQ(there.distance, back.distance);
    // Along a great circle the reciprocal differs from the initial course by the
    // convergence of the meridians: small here, since all legs are short.
    const double difference = std::fmod(std::fabs(back.trueCourse - there.trueCourse), 360.0);
    EXPECT_NEAR(difference, 180.0, 3.0) << there.trueCourse << " and " << back.trueCourse;
  }
  // On the equator and along a meridian the reciprocal is exact.
  EXPECT_EQ(computeCourseDistance({0, 1}, {0, 0}).trueCourse, 270.0);
  EXPECT_EQ(computeCourseDistance({12, 5}, {10, 5}).trueCourse, 180.0);
}

TEST(CourseDistance, WestLongitudesEnteredPositiveMirrorTheCourse) {
  const CourseDistance proper = computeCourseDistance({40.5, -75.25}, {41.75, -72.5});
  const CourseDistance mirrored = computeCourseDistance({40.5, 75.25}, {41.75, 72.5});
  EXPECT_EQ(proper.trueCourse, 57.99);
  EXPECT_EQ(mirrored.trueCourse, 302.01);
  EXPECT_EQ(mirrored.distance, proper.distance);
}

TEST(CourseDistance, PointsCloserThanHalfAHundredthMileAreZeroDistance) {
  const struct {
    const char* name;
    GeoPosition origin;
    GeoPosition destination;
    bool zeroDistance;
    double distance;
  } cases[] = {
      {"same point", {45, -93}, {45, -93}, true, 0.0},
      {"same point on the equator", {0, 0}, {0, 0}, true, 0.0},
      {"0.0048 nm apart", {0, 0}, {0, 8e-5}, true, 0.0},
      {"0.00498 nm apart", {0, 0}, {0, 8.3e-5}, true, 0.0},
      {"0.00504 nm apart rounds to 0.01", {0, 0}, {0, 8.4e-5}, false, 0.01},
      {"0.006 nm apart", {0, 0}, {0, 1e-4}, false, 0.01},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const CourseDistance result = computeCourseDistance(c.origin, c.destination);
    EXPECT_EQ(result.zeroDistance, c.zeroDistance);
    EXPECT_EQ(result.distance, c.distance);
  }
}

TEST(CourseDistance, DistanceThatIsNotANumberSetsZeroDistance) {
  // Beyond the pole: 90.03 north and 89.97 north on the opposite meridian are the same
  // point, and rounding leaves the haversine term slightly below zero.
  const double lat1 = 90.03 * kDegreesToRadians;
  const double lat2 = 89.97 * kDegreesToRadians;
  const double dLon = (0 - 180) * kDegreesToRadians;
  const double h = std::sin(dLon * 0.5) * std::sin(dLon * 0.5) * std::cos(lat1) * std::cos(lat2) +
                   std::sin((lat1 - lat2) * 0.5) * std::sin((lat1 - lat2) * 0.5);
  if (!(h < 0 || h > 1)) GTEST_SKIP() << "this mathematics library gives h = " << h << " for these inputs";

  const CourseDistance result = computeCourseDistance({90.03, 0}, {89.97, 180});
  EXPECT_TRUE(std::isnan(result.distance));
  EXPECT_TRUE(result.zeroDistance);
}

TEST(CourseDistance, LatitudesBeyondTheRangeAreNotRefused) {
  const struct {
    const char* name;
    GeoPosition origin;
    GeoPosition destination;
    bool zeroDistance;
  } cases[] = {
      {"beyond the north pole", {95, 10}, {95, 50}, false},
      {"beyond the south pole", {-100, 10}, {-80, 50}, false},
      {"far beyond", {270, 10}, {-200, 50}, false},
      // Both pairs name one point twice: the distance is zero or not a number.
      {"over the pole onto the same point", {90.1, 0}, {89.9, 180}, true},
      {"over the pole the other way", {90.1, 0}, {89.9, -180}, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const CourseDistance result = computeCourseDistance(c.origin, c.destination);
    EXPECT_EQ(result.zeroDistance, c.zeroDistance);
    EXPECT_TRUE(std::isfinite(result.trueCourse));
    EXPECT_GE(result.trueCourse, 0.0);
    EXPECT_LE(result.trueCourse, 360.0);
    if (!c.zeroDistance) {
      EXPECT_TRUE(std::isfinite(result.distance));
      EXPECT_GT(result.distance, 0.0);
    }
  }
}

}  // namespace
}  // namespace orvane
