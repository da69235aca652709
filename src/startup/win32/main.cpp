// Windows layer: the entry point. Decides from the host's command line which
// window to open, after refusing to run beside an open display or dialog.
#include <windows.h>

#include <string>

#include "display/win32/display_window.h"
#include "settings/frame_commit.h"
#include "settings/win32/settings_dialog.h"
#include "startup/command_line.h"
#include "startup/frame_files.h"
#include "startup/globals.h"
#include "startup/win32/dpi_awareness.h"
#include "startup/win32/preview_window.h"
#include "startup/win32/win32_file_system.h"
#include "toolkit/message_loop.h"
#include "toolkit/system_library.h"
#include "toolkit/text.h"

namespace gyra {

namespace {

bool AnotherInstanceIsOpen() {
  const bool display = FindWindowW(nullptr, L"Gyrafoto") != nullptr;
  const bool dialog = FindWindowW(nullptr, L"ジラフォトの設定") != nullptr;
  return display || dialog;
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
  return FolderOf(Narrow(path));
}

// The data folder and its frame folders are made on first run only: an
// existing data folder is left as the user has it.
void PrepareDataFolder(FileSystem& fs) {
  Paths = DataPathsFor(ProgramFolder());
  if (DirExists(fs, Paths.Data_Path)) return;
  fs.CreateFolder(Paths.Data_Path);
  fs.CreateFolder(Paths.Image1_Path);
  fs.CreateFolder(Paths.Image2_Path);
}

void LoadEverything(FileSystem& fs) {
  RestoreInterruptedCommit(fs, Paths.Image1_Path);
  fs.RemoveFile(Paths.Ini_Path + std::string(kUnfinishedSuffix));  // a save cut short
  Config = LoadSettings(fs.ReadFile(Paths.Ini_Path),
                        [&fs](const std::string& path) { return FileExists(fs, path); });
  File_List = ListBitmaps(fs, Paths.Image1_Path);
}

void ShowNoFramesMessage() {
  MessageBoxW(nullptr, L"設定画面でﾚﾝﾀﾞﾘﾝｸﾞの処理をしてください。", L"ｽｸﾘｰﾝｾｰﾊﾞｰの設定",
              MB_OK | MB_ICONEXCLAMATION);
}

int Main(std::u16string_view command_line) {
  if (AnotherInstanceIsOpen()) return 0;
  const StartRequest request = ParseCommandLine(command_line);
  // The display and the preview draw at the screen's own pixels; the
  // dialog, laid out in pixels, is left to the system's scaling.
  if (request.mode == StartMode::Preview || request.mode == StartMode::FullScreen) DeclarePerMonitorDpiAware();
  if (request.mode == StartMode::Preview) return RunPreview(request.host_window);

  Win32FileSystem fs;
  PrepareDataFolder(fs);
  LoadEverything(fs);

  switch (request.mode) {
    case StartMode::Settings:
      DoEvents();
      ShowSettingsDialog();
      return 0;
    case StartMode::FullScreen:
      if (request.hide_cursor) Cursor_Count = ShowCursor(FALSE);
      if (!File_List.empty() && LoadDisplayWindow()) return 0;
      // The pointer is needed to answer the box.
      if (request.hide_cursor) Cursor_Count = ShowCursor(TRUE);
      ShowNoFramesMessage();
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
  return gyra::Main(gyra::ArgumentsOf(line));
}
