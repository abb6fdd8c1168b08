// The clock helpers: clock texts and local-time arithmetic in several time zones.
//
// Every test that touches local time sets its own time zone through TZ, with POSIX
// rule strings that need no time-zone database, and the fixture puts the previous TZ
// back in TearDown.

#include "core/clock.hpp"

#include <gtest/gtest.h>

#include <ctime>
#include <limits>

#include "test_support.hpp"

namespace orvane {
namespace {

using test::kCentralEurope;
using test::kUsEastern;
using test::kUtc;
using test::WithTimeZone;

constexpr LocalDateTime kWinterNine{2026, 1, 15, 9, 0, 0};

TEST(FormatClock, HourWithoutLeadingZero) {
  EXPECT_EQ(formatClock(9, 5, 7), "9:05:07");
  EXPECT_EQ(formatClock(14, 30, 0), "14:30:00");
  EXPECT_EQ(formatClock(0, 12, 0), "0:12:00");
  EXPECT_EQ(formatClock(0, 0, 0), "0:00:00");
  EXPECT_EQ(formatClock(23, 59, 59), "23:59:59");
  EXPECT_EQ(formatClock(LocalDateTime{2026, 1, 15, 9, 37, 55}), "9:37:55");
}

class LocalClock : public WithTimeZone<::testing::Test> {};

TEST_F(LocalClock, ResolveInUtcIsTheSameOnBothClocks) {
  useTimeZone(kUtc);
  const auto instant = resolveLocalTime(kWinterNine);
  ASSERT_TRUE(instant.has_value());
  EXPECT_EQ(instant->local, kWinterNine);
  EXPECT_EQ(instant->utc, kWinterNine);
}

TEST_F(LocalClock, ResolveFollowsTheZonesDaylightSavingRules) {
  useTimeZone(kCentralEurope);
  auto instant = resolveLocalTime(kWinterNine);
  ASSERT_TRUE(instant.has_value());
  EXPECT_EQ(instant->local, kWinterNine);
  EXPECT_EQ(instant->utc, (LocalDateTime{2026, 1, 15, 8, 0, 0}));

  instant = resolveLocalTime({2026, 7, 15, 1, 0, 0});
  ASSERT_TRUE(instant.has_value());
  EXPECT_EQ(instant->utc, (LocalDateTime{2026, 7, 14, 23, 0, 0}));

  useTimeZone(kUsEastern);
  instant = resolveLocalTime({2026, 7, 15, 22, 0, 0});
  ASSERT_TRUE(instant.has_value());
  EXPECT_EQ(instant->utc, (LocalDateTime{2026, 7, 16, 2, 0, 0}));
}

TEST_F(LocalClock, TimeInTheSpringGapIsMovedOnByTheGap) {
  useTimeZone(kCentralEurope);
  const auto instant = resolveLocalTime({2026, 3, 29, 2, 30, 0});
  ASSERT_TRUE(instant.has_value());
  EXPECT_EQ(instant->local, (LocalDateTime{2026, 3, 29, 3, 30, 0}));
  EXPECT_EQ(instant->utc, (LocalDateTime{2026, 3, 29, 1, 30, 0}));
}

TEST_F(LocalClock, OneSecondBeforeTheEpochIsARealTime) {
  // mktime returns -1 for it, which is also its error value.
  useTimeZone(kUtc);
  const LocalDateTime beforeEpoch{1969, 12, 31, 23, 59, 59};
  const auto instant = resolveLocalTime(beforeEpoch);
  ASSERT_TRUE(instant.has_value());
  EXPECT_EQ(instant->utc, beforeEpoch);
}

TEST_F(LocalClock, YearsBeyondTheClockAreRefused) {
  useTimeZone(kUtc);
  EXPECT_FALSE(resolveLocalTime({10000, 1, 1, 0, 0, 0}).has_value());
  EXPECT_TRUE(resolveLocalTime({9999, 12, 31, 23, 59, 59}).has_value());
  EXPECT_TRUE(resolveLocalTime({1, 1, 1, 0, 0, 0}).has_value());
  EXPECT_FALSE(resolveLocalTime({0, 12, 31, 0, 0, 0}).has_value());
}

TEST_F(LocalClock, AddSeconds) {
  useTimeZone(kCentralEurope);
  auto instant = addSeconds(kWinterNine, 2275);
  ASSERT_TRUE(instant.has_value());
  EXPECT_EQ(instant->local, (LocalDateTime{2026, 1, 15, 9, 37, 55}));
  EXPECT_EQ(instant->utc, (LocalDateTime{2026, 1, 15, 8, 37, 55}));

  instant = addSeconds(kWinterNine, 0);
  ASSERT_TRUE(instant.has_value());
  EXPECT_EQ(instant->local, kWinterNine);

  instant = addSeconds(kWinterNine, -9 * 3600 - 1);
  ASSERT_TRUE(instant.has_value());
  EXPECT_EQ(instant->local, (LocalDateTime{2026, 1, 14, 23, 59, 59}));

  // Across the spring-forward gap: one hour after 01:30 CET is 03:30 CEST.
  instant = addSeconds({2026, 3, 29, 1, 30, 0}, 3600);
  ASSERT_TRUE(instant.has_value());
  EXPECT_EQ(instant->local, (LocalDateTime{2026, 3, 29, 3, 30, 0}));
}

TEST_F(LocalClock, AddSecondsStopsAtTheClocksLastYear) {
  useTimeZone(kUtc);
  EXPECT_TRUE(addSeconds({9999, 12, 31, 23, 59, 58}, 1).has_value());
  EXPECT_FALSE(addSeconds({9999, 12, 31, 23, 59, 59}, 1).has_value());
  EXPECT_FALSE(addSeconds(kWinterNine, 1'000'000'000'000LL).has_value());
  EXPECT_FALSE(addSeconds(kWinterNine, -1'000'000'000'000LL).has_value());
  EXPECT_FALSE(addSeconds(kWinterNine, std::numeric_limits<long long>::max()).has_value());
  EXPECT_FALSE(addSeconds(kWinterNine, std::numeric_limits<long long>::lowest()).has_value());
}

// Five hours east of UTC all year: the clock must read five hours on from UTC now, so
// that a clock read in UTC, or an offset applied the wrong way, cannot pass.
TEST_F(LocalClock, CurrentLocalTimeIsTheZonesClockNow) {
  useTimeZone("XST-5");
  constexpr std::time_t kZoneOffset = 5 * 3600;
  const std::time_t before = std::time(nullptr);
  const LocalDateTime now = currentLocalTime();
  const std::time_t after = std::time(nullptr);

  std::tm shown{};
  shown.tm_year = now.year - 1900;
  shown.tm_mon = now.month - 1;
  shown.tm_mday = now.day;
  shown.tm_hour = now.hour;
  shown.tm_min = now.minute;
  shown.tm_sec = now.second;
  const std::time_t shownAsUtc = timegm(&shown);  // the local reading taken as if it were UTC
  EXPECT_GE(shownAsUtc, before + kZoneOffset);
  EXPECT_LE(shownAsUtc, after + kZoneOffset);
  EXPECT_TRUE(resolveLocalTime(now).has_value());
}

}  // namespace
}  // namespace orvane
