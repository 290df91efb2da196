// libFuzzer target for the model files. The input holds the files one after
// another, each but the last behind a 32-bit little-endian length: the main
// file, the texture file (the main file again if there is none) and sequence
// group files 1, 2, ... (the main file again for any group not given).
// Files the load-time checks accept are uploaded, animated, posed and drawn,
// so a file that slips past the checks with a bad offset shows up under the
// sanitizers.
#include <cstring>

#include "model/model_checks.h"
#include "model/model_instance.h"
#include "render/gl_api.h"
#include "tests/support/gl_context.h"
#include "tests/unit/game/game_fixtures.h"

namespace {

std::vector<std::vector<std::uint8_t>> splitFiles(const std::uint8_t* data, std::size_t size) {
  std::vector<std::vector<std::uint8_t>> files;
  std::size_t at = 0;
  while (at < size && files.size() < model_format::maxSequenceGroups + 1) {
    std::size_t length = size - at;
    if (length >= 4) {
      const std::size_t prefixed = static_cast<std::uint32_t>(model_format::readInt32(data + at));
      if (prefixed <= length - 4) {
        at += 4;
        length = prefixed;
      }
    }
    files.emplace_back(data + at, data + at + length);
    at += length;
  }
  if (files.empty()) files.emplace_back();
  const std::vector<std::uint8_t> mainFile = files[0];
  files.resize(model_format::maxSequenceGroups + 1, mainFile);  // the texture file, then the groups
  return files;
}

float valueAt(const std::uint8_t* data, std::size_t size, std::size_t at) {
  float value = 0.0f;
  if (size >= 4) std::memcpy(&value, data + (at % (size - 3)), 4);
  return value;
}

void exercise(ModelInstance& instance, const std::uint8_t* data, std::size_t size) {
  instance.bodyNumber = size > 9 ? static_cast<std::int8_t>(data[9]) : 0;
  instance.skin = size > 11 ? data[11] % 4 : 0;
  instance.blend[0] = size > 13 ? data[13] : 0;
  instance.blend[1] = size > 15 ? data[15] : 0;
  for (int slot = 0; slot < 4; ++slot) instance.setController(slot, valueAt(data, size, 17 + 4 * slot));
  instance.setAuxController(valueAt(data, size, 37));
  const std::int32_t sequences = model_format::readInt32(instance.header.data + model_format::header::sequenceCount);
  for (int n = 0; n < sequences && n < 8; ++n) {
    instance.setSequence(n);
    instance.advanceAnimation(valueAt(data, size, 41 + 4 * n));
    instance.drawModel();
  }
}

}  // namespace

// Mesa keeps a few allocations of its own until the process ends; they are
// not the model code's to release.
extern "C" const char* __lsan_default_suppressions() { return "leak:libOSMesa\n"; }

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const TestGlContext gl(16, 16);  // one small context for the whole run
  if (!gl.ok()) return 0;
  std::vector<std::vector<std::uint8_t>> files = splitFiles(data, size);
  std::vector<std::vector<std::uint8_t>> uploaded;
  for (std::vector<std::uint8_t>* file : {&files[0], &files[1]}) {
    if (checkTextureTable(file->data(), file->size(), true).empty()) {
      uploadFileTextures(file->data());
      uploaded.push_back(*file);
    }
  }

  ModelInstance instance;
  if (instance.adoptFiles(std::move(files[0]), std::move(files[1]), {files.begin() + 2, files.end()}).empty())
    exercise(instance, data, size);
  // The game keeps its textures; a fuzzing run would pile them up.
  for (std::vector<std::uint8_t>& file : uploaded) {
    ModelInstance named;  // the names are read through the texture header, as in the game tests
    named.textureHeader.data = file.data();
    for (const GLuint name : figureTextureNames(named)) glDeleteTextures(1, &name);
  }
  return 0;
}
