#pragma once
// The soldier's skeleton. Model space: +z up, the figure faces +x, its left
// is +y. The root (pelvis) is the origin, 40 units above the soles; the top
// of the helmet is 40 units above the pelvis. No bone has a rest rotation, so
// a bone's space is model space moved to the bone's rest position.
#include <array>
#include <cstddef>

struct Float3 {
  float x, y, z;
};
inline Float3 operator+(Float3 a, Float3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline Float3 operator-(Float3 a, Float3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline Float3 operator*(Float3 a, float k) { return {a.x * k, a.y * k, a.z * k}; }

enum Bone {
  Pelvis, Spine, Chest, Head,
  LeftUpperArm, LeftForearm, LeftHand,
  RightUpperArm, RightForearm, RightHand,
  LeftThigh, LeftShin, LeftFoot,
  RightThigh, RightShin, RightFoot,
  Rifle,
  BoneCount
};

struct BoneDefinition {
  const char* name;
  int parent;
  Float3 offset;  // rest position relative to the parent
};

extern const std::array<BoneDefinition, BoneCount> kBones;

// Rest position of a bone in model space.
Float3 restPosition(int bone);

// Lengths of the leg segments (hip to knee, knee to ankle) and the height of
// the ankle above the sole.
constexpr float kThighLength = 18.0f;
constexpr float kShinLength = 17.0f;
constexpr float kAnkleHeight = 3.0f;
constexpr float kHipDrop = 2.0f;  // hips below the pelvis origin
constexpr float kSoleDepth = 40.0f;  // soles below the pelvis origin at rest
