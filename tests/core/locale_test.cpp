// Number and clock texts do not follow the locale: a German desktop, whose decimal
// separator is a comma, still writes and reads "40.5". The process is switched to a German locale for each test and back to
// "C" afterwards. When the machine has no German locale the tests are skipped; the
// test script is expected to generate de_DE.UTF-8.

#include <gtest/gtest.h>

#include <clocale>
#include <string>

#include "core/clock.hpp"
#include "core/field_reading.hpp"
#include "core/numbers.hpp"

namespace orvane {
namespace {

class GermanLocale : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE"}) {
      if (std::setlocale(LC_ALL, name) != nullptr) {
        localeName_ = name;
        break;
      }
    }
    if (localeName_.empty()) {
      GTEST_SKIP() << "no German locale on this machine (tried de_DE.UTF-8, de_DE.utf8, "
                      "de_DE); generate one with `locale-gen de_DE.UTF-8` (package "
                      "`locales`) to run these tests";
    }
    // Make sure the switch took effect: German writes decimals with a comma.
    const std::lconv* conventions = std::localeconv();
    ASSERT_NE(conventions, nullptr);
    ASSERT_STREQ(conventions->decimal_point, ",") << "locale " << localeName_ << " does not use a decimal comma";
  }

  void TearDown() override { std::setlocale(LC_ALL, "C"); }

  std::string localeName_;
};

TEST_F(GermanLocale, SixDecimalsUseAPoint) {
  EXPECT_EQ(formatSixDecimals(40.5), "40.500000");
  EXPECT_EQ(formatSixDecimals(-3.5), "-3.500000");
  EXPECT_EQ(formatFixed(0.125, 2), "0.13");
}

TEST_F(GermanLocale, GeneralNotationUsesAPoint) {
  EXPECT_EQ(formatGeneral(37.92), "37.92");
  EXPECT_EQ(formatGeneral(1e-5), "1e-05");
  EXPECT_EQ(fieldText(0.333333333333333), "0.333333333333333");
  EXPECT_EQ(formatGeneral(1234567.0), "1234567");  // no thousands separator
}

TEST_F(GermanLocale, LeadingNumberReadsAPoint) {
  EXPECT_EQ(leadingNumber("40.5"), 40.5);
  EXPECT_EQ(leadingNumber("4.05e1"), 40.5);
  EXPECT_EQ(leadingNumber("40,5"), 40.0);  // the comma is not a decimal separator
}

TEST_F(GermanLocale, FieldReadingAcceptsAPoint) {
  const FieldReading reading = readNumberField("40.5");
  EXPECT_EQ(reading.status, FieldStatus::Accepted);
  EXPECT_EQ(reading.value, 40.5);
  EXPECT_EQ(readNumberField("40,5").status, FieldStatus::NotANumber);
}

TEST_F(GermanLocale, RoundingIsUnaffected) {
  EXPECT_EQ(roundToHundredths(2.675), 2.67);
  EXPECT_EQ(roundToHundredths(37.918685485569831), 37.92);
}

TEST_F(GermanLocale, MessagesAndClockTextsAreUnaffected) {
  EXPECT_EQ(outOfRangeMessage(NumberRange{0, 0.5}), "Please enter a number between 0 and 0.5.");
  EXPECT_EQ(formatClock(9, 5, 7), "9:05:07");
}

}  // namespace
}  // namespace orvane
