#include "world/world_geometry.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "level_text.h"

namespace {

// Both triangles of a face carry its texture, kind and side. Where each face
// stands and how its texture lies is what the demos' pictures and their walks
// into walls see; here the order, textures, sides and kinds the game looks
// triangles up by, in worlds the shipped level does not have.
struct Face { int32_t texture, side, kind = kindSurface; };

void expectFaces(const std::vector<Face>& faces) {
  ASSERT_EQ(world().worldTriangleCount(), 2 * static_cast<int>(faces.size()));
  for (int index = 0; index < world().worldTriangleCount(); ++index) {
    const Face& face = faces[index / 2];
    const WorldTriangle& actual = world().worldTriangles[index];
    EXPECT_EQ(std::make_tuple(actual.texture, actual.kind, actual.side), std::make_tuple(face.texture, face.kind, face.side))
        << "triangle " << index;
  }
}

// Every world here also holds a W picture on a side no border has, which must add nothing.
void build(const std::string& levelText) {
  ASSERT_TRUE(loadLevelText(levelText));
  world().level.picturesW.items[world().level.picturesW.count++] = WallPicture{2, 3, 7};
  buildWorld(world());
  ASSERT_EQ(world().worldTriangleCount(), countWorldTriangles(world().level));
}

// A lone cell at (2, 3): X from 2 to 4, Z from -4 (Bottom) to -6 (Top).
const char* const loneCell = "X 3\nY 4\nLevel\n000\n010\n000\n000\n";
constexpr int32_t floor1 = floorTextureStyle1, ceiling1 = ceilingTextureStyle1, wall1 = wallTextureStyle1;
constexpr int32_t floor2 = floorTextureStyle2, ceiling2 = ceilingTextureStyle2, wall2 = wallTextureStyle2, none = noWallSide;

struct Scene { const char* what; std::string level; std::vector<Face> faces; };

TEST(WorldGeometry, ScenesGiveTheirFacesInOrder) {
  const Scene scenes[] = {
      {"other values open borders but build nothing", "X 4\nY 3\nLevel\n0000\n0139\n0000\n",
       {{floor1, none}, {ceiling1, none}, {wall1, wallLeft}, {wall1, wallTop}, {wall1, wallBottom}}},
      {"cells run from the bottom row, left to right (outer walls only: mixed styles share open borders)", "X 2\nY 2\nLevel\n21\n11\n",
       {{floor1, none}, {ceiling1, none}, {wall1, wallLeft}, {wall1, wallBottom},
        {floor1, none}, {ceiling1, none}, {wall1, wallRight}, {wall1, wallBottom},
        {floor2, none}, {ceiling2, none}, {wall2, wallLeft}, {wall2, wallTop},
        {floor1, none}, {ceiling1, none}, {wall1, wallRight}, {wall1, wallTop}}},
      {"a box stands wherever its record says, even in a solid cell", "X 3\nY 4\nB 2 3\n",
       {{boxTexture, none, kindBox}, {boxTexture, wallLeft, kindBox}, {boxTexture, wallRight, kindBox},
        {boxTexture, wallBottom, kindBox}, {boxTexture, wallTop, kindBox}}},
      {"pictures on each border", "X 3\nY 4\nW 2 3 O\nW 2 3 U\nW 2 3 L\nW 2 3 R\n",
       {{pictureTextureW, wallTop}, {pictureTextureW, wallBottom}, {pictureTextureW, wallLeft}, {pictureTextureW, wallRight}}},
      {"a lone cell (floor, ceiling, Left, Right, Top, Bottom), boxes, W pictures, G pictures, whatever the order "
       "of the records; unknown sides add nothing",
       "G 2 3 L\nW 2 3 X\nW 2 3 R\nB 2 3\n" + std::string(loneCell),
       {{floor1, none}, {ceiling1, none}, {wall1, wallLeft}, {wall1, wallRight}, {wall1, wallTop}, {wall1, wallBottom},
        {boxTexture, none, kindBox}, {boxTexture, wallLeft, kindBox}, {boxTexture, wallRight, kindBox},
        {boxTexture, wallBottom, kindBox}, {boxTexture, wallTop, kindBox},
        {pictureTextureW, wallRight}, {pictureTextureG, wallLeft}}},
      {"no open cell, nothing built", "X 3\nY 1\n", {}},
  };
  for (const Scene& scene : scenes) {  // built one after another: each world replaces the one before
    SCOPED_TRACE(scene.what);
    build(scene.level);
    expectFaces(scene.faces);
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
