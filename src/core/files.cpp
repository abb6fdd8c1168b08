#include "core/files.hpp"

#include <charconv>
#include <cstdio>
#include <memory>
#include <random>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace orvane {
namespace {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

File openFile(const std::filesystem::path& path, const char* mode) {
#ifdef _WIN32
  std::wstring wideMode(mode, mode + std::char_traits<char>::length(mode));
  return File(_wfopen(path.c_str(), wideMode.c_str()));
#else
  return File(std::fopen(path.c_str(), mode));
#endif
}

std::optional<std::string> readUpTo(const std::filesystem::path& path, std::size_t limit) {
  File file = openFile(path, "rb");
  if (!file) return std::nullopt;
  std::string text;
  char buffer[4096];
  while (text.size() < limit) {
    const std::size_t want = std::min(sizeof buffer, limit - text.size());
    const std::size_t got = std::fread(buffer, 1, want, file.get());
    text.append(buffer, got);
    if (got < want) break;
  }
  if (std::ferror(file.get())) return std::nullopt;
  return text;
}

// A name in the same folder, so the rename stays on one file system.
std::filesystem::path temporaryName(const std::filesystem::path& path) {
  static std::mt19937_64 generator{std::random_device{}()};
  char digits[24];
  const auto end = std::to_chars(digits, digits + sizeof digits, generator() % 1000000000ULL).ptr;
  std::filesystem::path temp = path;
  temp += ".tmp" + std::string(digits, end);
  return temp;
}

bool flushToDisk(std::FILE* file) {
  if (std::fflush(file) != 0) return false;
#ifdef _WIN32
  return _commit(_fileno(file)) == 0;
#else
  return ::fsync(fileno(file)) == 0;
#endif
}

}  // namespace

std::optional<std::string> readFileText(const std::filesystem::path& path) {
  return readUpTo(path, static_cast<std::size_t>(-1));
}

std::optional<std::string> readFilePrefix(const std::filesystem::path& path, std::size_t limit) {
  return readUpTo(path, limit);
}

FileWrite replaceFile(const std::filesystem::path& path, std::string_view content) {
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) return FileWrite::CannotOpen;
  if (std::filesystem::exists(path, ec)) {
    // Opening for appending changes nothing but tells whether we may write the file.
    if (!openFile(path, "ab")) return FileWrite::CannotOpen;
  }

  std::filesystem::path temp;
  File file;
  for (int attempt = 0; attempt < 8 && !file; ++attempt) {
    temp = temporaryName(path);
    file = openFile(temp, "wbx");  // "x": never reuse a file that already exists
  }
  if (!file) return FileWrite::CannotOpen;

  const bool written = std::fwrite(content.data(), 1, content.size(), file.get()) == content.size() &&
                       flushToDisk(file.get());
  const bool closed = std::fclose(file.release()) == 0;
  if (!written || !closed) {
    std::filesystem::remove(temp, ec);
    return FileWrite::WriteFailed;
  }
#ifndef _WIN32
  // Keep the permissions the pilot gave the old file.
  struct stat old {};
  if (::stat(path.c_str(), &old) == 0) ::chmod(temp.c_str(), old.st_mode & 07777);
#endif
  std::filesystem::rename(temp, path, ec);
  if (ec) {
    std::filesystem::remove(temp, ec);
    return FileWrite::CannotOpen;
  }
  return FileWrite::Written;
}

}  // namespace orvane
