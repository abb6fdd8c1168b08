// The CG and weight indicator of the weight-and-balance window: what it says and where
// it draws, from the values a calculation left.

#include "core/balance_indicator.hpp"

#include <gtest/gtest.h>

#include "test_support.hpp"

namespace orvane {
namespace {

using test::kInf;
using test::kNaN;

struct Loading {
  double fore = 35;
  double aft = 47.3;
  double cg = 40;
  double gross = 2100;
  double maximum = 2300;
  bool wrongData = false;
};

BalanceIndicator indicate(const Loading& l) {
  BalanceSheet sheet;
  sheet.cgForeLimit = l.fore;
  sheet.cgAftLimit = l.aft;
  sheet.cg = l.cg;
  sheet.grossWeight = l.gross;
  sheet.maxWeight = l.maximum;
  return indicateBalance(sheet, BalanceCheck{l.wrongData, l.gross > l.maximum});
}

struct Case {
  std::string name;
  Loading loading;
  CgStanding cg;
  std::string cgText;
  WeightStanding weight;
  std::string weightText;
};

class Standing : public ::testing::TestWithParam<Case> {};

TEST_P(Standing, SaysWhereTheLoadingStands) {
  const Case& c = GetParam();
  const BalanceIndicator shown = indicate(c.loading);
  EXPECT_EQ(shown.cg, c.cg);
  EXPECT_EQ(shown.cgText, c.cgText);
  EXPECT_EQ(shown.weight, c.weight);
  EXPECT_EQ(shown.weightText, c.weightText);
  EXPECT_EQ(shown.cgWarns(), c.cg == CgStanding::ForeOfLimits || c.cg == CgStanding::AftOfLimits ||
                                 c.cg == CgStanding::LimitsReversed);
  EXPECT_EQ(shown.weightWarns(), c.weight == WeightStanding::OverMaximum);
  EXPECT_EQ(shown.shown(), c.cg != CgStanding::NotShown || c.weight != WeightStanding::NotShown);
}

constexpr auto kWithin = CgStanding::WithinLimits;
constexpr auto kUnder = WeightStanding::UnderMaximum;
const std::string kWithinText = "CG within the limits";
const std::string kUnderText = "200 LB under the maximum weight";

INSTANTIATE_TEST_SUITE_P(
    BalanceIndicator, Standing,
    ::testing::Values(
        Case{"Inside", {}, kWithin, kWithinText, kUnder, kUnderText},
        Case{"OnTheForeLimit", {.cg = 35}, kWithin, kWithinText, kUnder, kUnderText},
        Case{"OnTheAftLimit", {.cg = 47.3}, kWithin, kWithinText, kUnder, kUnderText},
        Case{"Fore", {.cg = 32.9}, CgStanding::ForeOfLimits, "CG 2.1 in fore of the limit", kUnder, kUnderText},
        Case{"Aft", {.cg = 49.4}, CgStanding::AftOfLimits, "CG 2.1 in aft of the limit", kUnder, kUnderText},
        Case{"FarAft", {.cg = 68.8095238095238}, CgStanding::AftOfLimits, "CG 21.5 in aft of the limit", kUnder,
             kUnderText},
        Case{"AHairAft", {.cg = 47.33}, CgStanding::AftOfLimits, "CG less than 0.1 in aft of the limit", kUnder,
             kUnderText},
        Case{"OverTheMaximum", {.gross = 2425}, kWithin, kWithinText, WeightStanding::OverMaximum,
             "125 LB over the maximum weight"},
        Case{"AtTheMaximum", {.gross = 2300}, kWithin, kWithinText, WeightStanding::AtMaximum,
             "At the maximum weight"},
        Case{"APoundUnder", {.gross = 2299.5}, kWithin, kWithinText, kUnder, "0.5 LB under the maximum weight"},
        Case{"ForeLimit0IsALimit", {.fore = 0, .cg = 20}, kWithin, kWithinText, kUnder, kUnderText},
        Case{"EqualLimitsOnThem", {.fore = 40, .aft = 40}, kWithin, kWithinText, kUnder, kUnderText},
        Case{"EqualLimitsAft", {.fore = 40, .aft = 40, .cg = 41}, CgStanding::AftOfLimits,
             "CG 1 in aft of the limit", kUnder, kUnderText},
        Case{"LimitsReversed", {.fore = 47.3, .aft = 35}, CgStanding::LimitsReversed,
             "CG fore limit is aft of the aft limit", kUnder, kUnderText},
        Case{"NoCGComputed", {.wrongData = true}, CgStanding::NotShown, "", kUnder, kUnderText},
        Case{"CGNotANumber", {.cg = kNaN}, CgStanding::NotShown, "", kUnder, kUnderText},
        Case{"LimitInfinite", {.aft = kInf}, CgStanding::NotShown, "", kUnder, kUnderText},
        Case{"MaximumWeight0", {.maximum = 0}, kWithin, kWithinText, WeightStanding::NotShown, ""},
        Case{"MaximumWeightNegative", {.maximum = -5}, kWithin, kWithinText, WeightStanding::NotShown, ""},
        Case{"MaximumWeightInfinite", {.maximum = kInf}, kWithin, kWithinText, WeightStanding::NotShown, ""},
        Case{"GrossWeightNotANumber", {.gross = kNaN}, kWithin, kWithinText, WeightStanding::NotShown, ""},
        Case{"BothLimits0ShowNothing", {.fore = 0, .aft = 0, .gross = 2425}, CgStanding::NotShown, "",
             WeightStanding::NotShown, ""}),
    test::CaseName{});

// Fractions of the drawn scales: the CG scale reaches a quarter span beyond each limit,
// the weight scale a quarter of the maximum beyond it.
TEST(BalanceIndicator, PlacesTheMarkerBetweenTheTicks) {
  const BalanceIndicator inside = indicate({.cg = 41.15});  // half way
  EXPECT_DOUBLE_EQ(inside.foreLimitAt, 1.0 / 6);
  EXPECT_DOUBLE_EQ(inside.aftLimitAt, 5.0 / 6);
  EXPECT_DOUBLE_EQ(inside.cgAt, 0.5);
  EXPECT_EQ(inside.foreLimitText, "35");
  EXPECT_EQ(inside.aftLimitText, "47.3");
  EXPECT_DOUBLE_EQ(indicate({.cg = 35}).cgAt, 1.0 / 6);
  EXPECT_NEAR(indicate({.cg = 32.9}).cgAt, (-2.1 / 12.3 + 0.25) / 1.5, 1e-12);  // fore of its tick
  // Far off the scale the marker waits at its end.
  EXPECT_EQ(indicate({.cg = 68.8}).cgAt, 1);
  EXPECT_EQ(indicate({.cg = -1e300}).cgAt, 0);
  const BalanceIndicator equal = indicate({.fore = 40, .aft = 40, .cg = 39});
  EXPECT_EQ(equal.foreLimitAt, 0.5);
  EXPECT_EQ(equal.aftLimitAt, 0.5);
  EXPECT_EQ(equal.cgAt, 0);
  EXPECT_EQ(indicate({.fore = 40, .aft = 40}).cgAt, 0.5);
}

TEST(BalanceIndicator, FillsTheWeightBarUpToItsEnd) {
  EXPECT_DOUBLE_EQ(indicate({}).maximumAt, 0.8);
  EXPECT_DOUBLE_EQ(indicate({.gross = 2300}).grossWeightAt, 0.8);
  EXPECT_DOUBLE_EQ(indicate({.gross = 1150}).grossWeightAt, 0.4);
  EXPECT_EQ(indicate({.gross = 9000}).grossWeightAt, 1);
  EXPECT_EQ(indicate({.gross = -100}).grossWeightAt, 0);  // a negative load entered
}

// Every position a window can be handed stays a number on the scale.
TEST(BalanceIndicator, NeverDrawsOffTheScale) {
  const double values[] = {0, -1, 1e-300, 1e300, -1e300, kInf, -kInf, kNaN, 35, 47.3};
  for (double fore : values) {
    for (double cg : values) {
      for (double gross : values) {
        const BalanceIndicator shown = indicate({.fore = fore, .cg = cg, .gross = gross, .maximum = fore});
        for (double at : {shown.foreLimitAt, shown.aftLimitAt, shown.cgAt, shown.maximumAt, shown.grossWeightAt}) {
          EXPECT_TRUE(at >= 0 && at <= 1) << fore << " " << cg << " " << gross << " gives " << at;
        }
      }
    }
  }
}

}  // namespace
}  // namespace orvane
