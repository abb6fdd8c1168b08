#include "core/files.hpp"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <memory>
#include <random>
#include <system_error>
#include <vector>

#ifdef _WIN32
#include <io.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace orvane {
namespace {

namespace fs = std::filesystem;

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

File openFile(const fs::path& path, const char* mode) {
#ifdef _WIN32
  std::wstring wideMode(mode, mode + std::char_traits<char>::length(mode));
  return File(_wfopen(path.c_str(), wideMode.c_str()));
#else
  return File(std::fopen(path.c_str(), mode));
#endif
}

std::optional<std::string> readUpTo(const fs::path& path, std::size_t limit) {
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

// The file that a chain of symbolic links leads to (the path itself when it is no
// link), so that a replacement lands there and the link stays; empty for a chain that
// does not end.
std::optional<fs::path> linkTarget(fs::path path) {
  constexpr int kMostLinks = 40;  // as many as the system follows
  std::error_code ec;
  for (int link = 0; link < kMostLinks; ++link) {
    if (!fs::is_symlink(path, ec)) return path;
    const fs::path next = fs::read_symlink(path, ec);
    if (ec) return std::nullopt;
    path = next.is_absolute() ? next : path.parent_path() / next;
  }
  return std::nullopt;
}

constexpr std::string_view kTemporaryMark = ".tmp";
constexpr std::size_t kTemporaryDigits = 9;

// A name in the same folder, so the rename stays on one file system.
fs::path temporaryName(const fs::path& path) {
  static std::mt19937_64 generator{std::random_device{}()};
  char digits[24];
  const auto end = std::to_chars(digits, digits + sizeof digits, generator() % 1000000000ULL).ptr;
  fs::path temp = path;
  temp += std::string(kTemporaryMark) + std::string(digits, end);
  return temp;
}

// "config.fly.tmp" followed by up to nine digits, as `temporaryName` makes them.
bool isTemporaryOf(std::string_view name, std::string_view fileName) {
  if (name.size() <= fileName.size() + kTemporaryMark.size()) return false;
  if (name.substr(0, fileName.size()) != fileName) return false;
  name.remove_prefix(fileName.size());
  if (name.substr(0, kTemporaryMark.size()) != kTemporaryMark) return false;
  name.remove_prefix(kTemporaryMark.size());
  return name.size() <= kTemporaryDigits &&
         std::all_of(name.begin(), name.end(), [](char c) { return c >= '0' && c <= '9'; });
}

fs::path folderOf(const fs::path& file) {
  return file.has_parent_path() ? file.parent_path() : fs::path(".");
}

// What a write interrupted between writing and renaming left behind: temporaries of
// this file's name only, plain files only.
void removeLeftoverTemporaries(const fs::path& file) {
  const std::string fileName = file.filename().string();
  std::vector<fs::path> leftovers;
  std::error_code ec;
  for (fs::directory_iterator it(folderOf(file), ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code statusError;
    if (isTemporaryOf(it->path().filename().string(), fileName) && it->is_regular_file(statusError) &&
        !it->is_symlink(statusError)) {
      leftovers.push_back(it->path());
    }
  }
  for (const fs::path& leftover : leftovers) fs::remove(leftover, ec);
}

bool flushToDisk(std::FILE* file) {
  if (std::fflush(file) != 0) return false;
#ifdef _WIN32
  return _commit(_fileno(file)) == 0;
#else
  return ::fsync(fileno(file)) == 0;
#endif
}

// The rename itself reaches the disk only with its folder.
void flushFolder([[maybe_unused]] const fs::path& folder) {
#ifndef _WIN32
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
#endif
}

bool resizeFile(std::FILE* file, std::size_t size) {
  if (std::fflush(file) != 0) return false;
#ifdef _WIN32
  return _chsize_s(_fileno(file), static_cast<long long>(size)) == 0;
#else
  return ::ftruncate(fileno(file), static_cast<off_t>(size)) == 0;
#endif
}

bool writeAt(std::FILE* file, std::size_t offset, std::string_view bytes) {
  if (bytes.empty()) return true;
  if (std::fseek(file, static_cast<long>(offset), SEEK_SET) != 0) return false;
  return std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
}

// The folder takes no new file, though the file in it may be written.
bool folderRefusesNewFiles(int error) { return error == EACCES || error == EPERM; }

bool diskIsFull(int error) {
#ifdef EDQUOT
  if (error == EDQUOT) return true;
#endif
  return error == ENOSPC;
}

// For a folder that refuses the temporary file: the file is overwritten where it is.
FileWrite rewriteInPlace(const fs::path& file, std::string_view content) {
  File out = openFile(file, "r+b");
  if (!out) return FileWrite::CannotOpen;
  // Unbuffered, so that a refusal comes from the write that meets it.
  std::setvbuf(out.get(), nullptr, _IONBF, 0);
  std::error_code ec;
  const auto oldSize = static_cast<std::size_t>(fs::file_size(file, ec));
  if (ec) return FileWrite::CannotOpen;

  // Room first: what lies beyond the old end is written before any old byte changes,
  // so a full disk refuses the new content while the old one is still whole.
  if (content.size() > oldSize) {
    if (!writeAt(out.get(), oldSize, content.substr(oldSize)) || !flushToDisk(out.get())) {
      const bool restored = resizeFile(out.get(), oldSize) && flushToDisk(out.get());
      return restored ? FileWrite::WriteFailed : FileWrite::PartlyWritten;
    }
  }
  const bool written = writeAt(out.get(), 0, content.substr(0, std::min(oldSize, content.size()))) &&
                       flushToDisk(out.get()) && resizeFile(out.get(), content.size()) &&
                       flushToDisk(out.get());
  const bool closed = std::fclose(out.release()) == 0;
  return written && closed ? FileWrite::Written : FileWrite::PartlyWritten;
}

}  // namespace

std::optional<std::string> readFileText(const fs::path& path) {
  return readUpTo(path, static_cast<std::size_t>(-1));
}

std::optional<std::string> readFilePrefix(const fs::path& path, std::size_t limit) {
  return readUpTo(path, limit);
}

WholeFile readWholeFile(const fs::path& path, std::size_t largestBytes) {
  WholeFile whole;
  std::error_code ec;
  const auto size = fs::file_size(path, ec);  // fails for all but plain files
  if (!ec && size > largestBytes) {
    whole.outcome = FileRead::TooLarge;
    return whole;
  }
  // One byte more than allowed tells a file that is still too large (a device).
  const std::size_t limit = largestBytes < static_cast<std::size_t>(-1) ? largestBytes + 1 : largestBytes;
  auto bytes = readUpTo(path, limit);
  if (!bytes) return whole;
  if (bytes->size() > largestBytes) {
    whole.outcome = FileRead::TooLarge;
    return whole;
  }
  whole.outcome = FileRead::Read;
  whole.bytes = std::move(*bytes);
  return whole;
}

FileWrite replaceFile(const fs::path& path, std::string_view content) {
  const std::optional<fs::path> target = linkTarget(path);
  if (!target) return FileWrite::CannotOpen;
  const fs::path& file = *target;

  std::error_code ec;
  const fs::file_status status = fs::status(file, ec);
  const bool exists = fs::exists(status);
  if (exists && !fs::is_regular_file(status)) return FileWrite::CannotOpen;
  // Opening for appending changes nothing but tells whether we may write the file.
  if (exists && !openFile(file, "ab")) return FileWrite::CannotOpen;

  fs::path temp;
  File out;
  int createError = 0;
  for (int attempt = 0; attempt < 8 && !out; ++attempt) {
    temp = temporaryName(file);
    errno = 0;
    out = openFile(temp, "wbx");  // "x": never reuse a file that already exists
    createError = errno;
  }
  if (!out) {
    if (exists && folderRefusesNewFiles(createError)) return rewriteInPlace(file, content);
    return diskIsFull(createError) ? FileWrite::WriteFailed : FileWrite::CannotOpen;
  }

  const bool written =
      std::fwrite(content.data(), 1, content.size(), out.get()) == content.size() && flushToDisk(out.get());
  const bool closed = std::fclose(out.release()) == 0;
  if (!written || !closed) {
    fs::remove(temp, ec);
    return FileWrite::WriteFailed;
  }
#ifndef _WIN32
  // Keep the permissions the pilot gave the old file.
  struct stat old {};
  if (::stat(file.c_str(), &old) == 0) ::chmod(temp.c_str(), old.st_mode & 07777);
#endif
  fs::rename(temp, file, ec);
  if (ec) {
    fs::remove(temp, ec);
    return FileWrite::CannotOpen;
  }
  removeLeftoverTemporaries(file);
  flushFolder(folderOf(file));
  return FileWrite::Written;
}

}  // namespace orvane
