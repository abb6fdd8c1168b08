#include "ui/owned_windows.hpp"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace orvane::ui {

OwnedWindowsStayShown::OwnedWindowsStayShown() { qApp->installEventFilter(this); }

OwnedWindowsStayShown::~OwnedWindowsStayShown() { qApp->removeEventFilter(this); }

bool OwnedWindowsStayShown::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::WindowStateChange) return false;
  auto* window = qobject_cast<QWidget*>(watched);
  if (window == nullptr || !window->isWindow() || window->parentWidget() == nullptr) return false;
  if (!window->isMinimized()) return false;
  // After the window manager has finished minimising it: undone at once, the change
  // could be overtaken by the window manager's own.
  QTimer::singleShot(0, window, [guarded = QPointer<QWidget>(window)] {
    if (guarded.isNull() || !guarded->isMinimized()) return;
    guarded->setWindowState(guarded->windowState() & ~Qt::WindowMinimized);
    guarded->show();
    guarded->activateWindow();
  });
  return false;
}

}  // namespace orvane::ui
