#include "windows/nav_log_export.hpp"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QPageLayout>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <string>

#include "core/clock.hpp"
#include "core/files.hpp"
#include "core/nav_log.hpp"
#include "ui/file_paths.hpp"
#include "ui/messages.hpp"

namespace orvane {
namespace {

using ui::fromPath;
using ui::toPath;

QString suffixOf(NavLogFormat format) {
  return format == NavLogFormat::Csv ? QStringLiteral("csv") : QStringLiteral("pdf");
}

}  // namespace

NavLogTarget navLogTarget(const QString& chosenFile, const QString& selectedFilter) {
  const NavLogFormat byFilter = selectedFilter == kCsvFilter ? NavLogFormat::Csv : NavLogFormat::Pdf;
  const QString suffix = QFileInfo(chosenFile).suffix();
  if (suffix.compare(QLatin1String("csv"), Qt::CaseInsensitive) == 0) return {chosenFile, NavLogFormat::Csv};
  if (suffix.compare(QLatin1String("pdf"), Qt::CaseInsensitive) == 0) return {chosenFile, NavLogFormat::Pdf};
  if (suffix.isEmpty()) return {chosenFile + QLatin1Char('.') + suffixOf(byFilter), byFilter};
  return {chosenFile, byFilter};
}

QString writeNavLog(const NavLogTarget& target, const NavLogSheet& sheet) {
  std::string bytes;
  if (target.format == NavLogFormat::Csv) {
    bytes = navLogCsv(sheet.log, sheet.totals, sheet.fuel);
  } else {
    const QByteArray pdf = navLogPdf(sheet);
    bytes.assign(pdf.constData(), static_cast<std::size_t>(pdf.size()));
  }
  const std::filesystem::path path = toPath(target.file);
  const std::string shown = QDir::toNativeSeparators(target.file).toStdString();
  const FileWrite outcome = replaceFile(path, bytes);
  return QString::fromStdString(fileWriteMessage(outcome, chosenFileWriteTexts("The nav log", shown), path));
}

void exportNavLog(QWidget* owner, const NavLogSheet& sheet, const std::filesystem::path& folder) {
  QFileDialog dialog(owner, QStringLiteral("Export Nav Log"));
  dialog.setObjectName(QStringLiteral("navLogExportDialog"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilters({kPdfFilter, kCsvFilter});
  dialog.setDirectory(fromPath(folder));
  // One nav log a day is the usual rhythm; the date keeps them apart.
  QString name = QStringLiteral("navlog");
  if (!sheet.log.legs.empty()) name += QLatin1Char('-') + QString::fromStdString(formatDate(sheet.totals.takeOffTime));
  dialog.selectFile(name + QStringLiteral(".pdf"));
  // A name typed without an extension gets the chosen type's, before the dialog asks
  // whether to replace a file of that name.
  dialog.setDefaultSuffix(suffixOf(NavLogFormat::Pdf));
  QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& filter) {
    dialog.setDefaultSuffix(suffixOf(filter == kCsvFilter ? NavLogFormat::Csv : NavLogFormat::Pdf));
  });
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;

  const NavLogTarget target = navLogTarget(dialog.selectedFiles().first(), dialog.selectedNameFilter());
  const QString problem = writeNavLog(target, sheet);
  if (!problem.isEmpty()) ui::showMessage(owner, problem);
}

void printNavLog(QWidget* owner, const NavLogSheet& sheet) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName(QStringLiteral("Nav Log"));
  setUpNavLogPage(printer);
  QPrintPreviewDialog preview(&printer, owner);
  preview.setObjectName(QStringLiteral("navLogPreview"));
  preview.setWindowTitle(QStringLiteral("Print Nav Log"));
  QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                   [&sheet](QPrinter* device) { paintNavLog(*device, sheet); });
  preview.exec();
}

}  // namespace orvane
