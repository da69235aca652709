#include "settings/win32/settings_dialog.h"

#include "toolkit/form.h"

namespace gyra {

namespace {

// A plain window with the dialog's title until the real dialog is built, so
// that the single-instance check and the Configure command can be exercised.
class Vorten_P : public Form {};

}  // namespace

void ShowSettingsDialog() {
  Vorten_P dialog;
  if (!dialog.Create({.title = L"ジラフォトの設定",
                      .style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU,
                      .bounds = Form::CentredOnScreen(480, 360),
                      .background = GetSysColorBrush(COLOR_BTNFACE)}))
    return;
  dialog.ShowModal();
}

}  // namespace gyra
