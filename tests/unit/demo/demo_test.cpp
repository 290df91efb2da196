// Demo files, and a committed demo played back headless through the real
// run order: a changed level is reported at the frame it first changes the
// game. That every committed demo plays back identical, at its pace and as
// a time demo, and counts its frames, is shown with its pictures.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <tuple>

#include "game/key_codes.h"
#include "shell/demo_file.h"
#include "tests/unit/demo/headless_playback.h"
#include "tests/support/scratch_folder.h"

namespace {

const std::string fightDemo = BRAKMOOR_SOURCE_DIR "/tests/demos/fight.dem";

Outcome play(const std::string& demoFile, DemoMode mode = DemoMode::play) {
  HeadlessPlatform platform;
  return playHeadless(demoFile, platform, mode);
}

}  // namespace

// Answers the recorded games never hold (a clock past 2^31, a negative
// cursor, a closed window, a message box's no) and the window mode come
// back as written; keyboards, frame checksums, the seed and the level's
// checksum come back through the recording test.
TEST(DemoFile, AnswersNoRecordedGameHoldsComeBackAsWritten) {
  Demo demo;
  demo.header.mode = {1, 16384, 16, 0};  // the smallest width and largest height a demo takes
  demo.entries = {{DemoAnswer::performanceFrequency, 1000000},
                  {DemoAnswer::performanceCounter, 5000, 0, 40, 0},
                  {DemoAnswer::performanceCounter, 6000, 0, 15, 1000},
                  {DemoAnswer::tickCount, 4000000000LL},
                  {DemoAnswer::cursor, -3, 900},
                  {DemoAnswer::gameEvent, static_cast<int>(os::WindowEvent::closeRequested)},
                  {DemoAnswer::messageBox, static_cast<int>(os::Answer::no)}};
  Demo back;
  std::string reason;
  ASSERT_TRUE(decodeDemo(encodeDemo(demo), back, reason)) << reason;
  EXPECT_EQ(std::tuple(back.header.mode.width, back.header.mode.height, back.header.mode.bitsPerPixel),
            std::tuple(1, 16384, 16));
  const auto fields = [](const DemoEntry& e) { return std::tuple(e.kind, e.value, e.second, e.repeats, e.stride); };
  ASSERT_EQ(back.entries.size(), demo.entries.size());
  for (std::size_t i = 0; i < demo.entries.size(); ++i) EXPECT_EQ(fields(back.entries[i]), fields(demo.entries[i])) << i;
}

TEST(DemoFile, ABrokenDemoIsRefusedWithItsReason) {
  const std::vector<std::uint8_t> good = encodeDemo(loadedDemo(fightDemo));
  auto with = [&good](std::size_t offset, std::uint8_t value) {
    std::vector<std::uint8_t> bytes = good;
    bytes[offset] = value;
    return bytes;
  };
  // A damaged entry under a checksum that fits it: only the contents tell.
  std::vector<std::uint8_t> badTag = with(40, 99);
  const std::uint32_t sum = fnv1a(badTag.data(), badTag.size() - 4);
  for (int i = 0; i < 4; ++i) badTag[badTag.size() - 4 + i] = static_cast<std::uint8_t>(sum >> (8 * i));
  std::vector<std::uint8_t> huge = good;
  huge.resize(17u << 20);
  const struct {
    std::vector<std::uint8_t> bytes;
    std::string reason;
  } cases[] = {
      {{}, "is not a Brakmoor demo"},
      {{good.begin(), good.begin() + 20}, "is truncated (its header is cut short)"},
      {{good.begin(), good.end() - 100}, "is truncated (" + std::to_string(good.size() - 100) + " of"},
      {with(8, 2), "was recorded by demo version 2; this program plays version 1"},
      {with(good.size() / 2, good[good.size() / 2] ^ 1), "is damaged (its checksum does not match)"},
      {badTag, "is damaged (its contents cannot be read)"},
      {huge, "is too large for a demo (over 16 MB)"},
  };
  for (const auto& broken : cases) {
    Demo demo;
    std::string reason;
    EXPECT_FALSE(decodeDemo(broken.bytes, demo, reason));
    EXPECT_EQ(reason.rfind(broken.reason, 0), 0u) << reason;
  }
}

TEST(DemoPlayback, ADemoThatCannotBeReadEndsTheProgramWithItsMessage) {
  const Outcome outcome = play("no/such.dem");
  EXPECT_EQ(outcome.exitCode, demoRefused);
  EXPECT_EQ(outcome.said, "The demo no/such.dem cannot be read.\n");
}

// A second start record moves the player a cell east of where the demo
// was recorded, which the first frame already shows.
TEST(DemoPlayback, AChangedLevelIsReportedWhereItFirstMatters) {
  ScratchFolder scratch;
  HeadlessPlatform platform;
  std::filesystem::copy_file(platform.levelFile, "level1.dat");
  std::ofstream("level1.dat", std::ios::app) << "P 9 34\n";
  platform.levelFile = "level1.dat";
  const Outcome outcome = playHeadless(fightDemo, platform);
  EXPECT_EQ(outcome.exitCode, demoDiverged);
  EXPECT_NE(outcome.said.find("was recorded on another level"), std::string::npos) << outcome.said;
  EXPECT_NE(outcome.said.find("differs at frame 0: not as recorded: player, "), std::string::npos)
      << outcome.said;
}

// A game recorded through the real run order (the player walks, turns and
// fires, then leaves with Escape) plays back identical; the clock the frame
// limiter polls in a busy wait is kept as runs of readings, not one entry a
// reading.
TEST(DemoRecording, ARecordedGamePlaysBackIdenticalFromRunsOfClockReadings) {
  ScratchFolder scratch;
  struct Player : HeadlessPlatform {
    // The intro runs out on its own clock, then its window takes the quit.
    os::WindowEvent pumpIntroMessage() override { return introOver ? os::WindowEvent::quit : os::WindowEvent::none; }
    void postIntroQuit() override { introOver = true; }
    void swapIntroBuffers() override { ticks += 40; }
    void swapGameBuffers() override {
      ++frames;
      keys[scanCode::up] = frames < 100 ? 0x80 : 0;
      keys[scanCode::rightControl] = frames % 30 < 3 ? 0x80 : 0;
      keys[scanCode::escape] = frames >= 100 ? 0x80 : 0;
      cursor = {320 + 15 * (frames % 3 - 1), 240};
    }
    int frames = 0;
    bool introOver = false;
  } player;
  player.counterStepPerRead = 100;  // a tenth of a millisecond
  ASSERT_EQ(playHeadless("recorded.dem", player, DemoMode::record).exitCode, 0);
  const Demo demo = loadedDemo("recorded.dem");
  // About 150 readings a frame, each polled a tenth of a millisecond after
  // the last: kept as runs, they take a few entries a frame.
  const auto counterEntries = std::count_if(demo.entries.begin(), demo.entries.end(),
                                            [](const DemoEntry& e) { return e.kind == DemoAnswer::performanceCounter; });
  EXPECT_LT(counterEntries, 6 * static_cast<long>(demo.frames.size()));
  EXPECT_EQ(play("recorded.dem").said, "The demo recorded.dem played back identical: " +
                                           std::to_string(demo.frames.size()) + " frames.\n");
  // Every part of a frame is compared, the last one too.
  Demo changed = demo;
  changed.frames[5].part[checksumPartCount - 1] ^= 1;
  std::string message;
  ASSERT_TRUE(saveDemo("changed.dem", changed, message)) << message;
  EXPECT_NE(play("changed.dem").said.find("differs at frame 5: not as recorded: switches"), std::string::npos);
}
