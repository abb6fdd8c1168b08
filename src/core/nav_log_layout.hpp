#pragma once
// How the nav log falls onto the kneeboard pages: the two tables and their cells, the
// width of every column, which legs each page holds and how the route line wraps.
// Plain values in and out; the window measures the texts with its fonts and paints.

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/nav_log.hpp"

namespace orvane {

struct FlightTotals;

/// The type faces the pages are set in; the window gives each its font.
enum class NavLogFace { Title, Airplane, AirplaneBold, Info, InfoBold, Section, Heading, Cell, CellBold, Footer };

/// A face's line height (ascent and descent) and the distance between its baselines.
struct NavLogFaceHeights {
  double height = 0;
  double lineSpacing = 0;
};

/// How the device the pages go to measures texts, in its own units.
struct NavLogMeasure {
  /// The advance of one line of text.
  std::function<double(NavLogFace, std::string_view)> width;
  /// The text cut short at the right with an ellipsis to be no wider than `room`.
  std::function<std::string(NavLogFace, std::string_view, double room)> elide;
  std::function<NavLogFaceHeights(NavLogFace)> heights;
};

/// The paper inside the margins, in the device's units, and how many of them make a
/// millimetre.
struct NavLogPaper {
  double width = 0;
  double height = 0;
  double mm = 1;
};

struct NavLogCell {
  std::string text;  // valid UTF-8
  bool bold = false;
  bool marked = false;  // framed heavily: the fuel ran short
  friend bool operator==(const NavLogCell&, const NavLogCell&) = default;
};
using NavLogCells = std::vector<NavLogCell>;

struct NavLogTableColumn {
  std::string heading;   // one line, or two parted by '\n'
  bool number = true;    // set to the right
  bool writeIn = false;  // left empty for the pilot to fill in flight
};

struct NavLogTable {
  std::string title;
  std::vector<NavLogTableColumn> columns;
  std::vector<NavLogCells> legs;  // one per leg, in the log's order
  std::optional<NavLogCells> totals;
  std::vector<double> widths;  // one per column, once fitted
};

/// The headings table: each leg's course, wind, airspeed and headings.
NavLogTable navLogHeadingsTable(const NavLog& log);

/// The times and fuel table, with its totals row and the boxes the pilot writes the
/// actual times and fuel in; the fuel left of a leg the fuel did not cover reads
/// "<gallons> short", bold and marked.
NavLogTable navLogTimesTable(const NavLog& log, const FlightTotals& totals);

/// The widest line of a text of one or more lines.
double navLogTextWidth(const NavLogMeasure& measure, NavLogFace face, std::string_view text);

/// Sets the columns' widths to fill `width`: each as wide as its widest text. When the
/// page is too narrow the boxes to write in give way first, down to what a hand can
/// still write in, then the leg names, which the painting elides; room left over widens
/// the boxes first, then every column but the leg's alike. Both tables get the same
/// leg column, so that a leg's two rows start alike.
void fitNavLogColumns(NavLogTable& headings, NavLogTable& times, const NavLogPaper& paper,
                      const NavLogMeasure& measure);

/// How many legs (each a row in both tables) `room` holds.
std::size_t navLogLegsInRoom(double room, double perLeg);

/// The legs of one page: [first, first + count).
struct NavLogPageLegs {
  std::size_t first = 0;
  std::size_t count = 0;
  friend bool operator==(const NavLogPageLegs&, const NavLogPageLegs&) = default;
};

/// The legs each page holds: `perPage` on a page (at least one), the last page holding
/// at most `onLastPage` beside what closes the log, and at least one leg when it can.
/// Always one page or more.
std::vector<NavLogPageLegs> paginateNavLog(std::size_t legs, std::size_t perPage, std::size_t onLastPage);

/// The route line in lines no wider than `width` in the info face: broken after a
/// leg's ";" where it can, else between words; a word wider than the line is elided.
std::vector<std::string> wrapNavLogRoute(std::string_view route, double width, const NavLogMeasure& measure);

/// Everything placed: the lengths in the device's units.
struct NavLogLayout {
  NavLogTable headings;
  NavLogTable times;
  std::vector<NavLogPageLegs> pages;
  std::vector<std::string> routeLines;  // none without a route
  double routeIndent = 0;               // where the route's lines start, after its label
  double padding = 0;                   // between a cell's text and its lines
  double rowHeight = 0;
  double headingRowHeight = 0;  // two lines of the heading face
  double headerHeight = 0;
  double footerHeight = 0;
  double sectionHeight = 0;  // a table's title
  double tableGap = 0;
};

/// The pages of the nav log; `withFuel` when the fuel check closes the log.
NavLogLayout layOutNavLog(const NavLog& log, const FlightTotals& totals, bool withFuel, const NavLogPaper& paper,
                          const NavLogMeasure& measure);

}  // namespace orvane
