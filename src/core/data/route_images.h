#pragma once

#include <string>
#include <vector>

#include "core/common/picture.h"

namespace cab {

class DataDirectory;
class PictureLoader;
class RecordFileReader;
class SpriteModel;
struct RouteData;
struct UiStrings;

// An image list of equal cells (animations, road traffic lights): every
// picture added is cut into cells, left to right.
struct CellImageList {
  static constexpr int CellWidth = 100;
  static constexpr int CellHeight = 75;
  std::vector<Picture> cells;

  void add(const Picture& picture);
};

// The image lists the route file fills besides the cab's sprite model.
struct RouteImageLists {
  CellImageList AnimImageList;
  CellImageList TrafficsignalImageList;
};

// What the route loader needs to turn picture keys into images and sprites.
struct RouteImageTarget {
  const DataDirectory& data;
  const PictureLoader& pictures;
  const UiStrings& strings;  // W and H of the drawing surface
  SpriteModel& sprites;
  RouteImageLists& lists;
};

// Reads a picture of the data directory. A missing file fails with the name
// followed by "が見つかりません"; an undecodable one with the decoder's text.
Picture loadRoutePicture(const RouteImageTarget& target, const std::string& file);

// The key handlers; each reads its value lines from the reader.
void readSignImageList(RecordFileReader& r, const RouteImageTarget& target);
void readSignalImageList(RecordFileReader& r, const RouteImageTarget& target, RouteData& route);
void readCellImageList(RecordFileReader& r, const RouteImageTarget& target, CellImageList& list);
// The cab monitor picture "img_mon" of a matching "[Monitor]" block.
void addMonitorImage(const RouteImageTarget& target, const RouteData& route);

}  // namespace cab
