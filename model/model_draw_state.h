#pragma once
// Work storage of posing and drawing one figure. Each instance keeps its
// own, so instances never share state; it is exposed so that tests can look
// at what a pose or a draw computed.

#include <cstdint>

#include "model/model_format.h"
#include "model/model_math.h"

struct ChromeCoord {
  std::int32_t s;
  std::int32_t t;
};

// One pose: a position and a rotation per bone. Blended sequences fill up to
// four of them.
struct ModelPose {
  Vec3 positions[model_format::maxBones];
  Quaternion rotations[model_format::maxBones];
};

struct ModelWorkStorage {
  // Bone matrices of the last pose (model space), read by drawing.
  Matrix3x4 boneTransforms[model_format::maxBones] = {};
  ModelPose poses[4] = {};
  // The current submodel's vertices in model space, by vertex number.
  Vec3 transformedVertices[model_format::maxVertices] = {};
  // Chrome texture coordinates in texels, by normal number.
  ChromeCoord chromeCoords[model_format::maxNormals] = {};
  // Counts draws; a bone's chrome vectors are computed once per draw.
  int drawCounter = 0;
  // The direction the chrome mapping is taken against; (0, 0, 0) maps every
  // chrome vertex to the middle of its texture.
  Vec3 chromeReferenceVector{0.0f, 0.0f, 0.0f};
  // Per bone: the draw in which its chrome vectors were last computed, and
  // the vectors themselves in the bone's own space.
  int chromeStamp[model_format::maxBones] = {};
  Vec3 chromeUp[model_format::maxBones] = {};
  Vec3 chromeRight[model_format::maxBones] = {};
};
