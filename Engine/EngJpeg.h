// EngJpeg.h - writing JPEG files through libjpeg's compression interface.
//
// Used for the printable card sheets. Only writing: the engine never reads
// JPEG itself (textures load pictures through the graphics back end).
// Failures are one DebugError line under the function's name and false; a
// file that could not be finished (a full disk) is removed.
#pragma once

class EngTga;

// Writes width x height pixels of rgbRows (rows top-down, 3 bytes R, G, B per
// pixel, no padding) as a baseline JPEG of the given quality (0-100). When
// dotsPerInch is above 0 the file records that density in both directions.
// "Invalid Parameters" for a null name or buffer or a size below 1; "Cannot
// open file %s" when the file cannot be created; libjpeg's own message when
// the library fails (also for a write that fails); "Could not write file %s"
// when the last bytes could not be flushed.
bool EngJpegWriteFileFromBuffer(const char* name, int quality, int dotsPerInch, int width,
                                int height, const unsigned char* rgbRows);

// Writes a 32-bit image as JPEG: its rows turned top-down, alpha dropped.
// "Invalid Parameters" without a name or image data; "Invalid data Bpp (%d)"
// for an image that is not 32-bit.
bool EngJpegSaveToFileFromTga(const char* name, const EngTga* image, int quality,
                              int dotsPerInch);
