#include <gtest/gtest.h>

#include "core/data/data_error.h"
#include "tests/panel/panel_fixture.h"

namespace cab {
namespace {

struct Expected {
  PanelElement element;
  const char* imageName;
  int depth;
  bool visible;
};

using E = PanelElement;

// Creation order, which also orders the sprites of equal depth.
const Expected CreationOrder[] = {
    {E::Panel, "img_Panel", 0, true},
    {E::Panel2, "img_Panel2", 50, true},
    {E::Lamp_Door, "img_Lamp_Door", 30, true},
    {E::Lamp_Power, "img_Lamp_Power", 52, true},
    {E::Lamp_EB, "img_Lamp_EB", 53, true},
    {E::Lamp_Gen, "img_Lamp_Gen", 54, true},
    {E::Lamp_Air, "img_Lamp_Air", 54, true},
    {E::Lamp_Fin, "img_Lamp_fin", 55, true},
    {E::Lamp_Ele, "img_Lamp_Ele", 26, true},
    {E::Lamp_Ats1, "img_Lamp_Ats1", 57, false},
    {E::Lamp_Ats2, "img_Lamp_Ats2", 58, false},
    {E::Lamp_Ats3, "img_Lamp_Ats3", 58, false},
    {E::Lamp_TASC1, "img_Lamp_tasc1", 58, false},
    {E::Lamp_TASC2, "img_Lamp_tasc2", 58, false},
    {E::Lamp_TASC3, "img_Lamp_tasc3", 58, false},
    {E::Lamp_ATSP1, "img_Lamp_Atsp1", 59, false},
    {E::Lamp_ATSP2, "img_Lamp_Atsp2", 60, false},
    {E::Lamp_Fwd, "img_Lamp_Fwd", 11, true},
    {E::Lamp_Back, "img_Lamp_Bck", 12, false},
    {E::Lamp_Stop, "img_Lamp_stopalert", 63, false},
    {E::Needle_Speed, "img_Needle_speed", 64, true},
    {E::Needle_Brake, "img_Needle_brake", 64, true},
    {E::Needle_ER, "img_Needle_ER", 66, true},
    {E::Needle_BP, "img_Needle_BP", 68, true},
    {E::Needle_MR, "img_Needle_MR", 65, true},
    {E::Needle_SAP, "img_Needle_SAP", 69, true},
    {E::Needle_BC, "img_Needle_BC", 67, true},
    {E::Needle_V, "img_Needle_V", 70, true},
    {E::Needle_I, "img_Needle_I", 71, true},
    {E::Lamp_Const, "img_Lamp_const", 72, false},
    {E::Needle_BC_L, "img_Needle_BC_L", 23, true},
    {E::Needle_MR_L, "img_Needle_MR_L", 24, true},
    {E::Needle_Ip_L, "img_Needle_Ip_L", 23, true},
    {E::Needle_Ib_L, "img_Needle_Ib_L", 23, true},
};

TEST(PanelCreation, EveryElementInItsOrderWithNameDepthAndVisibility) {
  testing::PanelFixture f;
  const CabPanelSprites ids = f.create();
  ASSERT_EQ(f.sprites.spriteCount(), std::size(CreationOrder) + 2);
  for (std::size_t i = 0; i < std::size(CreationOrder); ++i) {
    const Expected& e = CreationOrder[i];
    SCOPED_TRACE(e.imageName);
    ASSERT_EQ(ids[e.element].id, static_cast<SpriteId>(i));
    const Sprite& s = f.sprites.sprite(ids[e.element].id);
    EXPECT_EQ(f.sprites.image(s.image).name, e.imageName);
    EXPECT_EQ(s.depth, e.depth);
    EXPECT_EQ(s.visible, e.visible);
  }
  for (int i = 0; i < 2; ++i) {
    const Sprite& s = f.sprites.sprite(ids.others[static_cast<std::size_t>(i)].id);
    EXPECT_EQ(f.sprites.image(s.image).name, "img_other" + std::to_string(i));
    EXPECT_EQ(s.depth, 70 + i);
    EXPECT_FALSE(s.visible);
    EXPECT_EQ(s.y, f.layout.Others[static_cast<std::size_t>(i)].Top);
  }
  EXPECT_FALSE(ids.others[2].exists());
  // Equal depths draw in creation order: the speedometer under the brake needle.
  const auto order = f.sprites.drawingOrder();
  const auto at = [&](E e) { return std::find(order.begin(), order.end(), ids[e].id) - order.begin(); };
  EXPECT_LT(at(E::Needle_Speed), at(E::Needle_Brake));
  EXPECT_LT(at(E::Needle_Ip_L), at(E::Needle_MR_L));
}

TEST(PanelCreation, PlacesAtTheLayoutWithThePicturesSizeAndOnlyThePanelOpaque) {
  testing::PanelFixture f;
  const CabPanelSprites ids = f.create();
  const auto sprite = [&](E e) { return f.sprites.sprite(ids[e].id); };
  const auto image = [&](E e) { return f.sprites.image(sprite(e).image); };

  EXPECT_EQ(sprite(E::Panel).y, testing::PanelFixture::PanelTop);
  EXPECT_EQ(image(E::Panel).transparentColour(), std::nullopt);
  EXPECT_EQ(image(E::Lamp_Door).transparentColour(), testing::FakePictureLoader::pixel(48, 0, 21) & 0xFFFFFFu);
  // A needle at (Left, Top) in the size of its picture, not the layout's 190 x 190.
  const Sprite speed = sprite(E::Needle_Speed);
  EXPECT_EQ(speed.x, f.layout.Needle_Speed.Left);
  EXPECT_EQ(speed.y, f.layout.Needle_Speed.Top);
  EXPECT_EQ(speed.width, 100);
  EXPECT_EQ(speed.height, 100);
  EXPECT_EQ(ids[E::Needle_Speed].top, f.layout.Needle_Speed.Top);
  // A bar starts with its top at its zero.
  EXPECT_EQ(sprite(E::Needle_MR_L).x, f.layout.Needle_MR_L.Left);
  EXPECT_EQ(sprite(E::Needle_MR_L).y, testing::PanelFixture::BarZero);
}

TEST(PanelCreation, ElementsWithoutAFileAreNotMade) {
  testing::PanelFixture f;
  f.layout.Panel.name.clear();
  f.layout.Needle_BC.name.clear();
  f.layout.Others[0].name.clear();
  const CabPanelSprites ids = f.create();
  EXPECT_FALSE(ids[E::Panel].exists());
  EXPECT_FALSE(ids[E::Needle_BC].exists());
  EXPECT_FALSE(ids.others[0].exists());
  EXPECT_EQ(f.sprites.image(f.sprites.sprite(0).image).name, "img_Panel2");
  EXPECT_EQ(f.sprites.image(f.sprites.sprite(ids.others[1].id).image).name, "img_other1");
  EXPECT_EQ(f.sprites.spriteCount(), std::size(CreationOrder) - 2 + 1);
}

TEST(PanelCreation, APictureThatCannotBeMadeHaltsWithItsFileName) {
  struct Case {
    const char* what;
    void (*breakIt)(testing::PanelFixture&);
    const char* message;
  };
  const Case cases[] = {
      {"missing lamp", [](testing::PanelFixture& f) { f.layout.Lamp_Fin.name = "gone.bmp"; }, "gone.bmpの生成エラー"},
      {"undecodable bar",
       [](testing::PanelFixture& f) {
         f.writeFile("bad.bmp", "not a picture");
         f.layout.Needle_Ib_L.name = "bad.bmp";
       },
       "bad.bmpの生成エラー"},
      {"missing extra picture", [](testing::PanelFixture& f) { f.layout.Others[1].name = "x\\none.png"; },
       "x\\none.pngの生成エラー"},
  };
  for (const Case& c : cases) {
    testing::PanelFixture f;
    c.breakIt(f);
    try {
      f.create();
      ADD_FAILURE() << c.what << ": no halt";
    } catch (const HaltError& e) {
      EXPECT_EQ(e.messages(), std::vector<std::string>{c.message}) << c.what;
    }
  }
}

TEST(PanelCreation, FindsThePatternPicturesMadeWhileTheFilesWereRead) {
  testing::PanelFixture f;
  const SpriteId notch = f.addPattern("img_lamp_p", 5, 712);
  const SpriteId monitor = f.addPattern("img_mon", 4, 200);
  const CabPanelSprites ids = f.create();
  EXPECT_EQ(ids[PanelPattern::NotchImageP].id, notch);
  EXPECT_EQ(ids[PanelPattern::NotchImageP].top, 712);
  EXPECT_EQ(ids[PanelPattern::Monitor].id, monitor);
  EXPECT_EQ(ids[PanelPattern::Monitor].top, 200);
  EXPECT_FALSE(ids[PanelPattern::Digi_Speed].exists());
}

}  // namespace
}  // namespace cab
