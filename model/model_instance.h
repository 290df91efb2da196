#pragma once
// One animated figure: its loaded files, the sequence and frame it plays, its
// controller and blend settings, and the operations that load, steer, pose
// and draw it. The game keeps one instance per enemy.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "model/model_checks.h"
#include "model/model_draw_state.h"
#include "model/model_format.h"
#include "model/model_math.h"

// A loaded model file held in memory whole; records are read from it in place.
struct ModelFileView {
  std::uint8_t* data = nullptr;
  std::size_t size = 0;
};

class ModelInstance {
 public:
  ModelInstance() = default;
  ModelInstance(const ModelInstance&) = delete;
  ModelInstance& operator=(const ModelInstance&) = delete;
  // Moving keeps the views valid: they point into the files' heap buffers,
  // which move along with them.
  ModelInstance(ModelInstance&&) = default;
  ModelInstance& operator=(ModelInstance&&) = default;

  // Reads the main file, its texture file ("<name>T.mdl") when the main file
  // has no textures, and its sequence group files ("<name>01.mdl", ...),
  // uploading the textures to the current OpenGL context. Returns an empty
  // text on success. Otherwise the instance is left empty and the text says
  // why, as the program prints it before it ends: "unable to open <file>\n"
  // or "invalid model file <file>: <reason>\n". Textures already uploaded
  // for a refused figure stay in the context.
  std::string loadModel(const char* fileName);
  // Takes files that are already in memory (no texture upload) and checks
  // them together. `textureFile` is ignored when the main file holds its own
  // textures; `groupFiles[g - 1]` is sequence group g. Returns an empty text
  // on success, otherwise why the files were refused (the instance is then
  // left empty).
  std::string adoptFiles(std::vector<std::uint8_t> mainFile,
                         std::vector<std::uint8_t> textureFile,
                         std::vector<std::vector<std::uint8_t>> groupFiles);
  // Frees the loaded files; the instance is empty afterwards.
  void releaseFiles();
  // Deletes the textures loadModel uploaded. Call it while the context they
  // were uploaded to is still current; the files stay loaded.
  void releaseTextures();
  bool loaded() const { return header.data != nullptr; }

  // Steering. setSequence restarts the sequence at frame 0 and returns the
  // sequence actually chosen; the controller setters return the value
  // actually applied.
  int setSequence(int index);
  float setController(int slot, float value);
  float setAuxController(float value);

  // Animation: moves `frame` (steps above 0.1 s count as 0.1 s), and computes
  // the bone matrices of the current pose into `work.boneTransforms`.
  void advanceAnimation(float seconds);
  void setUpBones();

  // Draws the figure in its current pose with the current modelview matrix.
  void drawModel();
  void setUpSubmodel(int bodyPart);
  void drawSubmodel();

  Vec3 origin{0.0f, 0.0f, 0.0f};
  float angles[3] = {0.0f, 0.0f, 0.0f};  // degrees
  std::int32_t sequence = 0;
  float frame = 0.0f;
  std::int32_t bodyNumber = 0;
  std::int32_t skin = 0;
  std::uint8_t controllers[4] = {0, 0, 0, 0};
  std::uint8_t blend[2] = {0, 0};
  std::uint8_t auxController = 0;
  ModelFileView header;
  const std::uint8_t* currentSubmodel = nullptr;
  ModelFileView textureHeader;  // the main file itself or the texture file
  ModelFileView groupHeaders[model_format::maxSequenceGroups];  // slot 0 unused
  float controllerValues[model_format::maxControllers] = {0.0f, 0.0f, 0.0f, 0.0f};
  ModelWorkStorage work;

  // The animation blocks of a sequence record, in the main file or its
  // sequence group file.
  const std::uint8_t* getAnimationData(const std::uint8_t* sequenceRecord) const;

 private:
  ModelFileView keep(std::vector<std::uint8_t> file);
  ModelCheckResult adopt(std::vector<std::uint8_t> mainFile, std::vector<std::uint8_t> textureFile,
                         std::vector<std::vector<std::uint8_t>> groupFiles);
  float applyController(int slot, float value, int steps, std::uint8_t& setting);
  void computeBoneAdjustments();
  void computeSequencePose(Vec3* positions, Quaternion* rotations,
                           const std::uint8_t* sequenceRecord,
                           const std::uint8_t* block, float framePosition);
  const std::uint8_t* currentSequenceRecord();

  std::vector<std::vector<std::uint8_t>> files_;
  // True when loadModel uploaded the textures: the texture records then hold
  // OpenGL names instead of pixel offsets.
  bool texturesUploaded_ = false;
};

// Texture of the model files: the palette image resampled to power-of-two
// sides of at most 256 texels, RGBA, first row first.
struct ResampledTexture {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgba;
};
ResampledTexture resampleTexture(int storedWidth, int storedHeight,
                                 const std::uint8_t* pixels,
                                 const std::uint8_t* palette);
// Uploads one texture record's image and stores the new texture name in the
// record's pixelOffset field.
void uploadTexture(std::uint8_t* textureRecord, const std::uint8_t* pixels,
                   const std::uint8_t* palette);
// Uploads every texture a file holds (none when its texture offset is 0).
// The file's texture table must have passed checkTextureTable.
void uploadFileTextures(std::uint8_t* file);

// Names of the files that belong to a main file: its last four characters
// replaced by "T.mdl" or by the two-digit group number and ".mdl".
std::string textureFileName(const std::string& mainFileName);
std::string groupFileName(const std::string& mainFileName, int group);

// Reads a whole file into `buffer`. Empty text on success, else
// "unable to open <name>\n".
std::string loadSequenceGroupFile(const char* fileName, std::vector<std::uint8_t>& buffer);
// As loadSequenceGroupFile, then checks the file's texture table and uploads
// its textures; a bad table gives "invalid model file <name>: <reason>\n".
std::string loadModelFile(const char* fileName, std::vector<std::uint8_t>& buffer);
