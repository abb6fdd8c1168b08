#pragma once
// What the window tests share: a catcher that answers message boxes as a pilot does,
// typing into fields, and a launcher that records instead of starting programs.

#include <QLineEdit>
#include <QObject>
#include <QStringList>
#include <QTimer>
#include <QUrl>
#include <functional>

#include "ui/launcher.hpp"

namespace orvane::test {

struct SeenMessage {
  QString text;
  QString caption;
  int icon = 0;          // QMessageBox::Icon
  int buttonCount = 0;
  bool modal = false;
};

/// Confirms every message box that comes up with OK and records what it said. The
/// `onMessage` hook runs while the box is still open, so a test can look at the
/// window behind it at that moment.
class MessageCatcher : public QObject {
  Q_OBJECT

 public:
  MessageCatcher();
  QList<SeenMessage> messages;
  std::function<void(const SeenMessage&)> onMessage;

  QStringList texts() const;
  void clear() { messages.clear(); }

 private:
  void answer();
  QTimer timer_;
};

/// Runs `steps` once a window named `objectName` is shown, from inside whatever loop
/// is running then (a modal window's own): a test presses a button that opens a modal
/// window and drives that window from here. `steps` should close it.
void whenShown(const QString& objectName, std::function<void(QWidget*)> steps);

/// Replaces a field's text the way a pilot does: select all, then type.
void typeInto(QLineEdit* field, const QString& text);

/// Records what the program asked to start.
class RecordingLauncher : public ui::Launcher {
 public:
  void startCalculator() override { calls << QStringLiteral("calculator"); }
  void openInTextEditor(const QString& fileName) override { calls << QStringLiteral("editor ") + fileName; }
  bool openWebPage(const QUrl& address) override {
    calls << QStringLiteral("web ") + address.toString();
    return webPagesOpen;
  }
  QStringList calls;
  bool webPagesOpen = true;
};

}  // namespace orvane::test
