#include "settings/win32/settings_dialog.h"

#include "settings/win32/vorten_p.h"

namespace gyra {

void ShowSettingsDialog() {
  Vorten_P dialog;
  if (!dialog.Load()) return;
  dialog.ShowModal();
}

}  // namespace gyra
