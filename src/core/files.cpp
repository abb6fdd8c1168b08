#include "core/files.hpp"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <mutex>
#include <random>
#include <system_error>
#include <utility>
#include <vector>

namespace orvane {
namespace {

namespace fs = std::filesystem;

// A file descriptor, closed when it goes.
class Fd {
 public:
  Fd() = default;
  explicit Fd(int fd) : fd_(fd) {}
  ~Fd() { close(); }
  Fd(Fd&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
  Fd& operator=(Fd&& other) noexcept {
    if (this != &other) {
      close();
      fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
  }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;

  int get() const { return fd_; }
  explicit operator bool() const { return fd_ >= 0; }
  // False when the system reports that data was lost on closing.
  bool close() {
    const int fd = std::exchange(fd_, -1);
    return fd < 0 || ::close(fd) == 0;
  }

 private:
  int fd_ = -1;
};

// A plain file only, opened without waiting: a FIFO or a device would hold the program
// up (a FIFO's opening waits for a writer), so anything else is refused as though it
// could not be opened.
Fd openPlainFile(const fs::path& path, int flags) {
  Fd fd(::open(path.c_str(), flags | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
  if (!fd) return fd;
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) {
    errno = EINVAL;
    return Fd();
  }
  const int status = ::fcntl(fd.get(), F_GETFL);
  if (status < 0 || ::fcntl(fd.get(), F_SETFL, status & ~O_NONBLOCK) != 0) return Fd();
  return fd;
}

bool writeAllAt(int fd, std::string_view bytes, off_t offset) {
  while (!bytes.empty()) {
    const ssize_t wrote = ::pwrite(fd, bytes.data(), bytes.size(), offset);
    if (wrote < 0 && errno == EINTR) continue;
    if (wrote <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(wrote));
    offset += wrote;
  }
  return true;
}

std::optional<std::string> readAll(int fd, std::size_t limit) {
  std::string text;
  // Room for the file as it is now, and the byte that tells it has grown: a large file
  // is then read into one buffer, not into one grown step by step, each step copying
  // it and touching fresh memory.
  struct stat now {};
  if (::fstat(fd, &now) == 0 && now.st_size > 0) {
    text.reserve(std::min(static_cast<std::size_t>(now.st_size) + 1, limit));
  }
  char buffer[16384];
  while (text.size() < limit) {
    const std::size_t want = std::min(sizeof buffer, limit - text.size());
    const ssize_t got = ::read(fd, buffer, want);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return std::nullopt;
    if (got == 0) break;
    text.append(buffer, static_cast<std::size_t>(got));
  }
  return text;
}

bool flushToDisk(int fd) { return ::fsync(fd) == 0; }

// The rename or removal itself reaches the disk only with its folder.
void flushFolder(const fs::path& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

fs::path folderOf(const fs::path& file) { return file.has_parent_path() ? file.parent_path() : fs::path("."); }

// A save holds an exclusive lock on its temporary file or copy while it runs; one that
// can be locked belongs to no running save.
bool lockWithoutWaiting(int fd) { return ::flock(fd, LOCK_EX | LOCK_NB) == 0; }

// The file to remove when nothing holds it: a plain file of ours (or, when root saves,
// of `alsoOwner`, to whom root gives the file it saves), not locked by a save that still
// runs. Removed while we hold its lock.
void removeIfAbandoned(const fs::path& path, uid_t alsoOwner) {
  Fd fd(::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
  if (!fd) return;
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) return;
  if (st.st_uid != ::geteuid() && !(::geteuid() == 0 && st.st_uid == alsoOwner)) return;
  if (lockWithoutWaiting(fd.get())) ::unlink(path.c_str());
}

// The protected-links rule: a link in a folder that is sticky and writable by all is
// followed only when it belongs to the one who follows it or to the folder's owner.
bool mayFollowLink(const struct stat& link, const fs::path& folder) {
  struct stat dir {};
  if (::stat(folder.c_str(), &dir) != 0) return false;
  const bool shared = (dir.st_mode & S_ISVTX) != 0 && (dir.st_mode & S_IWOTH) != 0;
  return !shared || link.st_uid == ::geteuid() || link.st_uid == dir.st_uid;
}

struct LinkEnd {
  fs::path file;
  bool endless = false;  // a chain of links that does not end
  bool foreign = false;  // a link another user made in a shared folder
};

// The file that a chain of symbolic links leads to (the path itself when it is no
// link), so that a replacement lands there and the link stays.
LinkEnd followLinks(fs::path path) {
  constexpr int kMostLinks = 40;  // as many as the system follows
  for (int link = 0; link < kMostLinks; ++link) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return {path};
    if (!mayFollowLink(st, folderOf(path))) return {path, false, true};
    std::error_code ec;
    const fs::path next = fs::read_symlink(path, ec);
    if (ec) return {path, true};
    path = next.is_absolute() ? next : folderOf(path) / next;
  }
  return {path, true};
}

constexpr std::string_view kTemporaryMark = ".tmp";
constexpr std::size_t kTemporaryDigits = 9;

// "<name>.tmp" and up to nine digits, in the same folder, so the rename stays on one
// file system.
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

// What killed saves left beside the file: its temporaries that no running save holds.
void removeLeftoverTemporaries(const fs::path& file) {
  const std::string fileName = file.filename().string();
  std::vector<fs::path> leftovers;
  std::error_code ec;
  for (fs::directory_iterator it(folderOf(file), ec), end; !ec && it != end; it.increment(ec)) {
    if (isTemporaryOf(it->path().filename().string(), fileName)) leftovers.push_back(it->path());
  }
  if (leftovers.empty()) return;
  struct stat st {};
  const uid_t owner = ::stat(file.c_str(), &st) == 0 ? st.st_uid : ::geteuid();
  for (const fs::path& leftover : leftovers) removeIfAbandoned(leftover, owner);
}

// The folder takes no new file, though the file in it may be written.
bool folderRefusesNewFiles(int error) { return error == EACCES || error == EPERM || error == EROFS; }

bool diskIsFull(int error) {
#ifdef EDQUOT
  if (error == EDQUOT) return true;
#endif
  return error == ENOSPC || error == EFBIG;
}

// ---------------------------------------------------------------------------------
// Copies of in-place saves

constexpr std::string_view kJournalHeader = "orvane unfinished save 1\n";
constexpr std::string_view kJournalEnding = ".journal";

// The state folder, made when missing; only one that is the pilot's own and that no
// one else may write is used, since its copies are written into the pilot's files.
std::optional<fs::path> ownJournalFolder() {
  const std::optional<fs::path> folder = saveJournalFolder();
  if (!folder) return std::nullopt;
  std::error_code ec;
  fs::create_directories(folder->parent_path(), ec);
  ::mkdir(folder->c_str(), 0700);
  struct stat st {};
  if (::lstat(folder->c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::geteuid() ||
      (st.st_mode & (S_IWGRP | S_IWOTH)) != 0) {
    return std::nullopt;
  }
  return folder;
}

std::string journalName(const struct stat& file) {
  char device[24];
  char inode[24];
  char* deviceEnd = std::to_chars(device, device + sizeof device, static_cast<std::uint64_t>(file.st_dev)).ptr;
  char* inodeEnd = std::to_chars(inode, inode + sizeof inode, static_cast<std::uint64_t>(file.st_ino)).ptr;
  std::string name(device, deviceEnd);
  name += '-';
  name.append(inode, inodeEnd).append(kJournalEnding);
  return name;
}

// The copy kept while an in-place save runs: locked, so that no other process finishes
// it meanwhile, and removed once the file holds the content.
class KeptCopy {
 public:
  enum class Outcome { Kept, NoFolder, Refused };

  Outcome keep(const fs::path& file, const struct stat& old, std::string_view content) {
    const std::optional<fs::path> folder = ownJournalFolder();
    if (!folder) return Outcome::NoFolder;
    folder_ = *folder;
    path_ = folder_ / journalName(old);
    std::error_code ec;
    SaveJournal journal;
    journal.device = static_cast<std::uint64_t>(old.st_dev);
    journal.inode = static_cast<std::uint64_t>(old.st_ino);
    journal.path = fs::absolute(file, ec).lexically_normal().string();
    journal.content = std::string(content);
    const std::string bytes = formatSaveJournal(journal);

    const fs::path temp = temporaryName(path_);
    fd_ = Fd(::open(temp.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600));
    if (!fd_) return diskIsFull(errno) ? Outcome::Refused : Outcome::NoFolder;
    lockWithoutWaiting(fd_.get());
    // Whole on the disk before its name says it is complete.
    if (!writeAllAt(fd_.get(), bytes, 0) || !flushToDisk(fd_.get()) || ::rename(temp.c_str(), path_.c_str()) != 0) {
      ::unlink(temp.c_str());
      fd_ = Fd();
      return Outcome::Refused;
    }
    flushFolder(folder_);
    return Outcome::Kept;
  }

  // The file holds the content: the copy is no longer needed.
  void drop() {
    if (!fd_) return;
    ::unlink(path_.c_str());
    flushFolder(folder_);
    fd_ = Fd();
  }

 private:
  fs::path folder_;
  fs::path path_;
  Fd fd_;
};

// Puts `content` into the open file, whole, at its own length.
bool overwrite(int fd, std::string_view content) {
  return writeAllAt(fd, content, 0) && ::ftruncate(fd, static_cast<off_t>(content.size())) == 0 && flushToDisk(fd);
}

// Finishes the save of one copy, or drops a copy whose file has since gone or been
// replaced by another. A copy that some running save still holds is left alone.
void finishSave(const fs::path& copy) {
  Fd fd(::open(copy.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
  if (!fd) return;
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::geteuid()) return;
  if (!lockWithoutWaiting(fd.get())) return;
  const std::optional<std::string> bytes = readAll(fd.get(), static_cast<std::size_t>(-1));
  if (!bytes) return;
  const std::optional<SaveJournal> journal = parseSaveJournal(*bytes);
  if (journal) {
    struct stat target {};
    const bool same = ::lstat(journal->path.c_str(), &target) == 0 && S_ISREG(target.st_mode) &&
                      static_cast<std::uint64_t>(target.st_dev) == journal->device &&
                      static_cast<std::uint64_t>(target.st_ino) == journal->inode;
    if (same) {
      Fd file = openPlainFile(journal->path, O_WRONLY | O_NOFOLLOW);
      // Kept for a later try when the file cannot be written now.
      if (!file || !overwrite(file.get(), journal->content)) return;
    }
  }
  ::unlink(copy.c_str());
  flushFolder(folderOf(copy));
}

// For a folder that refuses the temporary file: the file is overwritten where it is,
// once a copy of the new content is kept where the pilot may write.
FileWrite rewriteInPlace(const fs::path& file, const struct stat& old, std::string_view content) {
  Fd out = openPlainFile(file, O_RDWR);
  if (!out) return FileWrite::CannotOpen;
  struct stat st {};
  if (::fstat(out.get(), &st) != 0 || st.st_dev != old.st_dev || st.st_ino != old.st_ino) {
    return FileWrite::CannotOpen;
  }
  KeptCopy copy;
  switch (copy.keep(file, st, content)) {
    case KeptCopy::Outcome::Kept: break;
    case KeptCopy::Outcome::NoFolder: return FileWrite::NoSafeInPlace;
    case KeptCopy::Outcome::Refused: return FileWrite::WriteFailed;
  }
  const auto oldSize = static_cast<std::size_t>(st.st_size);

  // Room first: what lies beyond the old end is written before any old byte changes,
  // so a full disk refuses the new content while the old one is still whole.
  if (content.size() > oldSize) {
    if (!writeAllAt(out.get(), content.substr(oldSize), static_cast<off_t>(oldSize)) || !flushToDisk(out.get())) {
      const bool restored = ::ftruncate(out.get(), static_cast<off_t>(oldSize)) == 0 && flushToDisk(out.get());
      if (!restored) return FileWrite::PartlyWritten;  // the copy stays, to finish the save later
      copy.drop();
      return FileWrite::WriteFailed;
    }
  }
  // A refusal from here on leaves the copy, which the next reading puts in place.
  if (!overwrite(out.get(), content) || !out.close()) return FileWrite::PartlyWritten;
  copy.drop();
  return FileWrite::Written;
}

// Before a reading: saves that were interrupted are finished, and what killed saves
// left beside the file is removed.
void settleBeforeReading(const fs::path& path) {
  finishInterruptedSaves();
  const LinkEnd end = followLinks(path);
  if (!end.endless && !end.foreign) removeLeftoverTemporaries(end.file);
}

std::optional<std::string> readUpTo(const fs::path& path, std::size_t limit) {
  settleBeforeReading(path);
  Fd fd = openPlainFile(path, O_RDONLY);
  if (!fd) return std::nullopt;
  return readAll(fd.get(), limit);
}

}  // namespace

std::optional<std::string> readFilePrefix(const fs::path& path, std::size_t limit) { return readUpTo(path, limit); }

WholeFile readWholeFile(const fs::path& path, std::size_t largestBytes) {
  WholeFile whole;
  std::error_code ec;
  const auto size = fs::file_size(path, ec);  // fails for all but plain files
  if (!ec && size > largestBytes) {
    whole.outcome = FileRead::TooLarge;
    return whole;
  }
  // One byte more than allowed tells a file that has grown since.
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
  finishInterruptedSaves();
  const LinkEnd end = followLinks(path);
  if (end.foreign) return FileWrite::ForeignLink;
  if (end.endless) return FileWrite::CannotOpen;
  const fs::path& file = end.file;

  struct stat old {};
  const bool exists = ::stat(file.c_str(), &old) == 0;
  if (!exists && errno != ENOENT) return FileWrite::CannotOpen;
  // Opening for writing, without cutting, changes nothing but tells whether we may
  // write the file, and that it is a plain one.
  if (exists && !openPlainFile(file, O_WRONLY)) return FileWrite::CannotOpen;
  removeLeftoverTemporaries(file);

  fs::path temp;
  Fd out;
  int createError = 0;
  // The pilot's permissions from the start: the content is never open to more eyes.
  const mode_t mode = exists ? (old.st_mode & 07777) : 0600;
  for (int attempt = 0; attempt < 8 && !out; ++attempt) {
    temp = temporaryName(file);
    out = Fd(::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode));
    createError = errno;
  }
  if (!out) {
    if (exists && folderRefusesNewFiles(createError)) return rewriteInPlace(file, old, content);
    return diskIsFull(createError) ? FileWrite::WriteFailed : FileWrite::CannotOpen;
  }
  lockWithoutWaiting(out.get());
  // A save by root keeps the pilot's file the pilot's; the mode exactly, whatever the
  // umask took away. Neither failing is a reason to lose the content.
  [[maybe_unused]] const bool owned = !exists || ::geteuid() != 0 || ::fchown(out.get(), old.st_uid, old.st_gid) == 0;
  [[maybe_unused]] const bool moded = ::fchmod(out.get(), mode) == 0;

  const bool written = writeAllAt(out.get(), content, 0) && flushToDisk(out.get());
  if (!written) {
    ::unlink(temp.c_str());
    return FileWrite::WriteFailed;
  }
  if (::rename(temp.c_str(), file.c_str()) != 0) {
    ::unlink(temp.c_str());
    return FileWrite::CannotOpen;
  }
  out.close();
  removeLeftoverTemporaries(file);
  flushFolder(folderOf(file));
  return FileWrite::Written;
}

std::string fileWriteRefusalMessage(FileWrite outcome, const fs::path& path) {
  std::error_code ec;
  const std::string name = path.filename().string();
  const std::string folder = fs::absolute(folderOf(path), ec).lexically_normal().string();
  switch (outcome) {
    case FileWrite::ForeignLink:
      return "\"" + name + "\" in the shared folder \"" + folder +
             "\" is a link that another user made. Orvane does not write through it; nothing was changed.";
    case FileWrite::NoSafeInPlace: {
      const std::optional<fs::path> journals = saveJournalFolder();
      return "The folder \"" + folder + "\" is read-only, and \"" + name +
             "\" can be rewritten there safely only with a copy of the new content in \"" +
             (journals ? journals->string() : std::string("~/.local/state/orvane")) +
             "\", which could not be made. \"" + name + "\" was left as it was.";
    }
    default: return {};
  }
}

FileWriteTexts chosenFileWriteTexts(std::string_view thing, std::string_view shownFile) {
  // Appended, not added up: GCC 12 warns wrongly (-Wrestrict) on "\"" + std::string.
  std::string quoted;
  quoted.append("\"").append(shownFile).append("\"");
  return {std::string(thing) + " could not be saved as " + quoted +
              ": the file or its folder cannot be written. Please choose another folder.",
          std::string(thing) + " could not be written to " + quoted + " (is the disk full?); no file was changed.",
          std::string(thing) + " could only be partly written to " + quoted +
              " (is the disk full?) and that file may be damaged: please save it again once the disk has room."};
}

std::string fileWriteMessage(FileWrite outcome, const FileWriteTexts& texts, const fs::path& path) {
  switch (outcome) {
    case FileWrite::Written: return {};
    case FileWrite::CannotOpen: return texts.cannotOpen;
    case FileWrite::WriteFailed: return texts.writeFailed;
    case FileWrite::PartlyWritten: return texts.partlyWritten;
    case FileWrite::ForeignLink:
    case FileWrite::NoSafeInPlace: return fileWriteRefusalMessage(outcome, path);
  }
  return {};
}

std::optional<fs::path> saveJournalFolder() {
  const char* state = std::getenv("XDG_STATE_HOME");
  fs::path base;
  if (state != nullptr && fs::path(state).is_absolute()) {
    base = state;
  } else {
    const char* home = std::getenv("HOME");
    if (home == nullptr || !fs::path(home).is_absolute()) return std::nullopt;
    base = fs::path(home) / ".local" / "state";
  }
  return base / "orvane" / "unfinished-saves";
}

void finishInterruptedSaves() {
  // The program reads its first files on two threads at start-up: one finishes the
  // interrupted saves while the other waits, so that neither reads a file that is
  // being put back.
  static std::mutex finishing;
  const std::lock_guard<std::mutex> lock(finishing);
  const std::optional<fs::path> folder = saveJournalFolder();
  if (!folder) return;
  struct stat st {};
  if (::lstat(folder->c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::geteuid()) return;
  std::vector<fs::path> copies;
  std::vector<fs::path> leftovers;
  std::error_code ec;
  for (fs::directory_iterator it(*folder, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (name.size() > kJournalEnding.size() && name.ends_with(kJournalEnding)) {
      copies.push_back(it->path());
    } else if (const std::size_t mark = name.find(std::string(kJournalEnding) + std::string(kTemporaryMark));
               mark != std::string::npos && isTemporaryOf(name, name.substr(0, mark + kJournalEnding.size()))) {
      leftovers.push_back(it->path());
    }
  }
  for (const fs::path& copy : copies) finishSave(copy);
  for (const fs::path& leftover : leftovers) removeIfAbandoned(leftover, ::geteuid());
}

std::string formatSaveJournal(const SaveJournal& journal) {
  std::string text(kJournalHeader);
  char number[24];
  for (const std::uint64_t value : {journal.device, journal.inode, static_cast<std::uint64_t>(journal.path.size()),
                                    static_cast<std::uint64_t>(journal.content.size())}) {
    if (text.size() > kJournalHeader.size()) text += ' ';
    text.append(number, std::to_chars(number, number + sizeof number, value).ptr);
  }
  text += '\n';
  return text + journal.path + journal.content;
}

std::optional<SaveJournal> parseSaveJournal(std::string_view bytes) {
  if (!bytes.starts_with(kJournalHeader)) return std::nullopt;
  bytes.remove_prefix(kJournalHeader.size());
  std::uint64_t values[4] = {};
  for (std::size_t i = 0; i < 4; ++i) {
    const char* end = bytes.data() + bytes.size();
    const auto [next, error] = std::from_chars(bytes.data(), end, values[i]);
    if (error != std::errc() || next == bytes.data() || next == end || *next != (i < 3 ? ' ' : '\n')) {
      return std::nullopt;
    }
    // The writer makes no leading zeros: "065538" is not what it wrote.
    if (bytes.front() == '0' && next - bytes.data() > 1) return std::nullopt;
    bytes.remove_prefix(static_cast<std::size_t>(next - bytes.data()) + 1);
  }
  if (values[2] > bytes.size() || values[3] != bytes.size() - values[2]) return std::nullopt;
  SaveJournal journal;
  journal.device = values[0];
  journal.inode = values[1];
  journal.path = std::string(bytes.substr(0, values[2]));
  journal.content = std::string(bytes.substr(values[2]));
  // The journal names its file by a full path; anything else is no journal of ours.
  if (journal.path.empty() || journal.path.front() != '/') return std::nullopt;
  return journal;
}

}  // namespace orvane
