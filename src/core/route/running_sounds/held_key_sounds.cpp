#include "core/route/running_sounds/held_key_sounds.h"

#include <array>

#include "core/data/vehicle_spec.h"
#include "core/sound/sound_mixer.h"
#include "core/vehicle/train_state.h"

namespace cab {

namespace {

// A held horn's channels: start, two body parts, end, and the interval.
struct HornParts {
  int start, body1, body2, end, interval;

  // A vehicle without the key leaves its parts at 0: no held horn.
  bool named() const { return start != 0 || body1 != 0 || body2 != 0 || end != 0; }
};

HornParts partsOf(const std::array<int, 5>& key) { return {key[0], key[1], key[2], key[3], key[4]}; }

void blow(const HornParts& h, bool held, int clock, int& mark, SoundMixer& mixer) {
  if (!h.named()) return;
  const bool start = mixer.isPlaying(h.start);
  const bool body1 = mixer.isPlaying(h.body1);
  const bool body2 = mixer.isPlaying(h.body2);
  const bool due = clock - mark > h.interval;
  const auto begin = [&](int channel) {
    mark = clock;
    mixer.play(channel);
  };
  if (held) {
    if (!start && !body1 && !body2)
      begin(h.start);
    else if (start && !body1 && due)
      begin(h.body1);
    else if (body1 && !body2 && due)
      begin(h.body2);
    else if (body2 && !body1 && due)
      begin(h.body1);
    return;
  }
  // Released: the end part follows whichever part sounds, once it is due;
  // the parts sounding are left to finish.
  for (const bool sounding : {start, body1, body2})
    if (sounding && !mixer.isPlaying(h.end) && due) mixer.play(h.end);
}

}  // namespace

void heldHorns(const HeldSoundKeys& keys, const VehicleSpec& v, int clock, HornState& s, SoundMixer& mixer) {
  blow(partsOf(v.Sound_Horn4), keys.horn1, clock, s.hornMark, mixer);
  blow(partsOf(v.Sound_Horn2), keys.horn2, clock, s.hornMark, mixer);
}

void hornAir(const HeldSoundKeys& keys, const VehicleSpec& v, TrainState& t, HornState& s) {
  const long double first = v.Sound_Horn4Air;
  if (keys.horn1 || keys.horn2) {
    const long double q = keys.horn1 ? first : static_cast<long double>(v.Sound_Horn2Air);
    if (s.mrHornDrop >= -q) s.mrHornDrop -= q / 2;
    if (t.mrPressure > 1) t.mrPressure -= q / 10;
    if (t.mrPressure + s.mrHornDrop < 0) s.mrHornDrop = -t.mrPressure;
    return;
  }
  // The needle swings back past the pressure and settles as the step shrinks.
  if (s.mrHornDrop < 0)
    s.mrHornDrop += s.mrHornRecover;
  else if (s.mrHornDrop > 0)
    s.mrHornDrop -= s.mrHornRecover;
  else
    s.mrHornRecover = first;
  if (s.mrHornDrop != 0) s.mrHornRecover -= first / 5;
  if (s.mrHornRecover < 0) {
    s.mrHornDrop = 0;
    s.mrHornRecover = 1;
  }
}

void hastenChime(bool held, bool doorsOpen, const VehicleSpec& v, SoundMixer& mixer) {
  const int chime = v.Sound_Hasten[0];
  if (held && doorsOpen) {
    if (!mixer.isPlaying(chime)) mixer.loop(chime);
  } else if (!held && mixer.isPlaying(chime)) {
    mixer.stop(chime);
    mixer.play(v.Sound_Hasten[1]);
  }
}

}  // namespace cab
