#include "model/model_reach.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "model/model_instance.h"

using namespace model_format;

namespace {

float length(const Vec3& v) { return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z); }

// Per bone, the largest distance of a vertex hanging on it, over every
// submodel of every body part.
std::vector<float> boneRadii(const std::uint8_t* file, int boneCount) {
  std::vector<float> radius(static_cast<std::size_t>(boneCount), 0.0f);
  const std::int32_t parts = readInt32(file + header::bodyPartCount);
  for (int p = 0; p < parts; ++p) {
    const std::uint8_t* part = file + readInt32(file + header::bodyPartOffset) + p * body_part::size;
    for (int s = 0; s < readInt32(part + body_part::submodelCount); ++s) {
      const std::uint8_t* record = file + readInt32(part + body_part::submodelOffset) + s * submodel::size;
      const std::uint8_t* bones = file + readInt32(record + submodel::vertexBoneOffset);
      const std::uint8_t* vertices = file + readInt32(record + submodel::vertexOffset);
      for (int v = 0; v < readInt32(record + submodel::vertexCount); ++v) {
        float& r = radius[bones[v]];
        r = std::max(r, length(readVec3(vertices + 12 * v)));
      }
    }
  }
  return radius;
}

// The smallest and largest raw value of a stream over `frames` frames: runs
// of (validCount, totalCount) bytes and validCount values, the last value
// of a run holding for the rest of it.
void widenByStream(const std::uint8_t* run, int frames, float& low, float& high) {
  for (int covered = 0; covered < frames && run[1] > 0; covered += run[1]) {
    for (int i = 0; i < run[0]; ++i) {
      const float value = readInt16(run + 2 + 2 * i);
      low = std::min(low, value);
      high = std::max(high, value);
    }
    run += 2 * (run[0] + 1);
  }
}

// Per bone, the largest distance of its origin from its parent's over every
// block of every sequence.
std::vector<float> boneTranslations(const ModelInstance& instance, int boneCount) {
  const std::uint8_t* file = instance.header.data;
  const std::uint8_t* bones = file + readInt32(file + header::boneOffset);
  const std::uint8_t* sequences = file + readInt32(file + header::sequenceOffset);
  std::vector<float> translation(static_cast<std::size_t>(boneCount), 0.0f);
  for (int s = 0; s < readInt32(file + header::sequenceCount); ++s) {
    const std::uint8_t* record = sequences + s * sequence::size;
    const int frames = std::max(readInt32(record + sequence::frameCount), 1);
    const std::uint8_t* data = instance.getAnimationData(record);
    for (int block = 0; block < std::max(readInt32(record + sequence::blendCount), 1); ++block) {
      for (int b = 0; b < boneCount; ++b) {
        const std::uint8_t* bone = bones + b * bone::size;
        const std::uint8_t* offsets = data + (block * boneCount + b) * bone_anim::size;
        float extent[3];
        for (int axis = 0; axis < 3; ++axis) {
          float low = 0.0f, high = 0.0f;
          const std::uint16_t stream = readUint16(offsets + 2 * axis);
          if (stream != 0) widenByStream(offsets + stream, frames, low, high);
          const float base = readFloat(bone + bone::defaultValue + 4 * axis);
          const float scale = readFloat(bone + bone::scale + 4 * axis);
          const std::int32_t controller = readInt32(bone + bone::controllerIndex + 4 * axis);
          const float adjust = controller == -1 ? 0.0f : instance.controllerValues[controller];
          extent[axis] = std::max(std::fabs(base + adjust + low * scale),
                                  std::fabs(base + adjust + high * scale));
        }
        translation[b] = std::max(translation[b], length(Vec3{extent[0], extent[1], extent[2]}));
      }
    }
  }
  return translation;
}

}  // namespace

float figureReach(const ModelInstance& instance) {
  if (!instance.loaded()) return 0.0f;
  const std::uint8_t* file = instance.header.data;
  const int boneCount = readInt32(file + header::boneCount);
  const std::uint8_t* bones = file + readInt32(file + header::boneOffset);
  const std::vector<float> radius = boneRadii(file, boneCount);
  const std::vector<float> translation = boneTranslations(instance, boneCount);
  // Parents come before their children, so one pass adds up the chains.
  std::vector<float> chain(static_cast<std::size_t>(boneCount), 0.0f);
  float reach = 0.0f;
  for (int b = 0; b < boneCount; ++b) {
    const std::int32_t parent = readInt32(bones + b * bone::size + bone::parent);
    chain[b] = translation[b] + (parent >= 0 && parent < b ? chain[parent] : 0.0f);
    reach = std::max(reach, chain[b] + radius[b]);
  }
  return reach;
}
