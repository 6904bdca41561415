// D3DXMath.h - the D3DX maths the engine uses: matrices and vectors with the
// Direct3D conventions (row vectors, v' = v x M, translation in the fourth
// row; right-handed camera helpers). Our own implementation of the named
// calls; results match the published D3DX formulas.
#pragma once

#include "Platform/D3D9Types.h"

struct D3DXVECTOR3 : D3DVECTOR {
  D3DXVECTOR3() : D3DVECTOR{0.0f, 0.0f, 0.0f} {}
  D3DXVECTOR3(float ax, float ay, float az) : D3DVECTOR{ax, ay, az} {}
};

struct D3DXVECTOR4 {
  float x;
  float y;
  float z;
  float w;
};

struct D3DXMATRIX : D3DMATRIX {
  D3DXMATRIX() : D3DMATRIX{} {}
  explicit D3DXMATRIX(const D3DMATRIX& other) : D3DMATRIX(other) {}
  // Row-major values _11 .. _44 (16 floats).
  explicit D3DXMATRIX(const float* values);
  // this x other
  D3DXMATRIX operator*(const D3DXMATRIX& other) const;
  float& operator()(int row, int col) { return m[row][col]; }
  float operator()(int row, int col) const { return m[row][col]; }
};

// Each returns its output pointer.
D3DXMATRIX* D3DXMatrixIdentity(D3DXMATRIX* out);
bool D3DXMatrixIsIdentity(const D3DXMATRIX* m);
// out = a x b (out may be a or b).
D3DXMATRIX* D3DXMatrixMultiply(D3DXMATRIX* out, const D3DXMATRIX* a, const D3DXMATRIX* b);
// The inverse; null (out untouched) for a singular matrix. determinant may be
// null.
D3DXMATRIX* D3DXMatrixInverse(D3DXMATRIX* out, float* determinant, const D3DXMATRIX* m);
D3DXMATRIX* D3DXMatrixTranslation(D3DXMATRIX* out, float x, float y, float z);
D3DXMATRIX* D3DXMatrixScaling(D3DXMATRIX* out, float sx, float sy, float sz);
D3DXMATRIX* D3DXMatrixRotationX(D3DXMATRIX* out, float angle);
D3DXMATRIX* D3DXMatrixRotationY(D3DXMATRIX* out, float angle);
D3DXMATRIX* D3DXMatrixRotationZ(D3DXMATRIX* out, float angle);
// Roll about Z, then pitch about X, then yaw about Y (radians): the product
// RotationZ(roll) x RotationX(pitch) x RotationY(yaw).
D3DXMATRIX* D3DXMatrixRotationYawPitchRoll(D3DXMATRIX* out, float yaw, float pitch, float roll);
// Right-handed perspective: yScale = cot(fovy / 2), xScale = yScale / aspect,
// z mapped to [0, 1] between near and far.
D3DXMATRIX* D3DXMatrixPerspectiveFovRH(D3DXMATRIX* out, float fovy, float aspect, float zn, float zf);
// Right-handed look-at: zaxis = normal(eye - at), xaxis = normal(up x zaxis),
// yaxis = zaxis x xaxis.
D3DXMATRIX* D3DXMatrixLookAtRH(D3DXMATRIX* out, const D3DXVECTOR3* eye, const D3DXVECTOR3* at,
                               const D3DXVECTOR3* up);
// Left-handed orthographic projection of the box (l..r, b..t, zn..zf).
D3DXMATRIX* D3DXMatrixOrthoOffCenterLH(D3DXMATRIX* out, float l, float r, float b, float t, float zn,
                                       float zf);

float D3DXVec3Length(const D3DXVECTOR3* v);
float D3DXVec3Dot(const D3DXVECTOR3* a, const D3DXVECTOR3* b);
D3DXVECTOR3* D3DXVec3Cross(D3DXVECTOR3* out, const D3DXVECTOR3* a, const D3DXVECTOR3* b);
D3DXVECTOR3* D3DXVec3Subtract(D3DXVECTOR3* out, const D3DXVECTOR3* a, const D3DXVECTOR3* b);
// A zero vector stays zero.
D3DXVECTOR3* D3DXVec3Normalize(D3DXVECTOR3* out, const D3DXVECTOR3* v);
// (v, 1) x M, divided by w.
D3DXVECTOR3* D3DXVec3TransformCoord(D3DXVECTOR3* out, const D3DXVECTOR3* v, const D3DXMATRIX* m);
// (v, 0) x M.
D3DXVECTOR3* D3DXVec3TransformNormal(D3DXVECTOR3* out, const D3DXVECTOR3* v, const D3DXMATRIX* m);
// (v, 1) x M.
D3DXVECTOR4* D3DXVec3Transform(D3DXVECTOR4* out, const D3DXVECTOR3* v, const D3DXMATRIX* m);

// The D3DX runtime check: true for SDK version 31 or 32 with D3DX version 23.
bool D3DXCheckVersion(UINT d3dSdkVersion, UINT d3dxSdkVersion);
