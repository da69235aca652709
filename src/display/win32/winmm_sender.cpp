#include "display/win32/winmm_sender.h"

#include <windows.h>
#include <mmsystem.h>

#include "core/win32/wide_text.h"
#include "toolkit/system_library.h"

namespace gyra {

namespace {

constexpr UINT kReplyLength = 512;

// mciSendStringW of WINMM from the system folder, loaded on first use;
// without it the function stays null and every command fails.
decltype(&mciSendStringW) SystemSendString() {
  static const auto send_string =
      SystemFunction<decltype(&mciSendStringW)>(LoadSystemLibrary(L"winmm.dll"), "mciSendStringW");
  return send_string;
}

}  // namespace

int32_t WinmmSender::Send(const std::string& command, std::string* reply) {
  const auto send_string = SystemSendString();
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

}  // namespace gyra
