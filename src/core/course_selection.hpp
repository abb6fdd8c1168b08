#pragma once
// Choosing a leg's two airports: the lists the course window offers, its values while
// open, and what the planner takes from it when the pilot accepts the leg.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/airports.hpp"
#include "core/flight.hpp"
#include "core/geo.hpp"

namespace orvane {

/// One list of the course window: an entry per record of the airport text, duplicates
/// included, sorted alphabetically without regard to case (records of the same
/// identifier keep their text order).
struct AirportList {
  std::vector<std::string> shown;        // what the list shows
  std::vector<std::string> identifiers;  // the same entries as the file writes them
};

enum class ListCase { AsWritten, Upper };

/// The list of `identifiers` (in text order), shown as written or in upper case.
AirportList makeAirportList(const std::vector<std::string>& identifiers, ListCase listCase);

/// The first entry whose whole text equals `text` without regard to case.
std::optional<std::size_t> findListEntry(const AirportList& list, std::string_view text);

/// The position of `identifier`: its own record first, else one written in another
/// case (a list may show qqc as QQC). Empty when the table has neither.
std::optional<GeoPosition> locateAirport(const AirportTable& table, std::string_view identifier);

/// The origin and destination the planner remembers between legs. An identifier is
/// empty where the position was typed or converted rather than an airport's.
struct RememberedAirports {
  std::string originId;  // also the defaults file's home airport
  std::string destinationId;
  GeoPosition origin;       // [degrees]
  GeoPosition destination;  // [degrees]
  bool legTaken = false;    // a leg was taken: the next one starts at its destination
};

/// The course window's values while it is open.
struct CourseWindowValues {
  std::string originId;
  std::string destinationId;
  GeoPosition origin;
  GeoPosition destination;
  std::string destinationEntry;  // the Destination entry as last read or chosen: the identifier Add adds
};

/// What the window starts with: both positions as remembered; the origin is the last
/// destination when there is one (the next leg starts where this one ended, also at a
/// typed position, which has no identifier), else the home airport.
CourseWindowValues courseWindowOpening(const RememberedAirports& remembered);

/// True when `a` and `b` show as the same position in the window's fields (15
/// significant digits each).
bool samePositionAsShown(GeoPosition a, GeoPosition b);

/// True when the table has the airport `identifier` (found as `locateAirport` finds it)
/// at `position`, compared as the fields show positions. An identifier goes only with
/// its own airport's position: the course window drops one that is not (false also
/// for an empty identifier or one the table lacks).
bool airportIsAt(const AirportTable& table, std::string_view identifier, GeoPosition position);

/// The pilot chose `entry` of the Origin (or Destination) list: the shown text becomes
/// the identifier and its record's position the position. The Destination entry takes
/// the identifier too. A position the table does not know leaves the position as it was.
void chooseOrigin(CourseWindowValues& values, const AirportList& list, std::size_t entry, const AirportTable& table);
void chooseDestination(CourseWindowValues& values, const AirportList& list, std::size_t entry,
                       const AirportTable& table);

/// The window's values when it closes accepted, with the course and distance of OK.
struct AcceptedLeg {
  CourseWindowValues values;
  CourseDistance course;
  std::optional<double> variation;  // the planner's VAR [degrees, east negative], when the pilot asked for it
};

/// The planner takes an accepted leg: clears the previous leg's results, sets both
/// distances and the course (rounded to whole degrees, as the leg is computed with it),
/// remembers the airports and extends the route line, where an end without an
/// identifier is named by its position; takes the variation too, when the leg carries
/// one. A typed origin leaves the home airport as it was. Returns the message that
/// tells the pilot the course and distance.
std::string takeAcceptedLeg(FlightPlan& plan, RememberedAirports& remembered, const AcceptedLeg& leg);

/// The course an accepted leg gives the planner: its own ends, the course rounded to
/// whole degrees, the distance and the variation when it carries one.
PendingCourse pendingCourseOf(const AcceptedLeg& leg);

/// The course window opens next at these ends, as after the pilot took them: a leg
/// without an origin identifier (a typed one) leaves the home airport as it was.
void rememberLegEnds(RememberedAirports& remembered, const LegEnds& ends);

/// "True Course is: 57.99 degrees,Distance is: 145.15 nautical miles," and on a second
/// line the instruction to enter the wind.
std::string courseDistanceMessage(const CourseDistance& course);

inline constexpr std::string_view kZeroDistanceMessage = "Distance is zero, enter correct data!";

}  // namespace orvane
