// Weight and balance: the sheet, its calculation and its messages.

#include "core/balance.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "core/numbers.hpp"

namespace orvane {
namespace {

AirplaneData exampleAirplane() {
  AirplaneData a;
  a.tailNumber = "N000XY";
  a.airplaneType = "Trainer";
  a.maxWeight = 2300;
  a.emptyWeight = 1500;
  a.emptyMoment = 1185;
  a.pilotWeight = 340;
  a.frontSeatsArm = 37;
  a.fuelArm = 48;
  return a;
}

// The worked example: 40 gallons on board, 20 LB of baggage at 95 in.
BalanceSheet exampleSheet() {
  BalanceSheet sheet = fillBalanceSheet(exampleAirplane(), 40);
  sheet.baggage.weight = 20;
  sheet.baggage.arm = 95;
  return sheet;
}

std::string shown(double value) { return formatGeneral(value); }

TEST(WeightAndBalance, WorkedExample) {
  BalanceSheet sheet = exampleSheet();
  const BalanceCheck check = calculateBalance(sheet);
  EXPECT_FALSE(check.wrongData);
  EXPECT_FALSE(check.tooHeavy);
  EXPECT_EQ(shown(sheet.frontSeats.moment), "125.8");
  EXPECT_EQ(shown(sheet.fuel.moment), "115.2");
  EXPECT_EQ(shown(sheet.baggage.moment), "19");
  EXPECT_EQ(shown(sheet.rearSeats.moment), "0");
  EXPECT_EQ(shown(sheet.other.moment), "0");
  EXPECT_EQ(shown(sheet.emptyAircraft.moment), "1185");
  EXPECT_EQ(shown(sheet.grossWeight), "2100");
  EXPECT_EQ(shown(sheet.grossMoment), "1445");
  EXPECT_EQ(shown(sheet.cg), "68.8095238095238");
}

TEST(WeightAndBalance, Messages) {
  EXPECT_EQ(kWrongDataMessage, "Wrong Data!");
  EXPECT_EQ(kTooHeavyMessage, "Airplane too heavy!");
}

TEST(WeightAndBalance, WhichMessagesAreShown) {
  AirplaneData noArms;
  noArms.emptyWeight = 1500;

  const struct {
    const char* name;
    BalanceSheet sheet;
    bool wrongData;
    bool tooHeavy;
  } cases[] = {
      {"worked example", exampleSheet(), false, false},
      {"all zero", fillBalanceSheet(AirplaneData{}, 0), true, false},
      // All arms 0: no moment, and 60 LB of fuel above a maximum weight of 0.
      {"fuel on board and no maximum weight", fillBalanceSheet(AirplaneData{}, 10), true, true},
      {"weights but no arms or moments", fillBalanceSheet(noArms, 0), true, true},
      {"gross weight exactly the maximum",
       [] {
         BalanceSheet s = exampleSheet();
         s.maxWeight = 2100;
         return s;
       }(),
       false, false},
      {"gross weight just above the maximum",
       [] {
         BalanceSheet s = exampleSheet();
         s.maxWeight = 2099.99;
         return s;
       }(),
       false, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    BalanceSheet sheet = c.sheet;
    const BalanceCheck check = calculateBalance(sheet);
    EXPECT_EQ(check.wrongData, c.wrongData);
    EXPECT_EQ(check.tooHeavy, c.tooHeavy);
  }
}

TEST(WeightAndBalance, AllZeroLeavesEverythingZero) {
  BalanceSheet sheet = fillBalanceSheet(AirplaneData{}, 0);
  calculateBalance(sheet);
  for (const LoadingRow* row :
       {&sheet.emptyAircraft, &sheet.frontSeats, &sheet.rearSeats, &sheet.fuel, &sheet.baggage, &sheet.other}) {
    EXPECT_EQ(row->weight, 0);
    EXPECT_EQ(row->arm, 0);
    EXPECT_EQ(row->moment, 0);
  }
  EXPECT_EQ(sheet.grossWeight, 0);
  EXPECT_EQ(sheet.grossMoment, 0);
  EXPECT_EQ(sheet.cg, 0);
}

TEST(WeightAndBalance, NoMomentKeepsTheCgAsItWas) {
  BalanceSheet sheet = fillBalanceSheet(AirplaneData{}, 0);
  sheet.cg = 42.5;  // typed by the pilot
  EXPECT_TRUE(calculateBalance(sheet).wrongData);
  EXPECT_EQ(sheet.cg, 42.5);

  // A typed CG is overwritten as soon as there is a moment.
  BalanceSheet example = exampleSheet();
  example.cg = 42.5;
  EXPECT_FALSE(calculateBalance(example).wrongData);
  EXPECT_EQ(shown(example.cg), "68.8095238095238");
}

TEST(WeightAndBalance, MomentWithoutWeightKeepsTheCgAndDividesByNothing) {
  BalanceSheet sheet = fillBalanceSheet(AirplaneData{}, 0);
  sheet.emptyAircraft.moment = 50;
  sheet.cg = 37.5;
  const BalanceCheck check = calculateBalance(sheet);
  EXPECT_TRUE(check.wrongData);
  EXPECT_FALSE(check.tooHeavy);
  EXPECT_EQ(sheet.grossMoment, 50);
  EXPECT_EQ(sheet.grossWeight, 0);
  EXPECT_EQ(sheet.cg, 37.5);
  EXPECT_TRUE(std::isfinite(sheet.cg));
}

// 1e308 LB at 37 in has no moment a double can hold: that moment and the gross ones
// keep what they were, the gross weight (still a number) is taken, and the pilot is told.
TEST(WeightAndBalance, ResultsBeyondEveryNumberKeepTheirValues) {
  BalanceSheet sheet = exampleSheet();
  calculateBalance(sheet);
  const BalanceSheet before = sheet;
  sheet.baggage.weight = 1e308;
  sheet.baggage.arm = 95;
  sheet.baggage.moment = 0;
  const BalanceCheck check = calculateBalance(sheet);
  EXPECT_TRUE(check.wrongData);
  EXPECT_TRUE(check.tooHeavy);
  EXPECT_EQ(sheet.baggage.moment, 0);  // as it was when Calculate was pressed
  EXPECT_EQ(sheet.grossMoment, before.grossMoment);
  EXPECT_EQ(sheet.grossWeight, before.grossWeight + 1e308);
  EXPECT_EQ(sheet.cg, before.cg);
  EXPECT_EQ(sheet.frontSeats.moment, before.frontSeats.moment);
}

// The moments come back from their fields as the fields show them (15 digits).
void readBackAsShown(BalanceSheet& sheet) {
  for (LoadingRow* row : {&sheet.frontSeats, &sheet.rearSeats, &sheet.fuel, &sheet.baggage, &sheet.other}) {
    row->moment = decimalValue(fieldText(row->moment));
  }
}

// After a Calculate the pilot changes a row and calculates again: a moment that
// Calculate worked out follows its row's weight and arm, one the pilot typed stays.
TEST(WeightAndBalance, WorkedOutMomentFollowsItsRowAndATypedOneStays) {
  struct Case {
    const char* name;
    void (*change)(BalanceSheet&);
    const char* frontMoment;
    const char* fuelMoment;
    const char* cg;
  };
  const Case cases[] = {
      {"nothing changed", [](BalanceSheet&) {}, "125.8", "115.2", "68.8095238095238"},
      {"front seats 340 -> 350 LB", [](BalanceSheet& s) { s.frontSeats.weight = 350; }, "129.5", "115.2",
       "68.6587677725119"},  // 1448.7 x 100 / 2110
      {"front seats arm 37 -> 38 in", [](BalanceSheet& s) { s.frontSeats.arm = 38; }, "129.2", "115.2",
       "68.9714285714286"},
      {"fuel 240 -> 180 LB", [](BalanceSheet& s) { s.fuel.weight = 180; }, "125.8", "86.4", "69.421568627451"},
      {"moment typed: kept although the weight changes",
       [](BalanceSheet& s) {
         s.frontSeats.moment = 130;
         s.frontSeats.weight = 350;
       },
       "130", "115.2", "68.6824644549763"},
      {"the worked-out figure typed again: follows as before",
       [](BalanceSheet& s) {
         s.frontSeats.moment = 125.8;
         s.frontSeats.weight = 350;
       },
       "129.5", "115.2", "68.6587677725119"},
      {"moment typed 0: worked out again",
       [](BalanceSheet& s) {
         s.frontSeats.moment = 0;
         s.frontSeats.weight = 200;
       },
       "74", "115.2", "71.0816326530612"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    BalanceSheet sheet = exampleSheet();
    calculateBalance(sheet);
    readBackAsShown(sheet);
    c.change(sheet);
    calculateBalance(sheet);
    EXPECT_EQ(shown(sheet.frontSeats.moment), c.frontMoment);
    EXPECT_EQ(shown(sheet.fuel.moment), c.fuelMoment);
    EXPECT_EQ(shown(sheet.cg), c.cg);
  }

  // A typed moment stays typed through later Calculates, whatever the row does.
  BalanceSheet sheet = exampleSheet();
  calculateBalance(sheet);
  sheet.frontSeats.moment = 130;
  calculateBalance(sheet);
  for (double weight : {350.0, 360.0}) {
    readBackAsShown(sheet);
    sheet.frontSeats.weight = weight;
    calculateBalance(sheet);
    EXPECT_EQ(shown(sheet.frontSeats.moment), "130");
  }
}

TEST(WeightAndBalance, EnteredMomentsAreUsedAsTheyAre) {
  BalanceSheet sheet = exampleSheet();
  sheet.other.weight = 10;
  sheet.other.arm = 100;
  sheet.other.moment = 5;  // not 10 x 100 / 100: the pilot's figure counts
  sheet.emptyAircraft.moment = 1000;
  calculateBalance(sheet);
  EXPECT_EQ(shown(sheet.other.moment), "5");
  EXPECT_EQ(shown(sheet.grossMoment), "1265");  // 1000 + 5 + 115.2 + 125.8 + 0 + 19
  EXPECT_EQ(shown(sheet.grossWeight), "2110");
}

TEST(WeightAndBalance, EveryRowCountsInTheTotals) {
  BalanceSheet sheet;
  sheet.emptyAircraft = {1000, 0, 300};
  sheet.frontSeats = {100, 10, 0};
  sheet.rearSeats = {200, 20, 0};
  sheet.fuel = {300, 30, 0};
  sheet.baggage = {400, 40, 0};
  sheet.other = {500, 50, 0};
  sheet.maxWeight = 5000;
  calculateBalance(sheet);
  EXPECT_EQ(shown(sheet.frontSeats.moment), "10");
  EXPECT_EQ(shown(sheet.rearSeats.moment), "40");
  EXPECT_EQ(shown(sheet.fuel.moment), "90");
  EXPECT_EQ(shown(sheet.baggage.moment), "160");
  EXPECT_EQ(shown(sheet.other.moment), "250");
  EXPECT_EQ(shown(sheet.grossWeight), "2500");
  EXPECT_EQ(shown(sheet.grossMoment), "850");
  EXPECT_EQ(shown(sheet.cg), "34");
}

TEST(WeightAndBalance, NegativeRearSeatsWeightLowersTheGrossWeight) {
  BalanceSheet sheet = exampleSheet();
  sheet.rearSeats.weight = -100;
  sheet.rearSeats.arm = 73;
  calculateBalance(sheet);
  EXPECT_EQ(shown(sheet.rearSeats.moment), "-73");
  EXPECT_EQ(shown(sheet.grossWeight), "2000");
  EXPECT_EQ(shown(sheet.grossMoment), "1372");
  EXPECT_EQ(shown(sheet.cg), "68.6");
}

TEST(WeightAndBalance, FillingTheSheet) {
  AirplaneData airplane = exampleAirplane();
  airplane.usefulLoad = 800;
  airplane.cgForeLimit = 35;
  airplane.cgAftLimit = 47.3;
  airplane.rearSeatsArm = 73;

  const BalanceSheet sheet = fillBalanceSheet(airplane, 40);
  EXPECT_EQ(sheet.tailNumber, "N000XY");
  EXPECT_EQ(sheet.airplaneType, "Trainer");
  EXPECT_EQ(sheet.maxWeight, 2300);
  EXPECT_EQ(sheet.usefulLoad, 800);
  EXPECT_EQ(sheet.cgForeLimit, 35);
  EXPECT_EQ(sheet.cgAftLimit, 47.3);
  EXPECT_EQ(sheet.fuelOnBoard, 40);

  EXPECT_EQ(sheet.emptyAircraft.weight, 1500);
  EXPECT_EQ(sheet.emptyAircraft.moment, 1185);
  EXPECT_EQ(sheet.frontSeats.weight, 340);
  EXPECT_EQ(sheet.frontSeats.arm, 37);
  EXPECT_EQ(sheet.rearSeats.arm, 73);
  EXPECT_EQ(sheet.fuel.arm, 48);
  EXPECT_EQ(sheet.fuel.weight, 240);  // 6 LB per gallon

  // Everything else starts at 0.
  EXPECT_EQ(sheet.emptyAircraft.arm, 0);
  EXPECT_EQ(sheet.frontSeats.moment, 0);
  EXPECT_EQ(sheet.rearSeats.weight, 0);
  EXPECT_EQ(sheet.rearSeats.moment, 0);
  EXPECT_EQ(sheet.fuel.moment, 0);
  for (const LoadingRow* row : {&sheet.baggage, &sheet.other}) {
    EXPECT_EQ(row->weight, 0);
    EXPECT_EQ(row->arm, 0);
    EXPECT_EQ(row->moment, 0);
  }
  EXPECT_EQ(sheet.grossWeight, 0);
  EXPECT_EQ(sheet.grossMoment, 0);
  EXPECT_EQ(sheet.cg, 0);
}

TEST(WeightAndBalance, FuelWeighsSixPoundsPerGallon) {
  const struct {
    double gallons;
    const char* weight;
  } cases[] = {{0, "0"}, {1, "6"}, {40, "240"}, {26.5, "159"}, {0.1, "0.6"}, {150, "900"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.gallons);
    EXPECT_EQ(shown(fillBalanceSheet(AirplaneData{}, c.gallons).fuel.weight), c.weight);
  }
}

TEST(WeightAndBalance, TakingBackCopiesTheThirteenValues) {
  BalanceSheet sheet;
  sheet.tailNumber = "N123AB";
  sheet.airplaneType = "Tourer";
  sheet.maxWeight = 2550;
  sheet.usefulLoad = 900;
  sheet.fuelOnBoard = 120;  // above the planner's range, copied all the same
  sheet.cgForeLimit = 35.5;
  sheet.cgAftLimit = 47.25;
  sheet.emptyAircraft = {1650, 11, 1300};
  sheet.frontSeats = {360, 37.5, 135};
  sheet.rearSeats = {300, 73.5, 220.5};
  sheet.fuel = {444, 48.5, 215.34};
  sheet.baggage = {50, 95, 47.5};
  sheet.other = {10, 120, 12};
  sheet.grossWeight = 2814;
  sheet.grossMoment = 1930.34;
  sheet.cg = 68.6;

  AirplaneData airplane = exampleAirplane();
  double fuelOnBoard = 40;
  takeBackBalanceSheet(sheet, airplane, fuelOnBoard);

  AirplaneData expected;
  expected.tailNumber = "N123AB";
  expected.airplaneType = "Tourer";
  expected.maxWeight = 2550;
  expected.usefulLoad = 900;
  expected.cgForeLimit = 35.5;
  expected.cgAftLimit = 47.25;
  expected.emptyWeight = 1650;
  expected.emptyMoment = 1300;
  expected.pilotWeight = 360;
  expected.frontSeatsArm = 37.5;
  expected.rearSeatsArm = 73.5;
  expected.fuelArm = 48.5;
  EXPECT_EQ(airplane, expected);
  // The fuel on board, not the fuel row's weight (444 LB would be 74 gallons).
  EXPECT_EQ(fuelOnBoard, 120);
}

TEST(WeightAndBalance, OpeningAndClosingWithoutChangesKeepsThePlannerValues) {
  AirplaneData airplane = exampleAirplane();
  airplane.usefulLoad = 800;
  airplane.cgForeLimit = 35;
  airplane.cgAftLimit = 47.3;
  airplane.rearSeatsArm = 73;
  BalanceSheet sheet = fillBalanceSheet(airplane, 40);
  sheet.baggage = {20, 95, 0};
  sheet.rearSeats.weight = 150;
  calculateBalance(sheet);

  AirplaneData back;
  double fuelOnBoard = 0;
  takeBackBalanceSheet(sheet, back, fuelOnBoard);
  EXPECT_EQ(back, airplane);
  EXPECT_EQ(fuelOnBoard, 40);
}

}  // namespace
}  // namespace orvane
