#pragma once
// System services for tests: the desktop's files, and a tick count that
// moves only when the test moves it (and by `advancePerRead` at each read).
#include "platform/system_services.h"

namespace vantrelle::platform {

class HeadlessSystemServices : public DesktopSystemServices {
 public:
  std::uint32_t GetTickCount() override {
    const std::uint32_t now = ticks;
    ticks += advancePerRead;
    return now;
  }

  std::uint32_t ticks = 0;           // ms
  std::uint32_t advancePerRead = 0;  // ms added after each read
};

}  // namespace vantrelle::platform
