// Saving behind OK and Apply: the frames committed, then the settings file
// written. A failure is told and leaves the dialog open with the user's
// choices, so that nothing is lost.
#include "settings/frame_commit.h"
#include "settings/saved_settings.h"
#include "settings/win32/vorten_p.h"
#include "startup/globals.h"
#include "startup/win32/win32_file_system.h"
#include "toolkit/text.h"

namespace gyra {

namespace {

constexpr wchar_t kSaveErrorTitle[] = L"設定の保存ｴﾗｰ";
constexpr wchar_t kNothingSaved[] = L"\n設定は保存されていません。";

const wchar_t* Explain(FrameCommit result) {
  switch (result) {
    case FrameCommit::kCommitted:
      return L"";
    case FrameCommit::kNoFrames:
      return L"ﾚﾝﾀﾞﾘﾝｸﾞした画像が見つかりません。\nもう一度ﾚﾝﾀﾞﾘﾝｸﾞして下さい。";
    case FrameCommit::kLeftovers:
      return L"前回の保存で残ったﾌｫﾙﾀﾞ(Image1.new, Image1.old)を削除できませんでした。\n"
             L"ﾌｫﾙﾀﾞを確認して、もう一度[設定]を押して下さい。";
    case FrameCommit::kProtected:
      return L"今までの画像(Image1)に読み取り専用のﾌｧｲﾙがあるため、新しい画像に入れ替えられませんでした。\n"
             L"読み取り専用を解除して、もう一度[設定]を押して下さい。";
    case FrameCommit::kNotCopied:
      return L"ﾚﾝﾀﾞﾘﾝｸﾞした画像をｺﾋﾟｰできませんでした。\nﾃﾞｨｽｸの空きとﾌｫﾙﾀﾞを確認して下さい。";
    case FrameCommit::kNotSwitched:
      return L"今までの画像(Image1)を入れ替えられませんでした。\n"
             L"ﾌｫﾙﾀﾞを開いているﾌﾟﾛｸﾞﾗﾑを閉じて、もう一度[設定]を押して下さい。";
  }
  return L"";
}

}  // namespace

bool Vorten_P::SaveSettings(bool Options_Only) {
  Win32FileSystem files;
  if (!Options_Only && !frames_committed_) {
    const FrameCommit result = CommitFrames(files, Paths.Image1_Path, Paths.Image2_Path);
    if (result != FrameCommit::kCommitted) {
      MessageBoxW(hwnd(), (std::wstring(Explain(result)) + kNothingSaved).c_str(), kSaveErrorTitle,
                  MB_OK | MB_ICONEXCLAMATION);
      return false;
    }
    frames_committed_ = true;
  }
  const Settings saved = SettingsToSave(Config, {.scroll_flame = Scroll_Flame.value(),
                                                 .scroll_radius = Scroll_Radius.value(),
                                                 .scroll_fast = Scroll_Fast.value(),
                                                 .repeat_text = Narrow(BGM_Repeat.text())});
  Config.BGM_Rep = saved.BGM_Rep;
  if (WriteSettingsFile(files, Paths.Ini_Path, saved, !Options_Only)) return true;
  MessageBoxW(hwnd(),
              L"設定ﾌｧｲﾙ(Data.ini)に書き込めませんでした。\n"
              L"ﾃﾞｨｽｸの空きとﾌｫﾙﾀﾞを確認して、もう一度[設定]か[適用]を押して下さい。",
              kSaveErrorTitle, MB_OK | MB_ICONEXCLAMATION);
  return false;
}

}  // namespace gyra
