#include "core/clock.hpp"

#include <algorithm>
#include <charconv>
#include <ctime>
#include <limits>

namespace orvane {
namespace {

void appendTwoDigits(std::string& out, int value) {
  out.push_back(static_cast<char>('0' + (value / 10) % 10));
  out.push_back(static_cast<char>('0' + value % 10));
}

bool toLocalTm(std::time_t t, std::tm& out) {
#ifdef _WIN32
  return localtime_s(&out, &t) == 0;
#else
  return localtime_r(&t, &out) != nullptr;
#endif
}

bool toUtcTm(std::time_t t, std::tm& out) {
#ifdef _WIN32
  return gmtime_s(&out, &t) == 0;
#else
  return gmtime_r(&t, &out) != nullptr;
#endif
}

// Days since 1970-01-01 of a proleptic Gregorian date (the civil-calendar count).
long long daysFromCivil(long long year, long long month, long long day) {
  year -= month <= 2 ? 1 : 0;
  const long long era = (year >= 0 ? year : year - 399) / 400;
  const long long yearOfEra = year - era * 400;
  const long long dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const long long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

LocalDateTime fromTm(const std::tm& tm) {
  return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

// The instant the wall-clock time names when read with the daylight flag given, and
// whether that reading is a real one: the local clock showed this very time with this
// flag at that instant.
struct Reading {
  std::time_t instant = 0;
  bool shown = false;
};

std::optional<Reading> readWallClock(const LocalDateTime& time, int daylightSaving) {
  std::tm tm{};
  tm.tm_year = time.year - 1900;
  tm.tm_mon = time.month - 1;
  tm.tm_mday = time.day;
  tm.tm_hour = time.hour;
  tm.tm_min = time.minute;
  tm.tm_sec = time.second;
  tm.tm_isdst = daylightSaving;  // -1: the zone's rules for that date decide
  const std::time_t t = std::mktime(&tm);
  if (t == static_cast<std::time_t>(-1)) {
    // -1 is also one second before 1970 UTC; only an unchanged tm tells an error.
    std::tm check{};
    if (!toLocalTm(t, check) || fromTm(check).year != time.year) return std::nullopt;
  }
  const bool sameFlag = daylightSaving < 0 || (tm.tm_isdst > 0) == (daylightSaving > 0);
  return Reading{t, sameFlag && fromTm(tm) == time};
}

std::optional<std::time_t> toTimeT(const LocalDateTime& time, int daylightSaving) {
  if (daylightSaving == kDaylightSavingByRules) {
    // In the hour that an autumn change repeats, mktime's own choice depends on what
    // the process converted before. Take the earlier of the two instants, so that
    // the same picker time always gives the same leg.
    const auto summer = readWallClock(time, 1);
    const auto winter = readWallClock(time, 0);
    if (summer && winter && summer->shown && winter->shown) {
      return std::min(summer->instant, winter->instant);
    }
  }
  const auto reading = readWallClock(time, daylightSaving);
  if (!reading) return std::nullopt;
  return reading->instant;
}

std::optional<ClockInstant> instantAt(std::time_t t) {
  std::tm local{};
  std::tm utc{};
  if (!toLocalTm(t, local) || !toUtcTm(t, utc)) return std::nullopt;
  ClockInstant instant{fromTm(local), fromTm(utc), local.tm_isdst > 0};
  if (instant.local.year > kLatestClockYear || instant.local.year < 1) return std::nullopt;
  return instant;
}

}  // namespace

std::string formatClock(int hour, int minute, int second) {
  std::string out;
  char buffer[16];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, hour);
  out.append(buffer, result.ptr);
  out.push_back(':');
  appendTwoDigits(out, minute);
  out.push_back(':');
  appendTwoDigits(out, second);
  return out;
}

std::string formatClock(const LocalDateTime& time) { return formatClock(time.hour, time.minute, time.second); }

std::string formatDate(const LocalDateTime& time) {
  std::string out;
  char buffer[16];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, time.year);
  const auto digits = static_cast<std::size_t>(result.ptr - buffer);
  if (digits < 4) out.append(4 - digits, '0');
  out.append(buffer, result.ptr);
  out.push_back('-');
  appendTwoDigits(out, time.month);
  out.push_back('-');
  appendTwoDigits(out, time.day);
  return out;
}

std::optional<ClockInstant> resolveLocalTime(const LocalDateTime& time, int daylightSaving) {
  const auto t = toTimeT(time, daylightSaving);
  if (!t) return std::nullopt;
  return instantAt(*t);
}

std::optional<ClockInstant> addSeconds(const LocalDateTime& time, long long seconds, int daylightSaving) {
  const auto t = toTimeT(time, daylightSaving);
  if (!t) return std::nullopt;
  // Ten thousand years is past any date the clock can show; this also keeps the sum
  // clear of the time type's limits.
  constexpr long long kLimit = 10'000LL * 366 * 24 * 3600;
  if (seconds > kLimit || seconds < -kLimit) return std::nullopt;
  return instantAt(*t + static_cast<std::time_t>(seconds));
}

LocalDateTime currentLocalTime() {
  std::tm local{};
  if (!toLocalTm(std::time(nullptr), local)) return {};
  return fromTm(local);
}

int daysBetween(const LocalDateTime& from, const LocalDateTime& to) noexcept {
  const long long days = daysFromCivil(to.year, to.month, to.day) - daysFromCivil(from.year, from.month, from.day);
  return static_cast<int>(
      std::clamp<long long>(days, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

}  // namespace orvane
