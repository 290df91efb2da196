#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <regex>
#include <utility>

#include "tests/support/gl_context.h"
#include "tests/support/scratch_folder.h"
#include "tests/unit/model/test_model_builder.h"

namespace {

// Loading uploads textures, so it needs an OpenGL context. A refused
// figure leaves the instance empty.
std::string refusal(const std::string& name) {
  TestGlContext gl;
  ModelInstance instance;
  const std::string text = instance.loadModel(name.c_str());
  EXPECT_FALSE(instance.loaded()) << name;
  return text;
}

// Missing files, and files that would let drawing or animation read outside
// them, are refused with the text the program prints before it ends.
TEST(ModelLoading, RefusesMissingAndCorruptFiles) {
  EXPECT_TRUE(std::regex_match(refusal(::testing::TempDir() + "no_such_model.mdl"),
                               std::regex("unable to open .*no_such_model.mdl\n")));
  const std::pair<const char*, std::function<Bytes(TestModel)>> corruptions[] = {
      {"the bone count 129 is outside 0 .. 128", [](TestModel m) { m.bones.resize(129); return writeTestModel(m); }},
      {"bone table", [](TestModel m) { Bytes f = writeTestModel(m); model_format::writeInt32(&f[144], f.size() - 50); return f; }},
      {"stream", [](TestModel m) { streamOf(m.sequences[0], 0, 0, 1) = {run(1, 1), 7}; return writeTestModel(m); }},
      {"vertex", [](TestModel m) { m.bodyParts[0][0].commands[9] = 3; return writeTestModel(m); }},
      // A chrome texture maps through normals, which this submodel lacks.
      {"normal", [](TestModel m) { m.textures[0].flags = 2; return writeTestModel(m); }},
      {"too short", [](TestModel m) { Bytes f = writeTestModel(m); f.resize(200); return f; }},
      // Of two bones, bone 1 hanging on itself, then bone 0 on bone 1.
      {"bone 1: its parent does not come before it", [](TestModel m) { m.bones.resize(2); m.bones[1].parent = 1; return writeTestModel(m); }},
      {"bone 0: its parent does not come before it", [](TestModel m) { m.bones.resize(2); m.bones[0].parent = 1; return writeTestModel(m); }},
      // The textures live in the main file, so the main file is named.
      {"skin entry", [](TestModel m) { m.skins = {9}; return writeTestModel(m); }},
  };
  ScratchFolder scratch;
  for (const auto& [reason, corrupt] : corruptions) {
    writeFile("refused_model.mdl", corrupt(simpleTestModel()));
    const std::string text = refusal("refused_model.mdl");
    EXPECT_TRUE(std::regex_match(text, std::regex(std::string("invalid model file .*refused_model.mdl: .*") +
                                                  reason + ".*\n")))
        << text;
  }
}

// Nothing is read from a table of no entries, so its offset may point
// anywhere. Every table goes through one range test; a header table and the
// nested tables of a submodel stand for all.
TEST(ModelLoading, EmptyTablesMayPointOutsideTheFile) {
  using namespace model_format;
  TestModel model = simpleTestModel();  // without controllers
  model.bodyParts = {{TestSubmodel{{}, {}, {0}}}};
  for (const std::int32_t outside : {0x7FFFFF00, -64}) {
    SCOPED_TRACE(outside);
    Bytes main = writeTestModel(model);
    const std::size_t sub = readInt32(&main[readInt32(&main[header::bodyPartOffset]) + body_part::submodelOffset]);
    writeInt32(&main[sub + submodel::meshCount], 0);  // no meshes, which the writer cannot give
    for (const std::size_t field : {header::controllerOffset, sub + submodel::meshOffset,
                                    sub + submodel::vertexBoneOffset, sub + submodel::vertexOffset,
                                    sub + submodel::normalBoneOffset, sub + submodel::normalOffset})
      writeInt32(&main[field], outside);
    ModelInstance instance;
    EXPECT_EQ(instance.adoptFiles(main, writeTestModel(simpleTestModel()), {}), "");
  }
}

// The generated enemy figure comes in three files; a missing or cut-short
// companion file is refused under its own name, as the program then prints
// it. How the figure stands, runs and falls is what the demos' pictures show.
TEST(GeneratedFigure, AMissingOrCutShortCompanionFileIsNamed) {
  namespace fs = std::filesystem;
  const fs::path models = fs::path(BRAKMOOR_DATA_DIR) / "Data/MODELS";
  for (const char* companion : {"gignT.mdl", "gign01.mdl"}) {
    for (const bool missing : {true, false}) {
      ScratchFolder scratch;
      for (const char* file : {"gign.mdl", "gignT.mdl", "gign01.mdl"}) fs::copy_file(models / file, file);
      if (missing) fs::remove(companion);
      else fs::resize_file(companion, fs::file_size(companion) / 2);
      ModelInstance figure;
      const std::string said = figure.loadModel("gign.mdl");
      EXPECT_EQ(said.rfind(std::string(missing ? "unable to open " : "invalid model file ") + companion, 0), 0u)
          << said;
    }
  }
}

}  // namespace
