// The picture: choosing it, its preview with the trimming band, the
// proportion check before rendering, and the result box's first frame.
#include <algorithm>
#include <string>
#include <variant>

#include "core/win32/wide_text.h"
#include "core/win32/win32_file_system.h"
#include "data/frame_files.h"
#include "dialog/picture_path.h"
#include "dialog/win32/picture_chooser.h"
#include "dialog/win32/settings_dialog.h"
#include "render/frame_folder.h"
#include "render/strip.h"
#include "render/win32/picture_decoder.h"

namespace gyra {

namespace {

constexpr wchar_t kPictureErrorTitle[] = L"画像ﾌｧｲﾙｴﾗｰ";
constexpr wchar_t kUnreadable[] = L"この画像ﾌｧｲﾙは読み込めません。別の画像を指定してください。";
constexpr wchar_t kTooLarge[] = L"この画像は大きすぎて読み込めません。小さい画像を指定してください。";
constexpr wchar_t kTooLong[] = L"このﾌｧｲﾙﾊﾟｽは長すぎて読み込めません。短いﾊﾟｽの画像を指定してください。";
constexpr wchar_t kUnstorable[] =
    L"このﾌｧｲﾙﾊﾟｽには設定ﾌｧｲﾙに保存できない文字が含まれています。"
    L"ﾌｧｲﾙ名かﾌｫﾙﾀﾞ名を変えてから指定してください。";

std::wstring Refusal(const PictureError& error) {
  switch (error.kind) {
    case PictureError::kTooLarge:
      return kTooLarge;
    case PictureError::kNoDecoder:
      return L"この画像ﾌｧｲﾙ(" + Widen(error.format) +
             L")を読み込む機能がこのWindowsにありません。拡張機能を入れるか、別の画像を指定してください。";
    case PictureError::kNotAPicture:
      break;
  }
  return kUnreadable;
}

void Tell(HWND owner, const wchar_t* text, const wchar_t* title) {
  MessageBoxW(owner, text, title, MB_OK | MB_ICONEXCLAMATION);
}

std::optional<Surface> Decoded(const std::string& path) {
  std::variant<Surface, PictureError> picture = LoadPictureFile(path);
  if (Surface* surface = std::get_if<Surface>(&picture)) return std::move(*surface);
  return std::nullopt;
}

void FillWhite(PictureSurface& box) {
  const SurfaceView view = box.View();
  std::fill(view.pixels, view.pixels + static_cast<size_t>(view.width) * view.height, Pixel{255, 255, 255, 0});
}

// The whole picture scaled over the box's whole picture, pixels dropped or
// repeated, never blended.
void ScaleOnto(const Surface& picture, PictureSurface& box) {
  ScaleNearest(picture.View(), {0, 0, picture.width(), picture.height()}, box.View(), box.width());
}

}  // namespace

void SettingsDialog::WhitenPictureBoxes() {
  FillWhite(picture_box_);
  FillWhite(result_box_);
}

void SettingsDialog::DecodePicture() { picture_ = Decoded(settings_.picture_path); }

void SettingsDialog::ChoosePicture() {
  const PictureChoice chosen = ChoosePictureFile(hwnd());
  if (chosen.too_long) return Tell(hwnd(), kTooLong, kPictureErrorTitle);
  if (!chosen.path) return;
  // A refused or unreadable file leaves the path, the label and the preview
  // as they were, so the dialog never shows one picture and renders another.
  // Decoded first: a copy may replace the one the dialog shows now.
  std::variant<Surface, PictureError> picture = LoadPictureFile(*chosen.path);
  if (const PictureError* error = std::get_if<PictureError>(&picture))
    return Tell(hwnd(), Refusal(*error).c_str(), kPictureErrorTitle);
  std::optional<std::string> path = StorablePicturePath(*chosen.path, ShortPathOf(*chosen.path));
  Win32FileSystem files;
  if (!path) path = CopyIntoDataFolder(files, *chosen.path, paths_);
  if (!path) return Tell(hwnd(), kUnstorable, kPictureErrorTitle);
  settings_.picture_path = *path;
  picture_ = std::move(std::get<Surface>(picture));
  ShowPicture();
}

void SettingsDialog::ShowPicture() {
  path_label_.SetCaption(Widen(settings_.picture_path));
  const bool stretched = settings_.stretch == 1;
  preview_ = picture_ ? PreviewFor(picture_->width(), picture_->height(), stretched) : PreviewFor(0, 0, stretched);
  picture_box_.Resize(preview_.width, preview_.height);
  FillWhite(picture_box_);
  if (picture_) ScaleOnto(*picture_, picture_box_);
  buttons_[kRenderButton].Enable(true);
  frame_count_spinner_.Enable(true);
  radius_spinner_.Enable(true);
  DrawEdgeRound(picture_box_, EDGE_RAISED);
}

void SettingsDialog::ResetTrimmingBand() {
  trim_frame_ = TrimFrameFor(preview_);
  PlaceTrimmingBand(0);
  trim_slider_.SetRange(0, trim_frame_.max);
  trim_slider_.SetValue(0);
}

void SettingsDialog::PlaceTrimmingBand(int top) {
  band_top_ = top;
  trim_band_.Place(0, top, trim_frame_.width, trim_frame_.height);
}

void SettingsDialog::OnTrimBandMoved() { PlaceTrimmingBand(trim_slider_.value()); }

bool SettingsDialog::CheckProportions() {
  // The modes as rendering reads them: only 1 switches stretching or trimming on.
  if (!ProportionRefused(preview_, settings_.trim == 1, settings_.stretch == 1)) return true;
  Tell(hwnd(), L"画像のｻｲｽﾞは(横≧縦)のものを指定するか(ﾄﾘﾐﾝｸﾞ)して下さい。", L"画像のｻｲｽﾞｴﾗｰ");
  return false;
}

void SettingsDialog::ShowFirstFrame(bool fresh) {
  const std::string first = (fresh ? paths_.rendering_folder : paths_.committed_folder) + "\\" + FrameFileName(1);
  FillWhite(result_box_);
  if (CanReadFile(Win32FileSystem(), first)) {
    if (const std::optional<Surface> frame = Decoded(first)) ScaleOnto(*frame, result_box_);
  }
  result_box_.Refresh();
}

}  // namespace gyra
