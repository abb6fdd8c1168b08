#include "core/airport_directory.hpp"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdint>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "core/files.hpp"

namespace orvane {
namespace {

const std::filesystem::path kShippedFile =
    std::filesystem::path(ORVANE_DATA_FOLDER) / std::string(kAirportDirectoryFileName);

const AirportDirectory& shipped() {
  static const DirectoryLoad load = loadAirportDirectory(kShippedFile);
  if (load.outcome != DirectoryOutcome::Opened) throw std::runtime_error("the shipped directory does not open");
  return *load.directory;
}

// ---------------------------------------------------------------------------------
// The shipped directory: small fields found the ways a pilot looks for them

struct FieldCase {
  const char* query;
  const char* code;  // the field that must come first
  const char* name;
  double latitude, longitude;
  int elevationFeet;
};

TEST(ShippedDirectory, HoldsTheOpenAirfieldsOfTheWorld) {
  // Closed fields are left out: the source lists about 70,000 in all.
  EXPECT_GT(shipped().size(), 55'000u);
  EXPECT_LT(shipped().size(), 65'000u);
}

TEST(ShippedDirectory, FindsSmallFieldsByIcaoLocalCodeAndName) {
  const FieldCase cases[] = {
      {"EDKV", "EDKV", "Dahlemer Binz Airfield", 50.40611, 6.530256, 1896},
      {"edkv", "EDKV", "Dahlemer Binz Airfield", 50.40611, 6.530256, 1896},
      {"EGLM", "EGLM", "White Waltham Airfield", 51.500801, -0.774444, 131},
      {"LSZT", "LSZT", "Lommis Airfield", 47.524399, 9.00306, 1539},
      {"EHHV", "EHHV", "Hilversum Airfield", 52.191898, 5.14694, 3},
      {"YCAB", "YCAB", "Caboolture Airport", -27.076027, 152.987376, 12},
      {"1B1", "K1B1", "Columbia County Airport", 42.291302, -73.710297, 198},  // local code
      {"W00", "W00", "Freeway Airport", 38.941397, -76.772401, 168},           // local code only
      {"S50", "KS50", "Auburn Municipal Airport", 47.327702, -122.226997, 63},
      {"0S9", "K0S9", "Jefferson County International Airport", 48.0537986755, -122.810997009, 108},
      {"Dahlemer Binz", "EDKV", "Dahlemer Binz Airfield", 50.40611, 6.530256, 1896},  // name
      {"binz", "EDKV", "Dahlemer Binz Airfield", 50.40611, 6.530256, 1896},           // a whole word before "Binzel"
      {"lommis", "LSZT", "Lommis Airfield", 47.524399, 9.00306, 1539},                // town
      {"voslau", "LOAV", "Vöslau-Kottingbrunn Airfield", 47.965, 16.26, 765},         // no accent typed
      {"Adolf Würth", "EDTY", "Adolf Würth Airport", 49.118332, 9.783889, 1299},
      {"caboolture", "YCAB", "Caboolture Airport", -27.076027, 152.987376, 12},
  };
  for (const FieldCase& c : cases) {
    SCOPED_TRACE(c.query);
    const std::vector<std::size_t> found = shipped().search(c.query, 20);
    ASSERT_FALSE(found.empty());
    const DirectoryAirport& first = shipped().airport(found.front());
    EXPECT_EQ(first.code, c.code);
    EXPECT_EQ(first.name, c.name);
    EXPECT_NEAR(first.position.latitude, c.latitude, 1e-6);
    EXPECT_NEAR(first.position.longitude, c.longitude, 1e-6);
    EXPECT_EQ(first.elevationFeet, c.elevationFeet);
    ASSERT_TRUE(shipped().findByCode(c.code));
    EXPECT_EQ(*shipped().findByCode(c.code), found.front());
  }
}

TEST(ShippedDirectory, KeepsRunwaysWithTheirEnds) {
  const DirectoryAirport& binz = shipped().airport(*shipped().findByCode("EDKV"));
  ASSERT_EQ(shipped().runways(binz).size(), 1u);
  const DirectoryRunway& runway = shipped().runways(binz).front();
  EXPECT_EQ(runway.lengthFeet, 3510);
  ASSERT_EQ(runway.ends.size(), 2u);
  EXPECT_EQ(runway.ends[0].designator, "06");
  EXPECT_DOUBLE_EQ(*runway.ends[0].trueHeadingDeg, 58.6);
  EXPECT_EQ(runway.ends[1].designator, "24");
  EXPECT_EQ(describeDirectoryAirport(binz), "EDKV  Dahlemer Binz Airfield, Dahlhem, Germany");
}

TEST(ShippedDirectory, CodesComeBeforeNamesAndNothingForNoMatch) {
  // "JFK" is a code of Kennedy and part of no other name first.
  const auto kennedy = shipped().search("jfk", 5);
  ASSERT_FALSE(kennedy.empty());
  EXPECT_EQ(shipped().airport(kennedy.front()).code, "KJFK");
  EXPECT_TRUE(shipped().search("qqzzxxyy", 5).empty());
  EXPECT_TRUE(shipped().search("   ", 5).empty());
  EXPECT_EQ(shipped().search("airport", 7).size(), 7u);
  EXPECT_FALSE(shipped().findByCode(""));
  // Near: only the airport at the position the pilot's file gives.
  EXPECT_TRUE(shipped().findByCodeNear("JFK", {40.639801, -73.778900}, 2.0));
  EXPECT_FALSE(shipped().findByCodeNear("JFK", {41.75, -72.5}, 2.0));
}

TEST(SearchFolding, FoldsCaseAndLatinAccentsOnly) {
  EXPECT_EQ(foldForSearch("Zürich ÅLESUND Łódź Straße"), "zurich alesund lodz strase");
  EXPECT_EQ(foldForSearch("Москва"), "Москва");  // other scripts stay as they are
  EXPECT_EQ(foldForSearch("2×3"), "2×3");
}

// ---------------------------------------------------------------------------------
// Damaged files: one outcome, never a crash

// A directory file around `payload`, as the conversion writes it.
std::string directoryFile(const std::string& payload, std::uint32_t airports, std::uint32_t runways, std::uint32_t ends,
                          std::uint32_t countries, std::uint32_t stringBytes,
                          std::uint32_t version = kAirportDirectoryVersion) {
  std::string file("ORVADIR\x1a", 8);
  const auto put = [&file](std::uint32_t v) {
    for (int i = 0; i < 4; ++i) file += static_cast<char>((v >> (8 * i)) & 0xFF);
  };
  for (std::uint32_t v :
       {version, airports, runways, ends, countries, stringBytes, static_cast<std::uint32_t>(payload.size())}) {
    put(v);
  }
  put(static_cast<std::uint32_t>(
      crc32(0, reinterpret_cast<const Bytef*>(payload.data()), static_cast<uInt>(payload.size()))));
  std::vector<Bytef> packed(compressBound(payload.size()));
  uLongf packedSize = packed.size();
  compress(packed.data(), &packedSize, reinterpret_cast<const Bytef*>(payload.data()), payload.size());
  file.append(reinterpret_cast<const char*>(packed.data()), packedSize);
  return file;
}

std::string le(std::uint64_t v, int bytes) {
  std::string out;
  for (int i = 0; i < bytes; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
  return out;
}

// One airport QQA at 40.5, -75.25 with one runway 09/27, in one country.
struct TinyDirectory {
  std::int64_t latitude = 40'500'000;
  std::uint16_t country = 0;
  std::uint8_t kind = 0;
  std::uint8_t runways = 1;
  std::uint8_t surface = 1;
  std::uint8_t ends = 2;
  std::uint16_t heading = 900;
  std::uint32_t stringOffset = 0;
  std::uint32_t stringBytesClaimed = 0;  // 0: the real size

  std::string file() const {
    const std::string strings = std::string("\x06Testia", 7) + std::string("\x03QQA\0\0\0\x09Test Park\x04Town", 22);
    std::string payload = le(static_cast<std::uint64_t>(latitude), 4) + le(static_cast<std::uint32_t>(-75'250'000), 4) +
                          le(7 + stringOffset, 4) + le(100, 2) + le(country, 2) + le(kind, 1) + le(runways, 1) +
                          le(0, 2);
    payload += le(2500, 2) + le(surface, 1) + le(ends, 1);
    payload += std::string("09\0\0", 4) + le(heading, 2) + std::string("27\0\0", 4) + le(2700, 2);
    payload += le(0, 4) + strings;
    return directoryFile(payload, 1, 1, 2, 1, stringBytesClaimed ? stringBytesClaimed : 29);
  }
};

TEST(DirectoryFile, ReadsAWellFormedFile) {
  const DirectoryLoad load = readAirportDirectory(TinyDirectory{}.file());
  ASSERT_EQ(load.outcome, DirectoryOutcome::Opened);
  ASSERT_EQ(load.directory->size(), 1u);
  const DirectoryAirport& park = load.directory->airport(0);
  EXPECT_EQ(describeDirectoryAirport(park), "QQA  Test Park, Town, Testia");
  EXPECT_DOUBLE_EQ(park.position.latitude, 40.5);
  EXPECT_DOUBLE_EQ(park.position.longitude, -75.25);
  ASSERT_EQ(load.directory->runways(park).size(), 1u);
  EXPECT_EQ(load.directory->runways(park)[0].surface, RunwaySurface::Grass);
  EXPECT_DOUBLE_EQ(*load.directory->runways(park)[0].ends[1].trueHeadingDeg, 270.0);
}

TEST(RunwayList, EachEndWithItsComponentsAndTheMostHeadwindMarked) {
  const DirectoryLoad load = readAirportDirectory(TinyDirectory{}.file());
  ASSERT_EQ(load.outcome, DirectoryOutcome::Opened);
  const DirectoryAirport& park = load.directory->airport(0);
  struct Case {
    double direction, speed;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      // 30 degrees off runway 09 from the right: 20 cos 30 = 17.3 along, 20 sin 30 = 10 across.
      {120,
       20,
       {"09  90.0\u00B0 true  2500 ft grass  headwind 17  crosswind 10 from the right  - most headwind",
        "27  270.0\u00B0 true  2500 ft grass  tailwind 17  crosswind 10 from the left"}},
      {270,
       12,
       {"09  90.0\u00B0 true  2500 ft grass  tailwind 12  crosswind 0",
        "27  270.0\u00B0 true  2500 ft grass  headwind 12  crosswind 0  - most headwind"}},
      {0,
       15,  // straight across: nothing marked
       {"09  90.0\u00B0 true  2500 ft grass  headwind 0  crosswind 15 from the left",
        "27  270.0\u00B0 true  2500 ft grass  headwind 0  crosswind 15 from the right"}},
      {200, 0, {"09  90.0\u00B0 true  2500 ft grass", "27  270.0\u00B0 true  2500 ft grass"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.direction);
    EXPECT_EQ(runwayWindLines(*load.directory, park, c.direction, c.speed), c.lines);
  }
  TinyDirectory noEnds;
  noEnds.ends = 0;
  // Ends the header still counts make the file inconsistent; a runway without ends
  // comes from the shipped data instead.
  EXPECT_EQ(readAirportDirectory(noEnds.file()).outcome, DirectoryOutcome::Damaged);
}

TEST(DirectoryFile, RefusesEveryInconsistentValue) {
  struct Case {
    const char* name;
    TinyDirectory tiny;
  };
  const auto with = [](auto change) {
    TinyDirectory t;
    change(t);
    return t;
  };
  const Case cases[] = {
      {"latitude beyond the pole", with([](TinyDirectory& t) { t.latitude = 90'000'001; })},
      {"country not in the table", with([](TinyDirectory& t) { t.country = 1; })},
      {"unknown kind", with([](TinyDirectory& t) { t.kind = 6; })},
      {"more runways than the file holds", with([](TinyDirectory& t) { t.runways = 2; })},
      {"fewer runways than the file holds", with([](TinyDirectory& t) { t.runways = 0; })},
      {"unknown surface", with([](TinyDirectory& t) { t.surface = 8; })},
      {"more ends than the file holds", with([](TinyDirectory& t) { t.ends = 3; })},
      {"heading of 360.0", with([](TinyDirectory& t) { t.heading = 3600; })},
      {"strings past the end", with([](TinyDirectory& t) { t.stringOffset = 25; })},
      {"sizes that do not add up", with([](TinyDirectory& t) { t.stringBytesClaimed = 30; })},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const DirectoryLoad load = readAirportDirectory(c.tiny.file());
    EXPECT_EQ(load.outcome, DirectoryOutcome::Damaged);
    EXPECT_EQ(load.directory, nullptr);
  }
}

TEST(DirectoryFile, DamagedShippedFileGivesOneOutcome) {
  const WholeFile shipped = readWholeFile(kShippedFile, 64 << 20);
  ASSERT_EQ(shipped.outcome, FileRead::Read);
  const std::string& good = shipped.bytes;
  std::string flipped = good;
  flipped[flipped.size() / 2] = static_cast<char>(flipped[flipped.size() / 2] ^ 0x20);
  std::string wrongVersion = good;
  wrongVersion[8] = 2;
  std::string random(good.size(), '\0');
  std::mt19937 generator(18);
  for (char& c : random) c = static_cast<char>(generator());
  std::string randomAfterHeader = good.substr(0, 40) + random.substr(40);

  struct Case {
    const char* name;
    std::string bytes;
    DirectoryOutcome outcome;
  };
  const Case cases[] = {
      {"empty", "", DirectoryOutcome::NotADirectory},
      {"random bytes", random, DirectoryOutcome::NotADirectory},
      {"airports.fly", "QQA:40.500000;-75.250000,", DirectoryOutcome::NotADirectory},
      {"header cut short", good.substr(0, 20), DirectoryOutcome::Damaged},
      {"header alone", good.substr(0, 40), DirectoryOutcome::Damaged},
      {"truncated to half", good.substr(0, good.size() / 2), DirectoryOutcome::Damaged},
      {"last byte missing", good.substr(0, good.size() - 1), DirectoryOutcome::Damaged},
      {"one byte changed", flipped, DirectoryOutcome::Damaged},
      {"random bytes after the header", randomAfterHeader, DirectoryOutcome::Damaged},
      {"another version", wrongVersion, DirectoryOutcome::WrongVersion},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const DirectoryLoad load = readAirportDirectory(c.bytes);
    EXPECT_EQ(load.outcome, c.outcome);
    EXPECT_EQ(load.directory, nullptr);
  }
  EXPECT_EQ(loadAirportDirectory(kShippedFile.parent_path() / "no-such-directory.bin").outcome,
            DirectoryOutcome::CannotOpen);
  EXPECT_EQ(loadAirportDirectory(kShippedFile.parent_path()).outcome, DirectoryOutcome::CannotOpen);
}

TEST(DirectoryFile, ProblemMessageNamesTheFileAndTheWayOn) {
  EXPECT_EQ(directoryProblemMessage(DirectoryOutcome::Opened), "");
  EXPECT_EQ(directoryProblemMessage(DirectoryOutcome::Damaged),
            "The airport directory \"airport-directory.bin\" is damaged.\n"
            "Searching the world's airfields is off; the airports of \"airports.fly\" work as before.");
}

}  // namespace
}  // namespace orvane
