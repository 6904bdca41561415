// Mmio.cpp - RIFF chunk reading over a C stream (see Mmio.h).
#include "Platform/Mmio.h"

#include <cstdint>
#include <cstdio>
#include <new>

#include "Platform/Files.h"

struct MmioFile {
  std::FILE* stream = nullptr;
};

namespace {

constexpr FOURCC kRiff = mmioFOURCC('R', 'I', 'F', 'F');
constexpr FOURCC kList = mmioFOURCC('L', 'I', 'S', 'T');
constexpr std::int64_t kLargestOffset = 0x7FFFFFFF;  // positions are LONG

DWORD ReadLittleEndian32(const unsigned char* bytes) {
  return static_cast<DWORD>(bytes[0]) | (static_cast<DWORD>(bytes[1]) << 8) |
         (static_cast<DWORD>(bytes[2]) << 16) | (static_cast<DWORD>(bytes[3]) << 24);
}

bool SeekTo(std::FILE* stream, std::int64_t offset) {
  return offset >= 0 && offset <= kLargestOffset && fseeko(stream, static_cast<off_t>(offset), SEEK_SET) == 0;
}

bool Matches(const MMCKINFO& found, const MMCKINFO& wanted, UINT flags) {
  if (flags & MMIO_FINDRIFF) return found.ckid == kRiff && found.fccType == wanted.fccType;
  if (flags & MMIO_FINDLIST) return found.ckid == kList && found.fccType == wanted.fccType;
  if (flags & MMIO_FINDCHUNK) return found.ckid == wanted.ckid;
  return true;
}

}  // namespace

HMMIO mmioOpenA(const char* name, void* info, DWORD flags) {
  if (!name || info || (flags & ~MMIO_ALLOCBUF) != MMIO_READ) return nullptr;
  std::FILE* stream = PlatformFileOpen(name, "rb");
  if (!stream) return nullptr;
  auto* file = new (std::nothrow) MmioFile;
  if (!file) {
    std::fclose(stream);
    return nullptr;
  }
  file->stream = stream;
  return file;
}

MMRESULT mmioClose(HMMIO file, UINT) {
  if (!file) return MMSYSERR_INVALPARAM;
  std::fclose(file->stream);
  delete file;
  return MMSYSERR_NOERROR;
}

LONG mmioRead(HMMIO file, char* buffer, LONG size) {
  if (!file || !buffer || size < 0) return -1;
  const std::size_t read = std::fread(buffer, 1, static_cast<std::size_t>(size), file->stream);
  if (read < static_cast<std::size_t>(size) && std::ferror(file->stream)) return -1;
  return static_cast<LONG>(read);
}

LONG mmioSeek(HMMIO file, LONG offset, int origin) {
  if (!file || (origin != SEEK_SET && origin != SEEK_CUR && origin != SEEK_END)) return -1;
  if (fseeko(file->stream, offset, origin) != 0) return -1;
  const off_t position = ftello(file->stream);
  return position < 0 || position > kLargestOffset ? -1 : static_cast<LONG>(position);
}

MMRESULT mmioDescend(HMMIO file, MMCKINFO* chunk, const MMCKINFO* parent, UINT flags) {
  if (!file || !chunk) return MMSYSERR_INVALPARAM;
  const std::int64_t parentEnd =
      parent ? static_cast<std::int64_t>(parent->dwDataOffset) + parent->cksize : INT64_MAX;
  for (;;) {
    const std::int64_t position = ftello(file->stream);
    if (position < 0) return MMIOERR_CANNOTSEEK;
    if (position + 8 > parentEnd) return MMIOERR_CHUNKNOTFOUND;
    unsigned char header[12];
    if (std::fread(header, 1, 8, file->stream) != 8) return MMIOERR_CHUNKNOTFOUND;
    MMCKINFO found{};
    found.ckid = ReadLittleEndian32(header);
    found.cksize = ReadLittleEndian32(header + 4);
    found.dwDataOffset = static_cast<DWORD>(position + 8);
    const bool hasForm = found.ckid == kRiff || found.ckid == kList;
    if (hasForm) {
      if (std::fread(header + 8, 1, 4, file->stream) != 4) return MMIOERR_CHUNKNOTFOUND;
      found.fccType = ReadLittleEndian32(header + 8);
    }
    if (Matches(found, *chunk, flags)) {
      *chunk = found;
      return MMSYSERR_NOERROR;
    }
    const std::int64_t next = position + 8 + found.cksize + (found.cksize & 1);
    if (!SeekTo(file->stream, next)) return MMIOERR_CHUNKNOTFOUND;
  }
}

MMRESULT mmioAscend(HMMIO file, MMCKINFO* chunk, UINT) {
  if (!file || !chunk) return MMSYSERR_INVALPARAM;
  const std::int64_t end = static_cast<std::int64_t>(chunk->dwDataOffset) + chunk->cksize + (chunk->cksize & 1);
  return SeekTo(file->stream, end) ? MMSYSERR_NOERROR : MMIOERR_CANNOTSEEK;
}
