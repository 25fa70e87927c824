#include "core/data/route_images.h"

#include <algorithm>
#include <limits>
#include <variant>

#include "core/common/data_directory.h"
#include "core/common/rounding.h"
#include "core/data/data_error.h"
#include "core/data/record_file_reader.h"
#include "core/data/route_data.h"
#include "core/data/ui_strings.h"
#include "core/platform/picture_loader.h"
#include "core/presentation/sprite_model.h"

namespace cab {

namespace {

// Where one overlay line puts its image and sprites.
struct OverlayLine {
  const char* imageName;
  Transparency transparency;
  int patternWidth, patternHeight;  // 0: the whole picture
  int x, y, width, height;
  int depth;
  int alpha;
  int sprites;  // the level-crossing indicator shows the picture twice
};

void addOverlay(const RouteImageTarget& target, Picture picture, const OverlayLine& line) {
  ImageItem item;
  item.name = line.imageName;
  item.picture = std::move(picture);
  item.transparency = line.transparency;
  item.patternWidth = line.patternWidth;
  item.patternHeight = line.patternHeight;
  const int image = target.sprites.addImage(std::move(item));
  for (int i = 0; i < line.sprites; ++i) {
    Sprite s;
    s.image = image;
    s.x = line.x;
    s.y = line.y;
    s.width = line.width;
    s.height = line.height;
    s.depth = line.depth;
    s.alpha = line.alpha;
    target.sprites.addSprite(s);
  }
}

// Reads the next value line and creates its overlay; any failure ends the
// program with the line's own text only.
template <class Make>
void overlayLine(RecordFileReader& r, const char* errorText, Make make) {
  r.nextLine();
  try {
    make();
  } catch (const std::exception&) {
    throw DataError(std::string(errorText));
  }
}

int roundOf(long double factor, int extent) { return static_cast<int>(Round(factor * extent)); }

}  // namespace

void CellImageList::add(const Picture& picture) {
  const int count = std::max(1, picture.width / CellWidth);
  for (int c = 0; c < count; ++c) {
    Picture cell(CellWidth, CellHeight, 0xFF000000u);
    for (int y = 0; y < std::min(CellHeight, picture.height); ++y)
      for (int x = 0; x < CellWidth && c * CellWidth + x < picture.width; ++x)
        cell.at(x, y) = picture.at(c * CellWidth + x, y);
    cells.push_back(std::move(cell));
  }
}

Picture loadRoutePicture(const RouteImageTarget& target, const std::string& file) {
  auto bytes = target.data.readBytes(file);
  if (!bytes) throw FormatError(file + "が見つかりません");
  auto decoded = target.pictures.decode(*bytes);
  if (auto* error = std::get_if<PictureLoader::Error>(&decoded)) throw FormatError(file + ": " + error->text);
  return std::get<Picture>(std::move(decoded));
}

void readSignImageList(RecordFileReader& r, const RouteImageTarget& target) {
  const int W = target.strings.videoWidth;
  const int H = target.strings.videoHeight;
  const auto key = Transparency::BottomLeftPixel;
  const auto opaque = Transparency::Opaque;
  struct Line {
    const char* imageName;
    const char* errorText;
  };
  const Line lines[] = {{"img_unten_teimoku", "停目の生成エラー"},        {"img_unten_teimokuS", "停止線Sの生成エラー"},
                        {"img_unten_teimokuM", "停止線Mの生成エラー"},    {"img_unten_teimokuE", "停止線Eの生成エラー"},
                        {"img_unten_slope", "勾配標の生成エラー"},        {"img_unten_limit", "制限標の生成エラー"},
                        {"img_unten_remain", "残り距離表示の生成エラー"}, {"img_unten_cross", "踏切表示灯の生成エラー"},
                        {"img_unten_other", "その他標識の生成エラー"}};
  for (int n = 0; n < 9; ++n) {
    overlayLine(r, lines[n].errorText, [&] {
      const std::string file = r.field(1);
      const int s = r.intField(2);
      Picture picture = loadRoutePicture(target, file);
      const char* name = lines[n].imageName;
      switch (n) {
        case 0:
          return addOverlay(target, std::move(picture), {name, key, s, s, W - s, 0, s, s, 100, 255, 1});
        case 1:
        case 2:
        case 3:
          // Stop-position lines: stretched across the surface, drawn translucent.
          return addOverlay(target, std::move(picture), {name, opaque, 0, 0, 0, 0, W, s, 100, 64, 1});
        case 4:
          return addOverlay(target, std::move(picture),
                            {name, key, s, s, roundOf(0.825L, W), roundOf(0.55L, H), s, s, 100, 255, 1});
        case 5:
          return addOverlay(target, std::move(picture),
                            {name, key, s, s, roundOf(0.825L, W), roundOf(0.35L, H), s, s, 100, 255, 1});
        case 6:
          return addOverlay(target, std::move(picture),
                            {name, Transparency::Black, s, 900, W - s, 0, s, 900, 100, 255, 1});
        case 7:
          return addOverlay(target, std::move(picture), {name, key, s, s, 0, roundOf(0.4L, H), s, s, 100, 255, 2});
        default:
          return addOverlay(target, std::move(picture), {name, key, s, s, 0, roundOf(0.45L, H), s, s, 100, 255, 1});
      }
    });
  }
}

void readSignalImageList(RecordFileReader& r, const RouteImageTarget& target, RouteData& route) {
  const auto key = Transparency::BottomLeftPixel;
  overlayLine(r, "信号機の生成エラー", [&] {
    const int x = r.intField(1), y = r.intField(2), w = r.intField(3), h = r.intField(4);
    Picture picture = loadRoutePicture(target, r.field(5));
    route.SignalBaseX = x;
    route.SignalBaseY = y;
    addOverlay(target, std::move(picture), {"img_unten_signal", key, w, h, 0, 0, w, h, 100, 255, 1});
  });
  struct Line {
    const char* imageName;
    const char* errorText;
    int depth;
  };
  const Line subSignals[] = {{"img_unten_signal_S", "サブ信号機0の生成エラー", 101},
                             {"img_unten_signal_L", "サブ信号機1の生成エラー", 100},
                             {"img_unten_signal_R", "サブ信号機2の生成エラー", 100}};
  for (const Line& line : subSignals) {
    overlayLine(r, line.errorText, [&] {
      const int w = r.intField(1), h = r.intField(2);
      addOverlay(target, loadRoutePicture(target, r.field(3)),
                 {line.imageName, key, w, h, 0, 0, w, h, line.depth, 255, 1});
    });
  }
}

void readCellImageList(RecordFileReader& r, const RouteImageTarget& target, CellImageList& list) {
  // The lists have no capacity of their own: the file's length bounds them.
  r.readTable(std::numeric_limits<int>::max(), [&](int) { list.add(loadRoutePicture(target, r.line())); },
              {.stringRows = true});
}

void addMonitorImage(const RouteImageTarget& target, const RouteData& route) {
  if (route.MonitorPicture.empty()) return;
  ImageItem item;
  item.name = "img_mon";
  item.picture = loadRoutePicture(target, route.MonitorPicture);
  item.patternWidth = route.MonitorPatternWidth;
  item.patternHeight = route.MonitorPatternHeight;
  Sprite s;
  s.image = target.sprites.addImage(std::move(item));
  s.x = route.MonitorLeft;
  s.y = route.MonitorTop;
  s.width = route.MonitorPatternWidth;
  s.height = route.MonitorPatternHeight;
  s.depth = 51;
  target.sprites.addSprite(s);
}

}  // namespace cab
