// The fuel check: every part of the example flight's fuel, short flights, the
// alternate leg, and the policy's ranges.

#include "core/fuel_policy.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/airports.hpp"
#include "core/course_selection.hpp"
#include "core/flight.hpp"
#include "core/geo.hpp"

#include "test_support.hpp"

namespace orvane {
namespace {

using test::CaseName;
using test::kNaN;

// JFK -> PVD -> BOS from the shipped airports, flown with the worked leg's other inputs.
struct ExampleFlight {
  FlightPlan plan;
  double fuelOnBoardAtTakeOff = 0;
};

ExampleFlight flyExample() {
  AirportDatabase airports;
  EXPECT_EQ(loadAirportDatabase(airports, std::filesystem::path(ORVANE_DATA_FOLDER) / "airports.fly"),
            AirportsLoad::Loaded);
  const AirportTable table = parseAirportText(airports.text).table;
  ExampleFlight flight;
  flight.plan.inputs = test::kWorkedLeg;
  flight.fuelOnBoardAtTakeOff = flight.plan.inputs.fuelOnBoard;
  flight.plan.totals.nextTakeOff = {2026, 6, 13, 9, 0, 0};
  const char* const route[] = {"JFK", "PVD", "BOS"};
  RememberedAirports remembered;
  for (std::size_t i = 0; i + 1 < std::size(route); ++i) {
    // As the course window hands it over: the planner takes the course in whole degrees.
    AcceptedLeg accepted;
    accepted.values.originId = route[i];
    accepted.values.destinationId = route[i + 1];
    accepted.values.origin = findAirport(table, route[i]).value();
    accepted.values.destination = findAirport(table, route[i + 1]).value();
    accepted.course = computeCourseDistance(accepted.values.origin, accepted.values.destination);
    takeAcceptedLeg(flight.plan, remembered, accepted);
    EXPECT_TRUE(test::calculateLeg(flight.plan));
  }
  return flight;
}

FuelFlight fuelFlightOf(const ExampleFlight& flight) {
  const FuelFlight fromPlan = orvane::fuelFlightOf(flight.plan);
  // The fuel on board at take-off, not the 24.30 left after the last leg.
  EXPECT_EQ(fromPlan.fuelOnBoard, flight.fuelOnBoardAtTakeOff);
  EXPECT_EQ(fromPlan.conditions.windVelocity, 20);
  return fromPlan;
}

constexpr FuelPolicy kUsualPolicy{
    .taxiGallons = 1, .contingencyPercent = 5, .finalReserveMinutes = 30, .alternate = {}};

// The worked leg as the alternate: TC 90, 60 nm, flown with WD 45, WV 20, TAS 110,
// VAR -5, DEV 2, GPH 8.5 gives FB 5.37 and ETE 37.92.
const AlternateLeg kWorkedAlternate{.fromIdentifier = "BOS",
                                    .fromPosition = {42.3643, -71.005203},
                                    .toIdentifier = "QQC",
                                    .toPosition = {42.3643, -69.65},
                                    .trueCourse = 90,
                                    .distance = 60};

TEST(FuelPlan, ExampleFlightEveryFigure) {
  const ExampleFlight flight = flyExample();
  ASSERT_EQ(flight.plan.navLog.legs.size(), 2U);
  const FuelPlan plan = planFuel(kUsualPolicy, fuelFlightOf(flight));
  EXPECT_EQ(plan.outcome, FuelPlanOutcome::Planned);
  // Taxi 1 gal at 8.5 GPH is 7.06 min; trip FB 11.76 + 3.94 over ETE 82.99 + 27.84
  // (TC 58 and 26; 110.83 from the unrounded times); 5 % of both; 30 min at 8.5 GPH
  // is 4.25 gal.
  EXPECT_EQ(plan.taxi, (FuelAmount{1, 7.06}));
  EXPECT_EQ(plan.trip, (FuelAmount{15.7, 110.83}));
  EXPECT_EQ(plan.contingency, (FuelAmount{0.79, 5.54}));
  EXPECT_EQ(plan.alternate, (FuelAmount{0, 0}));
  EXPECT_EQ(plan.finalReserve, (FuelAmount{4.25, 30}));
  EXPECT_EQ(plan.required, (FuelAmount{21.74, 153.43}));
  EXPECT_EQ(plan.onBoard, (FuelAmount{40, 282.35}));
  EXPECT_EQ(plan.extra, (FuelAmount{18.26, 128.89}));
  EXPECT_TRUE(plan.enough);
  EXPECT_EQ(fuelVerdictText(plan), "Enough fuel: 18.26 gallons extra.");
}

struct FuelCase {
  std::string name;
  FuelPolicy policy;
  FuelFlight flight;
  FuelPlanOutcome outcome;
  FuelAmount alternate;
  FuelAmount finalReserve;
  FuelAmount required;
  FuelAmount extra;
  bool enough;
  std::string verdict;
};

class FuelPlanCases : public ::testing::TestWithParam<FuelCase> {};

// The example flight's trip (15.70 gal, 110.84 min) with other policies and fuel.
constexpr FuelFlight kExampleTrip{
    .tripGallons = 15.7, .tripMinutes = 110.84, .fuelOnBoard = 40, .conditions = test::kWorkedLeg};

FuelFlight withFuel(double fuelOnBoard, FuelFlight flight = kExampleTrip) {
  flight.fuelOnBoard = fuelOnBoard;
  return flight;
}

FuelFlight withConditions(double trueAirspeed, double fuelFlow) {
  FuelFlight flight = kExampleTrip;
  flight.conditions.trueAirspeed = trueAirspeed;
  flight.conditions.fuelFlow = fuelFlow;
  return flight;
}

FuelPolicy withAlternate(double reserveMinutes) {
  FuelPolicy policy = kUsualPolicy;
  policy.finalReserveMinutes = reserveMinutes;
  policy.alternate = kWorkedAlternate;
  return policy;
}

INSTANTIATE_TEST_SUITE_P(
    Parts, FuelPlanCases,
    ::testing::Values(FuelCase{"short_by_1_74",
                               kUsualPolicy,
                               withFuel(20),
                               FuelPlanOutcome::Planned,
                               {},
                               {4.25, 30},
                               {21.74, 153.44},
                               {-1.74, -12.28},
                               false,
                               "Not enough fuel: 1.74 gallons short."},
                      FuelCase{"exactly_enough",
                               kUsualPolicy,
                               withFuel(21.74),
                               FuelPlanOutcome::Planned,
                               {},
                               {4.25, 30},
                               {21.74, 153.44},
                               {0, 0},
                               true,
                               "Enough fuel: 0.00 gallons extra."},
                      // 45 min at 8.5 GPH is 6.375 gal, shown 6.38; alternate 5.37 gal, 37.92 min.
                      FuelCase{"alternate_and_45_minutes",
                               withAlternate(45),
                               kExampleTrip,
                               FuelPlanOutcome::Planned,
                               {5.37, 37.92},
                               {6.38, 45},
                               {29.24, 206.36},
                               {10.76, 75.95},
                               true,
                               "Enough fuel: 10.76 gallons extra."},
                      FuelCase{"alternate_makes_it_short",
                               withAlternate(45),
                               withFuel(29),
                               FuelPlanOutcome::Planned,
                               {5.37, 37.92},
                               {6.38, 45},
                               {29.24, 206.36},
                               {-0.24, -1.69},
                               false,
                               "Not enough fuel: 0.24 gallons short."},
                      // A TAS below 60 cannot fly the alternate: its fuel is unknown, never enough.
                      FuelCase{"alternate_not_flyable",
                               withAlternate(30),
                               withConditions(50, 8.5),
                               FuelPlanOutcome::AlternateNotComputable,
                               {},
                               {4.25, 30},
                               {21.74, 153.44},
                               {18.26, 128.89},
                               false,
                               "Not enough fuel known: the alternate leg cannot be flown with this wind and TAS."},
                      // Without a fuel flow no minutes turn into gallons: the reserve is missing.
                      FuelCase{"no_fuel_flow",
                               withAlternate(30),
                               withConditions(110, 0),
                               FuelPlanOutcome::NoFuelFlow,
                               {},
                               {},
                               {17.49, 116.38},
                               {22.51, 0},
                               false,
                               "Not enough fuel known: enter the fuel flow (GPH) to work out the reserve."},
                      FuelCase{"fuel_flow_not_a_number",
                               kUsualPolicy,
                               withConditions(110, kNaN),
                               FuelPlanOutcome::NoFuelFlow,
                               {},
                               {},
                               {17.49, 116.38},
                               {22.51, 0},
                               false,
                               "Not enough fuel known: enter the fuel flow (GPH) to work out the reserve."}),
    CaseName{});

TEST_P(FuelPlanCases, PartsAndVerdict) {
  const FuelCase& c = GetParam();
  const FuelPlan plan = planFuel(c.policy, c.flight);
  EXPECT_EQ(plan.outcome, c.outcome);
  EXPECT_EQ(plan.alternate, c.alternate);
  EXPECT_EQ(plan.finalReserve, c.finalReserve);
  EXPECT_EQ(plan.required, c.required);
  EXPECT_EQ(plan.extra, c.extra);
  EXPECT_EQ(plan.enough, c.enough);
  EXPECT_EQ(fuelVerdictText(plan), c.verdict);
}

struct PolicyFaultCase {
  std::string name;
  FuelPolicy policy;
  std::string fault;
};

class FuelPolicyFaults : public ::testing::TestWithParam<PolicyFaultCase> {};

FuelPolicy changed(void (*change)(FuelPolicy&)) {
  FuelPolicy policy = withAlternate(30);
  change(policy);
  return policy;
}

INSTANTIATE_TEST_SUITE_P(
    Ranges, FuelPolicyFaults,
    ::testing::Values(
        PolicyFaultCase{"usual", kUsualPolicy, ""},
        PolicyFaultCase{"bounds", changed([](FuelPolicy& p) { p.taxiGallons = 100, p.contingencyPercent = 0; }), ""},
        PolicyFaultCase{"taxi_negative", changed([](FuelPolicy& p) { p.taxiGallons = -0.5; }),
                        "The taxi fuel must be between 0 and 100 gallons."},
        PolicyFaultCase{"taxi_nan", changed([](FuelPolicy& p) { p.taxiGallons = kNaN; }),
                        "The taxi fuel must be between 0 and 100 gallons."},
        PolicyFaultCase{"contingency_over", changed([](FuelPolicy& p) { p.contingencyPercent = 100.5; }),
                        "The contingency must be between 0 and 100 percent."},
        PolicyFaultCase{"reserve_60", changed([](FuelPolicy& p) { p.finalReserveMinutes = 60; }),
                        "The final reserve must be 30 or 45 minutes."},
        PolicyFaultCase{"alternate_course", changed([](FuelPolicy& p) { p.alternate->trueCourse = 361; }),
                        "The alternate's course must be between 0 and 360 degrees."},
        PolicyFaultCase{"alternate_zero_distance", changed([](FuelPolicy& p) { p.alternate->distance = 0; }),
                        "The alternate's distance must be above 0 and at most 10000."},
        PolicyFaultCase{"alternate_position", changed([](FuelPolicy& p) { p.alternate->toPosition.latitude = kNaN; }),
                        "The alternate's positions must be numbers."}),
    CaseName{});

TEST_P(FuelPolicyFaults, NamesWhatIsWrong) { EXPECT_EQ(fuelPolicyFault(GetParam().policy), GetParam().fault); }

}  // namespace
}  // namespace orvane
