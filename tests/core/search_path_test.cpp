// The folders the calculator and the text editor are looked for in.

#include "core/search_path.hpp"

#include <gtest/gtest.h>

namespace orvane {
namespace {

using Folders = std::vector<std::string>;

TEST(SearchFolders, OnlyAbsoluteEntriesInTheirOrder) {
  struct Case {
    const char* name;
    const char* path;
    Folders folders;
  };
  const Case cases[] = {
      {"usual", "/usr/local/bin:/usr/bin:/bin", {"/usr/local/bin", "/usr/bin", "/bin"}},
      {"dot first", ".:/usr/bin", {"/usr/bin"}},
      {"empty entry in the middle", "/usr/bin::/bin", {"/usr/bin", "/bin"}},
      {"empty entry at the start", ":/usr/bin", {"/usr/bin"}},
      {"empty entry at the end", "/usr/bin:", {"/usr/bin"}},
      {"relative folders", "bin:./tools:../x:~/bin:/opt/bin", {"/opt/bin"}},
      {"root", "/", {"/"}},
      {"only the working folder", ".", {}},
      {"empty", "", {}},
      {"separators only", ":::", {}},
      {"blanks are kept as written", "/opt/my tools: /usr/bin", {"/opt/my tools"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(absoluteSearchFolders(c.path), c.folders);
  }
}

}  // namespace
}  // namespace orvane
