// The player's clock alone; pause, mute and a paused seek past the end are
// checked through the show's loop (show_player_test.cpp), with the music.
#include "host/player.h"

#include <gtest/gtest.h>

namespace vantrelle::host {
namespace {

TEST(Player, RunsWithTheTickCountFromWhereItStarted) {
  Player player;
  player.Start(1000, 5000);
  EXPECT_EQ(player.Now(1000), 5000);
  EXPECT_EQ(player.Now(1750), 5750);
  player.Start(0xFFFFFF00u, 0);  // the tick count wraps during the show
  EXPECT_EQ(player.Now(0x100u), 512);
}

TEST(Player, SeeksMoveTheClockAndStopAtTheEndsOfTheShow) {
  const struct {
    DemoClock now;
    DemoClock delta;
    DemoClock target;
  } cases[] = {
      {10000, 5000, 15000}, {10000, -5000, 5000},   {3000, -5000, 0},
      {0, -5000, 0},        {250000, 5000, 251328}, {251328, 5000, 251328},
  };
  for (const auto& c : cases) {
    Player player;
    player.Start(100, c.now);
    EXPECT_EQ(player.SeekBy(c.delta, 100), c.target) << c.now << " + " << c.delta;
    EXPECT_EQ(player.Now(100), c.target);
    EXPECT_EQ(player.Now(140), c.target + 40);
  }
  Player player;
  player.Start(0, 0);
  EXPECT_EQ(player.SeekTo(-1, 0), 0);
  EXPECT_EQ(player.SeekTo(300000, 0), 251328);
  EXPECT_EQ(player.SeekTo(42, 0), 42);
}

TEST(Player, APausedShowStaysPausedAtTheMomentASeekChose) {
  Player player;
  player.Start(0, 0);
  player.TogglePause(8000);
  EXPECT_EQ(player.SeekBy(5000, 9000), 13000);
  EXPECT_TRUE(player.Paused());
  EXPECT_EQ(player.Now(20000), 13000);
  EXPECT_EQ(player.SeekTo(0, 21000), 0);
  EXPECT_EQ(player.Now(22000), 0);
  player.TogglePause(30000);
  EXPECT_EQ(player.Now(30500), 500);
}

TEST(Player, TheBarShowsForTwoSecondsAfterThePointerLastMoved) {
  Player player;
  EXPECT_FALSE(player.BarVisible(0));
  EXPECT_FALSE(player.BarVisible(5000));
  for (const std::uint32_t moved : {1000u, 0xFFFFFC00u}) {  // the second one across the tick count's wrap
    player.PointerMoved(moved);
    EXPECT_TRUE(player.BarVisible(moved));
    EXPECT_TRUE(player.BarVisible(moved + 1999));
    EXPECT_FALSE(player.BarVisible(moved + 2000));
    EXPECT_FALSE(player.BarVisible(moved + 60000));
  }
  player.PointerMoved(10000);
  player.PointerMoved(11500);  // a new move starts the two seconds again
  EXPECT_TRUE(player.BarVisible(13000));
}

}  // namespace
}  // namespace vantrelle::host
