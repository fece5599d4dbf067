#include <gtest/gtest.h>

#include <cstdint>

#include "core/frame_buffer.h"
#include "effects/glow.h"
#include "testing/frame_hash.h"
#include "testing/synthetic_opening.h"
#include "timeline/timeline.h"

namespace vantrelle {
namespace {

// The opening's layers and rays at t ms, drawn by the scene script.
FrameBuffer OpeningFrame(std::int32_t t) {
  FrameBuffer frame;
  DrawScene(frame, t, ProductionOperations());
  return frame;
}

// Whole frames of our own effects, locked so that a change to any of them shows.
TEST(OpeningFrame, SyntheticOpeningFramesKeepTheirHashes) {
  synthetic::PrepareOpeningTables();
  EXPECT_EQ(FrameHash(OpeningFrame(0)), 14551515405948042184ull);
  EXPECT_EQ(FrameHash(OpeningFrame(3500)), 2278635985852782129ull);
  EXPECT_EQ(FrameHash(OpeningFrame(7000)), 11165714624791778300ull);
  FrameBuffer glowed = OpeningFrame(7000);
  ApplyGlow(glowed);
  EXPECT_EQ(FrameHash(glowed), 11995022313952949559ull);
}

}  // namespace
}  // namespace vantrelle
