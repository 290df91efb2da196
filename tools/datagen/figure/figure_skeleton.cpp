#include "tools/datagen/figure/figure_skeleton.h"

const std::array<BoneDefinition, BoneCount> kBones = {{
    {"pelvis", -1, {0, 0, 0}},
    {"spine", Pelvis, {0, 0, 8}},
    {"chest", Spine, {0, 0, 12}},
    {"head", Chest, {0, 0, 10}},
    {"left upper arm", Chest, {0, 10, 8}},
    {"left forearm", LeftUpperArm, {0, 0, -13}},
    {"left hand", LeftForearm, {0, 0, -12}},
    {"right upper arm", Chest, {0, -10, 8}},
    {"right forearm", RightUpperArm, {0, 0, -13}},
    {"right hand", RightForearm, {0, 0, -12}},
    {"left thigh", Pelvis, {0, 5, -kHipDrop}},
    {"left shin", LeftThigh, {0, 0, -kThighLength}},
    {"left foot", LeftShin, {0, 0, -kShinLength}},
    {"right thigh", Pelvis, {0, -5, -kHipDrop}},
    {"right shin", RightThigh, {0, 0, -kThighLength}},
    {"right foot", RightShin, {0, 0, -kShinLength}},
    {"rifle", RightHand, {1, 0, -1}},
}};

Float3 restPosition(int bone) {
  Float3 p{0, 0, 0};
  for (int b = bone; b != -1; b = kBones[static_cast<std::size_t>(b)].parent) p = p + kBones[static_cast<std::size_t>(b)].offset;
  return p;
}
