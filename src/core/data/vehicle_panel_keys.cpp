#include "core/common/data_directory.h"
#include "core/data/vehicle_keys.h"
#include "core/data/vehicle_loader.h"
#include "core/platform/picture_loader.h"
#include "core/presentation/sprite_model.h"

namespace cab::vehicle_keys {

namespace {

struct LampKey {
  const char* key;
  Lamp CabLayout::*lamp;
  const char* label;
};

const LampKey LampKeys[] = {
    {"[Panel]", &CabLayout::Panel, "- 運転台パネル"},
    {"[Panel2]", &CabLayout::Panel2, "- 運転台パネル"},
    {"[Lamp_Door]", &CabLayout::Lamp_Door, "- 運転台パネル2"},
    {"[Lamp_Power]", &CabLayout::Lamp_Power, "- 運転台パネル2"},
    {"[Lamp_EB]", &CabLayout::Lamp_EB, "- 運転台パネル2"},
    {"[Lamp_Gen]", &CabLayout::Lamp_Gen, "- 運転台パネル2"},
    {"[Lamp_Air]", &CabLayout::Lamp_Air, "- 運転台パネル2"},
    {"[Lamp_Fin]", &CabLayout::Lamp_Fin, "- 運転台パネル2"},
    {"[Lamp_Ele]", &CabLayout::Lamp_Ele, "- 運転台パネル2"},
    {"[Lamp_Ats1]", &CabLayout::Lamp_Ats1, "- 運転台パネル2"},
    {"[Lamp_Ats2]", &CabLayout::Lamp_Ats2, "- 運転台パネル2"},
    {"[Lamp_Ats3]", &CabLayout::Lamp_Ats3, "- 運転台パネル2"},
    {"[Lamp_TASC1]", &CabLayout::Lamp_TASC1, "- 運転台パネル2"},
    {"[Lamp_TASC2]", &CabLayout::Lamp_TASC2, "- 運転台パネル2"},
    {"[Lamp_TASC3]", &CabLayout::Lamp_TASC3, "- 運転台パネル2"},
    {"[Lamp_ATSP1]", &CabLayout::Lamp_ATSP1, "- 運転台パネル2"},
    {"[Lamp_ATSP2]", &CabLayout::Lamp_ATSP2, "- 運転台パネル2"},
    {"[Lamp_G]", &CabLayout::Lamp_G, "- 運転台パネル3"},
    {"[Lamp_YG]", &CabLayout::Lamp_YG, "- 運転台パネル3"},
    {"[Lamp_Y]", &CabLayout::Lamp_Y, "- 運転台パネル3"},
    {"[Lamp_YY]", &CabLayout::Lamp_YY, "- 運転台パネル3"},
    {"[Lamp_R]", &CabLayout::Lamp_R, "- 運転台パネル3"},
    {"[Lamp_Fwd]", &CabLayout::Lamp_Fwd, "- 運転台パネル3"},
    {"[Lamp_Back]", &CabLayout::Lamp_Back, "- 運転台パネル3"},
    {"[Lamp_Const]", &CabLayout::Lamp_Const, "- 運転台パネル3"},
    {"[Lamp_Stop]", &CabLayout::Lamp_Stop, "- 運転台パネル3"},
};

// How many value lines a gauge has: a needle's seven, the speedometer's and
// the ammeter's one more, or a bar's four.
enum class MeterLines { Needle, Speedometer, Ammeter, Bar };

struct MeterKey {
  const char* key;
  Meter CabLayout::*meter;
  MeterLines lines;
  const char* label;
};

const MeterKey MeterKeys[] = {
    {"[Needle_Brake]", &CabLayout::Needle_Brake, MeterLines::Needle, "- ブレーキ指令計"},
    {"[Needle_Speed]", &CabLayout::Needle_Speed, MeterLines::Speedometer, "- 速度計"},
    {"[Needle_BC]", &CabLayout::Needle_BC, MeterLines::Needle, "- BC圧力計"},
    {"[Needle_BC_L]", &CabLayout::Needle_BC_L, MeterLines::Bar, "- BC圧力計（リニア）"},
    {"[Needle_Ip_L]", &CabLayout::Needle_Ip_L, MeterLines::Bar, "- 力行電流計（リニア）"},
    {"[Needle_Ib_L]", &CabLayout::Needle_Ib_L, MeterLines::Bar, "- 制動電流計（リニア）"},
    {"[Needle_SAP]", &CabLayout::Needle_SAP, MeterLines::Needle, "- SAP圧力計"},
    {"[Needle_ER]", &CabLayout::Needle_ER, MeterLines::Needle, "- ER圧力計"},
    {"[Needle_BP]", &CabLayout::Needle_BP, MeterLines::Needle, "- BP圧力計"},
    {"[Needle_MR]", &CabLayout::Needle_MR, MeterLines::Needle, "- MR圧力計"},
    {"[Needle_MR_L]", &CabLayout::Needle_MR_L, MeterLines::Bar, "- MR圧力計（リニア）"},
    {"[Needle_V]", &CabLayout::Needle_V, MeterLines::Needle, "- 電圧計"},
    {"[Needle_I]", &CabLayout::Needle_I, MeterLines::Ammeter, "- 電流計"},
};

// The pattern pictures, with the image name and depth of their sprites.
struct PatternKey {
  const char* key;
  PatternPicture CabLayout::*picture;
  const char* imageName;
  int depth;
};

const PatternKey PatternKeys[] = {
    {"[NotchImageP]", &CabLayout::NotchImageP, "img_lamp_p", 31},
    {"[NotchImageB]", &CabLayout::NotchImageB, "img_lamp_b", 32},
    {"[NotchImageP2]", &CabLayout::NotchImageP2, "img_lamp_p2", 36},
    {"[NotchImageB2]", &CabLayout::NotchImageB2, "img_lamp_b2", 34},
    {"[GearImageList]", &CabLayout::GearImageList, "img_lamp_gear", 35},
    {"[GearImageList2]", &CabLayout::GearImageList2, "img_gearlever", 32},
    {"[Digi_Speed]", &CabLayout::Digi_Speed, "img_digi_speed", 37},
};
const PatternKey LampSignalKey = {"[Lamp_signal]", &CabLayout::Lamp_signal, "img_cabsignal", 30};

void readLamp(RecordFileReader& r, Lamp& lamp) {
  lamp.name = r.nextLine();
  lamp.Left = nextInt(r);
  lamp.Top = nextInt(r);
}

void readMeter(RecordFileReader& r, Meter& m, MeterLines lines) {
  m.name = r.nextLine();
  m.Left = nextInt(r);
  if (lines != MeterLines::Bar) {
    m.Top = nextInt(r);
    m.Width = nextInt(r);
    m.Height = nextInt(r);
  }
  m.zero = nextInt(r);
  m.one = nextReal(r);
  if (lines == MeterLines::Speedometer) m.c = nextReal(r);
  if (lines == MeterLines::Ammeter) m.sign = nextInt(r);
}

Picture loadPicture(const std::string& name, const VehicleLoadContext& context) {
  const std::string path = context.vehicleDirectory + name;
  auto bytes = context.data.readBytes(path);
  if (!bytes) throw FormatError(path + " が見つかりません");
  auto decoded = context.pictures.decode(*bytes);
  if (auto* error = std::get_if<PictureLoader::Error>(&decoded)) throw FormatError(path + ": " + error->text);
  return std::get<Picture>(std::move(decoded));
}

// Adds the picture to the cab image list, transparent in its bottom-left
// colour and cut into patterns, and a sprite that shows its first pattern.
void createPatternSprite(const PatternPicture& p, const PatternKey& key, const VehicleLoadContext& context) {
  ImageItem item{key.imageName, loadPicture(p.name, context), Transparency::BottomLeftPixel, p.patternWidth,
                 p.patternHeight};
  if (p.patternWidth < 0 || p.patternHeight < 0 || p.patternWidth > item.picture.width ||
      p.patternHeight > item.picture.height)
    throw FormatError(p.name + ": pattern size does not fit the picture");
  Sprite sprite;
  sprite.x = p.Left;
  sprite.y = p.Top;
  sprite.depth = key.depth;
  sprite.width = item.cellWidth();
  sprite.height = item.cellHeight();
  sprite.image = context.sprites.addImage(std::move(item));
  context.sprites.addSprite(sprite);
}

void readPatternPicture(RecordFileReader& r, CabLayout& cab, const PatternKey& key, const VehicleLoadContext& context) {
  PatternPicture& p = cab.*key.picture;
  p.Left = nextInt(r);
  p.Top = nextInt(r);
  p.patternWidth = nextInt(r);
  p.patternHeight = nextInt(r);
  p.name = r.nextLine();
  if (!p.name.empty()) createPatternSprite(p, key, context);
}

}  // namespace

void testPanelKeys(RecordFileReader& r, CabLayout& cab, const VehicleLoadContext& context) {
  if (r.isKey("[Clock]")) {
    r.setSectionLabel("- アナログ時計");
    cab.ClockFlagA = nextInt(r);
    cab.ClockFlagB = nextInt(r);
    cab.ClockHandLength = nextInt(r);
  }
  for (const LampKey& k : LampKeys)
    if (r.isKey(k.key)) {
      r.setSectionLabel(k.label);
      readLamp(r, cab.*k.lamp);
    }
  for (const MeterKey& k : MeterKeys)
    if (r.isKey(k.key)) {
      r.setSectionLabel(k.label);
      readMeter(r, cab.*k.meter, k.lines);
    }
  if (r.isKey(LampSignalKey.key)) {
    r.setSectionLabel(LampSignalKey.key);
    readPatternPicture(r, cab, LampSignalKey, context);
    // One speed per frame; an empty row counts and keeps its entry.
    cab.LampSignalSpeedCount = r.readTable(CabLayout::LampSignalSpeedCapacity, [&](int i) {
      if (!r.line().empty()) cab.LampSignalSpeeds[static_cast<std::size_t>(i)] = RecordFileReader::toInt(r.line());
    });
  }
  for (const PatternKey& k : PatternKeys)
    if (r.isKey(k.key)) {
      r.setSectionLabel(k.key);
      readPatternPicture(r, cab, k, context);
    }
  if (r.isKey("[Others]")) {
    r.setSectionLabel("[Others]");
    cab.OthersCount = r.readTable(CabLayout::OthersCapacity,
                                  [&](int i) {
                                    Lamp& other = cab.Others[static_cast<std::size_t>(i)];
                                    other.name = r.line();
                                    other.Left = nextInt(r);
                                    other.Top = nextInt(r);
                                  },
                                  {.stringRows = true});
  }
}

}  // namespace cab::vehicle_keys
