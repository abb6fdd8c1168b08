#include "core/course_selection.hpp"

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <numeric>

#include "core/ascii.hpp"
#include "core/numbers.hpp"

namespace orvane {

namespace {

// An identifier of the airport text has at most three bytes. Such an identifier sorts by
// a number: each byte folded to lower case and counted from one, a missing byte as
// zero, so that a shorter identifier comes before the longer ones it begins, as in
// alphabetical order.
constexpr std::size_t kKeyedBytes = 3;
constexpr unsigned kDigitBits = 9;  // 256 byte values and "none"
constexpr std::size_t kDigitValues = std::size_t{1} << kDigitBits;

std::uint32_t caseBlindKey(std::string_view identifier) {
  std::uint32_t key = 0;
  for (std::size_t i = 0; i < kKeyedBytes; ++i) {
    const std::uint32_t digit =
        i < identifier.size() ? static_cast<std::uint32_t>(static_cast<unsigned char>(lowerAscii(identifier[i]))) + 1u
                              : 0u;
    key = (key << kDigitBits) | digit;
  }
  return key;
}

bool allKeyed(const std::vector<std::string>& identifiers) {
  return identifiers.size() < std::numeric_limits<std::uint32_t>::max() &&
         std::all_of(identifiers.begin(), identifiers.end(),
                     [](const std::string& identifier) { return identifier.size() <= kKeyedBytes; });
}

// The order of `identifiers` without regard to case, equal ones in their text order. A
// radix sort for identifiers of the airport text, so that the time grows with the
// number of records alone (an 8 MiB file holds some 300,000); a comparison sort for
// any longer identifier.
std::vector<std::uint32_t> caseBlindOrder(const std::vector<std::string>& identifiers) {
  const std::size_t count = identifiers.size();
  std::vector<std::uint32_t> order(count);
  std::iota(order.begin(), order.end(), std::uint32_t{0});
  if (!allKeyed(identifiers)) {
    std::stable_sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
      return lessIgnoringCase(identifiers[a], identifiers[b]);
    });
    return order;
  }
  std::vector<std::uint32_t> keys(count);
  for (std::size_t i = 0; i < count; ++i) keys[i] = caseBlindKey(identifiers[i]);
  std::vector<std::uint32_t> sorted(count);
  // Least significant digit first; each pass keeps the order of the one before.
  for (unsigned shift = 0; shift < kKeyedBytes * kDigitBits; shift += kDigitBits) {
    std::array<std::size_t, kDigitValues + 1> starts{};
    for (std::uint32_t index : order) ++starts[((keys[index] >> shift) & (kDigitValues - 1)) + 1];
    std::partial_sum(starts.begin(), starts.end(), starts.begin());
    for (std::uint32_t index : order) sorted[starts[(keys[index] >> shift) & (kDigitValues - 1)]++] = index;
    order.swap(sorted);
  }
  return order;
}

}  // namespace

AirportList makeAirportList(const std::vector<std::string>& identifiers, ListCase listCase) {
  const std::vector<std::uint32_t> order = caseBlindOrder(identifiers);
  AirportList list;
  list.shown.reserve(order.size());
  list.identifiers.reserve(order.size());
  for (std::uint32_t i : order) {
    list.identifiers.push_back(identifiers[i]);
    list.shown.push_back(listCase == ListCase::Upper ? upperAscii(identifiers[i]) : identifiers[i]);
  }
  return list;
}

std::optional<std::size_t> findListEntry(const AirportList& list, std::string_view text) {
  // The list is in case-blind order, so the first equal entry is where `text` would go.
  const auto at =
      std::lower_bound(list.identifiers.begin(), list.identifiers.end(), text,
                       [](const std::string& entry, std::string_view key) { return lessIgnoringCase(entry, key); });
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
  const bool fromLastDestination = remembered.legTaken || !remembered.destinationId.empty();
  values.origin = fromLastDestination ? remembered.destination : remembered.origin;
  values.destination = remembered.destination;
  values.originId = fromLastDestination ? remembered.destinationId : remembered.originId;
  values.destinationId = remembered.destinationId;
  return values;
}

bool samePositionAsShown(GeoPosition a, GeoPosition b) {
  return sameAsShown(a.latitude, b.latitude) && sameAsShown(a.longitude, b.longitude);
}

bool airportIsAt(const AirportTable& table, std::string_view identifier, GeoPosition position) {
  const std::optional<GeoPosition> own = locateAirport(table, identifier);
  return own && samePositionAsShown(*own, position);
}

void chooseOrigin(CourseWindowValues& values, const AirportList& list, std::size_t entry, const AirportTable& table) {
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
  const PendingCourse course = pendingCourseOf(leg);
  rememberLegEnds(remembered, course.ends);
  takeCourse(plan, course);
  return courseDistanceMessage(leg.course);
}

PendingCourse pendingCourseOf(const AcceptedLeg& leg) {
  PendingCourse course;
  course.ends = {leg.values.originId, leg.values.destinationId, leg.values.origin, leg.values.destination};
  course.trueCourse = roundToWhole(leg.course.trueCourse);
  course.distance = leg.course.distance;
  course.variation = leg.variation;
  return course;
}

void rememberLegEnds(RememberedAirports& remembered, const LegEnds& ends) {
  remembered.origin = ends.from;
  remembered.destination = ends.to;
  if (!ends.fromId.empty()) remembered.originId = ends.fromId;
  remembered.destinationId = ends.toId;
  remembered.legTaken = true;
}

std::string courseDistanceMessage(const CourseDistance& course) {
  return "True Course is: " + formatFixed(course.trueCourse, 2) + " degrees," +
         "Distance is: " + formatFixed(course.distance, 2) + " nautical miles," + "\n" +
         "Enter wind parameters and press 'Calculate' button.";
}

}  // namespace orvane
