#include "toolkit/font.h"

#include "core/numbers.h"

namespace gyra {

HFONT CreateNamedFont(const std::wstring& face, double points, BYTE charset, bool underline) {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  LOGFONTW font{};
  // Negative: the character height without the internal leading, as point sizes mean.
  font.lfHeight = -static_cast<LONG>(RoundHalfEven(points * dpi / 72.0));
  font.lfWeight = FW_NORMAL;
  font.lfUnderline = underline;
  font.lfCharSet = charset;
  font.lfQuality = DEFAULT_QUALITY;
  lstrcpynW(font.lfFaceName, face.c_str(), LF_FACESIZE);
  return CreateFontIndirectW(&font);
}

}  // namespace gyra
