#pragma once

#include <string>

#include "core/presentation/panel/cab_panel_sprites.h"

namespace cab {

class DataDirectory;
class PictureLoader;

// Where the panel's pictures come from: the vehicle directory followed by the
// layout's file name, read through the data directory.
struct PanelPictureSource {
  const DataDirectory& data;
  const PictureLoader& pictures;
  std::string vehicleDirectory;
};

// Adds the panel pictures, lamps, needles, bar gauges and "[Others]" rows of
// the layout to the cab image list and the sprites, in their fixed order, each
// with its image name, depth and first visibility (the main panel opaque,
// every other picture transparent in its bottom-left colour); an element
// without a file name is not made. Then finds the pattern pictures made while
// the vehicle and route files were read. A picture that cannot be read or
// decoded halts with its file name followed by "の生成エラー".
CabPanelSprites createCabPanel(const CabLayout& cab, const PanelPictureSource& source, SpriteModel& sprites);

}  // namespace cab
