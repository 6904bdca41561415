// SanitizerDefaults.cpp - built into the starter only in sanitizer builds.
// The box kits (SDL, and GTK with GLib, fontconfig and X) keep allocations
// for the whole process; they are not ours to free, so LeakSanitizer looks
// past them.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libX11.so\n"
         "leak:libSDL2\n"
         "leak:libgtk-3.so\n"
         "leak:libgdk-3.so\n"
         "leak:libglib-2.0.so\n"
         "leak:libgobject-2.0.so\n"
         "leak:libfontconfig.so\n"
         "leak:libdbus-1.so\n";
}
