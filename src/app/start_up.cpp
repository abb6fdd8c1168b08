#include "app/start_up.hpp"

#include <system_error>
#include <utility>

#ifdef ORVANE_HAVE_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

namespace orvane {

StartUpWarming::StartUpWarming(std::filesystem::path airportsFile) : airportsFile_(std::move(airportsFile)) {
  // One thread for both, one after the other: the machine may have two processors
  // only, and the program's own thread and the display server need them too.
  try {
    airports_ = std::async(std::launch::async, [file = airportsFile_] {
#ifdef ORVANE_HAVE_FONTCONFIG
      // fontconfig is thread-safe: should Qt ask for it before this is done, the two
      // simply load it side by side and one result is kept.
      FcInit();
#endif
      AirportsRead read;
      read.outcome = loadAirportDatabase(read.database, file);
      return read;
    });
  } catch (const std::system_error&) {
    // No thread to be had: the planner reads the file itself, and Qt the fonts.
  }
}

StartUpWarming::~StartUpWarming() {
  if (airports_.valid()) airports_.wait();
}

AirportsLoad StartUpWarming::takeAirports(AirportDatabase& database) {
  if (!airports_.valid()) return loadAirportDatabase(database, airportsFile_);
  AirportsRead read = airports_.get();
  database = std::move(read.database);
  return read.outcome;
}

}  // namespace orvane
