// Windows layer: functions of newer Windows versions, looked up at run time
// so that the program still starts on the older ones.
#pragma once

#include <windows.h>

namespace gyra {

// A system DLL, loaded from the system folder only so that no copy planted
// beside the program can stand in for it; nullptr if there is none.
inline HMODULE LoadSystemLibrary(const wchar_t* name) {
  return LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
}

// The function `name` of module as type Function, or nullptr.
template <typename Function>
Function SystemFunction(HMODULE module, const char* name) {
  if (!module) return nullptr;
  // Through a plain function pointer: FARPROC's own type differs from all.
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

}  // namespace gyra
