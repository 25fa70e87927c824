#include "core/route/running_sounds/station_section_sound.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/data/route_records.h"
#include "tests/route_tick/fake_sounds.h"

namespace cab {
namespace {

constexpr int RouteBase = 13;

TEST(StationSectionSound, OnlyATableOfOneRowHasASound) {
  const std::vector<Sound2Data> none, one{{2, 1, 3}}, two{{2, 1, 3}, {4, 0, 2}};
  EXPECT_FALSE(stationSectionSound(none, RouteBase));
  EXPECT_FALSE(stationSectionSound(two, RouteBase));
  const auto s = stationSectionSound(one, RouteBase);
  ASSERT_TRUE(s);
  EXPECT_EQ(s->channel, RouteBase + 2);
}

// Stations 1 and 2 start the loop as their doors close; the arrival at 3 stops it.
TEST(StationSectionSound, LoopsFromTheFirstStationToTheLast) {
  const std::vector<Sound2Data> rows{{2, 1, 3}};
  const auto s = stationSectionSound(rows, RouteBase);
  testing::TimedSounds sounds;
  const int ch = RouteBase + 2;
  stationSectionDeparture(s, 0, sounds);  // before the stretch
  EXPECT_FALSE(sounds.isPlaying(ch));
  stationSectionDeparture(s, 1, sounds);
  EXPECT_TRUE(sounds.isPlaying(ch));
  stationSectionDeparture(s, 2, sounds);  // already looping: not started again
  EXPECT_EQ(sounds.plays(ch), 1);
  stationSectionArrival(s, 2, sounds);  // not the stretch's end
  EXPECT_TRUE(sounds.isPlaying(ch));
  stationSectionArrival(s, 3, sounds);
  EXPECT_FALSE(sounds.isPlaying(ch));
  stationSectionDeparture(s, 3, sounds);  // the end station is not part of the stretch
  EXPECT_FALSE(sounds.isPlaying(ch));
}

}  // namespace
}  // namespace cab
