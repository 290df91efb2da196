#include "world/world_block_index.h"
#include "tests/support/test_records.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "level_text.h"
#include "tests/support/largest_maze.h"

namespace {

// What every index must hold for the array it was built from: each triangle
// in exactly one run, runs ascending within a block, each block's box around
// all its corners, each run's kindBefore the whole pass's material kind.
void expectIndexCoversTheWorld() {
  const WorldBlockIndex& index = world().blockIndex;
  ASSERT_TRUE(index.indexes(world().worldTriangles.data(), world().worldTriangleCount()) ||
              world().worldTriangles.empty());
  std::vector<int> seen(world().worldTriangleCount(), 0);
  std::vector<int32_t> kindBefore(world().worldTriangleCount() + 1, -1);
  for (int32_t i = 0; i < world().worldTriangleCount(); ++i) {
    const int32_t kind = world().worldTriangles[i].kind;
    kindBefore[i + 1] = kind == kindSurface || kind == kindBox ? kind : kindBefore[i];
  }
  for (const WorldBlock& block : index.blocks) {
    int32_t previousEnd = -1;
    for (int32_t r = block.firstRun; r < block.firstRun + block.runCount; ++r) {
      const TriangleRun& run = index.runs[r];
      ASSERT_GT(run.count, 0);
      ASSERT_GT(run.first, previousEnd) << "runs of a block out of order";
      previousEnd = run.first + run.count - 1;
      EXPECT_EQ(run.kindBefore, kindBefore[run.first]) << "run from " << run.first;
      for (int32_t i = run.first; i < run.first + run.count; ++i) {
        ++seen[i];
        for (const TriangleVertex& v : world().worldTriangles[i].vertices) {
          const float p[3] = {v.x, v.y, v.z};
          for (int axis = 0; axis < 3; ++axis) {
            EXPECT_LE(block.low[axis], p[axis]) << "triangle " << i;
            EXPECT_GE(block.high[axis], p[axis]) << "triangle " << i;
          }
        }
      }
    }
  }
  for (int32_t i = 0; i < world().worldTriangleCount(); ++i) ASSERT_EQ(seen[i], 1) << "triangle " << i;
  EXPECT_EQ(index.kindAfterAll, kindBefore[world().worldTriangleCount()]);
}

// A 3 x 3 room of style 1 with a style-2 corner, a box and a picture, and
// one box record far outside the maze (the grid is not consulted for boxes).
const char* const room = "X 3\nY 3\nLevel\n112\n111\n111\nB 2 2\nB 100000 7\nW 1 1 O\n";

TEST(WorldBlockIndex, EveryTriangleLiesInOneBlockWhoseBoxHoldsIt) {
  ASSERT_TRUE(loadLevelText(room));
  buildWorld(world());
  ASSERT_GT(world().worldTriangleCount(), 0);
  expectIndexCoversTheWorld();
  // The distant box widens the blocks instead of the grid.
  EXPECT_LE(world().blockIndex.blocks.size(), 4u);
}

TEST(WorldBlockIndex, TheLargestMazeIsCutIntoBlocksOfFourByFourCells) {
  generateLargestMaze(world().level);
  buildWorld(world());
  expectIndexCoversTheWorld();
  // 253 cells span 506 units; blocks of 8 give 64 each way.
  EXPECT_EQ(world().blockIndex.blocks.size(), 64u * 64u);
  for (const WorldBlock& block : world().blockIndex.blocks) {
    EXPECT_LE(block.high[0] - block.low[0], worldBlockSide + 2.0f);
    EXPECT_LE(block.high[2] - block.low[2], worldBlockSide + 2.0f);
  }
}

TEST(WorldBlockIndex, EachBuildOfTheWorldIndexesTheNewArray) {
  ASSERT_TRUE(loadLevelText(room));
  buildWorld(world());
  const int32_t roomCount = world().worldTriangleCount();
  ASSERT_TRUE(loadLevelText("X 1\nY 1\nLevel\n1\n"));
  buildWorld(world());
  ASSERT_NE(world().worldTriangleCount(), roomCount);
  expectIndexCoversTheWorld();
  // An empty world gives an empty index.
  ASSERT_TRUE(loadLevelText("X 1\nY 1\nLevel\n0\n"));
  buildWorld(world());
  EXPECT_EQ(world().blockIndex.triangleCount, 0);
  EXPECT_TRUE(world().blockIndex.blocks.empty());
}

TEST(WorldBlockIndex, DamagedTrianglesKeepTheirMaterialKindsAndAnUnboundedBox) {
  const float nan = std::nanf("");
  std::vector<WorldTriangle> triangles = {
      {10, 7, 0, {{0, 0, 0, 0, 0}, {1, 0, 0, 0, 0}, {0, 1, 0, 0, 0}}},
      {10, kindBox, 0, {{40, 0, 0, 0, 0}, {41, 0, 0, 0, 0}, {40, 1, 0, 0, 0}}},
      {10, 9, 0, {{80, 0, 0, 0, 0}, {81, 0, 0, 0, 0}, {80, 1, 0, 0, 0}}},
      {10, kindSurface, 0, {{nan, 0, 0, 0, 0}, {1, 0, INFINITY, 0, 0}, {0, 1, 0, 0, 0}}},
      {10, 5, 0, {{120, 0, 0, 0, 0}, {121, 0, 0, 0, 0}, {120, 1, 0, 0, 0}}},
  };
  const WorldBlockIndex index = buildWorldBlockIndex(triangles.data(), static_cast<int32_t>(triangles.size()));

  ASSERT_EQ(index.runs.size(), 5u);  // 40 units apart: each its own block
  std::vector<int32_t> kindBefore(5);
  for (const TriangleRun& run : index.runs) kindBefore[run.first] = run.kindBefore;
  EXPECT_EQ(kindBefore, (std::vector<int32_t>{-1, -1, kindBox, kindBox, kindSurface}));
  EXPECT_EQ(index.kindAfterAll, kindSurface);
  bool unbounded = false;
  for (const WorldBlock& block : index.blocks) {
    unbounded |= std::isinf(block.low[0]) && std::isinf(block.high[0]) && std::isinf(block.high[2]);
  }
  EXPECT_TRUE(unbounded) << "the block of the damaged triangle must reach everywhere";
}

}  // namespace
