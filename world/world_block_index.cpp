#include "world/world_block_index.h"

#include <algorithm>
#include <cmath>


namespace {

bool isKnownKind(int32_t kind) { return kind == kindSurface || kind == kindBox; }

float centreX(const WorldTriangle& t) {
  return (t.vertices[0].x + t.vertices[1].x + t.vertices[2].x) * (1.0f / 3.0f);
}
float centreZ(const WorldTriangle& t) {
  return (t.vertices[0].z + t.vertices[1].z + t.vertices[2].z) * (1.0f / 3.0f);
}

// Where the triangle centres lie on the floor plan, and the block side that
// covers that area with at most worldBlocksPerSide blocks each way.
struct BlockGrid {
  float originX = 0.0f, originZ = 0.0f, side = worldBlockSide;
  int32_t columns = 1, rows = 1;

  // Block column or row of a coordinate; a centre that is not a finite
  // number (a damaged array) goes to block 0, whose box then holds it.
  static int32_t slot(float offset, float side, int32_t slots) {
    const float position = offset / side;
    if (!(position >= 0.0f)) return 0;
    if (!(position < static_cast<float>(slots))) return slots - 1;
    return static_cast<int32_t>(position);
  }
  int32_t blockOf(const WorldTriangle& t) const {
    return slot(centreX(t) - originX, side, columns) * rows + slot(centreZ(t) - originZ, side, rows);
  }
};

BlockGrid gridFor(const WorldTriangle* triangles, int32_t count) {
  float lowX = INFINITY, highX = -INFINITY, lowZ = INFINITY, highZ = -INFINITY;
  for (int32_t i = 0; i < count; ++i) {
    const float x = centreX(triangles[i]), z = centreZ(triangles[i]);
    if (std::isfinite(x)) lowX = std::min(lowX, x), highX = std::max(highX, x);
    if (std::isfinite(z)) lowZ = std::min(lowZ, z), highZ = std::max(highZ, z);
  }
  BlockGrid grid;
  if (lowX > highX || lowZ > highZ) return grid;  // no finite centre at all
  const float extent = std::max(highX - lowX, highZ - lowZ);
  if (!(extent < 1e30f)) return grid;  // one block; the side could not be divided
  grid.originX = lowX;
  grid.originZ = lowZ;
  grid.side = std::max(worldBlockSide, extent / static_cast<float>(worldBlocksPerSide - 1));
  const auto slots = [&](float span) {
    return std::min(worldBlocksPerSide, static_cast<int32_t>(span / grid.side) + 1);
  };
  grid.columns = slots(highX - lowX);
  grid.rows = slots(highZ - lowZ);
  return grid;
}

void growBox(WorldBlock& block, const WorldTriangle& t) {
  for (const TriangleVertex& v : t.vertices) {
    const float p[3] = {v.x, v.y, v.z};
    for (int axis = 0; axis < 3; ++axis) {
      // A corner that is not a number makes the box infinite, which every
      // view test keeps.
      const bool bad = std::isnan(p[axis]);
      block.low[axis] = bad ? -INFINITY : std::min(block.low[axis], p[axis]);
      block.high[axis] = bad ? INFINITY : std::max(block.high[axis], p[axis]);
    }
  }
}

}  // namespace

WorldBlockIndex buildWorldBlockIndex(const WorldTriangle* worldTriangles, int32_t triangleCount) {
  WorldBlockIndex index;
  index.triangles = worldTriangles;
  index.triangleCount = worldTriangles != nullptr && triangleCount > 0 ? triangleCount : 0;
  const int32_t count = index.triangleCount;
  const BlockGrid grid = gridFor(worldTriangles, count);

  // Triangles sorted by block, each block's in array order (a counting sort).
  const int32_t blockCount = grid.columns * grid.rows;
  std::vector<int32_t> blockOf(count), start(blockCount + 1, 0), order(count);
  for (int32_t i = 0; i < count; ++i) {
    blockOf[i] = grid.blockOf(worldTriangles[i]);
    ++start[blockOf[i] + 1];
  }
  for (int32_t b = 0; b < blockCount; ++b) start[b + 1] += start[b];
  std::vector<int32_t> next(start.begin(), start.end() - 1);
  for (int32_t i = 0; i < count; ++i) order[next[blockOf[i]]++] = i;

  // The material kind in force before each triangle of the whole pass.
  std::vector<int32_t> kindBefore(count);
  int32_t kind = -1;
  for (int32_t i = 0; i < count; ++i) {
    kindBefore[i] = kind;
    if (isKnownKind(worldTriangles[i].kind)) kind = worldTriangles[i].kind;
  }
  index.kindAfterAll = kind;

  for (int32_t b = 0; b < blockCount; ++b) {
    if (start[b] == start[b + 1]) continue;
    WorldBlock block{{INFINITY, INFINITY, INFINITY}, {-INFINITY, -INFINITY, -INFINITY},
                     static_cast<int32_t>(index.runs.size()), 0};
    for (int32_t k = start[b]; k < start[b + 1]; ++k) {
      const int32_t i = order[k];
      growBox(block, worldTriangles[i]);
      TriangleRun* last = block.runCount > 0 ? &index.runs.back() : nullptr;
      if (last != nullptr && last->first + last->count == i) {
        ++last->count;
      } else {
        index.runs.push_back(TriangleRun{i, 1, kindBefore[i]});
        ++block.runCount;
      }
    }
    index.blocks.push_back(block);
  }
  return index;
}
