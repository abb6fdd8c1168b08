#include "windows/route_file_dialogs.hpp"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <string>

#include "core/clock.hpp"
#include "core/files.hpp"
#include "ui/file_paths.hpp"
#include "ui/messages.hpp"

namespace orvane {
namespace {

using ui::fromPath;
using ui::toPath;

QString suffixOf(RouteFormat format) {
  return format == RouteFormat::Gpx ? QStringLiteral("gpx") : QStringLiteral("fpl");
}

RouteFormat formatOfFilter(const QString& filter) {
  return filter == kGpxFilter ? RouteFormat::Gpx : RouteFormat::FlightPlan;
}

QString text(const std::string& bytes) { return QString::fromStdString(bytes); }

/// The current time on the UTC clock; the Unix epoch when the clock cannot tell.
LocalDateTime currentUtcTime() {
  const auto now = resolveLocalTime(currentLocalTime());
  return now ? now->utc : LocalDateTime{};
}

}  // namespace

RouteTarget routeTarget(const QString& chosenFile, const QString& selectedFilter) {
  const QString suffix = QFileInfo(chosenFile).suffix();
  if (suffix.compare(QLatin1String("gpx"), Qt::CaseInsensitive) == 0) return {chosenFile, RouteFormat::Gpx};
  if (suffix.compare(QLatin1String("fpl"), Qt::CaseInsensitive) == 0) return {chosenFile, RouteFormat::FlightPlan};
  const RouteFormat byFilter = formatOfFilter(selectedFilter);
  if (suffix.isEmpty()) return {chosenFile + QLatin1Char('.') + suffixOf(byFilter), byFilter};
  return {chosenFile, byFilter};
}

QString writeRoute(const RouteTarget& target, const Route& route) {
  const RouteFileText file = writeRouteFile(route, target.format, currentUtcTime());
  if (!file.problem.empty()) return text(file.problem);
  const QString shown = QDir::toNativeSeparators(target.file);
  const std::filesystem::path path = toPath(target.file);
  const FileWrite outcome = replaceFile(path, file.text);
  if (outcome != FileWrite::Written) {
    return text(fileWriteMessage(outcome, chosenFileWriteTexts("The route", shown.toStdString()), path));
  }
  if (file.changes.empty()) return {};
  return QStringLiteral("The route was saved as \"%1\".\n").arg(shown) + text(nameChangesMessage(file.changes));
}

void exportRoute(QWidget* owner, const Route& route, const std::filesystem::path& folder) {
  QFileDialog dialog(owner, QStringLiteral("Export Route"));
  dialog.setObjectName(QStringLiteral("routeExportDialog"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilters({kFlightPlanFilter, kGpxFilter});
  dialog.setDirectory(fromPath(folder));
  // The route's own name, "JFK-BOS", tells the files apart.
  QString name = text(flightPlanIdentifier(route.points.empty() ? "" : route.points.front().name));
  if (route.points.size() > 1) name += QLatin1Char('-') + text(flightPlanIdentifier(route.points.back().name));
  dialog.selectFile((name.isEmpty() ? QStringLiteral("route") : name) + QStringLiteral(".fpl"));
  dialog.setDefaultSuffix(suffixOf(RouteFormat::FlightPlan));
  QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                   [&dialog](const QString& filter) { dialog.setDefaultSuffix(suffixOf(formatOfFilter(filter))); });
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;

  const QString message = writeRoute(routeTarget(dialog.selectedFiles().first(), dialog.selectedNameFilter()), route);
  if (!message.isEmpty()) ui::showMessage(owner, message);
}

std::optional<Route> readRoute(QWidget* owner, const QString& file) {
  RouteReading reading = readRouteFile(toPath(file));
  if (reading.outcome == RouteReadOutcome::Read) return std::move(reading.route);
  ui::showMessage(owner, QStringLiteral("The route file \"%1\" was not read, and the flight is as it was:\n")
                                 .arg(QDir::toNativeSeparators(file)) +
                             text(reading.message));
  return std::nullopt;
}

std::optional<Route> importRoute(QWidget* owner, const std::filesystem::path& folder) {
  QFileDialog dialog(owner, QStringLiteral("Import Route"));
  dialog.setObjectName(QStringLiteral("routeImportDialog"));
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setNameFilters({kRouteFilesFilter, kFlightPlanFilter, kGpxFilter, QStringLiteral("All files (*)")});
  dialog.setDirectory(fromPath(folder));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return readRoute(owner, dialog.selectedFiles().first());
}

}  // namespace orvane
