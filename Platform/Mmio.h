// Mmio.h - the multimedia file calls the engine reads RIFF (WAV) files with:
// open, read, seek, and descending into and ascending out of chunks. Our own
// declarations with the Win32 values, over a buffered C stream.
//
// A chunk is an id (four characters), a 32-bit little-endian size and its
// data, padded to an even length; "RIFF" and "LIST" chunks begin their data
// with a form type. Nothing here checks that a chunk's size fits its parent or
// the file: readers compare MMCKINFO's dwDataOffset and cksize with their
// parent and with the file size (mmioSeek to the end) before trusting them.
#pragma once

#include "Platform/Win32Types.h"

using FOURCC = DWORD;
using MMRESULT = UINT;
struct MmioFile;
using HMMIO = MmioFile*;

constexpr FOURCC mmioFOURCC(char a, char b, char c, char d) {
  return static_cast<FOURCC>(static_cast<unsigned char>(a)) |
         (static_cast<FOURCC>(static_cast<unsigned char>(b)) << 8) |
         (static_cast<FOURCC>(static_cast<unsigned char>(c)) << 16) |
         (static_cast<FOURCC>(static_cast<unsigned char>(d)) << 24);
}

struct MMCKINFO {
  FOURCC ckid;
  DWORD cksize;
  FOURCC fccType;       // form type of "RIFF" and "LIST" chunks
  DWORD dwDataOffset;   // file offset of the chunk's data (after id and size)
  DWORD dwFlags;
};

// mmioOpenA flags: reading is the only mode; a read buffer is always used.
constexpr DWORD MMIO_READ = 0x00000000;
constexpr DWORD MMIO_ALLOCBUF = 0x00010000;
// mmioDescend flags.
constexpr UINT MMIO_FINDCHUNK = 0x0010;
constexpr UINT MMIO_FINDRIFF = 0x0020;
constexpr UINT MMIO_FINDLIST = 0x0040;

constexpr MMRESULT MMSYSERR_NOERROR = 0;
constexpr MMRESULT MMSYSERR_INVALPARAM = 11;
constexpr MMRESULT MMIOERR_CANNOTSEEK = 263;
constexpr MMRESULT MMIOERR_CHUNKNOTFOUND = 265;

// Opens a game path (Platform/Files.h) for reading; info must be null. Null
// when it cannot be opened or flags ask for anything but reading.
HMMIO mmioOpenA(const char* name, void* info, DWORD flags);
MMRESULT mmioClose(HMMIO file, UINT flags);
// Reads up to size bytes: the count read (0 at the end), -1 on error.
LONG mmioRead(HMMIO file, char* buffer, LONG size);
// SEEK_SET, SEEK_CUR or SEEK_END: the new position, -1 on error.
LONG mmioSeek(HMMIO file, LONG offset, int origin);
// Reads the chunk header at the current position into chunk. With
// MMIO_FINDRIFF / MMIO_FINDLIST / MMIO_FINDCHUNK it skips chunks until one
// with the id (and for RIFF and LIST the form type in chunk->fccType) given in
// chunk; the search stays within parent when one is given.
// MMIOERR_CHUNKNOTFOUND at the end of the parent or the file. Afterwards the
// position is the chunk's data (after the form type for RIFF and LIST).
MMRESULT mmioDescend(HMMIO file, MMCKINFO* chunk, const MMCKINFO* parent, UINT flags);
// Moves to the end of the chunk (its even-padded length).
MMRESULT mmioAscend(HMMIO file, MMCKINFO* chunk, UINT flags);
