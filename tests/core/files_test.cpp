#include "core/files.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "temp_folder.hpp"

namespace orvane {
namespace {

namespace fs = std::filesystem;
using test::TempFolder;
using test::writeBytes;
using test::readBytes;

std::string patternBytes(std::size_t size) {
  std::string bytes(size, '\0');
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 7 + 3) % 256);
  return bytes;
}

// ---------------------------------------------------------------------------------
// Reading

TEST(ReadFileText, GivesEveryByteUnchanged) {
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
    const auto text = readFileText(file);
    ASSERT_TRUE(text.has_value());
    EXPECT_EQ(*text, c.bytes);
  }
}

TEST(ReadFileText, MissingFileGivesNothing) {
  TempFolder folder;
  EXPECT_EQ(readFileText(folder.file("missing.fly")), std::nullopt);
  EXPECT_EQ(readFileText(folder.file("no-folder/missing.fly")), std::nullopt);
}

TEST(ReadFileText, DirectoryGivesNothing) {
  TempFolder folder;
  EXPECT_EQ(readFileText(folder.path()), std::nullopt);
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
      {0, 0}, {1, 1}, {1023, 1023}, {4096, 4096}, {4097, 4097}, {4999, 4999}, {5000, 5000}, {5001, 5000},
      {100000, 5000},
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

TEST(ReplaceFile, RefusesAReadOnlyFile) {
  if (::geteuid() == 0) {
    GTEST_SKIP() << "running as root, which may write a read-only file; "
                    "the directory-in-place test covers the refusal";
  }
  TempFolder folder;
  const fs::path file = folder.file("config.fly");
  writeBytes(file, "old");
  fs::permissions(file, fs::perms::owner_read, fs::perm_options::replace);
  EXPECT_EQ(replaceFile(file, "new"), FileWrite::CannotOpen);
  EXPECT_EQ(readBytes(file), "old");
  EXPECT_EQ(folder.entries(), (std::set<std::string>{"config.fly"}));
}

TEST(ReplaceFile, RefusesAFolderThatCannotBeWritten) {
  if (::geteuid() == 0) {
    GTEST_SKIP() << "running as root, which may write into a read-only folder; "
                    "the directory-in-place test covers the refusal";
  }
  TempFolder folder;
  const fs::path file = folder.file("config.fly");
  writeBytes(file, "old");
  fs::permissions(folder.path(), fs::perms::owner_read | fs::perms::owner_exec, fs::perm_options::replace);
  EXPECT_EQ(replaceFile(file, "new"), FileWrite::CannotOpen);
  fs::permissions(folder.path(), fs::perms::owner_all, fs::perm_options::replace);
  EXPECT_EQ(readBytes(file), "old");
}

}  // namespace
}  // namespace orvane
