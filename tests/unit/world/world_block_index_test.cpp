#include "world/world_block_index.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "level_text.h"

namespace {

// Which triangles each block holds, and the materials of its runs, are proved
// by the game's culled world pass drawing the same pixels as the whole one;
// here only what the pictures cannot show: how finely the world is cut and
// damaged triangles. That each built world gets its own index is checked with
// the world geometry's scenes.
TEST(WorldBlockIndex, TheLargestLevelIsCutIntoBlocksOfFourByFourCells) {
  std::string open;
  for (int row = 0; row < maxLevelSize; ++row) open += std::string(maxLevelSize, '1') + "\n";
  ASSERT_TRUE(loadLevelText("X 253\nY 253\nLevel\n" + open));
  buildWorld(world());
  // 253 cells span 506 units; blocks of 8 give 64 each way.
  EXPECT_EQ(world().blockIndex.blocks.size(), 64u * 64u);
  for (const WorldBlock& block : world().blockIndex.blocks) {
    EXPECT_LE(block.high[0] - block.low[0], worldBlockSide + 2.0f);
    EXPECT_LE(block.high[2] - block.low[2], worldBlockSide + 2.0f);
  }
}

TEST(WorldBlockIndex, TheBlockOfADamagedTriangleReachesEverywhere) {
  const float nan = std::nanf("");
  std::vector<WorldTriangle> triangles = {
      {10, 7, 0, {{0, 0, 0, 0, 0}, {1, 0, 0, 0, 0}, {0, 1, 0, 0, 0}}},
      {10, kindBox, 0, {{40, 0, 0, 0, 0}, {41, 0, 0, 0, 0}, {40, 1, 0, 0, 0}}},
      {10, kindSurface, 0, {{nan, 0, 0, 0, 0}, {1, 0, INFINITY, 0, 0}, {0, 1, 0, 0, 0}}},
  };
  const WorldBlockIndex index = buildWorldBlockIndex(triangles.data(), static_cast<int32_t>(triangles.size()));
  EXPECT_EQ(buildWorldBlockIndex(triangles.data(), 1).triangleCount, 1);

  // Two blocks 40 units apart; the damaged triangle in a run of its own.
  ASSERT_EQ(index.runs.size(), 3u);
  bool unbounded = false;
  for (const WorldBlock& block : index.blocks)
    unbounded |= std::isinf(block.low[0]) && std::isinf(block.high[0]) && std::isinf(block.high[2]);
  EXPECT_TRUE(unbounded) << "the block of the damaged triangle must reach everywhere";
}

}  // namespace
