#pragma once
// What several core test files share: special values, names for table rows, a test
// base that restores the time zone, and the worked leg every flight example starts from.

#include <cstdlib>
#include <ctime>
#include <limits>
#include <string>

#include <gtest/gtest.h>

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

/// TC 90, WD 45, WV 20, TAS 110, VAR -5, DEV 2, DIST 60, GPH 8.5, FOB 40, FD 0:
/// GS 94.94 (95), ETE 37.92 (37.918685...), FB 5.37, FL 34.63, WCA 7, TH 83, MH 78, CH 80.
inline constexpr LegInputs kWorkedLeg{.trueCourse = 90,
                                      .windDirection = 45,
                                      .windVelocity = 20,
                                      .trueAirspeed = 110,
                                      .variation = -5,
                                      .deviation = 2,
                                      .distance = 60,
                                      .fuelFlow = 8.5,
                                      .fuelOnBoard = 40,
                                      .flightDistance = 0};

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
