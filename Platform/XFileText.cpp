// XFileText.cpp - the text ".x" reader (see XFileText.h).
//
// Two passes: the bytes become a token list (numbers, names, strings,
// braces; commas, semicolons and comments dropped), then a recursive reader
// walks the objects. Every count is checked against the tokens that remain
// before anything is allocated for it, so a hostile count fails at once
// instead of asking for gigabytes.
#include "Platform/XFileText.h"

#include <charconv>
#include <initializer_list>
#include <cmath>
#include <cstring>
#include <string_view>

namespace {

// ---- Tokens -------------------------------------------------------------------------------

enum class Kind { kName, kInteger, kFloat, kString, kOpen, kClose, kGuid, kOther };

struct Token {
  Kind kind;
  std::string_view text;  // for strings: without the quotes
  double value = 0.0;     // numbers
};

bool IsNameStart(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool IsNameChar(char c) { return IsNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsNumberChar(char c) { return IsDigit(c) || c == '.' || c == '-' || c == '+' || c == 'e' || c == 'E'; }

// A digit, or a sign or a point that a digit follows ("-1", "+.5", ".5"; not
// the "..." of a template).
bool StartsNumber(std::string_view text, std::size_t i) {
  auto digitAt = [&](std::size_t k) { return k < text.size() && IsDigit(text[k]); };
  const char c = text[i];
  if (IsDigit(c)) return true;
  if (c == '.') return digitAt(i + 1);
  if (c == '-' || c == '+') return digitAt(i + 1) || (i + 1 < text.size() && text[i + 1] == '.' && digitAt(i + 2));
  return false;
}

// Splits the text after the header into tokens; false with a reason.
bool Tokenise(std::string_view text, std::vector<Token>* tokens, std::string* error) {
  std::size_t i = 0;
  const std::size_t n = text.size();
  while (i < n) {
    const char c = text[i];
    if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == ',' || c == ';') {
      ++i;
    } else if (c == '#' || (c == '/' && i + 1 < n && text[i + 1] == '/')) {
      while (i < n && text[i] != '\n') ++i;
    } else if (c == '{' || c == '}') {
      tokens->push_back({c == '{' ? Kind::kOpen : Kind::kClose, text.substr(i, 1)});
      ++i;
    } else if (c == '"') {
      const std::size_t end = text.find('"', i + 1);
      if (end == std::string_view::npos) {
        *error = "unterminated string";
        return false;
      }
      tokens->push_back({Kind::kString, text.substr(i + 1, end - i - 1)});
      i = end + 1;
    } else if (c == '<') {
      const std::size_t end = text.find('>', i + 1);
      if (end == std::string_view::npos) {
        *error = "unterminated GUID";
        return false;
      }
      tokens->push_back({Kind::kGuid, text.substr(i, end - i + 1)});
      i = end + 1;
    } else if (StartsNumber(text, i)) {
      std::size_t end = i + 1;
      while (end < n && IsNumberChar(text[end])) ++end;
      std::string_view span = text.substr(i, end - i);
      const bool integer = span.find_first_of(".eE") == std::string_view::npos;
      std::string_view digits = span[0] == '+' ? span.substr(1) : span;
      Token token{integer ? Kind::kInteger : Kind::kFloat, span};
      const auto [ptr, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), token.value);
      if (ec != std::errc() || ptr != digits.data() + digits.size() || !std::isfinite(token.value)) {
        *error = "bad number '" + std::string(span.substr(0, 32)) + "'";
        return false;
      }
      tokens->push_back(token);
      i = end;
    } else if (IsNameStart(c)) {
      std::size_t end = i + 1;
      while (end < n && IsNameChar(text[end])) ++end;
      tokens->push_back({Kind::kName, text.substr(i, end - i)});
      i = end;
    } else {
      tokens->push_back({Kind::kOther, text.substr(i, 1)});
      ++i;
    }
  }
  return true;
}

// ---- Matrices --------------------------------------------------------------------------------

// Row-vector 4 x 4 matrix, translation in the fourth row.
struct Matrix {
  float m[4][4];
};

void TransformMesh(const Matrix& matrix, XFileMesh* mesh) {
  const auto& m = matrix.m;
  for (D3DVECTOR& p : mesh->positions) {
    const D3DVECTOR q = p;
    p.x = q.x * m[0][0] + q.y * m[1][0] + q.z * m[2][0] + m[3][0];
    p.y = q.x * m[0][1] + q.y * m[1][1] + q.z * m[2][1] + m[3][1];
    p.z = q.x * m[0][2] + q.y * m[1][2] + q.z * m[2][2] + m[3][2];
  }
  // Normals go through the inverse transpose of the 3 x 3 part: its
  // cofactors, with the determinant's sign, then normalised.
  const double c[3][3] = {
      {m[1][1] * m[2][2] - m[1][2] * m[2][1], m[1][2] * m[2][0] - m[1][0] * m[2][2], m[1][0] * m[2][1] - m[1][1] * m[2][0]},
      {m[0][2] * m[2][1] - m[0][1] * m[2][2], m[0][0] * m[2][2] - m[0][2] * m[2][0], m[0][1] * m[2][0] - m[0][0] * m[2][1]},
      {m[0][1] * m[1][2] - m[0][2] * m[1][1], m[0][2] * m[1][0] - m[0][0] * m[1][2], m[0][0] * m[1][1] - m[0][1] * m[1][0]},
  };
  const double determinant = m[0][0] * c[0][0] + m[0][1] * c[0][1] + m[0][2] * c[0][2];
  const double sign = determinant < 0 ? -1.0 : 1.0;
  for (D3DVECTOR& v : mesh->normals) {
    // Row vector times the inverse (whose rows are the cofactor columns / det).
    const double x = sign * (v.x * c[0][0] + v.y * c[1][0] + v.z * c[2][0]);
    const double y = sign * (v.x * c[0][1] + v.y * c[1][1] + v.z * c[2][1]);
    const double z = sign * (v.x * c[0][2] + v.y * c[1][2] + v.z * c[2][2]);
    const double length = std::sqrt(x * x + y * y + z * z);
    if (length > 0) v = {static_cast<float>(x / length), static_cast<float>(y / length), static_cast<float>(z / length)};
  }
}

// ---- Reader ------------------------------------------------------------------------------------

constexpr int kMaxFrameDepth = 64;

class Reader {
 public:
  Reader(const std::vector<Token>& tokens, XFileMesh* mesh) : t_(tokens), mesh_(mesh) {}

  XFileResult Run(std::string* error) {
    while (ok_ && pos_ < t_.size()) TopLevelObject();
    if (!ok_) {
      *error = error_;
      return XFileResult::kBadData;
    }
    if (!haveMesh_) {
      *error = "no mesh in the file";
      return XFileResult::kNoMesh;
    }
    return XFileResult::kOk;
  }

 private:
  bool Fail(std::string reason) {
    if (ok_) error_ = std::move(reason);
    ok_ = false;
    return false;
  }
  std::size_t Left() const { return t_.size() - pos_; }
  bool AtEnd() const { return pos_ >= t_.size(); }
  const Token& Peek() const { return t_[pos_]; }
  bool PeekIs(Kind kind) const { return !AtEnd() && Peek().kind == kind; }

  bool Expect(Kind kind, const char* what) {
    if (!ok_) return false;
    if (!PeekIs(kind)) return Fail(std::string("expected ") + what);
    ++pos_;
    return true;
  }

  bool Float(float* out) {
    if (!ok_) return false;
    if (!PeekIs(Kind::kFloat) && !PeekIs(Kind::kInteger)) return Fail("expected a number");
    const double v = t_[pos_++].value;
    if (!std::isfinite(static_cast<float>(v))) return Fail("number out of range");
    *out = static_cast<float>(v);
    return true;
  }

  bool Floats(std::initializer_list<float*> outs) {
    for (float* out : outs)
      if (!Float(out)) return false;
    return true;
  }

  // A count or an index: a whole number from 0 up to limit.
  bool Whole(std::uint32_t* out, std::uint64_t limit, const char* what) {
    if (!ok_) return false;
    if (!PeekIs(Kind::kInteger) || t_[pos_].value < 0) return Fail(std::string("expected ") + what);
    const double v = t_[pos_++].value;
    if (v > static_cast<double>(limit)) return Fail(std::string(what) + " out of range");
    *out = static_cast<std::uint32_t>(v);
    return true;
  }

  // A count of items of tokensEach tokens, all of which must still follow.
  bool Count(std::uint32_t* out, std::size_t tokensEach, const char* what) {
    if (!Whole(out, 0xFFFFFFFFu, what)) return false;
    if (static_cast<std::uint64_t>(*out) * tokensEach > Left()) return Fail(std::string(what) + " larger than the file");
    return true;
  }

  // Skips an object's optional name and GUID, then expects its '{'.
  bool OpenObject() {
    if (PeekIs(Kind::kName)) ++pos_;
    if (PeekIs(Kind::kGuid)) ++pos_;
    return Expect(Kind::kOpen, "'{'");
  }

  // After an object's '{': skips to its matching '}'.
  bool SkipBody() {
    int depth = 1;
    while (!AtEnd()) {
      const Kind kind = t_[pos_++].kind;
      if (kind == Kind::kOpen) ++depth;
      if (kind == Kind::kClose && --depth == 0) return true;
    }
    return Fail("missing '}'");
  }

  // At a name: the object it starts, skipped whole.
  bool SkipObject() {
    ++pos_;
    return OpenObject() && SkipBody();
  }

  // "{ Name }": a reference, returned (empty when unnamed).
  std::string_view Reference() {
    ++pos_;  // '{'
    std::string_view name;
    if (PeekIs(Kind::kName)) name = t_[pos_++].text;
    if (PeekIs(Kind::kGuid)) ++pos_;
    Expect(Kind::kClose, "'}' after a reference");
    return name;
  }

  std::string_view PeekName() const { return PeekIs(Kind::kName) ? Peek().text : std::string_view(); }

  void TopLevelObject() {
    if (PeekIs(Kind::kOpen)) {
      Reference();
      return;
    }
    const std::string_view type = PeekName();
    if (type.empty()) {
      Fail("expected an object");
    } else if (type == "template") {
      ++pos_;
      Expect(Kind::kName, "a template name") && Expect(Kind::kOpen, "'{'") && SkipBody();
    } else if (type == "Material") {
      XFileMaterial material;
      if (MaterialObject(&material) && !material.name.empty()) named_.push_back(std::move(material));
    } else if (type == "Frame") {
      FrameObject(0);
    } else if (type == "Mesh") {
      MeshObject();
    } else {
      SkipObject();
    }
  }

  // At "Frame": reads it and its children; the mesh, when it lies inside,
  // is turned by this frame's matrix once the frame is read.
  void FrameObject(int depth) {
    if (depth >= kMaxFrameDepth) {
      Fail("frames nested too deep");
      return;
    }
    ++pos_;
    if (!OpenObject()) return;
    const bool meshBefore = haveMesh_;
    Matrix local{};
    bool hasMatrix = false;
    while (ok_ && !PeekIs(Kind::kClose)) {
      if (AtEnd()) {
        Fail("missing '}'");
        return;
      }
      if (PeekIs(Kind::kOpen)) {
        Reference();
        continue;
      }
      const std::string_view type = PeekName();
      if (type == "FrameTransformMatrix") {
        ++pos_;
        if (!OpenObject()) return;
        for (auto& row : local.m)
          for (float& v : row) Float(&v);
        Expect(Kind::kClose, "'}' after the matrix");
        hasMatrix = true;
      } else if (type == "Frame") {
        FrameObject(depth + 1);
      } else if (type == "Mesh") {
        MeshObject();
      } else if (type.empty()) {
        Fail("expected an object in a frame");
      } else {
        SkipObject();
      }
    }
    if (!Expect(Kind::kClose, "'}'")) return;
    if (hasMatrix && haveMesh_ && !meshBefore) {
      TransformMesh(local, mesh_);
      if (!AllFinite(mesh_->positions) || !AllFinite(mesh_->normals)) Fail("numbers out of range after a frame matrix");
    }
  }

  static bool AllFinite(const std::vector<D3DVECTOR>& vectors) {
    for (const D3DVECTOR& v : vectors)
      if (!std::isfinite(v.x) || !std::isfinite(v.y) || !std::isfinite(v.z)) return false;
    return true;
  }

  // At "Material": its colours and its texture file.
  bool MaterialObject(XFileMaterial* material) {
    ++pos_;
    if (PeekIs(Kind::kName)) material->name = std::string(Peek().text);
    if (!OpenObject()) return false;
    D3DCOLORVALUE& f = material->faceColour;
    D3DCOLORVALUE& s = material->specular;
    D3DCOLORVALUE& e = material->emissive;
    Floats({&f.r, &f.g, &f.b, &f.a, &material->power, &s.r, &s.g, &s.b, &e.r, &e.g, &e.b});
    while (ok_ && !PeekIs(Kind::kClose)) {
      if (AtEnd()) return Fail("missing '}'");
      const std::string_view type = PeekName();
      if (type == "TextureFilename" || type == "TextureFileName") {
        ++pos_;
        if (!OpenObject()) return false;
        if (!PeekIs(Kind::kString)) return Fail("expected a texture file name");
        material->textureFile = std::string(t_[pos_++].text);
        Expect(Kind::kClose, "'}' after the texture file name");
      } else if (type.empty()) {
        return Fail("expected an object in a material");
      } else {
        SkipObject();
      }
    }
    return Expect(Kind::kClose, "'}'");
  }

  // At "Mesh": positions, polygons and the children we use.
  void MeshObject() {
    if (haveMesh_) {
      Fail("more than one mesh (only single-mesh files are read)");
      return;
    }
    haveMesh_ = true;
    ++pos_;
    if (!OpenObject()) return;
    std::uint32_t positions = 0;
    if (!Count(&positions, 3, "position count")) return;
    if (positions > kXFileMaxPositions) {
      Fail("more than 65535 positions");
      return;
    }
    mesh_->positions.resize(positions);
    for (D3DVECTOR& p : mesh_->positions) Floats({&p.x, &p.y, &p.z});
    std::uint32_t polygons = 0;
    if (!Count(&polygons, 4, "polygon count")) return;
    mesh_->polygonStarts.reserve(polygons);
    mesh_->polygonSizes.reserve(polygons);
    for (std::uint32_t p = 0; ok_ && p < polygons; ++p) {
      std::uint32_t size = 0;
      if (!Count(&size, 1, "polygon size")) return;
      if (size < 3) {
        Fail("a polygon with fewer than 3 corners");
        return;
      }
      mesh_->polygonStarts.push_back(static_cast<std::uint32_t>(mesh_->corners.size()));
      mesh_->polygonSizes.push_back(size);
      for (std::uint32_t k = 0; ok_ && k < size; ++k) {
        std::uint32_t index = 0;
        if (positions == 0 || !Whole(&index, positions - 1, "position index")) return;
        mesh_->corners.push_back(index);
      }
    }
    while (ok_ && !PeekIs(Kind::kClose)) {
      if (AtEnd()) {
        Fail("missing '}'");
        return;
      }
      if (PeekIs(Kind::kOpen)) {
        Reference();
        continue;
      }
      const std::string_view type = PeekName();
      if (type == "MeshNormals") {
        NormalsObject();
      } else if (type == "MeshTextureCoords") {
        TextureCoordsObject();
      } else if (type == "MeshMaterialList") {
        MaterialListObject();
      } else if (type == "Mesh") {
        MeshObject();  // refused: a second mesh
      } else if (type.empty()) {
        Fail("expected an object in the mesh");
      } else {
        SkipObject();
      }
    }
    Expect(Kind::kClose, "'}'");
  }

  void NormalsObject() {
    ++pos_;
    if (!OpenObject()) return;
    std::uint32_t count = 0;
    if (!Count(&count, 3, "normal count")) return;
    mesh_->normals.assign(count, D3DVECTOR{});
    for (D3DVECTOR& n : mesh_->normals) Floats({&n.x, &n.y, &n.z});
    std::uint32_t polygons = 0;
    if (!Count(&polygons, 4, "normal polygon count")) return;
    if (polygons != mesh_->polygonSizes.size()) {
      Fail("normal polygons do not match the polygons");
      return;
    }
    mesh_->normalCorners.assign(mesh_->corners.size(), 0);
    for (std::uint32_t p = 0; ok_ && p < polygons; ++p) {
      std::uint32_t size = 0;
      if (!Count(&size, 1, "normal polygon size")) return;
      if (size != mesh_->polygonSizes[p]) {
        Fail("normal polygon size does not match its polygon");
        return;
      }
      for (std::uint32_t k = 0; ok_ && k < size; ++k) {
        if (count == 0) {
          Fail("normal index out of range");
          return;
        }
        Whole(&mesh_->normalCorners[mesh_->polygonStarts[p] + k], count - 1, "normal index");
      }
    }
    Expect(Kind::kClose, "'}'");
  }

  void TextureCoordsObject() {
    ++pos_;
    if (!OpenObject()) return;
    std::uint32_t count = 0;
    if (!Count(&count, 2, "texture coordinate count")) return;
    if (count != mesh_->positions.size()) {
      Fail("texture coordinates do not match the positions");
      return;
    }
    mesh_->texCoords.assign(static_cast<std::size_t>(count) * 2, 0.0f);
    for (float& v : mesh_->texCoords) Float(&v);
    Expect(Kind::kClose, "'}'");
  }

  void MaterialListObject() {
    ++pos_;
    if (!OpenObject()) return;
    std::uint32_t materials = 0, indices = 0;
    if (!Count(&materials, 1, "material count") || !Count(&indices, 1, "material index count")) return;
    const std::size_t polygons = mesh_->polygonSizes.size();
    if (indices > polygons) {
      Fail("more material indices than polygons");
      return;
    }
    mesh_->polygonMaterials.assign(polygons, 0);
    for (std::uint32_t i = 0; ok_ && i < indices; ++i) {
      if (materials == 0) {
        Fail("material index without materials");
        return;
      }
      Whole(&mesh_->polygonMaterials[i], materials - 1, "material index");
    }
    // A short list: the remaining polygons take the last material given.
    for (std::size_t i = indices; indices > 0 && i < polygons; ++i) mesh_->polygonMaterials[i] = mesh_->polygonMaterials[indices - 1];
    mesh_->materials.clear();
    while (ok_ && !PeekIs(Kind::kClose)) {
      if (AtEnd()) {
        Fail("missing '}'");
        return;
      }
      if (PeekIs(Kind::kOpen)) {
        const std::string_view name = Reference();
        const XFileMaterial* found = nullptr;
        for (const XFileMaterial& m : named_)
          if (m.name == name) found = &m;
        if (!found) {
          Fail("unknown material <" + std::string(name.substr(0, 64)) + ">");
          return;
        }
        mesh_->materials.push_back(*found);
      } else if (PeekName() == "Material") {
        XFileMaterial material;
        if (MaterialObject(&material)) mesh_->materials.push_back(std::move(material));
      } else if (PeekName().empty()) {
        Fail("expected a material");
      } else {
        SkipObject();
      }
    }
    if (!Expect(Kind::kClose, "'}'")) return;
    if (mesh_->materials.size() != materials) Fail("material count does not match the materials given");
  }

  const std::vector<Token>& t_;
  XFileMesh* mesh_;
  std::size_t pos_ = 0;
  bool ok_ = true;
  bool haveMesh_ = false;
  std::string error_;
  std::vector<XFileMaterial> named_;
};

}  // namespace

XFileResult XFileReadText(const char* data, std::size_t size, XFileMesh* mesh, std::string* error) {
  *mesh = XFileMesh{};
  error->clear();
  if (!data || size < 16 || std::memcmp(data, "xof ", 4) != 0) {
    *error = "not a .x file (no \"xof \" header)";
    return XFileResult::kNotXFile;
  }
  const std::string_view format(data + 8, 4);
  if (format == "bin " || format == "tzip" || format == "bzip") {
    *error = format == "bin " ? "binary .x files are not read (text only)"
                              : "compressed .x files are not read (text only)";
    return XFileResult::kNotText;
  }
  if (format != "txt ") {
    *error = "not a .x file (unknown format)";
    return XFileResult::kNotXFile;
  }
  std::vector<Token> tokens;
  if (!Tokenise(std::string_view(data + 16, size - 16), &tokens, error)) return XFileResult::kBadData;
  const XFileResult result = Reader(tokens, mesh).Run(error);
  if (result != XFileResult::kOk) *mesh = XFileMesh{};
  return result;
}
