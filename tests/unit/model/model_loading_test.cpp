#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <functional>
#include <string>
#include <utility>

#include "tests/support/gl_context.h"
#include "tests/unit/model/test_model_builder.h"

namespace {

// The loader reports on standard output; the death test reads standard error.
// Loading uploads textures, so the fresh copy needs an OpenGL context.
void loadWithStdoutOnStderr(const std::string& name) {
  TestGlContext gl;
  dup2(2, 1);
  ModelInstance().loadModel(name.c_str());
}

// Death tests run in a fresh copy of the program: forking one that has
// already run OpenGL (and its worker threads) is not safe.
TEST(ModelLoading, MissingFilesEndTheProcessNamingTheFile) {
  ::testing::FLAGS_gtest_death_test_style = "threadsafe";
  EXPECT_EXIT(loadWithStdoutOnStderr(::testing::TempDir() + "no_such_model.mdl"), ::testing::ExitedWithCode(1),
              "unable to open .*no_such_model.mdl\n");
}

// Corruptions of a sound model, each of which loading must refuse with exit
// code 1 and a reason rather than let drawing or animation read outside the
// files.
TEST(ModelLoading, RefusesFilesThatWouldLeadOutsideTheirBuffers) {
  ::testing::FLAGS_gtest_death_test_style = "threadsafe";
  using model_format::writeInt32;
  const std::pair<const char*, std::function<Bytes(TestModel)>> corruptions[] = {
      {"the bone count 129 is outside 0 .. 128", [](TestModel m) { m.bones.resize(129); return writeTestModel(m); }},
      {"bone table", [](TestModel m) { Bytes f = writeTestModel(m); writeInt32(&f[144], f.size() - 50); return f; }},
      {"stream", [](TestModel m) { streamOf(m.sequences[0], 0, 0, 1) = {run(1, 1), 7}; return writeTestModel(m); }},
      {"vertex", [](TestModel m) { m.bodyParts[0].submodels[0].commands[9] = 3; return writeTestModel(m); }},
      {"too short", [](TestModel m) { Bytes f = writeTestModel(m); f.resize(200); return f; }},
  };
  const std::string main = ::testing::TempDir() + "refused_model.mdl";
  for (const auto& [reason, corrupt] : corruptions) {
    const Bytes bytes = corrupt(simpleTestModel());
    std::FILE* file = std::fopen(main.c_str(), "wb");
    ASSERT_NE(file, nullptr) << main;
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
    EXPECT_EXIT(loadWithStdoutOnStderr(main), ::testing::ExitedWithCode(1),
                std::string("invalid model file .*refused_model.mdl: .*") + reason + ".*\n");
  }
  std::remove(main.c_str());
}

}  // namespace
