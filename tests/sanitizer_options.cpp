// Sanitizer settings of the test binary, built in so that a test run by hand
// behaves exactly like one run by ctest.

extern "C" {

// Full stacks, so that leak reports (and the suppressions below) see every frame.
const char* __asan_default_options() { return "fast_unwind_on_malloc=0:detect_leaks=1"; }

const char* __ubsan_default_options() { return "print_stacktrace=1:halt_on_error=1"; }

// Allocations that system libraries keep for the life of the process (font
// caches, driver state). Leaks in the game's own code are not hidden.
const char* __lsan_default_suppressions() {
  return "leak:libharfbuzz.so\n"
         "leak:libfontconfig.so\n"
         "leak:libfreetype.so\n"
         "leak:libSDL2-2.0.so\n"
         "leak:libSDL2_ttf-2.0.so\n"
         "leak:libSDL2_mixer-2.0.so\n"
         "leak:libSDL2_image-2.0.so\n"
         "leak:libdbus-1.so\n"
         "leak:libX11.so\n";
}

}  // extern "C"
