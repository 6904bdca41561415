// DSound.cpp - the DirectSound object and its buffers over the shared audio
// device (see DSound.h). A secondary buffer owns its sample memory and one
// mixer voice; the voice is on the device's list from creation to release,
// and its playing state changes only under the device lock.
#include "Platform/DSound.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

#include "Platform/AudioDevice.h"
#include "Platform/AudioMixer.h"

namespace {

class SoundObject;

class SoundBuffer final : public IDirectSoundBuffer, public IDirectSound3DBuffer {
 public:
  SoundBuffer(SoundObject* owner, DWORD flags, const WAVEFORMATEX* format, DWORD bytes)
      : owner_(owner), flags_(flags), primary_((flags & DSBCAPS_PRIMARYBUFFER) != 0) {
    if (primary_) return;
    format_ = *format;
    format_.cbSize = 0;
    memory_.assign(bytes, format->wBitsPerSample == 8 ? 0x80 : 0x00);
    voice_.data = memory_.data();
    voice_.frames = bytes / format->nBlockAlign;
    voice_.channels = format->nChannels;
    voice_.bitsPerSample = format->wBitsPerSample;
    voice_.frequency = format->nSamplesPerSec;
    AudioDeviceAddVoice(&voice_);
  }
  ~SoundBuffer() override {
    if (!primary_) AudioDeviceRemoveVoice(&voice_);
  }

  // Frees the buffer without asking its owner (the owner is going).
  void Free() { delete this; }

  // ---- IDirectSoundBuffer ------------------------------------------------------
  ULONG AddRef() override { return ++references_; }
  ULONG Release() override;
  HRESULT QueryInterface(DSoundInterfaceId id, void** object) override {
    if (!object) return DSERR_INVALIDPARAM;
    *object = nullptr;
    if (id == IID_IDirectSoundBuffer) {
      *object = static_cast<IDirectSoundBuffer*>(this);
    } else if (id == IID_IDirectSound3DBuffer && (flags_ & DSBCAPS_CTRL3D)) {
      *object = static_cast<IDirectSound3DBuffer*>(this);
    } else {
      return E_NOINTERFACE;
    }
    AddRef();
    return DS_OK;
  }
  HRESULT GetFormat(WAVEFORMATEX* format, DWORD size, DWORD* written) override;
  HRESULT SetFormat(const WAVEFORMATEX* format) override;
  HRESULT Lock(DWORD offset, DWORD bytes, void** part1, DWORD* bytes1, void** part2, DWORD* bytes2,
               DWORD flags) override {
    if (primary_) return DSERR_INVALIDCALL;
    if (!part1 || !bytes1) return DSERR_INVALIDPARAM;
    const auto size = static_cast<DWORD>(memory_.size());
    if (!(flags & DSBLOCK_ENTIREBUFFER) && (offset != 0 || bytes != size)) return DSERR_INVALIDPARAM;
    *part1 = memory_.data();
    *bytes1 = size;
    if (part2) *part2 = nullptr;
    if (bytes2) *bytes2 = 0;
    return DS_OK;
  }
  HRESULT Unlock(void*, DWORD, void*, DWORD) override { return primary_ ? DSERR_INVALIDCALL : DS_OK; }
  HRESULT SetCurrentPosition(DWORD bytes) override {
    if (primary_) return DSERR_INVALIDCALL;
    if (bytes >= memory_.size()) return DSERR_INVALIDPARAM;
    AudioDeviceLockGuard hold;
    voice_.position = static_cast<std::uint64_t>(bytes / format_.nBlockAlign) << 32;
    return DS_OK;
  }
  HRESULT GetCurrentPosition(DWORD* play, DWORD* write) override {
    if (primary_) return DSERR_INVALIDCALL;
    AudioDeviceLockGuard hold;
    const auto bytes = static_cast<DWORD>((voice_.position >> 32) * format_.nBlockAlign);
    if (play) *play = bytes;
    if (write) *write = bytes;
    return DS_OK;
  }
  HRESULT Play(DWORD, DWORD, DWORD flags) override {
    if (primary_) return DSERR_INVALIDCALL;
    AudioDeviceLockGuard hold;
    voice_.looping = (flags & DSBPLAY_LOOPING) != 0;
    voice_.playing = true;
    return DS_OK;
  }
  HRESULT Stop() override {
    if (primary_) return DS_OK;
    AudioDeviceLockGuard hold;
    voice_.playing = false;
    return DS_OK;
  }
  HRESULT GetStatus(DWORD* status) override {
    if (!status) return DSERR_INVALIDPARAM;
    AudioDeviceLockGuard hold;
    *status = 0;
    if (!primary_ && voice_.playing) *status = DSBSTATUS_PLAYING | (voice_.looping ? DSBSTATUS_LOOPING : 0);
    return DS_OK;
  }
  HRESULT SetVolume(LONG volume) override {
    if (!(flags_ & DSBCAPS_CTRLVOLUME) || primary_) return DSERR_CONTROLUNAVAIL;
    if (volume < DSBVOLUME_MIN || volume > DSBVOLUME_MAX) return DSERR_INVALIDPARAM;
    volume_ = volume;
    AudioDeviceLockGuard hold;
    voice_.gain = AudioMixerGainFromHundredths(volume);
    return DS_OK;
  }
  HRESULT GetVolume(LONG* volume) override {
    if (!(flags_ & DSBCAPS_CTRLVOLUME) || primary_) return DSERR_CONTROLUNAVAIL;
    if (!volume) return DSERR_INVALIDPARAM;
    *volume = volume_;
    return DS_OK;
  }
  HRESULT SetFrequency(DWORD hertz) override {
    if (!(flags_ & DSBCAPS_CTRLFREQUENCY) || primary_) return DSERR_CONTROLUNAVAIL;
    if (hertz == DSBFREQUENCY_ORIGINAL) hertz = format_.nSamplesPerSec;
    if (hertz < DSBFREQUENCY_MIN || hertz > DSBFREQUENCY_MAX) return DSERR_INVALIDPARAM;
    AudioDeviceLockGuard hold;
    voice_.frequency = hertz;
    return DS_OK;
  }
  HRESULT GetFrequency(DWORD* hertz) override {
    if (!(flags_ & DSBCAPS_CTRLFREQUENCY) || primary_) return DSERR_CONTROLUNAVAIL;
    if (!hertz) return DSERR_INVALIDPARAM;
    AudioDeviceLockGuard hold;
    *hertz = voice_.frequency;
    return DS_OK;
  }

  // ---- IDirectSound3DBuffer: the same object and reference count ---------------
  HRESULT SetMode(DWORD mode, DWORD) override {
    if (mode > DS3DMODE_DISABLE) return DSERR_INVALIDPARAM;
    mode3D_ = mode;
    return DS_OK;
  }
  HRESULT GetMode(DWORD* mode) override {
    if (!mode) return DSERR_INVALIDPARAM;
    *mode = mode3D_;
    return DS_OK;
  }
  HRESULT SetMinDistance(float distance, DWORD) override {
    if (!(distance > 0.0f)) return DSERR_INVALIDPARAM;
    minDistance_ = distance;
    return DS_OK;
  }
  HRESULT SetMaxDistance(float distance, DWORD) override {
    if (!(distance > 0.0f)) return DSERR_INVALIDPARAM;
    maxDistance_ = distance;
    return DS_OK;
  }
  HRESULT GetMinDistance(float* distance) override {
    if (!distance) return DSERR_INVALIDPARAM;
    *distance = minDistance_;
    return DS_OK;
  }
  HRESULT GetMaxDistance(float* distance) override {
    if (!distance) return DSERR_INVALIDPARAM;
    *distance = maxDistance_;
    return DS_OK;
  }

 private:
  SoundObject* owner_;
  ULONG references_ = 1;
  DWORD flags_;
  bool primary_;
  WAVEFORMATEX format_{};
  std::vector<std::uint8_t> memory_;
  AudioVoice voice_;
  LONG volume_ = 0;
  DWORD mode3D_ = DS3DMODE_NORMAL;
  float minDistance_ = 1.0f;
  float maxDistance_ = 1000000000.0f;
};

bool g_objectAlive = false;  // one DirectSound object at a time

class SoundObject final : public IDirectSound8 {
 public:
  SoundObject() { g_objectAlive = true; }
  ~SoundObject() override {
    for (SoundBuffer* buffer : buffers_) buffer->Free();
    AudioDeviceRelease();
    g_objectAlive = false;
  }

  ULONG AddRef() override { return ++references_; }
  ULONG Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }
  HRESULT SetCooperativeLevel(HWND, DWORD level) override {
    if (level < 1 || level > 4) return DSERR_INVALIDPARAM;
    level_ = level;
    return DS_OK;
  }
  HRESULT CreateSoundBuffer(const DSBUFFERDESC* description, IDirectSoundBuffer** buffer, void* outer) override;
  HRESULT Compact() override { return level_ >= DSSCL_PRIORITY ? DS_OK : DSERR_PRIOLEVELNEEDED; }

  DWORD Level() const { return level_; }
  void Forget(SoundBuffer* buffer) { buffers_.erase(std::remove(buffers_.begin(), buffers_.end(), buffer), buffers_.end()); }

 private:
  ULONG references_ = 1;
  DWORD level_ = 0;
  std::vector<SoundBuffer*> buffers_;
};

// The formats a secondary buffer can play.
bool PlayableFormat(const WAVEFORMATEX* format) {
  if (!format || format->wFormatTag != WAVE_FORMAT_PCM) return false;
  if (format->nChannels < 1 || format->nChannels > 2) return false;
  if (format->wBitsPerSample != 8 && format->wBitsPerSample != 16) return false;
  if (format->nBlockAlign != format->nChannels * format->wBitsPerSample / 8) return false;
  return format->nSamplesPerSec >= DSBFREQUENCY_MIN && format->nSamplesPerSec <= DSBFREQUENCY_MAX;
}

ULONG SoundBuffer::Release() {
  const ULONG left = --references_;
  if (left == 0) {
    owner_->Forget(this);
    delete this;
  }
  return left;
}

HRESULT SoundBuffer::GetFormat(WAVEFORMATEX* format, DWORD size, DWORD* written) {
  if (!format || size < sizeof(WAVEFORMATEX)) return DSERR_INVALIDPARAM;
  if (primary_) {
    *format = WAVEFORMATEX{};
    format->wFormatTag = WAVE_FORMAT_PCM;
    format->nChannels = 2;
    format->wBitsPerSample = 16;
    format->nBlockAlign = 4;
    format->nSamplesPerSec = static_cast<DWORD>(AudioDeviceGetRate());
    format->nAvgBytesPerSec = format->nSamplesPerSec * 4;
  } else {
    *format = format_;
  }
  if (written) *written = sizeof(WAVEFORMATEX);
  return DS_OK;
}

HRESULT SoundBuffer::SetFormat(const WAVEFORMATEX* format) {
  if (!primary_) return DSERR_INVALIDCALL;
  if (owner_->Level() < DSSCL_PRIORITY) return DSERR_PRIOLEVELNEEDED;
  if (!PlayableFormat(format)) return DSERR_BADFORMAT;
  return AudioDeviceSetRate(static_cast<int>(format->nSamplesPerSec)) ? DS_OK : DSERR_BADFORMAT;
}

HRESULT SoundObject::CreateSoundBuffer(const DSBUFFERDESC* description, IDirectSoundBuffer** buffer, void* outer) {
  if (!buffer) return DSERR_INVALIDPARAM;
  *buffer = nullptr;
  if (outer) return DSERR_NOAGGREGATION;
  if (!description || description->dwSize == 0) return DSERR_INVALIDPARAM;
  if (level_ == 0) return DSERR_PRIOLEVELNEEDED;
  const bool primary = (description->dwFlags & DSBCAPS_PRIMARYBUFFER) != 0;
  if (primary) {
    if (description->dwBufferBytes != 0 || description->lpwfxFormat) return DSERR_INVALIDPARAM;
  } else {
    if (!PlayableFormat(description->lpwfxFormat)) return DSERR_BADFORMAT;
    const DWORD bytes = description->dwBufferBytes;
    if (bytes < DSBSIZE_MIN || bytes > DSBSIZE_MAX || bytes % description->lpwfxFormat->nBlockAlign != 0) {
      return DSERR_INVALIDPARAM;
    }
  }
  auto* made = new (std::nothrow)
      SoundBuffer(this, description->dwFlags, description->lpwfxFormat, description->dwBufferBytes);
  if (!made) return DSERR_OUTOFMEMORY;
  buffers_.push_back(made);
  *buffer = made;
  return DS_OK;
}

}  // namespace

HRESULT DirectSoundCreate8(const void* device, IDirectSound8** directSound, void* outer) {
  if (!directSound) return DSERR_INVALIDPARAM;
  *directSound = nullptr;
  if (outer) return DSERR_NOAGGREGATION;
  if (device) return DSERR_NODRIVER;
  if (g_objectAlive) return DSERR_ALLOCATED;
  if (!AudioDeviceAcquire()) return DSERR_NODRIVER;
  auto* made = new (std::nothrow) SoundObject();
  if (!made) {
    AudioDeviceRelease();
    return DSERR_OUTOFMEMORY;
  }
  *directSound = made;
  return DS_OK;
}
