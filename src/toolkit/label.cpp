#include "toolkit/label.h"

#include "toolkit/mouse_buttons.h"
#include "toolkit/paint.h"

namespace gyra {

namespace {

// Greyed captions: the classic engraved look, grey on a light shadow.
constexpr COLORREF kGreyedText = RGB(150, 150, 150);
constexpr COLORREF kGreyedShadow = RGB(255, 255, 255);
constexpr int kBoxInset = 2;

// A caption a little wider than its box (a number in a narrow label, in a
// font a little wider than the one it was laid out for) is set closer rather
// than cut: up to one pixel less between characters. Returns the spacing to
// restore.
int TightenToFit(HDC dc, const std::wstring& text, const RECT& box) {
  const int length = static_cast<int>(text.size());
  SIZE size{};
  GetTextExtentPoint32W(dc, text.c_str(), length, &size);
  const int overflow = size.cx - (box.right - box.left);
  return SetTextCharacterExtra(dc, overflow > 0 && overflow < length ? -1 : 0);
}

}  // namespace

bool Label::Create(Container& container, int left, int top, int width, int height, const std::wstring& caption,
                   const LabelStyle& style) {
  container_ = &container;
  style_ = style;
  fit_width_ = width == 0;
  fit_height_ = height == 0;
  if (!Window::Create({.title = caption,
                       .style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS,
                       .bounds = {left, top, left + width, top + height},
                       .parent = container.hwnd()}))
    return false;
  FitToCaption();
  return true;
}

void Label::FitToCaption() {
  if (!fit_width_ && !fit_height_) return;
  const std::wstring text = caption();
  HDC dc = GetDC(hwnd());
  const HGDIOBJ old = SelectObject(dc, style_.font);
  SIZE size{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(hwnd(), dc);
  RECT now;
  GetClientRect(hwnd(), &now);
  SetWindowPos(hwnd(), nullptr, 0, 0, fit_width_ ? size.cx : now.right, fit_height_ ? size.cy : now.bottom,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Label::SetCaption(const std::wstring& caption) {
  SetTitle(caption);
  FitToCaption();
  InvalidateRect(hwnd(), nullptr, FALSE);
}

std::wstring Label::caption() const {
  std::wstring text(GetWindowTextLengthW(hwnd()) + 1, L'\0');
  text.resize(GetWindowTextW(hwnd(), text.data(), static_cast<int>(text.size())));
  return text;
}

void Label::Enable(bool enabled) {
  EnableWindow(hwnd(), enabled);
  InvalidateRect(hwnd(), nullptr, FALSE);
}

bool Label::enabled() const { return IsWindowEnabled(hwnd()); }

void Label::Show(bool visible) { ShowWindow(hwnd(), visible ? SW_SHOWNA : SW_HIDE); }

void Label::Paint(HDC dc) {
  RECT box;
  GetClientRect(hwnd(), &box);
  if (style_.background) {
    SetBkColor(dc, *style_.background);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &box, nullptr, 0, nullptr);
  } else {
    POINT at{0, 0};
    MapWindowPoints(hwnd(), container_->hwnd(), &at, 1);
    BitBlt(dc, 0, 0, box.right, box.bottom, container_->dc(), at.x, at.y, SRCCOPY);
  }
  RECT text_box = box;
  if (style_.boxed) {
    DrawEdge(dc, &box, BDR_SUNKENOUTER, BF_RECT);
    InflateRect(&text_box, -kBoxInset, -1);
  }
  const std::wstring text = caption();
  const UINT format = style_.align | DT_SINGLELINE | DT_NOPREFIX | (style_.path_ellipsis ? DT_PATH_ELLIPSIS : 0);
  SetBkMode(dc, TRANSPARENT);
  const HGDIOBJ old = SelectObject(dc, style_.font);
  const int spacing = style_.path_ellipsis ? GetTextCharacterExtra(dc) : TightenToFit(dc, text, text_box);
  if (enabled()) {
    SetTextColor(dc, style_.colour);
  } else {
    RECT shadow = text_box;
    OffsetRect(&shadow, 1, 1);
    SetTextColor(dc, kGreyedShadow);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &shadow, format);
    SetTextColor(dc, kGreyedText);
  }
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &text_box, format);
  SetTextCharacterExtra(dc, spacing);
  SelectObject(dc, old);
}

LRESULT Label::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  if (IsMousePress(message)) {
    pressed_ = true;
    SetCapture(hwnd());
    if (on_mouse_down) on_mouse_down();
    return 0;
  }
  if (IsMouseRelease(message)) {
    if (!pressed_) return 0;
    pressed_ = false;
    if (GetCapture() == hwnd()) ReleaseCapture();
    if (on_mouse_up) on_mouse_up();
    return 0;
  }
  switch (message) {
    case WM_CAPTURECHANGED:
      // Another window took the mouse (a message box): no release will come.
      pressed_ = false;
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      return PaintWindow(hwnd(), [this](HDC dc, const RECT&) { Paint(dc); });
    default:
      return Default(message, wparam, lparam);
  }
}

}  // namespace gyra

