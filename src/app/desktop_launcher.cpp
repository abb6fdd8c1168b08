#include "app/desktop_launcher.hpp"

#include <QDesktopServices>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>

#include "core/search_path.hpp"

namespace orvane {
namespace {

QStringList calculators() {
#if defined(Q_OS_WIN)
  return {QStringLiteral("calc.exe")};
#elif defined(Q_OS_MACOS)
  return {QStringLiteral("open")};
#else
  return {QStringLiteral("gnome-calculator"), QStringLiteral("kcalc"),      QStringLiteral("qalculate-gtk"),
          QStringLiteral("mate-calc"),        QStringLiteral("galculator"), QStringLiteral("xcalc")};
#endif
}

QStringList textEditors() {
#if defined(Q_OS_WIN)
  return {QStringLiteral("notepad.exe")};
#elif defined(Q_OS_MACOS)
  return {QStringLiteral("open")};
#else
  return {QStringLiteral("gnome-text-editor"),
          QStringLiteral("gedit"),
          QStringLiteral("kate"),
          QStringLiteral("kwrite"),
          QStringLiteral("mousepad"),
          QStringLiteral("pluma"),
          QStringLiteral("xed"),
          QStringLiteral("featherpad"),
          QStringLiteral("xdg-open")};
#endif
}

}  // namespace

QString DesktopLauncher::findProgram(const QStringList& candidates) {
#if defined(Q_OS_WIN)
  const QStringList folders;  // the system's own search, which leaves out the working folder
#else
  QStringList folders;
  for (const std::string& folder : absoluteSearchFolders(qgetenv("PATH").toStdString())) {
    folders << QFile::decodeName(QByteArray::fromStdString(folder));
  }
  // No folder to look in: an empty list would have the whole PATH searched after all.
  if (folders.isEmpty()) return {};
#endif
  for (const QString& name : candidates) {
    const QString found = QStandardPaths::findExecutable(name, folders);
    if (!found.isEmpty()) return found;
  }
  return {};
}

bool DesktopLauncher::start(const QString& program, const QStringList& arguments) const {
  if (program.isEmpty()) return false;
  return QProcess::startDetached(program, arguments, QString::fromStdString(workingFolder_.string()));
}

bool DesktopLauncher::startCalculator() {
#if defined(Q_OS_MACOS)
  return start(findProgram(calculators()), {QStringLiteral("-a"), QStringLiteral("Calculator")});
#else
  return start(findProgram(calculators()), {});
#endif
}

bool DesktopLauncher::openInTextEditor(const QString& fileName) {
#if defined(Q_OS_MACOS)
  return start(findProgram(textEditors()), {QStringLiteral("-t"), fileName});
#else
  return start(findProgram(textEditors()), {fileName});
#endif
}

bool DesktopLauncher::openWebPage(const QUrl& address) { return QDesktopServices::openUrl(address); }

}  // namespace orvane
