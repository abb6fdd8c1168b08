// Number texts and roundings.
//
// Every text follows one rule: the value is first written with 17 significant digits,
// and that decimal text is rounded at the last digit kept, halves away from zero. The
// expected texts below were worked out by hand from that rule (and checked against an
// independent decimal implementation), not copied from the code under test. Where the
// rule differs from what glibc's printf prints, the comment says so.

#include "core/numbers.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

#include "test_support.hpp"

namespace orvane {
namespace {

using test::CaseName;
using test::kInf;
using test::kNaN;

struct TextCase {
  const char* name;
  double value;
  const char* text;
};

// ---- formatFixed(value, 2): "%.2f" ------------------------------------------------

// The 17-digit text of the value, and so the hundredths, for each row:
//   0.125     -> 0.12500000000000000 -> 0.13  (printf: 0.12, the double is 0.125 exactly
//                and glibc rounds the tie to even)
//   0.105     -> 0.10500000000000000 -> 0.11  (printf: 0.10, the double lies below)
//   1.075     -> 1.0750000000000000  -> 1.08  (printf: 1.07)
//   100.005   -> 100.00500000000000  -> 100.01 (printf: 100.00)
//   2.675     -> 2.6749999999999998  -> 2.67  (the double lies below the half even
//                at 17 digits)
//   9.995     -> 9.9949999999999992  -> 9.99  (no carry: below the half at 17 digits)
//   0.995     -> 0.99500000000000000 -> 1.00  (carry into a new leading digit;
//                printf: 0.99)
//   99.995    -> 99.995000000000005  -> 100.00 (carry across the point)
//   999.995   -> 999.99500000000000  -> 1000.00
const TextCase kTwoDecimalCases[] = {
    {"Zero", 0.0, "0.00"},
    {"HalfUp", 0.125, "0.13"},
    {"NegativeHalfAwayFromZero", -0.125, "-0.13"},
    {"PointOneOhFive", 0.105, "0.11"},
    {"OnePointOhSevenFive", 1.075, "1.08"},
    {"HundredPointOhOhFive", 100.005, "100.01"},
    {"TwoPointSixSevenFiveLiesBelowHalf", 2.675, "2.67"},
    {"NineNineNineFiveNoCarry", 9.995, "9.99"},
    {"PointNineNineFiveCarriesToOne", 0.995, "1.00"},
    {"CarryAcrossThePoint", 99.995, "100.00"},
    {"CarryToThousand", 999.995, "1000.00"},
    {"NegativeCarry", -0.995, "-1.00"},
    {"WorkedLegX", 15.0612, "15.06"},
    {"WorkedLegEte", 37.918685485569831, "37.92"},
    {"PadsWithZeros", 7.5, "7.50"},
    {"Integer", 110.0, "110.00"},
    {"LargeExact", 1e22, "10000000000000000000000.00"},
    {"NegativeZeroKeepsSign", -0.0, "-0.00"},
    {"TinyNegativeKeepsSign", -0.001, "-0.00"},
    {"VeryTinyNegativeKeepsSign", -1e-300, "-0.00"},
    {"TinyPositive", 1e-300, "0.00"},
    {"NegativeHalfHundredth", -0.005, "-0.01"},
    {"HalfHundredthRoundsUp", 0.005, "0.01"},
    {"JustBelowHalfHundredth", 0.0049, "0.00"},
};

class FormatTwoDecimals : public ::testing::TestWithParam<TextCase> {};

TEST_P(FormatTwoDecimals, FollowsTheSeventeenDigitRule) {
  EXPECT_EQ(formatFixed(GetParam().value, 2), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Numbers, FormatTwoDecimals, ::testing::ValuesIn(kTwoDecimalCases), CaseName{});

// ---- formatSixDecimals: "%f" --------------------------------------------------------

const TextCase kSixDecimalCases[] = {
    {"Zero", 0.0, "0.000000"},
    {"Integer", 110.0, "110.000000"},
    {"NegativeHalf", -3.5, "-3.500000"},
    {"Million", 1e6, "1000000.000000"},
    // 0.0078125 is exact in binary; the seventh decimal is a 5, which goes up
    // (printf: 0.007812, tie to even).
    {"ExactHalfAtSeventhDecimal", 0.0078125, "0.007813"},
    {"NegativeExactHalfAtSeventhDecimal", -0.0078125, "-0.007813"},
    {"Fraction", 40.5, "40.500000"},
    {"Latitude", 47.458611, "47.458611"},
    {"NegativeLongitude", -122.309444, "-122.309444"},
    // 4.9999999999999998e-07: below the half even at 17 digits.
    {"JustBelowHalfMillionth", 5e-7, "0.000000"},
    // 1.5e-06 at 17 digits is 1.5000000000000000e-06: the 5 goes up.
    {"OneAndAHalfMillionths", 1.5e-6, "0.000002"},
    {"CarryThroughAllDecimals", 9.9999996, "10.000000"},
    // 9.9999994999999995 at 17 digits: the seventh decimal is a 4, no carry.
    {"NoCarryBelowHalf", 9.9999995, "9.999999"},
    {"NegativeZeroKeepsSign", -0.0, "-0.000000"},
    {"TinyNegativeKeepsSign", -1e-9, "-0.000000"},
    // No exponent ever; digits beyond the 17th are written as zeros, so 2^70
    // (1180591620717411303424) is written from 1.1805916207174113e+21.
    {"NoExponentForLargeValues", 1e20, "100000000000000000000.000000"},
    {"DigitsBeyondSeventeenAreZeros", 1180591620717411303424.0, "1180591620717411300000.000000"},
};

class FormatSixDecimals : public ::testing::TestWithParam<TextCase> {};

TEST_P(FormatSixDecimals, FollowsTheSeventeenDigitRule) {
  EXPECT_EQ(formatSixDecimals(GetParam().value), GetParam().text);
  EXPECT_EQ(formatFixed(GetParam().value, 6), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Numbers, FormatSixDecimals, ::testing::ValuesIn(kSixDecimalCases), CaseName{});

TEST(FormatFixed, OtherDecimalCountsFollowTheSameRule) {
  EXPECT_EQ(formatFixed(2.5, 0), "3");  // printf "%.0f": "2"
  EXPECT_EQ(formatFixed(-2.5, 0), "-3");
  EXPECT_EQ(formatFixed(0.5, 0), "1");
  EXPECT_EQ(formatFixed(0.49, 0), "0");
  EXPECT_EQ(formatFixed(0.06, 0), "0");  // two places before the first digit
  EXPECT_EQ(formatFixed(0.6, 0), "1");   // rounds up into a new units digit
  EXPECT_EQ(formatFixed(1.25, 1), "1.3");
  EXPECT_EQ(formatFixed(123.456, 3), "123.456");
}

TEST(FormatFixed, NotANumberAndInfinities) {
  EXPECT_EQ(formatFixed(kNaN, 2), "nan");
  EXPECT_EQ(formatFixed(std::copysign(kNaN, -1.0), 2), "-nan");
  EXPECT_EQ(formatFixed(kInf, 2), "inf");
  EXPECT_EQ(formatFixed(-kInf, 2), "-inf");
  EXPECT_EQ(formatSixDecimals(kNaN), "nan");
  EXPECT_EQ(formatSixDecimals(kInf), "inf");
  EXPECT_EQ(formatSixDecimals(-kInf), "-inf");
}

// ---- formatGeneral: "%.15g" -----------------------------------------------------------

const TextCase kGeneralCases[] = {
    {"Zero", 0.0, "0"},
    {"WholeHeading", 83.0, "83"},
    {"NegativeWhole", -12.0, "-12"},
    {"Hundredths", 37.92, "37.92"},
    {"FifteenDigitsOfAThird", 0.333333333333333, "0.333333333333333"},
    {"OneThirdCutAtFifteenDigits", 1.0 / 3.0, "0.333333333333333"},
    {"ExponentFromSixteenDigits", 1e20, "1e+20"},
    {"SmallUsesTwoDigitExponent", 1e-5, "1e-05"},
    {"SmallWithFraction", 0.00001234, "1.234e-05"},
    {"SmallestPlainNotation", 0.0001, "0.0001"},
    {"LargeRoundedToFifteenDigits", 123456789012345678.0, "1.23456789012346e+17"},
    {"FifteenDigitInteger", 999999999999999.0, "999999999999999"},
    {"SixteenDigitIntegerUsesExponent", 1e15, "1e+15"},
    // Rounds to 1.00000000000000e+15: the exponent is decided after rounding.
    {"RoundingCarriesIntoExponentNotation", 999999999999999.9, "1e+15"},
    {"TrailingZerosDropped", 68.80952380952381, "68.8095238095238"},
    {"NegativeCoordinate", -33.86513888888889, "-33.8651388888889"},
    {"SumShownShort", 0.1 + 0.2, "0.3"},
    {"Hundred", 100.0, "100"},
    {"NegativeZeroKeepsSign", -0.0, "-0"},
    {"Infinity", kInf, "inf"},
    {"NegativeInfinity", -kInf, "-inf"},
    {"NotANumber", kNaN, "nan"},
};

class FormatGeneral : public ::testing::TestWithParam<TextCase> {};

TEST_P(FormatGeneral, WritesFifteenSignificantDigitsShortest) {
  EXPECT_EQ(formatGeneral(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Numbers, FormatGeneral, ::testing::ValuesIn(kGeneralCases), CaseName{});

TEST(FormatGeneralPrecision, OtherPrecisions) {
  EXPECT_EQ(formatGeneral(3.14159, 3), "3.14");
  EXPECT_EQ(formatGeneral(1234.5, 4), "1235");  // the half goes away from zero
  EXPECT_EQ(formatGeneral(12345.0, 3), "1.23e+04");
  EXPECT_EQ(formatGeneral(0.5, 0), "0.5");  // a precision of 0 counts as 1, as in "%.0g"
}

TEST(FieldText, ShowsNegativeZeroAsZero) {
  EXPECT_EQ(fieldText(-0.0), "0");
  EXPECT_EQ(fieldText(0.0), "0");
  EXPECT_EQ(fieldText(37.92), "37.92");
  EXPECT_EQ(fieldText(-5.0), "-5");
  EXPECT_EQ(fieldText(1e-7), "1e-07");
  // A rounding that produced a negative zero (roundToHundredths(-0.001)) shows "0".
  EXPECT_EQ(fieldText(roundToHundredths(-0.001)), "0");
}

// ---- roundToHundredths ---------------------------------------------------------------

struct RoundCase {
  const char* name;
  double value;
  double rounded;  // the double nearest the two-decimal text
};

const RoundCase kHundredthsCases[] = {
    {"HalfUp", 0.125, 0.13},
    {"NegativeHalfAwayFromZero", -0.125, -0.13},
    {"PointOneOhFive", 0.105, 0.11},
    {"OnePointOhSevenFive", 1.075, 1.08},
    {"HundredPointOhOhFive", 100.005, 100.01},
    {"TwoPointSixSevenFive", 2.675, 2.67},
    {"PointNineNineFive", 0.995, 1.0},
    {"AlreadyHundredths", 37.92, 37.92},
    {"Whole", 90.0, 90.0},
    // Values of the worked leg.
    {"WorkedLegX", 15.061226, 15.06},
    {"WorkedLegEte", 37.918685485569831, 37.92},
    {"WorkedLegFuelBurned", 5.3718137771223935, 5.37},
    {"WorkedLegFuelLeft", 40 - 5.3718137771223935, 34.63},
    {"SecondLegEte", 30.618074573414791, 30.62},
    {"HeadingBeforeHalf", 12.4951, 12.5},
    {"TrueHeadingTc350", 358.6288, 358.63},
    {"LeftWindHeading", -11.537, -11.54},
    {"RightWindX", 2.0170, 2.02},
    {"CourseHandedBack", 45.678, 45.68},
    {"WrappedJustAboveFullCircle", 0.004, 0.0},
    {"JustBelowFullCircle", 359.996, 360.0},
    // Total flight times.
    {"FirstLegFlightTime", 37.918685485569831 * 0.016666666666666666, 0.63},
    {"TwoLegFlightTime", (37.918685485569831 + 30.618074573414791) * 0.016666666666666666, 1.14},
};

class RoundToHundredths : public ::testing::TestWithParam<RoundCase> {};

TEST_P(RoundToHundredths, RoundsLikeFormattingAndReadingBack) {
  EXPECT_EQ(roundToHundredths(GetParam().value), GetParam().rounded);
}

INSTANTIATE_TEST_SUITE_P(Numbers, RoundToHundredths, ::testing::ValuesIn(kHundredthsCases), CaseName{});

TEST(RoundToHundredthsEdges, TinyNegativeGivesNegativeZero) {
  const double r = roundToHundredths(-0.004);
  EXPECT_EQ(r, 0.0);
  EXPECT_TRUE(std::signbit(r));
  EXPECT_FALSE(r < 0);  // so "below 0" checks of the headings do not see it
}

TEST(RoundToHundredthsEdges, NonFiniteValuesAreReturnedUnchanged) {
  EXPECT_EQ(roundToHundredths(kInf), kInf);
  EXPECT_EQ(roundToHundredths(-kInf), -kInf);
  EXPECT_TRUE(std::isnan(roundToHundredths(kNaN)));
}

TEST(RoundToHundredthsEdges, LargeValuesKeepSeventeenDigits) {
  EXPECT_EQ(roundToHundredths(1e20), 1e20);
  EXPECT_EQ(roundToHundredths(123456.785), 123456.79);  // 123456.78500000000 at 17 digits
}

// ---- roundToWhole --------------------------------------------------------------------

struct WholeCase {
  const char* name;
  double value;
  std::int32_t whole;
};

const WholeCase kWholeCases[] = {
    {"Zero", 0.0, 0},
    {"NegativeZero", -0.0, 0},
    {"HalfGoesUp", 2.5, 3},
    {"NegativeHalfGoesUp", -2.5, -2},
    {"JustBeyondNegativeHalf", -2.51, -3},
    {"TwelveAndAHalf", 12.5, 13},
    {"BelowHalf", 12.4951, 12},
    {"AboveHalf", 94.94, 95},
    {"WorkedLegWca", 7.27, 7},
    {"NegativeBelowHalf", -11.54, -12},
    {"NegativeAboveHalf", -1.8, -2},
    {"NegativeSmall", -0.4, 0},
    {"Whole", 360.0, 360},
    {"CompassHeadingAboveFullCircle", 361.6, 362},
    // The trap of floor(x + 0.5): x + 0.5 rounds up to 1 in doubles, the rule does not.
    {"LargestBelowHalf", 0.49999999999999994, 0},
    {"HighestInt", 2147483647.0, 2147483647},
    {"LowestInt", -2147483648.0, std::numeric_limits<std::int32_t>::lowest()},
    {"SaturatesHigh", 3e9, std::numeric_limits<std::int32_t>::max()},
    {"SaturatesJustAboveHigh", 2147483647.5, std::numeric_limits<std::int32_t>::max()},
    {"SaturatesLow", -3e9, std::numeric_limits<std::int32_t>::lowest()},
    {"SaturatesAtInfinity", kInf, std::numeric_limits<std::int32_t>::max()},
    {"SaturatesAtNegativeInfinity", -kInf, std::numeric_limits<std::int32_t>::lowest()},
    {"NotANumberGivesZero", kNaN, 0},
};

class RoundToWhole : public ::testing::TestWithParam<WholeCase> {};

TEST_P(RoundToWhole, HalvesGoUpward) { EXPECT_EQ(roundToWhole(GetParam().value), GetParam().whole); }

INSTANTIATE_TEST_SUITE_P(Numbers, RoundToWhole, ::testing::ValuesIn(kWholeCases), CaseName{});

TEST(RoundToWholeAfterHundredths, SeesTheValueAlreadyRounded) {
  // 12.4951 becomes 12.5 and then 13, though 12.4951 lies below the half.
  EXPECT_EQ(roundToWhole(roundToHundredths(12.4951)), 13);
  EXPECT_EQ(roundToWhole(12.4951), 12);
}

// ---- leadingNumber -------------------------------------------------------------------

struct LeadingCase {
  const char* name;
  std::string_view text;
  double value;
};

const LeadingCase kLeadingCases[] = {
    {"Plain", "40.5", 40.5},
    {"BlanksAround", " 40.5 ", 40.5},
    {"AllWhiteSpaceSkipped", "\t\n\v\f\r 7", 7.0},
    {"Exponent", "4.05e1", 40.5},
    {"UpperCaseExponent", "1E3", 1000.0},
    {"NegativeExponent", "25e-2", 0.25},
    {"SignedExponent", "1e+2", 100.0},
    {"NegativeNumber", "  -2.5e-1 ", -0.25},
    {"RestIgnored", "12abc", 12.0},
    {"SecondPointIgnored", "1.5.3", 1.5},
    {"TrailingPoint", "5.", 5.0},
    {"LeadingPoint", "+.5", 0.5},
    {"NegativeLeadingPoint", "-.25", -0.25},
    {"ExponentWithoutDigitsIgnored", "1e", 1.0},
    {"SignedExponentWithoutDigitsIgnored", "1e+", 1.0},
    {"ExponentFollowedByText", "2ex", 2.0},
    {"SignAlone", "-", 0.0},
    {"PointAlone", ".", 0.0},
    {"SignAndPoint", "-.", 0.0},
    {"Empty", "", 0.0},
    {"BlanksOnly", "   ", 0.0},
    {"Letters", "abc", 0.0},
    {"DoubleSign", "--5", 0.0},
    {"BlankAfterSign", "- 5", 0.0},
    {"NoHexadecimal", "0x10", 0.0},  // strtod would read 16
    {"NoInfinityWord", "inf", 0.0},
    {"NoNanWord", "nan", 0.0},
    {"CommaIsNotAPoint", "40,5", 40.0},
    {"Overflow", "1e999", kInf},
    {"NegativeOverflow", "-1e999", -kInf},
    {"JustAboveLargestDouble", "1.8e308", kInf},
    {"Underflow", "1e-999", 0.0},
    {"UnderflowFromLongMantissa", "100000e-330", 0.0},
    {"LargeFromSmallMantissa", "0.0001e310", 1e306},
    {"LongMantissa", "123456789012345678901234567890e-29", 1.2345678901234568},
};

class LeadingNumber : public ::testing::TestWithParam<LeadingCase> {};

TEST_P(LeadingNumber, TakesTheNumberAtTheStart) { EXPECT_EQ(leadingNumber(GetParam().text), GetParam().value); }

INSTANTIATE_TEST_SUITE_P(Numbers, LeadingNumber, ::testing::ValuesIn(kLeadingCases), CaseName{});

TEST(LeadingNumberEdges, NegativeUnderflowGivesNegativeZero) {
  const double v = leadingNumber("-1e-999");
  EXPECT_EQ(v, 0.0);
  EXPECT_TRUE(std::signbit(v));
}

TEST(LeadingNumberEdges, SubnormalsAreKept) {
  EXPECT_GT(leadingNumber("4e-320"), 0.0);
  EXPECT_EQ(leadingNumber("4.9406564584124654e-324"), std::numeric_limits<double>::denorm_min());
}

TEST(LeadingNumberEdges, ReadsBackWhatFormatSixDecimalsWrites) {
  for (double v : {0.0, 40.5, -122.309444, 47.458611, 1e6, -3.5}) {
    EXPECT_EQ(leadingNumber(formatSixDecimals(v)), v) << v;
  }
}

// ---- decimalNumberLength and decimalValue ---------------------------------------------

struct LengthCase {
  const char* name;
  std::string_view text;
  std::size_t length;
};

const LengthCase kLengthCases[] = {
    {"Empty", "", 0},
    {"SignOnly", "+", 0},
    {"PointOnly", ".", 0},
    {"Letters", "e5", 0},
    {"LeadingBlankIsNotSkipped", " 1", 0},
    {"Digit", "1", 1},
    {"Full", "-1.5e+3x", 7},
    {"ExponentWithoutDigits", "1e", 1},
    {"SignedExponentWithoutDigits", "1e+", 1},
    {"LeadingPoint", ".5", 2},
    {"TrailingPoint", "5.", 2},
    {"SecondPoint", "1.2.3", 3},
    {"TrailingBlank", "12 ", 2},
    {"LongExponent", "1e-999", 6},
};

class DecimalNumberLength : public ::testing::TestWithParam<LengthCase> {};

TEST_P(DecimalNumberLength, MeasuresTheLongestNumberPrefix) {
  EXPECT_EQ(decimalNumberLength(GetParam().text), GetParam().length);
}

INSTANTIATE_TEST_SUITE_P(Numbers, DecimalNumberLength, ::testing::ValuesIn(kLengthCases), CaseName{});

TEST(DecimalValue, ReadsCompleteNumbers) {
  EXPECT_EQ(decimalValue("37.92"), 37.92);
  EXPECT_EQ(decimalValue("-0.13"), -0.13);
  EXPECT_EQ(decimalValue("+5"), 5.0);
  EXPECT_EQ(decimalValue("1e999"), kInf);
  EXPECT_EQ(decimalValue("-1e999"), -kInf);
  EXPECT_EQ(decimalValue("0.001e-320"), std::numeric_limits<double>::denorm_min() * 2);
  EXPECT_EQ(decimalValue("1e-999999999999999"), 0.0);
  EXPECT_EQ(decimalValue("0e99999"), 0.0);
}

}  // namespace
}  // namespace orvane
