// Saves that are killed, files that are no files, links planted by other users, and
// whose the saved file is: what a hostile or unlucky desktop does to the data files.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <random>
#include <set>
#include <string>

#include "../file_faults.hpp"
#include "core/airports.hpp"
#include "core/defaults.hpp"
#include "core/files.hpp"
#include "temp_folder.hpp"

namespace orvane {
namespace {

namespace fs = std::filesystem;
using namespace std::literals;
using test::readBytes;
using test::TempFolder;
using test::writeBytes;

constexpr uid_t kNobody = 65534;

mode_t modeOf(const fs::path& path) {
  struct stat st {};
  return ::lstat(path.c_str(), &st) == 0 ? (st.st_mode & 07777) : 0;
}
uid_t ownerOf(const fs::path& path) {
  struct stat st {};
  return ::lstat(path.c_str(), &st) == 0 ? st.st_uid : static_cast<uid_t>(-1);
}

// Runs `steps` in a child process and gives how it ended: its exit code, or 128 plus
// the signal that ended it.
template <typename Steps>
int inChild(Steps steps) {
  const pid_t child = ::fork();
  if (child == 0) {
    steps();
    ::_exit(0);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFSIGNALED(status) ? 128 + WTERMSIG(status) : WEXITSTATUS(status);
}

// ---------------------------------------------------------------------------------
// Files that are no files

// A FIFO would hold the reading up for ever and a device never ends: only plain files
// are opened, and the rest reads as a file that cannot be opened.
TEST(NoPlainFile, IsNeitherReadNorWritten) {
  TempFolder folder;
  const struct {
    const char* name;
    void (*make)(const fs::path&);
  } cases[] = {
      {"FIFO", [](const fs::path& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0644), 0); }},
      {"link to a device", [](const fs::path& p) { fs::create_symlink("/dev/zero", p); }},
      {"folder", [](const fs::path& p) { fs::create_directory(p); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const fs::path config = folder.file("config.fly");
    const fs::path airports = folder.file("airports.fly");
    fs::remove_all(config);
    fs::remove_all(airports);
    c.make(config);
    c.make(airports);
    EXPECT_EQ(readDefaultsFile(config).outcome, DefaultsRead::CannotOpen);
    AirportDatabase database;
    EXPECT_EQ(loadAirportDatabase(database, airports), AirportsLoad::CannotOpen);
    EXPECT_EQ(replaceFile(config, "new"), FileWrite::CannotOpen);
  }
}

// ---------------------------------------------------------------------------------
// Links in a shared folder

// In a folder that is sticky and writable by all, a link is followed only when it
// belongs to the one who saves or to the folder's owner: another user's link to the
// pilot's own file must not make a save overwrite it.
TEST(SharedFolderLink, IsFollowedOnlyWhenItsOwnerMayBeTrusted) {
  if (::geteuid() != 0) GTEST_SKIP() << "making links of other users needs root";
  const struct {
    const char* name;
    mode_t folderMode;
    uid_t folderOwner;
    uid_t linkOwner;
    FileWrite outcome;
  } cases[] = {
      {"another user's link in a shared folder", 01777, 0, kNobody, FileWrite::ForeignLink},
      {"own link in a shared folder", 01777, 0, 0, FileWrite::Written},
      {"the shared folder's owner's link", 01777, kNobody, kNobody, FileWrite::Written},
      {"another user's link in a folder that is not sticky", 0777, 0, kNobody, FileWrite::Written},
      {"another user's link in a sticky folder only its owner writes", 01755, 0, kNobody, FileWrite::Written},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder home;
    TempFolder shared;
    const fs::path victim = home.file("victim.txt");
    writeBytes(victim, "the pilot's own file");
    const fs::path link = shared.file("config.fly");
    fs::create_symlink(victim, link);
    ASSERT_EQ(::lchown(link.c_str(), c.linkOwner, c.linkOwner), 0);
    ASSERT_EQ(::chown(shared.path().c_str(), c.folderOwner, c.folderOwner), 0);
    ASSERT_EQ(::chmod(shared.path().c_str(), c.folderMode), 0);

    EXPECT_EQ(replaceFile(link, "saved defaults"), c.outcome);
    EXPECT_EQ(readBytes(victim), c.outcome == FileWrite::Written ? "saved defaults" : "the pilot's own file");
    EXPECT_TRUE(fs::is_symlink(link));
    if (c.outcome == FileWrite::ForeignLink) {
      const std::string message = fileWriteRefusalMessage(c.outcome, link);
      EXPECT_NE(message.find(shared.path().string()), std::string::npos) << message;
      EXPECT_NE(message.find("\"config.fly\""), std::string::npos) << message;
    }
    ::chown(shared.path().c_str(), 0, 0);
  }
}

// ---------------------------------------------------------------------------------
// Killed saves: permissions and leftovers

// The temporary file has the old file's mode (0600 for a new file) and, when root
// saves, the old file's owner from its first moment: a save killed while writing it
// (here by the disk limit's signal) shows it as it was made. The next reading removes
// what the killed save left; so does the next save.
TEST(KilledSave, TemporaryHasThePilotsModeAndIsRemovedLater) {
  const struct {
    const char* name;
    std::optional<mode_t> oldMode;  // none: no file yet
    bool removedByReading;          // else by the next save
  } cases[] = {
      {"private file", 0600, true},
      {"file the group may read", 0640, false},
      {"new file", std::nullopt, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder folder;
    const fs::path file = folder.file("config.fly");
    const uid_t owner = ::geteuid() == 0 ? kNobody : ::geteuid();
    if (c.oldMode) {
      writeBytes(file, "old");
      ASSERT_EQ(::chmod(file.c_str(), *c.oldMode), 0);
      ASSERT_EQ(::chown(file.c_str(), owner, owner), 0);
    }
    const int ended = inChild([&] {
      ::umask(0);
      rlimit limit{64, 64};
      ::setrlimit(RLIMIT_FSIZE, &limit);  // the signal of a write beyond it ends the save
      replaceFile(file, std::string(4096, 'n'));
    });
    EXPECT_EQ(ended, 128 + SIGXFSZ);
    std::set<std::string> left = folder.entries();
    left.erase("config.fly");
    ASSERT_EQ(left.size(), 1u);
    const fs::path temp = folder.file(*left.begin());
    EXPECT_EQ(modeOf(temp), c.oldMode.value_or(0600));
    if (c.oldMode) {
      EXPECT_EQ(ownerOf(temp), owner);
    }

    if (c.removedByReading) {
      readDefaultsFile(file);
    } else {
      ASSERT_EQ(replaceFile(file, "new"), FileWrite::Written);
      EXPECT_EQ(modeOf(file), *c.oldMode);
      EXPECT_EQ(ownerOf(file), owner);
    }
    EXPECT_EQ(folder.entries(),
              (c.oldMode || !c.removedByReading ? std::set<std::string>{"config.fly"} : std::set<std::string>{}));
  }
}

// A temporary that a save still running holds (its lock) is not taken from it.
TEST(KilledSave, TemporaryOfASaveStillRunningStays) {
  TempFolder folder;
  writeBytes(folder.file("config.fly"), "old");
  writeBytes(folder.file("config.fly.tmp42"), "half");
  const int held = ::open(folder.file("config.fly.tmp42").c_str(), O_RDONLY);
  ASSERT_EQ(::flock(held, LOCK_EX), 0);
  readDefaultsFile(folder.file("config.fly"));
  EXPECT_TRUE(fs::exists(folder.file("config.fly.tmp42")));
  ::close(held);
  readDefaultsFile(folder.file("config.fly"));
  EXPECT_FALSE(fs::exists(folder.file("config.fly.tmp42")));
}

// ---------------------------------------------------------------------------------
// The copy kept for an in-place save

TEST(SaveJournal, ReadsBackExactlyWhatWasWrittenAndNothingElse) {
  const SaveJournal journal{2049, 131077, "/home/pilot/orvane/config.fly", std::string("TAS:1\0\r\n"sv)};
  const std::string bytes = formatSaveJournal(journal);
  EXPECT_EQ(bytes, "orvane unfinished save 1\n2049 131077 29 8\n/home/pilot/orvane/config.flyTAS:1\0\r\n"sv);
  EXPECT_EQ(parseSaveJournal(bytes), journal);
  const struct {
    const char* name;
    std::string bytes;
  } refused[] = {
      {"cut short", bytes.substr(0, bytes.size() - 1)},
      {"a byte too many", bytes + "x"},
      {"empty", ""},
      {"other header", "orvane unfinished save 2\n1 2 3 0\n/ab"},
      {"relative path", "orvane unfinished save 1\n1 2 3 0\nab/"},
      {"number missing", "orvane unfinished save 1\n1 2 3\n/ab"},
      {"sign", "orvane unfinished save 1\n-1 2 3 0\n/ab"},
      {"leading zero", "orvane unfinished save 1\n1 02 3 0\n/ab"},
      {"path longer than the rest", "orvane unfinished save 1\n1 2 99 0\n/ab"},
  };
  for (const auto& r : refused) EXPECT_EQ(parseSaveJournal(r.bytes), std::nullopt) << r.name;
}

// The content whose head and tail tell which save wrote them.
std::string saveContent(char mark, std::size_t size) {
  std::string content(size, mark);
  for (std::size_t i = 0; i < size; i += 97) content[i] = static_cast<char>('0' + (i / 97) % 10);
  return content;
}

// Kills at random moments of in-place saves (the folder read-only, the file writable),
// each followed by a start of the program (a reading): afterwards the file holds the
// old content or the new one, whole, every time.
TEST(InPlaceSave, KillsAtRandomMomentsLeaveOldOrNewWholeAfterTheNextStart) {
  // At least 300 kills, and on until a few have landed in the rewrite itself, which is a
  // small part of a save: the check below must not hang on luck.
  constexpr int kLeastKills = 300;
  constexpr int kMostKills = 3000;
  constexpr int kLandedInRewrite = 3;
  // In memory where the machine has such a folder: a kill is no power loss, so the disk
  // adds nothing but the time its flushes take.
  const std::optional<std::string> tmpdir =
      std::getenv("TMPDIR") != nullptr ? std::optional<std::string>(std::getenv("TMPDIR")) : std::nullopt;
  if (fs::is_directory("/dev/shm")) ::setenv("TMPDIR", "/dev/shm", 1);
  TempFolder folder;
  TempFolder state;
  if (tmpdir) {
    ::setenv("TMPDIR", tmpdir->c_str(), 1);
  } else {
    ::unsetenv("TMPDIR");
  }
  const test::StateFolder journals(state.path());
  const fs::path file = folder.file("airports.fly");
  // A long and a short content: growing and shrinking in place are both hit.
  const std::string contents[2] = {saveContent('a', 192 * 1024), saveContent('b', 96 * 1024)};
  writeBytes(file, contents[0]);
  ASSERT_EQ(::chmod(file.c_str(), 0666), 0);
  ASSERT_EQ(::chmod(folder.path().c_str(), 0555), 0);
  // As a user whom the read-only folder binds.
  const auto asPilot = [] {
    if (::geteuid() == 0 && (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)) ::_exit(3);
  };
  if (inChild([&] {
        asPilot();
        ::_exit(::mkdir(folder.file("probe").c_str(), 0700) == 0 ? 4 : 0);
      }) != 0) {
    GTEST_SKIP() << "the read-only folder does not bind here";
  }

  // The kills land anywhere in the first few saves of each saver, however fast this
  // build saves: a sanitizer's build takes several times as long, and a window shorter
  // than the start of a save (finishing the save killed before, writing the journal)
  // would never hit the rewrite itself.
  constexpr int kTimedSaves = 4;
  const auto began = std::chrono::steady_clock::now();
  ASSERT_EQ(inChild([&] {
              asPilot();
              for (int i = 0; i < kTimedSaves; ++i) {
                if (replaceFile(file, contents[i % 2]) != FileWrite::Written) ::_exit(5);
              }
              ::_exit(0);
            }),
            0);
  const auto oneSave =
      std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - began) / kTimedSaves;
  const int window = std::max(6000, static_cast<int>(3 * oneSave.count()));
  std::mt19937 random(20261208);
  std::uniform_int_distribution<int> pause(0, window);  // microseconds
  int mixedBeforeStart = 0;
  int mixedAfterStart = 0;
  int finishedAtStart = 0;
  int kills = 0;
  for (; kills < kLeastKills || (mixedBeforeStart < kLandedInRewrite && kills < kMostKills); ++kills) {
    const pid_t saver = ::fork();
    if (saver == 0) {
      asPilot();
      for (int i = 1;; ++i) {
        if (replaceFile(file, contents[i % 2]) != FileWrite::Written) ::_exit(5);
      }
    }
    ::usleep(static_cast<useconds_t>(pause(random)));
    ::kill(saver, SIGKILL);
    int status = 0;
    ::waitpid(saver, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the saver ended by itself: " << WEXITSTATUS(status);

    const std::string killed = readBytes(file);
    const bool whole = killed == contents[0] || killed == contents[1];
    if (!whole) ++mixedBeforeStart;
    // The next start reads the file, as the pilot's user.
    const int started = inChild([&] {
      asPilot();
      AirportDatabase database;
      const bool read = loadAirportDatabase(database, file) == AirportsLoad::Loaded;
      ::_exit(read && (database.text == contents[0] || database.text == contents[1]) ? 0 : 1);
    });
    if (started != 0) ++mixedAfterStart;
    if (!whole && started == 0) ++finishedAtStart;
  }
  ::chmod(folder.path().c_str(), 0755);
  std::cout << kills << " kills during in-place saves, within " << window << " us of each start: " << mixedBeforeStart
            << " left a mixed file, " << finishedAtStart << " finished by the next start, " << mixedAfterStart
            << " mixed after it\n";
  EXPECT_EQ(mixedAfterStart, 0);
  EXPECT_GT(mixedBeforeStart, 0) << "no kill landed while the file was being rewritten";
  std::set<std::string> left = folder.entries();
  EXPECT_EQ(left, (std::set<std::string>{"airports.fly"}));
}

}  // namespace
}  // namespace orvane
