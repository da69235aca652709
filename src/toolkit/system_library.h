// Windows layer: system DLLs that are not among Windows' Known DLLs, loaded
// from the system folder only, so that a same-named file in the program's
// folder (Downloads, say) never runs inside the program.
#pragma once

#include <windows.h>

namespace gyra {

// Makes the system folder the only place the process loads DLLs from by
// name. Called first thing at start-up, before anything loads a DLL.
void RestrictDllSearchToSystemFolder();

// The system folder's copy of the DLL, or nullptr where it cannot be loaded.
HMODULE LoadSystemLibrary(const wchar_t* name);

// The DLL's function `name` as a pointer of type F, or nullptr.
template <class F>
F SystemFunction(HMODULE library, const char* name) {
  if (!library) return nullptr;
  return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

}  // namespace gyra
