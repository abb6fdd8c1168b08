#pragma once
// Work the first window needs that can run beside Qt's own start-up.

#include <thread>

namespace orvane {

/// Loads the font configuration on a thread of its own while the application connects
/// to the display: on Linux, reading fontconfig's configuration and caches is the
/// largest single part of the time before the first window is shown. Qt then finds it
/// loaded. Joined when it goes out of scope; does nothing where fonts come from the
/// system itself.
class StartUpWarming {
 public:
  StartUpWarming();
  ~StartUpWarming();
  StartUpWarming(const StartUpWarming&) = delete;
  StartUpWarming& operator=(const StartUpWarming&) = delete;

 private:
  std::thread thread_;
};

}  // namespace orvane
