#include "render/texture_table.h"

#include "render/bitmap_image.h"


namespace {
void releaseImages(BitmapImage* (&images)[textureCount]) {
  for (BitmapImage*& image : images) {
    freeBitmapImage(image);
    image = nullptr;
  }
}
}  // namespace

int loadTextures(TextureTable& textureTable) {
  BitmapImage* images[textureCount] = {};
  for (int i = 0; i < textureCount; ++i) {
    images[i] = loadBitmapFile(textureFileNames[i]);
    if (images[i] == nullptr) {
      releaseImages(images);
      return 0;
    }
  }

  // The images' rows are packed, not padded to 4 bytes; a width whose row is
  // not a multiple of 4 bytes would otherwise be read sheared and past its end.
  GLint savedAlignment = 4;
  glGetIntegerv(GL_UNPACK_ALIGNMENT, &savedAlignment);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glGenTextures(textureCount, textureTable);
  for (int i = 0; i < textureCount; ++i) {
    glBindTexture(GL_TEXTURE_2D, textureTable[i]);
    glTexImage2D(GL_TEXTURE_2D, 0, 3, images[i]->width, images[i]->height, 0, GL_RGB,
                 GL_UNSIGNED_BYTE, images[i]->pixels);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  }
  glPixelStorei(GL_UNPACK_ALIGNMENT, savedAlignment);
  releaseImages(images);
  return 1;
}
