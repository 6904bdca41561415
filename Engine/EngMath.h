// EngMath.h - rounding, angle and vector helpers and the 4 x 4 matrix.
//
// EngMatrix follows the Direct3D convention the whole engine uses: 16 floats,
// row-major, row vectors (v' = v x M), translation in elements 12, 13, 14.
// It has no constructor (a plain record that can sit in saved structures);
// the Set operations build it. No state.
#pragma once

// A range of three (minimum, maximum) float pairs for x, y and z.
struct EngMathRange {
  float minX, maxX;
  float minY, maxY;
  float minZ, maxZ;
};

int EngMathAbs(int value);
float EngMathFabs(float value);
// Nearest integer; an exact half rounds toward zero (2.5 -> 2, -2.5 -> -2,
// 2.6 -> 3, -2.6 -> -3).
int EngMathRound(float value);
int EngMathRoundDouble(double value);
// Only 3 places are supported: EngMathRound(value x 1000) / 1000. Other
// counts report "Num decimal places = %d not implemented yet" and return the
// value unchanged.
float EngMathTruncateFloat(float value, int decimalPlaces);
// Divides the three floats by their length when it is above 0; a null
// vector does nothing.
void EngMathNormaliseVector(float* vector3);
// Brings an angle (radians) into [-pi, pi] by whole turns. Null does nothing.
void EngMathWrapAngle(float* angle);
// True when some pair other than (0, 0) has maximum >= minimum; false for null.
bool EngMathIsRangeSet(const EngMathRange* range);
// Each coordinate EngMiscRandFloatInRange(min, max, false) (draws from the
// engine's C runtime generator). Nothing when either pointer is null.
void EngMathRandVectorInRange(float* out3, const EngMathRange* range);

struct EngMatrix {
  float m[16];

  EngMatrix* SetIdentity();
  // Nothing when other is this matrix or null.
  EngMatrix* CopyFrom(const EngMatrix* other);
  // Identity with 12, 13, 14 = x, y, z. From a null vector: identity alone.
  EngMatrix* SetTranslation(float x, float y, float z);
  EngMatrix* SetTranslationFromVector(const float* vector3);
  // Identity with 0, 5, 10 = x, y, z. From a null vector: identity alone.
  EngMatrix* SetScale(float x, float y, float z);
  EngMatrix* SetScaleFromVector(const float* vector3);
  // Rotations on an identity (radians):
  //   X: 5 = cos, 6 = sin, 9 = -sin, 10 = cos
  //   Y: 0 = cos, 2 = -sin, 8 = sin, 10 = cos
  //   Z: 0 = cos, 1 = sin, 4 = -sin, 5 = cos
  EngMatrix* SetRotationX(float radians);
  EngMatrix* SetRotationY(float radians);
  EngMatrix* SetRotationZ(float radians);
  // this = this x other. Null does nothing.
  EngMatrix* Multiply(const EngMatrix* other);
  // this = other x this. Null does nothing.
  EngMatrix* PreMultiply(const EngMatrix* other);
  // Copies the 16 floats out / in; null does nothing.
  void GetFloats(float* out16) const;
  EngMatrix* SetFromFloats(const float* values16);
};
