// The number reader of the data files and the unit converters: it reads nothing beyond
// its text (the text is fuzzed in a heap block of exactly its size, so AddressSanitizer
// sees a read past it, and as the front of a longer block, where it must give what it
// gives on a copy of that front alone), and its value is that of the longest decimal
// number after the leading white space, as a reference built on std::from_chars reads it.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>

#include "core/numbers.hpp"
#include "fuzz_support.hpp"

namespace {

using orvane::leadingNumber;
using orvane::fuzz::referenceNumber;
using orvane::fuzz::sameDouble;

UNTRACED bool isWhiteSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// A heap block holding exactly `text`: one byte past it is outside the allocation.
UNTRACED std::unique_ptr<char[]> exactCopy(std::string_view text) {
  auto block = std::make_unique<char[]>(text.size());
  if (!text.empty()) std::memcpy(block.get(), text.data(), text.size());
  return block;
}

UNTRACED double readExactCopy(std::string_view text) {
  const auto block = exactCopy(text);
  return leadingNumber(std::string_view(block.get(), text.size()));
}

}  // namespace

extern "C" UNTRACED int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const double whole = readExactCopy(input);

  std::string_view rest = input;
  while (!rest.empty() && isWhiteSpace(rest.front())) rest.remove_prefix(1);
  if (const auto expected = referenceNumber(rest)) CHECK(sameDouble(whole, expected->value));

  // Fronts of the input, read inside the longer block and alone.
  if (size == 0) return 0;
  const std::size_t cuts[] = {size - 1, size / 2, data[0] % size};
  for (const std::size_t cut : cuts) {
    const std::string_view front = input.substr(0, cut);
    CHECK(sameDouble(leadingNumber(front), readExactCopy(front)));
  }
  return 0;
}
