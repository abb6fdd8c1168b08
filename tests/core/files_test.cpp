#include "core/files.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <set>
#include <string>

#include "../file_faults.hpp"
#include "core/airports.hpp"
#include "core/defaults.hpp"
#include "temp_folder.hpp"
#include "test_support.hpp"

namespace orvane {
namespace {

namespace fs = std::filesystem;
using test::CaseName;
using test::readBytes;
using test::TempFolder;
using test::writeBytes;

std::string patternBytes(std::size_t size) {
  std::string bytes(size, '\0');
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 7 + 3) % 256);
  return bytes;
}

// ---------------------------------------------------------------------------------
// Reading

TEST(ReadWholeFile, GivesEveryByteUnchanged) {
  TempFolder folder;
  const struct {
    const char* name;
    std::string bytes;
  } cases[] = {
      {"empty file", ""},
      {"line ends kept as they are", "QQA:1;2,\r\nQQB:3;4,\n\rlast"},
      {"zero bytes and high bytes", std::string("a\0b\xff\x80z", 6)},
      {"larger than one read buffer", patternBytes(10000)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const fs::path file = folder.file("data.fly");
    writeBytes(file, c.bytes);
    const WholeFile whole = readWholeFile(file, 1 << 20);
    ASSERT_EQ(whole.outcome, FileRead::Read);
    EXPECT_EQ(whole.bytes, c.bytes);
  }
}

TEST(ReadFilePrefix, StopsAtTheLimit) {
  TempFolder folder;
  const fs::path file = folder.file("config.fly");
  const std::string bytes = patternBytes(5000);
  writeBytes(file, bytes);
  const struct {
    std::size_t limit;
    std::size_t expected;
  } cases[] = {
      {0, 0},       {1, 1},       {1023, 1023}, {4096, 4096},   {4097, 4097},
      {4999, 4999}, {5000, 5000}, {5001, 5000}, {100000, 5000},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.limit);
    const auto text = readFilePrefix(file, c.limit);
    ASSERT_TRUE(text.has_value());
    EXPECT_EQ(*text, bytes.substr(0, c.expected));
  }
}

TEST(ReadFilePrefix, MissingFileGivesNothing) {
  TempFolder folder;
  EXPECT_EQ(readFilePrefix(folder.file("missing.fly"), 1023), std::nullopt);
}

// ---------------------------------------------------------------------------------
// Replacing

TEST(ReplaceFile, CreatesAMissingFile) {
  TempFolder folder;
  const fs::path file = folder.file("airports.fly");
  EXPECT_EQ(replaceFile(file, "QQC:39.100000;-74.900000,"), FileWrite::Written);
  EXPECT_EQ(readBytes(file), "QQC:39.100000;-74.900000,");
}

TEST(ReplaceFile, ReplacesTheWholeContent) {
  TempFolder folder;
  const fs::path file = folder.file("config.fly");
  const struct {
    const char* name;
    std::string content;
  } steps[] = {
      {"first content", "home_airport:QQA\r\nTAS:110.000000\r\n"},
      {"longer content", patternBytes(9000)},
      {"shorter content leaves nothing of the longer one", "short"},
      {"zero bytes are written too", std::string("a\0b", 3)},
      {"empty content empties the file", ""},
  };
  writeBytes(file, "old content that must go");
  for (const auto& step : steps) {
    SCOPED_TRACE(step.name);
    EXPECT_EQ(replaceFile(file, step.content), FileWrite::Written);
    EXPECT_EQ(readBytes(file), step.content);
  }
}

TEST(ReplaceFile, LeavesNoTemporaryFileBehind) {
  TempFolder folder;
  writeBytes(folder.file("airports.fly"), "QQA:1;2,");
  ASSERT_EQ(replaceFile(folder.file("config.fly"), "created"), FileWrite::Written);
  for (int i = 0; i < 20; ++i) {
    const std::string content = "replaced " + std::string(static_cast<std::size_t>(i), 'x');
    ASSERT_EQ(replaceFile(folder.file("config.fly"), content), FileWrite::Written);
  }
  EXPECT_EQ(folder.entries(), (std::set<std::string>{"airports.fly", "config.fly"}));
  EXPECT_EQ(readBytes(folder.file("airports.fly")), "QQA:1;2,") << "another file in the folder is untouched";
}

TEST(ReplaceFile, RefusesADirectoryInPlaceOfTheFile) {
  TempFolder folder;
  const fs::path directory = folder.file("config.fly");
  fs::create_directory(directory);
  writeBytes(directory / "inside.txt", "keep me");

  EXPECT_EQ(replaceFile(directory, "TAS:110.000000\r\n"), FileWrite::CannotOpen);
  EXPECT_TRUE(fs::is_directory(directory));
  EXPECT_EQ(readBytes(directory / "inside.txt"), "keep me");
  EXPECT_EQ(folder.entries(), (std::set<std::string>{"config.fly"})) << "no temporary file is left";
}

TEST(ReplaceFile, RefusesAFileInAFolderThatDoesNotExist) {
  TempFolder folder;
  const fs::path missingFolder = folder.file("missing");
  EXPECT_EQ(replaceFile(missingFolder / "config.fly", "TAS:110.000000\r\n"), FileWrite::CannotOpen);
  EXPECT_FALSE(fs::exists(missingFolder));
  EXPECT_TRUE(folder.entries().empty());
}

TEST(ReplaceFile, KeepsThePermissionBits) {
  TempFolder folder;
  const fs::path file = folder.file("airports.fly");
  writeBytes(file, "QQA:1;2,");
  const fs::perms cases[] = {
      fs::perms::owner_read | fs::perms::owner_write,
      fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read,
      fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read | fs::perms::group_write |
          fs::perms::others_read,
      fs::perms::owner_read | fs::perms::owner_write | fs::perms::owner_exec,
  };
  for (const fs::perms perms : cases) {
    SCOPED_TRACE(static_cast<int>(perms));
    fs::permissions(file, perms, fs::perm_options::replace);
    ASSERT_EQ(replaceFile(file, "QQB:3;4,"), FileWrite::Written);
    EXPECT_EQ(fs::status(file).permissions() & fs::perms::mask, perms);
    EXPECT_EQ(readBytes(file), "QQB:3;4,");
  }
}

// Permissions bind also a test run as root: it acts as "nobody" while it writes.
TEST(ReplaceFile, RefusesAReadOnlyFile) {
  TempFolder folder;
  const fs::path file = folder.file("config.fly");
  writeBytes(file, "old");
  fs::permissions(file, fs::perms::owner_read, fs::perm_options::replace);
  {
    test::WithoutRootPowers asPilot;
    if (!asPilot.bound()) GTEST_SKIP() << "permissions cannot be made to bind";
    EXPECT_EQ(replaceFile(file, "new"), FileWrite::CannotOpen);
  }
  EXPECT_EQ(readBytes(file), "old");
  EXPECT_EQ(folder.entries(), (std::set<std::string>{"config.fly"}));
}

// A read-only folder takes no temporary file: a file in it that may be written is
// rewritten in place, whole, at its new length; one that may not, or a missing one, is
// refused and nothing is created.
struct ReadOnlyFolderCase {
  const char* name;
  std::optional<fs::perms> filePerms;  // none: no file
  std::string content;
  FileWrite outcome;
  bool stateFolder = true;  // whether a state folder can keep the copy of an in-place save
};

void replaceInAReadOnlyFolder(const ReadOnlyFolderCase& c) {
  SCOPED_TRACE(c.name);
  const std::string old = "old content of the file, " + patternBytes(300);
  TempFolder folder;
  const fs::path file = folder.file("config.fly");
  if (c.filePerms) {
    writeBytes(file, old);
    fs::permissions(file, *c.filePerms, fs::perm_options::replace);
  }
  const std::set<std::string> before = folder.entries();
  fs::permissions(folder.path(), fs::perms(0555), fs::perm_options::replace);
  TempFolder state;
  const test::StateFolder journals(c.stateFolder ? state.path() : fs::path("/proc/orvane-nowhere"));
  {
    test::WithoutRootPowers asPilot;
    if (!asPilot.bound()) GTEST_SKIP() << "permissions cannot be made to bind";
    EXPECT_EQ(replaceFile(file, c.content), c.outcome);
  }
  fs::permissions(folder.path(), fs::perms::owner_all, fs::perm_options::replace);
  EXPECT_EQ(folder.entries(), before);
  if (c.filePerms) {
    EXPECT_EQ(readBytes(file), c.outcome == FileWrite::Written ? c.content : old);
    EXPECT_EQ(fs::status(file).permissions() & fs::perms::mask, *c.filePerms);
  }
}

TEST(ReplaceFile, RefusesAFolderThatCannotBeWritten) {
  const fs::perms readOnly = fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
  replaceInAReadOnlyFolder({"read-only file", readOnly, "new", FileWrite::CannotOpen});
  replaceInAReadOnlyFolder({"no file", std::nullopt, "new", FileWrite::CannotOpen});
}

TEST(ReplaceFile, RewritesInPlaceAWritableFileInAReadOnlyFolder) {
  const fs::perms writable = fs::perms(0666);
  const ReadOnlyFolderCase cases[] = {
      {"longer content", writable, patternBytes(5000), FileWrite::Written},
      {"shorter content", writable, "short", FileWrite::Written},
      {"empty content", writable, "", FileWrite::Written},
      // No copy can be kept: rewriting in place would not be safe, so nothing is changed.
      {"no state folder", writable, "new", FileWrite::NoSafeInPlace, false},
  };
  for (const auto& c : cases) replaceInAReadOnlyFolder(c);
}

// ---------------------------------------------------------------------------------
// A disk that refuses the data

// The disk refuses the data once a file would grow beyond the limit, as a full one
// does: the old file is as it was and no temporary stays behind.
TEST(ReplaceFile, RefusedDataLeavesTheOldFileWhole) {
  TempFolder folder;
  const fs::path file = folder.file("airports.fly");
  const std::string old = patternBytes(100);
  writeBytes(file, old);
  {
    test::FileSizeLimit disk(4096);
    EXPECT_EQ(replaceFile(file, patternBytes(10000)), FileWrite::WriteFailed);
    EXPECT_EQ(replaceFile(file, patternBytes(4096)), FileWrite::Written) << "what fits is written";
  }
  EXPECT_EQ(readBytes(file), patternBytes(4096));
  EXPECT_EQ(folder.entries(), (std::set<std::string>{"airports.fly"}));
}

// ---------------------------------------------------------------------------------
// Leftovers and links

// A write interrupted between writing and renaming leaves "<name>.tmp<digits>"; the
// next successful write of that file removes it, and nothing else.
TEST(ReplaceFile, RemovesTemporariesThatAnInterruptedWriteLeft) {
  TempFolder folder;
  const std::set<std::string> leftovers = {"config.fly.tmp7", "config.fly.tmp123456789"};
  const std::set<std::string> others = {
      "config.fly.tmp",   "config.fly.tmp12a", "config.fly.tmp1234567890", "airports.fly.tmp123",
      "xconfig.fly.tmp5", "config.fly.bak",    "config.fly.tmp5.txt",
  };
  for (const auto& name : leftovers) writeBytes(folder.file(name), "half a file");
  for (const auto& name : others) writeBytes(folder.file(name), "keep " + name);
  fs::create_directory(folder.file("config.fly.tmp55"));  // a folder is never removed
  writeBytes(folder.file("config.fly"), "old");

  ASSERT_EQ(replaceFile(folder.file("config.fly"), "new"), FileWrite::Written);
  std::set<std::string> expected = others;
  expected.insert({"config.fly", "config.fly.tmp55"});
  EXPECT_EQ(folder.entries(), expected);
  for (const auto& name : others) EXPECT_EQ(readBytes(folder.file(name)), "keep " + name);
  EXPECT_EQ(readBytes(folder.file("config.fly")), "new");
}

TEST(ReplaceFile, LeavesTemporariesAloneWhenTheWriteFails) {
  TempFolder folder;
  writeBytes(folder.file("config.fly.tmp42"), "half a file");
  fs::create_directory(folder.file("config.fly"));
  EXPECT_EQ(replaceFile(folder.file("config.fly"), "new"), FileWrite::CannotOpen);
  EXPECT_EQ(folder.entries(), (std::set<std::string>{"config.fly", "config.fly.tmp42"}));
}

// A link is kept and the file it leads to replaced; the temporary is made beside that
// file, so the rename stays on its disk.
TEST(ReplaceFile, ReplacesTheFileALinkLeadsTo) {
  const struct {
    const char* name;
    const char* link;  // as the link is written, from the working folder
    const char* target;
  } cases[] = {
      {"relative link", "shared/config.fly", "shared/config.fly"},
      {"link to another name", "shared/defaults.txt", "shared/defaults.txt"},
      {"link to a link", "chain.fly", "shared/config.fly"},
      {"link to a file not yet there", "shared/new.fly", "shared/new.fly"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder folder;
    const fs::path working = folder.file("working");
    fs::create_directories(working);
    fs::create_directories(folder.file("shared"));
    writeBytes(folder.file("shared/config.fly"), "old");
    writeBytes(folder.file("shared/defaults.txt"), "old");
    fs::create_symlink("shared/config.fly", folder.file("chain.fly"));
    const fs::path link = working / "config.fly";
    fs::create_symlink(fs::path("..") / c.link, link);

    ASSERT_EQ(replaceFile(link, "new"), FileWrite::Written);
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(fs::read_symlink(link), fs::path("..") / c.link);
    EXPECT_EQ(readBytes(folder.file(c.target)), "new");
    std::set<std::string> shared;
    for (const auto& entry : fs::directory_iterator(folder.file("shared"))) {
      shared.insert(entry.path().filename().string());
    }
    EXPECT_EQ(shared.size(), std::string(c.name) == "link to a file not yet there" ? 3U : 2U) << "no temporary";
  }
}

TEST(ReplaceFile, AbsoluteLinkAndItsLeftovers) {
  TempFolder folder;
  fs::create_directories(folder.file("working"));
  writeBytes(folder.file("airports.fly"), "old");
  writeBytes(folder.file("airports.fly.tmp99"), "half a file");
  const fs::path link = folder.file("working/airports.fly");
  fs::create_symlink(folder.file("airports.fly"), link);
  ASSERT_EQ(replaceFile(link, "new"), FileWrite::Written);
  EXPECT_EQ(fs::read_symlink(link), folder.file("airports.fly"));
  EXPECT_EQ(readBytes(folder.file("airports.fly")), "new");
  EXPECT_EQ(folder.entries(), (std::set<std::string>{"airports.fly", "working"}));
}

// A link that leads nowhere a file can be written is refused and left as it is.
TEST(ReplaceFile, RefusesLinksToWhatIsNoFile) {
  const struct {
    const char* name;
    fs::path target;  // relative to the working folder
  } cases[] = {
      {"link to itself", "config.fly"},
      {"link to a folder", "."},
      {"link to a device", "/dev/null"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder folder;
    const fs::path link = folder.file("config.fly");
    fs::create_symlink(c.target, link);
    EXPECT_EQ(replaceFile(link, "new"), FileWrite::CannotOpen);
    EXPECT_EQ(fs::read_symlink(link), c.target);
    EXPECT_EQ(folder.entries(), (std::set<std::string>{"config.fly"}));
  }
  EXPECT_TRUE(fs::is_character_file("/dev/null"));
}

// ---------------------------------------------------------------------------------
// Reading a whole file up to a size

TEST(ReadWholeFile, UpToTheLargestSize) {
  TempFolder folder;
  const fs::path file = folder.file("airports.fly");
  const struct {
    std::size_t size;
    FileRead outcome;
  } cases[] = {
      {0, FileRead::Read},    {1, FileRead::Read},        {999, FileRead::Read},
      {1000, FileRead::Read}, {1001, FileRead::TooLarge}, {5000, FileRead::TooLarge},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.size);
    writeBytes(file, patternBytes(c.size));
    const WholeFile whole = readWholeFile(file, 1000);
    EXPECT_EQ(whole.outcome, c.outcome);
    EXPECT_EQ(whole.bytes, c.outcome == FileRead::Read ? patternBytes(c.size) : std::string());
  }
}

TEST(ReadWholeFile, WhatCannotBeReadWhole) {
  TempFolder folder;
  const fs::path file = folder.file("airports.fly");
  // 100 MB that take no room: refused by their size, nothing read.
  ASSERT_TRUE(test::makeSparseFile(file, "QQA:1;2,", 100'000'000));
  EXPECT_EQ(readWholeFile(file, 16 * 1024 * 1024).outcome, FileRead::TooLarge);
  // A device is no file: never read.
  EXPECT_EQ(readWholeFile("/dev/zero", 4096).outcome, FileRead::CannotOpen);
  EXPECT_EQ(readWholeFile(folder.path(), 4096).outcome, FileRead::CannotOpen);
  EXPECT_EQ(readWholeFile(folder.file("missing.fly"), 4096).outcome, FileRead::CannotOpen);
  EXPECT_EQ(readWholeFile(folder.file("no-folder/missing.fly"), 4096).outcome, FileRead::CannotOpen);

  writeBytes(file, "QQA:1;2,");
  fs::permissions(file, fs::perms::none, fs::perm_options::replace);
  test::WithoutRootPowers asPilot;
  if (!asPilot.bound()) GTEST_SKIP() << "permissions cannot be made to bind";
  EXPECT_EQ(readWholeFile(file, 4096).outcome, FileRead::CannotOpen);
}

// ---------------------------------------------------------------------------------
// What the pilot reads when a save fails: one mapping from the save's outcome to the
// message, each kind of file with the words it has always used.

const fs::path kFile = "/home/pilot/flights/KBOS.pdf";

struct MessageCase {
  std::string name;
  std::function<FileWriteTexts()> texts;
  FileWrite outcome;
  std::string message;
};

class FileWriteMessages : public ::testing::TestWithParam<MessageCase> {};

TEST_P(FileWriteMessages, AreTheKindsOwnWords) {
  const MessageCase& c = GetParam();
  EXPECT_EQ(fileWriteMessage(c.outcome, c.texts(), kFile), c.message);
}

FileWriteTexts navLogTexts() { return chosenFileWriteTexts("The nav log", kFile.string()); }
FileWriteTexts routeTexts() { return chosenFileWriteTexts("The route", "/home/pilot/KBOS-KJFK.fpl"); }
FileWriteTexts planTexts() { return chosenFileWriteTexts("The plan", "/home/pilot/plans/a \"b\".orvplan"); }
FileWriteTexts airportsTexts() { return airportsWriteTexts(false); }
FileWriteTexts largeAirportsTexts() { return airportsWriteTexts(true); }

INSTANTIATE_TEST_SUITE_P(
    Files, FileWriteMessages,
    ::testing::Values(
        MessageCase{"NavLogCannotOpen", navLogTexts, FileWrite::CannotOpen,
                    "The nav log could not be saved as \"/home/pilot/flights/KBOS.pdf\": the file or its folder "
                    "cannot be written. Please choose another folder."},
        MessageCase{"NavLogWriteFailed", navLogTexts, FileWrite::WriteFailed,
                    "The nav log could not be written to \"/home/pilot/flights/KBOS.pdf\" (is the disk full?); no "
                    "file was changed."},
        MessageCase{"NavLogPartlyWritten", navLogTexts, FileWrite::PartlyWritten,
                    "The nav log could only be partly written to \"/home/pilot/flights/KBOS.pdf\" (is the disk "
                    "full?) and that file may be damaged: please save it again once the disk has room."},
        MessageCase{"RouteCannotOpen", routeTexts, FileWrite::CannotOpen,
                    "The route could not be saved as \"/home/pilot/KBOS-KJFK.fpl\": the file or its folder cannot "
                    "be written. Please choose another folder."},
        MessageCase{"RouteWriteFailed", routeTexts, FileWrite::WriteFailed,
                    "The route could not be written to \"/home/pilot/KBOS-KJFK.fpl\" (is the disk full?); no file "
                    "was changed."},
        MessageCase{"RoutePartlyWritten", routeTexts, FileWrite::PartlyWritten,
                    "The route could only be partly written to \"/home/pilot/KBOS-KJFK.fpl\" (is the disk full?) "
                    "and that file may be damaged: please save it again once the disk has room."},
        // The file's name is shown as it is, quotes included.
        MessageCase{"PlanCannotOpen", planTexts, FileWrite::CannotOpen,
                    "The plan could not be saved as \"/home/pilot/plans/a \"b\".orvplan\": the file or its folder "
                    "cannot be written. Please choose another folder."},
        MessageCase{"PlanWriteFailed", planTexts, FileWrite::WriteFailed,
                    "The plan could not be written to \"/home/pilot/plans/a \"b\".orvplan\" (is the disk full?); "
                    "no file was changed."},
        MessageCase{"PlanPartlyWritten", planTexts, FileWrite::PartlyWritten,
                    "The plan could only be partly written to \"/home/pilot/plans/a \"b\".orvplan\" (is the disk "
                    "full?) and that file may be damaged: please save it again once the disk has room."},
        MessageCase{"DefaultsCannotOpen", defaultsWriteTexts, FileWrite::CannotOpen,
                    "Cannot open congfiguration file!"},
        MessageCase{"DefaultsWriteFailed", defaultsWriteTexts, FileWrite::WriteFailed,
                    "The defaults file could not be written (is the disk full?); it was left as it was."},
        MessageCase{"DefaultsPartlyWritten", defaultsWriteTexts, FileWrite::PartlyWritten,
                    "The defaults file could only be partly written (is the disk full?) and may now be damaged: "
                    "please save the defaults again once the disk has room."},
        MessageCase{"AirportsCannotOpen", airportsTexts, FileWrite::CannotOpen, "Cannot open airports file!"},
        MessageCase{"AirportsTooLarge", largeAirportsTexts, FileWrite::CannotOpen,
                    "The airports file \"airports.fly\" is larger than 8 MiB, more than any airport database "
                    "holds, so it was not read and will not be replaced. Please check the file."},
        MessageCase{"AirportsWriteFailed", airportsTexts, FileWrite::WriteFailed,
                    "The airports file could not be written (is the disk full?); it was left as it was, and the "
                    "new airport is kept until Orvane closes."},
        MessageCase{"AirportsPartlyWritten", airportsTexts, FileWrite::PartlyWritten,
                    "The airports file could only be partly written (is the disk full?) and may now be damaged: "
                    "please check it with Tools > Edit Airports Database. The new airport is kept until Orvane "
                    "closes."},
        MessageCase{"WrittenSaysNothing", navLogTexts, FileWrite::Written, ""},
        MessageCase{"DefaultsWrittenSaysNothing", defaultsWriteTexts, FileWrite::Written, ""}),
    CaseName{});

// A refused write names the file and its folder the same way for every kind.
TEST(FileWriteMessages, RefusalsAreTheFilesOwn) {
  for (const FileWrite outcome : {FileWrite::ForeignLink, FileWrite::NoSafeInPlace}) {
    const std::string refusal = fileWriteRefusalMessage(outcome, kFile);
    ASSERT_NE(refusal.find("\"KBOS.pdf\""), std::string::npos) << refusal;
    for (const FileWriteTexts& texts : {navLogTexts(), defaultsWriteTexts(), airportsTexts()}) {
      EXPECT_EQ(fileWriteMessage(outcome, texts, kFile), refusal);
    }
  }
}

}  // namespace
}  // namespace orvane
