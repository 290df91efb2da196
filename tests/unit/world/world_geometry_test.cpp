#include "world/world_geometry.h"

#include <gtest/gtest.h>

#include <vector>

#include "level_text.h"

namespace {

// Both triangles of a face carry its side, which the game's wall contacts
// look up and no picture shows. The faces' order, textures and kinds (boxes
// are lit as boxes) and where walls and boxes stand are what the demos'
// pictures see; here the sides and the pictures' planes, in worlds the
// shipped level does not have; and that each built world is indexed anew.

// Every world here also holds a W picture on a side no border has, which must add nothing.
void build(const std::string& levelText) {
  ASSERT_TRUE(loadLevelText(levelText));
  world().level.picturesW.items[world().level.picturesW.count++] = WallPicture{2, 3, 7};
  buildWorld(world());
  ASSERT_EQ(world().worldTriangleCount(), countWorldTriangles(world().level));
}

// A lone cell at (2, 3): X from 2 to 4, Z from -4 (Bottom) to -6 (Top).
const char* const loneCell = "X 3\nY 4\nLevel\n000\n010\n000\n000\n";
constexpr int32_t top = wallTop, bottom = wallBottom, left = wallLeft, right = wallRight, none = noWallSide;

TEST(WorldGeometry, ScenesGiveTheirFacesInOrder) {
  const struct { const char* what; std::string level; std::vector<int32_t> sides; } scenes[] = {
      {"other values open borders but build nothing", "X 4\nY 3\nLevel\n0000\n0139\n0000\n", {none, none, left, top, bottom}},
      {"cells run from the bottom row, left to right (outer walls only: mixed styles share open borders)",
       "X 2\nY 2\nLevel\n21\n11\n",
       {none, none, left, bottom, none, none, right, bottom, none, none, left, top, none, none, right, top}},
      {"a box stands wherever its record says, even in a solid cell", "X 3\nY 4\nB 2 3\n", {none, left, right, bottom, top}},
      {"a lone cell (floor, ceiling, Left, Right, Top, Bottom), boxes, W pictures, G pictures, whatever the order "
       "of the records; unknown sides add nothing",
       "G 2 3 L\nW 2 3 X\nW 2 3 R\nB 2 3\n" + std::string(loneCell),
       {none, none, left, right, top, bottom, none, left, right, bottom, top, right, left}},
      {"no open cell, nothing built", "X 3\nY 1\n", {}},
      {"pictures on each border", "X 3\nY 4\nW 2 3 O\nW 2 3 U\nW 2 3 L\nW 2 3 R\n", {top, bottom, left, right}},
  };
  for (const auto& scene : scenes) {  // built one after another: each world replaces the one before
    SCOPED_TRACE(scene.what);
    build(scene.level);
    ASSERT_EQ(world().worldTriangleCount(), 2 * static_cast<int>(scene.sides.size()));
    for (int index = 0; index < world().worldTriangleCount(); ++index)
      EXPECT_EQ(world().worldTriangles[index].side, scene.sides[index / 2]) << "triangle " << index;
    // Each world gets an index of its own array (the culled pass draws a stale
    // one whole, so no picture shows it); an empty world, an empty one.
    EXPECT_TRUE(world().blockIndex.indexes(world().worldTriangles.data(), world().worldTriangleCount()) ||
                (scene.sides.empty() && world().blockIndex.blocks.empty()));
  }
  // Each picture of the last world lies a thousandth inside its border, in
  // front of the wall there, and reads from inside the cell as drawn: u grows
  // to the viewer's right (x, -x, -z, z), v upward from 0.5. The shipped level
  // has no picture on every side.
  const struct { float plane, rightX, rightZ, uAtZero; } borders[] = {  // Top, Bottom, Left, Right
      {-5.999f, 1, 0, -2.5f}, {-4.001f, -1, 0, 3.5f}, {2.001f, 0, -1, -4.5f}, {3.999f, 0, 1, 5.5f}};
  for (int i = 0; i < 8; ++i)
    for (const TriangleVertex& v : world().worldTriangles[i].vertices) {
      const auto& border = borders[i / 2];
      EXPECT_FLOAT_EQ(i < 4 ? v.z : v.x, border.plane) << i;
      EXPECT_FLOAT_EQ(v.u, border.rightX * v.x + border.rightZ * v.z + border.uAtZero) << i;
      EXPECT_FLOAT_EQ(v.v, v.y - 0.5f) << i;
    }
}

TEST(WorldGeometry, EmittersNeverWritePastTheArray) {
  build(loneCell);
  const WorldTriangle last = world().worldTriangles[11];
  // A box starting two records before the end writes two and counts ten.
  EXPECT_EQ(addBox(world(), 10, BoxItem{1, 1}), 20);
  EXPECT_NE(world().worldTriangles[11].vertices[0].x, last.vertices[0].x);
  EXPECT_EQ(addFloorAndCeiling(world(), 12, 1, 1, 0, 0), 16);
  EXPECT_EQ(addCellWalls(world(), -3, 2, 3, 0, 0), 5);
}

TEST(WorldGeometry, OversizedLevelDataIsWalkedSafely) {
  // LevelData is a plain global: sizes and counts beyond the capacities must not lead the builder outside.
  world().level = LevelData{};
  world().level.sizeX = 100000;
  world().level.sizeY = 255;
  world().level.levelGrid[255 * 253 + 253] = 1;
  world().level.boxes.count = 1000;
  world().level.picturesW.count = -5;
  world().level.picturesG.count = 101;
  buildWorld(world());
  // One closed cell, 255 boxes, 100 pictures whose side is Top (0).
  EXPECT_EQ(world().worldTriangleCount(), 12 + 255 * 10 + 100 * 2);
}

}  // namespace
