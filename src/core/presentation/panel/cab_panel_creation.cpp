#include "core/presentation/panel/cab_panel_creation.h"

#include <algorithm>
#include <variant>

#include "core/common/data_directory.h"
#include "core/data/data_error.h"
#include "core/platform/picture_loader.h"

namespace cab {

namespace {

// A picture at (Left, Top), a needle at (Left, Top) or a bar at (Left, zero).
enum class Placement { Picture, Needle, Bar };

struct ElementSpec {
  PanelElement element;
  const char* imageName;
  int depth;
  bool visible;
  Placement placement;
  Lamp CabLayout::*lamp = nullptr;    // for a picture
  Meter CabLayout::*meter = nullptr;  // for a needle or a bar
};

constexpr ElementSpec picture(PanelElement e, const char* name, int depth, bool visible, Lamp CabLayout::*lamp) {
  return {e, name, depth, visible, Placement::Picture, lamp, nullptr};
}
constexpr ElementSpec needle(PanelElement e, const char* name, int depth, Meter CabLayout::*meter) {
  return {e, name, depth, true, Placement::Needle, nullptr, meter};
}
constexpr ElementSpec bar(PanelElement e, const char* name, int depth, Meter CabLayout::*meter) {
  return {e, name, depth, true, Placement::Bar, nullptr, meter};
}

using E = PanelElement;
using L = CabLayout;

// In creation order.
constexpr ElementSpec Elements[] = {
    picture(E::Panel, "img_Panel", 0, true, &L::Panel),
    picture(E::Panel2, "img_Panel2", 50, true, &L::Panel2),
    picture(E::Lamp_Door, "img_Lamp_Door", 30, true, &L::Lamp_Door),
    picture(E::Lamp_Power, "img_Lamp_Power", 52, true, &L::Lamp_Power),
    picture(E::Lamp_EB, "img_Lamp_EB", 53, true, &L::Lamp_EB),
    picture(E::Lamp_Gen, "img_Lamp_Gen", 54, true, &L::Lamp_Gen),
    picture(E::Lamp_Air, "img_Lamp_Air", 54, true, &L::Lamp_Air),
    picture(E::Lamp_Fin, "img_Lamp_fin", 55, true, &L::Lamp_Fin),
    picture(E::Lamp_Ele, "img_Lamp_Ele", 26, true, &L::Lamp_Ele),
    picture(E::Lamp_Ats1, "img_Lamp_Ats1", 57, false, &L::Lamp_Ats1),
    picture(E::Lamp_Ats2, "img_Lamp_Ats2", 58, false, &L::Lamp_Ats2),
    picture(E::Lamp_Ats3, "img_Lamp_Ats3", 58, false, &L::Lamp_Ats3),
    picture(E::Lamp_TASC1, "img_Lamp_tasc1", 58, false, &L::Lamp_TASC1),
    picture(E::Lamp_TASC2, "img_Lamp_tasc2", 58, false, &L::Lamp_TASC2),
    picture(E::Lamp_TASC3, "img_Lamp_tasc3", 58, false, &L::Lamp_TASC3),
    picture(E::Lamp_ATSP1, "img_Lamp_Atsp1", 59, false, &L::Lamp_ATSP1),
    picture(E::Lamp_ATSP2, "img_Lamp_Atsp2", 60, false, &L::Lamp_ATSP2),
    picture(E::Lamp_Fwd, "img_Lamp_Fwd", 11, true, &L::Lamp_Fwd),
    picture(E::Lamp_Back, "img_Lamp_Bck", 12, false, &L::Lamp_Back),
    picture(E::Lamp_Stop, "img_Lamp_stopalert", 63, false, &L::Lamp_Stop),
    needle(E::Needle_Speed, "img_Needle_speed", 64, &L::Needle_Speed),
    needle(E::Needle_Brake, "img_Needle_brake", 64, &L::Needle_Brake),
    needle(E::Needle_ER, "img_Needle_ER", 66, &L::Needle_ER),
    needle(E::Needle_BP, "img_Needle_BP", 68, &L::Needle_BP),
    needle(E::Needle_MR, "img_Needle_MR", 65, &L::Needle_MR),
    needle(E::Needle_SAP, "img_Needle_SAP", 69, &L::Needle_SAP),
    needle(E::Needle_BC, "img_Needle_BC", 67, &L::Needle_BC),
    needle(E::Needle_V, "img_Needle_V", 70, &L::Needle_V),
    needle(E::Needle_I, "img_Needle_I", 71, &L::Needle_I),
    picture(E::Lamp_Const, "img_Lamp_const", 72, false, &L::Lamp_Const),
    bar(E::Needle_BC_L, "img_Needle_BC_L", 23, &L::Needle_BC_L),
    bar(E::Needle_MR_L, "img_Needle_MR_L", 24, &L::Needle_MR_L),
    bar(E::Needle_Ip_L, "img_Needle_Ip_L", 23, &L::Needle_Ip_L),
    bar(E::Needle_Ib_L, "img_Needle_Ib_L", 23, &L::Needle_Ib_L),
};
static_assert(std::size(Elements) == CabPanelSprites::ElementCount);

constexpr int OthersDepth = 70;  // row i at 70 + i

// The image names of the pattern pictures, in PanelPattern order.
constexpr const char* PatternImageNames[] = {"img_cabsignal", "img_lamp_p",     "img_lamp_b",
                                             "img_lamp_p2",   "img_lamp_b2",    "img_lamp_gear",
                                             "img_gearlever", "img_digi_speed", "img_mon"};
static_assert(std::size(PatternImageNames) == CabPanelSprites::PatternCount);

Picture loadPicture(const std::string& name, const PanelPictureSource& source) {
  const auto bytes = source.data.readBytes(source.vehicleDirectory + name);
  if (!bytes) throw HaltError(name + "の生成エラー");
  auto decoded = source.pictures.decode(*bytes);
  if (!std::holds_alternative<Picture>(decoded)) throw HaltError(name + "の生成エラー");
  return std::get<Picture>(std::move(decoded));
}

// Adds the picture as an image and a sprite of the picture's size at (x, y).
PanelSprite addElement(const std::string& file, std::string imageName, Transparency transparency, int x, int y,
                       int depth, bool visible, const PanelPictureSource& source, SpriteModel& sprites) {
  ImageItem item{std::move(imageName), loadPicture(file, source), transparency, 0, 0};
  Sprite s;
  s.x = x;
  s.y = y;
  s.depth = depth;
  s.width = item.picture.width;
  s.height = item.picture.height;
  s.visible = visible;
  s.image = sprites.addImage(std::move(item));
  return {sprites.addSprite(s), y};
}

PanelSprite createElement(const ElementSpec& spec, const CabLayout& cab, const PanelPictureSource& source,
                          SpriteModel& sprites) {
  const Transparency transparency =
      spec.element == PanelElement::Panel ? Transparency::Opaque : Transparency::BottomLeftPixel;
  if (spec.placement == Placement::Picture) {
    const Lamp& lamp = cab.*spec.lamp;
    if (lamp.name.empty()) return {};
    return addElement(lamp.name, spec.imageName, transparency, lamp.Left, lamp.Top, spec.depth, spec.visible, source,
                      sprites);
  }
  const Meter& m = cab.*spec.meter;
  if (m.name.empty()) return {};
  const int y = spec.placement == Placement::Bar ? m.zero : m.Top;
  return addElement(m.name, spec.imageName, transparency, m.Left, y, spec.depth, spec.visible, source, sprites);
}

// The sprite that shows the first image of that name.
PanelSprite findPatternSprite(const SpriteModel& sprites, const char* imageName) {
  const int image = sprites.findImage(imageName);
  if (image < 0) return {};
  for (std::size_t i = 0; i < sprites.spriteCount(); ++i) {
    const Sprite& s = sprites.sprite(static_cast<SpriteId>(i));
    if (s.image == image) return {static_cast<SpriteId>(i), static_cast<int>(s.y)};
  }
  return {};
}

}  // namespace

CabPanelSprites createCabPanel(const CabLayout& cab, const PanelPictureSource& source, SpriteModel& sprites) {
  CabPanelSprites panel;
  for (const ElementSpec& spec : Elements) panel[spec.element] = createElement(spec, cab, source, sprites);
  const int others = std::clamp(cab.OthersCount, 0, CabLayout::OthersCapacity);
  for (int i = 0; i < others; ++i) {
    const Lamp& other = cab.Others[static_cast<std::size_t>(i)];
    if (other.name.empty()) continue;
    panel.others[static_cast<std::size_t>(i)] =
        addElement(other.name, "img_other" + std::to_string(i), Transparency::BottomLeftPixel, other.Left, other.Top,
                   OthersDepth + i, false, source, sprites);
  }
  for (std::size_t p = 0; p < CabPanelSprites::PatternCount; ++p)
    panel.patterns[p] = findPatternSprite(sprites, PatternImageNames[p]);
  return panel;
}

}  // namespace cab
