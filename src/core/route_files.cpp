#include "core/route_files.hpp"

#include <pugixml.hpp>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <map>
#include <optional>
#include <unordered_map>
#include <utility>

#include "core/angles.hpp"
#include "core/ascii.hpp"
#include "core/files.hpp"
#include "core/nav_log.hpp"
#include "core/numbers.hpp"

namespace orvane {
namespace {

constexpr double kMostLatitude = 90;
constexpr double kMostLongitude = 180;
constexpr std::string_view kUserWaypointType = "USER WAYPOINT";
constexpr std::string_view kAirportType = "AIRPORT";
constexpr std::string_view kAirportSymbol = "Airport";
constexpr std::string_view kWaypointSymbol = "Waypoint";
constexpr std::string_view kCreator = "Orvane";
constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// ---------------------------------------------------------------- small texts

/// Decimal digits of a count, without the locale.
std::string countText(std::size_t value) {
  std::array<char, 24> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  return std::string(buffer.data(), result.ptr);
}

/// The shortest fixed-point text that reads back as the same double (no exponent, which
/// xsd:decimal does not allow); a negative zero is written as 0.
std::string coordinateText(double value) {
  if (value == 0) value = 0;
  std::array<char, 512> buffer{};  // the smallest double takes some 330 digits in fixed notation
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed);
  return std::string(buffer.data(), result.ptr);
}

/// "2026-12-08T09:00:00Z"
std::string utcStamp(const LocalDateTime& t) {
  const auto two = [](int v) {
    return std::string{static_cast<char>('0' + (v / 10) % 10), static_cast<char>('0' + v % 10)};
  };
  std::string year = countText(static_cast<std::size_t>(std::clamp(t.year, 0, kLatestClockYear)));
  while (year.size() < 4) year.insert(year.begin(), '0');
  return year + "-" + two(t.month) + "-" + two(t.day) + "T" + two(t.hour) + ":" + two(t.minute) + ":" + two(t.second) +
         "Z";
}

bool isXmlBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && isXmlBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isXmlBlank(text.back())) text.remove_suffix(1);
  return text;
}

/// Valid UTF-8 with every control character a blank: XML 1.0 has no place for them.
std::string xmlSafeText(std::string_view text) {
  std::string safe = validUtf8(text);
  for (char& c : safe) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) c = ' ';
  }
  return safe;
}

/// A name from a file: control characters blanked, trimmed, cut at a character boundary.
std::string cleanName(std::string_view raw) {
  std::string name(trimmed(xmlSafeText(trimmed(raw))));
  if (name.size() > kLongestReadPointName) {
    std::size_t cut = kLongestReadPointName;
    while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80) --cut;
    name.resize(cut);
    name = std::string(trimmed(name));
  }
  return name;
}

/// A coordinate of a file: one decimal number, blanks around it allowed.
std::optional<double> readCoordinate(std::string_view text) {
  text = trimmed(text);
  if (text.empty() || decimalNumberLength(text) != text.size()) return std::nullopt;
  return decimalValue(text);
}

// ---------------------------------------------------------------- writing

struct StringWriter final : pugi::xml_writer {
  std::string bytes;
  void write(const void* data, std::size_t size) override { bytes.append(static_cast<const char*>(data), size); }
};

void addText(pugi::xml_node parent, const char* name, std::string_view text) {
  parent.append_child(name).text().set(std::string(text).c_str());
}

std::string documentText(const pugi::xml_document& document) {
  StringWriter writer;
  document.save(writer, "  ", pugi::format_indent, pugi::encoding_utf8);
  return std::move(writer.bytes);
}

pugi::xml_node startDocument(pugi::xml_document& document, const char* rootName, std::string_view ns) {
  pugi::xml_node declaration = document.append_child(pugi::node_declaration);
  declaration.append_attribute("version") = "1.0";
  declaration.append_attribute("encoding") = "utf-8";
  pugi::xml_node root = document.append_child(rootName);
  root.append_attribute("xmlns") = std::string(ns).c_str();
  return root;
}

void addPosition(pugi::xml_node node, GeoPosition p) {
  node.append_attribute("lat") = coordinateText(p.latitude).c_str();
  node.append_attribute("lon") = coordinateText(p.longitude).c_str();
}

/// The longitude within -180 <= lon < 180 (GPX excludes 180 itself); one within that
/// range is returned as it is.
double writtenLongitude(double longitude) {
  if (longitude >= -kMostLongitude && longitude < kMostLongitude) return longitude;
  double wrapped = std::fmod(longitude + kMostLongitude, kFullCircle);
  if (wrapped < 0) wrapped += kFullCircle;
  return wrapped - kMostLongitude;
}

void addChange(std::vector<NameChange>& changes, std::string_view from, std::string_view to) {
  if (from == to) return;
  NameChange change{std::string(from), std::string(to)};
  if (std::find(changes.begin(), changes.end(), change) == changes.end()) changes.push_back(std::move(change));
}

/// `base` with a number at its end, within `longest` characters: "QQA" and 2 give "QQA2".
std::string numbered(std::string_view base, std::size_t number, std::size_t longest) {
  const std::string digits = countText(number);
  return std::string(base.substr(0, longest - std::min(longest, digits.size()))) + digits;
}

/// The names the points are written with: one per point, equal for the same waypoint.
struct WrittenNames {
  std::vector<std::string> pointNames;       // per route point
  std::vector<std::size_t> waypointOfPoint;  // index into `waypoints`
  std::vector<std::size_t> waypoints;        // the first route point of each waypoint
};

/// Gives every distinct waypoint (name and position) a name of its own: `mapName` makes
/// the format's name, clashes are numbered within `longest` characters.
template <class MapName>
WrittenNames assignNames(const std::vector<RoutePoint>& points, std::size_t longest, MapName mapName,
                         std::vector<NameChange>& changes) {
  WrittenNames written;
  std::map<std::string, std::size_t, std::less<>> waypointByName;  // written name -> waypoint
  for (std::size_t i = 0; i < points.size(); ++i) {
    const RoutePoint& point = points[i];
    std::string base = mapName(point.name);
    if (base.empty()) base = mapName(generatedWaypointName(point.position));
    std::string name = base;
    for (std::size_t number = 2;; ++number) {
      const auto found = waypointByName.find(name);
      if (found == waypointByName.end()) {
        waypointByName.emplace(name, written.waypoints.size());
        written.waypointOfPoint.push_back(written.waypoints.size());
        written.waypoints.push_back(i);
        break;
      }
      const RoutePoint& other = points[written.waypoints[found->second]];
      if (other.name == point.name && other.position == point.position && other.kind == point.kind) {
        written.waypointOfPoint.push_back(found->second);
        break;
      }
      name = numbered(base, number, longest);
    }
    addChange(changes, point.name, name);
    written.pointNames.push_back(std::move(name));
  }
  return written;
}

std::string_view typeOf(const RoutePoint& point) {
  return point.kind == RoutePointKind::Airport ? kAirportType : kUserWaypointType;
}

std::string flightPlanDocument(const Route& route, const std::vector<RoutePoint>& points, const LocalDateTime& created,
                               std::vector<NameChange>& changes) {
  const WrittenNames names = assignNames(
      points, kLongestFlightPlanIdentifier, [](std::string_view n) { return flightPlanIdentifier(n); }, changes);
  pugi::xml_document document;
  pugi::xml_node root = startDocument(document, "flight-plan", kFlightPlanNamespace);
  addText(root, "created", utcStamp(created));
  pugi::xml_node table = root.append_child("waypoint-table");
  for (const std::size_t first : names.waypoints) {
    const RoutePoint& point = points[first];
    pugi::xml_node waypoint = table.append_child("waypoint");
    addText(waypoint, "identifier", names.pointNames[first]);
    addText(waypoint, "type", typeOf(point));
    addText(waypoint, "country-code", "");
    addText(waypoint, "lat", coordinateText(point.position.latitude));
    addText(waypoint, "lon", coordinateText(point.position.longitude));
    addText(waypoint, "comment", flightPlanText(point.name));
  }
  pugi::xml_node routeNode = root.append_child("route");
  const std::string routeName = flightPlanText(route.name);
  addChange(changes, route.name, routeName);
  addText(routeNode, "route-name", routeName);
  addText(routeNode, "flight-plan-index", "1");
  for (std::size_t i = 0; i < points.size(); ++i) {
    pugi::xml_node routePoint = routeNode.append_child("route-point");
    addText(routePoint, "waypoint-identifier", names.pointNames[i]);
    addText(routePoint, "waypoint-type", typeOf(points[i]));
    addText(routePoint, "waypoint-country-code", "");
  }
  return documentText(document);
}

void addGpxPoint(pugi::xml_node node, const RoutePoint& point, std::string_view name) {
  addPosition(node, point.position);
  addText(node, "name", name);
  addText(node, "sym", point.kind == RoutePointKind::Airport ? kAirportSymbol : kWaypointSymbol);
}

std::string gpxDocument(const Route& route, const std::vector<RoutePoint>& points, const LocalDateTime& created,
                        std::vector<NameChange>& changes) {
  const WrittenNames names = assignNames(
      points, std::string::npos, [](std::string_view n) { return std::string(trimmed(xmlSafeText(n))); }, changes);
  const std::string routeName = xmlSafeText(route.name);
  pugi::xml_document document;
  pugi::xml_node root = startDocument(document, "gpx", kGpxNamespace);
  root.append_attribute("version") = "1.1";
  root.append_attribute("creator") = std::string(kCreator).c_str();
  pugi::xml_node metadata = root.append_child("metadata");
  if (!routeName.empty()) addText(metadata, "name", routeName);
  addText(metadata, "time", utcStamp(created));
  for (const std::size_t first : names.waypoints) {
    addGpxPoint(root.append_child("wpt"), points[first], names.pointNames[first]);
  }
  pugi::xml_node routeNode = root.append_child("rte");
  if (!routeName.empty()) addText(routeNode, "name", routeName);
  for (std::size_t i = 0; i < points.size(); ++i) {
    addGpxPoint(routeNode.append_child("rtept"), points[i], names.pointNames[i]);
  }
  return documentText(document);
}

// ---------------------------------------------------------------- reading

RouteReading refused(RouteReadOutcome outcome, std::string message, RouteFormat format = RouteFormat::Gpx) {
  RouteReading reading;
  reading.outcome = outcome;
  reading.format = format;
  reading.message = std::move(message);
  return reading;
}

std::string_view localName(pugi::xml_node element) {
  const std::string_view name = element.name();
  const std::size_t colon = name.find(':');
  return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

/// The namespace declarations in force at an element: its own, then its parent's. Each
/// element's attributes are looked at once, so a hostile file with thousands of
/// declarations costs no more than its length.
class NamespaceScope {
 public:
  NamespaceScope(pugi::xml_node element, const NamespaceScope* parent) : parent_(parent) {
    for (const pugi::xml_attribute attribute : element.attributes()) {
      const std::string_view name = attribute.name();
      if (name == "xmlns") {
        declared_.emplace(std::string_view{}, attribute.value());
      } else if (name.substr(0, 6) == "xmlns:") {
        declared_.emplace(name.substr(6), attribute.value());
      }
    }
    const std::string_view qualified = element.name();
    const std::size_t colon = qualified.find(':');
    namespace_ = lookup(colon == std::string_view::npos ? std::string_view{} : qualified.substr(0, colon));
  }
  /// The namespace of the element itself.
  std::string_view elementNamespace() const { return namespace_; }

 private:
  std::string_view lookup(std::string_view prefix) const {
    for (const NamespaceScope* scope = this; scope != nullptr; scope = scope->parent_) {
      const auto found = scope->declared_.find(prefix);
      if (found != scope->declared_.end()) return found->second;
    }
    return {};
  }
  const NamespaceScope* parent_;
  std::unordered_map<std::string_view, std::string_view> declared_;
  std::string_view namespace_;
};

/// Calls `visit(child, scope)` for each child element named `local` in `ns`, in order,
/// until it returns false.
template <class Visit>
void forEachChild(pugi::xml_node parent, const NamespaceScope& parentScope, std::string_view ns, std::string_view local,
                  Visit visit) {
  for (const pugi::xml_node child : parent.children()) {
    if (child.type() != pugi::node_element || localName(child) != local) continue;
    const NamespaceScope scope(child, &parentScope);
    if (scope.elementNamespace() != ns) continue;
    if (!visit(child, scope)) return;
  }
}

/// The text of the first child element named `local` in `ns`; empty when there is none.
std::optional<std::string_view> childText(pugi::xml_node parent, const NamespaceScope& scope, std::string_view ns,
                                          std::string_view local) {
  std::optional<std::string_view> text;
  forEachChild(parent, scope, ns, local, [&](pugi::xml_node child, const NamespaceScope&) {
    text = child.text().get();
    return false;
  });
  return text;
}

/// A point's position, or what is wrong with it.
struct PositionReading {
  GeoPosition position;
  std::string problem;
};

PositionReading readPosition(std::optional<std::string_view> lat, std::optional<std::string_view> lon,
                             std::string_view what) {
  PositionReading reading;
  const auto check = [&](std::optional<std::string_view> text, const char* name, double most, double& into) -> bool {
    const std::optional<double> value = text ? readCoordinate(*text) : std::nullopt;
    if (!text) {
      reading.problem = std::string(what) + " has no " + name + ".";
    } else if (!value || !(std::fabs(*value) <= most)) {
      reading.problem = std::string(what) + ": the " + name + " \"" + cleanName(*text) + "\" is not a number from -" +
                        countText(static_cast<std::size_t>(most)) + " to " + countText(static_cast<std::size_t>(most)) +
                        ".";
    } else {
      into = *value == 0 ? 0.0 : *value;
      return true;
    }
    return false;
  };
  if (check(lat, "latitude", kMostLatitude, reading.position.latitude)) {
    check(lon, "longitude", kMostLongitude, reading.position.longitude);
  }
  return reading;
}

RoutePoint pointNamed(std::string_view rawName, GeoPosition position, RoutePointKind kind) {
  std::string name = cleanName(rawName);
  if (name.empty()) name = generatedWaypointName(position);
  return RoutePoint{std::move(name), position, kind};
}

std::string tooManyWaypoints() {
  return "The file holds more than " + std::string("3,000") +
         " waypoints; a route file holds at most that many, so it was not read.";
}
std::string tooManyRoutePoints() {
  return "The route has more than 300 points; a route file holds at most that many, so it was not read.";
}

/// Ends a reading: two to 300 points, or the refusal.
RouteReading finished(Route route, RouteFormat format) {
  if (route.points.size() < 2) {
    return refused(RouteReadOutcome::TooFewPoints,
                   "The file holds no route of two or more points (it holds " + countText(route.points.size()) +
                       "), so there is no leg to plan.",
                   format);
  }
  if (route.points.size() > kMostRoutePoints) {
    return refused(RouteReadOutcome::TooManyRoutePoints, tooManyRoutePoints(), format);
  }
  RouteReading reading;
  reading.outcome = RouteReadOutcome::Read;
  reading.format = format;
  reading.route = std::move(route);
  return reading;
}

RouteReading readGpx(pugi::xml_node root, const NamespaceScope& rootScope) {
  constexpr RouteFormat kFormat = RouteFormat::Gpx;
  const std::string_view ns = kGpxNamespace;
  std::string problem;
  const auto readPoint = [&](pugi::xml_node node, const NamespaceScope& scope,
                             std::string_view what) -> std::optional<RoutePoint> {
    const auto attributeText = [&](const char* name) -> std::optional<std::string_view> {
      const pugi::xml_attribute attribute = node.attribute(name);
      if (!attribute) return std::nullopt;
      return std::string_view(attribute.value());
    };
    const PositionReading position = readPosition(attributeText("lat"), attributeText("lon"), what);
    if (!position.problem.empty()) {
      problem = position.problem;
      return std::nullopt;
    }
    const std::string_view symbol = trimmed(childText(node, scope, ns, "sym").value_or(""));
    const RoutePointKind kind =
        equalIgnoringCase(symbol, kAirportSymbol) ? RoutePointKind::Airport : RoutePointKind::UserWaypoint;
    return pointNamed(childText(node, scope, ns, "name").value_or(""), position.position, kind);
  };

  std::vector<RoutePoint> waypoints;
  bool tooMany = false;
  forEachChild(root, rootScope, ns, "wpt", [&](pugi::xml_node node, const NamespaceScope& scope) {
    if (waypoints.size() == kMostRouteWaypoints) {
      tooMany = true;
      return false;
    }
    const std::optional<RoutePoint> point = readPoint(node, scope, "Waypoint " + countText(waypoints.size() + 1));
    if (point) waypoints.push_back(*point);
    return point.has_value();
  });
  if (tooMany) return refused(RouteReadOutcome::TooManyWaypoints, tooManyWaypoints(), kFormat);
  if (!problem.empty()) return refused(RouteReadOutcome::Malformed, problem, kFormat);

  Route route;
  bool routeTaken = false;
  forEachChild(root, rootScope, ns, "rte", [&](pugi::xml_node rte, const NamespaceScope& rteScope) {
    std::size_t count = 0;
    std::vector<RoutePoint> points;
    forEachChild(rte, rteScope, ns, "rtept", [&](pugi::xml_node node, const NamespaceScope& scope) {
      if (++count > kMostRoutePoints) return false;
      if (routeTaken) return true;
      const std::optional<RoutePoint> point = readPoint(node, scope, "Route point " + countText(count));
      if (point) points.push_back(*point);
      return point.has_value();
    });
    if (count > kMostRoutePoints) {
      problem = tooManyRoutePoints();
      tooMany = true;
      return false;
    }
    if (!problem.empty()) return false;
    if (!routeTaken && !points.empty()) {
      routeTaken = true;
      route.points = std::move(points);
      route.name = cleanName(childText(rte, rteScope, ns, "name").value_or(""));
    }
    return true;
  });
  if (tooMany) return refused(RouteReadOutcome::TooManyRoutePoints, problem, kFormat);
  if (!problem.empty()) return refused(RouteReadOutcome::Malformed, problem, kFormat);
  if (!routeTaken) {
    route.points = std::move(waypoints);
    forEachChild(root, rootScope, ns, "metadata", [&](pugi::xml_node metadata, const NamespaceScope& scope) {
      route.name = cleanName(childText(metadata, scope, ns, "name").value_or(""));
      return false;
    });
  }
  return finished(std::move(route), kFormat);
}

RouteReading readFlightPlan(pugi::xml_node root, const NamespaceScope& rootScope) {
  constexpr RouteFormat kFormat = RouteFormat::FlightPlan;
  const std::string_view ns = kFlightPlanNamespace;
  // Waypoints are named in the route by identifier, type and country code together.
  const auto key = [](std::optional<std::string_view> identifier, std::optional<std::string_view> type,
                      std::optional<std::string_view> country) {
    return std::string(trimmed(identifier.value_or(""))) + '\n' + std::string(trimmed(type.value_or(""))) + '\n' +
           std::string(trimmed(country.value_or("")));
  };

  std::optional<pugi::xml_node> tableNode;
  std::optional<NamespaceScope> tableScope;
  forEachChild(root, rootScope, ns, "waypoint-table", [&](pugi::xml_node node, const NamespaceScope& scope) {
    tableNode = node;
    tableScope.emplace(node, &rootScope);
    (void)scope;
    return false;
  });
  if (!tableNode) return refused(RouteReadOutcome::Malformed, "The file has no waypoint table.", kFormat);

  std::vector<RoutePoint> waypoints;
  std::unordered_map<std::string, std::size_t> waypointByKey;
  std::string problem;
  bool tooMany = false;
  forEachChild(*tableNode, *tableScope, ns, "waypoint", [&](pugi::xml_node node, const NamespaceScope& scope) {
    if (waypoints.size() == kMostRouteWaypoints) {
      tooMany = true;
      return false;
    }
    const std::string what = "Waypoint " + countText(waypoints.size() + 1);
    const auto identifier = childText(node, scope, ns, "identifier");
    const auto type = childText(node, scope, ns, "type");
    const PositionReading position =
        readPosition(childText(node, scope, ns, "lat"), childText(node, scope, ns, "lon"), what);
    if (!identifier || trimmed(*identifier).empty()) {
      problem = what + " has no identifier.";
    } else if (!position.problem.empty()) {
      problem = position.problem;
    }
    if (!problem.empty()) return false;
    const RoutePointKind kind =
        trimmed(type.value_or("")) == kAirportType ? RoutePointKind::Airport : RoutePointKind::UserWaypoint;
    waypointByKey.emplace(key(identifier, type, childText(node, scope, ns, "country-code")), waypoints.size());
    waypoints.push_back(pointNamed(*identifier, position.position, kind));
    return true;
  });
  if (tooMany) return refused(RouteReadOutcome::TooManyWaypoints, tooManyWaypoints(), kFormat);
  if (!problem.empty()) return refused(RouteReadOutcome::Malformed, problem, kFormat);

  Route route;
  forEachChild(root, rootScope, ns, "route", [&](pugi::xml_node node, const NamespaceScope& scope) {
    route.name = cleanName(childText(node, scope, ns, "route-name").value_or(""));
    forEachChild(node, scope, ns, "route-point", [&](pugi::xml_node pointNode, const NamespaceScope& pointScope) {
      if (route.points.size() == kMostRoutePoints) {
        tooMany = true;
        return false;
      }
      const auto identifier = childText(pointNode, pointScope, ns, "waypoint-identifier");
      const auto found = waypointByKey.find(key(identifier, childText(pointNode, pointScope, ns, "waypoint-type"),
                                                childText(pointNode, pointScope, ns, "waypoint-country-code")));
      if (found == waypointByKey.end()) {
        problem = "Route point " + countText(route.points.size() + 1) + " (" + cleanName(identifier.value_or("")) +
                  ") names no waypoint of the waypoint table.";
        return false;
      }
      route.points.push_back(waypoints[found->second]);
      return true;
    });
    return false;
  });
  if (tooMany) return refused(RouteReadOutcome::TooManyRoutePoints, tooManyRoutePoints(), kFormat);
  if (!problem.empty()) return refused(RouteReadOutcome::Malformed, problem, kFormat);
  if (route.points.empty()) route.points = std::move(waypoints);
  return finished(std::move(route), kFormat);
}

RouteReading tooLarge() {
  return refused(RouteReadOutcome::TooLarge,
                 "The file is larger than 8 MiB, far more than any route needs, so it was not read.");
}

std::size_t lineOf(std::string_view text, std::size_t offset) {
  offset = std::min(offset, text.size());
  return static_cast<std::size_t>(std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(offset), '\n')) +
         1;
}

}  // namespace

std::string flightPlanIdentifier(std::string_view name) {
  std::string identifier;
  for (const char c : name) {
    const char upper = upperAscii(c);
    if ((upper >= 'A' && upper <= 'Z') || (upper >= '0' && upper <= '9')) identifier += upper;
    if (identifier.size() == kLongestFlightPlanIdentifier) break;
  }
  return identifier;
}

std::string flightPlanText(std::string_view text) {
  std::string mapped;
  bool blankPending = false;
  for (const char c : text) {
    const char upper = upperAscii(c);
    const bool kept = (upper >= 'A' && upper <= 'Z') || (upper >= '0' && upper <= '9') || upper == '/';
    if (!kept) {
      blankPending = !mapped.empty();
      continue;
    }
    if (blankPending) {
      if (mapped.size() + 1 >= kLongestFlightPlanText) break;
      mapped += ' ';
      blankPending = false;
    }
    if (mapped.size() == kLongestFlightPlanText) break;
    mapped += upper;
  }
  return mapped;
}

RouteFileText writeRouteFile(const Route& route, RouteFormat format, const LocalDateTime& createdUtc) {
  RouteFileText file;
  if (route.points.size() < 2) {
    file.problem = "A route needs two points or more; this one has " + countText(route.points.size()) + ".";
    return file;
  }
  if (route.points.size() > kMostRoutePoints) {
    file.problem = "The route has " + countText(route.points.size()) +
                   " points; GPS units take at most 300, so it was not written.";
    return file;
  }
  std::vector<RoutePoint> points = route.points;
  for (std::size_t i = 0; i < points.size(); ++i) {
    GeoPosition& p = points[i].position;
    if (!(std::fabs(p.latitude) <= kMostLatitude) || !std::isfinite(p.longitude)) {
      file.problem = "Point " + countText(i + 1) + " (" + validUtf8(points[i].name) + ") lies at latitude " +
                     fieldText(p.latitude) + ", longitude " + fieldText(p.longitude) +
                     ", which is no place on Earth; the route was not written.";
      return file;
    }
    p.longitude = writtenLongitude(p.longitude);
  }
  file.text = format == RouteFormat::FlightPlan ? flightPlanDocument(route, points, createdUtc, file.changes)
                                                : gpxDocument(route, points, createdUtc, file.changes);
  return file;
}

std::string nameChangesMessage(const std::vector<NameChange>& changes) {
  std::string message = "Some names did not fit the file format and were written otherwise:";
  for (const NameChange& change : changes) {
    message += '\n';
    message += change.from.empty() ? std::string("(no name)") : validUtf8(change.from);
    message += " as ";
    message += change.to;
  }
  return message;
}

RouteReading readRouteText(std::string_view bytes) {
  if (bytes.size() > kLargestRouteFileBytes) return tooLarge();
  if (bytes.substr(0, kUtf8ByteOrderMark.size()) == kUtf8ByteOrderMark) bytes.remove_prefix(kUtf8ByteOrderMark.size());
  if (trimmed(bytes).empty()) return refused(RouteReadOutcome::Empty, "The file is empty.");

  // The valid start of the text is copied unchanged, so the first difference is the
  // first byte that is not UTF-8.
  const std::string valid = validUtf8(bytes);
  if (valid != bytes) {
    const auto difference = std::mismatch(bytes.begin(), bytes.end(), valid.begin(), valid.end()).first;
    return refused(RouteReadOutcome::NotUtf8,
                   "The file is not UTF-8 text: line " +
                       countText(lineOf(bytes, static_cast<std::size_t>(difference - bytes.begin()))) +
                       " holds a byte that is not part of any UTF-8 character.");
  }
  if (const std::size_t zero = bytes.find('\0'); zero != std::string_view::npos) {
    return refused(RouteReadOutcome::NotXml,
                   "The file is not XML text: line " + countText(lineOf(bytes, zero)) + " holds a zero byte.");
  }

  // No entity of a document type is ever defined or expanded, and nothing is fetched:
  // a document type is refused outright.
  pugi::xml_document document;
  const unsigned options = pugi::parse_default | pugi::parse_doctype | pugi::parse_declaration;
  const pugi::xml_parse_result parsed = document.load_buffer(bytes.data(), bytes.size(), options, pugi::encoding_utf8);
  bool hasDocumentType = parsed.status == pugi::status_bad_doctype;
  for (const pugi::xml_node node : document.children()) hasDocumentType |= node.type() == pugi::node_doctype;
  if (hasDocumentType) {
    return refused(RouteReadOutcome::HasDocumentType,
                   "The file declares a document type (<!DOCTYPE>), which route files never carry; nothing it "
                   "names was opened.");
  }
  if (!parsed) {
    return refused(RouteReadOutcome::NotXml,
                   "The file is not well-formed XML (line " +
                       countText(lineOf(bytes, static_cast<std::size_t>(std::max<std::ptrdiff_t>(0, parsed.offset)))) +
                       ": " + parsed.description() + "); it may be cut short or damaged.");
  }
  for (const pugi::xml_node node : document.children()) {
    if (node.type() != pugi::node_declaration) continue;
    const std::string_view encoding = trimmed(node.attribute("encoding").value());
    if (!encoding.empty() && !equalIgnoringCase(encoding, "utf-8") && !equalIgnoringCase(encoding, "utf8") &&
        !equalIgnoringCase(encoding, "us-ascii")) {
      return refused(RouteReadOutcome::NotUtf8, "The file declares the encoding \"" + cleanName(encoding) +
                                                    "\"; route files are read as UTF-8 only.");
    }
  }

  const pugi::xml_node root = document.document_element();
  const NamespaceScope rootScope(root, nullptr);
  const std::string_view local = localName(root);
  if (local != "flight-plan" && local != "gpx") {
    return refused(RouteReadOutcome::NotRouteFile,
                   "The file is neither a FlightPlan (.fpl) nor a GPX (.gpx) "
                   "route file: its first element is <" +
                       cleanName(root.name()) + ">.");
  }
  const bool flightPlan = local == "flight-plan";
  const RouteFormat format = flightPlan ? RouteFormat::FlightPlan : RouteFormat::Gpx;
  const std::string_view expected = flightPlan ? kFlightPlanNamespace : kGpxNamespace;
  if (rootScope.elementNamespace() != expected) {
    const std::string found = cleanName(rootScope.elementNamespace());
    return refused(
        RouteReadOutcome::WrongNamespace,
        std::string(flightPlan ? "The file is no Garmin FlightPlan v1 file" : "The file is no GPX 1.1 file") +
            ": its <" + std::string(local) + "> element is in the namespace " +
            (found.empty() ? std::string("(none)") : "\"" + found + "\"") + ", not \"" + std::string(expected) + "\".",
        format);
  }
  return flightPlan ? readFlightPlan(root, rootScope) : readGpx(root, rootScope);
}

RouteReading readRouteFile(const std::filesystem::path& path) {
  const WholeFile file = readWholeFile(path, kLargestRouteFileBytes);
  switch (file.outcome) {
    case FileRead::Read: return readRouteText(file.bytes);
    case FileRead::TooLarge: return tooLarge();
    case FileRead::CannotOpen: break;
  }
  return refused(RouteReadOutcome::CannotOpen, "The file cannot be opened.");
}

}  // namespace orvane
