#pragma once
// Whole-file reading and writing for the two data files. A write replaces the file
// atomically: a failed or interrupted write never leaves a damaged file behind. Only
// where the folder takes no new file is the file rewritten in place, with the disk's
// refusals reported.

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

enum class FileRead {
  Read,
  CannotOpen,  // missing, a folder, no access, or a read error
  TooLarge,    // more bytes than allowed: nothing was read beyond the limit
};

struct WholeFile {
  FileRead outcome = FileRead::CannotOpen;
  std::string bytes;  // the whole file when Read, else empty
};

/// The whole file when it holds at most `largestBytes` bytes. A larger file, and a
/// device that never ends, is TooLarge: its size is looked at first, and nothing is
/// read past `largestBytes` + 1 bytes.
WholeFile readWholeFile(const std::filesystem::path& path, std::size_t largestBytes);

enum class FileWrite {
  Written,
  CannotOpen,     // nothing was changed: the old file, if any, is as it was
  WriteFailed,    // the disk refused the data (full disk): the old file is as it was
  PartlyWritten,  // rewritten in place, and the disk refused part of it: the file may be damaged
};

/// Replaces the file by `content`: written to a temporary file "<name>.tmp<digits>"
/// beside it, flushed to the disk, then renamed over the old one; temporaries of the
/// same name that an interrupted write left behind are removed after a successful one.
/// A symbolic link is kept: the file it leads to is replaced. A file that exists but
/// cannot be written (read-only), or is no plain file (a folder, a device), is refused
/// as CannotOpen. When the folder refuses the temporary file (a read-only folder) but
/// the file itself may be written, the file is rewritten in place instead: the part
/// beyond its old end first, so that a full disk refuses the new content while the old
/// one is still whole (WriteFailed); a refusal after that gives PartlyWritten.
FileWrite replaceFile(const std::filesystem::path& path, std::string_view content);

}  // namespace orvane
