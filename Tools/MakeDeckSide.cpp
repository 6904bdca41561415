// MakeDeckSide.cpp - writes the deck-side model, the box drawn under a
// stacked pile of cards, as a text ".x" mesh.
//
//   MakeDeckSide <output file>
//
// The box spans x and y from -100 to 100 and z from 0 (the table) to 100
// (toward the camera, the way cards stack); the card module scales it to a
// card's size (5.8 / 200, 8.7 / 200) and to the pile's height. Materials, in
// this order (the card module replaces them by name and sets material 0 to
// the deck's side picture): "DeckSide.bmp" on the four sides, "Back.bmp" on
// the bottom, "Blank.bmp" on the top.
//
// Triangles turn clockwise on the screen seen from outside (so culling keeps
// the outside faces). Normals follow the game's lighting convention, the one
// its card faces use: a face turned toward the camera has normal (0, 0, -1);
// the sides' normals point outward.
#include <cstdio>

namespace {

struct Vec {
  float x, y, z;
};

Vec Sub(Vec a, Vec b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Vec Cross(Vec a, Vec b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
float Dot(Vec a, Vec b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

struct Face {
  const char* what;
  Vec outward;     // the side of the box it closes
  Vec normal;      // the normal written to the file
  Vec corners[4];  // around the face, any turn (put right below)
  float uv[4][2];
  int material;    // 0 side, 1 back, 2 blank
};

constexpr float kHalf = 100.0f;
constexpr float kTop = 100.0f;

// Corners of each face in the picture's order: top left, top right,
// bottom right, bottom left (as seen from outside; the sides stand with
// their top edge at z = kTop).
Face kFaces[6] = {
    {"front (-y)", {0, -1, 0}, {0, -1, 0},
     {{-kHalf, -kHalf, kTop}, {kHalf, -kHalf, kTop}, {kHalf, -kHalf, 0}, {-kHalf, -kHalf, 0}},
     {{0, 0}, {1, 0}, {1, 1}, {0, 1}}, 0},
    {"right (+x)", {1, 0, 0}, {1, 0, 0},
     {{kHalf, -kHalf, kTop}, {kHalf, kHalf, kTop}, {kHalf, kHalf, 0}, {kHalf, -kHalf, 0}},
     {{0, 0}, {1, 0}, {1, 1}, {0, 1}}, 0},
    {"back (+y)", {0, 1, 0}, {0, 1, 0},
     {{kHalf, kHalf, kTop}, {-kHalf, kHalf, kTop}, {-kHalf, kHalf, 0}, {kHalf, kHalf, 0}},
     {{0, 0}, {1, 0}, {1, 1}, {0, 1}}, 0},
    {"left (-x)", {-1, 0, 0}, {-1, 0, 0},
     {{-kHalf, kHalf, kTop}, {-kHalf, -kHalf, kTop}, {-kHalf, -kHalf, 0}, {-kHalf, kHalf, 0}},
     {{0, 0}, {1, 0}, {1, 1}, {0, 1}}, 0},
    {"bottom", {0, 0, -1}, {0, 0, 1},
     {{kHalf, kHalf, 0}, {-kHalf, kHalf, 0}, {-kHalf, -kHalf, 0}, {kHalf, -kHalf, 0}},
     {{0, 0}, {1, 0}, {1, 1}, {0, 1}}, 1},
    {"top", {0, 0, 1}, {0, 0, -1},
     {{-kHalf, kHalf, kTop}, {kHalf, kHalf, kTop}, {kHalf, -kHalf, kTop}, {-kHalf, -kHalf, kTop}},
     {{0, 0}, {1, 0}, {1, 1}, {0, 1}}, 2},
};

// The game's camera looks down -z with x to the right and y up on the
// screen; seen from outside, a face turns clockwise when its triangle
// normal (c1 - c0) x (c2 - c0) points into the box. Reverses the corners
// where needed.
void TurnClockwise(Face* face) {
  const Vec n = Cross(Sub(face->corners[1], face->corners[0]), Sub(face->corners[2], face->corners[0]));
  if (Dot(n, face->outward) < 0) return;
  for (int i = 0; i < 2; ++i) {
    const Vec c = face->corners[i];
    face->corners[i] = face->corners[3 - i];
    face->corners[3 - i] = c;
    for (int k = 0; k < 2; ++k) {
      const float t = face->uv[i][k];
      face->uv[i][k] = face->uv[3 - i][k];
      face->uv[3 - i][k] = t;
    }
  }
}

void Material(std::FILE* out, const char* name, const char* texture) {
  std::fprintf(out,
               "Material %s {\n"
               "  1.000000;1.000000;1.000000;1.000000;;\n"
               "  0.000000;\n"
               "  0.000000;0.000000;0.000000;;\n"
               "  0.000000;0.000000;0.000000;;\n"
               "  TextureFilename {\n"
               "    \"%s\";\n"
               "  }\n"
               "}\n\n",
               name, texture);
}

// "-0.000000" would make an otherwise equal file differ.
float Clean(float v) { return v == 0.0f ? 0.0f : v; }

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: MakeDeckSide <output file>\n");
    return 2;
  }
  std::FILE* out = std::fopen(argv[1], "wb");
  if (!out) {
    std::fprintf(stderr, "MakeDeckSide: cannot write %s\n", argv[1]);
    return 1;
  }
  for (Face& face : kFaces) TurnClockwise(&face);

  std::fprintf(out, "xof 0303txt 0032\n\n// The deck side: the box under a stacked pile of cards.\n\n");
  Material(out, "DeckSide", "DeckSide.bmp");
  Material(out, "Back", "Back.bmp");
  Material(out, "Blank", "Blank.bmp");

  std::fprintf(out, "Frame DeckSide {\n  FrameTransformMatrix {\n");
  std::fprintf(out, "    1.000000,0.000000,0.000000,0.000000,\n    0.000000,1.000000,0.000000,0.000000,\n");
  std::fprintf(out, "    0.000000,0.000000,1.000000,0.000000,\n    0.000000,0.000000,0.000000,1.000000;;\n  }\n\n");
  std::fprintf(out, "  Mesh DeckSideMesh {\n    24;\n");
  for (int f = 0; f < 6; ++f)
    for (int c = 0; c < 4; ++c) {
      const Vec& p = kFaces[f].corners[c];
      std::fprintf(out, "    %.6f;%.6f;%.6f;%s\n", Clean(p.x), Clean(p.y), Clean(p.z), f == 5 && c == 3 ? ";" : ",");
    }
  std::fprintf(out, "    6;\n");
  for (int f = 0; f < 6; ++f)
    std::fprintf(out, "    4;%d,%d,%d,%d;%s  // %s\n", f * 4, f * 4 + 1, f * 4 + 2, f * 4 + 3, f == 5 ? ";" : ",",
                 kFaces[f].what);

  std::fprintf(out, "\n    MeshNormals {\n      6;\n");
  for (int f = 0; f < 6; ++f) {
    const Vec& n = kFaces[f].normal;
    std::fprintf(out, "      %.6f;%.6f;%.6f;%s\n", Clean(n.x), Clean(n.y), Clean(n.z), f == 5 ? ";" : ",");
  }
  std::fprintf(out, "      6;\n");
  for (int f = 0; f < 6; ++f) std::fprintf(out, "      4;%d,%d,%d,%d;%s\n", f, f, f, f, f == 5 ? ";" : ",");
  std::fprintf(out, "    }\n\n    MeshTextureCoords {\n      24;\n");
  for (int f = 0; f < 6; ++f)
    for (int c = 0; c < 4; ++c)
      std::fprintf(out, "      %.6f;%.6f;%s\n", kFaces[f].uv[c][0], kFaces[f].uv[c][1], f == 5 && c == 3 ? ";" : ",");
  std::fprintf(out, "    }\n\n    MeshMaterialList {\n      3;\n      6;\n");
  for (int f = 0; f < 6; ++f) std::fprintf(out, "      %d%s\n", kFaces[f].material, f == 5 ? ";;" : ",");
  std::fprintf(out, "      {DeckSide}\n      {Back}\n      {Blank}\n    }\n  }\n}\n");
  if (std::fclose(out) != 0) {
    std::fprintf(stderr, "MakeDeckSide: could not finish %s\n", argv[1]);
    return 1;
  }
  return 0;
}
