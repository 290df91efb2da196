#include "game/shot_sparks.h"

#include <cmath>

#include "render/gl_api.h"
#include "render/texture_table.h"

namespace {

constexpr double cornerScale = 0.013333333333333334;
constexpr double spinScale = 0.2;
constexpr double fadeStep = 0.0002;
// The single-precision values 0.02 and 0.01, kept as the game has them so a
// spark's lifetime (26 to 51 frames) and its fall stay the same.
constexpr double minimumFade = 0.019999999552965164;
constexpr double gravity = 0.009999999776482582;
constexpr double drag = 0.99;
constexpr double speedScale = 0.002;
constexpr double sparkPlaneY = 10.0;

double randomCornerCoordinate(GameRandom& random) { return (nextRandom(random) % 50 - 25) * cornerScale; }

// Every draw in order: corners, rotations, spins, fade, then the velocity.
void spawnSpark(Particle& spark, const ImpactPoint& impact, GameRandom& random) {
  for (double(&corner)[3] : spark.corners)
    for (double& coordinate : corner) coordinate = randomCornerCoordinate(random);
  for (double& angle : spark.rotation) angle = nextRandom(random) % 360;
  for (double& speed : spark.spin) speed = (nextRandom(random) % 50 - 25) * spinScale;
  spark.life = 1.0;
  spark.fade = nextRandom(random) % 100 * fadeStep + minimumFade;
  spark.position[0] = impact.impactX;
  spark.position[1] = impact.impactY;
  spark.position[2] = impact.impactZ;
  // Whole degrees taken as radians: the direction is scattered, not aimed.
  const double a = nextRandom(random) % 360;
  const double b = nextRandom(random) % 360;
  const double speed = nextRandom(random) % 100 * speedScale;
  const double h = std::sqrt(a * a + b * b);
  spark.velocity[0] = std::sin(std::sqrt(a * a + h * h)) * speed;
  spark.velocity[1] = std::cos(std::sqrt(a * a + h * h)) * speed;
  spark.velocity[2] = std::cos(std::sqrt(b * b + h * h)) * speed;
}

void moveSpark(Particle& spark) {
  for (int axis = 0; axis < 3; ++axis) spark.position[axis] += spark.velocity[axis];
  spark.velocity[1] -= gravity;
  for (double& component : spark.velocity) component *= drag;
  spark.life -= spark.fade;
}

// A matrix of the spark's own that turns it to face the viewer's heading
// (the pitch is left out). It places the spark by the eye position, not by
// the eye's offset from the start cell: the impact point is measured from
// the eye, so with the offsets alone every burst would land off by the start
// cell's centre, far out of sight.
void placeSpark(const Particle& spark, const PlayerState& player) {
  const float turn = 360.0f - player.heading;
  glLoadIdentity();
  glRotatef(turn, 0.0f, 1.0f, 0.0f);
  glTranslated(player.cameraX, -sparkPlaneY, player.cameraZ);
  glTranslated(spark.position[0], spark.position[1], spark.position[2]);
  glRotatef(-turn, 0.0f, 1.0f, 0.0f);
}

void spinSpark(Particle& spark) {
  for (int axis = 0; axis < 3; ++axis) {
    spark.rotation[axis] += spark.spin[axis];
    spark.spin[axis] -= spark.fade;
  }
  glRotated(spark.rotation[0], 1.0, 0.0, 0.0);
  glRotated(spark.rotation[1], 0.0, 1.0, 0.0);
  glRotated(spark.rotation[2], 0.0, 0.0, 1.0);
}

// Under lighting the colour gives way to the current material.
void drawSpark(const Particle& spark) {
  glColor4d(0.0, 0.0, 0.0, spark.life);
  glBegin(GL_TRIANGLES);
  for (const double(&corner)[3] : spark.corners) glVertex3d(corner[0], corner[1], corner[2]);
  glEnd();
}

}  // namespace

void spawnSparkBurst(Particle (&burst)[particlesPerBurst], const ImpactPoint& impact,
                     GameRandom& random) {
  for (int k = 0; k < particlesPerBurst; ++k) {
    if (k >= 1) nextRandom(random);  // drawn and thrown away, so the sequence stays the game's
    spawnSpark(burst[k], impact, random);
  }
}

void runSparkPass(SparkStore& store, const PlayerState& player, const TextureTable& textureTable) {
  glDisable(GL_TEXTURE_2D);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  // The camera matrix comes back afterwards: the world's collision
  // transform is read from it next.
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  bool liveSparkSeen = false;
  for (Particle(&burst)[particlesPerBurst] : store.bursts) {
    for (int k = firstDrawnParticle; k < particlesPerBurst; ++k) {
      Particle& spark = burst[k];
      if (spark.life <= 0.0) continue;
      moveSpark(spark);
      placeSpark(spark, player);
      spinSpark(spark);
      drawSpark(spark);
      liveSparkSeen = true;
    }
  }
  glPopMatrix();
  glEnable(GL_TEXTURE_2D);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  glBindTexture(GL_TEXTURE_2D, textureTable[textureAfterSparks]);
  if (!liveSparkSeen) store.particlesActive = false;
}

void runShotSparks(SparkStore& store, bool& shotTriggered, const ImpactPoint& impact,
                   const PlayerState& player, const TextureTable& textureTable,
                   GameRandom& random) {
  if (shotTriggered) {
    store.burstSlot += 1;
    if (store.burstSlot > sparkBurstCount - 1) store.burstSlot = 0;
    store.spawnPending = true;
    shotTriggered = false;
  }
  if (store.spawnPending) {
    spawnSparkBurst(store.bursts[store.burstSlot], impact, random);
    store.spawnPending = false;
    store.particlesActive = true;
  }
  if (store.particlesActive) runSparkPass(store, player, textureTable);
}
