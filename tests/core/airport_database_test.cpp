// Adding airports to the database the program holds: the file as it is now is extended,
// so edits saved by a text editor since the last reading survive, and a failed save
// keeps both the old file and the new record.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "../file_faults.hpp"
#include "core/airports.hpp"
#include "core/files.hpp"
#include "temp_folder.hpp"

namespace orvane {
namespace {

namespace fs = std::filesystem;
using namespace std::literals;
using test::readBytes;
using test::TempFolder;
using test::writeBytes;

constexpr std::string_view kTwoAirports = "QQA:40.500000;-75.250000,\nQQB:41.750000;-72.500000,\n";
constexpr std::string_view kQqcRecord = "QQC:39.100000;-74.900000,";
constexpr GeoPosition kQqc{39.1, -74.9};

struct Database {
  TempFolder folder;
  fs::path file = folder.file("airports.fly");
  AirportDatabase db;

  void read(std::string_view content) {
    writeBytes(file, content);
    ASSERT_EQ(loadAirportDatabase(db, file), AirportsLoad::Loaded);
  }
  FileWrite add(std::string_view identifier, GeoPosition position) {
    const AirportAddition addition = addAirportToFile(db, file, identifier, position);
    EXPECT_EQ(addition.outcome, AddAirportOutcome::Added);
    return addition.write;
  }
};

TEST(AirportDatabase, LoadReadsTheFileAndReportsAMissingOne) {
  Database d;
  d.read(kTwoAirports);
  EXPECT_EQ(d.db.text, kTwoAirports);

  fs::remove(d.file);
  d.db.unsavedRecords = std::string(kQqcRecord);
  EXPECT_EQ(loadAirportDatabase(d.db, d.file), AirportsLoad::CannotOpen);
  EXPECT_EQ(d.db.text, "");
  EXPECT_EQ(d.db.unsavedRecords, "");  // a reload drops what is not in the file
}

TEST(AirportDatabase, AddedRecordIsWrittenByteForByte) {
  Database d;
  d.read(kTwoAirports);
  EXPECT_EQ(d.add("QQC", kQqc), FileWrite::Written);
  const std::string expected = std::string(kTwoAirports) + std::string(kQqcRecord);
  EXPECT_EQ(readBytes(d.file), expected);
  EXPECT_EQ(d.db.text, expected);
  EXPECT_EQ(d.db.unsavedRecords, "");
}

TEST(AirportDatabase, EditSavedByAnotherProgramIsKept) {
  Database d;
  d.read(kTwoAirports);
  // The pilot edits the file in a text editor while the program runs.
  const std::string edited = std::string(kTwoAirports) + "ZZZ:1.000000;2.000000,\n";
  writeBytes(d.file, edited);

  EXPECT_EQ(d.add("QQC", kQqc), FileWrite::Written);
  EXPECT_EQ(readBytes(d.file), edited + std::string(kQqcRecord));
  // The lists are built from that content from now on.
  EXPECT_EQ(d.db.text, edited + std::string(kQqcRecord));
}

// A file holding zero bytes or text in another encoding keeps every byte when an
// airport is added: nothing the pilot's file held is dropped on the rewrite.
TEST(AirportDatabase, EveryByteReadIsWrittenBack) {
  const struct {
    const char* name;
    std::string bytes;
  } cases[] = {
      {"a zero byte inside a line",
       std::string("QQA:40.500000;-75.250000,\0 note KEEP:1.0;2.0,\r\nQQB:41.750000;-72.500000,\r\n"sv)},
      {"zero bytes across the 127-byte pieces",
       std::string(1, '\0') + std::string(130, 'x') + std::string(1, '\0') + "QQA:1;2,"},
      {"UTF-16 with its byte-order mark", std::string("\xff\xfeQ\0Q\0A\0:\0"
                                                      "1\0;\0"
                                                      "2\0,\0"sv)},
      {"bytes that are no UTF-8", std::string(kTwoAirports) + "\xe9t\xe9:1;2,"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Database d;
    d.read(c.bytes);
    EXPECT_EQ(d.db.text, c.bytes);
    EXPECT_EQ(d.add("QQC", kQqc), FileWrite::Written);
    EXPECT_EQ(readBytes(d.file), c.bytes + std::string(kQqcRecord));
  }
}

TEST(AirportDatabase, IdentifierAddedByAnotherProgramCountsAsPresent) {
  Database d;
  d.read(kTwoAirports);
  writeBytes(d.file, std::string(kTwoAirports) + "qqc:1;2,");
  const AirportAddition addition = addAirportToFile(d.db, d.file, "QQC", kQqc);
  EXPECT_EQ(addition.outcome, AddAirportOutcome::AlreadyPresent);
  EXPECT_EQ(readBytes(d.file), std::string(kTwoAirports) + "qqc:1;2,");
}

TEST(AirportDatabase, RefusedIdentifiersTouchNothing) {
  struct Case {
    const char* identifier;
    AddAirportOutcome outcome;
  };
  const Case cases[] = {
      {"", AddAirportOutcome::NotThreeAlphanumeric},    {"Q C", AddAirportOutcome::HasSpace},
      {"QQCC ", AddAirportOutcome::HasSpace},           {"QQ", AddAirportOutcome::NotThreeAlphanumeric},
      {"Q-C", AddAirportOutcome::NotThreeAlphanumeric}, {"qqa", AddAirportOutcome::AlreadyPresent},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.identifier);
    Database d;
    d.read(kTwoAirports);
    EXPECT_EQ(addAirportToFile(d.db, d.file, c.identifier, kQqc).outcome, c.outcome);
    EXPECT_EQ(readBytes(d.file), kTwoAirports);
    EXPECT_EQ(d.db.text, kTwoAirports);
  }
}

TEST(AirportDatabase, FileThatVanishedIsCreatedWithTheNewRecord) {
  Database d;
  d.read(kTwoAirports);
  fs::remove(d.file);
  EXPECT_EQ(d.add("QQC", kQqc), FileWrite::Written);
  EXPECT_EQ(readBytes(d.file), kQqcRecord);
  EXPECT_EQ(d.db.text, kQqcRecord);
}

TEST(AirportDatabase, FileThatNeverExistedIsCreated) {
  Database d;
  EXPECT_EQ(loadAirportDatabase(d.db, d.file), AirportsLoad::CannotOpen);
  EXPECT_EQ(d.add("QQC", kQqc), FileWrite::Written);
  EXPECT_EQ(readBytes(d.file), kQqcRecord);
}

TEST(AirportDatabase, FailedSaveKeepsTheOldFileAndTheRecordForTheNextSave) {
  Database d;
  d.read(kTwoAirports);
  // A folder where the file was: nothing can replace it.
  fs::remove(d.file);
  fs::create_directory(d.file);
  {
    const AirportAddition addition = addAirportToFile(d.db, d.file, "QQC", kQqc);
    ASSERT_EQ(addition.outcome, AddAirportOutcome::Added);
    EXPECT_EQ(addition.write, FileWrite::CannotOpen);
  }
  EXPECT_TRUE(fs::is_directory(d.file));
  EXPECT_EQ(d.db.unsavedRecords, kQqcRecord);
  // The window offers the record until the program ends.
  EXPECT_NE(d.db.text.find(kQqcRecord), std::string::npos);
  EXPECT_EQ(addAirportToFile(d.db, d.file, "qqc", kQqc).outcome, AddAirportOutcome::AlreadyPresent);

  // Once the file can be written again, the next addition writes both records.
  fs::remove(d.file);
  writeBytes(d.file, kTwoAirports);
  EXPECT_EQ(d.add("QQD", {1, 2}), FileWrite::Written);
  EXPECT_EQ(readBytes(d.file), std::string(kTwoAirports) + std::string(kQqcRecord) + "QQD:1.000000;2.000000,");
  EXPECT_EQ(d.db.unsavedRecords, "");
}

TEST(AirportDatabase, UnreadableFileIsNeverReplaced) {
  Database d;
  d.read(kTwoAirports);
  ASSERT_EQ(::chmod(d.file.c_str(), 0200), 0);  // writable, not readable
  test::openToOthers(d.folder.path());
  {
    // Root reads every file: the test acts as a plain user while it adds.
    const test::WithoutRootPowers asPilot;
    if (!test::WithoutRootPowers::bound()) GTEST_SKIP() << "cannot act as a plain user here";
    const AirportAddition addition = addAirportToFile(d.db, d.file, "QQC", kQqc);
    ASSERT_EQ(addition.outcome, AddAirportOutcome::Added);
    EXPECT_EQ(addition.write, FileWrite::CannotOpen);
  }
  ::chmod(d.file.c_str(), 0600);
  EXPECT_EQ(readBytes(d.file), kTwoAirports);
  EXPECT_EQ(d.db.unsavedRecords, kQqcRecord);
}

}  // namespace
}  // namespace orvane
