#include "world/world_geometry.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "level_text.h"

namespace {

struct Corner {
  float x, y, z, u, v;
};
struct Expected {
  Corner corners[3];
};

void expectCorners(int index, const std::vector<Expected>& expected) {
  for (size_t t = 0; t < expected.size(); ++t) {
    const WorldTriangle& actual = worldTriangles[index + t];
    for (int c = 0; c < 3; ++c) {
      const Corner& e = expected[t].corners[c];
      const TriangleVertex& a = actual.vertices[c];
      SCOPED_TRACE("triangle " + std::to_string(index + t) + " corner " + std::to_string(c));
      EXPECT_FLOAT_EQ(a.x, e.x);
      EXPECT_FLOAT_EQ(a.y, e.y);
      EXPECT_FLOAT_EQ(a.z, e.z);
      EXPECT_FLOAT_EQ(a.u, e.u);
      EXPECT_FLOAT_EQ(a.v, e.v);
    }
  }
}

void expectLabels(int index, int count, int texture, int kind, int side) {
  for (int t = index; t < index + count; ++t) {
    EXPECT_EQ(worldTriangles[t].texture, texture) << "triangle " << t;
    EXPECT_EQ(worldTriangles[t].kind, kind) << "triangle " << t;
    EXPECT_EQ(worldTriangles[t].side, side) << "triangle " << t;
  }
}

void build(const std::string& levelText) {
  ASSERT_TRUE(loadLevelText(levelText));
  buildWorld(nullptr, nullptr, nullptr);
  ASSERT_EQ(worldTriangleCount, countWorldTriangles());
}

// A lone style-1 cell at (2, 3): X from 2 to 4, Z from -4 (Bottom) to -6 (Top).
const char* const loneCell = "X 3\nY 4\nLevel\n000\n010\n000\n000\n";

TEST(WorldGeometry, LoneCellGivesFloorCeilingAndFourWallsInOrder) {
  build(loneCell);
  ASSERT_EQ(worldTriangleCount, 12);
  expectLabels(0, 2, floorTextureStyle1, kindSurface, noWallSide);
  expectLabels(2, 2, ceilingTextureStyle1, kindSurface, noWallSide);
  expectLabels(4, 2, wallTextureStyle1, kindSurface, wallLeft);
  expectLabels(6, 2, wallTextureStyle1, kindSurface, wallRight);
  expectLabels(8, 2, wallTextureStyle1, kindSurface, wallTop);
  expectLabels(10, 2, wallTextureStyle1, kindSurface, wallBottom);
  expectCorners(0, {
      {{{2, 0, -4, 0, 2}, {4, 0, -4, 0, 0}, {4, 0, -6, 2, 0}}},  // floor
      {{{2, 0, -4, 0, 2}, {2, 0, -6, 2, 2}, {4, 0, -6, 2, 0}}},
      {{{2, 2, -4, 0, 2}, {4, 2, -4, 0, 0}, {4, 2, -6, 2, 0}}},  // ceiling
      {{{2, 2, -4, 0, 2}, {2, 2, -6, 2, 2}, {4, 2, -6, 2, 0}}},
      {{{2, 0, -4, 2, 0}, {2, 0, -6, 0, 0}, {2, 2, -6, 0, 2}}},  // Left
      {{{2, 0, -4, 2, 0}, {2, 2, -4, 2, 2}, {2, 2, -6, 0, 2}}},
      {{{4, 0, -4, 2, 0}, {4, 0, -6, 0, 0}, {4, 2, -6, 0, 2}}},  // Right
      {{{4, 0, -4, 2, 0}, {4, 2, -4, 2, 2}, {4, 2, -6, 0, 2}}},
      {{{2, 0, -6, 2, 0}, {4, 0, -6, 0, 0}, {4, 2, -6, 0, 2}}},  // Top
      {{{2, 0, -6, 2, 0}, {2, 2, -6, 2, 2}, {4, 2, -6, 0, 2}}},
      {{{2, 0, -4, 2, 0}, {4, 0, -4, 0, 0}, {4, 2, -4, 0, 2}}},  // Bottom
      {{{2, 0, -4, 2, 0}, {2, 2, -4, 2, 2}, {4, 2, -4, 0, 2}}},
  });
}

TEST(WorldGeometry, MixedStylesShareAnOpenBorderAndKeepTheirTextures) {
  build("X 4\nY 3\nLevel\n0000\n0120\n0000\n");
  // Each cell: floor, ceiling and three walls.
  ASSERT_EQ(worldTriangleCount, 20);
  expectLabels(0, 2, floorTextureStyle1, kindSurface, noWallSide);
  expectLabels(4, 2, wallTextureStyle1, kindSurface, wallLeft);
  expectLabels(6, 2, wallTextureStyle1, kindSurface, wallTop);
  expectLabels(8, 2, wallTextureStyle1, kindSurface, wallBottom);
  expectLabels(10, 2, floorTextureStyle2, kindSurface, noWallSide);
  expectLabels(12, 2, ceilingTextureStyle2, kindSurface, noWallSide);
  expectLabels(14, 2, wallTextureStyle2, kindSurface, wallRight);
  expectLabels(16, 2, wallTextureStyle2, kindSurface, wallTop);
  expectLabels(18, 2, wallTextureStyle2, kindSurface, wallBottom);
}

TEST(WorldGeometry, CellsOfOtherValuesOpenBordersButHaveNoGeometry) {
  build("X 4\nY 3\nLevel\n0000\n0139\n0000\n");
  ASSERT_EQ(worldTriangleCount, 10);  // the value-1 cell without its Right wall
  expectLabels(4, 2, wallTextureStyle1, kindSurface, wallLeft);
  expectLabels(6, 2, wallTextureStyle1, kindSurface, wallTop);
  expectLabels(8, 2, wallTextureStyle1, kindSurface, wallBottom);
}

TEST(WorldGeometry, EmptyGridBuildsNothing) {
  build("X 5\nY 5\nLevel\n00000\n");
  EXPECT_EQ(worldTriangleCount, 0);
}

TEST(WorldGeometry, CellsRunFromTheBottomRowLeftToRight) {
  build("X 2\nY 2\nLevel\n12\n21\n");
  // Four open cells, each with floor, ceiling and two walls: 8 triangles.
  ASSERT_EQ(worldTriangleCount, 32);
  const float expectedX0[4] = {0, 2, 0, 2}, expectedZ0[4] = {0, 0, -2, -2};
  const int expectedFloor[4] = {floorTextureStyle2, floorTextureStyle1, floorTextureStyle1, floorTextureStyle2};
  for (int cell = 0; cell < 4; ++cell) {
    const WorldTriangle& floor = worldTriangles[cell * 8];
    EXPECT_FLOAT_EQ(floor.vertices[0].x, expectedX0[cell]) << cell;
    EXPECT_FLOAT_EQ(floor.vertices[0].z, expectedZ0[cell]) << cell;
    EXPECT_EQ(floor.texture, expectedFloor[cell]) << cell;
  }
}

TEST(WorldGeometry, BoxHasACoverAndFourSidesWhereverItsRecordSays) {
  build("X 3\nY 4\nB 2 3\n");  // no grid: the box stands in a solid cell
  ASSERT_EQ(worldTriangleCount, 10);
  expectLabels(0, 2, boxTexture, kindBox, noWallSide);
  expectLabels(2, 2, boxTexture, kindBox, wallLeft);
  expectLabels(4, 2, boxTexture, kindBox, wallRight);
  expectLabels(6, 2, boxTexture, kindBox, wallBottom);
  expectLabels(8, 2, boxTexture, kindBox, wallTop);
  // P from 2.5 to 3.5, Q from -4.5 to -5.5.
  expectCorners(0, {
      {{{2.5f, 0.5f, -4.5f, 0, 0}, {3.5f, 0.5f, -4.5f, 1, 0}, {3.5f, 0.5f, -5.5f, 1, 1}}},
      {{{2.5f, 0.5f, -4.5f, 0, 0}, {2.5f, 0.5f, -5.5f, 0, 1}, {3.5f, 0.5f, -5.5f, 1, 1}}},
      {{{2.5f, 0.5f, -4.5f, 1, 1}, {2.5f, 0, -4.5f, 1, 0}, {2.5f, 0, -5.5f, 0, 0}}},
      {{{2.5f, 0.5f, -4.5f, 1, 1}, {2.5f, 0.5f, -5.5f, 0, 1}, {2.5f, 0, -5.5f, 0, 0}}},
      {{{3.5f, 0.5f, -4.5f, 0, 1}, {3.5f, 0, -4.5f, 0, 0}, {3.5f, 0, -5.5f, 1, 0}}},
      {{{3.5f, 0.5f, -4.5f, 0, 1}, {3.5f, 0.5f, -5.5f, 1, 1}, {3.5f, 0, -5.5f, 1, 0}}},
      {{{2.5f, 0.5f, -4.5f, 0, 1}, {2.5f, 0, -4.5f, 0, 0}, {3.5f, 0, -4.5f, 1, 0}}},
      {{{2.5f, 0.5f, -4.5f, 0, 1}, {3.5f, 0.5f, -4.5f, 1, 1}, {3.5f, 0, -4.5f, 1, 0}}},
      {{{2.5f, 0.5f, -5.5f, 1, 1}, {2.5f, 0, -5.5f, 1, 0}, {3.5f, 0, -5.5f, 0, 0}}},
      {{{2.5f, 0.5f, -5.5f, 1, 1}, {3.5f, 0.5f, -5.5f, 0, 1}, {3.5f, 0, -5.5f, 0, 0}}},
  });
}

TEST(WorldGeometry, PicturesStandJustInsideEachBorderAndReadFromInside) {
  build("X 3\nY 4\nW 2 3 O\nW 2 3 U\nW 2 3 L\nW 2 3 R\n");
  ASSERT_EQ(worldTriangleCount, 8);
  expectLabels(0, 2, pictureTextureW, kindSurface, wallTop);
  expectLabels(2, 2, pictureTextureW, kindSurface, wallBottom);
  expectLabels(4, 2, pictureTextureW, kindSurface, wallLeft);
  expectLabels(6, 2, pictureTextureW, kindSurface, wallRight);
  const float e = 0.001f, top = -6.0f + e, bottom = -4.0f - e, left = 2.0f + e, right = 4.0f - e;
  expectCorners(0, {
      {{{2.5f, 0.5f, top, 0, 0}, {3.5f, 0.5f, top, 1, 0}, {3.5f, 1.5f, top, 1, 1}}},
      {{{2.5f, 0.5f, top, 0, 0}, {2.5f, 1.5f, top, 0, 1}, {3.5f, 1.5f, top, 1, 1}}},
      {{{2.5f, 0.5f, bottom, 1, 0}, {3.5f, 0.5f, bottom, 0, 0}, {3.5f, 1.5f, bottom, 0, 1}}},
      {{{2.5f, 0.5f, bottom, 1, 0}, {2.5f, 1.5f, bottom, 1, 1}, {3.5f, 1.5f, bottom, 0, 1}}},
      {{{left, 0.5f, -4.5f, 0, 0}, {left, 0.5f, -5.5f, 1, 0}, {left, 1.5f, -5.5f, 1, 1}}},
      {{{left, 0.5f, -4.5f, 0, 0}, {left, 1.5f, -4.5f, 0, 1}, {left, 1.5f, -5.5f, 1, 1}}},
      {{{right, 0.5f, -4.5f, 1, 0}, {right, 0.5f, -5.5f, 0, 0}, {right, 1.5f, -5.5f, 0, 1}}},
      {{{right, 0.5f, -4.5f, 1, 0}, {right, 1.5f, -4.5f, 1, 1}, {right, 1.5f, -5.5f, 0, 1}}},
  });
}

TEST(WorldGeometry, CellsThenBoxesThenWPicturesThenGPictures) {
  // Records in the file in the opposite order; a picture with an unknown
  // side letter and one with side 7 add nothing.
  ASSERT_TRUE(loadLevelText("G 2 3 L\nW 2 3 X\nW 2 3 R\nB 2 3\n" + std::string(loneCell)));
  levelData.picturesW.items[levelData.picturesW.count++] = WallPicture{2, 3, 7};
  buildWorld(nullptr, nullptr, nullptr);
  ASSERT_EQ(worldTriangleCount, countWorldTriangles());
  ASSERT_EQ(worldTriangleCount, 12 + 10 + 2 + 2);
  expectLabels(12, 2, boxTexture, kindBox, noWallSide);
  expectLabels(20, 2, boxTexture, kindBox, wallTop);
  expectLabels(22, 2, pictureTextureW, kindSurface, wallRight);
  expectLabels(24, 2, pictureTextureG, kindSurface, wallLeft);
}

TEST(WorldGeometry, RebuildingReplacesTheWorld) {
  build(loneCell);
  ASSERT_EQ(worldTriangleCount, 12);
  build("X 3\nY 1\nLevel\n111\n");
  EXPECT_EQ(worldTriangleCount, 3 * 4 + (3 + 2 + 3) * 2);  // a corridor: 8 wall faces
  build("X 3\nY 1\n");
  EXPECT_EQ(worldTriangleCount, 0);
}

TEST(WorldGeometry, EmittersNeverWritePastTheArray) {
  build(loneCell);
  const WorldTriangle last = worldTriangles[11];
  // A box starting two records before the end writes two and counts ten.
  EXPECT_EQ(addBox(10, BoxItem{1, 1}), 20);
  EXPECT_EQ(worldTriangles[10].kind, kindBox);
  EXPECT_EQ(worldTriangles[11].kind, kindBox);
  EXPECT_NE(worldTriangles[11].vertices[0].x, last.vertices[0].x);
  EXPECT_EQ(addFloorAndCeiling(12, 1, 1, 0, 0), 16);
  EXPECT_EQ(addCellWalls(-3, 2, 3, 0, 0), 5);
}

TEST(WorldGeometry, OversizedLevelDataIsWalkedSafely) {
  // LevelData is a plain global: sizes and counts beyond the capacities
  // must not lead the builder outside the arrays.
  levelData = LevelData{};
  levelData.sizeX = 100000;
  levelData.sizeY = 255;
  levelData.levelGrid[255 * 253 + 253] = 1;
  levelData.boxes.count = 1000;
  levelData.picturesW.count = -5;
  levelData.picturesG.count = 101;
  buildWorld(nullptr, nullptr, nullptr);
  // One closed cell, 255 boxes, 100 pictures whose side is Top (0).
  EXPECT_EQ(worldTriangleCount, 12 + 255 * 10 + 100 * 2);
}

}  // namespace
