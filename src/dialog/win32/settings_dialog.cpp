#include "dialog/win32/settings_dialog.h"

namespace gyra {

void ShowSettingsDialog(Settings& settings, const DataPaths& paths, HWND owner) {
  SettingsDialog dialog(settings, paths);
  if (!dialog.Load(owner)) return;
  dialog.ShowModal();
}

}  // namespace gyra
