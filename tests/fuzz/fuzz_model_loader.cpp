// libFuzzer target for the model files: the input serves as main file,
// texture file and every sequence group file. Files the load-time checks
// accept are uploaded, animated, posed and drawn, so a file that slips past
// the checks with a bad offset shows up under the sanitizers.
#include <GL/osmesa.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "model/model_checks.h"
#include "model/model_instance.h"
#include "render/gl_api.h"

namespace {

bool makeContextCurrent() {
  static std::vector<std::uint8_t> pixels(16 * 16 * 4);
  static OSMesaContext context = OSMesaCreateContextExt(OSMESA_RGBA, 16, 0, 0, nullptr);
  return context != nullptr &&
         OSMesaMakeCurrent(context, pixels.data(), GL_UNSIGNED_BYTE, 16, 16) != 0;
}

float valueAt(const std::uint8_t* data, std::size_t size, std::size_t at) {
  float value = 0.0f;
  if (size >= 4) std::memcpy(&value, data + (at % (size - 3)), 4);
  return value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (!makeContextCurrent()) return 0;
  std::vector<std::uint8_t> mainFile(data, data + size);
  std::vector<std::uint8_t> textureFile(data, data + size);
  for (std::vector<std::uint8_t>* file : {&mainFile, &textureFile}) {
    if (checkTextureTable(file->data(), file->size(), true).empty()) uploadFileTextures(file->data());
  }
  std::vector<std::vector<std::uint8_t>> groups(model_format::maxSequenceGroups - 1,
                                                std::vector<std::uint8_t>(data, data + size));

  ModelInstance instance;
  if (!instance.adoptFiles(std::move(mainFile), std::move(textureFile), std::move(groups)).empty()) return 0;

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
  return 0;
}
