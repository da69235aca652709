// Windows layer: the settings dialog Vorten_P.
#pragma once

namespace gyra {

// Shows the dialog modally; returns when it has closed.
void ShowSettingsDialog();

}  // namespace gyra
