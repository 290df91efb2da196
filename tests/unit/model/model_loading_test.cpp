#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <functional>
#include <string>

#include "model/model_instance.h"
#include "tests/support/gl_context.h"
#include "tests/unit/model/test_model_builder.h"

namespace {

// Death tests run in a fresh copy of the program: forking one that has
// already run OpenGL (and its worker threads) is not safe.
class DeathTestStyle : public ::testing::Environment {
 public:
  void SetUp() override { ::testing::FLAGS_gtest_death_test_style = "threadsafe"; }
};
const auto* const deathTestStyle = ::testing::AddGlobalTestEnvironment(new DeathTestStyle);

// The loader reports on standard output; the death test reads standard error.
// Loading uploads textures, so the fresh copy needs an OpenGL context.
void loadWithStdoutOnStderr(const std::string& name) {
  TestGlContext gl;
  dup2(2, 1);
  ModelInstance().loadModel(name.c_str());
}

// Files are named per test, so tests may run side by side.
std::string writeTestFile(const char* name, const Bytes& bytes) {
  const std::string path =
      ::testing::TempDir() + ::testing::UnitTest::GetInstance()->current_test_info()->name() + "_" + name;
  std::FILE* file = std::fopen(path.c_str(), "wb");
  EXPECT_NE(file, nullptr) << path;
  if (file == nullptr) return path;
  std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
  return path;
}

TEST(ModelLoading, MissingFilesEndTheProcessNamingTheFile) {
  EXPECT_EXIT(loadWithStdoutOnStderr(::testing::TempDir() + "no_such_model.mdl"), ::testing::ExitedWithCode(1),
              "unable to open .*no_such_model.mdl\n");
  // A main file without textures of its own needs its texture file.
  TestModel model = simpleTestModel();
  model.textures.clear();
  const std::string main = writeTestFile("bare.mdl", writeTestModel(model));
  EXPECT_EXIT(loadWithStdoutOnStderr(main), ::testing::ExitedWithCode(1), "unable to open .*_bareT.mdl\n");
  std::remove(main.c_str());
}

// Corruptions of a sound model, each of which loading must refuse with exit
// code 1 and a reason rather than let drawing or animation read outside the
// files.
struct Corruption {
  const char* name;
  std::function<void(TestModel&)> onModel;
  std::function<void(Bytes&)> onFile;
  const char* reason;
};

TEST(ModelLoading, RefusesFilesThatWouldLeadOutsideTheirBuffers) {
  const Corruption corruptions[] = {
      {"too many bones", [](TestModel& m) { m.bones.resize(129); }, {}, "the bone count 129 is outside 0 .. 128"},
      {"bone table past the end", {},
       [](Bytes& f) { model_format::writeInt32(&f[144], static_cast<std::int32_t>(f.size()) - 50); }, "bone table"},
      {"short stream", [](TestModel& m) {
         m.sequences[0].frameCount = 5;
         streamOf(m.sequences[0], 0, 0, 1) = {{3, {1, 2, 3}}};
       }, {}, "stream"},
      {"image past the end", {},
       [](Bytes& f) { model_format::writeInt32(&f[model_format::readInt32(&f[184]) + 76], f.size() - 700); }, "image"},
      {"command vertex 3", [](TestModel& m) { m.bodyParts[0].submodels[0].meshes[0].commands[9] = 3; }, {}, "vertex"},
      {"skin names texture 2", [](TestModel& m) { m.skins = {{2}}; }, {}, "skin entry 0"},
      {"header cut short", {}, [](Bytes& f) { f.resize(200); }, "too short"},
  };
  for (const Corruption& c : corruptions) {
    TestModel model = simpleTestModel();
    if (c.onModel) c.onModel(model);
    Bytes bytes = writeTestModel(model);
    if (c.onFile) c.onFile(bytes);
    const std::string main = writeTestFile("bad.mdl", bytes);
    EXPECT_EXIT(loadWithStdoutOnStderr(main), ::testing::ExitedWithCode(1),
                std::string("invalid model file .*: .*") + c.reason + ".*\n")
        << c.name;
    std::remove(main.c_str());
  }
}

}  // namespace
