#include "tools/datagen/sounds.h"

#include <algorithm>
#include <cmath>

#include "tools/datagen/random.h"
#include "tools/datagen/wave_file.h"

namespace {
constexpr double kTwoPi = 6.283185307179586;
constexpr double kStep = 1.0 / kSampleRate;

size_t samplesFor(double seconds) { return static_cast<size_t>(seconds * kSampleRate + 0.5); }

// A sine whose frequency may change from sample to sample without clicks.
class Oscillator {
 public:
  double next(double frequency) {
    phase_ += frequency * kStep;
    phase_ -= std::floor(phase_);
    return std::sin(kTwoPi * phase_);
  }

 private:
  double phase_ = 0.0;
};

// One-pole low-pass filter; `cutoff` in Hz.
class LowPass {
 public:
  double next(double input, double cutoff) {
    double a = 1.0 - std::exp(-kTwoPi * cutoff * kStep);
    state_ += a * (input - state_);
    return state_;
  }

 private:
  double state_ = 0.0;
};

// Short linear ramps at both ends so no sound starts or stops with a click.
void softenEdges(std::vector<float>& samples, double seconds = 0.004) {
  size_t ramp = std::min(samples.size() / 2, samplesFor(seconds));
  for (size_t i = 0; i < ramp; ++i) {
    float gain = static_cast<float>(i) / static_cast<float>(ramp);
    samples[i] *= gain;
    samples[samples.size() - 1 - i] *= gain;
  }
}

// Fills `seconds` of sound from f(t), t in seconds.
template <typename F>
std::vector<float> synthesise(double seconds, F f) {
  std::vector<float> samples(samplesFor(seconds));
  for (size_t i = 0; i < samples.size(); ++i) samples[i] = static_cast<float>(f(static_cast<double>(i) * kStep));
  softenEdges(samples);
  return samples;
}

// A thump falling in pitch, for impacts.
struct Thump {
  Oscillator oscillator;
  double next(double t, double from, double to, double decay) {
    return oscillator.next(to + (from - to) * std::exp(-t * 20.0)) * std::exp(-t * decay);
  }
};
}  // namespace

std::vector<float> rifleShotSound() {
  Random random(101);
  LowPass body;
  Thump thump;
  return synthesise(0.4, [&](double t) {
    double noise = random.signedUnit();
    double crack = noise * std::exp(-t * 90.0);
    double blast = body.next(noise, 300.0 + 5000.0 * std::exp(-t * 25.0)) * std::exp(-t * 12.0) * 2.5;
    return crack * 0.6 + blast + thump.next(t, 140.0, 45.0, 14.0) * 0.8;
  });
}

std::vector<float> laserShotSound() {
  Oscillator tone, wobble;
  return synthesise(0.45, [&](double t) {
    double pitch = 300.0 + 1700.0 * std::exp(-t * 9.0);
    double vibrato = 1.0 + 0.04 * wobble.next(35.0);
    // A driven sine: bright like a square wave, without its harsh edges.
    double buzz = std::tanh(3.0 * tone.next(pitch * vibrato));
    return buzz * std::exp(-t * 5.0);
  });
}

std::vector<float> playerHitSound() {
  Random random(103);
  LowPass slap;
  Thump thump;
  Oscillator grunt;
  return synthesise(0.35, [&](double t) {
    double noise = slap.next(random.signedUnit(), 1200.0) * std::exp(-t * 40.0) * 2.0;
    double voice = std::tanh(2.0 * grunt.next(150.0 - 60.0 * t)) * std::sin(std::min(1.0, t / 0.3) * 3.14159) * 0.5;
    return noise + thump.next(t, 160.0, 60.0, 12.0) + voice;
  });
}

std::vector<float> playerDeathSound() {
  Random random(104);
  Oscillator voice, second, tremolo;
  LowPass throat, rumble;
  Thump fall;
  const double length = 1.6, fallAt = 1.2;
  return synthesise(length, [&](double t) {
    // A groan sinking in pitch and strength, then the body hits the floor.
    double pitch = 70.0 + 150.0 * std::exp(-t * 1.8);
    double raw = voice.next(pitch) + 0.5 * second.next(pitch * 2.01) + 0.3 * random.signedUnit();
    double shaped = throat.next(raw, 900.0) * (0.8 + 0.2 * tremolo.next(7.0));
    double groan = shaped * std::min(1.0, t / 0.05) * std::max(0.0, 1.0 - t / fallAt);
    double impact = 0.0;
    if (t >= fallAt) {
      double since = t - fallAt;
      impact = fall.next(since, 110.0, 40.0, 9.0) + rumble.next(random.signedUnit(), 400.0) * std::exp(-since * 15.0);
    }
    return groan + impact;
  });
}

std::vector<float> introMusic(double seconds) {
  // A minor: a drone on A with its fifth, an arpeggio above, and a chord
  // that swells toward the end.
  const double arpeggio[] = {220.0, 261.63, 329.63, 440.0, 329.63, 261.63, 196.0, 246.94};
  const double noteLength = 0.18;
  Oscillator droneLow, droneFifth, pluck, pluckOctave, swellA, swellC, swellE;
  Random random(105);
  LowPass wind;
  double noteStart = 0.0;
  int note = -1;
  return synthesise(seconds, [&](double t) {
    double fadeOut = std::min(1.0, std::max(0.0, (seconds - t) / 0.6));
    double fadeIn = std::min(1.0, t / 0.8);
    double drone = (droneLow.next(55.0) + 0.5 * droneFifth.next(82.41)) * 0.35;
    if (static_cast<int>(t / noteLength) != note) {
      note = static_cast<int>(t / noteLength);
      noteStart = t;
    }
    double frequency = arpeggio[static_cast<size_t>(note) % 8];
    double age = t - noteStart;
    double plucked = (pluck.next(frequency) + 0.3 * pluckOctave.next(frequency * 2.0)) * std::exp(-age * 9.0) * 0.45;
    double swell = (swellA.next(220.0) + swellC.next(261.63) + swellE.next(329.63)) * 0.12 *
                   std::min(1.0, std::max(0.0, (t - seconds * 0.4) / (seconds * 0.4)));
    double air = wind.next(random.signedUnit(), 500.0) * 0.3;
    return (drone * fadeIn + plucked + swell + air) * fadeOut;
  });
}
