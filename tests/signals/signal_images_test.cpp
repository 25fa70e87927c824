#include "core/route/signals/signal_images.h"

#include <gtest/gtest.h>

#include "core/presentation/overlays/signal_heads.h"

namespace cab {
namespace {

struct ImageCase {
  int headType, aspect, maxSpeed, expected;
};

TEST(SignalImages, TableByHeadTypeAndAspect) {
  const ImageCase cases[] = {
      {0, 0, 120, 1},
      {0, 3, 120, 2},
      {0, 5, 120, 3},
      {1, 2, 120, 4},
      {1, 3, 120, 5},
      {2, 1, 120, 7},
      {2, 3, 120, 8},
      {3, 4, 120, 12},
      {4, 0, 120, 13},
      {4, 2, 120, 14},
      {4, 3, 120, 15},
      {4, 4, 120, 16},
      {5, 1, 120, 18},
      {5, 3, 120, 19},
      {6, 3, 120, 24},
      {6, 5, 120, 25},
      {7, 0, 120, 26},
      {7, 3, 120, 27},
      {8, 3, 120, 32},
      {9, 0, 120, 35},
      {9, 5, 120, 40},
      {9, 7, 120, 42},
      // Aspect 5 of head types 7 and 8: the second picture only above 160 km/h.
      {7, 5, 160, 28},
      {7, 5, 161, 29},
      {8, 5, 160, 33},
      {8, 5, 161, 34},
      {7, 4, 161, 28},
      // No entry: 12 for any aspect but stop, 0 for stop.
      {4, 6, 120, 12},
      {9, 8, 120, 12},
      {4, -1, 120, 12},
      {-1, 3, 120, 12},
      {-1, 0, 120, 0},
      {10, 0, 120, 0},
      {12, 2, 120, 12},
  };
  for (const ImageCase& c : cases)
    EXPECT_EQ(signalImage(c.headType, c.aspect, c.maxSpeed), c.expected)
        << "head type " << c.headType << ", aspect " << c.aspect << ", " << c.maxSpeed << " km/h";
  EXPECT_EQ(distantSignalImage(3), 12);
  EXPECT_EQ(distantSignalImage(0), 0);
}

// The protection and the overlays know the stop pictures by number: they are
// the stop aspect's pictures of head types 2 to 9, and a picture other than
// its head type's stop picture never is one.
TEST(SignalImages, StopPicturesAreTheStopAspectsOfHeadTypesTwoToNine) {
  for (int headType = 0; headType <= 9; ++headType) {
    const int stop = signalImage(headType, 0, 120);
    EXPECT_EQ(isStopImage(stop), headType >= 2) << "head type " << headType;
    for (int aspect = 1; aspect <= 7; ++aspect)
      for (int maxSpeed : {120, 200}) {
        const int image = signalImage(headType, aspect, maxSpeed);
        if (image != stop) {
          EXPECT_FALSE(isStopImage(image)) << "head type " << headType << ", aspect " << aspect;
        }
      }
  }
}

TEST(SignalImages, LargestPictureOfEachHeadType) {
  const int expected[] = {3, 6, 9, 12, 16, 20, 25, 28, 33, 42};
  for (int headType = 0; headType <= 9; ++headType)
    EXPECT_EQ(largestSignalImage(headType, 160), expected[headType]) << headType;
  EXPECT_EQ(largestSignalImage(7, 161), 29);
  EXPECT_EQ(largestSignalImage(8, 161), 34);
  EXPECT_EQ(largestSignalImage(-1, 160), 0);
}

}  // namespace
}  // namespace cab
