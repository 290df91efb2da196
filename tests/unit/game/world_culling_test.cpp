// The culled world pass against the whole one: the same pixels (colour and
// depth) and the same state left behind, in real levels from random poses and
// in small hand-made worlds that aim at the material rule.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <utility>

#include "game/view_frustum.h"
#include "tests/support/test_records.h"
#include "game/world_pass.h"
#include "render/gl_api.h"
#include "tests/support/largest_maze.h"
#include "tests/support/recording_os.h"
#include "tests/unit/game/world_culling_views.h"
#include "world/level.h"
#include "world/level_loader.h"
#include "world/world_block_index.h"
#include "world/world_geometry.h"

namespace {

// The whole set of poses (200 per level, every mode, both sizes) takes
// several minutes; every test run takes a sample, and
// BRAKMOOR_FULL_CULLING_CHECK=1 asks for all of it.
bool fullCheckWanted() {
  const char* value = std::getenv("BRAKMOOR_FULL_CULLING_CHECK");
  return value != nullptr && value[0] == '1';
}
constexpr int fullPoseCount = 200;

class CulledWorldPass : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(chdir(BRAKMOOR_DATA_DIR), 0); }
  void TearDown() override { ASSERT_EQ(chdir(BRAKMOOR_SOURCE_DIR), 0); }

  static void buildLevel1() {
    ASSERT_TRUE(loadLevel(world().level, "data/LEVEL/level1.dat"));
    buildWorld(world());
  }
  static void buildLargestMaze() {
    generateLargestMaze(world().level);
    buildWorld(world());
  }

  ScopedRecordingOs os;
};

TEST_F(CulledWorldPass, Level1SampleDrawsTheSamePictureAsTheWholePass) {
  buildLevel1();
  // Ten poses hold two from outside the maze and two with the window's own
  // projection.
  const double share = expectCulledPassesMatchWholePass(randomPoses(10, 1));
  EXPECT_LT(share, 0.6) << "culling dropped too little to be tested";
}

TEST_F(CulledWorldPass, LargestMazeSampleDrawsTheSamePictureAsTheWholePass) {
  buildLargestMaze();
  // The whole pass over 257,824 triangles is the slow part: one window size.
  const double share = expectCulledPassesMatchWholePass(randomPoses(5, 2), {smallWindow});
  EXPECT_LT(share, 0.05);
}

// The whole set, one test per level and window size so that they can run
// side by side.
#define FULL_CULLING_CHECK(level, width, height, seed)                                           \
  TEST_F(CulledWorldPass, level##AllPosesAt##width##x##height##DrawTheSamePictureAsTheWholePass) { \
    if (!fullCheckWanted()) GTEST_SKIP() << "BRAKMOOR_FULL_CULLING_CHECK=1 runs this";             \
    build##level();                                                                                \
    expectCulledPassesMatchWholePass(randomPoses(fullPoseCount, seed), {{width, height}});         \
  }
FULL_CULLING_CHECK(Level1, 640, 480, 11)
FULL_CULLING_CHECK(Level1, 1024, 768, 11)
FULL_CULLING_CHECK(LargestMaze, 640, 480, 12)
FULL_CULLING_CHECK(LargestMaze, 1024, 768, 12)

// A vertical square facing +Z at height 0 to 2 with its left edge at x.
std::pair<WorldTriangle, WorldTriangle> square(float x, float z, int32_t texture, int32_t kind) {
  const TriangleVertex a{x, 0, z, 0, 0}, b{x + 2, 0, z, 1, 0}, c{x + 2, 2, z, 1, 1}, d{x, 2, z, 0, 1};
  return {WorldTriangle{texture, kind, 1, {a, b, c}}, WorldTriangle{texture, kind, 1, {a, c, d}}};
}

// Puts a hand-made array in place of the built world (with its index) for
// the lifetime of the object.
class HandMadeWorld {
 public:
  explicit HandMadeWorld(std::vector<WorldTriangle> triangles) : triangles_(std::move(triangles)) {
    std::swap(world().worldTriangles, triangles_);
    std::swap(world().blockIndex, savedIndex_);
    world().blockIndex = buildWorldBlockIndex(world().worldTriangles.data(), world().worldTriangleCount());
  }
  ~HandMadeWorld() {
    std::swap(world().worldTriangles, triangles_);
    std::swap(world().blockIndex, savedIndex_);
  }

 private:
  std::vector<WorldTriangle> triangles_;
  WorldBlockIndex savedIndex_;
};

// Squares along the x axis 20 units apart (one block each), kinds as given;
// the eye at x = 1 sees only the first square or two, so the rest are culled.
std::vector<WorldTriangle> squaresOfKinds(std::initializer_list<int32_t> kinds, float firstX) {
  std::vector<WorldTriangle> triangles;
  float x = firstX;
  for (int32_t kind : kinds) {
    const auto [one, two] = square(x, -5.0f, 10 + static_cast<int32_t>(triangles.size()) % 5, kind);
    triangles.push_back(one);
    triangles.push_back(two);
    x += 20.0f;
  }
  return triangles;
}

TEST_F(CulledWorldPass, ATriangleOfUnknownKindKeepsTheMaterialTheWholePassGivesIt) {
  const CameraPose lookingAtTheOrigin{1.0f, 0.0f, 0.0f, 0.0f, 0.0f, false};
  struct Case {
    const char* name;
    std::initializer_list<int32_t> kinds;
    float firstX;
  } cases[] = {
      // The visible square follows a culled box: it must be drawn with the
      // box material, not the material in force before the pass.
      {"box culled before the unknown kind", {kindBox, 7, kindSurface, 9}, -40.0f},
      {"surface culled before the unknown kind", {kindBox, kindSurface, 7, kindBox}, -40.0f},
      // Nothing known before the visible square: it keeps the material in
      // force before the pass.
      {"nothing known before", {7, 8, 9, kindBox}, 0.0f},
      // The last known kind lies in a culled square after the visible ones:
      // the pass must still leave it in force for what the frame draws next.
      {"culled box at the end", {kindSurface, 9, kindBox, 7}, 0.0f},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    HandMadeWorld world(squaresOfKinds(c.kinds, c.firstX));
    WorldViews views(64, 48);
    ASSERT_TRUE(views.ok());
    for (const DrawingMode& mode : drawingModes) {
      SCOPED_TRACE(mode.name);
      const PassResult culled = views.draw(lookingAtTheOrigin, mode, true);
      const PassResult whole = views.draw(lookingAtTheOrigin, mode, false);
      EXPECT_LT(culled.trianglesDrawn, whole.trianglesDrawn);
      EXPECT_EQ(differences(culled, whole), "");
    }
  }
}

}  // namespace
