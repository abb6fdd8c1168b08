#include "windows/nav_log_pages.hpp"

#include <QBuffer>
#include <QColor>
#include <QFontMetricsF>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QPen>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <optional>
#include <vector>

#include "core/clock.hpp"
#include "core/numbers.hpp"
#include "core/version.hpp"

namespace orvane {
namespace {

// The page, in millimetres: A5 leaves about 128 x 190 mm inside the margins.
constexpr double kMarginMm = 10;
constexpr double kRowMm = 7;                // tall enough to write a time or a fuel figure in
constexpr double kPaddingMm = 1;            // between a cell's text and its lines
constexpr double kWriteInMm = 13;           // a box the pilot writes a time or a figure in
constexpr double kNarrowestWriteInMm = 11;  // ...and the least it gives way to
constexpr double kRoomiestWriteInMm = 18;   // room beyond it goes to every column
constexpr double kSmallestLegMm = 11;       // a leg name is elided before it gets narrower
constexpr double kWidestLegMm = 30;         // ...and beyond this
constexpr double kThinLineMm = 0.2;
constexpr double kThickLineMm = 0.45;
constexpr int kFuelLines = 3;  // the parts, the sum against the fuel on board, the verdict

const QString kProgram = QStringLiteral("Orvane " ORVANE_VERSION);

QString text(const std::string& utf8) { return QString::fromStdString(validUtf8(utf8)); }

QFont sansFont(double points, bool bold) {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setStyleHint(QFont::SansSerif);
  font.setPointSizeF(points);
  font.setBold(bold);
  // No ligatures: "Off" stays three letters for whoever copies or searches the text.
  font.setLetterSpacing(QFont::PercentageSpacing, 100);
  return font;
}

struct Fonts {
  QFont title = sansFont(16, true);      // "Nav Log"
  QFont airplane = sansFont(11, false);  // the type; the tail number in bold
  QFont airplaneBold = sansFont(11, true);
  QFont info = sansFont(9, false);  // date, take-off, totals and route
  QFont infoBold = sansFont(9, true);
  QFont section = sansFont(10, true);  // a table's title
  QFont heading = sansFont(kSmallestNavLogPoints, true);  // the column headings
  QFont cell = sansFont(8.5, false);
  QFont cellBold = sansFont(8.5, true);  // "Total", a leg whose fuel ran short
  QFont footer = sansFont(kSmallestNavLogPoints, false);

  QList<QFont> all() const {
    return {title, airplane, airplaneBold, info, infoBold, section, heading, cell, cellBold, footer};
  }
};

struct Cell {
  QString text;
  bool bold = false;
  bool marked = false;  // framed heavily: the fuel ran short
};
using Row = std::vector<Cell>;

struct Column {
  QString heading;  // one or two lines
  bool number = true;
  bool writeIn = false;  // left empty for the pilot to fill in flight
};

struct Table {
  QString title;
  std::vector<Column> columns;
  std::vector<Row> legs;  // one per leg, in the log's order
  std::optional<Row> totals;
  std::vector<double> widths;
};

const std::string& cellOf(const NavLogRow& row, NavLogColumn column) { return row[static_cast<std::size_t>(column)]; }

Cell plain(const NavLogRow& row, NavLogColumn column) { return {text(cellOf(row, column))}; }

Table headingsTable(const NavLog& log) {
  Table table;
  table.title = QStringLiteral("Headings");
  table.columns = {{QStringLiteral("Leg"), false}, {QStringLiteral("TC")},  {QStringLiteral("Wind")},
                   {QStringLiteral("TAS")},        {QStringLiteral("WCA")}, {QStringLiteral("TH")},
                   {QStringLiteral("MH")},         {QStringLiteral("CH")},  {QStringLiteral("GS")}};
  for (const NavLogLeg& leg : log.legs) {
    const NavLogRow row = navLogRow(leg);
    table.legs.push_back({plain(row, NavLogColumn::Leg),
                          plain(row, NavLogColumn::TrueCourse),
                          plain(row, NavLogColumn::Wind),
                          plain(row, NavLogColumn::TrueAirspeed),
                          plain(row, NavLogColumn::WindCorrectionAngle),
                          plain(row, NavLogColumn::TrueHeading),
                          plain(row, NavLogColumn::MagneticHeading),
                          plain(row, NavLogColumn::CompassHeading),
                          plain(row, NavLogColumn::GroundSpeed)});
  }
  return table;
}

Table timesTable(const NavLog& log, const FlightTotals& totals) {
  Table table;
  table.title = QStringLiteral("Times and Fuel");
  table.columns = {
      {QStringLiteral("Leg"), false},   {QStringLiteral("Dist")},       {QStringLiteral("ETE")},
      {QStringLiteral("Time\nOff")},    {QStringLiteral("ETA")},        {QStringLiteral("ATA"), true, true},
      {QStringLiteral("Fuel\nBurned")}, {QStringLiteral("Fuel\nLeft")}, {QStringLiteral("Actual\nFuel"), true, true}};
  for (const NavLogLeg& leg : log.legs) {
    const NavLogRow row = navLogRow(leg);
    Cell fuelLeft = plain(row, NavLogColumn::FuelLeft);
    if (cellOf(row, NavLogColumn::FuelShort) == "yes") {
      fuelLeft.text += QStringLiteral(" short");
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
  Cell total = plain(row, NavLogColumn::Leg);
  total.bold = true;
  table.totals = Row{total,
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

// Everything measured once for the device: lengths in device pixels.
struct Measures {
  double mm = 1;  // pixels per millimetre
  QRectF page;    // inside the margins
  double padding = 0;
  double rowHeight = 0;
  double headingRowHeight = 0;
  double headerHeight = 0;
  double footerHeight = 0;
  double sectionHeight = 0;
  double tableGap = 0;
  double lastPageExtra = 0;  // the totals row, the flight time and the route
  QStringList routeLines;
  double routeIndent = 0;
};

class Painter {
 public:
  Painter(QPagedPaintDevice& device, const NavLogSheet& sheet);
  void paint();

 private:
  struct Page {
    std::size_t first = 0;
    std::size_t count = 0;
  };

  QFontMetricsF metrics(const QFont& font) const { return QFontMetricsF(font, &device_); }
  double textWidth(const QFont& font, const QString& s) const;
  bool hasTakeOff() const { return !sheet_.totals.takeOffText.empty(); }
  QString routeText() const { return text(sheet_.totals.routeLine).trimmed(); }
  void measure();
  void fitColumns();
  QStringList wrapRoute(double width) const;
  std::vector<Page> paginate() const;

  QPen pen(double millimetres) const;
  double paintHeader(double top);
  void paintFooter(int pageNumber, int pageCount);
  double paintTable(const Table& table, const Page& page, bool withTotals, double top);
  void paintRow(const Table& table, const Row& row, double top, bool totals);
  double paintClosing(double top);
  double paintFuel(const FuelPlan& fuel, double top);

  QPagedPaintDevice& device_;
  const NavLogSheet& sheet_;
  Fonts fonts_;
  Measures m_;
  Table headings_;
  Table times_;
  QPainter painter_;
};

Painter::Painter(QPagedPaintDevice& device, const NavLogSheet& sheet)
    : device_(device), sheet_(sheet), headings_(headingsTable(sheet.log)), times_(timesTable(sheet.log, sheet.totals)) {
  measure();
  fitColumns();
}

double Painter::textWidth(const QFont& font, const QString& s) const {
  double widest = 0;
  const QFontMetricsF fm = metrics(font);
  for (const QString& line : s.split(QLatin1Char('\n'))) widest = std::max(widest, fm.horizontalAdvance(line));
  return widest;
}

void Painter::measure() {
  m_.mm = device_.logicalDpiX() / 25.4;
  m_.page = QRectF(0, 0, device_.width(), device_.height());
  m_.padding = kPaddingMm * m_.mm;
  const QFontMetricsF cell = metrics(fonts_.cell);
  const QFontMetricsF heading = metrics(fonts_.heading);
  const QFontMetricsF info = metrics(fonts_.info);
  m_.rowHeight = std::max(kRowMm * m_.mm, cell.height() + 2 * m_.padding);
  m_.headingRowHeight = heading.height() + heading.lineSpacing() + 2 * m_.padding;  // two lines
  m_.sectionHeight = metrics(fonts_.section).height() + 1 * m_.mm;
  m_.tableGap = 4 * m_.mm;

  m_.headerHeight = metrics(fonts_.title).height() + 1 * m_.mm;
  if (hasTakeOff()) m_.headerHeight += info.height() + 1 * m_.mm;
  m_.headerHeight += 3 * m_.mm;  // the rule and the space under it
  m_.footerHeight = metrics(fonts_.footer).height() + 2 * m_.mm;

  const double body = m_.page.height() - m_.headerHeight - m_.footerHeight;
  m_.lastPageExtra = m_.rowHeight + 2 * m_.mm + info.height();
  if (sheet_.fuel) m_.lastPageExtra += 1 * m_.mm + kFuelLines * info.lineSpacing();
  m_.lastPageExtra += 1 * m_.mm + metrics(fonts_.footer).lineSpacing();  // how ETE is written
  if (!routeText().isEmpty()) {
    m_.routeIndent = textWidth(fonts_.infoBold, QStringLiteral("Route")) + textWidth(fonts_.info, QStringLiteral("  "));
    m_.routeLines = wrapRoute(m_.page.width() - m_.routeIndent);
    // A route so long that it would crowd the legs out ends in an ellipsis.
    const auto fitting = std::max<qsizetype>(1, static_cast<qsizetype>(body / 3 / info.lineSpacing()));
    if (m_.routeLines.size() > fitting) {
      m_.routeLines[fitting - 1] =
          info.elidedText(m_.routeLines[fitting - 1] + QLatin1Char(' ') + m_.routeLines[fitting], Qt::ElideRight,
                          m_.page.width() - m_.routeIndent);
      m_.routeLines.resize(fitting);
    }
    m_.lastPageExtra += 1 * m_.mm + static_cast<double>(m_.routeLines.size()) * info.lineSpacing();
  }
}

// The route breaks after a leg's ";" where it can, else between words; a word wider
// than the line is elided.
QStringList Painter::wrapRoute(double width) const {
  const QFontMetricsF fm = metrics(fonts_.info);
  QStringList pieces;
  for (const QString& part : routeText().split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
    const QString leg = part.trimmed();
    if (!leg.isEmpty()) pieces << leg + QStringLiteral(" ;");
  }
  if (!routeText().endsWith(QLatin1Char(';')) && !pieces.isEmpty()) pieces.last().chop(2);
  QStringList lines;
  QString line;
  const auto place = [&](const QString& piece) {
    const QString joined = line.isEmpty() ? piece : line + QLatin1Char(' ') + piece;
    if (fm.horizontalAdvance(joined) <= width) {
      line = joined;
      return true;
    }
    return false;
  };
  for (const QString& piece : pieces) {
    if (place(piece)) continue;
    if (!line.isEmpty()) lines << line;
    line.clear();
    if (place(piece)) continue;
    for (const QString& word : piece.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
      if (place(word)) continue;
      if (!line.isEmpty()) lines << line;
      line = fm.elidedText(word, Qt::ElideRight, width);
    }
  }
  if (!line.isEmpty()) lines << line;
  return lines;
}

// Each column as wide as its widest text. When the page is too narrow the boxes to
// write in give way first, down to what a hand can still write in, then the leg names,
// which are elided; room left over widens the boxes first.
void Painter::fitColumns() {
  const double width = m_.page.width();
  const auto natural = [&](const Table& table) {
    std::vector<double> widths;
    for (std::size_t c = 0; c < table.columns.size(); ++c) {
      double w = textWidth(fonts_.heading, table.columns[c].heading);
      const auto widen = [&](const Row& row) {
        const Cell& cell = row[c];
        w = std::max(w, textWidth(cell.bold ? fonts_.cellBold : fonts_.cell, cell.text));
      };
      for (const Row& row : table.legs) widen(row);
      if (table.totals) widen(*table.totals);
      w += 2 * m_.padding;
      if (table.columns[c].writeIn) w = std::max(w, kWriteInMm * m_.mm);
      widths.push_back(w);
    }
    return widths;
  };
  std::vector<double> headings = natural(headings_);
  std::vector<double> times = natural(times_);

  // Both tables share the leg column, so that a leg's two rows start alike.
  const double leg = std::min(std::max(headings[0], times[0]), kWidestLegMm * m_.mm);
  const auto restOf = [](const std::vector<double>& widths) {
    double sum = 0;
    for (std::size_t c = 1; c < widths.size(); ++c) sum += widths[c];
    return sum;
  };
  const auto narrowBoxes = [&](std::vector<double>& widths, const Table& table) {
    const double over = leg + restOf(widths) - width;
    if (over <= 0) return;
    // A box keeps room for its heading.
    const auto spare = [&](std::size_t c) {
      const double least =
          std::max(kNarrowestWriteInMm * m_.mm, textWidth(fonts_.heading, table.columns[c].heading) + 2 * m_.padding);
      return table.columns[c].writeIn ? std::max(0.0, widths[c] - least) : 0.0;
    };
    double give = 0;
    for (std::size_t c = 1; c < widths.size(); ++c) give += spare(c);
    if (give <= 0) return;
    const double share = std::min(1.0, over / give);
    for (std::size_t c = 1; c < widths.size(); ++c) widths[c] -= share * spare(c);
  };
  narrowBoxes(headings, headings_);
  narrowBoxes(times, times_);
  const double room = width - std::max(restOf(headings), restOf(times));
  const double legWidth = std::clamp(room, std::min(leg, kSmallestLegMm * m_.mm), leg);

  const auto spread = [&](std::vector<double>& widths, const Table& table) {
    widths[0] = legWidth;
    double sum = 0;
    for (double w : widths) sum += w;
    if (sum > width) {  // a narrow device: every column gives way alike
      for (double& w : widths) w *= width / sum;
      return;
    }
    // The boxes to write in grow first, then every column but the leg's alike.
    double left = width - sum;
    std::vector<std::size_t> boxes;
    for (std::size_t c = 1; c < widths.size(); ++c) {
      if (table.columns[c].writeIn && widths[c] < kRoomiestWriteInMm * m_.mm) boxes.push_back(c);
    }
    while (!boxes.empty() && left > 0.01 * m_.mm) {
      const double share = left / static_cast<double>(boxes.size());
      std::vector<std::size_t> growing;
      for (std::size_t c : boxes) {
        const double grow = std::min(share, kRoomiestWriteInMm * m_.mm - widths[c]);
        widths[c] += grow;
        left -= grow;
        if (widths[c] < kRoomiestWriteInMm * m_.mm) growing.push_back(c);
      }
      boxes = std::move(growing);
    }
    for (std::size_t c = 1; c < widths.size(); ++c) widths[c] += left / static_cast<double>(widths.size() - 1);
  };
  spread(headings, headings_);
  spread(times, times_);
  headings_.widths = std::move(headings);
  times_.widths = std::move(times);
}

// The legs each page holds: as many as both tables find room for, the last page
// keeping room for the totals, the flight time and the route, and at least one leg
// when it can.
std::vector<Painter::Page> Painter::paginate() const {
  const double body = m_.page.height() - m_.headerHeight - m_.footerHeight;
  const double fixed = 2 * (m_.sectionHeight + m_.headingRowHeight) + m_.tableGap;
  const double perLeg = 2 * m_.rowHeight;
  const auto legsIn = [&](double room) {
    return room < perLeg ? std::size_t{0} : static_cast<std::size_t>(std::floor(room / perLeg));
  };
  const std::size_t capacity = std::max<std::size_t>(1, legsIn(body - fixed));
  const std::size_t lastCapacity = legsIn(body - fixed - m_.lastPageExtra);

  std::vector<Page> pages;
  std::size_t next = 0;
  std::size_t left = sheet_.log.legs.size();
  while (left > lastCapacity) {
    const std::size_t count = lastCapacity > 0 ? std::min(capacity, left - 1) : std::min(capacity, left);
    pages.push_back({next, count});
    next += count;
    left -= count;
    if (left == 0) break;
  }
  pages.push_back({next, left});
  return pages;
}

QPen Painter::pen(double millimetres) const {
  QPen p(Qt::black);
  p.setWidthF(millimetres * m_.mm);
  p.setCapStyle(Qt::FlatCap);
  return p;
}

double Painter::paintHeader(double top) {
  const QRectF& page = m_.page;
  const QFontMetricsF title = metrics(fonts_.title);
  const double baseline = top + title.ascent();
  painter_.setFont(fonts_.title);
  painter_.drawText(QPointF(page.left(), baseline), QStringLiteral("Nav Log"));

  // The airplane at the right: tail number in bold, then the type; either may be empty.
  const QString tail = text(sheet_.airplane.tailNumber).trimmed();
  const QString type = text(sheet_.airplane.airplaneType).trimmed();
  const double titleWidth = title.horizontalAdvance(QStringLiteral("Nav Log")) + 4 * m_.mm;
  const double room = page.width() - titleWidth;
  const double gap = tail.isEmpty() || type.isEmpty() ? 0 : textWidth(fonts_.airplane, QStringLiteral("   "));
  const double tailWidth = std::min(textWidth(fonts_.airplaneBold, tail), room);
  const QString typeShown =
      metrics(fonts_.airplane).elidedText(type, Qt::ElideRight, std::max(0.0, room - tailWidth - gap));
  double x = page.right() - textWidth(fonts_.airplane, typeShown);
  painter_.setFont(fonts_.airplane);
  painter_.drawText(QPointF(x, baseline), typeShown);
  x -= gap + tailWidth;
  painter_.setFont(fonts_.airplaneBold);
  painter_.drawText(QPointF(x, baseline), metrics(fonts_.airplaneBold).elidedText(tail, Qt::ElideRight, room));
  double y = top + title.height() + 1 * m_.mm;

  if (hasTakeOff()) {
    const QFontMetricsF info = metrics(fonts_.info);
    const double line = y + info.ascent();
    const auto labelled = [&](double left, const QString& label, const QString& value) {
      painter_.setFont(fonts_.infoBold);
      painter_.drawText(QPointF(left, line), label);
      painter_.setFont(fonts_.info);
      painter_.drawText(
          QPointF(left + textWidth(fonts_.infoBold, label) + textWidth(fonts_.info, QStringLiteral(" ")), line), value);
    };
    labelled(page.left(), QStringLiteral("Date"), QString::fromStdString(formatDate(sheet_.totals.takeOffTime)));
    const QString takeOff = text(sheet_.totals.takeOffText) + QLatin1Char(' ') + text(sheet_.totals.zuluText);
    const QString label = QStringLiteral("Time Off");
    const double width = textWidth(fonts_.infoBold, label) + textWidth(fonts_.info, QStringLiteral(" ")) +
                         textWidth(fonts_.info, takeOff);
    labelled(page.right() - width, label, takeOff);
    y += info.height() + 1 * m_.mm;
  }
  painter_.setPen(pen(kThickLineMm));
  painter_.drawLine(QPointF(page.left(), y), QPointF(page.right(), y));
  return top + m_.headerHeight;
}

void Painter::paintFooter(int pageNumber, int pageCount) {
  const QFontMetricsF fm = metrics(fonts_.footer);
  const double baseline = m_.page.bottom() - fm.descent();
  const double rule = m_.page.bottom() - fm.height() - 1 * m_.mm;
  painter_.setPen(pen(kThinLineMm));
  painter_.drawLine(QPointF(m_.page.left(), rule), QPointF(m_.page.right(), rule));
  painter_.setFont(fonts_.footer);
  painter_.drawText(QPointF(m_.page.left(), baseline), QStringLiteral("Planned with ") + kProgram);
  const QString numbered = QStringLiteral("Page ") + QString::fromStdString(fieldText(pageNumber)) +
                           QStringLiteral(" of ") + QString::fromStdString(fieldText(pageCount));
  painter_.drawText(QPointF(m_.page.right() - fm.horizontalAdvance(numbered), baseline), numbered);
}

void Painter::paintRow(const Table& table, const Row& row, double top, bool totals) {
  double x = m_.page.left();
  for (std::size_t c = 0; c < table.columns.size(); ++c) {
    const Column& column = table.columns[c];
    const QRectF box(x, top, table.widths[c], m_.rowHeight);
    x += table.widths[c];
    if (column.writeIn && !totals) painter_.fillRect(box, QColor(0xEE, 0xEE, 0xEE));
    const Cell& cell = row[c];
    if (cell.text.isEmpty()) continue;
    const QFont& font = cell.bold ? fonts_.cellBold : fonts_.cell;
    const QRectF inner = box.adjusted(m_.padding, 0, -m_.padding, 0);
    painter_.setFont(font);
    painter_.setPen(Qt::black);
    const Qt::Alignment align = (column.number ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
    // The column is as wide as its widest text: only a text wider than that (a long leg
    // name) is elided, not one that the measuring rounds a hair past its width.
    const QFontMetricsF fm = metrics(font);
    const bool fits = fm.horizontalAdvance(cell.text) <= inner.width() + 0.05 * m_.mm;
    painter_.drawText(inner, align | Qt::TextDontClip,
                      fits ? cell.text : fm.elidedText(cell.text, Qt::ElideRight, inner.width()));
  }
}

double Painter::paintTable(const Table& table, const Page& page, bool withTotals, double top) {
  const QRectF& area = m_.page;
  painter_.setFont(fonts_.section);
  painter_.setPen(Qt::black);
  painter_.drawText(QPointF(area.left(), top + metrics(fonts_.section).ascent()), table.title);
  const double tableTop = top + m_.sectionHeight;

  // The headings, on a light ground.
  double x = area.left();
  painter_.fillRect(QRectF(area.left(), tableTop, area.width(), m_.headingRowHeight), QColor(0xDD, 0xDD, 0xDD));
  painter_.setFont(fonts_.heading);
  for (std::size_t c = 0; c < table.columns.size(); ++c) {
    const Column& column = table.columns[c];
    const QRectF inner(x + m_.padding, tableTop, table.widths[c] - 2 * m_.padding, m_.headingRowHeight);
    x += table.widths[c];
    const Qt::Alignment align = (column.writeIn  ? Qt::AlignHCenter
                                 : column.number ? Qt::AlignRight
                                                 : Qt::AlignLeft) |
                                Qt::AlignVCenter;
    painter_.drawText(inner, align, column.heading);
  }

  double y = tableTop + m_.headingRowHeight;
  for (std::size_t i = page.first; i < page.first + page.count; ++i) {
    paintRow(table, table.legs[i], y, false);
    y += m_.rowHeight;
  }
  const double totalsTop = y;
  if (withTotals && table.totals) {
    paintRow(table, *table.totals, y, true);
    y += m_.rowHeight;
  }

  // The grid: thin lines between the cells, heavier ones round the table, under the
  // headings and over the totals.
  painter_.setPen(pen(kThinLineMm));
  for (double rowTop = tableTop + m_.headingRowHeight + m_.rowHeight; rowTop < y - m_.rowHeight / 2;
       rowTop += m_.rowHeight) {
    painter_.drawLine(QPointF(area.left(), rowTop), QPointF(area.right(), rowTop));
  }
  x = area.left();
  for (std::size_t c = 0; c + 1 < table.columns.size(); ++c) {
    x += table.widths[c];
    painter_.drawLine(QPointF(x, tableTop), QPointF(x, y));
  }
  painter_.setPen(pen(kThickLineMm));
  painter_.drawRect(QRectF(area.left(), tableTop, area.width(), y - tableTop));
  painter_.drawLine(QPointF(area.left(), tableTop + m_.headingRowHeight),
                    QPointF(area.right(), tableTop + m_.headingRowHeight));
  if (withTotals && table.totals) painter_.drawLine(QPointF(area.left(), totalsTop), QPointF(area.right(), totalsTop));

  // A marked cell gets a heavy frame on its own lines, over the grid.
  painter_.setPen(pen(2 * kThickLineMm));
  for (std::size_t i = page.first; i < page.first + page.count; ++i) {
    double left = area.left();
    for (std::size_t c = 0; c < table.columns.size(); ++c) {
      const double rowTop = tableTop + m_.headingRowHeight + static_cast<double>(i - page.first) * m_.rowHeight;
      if (table.legs[i][c].marked) painter_.drawRect(QRectF(left, rowTop, table.widths[c], m_.rowHeight));
      left += table.widths[c];
    }
  }
  return y;
}

// Under the last table: the total flight time and the route flown.
double Painter::paintClosing(double top) {
  const QFontMetricsF info = metrics(fonts_.info);
  const double left = m_.page.left();
  double y = top + 2 * m_.mm;
  const QString label = QStringLiteral("Total Flight Time");
  painter_.setPen(Qt::black);
  painter_.setFont(fonts_.infoBold);
  painter_.drawText(QPointF(left, y + info.ascent()), label);
  painter_.setFont(fonts_.info);
  painter_.drawText(QPointF(left + textWidth(fonts_.infoBold, label) + textWidth(fonts_.info, QStringLiteral("  ")),
                            y + info.ascent()),
                    QString::fromStdString(fieldText(sheet_.totals.totalFlightTime)) + QStringLiteral(" hours"));
  y += info.height() + 1 * m_.mm;
  const QFontMetricsF footer = metrics(fonts_.footer);
  painter_.setFont(fonts_.footer);
  painter_.drawText(QPointF(left, y + footer.ascent()),
                    footer.elidedText(QStringLiteral("ETE: m:ss under an hour (37:55), h:mm from an hour on (1:24). "
                                                     "+1: the next day."),
                                      Qt::ElideRight, m_.page.width()));
  y += footer.lineSpacing();
  if (sheet_.fuel) y = paintFuel(*sheet_.fuel, y + 1 * m_.mm);
  if (!m_.routeLines.isEmpty()) {
    y += 1 * m_.mm;
    painter_.setFont(fonts_.infoBold);
    painter_.drawText(QPointF(left, y + info.ascent()), QStringLiteral("Route"));
    painter_.setFont(fonts_.info);
    for (const QString& line : m_.routeLines) {
      painter_.drawText(QPointF(left + m_.routeIndent, y + info.ascent()), line);
      y += info.lineSpacing();
    }
  }
  return y;
}

// The fuel check in three lines: its parts, the sum against the fuel on board, and
// the verdict in words, in bold when the fuel is short.
double Painter::paintFuel(const FuelPlan& fuel, double top) {
  const QFontMetricsF info = metrics(fonts_.info);
  const double left = m_.page.left();
  const auto gallons = [](double value) { return QString::fromStdString(fieldText(value)); };
  QString parts = QStringLiteral("Taxi %1 + trip %2 + contingency %3")
                      .arg(gallons(fuel.taxi.gallons), gallons(fuel.trip.gallons), gallons(fuel.contingency.gallons));
  if (fuel.alternate.gallons > 0) parts += QStringLiteral(" + alternate ") + gallons(fuel.alternate.gallons);
  parts += QStringLiteral(" + reserve %1 (%2 min) gal")
               .arg(gallons(fuel.finalReserve.gallons), gallons(fuel.finalReserve.minutes));
  const bool isShort = fuel.extra.gallons < 0;
  const QString sum = QStringLiteral("required %1 gal, on board %2 gal, %3 %4 gal")
                          .arg(gallons(fuel.required.gallons), gallons(fuel.onBoard.gallons),
                               isShort ? QStringLiteral("short") : QStringLiteral("extra"),
                               gallons(isShort ? -fuel.extra.gallons : fuel.extra.gallons));
  const QString label = QStringLiteral("Fuel");
  const double indent = textWidth(fonts_.infoBold, label) + textWidth(fonts_.info, QStringLiteral("  "));
  const double width = m_.page.width() - indent;
  double y = top;
  painter_.setFont(fonts_.infoBold);
  painter_.drawText(QPointF(left, y + info.ascent()), label);
  painter_.setFont(fonts_.info);
  painter_.drawText(QPointF(left + indent, y + info.ascent()), info.elidedText(parts, Qt::ElideRight, width));
  y += info.lineSpacing();
  painter_.drawText(QPointF(left + indent, y + info.ascent()), info.elidedText(sum, Qt::ElideRight, width));
  y += info.lineSpacing();
  painter_.setFont(fuel.enough ? fonts_.info : fonts_.infoBold);
  painter_.drawText(QPointF(left + indent, y + info.ascent()),
                    metrics(painter_.font()).elidedText(QString::fromStdString(fuelVerdictText(fuel)), Qt::ElideRight, width));
  return y + info.lineSpacing();
}

void Painter::paint() {
  const std::vector<Page> pages = paginate();
  if (!painter_.begin(&device_)) return;
  const int count = static_cast<int>(pages.size());
  for (int n = 0; n < count; ++n) {
    if (n > 0) device_.newPage();
    const Page& page = pages[static_cast<std::size_t>(n)];
    const bool last = n + 1 == count;
    double y = paintHeader(m_.page.top());
    y = paintTable(headings_, page, false, y) + m_.tableGap;
    y = paintTable(times_, page, last, y);
    if (last) paintClosing(y);
    paintFooter(n + 1, count);
  }
  painter_.end();
}

}  // namespace

QList<QFont> navLogFonts() { return Fonts().all(); }

void setUpNavLogPage(QPagedPaintDevice& device) {
  device.setPageLayout(QPageLayout(QPageSize(QPageSize::A5), QPageLayout::Portrait,
                                   QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm), QPageLayout::Millimeter));
}

void paintNavLog(QPagedPaintDevice& device, const NavLogSheet& sheet) { Painter(device, sheet).paint(); }

QByteArray navLogPdf(const NavLogSheet& sheet) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  {
    QPdfWriter writer(&buffer);
    writer.setResolution(1200);
    writer.setCreator(kProgram);
    writer.setTitle(QStringLiteral("Nav Log"));
    setUpNavLogPage(writer);
    paintNavLog(writer, sheet);
  }
  buffer.close();
  return bytes;
}

}  // namespace orvane
