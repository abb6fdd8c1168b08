#include "core/search_path.hpp"

namespace orvane {

std::vector<std::string> absoluteSearchFolders(std::string_view searchPath, char separator) {
  std::vector<std::string> folders;
  std::size_t start = 0;
  while (start <= searchPath.size()) {
    std::size_t end = searchPath.find(separator, start);
    if (end == std::string_view::npos) end = searchPath.size();
    const std::string_view entry = searchPath.substr(start, end - start);
    if (!entry.empty() && entry.front() == '/') folders.emplace_back(entry);
    start = end + 1;
  }
  return folders;
}

}  // namespace orvane
