#pragma once

#include <QString>
#include <QUrl>

namespace orvane::ui {

/// Hands work to other programs without waiting for them. The desktop's own launcher
/// lives with the application; tests put a recording one in its place.
class Launcher {
 public:
  virtual ~Launcher() = default;
  /// Starts the desktop's calculator; false when none could be started.
  virtual bool startCalculator() = 0;
  /// Opens `fileName` (relative to the working folder) in the user's text editor;
  /// false when no editor could be started. A missing file is the editor's affair.
  virtual bool openInTextEditor(const QString& fileName) = 0;
  /// Opens the address in the user's browser; false when that failed.
  virtual bool openWebPage(const QUrl& address) = 0;
};

}  // namespace orvane::ui
