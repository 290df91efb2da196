#pragma once
// Our triangle collision library. A model is a set of triangles in its own
// coordinates plus a transform; two models are tested for any touching pair
// of triangles, and a model can be tested against a ray.

#if defined(_WIN32) && defined(COLDET_BUILDING_DLL)
#define COLDET_API __declspec(dllexport)
#elif defined(_WIN32) && !defined(COLDET_STATIC)
#define COLDET_API __declspec(dllimport)
#else
#define COLDET_API
#endif

class CollisionModel3D {
 public:
  virtual ~CollisionModel3D() = default;

  // Corners of one triangle, in model coordinates. Triangles are numbered
  // from 0 in the order they are added. Triangles added after a finalize()
  // start a new filling: the next finalize() replaces the model with them.
  virtual void addTriangle(float x1, float y1, float z1, float x2, float y2,
                           float z2, float x3, float y3, float z3) = 0;
  // Ends the adding of triangles and builds the search structure (a
  // bounding-volume tree); a model takes part in queries only after this,
  // and until then it is empty. A finalize() with no triangles added since
  // the last one leaves the model empty.
  virtual void finalize() = 0;
  // The model-to-common-space transform: a 4x4 matrix in column order, as
  // read from OpenGL with glGetFloatv.
  virtual void setTransform(const float matrix[16]) = 0;
  // True when a triangle of this model meets a triangle of `other`, both in
  // their current transforms; touching counts. An empty model, or a model
  // not made by this library, never collides. `accuracyDepth` and `maxProcessingTime` are
  // accepted for callers that pass them and do not change the result;
  // `otherTransform`, when not null, replaces other's transform for this
  // query.
  virtual bool collision(CollisionModel3D* other, int accuracyDepth = -1,
                         int maxProcessingTime = 0,
                         const float* otherTransform = nullptr) = 0;
  // True when the ray origin + t * direction, segmentMin <= t <= segmentMax,
  // meets a triangle of this model. Origin and direction are in the common
  // space (the model's transform applies to the triangles). `closest` does
  // not change the answer.
  virtual bool rayCollision(const float origin[3], const float direction[3],
                            bool closest = false, float segmentMin = 0.0f,
                            float segmentMax = 3.4e38f) = 0;
  // The pair found by the last collision(): t1 on this model, t2 on the
  // other. When several pairs touch, the pair with the smallest t1 and,
  // among those, the smallest t2. False (and both left unchanged) when that
  // query found nothing or none was made since the last finalize().
  virtual bool getCollidingTriangles(int& t1, int& t2) = 0;
};

// A new empty model. `isStatic` is accepted for callers that pass it.
extern "C++" COLDET_API CollisionModel3D* newCollisionModel3D(bool isStatic = false);
