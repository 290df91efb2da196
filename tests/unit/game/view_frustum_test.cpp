// The frustum's planes and margins, the sides' counted in pixels of the
// viewport. The one read from GL's matrices and viewport culls the demo
// pictures and decides which figures are drawn.
#include "game/view_frustum.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

const float identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

// With identity matrices clip space is world space: the view is the cube
// -1..1, the sides widened by 4 pixels (1.08 at 100 pixels), every box by
// 0.05.
TEST(ViewFrustum, ABoxIsDroppedOnlyWhenItLiesWhollyOutsideOneWidenedPlane) {
  const struct {
    const char* what;
    float low[3], high[3];
    bool kept;
    int width = 100, height = 100;  // of the viewport
  } cases[] = {
      {"left, beyond the margins", {-3, 0, 0}, {-1.14f, 0, 0}, false},
      {"left, within the margins", {-3, 0, 0}, {-1.12f, 0, 0}, true},
      {"right, beyond", {1.14f, 0, 0}, {3, 0, 0}, false},
      {"right, within", {1.12f, 0, 0}, {3, 0, 0}, true},
      {"below, beyond", {0, -3, 0}, {0, -1.14f, 0}, false},
      {"below, within", {0, -3, 0}, {0, -1.12f, 0}, true},
      {"above, beyond", {0, 1.14f, 0}, {0, 3, 0}, false},
      {"above, within", {0, 1.12f, 0}, {0, 3, 0}, true},
      {"before the near plane, beyond the box margin", {0, 0, -3}, {0, 0, -1.06f}, false},
      {"before the near plane, within", {0, 0, -3}, {0, 0, -1.04f}, true},
      {"past the far plane, beyond", {0, 0, 1.06f}, {0, 0, 3}, false},
      {"past the far plane, within", {0, 0, 1.04f}, {0, 0, 3}, true},
      // Outside the left and the right plane's corners but across the view.
      {"across the view", {-3, 0, 0}, {3, 0, 0}, true},
      // The index gives a damaged triangle's block infinite bounds, which
      // must never be dropped, even above the view: the planes meet them in
      // a sum that is not a number, and such a box is kept.
      {"infinite", {-INFINITY, 5, -INFINITY}, {INFINITY, 6, INFINITY}, true},
      // The side margin is counted in pixels of the viewport, each side's
      // along its own axis: 4 pixels are 0.08 of the half-width at 100
      // pixels, 0.008 at 1000; the box margin 0.05 brings the box to 1.01.
      {"left, 1000 pixels high", {-3, 0, 0}, {-1.06f, 0, 0}, true, 100, 1000},
      {"right, 1000 pixels wide", {1.06f, 0, 0}, {3, 0, 0}, false, 1000, 100},
      {"below, 1000 pixels wide", {0, -3, 0}, {0, -1.06f, 0}, true, 1000, 100},
      {"above, 1000 pixels high", {0, 1.06f, 0}, {0, 3, 0}, false, 100, 1000},
  };
  for (const auto& c : cases) {
    const ViewFrustum frustum = frustumFromMatrices(identity, identity, c.width, c.height);
    EXPECT_EQ(boxMayBeVisible(frustum, c.low, c.high), c.kept) << c.what;
  }
}

}  // namespace
