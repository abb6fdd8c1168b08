#pragma once
// Whole-file reading and writing for the two data files. A write replaces the file
// atomically: a failed or interrupted write never leaves a damaged file behind. Where
// the folder takes no new file the file is rewritten in place, after a copy of the new
// content has been kept in the pilot's own state folder, so that a save interrupted
// there is finished the next time the file is read.
//
// Only plain files are opened, and never in a way that waits (a FIFO, a device). A
// symbolic link in a shared folder (sticky and writable by all) is followed only when
// it belongs to the pilot or to the folder's owner, as the system's protected-links
// rule has it.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace orvane {

// Every reading here first finishes saves that were interrupted while rewriting a file
// in place, and removes what killed saves left beside the file it reads.

/// At most `limit` bytes from the start of the file; empty when it cannot be opened or
/// read, or is no plain file.
std::optional<std::string> readFilePrefix(const std::filesystem::path& path, std::size_t limit);

enum class FileRead {
  Read,
  CannotOpen,  // missing, no plain file (a folder, a FIFO, a device), no access, or a read error
  TooLarge,    // more bytes than allowed: nothing was read beyond the limit
};

struct WholeFile {
  FileRead outcome = FileRead::CannotOpen;
  std::string bytes;  // the whole file when Read, else empty
};

/// The whole file when it holds at most `largestBytes` bytes. A larger file is
/// TooLarge: its size is looked at first, and nothing is read past `largestBytes` + 1
/// bytes.
WholeFile readWholeFile(const std::filesystem::path& path, std::size_t largestBytes);

enum class FileWrite {
  Written,
  CannotOpen,     // nothing was changed: the old file, if any, is as it was
  WriteFailed,    // the disk refused the data (full disk): the old file is as it was
  PartlyWritten,  // rewritten in place, and the disk refused part of it: the file may be damaged
                  // until the next reading finishes the save
  ForeignLink,    // a link that another user made in a shared folder: not followed, nothing changed
  NoSafeInPlace,  // the folder takes no new file, and no copy could be kept to rewrite it
                  // safely in place: nothing changed
};

/// Replaces the file by `content`: written to a temporary file "<name>.tmp<digits>"
/// beside it, made with the old file's permissions (0600 for a new file) and, when
/// root saves, its owner; flushed to the disk, then renamed over the old one.
/// Temporaries of the same name that killed saves left behind are removed. A symbolic
/// link is kept: the file it leads to is replaced. A file that exists but cannot be
/// written (read-only), or is no plain file (a folder, a device), is refused as
/// CannotOpen. When the folder refuses the temporary file (a read-only folder) but the
/// file itself may be written, the new content is first kept in the state folder
/// (saveJournalFolder) and the file then rewritten in place: the part beyond its old
/// end first, so that a full disk refuses the new content while the old one is still
/// whole (WriteFailed); a refusal after that gives PartlyWritten, and the next reading
/// finishes the save. A kill at any moment leaves the old or the new content whole
/// once the file has been read again.
FileWrite replaceFile(const std::filesystem::path& path, std::string_view content);

/// Why a write was refused, for ForeignLink and NoSafeInPlace, naming the file and its
/// folder; empty for the other outcomes.
std::string fileWriteRefusalMessage(FileWrite outcome, const std::filesystem::path& path);

/// What the pilot is told when a save of one kind of file fails: each file kind words
/// the three failures of its own in its own way.
struct FileWriteTexts {
  std::string cannotOpen;
  std::string writeFailed;
  std::string partlyWritten;
};

/// The texts for a file the pilot named in a save dialog: `thing` says what was saved
/// ("The route"), `shownFile` is the name as the dialog shows it.
FileWriteTexts chosenFileWriteTexts(std::string_view thing, std::string_view shownFile);

/// The message for a save's outcome: empty when Written; the kind's text for
/// CannotOpen, WriteFailed and PartlyWritten; fileWriteRefusalMessage for the refusals.
std::string fileWriteMessage(FileWrite outcome, const FileWriteTexts& texts, const std::filesystem::path& path);

/// Where copies of the content of in-place saves wait until the save is done:
/// "orvane/unfinished-saves" in $XDG_STATE_HOME, else in ~/.local/state. Empty when
/// neither names an absolute folder.
std::optional<std::filesystem::path> saveJournalFolder();

/// Finishes the in-place saves that were interrupted (a kill, a crash): each file whose
/// copy waits in the state folder gets that content whole, unless it has been replaced
/// by another file since. Saves still running in another process are left alone.
/// Readings do this by themselves; the start of the program does it once for all files.
void finishInterruptedSaves();

/// A copy of an in-place save's new content: which file (device, inode and path) and
/// what it is to hold.
struct SaveJournal {
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
  std::string path;
  std::string content;
  friend bool operator==(const SaveJournal&, const SaveJournal&) = default;
};

/// "orvane unfinished save 1\n", then "<device> <inode> <path bytes> <content bytes>\n",
/// then the path and the content.
std::string formatSaveJournal(const SaveJournal& journal);

/// The journal of `bytes`, or empty unless they are exactly what formatSaveJournal makes.
std::optional<SaveJournal> parseSaveJournal(std::string_view bytes);

}  // namespace orvane
