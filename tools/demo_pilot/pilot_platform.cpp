#include "tools/demo_pilot/pilot_platform.h"

#include <GL/osmesa.h>

#include <cstdio>
#include <vector>

#include "platform/linux/file_names.h"
#include "render/dib_file_reader.h"
#include "render/scene_projection.h"

struct PilotPlatform::Context {
  OSMesaContext mesa = nullptr;
  std::vector<unsigned char> pixels;
};

PilotPlatform::PilotPlatform(const WindowSettings& mode) : mode_(mode), context_(new Context) {
  context_->mesa = OSMesaCreateContextExt(OSMESA_RGBA, 24, 0, 0, nullptr);
  context_->pixels.resize(static_cast<std::size_t>(mode.width) * mode.height * 4);
}

PilotPlatform::~PilotPlatform() {
  if (context_->mesa != nullptr) OSMesaDestroyContext(context_->mesa);
  delete context_;
}

os::Answer PilotPlatform::messageBox(const char* text, const char* caption, os::BoxStyle) {
  std::fprintf(stderr, "message box \"%s\": %s\n", caption, text);
  return os::Answer::yes;
}

bool PilotPlatform::performanceFrequency(std::int64_t* countsPerSecond) {
  if (millisecondClockOnly) return false;
  *countsPerSecond = 1000000;
  return true;
}

void PilotPlatform::holdUntil(std::uint32_t reading) {
  const std::int64_t at = 1000 * static_cast<std::int64_t>(reading - millisecondClockStart);
  if (at < microseconds_) {
    std::fprintf(stderr, "the clock cannot go back to %u\n", reading);
    return;
  }
  microseconds_ = at;
}

std::string PilotPlatform::resolveFileName(const char* name) { return findFileIgnoringCase(name); }

BitmapImage* PilotPlatform::readBmpFile(const char* fileName) {
  return readDibFile(findFileIgnoringCase(fileName).c_str(), fileName);
}

bool PilotPlatform::chooseDisplayMode(WindowSettings& mode) {
  mode = mode_;
  return true;
}

// Both screen modes draw into the same offscreen picture.
bool PilotPlatform::createGameWindow(const char*, const WindowSettings& mode) {
  if (context_->mesa == nullptr ||
      !OSMesaMakeCurrent(context_->mesa, context_->pixels.data(), GL_UNSIGNED_BYTE, mode_.width,
                         mode_.height)) {
    return false;
  }
  resizeGameScene(mode.width, mode.height);
  return true;
}
