// Windows layer: the entry point. Decides from the host's command line which
// window to open, after refusing to run beside an open display or dialog.
#include <windows.h>

#include <string>
#include <string_view>

#include "app/command_line.h"
#include "app/win32/dpi_awareness.h"
#include "app/win32/preview_window.h"
#include "core/win32/wide_text.h"
#include "core/win32/win32_file_system.h"
#include "data/frame_commit.h"
#include "data/frame_files.h"
#include "dialog/win32/settings_dialog.h"
#include "display/win32/display_window.h"
#include "display/win32/message_clock.h"
#include "toolkit/message_loop.h"
#include "toolkit/system_library.h"

namespace gyra {

namespace {

constexpr wchar_t kDisplayTitle[] = L"Gyrafoto";
constexpr wchar_t kDialogTitle[] = L"ジラフォトの設定";

// This program's own top-level window with the title, if one is open. The
// title alone is no proof: an Explorer window on a folder named Gyrafoto has
// it too. The toolkit's window classes (toolkit/window.cpp) are named
// "GyrafotoWindow<n>", which no other program registers.
HWND OwnWindowTitled(const wchar_t* title) {
  constexpr std::wstring_view kOwnClass = L"GyrafotoWindow";
  for (HWND found = nullptr; (found = FindWindowExW(nullptr, found, nullptr, title));) {
    wchar_t name[64] = {};
    if (GetClassNameW(found, name, 64) && std::wstring_view(name).starts_with(kOwnClass)) return found;
  }
  return nullptr;
}

// True when the display or the settings dialog is open already. A dialog
// asked for again comes to the front, with whatever it has open on top.
bool AnotherInstanceIsOpen(StartMode mode) {
  if (OwnWindowTitled(kDisplayTitle)) return true;
  const HWND dialog = OwnWindowTitled(kDialogTitle);
  if (dialog && mode == StartMode::Settings) SetForegroundWindow(GetLastActivePopup(dialog));
  return dialog != nullptr;
}

std::string ProgramFolder() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n < path.size()) {
      path.resize(n);
      break;
    }
    path.resize(path.size() * 2);
  }
  return ParentFolder(Narrow(path));
}

// The window the settings dialog is modal to: the one the host names after
// "/c:", or else, for a bare "/c", the foreground window, as the system's own
// screen-saver procedure does (not the desktop itself). A number that names
// no window is ignored.
HWND SettingsOwner(std::u16string_view command_line, uint32_t host_window) {
  if (host_window) {
    const HWND host = WindowFromNumber(host_window);
    return IsWindow(host) ? host : nullptr;
  }
  const HWND foreground = command_line.empty() ? nullptr : GetForegroundWindow();
  return foreground == GetShellWindow() ? nullptr : foreground;
}

// Said once, over the host, instead of a dialog whose every rendering and
// save would fail for the want of the folder.
void ShowNoDataFolderMessage(HWND owner, const DataPaths& paths) {
  const std::wstring text = L"ﾃﾞｰﾀﾌｫﾙﾀﾞ(" + Widen(paths.data_folder) +
                            L")を作成できません。\nGyrafoto.scr を書き込みできるﾄﾞﾗｲﾌﾞに置いて下さい。";
  MessageBoxW(owner, text.c_str(), L"ｽｸﾘｰﾝｾｰﾊﾞｰの設定", MB_OK | MB_ICONEXCLAMATION);
}

// Brings back frames and a settings file that an interrupted save left
// half-way, then reads the settings.
Settings LoadSettingsAfterRepairs(FileSystem& fs, const DataPaths& paths) {
  RestoreInterruptedCommit(fs, paths.committed_folder);
  fs.RemoveFile(paths.settings_file + std::string(kUnfinishedSuffix));  // a save cut short
  return LoadSettings(fs.ReadFile(paths.settings_file),
                      [&fs](const std::string& path) { return CanReadFile(fs, path); });
}

void RunFullScreen(FileSystem& fs, const Settings& settings, const DataPaths& paths, bool hide_cursor) {
  if (hide_cursor) ShowCursor(FALSE);
  MessageClock clock;
  PlayFullScreen(ListFrameFiles(fs, paths.committed_folder), settings, paths, clock, hide_cursor);
}

int Run(std::u16string_view command_line) {
  const StartRequest request = ParseCommandLine(command_line);
  if (AnotherInstanceIsOpen(request.mode)) return 0;
  // The display draws at the screen's own pixels, the preview at its
  // host's; the dialog, laid out in pixels, is left to the system's scaling.
  if (request.mode == StartMode::FullScreen) DeclarePerMonitorDpiAware();
  if (request.mode == StartMode::Preview) {
    const HWND host = WindowFromNumber(request.host_window);
    MatchDpiAwarenessOf(host);
    return RunPreview(host);
  }

  Win32FileSystem fs;
  const DataPaths paths = DataPathsFor(ProgramFolder());
  const bool have_data_folder = MakeDataFolder(fs, paths);
  Settings settings = have_data_folder ? LoadSettingsAfterRepairs(fs, paths) : Settings{};

  switch (request.mode) {
    case StartMode::Settings: {
      const HWND owner = SettingsOwner(command_line, request.host_window);
      if (!have_data_folder) {
        ShowNoDataFolderMessage(owner, paths);
        return 0;
      }
      DoEvents();
      ShowSettingsDialog(settings, paths, owner);
      return 0;
    }
    case StartMode::FullScreen:
      RunFullScreen(fs, settings, paths, request.hide_cursor);
      return 0;
    default:
      return 0;
  }
}

}  // namespace

}  // namespace gyra

// The line as the host passed it: the start-up code strips the blanks before
// the switch from the line it hands wWinMain, and a blank there matters.
int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  gyra::RestrictDllSearchToSystemFolder();
  const std::wstring wide = GetCommandLineW();
  const std::u16string line(wide.begin(), wide.end());
  return gyra::Run(gyra::ArgumentsOf(line));
}
