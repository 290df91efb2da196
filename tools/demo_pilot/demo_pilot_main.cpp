// Records the committed demos of the shipped level by letting the autopilot
// play each plan through the real run order (without the intro), with the
// same demo recorder the programs use. Run from the game folder:
//   demo_pilot OUTPUT_FOLDER
#include <cstdio>
#include <memory>
#include <string>

#include "shell/demo_platform.h"
#include "shell/program_steps.h"
#include "shell/run_sequence.h"
#include "tools/demo_pilot/autopilot.h"
#include "tools/demo_pilot/pilot_platform.h"
#include "platform/linux/file_names.h"
#include "world/level_loader.h"

namespace {

struct PlanFile {
  PilotPlan plan;
  const char* fileName;
  bool enemiesNear;  // else seed 1
};
constexpr PlanFile plans[] = {
    {PilotPlan::walk, "walk.dem", false},
    {PilotPlan::fight, "fight.dem", true},
    {PilotPlan::death, "death.dem", true},
    {PilotPlan::switches, "switches.dem", false},
    {PilotPlan::moves, "moves.dem", false},
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: demo_pilot OUTPUT_FOLDER (run from the game folder)\n");
    return 2;
  }
  WindowSettings mode;
  mode.width = 320;
  mode.height = 240;
  mode.fullScreen = 0;
  auto level = std::make_unique<LevelData>();
  if (!loadLevel(*level, findFileIgnoringCase(levelFileName).c_str())) {
    std::fprintf(stderr, "the level %s cannot be read\n", levelFileName);
    return 1;
  }
  const std::uint32_t nearSeed = seedWithEnemiesNearStart(*level);
  int failures = 0;
  for (const PlanFile& plan : plans) {
    // Each plan on a platform and an OpenGL context of its own, as each
    // playback starts in a fresh program.
    PilotPlatform pilot(mode);
    pilot.seed = plan.enemiesNear ? nearSeed : 1;
    Autopilot autopilot(plan.plan, *level);
    autopilot.prepare(pilot);
    DemoPlatform demo(pilot, DemoMode::record, std::string(argv[1]) + "/" + plan.fileName, levelFileName);
    installPlatform(&demo);
    ProgramOptions options;
    options.playIntro = false;
    options.frameEnded = [&](const Game& game) {
      demo.frameEnded(game);
      autopilot.steer(game, pilot);
      if (autopilot.frames() % 500 == 0) {
        std::fprintf(stderr, "%s frame %lld health %d eye %.1f %.1f heading %.0f\n", plan.fileName,
                     static_cast<long long>(autopilot.frames()), game.player.health, -game.player.cameraX, -game.player.cameraZ, game.player.heading);
        for (const Enemy& e : game.enemies.enemy) std::fprintf(stderr, "  enemy alive %d health %d at %.1f %.1f sees %d dist %.1f placed %d\n", e.alive, e.health, e.posX, e.posZ, e.seesPlayer, e.distance, e.placed);
      }
    };
    const int result = runProgram(demo, std::move(options));
    installPlatform(nullptr);
    if (demo.finish(result) != 0) ++failures;
  }
  return failures == 0 ? 0 : 1;
}
