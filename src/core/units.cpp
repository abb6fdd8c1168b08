#include "core/units.hpp"

#include "core/numbers.hpp"

namespace orvane {

std::string converterText(double value) {
  std::string text = formatSixDecimals(value);
  if (text.size() > kConverterTextLimit) text = formatGeneral(value);
  return text;
}

double converterValue(std::string_view text) noexcept { return leadingNumber(text); }

}  // namespace orvane
