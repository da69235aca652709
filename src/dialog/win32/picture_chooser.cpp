#include "dialog/win32/picture_chooser.h"

#include <commdlg.h>

#include "core/win32/wide_text.h"

namespace gyra {

namespace {

constexpr DWORD kPathBuffer = 255;  // room for 254 characters and the end

}  // namespace

std::optional<std::string> ChoosePictureFile(HWND owner) {
  // One description and pattern pair, then the empty string ending the list.
  static const wchar_t kFilter[] = L"画像ﾌｧｲﾙ (bmp gif jpg wmf)\0*.bmp;*.gif;*.jpg;*.wmf\0";
  std::wstring file(kPathBuffer, L'\0');
  std::wstring title(kPathBuffer, L'\0');
  OPENFILENAMEW request{};
  request.lStructSize = OPENFILENAME_SIZE_VERSION_400W;  // without the extension fields
  request.hwndOwner = owner;
  request.hInstance = GetModuleHandleW(nullptr);
  request.lpstrFilter = kFilter;
  request.lpstrFile = file.data();
  request.nMaxFile = kPathBuffer;
  request.lpstrFileTitle = title.data();
  request.nMaxFileTitle = kPathBuffer;
  request.lpstrTitle = L"ﾌｧｲﾙを開く";
  if (!GetOpenFileNameW(&request)) return std::nullopt;
  file.resize(file.find(L'\0'));
  return Narrow(file);
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
