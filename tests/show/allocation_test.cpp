// Nothing is allocated while the show runs: every heap entry point of this
// program is counted while frames of every segment are drawn after start-up.
// Built only without the sanitizers, which bring allocators of their own.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>

#include "core/frame_buffer.h"
#include "show_data.h"
#include "timeline/timeline.h"

extern "C" {
void* __libc_malloc(std::size_t);
void* __libc_calloc(std::size_t, std::size_t);
void* __libc_realloc(void*, std::size_t);
void __libc_free(void*);
}

namespace {

std::atomic<bool> counting{false};
std::atomic<long> allocations{0};

void Count() {
  if (counting.load(std::memory_order_relaxed)) {
    allocations.fetch_add(1, std::memory_order_relaxed);
  }
}

}  // namespace

// The C library's entry points are enough: the C++ runtime's operator new
// and delete, every form of them, end in malloc and free.
extern "C" {
void* malloc(std::size_t bytes) {
  Count();
  return __libc_malloc(bytes);
}
void* calloc(std::size_t count, std::size_t bytes) {
  Count();
  return __libc_calloc(count, bytes);
}
void* realloc(void* p, std::size_t bytes) {
  Count();
  return __libc_realloc(p, bytes);
}
void free(void* p) {
  Count();
  __libc_free(p);
}
}

namespace vantrelle {
namespace {

TEST(ShowAllocations, NoneWhileEverySegmentIsDrawn) {
  ASSERT_TRUE(LoadShowData().ok()) << LoadShowData().message;
  static FrameBuffer frame{};
  // The counter itself must see an allocation, or the test proves nothing.
  // Direct calls, not a new-expression, which the compiler may leave out.
  counting = true;
  void* volatile probe = ::operator new(16);
  ::operator delete(probe);
  counting = false;
  ASSERT_EQ(allocations.exchange(0), 2);

  int frames = 0;
  counting = true;
  for (DemoClock t = 0; t <= kShowLengthMs; t += 33) {  // about 30 frames a second, past the end
    frames += Timeline(frame, t);
  }
  counting = false;
  EXPECT_EQ(allocations.load(), 0);
  EXPECT_EQ(frames, (kShowLengthMs + 32) / 33);
}

}  // namespace
}  // namespace vantrelle
