// Reading a number field: at most the first 31 characters;
// blanks and tabs may surround one complete decimal number; anything else is refused
// with "Please enter a number."; a zero only when the first non-blank character is the
// digit 0; ranges include both bounds, and a value outside has already been taken.

#include "core/field_reading.hpp"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "test_support.hpp"

namespace orvane {
namespace {

using test::CaseName;

// ---- accepted texts ------------------------------------------------------------------

struct AcceptedCase {
  const char* name;
  std::string_view text;
  double value;
};

const AcceptedCase kAcceptedCases[] = {
    {"Integer", "110", 110.0},
    {"Fraction", "37.92", 37.92},
    {"Negative", "-5", -5.0},
    {"ExplicitPlus", "+5", 5.0},
    {"LeadingPoint", ".5", 0.5},
    {"NegativeLeadingPoint", "-.5", -0.5},
    {"TrailingPoint", "5.", 5.0},
    {"Exponent", "4.05e1", 40.5},
    {"UpperCaseSignedExponent", "25E-2", 0.25},
    {"LeadingZeros", "00012", 12.0},
    {"BlanksAround", "  40.5  ", 40.5},
    {"TabsAround", "\t40.5\t", 40.5},
    {"BlanksAndTabsMixed", " \t -3.5 \t ", -3.5},
    {"NegativeFraction", "-0.5", -0.5},  // a non-zero value may start with a sign
    // A zero is accepted when its first non-blank character is the digit 0.
    {"Zero", "0", 0.0},
    {"DoubleZero", "00", 0.0},
    {"ZeroPointZero", "0.0", 0.0},
    {"ZeroWithPoint", "0.", 0.0},
    {"ZeroWithExponent", "0e5", 0.0},
    {"ZeroWithBlanks", "  0  ", 0.0},
    {"ZeroWithTab", "\t0", 0.0},
    {"LargestFinite", "1.7976931348623157e308", 1.7976931348623157e308},
};

class ReadNumberFieldAccepts : public ::testing::TestWithParam<AcceptedCase> {};

TEST_P(ReadNumberFieldAccepts, TakesTheValue) {
  const FieldReading reading = readNumberField(GetParam().text);
  EXPECT_EQ(reading.status, FieldStatus::Accepted);
  EXPECT_EQ(reading.value, GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(FieldReading, ReadNumberFieldAccepts, ::testing::ValuesIn(kAcceptedCases), CaseName{});

// ---- refused texts -------------------------------------------------------------------

struct RefusedCase {
  const char* name;
  std::string_view text;
};

const RefusedCase kRefusedCases[] = {
    {"Empty", ""},
    {"BlanksOnly", "   "},
    {"TabOnly", "\t"},
    // A zero value whose first non-blank character is not the digit 0.
    {"MinusZero", "-0"},
    {"PlusZero", "+0"},
    {"PointZero", ".0"},
    {"MinusZeroPointZero", "-0.0"},
    // Underflow reads as zero, and the text does not start with 0.
    {"UnderflowToZero", "5e-400"},
    {"Letters", "abc"},
    {"TwoNumbers", "1 2"},
    {"TrailingLetters", "12abc"},
    {"LeadingLetters", "x12"},
    {"SignAlone", "-"},
    {"PointAlone", "."},
    {"DoubleSign", "--5"},
    {"BlankAfterSign", "- 5"},
    {"SecondPoint", "1.2.3"},
    {"ExponentWithoutDigits", "1e"},
    {"SignedExponentWithoutDigits", "1e+"},
    {"Hexadecimal", "0x10"},
    {"CommaAsPoint", "40,5"},
    {"InfinityWord", "inf"},
    {"NanWord", "nan"},
    // Only blanks and tabs may surround the number.
    {"TrailingNewline", "5\n"},
    {"LeadingCarriageReturn", "\r5"},
    // Not finite: refused as not a number.
    {"Overflow", "1e999"},
    {"NegativeOverflow", "-1e999"},
    {"JustAboveLargestDouble", "1.8e308"},
    // The 31st character is the exponent's "e": what is read ends in an incomplete exponent.
    {"CutLeavesIncompleteExponent", "0.0000000000000000000000000001e+5"},
};

class ReadNumberFieldRefuses : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(ReadNumberFieldRefuses, AsNotANumber) {
  EXPECT_EQ(readNumberField(GetParam().text).status, FieldStatus::NotANumber);
  // The range does not matter for a text that is not a number.
  EXPECT_EQ(readNumberField(GetParam().text, NumberRange{-1e300, 1e300}).status, FieldStatus::NotANumber);
}

INSTANTIATE_TEST_SUITE_P(FieldReading, ReadNumberFieldRefuses, ::testing::ValuesIn(kRefusedCases), CaseName{});

// ---- the 31-character limit ----------------------------------------------------------

TEST(ReadNumberFieldLimit, IsThirtyOneCharacters) { EXPECT_EQ(kFieldCharLimit, 31U); }

TEST(ReadNumberFieldLimit, ThirtyOneDigitsAreAccepted) {
  const std::string digits(31, '1');
  const FieldReading reading = readNumberField(digits);
  EXPECT_EQ(reading.status, FieldStatus::Accepted);
  EXPECT_EQ(reading.value, 1111111111111111111111111111111.0);
}

TEST(ReadNumberFieldLimit, CharactersAfterTheThirtyFirstAreIgnored) {
  const std::string digits(31, '1');
  for (const std::string& tail :
       {std::string("x"), std::string("abc"), std::string(" 2"), std::string("1"), std::string("e5")}) {
    SCOPED_TRACE("tail \"" + tail + "\"");
    const FieldReading reading = readNumberField(digits + tail);
    EXPECT_EQ(reading.status, FieldStatus::Accepted);
    EXPECT_EQ(reading.value, 1111111111111111111111111111111.0);
  }
}

TEST(ReadNumberFieldLimit, ALetterAtTheThirtyFirstCharacterStillCounts) {
  EXPECT_EQ(readNumberField(std::string(30, '1') + "x").status, FieldStatus::NotANumber);
}

TEST(ReadNumberFieldLimit, TheCutCanChangeTheNumber) {
  // 30 blanks and "12": only "1" is within the first 31 characters.
  const FieldReading cut = readNumberField(std::string(30, ' ') + "12");
  EXPECT_EQ(cut.status, FieldStatus::Accepted);
  EXPECT_EQ(cut.value, 1.0);
  // 31 blanks then a number: nothing but blanks is read.
  EXPECT_EQ(readNumberField(std::string(31, ' ') + "5").status, FieldStatus::NotANumber);
  // The cut drops the exponent digits: "1.5e1" after 27 blanks reads "1.5e", after
  // 28 blanks "1.5".
  EXPECT_EQ(readNumberField(std::string(27, ' ') + "1.5e1").status, FieldStatus::NotANumber);
  const FieldReading beforeExponent = readNumberField(std::string(28, ' ') + "1.5e1");
  EXPECT_EQ(beforeExponent.status, FieldStatus::Accepted);
  EXPECT_EQ(beforeExponent.value, 1.5);
}

// ---- ranges --------------------------------------------------------------------------

struct RangeCase {
  const char* name;
  std::string_view text;
  NumberRange range;
  FieldStatus status;
  double value;
};

constexpr NumberRange kTasRange{60, 250};
constexpr NumberRange kAngleRange{-360, 360};

const RangeCase kRangeCases[] = {
    {"LowestBoundIncluded", "60", kTasRange, FieldStatus::Accepted, 60.0},
    {"HighestBoundIncluded", "250", kTasRange, FieldStatus::Accepted, 250.0},
    {"HighestBoundWithExponent", "2.5e2", kTasRange, FieldStatus::Accepted, 250.0},
    {"Inside", "110", kTasRange, FieldStatus::Accepted, 110.0},
    {"JustBelow", "59.99", kTasRange, FieldStatus::OutOfRange, 59.99},
    {"JustAbove", "250.01", kTasRange, FieldStatus::OutOfRange, 250.01},
    {"ZeroBelowRange", "0", kTasRange, FieldStatus::OutOfRange, 0.0},
    {"FarAbove", "1e300", kTasRange, FieldStatus::OutOfRange, 1e300},
    {"NegativeLowestBound", "-360", kAngleRange, FieldStatus::Accepted, -360.0},
    {"NegativeHighestBound", "360", kAngleRange, FieldStatus::Accepted, 360.0},
    {"NegativeBelow", "-360.0001", kAngleRange, FieldStatus::OutOfRange, -360.0001},
    {"AngleAbove", "360.0001", kAngleRange, FieldStatus::OutOfRange, 360.0001},
    {"AngleWithBlanks", " -5 ", kAngleRange, FieldStatus::Accepted, -5.0},
};

class ReadNumberFieldRange : public ::testing::TestWithParam<RangeCase> {};

TEST_P(ReadNumberFieldRange, IncludesBothBoundsAndCarriesTheValue) {
  const RangeCase& c = GetParam();
  const FieldReading reading = readNumberField(c.text, c.range);
  EXPECT_EQ(reading.status, c.status);
  EXPECT_EQ(reading.value, c.value);  // an out-of-range value has already been taken
}

INSTANTIATE_TEST_SUITE_P(FieldReading, ReadNumberFieldRange, ::testing::ValuesIn(kRangeCases), CaseName{});

TEST(ReadNumberFieldRangeOrder, NotANumberComesBeforeTheRange) {
  EXPECT_EQ(readNumberField("-0", kTasRange).status, FieldStatus::NotANumber);
  EXPECT_EQ(readNumberField("", kTasRange).status, FieldStatus::NotANumber);
  EXPECT_EQ(readNumberField("1e999", kTasRange).status, FieldStatus::NotANumber);
}

TEST(ReadNumberFieldRangeOrder, NoRangeAcceptsAnyFiniteValue) {
  EXPECT_EQ(readNumberField("-1e300").status, FieldStatus::Accepted);
  EXPECT_EQ(readNumberField("1e300").status, FieldStatus::Accepted);
}

// ---- messages ------------------------------------------------------------------------

TEST(FieldMessages, NotANumber) { EXPECT_EQ(kNotANumberMessage, "Please enter a number."); }

TEST(FieldMessages, OutOfRangeWritesTheBoundsInGeneralNotation) {
  EXPECT_EQ(outOfRangeMessage(kTasRange), "Please enter a number between 60 and 250.");
  EXPECT_EQ(outOfRangeMessage(kAngleRange), "Please enter a number between -360 and 360.");
  EXPECT_EQ(outOfRangeMessage(NumberRange{-90, 90}), "Please enter a number between -90 and 90.");
  EXPECT_EQ(outOfRangeMessage(NumberRange{0, 0.5}), "Please enter a number between 0 and 0.5.");
  EXPECT_EQ(outOfRangeMessage(NumberRange{0, 1e20}), "Please enter a number between 0 and 1e+20.");
}

}  // namespace
}  // namespace orvane
