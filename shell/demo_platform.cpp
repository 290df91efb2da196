#include "shell/demo_platform.h"

#include <cstdio>
#include <utility>

#include "game/game.h"
#include "game/mouse_look.h"

namespace {

void say(const std::string& text) {
  std::fputs((text + "\n").c_str(), stdout);
  std::fflush(stdout);
}

// Recording gives the game its high-resolution counter in whole
// milliseconds: a busy wait then sees the same reading many times in a row,
// which the demo keeps as one reading with a repeat count.
std::int64_t countsPerMillisecond(std::int64_t countsPerSecond) {
  return countsPerSecond >= 1000 ? countsPerSecond / 1000 : 1;
}

}  // namespace

DemoPlatform::DemoPlatform(Platform& real, DemoMode mode, std::string fileName, std::string levelFile)
    : real_(real), mode_(mode), fileName_(std::move(fileName)), levelFile_(std::move(levelFile)) {}

bool DemoPlatform::open(std::string& message) {
  if (mode_ == DemoMode::record) return true;
  if (!loadDemo(fileName_, demo_, message)) return false;
  std::uint32_t level = 0;
  if (!fileChecksum(real_.resolveFileName(levelFile_.c_str()), level)) {
    message = "The level " + levelFile_ + " cannot be read, so the demo " + fileName_ + " cannot be played.";
    return false;
  }
  if (level != demo_.header.levelChecksum) {
    otherLevel_ = true;
    message = "The demo " + fileName_ + " was recorded on another level than " + levelFile_ +
              "; playing it to find where the game differs.";
  }
  return true;
}

std::int64_t DemoPlatform::keep(DemoAnswer kind, std::int64_t value, std::int64_t second) {
  if (recordingGame()) demo_.entries.push_back({kind, value, second, 1, 0});
  return value;
}

std::int64_t DemoPlatform::keepClock(DemoAnswer kind, std::int64_t value) {
  if (!recordingGame()) return value;
  std::vector<DemoEntry>& entries = demo_.entries;
  DemoEntry* last = entries.empty() ? nullptr : &entries.back();
  if (last != nullptr && last->kind == kind && last->repeats < UINT32_MAX &&
      (last->repeats == 1 || value == clockReading(*last, last->repeats))) {
    if (last->repeats == 1) last->stride = wrappingDifference(value, last->value);
    ++last->repeats;
  } else {
    entries.push_back({kind, value, 0, 1, 0});
  }
  return value;
}

void DemoPlatform::diverge(const std::string& what, bool answersStop) {
  if (answersStop) diverged_ = true;
  if (differed_) return;
  differed_ = true;
  say("The demo " + fileName_ + " differs at frame " + std::to_string(frame_) + ": " + what + ".");
}

const DemoEntry* DemoPlatform::take(DemoAnswer kind) {
  if (diverged_ || stoppedByViewer_) return nullptr;
  if (clockRun_ != nullptr && clockReading_ < clockRun_->repeats) {
    diverge(std::string("the game stops reading ") + demoAnswerName(clockRun_->kind) +
            " earlier and asks for " + demoAnswerName(kind));
    return nullptr;
  }
  clockRun_ = nullptr;
  if (next_ >= demo_.entries.size()) {
    diverge(std::string("the game asks for ") + demoAnswerName(kind) + " after the demo's end");
    return nullptr;
  }
  const DemoEntry& entry = demo_.entries[next_];
  if (entry.kind != kind) {
    diverge(std::string("the game asks for ") + demoAnswerName(kind) + " where the demo holds " +
            demoAnswerName(entry.kind));
    return nullptr;
  }
  ++next_;
  return &entry;
}

std::int64_t DemoPlatform::takeClock(DemoAnswer kind) {
  if (clockRun_ != nullptr && clockRun_->kind == kind && clockReading_ < clockRun_->repeats) {
    return clockReading(*clockRun_, clockReading_++);
  }
  clockRun_ = take(kind);
  clockReading_ = 1;
  return clockRun_ != nullptr ? clockRun_->value : 0;
}

std::uint32_t DemoPlatform::randomSeed() {
  inGame_ = true;
  if (playing()) return demo_.header.seed;
  demo_.header.seed = real_.randomSeed();
  std::uint32_t level = 0;
  fileChecksum(real_.resolveFileName(levelFile_.c_str()), level);
  demo_.header.levelChecksum = level;
  return demo_.header.seed;
}

bool DemoPlatform::chooseDisplayMode(WindowSettings& mode) {
  if (playing()) {
    mode = demo_.header.mode;
    return true;
  }
  const bool chosen = real_.chooseDisplayMode(mode);
  demo_.header.mode = mode;
  return chosen;
}

void DemoPlatform::playSound(const char* fileName, os::SoundMode mode) {
  // The time demo never waits for a sound to end.
  if (mode_ == DemoMode::timeDemo) mode = mode | os::SoundMode::async;
  real_.playSound(fileName, mode);
}

os::Answer DemoPlatform::messageBox(const char* text, const char* caption, os::BoxStyle style) {
  if (windowCall_) return real_.messageBox(text, caption, style);
  if (!playingGame()) {
    return static_cast<os::Answer>(keep(DemoAnswer::messageBox,
                                        static_cast<std::int64_t>(real_.messageBox(text, caption, style))));
  }
  say(std::string("(message box during playback: ") + caption + ": " + text + ")");
  const DemoEntry* entry = take(DemoAnswer::messageBox);
  return entry != nullptr ? static_cast<os::Answer>(entry->value) : os::Answer::none;
}

os::CursorPosition DemoPlatform::cursorPosition() {
  if (!playingGame()) {
    const os::CursorPosition at = real_.cursorPosition();
    keep(DemoAnswer::cursor, at.x, at.y);
    return at;
  }
  const DemoEntry* entry = take(DemoAnswer::cursor);
  if (entry == nullptr) return {mouseLookCentreX, mouseLookCentreY};
  return {static_cast<int>(entry->value), static_cast<int>(entry->second)};
}

void DemoPlatform::setCursorPosition(int x, int y) {
  // Playback leaves the viewer's mouse alone.
  if (!playingGame()) real_.setCursorPosition(x, y);
}

// Playback keeps to the recording's pace: a wait is skipped while the
// picture is behind the recorded clock (drawing here may be slower than it
// was); the time demo never waits.
void DemoPlatform::sleepMilliseconds(unsigned milliseconds) {
  if (mode_ == DemoMode::timeDemo && inGame_) return;
  if (playingGame() && recordedRate_ > 0) {
    const double recorded = static_cast<double>(wrappingDifference(lastCounter_, firstCounter_)) /
                            static_cast<double>(recordedRate_);
    const double real =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - firstFrameStart_).count();
    if (real >= recorded) return;
  }
  real_.sleepMilliseconds(milliseconds);
}

std::uint32_t DemoPlatform::tickCount() {
  if (!playingGame()) return static_cast<std::uint32_t>(keepClock(DemoAnswer::tickCount, real_.tickCount()));
  return static_cast<std::uint32_t>(takeClock(DemoAnswer::tickCount));
}

std::uint32_t DemoPlatform::multimediaTime() {
  if (!playingGame()) {
    return static_cast<std::uint32_t>(keepClock(DemoAnswer::multimediaTime, real_.multimediaTime()));
  }
  return static_cast<std::uint32_t>(takeClock(DemoAnswer::multimediaTime));
}

bool DemoPlatform::performanceFrequency(std::int64_t* countsPerSecond) {
  if (playingGame()) {
    if (frame_ == 0) firstFrameStart_ = std::chrono::steady_clock::now();
    const DemoEntry* entry = take(DemoAnswer::performanceFrequency);
    if (entry == nullptr || entry->value <= 0) return false;
    *countsPerSecond = recordedRate_ = entry->value;
    firstCounter_ = lastCounter_ = 0;
    return true;
  }
  std::int64_t rate = 0;
  const bool has = real_.performanceFrequency(&rate) && rate > 0;
  if (has) counterStep_ = countsPerMillisecond(rate);
  keep(DemoAnswer::performanceFrequency, has ? rate : -1);
  if (has) *countsPerSecond = rate;
  return has;
}

std::int64_t DemoPlatform::performanceCounter() {
  if (playingGame()) {
    lastCounter_ = takeClock(DemoAnswer::performanceCounter);
    if (firstCounter_ == 0) firstCounter_ = lastCounter_;
    return lastCounter_;
  }
  std::int64_t reading = real_.performanceCounter();
  if (recordingGame()) reading -= reading % counterStep_;
  return keepClock(DemoAnswer::performanceCounter, reading);
}

// Whatever the window asks on its own way (the full-screen question, its
// failure messages) belongs to this machine's screen, not to the game: it
// is neither kept nor given from the demo; only whether a window came up.
// Playback shows the game in a window, whatever the recorded screen mode.
bool DemoPlatform::createGameWindow(const char* title, const WindowSettings& mode) {
  WindowSettings shown = mode;
  if (playingGame()) shown.fullScreen = 0;
  windowCall_ = true;
  const bool made = real_.createGameWindow(title, shown);
  windowCall_ = false;
  if (!playingGame()) return keep(DemoAnswer::gameWindowCreated, made) != 0;
  const DemoEntry* entry = take(DemoAnswer::gameWindowCreated);
  if (entry == nullptr) return made;
  if (entry->value == 0 && made) destroyGameWindow();
  if (entry->value != 0 && !made) diverge("the game window cannot be opened here");
  return entry->value != 0 && made;
}

void DemoPlatform::destroyGameWindow() {
  windowCall_ = true;
  real_.destroyGameWindow();
  windowCall_ = false;
}

os::WindowEvent DemoPlatform::pumpGameMessage() {
  if (!playingGame()) {
    return static_cast<os::WindowEvent>(
        keep(DemoAnswer::gameEvent, static_cast<std::int64_t>(real_.pumpGameMessage())));
  }
  // The real window's messages are handled and dropped; closing it stops
  // the playback.
  for (;;) {
    const os::WindowEvent real = real_.pumpGameMessage();
    if (real == os::WindowEvent::none) break;
    if (real == os::WindowEvent::quit || real == os::WindowEvent::closeRequested) {
      stoppedByViewer_ = true;
      break;
    }
  }
  if (stoppedByViewer_) return os::WindowEvent::quit;
  const DemoEntry* entry = take(DemoAnswer::gameEvent);
  return entry != nullptr ? static_cast<os::WindowEvent>(entry->value) : os::WindowEvent::quit;
}

bool DemoPlatform::gameWindowActive() {
  if (!playingGame()) return keep(DemoAnswer::windowActive, real_.gameWindowActive()) != 0;
  const DemoEntry* entry = take(DemoAnswer::windowActive);
  return entry != nullptr && entry->value != 0;
}

bool DemoPlatform::initKeyboard() {
  if (!playingGame()) return keep(DemoAnswer::keyboardReady, real_.initKeyboard()) != 0;
  const DemoEntry* entry = take(DemoAnswer::keyboardReady);
  return entry != nullptr && entry->value != 0;
}

void DemoPlatform::shutdownKeyboard() {
  if (!playingGame()) real_.shutdownKeyboard();
}

const unsigned char* DemoPlatform::readKeyboard() {
  if (!playingGame()) {
    const unsigned char* state = real_.readKeyboard();
    if (recordingGame()) {
      KeyboardState copy;
      for (int i = 0; i < keyboardStateSize; ++i) copy[i] = state[i];
      // Most frames hold the keys of the frame before: one stored state.
      if (demo_.keyboards.empty() || demo_.keyboards.back() != copy) demo_.keyboards.push_back(copy);
      keep(DemoAnswer::keyboard, static_cast<std::int64_t>(demo_.keyboards.size() - 1));
    }
    return state;
  }
  const DemoEntry* entry = take(DemoAnswer::keyboard);
  // Past a divergence no key is held, so the game stands still until the
  // loop ends.
  keys_ = entry != nullptr ? demo_.keyboards[static_cast<std::size_t>(entry->value)] : KeyboardState{};
  return keys_.data();
}

void DemoPlatform::frameEnded(const Game& game) {
  const GameChecksum now = checksumGame(game);
  if (mode_ == DemoMode::record) {
    demo_.frames.push_back(now);
    keep(DemoAnswer::frameEnd, static_cast<std::int64_t>(demo_.frames.size() - 1));
    ++frame_;
    return;
  }
  const DemoEntry* entry = take(DemoAnswer::frameEnd);
  if (entry != nullptr) {
    const GameChecksum& kept = demo_.frames[static_cast<std::size_t>(entry->value)];
    std::string parts;
    for (int i = 0; i < checksumPartCount; ++i) {
      if (kept.part[i] == now.part[i]) continue;
      parts += (parts.empty() ? "" : ", ") + std::string(checksumPartName(i));
    }
    // A time demo plays on while the game still asks what the demo holds,
    // so its timing covers the whole demo.
    if (!parts.empty()) diverge("not as recorded: " + parts, mode_ != DemoMode::timeDemo);
  }
  ++frame_;
}

int DemoPlatform::finish(int programResult) {
  if (mode_ == DemoMode::record) {
    std::string message;
    if (!inGame_) {
      say("No game was played, so no demo was written.");
      return programResult;
    }
    if (!saveDemo(fileName_, demo_, message)) {
      say(message);
      return demoRefused;
    }
    say("Recorded " + std::to_string(frame_) + " frames into " + fileName_ + ".");
    return programResult;
  }
  if (stoppedByViewer_) {
    say("Playback stopped at frame " + std::to_string(frame_) + ".");
    return programResult;
  }
  if (!diverged_ && next_ < demo_.entries.size()) {
    diverge("the game ended before the demo (" + std::to_string(demo_.frames.size()) + " frames)");
  }
  if (diverged_) return demoDiverged;
  if (mode_ == DemoMode::timeDemo) {
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - firstFrameStart_).count();
    char line[160];
    std::snprintf(line, sizeof line, "%lld frames, %.2f seconds, %.1f frames per second",
                  static_cast<long long>(frame_), seconds, seconds > 0.0 ? frame_ / seconds : 0.0);
    say(line);
    if (differed_) return demoDiverged;
  } else {
    say("The demo " + fileName_ + " played back identical: " + std::to_string(frame_) + " frames.");
  }
  return otherLevel_ ? demoOtherLevel : programResult;
}
