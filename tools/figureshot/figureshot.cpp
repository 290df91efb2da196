// figureshot <gamedata dir> <output folder>: loads the enemy figure with the
// game's own loader and draws it as the game places it (height 0.4, tilted
// -90 degrees about x, scale 0.01) on a floor with a line at the player's eye
// height, writing one PPM strip per pose.
#include <GL/osmesa.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "model/model_instance.h"
#include "render/gl_api.h"

namespace {

constexpr int kPanelWidth = 240;
constexpr int kPanelHeight = 300;

struct Shot {
  int sequence;
  float frame;
  float yaw;  // degrees: 0 shows the figure's side facing right, -90 its front
};

void drawFloorAndEyeLine() {
  glDisable(GL_TEXTURE_2D);
  glBegin(GL_QUADS);
  glColor3f(0.35f, 0.33f, 0.3f);
  glVertex3f(-3, 0, -3);
  glVertex3f(-3, 0, 3);
  glVertex3f(3, 0, 3);
  glVertex3f(3, 0, -3);
  glEnd();
  glBegin(GL_LINES);
  glColor3f(0.25f, 0.23f, 0.2f);
  for (float d = -3; d <= 3; d += 0.25f) {
    glVertex3f(d, 0.001f, -3);
    glVertex3f(d, 0.001f, 3);
    glVertex3f(-3, 0.001f, d);
    glVertex3f(3, 0.001f, d);
  }
  glColor3f(0.9f, 0.2f, 0.2f);  // eye height 0.8, behind the figure
  glVertex3f(-1.5f, 0.8f, -0.6f);
  glVertex3f(1.5f, 0.8f, -0.6f);
  glEnd();
  glColor3f(1, 1, 1);
  glEnable(GL_TEXTURE_2D);
}

void drawPanel(ModelInstance& figure, const Shot& shot, int index) {
  glViewport(index * kPanelWidth, 0, kPanelWidth, kPanelHeight);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(40.0, static_cast<double>(kPanelWidth) / kPanelHeight, 0.1, 100.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  gluLookAt(0.1, 0.55, 2.3, 0.1, 0.35, 0, 0, 1, 0);
  drawFloorAndEyeLine();
  figure.setSequence(shot.sequence);
  figure.frame = shot.frame;
  glPushMatrix();
  glTranslatef(0, 0.4f, 0);
  glRotatef(shot.yaw, 0, 1, 0);
  glRotatef(-90.0f, 1, 0, 0);
  glScalef(0.01f, 0.01f, 0.01f);
  figure.drawModel();
  glPopMatrix();
}

bool writePpm(const std::string& path, const std::vector<unsigned char>& rgba, int width, int height) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  std::fprintf(file, "P6\n%d %d\n255\n", width, height);
  for (int y = height - 1; y >= 0; --y)
    for (int x = 0; x < width; ++x) std::fwrite(&rgba[(static_cast<size_t>(y) * width + x) * 4], 1, 3, file);
  return std::fclose(file) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: figureshot <gamedata dir> <output folder>\n");
    return 2;
  }
  const std::string output = argv[2];
  if (chdir(argv[1]) != 0) {
    std::fprintf(stderr, "figureshot: cannot enter %s\n", argv[1]);
    return 1;
  }
  const struct {
    const char* name;
    std::vector<Shot> shots;
  } pictures[] = {
      {"walk", {{4, 0, 0}, {4, 3, 0}, {4, 6, 0}, {4, 9, 0}, {4, 12, 0}, {4, 18, 0}}},
      {"front", {{0, 0, -90}, {2, 0, -90}, {3, 0, -90}, {4, 6, -90}, {0, 0, 90}, {2, 0, -45}}},
      {"death86", {{86, 0, 0}, {86, 3, 0}, {86, 6, 0}, {86, 9, 0}, {86, 15, 0}, {86, 5000, 0}}},
      {"death91", {{91, 0, 0}, {91, 4, 0}, {91, 9, 0}, {91, 14, 0}, {91, 19, 0}, {91, 5000, 0}}},
  };
  const int width = kPanelWidth * 6;
  std::vector<unsigned char> buffer(static_cast<size_t>(width) * kPanelHeight * 4);
  OSMesaContext context = OSMesaCreateContextExt(OSMESA_RGBA, 16, 0, 0, nullptr);
  if (context == nullptr || !OSMesaMakeCurrent(context, buffer.data(), GL_UNSIGNED_BYTE, width, kPanelHeight)) {
    std::fprintf(stderr, "figureshot: no offscreen OpenGL context\n");
    return 1;
  }
  ModelInstance figure;
  figure.loadModel("Data/MODELS/gign.mdl");
  glEnable(GL_DEPTH_TEST);
  glEnable(GL_TEXTURE_2D);
  for (const auto& picture : pictures) {
    glClearColor(0.55f, 0.62f, 0.7f, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    for (size_t i = 0; i < picture.shots.size(); ++i) drawPanel(figure, picture.shots[i], static_cast<int>(i));
    glFinish();
    const std::string path = output + "/figure-" + picture.name + ".ppm";
    if (!writePpm(path, buffer, width, kPanelHeight)) {
      std::fprintf(stderr, "figureshot: cannot write %s\n", path.c_str());
      return 1;
    }
    std::printf("%s\n", path.c_str());
  }
  OSMesaDestroyContext(context);
  return 0;
}
