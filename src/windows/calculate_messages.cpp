#include "windows/calculate_messages.hpp"

namespace orvane {

std::string_view calculateOutcomeMessage(CalculateOutcome outcome) {
  switch (outcome) {
    case CalculateOutcome::Calculated: break;
    case CalculateOutcome::AirspeedTooLow: return kEnterCorrectTasMessage;
    case CalculateOutcome::WindTooStrong: return kWindTooStrongMessage;
    case CalculateOutcome::NotComputable: return kNotComputableMessage;
    case CalculateOutcome::ClockOutOfRange: return kClockOutOfRangeMessage;
  }
  return {};
}

}  // namespace orvane
