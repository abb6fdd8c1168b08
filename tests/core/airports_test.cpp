#include "core/airports.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/files.hpp"
#include "temp_folder.hpp"

namespace orvane {
namespace {

namespace fs = std::filesystem;
using test::readBytes;
using test::TempFolder;
using Identifiers = std::vector<std::string>;

constexpr std::string_view kTwoAirports =
    "QQA:40.500000;-75.250000,\r\n"
    "QQB:41.750000;-72.500000,\r\n";

// ---------------------------------------------------------------------------------
// Reading records

struct ExpectedAirport {
  std::string identifier;
  GeoPosition position;
};

struct ParseCase {
  const char* name;
  std::string text;
  Identifiers identifiers;
  std::vector<ExpectedAirport> table;  // every entry of the table, no more
};

void expectParsed(const ParseCase& c) {
  SCOPED_TRACE(c.name);
  const ParsedAirports parsed = parseAirportText(c.text);
  EXPECT_EQ(parsed.identifiers, c.identifiers);
  EXPECT_EQ(parsed.table.size(), c.table.size());
  for (const ExpectedAirport& airport : c.table) {
    SCOPED_TRACE(airport.identifier);
    const auto found = parsed.table.find(airport.identifier);
    ASSERT_NE(found, parsed.table.end());
    EXPECT_EQ(found->second.latitude, airport.position.latitude);
    EXPECT_EQ(found->second.longitude, airport.position.longitude);
  }
}

TEST(ParseAirportText, WellFormedRecords) {
  const ParseCase cases[] = {
      {"two lines as an editor keeps them",
       std::string(kTwoAirports),
       {"QQA", "QQB"},
       {{"QQA", {40.5, -75.25}}, {"QQB", {41.75, -72.5}}}},
      {"records run together without line breaks",
       "QQA:40.5;-75.25,QQB:41.75;-72.5,",
       {"QQA", "QQB"},
       {{"QQA", {40.5, -75.25}}, {"QQB", {41.75, -72.5}}}},
      {"blanks around the numbers", "QQA: 40.5 ; -75.25 ,", {"QQA"}, {{"QQA", {40.5, -75.25}}}},
      {"tabs and line breaks before the numbers", "QQA:\t40.5;\r\n-75.25,", {"QQA"}, {{"QQA", {40.5, -75.25}}}},
      {"four-character identifier keeps its last three", "KQQA:40.5;-75.25,", {"QQA"}, {{"QQA", {40.5, -75.25}}}},
      {"latitude with an exponent", "QQA:4.05e1;-75.25,", {"QQA"}, {{"QQA", {40.5, -75.25}}}},
      {"explicit plus sign and capital exponent", "QQA:+4.05E+1;-7525E-2,", {"QQA"}, {{"QQA", {40.5, -75.25}}}},
      {"numbers followed by other text", "QQA:40.5N;-75.25W,", {"QQA"}, {{"QQA", {40.5, -75.25}}}},
      {"text that is not a number reads as 0", "QQA:north;west,", {"QQA"}, {{"QQA", {0, 0}}}},
      {"empty numbers read as 0", "QQA:;,", {"QQA"}, {{"QQA", {0, 0}}}},
      {"comments and blank lines between records",
       "QQA:40.5;-75.25,\r\n# home field\r\n\r\nQQB:41.75;-72.5, my notes\n\n   QQC:39.1;-74.9,\r\n",
       {"QQA", "QQB", "QQC"},
       {{"QQA", {40.5, -75.25}}, {"QQB", {41.75, -72.5}}, {"QQC", {39.1, -74.9}}}},
      {"lower and upper case are two identifiers",
       "qqa:1;2,QQA:3;4,",
       {"qqa", "QQA"},
       {{"qqa", {1, 2}}, {"QQA", {3, 4}}}},
  };
  for (const ParseCase& c : cases) expectParsed(c);
}

TEST(ParseAirportText, DuplicatesAreListedTwiceWithTheFirstPosition) {
  expectParsed({"same identifier twice",
                "QQA:40.5;-75.25,\r\nQQB:41.75;-72.5,\r\nQQA:10;20,\r\n",
                {"QQA", "QQB", "QQA"},
                {{"QQA", {40.5, -75.25}}, {"QQB", {41.75, -72.5}}}});
}

TEST(ParseAirportText, TextsWithoutRecords) {
  const ParseCase cases[] = {
      {"empty text", "", {}, {}},
      {"only line breaks", "\r\n\r\n", {}, {}},
      {"separators but no colon", "40.5;-75.25,", {}, {}},
      {"a colon in the very first position is no separator", ":40.5;-75.25,", {}, {}},
  };
  for (const ParseCase& c : cases) expectParsed(c);
}

TEST(ParseAirportText, ColonAtTheStartIsSkipped) {
  // The first ":" is never a separator, so the record is read from the second one.
  expectParsed({"leading colon", ":QQA:40.5;-75.25,", {"QQA"}, {{"QQA", {40.5, -75.25}}}});
}

TEST(ParseAirportText, ShortIdentifierTakesTheFirstThreeCharactersOfTheText) {
  const ParseCase cases[] = {
      {"one character", "Q:40.5;-75.25,", {"Q:4"}, {{"Q:4", {40.5, -75.25}}}},
      {"two characters", "QQ:40.5;-75.25,", {"QQ:"}, {{"QQ:", {40.5, -75.25}}}},
      {"text of two characters only", "Q:", {"Q:"}, {{"Q:", {0, 0}}}},
  };
  for (const ParseCase& c : cases) expectParsed(c);
}

TEST(ParseAirportText, SeparatorsArePairedByCount) {
  const ParseCase cases[] = {
      // "40,5": the comma in the latitude is paired with the first record, so every
      // record from there on finds its "," before its ";" and reads no longitude.
      {"decimal comma breaks this and every later record",
       "QQA:40,5;-75.25,\r\nQQB:41.75;-72.5,\r\nQQC:39.1;-74.9,\r\n",
       {"QQA", "QQB", "QQC"},
       {{"QQA", {40, 0}}, {"QQB", {41.75, 0}}, {"QQC", {39.1, 0}}}},
      {"decimal comma in the last record only",
       "QQA:40.5;-75.25,QQB:41,75;-72.5,",
       {"QQA", "QQB"},
       {{"QQA", {40.5, -75.25}}, {"QQB", {41, 0}}}},
      // Each record takes the "," of the record after it; the last one finds none.
      {"missing comma shifts the commas of every later record",
       "QQA:40.5;-75.25\r\nQQB:41.75;-72.5,\r\nQQC:39.1;-74.9,\r\nQQD:38;-70,\r\n",
       {"QQA", "QQB", "QQC", "QQD"},
       {{"QQA", {40.5, -75.25}}, {"QQB", {41.75, -72.5}}, {"QQC", {39.1, -74.9}}, {"QQD", {38, 0}}}},
      // The first record takes the ";" of the second, so its "," lies before its ";";
      // the last record finds no ";" and reads its longitude from the start of the text.
      {"missing semicolon shifts the semicolons of every later record",
       "QQA:40.5-75.25,QQB:41.75;-72.5,QQC:39.1;-74.9,",
       {"QQA", "QQB", "QQC"},
       {{"QQA", {40.5, 0}}, {"QQB", {41.75, 0}}, {"QQC", {0, 0}}}},
      {"without a semicolon the longitude starts at the start of the text",
       "12,QQA:40.5,",
       {"QQA"},
       {{"QQA", {0, 12}}}},
      {"a semicolon before the colon leaves the latitude empty", "x;-7,QQA:40.5", {"QQA"}, {{"QQA", {0, -7}}}},
      {"record without any separator", "QQA:40.5", {"QQA"}, {{"QQA", {0, 0}}}},
      // After a search that found nothing the next one starts again at position 0.
      // QQB finds no ";", so QQC's search starts again at position 0 and finds QQA's.
      {"after a search that found nothing the next starts at 0",
       "QQA:1;2,QQB:3,QQC:4,",
       {"QQA", "QQB", "QQC"},
       {{"QQA", {1, 2}}, {"QQB", {0, 0}}, {"QQC", {0, 2}}}},
      {"a restarted search sees a semicolon in the first position",
       ";5,AAA:1,BBB:2,",
       {"AAA", "BBB"},
       {{"AAA", {0, 0}}, {"BBB", {0, 5}}}},
  };
  for (const ParseCase& c : cases) expectParsed(c);
}

// ---------------------------------------------------------------------------------
// Looking airports up

TEST(FindAirport, ComparesIdentifiersByteByByte) {
  const ParsedAirports parsed = parseAirportText("qqa:1;2,QQA:3;4,QQB:5;6,");
  const struct {
    const char* identifier;
    std::optional<GeoPosition> position;
  } cases[] = {
      {"qqa", GeoPosition{1, 2}}, {"QQA", GeoPosition{3, 4}}, {"QQB", GeoPosition{5, 6}}, {"qqb", std::nullopt},
      {"Qqa", std::nullopt},      {"QQ", std::nullopt},       {"QQAA", std::nullopt},     {"", std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.identifier);
    EXPECT_EQ(findAirport(parsed.table, c.identifier), c.position);
  }
}

TEST(FindAirport, EmptyTableHasNoAirport) { EXPECT_EQ(findAirport(parseAirportText("").table, "QQA"), std::nullopt); }

TEST(IsAirportListed, IgnoresCase) {
  const Identifiers listed{"QQA", "qqc", "K1z"};
  const struct {
    const char* identifier;
    bool listed;
  } cases[] = {
      {"QQA", true},  {"qqa", true}, {"QQC", true},   {"qqc", true}, {"k1Z", true},
      {"QQB", false}, {"QQ", false}, {"QQAA", false}, {"", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.identifier);
    EXPECT_EQ(isAirportListed(listed, c.identifier), c.listed);
  }
  EXPECT_FALSE(isAirportListed({}, "QQA"));
}

// ---------------------------------------------------------------------------------
// Adding airports

TEST(CheckAirportIdentifier, Outcomes) {
  const struct {
    const char* name;
    std::string identifier;
    AirportIdentifierCheck check;
  } cases[] = {
      {"letters", "QQC", AirportIdentifierCheck::Valid},
      {"lower case", "qqc", AirportIdentifierCheck::Valid},
      {"letters and digits", "K1z", AirportIdentifierCheck::Valid},
      {"digits", "123", AirportIdentifierCheck::Valid},
      // The blank is tested first, whatever the length.
      {"blank inside", "A B", AirportIdentifierCheck::HasSpace},
      {"leading blank", " AB", AirportIdentifierCheck::HasSpace},
      {"trailing blank", "AB ", AirportIdentifierCheck::HasSpace},
      {"blank in a long identifier", "ABCD E", AirportIdentifierCheck::HasSpace},
      {"only a blank", " ", AirportIdentifierCheck::HasSpace},
      {"empty", "", AirportIdentifierCheck::NotThreeAlphanumeric},
      {"two characters", "AB", AirportIdentifierCheck::NotThreeAlphanumeric},
      {"four characters", "ABCD", AirportIdentifierCheck::NotThreeAlphanumeric},
      {"hyphen", "AB-", AirportIdentifierCheck::NotThreeAlphanumeric},
      {"underscore", "A_B", AirportIdentifierCheck::NotThreeAlphanumeric},
      {"colon", "AB:", AirportIdentifierCheck::NotThreeAlphanumeric},
      {"tab is not a blank", "A\tB", AirportIdentifierCheck::NotThreeAlphanumeric},
      {"non-ASCII byte",
       "\xC4"
       "BC",
       AirportIdentifierCheck::NotThreeAlphanumeric},
      {"two-byte letter makes three bytes",
       "\xC3\x89"
       "B",
       AirportIdentifierCheck::NotThreeAlphanumeric},
      {"zero byte", std::string("A\0B", 3), AirportIdentifierCheck::NotThreeAlphanumeric},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(checkAirportIdentifier(c.identifier), c.check);
  }
}

TEST(AirportRecordText, SixDecimalsAndNoLineBreak) {
  EXPECT_EQ(airportRecordText("QQC", {39.1, -74.9}), "QQC:39.100000;-74.900000,");
  EXPECT_EQ(airportRecordText("Q1z", {0, 0}), "Q1z:0.000000;0.000000,");
  EXPECT_EQ(airportRecordText("QQD", {-33.8651388888889, 151.0000005}), "QQD:-33.865139;151.000001,");
}

TEST(AddAirport, AppendsTheRecordAfterTheLastLineBreak) {
  std::string text(kTwoAirports);
  EXPECT_EQ(addAirport(text, "QQC", {39.1, -74.9}), AddAirportOutcome::Added);
  EXPECT_EQ(text, std::string(kTwoAirports) + "QQC:39.100000;-74.900000,");

  // From the next parse on the new airport has the position as written.
  const ParsedAirports parsed = parseAirportText(text);
  EXPECT_EQ(parsed.identifiers, (Identifiers{"QQA", "QQB", "QQC"}));
  EXPECT_EQ(findAirport(parsed.table, "QQC"), (GeoPosition{39.1, -74.9}));
}

TEST(AddAirport, PositionIsStoredToSixDecimals) {
  std::string text;
  ASSERT_EQ(addAirport(text, "QQD", {40.1234567, -75.0000004}), AddAirportOutcome::Added);
  EXPECT_EQ(findAirport(parseAirportText(text).table, "QQD"), (GeoPosition{40.123457, -75.0}));
}

TEST(AddAirport, Outcomes) {
  const struct {
    const char* name;
    std::string identifier;
    AddAirportOutcome outcome;
  } cases[] = {
      {"new airport", "QQC", AddAirportOutcome::Added},
      {"already there", "QQA", AddAirportOutcome::AlreadyPresent},
      {"already there in another case", "qqb", AddAirportOutcome::AlreadyPresent},
      {"blank", "Q C", AddAirportOutcome::HasSpace},
      {"blank in an identifier that is also too long", "QQCC D", AddAirportOutcome::HasSpace},
      {"blank in an identifier that is listed", "QQA ", AddAirportOutcome::HasSpace},
      {"too short", "QC", AddAirportOutcome::NotThreeAlphanumeric},
      {"too long", "KQQC", AddAirportOutcome::NotThreeAlphanumeric},
      {"not alphanumeric", "Q.C", AddAirportOutcome::NotThreeAlphanumeric},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::string text(kTwoAirports);
    EXPECT_EQ(addAirport(text, c.identifier, {39.1, -74.9}), c.outcome);
    if (c.outcome == AddAirportOutcome::Added) {
      EXPECT_EQ(text, std::string(kTwoAirports) + c.identifier + ":39.100000;-74.900000,");
    } else {
      EXPECT_EQ(text, kTwoAirports) << "nothing is appended";
    }
  }
}

TEST(AddAirport, LowerCaseRecordInTheFileCountsAsPresent) {
  std::string text = "qqc:39.1;-74.9,\r\n";
  EXPECT_EQ(addAirport(text, "QQC", {1, 2}), AddAirportOutcome::AlreadyPresent);
  EXPECT_EQ(text, "qqc:39.1;-74.9,\r\n");
}

TEST(AddAirport, IdentifierReadFromAMalformedRecordCountsAsPresent) {
  // "KQQA" is listed as QQA.
  std::string text = "KQQA:40.5;-75.25,";
  EXPECT_EQ(addAirport(text, "QQA", {1, 2}), AddAirportOutcome::AlreadyPresent);
}

TEST(AddAirport, ToAnEmptyText) {
  std::string text;
  EXPECT_EQ(addAirport(text, "QQC", {39.1, -74.9}), AddAirportOutcome::Added);
  EXPECT_EQ(text, "QQC:39.100000;-74.900000,");
  EXPECT_EQ(addAirport(text, "QQD", {-1, 2}), AddAirportOutcome::Added);
  EXPECT_EQ(text, "QQC:39.100000;-74.900000,QQD:-1.000000;2.000000,");
  EXPECT_EQ(addAirport(text, "qqd", {5, 5}), AddAirportOutcome::AlreadyPresent);
}

TEST(AirportMessages, ExactTexts) {
  EXPECT_EQ(airportExistsMessage("QQC"),
            "Airport QQC already exist in database!\n"
            "if you want update or remove this airport,\n"
            "please edit the file \"airports.fly\" manually.");
  EXPECT_EQ(airportAddedMessage("QQC"), "Airport QQC was added to database!");
  EXPECT_EQ(kNoSpacesMessage, "No spaces allowed!");
  EXPECT_EQ(kIdentifierFormatMessage, "You must enter 3 alphanumeric symbol of the airport");
  EXPECT_EQ(kCannotOpenAirportsMessage, "Cannot open airports file!");
  EXPECT_EQ(kAirportsFileName, "airports.fly");
}

// ---------------------------------------------------------------------------------
// The file

TEST(AirportFile, SaveAndLoadKeepTheTextExactly) {
  TempFolder folder;
  const fs::path file = folder.file("airports.fly");
  const std::string text = std::string(kTwoAirports) + "# a comment\n\nQQC:39.100000;-74.900000,";
  ASSERT_EQ(saveAirportText(file, text), FileWrite::Written);
  EXPECT_EQ(readBytes(file), text);
  AirportDatabase database;
  EXPECT_EQ(loadAirportDatabase(database, file), AirportsLoad::Loaded);
  EXPECT_EQ(database.text, text);
}

TEST(AirportFile, LoadingAMissingFileGivesAnEmptyText) {
  TempFolder folder;
  AirportDatabase database{"QQA:1;2,", "QQB:3;4,"};
  EXPECT_EQ(loadAirportDatabase(database, folder.file("airports.fly")), AirportsLoad::CannotOpen);
  EXPECT_EQ(database.text, "");
  EXPECT_EQ(database.unsavedRecords, "");
}

TEST(AirportFile, LoadingAnEmptyFileGivesAnEmptyText) {
  TempFolder folder;
  const fs::path file = folder.file("airports.fly");
  ASSERT_EQ(saveAirportText(file, ""), FileWrite::Written);
  ASSERT_TRUE(fs::exists(file));
  EXPECT_EQ(fs::file_size(file), 0u);
  AirportDatabase database{"QQA:1;2,", ""};
  EXPECT_EQ(loadAirportDatabase(database, file), AirportsLoad::Loaded);
  EXPECT_EQ(database.text, "");
  EXPECT_TRUE(parseAirportText(database.text).identifiers.empty());
}

TEST(AirportFile, ZeroBytesInTheFileAreKept) {
  TempFolder folder;
  const fs::path file = folder.file("airports.fly");
  const std::string bytes = std::string("QQA:40.5;-75.25,\0junk", 21) + std::string(106, 'x') + "QQB:41.75;-72.5,";
  ASSERT_EQ(bytes.size(), 127u + 16u);
  ASSERT_EQ(replaceFile(file, bytes), FileWrite::Written);
  AirportDatabase database;
  EXPECT_EQ(loadAirportDatabase(database, file), AirportsLoad::Loaded);
  EXPECT_EQ(database.text, bytes);
}

TEST(AirportFile, SavingWhereNoFileCanBeWrittenFails) {
  TempFolder folder;
  const fs::path directory = folder.file("airports.fly");
  fs::create_directory(directory);
  EXPECT_EQ(saveAirportText(directory, "QQC:39.100000;-74.900000,"), FileWrite::CannotOpen);
  EXPECT_TRUE(fs::is_directory(directory));
  EXPECT_EQ(saveAirportText(folder.file("missing/airports.fly"), "QQC:1;2,"), FileWrite::CannotOpen);
}

}  // namespace
}  // namespace orvane
