#include "app/desktop_launcher.hpp"

#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>

namespace orvane {
namespace {

QStringList calculators() {
#if defined(Q_OS_WIN)
  return {QStringLiteral("calc.exe")};
#elif defined(Q_OS_MACOS)
  return {QStringLiteral("open")};
#else
  return {QStringLiteral("gnome-calculator"), QStringLiteral("kcalc"),     QStringLiteral("qalculate-gtk"),
          QStringLiteral("mate-calc"),        QStringLiteral("galculator"), QStringLiteral("xcalc")};
#endif
}

QStringList textEditors() {
#if defined(Q_OS_WIN)
  return {QStringLiteral("notepad.exe")};
#elif defined(Q_OS_MACOS)
  return {QStringLiteral("open")};
#else
  return {QStringLiteral("gnome-text-editor"), QStringLiteral("gedit"),  QStringLiteral("kate"),
          QStringLiteral("kwrite"),            QStringLiteral("mousepad"), QStringLiteral("pluma"),
          QStringLiteral("xed"),               QStringLiteral("featherpad"), QStringLiteral("xdg-open")};
#endif
}

}  // namespace

QString DesktopLauncher::findProgram(const QStringList& candidates) {
  for (const QString& name : candidates) {
    const QString found = QStandardPaths::findExecutable(name);
    if (!found.isEmpty()) return found;
  }
  return {};
}

bool DesktopLauncher::start(const QString& program, const QStringList& arguments) const {
  if (program.isEmpty()) return false;
  return QProcess::startDetached(program, arguments, QString::fromStdString(workingFolder_.string()));
}

void DesktopLauncher::startCalculator() {
#if defined(Q_OS_MACOS)
  start(findProgram(calculators()), {QStringLiteral("-a"), QStringLiteral("Calculator")});
#else
  start(findProgram(calculators()), {});
#endif
}

void DesktopLauncher::openInTextEditor(const QString& fileName) {
#if defined(Q_OS_MACOS)
  start(findProgram(textEditors()), {QStringLiteral("-t"), fileName});
#else
  start(findProgram(textEditors()), {fileName});
#endif
}

bool DesktopLauncher::openWebPage(const QUrl& address) { return QDesktopServices::openUrl(address); }

}  // namespace orvane
