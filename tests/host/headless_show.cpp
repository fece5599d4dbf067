#include "headless_show.h"

#include "host/set_up_display.h"

namespace vantrelle::host {

namespace {
HeadlessShow* current = nullptr;  // the running test, for the engine's plain function pointers
}  // namespace

void HeadlessShow::SetUp() {
  current = this;
  std::filesystem::create_directories(data.path() / "music");
  config.dataDirectory = data.path();
  MakeDisplay({});
  timeline = [this](FrameBuffer&, DemoClock) { return static_cast<int>(times.size()) < lastFrame; };
}

void HeadlessShow::TearDown() { current = nullptr; }

void HeadlessShow::MakeDisplay(const platform::HeadlessDisplayConfig& displayConfig) {
  display = std::make_unique<platform::HeadlessDirectDraw>(displayConfig);
}

int HeadlessShow::Run() {
  shell = std::make_unique<ShellState>(PlatformServices{windows, *display, sound, system, controls});
  const ShowOperations operations{[](const std::filesystem::path&) {
                                    ++current->loadCalls;
                                    return current->load();
                                  },
                                  [](FrameBuffer& frame, DemoClock t) {
                                    current->times.push_back(t);
                                    return current->timeline(frame, t);
                                  },
                                  ShowSegments()};
  return ShowMain(*shell, operations, config);
}

void HeadlessShow::SetUpDisplayOnly() {
  shell = std::make_unique<ShellState>(PlatformServices{windows, *display, sound, system, controls});
  ASSERT_EQ(SetUpDisplay(*shell, 0), platform::DD_OK);
}

void HeadlessShow::Reset() {
  windows = platform::HeadlessWindowManager{};
  sound = platform::HeadlessSoundLibrary{};
  times.clear();
  loadCalls = 0;
}

}  // namespace vantrelle::host
