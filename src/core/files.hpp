#pragma once
// Whole-file reading and writing for the two data files. A write replaces the file
// atomically: a failed or interrupted write never leaves a damaged file behind.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace orvane {

/// The file's bytes, or empty when it cannot be opened or read.
std::optional<std::string> readFileText(const std::filesystem::path& path);

/// At most `limit` bytes from the start of the file.
std::optional<std::string> readFilePrefix(const std::filesystem::path& path, std::size_t limit);

enum class FileWrite {
  Written,
  CannotOpen,   // nothing was changed: the old file, if any, is as it was
  WriteFailed,  // the disk refused the data (full disk): the old file is as it was
};

/// Replaces the file by `content`: written to a temporary file in the same folder,
/// flushed to the disk, then renamed over the old one. A file that exists but cannot
/// be written (read-only) is refused as CannotOpen.
FileWrite replaceFile(const std::filesystem::path& path, std::string_view content);

}  // namespace orvane
