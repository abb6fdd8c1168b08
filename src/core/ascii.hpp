#pragma once
// Case rules for airport identifiers. Identifiers are ASCII letters and digits; any other
// byte compares as itself, so a name in another script is never folded wrongly.

#include <algorithm>
#include <string>
#include <string_view>

namespace orvane {

constexpr char lowerAscii(char c) noexcept { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
constexpr char upperAscii(char c) noexcept { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

inline std::string upperAscii(std::string_view text) {
  std::string upper(text);
  std::transform(upper.begin(), upper.end(), upper.begin(), [](char c) { return upperAscii(c); });
  return upper;
}

inline bool equalIgnoringCase(std::string_view a, std::string_view b) noexcept {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return lowerAscii(x) == lowerAscii(y); });
}

/// Alphabetical order without regard to case, byte by byte after folding.
inline bool lessIgnoringCase(std::string_view a, std::string_view b) noexcept {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return static_cast<unsigned char>(lowerAscii(x)) < static_cast<unsigned char>(lowerAscii(y));
  });
}

}  // namespace orvane
