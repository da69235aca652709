// Windows layer: the stack protector's guard value and its failure handler,
// in place of the compiler's runtime library. That library seeds the guard
// through CryptAcquireContextA, which loads the system's crypto providers
// by name before the entry point has restricted where DLLs come from. The
// seed here is made, as Microsoft's own compiler makes it, from readings
// that need no DLL beyond kernel32.
#include <windows.h>
#include <intrin.h>

#include <cstdint>

// The protector's interface with the code it instruments: one value for the
// whole process, by its fixed name, written once before anything it guards runs.
extern "C" {

uintptr_t __stack_chk_guard = static_cast<uintptr_t>(0x2B992DDFA23249D6ULL);

// A stack that was overwritten: end at once, running nothing of the program's.
[[noreturn]] void __stack_chk_fail() {
  TerminateProcess(GetCurrentProcess(), STATUS_STACK_BUFFER_OVERRUN);
  __builtin_unreachable();
}

}  // extern "C"

namespace {

// Before the C++ constructors, and unguarded itself: a guarded function
// would find the value changed when it returns.
__attribute__((constructor(101), no_stack_protector)) void SeedStackGuard() {
  FILETIME time;
  GetSystemTimeAsFileTime(&time);
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  uint64_t seed = (static_cast<uint64_t>(time.dwHighDateTime) << 32 | time.dwLowDateTime) ^
                  static_cast<uint64_t>(counter.QuadPart) << 16 ^ __rdtsc() ^
                  static_cast<uint64_t>(GetCurrentProcessId()) << 40 ^ GetCurrentThreadId() ^
                  reinterpret_cast<uintptr_t>(&time);  // the stack's place, which ASLR chooses
  seed ^= seed >> 32;
  __stack_chk_guard ^= static_cast<uintptr_t>(seed * 0x9E3779B97F4A7C15ULL);
}

}  // namespace
