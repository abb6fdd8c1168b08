#pragma once
// Clock texts and local-time arithmetic, with the time-zone rules of the C library
// (the TZ setting on Linux and macOS, the system's zone on Windows).

#include <optional>
#include <string>

namespace orvane {

/// A wall-clock date and time as the pilot sees it on the take-off picker.
struct LocalDateTime {
  int year = 1970;
  int month = 1;  // 1..12
  int day = 1;    // 1..31
  int hour = 0;   // 0..23
  int minute = 0;
  int second = 0;
  friend bool operator==(const LocalDateTime&, const LocalDateTime&) = default;
};

/// "9:05:07", "14:30:00": 24-hour clock, the hour without a leading zero, whatever
/// the locale.
std::string formatClock(int hour, int minute, int second);
std::string formatClock(const LocalDateTime& time);

/// "2026-12-08": the date in ISO 8601 order, whatever the locale.
std::string formatDate(const LocalDateTime& time);

/// Calendar days from the date of `from` to the date of `to`, times of day ignored:
/// 1 from 23:50 to 0:10 the next day, negative when `to` is earlier.
int daysBetween(const LocalDateTime& from, const LocalDateTime& to) noexcept;

/// The latest year the picker and the clock arithmetic accept.
inline constexpr int kLatestClockYear = 9999;

/// An instant: take-off or arrival, seen on the local clock and on the UTC clock.
struct ClockInstant {
  LocalDateTime local;
  LocalDateTime utc;
  bool daylightSaving = false;  // the local clock shows summer time
};

/// Lets the zone's rules decide whether a local time is summer time.
inline constexpr int kDaylightSavingByRules = -1;

/// The local date and time `time` names, daylight saving decided by the zone's rules
/// for that date. A time that falls in the gap of a spring-forward change is moved on
/// by the gap, as the C library does. Empty when the time cannot be represented.
/// `daylightSaving` (0 or 1) tells the two readings of an hour that an autumn change
/// repeats apart; it must come from an instant that showed this very time. Without it
/// such a time is read as the earlier instant (still summer time), whatever the
/// process converted before.
std::optional<ClockInstant> resolveLocalTime(const LocalDateTime& time, int daylightSaving = kDaylightSavingByRules);

/// The instant `seconds` after the local time `time`; empty when it would fall outside
/// the years the clock can show (after 9999) or cannot be represented.
std::optional<ClockInstant> addSeconds(const LocalDateTime& time, long long seconds,
                                       int daylightSaving = kDaylightSavingByRules);

/// The current local date and time.
LocalDateTime currentLocalTime();

}  // namespace orvane
