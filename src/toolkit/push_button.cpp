#include "toolkit/push_button.h"

#include "toolkit/bitmap.h"

namespace gyra {

bool PushButton::Create(Container& container, int left, int top, const Faces& faces, int inset, int label_width,
                        int label_height, const std::wstring& caption, const LabelStyle& style) {
  container_ = &container;
  faces_ = faces;
  const SIZE size = BitmapSize(faces.up);
  face_ = {left, top, left + size.cx, top + size.cy};
  container.DrawPicture(faces.up, left, top);
  if (!label_.Create(container, left + inset, top + inset, label_width, label_height, caption, style))
    return false;
  label_.on_mouse_down = [this] { ShowFace(true); };
  label_.on_mouse_up = [this] {
    ShowFace(false);
    if (on_release) on_release();
  };
  return true;
}

void PushButton::ShowFace(bool down) {
  container_->DrawPicture(down ? faces_.down : faces_.up, face_.left, face_.top);
  container_->RefreshArea(face_);
}

}  // namespace gyra
