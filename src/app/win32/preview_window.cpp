#include "app/win32/preview_window.h"

#include "resource_ids.h"
#include "toolkit/form.h"
#include "toolkit/image_control.h"
#include "toolkit/message_loop.h"

namespace gyra {

namespace {

constexpr UINT_PTR kHostWatch = 1;

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
    globe_.Create(hwnd(), 0, 0, area.right, area.bottom, RGB(0, 0, 0));
    globe_.SetPicture(static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr),
                                                        MAKEINTRESOURCEW(IDB_PREVIEW_GLOBE), IMAGE_BITMAP,
                                                        0, 0, LR_CREATEDIBSECTION)));
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

int RunPreview(int32_t host_handle) {
  // Window handles are 32-bit values, sign-extended on 64-bit Windows.
  HWND host = reinterpret_cast<HWND>(static_cast<LONG_PTR>(host_handle));
  if (host_handle == 0 || !IsWindow(host)) return 0;
  PreviewWindow preview;
  if (!preview.Load(host)) return 0;
  preview.Show();
  return RunMessageLoop();
}

}  // namespace gyra
