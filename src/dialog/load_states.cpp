#include "dialog/load_states.h"

namespace gyra {

LoadStates StatesAfterLoad(bool has_picture) {
  return {.render = has_picture, .spinners = has_picture};
}

}  // namespace gyra
