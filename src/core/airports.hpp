#pragma once
// The airport database: a plain text of records "QQA:40.500000;-75.250000," that the
// pilot may also edit by hand.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/files.hpp"
#include "core/geo.hpp"

namespace orvane {

/// Identifier to position. Identifiers compare byte by byte: qqa and QQA differ.
/// The first record of an identifier counts; later ones are skipped.
using AirportTable = std::unordered_map<std::string, GeoPosition>;

struct AirportRecord {
  std::string identifier;
  GeoPosition position;
};

struct ParsedAirports {
  std::vector<std::string> identifiers;  // every record's identifier in text order, duplicates too
  AirportTable table;
};

inline constexpr std::string_view kAirportsFileName = "airports.fly";
inline constexpr std::string_view kCannotOpenAirportsMessage = "Cannot open airports file!";

/// The largest airports file that is read [bytes]: 8 MiB, some three times a worldwide
/// database (2-3 MB, 100,000 records). The course window parses the whole text at
/// every opening, which takes it close to a second at this size on a busy machine; a
/// larger file is no airport database and would hold the program up for seconds (a
/// 100 MB one for minutes), so it is refused instead, and never replaced.
inline constexpr std::size_t kLargestAirportsFileBytes = std::size_t{8} * 1024 * 1024;

/// Replaces the airport file by the airport text.
FileWrite saveAirportText(const std::filesystem::path& path, std::string_view text);

/// Reads the airport text. The n-th ":" (from position 1 on) is paired with the n-th
/// ";" and the n-th ","; the identifier is the three characters before its ":".
/// Malformed records are never refused: missing numbers read as 0.
ParsedAirports parseAirportText(std::string_view text);

/// The position stored for `identifier`, if the table has it.
std::optional<GeoPosition> findAirport(const AirportTable& table, std::string_view identifier);

enum class AirportIdentifierCheck {
  Valid,
  HasSpace,             // "No spaces allowed!"
  NotThreeAlphanumeric  // "You must enter 3 alphanumeric symbol of the airport"
};

/// The identifier the pilot typed for a new airport: no blank anywhere (tested first),
/// then exactly three ASCII letters or digits.
AirportIdentifierCheck checkAirportIdentifier(std::string_view identifier) noexcept;

/// Whether `identifier` is among `identifiers`, compared without regard to case.
bool isAirportListed(const std::vector<std::string>& identifiers, std::string_view identifier);

/// The record appended for a new airport: "QQC:39.100000;-74.900000,".
std::string airportRecordText(std::string_view identifier, GeoPosition position);

enum class AddAirportOutcome { HasSpace, NotThreeAlphanumeric, AlreadyPresent, Added };

/// Checks a new airport and, when it is new, appends its record to `airportText`.
/// Saving the text is the caller's: the pilot confirms the message first.
AddAirportOutcome addAirport(std::string& airportText, std::string_view identifier, GeoPosition position);

/// The airport database as the program holds it for the whole run.
struct AirportDatabase {
  /// The airport text: the file as last read, with the records added since. The
  /// course window builds its lists from it.
  std::string text;
  /// Records added whose save failed; the next save writes them with its own. A reload
  /// drops them, as it drops everything that is not in the file.
  std::string unsavedRecords;
};

enum class AirportsLoad {
  Loaded,
  CannotOpen,  // "Cannot open airports file!"
  TooLarge,    // airportsTooLargeMessage()
};

/// Replaces the airport text by the file's content, every byte as it is (zero bytes and
/// text in other encodings too, so that a rewrite keeps them); an empty text when the
/// file cannot be opened or is larger than kLargestAirportsFileBytes.
AirportsLoad loadAirportDatabase(AirportDatabase& database, const std::filesystem::path& path);

/// What adding an airport did.
struct AirportAddition {
  AddAirportOutcome outcome = AddAirportOutcome::NotThreeAlphanumeric;
  FileWrite write = FileWrite::CannotOpen;  // Added: Written once the file holds the record
  bool fileTooLarge = false;                // the file is larger than kLargestAirportsFileBytes, so not replaced
};

/// Checks the identifier against the file as it is at this moment, not as it was last
/// read, and when the airport is new appends its record (after any records still
/// unsaved) to that content and replaces the file at once: what a text editor saved
/// there meanwhile is kept. A file that exists but cannot be read whole is never
/// replaced (CannotOpen). Whatever the write gave, the new record stays in the airport
/// text; when it is not on the disk it also waits in `unsavedRecords` for the next save.
/// A file that has gone since it was read counts as empty, so adding creates it.
AirportAddition addAirportToFile(AirportDatabase& database, const std::filesystem::path& path,
                                 std::string_view identifier, GeoPosition position);

/// Messages of adding an airport.
inline constexpr std::string_view kNoSpacesMessage = "No spaces allowed!";
inline constexpr std::string_view kIdentifierFormatMessage = "You must enter 3 alphanumeric symbol of the airport";
std::string airportExistsMessage(std::string_view identifier);
std::string airportAddedMessage(std::string_view identifier);
/// A save that opened the file but could not finish it (a full disk).
inline constexpr std::string_view kAirportsWriteFailedMessage =
    "The airports file could not be written (is the disk full?); it was left as it was, "
    "and the new airport is kept until Orvane closes.";
/// A save in place (the folder takes no new file) that the disk refused halfway.
inline constexpr std::string_view kAirportsPartlyWrittenMessage =
    "The airports file could only be partly written (is the disk full?) and may now be damaged: "
    "please check it with Tools > Edit Airports Database. The new airport is kept until Orvane closes.";
/// An airports file larger than kLargestAirportsFileBytes, which is neither read nor replaced.
std::string airportsTooLargeMessage();
/// What a failed save of an added airport tells the pilot (see fileWriteMessage); a file
/// too large to be replaced says so.
FileWriteTexts airportsWriteTexts(bool fileTooLarge);

}  // namespace orvane
