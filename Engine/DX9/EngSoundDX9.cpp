// EngSoundDX9.cpp - DirectSound start-up and shutdown, WAV loading and the
// per-sound buffer operations (see EngSoundDX9.h).
#include "Engine/DX9/EngSoundDX9.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "Engine/DX9/ComDxWin.h"
#include "Engine/Debug.h"
#include "Engine/EngWindow.h"
#include "Platform/DSound.h"
#include "Platform/Mmio.h"

namespace {

constexpr DWORD kBufferDescriptionSize = 36;
constexpr float kMinDistance = 1.0f;
constexpr float kMaxDistance = 10000.0f;
constexpr bool kGlobalFocus = false;  // sounds go quiet with the game's focus (a setting never turned on)

// From EngSoundInit_DX9 to EngSoundShutdown_DX9.
struct DirectSoundState {
  IDirectSound8* directSound = nullptr;
  IDirectSoundBuffer* primary = nullptr;
  bool initialised = false;
  WAVEFORMATEX primaryFormat{};
  std::uint32_t run = 0;  // counts the DirectSound objects made, so a sound knows whose buffers it holds
};
DirectSoundState g_ds;

void ReleasePrimaryAndObject() {
  if (g_ds.primary) g_ds.primary->Release();
  g_ds.primary = nullptr;
  if (g_ds.directSound) g_ds.directSound->Release();
  g_ds.directSound = nullptr;
}

WAVEFORMATEX ToWaveFormat(const EngSoundWaveFormat& format) {
  WAVEFORMATEX out{};
  out.wFormatTag = format.formatTag;
  out.nChannels = format.channels;
  out.nSamplesPerSec = format.samplesPerSecond;
  out.nAvgBytesPerSec = format.averageBytesPerSecond;
  out.nBlockAlign = format.blockAlign;
  out.wBitsPerSample = format.bitsPerSample;
  out.cbSize = format.extraSize;
  return out;
}

// ---- WAV reading ----------------------------------------------------------------------

constexpr FOURCC kWave = mmioFOURCC('W', 'A', 'V', 'E');
constexpr FOURCC kFormatChunk = mmioFOURCC('f', 'm', 't', ' ');
constexpr FOURCC kDataChunk = mmioFOURCC('d', 'a', 't', 'a');

// True when the chunk's data lies inside [start, end).
bool ChunkInside(const MMCKINFO& chunk, std::int64_t start, std::int64_t end) {
  return chunk.dwDataOffset >= start && static_cast<std::int64_t>(chunk.dwDataOffset) + chunk.cksize <= end;
}

std::int64_t ChunkEnd(const MMCKINFO& chunk) { return static_cast<std::int64_t>(chunk.dwDataOffset) + chunk.cksize; }

bool PlayablePcm(const WAVEFORMATEX& format) {
  if (format.wFormatTag != WAVE_FORMAT_PCM) return false;
  if (format.nChannels < 1 || format.nChannels > 2) return false;
  if (format.wBitsPerSample != 8 && format.wBitsPerSample != 16) return false;
  if (format.nBlockAlign != format.nChannels * (format.wBitsPerSample / 8)) return false;
  return format.nSamplesPerSec >= DSBFREQUENCY_MIN && format.nSamplesPerSec <= DSBFREQUENCY_MAX;
}

// The file's checked contents; false (nothing reported) when it does not
// hold a playable PCM wave.
bool ReadWave(HMMIO file, bool formatOnly, EngSoundWaveData* wave) {
  const LONG fileSize = mmioSeek(file, 0, SEEK_END);
  if (fileSize < 0 || mmioSeek(file, 0, SEEK_SET) != 0) return false;

  MMCKINFO riff{};
  riff.fccType = kWave;
  if (mmioDescend(file, &riff, nullptr, MMIO_FINDRIFF) != MMSYSERR_NOERROR || !ChunkInside(riff, 0, fileSize)) {
    return false;
  }
  MMCKINFO format{};
  format.ckid = kFormatChunk;
  if (mmioDescend(file, &format, &riff, MMIO_FINDCHUNK) != MMSYSERR_NOERROR ||
      !ChunkInside(format, riff.dwDataOffset, ChunkEnd(riff)) || format.cksize < 16) {
    return false;
  }
  // A 16-byte chunk has no extra-size word: it stays 0.
  WAVEFORMATEX read{};
  const LONG formatBytes = static_cast<LONG>(std::min<DWORD>(format.cksize, sizeof read));
  if (mmioRead(file, reinterpret_cast<char*>(&read), formatBytes) != formatBytes || !PlayablePcm(read)) return false;
  wave->format = {read.wFormatTag,   read.nChannels,      read.nSamplesPerSec, read.nAvgBytesPerSec,
                  read.nBlockAlign,  read.wBitsPerSample, read.cbSize};
  if (formatOnly) return true;

  MMCKINFO data{};
  data.ckid = kDataChunk;
  if (mmioAscend(file, &format, 0) != MMSYSERR_NOERROR ||
      mmioDescend(file, &data, &riff, MMIO_FINDCHUNK) != MMSYSERR_NOERROR ||
      !ChunkInside(data, riff.dwDataOffset, ChunkEnd(riff))) {
    return false;
  }
  // Whole frames, and at least the smallest buffer DirectSound makes.
  const DWORD wholeFrames = data.cksize - data.cksize % read.nBlockAlign;
  if (wholeFrames < DSBSIZE_MIN) return false;
  wave->samples.resize(wholeFrames);
  return mmioRead(file, reinterpret_cast<char*>(wave->samples.data()), static_cast<LONG>(wholeFrames)) ==
         static_cast<LONG>(wholeFrames);
}

// ---- Result texts --------------------------------------------------------------------

struct ResultText {
  HRESULT code;
  const char* text;
};
constexpr ResultText kResultTexts[] = {
    {DS_OK, "DS_OK: The call succeeded"},
    {S_FALSE, "S_FALSE: The call succeeded but did nothing"},
    {DS_NO_VIRTUALIZATION, "DS_NO_VIRTUALIZATION: The buffer was created with stereo panning instead of 3D"},
    {DSERR_OBJECTNOTFOUND, "DSERR_OBJECTNOTFOUND: The requested object was not found"},
    {DSERR_UNINITIALIZED, "DSERR_UNINITIALIZED: DirectSound has not been initialised"},
    {DSERR_PRIOLEVELNEEDED, "DSERR_PRIOLEVELNEEDED: The cooperative level is too low for this call"},
    {DSERR_OTHERAPPHASPRIO, "DSERR_OTHERAPPHASPRIO: Another application has a higher priority level"},
    {DSERR_NODRIVER, "DSERR_NODRIVER: No sound driver is available"},
    {DSERR_INVALIDCALL, "DSERR_INVALIDCALL: The call is not valid for the object's current state"},
    {DSERR_DS8_REQUIRED, "DSERR_DS8_REQUIRED: A DirectSound 8 object is required"},
    {DSERR_CONTROLUNAVAIL, "DSERR_CONTROLUNAVAIL: The buffer was not created with this control"},
    {DSERR_BUFFERTOOSMALL, "DSERR_BUFFERTOOSMALL: The buffer is too small"},
    {DSERR_BUFFERLOST, "DSERR_BUFFERLOST: The buffer's memory was lost"},
    {DSERR_BADFORMAT, "DSERR_BADFORMAT: The wave format is not supported"},
    {DSERR_ALREADYINITIALIZED, "DSERR_ALREADYINITIALIZED: The object is already initialised"},
    {DSERR_ALLOCATED, "DSERR_ALLOCATED: The resource is already in use"},
    {DSERR_INVALIDPARAM, "DSERR_INVALIDPARAM: A parameter is not valid"},
    {DSERR_OUTOFMEMORY, "DSERR_OUTOFMEMORY: Not enough memory"},
    {DSERR_CLASSNOTREGISTERED, "DSERR_CLASSNOTREGISTERED: The class is not registered"},
    {DSERR_ACCESSDENIED, "DSERR_ACCESSDENIED: Access was denied"},
    {DSERR_NOAGGREGATION, "DSERR_NOAGGREGATION: The object does not support aggregation"},
    {DSERR_INVALIDPOINTER, "DSERR_INVALIDPOINTER: A pointer is not valid"},
    {DSERR_UNSUPPORTED, "DSERR_UNSUPPORTED: The function is not supported"},
    {DSERR_NOINTERFACE, "DSERR_NOINTERFACE: The interface is not supported"},
    {DSERR_GENERIC, "DSERR_GENERIC: An undetermined error occurred"},
};

}  // namespace

// ---- Start and stop ---------------------------------------------------------------------

bool EngSoundInit_DX9() {
  if (g_ds.initialised) return true;
  if (!g_ds.directSound) {
    const HRESULT made = DirectSoundCreate8(nullptr, &g_ds.directSound, nullptr);
    if (FAILED(made)) {
      g_ds.directSound = nullptr;
      EngSoundReportError("DirectSoundCreate", made, "EngSoundInit_DX9");
      return false;
    }
    ++g_ds.run;
  }
  EngWindow* window = EngWindowGetCurrent();
  const HRESULT level = g_ds.directSound->SetCooperativeLevel(window ? window->Win().handle : nullptr, DSSCL_PRIORITY);
  if (FAILED(level)) {
    EngSoundReportError("IDirectSound8_SetCooperativeLevel", level, "EngSoundInit_DX9");
    return false;
  }
  const EngSoundSettings& settings = EngSoundGetSettings();
  if (!settings.samplePresent) {
    g_ds.initialised = true;
    return true;
  }
  DSBUFFERDESC description{};
  description.dwSize = kBufferDescriptionSize;
  description.dwFlags = DSBCAPS_PRIMARYBUFFER;
  const HRESULT primary = g_ds.directSound->CreateSoundBuffer(&description, &g_ds.primary, nullptr);
  if (FAILED(primary)) {
    g_ds.primary = nullptr;
    EngSoundReportError("(primary)CreateSoundBuffer", primary, "EngSoundInit_DX9");
    ReleasePrimaryAndObject();
    return false;
  }
  {
    EngSound sample;
    LoadSoundFromFileDX(&sample, settings.sampleName, false, true);
    g_ds.primaryFormat = ToWaveFormat(sample.format);
  }
  const HRESULT formatSet = g_ds.primary->SetFormat(&g_ds.primaryFormat);
  if (FAILED(formatSet)) {
    EngSoundReportError("(primary)SetFormat", formatSet, "EngSoundInit_DX9");
    ReleasePrimaryAndObject();
    return false;
  }
  g_ds.initialised = true;
  return true;
}

void EngSoundShutdown_DX9() {
  ReleasePrimaryAndObject();
  g_ds.initialised = false;
}

// ---- Loading --------------------------------------------------------------------------------

bool EngSoundReadWaveFile(const char* fileName, bool formatOnly, EngSoundWaveData* wave) {
  HMMIO file = fileName ? mmioOpenA(fileName, nullptr, MMIO_READ | MMIO_ALLOCBUF) : nullptr;
  if (!file) {
    DebugError("LoadSoundFromFileDX", "Can not open wafefile %s", fileName ? fileName : "");
    return false;
  }
  const bool read = ReadWave(file, formatOnly, wave);
  mmioClose(file, 0);
  if (!read) DebugError("LoadSoundFromFileDX", "Invalid format in %s", fileName);
  return read;
}

bool LoadSoundFromFileDX(EngSound* sound, const char* fileName, bool sound3D, bool formatOnly) {
  if (!sound || !g_ds.directSound) return false;
  sound->DestroyDX();

  EngSoundWaveData wave;
  if (!EngSoundReadWaveFile(fileName, formatOnly, &wave)) return false;
  sound->format = wave.format;
  if (formatOnly) return true;

  const EngSoundSettings& settings = EngSoundGetSettings();
  WAVEFORMATEX format = ToWaveFormat(wave.format);
  DSBUFFERDESC description{};
  description.dwSize = kBufferDescriptionSize;
  description.dwFlags = DSBCAPS_STATIC | DSBCAPS_CTRLVOLUME;
  if (settings.frequencyControl) description.dwFlags |= DSBCAPS_CTRLFREQUENCY;
  if (settings.muteAtMaxDistance) description.dwFlags |= DSBCAPS_MUTE3DATMAXDISTANCE;
  if (sound3D) description.dwFlags |= DSBCAPS_CTRL3D;
  if (kGlobalFocus) description.dwFlags |= DSBCAPS_GLOBALFOCUS;
  description.dwBufferBytes = static_cast<DWORD>(wave.samples.size());
  description.lpwfxFormat = &format;
  const HRESULT made = g_ds.directSound->CreateSoundBuffer(&description, &sound->buffer, nullptr);
  if (FAILED(made)) {
    sound->buffer = nullptr;
    EngSoundReportError("IDirectSound8_CreateSoundBuffer", made, "LoadSoundFromFileDX");
    return false;
  }
  sound->directSoundRun = g_ds.run;

  void* part1 = nullptr;
  void* part2 = nullptr;
  DWORD bytes1 = 0, bytes2 = 0;
  const HRESULT locked = sound->buffer->Lock(0, 0, &part1, &bytes1, &part2, &bytes2, DSBLOCK_ENTIREBUFFER);
  if (FAILED(locked)) {
    EngSoundReportError("IDirectSoundBuffer_Lock", locked, "LoadSoundFromFileDX");
    sound->buffer->Release();
    sound->ClearDX();
    return false;
  }
  const std::size_t first = std::min<std::size_t>(bytes1, wave.samples.size());
  std::memcpy(part1, wave.samples.data(), first);
  if (part2 && bytes2 > 0) {
    std::memcpy(part2, wave.samples.data() + first, std::min<std::size_t>(bytes2, wave.samples.size() - first));
  }
  sound->buffer->Unlock(part1, bytes1, part2, bytes2);

  if (sound3D) {
    void* object = nullptr;
    const HRESULT asked = sound->buffer->QueryInterface(IID_IDirectSound3DBuffer, &object);
    if (FAILED(asked)) {
      EngSoundReportError("QueryInterface(3d sound buffer)", asked, "LoadSoundFromFileDX");
    } else {
      sound->buffer3D = static_cast<IDirectSound3DBuffer*>(object);
      EngSoundSet3DMode(sound, true);
      EngSoundSet3DDistances(sound, kMinDistance, kMaxDistance);
    }
  }
  const DWORD perSecond = wave.format.averageBytesPerSecond;
  sound->lengthSeconds = perSecond ? static_cast<float>(wave.samples.size()) / static_cast<float>(perSecond) : 0.0f;
  const HRESULT compacted = g_ds.directSound->Compact();
  if (FAILED(compacted)) EngSoundReportError("IDirectSound8_Compact", compacted, "LoadSoundFromFileDX");
  return true;
}

// ---- Per-sound operations -----------------------------------------------------------------

bool EngSound::HasLiveBuffers() const { return buffer && g_ds.directSound && directSoundRun == g_ds.run; }

bool EngSound::LoadDX(const char* fileName, bool sound3D) {
  if (!g_ds.directSound) return false;
  return LoadSoundFromFileDX(this, fileName, sound3D, false);
}

void EngSound::ClearDX() {
  buffer = nullptr;
  buffer3D = nullptr;
  format = EngSoundWaveFormat();
  handle_ = 0;
}

bool EngSound::PlayDX() {
  if (!HasLiveBuffers()) {
    if (g_ds.directSound) DebugError("EngSound::PlayDX", "Sound called but no buffer present");
    return false;
  }
  buffer->SetCurrentPosition(0);
  buffer->Play(0, 0, 0);
  return true;
}

void EngSound::DestroyDX() {
  if ((buffer || buffer3D) && !HasLiveBuffers()) {
    // The DirectSound object that made these buffers freed them when it went.
    DebugError("EngSound::DestroyDX", "Sound was not released");
    ClearDX();
    return;
  }
  if (buffer3D) buffer3D->Release();
  if (buffer) buffer->Release();
  ClearDX();
}

bool EngSound::SetVolumeDX(float volume) {
  if (!HasLiveBuffers()) {
    if (g_ds.directSound) DebugError("EngSound::SetVolumeDX", "Sound called but no buffer present");
    return false;
  }
  if (!(volume >= 0.00001f)) volume = 0.00001f;
  const double hundredths = std::trunc(2000.0 * std::log10(static_cast<double>(volume)));
  const auto level = static_cast<LONG>(std::clamp(hundredths, static_cast<double>(DSBVOLUME_MIN), 0.0));
  const HRESULT set = buffer->SetVolume(level);
  if (FAILED(set)) {
    EngSoundReportError("SetVolume", set, "EngSound::SetVolumeDX");
    return false;
  }
  return true;
}

bool EngSound::SetFrequencyDX(std::uint32_t hertz) {
  if (!HasLiveBuffers()) {
    if (g_ds.directSound) DebugError("EngSound::SetFrequencyDX", "No buffer for sound");
    return false;
  }
  const HRESULT set = buffer->SetFrequency(hertz);
  if (FAILED(set)) {
    EngSoundReportError("IDirectSoundBuffer_SetFrequency", set, "EngSound::SetFrequencyDX");
    return false;
  }
  return true;
}

bool EngSound::SetFrequencyFloatDX(float frequency) {
  const float share = std::clamp(std::isnan(frequency) ? 0.0f : frequency, 0.0f, 1.0f);
  return SetFrequencyDX(static_cast<std::uint32_t>(100.0 + 199900.0 * static_cast<double>(share)));
}

float EngSound::GetFrequencyFloatDX() {
  if (!HasLiveBuffers()) {
    if (g_ds.directSound) DebugError("EngSound::GetFrequencyFloatDX", "No buffer for sound");
    return 0.0f;
  }
  DWORD hertz = 0;
  const HRESULT got = buffer->GetFrequency(&hertz);
  if (FAILED(got)) {
    EngSoundReportError("IDirectSoundBuffer_GetFrequency", got, "EngSound::GetFrequencyFloatDX");
    return 0.0f;
  }
  return static_cast<float>((static_cast<double>(hertz) - 100.0) / 199900.0);
}

// ---- 3D ----------------------------------------------------------------------------------------

void EngSoundSet3DMode(EngSound* sound, bool on) {
  if (!sound || !sound->buffer3D || !sound->HasLiveBuffers()) return;
  sound->buffer3D->SetMode(on ? DS3DMODE_NORMAL : DS3DMODE_DISABLE, DS3D_IMMEDIATE);
}

void EngSoundSet3DDistances(EngSound* sound, float minimum, float maximum) {
  if (!sound || !sound->buffer3D || !sound->HasLiveBuffers()) return;
  sound->buffer3D->SetMinDistance(minimum, DS3D_IMMEDIATE);
  sound->buffer3D->SetMaxDistance(maximum, DS3D_IMMEDIATE);
}

// ---- Errors ---------------------------------------------------------------------------------------

const char* EngSoundDescribeResult(std::int32_t result) {
  for (const ResultText& known : kResultTexts) {
    if (known.code == result) return known.text;
  }
  static char unknown[64];
  std::snprintf(unknown, sizeof unknown, "Unknown Error (%d) (0x%x)", static_cast<int>(result),
                static_cast<unsigned>(result));
  return unknown;
}

void EngSoundReportError(const char* call, std::int32_t result, const char* where) {
  DebugError(where, "%s - %s", call ? call : "", EngSoundDescribeResult(result));
}
