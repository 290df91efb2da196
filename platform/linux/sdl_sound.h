#pragma once
// Sounds for the Linux program with SDL_mixer: one channel, as the Windows
// program's PlaySound has one sound at a time.

#include <map>
#include <string>

#include "platform/platform.h"

struct Mix_Chunk;

class SoundPlayer {
 public:
  SoundPlayer() = default;
  SoundPlayer(const SoundPlayer&) = delete;
  SoundPlayer& operator=(const SoundPlayer&) = delete;
  ~SoundPlayer();

  // Plays the WAV file `path` (a name already looked up) as `mode` says; a
  // missing device or file is silent.
  void play(const std::string& path, os::SoundMode mode);

 private:
  bool openDevice();
  Mix_Chunk* chunkOf(const std::string& path);

  enum class Device { untried, open, missing };
  Device device_ = Device::untried;
  // Each file is decoded once and kept until the end: the game plays the
  // same few short sounds again and again (a shot every few frames), and a
  // chunk may not be freed while its channel still plays it.
  std::map<std::string, Mix_Chunk*> chunks_;
};
