#include "core/nav_log_layout.hpp"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "core/flight.hpp"

namespace orvane {
namespace {

// The page's lengths in millimetres: A5 leaves about 128 x 190 mm inside the margins.
constexpr double kRowMm = 7;                // tall enough to write a time or a fuel figure in
constexpr double kPaddingMm = 1;            // between a cell's text and its lines
constexpr double kWriteInMm = 13;           // a box the pilot writes a time or a figure in
constexpr double kNarrowestWriteInMm = 11;  // ...and the least it gives way to
constexpr double kRoomiestWriteInMm = 18;   // room beyond it goes to every column
constexpr double kSmallestLegMm = 11;       // a leg name is elided before it gets narrower
constexpr double kWidestLegMm = 30;         // ...and beyond this
constexpr double kTableGapMm = 4;
constexpr int kFuelLines = 3;  // the parts, the sum against the fuel on board, the verdict

// White space as the windows' own trimming sees it, so that the pages break the route
// where they always did: ASCII's, and Unicode's space, line and paragraph separators.
bool isSpace(char32_t c) {
  return c == 0x20 || (c >= 0x09 && c <= 0x0D) || c == 0x85 || c == 0xA0 || c == 0x1680 ||
         (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F || c == 0x205F || c == 0x3000;
}

// The code point starting at `at` of valid UTF-8, and its length in bytes.
std::pair<char32_t, std::size_t> codePointAt(std::string_view s, std::size_t at) {
  const auto byte = static_cast<unsigned char>(s[at]);
  const std::size_t length = byte < 0x80 ? 1 : byte < 0xE0 ? 2 : byte < 0xF0 ? 3 : 4;
  char32_t c = length == 1 ? byte : byte & (0x7F >> length);
  for (std::size_t i = 1; i < length && at + i < s.size(); ++i) {
    c = (c << 6) | (static_cast<unsigned char>(s[at + i]) & 0x3F);
  }
  return {c, length};
}

std::string_view trimmed(std::string_view s) {
  std::size_t first = 0;
  while (first < s.size()) {
    const auto [c, length] = codePointAt(s, first);
    if (!isSpace(c)) break;
    first += length;
  }
  std::size_t end = s.size();
  while (end > first) {
    std::size_t start = end - 1;
    while (start > first && (static_cast<unsigned char>(s[start]) & 0xC0) == 0x80) --start;
    if (!isSpace(codePointAt(s, start).first)) break;
    end = start;
  }
  return s.substr(first, end - first);
}

// The non-empty pieces of `s` between the separators.
std::vector<std::string_view> split(std::string_view s, char separator) {
  std::vector<std::string_view> pieces;
  std::size_t start = 0;
  while (start <= s.size()) {
    const std::size_t end = std::min(s.find(separator, start), s.size());
    if (end > start) pieces.push_back(s.substr(start, end - start));
    start = end + 1;
  }
  return pieces;
}

const std::string& cellOf(const NavLogRow& row, NavLogColumn column) { return row[static_cast<std::size_t>(column)]; }

NavLogCell plain(const NavLogRow& row, NavLogColumn column) { return {validUtf8(cellOf(row, column))}; }

double cellWidth(const NavLogMeasure& measure, const NavLogCell& cell) {
  return navLogTextWidth(measure, cell.bold ? NavLogFace::CellBold : NavLogFace::Cell, cell.text);
}

// Each column as wide as its widest text, with its padding; a box to write in no
// narrower than a hand needs.
std::vector<double> naturalWidths(const NavLogTable& table, double mm, const NavLogMeasure& measure) {
  const double padding = kPaddingMm * mm;
  std::vector<double> widths;
  for (std::size_t c = 0; c < table.columns.size(); ++c) {
    double w = navLogTextWidth(measure, NavLogFace::Heading, table.columns[c].heading);
    for (const NavLogCells& row : table.legs) w = std::max(w, cellWidth(measure, row[c]));
    if (table.totals) w = std::max(w, cellWidth(measure, (*table.totals)[c]));
    w += 2 * padding;
    if (table.columns[c].writeIn) w = std::max(w, kWriteInMm * mm);
    widths.push_back(w);
  }
  return widths;
}

double restOf(const std::vector<double>& widths) {
  double sum = 0;
  for (std::size_t c = 1; c < widths.size(); ++c) sum += widths[c];
  return sum;
}

void narrowBoxes(std::vector<double>& widths, const NavLogTable& table, double leg, const NavLogPaper& paper,
                 const NavLogMeasure& measure) {
  const double over = leg + restOf(widths) - paper.width;
  if (over <= 0) return;
  // A box keeps room for its heading.
  const auto spare = [&](std::size_t c) {
    const double least =
        std::max(kNarrowestWriteInMm * paper.mm,
                 navLogTextWidth(measure, NavLogFace::Heading, table.columns[c].heading) + 2 * (kPaddingMm * paper.mm));
    return table.columns[c].writeIn ? std::max(0.0, widths[c] - least) : 0.0;
  };
  double give = 0;
  for (std::size_t c = 1; c < widths.size(); ++c) give += spare(c);
  if (give <= 0) return;
  const double share = std::min(1.0, over / give);
  for (std::size_t c = 1; c < widths.size(); ++c) widths[c] -= share * spare(c);
}

void spread(std::vector<double>& widths, const NavLogTable& table, double legWidth, const NavLogPaper& paper) {
  widths[0] = legWidth;
  double sum = 0;
  for (double w : widths) sum += w;
  if (sum > paper.width) {  // a narrow device: every column gives way alike
    for (double& w : widths) w *= paper.width / sum;
    return;
  }
  // The boxes to write in grow first, then every column but the leg's alike.
  const double roomiest = kRoomiestWriteInMm * paper.mm;
  double left = paper.width - sum;
  std::vector<std::size_t> boxes;
  for (std::size_t c = 1; c < widths.size(); ++c) {
    if (table.columns[c].writeIn && widths[c] < roomiest) boxes.push_back(c);
  }
  while (!boxes.empty() && left > 0.01 * paper.mm) {
    const double share = left / static_cast<double>(boxes.size());
    std::vector<std::size_t> growing;
    for (std::size_t c : boxes) {
      const double grow = std::min(share, roomiest - widths[c]);
      widths[c] += grow;
      left -= grow;
      if (widths[c] < roomiest) growing.push_back(c);
    }
    boxes = std::move(growing);
  }
  for (std::size_t c = 1; c < widths.size(); ++c) widths[c] += left / static_cast<double>(widths.size() - 1);
}

}  // namespace

NavLogTable navLogHeadingsTable(const NavLog& log) {
  NavLogTable table;
  table.title = "Headings";
  table.columns = {{"Leg", false}, {"TC"}, {"Wind"}, {"TAS"}, {"WCA"}, {"TH"}, {"MH"}, {"CH"}, {"GS"}};
  for (const NavLogLeg& leg : log.legs) {
    const NavLogRow row = navLogRow(leg);
    table.legs.push_back({plain(row, NavLogColumn::Leg), plain(row, NavLogColumn::TrueCourse),
                          plain(row, NavLogColumn::Wind), plain(row, NavLogColumn::TrueAirspeed),
                          plain(row, NavLogColumn::WindCorrectionAngle), plain(row, NavLogColumn::TrueHeading),
                          plain(row, NavLogColumn::MagneticHeading), plain(row, NavLogColumn::CompassHeading),
                          plain(row, NavLogColumn::GroundSpeed)});
  }
  return table;
}

NavLogTable navLogTimesTable(const NavLog& log, const FlightTotals& totals) {
  NavLogTable table;
  table.title = "Times and Fuel";
  table.columns = {{"Leg", false},   {"Dist"},       {"ETE"},
                   {"Time\nOff"},    {"ETA"},        {"ATA", true, true},
                   {"Fuel\nBurned"}, {"Fuel\nLeft"}, {"Actual\nFuel", true, true}};
  for (const NavLogLeg& leg : log.legs) {
    const NavLogRow row = navLogRow(leg);
    NavLogCell fuelLeft = plain(row, NavLogColumn::FuelLeft);
    if (leg.fuelShort) {
      fuelLeft.text += " short";
      fuelLeft.bold = true;
      fuelLeft.marked = true;
    }
    table.legs.push_back({plain(row, NavLogColumn::Leg),
                          plain(row, NavLogColumn::Distance),
                          plain(row, NavLogColumn::Ete),
                          plain(row, NavLogColumn::TakeOff),
                          plain(row, NavLogColumn::Eta),
                          {},
                          plain(row, NavLogColumn::FuelBurned),
                          fuelLeft,
                          {}});
  }
  const NavLogRow row = navLogTotalsRow(totals);
  NavLogCell total = plain(row, NavLogColumn::Leg);
  total.bold = true;
  table.totals = NavLogCells{total,
                             plain(row, NavLogColumn::Distance),
                             plain(row, NavLogColumn::Ete),
                             {},
                             {},
                             {},
                             plain(row, NavLogColumn::FuelBurned),
                             {},
                             {}};
  return table;
}

double navLogTextWidth(const NavLogMeasure& measure, NavLogFace face, std::string_view text) {
  double widest = 0;
  std::size_t start = 0;
  while (true) {
    const std::size_t end = std::min(text.find('\n', start), text.size());
    widest = std::max(widest, measure.width(face, text.substr(start, end - start)));
    if (end == text.size()) return widest;
    start = end + 1;
  }
}

void fitNavLogColumns(NavLogTable& headings, NavLogTable& times, const NavLogPaper& paper,
                      const NavLogMeasure& measure) {
  std::vector<double> headingWidths = naturalWidths(headings, paper.mm, measure);
  std::vector<double> timeWidths = naturalWidths(times, paper.mm, measure);
  const double leg = std::min(std::max(headingWidths[0], timeWidths[0]), kWidestLegMm * paper.mm);
  narrowBoxes(headingWidths, headings, leg, paper, measure);
  narrowBoxes(timeWidths, times, leg, paper, measure);
  // Still too wide: the leg names give way, down to a least width.
  const double room = paper.width - std::max(restOf(headingWidths), restOf(timeWidths));
  const double legWidth = std::clamp(room, std::min(leg, kSmallestLegMm * paper.mm), leg);
  spread(headingWidths, headings, legWidth, paper);
  spread(timeWidths, times, legWidth, paper);
  headings.widths = std::move(headingWidths);
  times.widths = std::move(timeWidths);
}

std::size_t navLogLegsInRoom(double room, double perLeg) {
  return room < perLeg ? std::size_t{0} : static_cast<std::size_t>(std::floor(room / perLeg));
}

std::vector<NavLogPageLegs> paginateNavLog(std::size_t legs, std::size_t perPage, std::size_t onLastPage) {
  const std::size_t capacity = std::max<std::size_t>(1, perPage);
  std::vector<NavLogPageLegs> pages;
  std::size_t next = 0;
  std::size_t left = legs;
  while (left > onLastPage) {
    const std::size_t count = onLastPage > 0 ? std::min(capacity, left - 1) : std::min(capacity, left);
    pages.push_back({next, count});
    next += count;
    left -= count;
    if (left == 0) break;
  }
  pages.push_back({next, left});
  return pages;
}

std::vector<std::string> wrapNavLogRoute(std::string_view route, double width, const NavLogMeasure& measure) {
  const std::string_view text = trimmed(route);
  std::vector<std::string> pieces;
  for (std::string_view part : split(text, ';')) {
    const std::string_view leg = trimmed(part);
    if (!leg.empty()) pieces.push_back(std::string(leg) + " ;");
  }
  if (!text.ends_with(';') && !pieces.empty()) pieces.back().resize(pieces.back().size() - 2);
  std::vector<std::string> lines;
  std::string line;
  const auto place = [&](std::string_view piece) {
    std::string joined = line.empty() ? std::string(piece) : line + ' ' + std::string(piece);
    if (measure.width(NavLogFace::Info, joined) <= width) {
      line = std::move(joined);
      return true;
    }
    return false;
  };
  for (const std::string& piece : pieces) {
    if (place(piece)) continue;
    if (!line.empty()) lines.push_back(line);
    line.clear();
    if (place(piece)) continue;
    for (std::string_view word : split(piece, ' ')) {
      if (place(word)) continue;
      if (!line.empty()) lines.push_back(line);
      line = measure.elide(NavLogFace::Info, word, width);
    }
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

NavLogLayout layOutNavLog(const NavLog& log, const FlightTotals& totals, bool withFuel, const NavLogPaper& paper,
                          const NavLogMeasure& measure) {
  NavLogLayout out;
  out.headings = navLogHeadingsTable(log);
  out.times = navLogTimesTable(log, totals);
  const double mm = paper.mm;
  const NavLogFaceHeights cell = measure.heights(NavLogFace::Cell);
  const NavLogFaceHeights heading = measure.heights(NavLogFace::Heading);
  const NavLogFaceHeights info = measure.heights(NavLogFace::Info);
  const NavLogFaceHeights footer = measure.heights(NavLogFace::Footer);
  out.padding = kPaddingMm * mm;
  out.rowHeight = std::max(kRowMm * mm, cell.height + 2 * out.padding);
  out.headingRowHeight = heading.height + heading.lineSpacing + 2 * out.padding;  // two lines
  out.sectionHeight = measure.heights(NavLogFace::Section).height + 1 * mm;
  out.tableGap = kTableGapMm * mm;

  // The header: the title, the date and take-off once there is one, and a rule.
  out.headerHeight = measure.heights(NavLogFace::Title).height + 1 * mm;
  if (!totals.takeOffText.empty()) out.headerHeight += info.height + 1 * mm;
  out.headerHeight += 3 * mm;  // the rule and the space under it
  out.footerHeight = footer.height + 2 * mm;

  // What closes the log on the last page: the totals row, the flight time, how ETE is
  // written, the fuel check and the route.
  const double body = paper.height - out.headerHeight - out.footerHeight;
  double closing = out.rowHeight + 2 * mm + info.height;
  if (withFuel) closing += 1 * mm + kFuelLines * info.lineSpacing;
  closing += 1 * mm + footer.lineSpacing;
  const std::string route = validUtf8(totals.routeLine);
  if (!trimmed(route).empty()) {
    out.routeIndent = measure.width(NavLogFace::InfoBold, "Route") + measure.width(NavLogFace::Info, "  ");
    const double width = paper.width - out.routeIndent;
    out.routeLines = wrapNavLogRoute(route, width, measure);
    // A route so long that it would crowd the legs out ends in an ellipsis.
    const auto fitting =
        static_cast<std::size_t>(std::max<std::ptrdiff_t>(1, static_cast<std::ptrdiff_t>(body / 3 / info.lineSpacing)));
    if (out.routeLines.size() > fitting) {
      out.routeLines[fitting - 1] =
          measure.elide(NavLogFace::Info, out.routeLines[fitting - 1] + ' ' + out.routeLines[fitting], width);
      out.routeLines.resize(fitting);
    }
    closing += 1 * mm + static_cast<double>(out.routeLines.size()) * info.lineSpacing;
  }

  fitNavLogColumns(out.headings, out.times, paper, measure);

  // As many legs as both tables find room for, the last page keeping room for what
  // closes the log.
  const double tables = 2 * (out.sectionHeight + out.headingRowHeight) + out.tableGap;
  const double perLeg = 2 * out.rowHeight;
  out.pages = paginateNavLog(log.legs.size(), navLogLegsInRoom(body - tables, perLeg),
                             navLogLegsInRoom(body - tables - closing, perLeg));
  return out;
}

}  // namespace orvane
