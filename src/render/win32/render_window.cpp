#include "render/win32/render_window.h"

#include <algorithm>
#include <new>
#include <string>
#include <utility>
#include <variant>

#include "render/frame_folder.h"
#include "render/win32/picture_decoder.h"
#include "resource_ids.h"
#include "startup/globals.h"
#include "startup/win32/win32_file_system.h"
#include "startup/win32/window_effects.h"
#include "toolkit/form.h"
#include "toolkit/message_loop.h"
#include "toolkit/picture_surface.h"
#include "toolkit/screen_pointer.h"
#include "toolkit/text.h"

namespace gyra {

namespace {

constexpr wchar_t kCaption[] = L"ﾚﾝﾀﾞﾘﾝｸﾞをしています。";
constexpr wchar_t kErrorTitle[] = L"ﾚﾝﾀﾞﾘﾝｸﾞｴﾗｰ";
constexpr UINT_PTR kTimer1 = 1;
constexpr UINT kTimer1Interval = 1;
// Pic_B is the frame with a margin of 10 on every side; Pic_Aft sits in it at
// (8, 8). The outer size adds the window border and the caption bar.
constexpr int kPanelMargin = 20;
constexpr int kFrameLeft = 8;
constexpr int kFrameTop = 8;
constexpr int kBorderWidth = 8;
constexpr int kBorderHeight = 27;

const wchar_t* Explain(PictureError error) {
  switch (error) {
    case PictureError::kNotAPicture:
      return L"画像ﾌｧｲﾙを読み込めませんでした。\n(bmp gif jpg wmf)の画像を指定して下さい。";
    case PictureError::kTooLarge:
      return L"画像のｻｲｽﾞが大きすぎます。";
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

class Vorten_R : public Form {
 public:
  Vorten_R(const RenderOptions& options, std::string Orgn_Path, std::string Image2_Path)
      : options_(options), Orgn_Path_(std::move(Orgn_Path)), Image2_Path_(std::move(Image2_Path)) {}

  // Form_Load: the window sized and centred from the radius, the timer armed,
  // the opening zoom played. False when the window cannot be made.
  bool Load(HWND owner);
  // Every frame of the run was written.
  bool done() const { return done_; }

 protected:
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  void Timer1_Timer();
  bool ShowFrame(const RenderedFrame& frame);
  void Fail(const wchar_t* message);
  void Form_QueryUnload();

  RenderOptions options_;
  std::string Orgn_Path_;
  std::string Image2_Path_;
  PictureSurface Pic_B;
  PictureSurface Pic_Aft;
  ZoomAnchor anchor_;
  bool done_ = false;
};

bool Vorten_R::Load(HWND owner) {
  // A radius the run will refuse still gets a window to say so in.
  const int N = std::max<int>(options_.Disp_Size, 1);
  const int panel = 2 * N + kPanelMargin;
  if (!Create({.title = kCaption,
               .style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN,
               .bounds = CentredOnScreen(panel + kBorderWidth, panel + kBorderHeight),
               .parent = owner,
               .background = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)),
               .icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_GYRAFOTO))}))
    return false;
  if (!Pic_B.Create(hwnd(), 0, 0, panel, panel)) return false;
  // Pic_B's own repaints must not cover the frame shown inside it.
  SetWindowLongPtrW(Pic_B.hwnd(), GWL_STYLE, GetWindowLongPtrW(Pic_B.hwnd(), GWL_STYLE) | WS_CLIPCHILDREN);
  if (!Pic_Aft.Create(Pic_B.hwnd(), kFrameLeft, kFrameTop, 2 * N, 2 * N)) return false;
  SetTimer(hwnd(), kTimer1, kTimer1Interval, nullptr);
  anchor_ = ReadZoomAnchor();
  ZoomOpen(hwnd(), anchor_.Cur_X, anchor_.Cur_Y);
  return true;
}

LRESULT Vorten_R::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_TIMER:
      if (wparam != kTimer1) break;
      Timer1_Timer();
      return 0;
    case WM_KEYDOWN:
      if (wparam != VK_ESCAPE) break;
      Unload();
      return 0;
    case WM_CLOSE:  // the close box: an unload like Esc, the owner enabled first
      Unload();
      return 0;
    case WM_SETCURSOR:
      if (ShowScreenPointer()) return TRUE;
      break;
    case WM_DESTROY:
      Form_QueryUnload();
      break;
  }
  return Default(message, wparam, lparam);
}

// The whole run happens in the first tick, after the window is up. The
// picture is decoded before anything in the frame folder is touched, and the
// run is planned and refused before any old frame is deleted.
void Vorten_R::Timer1_Timer() {
  KillTimer(hwnd(), kTimer1);
  const auto loaded = LoadPictureFile(Orgn_Path_);
  if (const auto* error = std::get_if<PictureError>(&loaded)) return Fail(Explain(*error));
  Win32FileSystem files;
  RenderStatus status = RenderStatus::kTooLarge;
  try {
    status = RenderToFolder(files, Image2_Path_, std::get<Surface>(loaded).View(), options_,
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

// The frame (already saved) into Pic_Aft, the counter into the caption, then
// the one yield of the frame, where Esc can unload the window.
bool Vorten_R::ShowFrame(const RenderedFrame& frame) {
  const SurfaceView shown = Pic_Aft.View();
  if (shown.width == frame.pixels.width && shown.height == frame.pixels.height) {
    std::copy_n(frame.pixels.pixels, static_cast<size_t>(shown.width) * shown.height, shown.pixels);
    Pic_Aft.Refresh();
  }
  SetTitle(Widen(RenderCaption(frame.caption_count, options_.Flame_Count)));
  return DoEvents() && hwnd() != nullptr;
}

void Vorten_R::Fail(const wchar_t* message) {
  MessageBoxW(hwnd(), message, kErrorTitle, MB_OK | MB_ICONEXCLAMATION);
  Unload();
}

// Every unload, finished or not: the default pointer back, the closing zoom
// into the point the window grew from.
void Vorten_R::Form_QueryUnload() {
  SetScreenPointer(ScreenPointer::kDefault);
  ZoomClose(hwnd(), anchor_.Cur_X, anchor_.Cur_Y);
}

}  // namespace

void ShowRenderWindow(HWND owner) {
  Render_Done = false;
  const RenderOptions options{.Disp_Size = Config.Disp_Size,
                              .Flame_Count = Config.Flame_Count,
                              .Stretch_On = Config.Stretch_On,
                              .Trim_On = Config.Trim_On,
                              .Trim_Y = Config.Trim_Y};
  Vorten_R form(options, Config.Orgn_Path, Paths.Image2_Path);
  if (!form.Load(owner)) {
    form.Unload();
    SetScreenPointer(ScreenPointer::kDefault);  // also when no window was made at all
    MessageBoxW(owner, Explain(RenderStatus::kTooLarge), kErrorTitle, MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  form.ShowModal();
  // A WM_QUIT ends the modal loop with the window still up; unloading it
  // here, while the form is whole, still runs its unload handler.
  form.Unload();
  Render_Done = form.done();
}

}  // namespace gyra
