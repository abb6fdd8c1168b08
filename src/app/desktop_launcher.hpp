#pragma once

#include <QString>
#include <QStringList>
#include <filesystem>

#include "ui/launcher.hpp"

namespace orvane {

/// Starts the desktop's own programs with an argument list (never through a shell),
/// in the working folder, without waiting for them.
class DesktopLauncher : public ui::Launcher {
 public:
  explicit DesktopLauncher(std::filesystem::path workingFolder) : workingFolder_(std::move(workingFolder)) {}

  bool startCalculator() override;
  bool openInTextEditor(const QString& fileName) override;
  bool openWebPage(const QUrl& address) override;

  /// The first of `candidates` found in the absolute folders of the search path (PATH),
  /// as a full path, or empty. The working folder is never searched, not even when
  /// PATH names it ("." or an empty entry).
  static QString findProgram(const QStringList& candidates);

 private:
  bool start(const QString& program, const QStringList& arguments) const;

  std::filesystem::path workingFolder_;
};

}  // namespace orvane
