#include "windows/about_entry.hpp"

#include <QAction>
#include <QMenu>
#include <QWidget>

#include "windows/about_dialog.hpp"

#ifdef Q_OS_WIN
#define NOMINMAX
#include <windows.h>
#endif

namespace orvane {
namespace {

#ifdef Q_OS_WIN
constexpr unsigned kAboutSystemCommand = 16;  // 16..31: the low four bits are the system's
#endif

}  // namespace

void addAboutToSystemMenu([[maybe_unused]] QWidget* window) {
#ifdef Q_OS_WIN
  const QString entry = AboutDialog::windowMenuEntry();
  if (entry.isEmpty()) return;
  HMENU systemMenu = ::GetSystemMenu(reinterpret_cast<HWND>(window->winId()), FALSE);
  if (systemMenu == nullptr) return;
  ::AppendMenuW(systemMenu, MF_SEPARATOR, 0, nullptr);
  ::AppendMenuW(systemMenu, MF_STRING, kAboutSystemCommand, reinterpret_cast<LPCWSTR>(entry.utf16()));
#endif
}

bool isAboutSystemCommand([[maybe_unused]] const QByteArray& eventType, [[maybe_unused]] void* message) {
#ifdef Q_OS_WIN
  const MSG* msg = static_cast<const MSG*>(message);
  return msg->message == WM_SYSCOMMAND && (msg->wParam & 0xFFF0) == kAboutSystemCommand;
#else
  return false;
#endif
}

void execAboutContextMenu(QWidget* window, QPoint globalPos, const std::function<void()>& openAbout) {
  QMenu menu(window);
  menu.setObjectName(QStringLiteral("windowMenu"));
  QAction* about = menu.addAction(AboutDialog::windowMenuEntry());
  about->setObjectName(QStringLiteral("commandWindowMenuAbout"));
  QObject::connect(about, &QAction::triggered, window, openAbout);
  menu.exec(globalPos);
}

void showAboutWithoutTexts(QWidget* owner) {
  AboutDialog about(owner);
  about.exec();
}

}  // namespace orvane
