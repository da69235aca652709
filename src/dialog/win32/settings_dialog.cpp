#include "dialog/win32/settings_dialog.h"

namespace gyra {

void ShowSettingsDialog(Settings& settings, const DataPaths& paths) {
  SettingsDialog dialog(settings, paths);
  if (!dialog.Load()) return;
  dialog.ShowModal();
}

}  // namespace gyra
