#include "core/route/signals/signal_images.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace cab {

namespace {

constexpr int NoPicture = 0;
constexpr int HighSpeedVehicleKmh = 160;

// Rows: head type; columns: aspect. Head types 7 and 8 give their slower
// picture for aspect 5 here.
constexpr std::array<std::array<int, 8>, 10> Pictures{{
    {1, 2, 2, 2, 3, 3, NoPicture, NoPicture},
    {4, 4, 4, 5, 6, 6, NoPicture, NoPicture},
    {7, 7, 8, 8, 9, 9, NoPicture, NoPicture},
    {10, 10, 11, 11, 12, 12, NoPicture, NoPicture},
    {13, 13, 14, 15, 16, 16, NoPicture, NoPicture},
    {17, 18, 19, 19, 20, 20, NoPicture, NoPicture},
    {21, 22, 23, 24, 25, 25, NoPicture, NoPicture},
    {26, 26, 27, 27, 28, 28, NoPicture, NoPicture},
    {30, 30, 31, 32, 33, 33, NoPicture, NoPicture},
    {35, 36, 37, 38, 39, 40, 41, 42},
}};
constexpr int Aspects = static_cast<int>(Pictures.front().size());

// The table's picture; NoPicture where it has none.
int tablePicture(int headType, int aspect, int maxSpeedKmh) {
  if (headType < 0 || headType >= static_cast<int>(Pictures.size()) || aspect < 0 || aspect >= Aspects)
    return NoPicture;
  const int picture = Pictures[static_cast<std::size_t>(headType)][static_cast<std::size_t>(aspect)];
  // The faster vehicle's proceed picture is the next one.
  if ((headType == 7 || headType == 8) && aspect == 5 && maxSpeedKmh > HighSpeedVehicleKmh) return picture + 1;
  return picture;
}

}  // namespace

int distantSignalImage(int aspect) { return aspect != 0 ? 12 : 0; }

int signalImage(int headType, int aspect, int maxSpeedKmh) {
  const int picture = tablePicture(headType, aspect, maxSpeedKmh);
  return picture != NoPicture ? picture : distantSignalImage(aspect);
}

int largestSignalImage(int headType, int maxSpeedKmh) {
  int largest = 0;
  for (int aspect = 0; aspect < Aspects; ++aspect)
    largest = std::max(largest, tablePicture(headType, aspect, maxSpeedKmh));
  return largest;
}

}  // namespace cab
