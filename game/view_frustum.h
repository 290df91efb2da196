#pragma once
// The part of world space that can reach the picture, as six planes taken
// from the projection and model-view matrices, for the world pass to skip
// what lies wholly outside it. The test errs on the side of keeping: a box
// it rejects lies wholly outside one of the planes even after widening, so
// no triangle inside it can touch a pixel, filled or outlined.

struct ViewFrustum {
  // a x + b y + c z + d >= 0 inside; left, right, bottom, top, near, far.
  double planes[6][4];
};

// How far the four side planes are widened beyond the viewport, in pixels:
// an outline (GL_LINE) is one pixel wide and may light a pixel whose centre
// lies half a pixel beside the edge it draws.
constexpr double frustumSideMarginPixels = 4.0;
// How far every box is widened, in world units, against rounding of the
// vertex transform (world coordinates reach about 510).
constexpr float frustumBoxMargin = 0.05f;

// From OpenGL's column-major matrices and the viewport size in pixels.
ViewFrustum frustumFromMatrices(const float projection[16], const float modelView[16],
                                int viewportWidth, int viewportHeight);

// The frustum of the current GL context (matrices and viewport read back).
ViewFrustum currentViewFrustum();

// False only when the box (low, high), widened by frustumBoxMargin, lies
// wholly outside one plane. Any non-number in the planes or the box keeps it.
bool boxMayBeVisible(const ViewFrustum& frustum, const float low[3], const float high[3]);
