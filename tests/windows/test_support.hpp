#pragma once
// What the window tests share: a catcher that answers message boxes as a pilot does,
// typing into fields, and a launcher that records instead of starting programs.

#include <QByteArray>
#include <QDate>
#include <QLineEdit>
#include <QObject>
#include <QStringList>
#include <QTimer>
#include <QUrl>
#include <QWidget>
#include <functional>

#include "ui/launcher.hpp"

namespace orvane::test {

/// A defaults file as Save Defaults writes it: home airport QQA, TAS 110, variation -5,
/// deviation 2, 8.5 gallons an hour, 40 gallons on board, and a trainer's data.
inline const QByteArray kExampleDefaults =
    "home_airport:QQA\r\nTAS:110.000000\r\nVariation:-5.000000\r\nMagnetic Deviation:2.000000\r\n"
    "Galons/Hour:8.500000\r\nTotal Fuel:40.000000\r\nEmpty Plane Weight:1500.000000\r\n"
    "Empty Plane Moment:570.000000\r\nFuel Arm:48.000000\r\nPilot Weight:170.000000\r\n"
    "Front Sits Arm:37.000000\r\nRear Sits Arm:73.000000\r\nAirplane Tail Number:N000XY\r\n"
    "Airplane Type:Trainer\r\nGross Weight:2300.000000\r\nUseful Load:800.000000\r\n"
    "CG Fore Limit:35.000000\r\nCG Aft Limit:47.300000\r\n";

/// The day of every take-off a test sets, 15 June 2026: months from the clock changes
/// of Europe, North America and New Zealand, so that a leg flown from it shows the same
/// local times in the zones the test script runs the tests in.
inline const QDate kTestDay{2026, 6, 15};

/// US Eastern as a POSIX rule, which needs no time-zone database: UTC-5, and UTC-4 from
/// the second Sunday of March to the first Sunday of November.
inline constexpr const char* kUsEastern = "EST5EDT,M3.2.0,M11.1.0";

/// Puts the process into the zone `posixZone` for as long as it lives, then back into
/// the zone the test was started in. Only a test whose expected texts belong to one
/// zone (a zulu text) holds one, created before the planner; every other test runs in
/// the zone the environment gives, so that the test script's runs under other zones
/// prove something.
class FixedTimeZone {
 public:
  explicit FixedTimeZone(const char* posixZone);
  ~FixedTimeZone();
  FixedTimeZone(const FixedTimeZone&) = delete;
  FixedTimeZone& operator=(const FixedTimeZone&) = delete;

 private:
  QByteArray saved_;
  bool hadZone_;
};

/// When ORVANE_TEST_KEEP_FILES names a folder, copies the data file `path` that the
/// program has just written there, as "<test program>--<test function>[--<data
/// row>]--<file name>", with "--2", "--3"... appended for later copies of the same file
/// within one test. The test script compares these copies between its runs under other
/// locales and zones. Does nothing without the variable; false when a copy was asked
/// for and failed.
bool keepWrittenFile(const QString& path);

struct SeenMessage {
  QString text;
  QString caption;
  int icon = 0;  // QMessageBox::Icon
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

/// The widget named `name` that belongs to `window` itself, not to a window opened from
/// it (the planner's fields share names with the fields of the windows it opens); null
/// when there is none.
template <typename T>
T* inWindow(const QWidget* window, const QString& name) {
  for (T* widget : window->findChildren<T*>(name)) {
    if (widget->window() == window) return widget;
  }
  return nullptr;
}

/// The planner's text field named "field" + `key` ("TrueAirspeed": TAS); the test
/// stops when it has none.
QLineEdit* plannerField(const QWidget* planner, const char* key);
/// What the planner's field "field" + `key` holds: a text field's text or a label's
/// (the whole route, even when it is cut short on screen).
QString plannerText(const QWidget* planner, const char* key);

/// Replaces a field's text the way a pilot does: select all, then type.
void typeInto(QLineEdit* field, const QString& text);

/// Records what the program asked to start.
class RecordingLauncher : public ui::Launcher {
 public:
  bool startCalculator() override {
    calls << QStringLiteral("calculator");
    return programsStart;
  }
  bool openInTextEditor(const QString& fileName) override {
    calls << QStringLiteral("editor ") + fileName;
    return programsStart;
  }
  bool openWebPage(const QUrl& address) override {
    calls << QStringLiteral("web ") + address.toString();
    return webPagesOpen;
  }
  QStringList calls;
  bool programsStart = true;  // false: as on a desktop without a calculator or an editor
  bool webPagesOpen = true;
};

}  // namespace orvane::test
