#pragma once
// The defaults file "config.fly": the pilot's usual values, eighteen lines of
// "key:value" each ended by CR LF.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "core/airplane.hpp"
#include "core/files.hpp"

namespace orvane {

/// The eighteen values of the defaults file.
struct DefaultValues {
  std::string homeAirport;
  double trueAirspeed = 0;  // [knots, sm/h]
  double variation = 0;     // [degrees]
  double deviation = 0;     // [degrees]
  double fuelFlow = 0;      // [gallons per hour]
  double fuelOnBoard = 0;   // [gallons]
  AirplaneData airplane;
  friend bool operator==(const DefaultValues&, const DefaultValues&) = default;
};

inline constexpr std::string_view kDefaultsFileName = "config.fly";
/// The reader sees at most this many bytes of the file.
inline constexpr std::size_t kDefaultsReadLimit = 1023;
inline constexpr std::size_t kDefaultsValueCount = 18;

inline constexpr std::string_view kCannotOpenDefaultsMessage = "Cannot open congfiguration file!";
inline constexpr std::string_view kDefaultsErrorMessage = "Error in congfiguration file!";

/// Why a set of values cannot be saved so that it loads back the same.
enum class DefaultsProblem {
  None,
  TextHasSeparator,  // a text holds ":", a line break or a zero byte
  NumberNotFinite,   // "inf" or "nan" would load back as 0
  TooLong,           // the file would be longer than the reader's 1023 bytes
};

struct FormattedDefaults {
  std::string text;
  DefaultsProblem problem = DefaultsProblem::None;
  std::string_view problemKey;  // the key of the offending value, if any ("Airplane Type:")
};

/// The file text: each key immediately followed by its value ("%f" for numbers, texts
/// unchanged) and CR LF. Reports when the text would not load back as the same values.
FormattedDefaults formatDefaults(const DefaultValues& values);

/// The values of a file text, or empty when the text is malformed (not exactly
/// eighteen values, or line breaks none of which is CR LF). Keys are not compared:
/// values are known by their position.
std::optional<DefaultValues> parseDefaults(std::string_view text);

enum class DefaultsRead { Loaded, CannotOpen, Malformed };

struct DefaultsLoad {
  DefaultsRead outcome = DefaultsRead::CannotOpen;
  DefaultValues values;  // meaningful when Loaded
};

/// Reads at most the first 1023 bytes of the file (up to a zero byte) and parses them.
DefaultsLoad readDefaultsFile(const std::filesystem::path& path);

/// Replaces the file by the formatted values.
FileWrite writeDefaultsFile(const std::filesystem::path& path, std::string_view text);

/// What a failed save of the defaults file tells the pilot (see fileWriteMessage).
FileWriteTexts defaultsWriteTexts();

/// A message for a problem that keeps the values from being saved.
std::string defaultsProblemMessage(const FormattedDefaults& formatted);

}  // namespace orvane
