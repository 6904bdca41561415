// GenImage.h - the game record's file image, the block a saved game stores.
//
// The image is 4,070,740 little-endian bytes at fixed offsets; links are
// written as zero and never read back. Saved games on disk hold this
// layout, so the offsets stay as they are.
#pragma once

#include <cstdint>

struct Gen;

constexpr int kGenImageSize = 4070740;
constexpr float kGenRecordVersion = 4.3f;

// Writes the record's 4,070,740-byte image (links as zero).
void GenWriteImage(const Gen& gen, uint8_t* out);
// Reads an image into a record. Every count and pile is range-checked; a bad
// value gives false with "Invalid game image (%s)" and the record may be
// partly changed, so read into a scratch record and copy it on success.
bool GenReadImage(Gen& gen, const uint8_t* in);
