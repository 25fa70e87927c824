#include "core/route/track_events/tunnels.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/route/track_events/track_event_state.h"

namespace cab {
namespace {

TunnelData tunnel(int start, int end, int level) { return {0, 0, level, start, end}; }

// A tunnel of level 100 from 1000 m to 1200 m ramps over its first and last 15 m.
TEST(Tunnels, TheLevelRampsOverFifteenMetresAtEitherEnd) {
  const std::vector<TunnelData> tunnels{tunnel(100000, 120000, 100)};
  const struct {
    long double position;
    bool inTunnel;
    int level;
  } cases[] = {
      {99999, false, 0},  {100000, false, 0},                          // the portal itself is outside
      {100001, true, 0},  {100007.5L, true, 0}, {100022.5L, true, 2},  // 15 cm a step, ties to even
      {100750, true, 50}, {101499, true, 100},  {101500, true, 100},  {110000, true, 100},
      {118600, true, 93}, {119985, true, 1},    {120000, false, 0},
  };
  for (const auto& c : cases) {
    TrackEventState s;
    updateTunnels(s, tunnels, c.position);
    EXPECT_EQ(s.inTunnel, c.inTunnel) << c.position;
    EXPECT_EQ(s.tunnelLevel, c.level) << c.position;
  }
}

TEST(Tunnels, TheLastMatchingRowWinsAndLevelZeroStillCountsAsATunnel) {
  TrackEventState s;
  updateTunnels(s, std::vector<TunnelData>{tunnel(0, 100000, 80), tunnel(50000, 60000, 30)}, 55000);
  EXPECT_EQ(s.tunnelLevel, 30);
  updateTunnels(s, std::vector<TunnelData>{tunnel(0, 100000, 0)}, 55000);
  EXPECT_TRUE(s.inTunnel);
  EXPECT_EQ(s.tunnelLevel, 0);
  updateTunnels(s, {}, 55000);
  EXPECT_FALSE(s.inTunnel);
}

TEST(TunnelPanel, ShownInsideATunnelUnlessVisualEffectsAreOff) {
  const struct {
    int option, level;
    bool shown;
  } cases[] = {{0, 80, true}, {0, 1, true}, {0, 0, false}, {1, 80, false}, {1, 0, false}};
  for (const auto& c : cases) EXPECT_EQ(tunnelPanelShown(c.option, c.level), c.shown) << c.option << "," << c.level;
}

}  // namespace
}  // namespace cab
