#include "tests/unit/game/world_culling_views.h"
#include "tests/support/test_records.h"

#include <gtest/gtest.h>

#include <random>
#include <sstream>

#include "game/camera.h"
#include "game/game_state.h"
#include "game/scene_state.h"
#include "game/world_pass.h"
#include "render/gl_api.h"
#include "render/texture_table.h"
#include "render/scene_projection.h"
#include "world/level.h"
#include "world/world_geometry.h"

std::string describePose(const CameraPose& pose) {
  std::ostringstream text;
  text << "eye (" << pose.eyeX << ", " << pose.eyeZ << ") heading " << pose.heading << " pitch " << pose.pitch
       << " bob " << pose.bob << (pose.windowProjection ? " window projection" : "");
  return text.str();
}

std::vector<CameraPose> randomPoses(int count, std::uint32_t seed) {
  std::mt19937 random(seed);
  const auto uniform = [&](float low, float high) { return std::uniform_real_distribution<float>(low, high)(random); };
  const int sizeX = walkableSize(world().level.sizeX), sizeY = walkableSize(world().level.sizeY);
  std::vector<CameraPose> poses;
  while (static_cast<int>(poses.size()) < count) {
    CameraPose pose{};
    if (poses.size() % 5 != 4) {
      const int x = 1 + static_cast<int>(random() % sizeX), y = 1 + static_cast<int>(random() % sizeY);
      if (levelCell(world().level, x, y) == 0) continue;
      pose.eyeX = 2.0f * x - 1.0f + uniform(-0.95f, 0.95f);
      pose.eyeZ = 1.0f - 2.0f * y + uniform(-0.95f, 0.95f);
    } else {
      pose.eyeX = uniform(-20.0f, 2.0f * sizeX + 20.0f);
      pose.eyeZ = uniform(-2.0f * sizeY - 20.0f, 20.0f);
    }
    pose.heading = uniform(0.0f, 360.0f);
    pose.pitch = uniform(-30.0f, 30.0f);
    pose.bob = uniform(0.0f, 0.05f);
    pose.windowProjection = poses.size() % 4 == 3;
    poses.push_back(pose);
  }
  return poses;
}

namespace {

// Each mode starts from the game's state with every switch of the keys off.
void startFromGameState() {
  setGameRenderState();
  glDisable(GL_BLEND);
  glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
  glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  // A material no world kind has, so a pass that skips restoring one shows.
  const float before[4] = {0.2f, 0.9f, 0.4f, 1.0f};
  glMaterialfv(GL_FRONT, GL_AMBIENT_AND_DIFFUSE, before);
}

void setProjection(const CameraPose& pose, int width, int height) {
  if (pose.windowProjection) {
    resizeGameScene(width, height);
    return;
  }
  // The projection the figure loader leaves, which the game draws with.
  glViewport(0, 0, width, height);
  setGameDrawingProjection();
}

void placeEye(const CameraPose& pose) {
  PlayerState player;
  player.offsetX = pose.eyeX - (2.0f * world().level.startX - 1.0f);
  player.offsetZ = pose.eyeZ - (1.0f - 2.0f * world().level.startY);
  player.heading = pose.heading;
  player.pitch = pose.pitch;
  player.bobOffset = pose.bob;
  placeCamera(player, world().level.startX, world().level.startY);
}

int countDifferent(const std::vector<std::uint8_t>& a, const std::vector<std::uint8_t>& b) {
  int count = 0;
  for (std::size_t i = 0; i + 3 < a.size(); i += 4) {
    if (a[i] != b[i] || a[i + 1] != b[i + 1] || a[i + 2] != b[i + 2] || a[i + 3] != b[i + 3]) ++count;
  }
  return count;
}

template <typename T>
int countDifferentValues(const T& a, const T& b) {
  int count = 0;
  for (std::size_t i = 0; i < a.size(); ++i) count += a[i] != b[i];
  return count;
}

}  // namespace

const std::vector<DrawingMode> drawingModes = {
    {"normal", [] {}},
    {"additive, first frame after B (no depth test)", [] { glEnable(GL_BLEND), glDisable(GL_DEPTH_TEST); }},
    {"additive with depth test", [] { glEnable(GL_BLEND); }},
    {"outlines", [] { glPolygonMode(GL_FRONT_AND_BACK, GL_LINE); }},
    {"additive outlines", [] { glPolygonMode(GL_FRONT_AND_BACK, GL_LINE), glEnable(GL_BLEND), glDisable(GL_DEPTH_TEST); }},
    {"texture mode decal", [] { glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_DECAL); }},
    {"texture mode blend", [] { glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_BLEND); }},
    {"no fog", [] { glDisable(GL_FOG); }},
};

std::string differences(const PassResult& culled, const PassResult& whole) {
  std::ostringstream text;
  if (const int n = countDifferent(culled.colour, whole.colour)) text << n << " pixels differ in colour; ";
  if (const int n = countDifferentValues(culled.depth, whole.depth)) text << n << " pixels differ in depth; ";
  const auto values = [](const float* v, int n) { return std::vector<float>(v, v + n); };
  if (values(culled.material, 4) != values(whole.material, 4)) text << "material differs; ";
  if (values(culled.texCoord, 4) != values(whole.texCoord, 4)) text << "texture coordinate differs; ";
  if (values(culled.normal, 3) != values(whole.normal, 3)) text << "normal differs; ";
  if (culled.texture != whole.texture) text << "bound texture differs; ";
  return text.str();
}

WorldViews::WorldViews(int width, int height) : gl_(width, height) {
  if (!gl_.ok() || !loadTextures(scene().textureTable)) return;
  wholePass_ = glGenLists(1);
  const bool culling = game().worldPass.cullingEnabled;
  game().worldPass.cullingEnabled = false;
  glNewList(wholePass_, GL_COMPILE);
  drawWorldTriangles(game().worldPass, world(), scene().textureTable);
  glEndList();
  game().worldPass.cullingEnabled = culling;
  ok_ = wholePass_ != 0;
}

WorldViews::~WorldViews() {
  if (wholePass_ != 0) glDeleteLists(wholePass_, 1);
  glDeleteTextures(textureCount, scene().textureTable);
}

PassResult WorldViews::draw(const CameraPose& pose, const DrawingMode& mode, bool culled) {
  startFromGameState();
  mode.apply();
  setProjection(pose, gl_.width(), gl_.height());
  placeEye(pose);
  PassResult result{};
  if (culled) {
    game().worldPass.cullingEnabled = true;
    drawWorldTriangles(game().worldPass, world(), scene().textureTable);
    result.trianglesDrawn = game().worldPass.trianglesDrawn;
  } else {
    glCallList(wholePass_);
    result.trianglesDrawn = world().worldTriangleCount();
  }
  result.colour = gl_.readPixels();
  result.depth.resize(static_cast<std::size_t>(gl_.width()) * gl_.height());
  glReadPixels(0, 0, gl_.width(), gl_.height(), GL_DEPTH_COMPONENT, GL_UNSIGNED_INT, result.depth.data());
  glGetMaterialfv(GL_FRONT, GL_AMBIENT, result.material);
  glGetFloatv(GL_CURRENT_TEXTURE_COORDS, result.texCoord);
  glGetFloatv(GL_CURRENT_NORMAL, result.normal);
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &result.texture);
  return result;
}

double expectCulledPassesMatchWholePass(const std::vector<CameraPose>& poses,
                                        std::initializer_list<WindowSize> sizes) {
  constexpr int reportedFailures = 5;
  int failures = 0;
  double drawn = 0.0, whole = 0.0;
  for (const auto [width, height] : sizes) {
    WorldViews views(width, height);
    if (!views.ok()) {
      ADD_FAILURE() << "no context or textures at " << width << " x " << height;
      return 1.0;
    }
    for (const CameraPose& pose : poses) {
      for (const DrawingMode& mode : drawingModes) {
        const PassResult culled = views.draw(pose, mode, true);
        const PassResult reference = views.draw(pose, mode, false);
        drawn += culled.trianglesDrawn;
        whole += reference.trianglesDrawn;
        const std::string difference = differences(culled, reference);
        if (difference.empty()) continue;
        ADD_FAILURE() << width << " x " << height << ", " << mode.name << ", " << describePose(pose) << ": "
                      << difference;
        if (++failures == reportedFailures) return drawn / whole;
      }
    }
  }
  return whole > 0.0 ? drawn / whole : 1.0;
}
