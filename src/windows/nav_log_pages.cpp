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
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/clock.hpp"
#include "core/nav_log_layout.hpp"
#include "core/numbers.hpp"
#include "core/version.hpp"

namespace orvane {
namespace {

constexpr double kMarginMm = 10;  // A5 leaves about 128 x 190 mm inside the margins
constexpr double kThinLineMm = 0.2;
constexpr double kThickLineMm = 0.45;

const QString kProgram = QStringLiteral("Orvane " ORVANE_VERSION);

QString text(const std::string& utf8) { return QString::fromStdString(validUtf8(utf8)); }
// A text of the layout, valid UTF-8 already.
QString fromLayout(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

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
  QFont section = sansFont(10, true);                     // a table's title
  QFont heading = sansFont(kSmallestNavLogPoints, true);  // the column headings
  QFont cell = sansFont(8.5, false);
  QFont cellBold = sansFont(8.5, true);  // "Total", a leg whose fuel ran short
  QFont footer = sansFont(kSmallestNavLogPoints, false);

  QList<QFont> all() const {
    return {title, airplane, airplaneBold, info, infoBold, section, heading, cell, cellBold, footer};
  }

  const QFont& of(NavLogFace face) const {
    switch (face) {
      case NavLogFace::Title: return title;
      case NavLogFace::Airplane: return airplane;
      case NavLogFace::AirplaneBold: return airplaneBold;
      case NavLogFace::Info: return info;
      case NavLogFace::InfoBold: return infoBold;
      case NavLogFace::Section: return section;
      case NavLogFace::Heading: return heading;
      case NavLogFace::Cell: return cell;
      case NavLogFace::CellBold: return cellBold;
      case NavLogFace::Footer: return footer;
    }
    return info;
  }
};

// Paints the pages the layout placed; every length in device pixels.
class Painter {
 public:
  Painter(QPagedPaintDevice& device, const NavLogSheet& sheet);
  void paint();

 private:
  QFontMetricsF metrics(const QFont& font) const { return QFontMetricsF(font, &device_); }
  double textWidth(const QFont& font, const QString& s) const;
  NavLogMeasure measure() const;

  QPen pen(double millimetres) const;
  double paintHeader(double top);
  void paintFooter(int pageNumber, int pageCount);
  double paintTable(const NavLogTable& table, const NavLogPageLegs& page, bool withTotals, double top);
  void paintRow(const NavLogTable& table, const NavLogCells& row, double top, bool totals);
  double paintClosing(double top);
  double paintFuel(const FuelPlan& fuel, double top);

  QPagedPaintDevice& device_;
  const NavLogSheet& sheet_;
  Fonts fonts_;
  double mm_ = 1;  // pixels per millimetre
  QRectF page_;    // inside the margins
  NavLogLayout layout_;
  QPainter painter_;
};

Painter::Painter(QPagedPaintDevice& device, const NavLogSheet& sheet)
    : device_(device),
      sheet_(sheet),
      mm_(device.logicalDpiX() / 25.4),
      page_(0, 0, device.width(), device.height()),
      layout_(layOutNavLog(sheet.log, sheet.totals, sheet.fuel.has_value(), {page_.width(), page_.height(), mm_},
                           measure())) {}

double Painter::textWidth(const QFont& font, const QString& s) const {
  double widest = 0;
  const QFontMetricsF fm = metrics(font);
  for (const QString& line : s.split(QLatin1Char('\n'))) widest = std::max(widest, fm.horizontalAdvance(line));
  return widest;
}

NavLogMeasure Painter::measure() const {
  return {
      [this](NavLogFace face, std::string_view s) { return metrics(fonts_.of(face)).horizontalAdvance(fromLayout(s)); },
      [this](NavLogFace face, std::string_view s, double room) {
        return metrics(fonts_.of(face)).elidedText(fromLayout(s), Qt::ElideRight, room).toStdString();
      },
      [this](NavLogFace face) {
        const QFontMetricsF fm = metrics(fonts_.of(face));
        return NavLogFaceHeights{fm.height(), fm.lineSpacing()};
      },
  };
}

QPen Painter::pen(double millimetres) const {
  QPen p(Qt::black);
  p.setWidthF(millimetres * mm_);
  p.setCapStyle(Qt::FlatCap);
  return p;
}

double Painter::paintHeader(double top) {
  const QRectF& page = page_;
  const QFontMetricsF title = metrics(fonts_.title);
  const double baseline = top + title.ascent();
  painter_.setFont(fonts_.title);
  painter_.drawText(QPointF(page.left(), baseline), QStringLiteral("Nav Log"));

  // The airplane at the right: tail number in bold, then the type; either may be empty.
  const QString tail = text(sheet_.airplane.tailNumber).trimmed();
  const QString type = text(sheet_.airplane.airplaneType).trimmed();
  const double titleWidth = title.horizontalAdvance(QStringLiteral("Nav Log")) + 4 * mm_;
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
  double y = top + title.height() + 1 * mm_;

  if (!sheet_.totals.takeOffText.empty()) {
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
    y += info.height() + 1 * mm_;
  }
  painter_.setPen(pen(kThickLineMm));
  painter_.drawLine(QPointF(page.left(), y), QPointF(page.right(), y));
  return top + layout_.headerHeight;
}

void Painter::paintFooter(int pageNumber, int pageCount) {
  const QFontMetricsF fm = metrics(fonts_.footer);
  const double baseline = page_.bottom() - fm.descent();
  const double rule = page_.bottom() - fm.height() - 1 * mm_;
  painter_.setPen(pen(kThinLineMm));
  painter_.drawLine(QPointF(page_.left(), rule), QPointF(page_.right(), rule));
  painter_.setFont(fonts_.footer);
  painter_.drawText(QPointF(page_.left(), baseline), QStringLiteral("Planned with ") + kProgram);
  const QString numbered = QStringLiteral("Page ") + QString::fromStdString(fieldText(pageNumber)) +
                           QStringLiteral(" of ") + QString::fromStdString(fieldText(pageCount));
  painter_.drawText(QPointF(page_.right() - fm.horizontalAdvance(numbered), baseline), numbered);
}

void Painter::paintRow(const NavLogTable& table, const NavLogCells& row, double top, bool totals) {
  double x = page_.left();
  for (std::size_t c = 0; c < table.columns.size(); ++c) {
    const NavLogTableColumn& column = table.columns[c];
    const QRectF box(x, top, table.widths[c], layout_.rowHeight);
    x += table.widths[c];
    if (column.writeIn && !totals) painter_.fillRect(box, QColor(0xEE, 0xEE, 0xEE));
    const NavLogCell& cell = row[c];
    if (cell.text.empty()) continue;
    const QString shown = QString::fromStdString(cell.text);
    const QFont& font = cell.bold ? fonts_.cellBold : fonts_.cell;
    const QRectF inner = box.adjusted(layout_.padding, 0, -layout_.padding, 0);
    painter_.setFont(font);
    painter_.setPen(Qt::black);
    const Qt::Alignment align = (column.number ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
    // The column is as wide as its widest text: only a text wider than that (a long leg
    // name) is elided, not one that the measuring rounds a hair past its width.
    const QFontMetricsF fm = metrics(font);
    const bool fits = fm.horizontalAdvance(shown) <= inner.width() + 0.05 * mm_;
    painter_.drawText(inner, align | Qt::TextDontClip,
                      fits ? shown : fm.elidedText(shown, Qt::ElideRight, inner.width()));
  }
}

double Painter::paintTable(const NavLogTable& table, const NavLogPageLegs& page, bool withTotals, double top) {
  const QRectF& area = page_;
  painter_.setFont(fonts_.section);
  painter_.setPen(Qt::black);
  painter_.drawText(QPointF(area.left(), top + metrics(fonts_.section).ascent()), QString::fromStdString(table.title));
  const double tableTop = top + layout_.sectionHeight;

  // The headings, on a light ground.
  double x = area.left();
  painter_.fillRect(QRectF(area.left(), tableTop, area.width(), layout_.headingRowHeight), QColor(0xDD, 0xDD, 0xDD));
  painter_.setFont(fonts_.heading);
  for (std::size_t c = 0; c < table.columns.size(); ++c) {
    const NavLogTableColumn& column = table.columns[c];
    const QRectF inner(x + layout_.padding, tableTop, table.widths[c] - 2 * layout_.padding, layout_.headingRowHeight);
    x += table.widths[c];
    const Qt::Alignment align = (column.writeIn  ? Qt::AlignHCenter
                                 : column.number ? Qt::AlignRight
                                                 : Qt::AlignLeft) |
                                Qt::AlignVCenter;
    painter_.drawText(inner, align, QString::fromStdString(column.heading));
  }

  double y = tableTop + layout_.headingRowHeight;
  for (std::size_t i = page.first; i < page.first + page.count; ++i) {
    paintRow(table, table.legs[i], y, false);
    y += layout_.rowHeight;
  }
  const double totalsTop = y;
  if (withTotals && table.totals) {
    paintRow(table, *table.totals, y, true);
    y += layout_.rowHeight;
  }

  // The grid: thin lines between the cells, heavier ones round the table, under the
  // headings and over the totals.
  painter_.setPen(pen(kThinLineMm));
  for (double rowTop = tableTop + layout_.headingRowHeight + layout_.rowHeight; rowTop < y - layout_.rowHeight / 2;
       rowTop += layout_.rowHeight) {
    painter_.drawLine(QPointF(area.left(), rowTop), QPointF(area.right(), rowTop));
  }
  x = area.left();
  for (std::size_t c = 0; c + 1 < table.columns.size(); ++c) {
    x += table.widths[c];
    painter_.drawLine(QPointF(x, tableTop), QPointF(x, y));
  }
  painter_.setPen(pen(kThickLineMm));
  painter_.drawRect(QRectF(area.left(), tableTop, area.width(), y - tableTop));
  painter_.drawLine(QPointF(area.left(), tableTop + layout_.headingRowHeight),
                    QPointF(area.right(), tableTop + layout_.headingRowHeight));
  if (withTotals && table.totals) painter_.drawLine(QPointF(area.left(), totalsTop), QPointF(area.right(), totalsTop));

  // A marked cell gets a heavy frame on its own lines, over the grid.
  painter_.setPen(pen(2 * kThickLineMm));
  for (std::size_t i = page.first; i < page.first + page.count; ++i) {
    double left = area.left();
    for (std::size_t c = 0; c < table.columns.size(); ++c) {
      const double rowTop =
          tableTop + layout_.headingRowHeight + static_cast<double>(i - page.first) * layout_.rowHeight;
      if (table.legs[i][c].marked) painter_.drawRect(QRectF(left, rowTop, table.widths[c], layout_.rowHeight));
      left += table.widths[c];
    }
  }
  return y;
}

// Under the last table: the total flight time and the route flown.
double Painter::paintClosing(double top) {
  const QFontMetricsF info = metrics(fonts_.info);
  const double left = page_.left();
  double y = top + 2 * mm_;
  const QString label = QStringLiteral("Total Flight Time");
  painter_.setPen(Qt::black);
  painter_.setFont(fonts_.infoBold);
  painter_.drawText(QPointF(left, y + info.ascent()), label);
  painter_.setFont(fonts_.info);
  painter_.drawText(QPointF(left + textWidth(fonts_.infoBold, label) + textWidth(fonts_.info, QStringLiteral("  ")),
                            y + info.ascent()),
                    QString::fromStdString(fieldText(sheet_.totals.totalFlightTime)) + QStringLiteral(" hours"));
  y += info.height() + 1 * mm_;
  const QFontMetricsF footer = metrics(fonts_.footer);
  painter_.setFont(fonts_.footer);
  painter_.drawText(QPointF(left, y + footer.ascent()),
                    footer.elidedText(QStringLiteral("ETE: m:ss under an hour (37:55), h:mm from an hour on (1:24). "
                                                     "+1: the next day."),
                                      Qt::ElideRight, page_.width()));
  y += footer.lineSpacing();
  if (sheet_.fuel) y = paintFuel(*sheet_.fuel, y + 1 * mm_);
  if (!layout_.routeLines.empty()) {
    y += 1 * mm_;
    painter_.setFont(fonts_.infoBold);
    painter_.drawText(QPointF(left, y + info.ascent()), QStringLiteral("Route"));
    painter_.setFont(fonts_.info);
    for (const std::string& line : layout_.routeLines) {
      painter_.drawText(QPointF(left + layout_.routeIndent, y + info.ascent()), QString::fromStdString(line));
      y += info.lineSpacing();
    }
  }
  return y;
}

// The fuel check in three lines: its parts, the sum against the fuel on board, and
// the verdict in words, in bold when the fuel is short.
double Painter::paintFuel(const FuelPlan& fuel, double top) {
  const QFontMetricsF info = metrics(fonts_.info);
  const double left = page_.left();
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
  const double width = page_.width() - indent;
  double y = top;
  painter_.setFont(fonts_.infoBold);
  painter_.drawText(QPointF(left, y + info.ascent()), label);
  painter_.setFont(fonts_.info);
  painter_.drawText(QPointF(left + indent, y + info.ascent()), info.elidedText(parts, Qt::ElideRight, width));
  y += info.lineSpacing();
  painter_.drawText(QPointF(left + indent, y + info.ascent()), info.elidedText(sum, Qt::ElideRight, width));
  y += info.lineSpacing();
  painter_.setFont(fuel.enough ? fonts_.info : fonts_.infoBold);
  painter_.drawText(
      QPointF(left + indent, y + info.ascent()),
      metrics(painter_.font()).elidedText(QString::fromStdString(fuelVerdictText(fuel)), Qt::ElideRight, width));
  return y + info.lineSpacing();
}

void Painter::paint() {
  const std::vector<NavLogPageLegs>& pages = layout_.pages;
  if (!painter_.begin(&device_)) return;
  const int count = static_cast<int>(pages.size());
  for (int n = 0; n < count; ++n) {
    if (n > 0) device_.newPage();
    const NavLogPageLegs& page = pages[static_cast<std::size_t>(n)];
    const bool last = n + 1 == count;
    double y = paintHeader(page_.top());
    y = paintTable(layout_.headings, page, false, y) + layout_.tableGap;
    y = paintTable(layout_.times, page, last, y);
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
