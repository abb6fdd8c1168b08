#include "core/airport_directory.hpp"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <initializer_list>
#include <limits>

#include "core/angles.hpp"
#include "core/ascii.hpp"
#include "core/files.hpp"
#include "core/numbers.hpp"

namespace orvane {
namespace {

// The file: a 40-byte header, then one zlib stream holding the payload (airports,
// runways, runway ends, countries, strings); all numbers little-endian.
constexpr std::string_view kMagic{"ORVADIR\x1a", 8};
constexpr std::size_t kHeaderBytes = 40;
constexpr std::size_t kAirportBytes = 20;
constexpr std::size_t kRunwayBytes = 4;
constexpr std::size_t kEndBytes = 6;
constexpr std::size_t kCountryBytes = 4;
constexpr std::size_t kDesignatorBytes = 4;
constexpr std::size_t kStringsPerAirport = 6;
// Far above the real data (4.3 MB for 60,000 airports), and low enough that no header
// can make the reader ask for an absurd amount of memory.
constexpr std::uint64_t kLargestPayload = 32u << 20;
constexpr std::size_t kLargestFile = 32u << 20;
constexpr std::uint16_t kUnknownHeading = 0xFFFF;
constexpr std::uint16_t kTenthsInCircle = 3600;
constexpr std::int32_t kMicroDegreesLatitude = 90'000'000;
constexpr std::int32_t kMicroDegreesLongitude = 180'000'000;
constexpr double kMicroDegree = 1e-6;
constexpr double kNmPerDegree = 60.0;
constexpr std::uint8_t kKinds = 6;
constexpr std::uint8_t kSurfaces = 8;
constexpr char kSeparator = '\x1f';  // between the texts of one airport; no query holds it

std::uint32_t u32(const unsigned char* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}
std::uint16_t u16(const unsigned char* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }
std::int32_t i32(const unsigned char* p) { return static_cast<std::int32_t>(u32(p)); }
std::int16_t i16(const unsigned char* p) { return static_cast<std::int16_t>(u16(p)); }

// Latin-1 letters U+00C0..U+00FF and Latin Extended-A U+0100..U+017F, each to its plain
// lower-case letter; 0 where the character is no letter (multiplication and division signs).
constexpr std::string_view kLatin1Folds{
    "aaaaaaaceeeeiiiidnooooo\0ouuuuyts"
    "aaaaaaaceeeeiiiidnooooo\0ouuuuyty",
    64};
constexpr std::string_view kLatinExtendedAFolds =
    "aaaaaa"
    "cccccccc"
    "dddd"
    "eeeeeeeeee"
    "gggggggg"
    "hhhh"
    "iiiiiiiiii"
    "ii"
    "jj"
    "kkk"
    "llllllllll"
    "nnnnnnn"
    "nn"
    "oooooo"
    "oo"
    "rrrrrr"
    "ssssssss"
    "tttttt"
    "uuuuuuuuuuuu"
    "ww"
    "yyy"
    "zzzzzz"
    "s";
static_assert(kLatinExtendedAFolds.size() == 0x80);

struct Header {
  std::uint32_t version, airports, runways, ends, countries, stringBytes, payloadBytes, checksum;
};

// Reads the length-prefixed strings at `offset` of the string area; empty when any
// would run past its end.
template <std::size_t N>
std::optional<std::array<std::string_view, N>> readStrings(std::string_view area, std::uint32_t offset) {
  std::array<std::string_view, N> texts;
  std::size_t at = offset;
  for (std::string_view& text : texts) {
    if (at >= area.size()) return std::nullopt;
    const std::size_t length = static_cast<unsigned char>(area[at]);
    ++at;
    if (length > area.size() - at) return std::nullopt;
    text = area.substr(at, length);
    at += length;
  }
  return texts;
}

// Folded text: a letter or digit of ASCII, or a byte of another script's letter.
bool isWordByte(char c) {
  return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || static_cast<unsigned char>(c) >= 0x80;
}
bool isWordStart(std::string_view text, std::size_t at) { return at == 0 || !isWordByte(text[at - 1]); }
bool isWordEnd(std::string_view text, std::size_t end) { return end >= text.size() || !isWordByte(text[end]); }

int kindRank(AirfieldKind kind) {
  switch (kind) {
    case AirfieldKind::LargeAirport: return 0;
    case AirfieldKind::MediumAirport: return 1;
    case AirfieldKind::SmallAirport: return 2;
    case AirfieldKind::SeaplaneBase: return 3;
    case AirfieldKind::Heliport: return 4;
    case AirfieldKind::Balloonport: return 5;
  }
  return 6;
}

bool startsWithIgnoringCase(std::string_view text, std::string_view start) {
  return text.size() >= start.size() && equalIgnoringCase(text.substr(0, start.size()), start);
}

double approximateNm(GeoPosition a, GeoPosition b) {
  const double north = (a.latitude - b.latitude) * kNmPerDegree;
  double eastDegrees = std::fabs(a.longitude - b.longitude);
  if (eastDegrees > 180) eastDegrees = 360 - eastDegrees;
  const double east = eastDegrees * kNmPerDegree * std::cos((a.latitude + b.latitude) * 0.5 * kRadiansPerDegree);
  return std::hypot(north, east);
}

}  // namespace

namespace {

void appendFolded(std::string& folded, std::string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (i + 1 < text.size() && byte >= 0xC3 && byte <= 0xC5) {
      const auto next = static_cast<unsigned char>(text[i + 1]);
      if ((next & 0xC0) == 0x80) {
        const unsigned code = (static_cast<unsigned>(byte & 0x1F) << 6) | (next & 0x3Fu);
        char plain = 0;
        if (code >= 0xC0 && code < 0x100) plain = kLatin1Folds[code - 0xC0];
        if (code >= 0x100 && code < 0x180) plain = kLatinExtendedAFolds[code - 0x100];
        if (plain != 0) {
          folded += plain;
          ++i;
          continue;
        }
      }
    }
    folded += lowerAscii(text[i]);
  }
}

}  // namespace

std::string foldForSearch(std::string_view text) {
  std::string folded;
  folded.reserve(text.size());
  appendFolded(folded, text);
  return folded;
}

// Builds the directory from a checked payload; kept apart so the class needs no public
// constructor that could make a directory out of unchecked bytes.
struct DirectoryBuilder {
  static DirectoryLoad build(const Header& header, std::vector<char> payload) {
    auto directory = std::unique_ptr<AirportDirectory>(new AirportDirectory);
    directory->payload_ = std::move(payload);
    const auto* bytes = reinterpret_cast<const unsigned char*>(directory->payload_.data());
    const auto* runwayBytes = bytes + std::size_t{header.airports} * kAirportBytes;
    const auto* endBytes = runwayBytes + std::size_t{header.runways} * kRunwayBytes;
    const auto* countryBytes = endBytes + std::size_t{header.ends} * kEndBytes;
    const auto* stringBytes = countryBytes + std::size_t{header.countries} * kCountryBytes;
    const std::string_view strings(reinterpret_cast<const char*>(stringBytes), header.stringBytes);
    const auto damaged = [] { return DirectoryLoad{DirectoryOutcome::Damaged, nullptr}; };

    std::vector<std::string_view> countries;
    countries.reserve(header.countries);
    for (std::size_t i = 0; i < header.countries; ++i) {
      const auto name = readStrings<1>(strings, u32(countryBytes + i * kCountryBytes));
      if (!name) return damaged();
      countries.push_back((*name)[0]);
    }

    std::uint32_t nextEnd = 0;
    directory->runways_.reserve(header.runways);
    for (std::size_t i = 0; i < header.runways; ++i) {
      const unsigned char* r = runwayBytes + i * kRunwayBytes;
      if (r[2] >= kSurfaces || r[3] > header.ends - nextEnd) return damaged();
      DirectoryRunway runway{u16(r), static_cast<RunwaySurface>(r[2]), {}};
      for (std::uint32_t e = 0; e < r[3]; ++e, ++nextEnd) {
        const unsigned char* end = endBytes + std::size_t{nextEnd} * kEndBytes;
        const char* designator = reinterpret_cast<const char*>(end);
        const std::uint16_t heading = u16(end + kDesignatorBytes);
        if (heading >= kTenthsInCircle && heading != kUnknownHeading) return damaged();
        RunwayEnd runwayEnd{std::string(designator, strnlen(designator, kDesignatorBytes)), std::nullopt};
        if (heading != kUnknownHeading) runwayEnd.trueHeadingDeg = heading / 10.0;
        runway.ends.push_back(std::move(runwayEnd));
      }
      directory->runways_.push_back(std::move(runway));
    }
    if (nextEnd != header.ends) return damaged();

    std::uint32_t nextRunway = 0;
    directory->airports_.reserve(header.airports);
    directory->foldedStarts_.reserve(std::size_t{header.airports} + 1);
    directory->folded_.reserve(header.stringBytes);
    for (std::size_t i = 0; i < header.airports; ++i) {
      const unsigned char* a = bytes + i * kAirportBytes;
      const std::int32_t latitude = i32(a);
      const std::int32_t longitude = i32(a + 4);
      const std::uint16_t country = u16(a + 14);
      const std::uint8_t kind = a[16];
      const std::uint8_t runways = a[17];
      if (latitude < -kMicroDegreesLatitude || latitude > kMicroDegreesLatitude ||
          longitude < -kMicroDegreesLongitude || longitude > kMicroDegreesLongitude || kind >= kKinds ||
          country >= header.countries || runways > header.runways - nextRunway) {
        return damaged();
      }
      const auto texts = readStrings<kStringsPerAirport>(strings, u32(a + 8));
      if (!texts || (*texts)[0].empty()) return damaged();
      DirectoryAirport airport;
      airport.code = (*texts)[0];
      airport.gpsCode = (*texts)[1];
      airport.iataCode = (*texts)[2];
      airport.localCode = (*texts)[3];
      airport.name = (*texts)[4];
      airport.town = (*texts)[5];
      airport.country = countries[country];
      airport.position = {latitude * kMicroDegree, longitude * kMicroDegree};
      airport.elevationFeet = i16(a + 12);
      airport.kind = static_cast<AirfieldKind>(kind);
      airport.firstRunway = nextRunway;
      airport.runwayCount = runways;
      nextRunway += runways;
      directory->airports_.push_back(airport);

      directory->foldedStarts_.push_back(static_cast<std::uint32_t>(directory->folded_.size()));
      for (std::string_view text : *texts) {
        appendFolded(directory->folded_, text);
        directory->folded_ += kSeparator;
      }
    }
    if (nextRunway != header.runways) return damaged();
    directory->foldedStarts_.push_back(static_cast<std::uint32_t>(directory->folded_.size()));
    return {DirectoryOutcome::Opened, std::move(directory)};
  }
};

DirectoryLoad readAirportDirectory(std::string_view bytes) {
  if (bytes.size() < kMagic.size() || bytes.substr(0, kMagic.size()) != kMagic) {
    return {DirectoryOutcome::NotADirectory, nullptr};
  }
  if (bytes.size() < kHeaderBytes) return {DirectoryOutcome::Damaged, nullptr};
  const auto* h = reinterpret_cast<const unsigned char*>(bytes.data()) + kMagic.size();
  const Header header{u32(h), u32(h + 4), u32(h + 8), u32(h + 12), u32(h + 16), u32(h + 20), u32(h + 24), u32(h + 28)};
  if (header.version != kAirportDirectoryVersion) return {DirectoryOutcome::WrongVersion, nullptr};

  const std::uint64_t expected = std::uint64_t{header.airports} * kAirportBytes +
                                 std::uint64_t{header.runways} * kRunwayBytes + std::uint64_t{header.ends} * kEndBytes +
                                 std::uint64_t{header.countries} * kCountryBytes + header.stringBytes;
  if (expected != header.payloadBytes || expected > kLargestPayload) return {DirectoryOutcome::Damaged, nullptr};

  std::vector<char> payload(header.payloadBytes);
  const std::string_view compressed = bytes.substr(kHeaderBytes);
  uLongf unpacked = static_cast<uLongf>(payload.size());
  // uncompress() refuses a stream that does not end, or that would not fit.
  const int status =
      uncompress(reinterpret_cast<Bytef*>(payload.data()), &unpacked, reinterpret_cast<const Bytef*>(compressed.data()),
                 static_cast<uLong>(compressed.size()));
  if (status != Z_OK || unpacked != payload.size()) return {DirectoryOutcome::Damaged, nullptr};
  const uLong checksum =
      crc32(crc32(0L, Z_NULL, 0), reinterpret_cast<const Bytef*>(payload.data()), static_cast<uInt>(payload.size()));
  if (checksum != header.checksum) return {DirectoryOutcome::Damaged, nullptr};
  return DirectoryBuilder::build(header, std::move(payload));
}

DirectoryLoad loadAirportDirectory(const std::filesystem::path& path) {
  WholeFile file = readWholeFile(path, kLargestFile);
  switch (file.outcome) {
    case FileRead::Read: return readAirportDirectory(file.bytes);
    case FileRead::CannotOpen: return {DirectoryOutcome::CannotOpen, nullptr};
    case FileRead::TooLarge: return {DirectoryOutcome::Damaged, nullptr};
  }
  return {DirectoryOutcome::CannotOpen, nullptr};
}

std::string directoryProblemMessage(DirectoryOutcome outcome) {
  std::string reason;
  switch (outcome) {
    case DirectoryOutcome::Opened: return {};
    case DirectoryOutcome::CannotOpen: reason = "cannot be opened"; break;
    case DirectoryOutcome::NotADirectory: reason = "is not an airport directory"; break;
    case DirectoryOutcome::WrongVersion: reason = "is of a version this Orvane does not read"; break;
    case DirectoryOutcome::Damaged: reason = "is damaged"; break;
  }
  return "The airport directory \"" + std::string(kAirportDirectoryFileName) + "\" " + reason +
         ".\nSearching the world's airfields is off; the airports of \"airports.fly\" work as before.";
}

std::span<const DirectoryRunway> AirportDirectory::runways(const DirectoryAirport& airport) const {
  return std::span<const DirectoryRunway>(runways_).subspan(airport.firstRunway, airport.runwayCount);
}

std::vector<std::size_t> AirportDirectory::search(std::string_view query, std::size_t limit) const {
  const std::string folded = foldForSearch(query);
  std::vector<std::string_view> words;
  for (std::size_t at = 0; at < folded.size();) {
    const std::size_t start = folded.find_first_not_of(" \t", at);
    if (start == std::string::npos) break;
    const std::size_t end = std::min(folded.find_first_of(" \t", start), folded.size());
    words.push_back(std::string_view(folded).substr(start, end - start));
    at = end;
  }
  if (words.empty() || limit == 0) return {};
  std::string whole;  // the words with single blanks, for comparing with codes
  for (std::string_view word : words) {
    if (!whole.empty()) whole += ' ';
    whole += word;
  }

  struct Match {
    int score;
    std::size_t index;
  };
  std::vector<Match> matches;
  const std::string_view all(folded_);
  for (std::size_t i = 0; i < airports_.size(); ++i) {
    const std::string_view text = all.substr(foldedStarts_[i], foldedStarts_[i + 1] - foldedStarts_[i]);
    // 2: every word whole in the text, 3: every word starts a word there, 4: anywhere.
    int score = 2;
    bool found = true;
    for (std::string_view word : words) {
      int best = 4;
      for (std::size_t at = text.find(word); at != std::string_view::npos && best > 2; at = text.find(word, at + 1)) {
        if (isWordStart(text, at)) best = std::min(best, isWordEnd(text, at + word.size()) ? 2 : 3);
      }
      if (best == 4 && text.find(word) == std::string_view::npos) {
        found = false;
        break;
      }
      score = std::max(score, best);
    }
    if (!found) continue;
    const DirectoryAirport& airport = airports_[i];
    for (std::string_view code : {airport.code, airport.gpsCode, airport.iataCode, airport.localCode}) {
      if (code.empty()) continue;
      if (equalIgnoringCase(code, whole))
        score = 0;
      else if (score > 1 && startsWithIgnoringCase(code, whole))
        score = 1;
    }
    matches.push_back({score, i});
  }
  const auto better = [this](const Match& a, const Match& b) {
    if (a.score != b.score) return a.score < b.score;
    const DirectoryAirport& x = airports_[a.index];
    const DirectoryAirport& y = airports_[b.index];
    if (kindRank(x.kind) != kindRank(y.kind)) return kindRank(x.kind) < kindRank(y.kind);
    if (x.name != y.name) return lessIgnoringCase(x.name, y.name);
    return a.index < b.index;
  };
  const std::size_t shown = std::min(limit, matches.size());
  std::partial_sort(matches.begin(), matches.begin() + static_cast<std::ptrdiff_t>(shown), matches.end(), better);
  std::vector<std::size_t> best;
  best.reserve(shown);
  for (std::size_t i = 0; i < shown; ++i) best.push_back(matches[i].index);
  return best;
}

std::optional<std::size_t> AirportDirectory::findByCode(std::string_view code) const {
  return findByCodeNear(code, {}, std::numeric_limits<double>::infinity());
}

std::optional<std::size_t> AirportDirectory::findByCodeNear(std::string_view code, GeoPosition near,
                                                            double withinNm) const {
  if (code.empty()) return std::nullopt;
  const bool anywhere = std::isinf(withinNm);
  std::optional<std::size_t> best;
  int bestRank = 4;
  for (std::size_t i = 0; i < airports_.size(); ++i) {
    const DirectoryAirport& airport = airports_[i];
    int rank = 0;
    for (std::string_view candidate : {airport.code, airport.gpsCode, airport.iataCode, airport.localCode}) {
      if (rank < bestRank && !candidate.empty() && equalIgnoringCase(candidate, code) &&
          (anywhere || approximateNm(airport.position, near) <= withinNm)) {
        best = i;
        bestRank = rank;
        break;
      }
      ++rank;
    }
    if (bestRank == 0) break;
  }
  return best;
}

std::string describeDirectoryAirport(const DirectoryAirport& airport) {
  std::string text(airport.code);
  const char* separator = "  ";
  for (std::string_view part : {airport.name, airport.town, airport.country}) {
    if (part.empty()) continue;
    text += separator;
    text += part;
    separator = ", ";
  }
  return text;
}

std::string_view surfaceName(RunwaySurface surface) {
  switch (surface) {
    case RunwaySurface::Unknown: return {};
    case RunwaySurface::Grass: return "grass";
    case RunwaySurface::Asphalt: return "asphalt";
    case RunwaySurface::Concrete: return "concrete";
    case RunwaySurface::Gravel: return "gravel";
    case RunwaySurface::Dirt: return "dirt";
    case RunwaySurface::Water: return "water";
    case RunwaySurface::Metal: return "metal";
  }
  return {};
}

std::vector<std::string> runwayWindLines(const AirportDirectory& directory, const DirectoryAirport& airport,
                                         double windDirectionTrue, double windSpeed) {
  const bool calm = !(windSpeed > 0) || !std::isfinite(windDirectionTrue);
  std::vector<RunwayEnd> ends;
  std::vector<std::string> runwayTexts;  // length and surface of each end's runway
  std::vector<std::string> lines;
  for (const DirectoryRunway& runway : directory.runways(airport)) {
    std::string text =
        runway.lengthFeet > 0 ? formatFixed(runway.lengthFeet, 0) + " ft" : std::string("length unknown");
    if (!surfaceName(runway.surface).empty()) text += " " + std::string(surfaceName(runway.surface));
    if (runway.ends.empty()) lines.push_back("Runway of " + text + ": its ends are not in the data");
    for (const RunwayEnd& end : runway.ends) {
      ends.push_back(end);
      runwayTexts.push_back(text);
    }
  }
  const std::vector<RunwayEndWind> winds = runwayEndWinds(ends, calm ? 0.0 : windDirectionTrue, calm ? 0.0 : windSpeed);
  std::vector<std::string> endLines;
  for (std::size_t i = 0; i < winds.size(); ++i) {
    const RunwayEndWind& wind = winds[i];
    std::string line = wind.end.designator + "  ";
    line += wind.end.trueHeadingDeg ? formatFixed(*wind.end.trueHeadingDeg, 1) + "\u00B0 true" : "heading unknown";
    line += "  " + runwayTexts[i];
    if (!calm && wind.wind) {
      const std::int32_t along = roundToWhole(wind.wind->headwind);
      const std::int32_t across = roundToWhole(wind.wind->crosswind);
      line += along < 0 ? "  tailwind " + formatFixed(-along, 0) : "  headwind " + formatFixed(along, 0);
      line += "  crosswind " + formatFixed(across, 0);
      if (across != 0 && wind.wind->side == CrosswindSide::Left) line += " from the left";
      if (across != 0 && wind.wind->side == CrosswindSide::Right) line += " from the right";
      if (wind.mostHeadwind) line += "  - most headwind";
    }
    endLines.push_back(std::move(line));
  }
  endLines.insert(endLines.end(), lines.begin(), lines.end());
  return endLines;
}

}  // namespace orvane
