#pragma once
// A demo: every answer the platform gave the game during one game, in the
// order the game asked, with the game's checksums after each frame. Held in
// memory as entries; stored as a small versioned header, the entries packed
// as tagged variable-length numbers, and a checksum of the whole file.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "game/game_checksum.h"
#include "platform/platform.h"

constexpr std::uint32_t demoVersion = 1;

struct DemoHeader {
  std::uint32_t version = demoVersion;
  // FNV-1a of the level file's bytes: a demo plays only on its own level.
  std::uint32_t levelChecksum = 0;
  std::uint32_t seed = 0;
  // The start dialog's choice.
  WindowSettings mode;
};

// What the game asked for; an entry holds the platform's answer.
enum class DemoAnswer : std::uint8_t {
  tickCount = 1,
  multimediaTime,
  performanceFrequency,  // value: counts per second, or -1 without a counter
  performanceCounter,
  cursor,                // value: x, second: y
  gameEvent,             // value: os::WindowEvent
  windowActive,
  gameWindowCreated,
  keyboardReady,
  keyboard,              // value: index into Demo::keyboards (shared while unchanged)
  messageBox,            // value: os::Answer
  frameEnd,              // value: index into Demo::frames
};
constexpr int demoAnswerKinds = static_cast<int>(DemoAnswer::frameEnd);
const char* demoAnswerName(DemoAnswer kind);

struct DemoEntry {
  DemoAnswer kind = DemoAnswer::tickCount;
  std::int64_t value = 0;
  std::int64_t second = 0;
  // A clock is read this many times in a row, each reading `stride` above
  // the one before: a busy wait reads the same millisecond thousands of
  // times, a sleeping wait one millisecond after another.
  std::uint32_t repeats = 1;
  std::int64_t stride = 0;
};

// Reading `k` (from 0) of a clock entry's run. Clock values wrap around as
// the counters do; a damaged demo must not overflow the arithmetic.
inline std::int64_t wrappingSum(std::int64_t a, std::int64_t b) {
  return static_cast<std::int64_t>(static_cast<std::uint64_t>(a) + static_cast<std::uint64_t>(b));
}
inline std::int64_t wrappingDifference(std::int64_t a, std::int64_t b) {
  return static_cast<std::int64_t>(static_cast<std::uint64_t>(a) - static_cast<std::uint64_t>(b));
}
inline std::int64_t clockReading(const DemoEntry& entry, std::uint32_t k) {
  return wrappingSum(entry.value, static_cast<std::int64_t>(static_cast<std::uint64_t>(entry.stride) * k));
}

using KeyboardState = std::array<std::uint8_t, keyboardStateSize>;

struct Demo {
  DemoHeader header;
  std::vector<DemoEntry> entries;
  std::vector<KeyboardState> keyboards;
  std::vector<GameChecksum> frames;
};

std::vector<std::uint8_t> encodeDemo(const Demo& demo);
// False with a reason ("is truncated", "is damaged", ...) that completes a
// sentence starting with the file's name.
bool decodeDemo(const std::vector<std::uint8_t>& bytes, Demo& demo, std::string& reason);

// Whole-file helpers; the message names the file.
bool saveDemo(const std::string& fileName, const Demo& demo, std::string& message);
bool loadDemo(const std::string& fileName, Demo& demo, std::string& message);

// The checksum of a file's bytes; false when it cannot be read.
bool fileChecksum(const std::string& fileName, std::uint32_t& checksum);
