#include "core/data/vehicle_keys.h"

namespace cab::vehicle_keys {

namespace {

// A handle-sound table has as many rows as the handle has steps (`steps`, the
// value of `stepsKey` read so far), plus `extraRows`; it has no end line.
template <typename Row, typename ReadRow>
void handleTable(RecordFileReader& r, std::string_view key, std::string_view stepsKey, int steps, int extraRows,
                 std::array<Row, VehicleSpec::HandleSoundCapacity>& table, ReadRow readRow) {
  if (!r.isKey(key)) return;
  const int mostSteps = MostHandleSteps - extraRows;
  if (steps > mostSteps) {
    const std::string most = std::to_string(mostSteps) + " 以下";
    throw RefusedValue(needs(stepsKey, extraRows > 0 ? std::string(key) + " があるとき " + most : most));
  }
  for (int i = 0; i < steps + extraRows; ++i) {
    r.nextLine();
    readRow(table[static_cast<std::size_t>(i)]);
  }
}

void channelKey(RecordFileReader& r, std::string_view key, int& channel) {
  if (r.isKey(key)) channel = nextInt(r);
}

template <std::size_t N>
void channelsKey(RecordFileReader& r, std::string_view key, std::array<int, N>& channels) {
  if (!r.isKey(key)) return;
  for (int& c : channels) c = nextInt(r);
}

// Channels `from` to 4 of a horn (start, two body parts, end, interval) and
// the air a held horn uses (an integer line, in kPa).
void hornLines(RecordFileReader& r, std::array<int, 5>& channels, Fixed4& air, std::size_t from) {
  for (std::size_t i = from; i < channels.size(); ++i) channels[i] = nextInt(r);
  air = Fixed4(nextInt(r));
}

}  // namespace

void testSoundKeys(RecordFileReader& r, VehicleSpec& v) {
  auto pair = [&](SoundPair& p) {
    p.first = r.intField(1);
    p.second = r.intField(2);
  };
  auto single = [&](int& channel) { channel = RecordFileReader::toInt(r.line()); };
  handleTable(r, "[Sound_BK]", "[Brake]", v.Brake, 0, v.Sound_BK, pair);
  handleTable(r, "[Sound_BR]", "[Brake]", v.Brake, 0, v.Sound_BR, pair);
  handleTable(r, "[Sound_BA]", "[Brake]", v.Brake, 1, v.Sound_BA, pair);
  handleTable(r, "[Sound_PA]", "[Power]", v.Power, 0, v.Sound_PA, single);
  handleTable(r, "[Sound_PR]", "[Power]", v.Power, 0, v.Sound_PR, single);
  handleTable(r, "[Sound_PK]", "[Power]", v.Power, 0, v.Sound_PK, single);

  channelsKey(r, "[Sound_Rev]", v.Sound_Rev);
  if (r.isKey("[Sound_EB]")) {
    v.Sound_EB[0] = nextInt(r);
    v.Sound_EB[1] = absent(r.nextLine()) ? 0 : RecordFileReader::toInt(r.line());
  }
  channelsKey(r, "[Sound_Apply]", v.Sound_Apply);
  channelKey(r, "[Sound_Ats1]", v.Sound_Ats1);
  channelKey(r, "[Sound_Ats2]", v.Sound_Ats2);
  channelKey(r, "[Sound_Ats3]", v.Sound_Ats3);
  channelKey(r, "[Sound_Atc]", v.Sound_Atc);
  channelKey(r, "[Sound_Horn]", v.Sound_Horn);
  if (r.isKey("[Sound_Horn2]")) {
    // A ";" second line ends the key: the later lines are ordinary lines of the scan.
    v.Sound_Horn2[0] = nextInt(r);
    if (!absent(r.nextLine())) {
      v.Sound_Horn2[1] = RecordFileReader::toInt(r.line());
      hornLines(r, v.Sound_Horn2, v.Sound_Horn2Air, 2);
    }
  }
  channelKey(r, "[Sound_Horn3]", v.Sound_Horn3);
  if (r.isKey("[Sound_Horn4]")) hornLines(r, v.Sound_Horn4, v.Sound_Horn4Air, 0);
  channelKey(r, "[Sound_DoorOpen]", v.Sound_DoorOpen);
  channelKey(r, "[Sound_DoorClose]", v.Sound_DoorClose);
  channelsKey(r, "[Sound_Hasten]", v.Sound_Hasten);
  if (r.isKey("[KEY4]")) v.KEY4 = r.nextLine();
  channelKey(r, "[Sound_EBring]", v.Sound_EBring);
  channelKey(r, "[Sound_squeak]", v.Sound_squeak);
  channelKey(r, "[CP_Start]", v.CP_Start);
  channelKey(r, "[CP_Cnt]", v.CP_Cnt);
  channelKey(r, "[CP_End]", v.CP_End);
  channelKey(r, "[Stop]", v.Stop);
  channelKey(r, "[Buzzer]", v.Buzzer);
  channelKey(r, "[DepSign]", v.DepSign);
  channelKey(r, "[ATS_Warn]", v.ATS_Warn);
}

}  // namespace cab::vehicle_keys
