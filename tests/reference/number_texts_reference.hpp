#pragma once
// A frozen copy of the number texts and of the leg computation as they were written
// before they were made faster, kept only so that tests can compare the two.

#include <cstdint>
#include <string>
#include <string_view>

#include "core/leg.hpp"

namespace orvane::reference {

std::string formatFixed(double value, int decimals);
std::string formatSixDecimals(double value);
std::string formatGeneral(double value, int significantDigits = 15);
std::string fieldText(double value);
double roundToHundredths(double value) noexcept;
std::int32_t roundToWhole(double value) noexcept;
double decimalValue(std::string_view numberText) noexcept;
LegComputation computeLeg(const LegInputs& inputs) noexcept;

}  // namespace orvane::reference
