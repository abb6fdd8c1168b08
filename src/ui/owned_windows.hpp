#pragma once
// Owned windows (the tool windows and the message boxes) are modal: the planner under
// one takes no click or key until it closes. Minimised on its own, such a window would
// leave the planner on screen but deaf, with nothing to show where the window went.
// They ask for no minimise button, but some window managers (openbox) draw one on every
// window whatever it asks for; so an owned window that is minimised comes straight
// back. The planner itself, which owns no one, may be minimised as usual.

#include <QObject>

namespace orvane::ui {

/// Watches the whole program while it lives; the planner keeps one.
class OwnedWindowsStayShown : public QObject {
 public:
  OwnedWindowsStayShown();
  ~OwnedWindowsStayShown() override;
  OwnedWindowsStayShown(const OwnedWindowsStayShown&) = delete;
  OwnedWindowsStayShown& operator=(const OwnedWindowsStayShown&) = delete;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace orvane::ui
