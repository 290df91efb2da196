#pragma once
// The soldier's sequences: a pose per frame, from which the writer encodes
// the animation streams.
#include <functional>
#include <string>
#include <vector>

#include "tools/datagen/figure/figure_skeleton.h"

struct FigurePose {
  Float3 rotation[BoneCount] = {};  // radians, about x, y, z
  Float3 pelvisShift{0, 0, 0};      // added to the pelvis rest position
};

struct FigureSequence {
  std::string name;
  float framesPerSecond;
  int frameCount;
  int group;  // 0: main file, 1: gign01.mdl
  std::function<FigurePose(int frame)> pose;
};

// Sequence numbers the game relies on.
constexpr int kRunSequence = 4;
constexpr int kDeathBackward = 86;
constexpr int kDeathForward = 91;
constexpr int kSequenceCount = 96;

std::vector<FigureSequence> soldierSequences();

// Pelvis height that puts the lower sole on the floor for the given leg
// angles (thigh and knee rotations about y, pelvis upright, feet flat).
float groundedPelvisHeight(float leftThigh, float leftKnee, float rightThigh, float rightKnee);
