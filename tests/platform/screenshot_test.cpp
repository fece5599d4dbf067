#include <gtest/gtest.h>
#include <png.h>
#include <stdlib.h>

#include <array>
#include <filesystem>
#include <vector>

#include "platform/sdl/sdl_desktop.h"
#include "platform/sdl/sdl_window_manager.h"
#include "platform/write_png.h"

namespace vantrelle::platform {
namespace {

std::vector<MSG> received;  // what the show window's procedure was handed

LRESULT Record(HWND window, std::uint32_t message, WPARAM wParam, LPARAM lParam, void* context) {
  received.push_back(MSG{window, message, wParam, lParam});
  return static_cast<SdlWindowManager*>(context)->DefWindowProc(window, message, wParam, lParam);
}

std::vector<std::uint8_t> ReadRgb(const std::filesystem::path& file, int& width, int& height) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  std::vector<std::uint8_t> rgb;
  if (png_image_begin_read_from_file(&image, file.c_str()) != 0) {
    image.format = PNG_FORMAT_RGB;
    rgb.resize(PNG_IMAGE_SIZE(image));
    png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr);
    width = static_cast<int>(image.width);
    height = static_cast<int>(image.height);
  }
  png_image_free(&image);
  return rgb;
}

// Empties the queue the way the show's main loop does.
void DispatchWaiting(SdlWindowManager& windows) {
  MSG message;
  while (windows.PeekMessage(&message, 0, 0, 0, PM_NOREMOVE) && windows.GetMessage(&message, 0, 0, 0) > 0) {
    windows.DispatchMessage(&message);
  }
}

void PressKey(SDL_Keycode key) {
  SDL_Event event{};
  event.type = SDL_KEYDOWN;
  event.key.keysym.sym = key;
  SDL_PushEvent(&event);
  event.type = SDL_KEYUP;
  SDL_PushEvent(&event);
}

TEST(WidenRgb565, FullFieldsBecomeWhiteAndEachFieldKeepsItsPlace) {
  EXPECT_EQ(WidenRgb565(0xFFFF), (std::array<std::uint8_t, 3>{255, 255, 255}));
  EXPECT_EQ(WidenRgb565(0x0000), (std::array<std::uint8_t, 3>{0, 0, 0}));
  EXPECT_EQ(WidenRgb565(0xF800), (std::array<std::uint8_t, 3>{255, 0, 0}));
  EXPECT_EQ(WidenRgb565(0x0020), (std::array<std::uint8_t, 3>{0, 4, 0}));
  EXPECT_EQ(WidenRgb565(0x0010), (std::array<std::uint8_t, 3>{0, 0, 132}));
}

// F12 on the desktop writes the shown picture, turned back to landscape, into
// the working directory; the show's window procedure never hears of it.
TEST(Screenshot, F12SavesTheShownFrameInLandscape) {
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  const std::filesystem::path home = std::filesystem::current_path();
  std::string pattern = (std::filesystem::temp_directory_path() / "vantrelle-shot-XXXXXX").string();
  ASSERT_NE(mkdtemp(pattern.data()), nullptr);
  const std::filesystem::path directory = pattern;
  std::filesystem::current_path(directory);
  {
    SdlDesktopConfig config;
    config.fullScreen = false;
    config.scale = 1;
    SdlDesktop desktop(config);
    ASSERT_TRUE(desktop.Start());
    SdlWindowManager windows(desktop);
    WNDCLASS windowClass;
    windowClass.lpfnWndProc = Record;
    windowClass.context = &windows;  // the procedure's default processing goes back to this manager
    windowClass.lpszClassName = "Show";
    windows.RegisterClass(windowClass);
    const HWND window = windows.CreateWindowEx(0, "Show", "shot", 0, 0, 0, 240, 400, 0, 1);
    ASSERT_NE(window, 0u);
    ASSERT_TRUE(desktop.OpenRenderer());

    PressKey(SDLK_F12);  // nothing shown yet: nothing written
    DispatchWaiting(windows);
    EXPECT_TRUE(std::filesystem::is_empty(directory));

    std::array<std::uint16_t, 256 * 400> display{};  // the portrait display, pitch 256
    for (int y = 0; y < 400; ++y) {
      for (int x = 0; x < 240; ++x) {
        display[256 * y + x] = static_cast<std::uint16_t>(y * 131 + x * 7);
      }
    }
    desktop.Present(display.data(), 256);
    received.clear();
    PressKey(SDLK_F12);
    DispatchWaiting(windows);
    for (const MSG& m : received) {
      EXPECT_NE(m.message, WM_KEYDOWN);
      EXPECT_NE(m.message, WM_KEYUP);
    }

    std::vector<std::filesystem::path> shots(std::filesystem::directory_iterator(directory), {});
    ASSERT_EQ(shots.size(), 1u);
    EXPECT_TRUE(shots[0].filename().string().starts_with("vantrelle-"));
    int width = 0;
    int height = 0;
    const std::vector<std::uint8_t> rgb = ReadRgb(shots[0], width, height);
    ASSERT_EQ(width, 400);
    ASSERT_EQ(height, 240);
    int wrong = 0;
    for (int r = 0; r < 240; ++r) {
      for (int c = 0; c < 400; ++c) {
        const auto expected = WidenRgb565(display[256 * c + (239 - r)]);
        const std::uint8_t* got = &rgb[3 * (400 * r + c)];
        wrong += got[0] != expected[0] || got[1] != expected[1] || got[2] != expected[2];
      }
    }
    EXPECT_EQ(wrong, 0);

    // A second shot in the same second gets a name of its own.
    const std::filesystem::path next = FreeScreenshotPath(directory, "20260101-120000");
    std::filesystem::copy_file(shots[0], next);
    EXPECT_EQ(FreeScreenshotPath(directory, "20260101-120000").filename(), "vantrelle-20260101-120000-2.png");
    windows.DestroyWindow(window);
  }
  std::filesystem::current_path(home);
  std::filesystem::remove_all(directory);
}

}  // namespace
}  // namespace vantrelle::platform
