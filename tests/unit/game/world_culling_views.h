#pragma once
// Draws the world pass culled and whole from the same camera pose in a real
// context with the game's textures, render state and projection, and keeps
// everything the rest of a frame could see of each: the colour and depth of
// every pixel and the GL state the pass leaves behind.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "tests/support/gl_context.h"
#include "tests/support/test_records.h"

struct CameraPose {
  float eyeX, eyeZ, heading, pitch, bob;
  // The window's own projection (45 degrees, window aspect) instead of the
  // figure loader's 47-degree one the game draws with.
  bool windowProjection;
};
std::string describePose(const CameraPose& pose);

// `count` poses from a fixed seed: four in five on open cells of world().level
// (anywhere in the cell), the rest anywhere in a ring of 20 units around the
// level, inside walls or outside looking across; pitch -30 to 30.
std::vector<CameraPose> randomPoses(int count, std::uint32_t seed);

struct DrawingMode {
  const char* name;
  void (*apply)();
};
extern const std::vector<DrawingMode> drawingModes;

struct PassResult {
  std::vector<std::uint8_t> colour;
  std::vector<std::uint32_t> depth;
  float material[4], texCoord[4], normal[3];
  int texture;
  std::int32_t trianglesDrawn;
};

// Pixels (colour or depth) and state values that differ, as a message; empty
// when both passes left the same.
std::string differences(const PassResult& culled, const PassResult& whole);

// A context of one window size over the world built last (textures loaded
// from the data folder). The whole pass is compiled once into a display list,
// so the reference for the largest maze costs one call.
class WorldViews {
 public:
  WorldViews(int width, int height);
  ~WorldViews();
  bool ok() const { return ok_; }
  PassResult draw(const CameraPose& pose, const DrawingMode& mode, bool culled);

 private:
  TestGlContext gl_;
  unsigned wholePass_ = 0;
  bool ok_ = false;
};

struct WindowSize {
  int width, height;
};
constexpr WindowSize smallWindow{640, 480}, largeWindow{1024, 768};

// Compares the culled and the whole pass over the poses, every drawing mode
// and the window sizes given, in the world built last; fails the current
// test at any difference (the first few are reported). Returns the share of
// triangles the culled passes drew.
double expectCulledPassesMatchWholePass(const std::vector<CameraPose>& poses,
                                        std::initializer_list<WindowSize> sizes = {smallWindow, largeWindow});
