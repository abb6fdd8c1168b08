#pragma once
// The World Magnetic Model coefficient table (data/WMM.COF), compiled into the program
// as text at build time.

#include <string_view>

namespace orvane {

/// The table's text, as data/WMM.COF holds it.
std::string_view builtInMagneticModelText() noexcept;

}  // namespace orvane
