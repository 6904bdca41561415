// D3DXMath.cpp - the D3DX matrix and vector helpers (see D3DXMath.h).
#include "Platform/D3DXMath.h"

#include <cmath>
#include <cstring>
#include <utility>

D3DXMATRIX::D3DXMATRIX(const float* values) : D3DMATRIX{} {
  if (values) std::memcpy(m, values, sizeof(m));
}

D3DXMATRIX D3DXMATRIX::operator*(const D3DXMATRIX& other) const {
  D3DXMATRIX out;
  D3DXMatrixMultiply(&out, this, &other);
  return out;
}

D3DXMATRIX* D3DXMatrixIdentity(D3DXMATRIX* out) {
  *out = D3DXMATRIX();
  out->_11 = out->_22 = out->_33 = out->_44 = 1.0f;
  return out;
}

bool D3DXMatrixIsIdentity(const D3DXMATRIX* m) {
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c)
      if (m->m[r][c] != (r == c ? 1.0f : 0.0f)) return false;
  return true;
}

D3DXMATRIX* D3DXMatrixMultiply(D3DXMATRIX* out, const D3DXMATRIX* a, const D3DXMATRIX* b) {
  D3DXMATRIX r;
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j)
      r.m[i][j] = a->m[i][0] * b->m[0][j] + a->m[i][1] * b->m[1][j] + a->m[i][2] * b->m[2][j] +
                  a->m[i][3] * b->m[3][j];
  *out = r;
  return out;
}

D3DXMATRIX* D3DXMatrixInverse(D3DXMATRIX* out, float* determinant, const D3DXMATRIX* mat) {
  // Gauss-Jordan elimination with partial pivoting, in double precision.
  double a[4][8];
  for (int i = 0; i < 4; ++i) {
    for (int j = 0; j < 4; ++j) {
      a[i][j] = mat->m[i][j];
      a[i][j + 4] = (i == j) ? 1.0 : 0.0;
    }
  }
  double det = 1.0;
  for (int col = 0; col < 4; ++col) {
    int pivot = col;
    for (int row = col + 1; row < 4; ++row)
      if (std::fabs(a[row][col]) > std::fabs(a[pivot][col])) pivot = row;
    if (std::fabs(a[pivot][col]) < 1e-12) return nullptr;
    if (pivot != col) {
      for (int j = 0; j < 8; ++j) std::swap(a[pivot][j], a[col][j]);
      det = -det;
    }
    const double p = a[col][col];
    det *= p;
    for (int j = 0; j < 8; ++j) a[col][j] /= p;
    for (int row = 0; row < 4; ++row) {
      if (row == col) continue;
      const double f = a[row][col];
      if (f == 0.0) continue;
      for (int j = 0; j < 8; ++j) a[row][j] -= f * a[col][j];
    }
  }
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) out->m[i][j] = static_cast<float>(a[i][j + 4]);
  if (determinant) *determinant = static_cast<float>(det);
  return out;
}

D3DXMATRIX* D3DXMatrixTranslation(D3DXMATRIX* out, float x, float y, float z) {
  D3DXMatrixIdentity(out);
  out->_41 = x;
  out->_42 = y;
  out->_43 = z;
  return out;
}

D3DXMATRIX* D3DXMatrixScaling(D3DXMATRIX* out, float sx, float sy, float sz) {
  D3DXMatrixIdentity(out);
  out->_11 = sx;
  out->_22 = sy;
  out->_33 = sz;
  return out;
}

D3DXMATRIX* D3DXMatrixRotationX(D3DXMATRIX* out, float angle) {
  const float c = std::cos(angle), s = std::sin(angle);
  D3DXMatrixIdentity(out);
  out->_22 = c;
  out->_23 = s;
  out->_32 = -s;
  out->_33 = c;
  return out;
}

D3DXMATRIX* D3DXMatrixRotationY(D3DXMATRIX* out, float angle) {
  const float c = std::cos(angle), s = std::sin(angle);
  D3DXMatrixIdentity(out);
  out->_11 = c;
  out->_13 = -s;
  out->_31 = s;
  out->_33 = c;
  return out;
}

D3DXMATRIX* D3DXMatrixRotationZ(D3DXMATRIX* out, float angle) {
  const float c = std::cos(angle), s = std::sin(angle);
  D3DXMatrixIdentity(out);
  out->_11 = c;
  out->_12 = s;
  out->_21 = -s;
  out->_22 = c;
  return out;
}

D3DXMATRIX* D3DXMatrixRotationYawPitchRoll(D3DXMATRIX* out, float yaw, float pitch, float roll) {
  // The product Rz(roll) x Rx(pitch) x Ry(yaw) written out.
  const float sy = std::sin(yaw), cy = std::cos(yaw);
  const float sp = std::sin(pitch), cp = std::cos(pitch);
  const float sr = std::sin(roll), cr = std::cos(roll);
  D3DXMatrixIdentity(out);
  out->_11 = cr * cy + sr * sp * sy;
  out->_12 = sr * cp;
  out->_13 = sr * sp * cy - cr * sy;
  out->_21 = cr * sp * sy - sr * cy;
  out->_22 = cr * cp;
  out->_23 = sr * sy + cr * sp * cy;
  out->_31 = cp * sy;
  out->_32 = -sp;
  out->_33 = cp * cy;
  return out;
}

D3DXMATRIX* D3DXMatrixPerspectiveFovRH(D3DXMATRIX* out, float fovy, float aspect, float zn, float zf) {
  const float yScale = 1.0f / std::tan(fovy / 2.0f);
  const float xScale = yScale / aspect;
  *out = D3DXMATRIX();
  out->_11 = xScale;
  out->_22 = yScale;
  out->_33 = zf / (zn - zf);
  out->_34 = -1.0f;
  out->_43 = zn * zf / (zn - zf);
  return out;
}

D3DXMATRIX* D3DXMatrixLookAtRH(D3DXMATRIX* out, const D3DXVECTOR3* eye, const D3DXVECTOR3* at,
                               const D3DXVECTOR3* up) {
  D3DXVECTOR3 zaxis, xaxis, yaxis, t;
  D3DXVec3Normalize(&zaxis, D3DXVec3Subtract(&t, eye, at));
  D3DXVec3Normalize(&xaxis, D3DXVec3Cross(&t, up, &zaxis));
  D3DXVec3Cross(&yaxis, &zaxis, &xaxis);
  D3DXMatrixIdentity(out);
  out->_11 = xaxis.x;
  out->_12 = yaxis.x;
  out->_13 = zaxis.x;
  out->_21 = xaxis.y;
  out->_22 = yaxis.y;
  out->_23 = zaxis.y;
  out->_31 = xaxis.z;
  out->_32 = yaxis.z;
  out->_33 = zaxis.z;
  out->_41 = -D3DXVec3Dot(&xaxis, eye);
  out->_42 = -D3DXVec3Dot(&yaxis, eye);
  out->_43 = -D3DXVec3Dot(&zaxis, eye);
  return out;
}

D3DXMATRIX* D3DXMatrixOrthoOffCenterLH(D3DXMATRIX* out, float l, float r, float b, float t, float zn,
                                       float zf) {
  D3DXMatrixIdentity(out);
  out->_11 = 2.0f / (r - l);
  out->_22 = 2.0f / (t - b);
  out->_33 = 1.0f / (zf - zn);
  out->_41 = (l + r) / (l - r);
  out->_42 = (t + b) / (b - t);
  out->_43 = zn / (zn - zf);
  return out;
}

float D3DXVec3Length(const D3DXVECTOR3* v) { return std::sqrt(v->x * v->x + v->y * v->y + v->z * v->z); }

float D3DXVec3Dot(const D3DXVECTOR3* a, const D3DXVECTOR3* b) { return a->x * b->x + a->y * b->y + a->z * b->z; }

D3DXVECTOR3* D3DXVec3Cross(D3DXVECTOR3* out, const D3DXVECTOR3* a, const D3DXVECTOR3* b) {
  const D3DXVECTOR3 r(a->y * b->z - a->z * b->y, a->z * b->x - a->x * b->z, a->x * b->y - a->y * b->x);
  *out = r;
  return out;
}

D3DXVECTOR3* D3DXVec3Subtract(D3DXVECTOR3* out, const D3DXVECTOR3* a, const D3DXVECTOR3* b) {
  *out = D3DXVECTOR3(a->x - b->x, a->y - b->y, a->z - b->z);
  return out;
}

D3DXVECTOR3* D3DXVec3Normalize(D3DXVECTOR3* out, const D3DXVECTOR3* v) {
  const float len = D3DXVec3Length(v);
  if (len > 0.0f)
    *out = D3DXVECTOR3(v->x / len, v->y / len, v->z / len);
  else
    *out = D3DXVECTOR3(0.0f, 0.0f, 0.0f);
  return out;
}

D3DXVECTOR4* D3DXVec3Transform(D3DXVECTOR4* out, const D3DXVECTOR3* v, const D3DXMATRIX* m) {
  const D3DXVECTOR4 r{v->x * m->_11 + v->y * m->_21 + v->z * m->_31 + m->_41,
                      v->x * m->_12 + v->y * m->_22 + v->z * m->_32 + m->_42,
                      v->x * m->_13 + v->y * m->_23 + v->z * m->_33 + m->_43,
                      v->x * m->_14 + v->y * m->_24 + v->z * m->_34 + m->_44};
  *out = r;
  return out;
}

D3DXVECTOR3* D3DXVec3TransformCoord(D3DXVECTOR3* out, const D3DXVECTOR3* v, const D3DXMATRIX* m) {
  D3DXVECTOR4 r;
  D3DXVec3Transform(&r, v, m);
  const float w = (r.w != 0.0f) ? r.w : 1.0f;
  *out = D3DXVECTOR3(r.x / w, r.y / w, r.z / w);
  return out;
}

D3DXVECTOR3* D3DXVec3TransformNormal(D3DXVECTOR3* out, const D3DXVECTOR3* v, const D3DXMATRIX* m) {
  *out = D3DXVECTOR3(v->x * m->_11 + v->y * m->_21 + v->z * m->_31, v->x * m->_12 + v->y * m->_22 + v->z * m->_32,
                     v->x * m->_13 + v->y * m->_23 + v->z * m->_33);
  return out;
}

bool D3DXCheckVersion(UINT d3dSdkVersion, UINT d3dxSdkVersion) {
  return (d3dSdkVersion == 31 || d3dSdkVersion == 32) && d3dxSdkVersion == 23;
}
