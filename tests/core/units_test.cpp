// The unit converters: what a typed value shows in its partner field.

#include "core/units.hpp"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace orvane {
namespace {

using Conversion = double (*)(double);

struct ConverterCase {
  const char* name;
  Conversion conversion;
  const char* typed;
  const char* shown;
};

std::string shownInPartner(Conversion conversion, std::string_view typed) {
  return converterText(conversion(converterValue(typed)));
}

TEST(UnitConversions, Examples) {
  const ConverterCase cases[] = {
      {"kilograms to pounds", kilogramsToPounds, "1", "2.204586"},
      {"pounds to kilograms", poundsToKilograms, "1", "0.453600"},
      {"kilometres to statute miles", kilometresToStatuteMiles, "100", "62.140000"},
      {"statute miles to kilometres is no inverse", statuteMilesToKilometres, "62.14", "100.001902"},
      {"metres to feet", metresToFeet, "1000", "3280.839895"},
      {"feet to metres", feetToMetres, "1000", "304.800000"},
      {"nautical to statute miles", nauticalToStatuteMiles, "100", "115.077945"},
      {"statute to nautical miles", statuteToNauticalMiles, "115.077945", "100.000000"},
      {"Celsius to Fahrenheit", celsiusToFahrenheit, "100", "212.000003"},
      {"Fahrenheit to Celsius", fahrenheitToCelsius, "212", "100.000001"},
      {"body temperature", fahrenheitToCelsius, "98.6", "37.000000"},
      {"minus forty", celsiusToFahrenheit, "-40", "-40.000001"},
      {"negative weight", kilogramsToPounds, "-1", "-2.204586"},
  };
  for (const ConverterCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(shownInPartner(c.conversion, c.typed), c.shown);
  }
}

TEST(UnitConversions, TypedTextIsReadAsFarAsItIsANumber) {
  const ConverterCase cases[] = {
      {"trailing letters", poundsToKilograms, "12abc", "5.443200"},
      {"trailing letters, Celsius", celsiusToFahrenheit, "12abc", "53.600001"},
      {"trailing letters, Fahrenheit", fahrenheitToCelsius, "12abc", "-11.111111"},
      {"leading blanks", poundsToKilograms, "  12", "5.443200"},
      {"exponent", poundsToKilograms, "1.2e1", "5.443200"},
      {"incomplete exponent", poundsToKilograms, "12e", "5.443200"},
      {"decimal comma stops the number", poundsToKilograms, "12,5", "5.443200"},
      {"empty field", poundsToKilograms, "", "0.000000"},
      {"empty field, distance", kilometresToStatuteMiles, "", "0.000000"},
      {"empty Celsius field", celsiusToFahrenheit, "", "32.000000"},
      {"empty Fahrenheit field", fahrenheitToCelsius, "", "-17.777778"},
      {"only a minus sign", poundsToKilograms, "-", "0.000000"},
      {"only a point", poundsToKilograms, ".", "0.000000"},
      {"only a minus sign, Celsius", celsiusToFahrenheit, "-", "32.000000"},
      {"only a point, Fahrenheit", fahrenheitToCelsius, ".", "-17.777778"},
      {"letters only", poundsToKilograms, "abc", "0.000000"},
      {"point and digits", poundsToKilograms, ".5", "0.226800"},
  };
  for (const ConverterCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(shownInPartner(c.conversion, c.typed), c.shown);
  }
}

TEST(ConverterText, SixDecimalsWhileTheyFitIn19Characters) {
  const struct {
    double value;
    const char* text;
  } cases[] = {
      {0, "0.000000"},
      {-0.0000004, "-0.000000"},
      {1.0000005, "1.000001"},
      {999999999999.0, "999999999999.000000"},  // 19 characters
      {-99999999999.0, "-99999999999.000000"},  // 19 characters
      {-99999999999.5, "-99999999999.500000"},
      // From here on "%f" would take 20 characters or more: general notation.
      {1e12, "1000000000000"},
      {1.5e12, "1500000000000"},
      {1234567890123.4567, "1234567890123.46"},
      {-1e11, "-100000000000"},
      {-2.5e11, "-250000000000"},
      {1e20, "1e+20"},
      {-1.5e100, "-1.5e+100"},
      // Fifteen digits with an exponent would not fit either: fewer digits are shown.
      {123456789012345678.0, "1.2345678901235e+17"},
      {-123456789012345678.0, "-1.234567890123e+17"},
      {-1.2345678901234567e100, "-1.23456789012e+100"},
      {1.7976931348623157e308, "1.797693134862e+308"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const std::string text = converterText(c.value);
    EXPECT_EQ(text, c.text);
    EXPECT_LE(text.size(), kConverterTextLimit);
  }
}

TEST(ConverterText, NumbersTooLargeForADouble) {
  EXPECT_EQ(shownInPartner(poundsToKilograms, "1e400"), "inf");
  EXPECT_EQ(shownInPartner(kilogramsToPounds, "-1e400"), "-inf");
}

}  // namespace
}  // namespace orvane
