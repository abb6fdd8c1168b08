#include "core/plan_file.hpp"

#include <nlohmann/json.hpp>

#include <charconv>
#include <cmath>
#include <vector>

#include "core/clock.hpp"
#include "core/leg_ranges.hpp"
#include "core/nav_log.hpp"
#include "core/numbers.hpp"

namespace orvane {
namespace {

// Objects keep their keys in the order written, so the file reads like the planner.
using Json = nlohmann::ordered_json;

constexpr int kEarliestPlanYear = 1753;  // the picker's first whole year

using Range = NumberRange;
using leg_ranges::kAirspeed;
using leg_ranges::kAngle;
using leg_ranges::kCourse;
using leg_ranges::kFuel;
using leg_ranges::kLegDistance;
using leg_ranges::kWindVelocity;
constexpr Range kAnyNumber{-1e300, 1e300};  // a field that takes any number
constexpr Range kLatitude{-90, 90};
constexpr Range kLongitude{-180, 180};

void appendTwoDigits(std::string& out, int value) {
  out.push_back(static_cast<char>('0' + value / 10 % 10));
  out.push_back(static_cast<char>('0' + value % 10));
}

std::string dateTimeText(const LocalDateTime& t) {
  std::string out = formatDate(t);
  out.push_back('T');
  appendTwoDigits(out, t.hour);
  out.push_back(':');
  appendTwoDigits(out, t.minute);
  out.push_back(':');
  appendTwoDigits(out, t.second);
  return out;
}

bool leapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int daysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && leapYear(year) ? 29 : kDays[month - 1];
}

// "YYYY-MM-DDTHH:MM:SS", each part its exact number of digits.
std::optional<LocalDateTime> parseDateTime(std::string_view text) {
  if (text.size() != 19 || text[4] != '-' || text[7] != '-' || text[10] != 'T' || text[13] != ':' || text[16] != ':') {
    return std::nullopt;
  }
  const auto part = [&](std::size_t at, std::size_t length) -> std::optional<int> {
    int value = 0;
    for (std::size_t i = at; i < at + length; ++i) {
      if (text[i] < '0' || text[i] > '9') return std::nullopt;
      value = value * 10 + (text[i] - '0');
    }
    return value;
  };
  const auto year = part(0, 4), month = part(5, 2), day = part(8, 2);
  const auto hour = part(11, 2), minute = part(14, 2), second = part(17, 2);
  if (!year || !month || !day || !hour || !minute || !second) return std::nullopt;
  if (*year < kEarliestPlanYear || *year > kLatestClockYear || *month < 1 || *month > 12 || *day < 1 ||
      *day > daysInMonth(*year, *month) || *hour > 23 || *minute > 59 || *second > 59) {
    return std::nullopt;
  }
  return LocalDateTime{*year, *month, *day, *hour, *minute, *second};
}

// Nesting deeper than a plan has is refused before the parser sees it: the text is
// scanned for brackets outside strings.
bool nestsTooDeep(std::string_view text) {
  int depth = 0;
  bool inString = false;
  bool escaped = false;
  for (char c : text) {
    if (inString) {
      if (escaped) {
        escaped = false;
      } else if (c == '\\') {
        escaped = true;
      } else if (c == '"') {
        inString = false;
      }
    } else if (c == '"') {
      inString = true;
    } else if (c == '[' || c == '{') {
      if (++depth > kDeepestPlanNesting) return true;
    } else if (c == ']' || c == '}') {
      --depth;
    }
  }
  return false;
}

// ---- writing ------------------------------------------------------------------------

Json endJson(const std::string& id, const GeoPosition& position) {
  Json out = Json::object();
  out["id"] = id;
  out["latitude"] = position.latitude;
  out["longitude"] = position.longitude;
  return out;
}

Json pendingCourseJson(const PendingCourse& course) {
  Json out = Json::object();
  out["from"] = endJson(course.ends.fromId, course.ends.from);
  out["to"] = endJson(course.ends.toId, course.ends.to);
  out["trueCourse"] = course.trueCourse;
  out["distance"] = course.distance;
  if (course.variation) out["variation"] = *course.variation;
  return out;
}

Json airplaneJson(const AirplaneData& a) {
  Json out = Json::object();
  out["tailNumber"] = a.tailNumber;
  out["airplaneType"] = a.airplaneType;
  out["maxWeight"] = a.maxWeight;
  out["usefulLoad"] = a.usefulLoad;
  out["cgForeLimit"] = a.cgForeLimit;
  out["cgAftLimit"] = a.cgAftLimit;
  out["emptyWeight"] = a.emptyWeight;
  out["emptyMoment"] = a.emptyMoment;
  out["pilotWeight"] = a.pilotWeight;
  out["frontSeatsArm"] = a.frontSeatsArm;
  out["rearSeatsArm"] = a.rearSeatsArm;
  out["fuelArm"] = a.fuelArm;
  return out;
}

Json fuelPolicyJson(const FuelPolicy& policy) {
  Json out = Json::object();
  out["taxiGallons"] = policy.taxiGallons;
  out["contingencyPercent"] = policy.contingencyPercent;
  out["finalReserveMinutes"] = policy.finalReserveMinutes;
  if (policy.alternate) {
    const AlternateLeg& a = *policy.alternate;
    Json alternate = Json::object();
    alternate["from"] = endJson(a.fromIdentifier, a.fromPosition);
    alternate["to"] = endJson(a.toIdentifier, a.toPosition);
    alternate["trueCourse"] = a.trueCourse;
    alternate["distance"] = a.distance;
    out["alternate"] = std::move(alternate);
  }
  return out;
}

Json legJson(const PlannedLeg& leg) {
  Json out = Json::object();
  if (leg.ends) {
    out["from"] = endJson(leg.ends->fromId, leg.ends->from);
    out["to"] = endJson(leg.ends->toId, leg.ends->to);
  }
  const LegInputs& in = leg.inputs;
  out["trueCourse"] = in.trueCourse;
  out["distance"] = in.distance;
  out["windDirection"] = in.windDirection;
  out["windVelocity"] = in.windVelocity;
  out["trueAirspeed"] = in.trueAirspeed;
  out["variation"] = in.variation;
  out["deviation"] = in.deviation;
  out["fuelFlow"] = in.fuelFlow;
  out["flightDistance"] = in.flightDistance;
  if (leg.fuelOnBoardSet) out["fuelOnBoard"] = *leg.fuelOnBoardSet;
  if (leg.takeOffSet) out["takeOff"] = dateTimeText(*leg.takeOffSet);
  return out;
}

// ---- reading ------------------------------------------------------------------------

// The first fault found, in words: reading stops there.
struct Fault {
  std::string text;
};

std::string quoted(std::string_view key) {
  std::string text = "\"";
  text.append(key).push_back('"');
  return text;
}

const Json& member(const Json& object, std::string_view key, const std::string& where) {
  const auto found = object.find(std::string(key));
  if (found == object.end()) throw Fault{where + quoted(key) + " is missing."};
  return *found;
}

double number(const Json& object, std::string_view key, Range range, const std::string& where) {
  const Json& value = member(object, key, where);
  if (!value.is_number()) throw Fault{where + quoted(key) + " is not a number."};
  const double v = value.get<double>();
  if (!std::isfinite(v) || v < range.lowest || v > range.highest) {
    std::string text = where + quoted(key) + " is " + fieldText(v) + ", outside ";
    if (range.lowest == kAnyNumber.lowest) {
      text += "the numbers the planner takes.";
    } else {
      text += fieldText(range.lowest) + " to " + fieldText(range.highest) + ".";
    }
    throw Fault{text};
  }
  return v;
}

std::string text(const Json& object, std::string_view key, const std::string& where) {
  const Json& value = member(object, key, where);
  if (!value.is_string()) throw Fault{where + quoted(key) + " is not a text."};
  std::string out = value.get<std::string>();
  if (out.size() > kLongestPlanText) {
    throw Fault{where + quoted(key) + " is longer than " + fieldText(static_cast<double>(kLongestPlanText)) +
                " bytes."};
  }
  if (validUtf8(out) != out) throw Fault{where + quoted(key) + " is not valid UTF-8 text."};
  for (char c : out) {
    if (static_cast<unsigned char>(c) < 0x20) throw Fault{where + quoted(key) + " holds a control character."};
  }
  return out;
}

const Json& object(const Json& parent, std::string_view key, const std::string& where) {
  const Json& value = member(parent, key, where);
  if (!value.is_object()) throw Fault{where + quoted(key) + " is not an object."};
  return value;
}

LocalDateTime dateTime(const Json& parent, std::string_view key, const std::string& where) {
  const Json& value = member(parent, key, where);
  const auto parsed = value.is_string() ? parseDateTime(value.get<std::string>()) : std::nullopt;
  if (!parsed) {
    throw Fault{where + quoted(key) + " is not a date and time from the year " + fieldText(kEarliestPlanYear) + " to " +
                fieldText(kLatestClockYear) + ", written as 2026-06-15T09:00:00."};
  }
  return *parsed;
}

LegEnds ends(const Json& leg, const std::string& where) {
  LegEnds out;
  const Json& from = object(leg, "from", where);
  const Json& to = object(leg, "to", where);
  out.fromId = text(from, "id", where + "\"from\": ");
  out.from = {number(from, "latitude", kLatitude, where + "\"from\": "),
              number(from, "longitude", kLongitude, where + "\"from\": ")};
  out.toId = text(to, "id", where + "\"to\": ");
  out.to = {number(to, "latitude", kLatitude, where + "\"to\": "),
            number(to, "longitude", kLongitude, where + "\"to\": ")};
  return out;
}

PendingCourse pendingCourse(const Json& next, const std::string& where) {
  PendingCourse course;
  course.ends = ends(next, where);
  course.trueCourse = number(next, "trueCourse", kCourse, where);
  course.distance = number(next, "distance", kLegDistance, where);
  if (next.contains("variation")) course.variation = number(next, "variation", kAngle, where);
  return course;
}

PlannedLeg plannedLeg(const Json& leg, const std::string& where) {
  if (!leg.is_object()) throw Fault{where + "is not an object."};
  PlannedLeg out;
  const bool hasFrom = leg.contains("from");
  if (hasFrom != leg.contains("to")) throw Fault{where + "has only one of \"from\" and \"to\"."};
  if (hasFrom) out.ends = ends(leg, where);
  LegInputs& in = out.inputs;
  in.trueCourse = number(leg, "trueCourse", kCourse, where);
  in.distance = number(leg, "distance", kLegDistance, where);
  in.windDirection = number(leg, "windDirection", kCourse, where);
  in.windVelocity = number(leg, "windVelocity", kWindVelocity, where);
  in.trueAirspeed = number(leg, "trueAirspeed", kAirspeed, where);
  in.variation = number(leg, "variation", kAngle, where);
  in.deviation = number(leg, "deviation", kAngle, where);
  in.fuelFlow = number(leg, "fuelFlow", kFuel, where);
  in.flightDistance = number(leg, "flightDistance", kAnyNumber, where);
  if (leg.contains("fuelOnBoard")) out.fuelOnBoardSet = number(leg, "fuelOnBoard", kFuel, where);
  if (leg.contains("takeOff")) out.takeOffSet = dateTime(leg, "takeOff", where);
  return out;
}

AirplaneData airplane(const Json& a) {
  const std::string where = "\"airplane\": ";
  AirplaneData out;
  out.tailNumber = text(a, "tailNumber", where);
  out.airplaneType = text(a, "airplaneType", where);
  out.maxWeight = number(a, "maxWeight", kAnyNumber, where);
  out.usefulLoad = number(a, "usefulLoad", kAnyNumber, where);
  out.cgForeLimit = number(a, "cgForeLimit", kAnyNumber, where);
  out.cgAftLimit = number(a, "cgAftLimit", kAnyNumber, where);
  out.emptyWeight = number(a, "emptyWeight", kAnyNumber, where);
  out.emptyMoment = number(a, "emptyMoment", kAnyNumber, where);
  out.pilotWeight = number(a, "pilotWeight", kAnyNumber, where);
  out.frontSeatsArm = number(a, "frontSeatsArm", kAnyNumber, where);
  out.rearSeatsArm = number(a, "rearSeatsArm", kAnyNumber, where);
  out.fuelArm = number(a, "fuelArm", kAnyNumber, where);
  return out;
}

FuelPolicy fuelPolicy(const Json& p) {
  const std::string where = "\"fuelPolicy\": ";
  FuelPolicy out;
  out.taxiGallons = number(p, "taxiGallons", kAnyNumber, where);
  out.contingencyPercent = number(p, "contingencyPercent", kAnyNumber, where);
  out.finalReserveMinutes = number(p, "finalReserveMinutes", kAnyNumber, where);
  if (p.contains("alternate")) {
    const Json& a = object(p, "alternate", where);
    const LegEnds alternateEnds = ends(a, where + "\"alternate\": ");
    AlternateLeg alternate;
    alternate.fromIdentifier = alternateEnds.fromId;
    alternate.fromPosition = alternateEnds.from;
    alternate.toIdentifier = alternateEnds.toId;
    alternate.toPosition = alternateEnds.to;
    alternate.trueCourse = number(a, "trueCourse", kCourse, where + "\"alternate\": ");
    alternate.distance = number(a, "distance", kLegDistance, where + "\"alternate\": ");
    out.alternate = alternate;
  }
  // The policy's own ranges: the reserve one of the choices, the distance above 0.
  if (const std::string fault = fuelPolicyFault(out); !fault.empty()) throw Fault{where + fault};
  return out;
}

std::string legWhere(std::size_t index) { return "leg " + fieldText(static_cast<double>(index + 1)) + ": "; }

FlightPlan planFrom(const Json& root) {
  if (!root.is_object()) throw Fault{"it is not a plan file (no JSON object)."};
  const auto format = root.find("format");
  if (format == root.end() || !format->is_string() || format->get<std::string>() != kPlanFormatName) {
    throw Fault{"it is not a plan file (its \"format\" is not \"" + std::string(kPlanFormatName) + "\")."};
  }
  const auto version = root.find("version");
  if (version == root.end() || !version->is_number_integer()) {
    throw Fault{"its \"version\" is missing or not a whole number."};
  }
  if (version->is_number_unsigned() ? version->get<std::uint64_t>() > static_cast<std::uint64_t>(kPlanVersion)
                                    : version->get<std::int64_t>() > kPlanVersion) {
    throw Fault{"it was written by a newer version of Orvane (plan version " + version->dump() +
                "); this version reads plan version " + fieldText(kPlanVersion) + "."};
  }
  if (version->get<std::int64_t>() < 1) throw Fault{"its \"version\" " + version->dump() + " is not a plan version."};

  FlightPlan plan;
  plan.takeOff = dateTime(root, "takeOff", "");
  if (root.contains("summerTime")) {
    const Json& summer = root["summerTime"];
    if (!summer.is_boolean()) throw Fault{"\"summerTime\" is not true or false."};
    plan.takeOffDaylightSaving = summer.get<bool>() ? 1 : 0;
  }
  plan.fuelOnBoardAtTakeOff = number(root, "fuelOnBoard", kFuel, "");
  plan.airplane = airplane(object(root, "airplane", ""));
  if (root.contains("fuelPolicy")) plan.fuelPolicy = fuelPolicy(object(root, "fuelPolicy", ""));
  const Json& legs = member(root, "legs", "");
  if (!legs.is_array()) throw Fault{"\"legs\" is not a list."};
  if (legs.size() > kMostLegs) {
    throw Fault{"it has more than " + fieldText(static_cast<double>(kMostLegs)) + " legs."};
  }
  for (std::size_t i = 0; i < legs.size(); ++i) plan.legs.push_back(plannedLeg(legs[i], legWhere(i)));
  if (!plan.legs.empty()) {
    // The first leg takes off with the flight's own fuel and time.
    if (plan.legs.front().fuelOnBoardSet || plan.legs.front().takeOffSet) {
      throw Fault{"leg 1: its own \"fuelOnBoard\" or \"takeOff\" belongs to the plan itself."};
    }
  }
  if (root.contains("nextCourse"))
    plan.pendingCourse = pendingCourse(object(root, "nextCourse", ""), "\"nextCourse\": ");
  if (root.contains("coursesAhead")) {
    const Json& ahead = member(root, "coursesAhead", "");
    if (!ahead.is_array()) throw Fault{"\"coursesAhead\" is not a list."};
    if (!plan.pendingCourse && !ahead.empty()) throw Fault{"it has \"coursesAhead\" but no \"nextCourse\"."};
    if (plan.legs.size() + 1 + ahead.size() > kMostLegs) {
      throw Fault{"it has more than " + fieldText(static_cast<double>(kMostLegs)) + " legs."};
    }
    for (std::size_t i = 0; i < ahead.size(); ++i) {
      const std::string where = "\"coursesAhead\" " + fieldText(static_cast<double>(i + 1)) + ": ";
      if (!ahead[i].is_object()) throw Fault{where + "it is not an object."};
      plan.coursesAhead.push_back(pendingCourse(ahead[i], where));
    }
  }
  return plan;
}

}  // namespace

std::string planText(const FlightPlan& plan) {
  Json root = Json::object();
  root["format"] = kPlanFormatName;
  // The lowest version that holds the plan, so that earlier versions still open it.
  root["version"] = plan.coursesAhead.empty() ? 1 : kPlanVersion;
  root["takeOff"] = dateTimeText(plan.takeOff);
  if (plan.takeOffDaylightSaving != kDaylightSavingByRules) root["summerTime"] = plan.takeOffDaylightSaving == 1;
  root["fuelOnBoard"] = plan.fuelOnBoardAtTakeOff;
  root["airplane"] = airplaneJson(plan.airplane);
  root["fuelPolicy"] = fuelPolicyJson(plan.fuelPolicy);
  Json legs = Json::array();
  for (const PlannedLeg& leg : plan.legs) legs.push_back(legJson(leg));
  root["legs"] = std::move(legs);
  if (plan.pendingCourse) root["nextCourse"] = pendingCourseJson(*plan.pendingCourse);
  if (!plan.coursesAhead.empty()) {
    Json ahead = Json::array();
    for (const PendingCourse& course : plan.coursesAhead) ahead.push_back(pendingCourseJson(course));
    root["coursesAhead"] = std::move(ahead);
  }
  // Texts that are not valid UTF-8 are written with U+FFFD in their place.
  return root.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

PlanRead readPlanText(std::string_view text) {
  PlanRead read;
  if (text.find_first_not_of(" \t\r\n") == std::string_view::npos) {
    read.problem = "it is empty.";
    return read;
  }
  if (text.size() > kPlanReadLimit) {
    read.problem = "it is larger than a plan can be.";
    return read;
  }
  if (nestsTooDeep(text)) {
    read.problem = "it is not a plan file (its lists and objects nest too deep).";
    return read;
  }
  Json root;
  try {
    root = Json::parse(text.begin(), text.end());
  } catch (const Json::parse_error& error) {
    read.problem = "it is not a plan file (not JSON text: it breaks off or goes wrong at byte " +
                   fieldText(static_cast<double>(error.byte)) + ").";
    return read;
  } catch (const Json::exception&) {
    // A number beyond a double's range ("1E999") is refused by the parser this way.
    read.problem = "it is not a plan file (a number is too large).";
    return read;
  }
  try {
    read.plan = planFrom(root);
  } catch (const Fault& fault) {
    read.problem = fault.text;
  } catch (const Json::exception&) {
    read.problem = "it is not a plan file (a value has an unexpected type).";
  }
  return read;
}

}  // namespace orvane
