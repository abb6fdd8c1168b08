#include "core/defaults.hpp"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <limits>
#include <optional>
#include <string>

#include "temp_folder.hpp"

namespace orvane {
namespace {

namespace fs = std::filesystem;
using test::readBytes;
using test::TempFolder;
using test::writeBytes;

constexpr std::string_view kExampleText =
    "home_airport:QQA\r\n"
    "TAS:110.000000\r\n"
    "Variation:5.000000\r\n"
    "Magnetic Deviation:2.000000\r\n"
    "Galons/Hour:8.500000\r\n"
    "Total Fuel:40.000000\r\n"
    "Empty Plane Weight:1500.000000\r\n"
    "Empty Plane Moment:570.000000\r\n"
    "Fuel Arm:48.000000\r\n"
    "Pilot Weight:170.000000\r\n"
    "Front Sits Arm:37.000000\r\n"
    "Rear Sits Arm:73.000000\r\n"
    "Airplane Tail Number:N000XY\r\n"
    "Airplane Type:Trainer\r\n"
    "Gross Weight:2300.000000\r\n"
    "Useful Load:800.000000\r\n"
    "CG Fore Limit:35.000000\r\n"
    "CG Aft Limit:47.300000\r\n";

DefaultValues exampleValues() {
  DefaultValues v;
  v.homeAirport = "QQA";
  v.trueAirspeed = 110;
  v.variation = 5;
  v.deviation = 2;
  v.fuelFlow = 8.5;
  v.fuelOnBoard = 40;
  v.airplane.emptyWeight = 1500;
  v.airplane.emptyMoment = 570;
  v.airplane.fuelArm = 48;
  v.airplane.pilotWeight = 170;
  v.airplane.frontSeatsArm = 37;
  v.airplane.rearSeatsArm = 73;
  v.airplane.tailNumber = "N000XY";
  v.airplane.airplaneType = "Trainer";
  v.airplane.maxWeight = 2300;
  v.airplane.usefulLoad = 800;
  v.airplane.cgForeLimit = 35;
  v.airplane.cgAftLimit = 47.3;
  return v;
}

// The fifteen numbers in file order.
using Numbers = std::array<double, 15>;

void setNumbers(DefaultValues& v, const Numbers& n) {
  v.trueAirspeed = n[0];
  v.variation = n[1];
  v.deviation = n[2];
  v.fuelFlow = n[3];
  v.fuelOnBoard = n[4];
  v.airplane.emptyWeight = n[5];
  v.airplane.emptyMoment = n[6];
  v.airplane.fuelArm = n[7];
  v.airplane.pilotWeight = n[8];
  v.airplane.frontSeatsArm = n[9];
  v.airplane.rearSeatsArm = n[10];
  v.airplane.maxWeight = n[11];
  v.airplane.usefulLoad = n[12];
  v.airplane.cgForeLimit = n[13];
  v.airplane.cgAftLimit = n[14];
}

Numbers numbersOf(const DefaultValues& v) {
  return {v.trueAirspeed,
          v.variation,
          v.deviation,
          v.fuelFlow,
          v.fuelOnBoard,
          v.airplane.emptyWeight,
          v.airplane.emptyMoment,
          v.airplane.fuelArm,
          v.airplane.pilotWeight,
          v.airplane.frontSeatsArm,
          v.airplane.rearSeatsArm,
          v.airplane.maxWeight,
          v.airplane.usefulLoad,
          v.airplane.cgForeLimit,
          v.airplane.cgAftLimit};
}

// Replaces the first occurrence of `from` in `text`.
std::string replaced(std::string_view text, std::string_view from, std::string_view to) {
  std::string out(text);
  const std::size_t at = out.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  if (at != std::string::npos) out.replace(at, from.size(), to);
  return out;
}

// ---------------------------------------------------------------------------------
// Writing

TEST(FormatDefaults, WorkedExample) {
  const FormattedDefaults formatted = formatDefaults(exampleValues());
  EXPECT_EQ(formatted.text, kExampleText);
  EXPECT_EQ(formatted.text.size(), 437u);
  EXPECT_EQ(formatted.problem, DefaultsProblem::None);
  EXPECT_TRUE(defaultsProblemMessage(formatted).empty());
}

TEST(FormatDefaults, StartValues) {
  const FormattedDefaults formatted = formatDefaults(DefaultValues{});
  EXPECT_EQ(formatted.problem, DefaultsProblem::None);
  EXPECT_EQ(formatted.text,
            "home_airport:\r\nTAS:0.000000\r\nVariation:0.000000\r\nMagnetic Deviation:0.000000\r\n"
            "Galons/Hour:0.000000\r\nTotal Fuel:0.000000\r\nEmpty Plane Weight:0.000000\r\n"
            "Empty Plane Moment:0.000000\r\nFuel Arm:0.000000\r\nPilot Weight:0.000000\r\n"
            "Front Sits Arm:0.000000\r\nRear Sits Arm:0.000000\r\nAirplane Tail Number:\r\n"
            "Airplane Type:\r\nGross Weight:0.000000\r\nUseful Load:0.000000\r\nCG Fore Limit:0.000000\r\n"
            "CG Aft Limit:0.000000\r\n");
}

TEST(FormatDefaults, NumbersInSixDecimalsWithoutExponent) {
  const struct {
    double value;
    const char* line;
  } cases[] = {
      {110, "TAS:110.000000\r\n"},         {-3.5, "TAS:-3.500000\r\n"},
      {1000000, "TAS:1000000.000000\r\n"}, {1e20, "TAS:100000000000000000000.000000\r\n"},
      {0.1234567, "TAS:0.123457\r\n"},     {1e-7, "TAS:0.000000\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    DefaultValues v;
    v.trueAirspeed = c.value;
    const FormattedDefaults formatted = formatDefaults(v);
    EXPECT_NE(formatted.text.find(std::string("\r\n") + c.line), std::string::npos) << formatted.text;
  }
}

TEST(FormatDefaults, ReportsValuesThatWouldNotLoadBack) {
  const struct {
    const char* name;
    void (*change)(DefaultValues&);
    DefaultsProblem problem;
    std::string_view key;
  } cases[] = {
      {"colon in the tail number", [](DefaultValues& v) { v.airplane.tailNumber = "N0:XY"; },
       DefaultsProblem::TextHasSeparator, "Airplane Tail Number:"},
      {"colon in the home airport", [](DefaultValues& v) { v.homeAirport = ":QQA"; }, DefaultsProblem::TextHasSeparator,
       "home_airport:"},
      {"line break in the type", [](DefaultValues& v) { v.airplane.airplaneType = "Train\r\ner"; },
       DefaultsProblem::TextHasSeparator, "Airplane Type:"},
      {"line feed alone", [](DefaultValues& v) { v.airplane.airplaneType = "Trainer\n"; },
       DefaultsProblem::TextHasSeparator, "Airplane Type:"},
      {"carriage return alone", [](DefaultValues& v) { v.airplane.airplaneType = "Trainer\r"; },
       DefaultsProblem::TextHasSeparator, "Airplane Type:"},
      {"zero byte", [](DefaultValues& v) { v.airplane.tailNumber = std::string("N0\0XY", 5); },
       DefaultsProblem::TextHasSeparator, "Airplane Tail Number:"},
      {"infinite speed", [](DefaultValues& v) { v.trueAirspeed = std::numeric_limits<double>::infinity(); },
       DefaultsProblem::NumberNotFinite, "TAS:"},
      {"not-a-number limit", [](DefaultValues& v) { v.airplane.cgAftLimit = std::numeric_limits<double>::quiet_NaN(); },
       DefaultsProblem::NumberNotFinite, "CG Aft Limit:"},
      {"minus infinity", [](DefaultValues& v) { v.variation = -std::numeric_limits<double>::infinity(); },
       DefaultsProblem::NumberNotFinite, "Variation:"},
      {"the first problem in file order is named",
       [](DefaultValues& v) {
         v.airplane.usefulLoad = std::numeric_limits<double>::infinity();
         v.airplane.tailNumber = "N0:XY";
       },
       DefaultsProblem::TextHasSeparator, "Airplane Tail Number:"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    DefaultValues v = exampleValues();
    c.change(v);
    const FormattedDefaults formatted = formatDefaults(v);
    EXPECT_EQ(formatted.problem, c.problem);
    EXPECT_EQ(formatted.problemKey, c.key);
    const std::string message = defaultsProblemMessage(formatted);
    EXPECT_FALSE(message.empty());
    // The message names the value without its colon.
    EXPECT_NE(message.find(c.key.substr(0, c.key.size() - 1)), std::string::npos) << message;
  }
}

TEST(FormatDefaults, TextIsStillWrittenUnchangedWhenItHasAColon) {
  DefaultValues v = exampleValues();
  v.airplane.tailNumber = "N0:XY";
  const FormattedDefaults formatted = formatDefaults(v);
  EXPECT_EQ(formatted.text, replaced(kExampleText, "N000XY", "N0:XY"));
  // Read back, the colon makes a nineteenth value.
  EXPECT_EQ(parseDefaults(formatted.text), std::nullopt);
}

TEST(FormatDefaults, TooLongForTheReader) {
  const struct {
    std::size_t tailLength;
    std::size_t textSize;
    DefaultsProblem problem;
  } cases[] = {
      {6, 437, DefaultsProblem::None},
      {592, 1023, DefaultsProblem::None},
      {593, 1024, DefaultsProblem::TooLong},
      {2000, 2431, DefaultsProblem::TooLong},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.tailLength);
    DefaultValues v = exampleValues();
    v.airplane.tailNumber = std::string(c.tailLength, 'N');
    const FormattedDefaults formatted = formatDefaults(v);
    EXPECT_EQ(formatted.text.size(), c.textSize);
    EXPECT_EQ(formatted.problem, c.problem);
    EXPECT_EQ(defaultsProblemMessage(formatted).empty(), c.problem == DefaultsProblem::None);
  }
}

TEST(DefaultsProblemMessage, OneForEveryProblem) {
  for (const DefaultsProblem problem :
       {DefaultsProblem::TextHasSeparator, DefaultsProblem::NumberNotFinite, DefaultsProblem::TooLong}) {
    SCOPED_TRACE(static_cast<int>(problem));
    FormattedDefaults formatted;
    formatted.problem = problem;
    formatted.problemKey = problem == DefaultsProblem::TooLong ? std::string_view() : "Airplane Type:";
    EXPECT_FALSE(defaultsProblemMessage(formatted).empty());
  }
  EXPECT_TRUE(defaultsProblemMessage(FormattedDefaults{}).empty());
}

TEST(DefaultsMessages, ExactTexts) {
  EXPECT_EQ(kCannotOpenDefaultsMessage, "Cannot open congfiguration file!");
  EXPECT_EQ(kDefaultsErrorMessage, "Error in congfiguration file!");
  EXPECT_EQ(kDefaultsFileName, "config.fly");
}

// ---------------------------------------------------------------------------------
// Reading

TEST(ParseDefaults, WorkedExample) { EXPECT_EQ(parseDefaults(kExampleText), exampleValues()); }

TEST(ParseDefaults, KeysAreNotCompared) {
  std::string text;
  const char* const values[] = {"QQA",    "110.000000", "5.000000", "2.000000", "8.500000", "40.000000",
                                "1500.0", "570",        "48",       "170",      "37",       "73",
                                "N000XY", "Trainer",    "2300",     "800",      "35",       "47.3"};
  char key = 'a';
  for (const char* value : values) {
    text += std::string(1, key++) + " other key:" + value + "\r\n";
  }
  EXPECT_EQ(parseDefaults(text), exampleValues());
}

TEST(ParseDefaults, ValuesAsTheScanFindsThem) {
  DefaultValues blankBeforeTexts = exampleValues();
  blankBeforeTexts.homeAirport = " QQA";
  blankBeforeTexts.airplane.airplaneType = "  Trainer  ";

  DefaultValues lastValueEmpty = exampleValues();
  lastValueEmpty.airplane.cgAftLimit = 0;

  // From the first value after an extra line end, every value is read from a stretch
  // of negative length: numbers are 0 and texts empty.
  DefaultValues shiftedAfterFuelFlow = exampleValues();
  setNumbers(shiftedAfterFuelFlow, {110, 5, 2, 8.5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
  shiftedAfterFuelFlow.airplane.tailNumber.clear();
  shiftedAfterFuelFlow.airplane.airplaneType.clear();

  DefaultValues shiftedAfterRearArm = exampleValues();
  setNumbers(shiftedAfterRearArm, {110, 5, 2, 8.5, 40, 1500, 570, 48, 170, 37, 73, 0, 0, 0, 0});
  shiftedAfterRearArm.airplane.tailNumber.clear();
  shiftedAfterRearArm.airplane.airplaneType.clear();

  DefaultValues numbersWithText = exampleValues();
  numbersWithText.trueAirspeed = 110.5;
  numbersWithText.variation = 0;
  numbersWithText.deviation = -20;

  const struct {
    const char* name;
    std::string text;
    DefaultValues values;
  } cases[] = {
      {"blank after the colon: a number reads normally", replaced(kExampleText, "TAS:110.000000", "TAS: 110.000000"),
       exampleValues()},
      {"tab after the colon: a number reads normally",
       replaced(kExampleText, "Fuel Arm:48.000000", "Fuel Arm:\t48.000000"), exampleValues()},
      {"blanks around texts are kept",
       replaced(replaced(kExampleText, "home_airport:QQA", "home_airport: QQA"), "Airplane Type:Trainer",
                "Airplane Type:  Trainer  "),
       blankBeforeTexts},
      {"numbers read as far as they go",
       replaced(
           replaced(replaced(kExampleText, "TAS:110.000000", "TAS:110.5 knots"), "Variation:5.000000", "Variation:E5"),
           "Magnetic Deviation:2.000000", "Magnetic Deviation:-2e1"),
       numbersWithText},
      {"no line end after the last value", std::string(kExampleText.substr(0, kExampleText.size() - 2)),
       lastValueEmpty},
      {"carriage return but no line feed after the last value",
       std::string(kExampleText.substr(0, kExampleText.size() - 1)), lastValueEmpty},
      {"blank line after the fuel flow", replaced(kExampleText, "Total Fuel:", "\r\nTotal Fuel:"),
       shiftedAfterFuelFlow},
      {"line without a colon after the rear seats arm",
       replaced(kExampleText, "Airplane Tail Number:", "a comment line\r\nAirplane Tail Number:"), shiftedAfterRearArm},
      // The search for the first line end starts at position 1.
      {"line end at the very start is not seen", "\r\n" + std::string(kExampleText), exampleValues()},
      {"extra line ends after the last value", std::string(kExampleText) + "\r\n\r\n", exampleValues()},
      {"text after the last line end without a colon", std::string(kExampleText) + "trailing text", exampleValues()},
      // A colon in the first position is not seen, so the key "home_airport" may be empty.
      {"empty first key", replaced(kExampleText, "home_airport:", "x:"), exampleValues()},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(parseDefaults(c.text), c.values);
  }
}

TEST(ParseDefaults, MalformedUnlessEighteenValues) {
  const struct {
    const char* name;
    std::string text;
  } cases[] = {
      {"empty text", ""},
      {"no colon at all", "home_airport QQA\r\nTAS 110\r\n"},
      {"seventeen lines", std::string(kExampleText.substr(0, kExampleText.find("CG Aft Limit:")))},
      {"colon in a text makes nineteen", replaced(kExampleText, "N000XY", "N0:XY")},
      {"colon in the home airport", replaced(kExampleText, "home_airport:QQA", "home_airport:Q:QA")},
      {"a nineteenth line", std::string(kExampleText) + "Extra:1.000000\r\n"},
      // The colon of the first key sits at position 0 and is not seen.
      {"first key empty", replaced(kExampleText, "home_airport:", ":")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(parseDefaults(c.text), std::nullopt);
  }
}

// Without a single CR LF every value would load as empty: such a file is refused.
TEST(ParseDefaults, LineEndsOtherThanCrLfAreRefused) {
  auto eighteenLines = [](std::string_view lineEnd) {
    std::string text;
    for (char key = 'a'; key < 'a' + 18; ++key) text += std::string(1, key) + ":1.000000" + std::string(lineEnd);
    return text;
  };
  ASSERT_TRUE(parseDefaults(eighteenLines("\r\n")).has_value());
  EXPECT_EQ(parseDefaults(eighteenLines("\r")), std::nullopt) << "CR alone";
  EXPECT_EQ(parseDefaults(eighteenLines("\n")), std::nullopt) << "LF alone";
  EXPECT_EQ(parseDefaults(eighteenLines("\n\r")), std::nullopt) << "LF CR";
}

// ---------------------------------------------------------------------------------
// The file

TEST(DefaultsFile, WorkedExampleLoads) {
  TempFolder folder;
  const fs::path file = folder.file("config.fly");
  writeBytes(file, kExampleText);
  const DefaultsLoad load = readDefaultsFile(file);
  ASSERT_EQ(load.outcome, DefaultsRead::Loaded);
  EXPECT_EQ(load.values, exampleValues());
}

TEST(DefaultsFile, WriteGivesTheFormattedText) {
  TempFolder folder;
  const fs::path file = folder.file("config.fly");
  writeBytes(file, "old content that is much longer than nothing at all");
  ASSERT_EQ(writeDefaultsFile(file, kExampleText), FileWrite::Written);
  EXPECT_EQ(readBytes(file), kExampleText);
}

TEST(DefaultsFile, Outcomes) {
  const std::string example(kExampleText);
  // The last line "CG Aft Limit:47.300000\r\n" is 24 bytes, its colon 12 bytes from the end,
  // so with a tail number of 604 characters the file is 1035 bytes and its last colon
  // is byte 1023, the first one not read.
  auto withTail = [](std::size_t tailLength) {
    DefaultValues v = exampleValues();
    v.airplane.tailNumber = std::string(tailLength, 'N');
    return formatDefaults(v).text;
  };
  DefaultValues lastValueEmpty = exampleValues();
  lastValueEmpty.airplane.cgAftLimit = 0;
  const struct {
    const char* name;
    std::string bytes;
    DefaultsRead outcome;
    std::optional<DefaultValues> values;
  } cases[] = {
      {"empty file", "", DefaultsRead::Malformed, std::nullopt},
      {"file without colons", "TAS 110\r\nVariation 5\r\n", DefaultsRead::Malformed, std::nullopt},
      {"cut just before the last colon", withTail(604), DefaultsRead::Malformed, std::nullopt},
      {"cut well before the last colon", withTail(700), DefaultsRead::Malformed, std::nullopt},
      {"zero byte before the last line", replaced(example, "CG Aft Limit:", std::string("\0CG Aft Limit:", 14)),
       DefaultsRead::Malformed, std::nullopt},
      {"zero byte hides text after the values", example + std::string(1, '\0') + "Extra:1\r\n", DefaultsRead::Loaded,
       exampleValues()},
      {"zero byte in the last value", replaced(example, "47.300000", std::string("47\0.300000", 10)),
       DefaultsRead::Loaded, lastValueEmpty},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder folder;
    const fs::path file = folder.file("config.fly");
    writeBytes(file, c.bytes);
    const DefaultsLoad load = readDefaultsFile(file);
    EXPECT_EQ(load.outcome, c.outcome);
    if (c.values) {
      EXPECT_EQ(load.values, *c.values);
    }
  }
}

TEST(DefaultsFile, LongFileIsReadUpToByte1023) {
  const struct {
    std::size_t tailLength;
    std::size_t fileSize;
    double cgAftLimit;
  } cases[] = {
      {592, 1023, 47.3}, {593, 1024, 0},  // the LF of the last line is cut off
      {594, 1025, 0},                     // the whole last line end is cut off
      {599, 1030, 0},                     // cut inside the last value
      {603, 1034, 0},                     // the last colon is the last byte read
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.tailLength);
    DefaultValues v = exampleValues();
    v.airplane.tailNumber = std::string(c.tailLength, 'N');
    const std::string text = formatDefaults(v).text;
    ASSERT_EQ(text.size(), c.fileSize);

    TempFolder folder;
    const fs::path file = folder.file("config.fly");
    writeBytes(file, text);
    const DefaultsLoad load = readDefaultsFile(file);
    ASSERT_EQ(load.outcome, DefaultsRead::Loaded);
    DefaultValues expected = v;
    expected.airplane.cgAftLimit = c.cgAftLimit;
    EXPECT_EQ(load.values, expected);
  }
}

TEST(DefaultsFile, MissingFileCannotBeOpened) {
  TempFolder folder;
  EXPECT_EQ(readDefaultsFile(folder.file("config.fly")).outcome, DefaultsRead::CannotOpen);
  EXPECT_EQ(readDefaultsFile(folder.file("missing/config.fly")).outcome, DefaultsRead::CannotOpen);
}

TEST(DefaultsFile, WritingWhereNoFileCanBeWrittenFails) {
  TempFolder folder;
  const fs::path directory = folder.file("config.fly");
  fs::create_directory(directory);
  EXPECT_EQ(writeDefaultsFile(directory, kExampleText), FileWrite::CannotOpen);
  EXPECT_TRUE(fs::is_directory(directory));
}

// Values that format without a problem come back from the file with every number
// rounded to six decimals and every text unchanged.
TEST(DefaultsFile, RoundTripRoundsNumbersToSixDecimals) {
  const struct {
    const char* name;
    std::string home, tail, type;
    Numbers written;
    Numbers read;
  } cases[] = {
      {"worked example",
       "QQA",
       "N000XY",
       "Trainer",
       {110, 5, 2, 8.5, 40, 1500, 570, 48, 170, 37, 73, 2300, 800, 35, 47.3},
       {110, 5, 2, 8.5, 40, 1500, 570, 48, 170, 37, 73, 2300, 800, 35, 47.3}},
      {"more than six decimals",
       "K1z",
       "N 12 AB",
       "Cessna 172; \"Skyhawk\", 1970",
       {0.1234567, -5.0000004, 2.0000006, 8.4999995, 40.123456789, 1500.0000001, 570.9999996, 48.25, 170.5, 37.1,
        73.0000005, 2300.0001, 800.00000049, 35.333333333, 47.6666666666},
       {0.123457, -5, 2.000001, 8.499999, 40.123457, 1500, 571, 48.25, 170.5, 37.1, 73, 2300.0001, 800, 35.333333,
        47.666667}},
      {"negative and large numbers",
       "",
       "",
       "",
       {-250, -180, -30.5, 1e6, 99999.999999, 1234567.891, -0.0000004, 0, 1e-9, 360, -360, 100000, 0.5, 1e12, -1e11},
       {-250, -180, -30.5, 1e6, 99999.999999, 1234567.891, 0, 0, 0, 360, -360, 100000, 0.5, 1e12, -1e11}},
      {"texts with blanks and symbols", "  Q ", "\tN-1/2 ", "Type #1 (c) 50% a,b;c", {}, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    DefaultValues v;
    v.homeAirport = c.home;
    v.airplane.tailNumber = c.tail;
    v.airplane.airplaneType = c.type;
    setNumbers(v, c.written);
    const FormattedDefaults formatted = formatDefaults(v);
    ASSERT_EQ(formatted.problem, DefaultsProblem::None);

    TempFolder folder;
    const fs::path file = folder.file("config.fly");
    ASSERT_EQ(writeDefaultsFile(file, formatted.text), FileWrite::Written);
    const DefaultsLoad load = readDefaultsFile(file);
    ASSERT_EQ(load.outcome, DefaultsRead::Loaded);
    EXPECT_EQ(load.values.homeAirport, c.home);
    EXPECT_EQ(load.values.airplane.tailNumber, c.tail);
    EXPECT_EQ(load.values.airplane.airplaneType, c.type);
    const Numbers read = numbersOf(load.values);
    for (std::size_t i = 0; i < read.size(); ++i) {
      SCOPED_TRACE(i);
      EXPECT_EQ(read[i], c.read[i]);
    }
  }
}

}  // namespace
}  // namespace orvane
