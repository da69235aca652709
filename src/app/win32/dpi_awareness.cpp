#include "app/win32/dpi_awareness.h"

#include "toolkit/system_library.h"

namespace gyra {

namespace {

// The values of DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2 and
// DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE, and of PROCESS_PER_MONITOR_DPI_AWARE.
const HANDLE kPerMonitorAwareV2 = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4));
const HANDLE kPerMonitorAware = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-3));
constexpr int kProcessPerMonitorAware = 2;

}  // namespace

void DeclarePerMonitorDpiAware() {
  // Windows 10 1703 and later, then 1607.
  using SetContext = BOOL(WINAPI*)(HANDLE);
  const HMODULE user32 = GetModuleHandleW(L"user32.dll");
  if (const auto set_context = SystemFunction<SetContext>(user32, "SetProcessDpiAwarenessContext")) {
    if (set_context(kPerMonitorAwareV2) || set_context(kPerMonitorAware)) return;
  }
  // Windows 8.1; shcore only from the system folder.
  using SetAwareness = HRESULT(WINAPI*)(int);
  const HMODULE shcore = LoadSystemLibrary(L"shcore.dll");
  const auto set_awareness = SystemFunction<SetAwareness>(shcore, "SetProcessDpiAwareness");
  const bool done = set_awareness && SUCCEEDED(set_awareness(kProcessPerMonitorAware));
  if (shcore) FreeLibrary(shcore);
  if (done) return;
  // Windows Vista and 7: aware of the one system DPI.
  SetProcessDPIAware();
}

void MatchDpiAwarenessOf(HWND host) {
  using GetContext = HANDLE(WINAPI*)(HWND);
  using SetContext = HANDLE(WINAPI*)(HANDLE);
  const HMODULE user32 = GetModuleHandleW(L"user32.dll");
  const auto get_context = SystemFunction<GetContext>(user32, "GetWindowDpiAwarenessContext");
  const auto set_context = SystemFunction<SetContext>(user32, "SetThreadDpiAwarenessContext");
  if (get_context && set_context)
    if (const HANDLE context = get_context(host)) set_context(context);
}

}  // namespace gyra
