#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "core/data/route_data.h"
#include "core/route/callouts/callout_state.h"
#include "core/route/callouts/callouts.h"
#include "core/route/stations/station_state.h"
#include "core/route/track_events/track_event_state.h"
#include "core/vehicle/train_state.h"
#include "tests/callouts/callout_rig.h"

namespace cab {
namespace {

using Names = std::vector<std::string>;

struct StationRig {
  RouteData route;
  SoundBank bank = testing::calloutBank();
  CalloutState state;
  TrackEventState track;
  CalloutScene scene{track};

  StationRig() {
    route.KankoCount = 22;
    scene.zoneStation = 1;
  }
  void rows(std::vector<std::array<int, 3>> rows) {
    for (const auto& r : rows) route.StationKanko[static_cast<std::size_t>(route.StationKankoCount++)].values = r;
  }
  Names raise(int e) {
    state.queue.clear();
    station_kanko(e, CalloutSources{route, bank}, scene, state);
    Names names;
    for (const WavePtr& w : state.queue.waves)
      if (w) names.push_back(testing::nameOf(bank, w.get()));
    return names;
  }
};

TEST(StationCallouts, EachEventReadsItsRowsOfTheStationEnteredLast) {
  StationRig r;
  // station, event, value: events 0 … 5 of station 1 call slots 5 … 10; station 2's row is never read.
  r.rows({{1, 0, 5}, {1, 1, 6}, {1, 2, 7}, {1, 3, 8}, {1, 4, 9}, {1, 5, 10}, {2, 0, 11}, {1, 1, 12}});
  const struct {
    int event;
    Names expected;
  } cases[] = {
      {0, {"slot 9"}}, {1, {"slot 5"}}, {2, {"slot 6", "slot 12"}}, {3, {"slot 7"}}, {4, {"slot 20", "slot 8"}},
      {5, {"slot 10"}}};
  for (const auto& c : cases) EXPECT_EQ(r.raise(c.event), c.expected) << c.event;
}

TEST(StationCallouts, ValuesNameASlotTheKeyOrATimetableTime) {
  StationRig r;
  r.scene.shownSignal = 0;
  r.scene.shownSignalImage = 3;  // proceed
  r.scene.clock = 36000 + 750;
  r.rows({{1, 1, 999}, {1, 1, 36000}, {1, 4, 999}});
  EXPECT_EQ(r.raise(2), (Names{"slot 4", "slot 7"}));  // the key's signal call-out, then 25 s off
  EXPECT_EQ(r.raise(0), Names{});                      // the stop event queues slots only
}

TEST(StationCallouts, AnEmptyTableRaisesNothingNotEvenTheDeparture) {
  StationRig r;
  for (int e = 0; e < 6; ++e) EXPECT_EQ(r.raise(e), Names{}) << e;
}

TEST(DepartureEvent, TheFirstPowerWithTheDoorsClosedAfterAnArrival) {
  const struct {
    bool doorsOpen;
    int powerHandle;
    bool armed;
    bool raised;
  } cases[] = {{false, 1, true, true}, {true, 1, true, false}, {false, 0, true, false}, {false, 3, false, false}};
  for (const auto& c : cases) {
    TrainState t;
    t.doorsOpen = c.doorsOpen;
    t.powerHandle = c.powerHandle;
    StationState st;
    st.departureCalloutArmed = c.armed;
    EXPECT_EQ(departureEvent(t, st), c.raised);
    EXPECT_EQ(st.departureCalloutArmed, c.armed && !c.raised);
    EXPECT_FALSE(departureEvent(t, st));  // once
  }
}

}  // namespace
}  // namespace cab
