#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <functional>
#include <string>

#include "model/model_instance.h"
#include "render/gl_api.h"
#include "tests/support/gl_context.h"
#include "tests/unit/model/test_model_builder.h"

namespace {

TEST(ModelFileNames, DerivedNamesReplaceTheLastFourCharacters) {
  EXPECT_EQ(textureFileName("Data/MODELS/gign.mdl"), "Data/MODELS/gignT.mdl");
  EXPECT_EQ(textureFileName("model.bin"), "modelT.mdl");
  EXPECT_EQ(groupFileName("Data/MODELS/gign.mdl", 1), "Data/MODELS/gign01.mdl");
  EXPECT_EQ(groupFileName("a.mdl", 10), "a10.mdl");
  EXPECT_EQ(textureFileName("ab"), "T.mdl");  // too short to lose four characters
}

void writeFile(const std::string& name, const std::vector<std::uint8_t>& bytes) {
  std::FILE* file = std::fopen(name.c_str(), "wb");
  ASSERT_NE(file, nullptr) << name;
  std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
}

// A figure with nothing to upload or draw, so loading it needs no OpenGL.
TestModel bareModel(int groupCount) {
  TestModel model;
  model.bones.resize(1);
  model.sequenceGroupCount = groupCount;
  for (int g = 0; g < groupCount; ++g) {
    TestSequence s;
    s.groupIndex = g;
    s.streams.assign(1, std::vector<std::array<TestStream, 6>>(1));
    s.streams[0][0][0] = {{2, {static_cast<std::int16_t>(g), 0}}};
    model.sequences.push_back(s);
  }
  model.skinRefCount = 0;
  model.separateTextureFile = true;
  return model;
}

class LoadingFromDisk : public ::testing::Test {
 protected:
  // Each test has files of its own, so tests may run side by side.
  std::string path(const std::string& name) {
    return ::testing::TempDir() + ::testing::UnitTest::GetInstance()->current_test_info()->name() + "_" + name;
  }
  void TearDown() override {
    const std::string main = path("gign.mdl");
    std::remove(main.c_str());
    std::remove(textureFileName(main).c_str());
    for (int g = 1; g <= 3; ++g) std::remove(groupFileName(main, g).c_str());
  }
  // Writes gign.mdl and, as asked, its texture file and group files.
  std::string writeFigure(const TestModel& model, bool withTextureFile, int groupsToWrite) {
    const TestModelFiles files = writeTestModel(model);
    const std::string main = path("gign.mdl");
    writeFile(main, files.main);
    std::remove(textureFileName(main).c_str());
    if (withTextureFile) writeFile(textureFileName(main), files.texture);
    for (int g = 1; g <= 3; ++g) std::remove(groupFileName(main, g).c_str());
    for (int g = 1; g <= groupsToWrite; ++g) writeFile(groupFileName(main, g), files.groups[g - 1]);
    return main;
  }
  ModelInstance instance;
};

TEST_F(LoadingFromDisk, LoadsTheTextureFileAndEveryGroupFile) {
  const std::string main = writeFigure(bareModel(3), true, 2);
  instance.loadModel(main.c_str());
  ASSERT_TRUE(instance.loaded());
  EXPECT_NE(instance.textureHeader.data, instance.header.data);
  EXPECT_EQ(instance.groupHeaders[0].data, nullptr);
  EXPECT_NE(instance.groupHeaders[2].data, nullptr);
  // Sequence 2 takes its animation from group file 2.
  instance.setSequence(2);
  instance.setUpBones();
  EXPECT_EQ(boneTransforms[0].m[0][3], 2.0f);
}

// Death tests run in a fresh copy of the program: forking one that has
// already run OpenGL (and its worker threads) is not safe.
class DeathTestStyle : public ::testing::Environment {
 public:
  void SetUp() override { ::testing::FLAGS_gtest_death_test_style = "threadsafe"; }
};
const auto* const deathTestStyle = ::testing::AddGlobalTestEnvironment(new DeathTestStyle);

// The loader reports on standard output; the death test reads standard error.
void loadWithStdoutOnStderr(ModelInstance& instance, const std::string& name) {
  dup2(2, 1);
  instance.loadModel(name.c_str());
}

TEST_F(LoadingFromDisk, MissingFilesEndTheProcessNamingTheFirstMissingOne) {
  EXPECT_EXIT(loadWithStdoutOnStderr(instance, path("nothing.mdl")), ::testing::ExitedWithCode(1),
              "unable to open .*_nothing.mdl\n");
  const std::string main = writeFigure(bareModel(3), true, 1);
  EXPECT_EXIT(loadWithStdoutOnStderr(instance, main), ::testing::ExitedWithCode(1),
              "unable to open .*_gign02.mdl\n");
  writeFigure(bareModel(3), false, 0);
  EXPECT_EXIT(loadWithStdoutOnStderr(instance, main), ::testing::ExitedWithCode(1),
              "unable to open .*_gignT.mdl\n");
}

TEST_F(LoadingFromDisk, RefusedFilesEndTheProcessWithTheReason) {
  TestModel model = bareModel(1);
  model.bones.resize(129);
  const std::string main = writeFigure(model, true, 0);
  EXPECT_EXIT(loadWithStdoutOnStderr(instance, main), ::testing::ExitedWithCode(1),
              "invalid model file .*_gign.mdl: the bone count 129 is outside 0 .. 128\n");
  TestModel badSkin = bareModel(1);
  badSkin.skinRefCount = 1;
  badSkin.skins = {{3}};
  writeFigure(badSkin, true, 0);
  EXPECT_EXIT(loadWithStdoutOnStderr(instance, main), ::testing::ExitedWithCode(1),
              "invalid model file .*_gignT.mdl: skin entry 0: .*\n");
}

TEST(ModelLoadFailure, PrintsAndExitsWithCodeOne) {
  EXPECT_EXIT(
      {
        dup2(2, 1);
        modelLoadFailure("unable to open x.mdl\n");
      },
      ::testing::ExitedWithCode(1), "unable to open x.mdl\n");
}

TEST(ModelTextureNames, ComeFromOpenGlAndDoNotReuseLevelTextures) {
  TestGlContext gl;
  ASSERT_TRUE(gl.ok());
  GLuint levelTexture = 0;
  glGenTextures(1, &levelTexture);
  glBindTexture(GL_TEXTURE_2D, levelTexture);
  TestModel model = simpleTestModel();
  model.textures.push_back(model.textures[0]);
  model.skins = {{1}};
  const std::string main = ::testing::TempDir() + "ModelTextureNames_model.mdl";
  writeFile(main, writeTestModel(model).main);
  ModelInstance instance;
  instance.loadModel(main.c_str());
  ASSERT_TRUE(instance.loaded());
  const std::uint8_t* table = instance.header.data + getInt32(std::vector<std::uint8_t>(instance.header.data, instance.header.data + 212), 184);
  const GLuint first = static_cast<GLuint>(model_format::readInt32(table + 76));
  const GLuint second = static_cast<GLuint>(model_format::readInt32(table + 80 + 76));
  EXPECT_NE(first, levelTexture);
  EXPECT_NE(second, levelTexture);
  EXPECT_NE(first, second);
  EXPECT_TRUE(glIsTexture(first));
  EXPECT_TRUE(glIsTexture(second));
  std::remove(main.c_str());
}

// Corruptions of a sound model, each of which the loader must refuse with a
// reason rather than let drawing or animation read outside the files.
struct Corruption {
  const char* name;
  std::function<void(TestModel&)> onModel;
  std::function<void(TestModelFiles&)> onFiles;
  const char* reason;
};

TEST(ModelChecks, RefuseFilesThatWouldLeadOutsideTheirBuffers) {
  const auto nothing = [](TestModelFiles&) {};
  const auto keep = [](TestModel&) {};
  const Corruption corruptions[] = {
      {"parent after child", [](TestModel& m) { m.bones[0].parent = 0; }, nothing, "parent"},
      {"too many bones", [](TestModel& m) { m.bones.resize(129); }, nothing, "bone count"},
      {"bone table past the end", keep,
       [](TestModelFiles& f) { putInt32(f.main, test_layout::boneOffset, static_cast<std::int32_t>(f.main.size()) - 50); },
       "bone table"},
      {"missing controller", [](TestModel& m) { m.bones[0].controllerIndex[3] = 0; }, nothing, "controller"},
      {"controller slot 5", [](TestModel& m) { m.controllers = {{1, 0, 1, 5}}; }, nothing, "slot"},
      {"five controllers", [](TestModel& m) { m.controllers.resize(5); }, nothing, "controller count"},
      {"no sequences", [](TestModel& m) { m.sequences.clear(); }, nothing, "no sequences"},
      {"short stream", [](TestModel& m) {
         m.sequences[0].frameCount = 5;
         m.sequences[0].streams[0][0][1] = {{3, {1, 2, 3}}};
       }, nothing, "stream"},
      {"run without values", [](TestModel& m) { m.sequences[0].streams[0][0][1] = {{2, {}}}; }, nothing, "stream"},
      {"stream offset past the end", keep,
       [](TestModelFiles& f) {
         // The first animation record sits right behind the sequence table.
         const std::size_t record = static_cast<std::size_t>(getInt32(f.main, 168)) + 176;
         f.main[record] = 0xff;
         f.main[record + 1] = 0x7f;
       }, "stream"},
      {"blend count 3", [](TestModel& m) { m.sequences[0].blendCount = 3; }, nothing, "blend count"},
      {"motion bone 4", [](TestModel& m) { m.sequences[0].motionFlags = 1; m.sequences[0].motionBone = 4; }, nothing, "motion bone"},
      {"negative frame rate", [](TestModel& m) { m.sequences[0].framesPerSecond = -3; }, nothing, "frame rate"},
      {"group not there", keep,
       [](TestModelFiles& f) { putInt32(f.main, static_cast<std::size_t>(getInt32(f.main, 168)) + 156, 1); },
       "sequence group"},
      {"33 groups", [](TestModel& m) { m.sequenceGroupCount = 33; }, nothing, "group count"},
      {"vertex bone 1", [](TestModel& m) { m.bodyParts[0].submodels[0].vertexBones[2] = 1; }, nothing, "bone"},
      {"2049 vertices", [](TestModel& m) {
         auto& sub = m.bodyParts[0].submodels[0];
         sub.vertices.resize(2049);
         sub.vertexBones.resize(2049);
       }, nothing, "2048 vertices"},
      {"command vertex 3", [](TestModel& m) { m.bodyParts[0].submodels[0].meshes[0].commands[9] = 3; }, nothing, "vertex"},
      {"unterminated commands", [](TestModel& m) { m.bodyParts[0].submodels[0].meshes[0].commands.pop_back(); }, nothing, "commands"},
      {"skin column 1", [](TestModel& m) { m.bodyParts[0].submodels[0].meshes[0].skinRef = 1; }, nothing, "skin"},
      {"skin names texture 2", [](TestModel& m) { m.skins = {{2}}; }, nothing, "skin entry"},
      {"no skin rows", [](TestModel& m) { m.skins.clear(); }, nothing, "skin"},
      {"base 0", [](TestModel& m) { m.bodyParts[0].base = 0; }, nothing, "base"},
      {"texture width 0", [](TestModel& m) { m.textures[0].width = 0; }, nothing, "size"},
      {"chrome normal missing", [](TestModel& m) { m.textures[0].flags = 2; }, nothing, "normal"},
      {"header cut short", keep, [](TestModelFiles& f) { f.main.resize(200); }, "too short"},
  };
  for (const Corruption& c : corruptions) {
    TestModel model = simpleTestModel();
    c.onModel(model);
    TestModelFiles files = writeTestModel(model);
    c.onFiles(files);
    ModelInstance instance;
    const std::string reason = instance.adoptFiles(files.main, files.texture, files.groups);
    EXPECT_NE(reason.find(c.reason), std::string::npos) << c.name << ": " << reason;
    EXPECT_FALSE(instance.loaded()) << c.name;
  }
}

TEST(ModelChecks, AcceptWhatTheFormatAllows) {
  // No magic number is needed, and the normal numbers of meshes without a
  // chrome texture are never used.
  TestModel model = simpleTestModel();
  model.bodyParts[0].submodels[0].meshes[0].commands[2] = 999;
  TestModelFiles files = writeTestModel(model);
  files.main[0] = 'X';
  files.main[3] = 'Y';
  ModelInstance instance;
  EXPECT_EQ(instance.adoptFiles(files.main, {}, {}), "");
  EXPECT_TRUE(instance.loaded());

  TestModel separate = simpleTestModel();
  separate.separateTextureFile = true;
  EXPECT_EQ(adoptTestModel(instance, separate), "");
  EXPECT_NE(instance.textureHeader.data, instance.header.data);
}

TEST(ModelChecks, TextureImagesMustLieInsideTheFileBeforeUpload) {
  TestModelFiles files = writeTestModel(simpleTestModel());
  const std::size_t table = static_cast<std::size_t>(getInt32(files.main, 184));
  EXPECT_EQ(checkTextureTable(files.main.data(), files.main.size(), true), "");
  putInt32(files.main, table + 76, static_cast<std::int32_t>(files.main.size()) - 700);
  EXPECT_NE(checkTextureTable(files.main.data(), files.main.size(), true).find("image"), std::string::npos);
  EXPECT_EQ(checkTextureTable(files.main.data(), files.main.size(), false), "");
}

TEST(ModelChecks, NamesTheFileAProblemIsIn) {
  TestModel model = simpleTestModel();
  model.separateTextureFile = true;
  model.skins = {{4}};
  ModelInstance instance;
  EXPECT_EQ(adoptTestModel(instance, model).rfind("texture file: ", 0), 0u);
}

}  // namespace
