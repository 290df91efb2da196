#include "tools/datagen/figure/figure_mesh.h"

#include <cmath>

namespace {

constexpr float kPi = 3.14159265f;

Float3 cross(Float3 a, Float3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
Float3 normalized(Float3 v) {
  const float length = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
  return length > 0 ? v * (1.0f / length) : v;
}
int lerpTexel(int a, int b, float f) { return static_cast<int>(std::lround(a + (b - a) * f)); }

}  // namespace

SubmodelBuilder::SubmodelBuilder() {
  sub_.meshes.resize(SkinColumnCount);
  for (int c = 0; c < SkinColumnCount; ++c) sub_.meshes[static_cast<size_t>(c)].skinColumn = c;
}

int SubmodelBuilder::addVertex(int bone, Float3 modelPosition) {
  sub_.vertices.push_back(modelPosition - restPosition(bone));
  sub_.vertexBones.push_back(static_cast<uint8_t>(bone));
  return static_cast<int>(sub_.vertices.size()) - 1;
}

int SubmodelBuilder::addNormal(FigureMesh& mesh, int bone, Float3 normal) {
  mesh.normals.push_back(normalized(normal));
  mesh.normalBones.push_back(static_cast<uint8_t>(bone));
  return static_cast<int>(mesh.normals.size()) - 1;
}

void SubmodelBuilder::tube(int bone, SkinColumn column, Float3 from, Float3 to, const TubeShape& shape,
                           TexelRect rect) {
  const int sides = shape.sides;
  const float flatten = shape.flatten;
  FigureMesh& mesh = sub_.meshes[static_cast<size_t>(column)];
  const Float3 axis = normalized(to - from);
  // The first section axis points across the figure (y) unless the tube runs
  // along y; the second completes the frame.
  const Float3 reference = std::fabs(axis.y) > 0.9f ? Float3{0, 0, 1} : Float3{0, 1, 0};
  const Float3 u = normalized(cross(reference, axis));
  const Float3 v = cross(axis, u);
  std::vector<int> ringFrom, ringTo, normals;
  for (int i = 0; i <= sides; ++i) {
    const float angle = 2 * kPi * static_cast<float>(i % sides) / static_cast<float>(sides) + kPi / sides;
    const Float3 direction = u * (std::cos(angle) * flatten) + v * std::sin(angle);
    ringFrom.push_back(addVertex(bone, from + direction * shape.radiusFrom));
    ringTo.push_back(addVertex(bone, to + direction * shape.radiusTo));
    normals.push_back(addNormal(mesh, bone, u * std::cos(angle) + v * (std::sin(angle) * flatten)));
  }
  Primitive side{false, {}};
  for (int i = 0; i <= sides; ++i) {
    const int s = lerpTexel(rect.s0, rect.s1, static_cast<float>(i) / static_cast<float>(sides));
    side.vertices.push_back({ringFrom[static_cast<size_t>(i)], normals[static_cast<size_t>(i)], s, rect.t1});
    side.vertices.push_back({ringTo[static_cast<size_t>(i)], normals[static_cast<size_t>(i)], s, rect.t0});
  }
  sub_.meshes[static_cast<size_t>(column)].primitives.push_back(side);

  // A closed end is a fan over its ring, facing out along the axis.
  auto closeEnd = [&](const std::vector<int>& ring, Float3 outward, bool reversed) {
    const int normal = addNormal(mesh, bone, outward);
    const int midS = (rect.s0 + rect.s1) / 2, midT = (rect.t0 + rect.t1) / 2;
    const int spreadS = (rect.s1 - rect.s0) / 4, spreadT = (rect.t1 - rect.t0) / 4;
    Primitive end{true, {}};
    for (int i = 0; i < sides; ++i) {
      const float angle = 2 * kPi * static_cast<float>(i) / static_cast<float>(sides);
      const int corner = reversed ? sides - 1 - i : i;
      end.vertices.push_back({ring[static_cast<size_t>(corner)], normal, midS + lerpTexel(0, spreadS, std::cos(angle)),
                              midT + lerpTexel(0, spreadT, std::sin(angle))});
    }
    mesh.primitives.push_back(end);
  };
  if (shape.ends & FromEnd) closeEnd(ringFrom, axis * -1.0f, true);
  if (shape.ends & ToEnd) closeEnd(ringTo, axis, false);
}

void SubmodelBuilder::ellipsoidPatch(int bone, SkinColumn column, Float3 centre, Float3 radii,
                                     float latitude0, float latitude1, float longitude0,
                                     float longitude1, int rings, int segments, TexelRect rect) {
  FigureMesh& mesh = sub_.meshes[static_cast<size_t>(column)];
  std::vector<std::vector<CommandVertex>> grid(static_cast<size_t>(rings) + 1);
  for (int r = 0; r <= rings; ++r) {
    const float fr = static_cast<float>(r) / static_cast<float>(rings);
    const float latitude = latitude0 + (latitude1 - latitude0) * fr;
    for (int k = 0; k <= segments; ++k) {
      const float fk = static_cast<float>(k) / static_cast<float>(segments);
      const float longitude = longitude0 + (longitude1 - longitude0) * fk;
      const Float3 unit{std::sin(latitude) * std::cos(longitude), std::sin(latitude) * std::sin(longitude),
                        std::cos(latitude)};
      const Float3 position{centre.x + radii.x * unit.x, centre.y + radii.y * unit.y, centre.z + radii.z * unit.z};
      const Float3 normal{unit.x / radii.x, unit.y / radii.y, unit.z / radii.z};
      grid[static_cast<size_t>(r)].push_back({addVertex(bone, position), addNormal(mesh, bone, normal),
                                              lerpTexel(rect.s0, rect.s1, fk), lerpTexel(rect.t0, rect.t1, fr)});
    }
  }
  for (int r = 0; r < rings; ++r) {
    Primitive band{false, {}};
    for (int k = 0; k <= segments; ++k) {
      band.vertices.push_back(grid[static_cast<size_t>(r)][static_cast<size_t>(k)]);
      band.vertices.push_back(grid[static_cast<size_t>(r) + 1][static_cast<size_t>(k)]);
    }
    mesh.primitives.push_back(band);
  }
}

FigureSubmodel SubmodelBuilder::take() { return std::move(sub_); }

FigureSubmodel buildSoldierBody() {
  SubmodelBuilder b;
  const TexelRect uniform{0, 0, 64, 64};
  const TexelRect gear{0, 0, 32, 32};
  // Trunk: pelvis, belly, chest, widening toward the shoulders.
  b.tube(Pelvis, UniformSkin, {0, 0, -5}, {0, 0, 7}, {8.0f, 8.5f, 0.62f, 10, FromEnd}, uniform);
  b.tube(Spine, UniformSkin, {0, 0, 7}, {0, 0, 19}, {8.3f, 9.6f, 0.62f, 10, OpenEnds}, uniform);
  b.tube(Chest, UniformSkin, {0.3f, 0, 19}, {0, 0, 29}, {10.0f, 8.0f, 0.62f, 10, ToEnd}, uniform);
  // Belt and vest of the gear texture.
  b.tube(Pelvis, GearSkin, {0, 0, 4.5f}, {0, 0, 7.5f}, {8.8f, 8.8f, 0.64f, 10, BothEnds}, gear);
  b.tube(Chest, GearSkin, {0.6f, 0, 18}, {0.4f, 0, 27}, {10.3f, 9.2f, 0.66f, 10, BothEnds}, gear);
  // Neck and head; helmet with a chrome visor in front of the eyes.
  b.tube(Head, FaceSkin, {0, 0, 28}, {0.3f, 0, 31.5f}, {2.4f, 2.3f, 1.0f, 8, OpenEnds}, {0, 24, 32, 32});
  b.ellipsoidPatch(Head, FaceSkin, {0.6f, 0, 35}, {4.3f, 3.8f, 5.0f}, 0.0f, kPi, -kPi, kPi, 8, 12,
                   {32, 0, 0, 32});
  b.ellipsoidPatch(Head, GearSkin, {0.3f, 0, 35.2f}, {4.9f, 4.5f, 4.8f}, 0.0f, 1.45f, -kPi, kPi, 5, 12, gear);
  b.ellipsoidPatch(Head, VisorSkin, {0.6f, 0, 34.9f}, {4.75f, 4.15f, 5.1f}, 1.3f, 1.78f, -1.15f, 1.15f, 2, 8,
                   {0, 0, 64, 64});
  // Arms: sleeves of the uniform, gloves of the gear texture.
  for (int side = 0; side < 2; ++side) {
    const float y = side == 0 ? 10.5f : -10.5f;
    const int upper = side == 0 ? LeftUpperArm : RightUpperArm;
    b.tube(upper, UniformSkin, {0, y, 29}, {0, y, 15}, {2.9f, 2.4f, 1.0f, 8, FromEnd}, uniform);
    b.tube(upper + 1, UniformSkin, {0, y, 15}, {0.2f, y, 3.5f}, {2.4f, 1.9f, 1.0f, 8, OpenEnds}, uniform);
    b.tube(upper + 2, GearSkin, {0.2f, y, 3.5f}, {0.5f, y, -1.5f}, {1.8f, 1.5f, 0.7f, 6, ToEnd}, gear);
  }
  // Legs: trousers down to the boots, boots with their feet.
  for (int side = 0; side < 2; ++side) {
    const float y = side == 0 ? 5.0f : -5.0f;
    const int thigh = side == 0 ? LeftThigh : RightThigh;
    b.tube(thigh, UniformSkin, {0, y, 0}, {0, y, -20}, {4.3f, 3.1f, 1.0f, 8, OpenEnds}, uniform);
    b.tube(thigh + 1, UniformSkin, {0, y, -20}, {0, y, -28}, {3.1f, 2.8f, 1.0f, 8, OpenEnds}, uniform);
    b.tube(thigh + 1, GearSkin, {0, y, -28}, {0, y, -37.5f}, {3.0f, 2.7f, 1.0f, 8, FromEnd}, gear);
    b.tube(thigh + 2, GearSkin, {-2.8f, y, -38.3f}, {7.5f, y, -38.3f}, {2.4f, 2.0f, 0.72f, 6, BothEnds}, gear);
  }
  return b.take();
}

FigureSubmodel buildRifle() {
  SubmodelBuilder b;
  const TexelRect gear{0, 0, 32, 32};
  const Float3 grip = restPosition(Rifle);
  // Stock, receiver, barrel and magazine, pointing forward (+x).
  b.tube(Rifle, GearSkin, grip + Float3{-9, 0, 0.5f}, grip + Float3{-1, 0, 1.5f}, {1.6f, 1.3f, 0.5f, 4, BothEnds}, gear);
  b.tube(Rifle, GearSkin, grip + Float3{-1, 0, 1.5f}, grip + Float3{14, 0, 1.5f}, {1.5f, 1.3f, 0.6f, 4, BothEnds}, gear);
  b.tube(Rifle, GearSkin, grip + Float3{14, 0, 1.8f}, grip + Float3{25, 0, 1.8f}, {0.5f, 0.45f, 1.0f, 6, BothEnds}, gear);
  b.tube(Rifle, GearSkin, grip + Float3{6, 0, 0.5f}, grip + Float3{7.5f, 0, -5.5f}, {1.1f, 1.0f, 0.45f, 4, BothEnds}, gear);
  return b.take();
}
