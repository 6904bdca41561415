// EngMath.cpp - rounding, angles, vectors and EngMatrix. No state.
#include "Engine/EngMath.h"

#include <climits>
#include <cmath>
#include <cstring>

#include "Engine/Debug.h"
#include "Engine/EngMisc.h"

namespace {
constexpr float kPi = 3.14159265f;
constexpr float kTwoPi = 6.28318531f;
}  // namespace

int EngMathAbs(int value) { return value < 0 ? -value : value; }
float EngMathFabs(float value) { return value < 0 ? -value : value; }

int EngMathRoundDouble(double value) {
  // Nearest integer; an exact half goes toward zero. Values beyond the int
  // range are clamped to it (NaN gives 0) rather than converted undefined.
  if (std::isnan(value)) return 0;
  if (value >= 2147483647.0) return INT_MAX;
  if (value <= -2147483648.0) return INT_MIN;
  const double whole = std::trunc(value);
  const double fraction = value - whole;
  if (fraction > 0.5) return static_cast<int>(whole) + 1;
  if (fraction < -0.5) return static_cast<int>(whole) - 1;
  return static_cast<int>(whole);
}

int EngMathRound(float value) { return EngMathRoundDouble(static_cast<double>(value)); }

float EngMathTruncateFloat(float value, int decimalPlaces) {
  if (decimalPlaces != 3) {
    DebugError("EngMathTruncateFloat", "Num decimal places = %d not implemented yet",
               decimalPlaces);
    return value;
  }
  return static_cast<float>(EngMathRound(value * 1000.0f)) / 1000.0f;
}

void EngMathNormaliseVector(float* v) {
  if (!v) return;
  const float length = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
  if (length > 0) {
    v[0] /= length;
    v[1] /= length;
    v[2] /= length;
  }
}

void EngMathWrapAngle(float* angle) {
  if (!angle || !std::isfinite(*angle)) return;
  while (*angle < -kPi) *angle += kTwoPi;
  while (*angle > kPi) *angle -= kTwoPi;
}

bool EngMathIsRangeSet(const EngMathRange* r) {
  if (!r) return false;
  const float pairs[3][2] = {{r->minX, r->maxX}, {r->minY, r->maxY}, {r->minZ, r->maxZ}};
  for (const auto& pair : pairs) {
    if ((pair[0] != 0 || pair[1] != 0) && pair[1] >= pair[0]) return true;
  }
  return false;
}

void EngMathRandVectorInRange(float* out, const EngMathRange* r) {
  if (!out || !r) return;
  out[0] = EngMiscRandFloatInRange(r->minX, r->maxX, false);
  out[1] = EngMiscRandFloatInRange(r->minY, r->maxY, false);
  out[2] = EngMiscRandFloatInRange(r->minZ, r->maxZ, false);
}

// ---- EngMatrix ----------------------------------------------------------------

EngMatrix* EngMatrix::SetIdentity() {
  std::memset(m, 0, sizeof(m));
  m[0] = m[5] = m[10] = m[15] = 1.0f;
  return this;
}

EngMatrix* EngMatrix::CopyFrom(const EngMatrix* other) {
  if (other && other != this) std::memcpy(m, other->m, sizeof(m));
  return this;
}

EngMatrix* EngMatrix::SetTranslation(float x, float y, float z) {
  SetIdentity();
  m[12] = x;
  m[13] = y;
  m[14] = z;
  return this;
}

EngMatrix* EngMatrix::SetTranslationFromVector(const float* v) {
  if (!v) return SetIdentity();
  return SetTranslation(v[0], v[1], v[2]);
}

EngMatrix* EngMatrix::SetScale(float x, float y, float z) {
  SetIdentity();
  m[0] = x;
  m[5] = y;
  m[10] = z;
  return this;
}

EngMatrix* EngMatrix::SetScaleFromVector(const float* v) {
  if (!v) return SetIdentity();
  return SetScale(v[0], v[1], v[2]);
}

EngMatrix* EngMatrix::SetRotationX(float radians) {
  const float c = std::cos(radians), s = std::sin(radians);
  SetIdentity();
  m[5] = c;
  m[6] = s;
  m[9] = -s;
  m[10] = c;
  return this;
}

EngMatrix* EngMatrix::SetRotationY(float radians) {
  const float c = std::cos(radians), s = std::sin(radians);
  SetIdentity();
  m[0] = c;
  m[2] = -s;
  m[8] = s;
  m[10] = c;
  return this;
}

EngMatrix* EngMatrix::SetRotationZ(float radians) {
  const float c = std::cos(radians), s = std::sin(radians);
  SetIdentity();
  m[0] = c;
  m[1] = s;
  m[4] = -s;
  m[5] = c;
  return this;
}

namespace {
// out = a x b (row-major); out may alias neither.
void MultiplyInto(float* out, const float* a, const float* b) {
  for (int row = 0; row < 4; ++row) {
    for (int col = 0; col < 4; ++col) {
      float sum = 0;
      for (int k = 0; k < 4; ++k) sum += a[row * 4 + k] * b[k * 4 + col];
      out[row * 4 + col] = sum;
    }
  }
}
}  // namespace

EngMatrix* EngMatrix::Multiply(const EngMatrix* other) {
  if (!other) return this;
  float result[16];
  MultiplyInto(result, m, other->m);
  std::memcpy(m, result, sizeof(m));
  return this;
}

EngMatrix* EngMatrix::PreMultiply(const EngMatrix* other) {
  if (!other) return this;
  float result[16];
  MultiplyInto(result, other->m, m);
  std::memcpy(m, result, sizeof(m));
  return this;
}

void EngMatrix::GetFloats(float* out16) const {
  if (out16) std::memcpy(out16, m, sizeof(m));
}

EngMatrix* EngMatrix::SetFromFloats(const float* values16) {
  if (values16) std::memcpy(m, values16, sizeof(m));
  return this;
}
