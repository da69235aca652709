// The picture: choosing it, its preview with the trimming band, the
// proportion check before rendering, and the result box's first frame.
#include <algorithm>
#include <variant>

#include "render/frame_folder.h"
#include "render/strip.h"
#include "render/win32/picture_decoder.h"
#include "settings/picture_path.h"
#include "settings/win32/picture_chooser.h"
#include "settings/win32/vorten_p.h"
#include "startup/frame_files.h"
#include "startup/globals.h"
#include "startup/win32/win32_file_system.h"
#include "toolkit/text.h"

namespace gyra {

namespace {

constexpr wchar_t kPictureErrorTitle[] = L"画像ﾌｧｲﾙｴﾗｰ";
constexpr wchar_t kUnreadable[] = L"この画像ﾌｧｲﾙは読み込めません。別の画像を指定してください。";
constexpr wchar_t kTooLarge[] = L"この画像は大きすぎて読み込めません。小さい画像を指定してください。";
constexpr wchar_t kUnstorable[] =
    L"このﾌｧｲﾙﾊﾟｽには設定ﾌｧｲﾙに保存できない文字が含まれています。"
    L"ﾌｧｲﾙ名かﾌｫﾙﾀﾞ名を変えてから指定してください。";

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
  std::fill(view.pixels, view.pixels + static_cast<size_t>(view.width) * view.height, Pix_Quad{255, 255, 255, 0});
}

// The whole picture scaled over the box's whole picture, pixels dropped or
// repeated, never blended.
void ScaleOnto(const Surface& picture, PictureSurface& box) {
  ScaleNearest(picture.View(), {0, 0, picture.width(), picture.height()}, box.View(), box.width());
}

}  // namespace

void Vorten_P::WhitenPictureBoxes() {
  FillWhite(Pic_Orgn);
  FillWhite(Pic_Rnder);
}

void Vorten_P::LoadOriginal() { Pic_F = Decoded(Config.Orgn_Path); }

void Vorten_P::BrowsePicture() {
  const std::optional<std::string> chosen = ChoosePictureFile(hwnd());
  if (!chosen) return;
  // A refused or unreadable file leaves the path, the label and the preview
  // as they were, so the dialog never shows one picture and renders another.
  const std::optional<std::string> path = StorablePicturePath(*chosen, ShortPathOf(*chosen));
  if (!path) return Tell(hwnd(), kUnstorable, kPictureErrorTitle);
  std::variant<Surface, PictureError> picture = LoadPictureFile(*path);
  if (const PictureError* error = std::get_if<PictureError>(&picture))
    return Tell(hwnd(), *error == PictureError::kTooLarge ? kTooLarge : kUnreadable, kPictureErrorTitle);
  Config.Orgn_Path = *path;
  Pic_F = std::move(std::get<Surface>(picture));
  ShowOriginal();
}

void Vorten_P::ShowOriginal() {
  lbl_Path.SetCaption(Widen(Config.Orgn_Path));
  const bool stretched = Config.Stretch_On == 1;
  preview_ = Pic_F ? PreviewFor(Pic_F->width(), Pic_F->height(), stretched) : PreviewFor(0, 0, stretched);
  Pic_Orgn.Resize(preview_.width, preview_.height);
  FillWhite(Pic_Orgn);
  if (Pic_F) ScaleOnto(*Pic_F, Pic_Orgn);
  lbl_Button[2].Enable(true);
  Scroll_Flame.Enable(true);
  Scroll_Radius.Enable(true);
  DrawBevel(Pic_Orgn, EDGE_RAISED);
}

void Vorten_P::ResetTrimFrame() {
  trim_frame_ = TrimFrameFor(preview_);
  PlaceTrimFrame(0);
  Scroll_Trim.SetRange(0, trim_frame_.max);
  Scroll_Trim.SetValue(0);
}

void Vorten_P::PlaceTrimFrame(int top) {
  band_top_ = top;
  Shape_Trim.Place(0, top, trim_frame_.width, trim_frame_.height);
}

void Vorten_P::Scroll_Trim_Change() { PlaceTrimFrame(Scroll_Trim.value()); }

bool Vorten_P::CheckProportions() {
  // The modes as rendering reads them: only 1 switches stretching or trimming on.
  if (!ProportionRefused(preview_, Config.Trim_On == 1, Config.Stretch_On == 1)) return true;
  Tell(hwnd(), L"画像のｻｲｽﾞは(横≧縦)のものを指定するか(ﾄﾘﾐﾝｸﾞ)して下さい。", L"画像のｻｲｽﾞｴﾗｰ");
  return false;
}

void Vorten_P::ShowRenderResult(bool fresh) {
  const std::string first = (fresh ? Paths.Image2_Path : Paths.Image1_Path) + "\\" + FrameFileName(1);
  FillWhite(Pic_Rnder);
  if (FileExists(Win32FileSystem(), first)) {
    if (const std::optional<Surface> frame = Decoded(first)) ScaleOnto(*frame, Pic_Rnder);
  }
  Pic_Rnder.Refresh();
}

}  // namespace gyra
