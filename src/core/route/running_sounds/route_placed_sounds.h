#pragma once

#include <span>
#include <vector>

namespace cab {

class SoundMixer;
struct AttenData;
struct DopplerData;
struct PositionSoundData;
struct RunningSoundState;
struct SwitchData;
struct SwitchSoundRow;
struct TrainState;

// The attenuation factor of the route-placed sounds: the percent of the last
// "[Atten]" zone holding the frame, 1 outside every zone.
void attenuationZones(std::span<const AttenData> rows, int frame, RunningSoundState& s);

// The "[Sound]" rows: one-shot and looping sounds the route places between
// two frames (route sound k plays on channel routeBase + k), their pitch and
// level following the speed against the row's reference speed where its
// switches say so, looping ones fading in and out over 30 frames.
void routePlacedSounds(std::span<const PositionSoundData> rows, const TrainState& t, int routeBase,
                       RunningSoundState& s, SoundMixer& mixer);

// The points: passing within 10 frames of a "[Switch]" row plays, once, the
// first "[SwitchSound]" row of its switch type whose upper speed is above the
// train's speed (nothing when none is).
void pointsSounds(std::span<const SwitchData> rows, std::span<const SwitchSoundRow> sounds, const TrainState& t,
                  RunningSoundState& s, SoundMixer& mixer);

// Sound sources beside the line ("[Doppler]"): each loops while the train is
// within its range (once the station it waits for has departed), its pitch
// shifted by the approach or retreat of a source 3 m to the side and its
// volume falling with the distance. With no source in range, all are
// stopped.
void dopplerSounds(std::span<const DopplerData> rows, const TrainState& t, const std::vector<bool>& departed,
                   int routeBase, SoundMixer& mixer);

}  // namespace cab
