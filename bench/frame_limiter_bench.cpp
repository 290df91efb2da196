// The frame limiter on the real clock: with the frame-rate display off, one
// frame's limiter run comes back no sooner than 15 ms after the last one.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <thread>

#include "game/game.h"
#include "tests/support/test_records.h"
#include "game/hud.h"
#include "game/frame_clock.h"
#include "platform/platform.h"
#include "tests/support/recording_os.h"

namespace {

// The recording OS with its clock and sleep taken from the host.
class HostClockOs : public RecordingOs {
 public:
  void sleepMilliseconds(unsigned milliseconds) override {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
  }
  bool performanceFrequency(std::int64_t* countsPerSecond) override {
    *countsPerSecond = 1000000000;
    return true;
  }
  std::int64_t performanceCounter() override {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
  }
};

void BM_FrameLimiter(benchmark::State& state) {
  HostClockOs os;
  Platform* previous = installPlatform(&os);
  startFreshGame();
  initFrameClock(game().clock);
  double shortest = 1e9;
  double last = frameClockMilliseconds(game().clock);
  for (auto _ : state) {
    paceFrame(game().pacing, game().clock, true,
              static_cast<float>(frameClockMilliseconds(game().clock)));
    const double now = frameClockMilliseconds(game().clock);
    if (now - last < shortest) shortest = now - last;
    last = now;
  }
  state.counters["shortest_ms"] = shortest;
  installPlatform(previous);
}

BENCHMARK(BM_FrameLimiter)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(200);

}  // namespace
