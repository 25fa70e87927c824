#include "backends/video-ffmpeg/picture_order.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>

namespace cab {
namespace {

// A stream: the presentation position of each entry in decode order, and the key entries.
struct Stream {
  const char* name;
  std::vector<int> shown;
  std::vector<int> keys;
  bool reordering;
};

const Stream streams[] = {
    {"no reordering", {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, {0, 4, 8}, false},
    // I0 P3 B1 B2 | I6 B4 B5 P9 B7 B8: B4 and B5 lead the key frame I6 and are
    // predicted from P3, so a run from I6 loses them.
    {"open GOP with leading B-frames", {0, 3, 1, 2, 6, 4, 5, 9, 7, 8}, {0, 4}, true},
    // I0 P4 B2 b1 b3 | I5 P8 B6 B7 P9: a pyramid of B-frames in closed segments.
    {"closed GOP with a B-pyramid", {0, 4, 2, 1, 3, 5, 8, 6, 7, 9}, {0, 5}, true},
};

int segmentStart(const Stream& s, int entry) {
  return *std::prev(std::upper_bound(s.keys.begin(), s.keys.end(), entry));
}

// What a decoder run from key entry `start` puts out: every later entry in
// presentation order, but not the pictures that lead the start's key frame.
std::vector<int> decoderOutput(const Stream& s, int start) {
  std::vector<int> entries;
  for (int e = start; e < static_cast<int>(s.shown.size()); ++e)
    if (start == 0 || segmentStart(s, e) != start || s.shown[e] >= s.shown[start]) entries.push_back(e);
  std::sort(entries.begin(), entries.end(), [&](int a, int b) { return s.shown[a] < s.shown[b]; });
  return entries;
}

PictureOrder orderOf(const Stream& s) {
  PictureOrder order;
  for (int e = 0; e < static_cast<int>(s.shown.size()); ++e)
    order.add(e, std::count(s.keys.begin(), s.keys.end(), e) > 0);
  order.finish(s.reordering);
  return order;
}

// Each position, in a shuffled order, from a run begun where the order says:
// the run puts out that position's picture and places no picture wrongly.
TEST(PictureOrder, EveryPositionFromTheRunItNeeds) {
  for (const Stream& s : streams) {
    PictureOrder order = orderOf(s);
    std::vector<int> positions(s.shown.size());
    std::iota(positions.begin(), positions.end(), 0);
    std::shuffle(positions.begin(), positions.end(), std::mt19937(3));
    for (int j : positions) {
      const int start = order.runStartFor(j);
      EXPECT_TRUE(order.startsSegment(start)) << s.name;
      order.beginRun(start);
      EXPECT_TRUE(order.runPlaces(j)) << s.name;
      bool found = false;
      for (int entry : decoderOutput(s, start)) {
        const int placed = order.placeOutput(entry);
        if (placed >= 0) {
          EXPECT_EQ(placed, s.shown[entry]) << s.name << ", entry " << entry;
        }
        found = found || (placed == j && s.shown[entry] == j);
      }
      EXPECT_TRUE(found) << s.name << ", position " << j << " from a run at " << start;
    }
  }
}

TEST(PictureOrder, ARunFromAKeyFrameCountsOnFromTheKeyFramesPicture) {
  const Stream& s = streams[1];
  PictureOrder order = orderOf(s);
  // Nothing is known yet: a run from I6 cannot tell its pictures apart.
  EXPECT_EQ(order.runStartFor(7), 0);
  order.beginRun(4);
  EXPECT_FALSE(order.runPlaces(7));
  for (int entry : decoderOutput(s, 4)) EXPECT_EQ(order.placeOutput(entry), -1) << entry;
  // A run from the start, ended at I6's picture, tells where that picture goes.
  order.beginRun(0);
  EXPECT_TRUE(order.runPlaces(7));
  for (int entry : {0, 2, 3, 1, 5, 6, 4}) EXPECT_EQ(order.placeOutput(entry), s.shown[entry]);
  EXPECT_EQ(order.runStartFor(8), 4);
  EXPECT_EQ(order.runStartFor(5), 0);  // a leading picture needs the segment before
  // A decoder that puts the leading pictures out broken from a run at I6: they
  // are not trusted, the pictures after I6's are placed one after the other.
  order.beginRun(4);
  EXPECT_FALSE(order.runPlaces(5));
  EXPECT_FALSE(order.runPlaces(2));
  EXPECT_TRUE(order.runPlaces(8));
  for (int entry : {5, 6, 4, 8, 9, 7})
    EXPECT_EQ(order.placeOutput(entry), entry == 5 || entry == 6 ? -1 : s.shown[entry]) << entry;
}

TEST(PictureOrder, EmptyChunksKeepTheirFrames) {
  PictureOrder order;
  for (int slot : {0, 1, 2, 5, 6}) order.add(slot, slot == 0);
  order.finish(false);
  EXPECT_EQ(order.size(), 5);
  EXPECT_EQ(order.frames(), 7);
  const int positions[] = {0, 1, 2, 2, 2, 3, 4, 4};
  for (int n = 0; n < 8; ++n) EXPECT_EQ(order.positionOfFrame(n), positions[n]) << n;
  EXPECT_EQ(order.positionOfFrame(-1), -1);
}

}  // namespace
}  // namespace cab
