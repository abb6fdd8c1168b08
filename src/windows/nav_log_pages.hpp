#pragma once
// The nav log on paper: A5 portrait pages for the kneeboard, printed through the print
// preview or saved as a PDF document.

#include <QByteArray>
#include <QFont>
#include <QList>
#include <optional>

#include "core/airplane.hpp"
#include "core/flight.hpp"
#include "core/nav_log.hpp"

class QPagedPaintDevice;

namespace orvane {

/// What the pages show: the legs, the flight's totals and texts, the airplane, and the
/// fuel check under the totals when there is one.
struct NavLogSheet {
  const NavLog& log;
  const FlightTotals& totals;
  const AirplaneData& airplane;
  std::optional<FuelPlan> fuel = std::nullopt;
};

/// The smallest text on the pages [points]: readable on the kneeboard in flight.
inline constexpr double kSmallestNavLogPoints = 8;

/// Every font the pages are painted with, the title's first: one sans-serif family,
/// none smaller than kSmallestNavLogPoints.
QList<QFont> navLogFonts();

/// Sets the device to A5 portrait with the nav log's margins.
void setUpNavLogPage(QPagedPaintDevice& device);

/// Paints every page of the sheet onto a device set up by setUpNavLogPage.
void paintNavLog(QPagedPaintDevice& device, const NavLogSheet& sheet);

/// The sheet as a PDF document.
QByteArray navLogPdf(const NavLogSheet& sheet);

}  // namespace orvane
