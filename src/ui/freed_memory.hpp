#pragma once
// Memory a large window took, handed back to the system once it has closed.

namespace orvane::ui {

/// Hands the memory freed so far back to the system where the C library keeps it for
/// reuse instead (glibc keeps freed small blocks, so a window over a large airport file,
/// a few hundred MB for a million records, would leave the program at that size for the
/// rest of the run). Does nothing where the library returns memory by itself.
void giveBackFreedMemory() noexcept;

/// Gives the freed memory back when it goes out of scope: declared before a window, it
/// runs once the window and everything it owns are gone.
class FreedMemoryGiveBack {
 public:
  FreedMemoryGiveBack() = default;
  ~FreedMemoryGiveBack() { giveBackFreedMemory(); }
  FreedMemoryGiveBack(const FreedMemoryGiveBack&) = delete;
  FreedMemoryGiveBack& operator=(const FreedMemoryGiveBack&) = delete;
};

}  // namespace orvane::ui
