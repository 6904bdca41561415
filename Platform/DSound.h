// DSound.h - the DirectSound-8-shaped sound interfaces the engine plays its
// sound samples with. Our own declarations of the calls the engine makes,
// with DirectSound's numeric values, over the one SDL audio device
// (Platform/AudioDevice.h) and its mixer (Platform/AudioMixer.h).
//
// Implemented:
//   - one DirectSound object at a time (DirectSoundCreate8 refuses a second
//     with DSERR_ALLOCATED); it holds the audio device open while it lives.
//   - any window (or none) may own the cooperative level: the device is
//     shared by the whole process, not tied to a window's focus, so sounds
//     work without a display.
//   - the primary buffer only carries the output format: SetFormat sets the
//     device's rate (the device is always 16-bit stereo).
//   - secondary buffers: PCM, 8 or 16 bits, 1 or 2 channels, 4 bytes up to
//     DSBSIZE_MAX, in the object's memory; Play starts a voice at the current
//     position, once or looping; volume in hundredths of a decibel
//     (DSBCAPS_CTRLVOLUME); frequency 100 .. 200000 Hz (DSBCAPS_CTRLFREQUENCY;
//     DSBFREQUENCY_ORIGINAL restores the format's rate).
//   - 3D buffers (DSBCAPS_CTRL3D) keep their mode and distances, but every
//     sound plays centred: there is no listener and no pan.
//   - releasing the DirectSound object frees every buffer it made, at once
//     (pointers the caller still holds to them are dead); releasing a buffer
//     frees it when its last reference (3D interface included) goes.
// Not implemented: panning, effects, notifications, streaming buffers
// (Lock always describes the whole static buffer), capture, hardware voices.
//
// Threads: all calls come from one thread; the mixing runs on the audio
// thread under the device lock. Writing into a locked buffer while it plays
// is the caller's business, as with DirectSound.
#pragma once

#include "Platform/Win32Types.h"

// ---- Formats --------------------------------------------------------------------

#pragma pack(push, 2)
// The wave format record: 18 bytes, as stored in a WAV file's "fmt " chunk.
struct WAVEFORMATEX {
  WORD wFormatTag;
  WORD nChannels;
  DWORD nSamplesPerSec;
  DWORD nAvgBytesPerSec;
  WORD nBlockAlign;
  WORD wBitsPerSample;
  WORD cbSize;
};
#pragma pack(pop)
static_assert(sizeof(WAVEFORMATEX) == 18, "WAVEFORMATEX is 18 bytes");

constexpr WORD WAVE_FORMAT_PCM = 1;

// ---- Buffer descriptions and flags ---------------------------------------------

struct DSBUFFERDESC {
  DWORD dwSize;  // not 0
  DWORD dwFlags;
  DWORD dwBufferBytes;  // 0 for the primary buffer
  DWORD dwReserved;
  WAVEFORMATEX* lpwfxFormat;  // null for the primary buffer
};

constexpr DWORD DSBCAPS_PRIMARYBUFFER = 0x00000001;
constexpr DWORD DSBCAPS_STATIC = 0x00000002;
constexpr DWORD DSBCAPS_CTRL3D = 0x00000010;
constexpr DWORD DSBCAPS_CTRLFREQUENCY = 0x00000020;
constexpr DWORD DSBCAPS_CTRLVOLUME = 0x00000080;
constexpr DWORD DSBCAPS_GLOBALFOCUS = 0x00008000;
constexpr DWORD DSBCAPS_MUTE3DATMAXDISTANCE = 0x00020000;

constexpr DWORD DSBSIZE_MIN = 4;
constexpr DWORD DSBSIZE_MAX = 0x0FFFFFFF;
constexpr DWORD DSBFREQUENCY_ORIGINAL = 0;
constexpr DWORD DSBFREQUENCY_MIN = 100;
constexpr DWORD DSBFREQUENCY_MAX = 200000;
constexpr LONG DSBVOLUME_MIN = -10000;
constexpr LONG DSBVOLUME_MAX = 0;

constexpr DWORD DSBPLAY_LOOPING = 0x00000001;
constexpr DWORD DSBLOCK_ENTIREBUFFER = 0x00000002;
constexpr DWORD DSBSTATUS_PLAYING = 0x00000001;
constexpr DWORD DSBSTATUS_LOOPING = 0x00000004;

// Cooperative levels, with the values this engine's callers use.
constexpr DWORD DSSCL_NORMAL = 1;
constexpr DWORD DSSCL_PRIORITY = 3;

// 3D modes and the "apply now" flag.
constexpr DWORD DS3DMODE_NORMAL = 0;
constexpr DWORD DS3DMODE_HEADRELATIVE = 1;
constexpr DWORD DS3DMODE_DISABLE = 2;
constexpr DWORD DS3D_IMMEDIATE = 0;

// ---- Results ---------------------------------------------------------------------

constexpr HRESULT DS_OK = S_OK;
constexpr HRESULT DS_NO_VIRTUALIZATION = 0x0878000A;
constexpr HRESULT DSERR_ALLOCATED = static_cast<HRESULT>(0x8878000Au);
constexpr HRESULT DSERR_CONTROLUNAVAIL = static_cast<HRESULT>(0x8878001Eu);
constexpr HRESULT DSERR_INVALIDPARAM = E_INVALIDARG;
constexpr HRESULT DSERR_INVALIDCALL = static_cast<HRESULT>(0x88780032u);
constexpr HRESULT DSERR_GENERIC = E_FAIL;
constexpr HRESULT DSERR_PRIOLEVELNEEDED = static_cast<HRESULT>(0x88780046u);
constexpr HRESULT DSERR_OUTOFMEMORY = E_OUTOFMEMORY;
constexpr HRESULT DSERR_BADFORMAT = static_cast<HRESULT>(0x88780064u);
constexpr HRESULT DSERR_UNSUPPORTED = E_NOTIMPL;
constexpr HRESULT DSERR_NODRIVER = static_cast<HRESULT>(0x88780078u);
constexpr HRESULT DSERR_ALREADYINITIALIZED = static_cast<HRESULT>(0x88780082u);
constexpr HRESULT DSERR_NOAGGREGATION = static_cast<HRESULT>(0x80040110u);
constexpr HRESULT DSERR_BUFFERLOST = static_cast<HRESULT>(0x88780096u);
constexpr HRESULT DSERR_OTHERAPPHASPRIO = static_cast<HRESULT>(0x887800A0u);
constexpr HRESULT DSERR_UNINITIALIZED = static_cast<HRESULT>(0x887800AAu);
constexpr HRESULT DSERR_NOINTERFACE = E_NOINTERFACE;
constexpr HRESULT DSERR_ACCESSDENIED = static_cast<HRESULT>(0x80070005u);
constexpr HRESULT DSERR_BUFFERTOOSMALL = static_cast<HRESULT>(0x887800B4u);
constexpr HRESULT DSERR_DS8_REQUIRED = static_cast<HRESULT>(0x887800BEu);
constexpr HRESULT DSERR_OBJECTNOTFOUND = static_cast<HRESULT>(0x88781161u);
constexpr HRESULT DSERR_CLASSNOTREGISTERED = static_cast<HRESULT>(0x80040154u);
constexpr HRESULT DSERR_INVALIDPOINTER = static_cast<HRESULT>(0x80004003u);

// ---- Interfaces --------------------------------------------------------------------

// The interfaces a buffer can be asked for.
enum DSoundInterfaceId : int { IID_IDirectSoundBuffer = 1, IID_IDirectSound3DBuffer = 2 };

class IDirectSoundBuffer {
 public:
  virtual ULONG AddRef() = 0;
  virtual ULONG Release() = 0;
  // IID_IDirectSound3DBuffer of a DSBCAPS_CTRL3D buffer (another reference
  // to the same buffer); E_NOINTERFACE otherwise.
  virtual HRESULT QueryInterface(DSoundInterfaceId id, void** object) = 0;
  // The format of a secondary buffer; the device format of the primary one.
  virtual HRESULT GetFormat(WAVEFORMATEX* format, DWORD size, DWORD* written) = 0;
  // Primary buffer only (DSERR_INVALIDCALL otherwise), and the object's
  // cooperative level must be DSSCL_PRIORITY or above.
  virtual HRESULT SetFormat(const WAVEFORMATEX* format) = 0;
  // DSBLOCK_ENTIREBUFFER (or offset 0 and the full size): the whole buffer in
  // the first part; the second part is always empty.
  virtual HRESULT Lock(DWORD offset, DWORD bytes, void** part1, DWORD* bytes1, void** part2, DWORD* bytes2,
                       DWORD flags) = 0;
  virtual HRESULT Unlock(void* part1, DWORD bytes1, void* part2, DWORD bytes2) = 0;
  virtual HRESULT SetCurrentPosition(DWORD bytes) = 0;  // rounded down to a whole frame
  virtual HRESULT GetCurrentPosition(DWORD* play, DWORD* write) = 0;
  virtual HRESULT Play(DWORD reserved, DWORD priority, DWORD flags) = 0;
  virtual HRESULT Stop() = 0;
  virtual HRESULT GetStatus(DWORD* status) = 0;
  virtual HRESULT SetVolume(LONG hundredthsOfDecibel) = 0;  // -10000 .. 0
  virtual HRESULT GetVolume(LONG* volume) = 0;
  virtual HRESULT SetFrequency(DWORD hertz) = 0;
  virtual HRESULT GetFrequency(DWORD* hertz) = 0;

 protected:
  virtual ~IDirectSoundBuffer() = default;
};

class IDirectSound3DBuffer {
 public:
  virtual ULONG AddRef() = 0;
  virtual ULONG Release() = 0;
  virtual HRESULT SetMode(DWORD mode, DWORD apply) = 0;
  virtual HRESULT GetMode(DWORD* mode) = 0;
  virtual HRESULT SetMinDistance(float distance, DWORD apply) = 0;
  virtual HRESULT SetMaxDistance(float distance, DWORD apply) = 0;
  virtual HRESULT GetMinDistance(float* distance) = 0;
  virtual HRESULT GetMaxDistance(float* distance) = 0;

 protected:
  virtual ~IDirectSound3DBuffer() = default;
};

class IDirectSound8 {
 public:
  virtual ULONG AddRef() = 0;
  // At 0: every buffer made by this object is freed and the device released.
  virtual ULONG Release() = 0;
  // Any window, or none (see the file head); levels 1 to 4.
  virtual HRESULT SetCooperativeLevel(HWND window, DWORD level) = 0;
  // DSERR_PRIOLEVELNEEDED before a cooperative level is set.
  virtual HRESULT CreateSoundBuffer(const DSBUFFERDESC* description, IDirectSoundBuffer** buffer,
                                    void* outer) = 0;
  virtual HRESULT Compact() = 0;

 protected:
  virtual ~IDirectSound8() = default;
};

// The default device only (device must be null); outer must be null
// (DSERR_NOAGGREGATION). DSERR_NODRIVER when no audio output opens,
// DSERR_ALLOCATED while another DirectSound object lives.
HRESULT DirectSoundCreate8(const void* device, IDirectSound8** directSound, void* outer);
