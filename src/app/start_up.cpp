#include "app/start_up.hpp"

#ifdef ORVANE_HAVE_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

namespace orvane {

StartUpWarming::StartUpWarming() {
#ifdef ORVANE_HAVE_FONTCONFIG
  // fontconfig is thread-safe: should Qt ask for it before this is done, the two
  // simply load it side by side and one result is kept.
  thread_ = std::thread([] { FcInit(); });
#endif
}

StartUpWarming::~StartUpWarming() {
  if (thread_.joinable()) thread_.join();
}

}  // namespace orvane
