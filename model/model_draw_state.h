#pragma once
// Work storage of model drawing, shared by all instances (one figure is
// drawn at a time). Exposed so that tests can look at what a draw computed.

#include <cstdint>

#include "model/model_format.h"
#include "model/model_math.h"

struct ChromeCoord {
  std::int32_t s;
  std::int32_t t;
};

// The current submodel's vertices in model space, by vertex number.
extern Vec3 transformedVertices[model_format::maxVertices];
// Chrome texture coordinates in texels, by normal number.
extern ChromeCoord chromeCoords[model_format::maxNormals];
// Counts draws; a bone's chrome vectors are computed once per draw.
extern int drawCounter;
// The direction the chrome mapping is taken against; (0, 0, 0) maps every
// chrome vertex to the middle of its texture.
extern Vec3 chromeReferenceVector;
