// Skeletal animation: the frame clock of a sequence, decoding of the
// run-length encoded animation streams, interpolation, controllers, blending
// and the bone matrices of the pose.

#include <algorithm>
#include <cmath>

#include "model/model_instance.h"

using namespace model_format;

namespace {

using Pose = ModelPose;

// The raw values of a stream at frame k and k + 1. Runs are a header of
// (validCount, totalCount) bytes followed by validCount int16 values; frames
// past the valid ones repeat the run's last value. Without `nextFrameShown`
// frame k + 1 lies past the sequence, where the stream need not go on, and
// frame k's value stands for it.
void decodeStream(const std::uint8_t* run, int k, bool nextFrameShown, int& a, int& b) {
  while (run[1] <= k) {
    k -= run[1];
    run += 2 * (run[0] + 1);
  }
  const int validCount = run[0];
  const int totalCount = run[1];
  const std::uint8_t* values = run + 2;
  const std::uint8_t* nextRunFirstValue = run + 2 * (validCount + 1) + 2;
  if (k < validCount) {
    a = readInt16(values + 2 * k);
    if (!nextFrameShown) b = a;
    else if (k + 1 < validCount) b = readInt16(values + 2 * (k + 1));
    else if (k + 1 < totalCount) b = a;
    else b = readInt16(nextRunFirstValue);
  } else {
    a = readInt16(values + 2 * (validCount - 1));
    b = k + 1 < totalCount || !nextFrameShown ? a : readInt16(nextRunFirstValue);
  }
}

// The raw stream values of channel c at frames k and k + 1, if it has a stream.
struct RawChannel {
  bool animated;
  int a;
  int b;
};

// The frame position split into the frame k the pose starts from and the
// fraction s toward frame k + 1.
struct FrameStep {
  int k;
  float s;
  bool nextFrameShown;  // whether frame k + 1 belongs to the sequence
};

RawChannel rawChannel(const std::uint8_t* animOffsets, int channel, const FrameStep& at) {
  RawChannel raw{false, 0, 0};
  const std::uint16_t streamOffset = readUint16(animOffsets + 2 * channel);
  if (streamOffset != 0) {
    raw.animated = true;
    decodeStream(animOffsets + streamOffset, at.k, at.nextFrameShown, raw.a, raw.b);
  }
  return raw;
}

float controllerOffset(const ModelInstance& instance, const std::uint8_t* bone, int channel) {
  const std::int32_t controllerIndex = readInt32(bone + bone::controllerIndex + 4 * channel);
  return controllerIndex == -1 ? 0.0f : instance.controllerValues[controllerIndex];
}

float defaultValue(const std::uint8_t* bone, int channel) {
  return readFloat(bone + bone::defaultValue + 4 * channel);
}
float channelScale(const std::uint8_t* bone, int channel) {
  return readFloat(bone + bone::scale + 4 * channel);
}

Quaternion computeBoneRotation(const ModelInstance& instance, const FrameStep& at,
                               const std::uint8_t* bone, const std::uint8_t* animOffsets) {
  float atFrame[3], atNextFrame[3];
  for (int axis = 0; axis < 3; ++axis) {
    const int channel = 3 + axis;
    const RawChannel raw = rawChannel(animOffsets, channel, at);
    const float base = defaultValue(bone, channel);
    const float scale = channelScale(bone, channel);
    const float adjustment = controllerOffset(instance, bone, channel);
    atFrame[axis] = (raw.animated ? base + raw.a * scale : base) + adjustment;
    atNextFrame[axis] = (raw.animated ? base + raw.b * scale : base) + adjustment;
  }
  const Vec3 a{atFrame[0], atFrame[1], atFrame[2]};
  const Vec3 b{atNextFrame[0], atNextFrame[1], atNextFrame[2]};
  if (vectorsNearlyEqual(a, b)) return anglesToQuaternion(a);
  return quaternionSlerp(anglesToQuaternion(a), anglesToQuaternion(b), at.s);
}

Vec3 computeBonePosition(const ModelInstance& instance, const FrameStep& at, const std::uint8_t* bone,
                         const std::uint8_t* animOffsets) {
  float p[3];
  for (int channel = 0; channel < 3; ++channel) {
    const RawChannel raw = rawChannel(animOffsets, channel, at);
    p[channel] = defaultValue(bone, channel);
    if (raw.animated) p[channel] += (raw.a * (1.0f - at.s) + raw.b * at.s) * channelScale(bone, channel);
    p[channel] += controllerOffset(instance, bone, channel);
  }
  return Vec3{p[0], p[1], p[2]};
}

// The frame position held to the sequence's range [0, frameCount - 1] (a
// frame set from outside may lie anywhere), so that neither the frame the
// decoder reads nor the fraction between two frames leaves the stream's
// values. Sequences of 0 or 1 frames show frame 0 alone. Worked out in
// double, which holds every frame number exactly.
FrameStep frameStep(std::int32_t frameCount, float framePosition) {
  const double last = frameCount > 1 ? frameCount - 1 : 0;
  double position = framePosition;
  if (!(position > 0.0)) position = 0.0;  // also a position that is not a number
  if (position > last) position = last;
  // The last frame is reached as frame frameCount - 2 at fraction 1.
  const int lastK = frameCount > 2 ? frameCount - 2 : 0;
  const int k = std::min(static_cast<int>(position), lastK);
  return FrameStep{k, static_cast<float>(position - k), k + 1 < frameCount};
}

void blendPoses(Pose& into, const Pose& other, float weight, int boneCount) {
  if (weight < 0.0f) weight = 0.0f;
  if (weight > 1.0f) weight = 1.0f;
  for (int i = 0; i < boneCount; ++i) {
    into.rotations[i] = quaternionSlerp(into.rotations[i], other.rotations[i], weight);
    Vec3& p = into.positions[i];
    const Vec3& q = other.positions[i];
    p = Vec3{p.x * (1.0f - weight) + q.x * weight, p.y * (1.0f - weight) + q.y * weight,
             p.z * (1.0f - weight) + q.z * weight};
  }
}

}  // namespace

// The record of the current sequence; a sequence number out of range (set
// from outside) falls back to sequence 0.
const std::uint8_t* ModelInstance::currentSequenceRecord() {
  if (sequence >= readInt32(header.data + header::sequenceCount) || sequence < 0) sequence = 0;
  return header.data + readInt32(header.data + header::sequenceOffset) + sequence * sequence::size;
}

void ModelInstance::advanceAnimation(float seconds) {
  if (!loaded()) return;
  if (seconds > 0.1f) seconds = 0.1f;
  const std::uint8_t* record = currentSequenceRecord();
  frame += seconds * readFloat(record + sequence::framesPerSecond);
  const std::int32_t frameCount = readInt32(record + sequence::frameCount);
  if (frameCount <= 1) {
    frame = 0.0f;
  } else {
    const float loop = static_cast<float>(frameCount - 1);
    frame -= std::trunc(frame / loop) * loop;
  }
}

const std::uint8_t* ModelInstance::getAnimationData(const std::uint8_t* record) const {
  const std::int32_t group = readInt32(record + sequence::groupIndex);
  const std::int32_t animOffset = readInt32(record + sequence::animOffset);
  if (group != 0) return groupHeaders[group].data + animOffset;
  const std::uint8_t* groupTable = header.data + readInt32(header.data + header::sequenceGroupOffset);
  return header.data + readInt32(groupTable + sequence_group::dataOffset) + animOffset;
}

void ModelInstance::computeBoneAdjustments() {
  const std::int32_t count = readInt32(header.data + header::controllerCount);
  const std::uint8_t* table = header.data + readInt32(header.data + header::controllerOffset);
  for (int j = 0; j < count; ++j) {
    const std::uint8_t* record = table + j * controller::size;
    const std::int32_t type = readInt32(record + controller::type);
    const std::int32_t slot = readInt32(record + controller::slot);
    const float start = readFloat(record + controller::start);
    const float end = readFloat(record + controller::end);
    float value;
    if (slot <= 3) {
      const int setting = controllers[slot];
      if (type & controller::wrapping) {
        value = setting * 1.40625f + start;  // 256 steps to the full turn
      } else {
        const float v = setting / 255.0f;
        value = (1.0f - v) * start + v * end;
      }
    } else {
      float v = auxController / 64.0f;
      if (v > 1.0f) v = 1.0f;
      value = (1.0f - v) * start + v * end;
    }
    switch (type & ~controller::wrapping) {
      case controller::translationX:
      case controller::translationY:
      case controller::translationZ: controllerValues[j] = value; break;
      case controller::rotationX:
      case controller::rotationY:
      case controller::rotationZ:
        controllerValues[j] = static_cast<float>(value * 0.017453292519943295);
        break;
      default: break;  // drives nothing; the previous value stays
    }
  }
}

void ModelInstance::computeSequencePose(Vec3* positions, Quaternion* rotations,
                                        const std::uint8_t* record, const std::uint8_t* block,
                                        float framePosition) {
  const FrameStep at = frameStep(readInt32(record + sequence::frameCount), framePosition);

  computeBoneAdjustments();
  const std::int32_t boneCount = readInt32(header.data + header::boneCount);
  const std::uint8_t* bones = header.data + readInt32(header.data + header::boneOffset);
  for (int b = 0; b < boneCount; ++b) {
    const std::uint8_t* bone = bones + b * bone::size;
    const std::uint8_t* animOffsets = block + b * bone_anim::size;
    rotations[b] = computeBoneRotation(*this, at, bone, animOffsets);
    positions[b] = computeBonePosition(*this, at, bone, animOffsets);
  }
  const std::int32_t motionFlags = readInt32(record + sequence::motionFlags);
  if (motionFlags & 7) {
    Vec3& motion = positions[readInt32(record + sequence::motionBone)];
    if (motionFlags & 1) motion.x = 0.0f;
    if (motionFlags & 2) motion.y = 0.0f;
    if (motionFlags & 4) motion.z = 0.0f;
  }
}

void ModelInstance::setUpBones() {
  if (!loaded()) return;
  const std::uint8_t* record = currentSequenceRecord();
  const std::uint8_t* data = getAnimationData(record);
  const std::int32_t boneCount = readInt32(header.data + header::boneCount);
  const std::size_t blockSize = static_cast<std::size_t>(boneCount) * bone_anim::size;

  auto computeBlock = [&](Pose& pose, int block) {
    computeSequencePose(pose.positions, pose.rotations, record, data + block * blockSize, frame);
  };
  ModelPose* poses = work.poses;
  computeBlock(poses[0], 0);
  const std::int32_t blendCount = readInt32(record + sequence::blendCount);
  if (blendCount > 1) {
    computeBlock(poses[1], 1);
    blendPoses(poses[0], poses[1], blend[0] / 255.0f, boneCount);
    if (blendCount == 4) {
      computeBlock(poses[2], 2);
      computeBlock(poses[3], 3);
      blendPoses(poses[2], poses[3], blend[0] / 255.0f, boneCount);
      blendPoses(poses[0], poses[2], blend[1] / 255.0f, boneCount);
    }
  }

  const std::uint8_t* bones = header.data + readInt32(header.data + header::boneOffset);
  for (int i = 0; i < boneCount; ++i) {
    Matrix3x4 local;
    quaternionToMatrix(poses[0].rotations[i], local);
    local.m[0][3] = poses[0].positions[i].x;
    local.m[1][3] = poses[0].positions[i].y;
    local.m[2][3] = poses[0].positions[i].z;
    const std::int32_t parent = readInt32(bones + i * bone::size + bone::parent);
    Matrix3x4* boneTransforms = work.boneTransforms;
    boneTransforms[i] = parent == -1 ? local : concatTransforms(boneTransforms[parent], local);
  }
}
