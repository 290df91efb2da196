#include "world/collision_models.h"

#include "world/world_geometry.h"

const float playerBoxTriangles[playerBoxTriangleCount][9] = {
    {-0.15f, -0.1f, -0.2f, 0.0f, -0.1f, -0.5f, 0.0f, 0.12f, -0.2f},
    {0.15f, -0.1f, -0.2f, 0.0f, -0.1f, -0.5f, 0.0f, 0.12f, -0.2f},
    {-0.15f, -0.1f, -0.2f, 0.0f, -0.1f, -0.5f, 0.0f, -0.3f, -0.2f},
    {0.15f, -0.1f, -0.2f, 0.0f, -0.1f, -0.5f, 0.0f, -0.3f, -0.2f},
    {-0.15f, -0.1f, 0.2f, 0.0f, -0.1f, 0.5f, 0.0f, 0.12f, 0.2f},
    {0.15f, -0.1f, 0.2f, 0.0f, -0.1f, 0.5f, 0.0f, 0.12f, 0.2f},
    {-0.15f, -0.1f, 0.2f, 0.0f, -0.1f, 0.5f, 0.0f, -0.3f, 0.2f},
    {0.15f, -0.1f, 0.2f, 0.0f, -0.1f, 0.5f, 0.0f, -0.3f, 0.2f},
    {-0.15f, -0.1f, -0.2f, -0.5f, -0.1f, 0.0f, -0.15f, -0.1f, 0.2f},
    {-0.15f, -0.1f, -0.2f, -0.5f, -0.1f, 0.0f, -0.15f, -0.1f, 0.2f},
    {-0.15f, -0.1f, -0.2f, -0.5f, -0.1f, 0.0f, -0.15f, -0.1f, 0.2f},
    {-0.15f, -0.1f, -0.2f, -0.5f, -0.1f, 0.0f, -0.15f, -0.1f, 0.2f},
    {0.15f, -0.1f, -0.2f, 0.5f, -0.1f, 0.0f, 0.15f, -0.1f, 0.2f},
    {0.15f, -0.1f, -0.2f, 0.5f, -0.1f, 0.0f, 0.15f, -0.1f, 0.2f},
    {0.15f, -0.1f, -0.2f, 0.5f, -0.1f, 0.0f, 0.15f, -0.1f, 0.2f},
    {0.15f, -0.1f, -0.2f, 0.5f, -0.1f, 0.0f, 0.15f, -0.1f, 0.2f},
};

CollisionSide collisionSideOfBoxTriangle(int32_t boxTriangle) {
  if (boxTriangle < 0 || boxTriangle >= playerBoxTriangleCount) return collisionNone;
  return static_cast<CollisionSide>(boxTriangle / 4);
}

namespace {

void fillPlayerBox(CollisionModel3D* model) {
  if (model == nullptr) return;
  for (const float* t : playerBoxTriangles) model->addTriangle(t[0], t[1], t[2], t[3], t[4], t[5], t[6], t[7], t[8]);
  model->finalize();
}

void fillWorld(CollisionModel3D* model, const WorldTriangle* triangles, int32_t count) {
  if (model == nullptr) return;
  for (int32_t i = 0; i < count; ++i) {
    const TriangleVertex* v = triangles[i].vertices;
    model->addTriangle(v[0].x, v[0].y, v[0].z, v[1].x, v[1].y, v[1].z, v[2].x, v[2].y, v[2].z);
  }
  model->finalize();
}

}  // namespace

void fillCollisionModels(const CollisionModels& models, const WorldTriangle* triangles,
                         int32_t count) {
  fillWorld(models.world, triangles, count);
  fillPlayerBox(models.playerBox);
  fillPlayerBox(models.secondPlayerBox);
}
