#include "tools/datagen/figure/figure_animation.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float kPi = 3.14159265f;
constexpr float kHalfPi = kPi / 2;

// Rotations about y swing a limb forward when negative (the limb hangs along
// -z and the figure faces +x); knees bend with positive angles.
void setLeg(FigurePose& p, int thigh, float swing, float knee, float spread = 0.0f) {
  p.rotation[thigh] = {spread, swing, 0};
  p.rotation[thigh + 1] = {0, knee, 0};
  p.rotation[thigh + 2] = {0, -(swing + knee) * 0.7f, 0};  // feet stay nearly flat
}

// Places the pelvis so the feet stand on the floor.
void ground(FigurePose& p) {
  p.pelvisShift.z = groundedPelvisHeight(p.rotation[LeftThigh].y, p.rotation[LeftShin].y,
                                         p.rotation[RightThigh].y, p.rotation[RightShin].y);
}

// The rifle held at the hip (aim 0) or at the shoulder pointing ahead
// (aim 1), pitched up by `pitch` radians.
void holdRifle(FigurePose& p, float aim, float pitch) {
  const float rightUpper = -0.3f - 1.05f * aim;
  const float rightFore = -1.25f + 1.0f * aim;
  p.rotation[RightUpperArm] = {0.15f * aim, rightUpper, 0};
  p.rotation[RightForearm] = {0, rightFore, 0};
  p.rotation[RightHand] = {0, 0, 0};
  // Level the rifle against the arm's own turn.
  p.rotation[Rifle] = {0, -(rightUpper + rightFore) - pitch, 0};
  p.rotation[LeftUpperArm] = {-0.35f - 0.2f * aim, -0.55f - 0.6f * aim, 0};
  p.rotation[LeftForearm] = {0, -1.2f + 0.4f * aim, 0};
}

FigurePose standing(float aim = 0.0f, float pitch = 0.0f) {
  FigurePose p;
  holdRifle(p, aim, pitch);
  ground(p);
  return p;
}

float smooth(float t) {
  t = std::clamp(t, 0.0f, 1.0f);
  return t * t * (3 - 2 * t);
}

FigurePose mix(const FigurePose& a, const FigurePose& b, float t) {
  FigurePose p;
  for (int i = 0; i < BoneCount; ++i) p.rotation[i] = a.rotation[i] + (b.rotation[i] - a.rotation[i]) * t;
  p.pelvisShift = a.pelvisShift + (b.pelvisShift - a.pelvisShift) * t;
  return p;
}

// Eased moves between key poses; the last key holds for every later frame.
struct Key {
  int frame;
  FigurePose pose;
};
FigurePose keyed(const std::vector<Key>& keys, int frame) {
  if (frame <= keys.front().frame) return keys.front().pose;
  for (size_t i = 1; i < keys.size(); ++i) {
    if (frame <= keys[i].frame) {
      const float t = static_cast<float>(frame - keys[i - 1].frame) /
                      static_cast<float>(keys[i].frame - keys[i - 1].frame);
      return mix(keys[i - 1].pose, keys[i].pose, smooth(t));
    }
  }
  return keys.back().pose;
}

// Run cycle: 24 frames per two strides; frame 24 repeats frame 0.
constexpr int kRunFrames = 24;
FigurePose runPose(int frame) {
  const float phase = 2 * kPi * static_cast<float>(frame % kRunFrames) / kRunFrames;
  FigurePose p;
  for (int side = 0; side < 2; ++side) {
    const float legPhase = phase + static_cast<float>(side) * kPi;
    const float swing = -0.62f * std::sin(legPhase);
    const float knee = 0.25f + 1.25f * std::max(0.0f, std::cos(legPhase));
    setLeg(p, side == 0 ? LeftThigh : RightThigh, swing, knee);
  }
  p.rotation[Pelvis] = {0, 0, 0.12f * std::sin(phase)};
  p.rotation[Spine] = {0, 0.22f, 0};
  p.rotation[Chest] = {0, 0.05f, -0.2f * std::sin(phase)};
  p.rotation[Head] = {0, -0.2f, 0.08f * std::sin(phase)};
  holdRifle(p, 0.25f, 0.1f);
  // The left arm swings against the left leg.
  p.rotation[LeftUpperArm].y += 0.35f * std::sin(phase);
  ground(p);
  return p;
}

// Knocked backward: the knees give, the figure falls on its back with the
// arms thrown out, feet toward where it faced.
FigurePose deathBackward(int frame) {
  static const std::vector<Key> keys = [] {
    FigurePose recoil = standing(0.3f, 0.4f);
    recoil.rotation[Spine] = {0, -0.35f, 0};
    recoil.rotation[Head] = {0, -0.45f, 0.2f};
    recoil.rotation[LeftUpperArm] = {0.9f, 0.3f, 0};
    recoil.rotation[RightUpperArm] = {-0.8f, 0.2f, 0};
    setLeg(recoil, LeftThigh, -0.15f, 0.45f);
    setLeg(recoil, RightThigh, -0.3f, 0.6f);
    ground(recoil);
    recoil.pelvisShift.x = -3;

    FigurePose falling = recoil;
    falling.rotation[Pelvis] = {0, -0.9f, 0};
    setLeg(falling, LeftThigh, -0.5f, 0.9f);
    setLeg(falling, RightThigh, -0.7f, 1.1f);
    falling.pelvisShift = {-10, 0, -19};

    FigurePose lying;
    lying.rotation[Pelvis] = {0, -kHalfPi, 0};
    lying.rotation[Head] = {0, -0.25f, 0.4f};
    lying.rotation[LeftUpperArm] = {1.35f, 0, 0};
    lying.rotation[LeftForearm] = {0, -0.4f, 0};
    lying.rotation[RightUpperArm] = {-1.2f, 0.1f, 0};
    lying.rotation[RightForearm] = {0, -0.5f, 0};
    lying.rotation[Rifle] = {0, kHalfPi, 0};  // along the arm, on the floor
    setLeg(lying, LeftThigh, 0.0f, 0.12f, 0.12f);
    setLeg(lying, RightThigh, -0.05f, 0.2f, -0.1f);
    lying.rotation[LeftFoot] = {0, 0.3f, 0};
    lying.rotation[RightFoot] = {0, 0.25f, 0};
    lying.pelvisShift = {-15, 0, -34.5f};

    FigurePose settled = lying;
    settled.rotation[Head] = {0, -0.15f, 0.7f};
    return std::vector<Key>{{0, standing(0.25f, 0.1f)}, {3, recoil}, {9, falling}, {15, lying}, {20, settled}};
  }();
  return keyed(keys, frame);
}

// Doubled over: the figure sinks to its knees, then falls forward on its
// face with the arms ahead of it.
FigurePose deathForward(int frame) {
  static const std::vector<Key> keys = [] {
    FigurePose hit = standing(0.1f, -0.3f);
    hit.rotation[Spine] = {0, 0.55f, 0};
    hit.rotation[Head] = {0, 0.35f, 0};
    hit.rotation[LeftUpperArm] = {-0.4f, -0.6f, 0};
    hit.rotation[LeftForearm] = {0, -1.6f, 0};
    setLeg(hit, LeftThigh, -0.2f, 0.4f);
    setLeg(hit, RightThigh, -0.1f, 0.3f);
    ground(hit);

    FigurePose kneeling = hit;
    kneeling.rotation[Spine] = {0, 0.45f, 0};
    for (int thigh : {LeftThigh, RightThigh}) {
      kneeling.rotation[thigh] = {0, -0.1f, 0};
      kneeling.rotation[thigh + 1] = {0, kHalfPi, 0};
      kneeling.rotation[thigh + 2] = {0, 0.9f, 0};
    }
    // Knees on the floor: the pelvis sits a thigh's length above them.
    kneeling.pelvisShift = {2, 0, -40 + 3 + kThighLength * std::cos(0.1f) + kHipDrop - 2.0f};

    FigurePose toppling = kneeling;
    toppling.rotation[Pelvis] = {0, 0.8f, 0};
    toppling.rotation[LeftUpperArm] = {-0.3f, -1.6f, 0};
    toppling.rotation[RightUpperArm] = {0.3f, -1.5f, 0};
    for (int thigh : {LeftThigh, RightThigh}) toppling.rotation[thigh] = {0, -0.45f, 0};
    toppling.pelvisShift = {6, 0, -20};

    FigurePose down;
    down.rotation[Pelvis] = {0, kHalfPi, 0};
    down.rotation[Spine] = {0, -0.05f, 0};
    down.rotation[Head] = {0, -0.3f, 1.1f};
    down.rotation[LeftUpperArm] = {0.35f, -2.75f, 0};
    down.rotation[LeftForearm] = {0, -0.35f, 0};
    down.rotation[RightUpperArm] = {-0.5f, -2.5f, 0};
    down.rotation[RightForearm] = {0, -0.6f, 0};
    down.rotation[Rifle] = {0.4f, 1.2f, 0};
    for (int thigh : {LeftThigh, RightThigh}) {
      down.rotation[thigh] = {thigh == LeftThigh ? 0.1f : -0.08f, 0.02f, 0};
      down.rotation[thigh + 1] = {0, 0.18f, 0};
      down.rotation[thigh + 2] = {0, kHalfPi - 0.2f, 0};
    }
    down.pelvisShift = {16, 0, -33.5f};

    FigurePose settled = down;
    settled.rotation[Head] = {0, -0.35f, 1.25f};
    return std::vector<Key>{{0, standing(0.25f, 0.1f)}, {4, hit}, {9, kneeling}, {14, toppling}, {19, down}, {24, settled}};
  }();
  return keyed(keys, frame);
}

// Short looping variants. `variant` shifts the amplitudes and directions so
// that no two sequences are the same.
constexpr int kShortFrames = 9;

FigurePose idlePose(int frame, int variant) {
  const float breath = std::sin(2 * kPi * static_cast<float>(frame) / (kShortFrames - 1));
  FigurePose p = standing(0.0f, 0.0f);
  p.rotation[Chest].y = 0.03f * breath;
  p.rotation[Head] = {0, 0.05f * breath, 0.25f * std::sin(0.9f * static_cast<float>(variant))};
  p.rotation[Spine].z = 0.08f * std::cos(1.3f * static_cast<float>(variant));
  return p;
}

FigurePose aimPose(int frame, int variant) {
  const float sway = std::sin(2 * kPi * static_cast<float>(frame) / (kShortFrames - 1));
  const float pitch = 0.35f * std::sin(0.7f * static_cast<float>(variant));
  FigurePose p = standing(1.0f, pitch + 0.01f * sway);
  p.rotation[Head] = {0, -pitch * 0.6f, 0};
  p.rotation[Spine].z = 0.15f * std::sin(1.7f * static_cast<float>(variant)) + 0.01f * sway;
  setLeg(p, LeftThigh, -0.25f, 0.15f);
  setLeg(p, RightThigh, 0.15f, 0.1f);
  ground(p);
  return p;
}

FigurePose crouchPose(int frame, int variant) {
  const float sway = std::sin(2 * kPi * static_cast<float>(frame) / (kShortFrames - 1));
  const float depth = 0.9f + 0.1f * std::sin(1.1f * static_cast<float>(variant));
  const float aim = variant % 2 == 0 ? 1.0f : 0.3f;
  FigurePose p = standing(aim, 0.05f * sway);
  p.rotation[Spine].y = 0.25f;
  p.rotation[Head].y = -0.25f;
  for (int thigh : {LeftThigh, RightThigh}) {
    p.rotation[thigh] = {thigh == LeftThigh ? 0.1f : -0.1f, -1.3f * depth, 0};
    p.rotation[thigh + 1] = {0, 2.2f * depth, 0};
    p.rotation[thigh + 2] = {0, -0.9f * depth, 0};
  }
  ground(p);
  return p;
}

FigureSequence shortSequence(const std::string& name, int variant, FigurePose (*pose)(int, int)) {
  return {name, 1.5f, kShortFrames, 0, [variant, pose](int frame) { return pose(frame, variant); }};
}

FigureSequence variantSequence(int number) {
  const int variant = number;
  switch (number % 3) {
    case 0: return shortSequence("idle" + std::to_string(number), variant, idlePose);
    case 1: return shortSequence("aim" + std::to_string(number), variant, aimPose);
    default: return shortSequence("crouch" + std::to_string(number), variant, crouchPose);
  }
}

}  // namespace

float groundedPelvisHeight(float leftThigh, float leftKnee, float rightThigh, float rightKnee) {
  const float left = kThighLength * std::cos(leftThigh) + kShinLength * std::cos(leftThigh + leftKnee);
  const float right = kThighLength * std::cos(rightThigh) + kShinLength * std::cos(rightThigh + rightKnee);
  return -kSoleDepth + kAnkleHeight + kHipDrop + std::max(left, right);
}

std::vector<FigureSequence> soldierSequences() {
  std::vector<FigureSequence> list;
  for (int n = 0; n < kSequenceCount; ++n) list.push_back(variantSequence(n));
  list[0] = shortSequence("idle", 0, idlePose);
  list[1] = shortSequence("look", 5, idlePose);
  list[2] = shortSequence("aim", 0, aimPose);
  list[3] = shortSequence("crouch", 0, crouchPose);
  // The enemies cover 5 model units per frame pass, during which about
  // 0.115 s of animation passes: 43 units per second of animation. Two
  // strides of about 40 units take 24 frames, so 13 frames per second.
  list[kRunSequence] = {"run", 13.0f, kRunFrames + 1, 0, runPose};
  // The falls take about 4 s of animation (half a second in the game); the
  // lying pose is then held for 100000 frames, about 45 minutes of play,
  // before the loop would start the fall again.
  list[kDeathBackward] = {"die backward", 5.0f, 20 + 100000, 1, deathBackward};
  list[kDeathForward] = {"die forward", 5.0f, 24 + 100000, 1, deathForward};
  // The rest of the second group file: the variants next to the falls.
  for (int n = 87; n < kSequenceCount; ++n)
    if (n != kDeathForward) list[static_cast<size_t>(n)].group = 1;
  return list;
}
