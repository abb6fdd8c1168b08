#include "core/airports.hpp"

#include <algorithm>

#include "core/ascii.hpp"
#include "core/numbers.hpp"

namespace orvane {
namespace {

constexpr std::size_t kNone = std::string_view::npos;

// The separators of one kind, searched for in the order the records pair them. The
// search for a record starts just after the separator the record before it found,
// which is the next one in this list; after a search that found nothing it starts
// again at position 0, the first one in the list. So each search is one step, even
// in a text whose records lack separators and would otherwise be scanned again for
// every record.
class SeparatorCursor {
 public:
  // The first search starts at position 1.
  SeparatorCursor(std::string_view text, char separator) {
    for (std::size_t at = text.find(separator); at != kNone; at = text.find(separator, at + 1)) {
      positions_.push_back(at);
    }
    next_ = (!positions_.empty() && positions_.front() == 0) ? 1 : 0;
  }
  // The position of the separator the current search finds, kNone when there is none.
  std::size_t find() const { return next_ < positions_.size() ? positions_[next_] : kNone; }
  // The next search starts after the one just found, or at position 0 if none was.
  void advance() { next_ = next_ < positions_.size() ? next_ + 1 : 0; }

 private:
  std::vector<std::size_t> positions_;
  std::size_t next_ = 0;
};

bool isAsciiAlphanumeric(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'); }

}  // namespace

namespace {

struct AirportFile {
  AirportsLoad outcome = AirportsLoad::CannotOpen;
  std::string text;
};

AirportFile readAirportFile(const std::filesystem::path& path) {
  WholeFile whole = readWholeFile(path, kLargestAirportsFileBytes);
  AirportFile file;
  switch (whole.outcome) {
    case FileRead::Read: break;
    case FileRead::CannotOpen: return file;
    case FileRead::TooLarge: file.outcome = AirportsLoad::TooLarge; return file;
  }
  file.outcome = AirportsLoad::Loaded;
  file.text = std::move(whole.bytes);
  return file;
}

}  // namespace

FileWrite saveAirportText(const std::filesystem::path& path, std::string_view text) { return replaceFile(path, text); }

ParsedAirports parseAirportText(std::string_view text) {
  ParsedAirports parsed;
  SeparatorCursor semicolons(text, ';');
  SeparatorCursor commas(text, ',');
  // One entry per record at most: growing the table record by record would move every
  // entry again at each growth.
  const auto records = static_cast<std::size_t>(std::count(text.begin(), text.end(), ':'));
  parsed.table.reserve(records);
  parsed.identifiers.reserve(records);

  // A ":" in the very first position is never a record's separator.
  for (std::size_t colon = text.find(':', 1); colon != kNone; colon = text.find(':', colon + 1)) {
    const std::size_t s = semicolons.find();
    std::string identifier(colon >= 3 ? text.substr(colon - 3, 3) : text.substr(0, 3));

    std::string_view latitudeText;
    if (s != kNone && s > colon) latitudeText = text.substr(colon + 1, s - colon - 1);

    const std::size_t k = commas.find();
    std::string_view longitudeText;
    if (k != kNone) {
      const std::size_t from = (s == kNone) ? 0 : s + 1;  // no ";": from the start of the text
      if (s == kNone || k > s) longitudeText = text.substr(from, k - from);
    }

    // Only the first record of an identifier counts: later ones need no numbers.
    const auto [entry, isFirst] = parsed.table.try_emplace(identifier);
    if (isFirst) entry->second = GeoPosition{leadingNumber(latitudeText), leadingNumber(longitudeText)};
    parsed.identifiers.push_back(std::move(identifier));

    semicolons.advance();
    commas.advance();
  }
  return parsed;
}

std::optional<GeoPosition> findAirport(const AirportTable& table, std::string_view identifier) {
  const auto it = table.find(std::string(identifier));
  if (it == table.end()) return std::nullopt;
  return it->second;
}

AirportIdentifierCheck checkAirportIdentifier(std::string_view identifier) noexcept {
  if (identifier.find(' ') != kNone) return AirportIdentifierCheck::HasSpace;
  if (identifier.size() != 3 || !std::all_of(identifier.begin(), identifier.end(), isAsciiAlphanumeric)) {
    return AirportIdentifierCheck::NotThreeAlphanumeric;
  }
  return AirportIdentifierCheck::Valid;
}

bool isAirportListed(const std::vector<std::string>& identifiers, std::string_view identifier) {
  return std::any_of(identifiers.begin(), identifiers.end(),
                     [&](const std::string& listed) { return equalIgnoringCase(listed, identifier); });
}

std::string airportRecordText(std::string_view identifier, GeoPosition position) {
  std::string record(identifier);
  record += ':';
  record += formatSixDecimals(position.latitude);
  record += ';';
  record += formatSixDecimals(position.longitude);
  record += ',';
  return record;
}

AddAirportOutcome addAirport(std::string& airportText, std::string_view identifier, GeoPosition position) {
  switch (checkAirportIdentifier(identifier)) {
    case AirportIdentifierCheck::HasSpace: return AddAirportOutcome::HasSpace;
    case AirportIdentifierCheck::NotThreeAlphanumeric: return AddAirportOutcome::NotThreeAlphanumeric;
    case AirportIdentifierCheck::Valid: break;
  }
  if (isAirportListed(parseAirportText(airportText).identifiers, identifier)) {
    return AddAirportOutcome::AlreadyPresent;
  }
  airportText += airportRecordText(identifier, position);
  return AddAirportOutcome::Added;
}

AirportsLoad loadAirportDatabase(AirportDatabase& database, const std::filesystem::path& path) {
  database.unsavedRecords.clear();
  AirportFile file = readAirportFile(path);
  database.text = std::move(file.text);
  return file.outcome;
}

AirportAddition addAirportToFile(AirportDatabase& database, const std::filesystem::path& path,
                                 std::string_view identifier, GeoPosition position) {
  AirportAddition addition;
  switch (checkAirportIdentifier(identifier)) {
    case AirportIdentifierCheck::HasSpace: addition.outcome = AddAirportOutcome::HasSpace; return addition;
    case AirportIdentifierCheck::NotThreeAlphanumeric:
      addition.outcome = AddAirportOutcome::NotThreeAlphanumeric;
      return addition;
    case AirportIdentifierCheck::Valid: break;
  }

  // The file as it is now, read just before it is written.
  std::error_code ec;
  const bool exists = std::filesystem::exists(path, ec);
  AirportFile current;
  if (exists) {
    current = readAirportFile(path);
  } else {
    current.outcome = AirportsLoad::Loaded;
  }
  const bool readable = current.outcome == AirportsLoad::Loaded;
  // Unreadable or too large: the text as last read, which holds the unsaved records.
  std::string extended = readable ? std::move(current.text) + database.unsavedRecords : database.text;
  const std::size_t before = extended.size();
  addition.outcome = addAirport(extended, identifier, position);
  if (addition.outcome != AddAirportOutcome::Added) return addition;

  const std::string record = extended.substr(before);
  addition.fileTooLarge = current.outcome == AirportsLoad::TooLarge;
  addition.write = readable ? saveAirportText(path, extended) : FileWrite::CannotOpen;
  database.text = std::move(extended);
  if (addition.write == FileWrite::Written) {
    database.unsavedRecords.clear();
  } else {
    database.unsavedRecords += record;
  }
  return addition;
}

std::string airportExistsMessage(std::string_view identifier) {
  return "Airport " + std::string(identifier) +
         " already exist in database!\nif you want update or remove this airport,\n"
         "please edit the file \"airports.fly\" manually.";
}

std::string airportsTooLargeMessage() {
  constexpr double kBytesInMiB = 1024.0 * 1024.0;
  return "The airports file \"airports.fly\" is larger than " +
         formatGeneral(static_cast<double>(kLargestAirportsFileBytes) / kBytesInMiB) +
         " MiB, more than any airport database holds, so it was not read and will not be replaced. "
         "Please check the file.";
}

FileWriteTexts airportsWriteTexts(bool fileTooLarge) {
  return {fileTooLarge ? airportsTooLargeMessage() : std::string(kCannotOpenAirportsMessage),
          std::string(kAirportsWriteFailedMessage), std::string(kAirportsPartlyWrittenMessage)};
}

std::string airportAddedMessage(std::string_view identifier) {
  return "Airport " + std::string(identifier) + " was added to database!";
}

}  // namespace orvane
