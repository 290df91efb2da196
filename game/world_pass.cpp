#include "game/world_pass.h"

#include <algorithm>
#include <vector>

#include "game/view_frustum.h"
#include "render/gl_api.h"
#include "render/texture_table.h"
#include "world/world.h"

namespace {

const float surfaceMaterial[4] = {0.75f, 0.75f, 0.75f, 1.0f};
const float boxMaterial[4] = {1.0f, 1.0f, 1.0f, 1.0f};

// A triangle of an unknown kind keeps the material of the one before it.
void setMaterialOfKind(std::int32_t kind) {
  if (kind == kindSurface) {
    glMaterialfv(GL_FRONT, GL_AMBIENT_AND_DIFFUSE, surfaceMaterial);
  } else if (kind == kindBox) {
    glMaterialfv(GL_FRONT, GL_AMBIENT_AND_DIFFUSE, boxMaterial);
  }
}

// The builder writes only indices of the texture table; one outside it
// (a damaged array) is drawn with no texture rather than read past the end.
GLuint textureName(const TextureTable& textureTable, std::int32_t index) {
  return index >= 0 && index < textureCount ? textureTable[index] : 0;
}

// What one pass draws from and with.
struct Pass {
  WorldPassState& state;
  const World& world;
  const TextureTable& textureTable;
};

void drawTriangles(const Pass& pass, std::int32_t first, std::int32_t end) {
  pass.state.trianglesDrawn += end - first;
  for (std::int32_t i = first; i < end; ++i) {
    const WorldTriangle& triangle = pass.world.worldTriangles[i];
    glBindTexture(GL_TEXTURE_2D, textureName(pass.textureTable, triangle.texture));
    setMaterialOfKind(triangle.kind);
    glBegin(GL_TRIANGLES);
    glNormal3f(0.0f, 0.0f, 1.0f);
    for (const TriangleVertex& corner : triangle.vertices) {
      glTexCoord2f(corner.u, corner.v);
      glVertex3f(corner.x, corner.y, corner.z);
    }
    glEnd();
  }
}

// The runs of the blocks the frustum may reach, in array order.
const std::vector<TriangleRun>& visibleRuns(const Pass& pass, const ViewFrustum& frustum) {
  std::vector<TriangleRun>& runs = pass.state.visibleRuns;
  runs.clear();
  const WorldBlockIndex& index = pass.world.blockIndex;
  for (const WorldBlock& block : index.blocks) {
    if (!boxMayBeVisible(frustum, block.low, block.high)) continue;
    runs.insert(runs.end(), index.runs.begin() + block.firstRun,
                index.runs.begin() + block.firstRun + block.runCount);
  }
  std::sort(runs.begin(), runs.end(),
            [](const TriangleRun& a, const TriangleRun& b) { return a.first < b.first; });
  return runs;
}

// What the whole pass leaves in force after its last triangle, for the
// drawing that follows in the frame.
void leaveStateOfWholePass(const Pass& pass) {
  const WorldTriangle& last = pass.world.worldTriangles.back();
  setMaterialOfKind(pass.world.blockIndex.kindAfterAll);
  glBindTexture(GL_TEXTURE_2D, textureName(pass.textureTable, last.texture));
  glNormal3f(0.0f, 0.0f, 1.0f);
  glTexCoord2f(last.vertices[2].u, last.vertices[2].v);
}

void drawVisibleTriangles(const Pass& pass) {
  std::int32_t next = 0;  // the triangle the whole pass would draw next
  for (const TriangleRun& run : visibleRuns(pass, currentViewFrustum())) {
    // After skipped triangles the material in force may differ from the one
    // the whole pass had here.
    if (run.first != next) setMaterialOfKind(run.kindBefore);
    drawTriangles(pass, run.first, run.first + run.count);
    next = run.first + run.count;
  }
  if (next != pass.world.worldTriangleCount()) leaveStateOfWholePass(pass);
}

}  // namespace

void drawWorldTriangles(WorldPassState& state, const World& world, const TextureTable& textureTable) {
  state.trianglesDrawn = 0;
  const std::int32_t count = world.worldTriangleCount();
  if (count == 0) return;
  const Pass pass{state, world, textureTable};
  // An array the index was not built from (one a test put in place) is drawn
  // whole.
  if (state.cullingEnabled && world.blockIndex.indexes(world.worldTriangles.data(), count)) {
    drawVisibleTriangles(pass);
  } else {
    drawTriangles(pass, 0, count);
  }
}
