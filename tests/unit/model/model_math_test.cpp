#include <gtest/gtest.h>

#include <cmath>

#include "model/model_math.h"

namespace {

Vec3 rotate(const Matrix3x4& m, const Vec3& v) { return transformPoint(m, v); }

TEST(ModelMath, AnglesBecomeRotationsAboutTheRightAxes) {
  const float quarter = 1.5707963f;
  struct Case {
    Vec3 angles;
    Vec3 in;
    Vec3 out;
  } cases[] = {
      {{0, 0, quarter}, {1, 0, 0}, {0, 1, 0}},   // Z turns x toward y
      {{0, quarter, 0}, {0, 0, 1}, {1, 0, 0}},   // Y turns z toward x
      {{quarter, 0, 0}, {0, 1, 0}, {0, 0, 1}},   // X turns y toward z
  };
  for (const Case& c : cases) {
    Matrix3x4 m{};
    quaternionToMatrix(anglesToQuaternion(c.angles), m);
    const Vec3 r = rotate(m, c.in);
    EXPECT_NEAR(r.x, c.out.x, 1e-6);
    EXPECT_NEAR(r.y, c.out.y, 1e-6);
    EXPECT_NEAR(r.z, c.out.z, 1e-6);
  }
}

TEST(ModelMath, SlerpTakesTheShorterArcAndKeepsQAtDotZero) {
  const Quaternion p{0, 0, 0, 1};
  // -q describes the same rotation as q; interpolating toward it must not
  // swing the long way round through the opposite rotation.
  const Quaternion farSide{0, 0, -std::sin(0.5f), -std::cos(0.5f)};
  const Quaternion half = quaternionSlerp(p, farSide, 0.5f);
  EXPECT_NEAR(half.z, std::sin(0.25f), 1e-5);
  EXPECT_NEAR(half.w, std::cos(0.25f), 1e-5);

  // Dot product exactly 0: no flip, so the midpoint has a positive z.
  const Quaternion orthogonal{0, 0, 1, 0};
  const Quaternion mid = quaternionSlerp(p, orthogonal, 0.5f);
  EXPECT_NEAR(mid.z, std::sqrt(0.5f), 1e-5);
  EXPECT_NEAR(mid.w, std::sqrt(0.5f), 1e-5);

  // Nearly equal quaternions fall back to linear weights.
  const Quaternion same = quaternionSlerp(p, p, 0.3f);
  EXPECT_FLOAT_EQ(same.w, 1.0f);
}

TEST(ModelMath, ConcatenationAppliesTheRightHandTransformFirst) {
  Matrix3x4 turn{};
  quaternionToMatrix(anglesToQuaternion({0, 0, 1.5707963f}), turn);
  turn.m[0][3] = 10.0f;
  Matrix3x4 shift{{{1, 0, 0, 1}, {0, 1, 0, 0}, {0, 0, 1, 0}}};
  const Vec3 p = transformPoint(concatTransforms(turn, shift), {0, 0, 0});
  // shift moves the origin to (1,0,0), the turn makes it (0,1,0), then +10 x.
  EXPECT_NEAR(p.x, 10.0f, 1e-5);
  EXPECT_NEAR(p.y, 1.0f, 1e-5);

  const Vec3 back = inverseRotate(turn, {0, 1, 0});
  EXPECT_NEAR(back.x, 1.0f, 1e-6);
  EXPECT_NEAR(back.y, 0.0f, 1e-6);
}

TEST(ModelMath, NormalizeLeavesTheZeroVectorAlone) {
  Vec3 zero{0, 0, 0};
  EXPECT_EQ(normalizeVector(zero), 0.0f);
  EXPECT_EQ(zero.x, 0.0f);
  Vec3 v{3, 0, 4};
  EXPECT_FLOAT_EQ(normalizeVector(v), 5.0f);
  EXPECT_FLOAT_EQ(v.z, 0.8f);
  const Vec3 c = crossProduct({1, 0, 0}, {0, 1, 0});
  EXPECT_EQ(c.z, 1.0f);
}

}  // namespace
