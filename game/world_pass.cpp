#include "game/world_pass.h"

#include "render/gl_api.h"
#include "render/texture_table.h"
#include "world/world_geometry.h"

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
GLuint textureName(std::int32_t index) {
  return index >= 0 && index < textureCount ? textureTable[index] : 0;
}

}  // namespace

void drawWorldTriangles() {
  if (worldTriangles == nullptr) return;
  for (std::int32_t i = 0; i < worldTriangleCount; ++i) {
    const WorldTriangle& triangle = worldTriangles[i];
    glBindTexture(GL_TEXTURE_2D, textureName(triangle.texture));
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
