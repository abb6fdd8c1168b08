#include "core/balance.hpp"

#include <cmath>
#include <cstddef>
#include <iterator>

#include "core/numbers.hpp"

namespace orvane {

BalanceSheet fillBalanceSheet(const AirplaneData& airplane, double fuelOnBoard) noexcept {
  BalanceSheet sheet;
  sheet.tailNumber = airplane.tailNumber;
  sheet.airplaneType = airplane.airplaneType;
  sheet.maxWeight = airplane.maxWeight;
  sheet.usefulLoad = airplane.usefulLoad;
  sheet.cgForeLimit = airplane.cgForeLimit;
  sheet.cgAftLimit = airplane.cgAftLimit;
  sheet.emptyAircraft.weight = airplane.emptyWeight;
  sheet.emptyAircraft.moment = airplane.emptyMoment;
  sheet.frontSeats.weight = airplane.pilotWeight;
  sheet.frontSeats.arm = airplane.frontSeatsArm;
  sheet.rearSeats.arm = airplane.rearSeatsArm;
  sheet.fuel.arm = airplane.fuelArm;
  sheet.fuelOnBoard = fuelOnBoard;
  sheet.fuel.weight = fuelOnBoard * kFuelPoundsPerGallon;
  return sheet;
}

BalanceCheck calculateBalance(BalanceSheet& s) {
  LoadingRow* const rows[] = {&s.baggage, &s.frontSeats, &s.fuel, &s.other, &s.rearSeats};
  std::optional<double>* const workedOut[] = {&s.workedOut.baggage, &s.workedOut.frontSeats, &s.workedOut.fuel,
                                              &s.workedOut.other, &s.workedOut.rearSeats};
  const LoadingRow rowsBefore[] = {s.baggage, s.frontSeats, s.fuel, s.other, s.rearSeats};
  const std::optional<double> workedOutBefore[] = {s.workedOut.baggage, s.workedOut.frontSeats, s.workedOut.fuel,
                                                   s.workedOut.other, s.workedOut.rearSeats};
  const double grossMomentBefore = s.grossMoment;
  const double grossWeightBefore = s.grossWeight;
  const double cgBefore = s.cg;

  // A moment the pilot entered is kept; one worked out before follows the row.
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    LoadingRow& row = *rows[i];
    std::optional<double>& own = *workedOut[i];
    if (row.moment == 0 || (own && sameAsShown(row.moment, *own))) {
      row.moment = row.weight * row.arm * kMomentScale;
      own = row.moment;
    } else {
      own.reset();
    }
  }
  s.grossMoment = s.emptyAircraft.moment + s.other.moment + s.fuel.moment + s.frontSeats.moment + s.rearSeats.moment +
                  s.baggage.moment;
  s.grossWeight = s.rearSeats.weight + s.other.weight + s.fuel.weight + s.frontSeats.weight + s.emptyAircraft.weight +
                  s.baggage.weight;

  BalanceCheck check;
  if (s.grossMoment != 0 && s.grossWeight != 0) {
    s.cg = s.grossMoment * 100 / s.grossWeight;
  } else {
    check.wrongData = true;
  }
  check.tooHeavy = s.grossWeight > s.maxWeight;

  // A load next to nothing under a large moment, or a refused value beyond its range
  // multiplied up, can give a result beyond the largest double, which its field could
  // not read back: every later Calculate would stop at it. Such a result keeps the
  // value it had, and the pilot is told as when no CG can be computed.
  auto keep = [&check](double& value, double previous) {
    if (std::isfinite(value)) return;
    value = previous;
    check.wrongData = true;
  };
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    if (!std::isfinite(rows[i]->moment)) *workedOut[i] = workedOutBefore[i];
    keep(rows[i]->moment, rowsBefore[i].moment);
  }
  keep(s.grossMoment, grossMomentBefore);
  keep(s.grossWeight, grossWeightBefore);
  keep(s.cg, cgBefore);
  return check;
}

void takeBackBalanceSheet(const BalanceSheet& sheet, AirplaneData& airplane, double& fuelOnBoard) {
  airplane.emptyWeight = sheet.emptyAircraft.weight;
  airplane.emptyMoment = sheet.emptyAircraft.moment;
  airplane.pilotWeight = sheet.frontSeats.weight;
  airplane.frontSeatsArm = sheet.frontSeats.arm;
  airplane.rearSeatsArm = sheet.rearSeats.arm;
  airplane.fuelArm = sheet.fuel.arm;
  airplane.tailNumber = sheet.tailNumber;
  airplane.airplaneType = sheet.airplaneType;
  airplane.maxWeight = sheet.maxWeight;
  airplane.usefulLoad = sheet.usefulLoad;
  fuelOnBoard = sheet.fuelOnBoard;
  airplane.cgForeLimit = sheet.cgForeLimit;
  airplane.cgAftLimit = sheet.cgAftLimit;
}

}  // namespace orvane
