// The keys where the demos cannot look: contacts they never meet and key
// states with other bits than the down bit. How the switches reach OpenGL
// shows in the demo pictures.
#include <gtest/gtest.h>

#include "tests/support/recording_os.h"
#include "tests/unit/game/game_fixtures.h"

namespace {

MovementContext touching(int front, int back, int left, int right, int wallSide = 4,
                         bool collisionEnabled = true) {
  return MovementContext{collisionEnabled, CollisionFlags{front, back, left, right}, wallSide};
}

// The contacts moves.dem never meets; the rest of the movement rules are
// proved by the demos.
TEST(Movement, OneStepFromTheCentreUnderTheContactsNoDemoMeets) {
  struct Case {
    const char* name;
    void (*move)(PlayerState&, const MovementContext&);
    MovementContext context;
    float x, z;  // at heading 30, where a forward step is (-0.05, -0.0866)
  } const cases[] = {
      {"back and side", walkForward, touching(0, 1, 1, 0, 0), 0, 0},
      {"both sides", walkForward, touching(0, 0, 1, 1, 0), 0, 0},
      {"no slide on a floor", walkForward, touching(0, 0, 1, 0, 4), 0, 0},
      {"backward, front: extra only", walkBackward, touching(1, 0, 1, 0, 2), 0.05f, 0.0866025f},
      {"backward, both sides: extra only", walkBackward, touching(0, 0, 1, 1, 0), 0.05f, 0.0866025f},
      {"left, collision off", stepLeft, touching(1, 1, 1, 1, 4, false), -0.0433013f, 0.025f},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PlayerState player;
    player.heading = 30.0f;
    c.move(player, c.context);
    EXPECT_NEAR(player.offsetX, c.x, 1e-5f);
    EXPECT_NEAR(player.offsetZ, c.z, 1e-5f);
  }
}

// The demos' keyboards hold 0x80 or nothing; others set lower bits too.
TEST(KeyTable, OnlyTheDownBitHoldsAKey) {
  startFreshGame();
  ScopedRecordingOs os;
  KeyState notDown{};
  notDown.fill(0x7F);
  applyKeyTable(game(), world().level, notDown.data(), touching(0, 0, 0, 0));
  EXPECT_FALSE(game().flags.shotTriggered || game().player.laserSelected || game().player.bobAngle != 0);
}

}  // namespace
