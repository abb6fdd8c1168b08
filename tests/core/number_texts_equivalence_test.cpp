// The quick number texts and leg computation against the frozen copy of the plain ones:
// every text, every hundredths rounding and every leg result must be the same, bit for
// bit. Hard cases first (halves at each decimal, carries, the ends of the double range),
// then deterministic pseudo-random values from several distributions, weighted towards
// the half-way points where a quicker way could go wrong.

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>

#include "../reference/number_texts_reference.hpp"
#include "core/leg.hpp"
#include "core/numbers.hpp"
#include "test_support.hpp"

namespace orvane {
namespace {

using test::kInf;
using test::kNaN;

// splitmix64: the same sequence on every machine and every run.
class Sequence {
 public:
  explicit Sequence(std::uint64_t seed) : state_(seed) {}
  std::uint64_t next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15u);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
    return z ^ (z >> 31);
  }
  double unit() { return static_cast<double>(next() >> 11) * 0x1.0p-53; }  // [0, 1)
  double between(double low, double high) { return low + (high - low) * unit(); }
  int below(int count) { return static_cast<int>(next() % static_cast<std::uint64_t>(count)); }

 private:
  std::uint64_t state_;
};

std::string bitsText(double value) {
  std::array<char, 24> buffer{};
  const auto end =
      std::to_chars(buffer.data(), buffer.data() + buffer.size(), std::bit_cast<std::uint64_t>(value), 16).ptr;
  return "0x" + std::string(buffer.data(), end);
}

// `steps` units in the last place away from `value` (towards +inf when positive).
double ulpsAway(double value, int steps) {
  const double toward = steps > 0 ? kInf : -kInf;
  for (int i = 0; i < (steps > 0 ? steps : -steps); ++i) value = std::nextafter(value, toward);
  return value;
}

// Counts differences and reports the first few, so that a broken quick way does not
// flood the log with millions of lines.
class Comparison {
 public:
  void text(const char* what, double value, int parameter, const std::string& quick, const std::string& reference) {
    if (quick == reference) return;
    if (++differences_ <= kReported) {
      ADD_FAILURE() << what << "(" << bitsText(value) << ", " << parameter << ") gave \"" << quick
                    << "\", the plain way \"" << reference << "\"";
    }
  }
  void number(const char* what, double value, double quick, double reference) {
    if (std::bit_cast<std::uint64_t>(quick) == std::bit_cast<std::uint64_t>(reference)) return;
    if (++differences_ <= kReported) {
      ADD_FAILURE() << what << "(" << bitsText(value) << ") gave " << bitsText(quick) << ", the plain way "
                    << bitsText(reference);
    }
  }
  void leg(const LegInputs& in, bool same) {
    if (same) return;
    if (++differences_ <= kReported) {
      ADD_FAILURE() << "computeLeg differs for TC " << bitsText(in.trueCourse) << " WD " << bitsText(in.windDirection)
                    << " WV " << bitsText(in.windVelocity) << " TAS " << bitsText(in.trueAirspeed) << " VAR "
                    << bitsText(in.variation) << " DEV " << bitsText(in.deviation) << " DIST " << bitsText(in.distance)
                    << " GPH " << bitsText(in.fuelFlow) << " FOB " << bitsText(in.fuelOnBoard) << " FD "
                    << bitsText(in.flightDistance);
    }
  }
  int differences() const { return differences_; }

 private:
  static constexpr int kReported = 10;
  int differences_ = 0;
};

// Every text of one value at every decimal count and precision that matters.
void compareEverything(Comparison& c, double value) {
  for (int decimals = 0; decimals <= 10; ++decimals) {
    c.text("formatFixed", value, decimals, formatFixed(value, decimals), reference::formatFixed(value, decimals));
  }
  c.text("formatSixDecimals", value, 6, formatSixDecimals(value), reference::formatSixDecimals(value));
  for (int digits = 0; digits <= 17; ++digits) {
    c.text("formatGeneral", value, digits, formatGeneral(value, digits), reference::formatGeneral(value, digits));
  }
  c.text("fieldText", value, 15, fieldText(value), reference::fieldText(value));
  c.number("roundToHundredths", value, roundToHundredths(value), reference::roundToHundredths(value));
}

// One value, with the decimal count and the precision that its draw chose.
void compareOne(Comparison& c, double value, int decimals, int digits) {
  c.text("formatFixed", value, decimals, formatFixed(value, decimals), reference::formatFixed(value, decimals));
  c.text("formatGeneral", value, digits, formatGeneral(value, digits), reference::formatGeneral(value, digits));
  c.text("fieldText", value, 15, fieldText(value), reference::fieldText(value));
  c.number("roundToHundredths", value, roundToHundredths(value), reference::roundToHundredths(value));
}

// ---- hard cases ------------------------------------------------------------------------

const double kHardValues[] = {
    // halves at each decimal, on both sides of the double nearest them
    0.5,
    0.125,
    0.105,
    1.075,
    2.675,
    1.005,
    1.015,
    1.025,
    0.045,
    100.005,
    37.925,
    9.995,
    99.995,
    999.995,
    0.995,
    0.0005,
    0.00005,
    5e-7,
    5e-11,
    1.5,
    2.5,
    1234.5,
    0.35,
    0.45,
    999999.9999995,
    8.325,
    4.35,
    40.5000005,
    75.2499995,
    0.0049999999999999,
    1e15 + 0.5,
    4503599627370495.5,
    112.5e13 + 0.5,
    // carries into a new leading digit
    9.9999999,
    9.99999999999999,
    99.999999999999986,
    999999999999999.9,
    0.99999999999999989,
    9.9999999999999982,
    0.0009999999999999,
    // the values the planner shows most
    37.92,
    37.918685,
    94.94,
    5.37,
    34.63,
    68.80952380952381,
    179.99999999999983,
    360.0,
    359.995,
    359.996,
    360.004,
    0.1,
    0.2,
    0.3,
    1.0 / 3.0,
    2.0 / 3.0,
    40.5,
    -75.25,
    // whole numbers and the ends of the exact range
    0.0,
    1.0,
    10.0,
    83.0,
    1e14,
    1e15,
    1e16,
    1e17,
    1e20,
    1e21,
    1e22,
    1e23,
    9007199254740992.0,
    9007199254740994.0,
    9007199254740993.0,
    123456789012345678.0,
    4503599627370496.0,
    // tiny and huge
    1e-5,
    1e-4,
    1e-8,
    1e-10,
    1e-300,
    1e-308,
    DBL_MIN,
    4.9406564584124654e-324,
    2.2250738585072009e-308,
    1e300,
    1.7976931348623157e308,
    DBL_MAX,
};

TEST(NumberTextsEquivalence, HardCasesAndTheirNeighbours) {
  Comparison c;
  for (double hard : kHardValues) {
    for (int steps = -3; steps <= 3; ++steps) {
      const double value = ulpsAway(hard, steps);
      compareEverything(c, value);
      compareEverything(c, -value);
    }
  }
  for (double special : {-0.0, kInf, -kInf, kNaN, -kNaN}) compareEverything(c, special);
  EXPECT_EQ(c.differences(), 0);
}

TEST(NumberTextsEquivalence, DecimalCountsOutsideTheUsualRange) {
  Comparison c;
  for (double value : {0.125, 1.075, -75.25, 12345.678, 1e-300, 1e300, DBL_MAX, -0.0, 0.0}) {
    for (int decimals : {-20, -3, -1, 11, 15, 16, 17, 20, 27, 28, 40, 330}) {
      c.text("formatFixed", value, decimals, formatFixed(value, decimals), reference::formatFixed(value, decimals));
    }
    for (int digits : {-5, 18, 20, 40, 400}) {
      c.text("formatGeneral", value, digits, formatGeneral(value, digits), reference::formatGeneral(value, digits));
    }
  }
  EXPECT_EQ(c.differences(), 0);
}

// ---- pseudo-random values --------------------------------------------------------------

constexpr int kDraws = 150'000;  // per distribution: about a second for all of them in Debug

TEST(NumberTextsEquivalence, UniformBitPatterns) {
  Comparison c;
  Sequence s(1);
  for (int i = 0; i < kDraws; ++i) {
    compareOne(c, std::bit_cast<double>(s.next()), s.below(11), 1 + s.below(17));
  }
  EXPECT_EQ(c.differences(), 0);
}

TEST(NumberTextsEquivalence, UniformBetweenMinusAndPlusThousand) {
  Comparison c;
  Sequence s(2);
  for (int i = 0; i < kDraws; ++i) compareOne(c, s.between(-1000, 1000), s.below(11), 1 + s.below(17));
  EXPECT_EQ(c.differences(), 0);
}

TEST(NumberTextsEquivalence, ThousandthsAndHundredthsAFewUlpsAway) {
  Comparison c;
  Sequence s(3);
  for (int i = 0; i < kDraws; ++i) {
    const double k = static_cast<double>(static_cast<std::int64_t>(s.next() % 2'000'001) - 1'000'000);
    const double base = (i % 2 == 0) ? k / 1000 : k / 100;
    compareOne(c, ulpsAway(base, s.below(9) - 4), 1 + s.below(3), 1 + s.below(17));
  }
  EXPECT_EQ(c.differences(), 0);
}

TEST(NumberTextsEquivalence, HalfWayAtEachDecimalCount) {
  // (k + 0.5) / 10^d lies on a half-way point for formatFixed(v, d), within an ulp.
  Comparison c;
  Sequence s(4);
  for (int i = 0; i < kDraws; ++i) {
    const int decimals = s.below(11);
    const double k = static_cast<double>(s.next() % 100'000'000);
    const double value = ulpsAway((k + 0.5) / std::pow(10.0, decimals), s.below(5) - 2);
    compareOne(c, i % 2 == 0 ? value : -value, decimals, 1 + s.below(17));
  }
  EXPECT_EQ(c.differences(), 0);
}

TEST(NumberTextsEquivalence, HalfWayAtEachPrecision) {
  // n.5 x 10^e with n of `digits` digits lies on a half-way point for formatGeneral.
  Comparison c;
  Sequence s(5);
  for (int i = 0; i < kDraws; ++i) {
    const int digits = 1 + s.below(16);
    const double n = std::floor(std::pow(10.0, digits - 1) * (1 + 9 * s.unit()));
    const double value = ulpsAway((n + 0.5) * std::pow(10.0, s.below(40) - 20 - (digits - 1)), s.below(5) - 2);
    compareOne(c, value, s.below(11), digits);
  }
  EXPECT_EQ(c.differences(), 0);
}

TEST(NumberTextsEquivalence, NearPowersOfTen) {
  // 9.99... just below a power of ten carries into one more digit at every precision.
  Comparison c;
  Sequence s(6);
  for (int i = 0; i < kDraws / 10; ++i) {
    const double power = std::pow(10.0, s.below(60) - 30);
    compareOne(c, ulpsAway(power, s.below(2001) - 1000), s.below(11), 1 + s.below(17));
  }
  EXPECT_EQ(c.differences(), 0);
}

// ---- the leg computation ---------------------------------------------------------------

void compareLegs(Comparison& c, const LegInputs& in) {
  const LegComputation quick = computeLeg(in);
  const LegComputation plain = reference::computeLeg(in);
  const auto same = [](double a, double b) {
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
  };
  const LegResults& q = quick.results;
  const LegResults& p = plain.results;
  c.leg(in, quick.outcome == plain.outcome && q.windCorrectionAngle == p.windCorrectionAngle &&
                q.trueHeading == p.trueHeading && q.magneticHeading == p.magneticHeading &&
                q.compassHeading == p.compassHeading && q.groundSpeed == p.groundSpeed &&
                same(q.groundSpeedExact, p.groundSpeedExact) && same(q.eteMinutes, p.eteMinutes) &&
                same(q.eteMinutesExact, p.eteMinutesExact) && same(q.fuelBurned, p.fuelBurned) &&
                same(q.fuelBurnedExact, p.fuelBurnedExact) && same(q.fuelLeft, p.fuelLeft) &&
                q.fuelShort == p.fuelShort && same(q.flightDistance, p.flightDistance) &&
                same(q.distanceRemaining, p.distanceRemaining) && same(q.trueCourse, p.trueCourse) &&
                same(q.windDirection, p.windDirection) && same(q.variation, p.variation) && q.etaText == p.etaText);
}

LegInputs leg(double tc, double wd, double wv, double tas, double var, double dev, double dist, double gph = 8.5,
              double fob = 40, double fd = 0) {
  return LegInputs{.trueCourse = tc,
                   .windDirection = wd,
                   .windVelocity = wv,
                   .trueAirspeed = tas,
                   .variation = var,
                   .deviation = dev,
                   .distance = dist,
                   .fuelFlow = gph,
                   .fuelOnBoard = fob,
                   .flightDistance = fd};
}

TEST(LegComputationEquivalence, TheKnownLegs) {
  const LegInputs legs[] = {
      test::kWorkedLeg,
      leg(90, 0, 0, 100, -5, 2, 60),
      leg(5, 0, 0, 100, -10, 3, 60),
      leg(90, 90, 20, 100, 0, 0, 60),
      leg(90, 270, 20, 100, 0, 0, 60),
      leg(0, 90, 20, 100, 0, 0, 60),
      leg(0, 270, 20, 100, 0, 0, 60),
      leg(350, 20, 30, 120, 0, 0, 60),
      leg(90, 45, 20, 60, -5, 2, 60),
      leg(360, 0, 0, 100, 0, 0, 60),
      leg(350, 0, 0, 100, 10, 0, 60),
      leg(360.004, 0, 0, 100, 0, 0, 60),
      leg(350, 0, 0, 100, 10.004, 2, 60),
      leg(359.996, 0, 0, 100, 0, 0, 60),
      leg(-0.004, 0, 0, 100, 0, 0, 60),
      leg(12.4951, 0, 0, 100, 0, 0, 60),
      leg(0, 270, 2.61, 100, 0, 0, 60),
      leg(358.6, 0, 0, 100, 0, 3, 60),
      leg(1.2, 0, 0, 100, 0, -3, 60),
      leg(45.678, 45.678, 0, 100, 12.345, 0, 60),
      leg(-10, 0, 0, 100, 0, 0, 60),
      leg(90, 45, 20, 110, -5, 2, 0),
      leg(90, 45, 20, 110, -5, 2, 60, 8.5, 5.3718),
      leg(90, 45, 20, 110, -5, 2, 60, 8.5, 5.37),
      leg(90, 0, 0, 100, 0, 0, 600, 10, 1),
      leg(90, 45, 20, 110, -5, 2, 60, 8.5, 40, 250),
      leg(0, 0, 0, 50, 0, 0, 60),
      leg(0, 90, 100, 60, 0, 0, 60),
      leg(0, 270, 100, 60, 0, 0, 60),
      leg(0, 90, 60, 60, 0, 0, 60),
      leg(90, 90, 60, 60, 0, 0, 60),
      leg(90, 90, 80, 60, 0, 0, 60),
      leg(90, 90, 59.99, 60, 0, 0, 60),
      leg(90, 45, 20, kNaN, 0, 0, 60),
      leg(90, 45, 20, kInf, 0, 0, 60),
      leg(kNaN, 45, 20, 110, 0, 0, 60),
      leg(90, 45, 20, 110, 0, 0, 1e308),
      leg(90, 45, 20, 110, 0, 0, 60, 1e308),
      leg(1e300, 45, 20, 110, 0, 0, 60),
  };
  Comparison c;
  for (const LegInputs& in : legs) compareLegs(c, in);
  EXPECT_EQ(c.differences(), 0);
}

TEST(LegComputationEquivalence, RandomLegs) {
  Comparison c;
  Sequence s(7);
  for (int i = 0; i < 20'000; ++i) {
    // Typed inputs are hundredths; every other leg takes unrounded ones.
    const auto typed = [&](double low, double high) {
      const double v = s.between(low, high);
      return i % 2 == 0 ? std::round(v * 100) / 100 : v;
    };
    compareLegs(c, leg(typed(-10, 370), typed(0, 360), typed(0, 80), typed(55, 250), typed(-30, 30), typed(-10, 10),
                       typed(0, 600), typed(0, 30), typed(0, 100), typed(-50, 1000)));
  }
  EXPECT_EQ(c.differences(), 0);
}

}  // namespace
}  // namespace orvane
