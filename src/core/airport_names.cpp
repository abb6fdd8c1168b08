#include "core/airport_names.hpp"

#include <initializer_list>
#include <utility>

#include "core/ascii.hpp"

namespace orvane {
namespace {

// Splits off the text up to `separator` (or the end) and drops it from `rest`.
std::string_view takeUntil(std::string_view& rest, char separator) {
  const std::size_t at = rest.find(separator);
  const std::string_view taken = rest.substr(0, at);
  rest = at == std::string_view::npos ? std::string_view{} : rest.substr(at + 1);
  return taken;
}

}  // namespace

AirportNames parseAirportNames(std::string_view text) {
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());

  AirportNames names;
  while (!text.empty()) {
    std::string_view line = takeUntil(text, '\n');
    if (line.ends_with('\r')) line.remove_suffix(1);
    if (line.find('\t') == std::string_view::npos) continue;

    const std::string_view identifier = takeUntil(line, '\t');
    if (identifier.empty()) continue;
    AirportName airport;
    airport.name = takeUntil(line, '\t');
    airport.town = takeUntil(line, '\t');
    airport.country = takeUntil(line, '\t');
    names.try_emplace(std::string(identifier), std::move(airport));
  }
  return names;
}

std::string describeAirport(const AirportNames& names, std::string_view identifier) {
  std::string key = upperAscii(identifier);
  const auto found = names.find(key);
  if (found == names.end()) return {};

  std::string text = std::move(key);
  const char* separator = "  ";
  for (const std::string* part : {&found->second.name, &found->second.town, &found->second.country}) {
    if (part->empty()) continue;
    text += separator;
    text += *part;
    separator = ", ";
  }
  return text;
}

}  // namespace orvane
