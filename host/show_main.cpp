#include "host/show_main.h"

#include <cstdio>

#include "assets/resolve_data_path.h"
#include "flash/reduce_flashing.h"
#include "host/display.h"
#include "host/load_music_file.h"
#include "host/main_window_proc.h"
#include "host/player.h"
#include "host/present_frame.h"
#include "host/report_soundtrack.h"
#include "host/set_up_display.h"

namespace vantrelle::host {

using namespace platform;

namespace {

constexpr std::uint32_t kRedrawOnResize = 3;  // CS_HREDRAW | CS_VREDRAW
constexpr std::uint32_t kIconResource = 101;
constexpr std::uint32_t kArrowCursor = 0x7F00;  // IDC_ARROW
constexpr std::uint32_t kBlackBrush = 4;        // BLACK_BRUSH
constexpr std::uint32_t kTopmost = 0x8;         // WS_EX_TOPMOST
constexpr std::uint32_t kPopup = 0x80000000;    // WS_POPUP: no caption, no border
constexpr int kMixRate = 22050;                 // Hz
constexpr int kSoftwareChannels = 2;
constexpr char kDataErrorCaption[] = "Vantrelle X2: data error";

// Shows the recorded set-up failure, if any, on standard error and in a box.
void ReportError(const ShellState& shell) {
  if (shell.errorMessage != nullptr) {
    std::fprintf(stderr, "vantrelle: %s\n", shell.errorMessage);
    shell.platform.windows.MessageBox(0, shell.errorMessage, "DirectDraw Error", MB_OK | MB_ICONEXCLAMATION);
  }
}

// The bar's marks: where each segment of the score begins.
ProgressMarks MarksOf(std::span<const SegmentInfo> segments) {
  ProgressMarks marks;
  marks.lengthMs = kShowLengthMs;
  for (const SegmentInfo& segment : segments) {
    if (marks.count < marks.startsMs.size()) {
      marks.startsMs[marks.count++] = segment.start;
    }
  }
  return marks;
}

// Carries out one input of the desktop's player: the clock moves here, the
// music moves with it, to the sample.
void ApplyPlayerEvent(const PlayerEvent& event, std::uint32_t tick, Player& player, SoundLibrary& sound,
                      FSOUND_STREAM* musicStream, int channel) {
  switch (event.action) {
    case PlayerAction::kTogglePause:
      if (!player.TogglePause(tick)) {
        sound.FSOUND_Stream_SetTime(musicStream, player.Now(tick));  // on from exactly the moment held
      }
      sound.FSOUND_SetPaused(channel, player.Paused());
      break;
    case PlayerAction::kSeekBy:
      sound.FSOUND_Stream_SetTime(musicStream, player.SeekBy(event.ms, tick));
      break;
    case PlayerAction::kSeekTo:
      sound.FSOUND_Stream_SetTime(musicStream, player.SeekTo(event.ms, tick));
      break;
    case PlayerAction::kToggleMute:
      sound.FSOUND_SetMute(channel, player.ToggleMute());
      break;
    case PlayerAction::kPointerMoved:
      player.PointerMoved(tick);
      break;
    case PlayerAction::kToggleReducedFlashing:
      break;  // the picture's business, not the clock's
  }
}

}  // namespace

int ShowMain(ShellState& shell, const ShowOperations& operations, const ShowConfig& config) {
  const PlatformServices& services = shell.platform;
  WindowManager& windows = services.windows;
  SoundLibrary& sound = services.sound;
  PlayerControls& controls = services.controls;
  DisplayObjects& display = shell.display;

  WNDCLASS windowClass;
  windowClass.style = kRedrawOnResize;
  windowClass.lpfnWndProc = MainWindowProc;
  windowClass.hInstance = config.instance;
  windowClass.iconResource = kIconResource;
  windowClass.cursorId = kArrowCursor;
  windowClass.backgroundBrush = kBlackBrush;
  windowClass.lpszClassName = "VantrelleX2";
  windowClass.context = &shell;
  windows.RegisterClass(windowClass);  // a failure shows up as the window failing

  const HWND window = windows.CreateWindowEx(kTopmost, "VantrelleX2", "Vantrelle X2", kPopup, 0, 0,
                                             windows.GetSystemMetrics(SM_CXSCREEN),
                                             windows.GetSystemMetrics(SM_CYSCREEN), 0, config.instance);
  if (window == 0) {
    return 0;
  }
  windows.ShowWindow(window, config.showCommand);
  windows.UpdateWindow(window);
  windows.SetFocus(window);

  if (SetUpDisplay(shell, window) != DD_OK) {
    ReportError(shell);
    return 0;
  }

  const Status loaded = operations.loadAndPrecompute(config.dataDirectory);
  if (!loaded.ok()) {
    // The window goes too, so that the box is not hidden behind a full-screen window.
    ReleaseDisplayObjects(display);
    windows.DestroyWindow(window);
    std::fprintf(stderr, "vantrelle: %s\n", loaded.message.c_str());
    windows.MessageBox(0, loaded.message.c_str(), kDataErrorCaption, MB_OK | MB_ICONEXCLAMATION);
    return kDataErrorExitCode;
  }

  // Both buffers of the flipping chain are black before the music starts.
  ClearBackBuffer(*display.backBuffer);
  FlipFrame(*display.primary);
  ClearBackBuffer(*display.backBuffer);
  FlipFrame(*display.primary);

  const bool soundStarted = sound.FSOUND_Init(kMixRate, kSoftwareChannels, 0);
  const std::int64_t musicBytes =
      LoadMusicFile(services.system, config.dataDirectory, kSoundtrackFileName, shell.musicBuffer);
  // The stream is handed the buffer's whole capacity; the bytes after the file are zero.
  FSOUND_STREAM* const musicStream = sound.FSOUND_Stream_Open(shell.musicBuffer.data(), FSOUND_LOADMEMORY, 0,
                                                              static_cast<int>(kSoundtrackCapacityBytes));
  if (soundStarted) {
    ReportSoundtrack(ResolveDataPath(config.dataDirectory, kSoundtrackFileName), musicBytes, shell.musicBuffer,
                     musicStream != nullptr);
  }
  sound.FSOUND_Stream_SetMode(nullptr, FSOUND_MPEG_LOWQUALITY);
  if (config.startMs > 0) {
    sound.FSOUND_Stream_SetTime(musicStream, config.startMs);
  }
  controls.SetProgressMarks(MarksOf(operations.segments));
  const int channel = sound.FSOUND_Stream_Play(0, musicStream);
  // Time 0 is the moment the music started, however long loading took.
  Player player;
  player.Start(services.system.GetTickCount(), config.startMs);

  bool reduceFlashing = config.reduceFlashing;
  MSG message;  // zeroed: a show that ends before any message was taken exits with 0
  bool playedToTheEnd = false;
  bool quit = false;
  while (!quit) {
    const std::uint32_t tick = services.system.GetTickCount();
    const DemoClock t = player.Now(tick);
    if (operations.timeline(shell.frame, t) == 0) {
      // The last frame is still shown; a loop goes on from the opening with the next one.
      if (config.loop) {
        sound.FSOUND_Stream_SetTime(musicStream, player.SeekTo(0, tick));
      } else {
        quit = true;
        playedToTheEnd = true;
      }
    }
    controls.ShowProgress(ProgressView{player.BarVisible(tick), t});
    const FrameBuffer* shown = &shell.frame;
    if (reduceFlashing) {
      if (const flash::Reduction reduction = flash::ReductionAt(t, config.flashMap); !reduction.Exact()) {
        flash::ApplyReduction(reduction, shell.frame, shell.reduced);
        shown = &shell.reduced;
      }
    }
    controls.KeepExactFrame(shown == &shell.frame ? nullptr : shell.frame.data());
    PresentFrame(*shown, *display.backBuffer);
    FlipFrame(*display.primary);
    while (windows.PeekMessage(&message, 0, 0, 0, PM_NOREMOVE)) {
      if (windows.GetMessage(&message, 0, 0, 0) == 0) {
        quit = true;
        break;
      }
      windows.TranslateMessage(&message);
      windows.DispatchMessage(&message);
    }
    PlayerEvent event;
    while (!quit && controls.TakePlayerEvent(event)) {
      if (event.action == PlayerAction::kToggleReducedFlashing) reduceFlashing = !reduceFlashing;
      ApplyPlayerEvent(event, services.system.GetTickCount(), player, sound, musicStream, channel);
    }
  }

  sound.FSOUND_Stream_Close(musicStream);
  sound.FSOUND_Close();
  ReportError(shell);
  // A show that played to its end succeeded, whatever message came last.
  return playedToTheEnd ? 0 : static_cast<int>(message.wParam);
}

}  // namespace vantrelle::host
