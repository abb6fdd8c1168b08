// GPX 1.1 route files of any bytes, seeded with GPX files (Orvane's, GPSBabel's, hostile ones).

#include <cstddef>
#include <cstdint>

#include "route_file_checks.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  orvane::fuzz::checkRouteFile(data, size);
  return 0;
}
