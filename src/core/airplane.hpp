#pragma once
// The airplane's values for weight and balance: the defaults file keeps them, plan
// files carry them, and the weight and balance sheet is filled from them.

#include <string>

namespace orvane {

/// The airplane's values for weight and balance.
struct AirplaneData {
  std::string tailNumber;
  std::string airplaneType;
  double maxWeight = 0;      // [LB] saved as "Gross Weight:"
  double usefulLoad = 0;     // [LB]
  double cgForeLimit = 0;    // [inches]
  double cgAftLimit = 0;     // [inches]
  double emptyWeight = 0;    // [LB]
  double emptyMoment = 0;    // [LB-in / 100]
  double pilotWeight = 0;    // [LB]
  double frontSeatsArm = 0;  // [inches]
  double rearSeatsArm = 0;   // [inches]
  double fuelArm = 0;        // [inches]
  friend bool operator==(const AirplaneData&, const AirplaneData&) = default;
};

}  // namespace orvane
