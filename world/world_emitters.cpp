// The four emitters of world triangles. Each face is written from a corner
// table: a corner picks its X, Y and Z from a small set of values that the
// emitter computes for its cell (a "frame"), so one routine writes every
// kind of face and the tables read like the geometry they describe.

#include <cstdint>

#include "world/level.h"
#include "world/world.h"
#include "world/world_geometry.h"

namespace {

struct CornerTemplate {
  uint8_t x, y, z;  // indices into Frame::xs, ys, zs
  float u, v;
};

struct TriangleTemplate {
  CornerTemplate corners[3];
};

struct Frame {
  float xs[3], ys[2], zs[3];
};

// A face: two triangles on one border (or the two halves of a cover).
struct FaceTemplate {
  int32_t side;
  TriangleTemplate triangles[2];
};

int32_t emit(World& world, int32_t index, const TriangleTemplate& shape, const Frame& frame, int32_t texture,
             int32_t kind, int32_t side) {
  if (index >= 0 && index < world.worldTriangleCount()) {
    WorldTriangle& out = world.worldTriangles[index];
    out.texture = texture;
    out.kind = kind;
    out.side = side;
    for (int i = 0; i < 3; ++i) {
      const CornerTemplate& c = shape.corners[i];
      out.vertices[i] = TriangleVertex{frame.xs[c.x], frame.ys[c.y], frame.zs[c.z], c.u, c.v};
    }
  }
  return index + 1;
}

int32_t emitFace(World& world, int32_t index, const FaceTemplate& face, const Frame& frame, int32_t texture,
                 int32_t kind) {
  index = emit(world, index, face.triangles[0], frame, texture, kind, face.side);
  return emit(world, index, face.triangles[1], frame, texture, kind, face.side);
}

// Cell frame: xs = {X0, X1}, ys = {0, 2}, zs = {Z0, Z1} with Z0 the
// Bottom (larger Z) border.
Frame cellFrame(int32_t x, int32_t y) {
  const float fx = static_cast<float>(x), fy = static_cast<float>(y);
  return Frame{{2.0f * fx - 2.0f, 2.0f * fx, 0.0f}, {0.0f, 2.0f}, {-2.0f * fy + 2.0f, -2.0f * fy, 0.0f}};
}

// Frame of a box or picture: xs = {P0, P1, plane X}, zs = {Q0, Q1, plane Z},
// the square of side 1 in the middle of the cell.
Frame centreFrame(int32_t x, int32_t y, float y0, float y1) {
  const float fx = static_cast<float>(x), fy = static_cast<float>(y);
  return Frame{{2.0f * fx - 1.5f, 2.0f * fx - 0.5f, 0.0f}, {y0, y1}, {-2.0f * fy + 1.5f, -2.0f * fy + 0.5f, 0.0f}};
}

const FaceTemplate floorFace{noWallSide, {{{{0, 0, 0, 0, 2}, {1, 0, 0, 0, 0}, {1, 0, 1, 2, 0}}},
                                          {{{0, 0, 0, 0, 2}, {0, 0, 1, 2, 2}, {1, 0, 1, 2, 0}}}}};
const FaceTemplate ceilingFace{noWallSide, {{{{0, 1, 0, 0, 2}, {1, 1, 0, 0, 0}, {1, 1, 1, 2, 0}}},
                                            {{{0, 1, 0, 0, 2}, {0, 1, 1, 2, 2}, {1, 1, 1, 2, 0}}}}};

// Wall faces in emission order Left, Right, Top, Bottom, with the neighbour
// across each border.
struct WallTemplate {
  int32_t dx, dy;
  FaceTemplate face;
};
const WallTemplate wallFaces[4] = {
    {-1, 0, {wallLeft, {{{{0, 0, 0, 2, 0}, {0, 0, 1, 0, 0}, {0, 1, 1, 0, 2}}},
                         {{{0, 0, 0, 2, 0}, {0, 1, 0, 2, 2}, {0, 1, 1, 0, 2}}}}}},
    {1, 0, {wallRight, {{{{1, 0, 0, 2, 0}, {1, 0, 1, 0, 0}, {1, 1, 1, 0, 2}}},
                         {{{1, 0, 0, 2, 0}, {1, 1, 0, 2, 2}, {1, 1, 1, 0, 2}}}}}},
    {0, 1, {wallTop, {{{{0, 0, 1, 2, 0}, {1, 0, 1, 0, 0}, {1, 1, 1, 0, 2}}},
                       {{{0, 0, 1, 2, 0}, {0, 1, 1, 2, 2}, {1, 1, 1, 0, 2}}}}}},
    {0, -1, {wallBottom, {{{{0, 0, 0, 2, 0}, {1, 0, 0, 0, 0}, {1, 1, 0, 0, 2}}},
                           {{{0, 0, 0, 2, 0}, {0, 1, 0, 2, 2}, {1, 1, 0, 0, 2}}}}}},
};

// Box: cover at the upper height, then Left, Right, Bottom, Top faces.
const FaceTemplate boxFaces[5] = {
    {noWallSide, {{{{0, 1, 0, 0, 0}, {1, 1, 0, 1, 0}, {1, 1, 1, 1, 1}}},
                  {{{0, 1, 0, 0, 0}, {0, 1, 1, 0, 1}, {1, 1, 1, 1, 1}}}}},
    {wallLeft, {{{{0, 1, 0, 1, 1}, {0, 0, 0, 1, 0}, {0, 0, 1, 0, 0}}},
                {{{0, 1, 0, 1, 1}, {0, 1, 1, 0, 1}, {0, 0, 1, 0, 0}}}}},
    {wallRight, {{{{1, 1, 0, 0, 1}, {1, 0, 0, 0, 0}, {1, 0, 1, 1, 0}}},
                 {{{1, 1, 0, 0, 1}, {1, 1, 1, 1, 1}, {1, 0, 1, 1, 0}}}}},
    {wallBottom, {{{{0, 1, 0, 0, 1}, {0, 0, 0, 0, 0}, {1, 0, 0, 1, 0}}},
                  {{{0, 1, 0, 0, 1}, {1, 1, 0, 1, 1}, {1, 0, 0, 1, 0}}}}},
    {wallTop, {{{{0, 1, 1, 1, 1}, {0, 0, 1, 1, 0}, {1, 0, 1, 0, 0}}},
               {{{0, 1, 1, 1, 1}, {1, 1, 1, 0, 1}, {1, 0, 1, 0, 0}}}}},
};

// Pictures, indexed by WallSide; index 2 of xs/zs is the picture's plane.
// Bottom and Right are mirrored so the image reads the same from inside.
const FaceTemplate pictureFaces[4] = {
    {wallTop, {{{{0, 0, 2, 0, 0}, {1, 0, 2, 1, 0}, {1, 1, 2, 1, 1}}},
               {{{0, 0, 2, 0, 0}, {0, 1, 2, 0, 1}, {1, 1, 2, 1, 1}}}}},
    {wallBottom, {{{{0, 0, 2, 1, 0}, {1, 0, 2, 0, 0}, {1, 1, 2, 0, 1}}},
                  {{{0, 0, 2, 1, 0}, {0, 1, 2, 1, 1}, {1, 1, 2, 0, 1}}}}},
    {wallLeft, {{{{2, 0, 0, 0, 0}, {2, 0, 1, 1, 0}, {2, 1, 1, 1, 1}}},
                {{{2, 0, 0, 0, 0}, {2, 1, 0, 0, 1}, {2, 1, 1, 1, 1}}}}},
    {wallRight, {{{{2, 0, 0, 1, 0}, {2, 0, 1, 0, 0}, {2, 1, 1, 0, 1}}},
                 {{{2, 0, 0, 1, 0}, {2, 1, 0, 1, 1}, {2, 1, 1, 0, 1}}}}},
};

// The picture stands this far in front of its wall, inside the cell.
constexpr float pictureGap = 0.001f;

int32_t wallTextureFor(int32_t value, int32_t texture1, int32_t texture2) {
  return value == 1 ? texture1 : texture2;
}

bool hasOwnGeometry(int32_t value) { return value == 1 || value == 2; }

}  // namespace

int32_t addFloorAndCeiling(World& world, int32_t index, int32_t x, int32_t y, int32_t floorTexture,
                           int32_t ceilingTexture) {
  const Frame frame = cellFrame(x, y);
  index = emitFace(world, index, floorFace, frame, floorTexture, kindSurface);
  return emitFace(world, index, ceilingFace, frame, ceilingTexture, kindSurface);
}

int32_t cellWallTriangleCount(const LevelData& level, int32_t x, int32_t y) {
  if (!hasOwnGeometry(levelCell(level, x, y))) return 0;
  int32_t count = 0;
  for (const WallTemplate& wall : wallFaces) {
    if (levelCell(level, x + wall.dx, y + wall.dy) == 0) count += 2;
  }
  return count;
}

int32_t addCellWalls(World& world, int32_t index, int32_t x, int32_t y, int32_t wallTexture1,
                     int32_t wallTexture2) {
  const int32_t value = levelCell(world.level, x, y);
  if (!hasOwnGeometry(value)) return index;
  const int32_t texture = wallTextureFor(value, wallTexture1, wallTexture2);
  const Frame frame = cellFrame(x, y);
  for (const WallTemplate& wall : wallFaces) {
    if (levelCell(world.level, x + wall.dx, y + wall.dy) == 0) {
      index = emitFace(world, index, wall.face, frame, texture, kindSurface);
    }
  }
  return index;
}

int32_t addBox(World& world, int32_t index, const BoxItem& box) {
  const Frame frame = centreFrame(box.x, box.y, 0.0f, 0.5f);
  for (const FaceTemplate& face : boxFaces) index = emitFace(world, index, face, frame, boxTexture, kindBox);
  return index;
}

bool pictureIsPlaced(const WallPicture& picture) {
  return picture.side >= wallTop && picture.side <= wallRight;
}

int32_t usableCount(int32_t count, int32_t capacity) {
  return count < 0 ? 0 : (count > capacity ? capacity : count);
}

int32_t addWallPictures(World& world, int32_t index, const PictureList& pictures, int32_t texture) {
  const int32_t count = usableCount(pictures.count, maxPictures);
  for (int32_t i = 0; i < count; ++i) {
    const WallPicture& picture = pictures.items[i];
    if (!pictureIsPlaced(picture)) continue;
    Frame frame = centreFrame(picture.x, picture.y, 0.5f, 1.5f);
    const Frame cell = cellFrame(picture.x, picture.y);
    // The plane lies just inside the cell, in front of the border's wall.
    frame.xs[2] = picture.side == wallLeft ? cell.xs[0] + pictureGap : cell.xs[1] - pictureGap;
    frame.zs[2] = picture.side == wallTop ? cell.zs[1] + pictureGap : cell.zs[0] - pictureGap;
    index = emitFace(world, index, pictureFaces[picture.side], frame, texture, kindSurface);
  }
  return index;
}
