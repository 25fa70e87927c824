#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "core/common/data_directory.h"
#include "core/data/cab_layout.h"
#include "core/presentation/panel/cab_panel_creation.h"
#include "tests/vehicle_data/fake_pictures.h"

namespace cab::testing {

// A vehicle directory of fake pictures ("cab\" in a temporary data folder)
// and a layout that names every panel element, so each test can drop or
// break the parts it is about.
class PanelFixture {
 public:
  static constexpr int PanelTop = 360;
  static constexpr int BarZero = 785;

  PanelFixture() {
    std::filesystem::create_directories(root / "cab");
    writePicture("panel.pic", 800, 425);
    writePicture("lamp.pic", 48, 22);
    writePicture("needle.pic", 100, 100);
    writePicture("bar.pic", 18, 90);
    writePicture("other.pic", 20, 20);
    fillLayout();
  }
  ~PanelFixture() { std::filesystem::remove_all(root); }

  void writePicture(const std::string& name, int w, int h) {
    std::ofstream(root / "cab" / name) << "FAKE " << w << ' ' << h;
  }
  void writeFile(const std::string& name, const std::string& text) { std::ofstream(root / "cab" / name) << text; }

  CabPanelSprites create() { return createCabPanel(layout, PanelPictureSource{data, pictures, "cab\\"}, sprites); }

  // Adds a pattern picture of `frames` 10 x 10 frames as the vehicle loader would.
  SpriteId addPattern(const std::string& imageName, int frames, int top) {
    Sprite s;
    s.y = top;
    s.image = sprites.addImage(ImageItem{imageName, Picture(10 * frames, 10), Transparency::BottomLeftPixel, 10, 10});
    return sprites.addSprite(s);
  }

  // The data folder, named after the test; before `data`, which is made from it.
  const std::filesystem::path root =
      std::filesystem::temp_directory_path() / ("cabview-panel-" + std::to_string(::getpid()) + "-" +
                                                ::testing::UnitTest::GetInstance()->current_test_info()->name());
  CabLayout layout;
  FakePictureLoader pictures;
  SpriteModel sprites;
  DataDirectory data{root};

 private:
  void fillLayout() {
    layout.Panel = {"panel.pic", 0, PanelTop};
    layout.Panel2 = {"lamp.pic", 660, 426};
    int i = 0;
    for (Lamp* lamp :
         {&layout.Lamp_Door, &layout.Lamp_Power, &layout.Lamp_EB, &layout.Lamp_Gen, &layout.Lamp_Air, &layout.Lamp_Fin,
          &layout.Lamp_Ele, &layout.Lamp_Ats1, &layout.Lamp_Ats2, &layout.Lamp_Ats3, &layout.Lamp_TASC1,
          &layout.Lamp_TASC2, &layout.Lamp_TASC3, &layout.Lamp_ATSP1, &layout.Lamp_ATSP2, &layout.Lamp_Fwd,
          &layout.Lamp_Back, &layout.Lamp_Const, &layout.Lamp_Stop}) {
      *lamp = {"lamp.pic", 10 + 50 * (i % 15), 368 + 28 * (i / 15)};
      ++i;
    }
    i = 0;
    for (Meter* m : {&layout.Needle_Brake, &layout.Needle_Speed, &layout.Needle_BC, &layout.Needle_SAP,
                     &layout.Needle_ER, &layout.Needle_BP, &layout.Needle_MR, &layout.Needle_V, &layout.Needle_I}) {
      // Width and height are not drawn with: the sprite takes the picture's size.
      *m = {"needle.pic", 20 + 80 * i, 440 + i, 190, 190, -135, 0.3375L, 0, 0};
      ++i;
    }
    i = 0;
    for (Meter* m : {&layout.Needle_BC_L, &layout.Needle_MR_L, &layout.Needle_Ip_L, &layout.Needle_Ib_L})
      *m = {"bar.pic", 240 + 30 * i++, 0, 0, 0, BarZero, 0.1L, 0, 0};
    layout.Others[0] = {"other.pic", 712, 460};
    layout.Others[1] = {"other.pic", 712, 490};
    layout.OthersCount = 2;
  }
};

}  // namespace cab::testing
