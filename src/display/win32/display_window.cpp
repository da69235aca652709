#include "display/win32/display_window.h"

#include <windowsx.h>

#include <algorithm>
#include <optional>

#include "display/background_music.h"
#include "display/bounce_motion.h"
#include "display/frame_cycle.h"
#include "display/motion.h"
#include "display/win32/display_surface.h"
#include "display/win32/frame_images.h"
#include "display/win32/winmm_sender.h"
#include "startup/globals.h"
#include "startup/win32/win32_file_system.h"
#include "toolkit/form.h"
#include "toolkit/message_loop.h"

namespace gyra {

namespace {

constexpr UINT_PTR kTimer2 = 2;
constexpr UINT kTimer2Interval = 200;
// The slowest pace the settings offer. A larger or negative value from a
// hand-edited Data.ini would leave the screensaver deaf to the user for
// seconds, or for good.
constexpr int kSlowestSpeed = 1000;

class Vorten_A : public Form {
 public:
  // The whole screensaver: loads the frames, starts the music, shows the
  // window on top of everything and plays until input ends the process.
  // False, with nothing shown, when no frame file can be decoded.
  bool Load() {
    Master.Load(File_List);
    if (!Master.AnyDecoded()) return false;
    const int Scr_W = GetSystemMetrics(SM_CXSCREEN);
    const int Scr_H = GetSystemMetrics(SM_CYSCREEN);
    if (!Create({.title = L"Gyrafoto",
                 .style = WS_POPUP | WS_CLIPCHILDREN,
                 .bounds = {0, 0, Scr_W, Scr_H},
                 .background = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))}))
      return true;
    if (!Display.Create(hwnd(), 0, 0, Scr_W, Scr_H)) return true;
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
  // One step: next frame at the pattern's next point, pause, then the
  // window's other handlers run. Ending never returns here.
  void Play(Motion& motion, FrameCycle& frames) {
    const int S = Config.Disp_Size;
    const DWORD pause = static_cast<DWORD>(std::clamp<int>(Config.Speed, 0, kSlowestSpeed));
    while (!Stop_Flag) {
      const int16_t frame = frames.Next();
      const Point P = motion.Step();
      Display.ShowFrame(Master, frame, P.x - S, P.y - S);
      Sleep(pause);
      if (!DoEvents()) return;
    }
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
  std::optional<POINT> first_move_;
};

}  // namespace

bool LoadDisplayWindow() {
  Vorten_A display;
  return display.Load();
}

}  // namespace gyra
