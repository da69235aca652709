#include "toolkit/font.h"

#include "core/numbers.h"

namespace gyra {

namespace {

constexpr double kLayoutDpi = 96;

}  // namespace

HFONT CreateNamedFont(const std::wstring& face, double points, BYTE charset, bool underline) {
  LOGFONTW font{};
  // Negative: the character height without the internal leading, as point
  // sizes mean. At 96 per inch, the resolution the windows are laid out at in
  // pixels: Windows scales such windows as a whole on a scaled display, and a
  // system that does not would otherwise grow the text out of its labels.
  font.lfHeight = -static_cast<LONG>(RoundHalfEven(points * kLayoutDpi / 72.0));
  font.lfWeight = FW_NORMAL;
  font.lfUnderline = underline;
  font.lfCharSet = charset;
  font.lfQuality = DEFAULT_QUALITY;
  lstrcpynW(font.lfFaceName, face.c_str(), LF_FACESIZE);
  return CreateFontIndirectW(&font);
}

}  // namespace gyra
