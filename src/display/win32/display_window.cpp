#include "display/win32/display_window.h"

#include <windowsx.h>

#include <optional>

#include "display/background_music.h"
#include "display/bounce_motion.h"
#include "display/frame_cycle.h"
#include "display/motion.h"
#include "display/win32/display_surface.h"
#include "display/win32/frame_images.h"
#include "display/win32/paced_steps.h"
#include "display/win32/winmm_sender.h"
#include "startup/globals.h"
#include "startup/win32/win32_file_system.h"
#include "toolkit/form.h"
#include "toolkit/message_loop.h"

namespace gyra {

namespace {

constexpr UINT_PTR kTimer2 = 2;
constexpr UINT kTimer2Interval = 200;

class Vorten_A : public Form {
 public:
  // The whole screensaver: loads the frames, starts the music, shows the
  // window on top of everything and plays until input ends the process.
  // False, with nothing shown, when no frame file can be decoded.
  bool Load() {
    Master.Load(File_List);
    if (!Master.AnyDecoded()) return false;
    // The ball plays on the primary monitor; the window covers every
    // monitor, so that all of them go black and input on any of them counts.
    const int Scr_W = GetSystemMetrics(SM_CXSCREEN);
    const int Scr_H = GetSystemMetrics(SM_CYSCREEN);
    const RECT all = AllMonitors();
    primary_at_ = {-all.left, -all.top};
    const int width = all.right - all.left;
    const int height = all.bottom - all.top;
    if (!Create({.title = L"Gyrafoto",
                 .style = WS_POPUP | WS_CLIPCHILDREN,
                 .bounds = all,
                 .background = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))}))
      return true;
    if (!Display.Create(hwnd(), 0, 0, width, height)) return true;
    Display.OnMouse([this](UINT message, LPARAM lparam) { Display_Mouse(message, lparam); });

    music_.Start();
    if (music_.TimerEnabled()) SetTimer(hwnd(), kTimer2, kTimer2Interval, nullptr);
    FrameCycle frames(Master.count(), Config.Kaiten_Ptn);
    Stop_Flag = false;
    SetWindowPos(hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    Show();
    SetForegroundWindow(hwnd());

    const auto motion = MakeMotion(Config.Move_Ptn, Scr_W, Scr_H, Config.Disp_Size, ClockSeededDraw());
    if (motion) Play(*motion, frames);
    else RunMessageLoop();  // no pattern: a black screen that still ends on input
    return true;
  }

 protected:
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override {
    switch (message) {
      case WM_LBUTTONDOWN:
      case WM_RBUTTONDOWN:
      case WM_MBUTTONDOWN:
      case WM_XBUTTONDOWN:
      case WM_CLOSE:
        End();
      case WM_KEYDOWN:
      case WM_SYSKEYDOWN:
        if (!music_.KeyDown(static_cast<int>(wparam))) End();
        return 0;
      case WM_TIMER:
        if (wparam == kTimer2) Timer2_Timer();
        return 0;
      default:
        return Default(message, wparam, lparam);
    }
  }

 private:
  // The virtual screen: the rectangle round every monitor, in the primary
  // monitor's coordinates (it may reach left of or above 0, 0).
  static RECT AllMonitors() {
    const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
    const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    return {left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN), top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
  }

  // One step: next frame at the pattern's next point; the window's other
  // handlers run while it waits for the next step. Ending never returns here.
  void Play(Motion& motion, FrameCycle& frames) {
    const int S = Config.Disp_Size;
    RunPacedSteps(Config.Speed, [&] {
      const int16_t frame = frames.Next();
      const Point P = motion.Step();
      Display.ShowFrame(Master, frame, primary_at_.x + P.x - S, primary_at_.y + P.y - S);
      return !Stop_Flag;
    });
  }

  // Any button ends; so does a move once the pointer has left the point of
  // the first move event, which the system sends when the window appears
  // under the resting pointer. Either coordinate changing counts.
  void Display_Mouse(UINT message, LPARAM lparam) {
    if (message != WM_MOUSEMOVE) End();
    const POINT at{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
    if (!first_move_) {
      first_move_ = at;
      return;
    }
    if (at.x != first_move_->x || at.y != first_move_->y) End();
  }

  void Timer2_Timer() {
    music_.Tick();
    if (!music_.TimerEnabled()) KillTimer(hwnd(), kTimer2);
  }

  [[noreturn]] void End() {
    Stop_Flag = true;
    Form_QueryUnload();
    ExitProcess(0);
  }

  // Undoes the cursor hiding of the start-up and lets go of the music.
  void Form_QueryUnload() {
    Cursor_Count = ShowCursor(TRUE);
    KillTimer(hwnd(), kTimer2);
    music_.Unload();
  }

  WinmmSender sender_;
  Win32FileSystem files_;
  BackgroundMusic music_{sender_, files_, Paths.Data_Path + "\\Music", Config.BGM_Sel, Config.BGM_Rep};
  FrameImages Master;
  DisplaySurface Display;
  bool Stop_Flag = false;
  // Where the primary monitor's top-left corner lies in the window.
  POINT primary_at_{0, 0};
  std::optional<POINT> first_move_;
};

}  // namespace

bool LoadDisplayWindow() {
  Vorten_A display;
  return display.Load();
}

}  // namespace gyra
