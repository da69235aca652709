#include "dialog/win32/settings_dialog.h"

#include "render/win32/com_apartment.h"

namespace gyra {

void ShowSettingsDialog(Settings& settings, const DataPaths& paths, HWND owner) {
  // For the open-file dialog, ShellExecuteW and the picture decoder, all on this thread.
  const ComApartment com;
  SettingsDialog dialog(settings, paths);
  if (!dialog.Load(owner)) return;
  dialog.ShowModal();
}

}  // namespace gyra
