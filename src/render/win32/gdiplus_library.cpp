#include "render/win32/gdiplus_library.h"

#include <optional>

#include "toolkit/system_library.h"

namespace gyra {

namespace {

using namespace Gdiplus;

template <class F>
bool Find(HMODULE library, F& function, const char* name) {
  function = SystemFunction<F>(library, name);
  return function != nullptr;
}

// Every function from the library, or nothing if one is missing.
std::optional<GdiplusFunctions> FindFunctions(HMODULE library) {
  GdiplusFunctions found;
  bool complete = Find(library, found.GdiplusStartup, "GdiplusStartup") &&
                  Find(library, found.GdiplusShutdown, "GdiplusShutdown");
#define GYRA_FIND(name) complete = complete && Find(library, found.name, #name);
  GYRA_GDIPLUS_FLAT_FUNCTIONS(GYRA_FIND)
#undef GYRA_FIND
  if (!complete) return std::nullopt;
  return found;
}

// GDI+ from the system folder, started once, on first use, and shut down
// when the process ends.
class GdiplusSession {
 public:
  GdiplusSession() : functions_(FindFunctions(LoadSystemLibrary(L"gdiplus.dll"))) {
    GdiplusStartupInput input;
    started_ = functions_ && functions_->GdiplusStartup(&token_, &input, nullptr) == Ok;
  }
  ~GdiplusSession() {
    if (started_) functions_->GdiplusShutdown(token_);
  }
  GdiplusSession(const GdiplusSession&) = delete;
  GdiplusSession& operator=(const GdiplusSession&) = delete;

  // Null where GDI+ could not be loaded or started.
  const GdiplusFunctions* functions() const { return started_ ? &*functions_ : nullptr; }

 private:
  std::optional<GdiplusFunctions> functions_;
  ULONG_PTR token_ = 0;
  bool started_ = false;
};

}  // namespace

const GdiplusFunctions* StartedGdiplus() {
  static const GdiplusSession session;
  return session.functions();
}

}  // namespace gyra
