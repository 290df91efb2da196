#include "platform/linux/sdl_sound.h"

#include <SDL.h>
#include <SDL_mixer.h>

namespace {
constexpr int soundChannel = 0;
}

SoundPlayer::~SoundPlayer() {
  if (device_ != Device::open) return;
  Mix_HaltChannel(-1);
  for (auto& entry : chunks_) Mix_FreeChunk(entry.second);
  Mix_CloseAudio();
}

// Opened at the first sound; without a sound card the game goes on silent.
bool SoundPlayer::openDevice() {
  if (device_ == Device::untried) {
    const bool open = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0 &&
                      Mix_OpenAudio(44100, MIX_DEFAULT_FORMAT, 2, 1024) == 0;
    if (open) Mix_AllocateChannels(1);
    device_ = open ? Device::open : Device::missing;
  }
  return device_ == Device::open;
}

Mix_Chunk* SoundPlayer::chunkOf(const std::string& path) {
  auto found = chunks_.find(path);
  if (found != chunks_.end()) return found->second;
  Mix_Chunk* chunk = Mix_LoadWAV(path.c_str());
  // A file that cannot be read stays silent without being tried each time.
  chunks_[path] = chunk;
  return chunk;
}

void SoundPlayer::play(const std::string& path, os::SoundMode mode) {
  if (!openDevice()) return;
  if (hasFlag(mode, os::SoundMode::noStop) && Mix_Playing(soundChannel)) return;
  Mix_Chunk* chunk = chunkOf(path);
  if (chunk == nullptr || Mix_PlayChannel(soundChannel, chunk, 0) < 0) return;
  if (hasFlag(mode, os::SoundMode::async)) return;
  while (Mix_Playing(soundChannel)) SDL_Delay(10);
}
