#pragma once

#include <QString>
#include <QUrl>

namespace orvane::ui {

/// Hands work to other programs without waiting for them. The desktop's own launcher
/// lives with the application; tests put a recording one in its place.
class Launcher {
 public:
  virtual ~Launcher() = default;
  /// Starts the desktop's calculator. Failure is not reported.
  virtual void startCalculator() = 0;
  /// Opens `fileName` (relative to the working folder) in the user's text editor.
  /// Failure is not reported: a missing file is the editor's affair.
  virtual void openInTextEditor(const QString& fileName) = 0;
  /// Opens the address in the user's browser; false when that failed.
  virtual bool openWebPage(const QUrl& address) = 0;
};

}  // namespace orvane::ui
