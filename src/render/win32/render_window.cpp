#include "render/win32/render_window.h"

#include <algorithm>
#include <chrono>
#include <future>
#include <new>
#include <string>
#include <utility>
#include <variant>

#include "core/win32/wide_text.h"
#include "core/win32/win32_file_system.h"
#include "render/frame_folder.h"
#include "render/win32/picture_decoder.h"
#include "resource_ids.h"
#include "toolkit/form.h"
#include "toolkit/message_loop.h"
#include "toolkit/picture_surface.h"
#include "toolkit/screen_pointer.h"
#include "toolkit/window_effects.h"

namespace gyra {

namespace {

constexpr wchar_t kCaption[] = L"ﾚﾝﾀﾞﾘﾝｸﾞをしています。";
constexpr wchar_t kErrorTitle[] = L"ﾚﾝﾀﾞﾘﾝｸﾞｴﾗｰ";
constexpr UINT_PTR kRenderTimer = 1;
constexpr UINT kRenderTimerInterval = 1;
// panel_ is the frame with a margin of 10 on every side; frame_box_ sits in it at
// (8, 8).
constexpr int kPanelMargin = 20;
constexpr int kFrameLeft = 8;
constexpr int kFrameTop = 8;

std::wstring Explain(const PictureError& error) {
  switch (error.kind) {
    case PictureError::kNotAPicture:
      return L"画像ﾌｧｲﾙを読み込めませんでした。\n(bmp gif jpg png heic webp …)の画像を指定して下さい。";
    case PictureError::kTooLarge:
      return L"画像のｻｲｽﾞが大きすぎます。";
    case PictureError::kNoDecoder:
      return L"画像ﾌｧｲﾙを読み込めませんでした。\n(" + Widen(error.format) + L")の画像を読み込む機能がこのWindowsにありません。";
  }
  return L"";
}

const wchar_t* Explain(RenderStatus status) {
  switch (status) {
    case RenderStatus::kDone:
    case RenderStatus::kCancelled:
      return L"";
    case RenderStatus::kFrameNotSaved:
      return L"ﾚﾝﾀﾞﾘﾝｸﾞした画像を保存できませんでした。\nﾃﾞｨｽｸの空きとﾌｫﾙﾀﾞを確認して下さい。";
    case RenderStatus::kFolderNotCleared:
      return L"前回ﾚﾝﾀﾞﾘﾝｸﾞした画像を削除できませんでした。";
    case RenderStatus::kBadRadius:
      return L"表示画像のｻｲｽﾞが正しくありません。";
    case RenderStatus::kBadFrameCount:
      return L"ﾌﾚｰﾑ数が正しくありません。";
    case RenderStatus::kBadTrimBand:
      return L"ﾄﾘﾐﾝｸﾞの位置が画像の外にあります。";
    case RenderStatus::kWindowDoesNotAdvance:
      return L"画像の横幅に対してﾌﾚｰﾑ数が多すぎます。\nﾌﾚｰﾑ数を減らすか(横ｽﾄﾚｯﾁ)して下さい。";
    case RenderStatus::kStripTooWide:
      return L"画像が横に長すぎます。\n(横ｽﾄﾚｯﾁ)か(ﾄﾘﾐﾝｸﾞ)して下さい。";
    case RenderStatus::kTooLarge:
      return L"表示画像のｻｲｽﾞが大きすぎます。";
  }
  return L"";
}

class RenderWindow : public Form {
 public:
  RenderWindow(const RenderOptions& options, std::string picture_path, std::string folder)
      : options_(options), picture_path_(std::move(picture_path)), folder_(std::move(folder)) {}

  // The window sized and centred from the radius, the timer armed, the
  // opening zoom played. False when the window cannot be made.
  bool Load(HWND owner);
  // Every frame of the run was written.
  bool done() const { return done_; }

 protected:
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  void RenderWhenShown();
  bool ShowFrame(const RenderedFrame& frame);
  void Fail(const wchar_t* message);
  void OnUnload();

  RenderOptions options_;
  std::string picture_path_;
  std::string folder_;
  PictureSurface panel_;
  PictureSurface frame_box_;
  ZoomAnchor anchor_;
  bool done_ = false;
};

bool RenderWindow::Load(HWND owner) {
  // A radius the run will refuse still gets a window to say so in.
  const int side = 2 * std::max<int>(options_.radius, 1);
  const int panel = side + kPanelMargin;
  if (!Create({.title = kCaption,
               .style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN,
               .parent = owner,
               .background = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)),
               .icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_GYRAFOTO))}))
    return false;
  FitClientAndCentre(panel, panel);
  if (!panel_.Create(hwnd(), 0, 0, panel, panel)) return false;
  // panel_'s own repaints must not cover the frame shown inside it.
  SetWindowLongPtrW(panel_.hwnd(), GWL_STYLE, GetWindowLongPtrW(panel_.hwnd(), GWL_STYLE) | WS_CLIPCHILDREN);
  if (!frame_box_.Create(panel_.hwnd(), kFrameLeft, kFrameTop, side, side)) return false;
  SetTimer(hwnd(), kRenderTimer, kRenderTimerInterval, nullptr);
  anchor_ = ReadZoomAnchor();
  ZoomOutOfPoint(hwnd(), anchor_.x, anchor_.y);
  return true;
}

LRESULT RenderWindow::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_TIMER:
      if (wparam != kRenderTimer) break;
      RenderWhenShown();
      return 0;
    case WM_KEYDOWN:
      if (wparam != VK_ESCAPE) break;
      Unload();
      return 0;
    case WM_CLOSE:  // the close box: an unload like Esc, the owner enabled first
      Unload();
      return 0;
    case WM_SETCURSOR:
      if (ShowScreenPointer(hwnd())) return TRUE;
      break;
    case WM_DESTROY:
      OnUnload();
      break;
  }
  return Default(message, wparam, lparam);
}

// Decoded on a worker thread while this one answers its messages: a large
// photo takes seconds, and Windows marks a window that does not answer for
// five "not responding". Esc meanwhile unloads the window; the decoding,
// which cannot be stopped half-way, still ends first.
std::variant<Surface, PictureError> DecodeAnswering(const std::string& path) {
  auto decoded = std::async(std::launch::async, LoadPictureFile, path);
  while (decoded.wait_for(std::chrono::seconds(0)) != std::future_status::ready) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    if (!DoEvents()) break;  // WM_QUIT: only the wait is left
  }
  return decoded.get();
}

// The whole run happens in the first tick, after the window is up. The
// picture is decoded before anything in the frame folder is touched, and the
// run is planned and refused before any old frame is deleted.
void RenderWindow::RenderWhenShown() {
  KillTimer(hwnd(), kRenderTimer);
  const auto loaded = DecodeAnswering(picture_path_);
  if (!hwnd()) return;
  if (const auto* error = std::get_if<PictureError>(&loaded)) return Fail(Explain(*error).c_str());
  Win32FileSystem files;
  RenderStatus status = RenderStatus::kTooLarge;
  try {
    status = RenderToFolder(files, folder_, std::get<Surface>(loaded).View(), options_,
                            [this](const RenderedFrame& frame) { return ShowFrame(frame); });
  } catch (const std::bad_alloc&) {
    // The strip of a wide picture at a large radius can be more than a
    // 32-bit process finds room for: told as too large, never a crash.
  }
  if (status == RenderStatus::kDone) {
    done_ = true;
    Unload();
  } else if (status != RenderStatus::kCancelled) {
    Fail(Explain(status));
  }
}

// The frame (already saved) into frame_box_, the counter into the caption, then
// the one yield of the frame, where Esc can unload the window.
bool RenderWindow::ShowFrame(const RenderedFrame& frame) {
  const SurfaceView shown = frame_box_.View();
  if (shown.width == frame.pixels.width && shown.height == frame.pixels.height) {
    std::copy_n(frame.pixels.pixels, static_cast<size_t>(shown.width) * shown.height, shown.pixels);
    frame_box_.Refresh();
  }
  SetTitle(Widen(RenderCaption(frame.caption_count, options_.frame_count)));
  return DoEvents() && hwnd() != nullptr;
}

void RenderWindow::Fail(const wchar_t* message) {
  MessageBoxW(hwnd(), message, kErrorTitle, MB_OK | MB_ICONEXCLAMATION);
  Unload();
}

// Every unload, finished or not: the default pointer back, the closing zoom
// into the point the window grew from.
void RenderWindow::OnUnload() {
  SetScreenPointer(hwnd(), ScreenPointer::kDefault);
  ZoomIntoPoint(hwnd(), anchor_.x, anchor_.y);
}

}  // namespace

bool ShowRenderWindow(HWND owner, const RenderOptions& options, const std::string& picture_path,
                      const std::string& folder) {
  RenderWindow form(options, picture_path, folder);
  if (!form.Load(owner)) {
    form.Unload();
    SetScreenPointer(owner, ScreenPointer::kDefault);  // also when no window was made at all
    MessageBoxW(owner, Explain(RenderStatus::kTooLarge), kErrorTitle, MB_OK | MB_ICONEXCLAMATION);
    return false;
  }
  form.ShowModal();
  // A WM_QUIT ends the modal loop with the window still up; unloading it
  // here, while the form is whole, still runs its unload handler.
  form.Unload();
  return form.done();
}

}  // namespace gyra
