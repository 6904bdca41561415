// SanitizerDefaults.cpp - built into the program only in sanitizer builds.
// The GL driver, D-Bus, X and SDL libraries keep allocations for the whole
// process; they are not ours to free, so LeakSanitizer looks past them.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libdbus-1.so\n"
         "leak:swrast_dri.so\n"
         "leak:libGLX_mesa.so\n"
         "leak:libX11.so\n"
         "leak:libSDL2\n"
         "leak:libLLVM\n"
         "leak:libEGL_mesa.so\n"
         "leak:libgallium\n";
}
