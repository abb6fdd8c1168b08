#pragma once
// Real file faults for the tests of the core and of the windows: permissions that bind
// also a test run as root, a disk that refuses data, and a small disk of its own.
// Linux only, as the test machines are.

#include <fcntl.h>
#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/types.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace orvane::test {

/// While one lives, a test run as root acts as the user "nobody", whom permissions
/// bind as they bind the pilot (root may write a read-only folder); a test run as
/// another user is bound already. Make the files first, as yourself; open a folder
/// that only "nobody" should pass with `openToOthers`.
class WithoutRootPowers {
 public:
  WithoutRootPowers() {
    if (::geteuid() != 0 || ::setegid(kNobody) != 0) return;
    if (::seteuid(kNobody) == 0) {
      dropped_ = true;
      return;
    }
    [[maybe_unused]] const int groupBack = ::setegid(0);
  }
  ~WithoutRootPowers() {
    if (!dropped_) return;
    [[maybe_unused]] const bool back = ::seteuid(0) == 0 && ::setegid(0) == 0;
  }
  WithoutRootPowers(const WithoutRootPowers&) = delete;
  WithoutRootPowers& operator=(const WithoutRootPowers&) = delete;

  /// Whether permissions bind the test now.
  static bool bound() { return ::geteuid() != 0; }

 private:
  static constexpr uid_t kNobody = 65534;
  bool dropped_ = false;
};

/// Lets "nobody" pass a folder made by root (without letting it write there).
inline void openToOthers(const std::filesystem::path& folder) {
  namespace fs = std::filesystem;
  std::error_code ec;
  fs::permissions(folder,
                  fs::perms::others_read | fs::perms::others_exec | fs::perms::group_read | fs::perms::group_exec,
                  fs::perm_options::add, ec);
}

/// While one lives, the system refuses to write any file of this process beyond
/// `bytes` (the error a full disk gives a program is the same to it: the write fails).
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    ::getrlimit(RLIMIT_FSIZE, &old_);
    oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);  // the write fails instead of ending the process
    rlimit limit = old_;
    limit.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &old_);
    std::signal(SIGXFSZ, oldHandler_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit old_{};
  void (*oldHandler_)(int) = SIG_DFL;
};

/// A disk of its own with `bytes` of room, mounted on `folder` in mount namespace of
/// this process alone: nothing outside sees it, and it goes when the process ends.
/// Needs the right to mount (root in a machine that allows it); see `mounted`.
class SmallDisk {
 public:
  SmallDisk(std::filesystem::path folder, std::size_t bytes) : folder_(std::move(folder)) {
    static const bool privateMounts =
        ::unshare(CLONE_NEWNS) == 0 && ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
    if (!privateMounts) return;
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, bytes).ptr;
    const std::string options = "size=" + std::string(digits, end) + ",mode=0755";
    mounted_ = ::mount("orvane-test", folder_.c_str(), "tmpfs", 0, options.c_str()) == 0;
  }
  ~SmallDisk() {
    if (mounted_) ::umount2(folder_.c_str(), MNT_DETACH);
  }
  SmallDisk(const SmallDisk&) = delete;
  SmallDisk& operator=(const SmallDisk&) = delete;

  bool mounted() const { return mounted_; }

  /// Takes up all the room that is left with the file "filler".
  void fill() const {
    const int fd = ::open((folder_ / "filler").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) return;
    static const char block[4096] = {};
    while (::write(fd, block, sizeof block) > 0) {
    }
    while (::write(fd, block, 1) > 0) {
    }
    ::close(fd);
  }

 private:
  std::filesystem::path folder_;
  bool mounted_ = false;
};

/// While one lives, the copies that in-place saves keep wait in `folder` (the state
/// folder, XDG_STATE_HOME), made writable by all so that a test acting as "nobody" may
/// keep them there. Give each test a folder of its own: the copies' folder inside is
/// used only by the user who made it.
class StateFolder {
 public:
  explicit StateFolder(const std::filesystem::path& folder) {
    if (const char* old = std::getenv("XDG_STATE_HOME")) saved_ = old;
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    std::filesystem::permissions(folder, std::filesystem::perms::all, std::filesystem::perm_options::replace, ec);
    ::setenv("XDG_STATE_HOME", folder.c_str(), 1);
  }
  ~StateFolder() {
    if (saved_) {
      ::setenv("XDG_STATE_HOME", saved_->c_str(), 1);
    } else {
      ::unsetenv("XDG_STATE_HOME");
    }
  }
  StateFolder(const StateFolder&) = delete;
  StateFolder& operator=(const StateFolder&) = delete;

 private:
  std::optional<std::string> saved_;
};

/// A file of `bytes` bytes that takes no room on the disk: `start` followed by zero bytes.
inline bool makeSparseFile(const std::filesystem::path& path, std::string_view start, std::uintmax_t bytes) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (fd < 0) return false;
  const bool made = ::write(fd, start.data(), start.size()) == static_cast<ssize_t>(start.size()) &&
                    ::ftruncate(fd, static_cast<off_t>(bytes)) == 0;
  return ::close(fd) == 0 && made;
}

}  // namespace orvane::test
