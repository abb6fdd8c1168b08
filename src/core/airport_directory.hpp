#pragma once
// The directory of the world's open airfields (OurAirports data), read-only and shipped
// with Orvane as one compact file: codes, names, positions and runways of about 60,000
// airports, heliports and seaplane bases. The pilot's own "airports.fly" stays apart
// from it; the directory only offers positions to take.
//
// The file is outside data: every count, offset and value is checked before use, and a
// file that is short, changed, of another version or not a directory at all is refused
// whole with one outcome.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/geo.hpp"
#include "core/runway_wind.hpp"

namespace orvane {

/// The file name under which the directory ships, beside the program's other data.
inline constexpr std::string_view kAirportDirectoryFileName = "airport-directory.bin";

/// The file format's version this reader takes; any other is refused.
inline constexpr std::uint32_t kAirportDirectoryVersion = 1;

enum class AirfieldKind : std::uint8_t {
  SmallAirport,
  MediumAirport,
  LargeAirport,
  Heliport,
  SeaplaneBase,
  Balloonport
};
enum class RunwaySurface : std::uint8_t { Unknown, Grass, Asphalt, Concrete, Gravel, Dirt, Water, Metal };

struct DirectoryRunway {
  int lengthFeet = 0;  // [ft]; 0 when the data has none
  RunwaySurface surface = RunwaySurface::Unknown;
  std::vector<RunwayEnd> ends;  // zero, one or two; a heading may be unknown
};

/// One airfield. The texts are UTF-8 and point into the directory: they live as long as it.
struct DirectoryAirport {
  std::string_view code;       // ICAO code, or the GPS or local code that stands for it: "EDKV", "00AA"
  std::string_view gpsCode;    // when it differs from `code`, else empty
  std::string_view iataCode;   // may be empty
  std::string_view localCode;  // may be empty
  std::string_view name;
  std::string_view town;     // may be empty
  std::string_view country;  // may be empty
  GeoPosition position;      // [degrees], to a millionth
  int elevationFeet = 0;     // [ft]
  AirfieldKind kind = AirfieldKind::SmallAirport;
  std::uint32_t firstRunway = 0;
  std::uint32_t runwayCount = 0;
};

class AirportDirectory {
 public:
  AirportDirectory(const AirportDirectory&) = delete;
  AirportDirectory& operator=(const AirportDirectory&) = delete;

  std::size_t size() const noexcept { return airports_.size(); }
  const DirectoryAirport& airport(std::size_t index) const { return airports_.at(index); }
  std::span<const DirectoryRunway> runways(const DirectoryAirport& airport) const;

  /// The airports that match what the pilot typed, best first, at most `limit`. Every
  /// blank-separated word must occur in a code, the name or the town; case and the
  /// accents of Latin letters do not matter ("zurich" finds Zürich). A code equal to the
  /// whole query comes first, then codes that start with it, then airports where every
  /// word of the query is a whole word, then where each starts a word, then the rest;
  /// larger airfields first within each, then by name. An empty query matches nothing.
  std::vector<std::size_t> search(std::string_view query, std::size_t limit) const;

  /// The airport whose code equals `code` without regard to case: the ICAO (or main)
  /// code first, then the GPS, IATA and local codes. Empty when none has it.
  std::optional<std::size_t> findByCode(std::string_view code) const;

  /// As findByCode, but only an airport within `withinNm` nautical miles of `near`: for
  /// naming a position the pilot's own file holds under a code.
  std::optional<std::size_t> findByCodeNear(std::string_view code, GeoPosition near, double withinNm) const;

 private:
  AirportDirectory() = default;
  friend struct DirectoryBuilder;

  std::vector<char> payload_;  // the texts' bytes; a vector keeps its buffer when moved
  std::vector<DirectoryAirport> airports_;
  std::vector<DirectoryRunway> runways_;
  std::string folded_;                       // each airport's searchable text, folded
  std::vector<std::uint32_t> foldedStarts_;  // where each airport's text starts; one more at the end
};

enum class DirectoryOutcome {
  Opened,
  CannotOpen,     // missing, a folder, no access
  NotADirectory,  // another kind of file altogether
  WrongVersion,   // a directory of a version this program does not read
  Damaged,        // cut short, changed or inconsistent
};

struct DirectoryLoad {
  DirectoryOutcome outcome = DirectoryOutcome::CannotOpen;
  std::unique_ptr<const AirportDirectory> directory;  // set exactly when Opened
};

/// Reads a directory from the file's bytes. Never throws for any bytes.
DirectoryLoad readAirportDirectory(std::string_view bytes);

/// Reads the directory file at `path` (see readAirportDirectory).
DirectoryLoad loadAirportDirectory(const std::filesystem::path& path);

/// The one message for a directory that could not be opened; empty for Opened.
std::string directoryProblemMessage(DirectoryOutcome outcome);

/// Case and Latin accents folded for searching: ASCII to lower case, the letters of
/// Latin-1 and Latin Extended-A to their plain lower-case letter; other bytes as they are.
std::string foldForSearch(std::string_view text);

/// "EDKV  Dahlemer Binz Airfield, Dahlhem, Germany": the code, then name, town and
/// country, empty parts left out with their separator.
std::string describeDirectoryAirport(const DirectoryAirport& airport);

/// One line per runway end of `airport` for the runway list, with the components of the
/// wind (direction [degrees true], speed [any unit; the components come in it]) to whole
/// units: "24  238.6° true  3510 ft grass  headwind 12  crosswind 3 from the left",
/// and "  - most headwind" on the end (or parallel ends) with the most. A calm wind
/// (speed 0 or less, or not a number) gives the ends without components; an end of
/// unknown heading says so; a runway whose ends the data lacks gets one line of its own.
std::vector<std::string> runwayWindLines(const AirportDirectory& directory, const DirectoryAirport& airport,
                                         double windDirectionTrue, double windSpeed);

/// "grass", "asphalt", ...; empty for an unknown surface.
std::string_view surfaceName(RunwaySurface surface);

}  // namespace orvane
