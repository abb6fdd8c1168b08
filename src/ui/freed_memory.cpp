#include "ui/freed_memory.hpp"

#include <cstdlib>  // defines __GLIBC__ with the C library's headers

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace orvane::ui {

void giveBackFreedMemory() noexcept {
#if defined(__GLIBC__)
  malloc_trim(0);  // 0: keep no spare room at the top of the heap
#endif
}

}  // namespace orvane::ui
