#pragma once
// A real OpenGL context to draw into for the lifetime of the object: Mesa's
// offscreen renderer natively, a hidden window with a WGL context under Wine.
// The context is current after construction.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

class TestGlContext {
 public:
  TestGlContext(int width = 256, int height = 256);
  ~TestGlContext();

  bool ok() const { return ok_; }
  int width() const { return width_; }
  int height() const { return height_; }
  // The colour buffer as RGBA bytes, bottom row first (glReadPixels order).
  std::vector<std::uint8_t> readPixels() const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
  int width_;
  int height_;
  bool ok_ = false;
};
