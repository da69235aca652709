#include "display/win32/winmm_sender.h"

#include <windows.h>
#include <mmsystem.h>

#include "toolkit/text.h"

namespace gyra {

namespace {

constexpr UINT kReplyLength = 512;
constexpr UINT kErrorTextLength = 256;

}  // namespace

int32_t WinmmSender::Send(const std::string& command, std::string* reply) {
  const std::wstring wide = Widen(command);
  if (!reply) return static_cast<int32_t>(mciSendStringW(wide.c_str(), nullptr, 0, nullptr));
  wchar_t buffer[kReplyLength] = {};
  const MCIERROR code = mciSendStringW(wide.c_str(), buffer, kReplyLength, nullptr);
  // A reply filling the whole buffer still ends inside it.
  buffer[kReplyLength - 1] = L'\0';
  if (code == 0) *reply = Narrow(buffer);
  return static_cast<int32_t>(code);
}

std::optional<std::string> WinmmSender::ErrorText(int32_t code) {
  wchar_t buffer[kErrorTextLength] = {};
  if (!mciGetErrorStringW(static_cast<MCIERROR>(code), buffer, kErrorTextLength)) return std::nullopt;
  buffer[kErrorTextLength - 1] = L'\0';
  return Narrow(buffer);
}

}  // namespace gyra
