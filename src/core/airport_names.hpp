#pragma once
// The names of the shipped airports, for showing the pilot which airport an
// identifier stands for. A name is only ever shown: positions come from the airport
// database alone.

#include <string>
#include <string_view>
#include <unordered_map>

namespace orvane {

struct AirportName {
  std::string name, town, country;  // UTF-8; any of them may be empty
};

/// Identifier (upper case, as the shipped table writes it) to its name.
using AirportNames = std::unordered_map<std::string, AirportName>;

/// Reads the shipped table: one line per airport, IDENT TAB name TAB town TAB country;
/// CR LF or LF line ends; malformed lines (no tab, empty identifier) are skipped, never a crash.
/// Missing trailing fields read as empty, fields after the country are ignored, and the
/// first line of an identifier counts. Field bytes are kept as they are.
AirportNames parseAirportNames(std::string_view text);

/// "JFK  John F Kennedy International Airport, New York, United States"; empty when the
/// table does not know the identifier. Looked up by the identifier in upper case (ASCII),
/// so an identifier the pilot's file writes in lower case still finds its name.
/// Empty parts are left out with their separator; a known airport without any part is
/// its identifier alone.
std::string describeAirport(const AirportNames& names, std::string_view identifier);

}  // namespace orvane
