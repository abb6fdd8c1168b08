#pragma once
// File > Print Nav Log and File > Export Nav Log: the print preview of the kneeboard
// pages, and the nav log saved as a PDF document or a CSV table.

#include <QString>
#include <filesystem>

#include "windows/nav_log_pages.hpp"

class QWidget;

namespace orvane {

enum class NavLogFormat { Pdf, Csv };

/// The name filters of the save dialog, one per format.
inline const QString kPdfFilter = QStringLiteral("PDF document (*.pdf)");
inline const QString kCsvFilter = QStringLiteral("CSV table (*.csv)");

/// Where and how a chosen file is written: a ".pdf" or ".csv" name (in any case) says
/// the format itself; any other name takes the format of the dialog's file type, and
/// a name without an extension gets that type's.
struct NavLogTarget {
  QString file;
  NavLogFormat format = NavLogFormat::Pdf;
};
NavLogTarget navLogTarget(const QString& chosenFile, const QString& selectedFilter);

/// Writes the nav log to the target, replacing an older file atomically. Returns the
/// message for the pilot when it failed (any older file is then as it was), else empty.
QString writeNavLog(const NavLogTarget& target, const NavLogSheet& sheet);

/// The save dialog in `folder`, then the write; a failure is told in a message box.
void exportNavLog(QWidget* owner, const NavLogSheet& sheet, const std::filesystem::path& folder);

/// The print preview of the kneeboard pages, from which the pilot prints them.
void printNavLog(QWidget* owner, const NavLogSheet& sheet);

}  // namespace orvane
