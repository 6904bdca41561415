// TablePoint.cpp - a table point projected as the device projects it (see
// TablePoint.h).
#include "tests/Program/TablePoint.h"

#include "Game/GameCameras.h"
#include "Platform/D3DXMath.h"

namespace playrun {

ScreenPoint ProjectTablePoint(float x, float y, float z) {
  constexpr float kPi = 3.14159265f;
  const CameraPreset& c = *GameCamerasGetDefault(1);
  const D3DXVECTOR3 target(c.lookX, -c.lookY, c.lookZ);
  const D3DXVECTOR3 eye(c.lookX - c.eyeOffsetX, -c.lookY - c.eyeOffsetY, c.lookZ + c.distance);
  const D3DXVECTOR3 up(0, 0, 1);
  D3DXMATRIX view, projection, both;
  D3DXMatrixLookAtRH(&view, &eye, &target, &up);
  D3DXMatrixPerspectiveFovRH(&projection, c.fieldOfView * kPi / 180.0f, c.aspect, 10.0f, 300.0f);
  D3DXMatrixMultiply(&both, &view, &projection);
  const D3DXVECTOR3 point(x, y, z);
  D3DXVECTOR3 clip;
  D3DXVec3TransformCoord(&clip, &point, &both);
  return ScreenPoint{(clip.x + 1) * 320.0f, (1 - clip.y) * 240.0f};
}

}  // namespace playrun
