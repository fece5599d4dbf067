#include <gtest/gtest.h>

#include <string>

#include "headless_show.h"
#include "host/display.h"

namespace vantrelle::host {
namespace {

using namespace platform;

TEST_F(HeadlessShow, SetUpAsksForAFlippingPrimarySurfaceWithOneBackBuffer) {
  ASSERT_EQ(Run(), 0);
  EXPECT_EQ(display->display.cooperativeFlags, DDSCL_FULLSCREEN);
  EXPECT_NE(display->display.cooperativeWindow, 0u);
  // Exactly a primary surface that flips, with its one back buffer counted.
  const DDSURFACEDESC& asked = display->display.createdWith;
  EXPECT_EQ(asked.dwFlags, DDSD_CAPS | DDSD_BACKBUFFERCOUNT);
  EXPECT_EQ(asked.dwBackBufferCount, 1u);
  EXPECT_EQ(asked.ddsCaps.dwCaps, DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP);
}

TEST_F(HeadlessShow, SecondEnumeratedSurfaceIsReportedReleasedAndStopsTheEnumeration) {
  HeadlessDisplayConfig three;
  three.attachedSurfaces = 3;
  MakeDisplay(three);
  SetUpDisplayOnly();
  EXPECT_EQ(shell->display.backBuffer, &display->attached[0]);
  EXPECT_EQ(display->attached[0].references, 1);
  EXPECT_EQ(display->attached[1].releases, 1);
  EXPECT_EQ(display->attached[1].references, 0);
  EXPECT_EQ(display->attached[2].references, 0);  // never handed over
  ASSERT_EQ(windows.debugLines.size(), 1u);
  EXPECT_EQ(windows.debugLines[0], "TOLVAR: Enumerated more than surface?");
}

TEST_F(HeadlessShow, DisplayObjectsAreReleasedBackToFrontOnce) {
  SetUpDisplayOnly();
  ReleaseDisplayObjects(shell->display);
  ReleaseDisplayObjects(shell->display);
  const std::vector<const void*> order{&display->attached[0], &display->primary, &display->display};
  EXPECT_EQ(display->releaseOrder, order);
  EXPECT_EQ(shell->display.backBuffer, nullptr);
  EXPECT_EQ(shell->display.primary, nullptr);
  EXPECT_EQ(shell->display.directDraw, nullptr);
}

TEST_F(HeadlessShow, EachSetUpFailureShowsItsMessageAndSkipsTheShow) {
  struct Case {
    const char* message;
    void (*breakIt)(HeadlessDisplayConfig&);
  };
  const Case cases[] = {
      {"DirectDrawCreate failed.", [](HeadlessDisplayConfig& c) { c.createResult = DDERR_NODIRECTDRAWHW; }},
      {"SetCooperativeLevel failed.", [](HeadlessDisplayConfig& c) { c.cooperativeLevelResult = E_FAIL; }},
      {"Display driver doesn't support a back buffer.",
       [](HeadlessDisplayConfig& c) { c.driverSurfaceCaps = DDSCAPS_FLIP; }},
      {"Display driver doesn't support flipping surfaces.",
       [](HeadlessDisplayConfig& c) { c.driverSurfaceCaps = DDSCAPS_BACKBUFFER; }},
      {"CreateSurface failed.", [](HeadlessDisplayConfig& c) { c.createSurfaceResult = DDERR_INVALIDPARAMS; }},
      {"EnumAttachedSurfaces failed.", [](HeadlessDisplayConfig& c) { c.enumerateResult = E_FAIL; }},
  };
  for (const Case& failure : cases) {
    SCOPED_TRACE(failure.message);
    Reset();
    HeadlessDisplayConfig broken;
    failure.breakIt(broken);
    MakeDisplay(broken);

    EXPECT_EQ(Run(), 0);
    ASSERT_EQ(windows.boxes.size(), 1u);
    EXPECT_EQ(windows.boxes[0].text, failure.message);
    EXPECT_EQ(windows.boxes[0].caption, "DirectDraw Error");
    EXPECT_EQ(windows.boxes[0].type, 0x30u);
    EXPECT_EQ(windows.boxes[0].owner, 0u);
    EXPECT_EQ(loadCalls, 0);
    EXPECT_TRUE(sound.calls.empty());
    EXPECT_TRUE(times.empty());
    EXPECT_EQ(display->flips, 0);
    EXPECT_FALSE(windows.IsWindow(1));
    EXPECT_EQ(display->display.references, 0);
    EXPECT_EQ(display->primary.references, 0);
    EXPECT_EQ(display->attached[0].references, 0);
  }
}

TEST_F(HeadlessShow, NoWindowMeansNothingElseHappens) {
  windows.refuseWindows = true;
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(display->display.references, 0);
  EXPECT_EQ(display->display.releases, 0);
  EXPECT_TRUE(windows.boxes.empty());
  EXPECT_EQ(loadCalls, 0);
  EXPECT_TRUE(sound.calls.empty());
}

}  // namespace
}  // namespace vantrelle::host
