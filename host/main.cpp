// vantrelle: the show on a desktop. With no options it behaves as on the
// handheld: full screen, data beside the executable, from the beginning.
#include <CLI/CLI.hpp>

#include <cstdio>
#include <memory>
#include <string>

#include "host/show_flash_map.h"
#include "host/show_main.h"
#include "platform/decimal_option.h"
#include "platform/executable_directory.h"
#include "platform/find_data_directory.h"
#include "platform/guard_main.h"
#include "platform/non_empty_option.h"
#include "platform/sdl/sdl_desktop.h"
#include "platform/sdl/sdl_direct_draw.h"
#include "platform/sdl/sdl_sound_library.h"
#include "platform/sdl/sdl_window_manager.h"
#include "platform/system_services.h"
#include "timeline/load_and_precompute.h"
#include "timeline/timeline.h"
#include "vantrelle_version.h"

namespace {

int Main(int argc, char** argv) {
  using namespace vantrelle;

  platform::SdlDesktopConfig desktopConfig;
  host::ShowConfig showConfig;
  bool windowed = false;
  std::string dataDirectory;

  CLI::App app{
      "Vantrelle X2: a four-minute real-time show.\n"
      "Keys: Space pauses and resumes, Left and Right seek 5 s, Home goes back to the start,\n"
      "M mutes, R switches reduced flashing, Alt+Enter switches full screen, F12 saves a frame (as drawn),\n"
      "Escape ends the show.\n"
      "A click pauses and resumes; moving the pointer shows a progress bar, and a click on it seeks there."};
  app.set_version_flag("--version", std::string("vantrelle ") + kVersionText);
  app.add_flag("--window", windowed, "Run in a window instead of full screen (Alt+Enter switches)");
  app.add_option("--scale", desktopConfig.scale, "Whole-number window enlargement")
      ->transform(platform::DecimalOnly())
      ->check(CLI::Range(1, 16))
      ->capture_default_str();
  app.add_flag("--portrait", desktopConfig.portrait, "Show the display upright, as the handheld holds it");
  app.add_option("--start", showConfig.startMs, "Begin the show (and its music) this many ms in")
      ->transform(platform::DecimalOnly())
      ->check(CLI::Range(0, kShowLengthMs));
  app.add_flag("--loop", showConfig.loop, "At the end, start again from the opening, until Escape or a signal");
  app.add_flag("--reduce-flashing", showConfig.reduceFlashing,
               "Start with flashing reduced: where the show flashes, its contrast fades down (R switches)");
  bool noDialog = false;
  app.add_flag("--no-dialog", noDialog, "Errors on standard error only, never in a box (unattended runs)");
  app.add_option("--data", dataDirectory,
                 "Folder with gfx/, mesh/ and music/ (default: beside the program, else ../share/vantrelle)")
      ->check(platform::NonEmptyFolder());
  try {
    app.parse(argc, argv);
  } catch (const CLI::Success& e) {  // --help, --version
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    std::fprintf(stderr, "vantrelle: %s\n", e.what());  // one line and status 1, as the render tool
    return 1;
  }

  desktopConfig.fullScreen = !windowed;
  desktopConfig.dialogs = !noDialog;
  const Result<std::filesystem::path> found =
      platform::FindDataDirectory(dataDirectory, platform::ExecutableDirectory());
  if (!found.ok()) {
    std::fprintf(stderr, "vantrelle: %s\n", found.status().message.c_str());
    return host::kDataErrorExitCode;
  }
  showConfig.dataDirectory = found.value();
  showConfig.flashMap = host::ShowFlashMap(found.value(), showConfig.reduceFlashing);

  platform::SdlDesktop desktop(desktopConfig);
  if (!desktop.Start()) {
    return 1;
  }
  platform::SdlWindowManager windows(desktop);
  platform::SdlDirectDraw directDraw(desktop);
  platform::SdlSoundLibrary sound;
  platform::DesktopSystemServices system;
  // On the heap: the soundtrack buffer is too large for the stack.
  const auto shell =
      std::make_unique<host::ShellState>(host::PlatformServices{windows, directDraw, sound, system, desktop});
  const host::ShowOperations operations{LoadAndPrecompute, Timeline, ShowSegments()};
  return host::ShowMain(*shell, operations, showConfig);
}

}  // namespace

int main(int argc, char** argv) { return vantrelle::platform::RunGuarded("vantrelle", Main, argc, argv); }
