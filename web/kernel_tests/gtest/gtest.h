#pragma once
// Just enough of GoogleTest's checks to run the kernel tests in WebAssembly
// under Node.js, where GoogleTest is not built: TEST, EXPECT_/ASSERT_ EQ, NE
// and TRUE with a message streamed after them. main() is kernel_tests.cpp.
#include <cstdio>
#include <sstream>
#include <vector>

namespace kernel_tests {

struct Case {
  const char* name;
  void (*run)();
};
inline std::vector<Case>& Cases() {
  static std::vector<Case> cases;
  return cases;
}
inline int failures = 0;

struct Register {
  Register(const char* name, void (*run)()) { Cases().push_back({name, run}); }
};

// A failed check: says where, and what was streamed into it, when it ends.
class Failure {
 public:
  Failure(const char* file, int line, const char* check) : file_(file), line_(line), check_(check) { ++failures; }
  ~Failure() { std::printf("%s:%d: failed: %s %s\n", file_, line_, check_, message_.str().c_str()); }
  template <class T>
  Failure& operator<<(const T& value) {
    message_ << value;
    return *this;
  }

 private:
  const char* file_;
  int line_;
  const char* check_;
  std::ostringstream message_;
};
// Turns the streamed failure into `return;` for the ASSERT_ checks.
struct Return {
  void operator=(const Failure&) {}
};

}  // namespace kernel_tests

#define TEST(suite, name)                                                                            \
  static void suite##_##name();                                                                      \
  static const kernel_tests::Register suite##_##name##_registered(#suite "." #name, suite##_##name); \
  static void suite##_##name()
// The switch keeps an `else` after the check from binding to its `if`.
#define KERNEL_CHECK(condition, text) \
  switch (0)                          \
  case 0:                             \
  default:                            \
    if (condition) {                  \
    } else                            \
      kernel_tests::Failure(__FILE__, __LINE__, text)
#define KERNEL_ASSERT(condition, text) \
  switch (0)                           \
  case 0:                              \
  default:                             \
    if (condition) {                   \
    } else                             \
      return kernel_tests::Return() = kernel_tests::Failure(__FILE__, __LINE__, text)
#define EXPECT_TRUE(c) KERNEL_CHECK((c), #c)
#define EXPECT_EQ(a, b) KERNEL_CHECK((a) == (b), #a " == " #b)
#define EXPECT_NE(a, b) KERNEL_CHECK((a) != (b), #a " != " #b)
#define ASSERT_EQ(a, b) KERNEL_ASSERT((a) == (b), #a " == " #b)
