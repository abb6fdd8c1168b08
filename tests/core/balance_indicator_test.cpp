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

// Worked examples: a loading (limits 35 to 47.3 in, CG 40 in, 2100 of 2300 LB unless the
// row says otherwise) and what the indicator says of it, with the warnings it draws in
// red. The distances are worked out by hand: 35 - 32.9 = 2.1 in fore, 2425 - 2300 = 125 LB
// over.
struct Example {
  std::string name;
  Loading loading;
  CgStanding cg;
  std::string cgText;
  bool cgWarns;
  WeightStanding weight;
  std::string weightText;
  bool weightWarns;
};

class Standing : public ::testing::TestWithParam<Example> {};

TEST_P(Standing, SaysWhereTheLoadingStandsAndWarnsOnlyOutsideTheLimits) {
  const Example& e = GetParam();
  const BalanceIndicator shown = indicate(e.loading);
  EXPECT_EQ(shown.cg, e.cg);
  EXPECT_EQ(shown.cgText, e.cgText);
  EXPECT_EQ(shown.cgWarns(), e.cgWarns);
  EXPECT_EQ(shown.weight, e.weight);
  EXPECT_EQ(shown.weightText, e.weightText);
  EXPECT_EQ(shown.weightWarns(), e.weightWarns);
}

constexpr bool kWarns = true;
constexpr bool kCalm = false;
constexpr auto kWithin = CgStanding::WithinLimits;
constexpr auto kUnder = WeightStanding::UnderMaximum;
constexpr auto kNoCg = CgStanding::NotShown;
constexpr auto kNoWeight = WeightStanding::NotShown;

INSTANTIATE_TEST_SUITE_P(
    BalanceIndicator, Standing,
    ::testing::Values(
        // The CG against its limits.
        Example{"Inside", {}, kWithin, "CG within the limits", kCalm, kUnder, "200 LB under the maximum weight", kCalm},
        Example{"OnTheForeLimit",
                {.cg = 35},
                kWithin,
                "CG within the limits",
                kCalm,
                kUnder,
                "200 LB under the maximum weight",
                kCalm},
        Example{"OnTheAftLimit",
                {.cg = 47.3},
                kWithin,
                "CG within the limits",
                kCalm,
                kUnder,
                "200 LB under the maximum weight",
                kCalm},
        Example{"Fore",
                {.cg = 32.9},
                CgStanding::ForeOfLimits,
                "CG 2.1 in fore of the limit",
                kWarns,
                kUnder,
                "200 LB under the maximum weight",
                kCalm},
        Example{"Aft",
                {.cg = 49.4},
                CgStanding::AftOfLimits,
                "CG 2.1 in aft of the limit",
                kWarns,
                kUnder,
                "200 LB under the maximum weight",
                kCalm},
        Example{"FarAft",
                {.cg = 68.8095238095238},
                CgStanding::AftOfLimits,
                "CG 21.5 in aft of the limit",
                kWarns,
                kUnder,
                "200 LB under the maximum weight",
                kCalm},
        Example{"AHairAft",
                {.cg = 47.33},
                CgStanding::AftOfLimits,
                "CG less than 0.1 in aft of the limit",
                kWarns,
                kUnder,
                "200 LB under the maximum weight",
                kCalm},
        Example{"ForeLimit0IsALimit",
                {.fore = 0, .cg = 20},
                kWithin,
                "CG within the limits",
                kCalm,
                kUnder,
                "200 LB under the maximum weight",
                kCalm},
        Example{"EqualLimitsOnThem",
                {.fore = 40, .aft = 40},
                kWithin,
                "CG within the limits",
                kCalm,
                kUnder,
                "200 LB under the maximum weight",
                kCalm},
        Example{"EqualLimitsAft",
                {.fore = 40, .aft = 40, .cg = 41},
                CgStanding::AftOfLimits,
                "CG 1 in aft of the limit",
                kWarns,
                kUnder,
                "200 LB under the maximum weight",
                kCalm},
        Example{"LimitsReversed",
                {.fore = 47.3, .aft = 35},
                CgStanding::LimitsReversed,
                "CG fore limit is aft of the aft limit",
                kWarns,
                kUnder,
                "200 LB under the maximum weight",
                kCalm},
        // The gross weight against the maximum.
        Example{"OverTheMaximum",
                {.gross = 2425},
                kWithin,
                "CG within the limits",
                kCalm,
                WeightStanding::OverMaximum,
                "125 LB over the maximum weight",
                kWarns},
        Example{"AtTheMaximum",
                {.gross = 2300},
                kWithin,
                "CG within the limits",
                kCalm,
                WeightStanding::AtMaximum,
                "At the maximum weight",
                kCalm},
        Example{"APoundUnder",
                {.gross = 2299.5},
                kWithin,
                "CG within the limits",
                kCalm,
                kUnder,
                "0.5 LB under the maximum weight",
                kCalm},
        Example{"OverweightAndAft",
                {.cg = 49.4, .gross = 2425},
                CgStanding::AftOfLimits,
                "CG 2.1 in aft of the limit",
                kWarns,
                WeightStanding::OverMaximum,
                "125 LB over the maximum weight",
                kWarns},
        // What cannot be judged is not drawn, and warns of nothing.
        Example{"NoCGComputed",
                {.cg = 60, .wrongData = true},
                kNoCg,
                "",
                kCalm,
                kUnder,
                "200 LB under the maximum weight",
                kCalm},
        Example{"CGNotANumber", {.cg = kNaN}, kNoCg, "", kCalm, kUnder, "200 LB under the maximum weight", kCalm},
        Example{"LimitInfinite", {.aft = kInf}, kNoCg, "", kCalm, kUnder, "200 LB under the maximum weight", kCalm},
        Example{"MaximumWeight0", {.maximum = 0}, kWithin, "CG within the limits", kCalm, kNoWeight, "", kCalm},
        Example{"MaximumWeightNegative", {.maximum = -5}, kWithin, "CG within the limits", kCalm, kNoWeight, "", kCalm},
        Example{
            "MaximumWeightInfinite", {.maximum = kInf}, kWithin, "CG within the limits", kCalm, kNoWeight, "", kCalm},
        Example{"GrossWeightNotANumber", {.gross = kNaN}, kWithin, "CG within the limits", kCalm, kNoWeight, "", kCalm},
        Example{
            "BothLimits0ShowNothing", {.fore = 0, .aft = 0, .gross = 2425}, kNoCg, "", kCalm, kNoWeight, "", kCalm}),
    test::CaseName{});

// The indicator stays up while either scale can be drawn.
TEST(BalanceIndicator, DisappearsOnlyWhenNeitherScaleCanBeDrawn) {
  EXPECT_TRUE(indicate({}).shown());
  EXPECT_TRUE(indicate({.wrongData = true}).shown());  // the weight bar alone
  EXPECT_TRUE(indicate({.maximum = 0}).shown());       // the CG scale alone
  EXPECT_FALSE(indicate({.maximum = 0, .wrongData = true}).shown());
  EXPECT_FALSE(indicate({.fore = 0, .aft = 0, .gross = 2425}).shown());  // no airplane data
}

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
