#include "app/win32/preview_window.h"

#include <algorithm>

#include "resource_ids.h"
#include "toolkit/form.h"
#include "toolkit/image_control.h"
#include "toolkit/message_loop.h"

namespace gyra {

namespace {

constexpr UINT_PTR kHostWatch = 1;
// The host's preview area at 100 % and the globe's side drawn for it.
constexpr int kUsualAreaWidth = 152, kUsualAreaHeight = 112, kGlobeSide = 110;

// The globe's side for a preview area: larger on a scaled display, where the
// host's little monitor is larger too.
int GlobeSideFor(const RECT& area) {
  const double scale = std::min(double(area.right) / kUsualAreaWidth, double(area.bottom) / kUsualAreaHeight);
  return std::max(1, static_cast<int>(kGlobeSide * std::max(scale, 1.0) + 0.5));
}

// A borderless black child covering the host's client area, with the globe
// at its own size in the top-left corner. It ends the process when it is
// destroyed, which the host does when it closes or switches savers.
class PreviewWindow : public Form {
 public:
  bool Load(HWND host) {
    host_ = host;
    RECT area;
    GetClientRect(host, &area);
    if (!Create({.style = WS_CHILD | WS_CLIPCHILDREN,
                 .bounds = {0, 0, area.right, area.bottom},
                 .parent = host,
                 .background = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))}))
      return false;
    const int side = GlobeSideFor(area);  // the bitmap's own pixels at its own size
    globe_.Create(hwnd(), 0, 0, side, side, RGB(0, 0, 0));
    globe_.SetPicture(static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_PREVIEW_GLOBE),
                                                        IMAGE_BITMAP, side == kGlobeSide ? 0 : side,
                                                        side == kGlobeSide ? 0 : side, LR_CREATEDIBSECTION)));
    // Belt and braces: should the host vanish without destroying its
    // children (a crashed host), notice it and end as well.
    SetTimer(hwnd(), kHostWatch, 500, nullptr);
    return true;
  }

 protected:
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override {
    switch (message) {
      case WM_TIMER:
        if (wparam == kHostWatch && !IsWindow(host_)) Unload();
        return 0;
      case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
      default:
        return Default(message, wparam, lparam);
    }
  }

 private:
  HWND host_ = nullptr;
  ImageControl globe_;
};

}  // namespace

int RunPreview(HWND host) {
  if (!host || !IsWindow(host)) return 0;
  PreviewWindow preview;
  if (!preview.Load(host)) return 0;
  preview.Show();
  return RunMessageLoop();
}

}  // namespace gyra
