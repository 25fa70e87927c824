#include "sounds.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>
#include <random>

#include "data_file.h"

namespace cab::demo {

namespace {

constexpr int Rate = 22050;
constexpr double Pi = std::numbers::pi;

using Samples = std::vector<float>;
// Named sounds and how to make each.
using SoundList = std::vector<std::pair<std::string, std::function<Samples()>>>;

Samples silence(double seconds) { return Samples(static_cast<size_t>(seconds * Rate), 0.0f); }

// A tone with a few harmonics under an attack/decay envelope.
Samples tone(double seconds, double freq, double level, double decay = 0, std::vector<double> harmonics = {1.0}) {
  Samples s = silence(seconds);
  for (size_t i = 0; i < s.size(); ++i) {
    const double t = double(i) / Rate;
    double v = 0;
    for (size_t h = 0; h < harmonics.size(); ++h) v += harmonics[h] * std::sin(2 * Pi * freq * (h + 1) * t);
    const double env =
        std::min(1.0, t / 0.01) * (decay > 0 ? std::exp(-t / decay) : 1.0) * std::min(1.0, (seconds - t) / 0.02);
    s[i] = float(level * env * v);
  }
  return s;
}

// Noise, low-passed by a one-pole filter, under an exponential envelope.
Samples noise(double seconds, double level, double smooth, double decay, unsigned seed = 1) {
  std::mt19937 rng(seed);
  std::uniform_real_distribution<double> u(-1, 1);
  Samples s = silence(seconds);
  double y = 0;
  for (size_t i = 0; i < s.size(); ++i) {
    const double t = double(i) / Rate;
    y += (u(rng) - y) * smooth;
    const double env =
        std::min(1.0, t / 0.01) * (decay > 0 ? std::exp(-t / decay) : 1.0) * std::min(1.0, (seconds - t) / 0.02);
    s[i] = float(level * env * y);
  }
  return s;
}

Samples mix(Samples a, const Samples& b, double at = 0) {
  const size_t off = static_cast<size_t>(at * Rate);
  if (a.size() < off + b.size()) a.resize(off + b.size(), 0.0f);
  for (size_t i = 0; i < b.size(); ++i) a[off + i] += b[i];
  return a;
}

Samples sequence(const std::vector<Samples>& parts) {
  Samples out;
  for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

// A loop of a motor or engine: a tone whose harmonics beat slowly, with
// whole cycles so that the loop joins without a click.
Samples hum(double seconds, double freq, double level, std::vector<double> harmonics) {
  Samples s = silence(seconds);
  const double f = std::round(freq * seconds) / seconds;
  for (size_t i = 0; i < s.size(); ++i) {
    const double t = double(i) / Rate;
    double v = 0;
    for (size_t h = 0; h < harmonics.size(); ++h) v += harmonics[h] * std::sin(2 * Pi * f * (h + 1) * t);
    s[i] = float(level * v * (0.85 + 0.15 * std::sin(2 * Pi * t / seconds * 2)));
  }
  return s;
}

// Rail joints: the two axles of a bogie over a joint, twice per loop.
Samples railJoints() {
  Samples s = noise(2.0, 0.05, 0.05, 0, 7);
  for (double at : {0.0, 0.12, 1.0, 1.12}) s = mix(s, noise(0.09, 0.5, 0.3, 0.025, unsigned(at * 100) + 3), at);
  s.resize(2 * Rate);
  return s;
}

// The rail noise of a speed band (band b is 10 b km/h). Standing (band 0) is
// a faint hum of the car; moving, the wheels roll louder and brighter with
// the speed and the bogies beat over the joints of 25 m rails, the two axles
// of a bogie 2.1 m apart. The loop holds whole joint periods.
Samples railBand(int band) {
  if (band == 0) return mix(noise(4.0, 0.03, 0.02, 0, 40), hum(4.0, 50, 0.02, {1, 0.5}));
  const double speed = 10.0 * band / 3.6;  // m/s
  const double period = 25 / speed, axles = 2.1 / speed;
  const double seconds = period * std::ceil(2.0 / period);
  Samples s = noise(seconds, 0.04 + 0.012 * band, 0.02 + 0.012 * band, 0, 41 + unsigned(band));
  const double hit = 0.25 + 0.03 * band;
  for (double at = 0.01; at + axles < seconds; at += period)
    for (double axle : {0.0, axles})
      s = mix(s, noise(0.06, hit, 0.25 + 0.02 * band, 0.02, unsigned(at * 1000 + axle * 100) + 3), at + axle);
  s.resize(size_t(seconds * Rate));
  return s;
}

// One part of a held horn: a steady tone faded in and out over `edge`
// seconds, so that overlapping parts join into one blast.
Samples hornPart(double seconds, double freq, double edge, bool fadeIn = true) {
  Samples s = tone(seconds, freq, 0.25, 0, {1, 0.7, 0.5, 0.3, 0.2});
  for (size_t i = 0; i < s.size(); ++i) {
    const double t = double(i) / Rate, left = seconds - t;
    s[i] *= float(std::min({1.0, fadeIn ? t / edge : 1.0, left / edge}));
  }
  return s;
}

// A held horn of `freq`: a start with its attack, two body parts that take
// turns (2 % apart, so their joins do not cancel), and an end that dies away.
void addHeldHorn(SoundList& sounds, const std::string& name, double freq) {
  sounds.push_back({name + "_start", [freq] { return hornPart(0.65, freq, 0.08, false); }});
  sounds.push_back({name + "_body1", [freq] { return hornPart(0.65, freq, 0.08); }});
  sounds.push_back({name + "_body2", [freq] { return hornPart(0.65, freq * 1.02, 0.08); }});
  sounds.push_back({name + "_end", [freq] { return tone(0.6, freq, 0.25, 0.15, {1, 0.7, 0.5, 0.3}); }});
}

// Syllable-like tones for call-outs and announcements: a voiced buzz whose
// pitch follows a contour, one entry per syllable.
Samples speechLike(const std::vector<double>& pitches, double syllable = 0.16) {
  Samples out;
  for (size_t k = 0; k < pitches.size(); ++k) {
    Samples syl = silence(syllable);
    for (size_t i = 0; i < syl.size(); ++i) {
      const double t = double(i) / Rate;
      const double f = pitches[k] * (1.0 + 0.08 * std::sin(Pi * t / syllable));
      double v = 0;
      for (int h = 1; h <= 6; ++h) v += std::sin(2 * Pi * f * h * t) / h * (h == 3 || h == 4 ? 1.6 : 1.0);
      syl[i] = float(0.22 * v * std::sin(Pi * t / syllable));
    }
    out.insert(out.end(), syl.begin(), syl.end());
  }
  return out;
}

Samples chime(std::vector<double> notes, double step) {
  Samples s;
  for (size_t k = 0; k < notes.size(); ++k) s = mix(s, tone(1.0, notes[k], 0.3, 0.35, {1, 0.4, 0.2}), k * step);
  return s;
}

Samples bell(double seconds) {
  Samples s = silence(seconds);
  for (double at = 0; at + 0.1 < seconds; at += 0.1) s = mix(s, tone(0.1, 1250, 0.35, 0.03, {1, 0.5, 0.3}), at);
  s.resize(size_t(seconds * Rate));
  return s;
}

Samples buzzer(double seconds) {
  Samples s = silence(seconds);
  for (size_t i = 0; i < s.size(); ++i) s[i] = float((std::fmod(double(i) / Rate * 420, 1.0) < 0.5 ? 0.2 : -0.2));
  return s;
}

Samples horn(double seconds, double freq) { return tone(seconds, freq, 0.25, 0, {1, 0.7, 0.5, 0.3, 0.2}); }

// A warbling alarm between two pitches, four times a second.
Samples warble(double seconds, double low, double high) {
  Samples s = silence(seconds);
  for (size_t i = 0; i < s.size(); ++i) {
    const double t = double(i) / Rate;
    const double f = std::fmod(t * 4, 1.0) < 0.5 ? low : high;
    s[i] = float(std::sin(2 * Pi * f * t) > 0 ? 0.18 : -0.18);
  }
  return s;
}

}  // namespace

std::string railNoiseSound(int band) {
  char name[16];
  std::snprintf(name, sizeof name, "rail_%02d", band);
  return name;
}

std::string waveBytes(const std::vector<float>& samples) {
  std::string b;
  auto u32 = [&b](uint32_t v) {
    for (int i = 0; i < 4; ++i) b += char((v >> (8 * i)) & 0xff);
  };
  auto u16 = [&b](uint16_t v) {
    b += char(v & 0xff);
    b += char(v >> 8);
  };
  const uint32_t data = static_cast<uint32_t>(samples.size() * 2);
  b += "RIFF";
  u32(36 + data);
  b += "WAVEfmt ";
  u32(16);
  u16(1);  // PCM
  u16(1);  // mono
  u32(Rate);
  u32(Rate * 2);  // bytes per second
  u16(2);         // block align
  u16(16);        // bits per sample
  b += "data";
  u32(data);
  for (float s : samples) {
    const auto v = static_cast<int16_t>(std::lround(std::clamp(s, -1.0f, 1.0f) * 32000));
    u16(static_cast<uint16_t>(v));
  }
  return b;
}

std::vector<std::string> writeSounds(const std::filesystem::path& root) {
  SoundList sounds = {
      // Vehicle: motors, their pitch set by the running-sound tables.
      {"motor_low",
       [] {
         return hum(2.0, 300, 0.25, {1, 0.1, 0.35, 0.05, 0.15});
       }},
      {"motor_high",
       [] {
         return hum(2.0, 520, 0.18, {1, 0.3, 0.1});
       }},
      {"motor_resistor",
       [] {
         return hum(2.0, 240, 0.25, {1, 0.8, 0.2, 0.4});
       }},
      {"regen",
       [] {
         return hum(2.0, 700, 0.12, {1, 0.2});
       }},
      {"engine_idle",
       [] {
         return hum(2.0, 28, 0.35, {1, 0.9, 0.7, 0.5, 0.4, 0.3});
       }},
      // The idling engine heard through open doors: louder, with its rattle.
      {"engine_idle_open",
       [] {
         return mix(hum(2.0, 28, 0.4, {1, 1, 0.8, 0.6, 0.5, 0.4}), noise(2.0, 0.08, 0.3, 0, 42));
       }},
      {"gear_whine",
       [] {
         return hum(2.0, 700, 0.12, {1, 0.3, 0.1});
       }},
      {"engine_run",
       [] {
         return hum(2.0, 55, 0.35, {1, 0.8, 0.6, 0.5, 0.3});
       }},
      {"engine_start",
       [] {
         return mix(noise(1.5, 0.3, 0.1, 0.8, 5), hum(1.5, 30, 0.3, {1, 0.6, 0.4}));
       }},
      {"engine_stop",
       [] {
         return mix(noise(1.0, 0.2, 0.1, 0.3, 6), tone(1.0, 26, 0.3, 0.3, {1, 0.7}));
       }},
      {"gear_change", [] { return noise(0.4, 0.4, 0.2, 0.08, 8); }},
      {"resistor_step", [] { return noise(0.15, 0.4, 0.4, 0.03, 9); }},
      // Controls.
      {"notch", [] { return noise(0.08, 0.6, 0.5, 0.015, 10); }},
      {"brake_step", [] { return noise(0.1, 0.5, 0.35, 0.02, 11); }},
      {"reverser", [] { return mix(noise(0.1, 0.6, 0.4, 0.02, 12), noise(0.1, 0.4, 0.2, 0.03, 13), 0.08); }},
      // Air.
      {"air_apply", [] { return noise(0.8, 0.3, 0.6, 0.3, 14); }},
      {"air_release", [] { return noise(1.2, 0.35, 0.7, 0.4, 15); }},
      {"air_emergency", [] { return noise(2.0, 0.5, 0.8, 0.8, 16); }},
      {"compressor_start",
       [] {
         return mix(hum(0.6, 40, 0.08, {1, 0.5}), noise(0.6, 0.1, 0.3, 0.3, 17));
       }},
      // The compressor under the floor: a low hum and the thump of its pistons.
      {"compressor",
       [] {
         Samples s = hum(2.0, 45, 0.06, {1, 0.6, 0.3});
         for (double at = 0; at < 1.95; at += 0.08)
           s = mix(s, noise(0.04, 0.08, 0.15, 0.01, 17 + unsigned(at * 100)), at);
         s.resize(2 * Rate);
         return s;
       }},
      {"compressor_end",
       [] {
         return tone(0.7, 45, 0.08, 0.25, {1, 0.7, 0.4});
       }},
      {"squeak",
       [] {
         return tone(1.0, 1900, 0.12, 0.4, {1, 0.3});
       }},
      // The stop bell: a ding-dong.
      {"stop",
       [] {
         return chime({1568, 1319}, 0.3);
       }},
      // Horns blown whole; the held horns' parts follow the list.
      {"horn", [] { return horn(0.9, 330); }},
      {"horn2", [] { return horn(0.9, 440); }},
      {"horn3", [] { return mix(horn(1.0, 294), horn(1.0, 370)); }},
      // Bells, chimes and buzzers.
      {"ats_chime",
       [] {
         return chime({880, 698}, 0.4);
       }},
      {"ats_bell", [] { return bell(2.0); }},
      {"ats_warn",
       [] {
         return chime({1320, 1320, 1320}, 0.2);
       }},
      {"ats_beep", [] { return tone(0.5, 2000, 0.2, 0, {1}); }},
      {"rollback", [] { return warble(1.0, 800, 1000); }},
      {"eb_alarm",
       [] {
         return sequence({tone(0.25, 1000, 0.25), silence(0.1), tone(0.25, 1000, 0.25)});
       }},
      {"buzzer", [] { return buzzer(1.0); }},
      {"hasten",
       [] {
         return chime({784, 659, 523, 659}, 0.25);
       }},
      {"hasten_end", [] { return chime({523}, 0.2); }},
      {"depsign",
       [] {
         return chime({659, 784, 988, 1319}, 0.3);
       }},
      // Doors.
      {"door_open", [] { return mix(noise(1.5, 0.3, 0.6, 0.6, 20), noise(0.2, 0.5, 0.2, 0.05, 21), 1.2); }},
      {"door_close", [] { return mix(noise(1.5, 0.3, 0.6, 0.6, 22), noise(0.2, 0.6, 0.2, 0.05, 23), 1.3); }},
      // Points under the wheels.
      {"points", [] { return mix(noise(0.1, 0.6, 0.3, 0.03, 24), noise(0.1, 0.6, 0.3, 0.03, 25), 0.14); }},
      {"points_fast", [] { return mix(noise(0.08, 0.7, 0.4, 0.02, 26), noise(0.08, 0.7, 0.4, 0.02, 27), 0.06); }},
      // Route: environment loops, station sounds, crossings, passing objects.
      {"env_station",
       [] {
         return mix(noise(4.0, 0.08, 0.05, 0, 28), chime({2200, 2600, 2400}, 0.9), 1.0);
       }},
      {"env_field", [] { return mix(noise(4.0, 0.05, 0.02, 0, 29), tone(0.2, 3000, 0.1, 0.05), 2.0); }},
      {"env_tunnel", [] { return noise(4.0, 0.12, 0.01, 0, 30); }},
      {"arrive",
       [] {
         return chime({523, 659, 784}, 0.3);
       }},
      {"depart",
       [] {
         return chime({784, 659, 523}, 0.3);
       }},
      {"crossing_bell",
       [] {
         return sequence({tone(0.35, 700, 0.3, 0.15, {1, 0.6}), tone(0.35, 650, 0.3, 0.15, {1, 0.6})});
       }},
      {"passing_train", [] { return mix(railJoints(), noise(2.0, 0.2, 0.1, 0, 31)); }},
      {"bridge",
       [] {
         return hum(2.0, 60, 0.25, {1, 0.8, 0.5});
       }},
      {"station_scene",
       [] {
         return mix(noise(5.0, 0.05, 0.05, 0, 32), speechLike({300, 280, 320, 260, 240}, 0.2), 1.0);
       }},
      {"title_start",
       [] {
         return chime({523, 784, 1047}, 0.15);
       }},
      {"title_chime",
       [] {
         return chime({659, 880, 1175}, 0.2);
       }},
      // Call-outs (pointing and calling) and announcements.
      {"kanko_shinkou",
       [] {
         return speechLike({260, 300, 240, 220});
       }},
      {"kanko_chuui",
       [] {
         return speechLike({280, 250, 230});
       }},
      {"kanko_keikai",
       [] {
         return speechLike({300, 260, 240});
       }},
      {"kanko_teishi",
       [] {
         return speechLike({320, 260, 220});
       }},
      {"kanko_gensoku",
       [] {
         return speechLike({270, 300, 250, 230});
       }},
      {"kanko_teisha",
       [] {
         return speechLike({300, 280, 240});
       }},
      {"kanko_tsuuka",
       [] {
         return speechLike({250, 290, 230});
       }},
      {"kanko_jikoku",
       [] {
         return speechLike({280, 260, 300, 250, 220});
       }},
      {"kanko_seigen",
       [] {
         return speechLike({290, 270, 250, 230});
       }},
      {"kanko_kaijo",
       [] {
         return speechLike({260, 280, 230});
       }},
      {"kanko_fumikiri",
       [] {
         return speechLike({300, 320, 280, 240});
       }},
      {"kanko_extra",
       [] {
         return speechLike({240, 280, 260});
       }},
      {"announce_next",
       [] {
         return sequence({chime({659, 523}, 0.3), speechLike({260, 280, 300, 270, 250, 240, 230, 220}, 0.18)});
       }},
      {"announce_door",
       [] {
         return speechLike({280, 300, 260, 240, 230, 220}, 0.18);
       }},
      {"announce_overrun",
       [] {
         return speechLike({320, 300, 280, 260, 240}, 0.15);
       }},
  };
  addHeldHorn(sounds, "horn", 330);
  addHeldHorn(sounds, "horn2", 440);
  for (int band = 0; band <= 12; ++band) sounds.push_back({railNoiseSound(band), [band] { return railBand(band); }});
  std::vector<std::string> written;
  for (const auto& [name, make] : sounds) {
    const std::string dataPath = "sound\\" + name + ".wav";
    writeBytes(diskPath(root, dataPath), waveBytes(make()));
    written.push_back(dataPath);
  }
  // The title window's own sounds.
  writeBytes(diskPath(root, "sound\\start.wav"), waveBytes(chime({523, 784, 1047}, 0.15)));
  writeBytes(diskPath(root, "sound\\sc9110.wav"), waveBytes(chime({659, 880, 1175}, 0.2)));
  written.push_back("sound\\start.wav");
  written.push_back("sound\\sc9110.wav");
  return written;
}

}  // namespace cab::demo
