// LeakSuppressions.cpp - compiled into every test executable. The GL driver,
// D-Bus, X and SDL libraries keep allocations for the whole process; they are
// not ours to free, so LeakSanitizer is told to look past them.
//
// The sanitizer runtime of GCC 13 and older takes a dynamic TLS block that
// happens to start 16 bytes past a page boundary for an old glibc layout and
// reads a size from before it; the leak check at exit then dies in its
// tracer ("Tracer caught signal 11") after the test itself passed, in one
// build and not the next. Not following __tls_get_addr avoids the misread;
// the blocks are then not searched for pointers, which can only report more.
extern "C" const char* __asan_default_options() { return "intercept_tls_get_addr=0"; }

extern "C" const char* __lsan_default_suppressions() {
  return "leak:libdbus-1.so\n"
         "leak:swrast_dri.so\n"
         "leak:libGLX_mesa.so\n"
         "leak:libX11.so\n"
         "leak:libSDL2\n"
         "leak:libLLVM\n"
         "leak:libEGL_mesa.so\n"
         "leak:libgallium\n"
         "leak:libgtk-3.so\n"
         "leak:libgdk-3.so\n"
         "leak:libglib-2.0.so\n"
         "leak:libgobject-2.0.so\n"
         "leak:libfontconfig.so\n"
         "leak:libfluidsynth.so\n";
}
