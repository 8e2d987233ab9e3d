// Defaults that every sanitized Orvane binary (the game, the tests, the
// tools) is built with; ASAN_OPTIONS in the environment still overrides them.
//
// intercept_tls_get_addr=0: when the leak check runs, the runtime's own
// wrapper of __tls_get_addr can take a thread-local block of the GL driver's
// LLVM for an older glibc's layout whenever the block's address ends in 0x010
// within its page; it then reads 16 unrelated bytes as a memory range and
// its thread tracer dies scanning it ("Tracer caught signal 11"), depending
// on nothing but earlier allocations. Without the wrapper the leak check
// still scans every thread's static TLS, and dynamic TLS blocks are ordinary
// heap blocks reached from it, so leaks in Orvane's own code are reported as
// before.
extern "C" const char* __asan_default_options() {
  return "intercept_tls_get_addr=0";
}

// A sound device that fails to open on ALSA leaves about 1 KB behind in
// libdbus, allocated below SDL in the system's own libraries, with no frame
// of Orvane's on its stack; leaks with Orvane's code on their stack are
// still reported.
extern "C" const char* __lsan_default_suppressions() { return "leak:libdbus-1.so\n"; }
