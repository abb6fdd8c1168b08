#include "core/airport_names.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/airports.hpp"
#include "temp_folder.hpp"

namespace orvane {
namespace {

using Entry = std::pair<std::string, AirportName>;

// ---------------------------------------------------------------------------------
// Reading the table

struct ParseCase {
  const char* name;
  std::string text;
  std::vector<Entry> table;  // every entry of the table, no more
};

void expectParsed(const ParseCase& c) {
  SCOPED_TRACE(c.name);
  const AirportNames parsed = parseAirportNames(c.text);
  EXPECT_EQ(parsed.size(), c.table.size());
  for (const auto& [identifier, expected] : c.table) {
    SCOPED_TRACE(identifier);
    const auto found = parsed.find(identifier);
    ASSERT_NE(found, parsed.end());
    EXPECT_EQ(found->second.name, expected.name);
    EXPECT_EQ(found->second.town, expected.town);
    EXPECT_EQ(found->second.country, expected.country);
  }
}

const Entry kJfk{"JFK", {"John F Kennedy International Airport", "New York", "United States"}};
const Entry kLhr{"LHR", {"London Heathrow Airport", "London", "United Kingdom"}};

TEST(ParseAirportNames, WellFormedLines) {
  const ParseCase cases[] = {
      {"LF line ends",
       "JFK\tJohn F Kennedy International Airport\tNew York\tUnited States\n"
       "LHR\tLondon Heathrow Airport\tLondon\tUnited Kingdom\n",
       {kJfk, kLhr}},
      {"CR LF line ends leave no CR in the country",
       "JFK\tJohn F Kennedy International Airport\tNew York\tUnited States\r\n"
       "LHR\tLondon Heathrow Airport\tLondon\tUnited Kingdom\r\n",
       {kJfk, kLhr}},
      {"last line without a line end",
       "JFK\tJohn F Kennedy International Airport\tNew York\tUnited States\n"
       "LHR\tLondon Heathrow Airport\tLondon\tUnited Kingdom",
       {kJfk, kLhr}},
      {"blanks inside a field are kept",
       "GRK\tRobert Gray Army Air Field\tFort Hood  Killeen\t United States ",
       {{"GRK", {"Robert Gray Army Air Field", "Fort Hood  Killeen", " United States "}}}},
      {"empty town between name and country",
       "ARY\tArarat Airport\t\tAustralia\n",
       {{"ARY", {"Ararat Airport", "", "Australia"}}}},
      {"missing country", "QQA\tQueen Airfield\tQueenstown\n", {{"QQA", {"Queen Airfield", "Queenstown", ""}}}},
      {"name only", "QQA\tQueen Airfield\r\n", {{"QQA", {"Queen Airfield", "", ""}}}},
      {"identifier and a tab only", "QQA\t\n", {{"QQA", {"", "", ""}}}},
      {"fields after the country are ignored",
       "QQA\tQueen Airfield\tQueenstown\tNew Zealand\textra\tmore\n",
       {{"QQA", {"Queen Airfield", "Queenstown", "New Zealand"}}}},
      {"the first line of an identifier counts",
       "QQA\tQueen Airfield\tQueenstown\tNew Zealand\nQQA\tOther\tElsewhere\tNowhere\n",
       {{"QQA", {"Queen Airfield", "Queenstown", "New Zealand"}}}},
  };
  for (const ParseCase& c : cases) expectParsed(c);
}

TEST(ParseAirportNames, MalformedLinesAreSkippedAndTheRestRead) {
  const ParseCase cases[] = {
      {"empty text", "", {}},
      {"line breaks only", "\n\r\n\n", {}},
      {"line without a tab", "JFK John F Kennedy International Airport\n", {}},
      {"empty identifier", "\tNameless\tTown\tCountry\n", {}},
      {"CR alone is not a tab", "QQA\r\n", {}},
      {"good lines around bad ones",
       "no tab here\n"
       "JFK\tJohn F Kennedy International Airport\tNew York\tUnited States\n"
       "\tNameless\tTown\tCountry\r\n"
       "\r\n"
       "LHR\tLondon Heathrow Airport\tLondon\tUnited Kingdom\n"
       "\t\t\t\n",
       {kJfk, kLhr}},
      {"identifier is taken as written", "jfk\tLower Case\t\t\n", {{"jfk", {"Lower Case", "", ""}}}},
  };
  for (const ParseCase& c : cases) expectParsed(c);
}

TEST(ParseAirportNames, Utf8IsKeptByteForByte) {
  const ParseCase cases[] = {
      {"letters beyond ASCII",
       "EGS\tEgilssta\xC3\xB0ir Airport\tEgilssta\xC3\xB0ir\t\xC3\x8Dsland\n",
       {{"EGS", {"Egilssta\xC3\xB0ir Airport", "Egilssta\xC3\xB0ir", "\xC3\x8Dsland"}}}},
      {"a byte order mark before the first line is not part of its identifier",
       "\xEF\xBB\xBFGEL\tSanto \xC3\x82ngelo Airport\tSanto Angelo\tBrazil\n",
       {{"GEL", {"Santo \xC3\x82ngelo Airport", "Santo Angelo", "Brazil"}}}},
      {"bytes that are not UTF-8 are kept too", "QQA\t\xFF\xFE\t\x80\t\xC3\n", {{"QQA", {"\xFF\xFE", "\x80", "\xC3"}}}},
  };
  for (const ParseCase& c : cases) expectParsed(c);
}

// ---------------------------------------------------------------------------------
// Describing an airport

const AirportNames kNames{
    kJfk,
    {"ARY", {"Ararat Airport", "", "Australia"}},
    {"QQA", {"Queen Airfield", "", ""}},
    {"QQB", {"", "", "New Zealand"}},
    {"QQC", {"", "Queenstown", "New Zealand"}},
    {"QQD", {"", "", ""}},
    {"EGS", {"Egilssta\xC3\xB0ir Airport", "Egilssta\xC3\xB0ir", "Iceland"}},
};

TEST(DescribeAirport, Format) {
  const struct {
    const char* name;
    const char* identifier;
    const char* shown;
  } cases[] = {
      {"all parts", "JFK", "JFK  John F Kennedy International Airport, New York, United States"},
      {"no town", "ARY", "ARY  Ararat Airport, Australia"},
      {"name only", "QQA", "QQA  Queen Airfield"},
      {"country only", "QQB", "QQB  New Zealand"},
      {"no name", "QQC", "QQC  Queenstown, New Zealand"},
      {"known but nothing to say", "QQD", "QQD"},
      {"UTF-8 passes through", "EGS", "EGS  Egilssta\xC3\xB0ir Airport, Egilssta\xC3\xB0ir, Iceland"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(describeAirport(kNames, c.identifier), c.shown);
  }
}

TEST(DescribeAirport, LooksUpInUpperCase) {
  const struct {
    const char* identifier;
    const char* shown;
  } cases[] = {
      {"jfk", "JFK  John F Kennedy International Airport, New York, United States"},
      {"jFk", "JFK  John F Kennedy International Airport, New York, United States"},
      {"ary", "ARY  Ararat Airport, Australia"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.identifier);
    EXPECT_EQ(describeAirport(kNames, c.identifier), c.shown);
  }
}

TEST(DescribeAirport, UnknownIdentifierGivesNothing) {
  const char* const identifiers[] = {"QQZ", "", "JF", "JFKX", " JFK", "JFK ", "J\xC3\x96K"};
  for (const char* identifier : identifiers) {
    SCOPED_TRACE(identifier);
    EXPECT_EQ(describeAirport(kNames, identifier), "");
  }
  EXPECT_EQ(describeAirport(AirportNames{}, "JFK"), "");
}

// ---------------------------------------------------------------------------------
// The shipped files belong together

const std::filesystem::path kDataFolder = ORVANE_DATA_FOLDER;

TEST(ShippedAirportNames, OneLinePerAirportInTheDatabaseInItsOrder) {
  AirportDatabase airports;
  ASSERT_EQ(loadAirportDatabase(airports, kDataFolder / kAirportsFileName), AirportsLoad::Loaded);
  const std::vector<std::string> identifiers = parseAirportText(airports.text).identifiers;
  ASSERT_FALSE(identifiers.empty());

  const std::string namesText = test::readBytes(kDataFolder / "airport-names.txt");
  ASSERT_FALSE(namesText.empty());
  ASSERT_TRUE(namesText.ends_with('\n'));
  EXPECT_EQ(namesText.find('\r'), std::string::npos) << "the generator writes LF line ends";

  std::vector<std::string> lineIdentifiers;
  std::string_view rest = namesText;
  while (!rest.empty()) {
    const std::string_view line = rest.substr(0, rest.find('\n'));
    rest.remove_prefix(std::min(rest.size(), line.size() + 1));
    SCOPED_TRACE(std::string(line));
    EXPECT_EQ(std::count(line.begin(), line.end(), '\t'), 3);
    lineIdentifiers.emplace_back(line.substr(0, line.find('\t')));
  }
  EXPECT_EQ(lineIdentifiers, identifiers);

  const AirportNames names = parseAirportNames(namesText);
  EXPECT_EQ(names.size(), identifiers.size());
  for (const auto& [identifier, airport] : names) {
    SCOPED_TRACE(identifier);
    EXPECT_FALSE(airport.name.empty());
    EXPECT_FALSE(airport.country.empty());
    for (const std::string* part : {&airport.name, &airport.town, &airport.country}) {
      EXPECT_EQ(part->find("  "), std::string::npos);
      if (!part->empty()) {
        EXPECT_NE(part->front(), ' ');
        EXPECT_NE(part->back(), ' ');
      }
    }
  }
  EXPECT_EQ(describeAirport(names, "jfk"), "JFK  John F Kennedy International Airport, New York, United States");
}

}  // namespace
}  // namespace orvane
