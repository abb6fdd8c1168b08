#pragma once
// Weight and balance: gross weight, gross moment and centre of gravity of the loaded
// airplane from a loading table of six rows.

#include <optional>
#include <string>

#include "core/airplane.hpp"

namespace orvane {

inline constexpr double kFuelPoundsPerGallon = 6.0;
inline constexpr double kMomentScale = 0.01;  // moments are LB-in / 100

struct LoadingRow {
  double weight = 0;  // [LB]
  double arm = 0;     // [inches]
  double moment = 0;  // [LB-in / 100]
};

/// The moments the last Calculate worked out [LB-in / 100], one for each row whose
/// moment Calculate works out: while a row still shows its own, the moment follows
/// the row's weight and arm. Empty for a moment the pilot entered, kept as entered.
struct WorkedOutMoments {
  std::optional<double> frontSeats;
  std::optional<double> rearSeats;
  std::optional<double> fuel;
  std::optional<double> baggage;
  std::optional<double> other;
};

struct BalanceSheet {
  std::string tailNumber;
  std::string airplaneType;
  double maxWeight = 0;      // [LB]
  double usefulLoad = 0;     // [LB]
  double fuelOnBoard = 0;    // [US gallons]
  double cgForeLimit = 0;    // [inches]
  double cgAftLimit = 0;     // [inches]
  LoadingRow emptyAircraft;  // weight and moment only
  LoadingRow frontSeats;
  LoadingRow rearSeats;
  LoadingRow fuel;
  LoadingRow baggage;
  LoadingRow other;
  double grossWeight = 0;  // [LB]
  double grossMoment = 0;  // [LB-in / 100]
  double cg = 0;           // [inches]
  WorkedOutMoments workedOut;
};

/// The sheet as the window opens: the airplane's values, and the fuel row weighing
/// 6 LB per gallon on board; everything else 0.
BalanceSheet fillBalanceSheet(const AirplaneData& airplane, double fuelOnBoard) noexcept;

struct BalanceCheck {
  bool wrongData = false;  // "Wrong Data!": no CG can be computed, or a result would lie
                           // beyond every number; it keeps its value
  bool tooHeavy = false;   // "Airplane too heavy!": gross weight above the maximum
};

/// Works out the moments (weight x arm x 0.01), the gross weight and moment, and the
/// CG. A row's moment is worked out when it is 0 or still the one the last Calculate
/// worked out (compared as its field shows it), so that it follows a new weight or
/// arm; any other moment was entered by the pilot and is used as it stands. A gross
/// moment of 0, or a gross weight of 0 under a moment that is not 0, leaves the CG as
/// it was; so does any result that is not a finite number, which keeps its previous
/// value.
BalanceCheck calculateBalance(BalanceSheet& sheet);

/// What the planner takes back when the window closes: the airplane values and the
/// fuel on board. Loads beyond the airplane's own (rear seats, baggage, other) are not.
void takeBackBalanceSheet(const BalanceSheet& sheet, AirplaneData& airplane, double& fuelOnBoard);

inline constexpr std::string_view kWrongDataMessage = "Wrong Data!";
inline constexpr std::string_view kTooHeavyMessage = "Airplane too heavy!";

}  // namespace orvane
