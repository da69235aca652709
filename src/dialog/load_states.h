// Which of the dialog's commands and spinners are enabled right after it has
// loaded. Portable.
#pragma once

namespace gyra {

struct LoadStates {
  bool browse = true;
  bool render = false;
  bool ok = false;
  bool cancel = true;
  bool apply = false;
  bool spinners = false;  // frame count and radius

  friend bool operator==(const LoadStates&, const LoadStates&) = default;
};

// OK waits for a successful rendering and Apply for the first change in
// either case; rendering and its spinners need a picture.
LoadStates StatesAfterLoad(bool has_picture);

}  // namespace gyra
