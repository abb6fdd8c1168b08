#pragma once
// What several core test files share: special values, names for table rows, and a test
// base that restores the time zone (the worked leg is in worked_flight.hpp).

#include <cstdlib>
#include <ctime>
#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "../worked_flight.hpp"
#include "core/leg.hpp"

namespace orvane::test {

inline constexpr double kInf = std::numeric_limits<double>::infinity();
inline constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

/// Names each row of a parameterised table after its `name` member.
struct CaseName {
  template <class Row>
  std::string operator()(const ::testing::TestParamInfo<Row>& row) const {
    return row.param.name;
  }
};

// Time zones as POSIX rule strings, which need no time-zone database.
// UTC+1, and UTC+2 from the last Sunday of March 02:00 to the last Sunday of October 03:00.
inline constexpr const char* kCentralEurope = "CET-1CEST,M3.5.0,M10.5.0/3";
// UTC-5, and UTC-4 from the second Sunday of March to the first Sunday of November.
inline constexpr const char* kUsEastern = "EST5EDT,M3.2.0,M11.1.0";
inline constexpr const char* kUtc = "UTC0";

// Saves TZ before each test and restores it (or its absence) afterwards.
template <class Base>
class WithTimeZone : public Base {
 protected:
  void SetUp() override {
    const char* current = std::getenv("TZ");
    hadTimeZone_ = current != nullptr;
    if (hadTimeZone_) savedTimeZone_ = current;
  }

  void TearDown() override {
    if (hadTimeZone_) {
      setenv("TZ", savedTimeZone_.c_str(), 1);
    } else {
      unsetenv("TZ");
    }
    tzset();
  }

  static void useTimeZone(const char* zone) {
    setenv("TZ", zone, 1);
    tzset();
  }

 private:
  bool hadTimeZone_ = false;
  std::string savedTimeZone_;
};

}  // namespace orvane::test
