#include <gtest/gtest.h>

#include "tests/vehicle_data/vehicle_text.h"

namespace cab {
namespace {

using testing::minimalWith;

TEST(VehicleEdges, OptionalLines) {
  testing::VehicleText reader;
  // A ";" second horn line ends the key; the next lines are scanned as usual.
  auto v = reader.load(minimalWith("[Sound_Horn2]\n62\n;\n[Sound_Horn3]\n66\n[Length]\n25\n"));
  EXPECT_EQ(v.Sound_Horn2[0], 62);
  EXPECT_EQ(v.Sound_Horn2[1], 0);
  EXPECT_EQ(v.Sound_Horn2Air.raw(), 0);
  EXPECT_EQ(v.Sound_Horn3, 66);
  EXPECT_EQ(v.Length, 25);
  // ";" on "[Sound_EB]" sets the second value to 0; on "[EBrakeCurr]" and "[Lose_elec]" it keeps it.
  v =
      reader.load(minimalWith("[Sound_EB]\n1\n2\n[Sound_EB]\n3\n;\n[EBrakeCurr]\n500\n2.5\n[EBrakeCurr]\n600\n;\n"
                              "[Lose_elec]\n5\n7\n[Lose_elec]\n6\n; none\n"));
  EXPECT_EQ(v.Sound_EB[0], 3);
  EXPECT_EQ(v.Sound_EB[1], 0);
  EXPECT_EQ(v.EBrakeCurr, 600);
  EXPECT_EQ(v.EBrakeCurr2, 2.5L);
  EXPECT_EQ(v.Lose_elec[0], 6);
  EXPECT_EQ(v.Lose_elec[1], 7);
}

TEST(VehicleEdges, GearTypeComparesTheWholeLine) {
  testing::VehicleText reader;
  EXPECT_EQ(reader.load(minimalWith("[Gear_Type]\nMT\n[Gear_Type]\nAT \n")).Gear_Type, 1);
  EXPECT_EQ(reader.load(minimalWith("[Gear_Type]\nMT\n[Gear_Type]\nAT\n")).Gear_Type, 0);
  EXPECT_EQ(reader.load(minimalWith("[Gear_Type]\nmt\n")).Gear_Type, 0);
}

TEST(VehicleEdges, NotchModesStartWhereTheyChange) {
  testing::VehicleText reader;
  std::string notch = "[Notch]\n";
  for (int mode : {0, 0, 1, 1, 1, 2}) notch += "2\n2\n30\n60\n1\n" + std::to_string(mode) + "\n";
  auto v = reader.load(minimalWith(notch + "#\n"));
  EXPECT_EQ(v.NotchCount, 6);
  EXPECT_EQ(v.NotchModeStart[0], 0);
  EXPECT_EQ(v.NotchModeStart[1], 2);
  EXPECT_EQ(v.NotchModeStart[2], 5);
  EXPECT_EQ(v.NotchModeStart[3], 0);
}

TEST(VehicleEdges, HandleSoundsTakeTheStepsReadSoFar) {
  testing::VehicleText reader;
  // Before "[Brake]" the table has no rows: "1,2" is an ordinary line.
  auto v = reader.load("[Sound_BK]\n1,2\n" + std::string(testing::MinimalVehicleText));
  EXPECT_EQ(v.Sound_BK[0].first, 0);
  EXPECT_EQ(v.Brake, 9);
  // After it, as many rows as steps; "[Sound_BA]" one more. The rows end no table.
  v = reader.load(minimalWith("[Brake]\n3\n[Sound_BK]\n1,2\n3,4\n5\n[Sound_BA]\n1\n2\n3\n4,9\n[Cars]\n6\n"));
  EXPECT_EQ(v.Sound_BK[1].second, 4);
  EXPECT_EQ(v.Sound_BK[2].first, 5);
  EXPECT_EQ(v.Sound_BK[2].second, 0);  // a missing field reads 0
  EXPECT_EQ(v.Sound_BA[3].second, 9);
  EXPECT_EQ(v.Cars, 6);
  // A count of 0 or less reads no rows.
  v = reader.load(minimalWith("[Power]\n-1\n[Sound_PA]\n[Cars]\n3\n"));
  EXPECT_EQ(v.Cars, 3);
}

TEST(VehicleEdges, RepeatedTableStartsAgain) {
  testing::VehicleText reader;
  auto v = reader.load(minimalWith("[Suppress]\n1\n2\n3\n#\n[Suppress]\n7\n#\n"));
  EXPECT_EQ(v.SuppressCount, 1);
  EXPECT_EQ(v.Suppress[0], 7);
  EXPECT_EQ(v.Suppress[1], 2);  // kept in memory but not counted
}

TEST(VehicleEdges, EmptyPictureLinesCreateNothing) {
  testing::VehicleText reader;
  auto v = reader.load(
      minimalWith("[Panel]\n\n5\n6\n[NotchImageP]\n1\n2\n8\n6\n\n[Digi_Speed]\n3\n4\n5\n7\ncab\\digits.pic\n"));
  EXPECT_EQ(v.cabLayout.Panel.name, "");
  EXPECT_EQ(v.cabLayout.Panel.Left, 5);
  EXPECT_EQ(v.cabLayout.Panel.Top, 6);
  EXPECT_EQ(v.cabLayout.NotchImageP.patternHeight, 6);
  ASSERT_EQ(reader.sprites.spriteCount(), 1u);
  EXPECT_EQ(reader.sprites.images().size(), 1u);
  EXPECT_EQ(reader.sprites.image(0).name, "img_digi_speed");
  EXPECT_EQ(reader.sprites.findImage("img_lamp_p"), -1);
}

TEST(VehicleEdges, CabSignalSpeedsAndOthers) {
  testing::VehicleText reader;
  // An empty speed row counts and keeps its entry at 0.
  auto v =
      reader.load(minimalWith("[Lamp_signal]\n1\n2\n3\n4\n\n10\n\n30\n#\n"
                              "[Others]\na.bmp\n1\n2\nb.bmp\n3\n4\n#\n[Others]\nc.bmp\n5\n6\n#\n"));
  const CabLayout& c = v.cabLayout;
  EXPECT_EQ(c.LampSignalSpeedCount, 3);
  EXPECT_EQ(c.LampSignalSpeeds[0], 10);
  EXPECT_EQ(c.LampSignalSpeeds[1], 0);
  EXPECT_EQ(c.LampSignalSpeeds[2], 30);
  EXPECT_EQ(c.OthersCount, 1);
  EXPECT_EQ(c.Others[0].name, "c.bmp");
  EXPECT_EQ(c.Others[0].Top, 6);
  // Lists that reach the end of the file end there.
  v = reader.load(minimalWith("[Others]\na.bmp\n1\n2\n"));
  EXPECT_EQ(v.cabLayout.OthersCount, 1);
  v = reader.load(minimalWith("[DriveSound]\na.wav\nb.wav"));
  EXPECT_EQ(v.DriveSoundCount, 2);
  EXPECT_EQ(v.DriveSound[1], "b.wav");
}

TEST(VehicleEdges, KeysAreExactAndDefaultsStayZero) {
  testing::VehicleText reader;
  auto v = reader.load(minimalWith("[Handle] one handle\n1\n [Hold]\n2\n[hold]\n3\n[EngineRate] x\n600,2\n#\n"));
  EXPECT_EQ(v.Handle, 1);
  EXPECT_EQ(v.Hold, 0);
  EXPECT_EQ(v.EngineRate[0].baseRpm, 0);  // only a line of nothing but "[EngineRate]" is that key
  EXPECT_EQ(v.Pull, 0);
  EXPECT_EQ(v.KEY4, "");
}

}  // namespace
}  // namespace cab
