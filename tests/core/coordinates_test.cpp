// The coordinate conversion: degrees, minutes and seconds to decimal degrees.

#include "core/coordinates.hpp"

#include <gtest/gtest.h>

#include <string>

#include "core/numbers.hpp"

namespace orvane {
namespace {

TEST(CoordinateConversion, ExamplesAsTheWindowShowsThem) {
  const struct {
    const char* name;
    double degrees, minutes, seconds;
    bool negate;
    const char* shown;
  } cases[] = {
      {"half a degree in minutes", 40, 30, 0, false, "40.5"},
      {"south", 33, 51, 54.5, true, "-33.8651388888889"},
      {"west", 118, 24, 30, true, "-118.408333333333"},
      {"negative degrees keep their sign", -33, 30, 0, false, "-32.5"},
      {"minutes beyond 60", 0, 90, 0, false, "1.5"},
      {"nothing entered", 0, 0, 0, false, "0"},
      {"seconds beyond 60", 10, 0, 7200, false, "12"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(formatGeneral(degreesFromDms(c.degrees, c.minutes, c.seconds, c.negate)), c.shown);
  }
}

TEST(CoordinateConversion, SouthNegatesTheLatitudeAndWestTheLongitude) {
  DmsPosition dms;
  dms.latitudeDegrees = 33;
  dms.latitudeMinutes = 51;
  dms.latitudeSeconds = 54.5;
  dms.longitudeDegrees = 118;
  dms.longitudeMinutes = 24;
  dms.longitudeSeconds = 30;

  const struct {
    bool south, west;
    const char* latitude;
    const char* longitude;
  } cases[] = {
      {false, false, "33.8651388888889", "118.408333333333"},
      {true, false, "-33.8651388888889", "118.408333333333"},
      {false, true, "33.8651388888889", "-118.408333333333"},
      {true, true, "-33.8651388888889", "-118.408333333333"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.south ? "south" : "north") + (c.west ? " west" : " east"));
    dms.south = c.south;
    dms.west = c.west;
    const GeoPosition position = convertCoordinates(dms);
    EXPECT_EQ(formatGeneral(position.latitude), c.latitude);
    EXPECT_EQ(formatGeneral(position.longitude), c.longitude);
  }
}

TEST(CoordinateConversion, SignAppliesToTheWholeSum) {
  // -33 deg 30 min ticked South: -(30/60 - 33) = 32.5.
  EXPECT_EQ(formatGeneral(degreesFromDms(-33, 30, 0, true)), "32.5");
  // The minutes and seconds keep the signs they were typed with.
  EXPECT_EQ(formatGeneral(degreesFromDms(10, -30, 0, false)), "9.5");
  EXPECT_EQ(formatGeneral(degreesFromDms(10, 0, -1800, true)), "-9.5");
}

}  // namespace
}  // namespace orvane
