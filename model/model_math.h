#pragma once
// Vector, quaternion and bone-matrix arithmetic of the animated figures.
// Rotations are in radians; a Matrix3x4 holds a rotation in columns 0..2 and
// a translation in column 3.

struct Vec3 {
  float x;
  float y;
  float z;
};

struct Quaternion {
  float x;
  float y;
  float z;
  float w;
};

struct Matrix3x4 {
  float m[3][4];
};

Quaternion anglesToQuaternion(const Vec3& angles);
// Fills the rotation columns of `result`; column 3 is left as it was.
void quaternionToMatrix(const Quaternion& q, Matrix3x4& result);
// Interpolates along the shorter arc; the result is not renormalised.
Quaternion quaternionSlerp(const Quaternion& p, Quaternion q, float t);
// a x b as affine maps: b is applied first.
Matrix3x4 concatTransforms(const Matrix3x4& a, const Matrix3x4& b);
bool vectorsNearlyEqual(const Vec3& a, const Vec3& b);

Vec3 transformPoint(const Matrix3x4& m, const Vec3& p);
// The transposed rotation of `m` applied to `v` (the inverse of a rotation).
Vec3 inverseRotate(const Matrix3x4& m, const Vec3& v);
Vec3 crossProduct(const Vec3& a, const Vec3& b);
// Scales `v` to unit length and returns its former length; a zero vector is
// left alone and 0 is returned.
float normalizeVector(Vec3& v);
float dotProduct(const Vec3& a, const Vec3& b);
