// What the pilot reads when a save fails: one mapping from the save's outcome to the
// message, each kind of file with the words it has always used.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "core/airports.hpp"
#include "core/defaults.hpp"
#include "core/files.hpp"
#include "test_support.hpp"

namespace orvane {
namespace {

using test::CaseName;

const std::filesystem::path kFile = "/home/pilot/flights/KBOS.pdf";

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
