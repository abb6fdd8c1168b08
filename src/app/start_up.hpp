#pragma once
// Work the first window needs that can run beside Qt's own start-up.

#include <filesystem>
#include <future>

#include "core/airports.hpp"

namespace orvane {

/// Started before the application connects to the display, on a thread of its own:
/// - the font configuration: on Linux, reading fontconfig's configuration and caches is
///   the largest single part of the time before the first window is shown, and Qt then
///   finds it loaded (nothing is done where fonts come from the system itself);
/// - the airport file, which the planner loads while it starts: a large one takes as
///   long to read as the planner's window takes to build.
/// Joined when it goes out of scope.
class StartUpWarming {
 public:
  explicit StartUpWarming(std::filesystem::path airportsFile);
  ~StartUpWarming();
  StartUpWarming(const StartUpWarming&) = delete;
  StartUpWarming& operator=(const StartUpWarming&) = delete;

  /// The airport file as read on its thread, as loadAirportDatabase gives it; read
  /// again now when it was taken before.
  AirportsLoad takeAirports(AirportDatabase& database);

 private:
  struct AirportsRead {
    AirportDatabase database;
    AirportsLoad outcome = AirportsLoad::CannotOpen;
  };

  std::filesystem::path airportsFile_;
  std::future<AirportsRead> airports_;
};

}  // namespace orvane
