#include "model/model_math.h"

#include <cmath>

Quaternion anglesToQuaternion(const Vec3& angles) {
  const float sx = std::sin(angles.x * 0.5f), cx = std::cos(angles.x * 0.5f);
  const float sy = std::sin(angles.y * 0.5f), cy = std::cos(angles.y * 0.5f);
  const float sz = std::sin(angles.z * 0.5f), cz = std::cos(angles.z * 0.5f);
  Quaternion q;
  q.x = sx * cy * cz - cx * sy * sz;
  q.y = cx * sy * cz + sx * cy * sz;
  q.z = cx * cy * sz - sx * sy * cz;
  q.w = cx * cy * cz + sx * sy * sz;
  return q;
}

void quaternionToMatrix(const Quaternion& q, Matrix3x4& r) {
  const float x = q.x, y = q.y, z = q.z, w = q.w;
  r.m[0][0] = 1.0f - 2.0f * y * y - 2.0f * z * z;
  r.m[0][1] = 2.0f * x * y - 2.0f * w * z;
  r.m[0][2] = 2.0f * x * z + 2.0f * w * y;
  r.m[1][0] = 2.0f * x * y + 2.0f * w * z;
  r.m[1][1] = 1.0f - 2.0f * x * x - 2.0f * z * z;
  r.m[1][2] = 2.0f * y * z - 2.0f * w * x;
  r.m[2][0] = 2.0f * x * z - 2.0f * w * y;
  r.m[2][1] = 2.0f * y * z + 2.0f * w * x;
  r.m[2][2] = 1.0f - 2.0f * x * x - 2.0f * y * y;
}

static float dot4(const Quaternion& a, const Quaternion& b) {
  return a.x * b.x + a.y * b.y + a.z * b.z + a.w * b.w;
}

Quaternion quaternionSlerp(const Quaternion& p, Quaternion q, float t) {
  // Flip q onto p's hemisphere when that is strictly closer, so the
  // interpolation takes the shorter arc; a dot product of exactly 0 keeps q.
  const float a[4] = {p.x, p.y, p.z, p.w};
  const float b[4] = {q.x, q.y, q.z, q.w};
  float differences = 0.0f, sums = 0.0f;
  for (int i = 0; i < 4; ++i) {
    differences += (a[i] - b[i]) * (a[i] - b[i]);
    sums += (a[i] + b[i]) * (a[i] + b[i]);
  }
  if (differences > sums) q = Quaternion{-q.x, -q.y, -q.z, -q.w};

  const float cosom = dot4(p, q);
  float kp, kq;
  if (1.0f - cosom > 1e-8f) {
    const float omega = std::acos(cosom);
    const float sinom = std::sin(omega);
    kp = std::sin((1.0f - t) * omega) / sinom;
    kq = std::sin(t * omega) / sinom;
  } else {
    kp = 1.0f - t;
    kq = t;
  }
  return Quaternion{kp * p.x + kq * q.x, kp * p.y + kq * q.y,
                    kp * p.z + kq * q.z, kp * p.w + kq * q.w};
}

Matrix3x4 concatTransforms(const Matrix3x4& a, const Matrix3x4& b) {
  Matrix3x4 r;
  for (int row = 0; row < 3; ++row) {
    for (int col = 0; col < 4; ++col) {
      r.m[row][col] = a.m[row][0] * b.m[0][col] + a.m[row][1] * b.m[1][col] +
                      a.m[row][2] * b.m[2][col];
    }
    r.m[row][3] += a.m[row][3];
  }
  return r;
}

bool vectorsNearlyEqual(const Vec3& a, const Vec3& b) {
  return std::fabs(a.x - b.x) <= 0.001f && std::fabs(a.y - b.y) <= 0.001f &&
         std::fabs(a.z - b.z) <= 0.001f;
}

Vec3 transformPoint(const Matrix3x4& m, const Vec3& p) {
  return Vec3{m.m[0][0] * p.x + m.m[0][1] * p.y + m.m[0][2] * p.z + m.m[0][3],
              m.m[1][0] * p.x + m.m[1][1] * p.y + m.m[1][2] * p.z + m.m[1][3],
              m.m[2][0] * p.x + m.m[2][1] * p.y + m.m[2][2] * p.z + m.m[2][3]};
}

Vec3 inverseRotate(const Matrix3x4& m, const Vec3& v) {
  return Vec3{v.x * m.m[0][0] + v.y * m.m[1][0] + v.z * m.m[2][0],
              v.x * m.m[0][1] + v.y * m.m[1][1] + v.z * m.m[2][1],
              v.x * m.m[0][2] + v.y * m.m[1][2] + v.z * m.m[2][2]};
}

Vec3 crossProduct(const Vec3& a, const Vec3& b) {
  return Vec3{a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z,
              a.x * b.y - a.y * b.x};
}

float dotProduct(const Vec3& a, const Vec3& b) {
  return a.x * b.x + a.y * b.y + a.z * b.z;
}

float normalizeVector(Vec3& v) {
  const float length = std::sqrt(dotProduct(v, v));
  if (length == 0.0f) return 0.0f;
  v.x /= length;
  v.y /= length;
  v.z /= length;
  return length;
}
