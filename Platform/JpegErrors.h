// JpegErrors.h - libjpeg's error handling for our JPEG reader and writer.
// libjpeg reports a fatal error by calling error_exit, whose default ends
// the process; this manager jumps back to the caller's setjmp instead, with
// the library's message, and drops warnings and traces. Between setjmp and
// the library calls the caller may keep only plain C locals (the jump skips
// destructors), and must destroy its libjpeg object after the jump.
#pragma once

#include <csetjmp>
#include <cstdio>  // jpeglib.h needs FILE

#include <jpeglib.h>

struct JpegErrorManager {
  jpeg_error_mgr base;  // first, so the library's pointer is ours
  std::jmp_buf jump;    // set by the caller with setjmp before any library call
  char message[JMSG_LENGTH_MAX];  // the fatal error's text after the jump
};

// Readies manager (empty message) and returns the pointer to store in the
// libjpeg object's err field.
jpeg_error_mgr* JpegUseErrorManager(JpegErrorManager* manager);
