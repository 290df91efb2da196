#include "model/model_checks.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "model/model_instance.h"

using namespace model_format;

namespace {

// A loaded file and the range tests on it. Offsets and counts come from the
// file and may be anything, so the arithmetic is done in 64 bits.
struct FileRange {
  const std::uint8_t* data;
  std::size_t size;

  // An empty table is read nowhere, so its offset may be anything.
  bool holds(std::int64_t offset, std::int64_t count, std::int64_t elementSize) const {
    if (count == 0) return true;
    if (offset < 0 || count < 0) return false;
    if (offset > static_cast<std::int64_t>(size)) return false;
    return count * elementSize <= static_cast<std::int64_t>(size) - offset;
  }
  std::int32_t int32At(std::size_t offset) const { return readInt32(data + offset); }
};

std::string describe(const char* what, std::int64_t number, const char* problem) {
  return std::string(what) + " " + std::to_string(number) + ": " + problem;
}

// Walks a run-length stream and tells whether its runs lie inside the file
// and cover `framesNeeded` frames.
bool streamCovers(const FileRange& file, std::int64_t start, std::int64_t framesNeeded) {
  std::int64_t covered = 0;
  std::int64_t at = start;
  while (covered < framesNeeded) {
    if (!file.holds(at, 1, 2)) return false;
    const int validCount = file.data[at];
    const int totalCount = file.data[at + 1];
    if (validCount < 1 || validCount > totalCount) return false;
    if (!file.holds(at + 2, validCount, 2)) return false;
    covered += totalCount;
    at += 2 + 2 * static_cast<std::int64_t>(validCount);
  }
  return true;
}

class Checker {
 public:
  explicit Checker(const ModelInstance& instance)
      : instance_(instance),
        main_{instance.header.data, instance.header.size},
        textures_{instance.textureHeader.data, instance.textureHeader.size} {}

  ModelCheckResult run() {
    if (!main_.holds(0, 1, header::size)) {
      fail("the file is too short for a model header");
      return result_;
    }
    if (!textures_.holds(0, 1, header::size)) {
      failTextures("the file is too short for a model header");
      return result_;
    }
    boneCount_ = main_.int32At(header::boneCount);
    controllerCount_ = main_.int32At(header::controllerCount);
    // Textures before body parts: the meshes are checked against the skins.
    (void)(checkBones() && checkControllers() && checkTextures() && checkSequences() &&
           checkBodyParts());
    return result_;
  }

 private:
  bool fail(std::string reason, ModelCheckResult::File file = ModelCheckResult::File::main,
            int group = 0) {
    result_.reason = std::move(reason);
    result_.file = file;
    result_.group = group;
    return false;
  }
  // Names the texture file, or the main file when it holds its own textures.
  bool failTextures(std::string reason) {
    const bool separateTextureFile = textures_.data != main_.data;
    return fail(std::move(reason), separateTextureFile ? ModelCheckResult::File::texture
                                                       : ModelCheckResult::File::main);
  }

  bool checkBones() {
    if (boneCount_ < 0 || boneCount_ > maxBones)
      return fail("the bone count " + std::to_string(boneCount_) + " is outside 0 .. 128");
    const std::int32_t offset = main_.int32At(header::boneOffset);
    if (!main_.holds(offset, boneCount_, bone::size)) return fail("the bone table lies outside the file");
    for (int i = 0; i < boneCount_; ++i) {
      const std::uint8_t* record = main_.data + offset + i * bone::size;
      const std::int32_t parent = readInt32(record + bone::parent);
      if (parent < -1 || parent >= i) return fail(describe("bone", i, "its parent does not come before it"));
      for (int c = 0; c < 6; ++c) {
        const std::int32_t controllerIndex = readInt32(record + bone::controllerIndex + 4 * c);
        if (controllerIndex < -1 || controllerIndex >= controllerCount_)
          return fail(describe("bone", i, "it names a controller that does not exist"));
      }
    }
    return true;
  }

  bool checkControllers() {
    if (controllerCount_ < 0 || controllerCount_ > maxControllers)
      return fail("the controller count " + std::to_string(controllerCount_) + " is outside 0 .. 4");
    const std::int32_t offset = main_.int32At(header::controllerOffset);
    if (!main_.holds(offset, controllerCount_, controller::size))
      return fail("the controller table lies outside the file");
    for (int j = 0; j < controllerCount_; ++j) {
      const std::uint8_t* record = main_.data + offset + j * controller::size;
      const std::int32_t slot = readInt32(record + controller::slot);
      if (slot < 0 || slot > controller::auxiliarySlot)
        return fail(describe("controller", j, "its slot is outside 0 .. 4"));
      if (!std::isfinite(readFloat(record + controller::start)) ||
          !std::isfinite(readFloat(record + controller::end)))
        return fail(describe("controller", j, "its range is not a finite number"));
    }
    return true;
  }

  bool checkTextures() {
    const std::string tableProblem = checkTextureTable(textures_.data, textures_.size, false);
    if (!tableProblem.empty()) return failTextures(tableProblem);
    textureCount_ = textures_.int32At(header::textureCount);
    skinRefCount_ = textures_.int32At(header::skinRefCount);
    skinFamilyCount_ = textures_.int32At(header::skinFamilyCount);
    if (skinRefCount_ < 0 || skinFamilyCount_ < 0) return failTextures("the skin table has a negative size");
    const std::int32_t skinOffset = textures_.int32At(header::skinOffset);
    if (!textures_.holds(skinOffset, static_cast<std::int64_t>(skinRefCount_) * skinFamilyCount_, 2))
      return failTextures("the skin table lies outside the file");
    skinTable_ = textures_.data + skinOffset;
    for (std::int64_t i = 0; i < static_cast<std::int64_t>(skinRefCount_) * skinFamilyCount_; ++i) {
      const int textureNumber = readInt16(skinTable_ + 2 * i);
      if (textureNumber < 0 || textureNumber >= textureCount_)
        return failTextures(describe("skin entry", i, "it names a texture that does not exist"));
    }
    return true;
  }

  bool checkSequences() {
    const std::int32_t count = main_.int32At(header::sequenceCount);
    if (count < 1) return fail("the model has no sequences");
    const std::int32_t offset = main_.int32At(header::sequenceOffset);
    if (!main_.holds(offset, count, sequence::size)) return fail("the sequence table lies outside the file");
    const std::int32_t groupCount = main_.int32At(header::sequenceGroupCount);
    if (groupCount < 0 || groupCount > maxSequenceGroups)
      return fail("the sequence group count is outside 0 .. 32");
    for (int n = 0; n < count; ++n) {
      if (!checkSequence(n, main_.data + offset + n * sequence::size, groupCount)) return false;
    }
    return true;
  }

  bool checkSequence(int n, const std::uint8_t* record, std::int32_t groupCount) {
    const float framesPerSecond = readFloat(record + sequence::framesPerSecond);
    if (!std::isfinite(framesPerSecond) || framesPerSecond < 0.0f)
      return fail(describe("sequence", n, "its frame rate is negative or not a number"));
    const std::int32_t blendCount = readInt32(record + sequence::blendCount);
    if (blendCount != 1 && blendCount != 2 && blendCount != 4)
      return fail(describe("sequence", n, "its blend count is not 1, 2 or 4"));
    const std::int32_t motionBone = readInt32(record + sequence::motionBone);
    if ((readInt32(record + sequence::motionFlags) & 7) != 0 &&
        (motionBone < 0 || motionBone >= boneCount_))
      return fail(describe("sequence", n, "its motion bone does not exist"));

    const std::int32_t group = readInt32(record + sequence::groupIndex);
    if (group < 0 || group >= groupCount)
      return fail(describe("sequence", n, "its sequence group does not exist"));
    std::int64_t start = readInt32(record + sequence::animOffset);
    FileRange file = main_;
    ModelCheckResult::File where = ModelCheckResult::File::main;
    if (group == 0) {
      const std::int32_t groupOffset = main_.int32At(header::sequenceGroupOffset);
      if (!main_.holds(groupOffset, 1, sequence_group::size))
        return fail("the sequence group table lies outside the file");
      start += main_.int32At(groupOffset + sequence_group::dataOffset);
    } else {
      const ModelFileView& groupFile = instance_.groupHeaders[group];
      if (groupFile.data == nullptr) return fail(describe("sequence group", group, "its file is missing"));
      file = FileRange{groupFile.data, groupFile.size};
      where = ModelCheckResult::File::group;
    }
    if (!file.holds(start, static_cast<std::int64_t>(blendCount) * boneCount_, bone_anim::size))
      return fail(describe("sequence", n, "its animation data lies outside the file"), where, group);

    // Every frame of the sequence; a sequence of 0 or 1 frames still shows
    // frame 0. The decoder never looks past the sequence's last frame.
    const std::int64_t framesNeeded = std::max<std::int64_t>(readInt32(record + sequence::frameCount), 1);
    for (std::int64_t r = 0; r < static_cast<std::int64_t>(blendCount) * boneCount_; ++r) {
      const std::int64_t recordAt = start + r * static_cast<std::int64_t>(bone_anim::size);
      for (int c = 0; c < 6; ++c) {
        const std::uint16_t streamOffset = readUint16(file.data + recordAt + 2 * c);
        if (streamOffset != 0 && !streamCovers(file, recordAt + streamOffset, framesNeeded))
          return fail(describe("sequence", n, "an animation stream is broken or too short"), where, group);
      }
    }
    return true;
  }

  bool checkBodyParts() {
    const std::int32_t count = main_.int32At(header::bodyPartCount);
    const std::int32_t offset = main_.int32At(header::bodyPartOffset);
    if (!main_.holds(offset, count, body_part::size)) return fail("the body part table lies outside the file");
    for (int i = 0; i < count; ++i) {
      const std::uint8_t* part = main_.data + offset + i * body_part::size;
      const std::int32_t submodelCount = readInt32(part + body_part::submodelCount);
      const std::int32_t submodelOffset = readInt32(part + body_part::submodelOffset);
      if (submodelCount < 1 || readInt32(part + body_part::base) < 1)
        return fail(describe("body part", i, "its submodel count and base must be at least 1"));
      if (!main_.holds(submodelOffset, submodelCount, submodel::size))
        return fail(describe("body part", i, "its submodel table lies outside the file"));
      for (int s = 0; s < submodelCount; ++s) {
        if (!checkSubmodel(main_.data + submodelOffset + s * submodel::size))
          return fail(describe("body part", i, result_.reason.c_str()));
      }
    }
    return true;
  }

  // Bone numbers stored one byte each; all must name existing bones.
  bool boneNumbersValid(std::int32_t offset, std::int64_t count) const {
    for (std::int64_t i = 0; i < count; ++i)
      if (main_.data[offset + i] >= boneCount_) return false;
    return true;
  }

  bool checkSubmodel(const std::uint8_t* record) {
    const std::int32_t vertexCount = readInt32(record + submodel::vertexCount);
    const std::int32_t meshCount = readInt32(record + submodel::meshCount);
    const std::int32_t meshOffset = readInt32(record + submodel::meshOffset);
    const std::int32_t vertexBones = readInt32(record + submodel::vertexBoneOffset);
    const std::int32_t normalBones = readInt32(record + submodel::normalBoneOffset);
    if (vertexCount < 0 || vertexCount > maxVertices) return fail("a submodel has more than 2048 vertices");
    if (!main_.holds(meshOffset, meshCount, mesh::size)) return fail("a mesh table lies outside the file");
    std::int64_t normalCount = 0;
    for (int m = 0; m < meshCount; ++m) {
      const std::int32_t n = readInt32(main_.data + meshOffset + m * mesh::size + mesh::normalCount);
      if (n < 0) return fail("a mesh has a negative normal count");
      normalCount += n;
    }
    if (normalCount > maxNormals) return fail("a submodel has more than 2048 normals");
    if (!main_.holds(vertexBones, vertexCount, 1) ||
        !main_.holds(readInt32(record + submodel::vertexOffset), vertexCount, 12) ||
        !main_.holds(normalBones, normalCount, 1) ||
        !main_.holds(readInt32(record + submodel::normalOffset), normalCount, 12))
      return fail("a submodel's vertices or normals lie outside the file");
    if (!boneNumbersValid(vertexBones, vertexCount) || !boneNumbersValid(normalBones, normalCount))
      return fail("a vertex or normal names a bone that does not exist");
    for (int m = 0; m < meshCount; ++m) {
      if (!checkMesh(main_.data + meshOffset + m * mesh::size, vertexCount, normalCount))
        return fail(describe("mesh", m, result_.reason.c_str()));
    }
    return true;
  }

  // Whether any skin row gives the mesh's column a chrome texture, in which
  // case its command vertices' normal numbers are used.
  bool mayBeChrome(std::int32_t skinRef) const {
    const std::int32_t tableOffset = textures_.int32At(header::textureOffset);
    for (int row = 0; row < skinFamilyCount_; ++row) {
      const int textureNumber = readInt16(skinTable_ + 2 * (static_cast<std::int64_t>(row) * skinRefCount_ + skinRef));
      const std::uint8_t* textureRecord = textures_.data + tableOffset + textureNumber * texture::size;
      if (readInt32(textureRecord + texture::flags) & texture::chrome) return true;
    }
    return false;
  }

  bool checkMesh(const std::uint8_t* record, std::int32_t vertexCount, std::int64_t normalCount) {
    const std::int32_t skinRef = readInt32(record + mesh::skinRef);
    if (skinRef < 0 || skinRef >= skinRefCount_ || skinFamilyCount_ < 1)
      return fail("its skin column does not exist");
    const bool chrome = mayBeChrome(skinRef);
    std::int64_t at = readInt32(record + mesh::commandOffset);
    for (;;) {
      if (!main_.holds(at, 1, 2)) return fail("its draw commands run outside the file");
      const int count = std::abs(static_cast<int>(readInt16(main_.data + at)));
      at += 2;
      if (count == 0) return true;
      if (!main_.holds(at, count, command_vertex::size)) return fail("its draw commands run outside the file");
      for (int v = 0; v < count; ++v, at += command_vertex::size) {
        const int vertexIndex = readInt16(main_.data + at);
        const int normalIndex = readInt16(main_.data + at + 2);
        if (vertexIndex < 0 || vertexIndex >= vertexCount) return fail("a draw command names a missing vertex");
        if (chrome && (normalIndex < 0 || normalIndex >= normalCount))
          return fail("a draw command names a missing normal");
      }
    }
  }

  const ModelInstance& instance_;
  FileRange main_;
  FileRange textures_;
  ModelCheckResult result_;
  std::int32_t boneCount_ = 0;
  std::int32_t controllerCount_ = 0;
  std::int32_t textureCount_ = 0;
  std::int32_t skinRefCount_ = 0;
  std::int32_t skinFamilyCount_ = 0;
  const std::uint8_t* skinTable_ = nullptr;
};

}  // namespace

std::string checkTextureTable(const std::uint8_t* data, std::size_t size, bool withImages) {
  const FileRange file{data, size};
  if (!file.holds(0, 1, header::size)) return "the file is too short for a model header";
  const std::int32_t count = file.int32At(header::textureCount);
  const std::int32_t offset = file.int32At(header::textureOffset);
  if (!file.holds(offset, count, texture::size)) return "the texture table lies outside the file";
  for (int i = 0; i < count; ++i) {
    const std::uint8_t* record = data + offset + i * texture::size;
    const std::int32_t width = readInt32(record + texture::width);
    const std::int32_t height = readInt32(record + texture::height);
    if (width < 1 || height < 1) return describe("texture", i, "its size is not positive");
    if (withImages && offset != 0 && !file.holds(readInt32(record + texture::pixelOffset),
                                   static_cast<std::int64_t>(width) * height + texture::paletteSize, 1))
      return describe("texture", i, "its image lies outside the file");
  }
  return std::string();
}

ModelCheckResult checkModel(const ModelInstance& instance) { return Checker(instance).run(); }
