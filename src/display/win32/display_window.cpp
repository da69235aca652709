#include "display/win32/display_window.h"

#include <windowsx.h>

#include <cstring>
#include <memory>
#include <optional>

#include "core/win32/win32_file_system.h"
#include "display/background_music.h"
#include "display/bounce_motion.h"
#include "display/frame_cycle.h"
#include "display/motion.h"
#include "display/win32/display_surface.h"
#include "display/win32/frame_images.h"
#include "display/win32/winmm_sender.h"
#include "toolkit/form.h"
#include "toolkit/message_loop.h"

namespace gyra {

namespace {

constexpr UINT_PTR kMusicTimer = 2;
constexpr UINT kMusicTimerInterval = 200;

MusicKey MusicKeyFor(WPARAM virtual_key) {
  if (virtual_key == VK_LEFT) return MusicKey::kPreviousTrack;
  if (virtual_key == VK_RIGHT) return MusicKey::kNextTrack;
  return MusicKey::kOther;
}

class DisplayWindow : public Form {
 public:
  DisplayWindow(const Settings& settings, const DataPaths& paths, StepClock& clock, bool hide_pointer)
      : settings_(settings),
        hide_pointer_(hide_pointer),
        clock_(clock),
        music_{sender_, files_, paths.data_folder + "\\Music", settings.music_off, settings.repeat_track} {}

  // The whole screensaver: covers the screen at once, so that neither slow
  // frame files nor a CD drive spinning up leave the desktop showing, then
  // loads the frames, starts the music and plays until input ends the
  // process. Input while the frames load ends it too.
  void Play(const std::vector<std::string>& frame_files) {
    if (!CreateCoveringEveryMonitor()) return;
    SetWindowPos(hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    Show();
    SetForegroundWindow(hwnd());
    images_.Load(frame_files, files_, [] { DoEvents(); });
    if (!images_.AnyDecoded()) {
      surface_.ShowText(L"設定画面でﾚﾝﾀﾞﾘﾝｸﾞの処理をしてください。", PrimaryMonitor());
      RunMessageLoop();
      return;
    }
    power_ = RegisterPowerSettingNotification(hwnd(), &GUID_CONSOLE_DISPLAY_STATE, DEVICE_NOTIFY_WINDOW_HANDLE);
    music_.Start();
    SetMusicTimer();
    motion_ = MotionOnThePrimaryMonitor();
    if (motion_) Step();
    else RunMessageLoop();  // no pattern: a black screen that still ends on input
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
        if (!music_.KeyDown(MusicKeyFor(wparam))) End();
        return 0;
      case WM_TIMER:
        if (wparam == kMusicTimer) PollMusic();
        return 0;
      case WM_POWERBROADCAST:
        if (wparam == PBT_POWERSETTINGCHANGE) OnPowerSetting(*reinterpret_cast<POWERBROADCAST_SETTING*>(lparam));
        return TRUE;
      // A monitor added, removed or set to another resolution: the window
      // covers the new screen, the ball starts again on the primary monitor.
      // A monitor of another scale changes nothing: the display draws at
      // every monitor's own pixels.
      case WM_DISPLAYCHANGE:
        CoverEveryMonitor();
        if (motion_) motion_ = MotionOnThePrimaryMonitor();
        return 0;
      case WM_DPICHANGED:
        return 0;
      // Losing the foreground ends it, as the system's own screen-saver
      // procedure does: keys would go to the window in front otherwise.
      case WM_ACTIVATEAPP:
        if (!wparam) End();
        return 0;
      case WM_ACTIVATE:
        if (LOWORD(wparam) == WA_INACTIVE) End();
        return 0;
      case WM_SYSCOMMAND:
        // No second start of the screensaver, and no closing but by input.
        if ((wparam & 0xFFF0) == SC_SCREENSAVE || (wparam & 0xFFF0) == SC_CLOSE) return 0;
        return Default(message, wparam, lparam);
      case WM_SETCURSOR:
        if (!hide_pointer_) return Default(message, wparam, lparam);
        SetCursor(nullptr);
        return TRUE;
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

  // The window covers every monitor, so that all of them go black and input
  // on any of them counts.
  bool CreateCoveringEveryMonitor() {
    const RECT all = AllMonitors();
    primary_at_ = {-all.left, -all.top};
    if (!Create({.title = L"Gyrafoto",
                 .style = WS_POPUP | WS_CLIPCHILDREN,
                 .bounds = all,
                 .background = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))}))
      return false;
    if (!surface_.Create(hwnd(), 0, 0, all.right - all.left, all.bottom - all.top)) return false;
    surface_.OnMouse([this](UINT message, LPARAM lparam) { OnMouse(message, lparam); });
    return true;
  }

  void CoverEveryMonitor() {
    const RECT all = AllMonitors();
    primary_at_ = {-all.left, -all.top};
    SetWindowPos(hwnd(), HWND_TOPMOST, all.left, all.top, all.right - all.left, all.bottom - all.top,
                 SWP_NOACTIVATE);
    surface_.Resize(all.right - all.left, all.bottom - all.top);
  }

  // The primary monitor's rectangle in the window.
  RECT PrimaryMonitor() const {
    return {primary_at_.x, primary_at_.y, primary_at_.x + GetSystemMetrics(SM_CXSCREEN),
            primary_at_.y + GetSystemMetrics(SM_CYSCREEN)};
  }

  std::unique_ptr<Motion> MotionOnThePrimaryMonitor() const {
    return MakeMotion(settings_.motion, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                      settings_.radius, ClockSeededDraw());
  }

  // One step: next frame at the pattern's next point; the window's other
  // handlers run while it waits for the next step. Ending never returns here.
  void Step() {
    FrameCycle frames(images_.count(), settings_.turn_left);
    const int radius = settings_.radius;
    RunSteps(clock_, settings_.speed, [&] {
      const int16_t frame = frames.Next();
      const Point centre = motion_->Step();
      surface_.ShowFrame(images_, frame, primary_at_.x + centre.x - radius, primary_at_.y + centre.y - radius);
      return !stop_requested_;
    });
  }

  // Any button ends; so does a move once the pointer has left the point of
  // the first move event, which the system sends when the window appears
  // under the resting pointer. Either coordinate changing counts.
  void OnMouse(UINT message, LPARAM lparam) {
    if (message != WM_MOUSEMOVE) End();
    const POINT at{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
    if (!first_move_) {
      first_move_ = at;
      return;
    }
    if (at.x != first_move_->x || at.y != first_move_->y) End();
  }

  void PollMusic() {
    music_.Tick();
    if (!music_.TimerEnabled()) KillTimer(hwnd(), kMusicTimer);
  }

  void SetMusicTimer() {
    if (music_.TimerEnabled()) SetTimer(hwnd(), kMusicTimer, kMusicTimerInterval, nullptr);
    else KillTimer(hwnd(), kMusicTimer);
  }

  // The console's display turned off (0), on (1) or dimmed (2).
  void OnPowerSetting(const POWERBROADCAST_SETTING& setting) {
    if (setting.PowerSetting != GUID_CONSOLE_DISPLAY_STATE || setting.DataLength < sizeof(DWORD)) return;
    DWORD state;
    memcpy(&state, setting.Data, sizeof(state));
    music_.DisplayTurned(state != 0);
    SetMusicTimer();
  }

  [[noreturn]] void End() {
    stop_requested_ = true;
    OnUnload();
    ExitProcess(0);
  }

  // Undoes the cursor hiding of the start-up and lets go of the music.
  void OnUnload() {
    ShowCursor(TRUE);
    if (power_) UnregisterPowerSettingNotification(power_);
    KillTimer(hwnd(), kMusicTimer);
    music_.Unload();
  }

  const Settings& settings_;
  const bool hide_pointer_;
  StepClock& clock_;
  WinmmSender sender_;
  Win32FileSystem files_;
  BackgroundMusic music_;
  FrameImages images_;
  DisplaySurface surface_;
  std::unique_ptr<Motion> motion_;
  HPOWERNOTIFY power_ = nullptr;
  bool stop_requested_ = false;
  // Where the primary monitor's top-left corner lies in the window.
  POINT primary_at_{0, 0};
  std::optional<POINT> first_move_;
};

}  // namespace

void PlayFullScreen(const std::vector<std::string>& frame_files, const Settings& settings, const DataPaths& paths,
                    StepClock& clock, bool hide_pointer) {
  DisplayWindow display(settings, paths, clock, hide_pointer);
  display.Play(frame_files);
}

}  // namespace gyra
