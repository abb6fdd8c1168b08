#include "core/units.hpp"

#include "core/numbers.hpp"

namespace orvane {

std::string converterText(double value) {
  std::string text = formatSixDecimals(value);
  // Fifteen significant digits with an exponent can still be too long
  // ("-1.23456789012346e+100"): give up digits until the text fits.
  for (int digits = 15; text.size() > kConverterTextLimit && digits > 0; --digits) {
    text = formatGeneral(value, digits);
  }
  return text;
}

double converterValue(std::string_view text) noexcept { return leadingNumber(text); }

}  // namespace orvane
