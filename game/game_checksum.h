#pragma once
// A compact fingerprint of the game state after a frame, one checksum per
// part, so two runs that should be the same game can be compared frame by
// frame and a difference named by the part it is in.

#include <cstddef>
#include <cstdint>

struct Game;

enum class ChecksumPart : std::uint8_t {
  player,      // where the player stands and looks, the bob, the weapon, death
  health,
  ammunition,
  enemies,     // places, walks, health, sight and shot timing
  shot,        // the last shot's line and hits, and the impact point
  sparks,
  random,      // the random generator's state
  switches,    // the key switches and their latches
};
constexpr int checksumPartCount = 8;

struct GameChecksum {
  std::uint32_t part[checksumPartCount] = {};
};

GameChecksum checksumGame(const Game& game);

// FNV-1a of `size` bytes, going on from `sum` (the game's one checksum
// function: frames, demo files and level files use it).
constexpr std::uint32_t fnv1aStart = 2166136261u;
std::uint32_t fnv1a(const std::uint8_t* bytes, std::size_t size, std::uint32_t sum = fnv1aStart);
const char* checksumPartName(int part);
