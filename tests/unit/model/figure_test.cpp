// The generated enemy figure's companion files as the loader finds them. How
// the figure stands, runs and falls is what the demos' pictures show.
#include <gtest/gtest.h>

#include <filesystem>

#include "model/model_instance.h"
#include "tests/support/scratch_folder.h"

// The figure comes in three files; a missing or cut-short companion file
// is refused under its own name, as the program then prints it.
TEST(GeneratedFigure, AMissingOrCutShortCompanionFileIsNamed) {
  namespace fs = std::filesystem;
  const fs::path models = fs::path(BRAKMOOR_DATA_DIR) / "Data/MODELS";
  for (const char* companion : {"gignT.mdl", "gign01.mdl"}) {
    for (const bool missing : {true, false}) {
      ScratchFolder scratch;
      for (const char* file : {"gign.mdl", "gignT.mdl", "gign01.mdl"}) fs::copy_file(models / file, file);
      if (missing) {
        fs::remove(companion);
      } else {
        fs::resize_file(companion, fs::file_size(companion) / 2);
      }
      ModelInstance figure;
      const std::string said = figure.loadModel("gign.mdl");
      EXPECT_EQ(said.rfind(std::string(missing ? "unable to open " : "invalid model file ") + companion, 0), 0u)
          << said;
    }
  }
}
