#include "dialog/win32/picture_chooser.h"

#include <cderr.h>
#include <commdlg.h>

#include "core/win32/wide_text.h"

namespace gyra {

namespace {

// Room for the longest path Windows opens (32767 characters) and the end.
constexpr DWORD kPathBuffer = 32768;

}  // namespace

PictureChoice ChoosePictureFile(HWND owner) {
  // One description and pattern pair, then the empty string ending the list:
  // every extension the picture decoder reads.
  static const wchar_t kFilter[] =
      L"画像ﾌｧｲﾙ (bmp gif jpg png heic webp …)\0"
      L"*.bmp;*.dib;*.gif;*.jpg;*.jpeg;*.jpe;*.jfif;*.png;*.wmf;*.emf;*.tif;*.tiff;*.ico;*.heic;*.heif;*.webp;"
      L"*.avif;*.jxr;*.wdp\0";
  std::wstring file(kPathBuffer, L'\0');
  OPENFILENAMEW request{};
  request.lStructSize = OPENFILENAME_SIZE_VERSION_400W;  // without the extension fields
  request.hwndOwner = owner;
  request.hInstance = GetModuleHandleW(nullptr);
  request.lpstrFilter = kFilter;
  request.lpstrFile = file.data();
  request.nMaxFile = kPathBuffer;
  request.lpstrTitle = L"ﾌｧｲﾙを開く";
  // Without OFN_NOCHANGEDIR the chosen folder would stay the current one, and
  // a folder in use cannot be renamed: a picture from Image1 would make OK fail.
  request.Flags = OFN_NOCHANGEDIR | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_EXPLORER;
  if (!GetOpenFileNameW(&request)) return {.too_long = CommDlgExtendedError() == FNERR_BUFFERTOOSMALL};
  file.resize(file.find(L'\0'));
  return {.path = Narrow(file)};
}

std::optional<std::string> ShortPathOf(const std::string& path) {
  const std::wstring wide = Widen(path);
  const DWORD needed = GetShortPathNameW(wide.c_str(), nullptr, 0);
  if (needed == 0) return std::nullopt;
  std::wstring short_path(needed, L'\0');
  const DWORD length = GetShortPathNameW(wide.c_str(), short_path.data(), needed);
  if (length == 0 || length >= needed) return std::nullopt;
  short_path.resize(length);
  return Narrow(short_path);
}

}  // namespace gyra
