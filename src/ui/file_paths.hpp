#pragma once
// A file name from a file dialog as the core's path, and back: the bytes the system
// uses for file names, never a guessed encoding.

#include <QFile>
#include <QString>
#include <filesystem>

namespace orvane::ui {

inline std::filesystem::path toPath(const QString& file) {
#ifdef _WIN32
  return std::filesystem::path(file.toStdWString());
#else
  return std::filesystem::path(QFile::encodeName(file).toStdString());
#endif
}

inline QString fromPath(const std::filesystem::path& path) {
#ifdef _WIN32
  return QString::fromStdWString(path.wstring());
#else
  return QFile::decodeName(QByteArray::fromStdString(path.string()));
#endif
}

}  // namespace orvane::ui
