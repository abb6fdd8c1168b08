#pragma once
// The "&About Orvane..." entry of a window's own menu. On Windows it goes on the
// title bar's system menu; elsewhere, where the desktop offers no such menu, it is the
// window's context menu (a right click on its background). Either way it opens the
// About box without its texts.

#include <QByteArray>
#include <QPoint>
#include <functional>

class QWidget;

namespace orvane {

/// Appends a separator and the entry to `window`'s system menu (Windows only).
void addAboutToSystemMenu(QWidget* window);

/// Whether a native message is the entry's system command (Windows only; else false).
bool isAboutSystemCommand(const QByteArray& eventType, void* message);

/// Shows the context menu holding the entry at `globalPos`; choosing the entry runs
/// `openAbout`.
void execAboutContextMenu(QWidget* window, QPoint globalPos, const std::function<void()>& openAbout);

/// The About box as the entry opens it: both texts empty.
void showAboutWithoutTexts(QWidget* owner);

}  // namespace orvane
