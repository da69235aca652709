// Saving behind OK and Apply: the frames committed, then the settings file
// written. A failure is told and leaves the dialog open with the user's
// choices, so that nothing is lost.
#include "core/win32/wide_text.h"
#include "core/win32/win32_file_system.h"
#include "data/frame_commit.h"
#include "dialog/saved_settings.h"
#include "dialog/win32/settings_dialog.h"

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

bool SettingsDialog::SaveSettings(bool options_only) {
  Win32FileSystem files;
  if (!options_only && !frames_committed_) {
    const FrameCommit result = CommitFrames(files, paths_.committed_folder, paths_.rendering_folder);
    if (result != FrameCommit::kCommitted) {
      MessageBoxW(hwnd(), (std::wstring(Explain(result)) + kNothingSaved).c_str(), kSaveErrorTitle,
                  MB_OK | MB_ICONEXCLAMATION);
      return false;
    }
    frames_committed_ = true;
  }
  const Settings saved = SettingsToSave(settings_, {.frame_count_spinner = frame_count_spinner_.value(),
                                                 .radius_spinner = radius_spinner_.value(),
                                                 .speed_slider = speed_slider_.value(),
                                                 .repeat_text = Narrow(repeat_combo_.text())});
  settings_.repeat_track = saved.repeat_track;
  if (WriteSettingsFile(files, paths_.settings_file, saved, !options_only)) return true;
  MessageBoxW(hwnd(),
              L"設定ﾌｧｲﾙ(Data.ini)に書き込めませんでした。\n"
              L"ﾃﾞｨｽｸの空きとﾌｫﾙﾀﾞを確認して、もう一度[設定]か[適用]を押して下さい。",
              kSaveErrorTitle, MB_OK | MB_ICONEXCLAMATION);
  return false;
}

}  // namespace gyra
