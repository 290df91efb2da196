#include "game/view_frustum.h"

#include <algorithm>

#include "render/gl_api.h"

namespace {

// Row r of the column-major product projection x modelView: clip coordinate
// r of a world point is row . (x, y, z, 1).
void clipRow(const float projection[16], const float modelView[16], int r, double out[4]) {
  for (int column = 0; column < 4; ++column) {
    double sum = 0.0;
    for (int k = 0; k < 4; ++k) {
      sum += static_cast<double>(projection[k * 4 + r]) * static_cast<double>(modelView[column * 4 + k]);
    }
    out[column] = sum;
  }
}

// `scale` w + sign x_axis >= 0, i.e. -scale w <= x_axis <= scale w.
void sidePlane(const double w[4], const double axis[4], double sign, double scale, double out[4]) {
  for (int i = 0; i < 4; ++i) out[i] = scale * w[i] + sign * axis[i];
}

}  // namespace

ViewFrustum frustumFromMatrices(const float projection[16], const float modelView[16],
                                int viewportWidth, int viewportHeight) {
  double rows[4][4];
  for (int r = 0; r < 4; ++r) clipRow(projection, modelView, r, rows[r]);
  // One pixel spans 2 / size of normalized device coordinates.
  const double widenX = 1.0 + 2.0 * frustumSideMarginPixels / std::max(viewportWidth, 1);
  const double widenY = 1.0 + 2.0 * frustumSideMarginPixels / std::max(viewportHeight, 1);
  ViewFrustum frustum;
  sidePlane(rows[3], rows[0], 1.0, widenX, frustum.planes[0]);
  sidePlane(rows[3], rows[0], -1.0, widenX, frustum.planes[1]);
  sidePlane(rows[3], rows[1], 1.0, widenY, frustum.planes[2]);
  sidePlane(rows[3], rows[1], -1.0, widenY, frustum.planes[3]);
  sidePlane(rows[3], rows[2], 1.0, 1.0, frustum.planes[4]);
  sidePlane(rows[3], rows[2], -1.0, 1.0, frustum.planes[5]);
  return frustum;
}

ViewFrustum currentViewFrustum() {
  float projection[16], modelView[16];
  GLint viewport[4] = {0, 0, 1, 1};
  glGetFloatv(GL_PROJECTION_MATRIX, projection);
  glGetFloatv(GL_MODELVIEW_MATRIX, modelView);
  glGetIntegerv(GL_VIEWPORT, viewport);
  return frustumFromMatrices(projection, modelView, viewport[2], viewport[3]);
}

bool boxMayBeVisible(const ViewFrustum& frustum, const float low[3], const float high[3]) {
  for (const double* plane : frustum.planes) {
    // The corner furthest along the plane's normal; if even it lies outside,
    // the whole box does. Comparisons with a non-number are false, so such a
    // box is never rejected.
    double furthest = plane[3];
    for (int axis = 0; axis < 3; ++axis) {
      const double corner = plane[axis] >= 0.0 ? static_cast<double>(high[axis]) + frustumBoxMargin
                                               : static_cast<double>(low[axis]) - frustumBoxMargin;
      furthest += plane[axis] * corner;
    }
    if (furthest < 0.0) return false;
  }
  return true;
}
