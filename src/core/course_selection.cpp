#include "core/course_selection.hpp"

#include <algorithm>
#include <numeric>

#include "core/ascii.hpp"
#include "core/numbers.hpp"

namespace orvane {

AirportList makeAirportList(const std::vector<std::string>& identifiers, ListCase listCase) {
  std::vector<std::size_t> order(identifiers.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::stable_sort(order.begin(), order.end(),
                   [&](std::size_t a, std::size_t b) { return lessIgnoringCase(identifiers[a], identifiers[b]); });
  AirportList list;
  list.shown.reserve(order.size());
  list.identifiers.reserve(order.size());
  for (std::size_t i : order) {
    list.identifiers.push_back(identifiers[i]);
    list.shown.push_back(listCase == ListCase::Upper ? upperAscii(identifiers[i]) : identifiers[i]);
  }
  return list;
}

std::optional<std::size_t> findListEntry(const AirportList& list, std::string_view text) {
  // The list is in case-blind order, so the first equal entry is where `text` would go.
  const auto at = std::lower_bound(list.identifiers.begin(), list.identifiers.end(), text,
                                   [](const std::string& entry, std::string_view key) {
                                     return lessIgnoringCase(entry, key);
                                   });
  if (at == list.identifiers.end() || !equalIgnoringCase(*at, text)) return std::nullopt;
  return static_cast<std::size_t>(at - list.identifiers.begin());
}

std::optional<GeoPosition> locateAirport(const AirportTable& table, std::string_view identifier) {
  if (auto exact = findAirport(table, identifier)) return exact;
  for (const auto& [written, position] : table) {
    if (equalIgnoringCase(written, identifier)) return position;
  }
  return std::nullopt;
}

CourseWindowValues courseWindowOpening(const RememberedAirports& remembered) {
  CourseWindowValues values;
  values.origin = remembered.origin;
  values.destination = remembered.destination;
  values.originId = remembered.destinationId.empty() ? remembered.originId : remembered.destinationId;
  values.destinationId = remembered.destinationId;
  return values;
}

void chooseOrigin(CourseWindowValues& values, const AirportList& list, std::size_t entry,
                  const AirportTable& table) {
  if (entry >= list.shown.size()) return;
  values.originId = list.shown[entry];
  if (auto position = locateAirport(table, list.identifiers[entry])) values.origin = *position;
}

void chooseDestination(CourseWindowValues& values, const AirportList& list, std::size_t entry,
                       const AirportTable& table) {
  if (entry >= list.shown.size()) return;
  values.destinationId = list.shown[entry];
  values.destinationEntry = list.shown[entry];
  if (auto position = locateAirport(table, list.identifiers[entry])) values.destination = *position;
}

std::string takeAcceptedLeg(FlightPlan& plan, RememberedAirports& remembered, const AcceptedLeg& leg) {
  remembered.origin = leg.values.origin;
  remembered.destination = leg.values.destination;
  remembered.originId = leg.values.originId;
  remembered.destinationId = leg.values.destinationId;
  PendingCourse course;
  course.ends = {remembered.originId, remembered.destinationId, remembered.origin, remembered.destination};
  course.trueCourse = roundToWhole(leg.course.trueCourse);
  course.distance = leg.course.distance;
  course.variation = leg.variation;
  takeCourse(plan, course);
  return courseDistanceMessage(leg.course);
}

std::string courseDistanceMessage(const CourseDistance& course) {
  return "True Course is: " + formatFixed(course.trueCourse, 2) + " degrees," + "Distance is: " +
         formatFixed(course.distance, 2) + " nautical miles," + "\n" +
         "Enter wind parameters and press 'Calculate' button.";
}

}  // namespace orvane
