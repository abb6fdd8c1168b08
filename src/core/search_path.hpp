#pragma once
// Where the programs that Orvane starts (calculator, text editor) are looked for.

#include <string>
#include <string_view>
#include <vector>

namespace orvane {

/// The folders of a search path (the PATH variable's value, entries separated by
/// `separator`) that programs may be started from: only absolute entries, in their
/// order. An empty entry and a relative one ("." or "bin") stand for the working
/// folder, where anybody who can leave a file there could have it started in place of
/// the pilot's editor, so they are left out. An empty result means "look nowhere".
std::vector<std::string> absoluteSearchFolders(std::string_view searchPath, char separator = ':');

}  // namespace orvane
