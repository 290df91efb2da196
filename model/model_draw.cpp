// Drawing a posed figure: one submodel per body part, vertices moved by
// their bones on the CPU once per draw, chrome texture coordinates from the
// normals, and the meshes sent as triangle strips and fans.

#include <cmath>

#include "model/model_instance.h"
#include "render/gl_api.h"

using namespace model_format;

namespace {

// Texture coordinates in texels of a 64-texel chrome map, 0 .. 64 for unit
// normals; a broken normal from a file must not overflow the integer.
std::int32_t chromeTexel(float projection) {
  float texel = std::trunc((projection + 1.0f) * 32.0f);
  if (!(texel > -1.0e6f)) texel = -1.0e6f;
  if (texel > 1.0e6f) texel = 1.0e6f;
  return static_cast<std::int32_t>(texel);
}

void computeChromeCoords(ModelInstance& instance, ChromeCoord& result, int bone,
                         const Vec3& normal) {
  ModelWorkStorage& work = instance.work;
  if (work.chromeStamp[bone] != work.drawCounter) {
    const Matrix3x4& m = work.boneTransforms[bone];
    Vec3 toBone{m.m[0][3] - instance.origin.x, m.m[1][3] - instance.origin.y,
                m.m[2][3] - instance.origin.z};
    normalizeVector(toBone);
    Vec3 up = crossProduct(toBone, work.chromeReferenceVector);
    normalizeVector(up);
    Vec3 right = crossProduct(toBone, up);
    normalizeVector(right);
    work.chromeUp[bone] = inverseRotate(m, up);
    work.chromeRight[bone] = inverseRotate(m, right);
    work.chromeStamp[bone] = work.drawCounter;
  }
  result.s = chromeTexel(dotProduct(normal, work.chromeRight[bone]));
  result.t = chromeTexel(dotProduct(normal, work.chromeUp[bone]));
}

}  // namespace

void ModelInstance::drawModel() {
  // Wraps around instead of overflowing after months of drawing.
  work.drawCounter = static_cast<int>(static_cast<unsigned>(work.drawCounter) + 1u);
  if (!loaded()) return;
  const std::int32_t bodyPartCount = readInt32(header.data + header::bodyPartCount);
  if (bodyPartCount == 0) return;
  glPushMatrix();
  glTranslatef(origin.x, origin.y, origin.z);
  glRotatef(angles[1], 0.0f, 0.0f, 1.0f);
  glRotatef(angles[0], 0.0f, 1.0f, 0.0f);
  glRotatef(angles[2], 1.0f, 0.0f, 0.0f);
  glShadeModel(GL_SMOOTH);
  setUpBones();
  for (int i = 0; i < bodyPartCount; ++i) {
    setUpSubmodel(i);
    drawSubmodel();
  }
  glPopMatrix();
}

void ModelInstance::setUpSubmodel(int bodyPart) {
  if (bodyPart >= readInt32(header.data + header::bodyPartCount) || bodyPart < 0) bodyPart = 0;
  const std::uint8_t* part =
      header.data + readInt32(header.data + header::bodyPartOffset) + bodyPart * body_part::size;
  const std::int32_t submodelCount = readInt32(part + body_part::submodelCount);
  int choice = (bodyNumber / readInt32(part + body_part::base)) % submodelCount;
  if (choice < 0) choice += submodelCount;  // a negative body number still picks a submodel
  currentSubmodel = header.data + readInt32(part + body_part::submodelOffset) + choice * submodel::size;
}

void ModelInstance::drawSubmodel() {
  const std::uint8_t* textures = textureHeader.data;
  const std::int32_t skinRefCount = readInt32(textures + header::skinRefCount);
  const std::int32_t skinFamilyCount = readInt32(textures + header::skinFamilyCount);
  const int row = skin > 0 && skin < skinFamilyCount ? skin : 0;
  const std::uint8_t* skinRow = textures + readInt32(textures + header::skinOffset) + 2 * row * skinRefCount;
  const std::uint8_t* textureTable = textures + readInt32(textures + header::textureOffset);
  auto meshTexture = [&](const std::uint8_t* mesh) {
    return textureTable + readInt16(skinRow + 2 * readInt32(mesh + mesh::skinRef)) * texture::size;
  };

  const std::uint8_t* sub = currentSubmodel;
  const std::int32_t vertexCount = readInt32(sub + submodel::vertexCount);
  const std::uint8_t* vertexBones = header.data + readInt32(sub + submodel::vertexBoneOffset);
  const std::uint8_t* vertices = header.data + readInt32(sub + submodel::vertexOffset);
  Vec3* transformedVertices = work.transformedVertices;
  ChromeCoord* chromeCoords = work.chromeCoords;
  for (int v = 0; v < vertexCount; ++v)
    transformedVertices[v] = transformPoint(work.boneTransforms[vertexBones[v]], readVec3(vertices + 12 * v));

  const std::int32_t meshCount = readInt32(sub + submodel::meshCount);
  const std::uint8_t* meshes = header.data + readInt32(sub + submodel::meshOffset);
  const std::uint8_t* normalBones = header.data + readInt32(sub + submodel::normalBoneOffset);
  const std::uint8_t* normals = header.data + readInt32(sub + submodel::normalOffset);
  int n = 0;
  for (int m = 0; m < meshCount; ++m) {
    const std::uint8_t* mesh = meshes + m * mesh::size;
    const bool chrome = readInt32(meshTexture(mesh) + texture::flags) & texture::chrome;
    const std::int32_t normalCount = readInt32(mesh + mesh::normalCount);
    for (int i = 0; i < normalCount; ++i, ++n) {
      if (chrome) computeChromeCoords(*this, chromeCoords[n], normalBones[n], readVec3(normals + 12 * n));
    }
  }

  for (int m = 0; m < meshCount; ++m) {
    const std::uint8_t* mesh = meshes + m * mesh::size;
    const std::uint8_t* textureRecord = meshTexture(mesh);
    const bool chrome = readInt32(textureRecord + texture::flags) & texture::chrome;
    const float sScale = 1.0f / static_cast<float>(readInt32(textureRecord + texture::width));
    const float tScale = 1.0f / static_cast<float>(readInt32(textureRecord + texture::height));
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(readInt32(textureRecord + texture::pixelOffset)));
    const std::uint8_t* command = header.data + readInt32(mesh + mesh::commandOffset);
    for (int count = readInt16(command); count != 0; count = readInt16(command)) {
      command += 2;
      glBegin(count < 0 ? GL_TRIANGLE_FAN : GL_TRIANGLE_STRIP);
      for (int v = count < 0 ? -count : count; v > 0; --v, command += command_vertex::size) {
        if (chrome) {
          const ChromeCoord& c = chromeCoords[readInt16(command + 2)];
          glTexCoord2f(c.s * sScale, c.t * tScale);
        } else {
          glTexCoord2f(readInt16(command + 4) * sScale, readInt16(command + 6) * tScale);
        }
        const Vec3& p = transformedVertices[readInt16(command)];
        glVertex3f(p.x, p.y, p.z);
      }
      glEnd();
    }
  }
}
