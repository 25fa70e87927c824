#include <gtest/gtest.h>

#include "tests/vehicle_data/vehicle_text.h"

namespace cab {
namespace {

using testing::minimalWith;
using testing::VehicleMessage;

struct ErrorCase {
  const char* what;
  std::string text;         // appended to the minimal vehicle
  std::string message;      // the halt's first message
  std::string reason = {};  // its second message, naming the key; none when empty
};

std::string rows(const std::string& row, int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += row;
  return text;
}

// A needle entry with a bad last value: the seven lines of a needle, the
// four of a bar, one more for the speedometer and the ammeter.
std::string badNeedle(const std::string& key) { return key + "\nn.bmp\n1\n2\n3\n4\n5\nx\n"; }
std::string badBar(const std::string& key) { return key + "\nb.bmp\n1\n2\nx\n"; }

class VehicleErrors : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(VehicleErrors, NamesTheGroupBeingRead) {
  testing::VehicleText reader;
  const ErrorCase& c = GetParam();
  const auto messages = reader.haltsOf(minimalWith(c.text));
  ASSERT_EQ(messages.size(), c.reason.empty() ? 1u : 2u) << c.what;
  EXPECT_EQ(messages[0], c.message) << c.what;
  if (!c.reason.empty()) {
    EXPECT_EQ(messages[1], c.reason) << c.what;
  }
}

const std::string Base = VehicleMessage + "- 列車の基本設定";

INSTANTIATE_TEST_SUITE_P(
    LabelGroups, VehicleErrors,
    ::testing::Values(
        ErrorCase{"bad mass", "[Tons]\nabc\n0\n", Base},
        ErrorCase{"missing value line", "[Handle]\n[BrakeType]\n1\n", Base},
        ErrorCase{"trailing blank", "[Cars]\n4 \n", Base},
        ErrorCase{"optional line not a real", "[EBrakeCurr]\n100\n2,5\n", Base},
        ErrorCase{"brake sound row", "[Sound_BK]\n1,x\n", Base},
        ErrorCase{"power sound row", "[Sound_PA]\n1\n2\nz\n", Base},
        ErrorCase{"horn air", "[Sound_Horn4]\n1\n2\n3\n4\n5\n0.5\n", Base},
        ErrorCase{"switch sound", "[SwitchSound]\n1,2,x\n#\n", Base},
        ErrorCase{"engine rate", "[EngineRate]\n600,x\n#\n", Base},
        ErrorCase{"notch row", "[Notch]\n1\n1\nx\n1\n1\n0\n#\n", VehicleMessage + "[Notch]"},
        ErrorCase{"notch table at the end of the file", "[Notch]\n1\n1\n10\n20\n1\n0\n", VehicleMessage + "[Notch]"},
        ErrorCase{"current header", "[CurrentP]\nx\n", VehicleMessage + "[CurrentP]"},
        ErrorCase{"current row", "[CurrentP]\n400\n2\n40\n1,2,3,4\n1,2,3,4,x\n#\n", VehicleMessage + "[CurrentP]"},
        ErrorCase{"brake current", "[BrakeCurr]\nx\n#\n", VehicleMessage + "[BrakeCurr]"},
        ErrorCase{"dynamic brake row", "[CurrentB]\n1,x,0\n#\n", VehicleMessage + "[CurrentB]"},
        ErrorCase{"engine row", "[Engine]\nx\n", VehicleMessage + "[Engine]"},
        ErrorCase{"suppress", "[Suppress]\n1.5\n#\n", VehicleMessage + "[Suppress]"},
        ErrorCase{"running sound", "[EngineSound1]\nm.wav\nx\n", VehicleMessage + "[EngineSound1]"},
        ErrorCase{"engine sounds", "[EngineSound2]\n1\nx\n", VehicleMessage + "[EngineSound2]"},
        ErrorCase{"gear sound", "[EngineSound3]\ng.wav\n1\nx\n", VehicleMessage + "[EngineSound3]"},
        ErrorCase{"clock", "[Clock]\n1\nx\n", VehicleMessage + "- アナログ時計"},
        ErrorCase{"panel", "[Panel]\np.bmp\nx\n", VehicleMessage + "- 運転台パネル"},
        ErrorCase{"door lamp", "[Lamp_Door]\nd.bmp\n1\nx\n", VehicleMessage + "- 運転台パネル2"},
        ErrorCase{"protection lamp", "[Lamp_ATSP2]\na.bmp\nx\n1\n", VehicleMessage + "- 運転台パネル2"},
        ErrorCase{"stop lamp", "[Lamp_Stop]\ns.bmp\n1\nx\n", VehicleMessage + "- 運転台パネル3"},
        ErrorCase{"brake gauge", badNeedle("[Needle_Brake]"), VehicleMessage + "- ブレーキ指令計"},
        ErrorCase{"speedometer one", badNeedle("[Needle_Speed]"), VehicleMessage + "- 速度計"},
        ErrorCase{"speedometer c", "[Needle_Speed]\nn.bmp\n1\n2\n3\n4\n5\n1.5\nx\n", VehicleMessage + "- 速度計"},
        ErrorCase{"cylinder gauge", badNeedle("[Needle_BC]"), VehicleMessage + "- BC圧力計"},
        ErrorCase{"cylinder bar", badBar("[Needle_BC_L]"), VehicleMessage + "- BC圧力計（リニア）"},
        ErrorCase{"power current bar", badBar("[Needle_Ip_L]"), VehicleMessage + "- 力行電流計（リニア）"},
        ErrorCase{"brake current bar", badBar("[Needle_Ib_L]"), VehicleMessage + "- 制動電流計（リニア）"},
        ErrorCase{"straight-air gauge", badNeedle("[Needle_SAP]"), VehicleMessage + "- SAP圧力計"},
        ErrorCase{"equalising gauge", badNeedle("[Needle_ER]"), VehicleMessage + "- ER圧力計"},
        ErrorCase{"brake pipe gauge", badNeedle("[Needle_BP]"), VehicleMessage + "- BP圧力計"},
        ErrorCase{"main reservoir gauge", badNeedle("[Needle_MR]"), VehicleMessage + "- MR圧力計"},
        ErrorCase{"main reservoir bar", badBar("[Needle_MR_L]"), VehicleMessage + "- MR圧力計（リニア）"},
        ErrorCase{"voltmeter", badNeedle("[Needle_V]"), VehicleMessage + "- 電圧計"},
        ErrorCase{"ammeter sign", "[Needle_I]\nn.bmp\n1\n2\n3\n4\n5\n0.5\nx\n", VehicleMessage + "- 電流計"},
        ErrorCase{"cab signal speed", "[Lamp_signal]\n1\n2\n3\n4\n\n10\nx\n#\n", VehicleMessage + "[Lamp_signal]"},
        ErrorCase{"notch picture position", "[NotchImageB]\n1\nx\n", VehicleMessage + "[NotchImageB]"},
        ErrorCase{"others", "[Others]\no.bmp\n1\nx\n#\n", VehicleMessage + "[Others]"}));

INSTANTIATE_TEST_SUITE_P(
    Pictures, VehicleErrors,
    ::testing::Values(ErrorCase{"missing picture", "[NotchImageP]\n1\n2\n8\n6\ncab\\none.pic\n",
                                VehicleMessage + "[NotchImageP]"},
                      ErrorCase{"undecodable picture", "[Digi_Speed]\n1\n2\n5\n7\nfull_vehicle.dat\n",
                                VehicleMessage + "[Digi_Speed]"},
                      ErrorCase{"pattern wider than the picture", "[GearImageList]\n1\n2\n25\n4\ncab\\gear.pic\n",
                                VehicleMessage + "[GearImageList]"},
                      ErrorCase{"negative pattern", "[Lamp_signal]\n1\n2\n-1\n4\ncab\\signal.pic\n#\n",
                                VehicleMessage + "[Lamp_signal]"}));

// Tables longer than their room are refused, never written past the end.
INSTANTIATE_TEST_SUITE_P(
    Capacities, VehicleErrors,
    ::testing::Values(
        ErrorCase{"brake sounds of 12 steps", "[Brake]\n12\n[Sound_BR]\n" + rows("1,2\n", 12), Base,
                  "[Brake] は 11 以下が必要です"},
        ErrorCase{"11 steps and one more row", "[Brake]\n11\n[Sound_BA]\n" + rows("1,2\n", 12), Base,
                  "[Brake] は [Sound_BA] があるとき 10 以下が必要です"},
        ErrorCase{"power sounds", "[Power]\n12\n[Sound_PK]\n" + rows("1\n", 12), Base, "[Power] は 11 以下が必要です"},
        ErrorCase{"switch sounds", "[SwitchSound]\n" + rows("1,2,3\n", 502) + "#\n", Base},
        ErrorCase{"engine rates", "[EngineRate]\n" + rows("600,2\n", 10) + "#\n", Base},
        ErrorCase{"notches", "[Notch]\n" + rows("1\n1\n10\n20\n1\n0\n", 12) + "#\n", VehicleMessage + "[Notch]"},
        ErrorCase{"power modes of the notches",
                  "[Notch]\n" + rows("1\n1\n10\n20\n1\n0\n1\n1\n10\n20\n1\n1\n", 6) + "#\n",
                  VehicleMessage + "[Notch]"},
        ErrorCase{"resistor steps", "[CurrentP]\n400\n2\n40\n" + rows("1,2,3,4,5\n", 101) + "#\n",
                  VehicleMessage + "[CurrentP]"},
        ErrorCase{"brake currents", "[BrakeCurr]\n" + rows("100\n", 11) + "#\n", VehicleMessage + "[BrakeCurr]"},
        ErrorCase{"dynamic brake steps", "[CurrentB]\n" + rows("1,2,3\n", 101) + "#\n", VehicleMessage + "[CurrentB]"},
        ErrorCase{"power mode names", "[PowerMode]\n" + rows("a,b\n", 11) + "#\n", VehicleMessage + "[PowerMode]"},
        ErrorCase{"suppress steps", "[Suppress]\n" + rows("1\n", 11) + "#\n", VehicleMessage + "[Suppress]"},
        ErrorCase{"running sounds", "[EngineSound1]\n" + rows("m.wav\n1\n" + rows("1\n", 12), 101) + "#\n",
                  VehicleMessage + "[EngineSound1]"},
        ErrorCase{"gear sounds", "[EngineSound3]\n" + rows("g.wav\n1\n1\n" + rows("1\n", 6), 101) + "#\n",
                  VehicleMessage + "[EngineSound3]"},
        ErrorCase{"drive sounds", "[DriveSound]\n" + rows("s.wav\n", 502) + "#\n", VehicleMessage + "[DriveSound]"},
        ErrorCase{"cab signal speeds", "[Lamp_signal]\n1\n2\n3\n4\n\n" + rows("10\n", 11) + "#\n",
                  VehicleMessage + "[Lamp_signal]"},
        ErrorCase{"other pictures", "[Others]\n" + rows("o.bmp\n1\n2\n", 12) + "#\n", VehicleMessage + "[Others]"}));

// Handle steps beyond the room of the handle-sound tables, with the tables or without.
INSTANTIATE_TEST_SUITE_P(
    HandleSteps, VehicleErrors,
    ::testing::Values(ErrorCase{"largest brake count", "[Brake]\n2147483647\n", Base, "[Brake] は 11 以下が必要です"},
                      ErrorCase{"12 brake steps", "[Brake]\n12\n", Base, "[Brake] は 11 以下が必要です"},
                      ErrorCase{"12 notches", "[Power]\n12\n", Base, "[Power] は 11 以下が必要です"},
                      ErrorCase{"more steps after the sound table",
                                "[Brake]\n3\n[Sound_BK]\n1,2\n3,4\n5,6\n[Brake]\n12\n", Base,
                                "[Brake] は 11 以下が必要です"}));

// Values the running gear divides by.
INSTANTIATE_TEST_SUITE_P(
    Divisors, VehicleErrors,
    ::testing::Values(
        ErrorCase{"no mass", "[Tons]\n0\n0\n", Base, "[Tons] は 1 以上が必要です"},
        ErrorCase{"below a tonne", "[Tons]\n0.9999\n0\n", Base, "[Tons] は 1 以上が必要です"},
        ErrorCase{"mass falling with load", "[Tons]\n100\n-0.1\n", Base, "[Tons] は 2行目に 0 以上が必要です"},
        ErrorCase{"no emergency pressure", "[EBPress]\n0\n0\n", Base, "[EBPress] は 1 以上が必要です"},
        ErrorCase{"no cars", "[Cars]\n0\n", Base, "[Cars] は 1 以上が必要です"},
        ErrorCase{"negative shoe friction", "[BrakeRate2]\n-0.01\n", Base, "[BrakeRate2] は 0 以上が必要です"},
        ErrorCase{"diesel without power notches", "[Engine_Type]\n0\n[Power]\n0\n", Base,
                  "[Power] は 気動車では 1 以上が必要です"},
        ErrorCase{"traction curve without v1", "[Notch]\n2\n2\n0\n60\n1\n0\n#\n", VehicleMessage + "[Notch]",
                  "[Notch] は 1番目の行の v1 と v2 に 1 以上が必要です"},
        ErrorCase{"second traction curve without v2", "[Notch]\n2\n2\n30\n60\n1\n0\n2\n2\n30\n0\n1\n0\n#\n",
                  VehicleMessage + "[Notch]", "[Notch] は 2番目の行の v1 と v2 に 1 以上が必要です"},
        ErrorCase{"resistor control without its table", "[Power_Type]\n0\n", Base,
                  "[Power_Type] は 0 (抵抗制御) のとき [CurrentP] の表が必要です"},
        ErrorCase{"resistor control without Imax", "[Power_Type]\n0\n[CurrentP]\n0\n2\n40\n#\n",
                  VehicleMessage + "[CurrentP]", "[CurrentP] は 1行目 (Imax) に 1 以上が必要です"},
        ErrorCase{"resistor control without vBase", "[Power_Type]\n0\n[CurrentP]\n400\n2\n0\n#\n",
                  VehicleMessage + "[CurrentP]", "[CurrentP] は 3行目 (vBase) に 0 より大きい値が必要です"},
        ErrorCase{"gear with equal first speeds", "[Engine_Type]\n0\n[Engine]\n10\n10\n40\n1\n1\n1\n#\n",
                  VehicleMessage + "[Engine]", "[Engine] は 1番目の行の s0 と s1 に異なる値が必要です"}));

// A file that lacks a key the drive needs blames that key, not a later check's.
TEST(VehicleFile, MissingKeysAreNamed) {
  const auto without = [](const std::string& lines) {
    std::string text = testing::MinimalVehicleText;
    const auto at = text.find(lines);
    EXPECT_NE(at, std::string::npos) << lines;
    return text.erase(at, lines.size());
  };
  struct Case {
    const char* what;
    std::string text;
    std::vector<std::string> messages;
  } cases[] = {
      {"empty file", "", {Base, "[Tons] は 1 以上が必要です"}},
      {"no [Cars]", without("[Cars]\n4\n"), {Base, "[Cars] は 1 以上が必要です"}},
      {"no [Power_Type]",
       without("[Power_Type]\n1\n"),
       {Base, "[Power_Type] は 0 (抵抗制御) のとき [CurrentP] の表が必要です"}},
  };
  testing::VehicleText reader;
  for (const Case& c : cases) EXPECT_EQ(reader.haltsOf(c.text), c.messages) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    PowerTypes, VehicleErrors,
    ::testing::Values(ErrorCase{"diesel with notch curves", "[Engine_Type]\n0\n[Notch]\n1\n1\n10\n20\n1\n0\n#\n",
                                "動力が気動車なのにNotch指定があります"},
                      ErrorCase{"diesel notch table reaching the end of the file",
                                "[Engine_Type]\n0\n[Notch]\n1\n1\n10\n20\n1\n0\n", VehicleMessage + "[Notch]"},
                      ErrorCase{"electric with gears", "[Engine]\n0\n20\n40\n1\n1\n1\n#\n",
                                "動力が電車なのにEngine指定があります"}));

TEST(VehicleFile, MissingFileIsAVehicleErrorNamingThePath) {
  testing::FakePictureLoader pictures;
  SpriteModel sprites;
  try {
    loadVehicleFile(DataDirectory(CABVIEW_FIXTURES), "vehicle\\", "none.dat", pictures, sprites);
    FAIL();
  } catch (const DataError& e) {
    EXPECT_EQ(e.messages(), (std::vector<std::string>{
                                Base, "ファイル " + std::string(CABVIEW_FIXTURES) + "/vehicle/none.dat を開けません"}));
  }
}

TEST(VehicleFile, ValuesThatDivideAreAcceptedWhenSound) {
  testing::VehicleText reader;
  EXPECT_EQ(reader.haltOf(minimalWith("[Tons]\n1\n0\n")), "");
  EXPECT_EQ(reader.haltOf(minimalWith("[Notch]\n-1\n0\n0\n0\n1\n0\n#\n")), "");  // constant-acceleration row
  EXPECT_EQ(reader.haltOf(minimalWith("[Power_Type]\n0\n[CurrentP]\n400\n2\n38.5\n#\n")), "");
  EXPECT_EQ(reader.haltOf(minimalWith("[Engine_Type]\n0\n[Engine]\n0\n20\n40\n1\n1\n1\n#\n")), "");
}

TEST(VehicleFile, HandleStepsUpToTheTablesRoomLoad) {
  testing::VehicleText reader;
  EXPECT_EQ(reader.load(minimalWith("[Brake]\n11\n[Power]\n11\n")).Brake, 11);
  EXPECT_EQ(reader.load(minimalWith("[Brake]\n10\n[Sound_BA]\n" + rows("1,2\n", 10) + "3,4\n")).Sound_BA[10].first, 3);
  EXPECT_EQ(reader.load(minimalWith("[Brake]\n-3\n[Power]\n-1\n")).Power, -1);  // no rows, no refusal
}

TEST(BrakeSteps, AutomaticBrakeHasFourPositionsBeforeTheCheck) {
  struct Case {
    int brakeType, brake, afterForce;
    bool halts;
  };
  const Case cases[] = {{0, 2, 4, false}, {0, 12, 4, false}, {1, 2, 2, true}, {2, 0, 0, true},
                        {-1, 2, 2, true}, {1, 3, 3, false},  {2, 9, 9, false}};
  for (const Case& c : cases) {
    VehicleSpec v;
    v.BrakeType = c.brakeType;
    v.Brake = c.brake;
    forceAutomaticBrakeSteps(v);
    EXPECT_EQ(v.Brake, c.afterForce) << c.brakeType << "/" << c.brake;
    if (c.halts) {
      try {
        checkBrakeSteps(v);
        ADD_FAILURE() << c.brakeType << "/" << c.brake;
      } catch (const HaltError& e) {
        EXPECT_EQ(e.messages().front(), "ブレーキの段数を3段以上に設定してください");
      }
    } else {
      EXPECT_NO_THROW(checkBrakeSteps(v)) << c.brakeType << "/" << c.brake;
    }
  }
}

}  // namespace
}  // namespace cab
