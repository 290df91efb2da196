#pragma once
// The soldier's skin: solid pieces (tubes, boxes, ellipsoid patches) bound to
// bones, built as triangle strips and fans, grouped into one mesh per skin
// column.
#include <cstdint>
#include <vector>

#include "tools/datagen/figure/figure_skeleton.h"

// Skin columns: which texture a mesh takes from the skin table.
enum SkinColumn { UniformSkin, FaceSkin, GearSkin, VisorSkin, SkinColumnCount };

struct CommandVertex {
  int vertex;
  int normal;  // within the mesh's own normals
  int s, t;    // texels
};

struct Primitive {
  bool fan;
  std::vector<CommandVertex> vertices;
};

struct FigureMesh {
  int skinColumn = 0;
  std::vector<Float3> normals;  // in the space of their bones
  std::vector<uint8_t> normalBones;
  std::vector<Primitive> primitives;
};

struct FigureSubmodel {
  std::vector<Float3> vertices;  // in the space of their bones
  std::vector<uint8_t> vertexBones;
  std::vector<FigureMesh> meshes;  // one per skin column, in column order
};

// A rectangle of a texture, in texels.
struct TexelRect {
  int s0, t0, s1, t1;
};

// Which ends of a tube are closed by a fan; ends hidden inside a neighbouring
// piece are left open, which spares vertices in every draw.
enum TubeEnds { OpenEnds = 0, FromEnd = 1, ToEnd = 2, BothEnds = 3 };

// A tube's section: `radiusFrom` / `radiusTo` across the figure (or across a
// tube lying along y), times `flatten` in the other direction, with `sides`
// corners.
struct TubeShape {
  float radiusFrom;
  float radiusTo;
  float flatten;
  int sides;
  TubeEnds ends;
};

class SubmodelBuilder {
 public:
  SubmodelBuilder();
  // A tube from `from` to `to` (model space, rest pose) with an elliptic
  // section. Its side is one strip, its closed ends are fans.
  void tube(int bone, SkinColumn column, Float3 from, Float3 to, const TubeShape& shape, TexelRect rect);
  // Part of an ellipsoid between two latitudes (0 at +z, pi at -z) and two
  // longitudes (0 toward +x), as strips between rings.
  void ellipsoidPatch(int bone, SkinColumn column, Float3 centre, Float3 radii, float latitude0,
                      float latitude1, float longitude0, float longitude1, int rings, int segments,
                      TexelRect rect);
  FigureSubmodel take();

 private:
  int addVertex(int bone, Float3 modelPosition);
  int addNormal(FigureMesh& mesh, int bone, Float3 normal);
  FigureSubmodel sub_;
};

FigureSubmodel buildSoldierBody();
FigureSubmodel buildRifle();
