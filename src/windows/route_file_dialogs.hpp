#pragma once
// File > Export Route and File > Import Route: the file dialogs and messages around
// the route files (Garmin FlightPlan v1 and GPX 1.1).

#include <QString>
#include <filesystem>
#include <optional>

#include "core/route_files.hpp"

class QWidget;

namespace orvane {

/// The name filters of the file dialogs.
inline const QString kFlightPlanFilter = QStringLiteral("Garmin FlightPlan (*.fpl)");
inline const QString kGpxFilter = QStringLiteral("GPX route (*.gpx)");
inline const QString kRouteFilesFilter = QStringLiteral("Route files (*.fpl *.gpx)");

/// Where and how a chosen file is written: ".fpl" or ".gpx" (in any case) says the
/// format itself; any other name takes the dialog's file type, and a name without an
/// extension gets that type's.
struct RouteTarget {
  QString file;
  RouteFormat format = RouteFormat::FlightPlan;
};
RouteTarget routeTarget(const QString& chosenFile, const QString& selectedFilter);

/// Writes the route, replacing an older file atomically, stamped with the current UTC
/// time. Returns the message for the pilot: why nothing was written, or which names
/// were written otherwise; empty when all went as given.
QString writeRoute(const RouteTarget& target, const Route& route);

/// The save dialog in `folder`, then the write; what the pilot must know is told in a
/// message box.
void exportRoute(QWidget* owner, const Route& route, const std::filesystem::path& folder);

/// Reads a route file; a refusal is told in a message box naming the file, and gives
/// no route.
std::optional<Route> readRoute(QWidget* owner, const QString& file);

/// The open dialog in `folder`, then readRoute. No route when cancelled or refused.
std::optional<Route> importRoute(QWidget* owner, const std::filesystem::path& folder);

}  // namespace orvane
