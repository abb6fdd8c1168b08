#pragma once
// The names of the shipped airports, compiled into the program from
// data/airport-names.txt so the working folder keeps only its two data files.

#include "core/airport_names.hpp"

namespace orvane {

/// The shipped table, read from the resource on the first call and kept for the run;
/// empty when the resource is missing. It never changes, so it is safe to share.
const AirportNames& shippedAirportNames();

}  // namespace orvane
