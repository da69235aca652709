// Windows layer: fonts asked for by face name, point size and character set,
// so that the system picks a font of that set where the face is missing.
#pragma once

#include <windows.h>

#include <string>

namespace gyra {

// The font for windows laid out in pixels; the caller deletes it. Normal weight.
HFONT CreateNamedFont(const std::wstring& face, double points, BYTE charset, bool underline = false);

}  // namespace gyra
