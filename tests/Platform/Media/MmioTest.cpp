// Tests of the RIFF chunk calls: finding the form, skipping chunks with their
// padding, staying inside the parent, ascending to the next chunk.
#include <cstdio>
#include <string>

#include <gtest/gtest.h>

#include "Platform/Mmio.h"
#include "tests/Support/TestSupport.h"

namespace {

std::string LittleEndian32(std::uint32_t value) {
  std::string out;
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
  return out;
}

std::string Chunk(const std::string& id, const std::string& data) {
  std::string out = id + LittleEndian32(static_cast<std::uint32_t>(data.size())) + data;
  if (data.size() % 2) out.push_back('\0');
  return out;
}

class MmioTest : public TempDirTest {};

}  // namespace

TEST_F(MmioTest, DescendFindsChunksInsideTheirParentOnly) {
  // RIFF/WAVE holding an odd-sized "junk" chunk (padded), "fmt " and "data";
  // after the RIFF chunk, a stray "late" chunk.
  const std::string body = "WAVE" + Chunk("junk", "abc") + Chunk("fmt ", std::string(16, 'f')) + Chunk("data", "0123");
  WriteFile("a.wav", Chunk("RIFF", body) + Chunk("late", "zz"));
  HMMIO file = mmioOpenA("a.wav", nullptr, MMIO_READ | MMIO_ALLOCBUF);
  ASSERT_NE(file, nullptr);

  MMCKINFO riff{};
  riff.fccType = mmioFOURCC('W', 'A', 'V', 'E');
  ASSERT_EQ(mmioDescend(file, &riff, nullptr, MMIO_FINDRIFF), MMSYSERR_NOERROR);
  EXPECT_EQ(riff.dwDataOffset, 8u);
  EXPECT_EQ(riff.cksize, body.size());

  MMCKINFO format{};
  format.ckid = mmioFOURCC('f', 'm', 't', ' ');
  ASSERT_EQ(mmioDescend(file, &format, &riff, MMIO_FINDCHUNK), MMSYSERR_NOERROR);
  EXPECT_EQ(format.cksize, 16u);
  EXPECT_EQ(format.dwDataOffset, 8u + 4u + 12u + 8u);  // after "WAVE" and the padded junk chunk

  ASSERT_EQ(mmioAscend(file, &format, 0), MMSYSERR_NOERROR);
  MMCKINFO data{};
  data.ckid = mmioFOURCC('d', 'a', 't', 'a');
  ASSERT_EQ(mmioDescend(file, &data, &riff, MMIO_FINDCHUNK), MMSYSERR_NOERROR);
  char bytes[5] = {};
  EXPECT_EQ(mmioRead(file, bytes, 4), 4);
  EXPECT_STREQ(bytes, "0123");

  // "late" lies after the parent: not found from inside it, found without it.
  MMCKINFO late{};
  late.ckid = mmioFOURCC('l', 'a', 't', 'e');
  ASSERT_EQ(mmioSeek(file, static_cast<LONG>(riff.dwDataOffset) + 4, SEEK_SET), 12);
  EXPECT_EQ(mmioDescend(file, &late, &riff, MMIO_FINDCHUNK), MMIOERR_CHUNKNOTFOUND);
  ASSERT_EQ(mmioSeek(file, 0, SEEK_SET), 0);
  EXPECT_EQ(mmioDescend(file, &late, nullptr, MMIO_FINDCHUNK), MMSYSERR_NOERROR);
  EXPECT_EQ(mmioRead(file, bytes, 10), 2);  // only the chunk's two bytes are left
  EXPECT_EQ(mmioClose(file, 0), MMSYSERR_NOERROR);
}

TEST_F(MmioTest, AHeaderCutByTheEndOfTheFileIsNotAChunk) {
  WriteFile("short.wav", "RIFF\x20\x00");
  HMMIO file = mmioOpenA("short.wav", nullptr, MMIO_READ);
  ASSERT_NE(file, nullptr);
  MMCKINFO riff{};
  riff.fccType = mmioFOURCC('W', 'A', 'V', 'E');
  EXPECT_EQ(mmioDescend(file, &riff, nullptr, MMIO_FINDRIFF), MMIOERR_CHUNKNOTFOUND);
  mmioClose(file, 0);
  EXPECT_EQ(mmioOpenA("missing.wav", nullptr, MMIO_READ), nullptr);
}
