#include "dialog/picture_path.h"

#include "core/cp932.h"

namespace gyra {

std::optional<std::string> StorablePicturePath(const std::string& chosen,
                                               const std::optional<std::string>& short_form) {
  if (Utf8ToCp932(chosen)) return chosen;
  if (short_form && !short_form->empty() && Utf8ToCp932(*short_form)) return short_form;
  return std::nullopt;
}

}  // namespace gyra
