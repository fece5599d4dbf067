// The engine's kernel tests in WebAssembly: runs every TEST the test files
// linked with it register and prints one line each; status 1 on a failure.
#include <cstdio>

#include "gtest/gtest.h"

int main() {
  int failed = 0;
  for (const kernel_tests::Case& test : kernel_tests::Cases()) {
    const int before = kernel_tests::failures;
    test.run();
    const bool passed = kernel_tests::failures == before;
    failed += passed ? 0 : 1;
    std::printf("%s %s\n", passed ? "passed" : "FAILED", test.name);
  }
  std::printf("kernel tests: %zu passed, %d failed\n", kernel_tests::Cases().size() - failed, failed);
  return failed ? 1 : 0;
}
