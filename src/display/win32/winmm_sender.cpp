#include "display/win32/winmm_sender.h"

#include <windows.h>
#include <mmsystem.h>

#include "toolkit/system_library.h"
#include "toolkit/text.h"

namespace gyra {

namespace {

constexpr UINT kReplyLength = 512;
constexpr UINT kErrorTextLength = 256;

struct Winmm {
  decltype(&mciSendStringW) send_string = nullptr;
  decltype(&mciGetErrorStringW) get_error_string = nullptr;
};

// WINMM from the system folder, loaded on first use; without it the
// functions stay null and every command fails.
const Winmm& SystemWinmm() {
  static const Winmm winmm = [] {
    const HMODULE library = LoadSystemLibrary(L"winmm.dll");
    return Winmm{SystemFunction<decltype(&mciSendStringW)>(library, "mciSendStringW"),
                 SystemFunction<decltype(&mciGetErrorStringW)>(library, "mciGetErrorStringW")};
  }();
  return winmm;
}

}  // namespace

int32_t WinmmSender::Send(const std::string& command, std::string* reply) {
  const auto send_string = SystemWinmm().send_string;
  if (!send_string) return MCIERR_DEVICE_NOT_INSTALLED;
  const std::wstring wide = Widen(command);
  if (!reply) return static_cast<int32_t>(send_string(wide.c_str(), nullptr, 0, nullptr));
  wchar_t buffer[kReplyLength] = {};
  const MCIERROR code = send_string(wide.c_str(), buffer, kReplyLength, nullptr);
  // A reply filling the whole buffer still ends inside it.
  buffer[kReplyLength - 1] = L'\0';
  if (code == 0) *reply = Narrow(buffer);
  return static_cast<int32_t>(code);
}

std::optional<std::string> WinmmSender::ErrorText(int32_t code) {
  const auto get_error_string = SystemWinmm().get_error_string;
  wchar_t buffer[kErrorTextLength] = {};
  if (!get_error_string || !get_error_string(static_cast<MCIERROR>(code), buffer, kErrorTextLength))
    return std::nullopt;
  buffer[kErrorTextLength - 1] = L'\0';
  return Narrow(buffer);
}

}  // namespace gyra
