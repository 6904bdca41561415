// D3D9Recording.h - the recording graphics back end: a Direct3D object and a
// device that draw nothing, log every device call as a line of text, keep
// the state they were given (so tests can read it back), and can fail a
// chosen call with a chosen result.
//
// Implements: every IDirect3DDevice9 call with Direct3D's argument checks
// (draws beyond the bound buffer, Clear rectangles, stale resources), CPU
// resources as the GL back end has them, device loss on request.
// Does not implement: any pixel output.
//
// Log lines are the call's name and its arguments in decimal, e.g.
//   "SetRenderState(27, 1)"  "DrawPrimitive(5, 0, 2)"  "SetTexture(0, tex)"
//   "SetTexture(0, null)"    "SetTransform(256)"       "Clear(0, 3, 0xff336644)"
// The log is process-wide and survives the device, so a test can read the
// calls of a device that was destroyed.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "Platform/D3D9.h"
#include "Platform/D3D9Local.h"

struct D3D9Recorder {
  std::vector<std::string> log;

  // Failing calls: the next (skip + 1)-th call of that name fails with hr,
  // times times in a row (then succeeds again).
  struct FailRule {
    std::string call;
    HRESULT hr;
    int skip;
    int times;
  };
  std::vector<FailRule> failRules;

  // Capabilities of the recording Direct3D objects made from now on.
  D3D9Caps caps;

  // State of the current device as last set (reset at device creation).
  std::map<DWORD, DWORD> renderStates;
  std::map<DWORD, DWORD> samplerStates;       // key: stage << 16 | type
  std::map<DWORD, DWORD> textureStageStates;  // key: stage << 16 | type
  std::map<DWORD, D3DMATRIX> transforms;
  D3DVIEWPORT9 viewport{};
  RECT scissor{};
  D3DMATERIAL9 material{};
  std::map<DWORD, D3DLIGHT9> lights;
  std::map<DWORD, BOOL> lightEnabled;
  DWORD fvf = 0;
  IDirect3DVertexBuffer9* stream = nullptr;
  UINT streamStride = 0;
  IDirect3DBaseTexture9* texture0 = nullptr;
  D3DPRESENT_PARAMETERS presentParams{};
  bool inScene = false;
  int presents = 0;
  int devicesCreated = 0;

  void Clear() { log.clear(); }
  // Lines equal to line.
  int Count(const std::string& line) const;
  // Lines that start with prefix.
  int CountPrefix(const std::string& prefix) const;
  // Index of the first line equal to line at or after from; -1 when none.
  int Find(const std::string& line, int from = 0) const;
  // The lines starting with prefix, in order.
  std::vector<std::string> Lines(const std::string& prefix) const;
  void FailCall(const std::string& call, HRESULT hr, int skip = 0, int times = 1) {
    failRules.push_back({call, hr, skip, times});
  }
};

// The recorder (one per process).
D3D9Recorder& D3D9RecordingRecorder();

// Makes recording Direct3D objects (a D3D9Factory). D3D9UseRecording() sets it
// as the factory and resets the recorder: empty log, no rules, the default
// capabilities (one adapter "Recording adapter", desktop 1280 x 1024, modes
// 640 x 480, 800 x 600, 1024 x 768, 1280 x 1024 at 60 Hz, 2 and 4 samples).
IDirect3D9* D3D9RecordingCreate(UINT sdkVersion);
void D3D9UseRecording();
D3D9Caps D3D9RecordingDefaultCaps();

// Makes the live recording device report a lost device: Present and
// TestCooperativeLevel answer D3DERR_DEVICELOST for the next frames calls
// each, then TestCooperativeLevel answers D3DERR_DEVICENOTRESET.
void D3D9RecordingLoseDevice(int frames);
