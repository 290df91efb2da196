// Loading a figure: the main file, its texture file and its sequence group
// files, each read whole and kept by the instance.

#include <algorithm>
#include <cstdio>
#include <utility>

#include "model/model_checks.h"
#include "model/model_instance.h"
#include "platform/platform.h"

using namespace model_format;

namespace {

std::string refusal(const std::string& fileName, const std::string& reason) {
  return "invalid model file " + fileName + ": " + reason + "\n";
}

}  // namespace

std::string loadSequenceGroupFile(const char* fileName, std::vector<std::uint8_t>& buffer) {
  buffer.clear();
  std::FILE* file = std::fopen(resolvedFileName(fileName).c_str(), "rb");
  bool read = file != nullptr;
  if (read && std::fseek(file, 0, SEEK_END) == 0) {
    const long size = std::ftell(file);
    read = size >= 0 && std::fseek(file, 0, SEEK_SET) == 0;
    if (read) {
      buffer.resize(static_cast<std::size_t>(size));
      read = std::fread(buffer.data(), 1, buffer.size(), file) == buffer.size();
    }
  } else {
    read = false;
  }
  if (file != nullptr) std::fclose(file);
  if (!read) return "unable to open " + std::string(fileName) + "\n";
  return std::string();
}

std::string loadModelFile(const char* fileName, std::vector<std::uint8_t>& buffer) {
  std::string failure = loadSequenceGroupFile(fileName, buffer);
  if (!failure.empty()) return failure;
  const std::string problem = checkTextureTable(buffer.data(), buffer.size(), true);
  if (!problem.empty()) return refusal(fileName, problem);
  uploadFileTextures(buffer.data());
  return std::string();
}

// The derived names drop the last four characters of the main file's name
// (normally ".mdl"), or the whole name when it is shorter.
static std::string stem(const std::string& mainFileName) {
  return mainFileName.substr(0, mainFileName.size() < 4 ? 0 : mainFileName.size() - 4);
}

std::string textureFileName(const std::string& mainFileName) {
  return stem(mainFileName) + "T.mdl";
}

std::string groupFileName(const std::string& mainFileName, int group) {
  char suffix[32];
  std::snprintf(suffix, sizeof suffix, "%02d.mdl", group);
  return stem(mainFileName) + suffix;
}

ModelFileView ModelInstance::keep(std::vector<std::uint8_t> file) {
  files_.push_back(std::move(file));
  return ModelFileView{files_.back().data(), files_.back().size()};
}

void ModelInstance::releaseFiles() {
  files_.clear();
  texturesUploaded_ = false;
  header = ModelFileView{};
  textureHeader = ModelFileView{};
  for (ModelFileView& group : groupHeaders) group = ModelFileView{};
  currentSubmodel = nullptr;
}

static std::int32_t headerValue(const std::vector<std::uint8_t>& file, std::size_t field) {
  return file.size() >= header::size ? readInt32(file.data() + field) : 0;
}

// How many group files a main file asks for (groups 1 .. count - 1), held to
// the 31 slots there are; checkModel refuses larger counts.
static int groupFileCount(const std::vector<std::uint8_t>& mainFile) {
  const std::int32_t groups = headerValue(mainFile, header::sequenceGroupCount);
  if (groups <= 1) return 0;
  return groups > maxSequenceGroups ? maxSequenceGroups - 1 : groups - 1;
}

ModelCheckResult ModelInstance::adopt(std::vector<std::uint8_t> mainFile,
                                     std::vector<std::uint8_t> textureFile,
                                     std::vector<std::vector<std::uint8_t>> groupFiles) {
  releaseFiles();
  files_.reserve(2 + groupFiles.size());
  const bool ownTextures = headerValue(mainFile, header::textureCount) != 0;
  header = keep(std::move(mainFile));
  textureHeader = ownTextures ? header : keep(std::move(textureFile));
  const int groups = std::min<int>(static_cast<int>(groupFiles.size()), maxSequenceGroups - 1);
  for (int g = 1; g <= groups; ++g) groupHeaders[g] = keep(std::move(groupFiles[g - 1]));
  ModelCheckResult result = checkModel(*this);
  if (!result.ok()) releaseFiles();
  return result;
}

std::string ModelInstance::adoptFiles(std::vector<std::uint8_t> mainFile,
                                      std::vector<std::uint8_t> textureFile,
                                      std::vector<std::vector<std::uint8_t>> groupFiles) {
  const ModelCheckResult result = adopt(std::move(mainFile), std::move(textureFile), std::move(groupFiles));
  switch (result.file) {
    case ModelCheckResult::File::texture: return "texture file: " + result.reason;
    case ModelCheckResult::File::group:
      return "sequence group file " + std::to_string(result.group) + ": " + result.reason;
    case ModelCheckResult::File::main: break;
  }
  return result.reason;
}

std::string ModelInstance::loadModel(const char* fileName) {
  releaseFiles();
  std::vector<std::uint8_t> mainFile;
  std::string failure = loadModelFile(fileName, mainFile);
  if (!failure.empty()) return failure;
  std::vector<std::uint8_t> textureFile;
  if (headerValue(mainFile, header::textureCount) == 0) {
    failure = loadModelFile(textureFileName(fileName).c_str(), textureFile);
    if (!failure.empty()) return failure;
  }
  std::vector<std::vector<std::uint8_t>> groupFiles(groupFileCount(mainFile));
  for (int g = 1; g <= static_cast<int>(groupFiles.size()); ++g) {
    failure = loadSequenceGroupFile(groupFileName(fileName, g).c_str(), groupFiles[g - 1]);
    if (!failure.empty()) return failure;
  }

  const ModelCheckResult result = adopt(std::move(mainFile), std::move(textureFile), std::move(groupFiles));
  if (result.ok()) {
    texturesUploaded_ = true;
    return std::string();
  }
  switch (result.file) {
    case ModelCheckResult::File::texture: return refusal(textureFileName(fileName), result.reason);
    case ModelCheckResult::File::group: return refusal(groupFileName(fileName, result.group), result.reason);
    case ModelCheckResult::File::main: break;
  }
  return refusal(fileName, result.reason);
}
