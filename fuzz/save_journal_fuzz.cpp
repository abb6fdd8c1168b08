// The copy an in-place save keeps in the state folder, read back at the next start.
// Only exactly what the writer makes is taken: a journal that is read writes back the
// same bytes, and every journal the writer makes reads back as itself.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/files.hpp"
#include "fuzz_support.hpp"

extern "C" UNTRACED int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  if (const auto journal = orvane::parseSaveJournal(bytes)) {
    CHECK(orvane::formatSaveJournal(*journal) == bytes);
    CHECK(!journal->path.empty() && journal->path.front() == '/');
  }
  // The input as the content of a journal of its own.
  orvane::SaveJournal made;
  made.device = size;
  made.inode = size * 31u;
  made.path = "/data/" + std::string(bytes.substr(0, bytes.size() / 4));
  made.content = std::string(bytes.substr(bytes.size() / 4));
  const auto back = orvane::parseSaveJournal(orvane::formatSaveJournal(made));
  CHECK(back.has_value() && *back == made);
  return 0;
}
