// hardening.exe guard (Win32): prints the stack protector's guard value of this run.
#include <cstdint>
#include <cstdio>
#include <string>

extern "C" uintptr_t __stack_chk_guard;

int wmain(int argc, wchar_t** argv) {
  if (argc == 2 && std::wstring(argv[1]) == L"guard") return printf("%llx\n", 0ULL + __stack_chk_guard) < 0;
  return 2;
}
