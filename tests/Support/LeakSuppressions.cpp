// LeakSuppressions.cpp - compiled into every test executable. The GL driver,
// D-Bus, X and SDL libraries keep allocations for the whole process; they are
// not ours to free, so LeakSanitizer is told to look past them.
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
