#include "core/data/sound_bank_loader.h"

#include <algorithm>
#include <span>

#include "core/common/data_directory.h"
#include "core/common/sound_length_probe.h"
#include "core/data/data_error.h"
#include "core/data/route_data.h"
#include "core/data/rows_in_use.h"
#include "core/data/vehicle_spec.h"
#include "core/platform/status_sink.h"
#include "core/sound/sound_mixer.h"

namespace cab {

namespace {

struct LoadedSound {
  WavePtr wave;
  int seconds = 0;
};

// One sound file: folder + name. An empty name loads nothing.
LoadedSound loadSound(const DataDirectory& data, const std::string& folder, const std::string& name) {
  if (name.empty()) return {};
  const std::string path = folder + name;
  const auto bytes = data.readBytes(path);
  if (!bytes) throw DataError(path + "が見つかりません");
  std::string why;
  auto wave = decodeWave(std::as_bytes(std::span(bytes->data(), bytes->size())), &why);
  if (!wave) throw DataError(path + "を読み込めません(" + why + ")");
  return {std::make_shared<const Wave>(std::move(*wave)), probeSoundLength(*bytes).seconds};
}

template <class Names>
void loadList(const DataDirectory& data, const std::string& folder, const Names& names, std::vector<WavePtr>& waves,
              std::vector<int>* seconds = nullptr) {
  for (const std::string& name : names) {
    LoadedSound s = loadSound(data, folder, name);
    waves.push_back(std::move(s.wave));
    if (seconds) seconds->push_back(s.seconds);
  }
}

// Call-out slots 0 … 39 from "[KankoSound1]", then the "[KankoSound2]"
// rows, which take the slots from 22 on.
void loadCallouts(const DataDirectory& data, const RouteData& r, SoundBank& bank) {
  const int kankoEnd = std::min(r.KankoCount, int(r.Kanko.size()));
  bank.calloutWaves.assign(std::size_t(std::max(int(r.KankoSound1.size()), kankoEnd)), nullptr);
  for (int i = 0; i < int(r.KankoSound1.size()); ++i)
    bank.calloutWaves[std::size_t(i)] = loadSound(data, "", r.KankoSound1[std::size_t(i)]).wave;
  for (int i = RouteCapacity::KankoSound1; i < kankoEnd; ++i)
    bank.calloutWaves[std::size_t(i)] = loadSound(data, "", r.Kanko[std::size_t(i)].filename).wave;
  loadList(data, "", rowsInUse(r.OtherKanko, r.OtherKankoCount), bank.otherCalloutWaves);
  loadList(data, "", rowsInUse(r.LimitKanko, r.LimitKankoCount), bank.limitCalloutWaves);
}

template <class Rows>
void loadEngineSounds(const DataDirectory& data, const std::string& folder, const Rows& rows,
                      std::vector<WavePtr>& waves) {
  for (const auto& row : rows) waves.push_back(loadSound(data, folder, row.index).wave);
}

void bindList(const std::vector<WavePtr>& waves, int base, SoundMixer& mixer) {
  for (std::size_t i = 0; i < waves.size(); ++i) {
    const int channel = base + int(i);
    if (!waves[i]) continue;
    mixer.bind(channel, waves[i]);
    mixer.stop(channel);
  }
}

}  // namespace

SoundBank loadSoundBank(const SoundSources& s, SoundMixer& mixer, StatusSink& status) {
  const VehicleSpec& v = s.vehicle;
  const RouteData& r = s.route;
  SoundBank bank;
  status.progress("DirectSoundオブジェクトを作成しています(走行音)");
  loadList(s.data, s.vehicleDirectory, rowsInUse(v.DriveSound, v.DriveSoundCount), bank.driveWaves, &bank.driveSeconds);
  status.progress("DirectSoundオブジェクトを作成しています(環境音)");
  loadList(s.data, "", rowsInUse(r.SoundData, r.SoundDataCount), bank.envWaves, &bank.envSeconds);
  status.progress("DirectSoundオブジェクトを作成しています(喚呼)");
  loadCallouts(s.data, r, bank);
  loadEngineSounds(s.data, s.vehicleDirectory, rowsInUse(v.EngineSound1, v.EngineSound1Count), bank.engineWaves1);
  loadEngineSounds(s.data, s.vehicleDirectory, rowsInUse(v.EngineSound3, v.EngineSound3Count), bank.engineWaves3);

  status.progress("サウンドを読み込んでいます");
  bindList(bank.driveWaves, 0, mixer);
  bindList(bank.envWaves, bank.routeBase(), mixer);
  bindList(bank.engineWaves1, bank.engineBase1(), mixer);
  bindList(bank.engineWaves3, bank.engineBase3(), mixer);
  bank.engineGain1.assign(bank.engineWaves1.size(), {1, 1});
  bank.engineGain3.assign(bank.engineWaves3.size(), {1, 1});
  return bank;
}

}  // namespace cab
