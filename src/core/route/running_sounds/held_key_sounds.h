#pragma once

#include "core/common/fixed4.h"

namespace cab {

class SoundMixer;
struct TrainState;
struct VehicleSpec;

// The frame loop's horn state: the clock when the last horn part began
// (both horns share it), and the main-reservoir needle's dip while a horn
// blows with the step by which it recovers.
struct HornState {
  int hornMark = 0;
  Fixed4 mrHornDrop;  // kPa, shown on the main-reservoir needle
  long double mrHornRecover = 1;
};

// The keys held in this frame: the first horn ("3"), the second ("6") and
// the hasten or buzzer key ("4").
struct HeldSoundKeys {
  bool horn1 = false;
  bool horn2 = false;
  bool key4 = false;
};

// The held horns ("[Sound_Horn4]" for the first, "[Sound_Horn2]" for the
// second, when they name their parts): a start part, then two body parts
// taking turns while the key stays down, each begun once the part before has
// sounded for the horn's interval (clock units), and the end part once the
// key is up.
void heldHorns(const HeldSoundKeys& keys, const VehicleSpec& v, int clock, HornState& s, SoundMixer& mixer);

// The air a held horn takes from the main reservoir, and the needle's dip
// that shows it and springs back once the horn is quiet.
void hornAir(const HeldSoundKeys& keys, const VehicleSpec& v, TrainState& t, HornState& s);

// The departure-hastening chime ("[KEY4]" H): loops while the key is held
// with the doors open; releasing it ends the chime with its end sound.
void hastenChime(bool held, bool doorsOpen, const VehicleSpec& v, SoundMixer& mixer);

}  // namespace cab
