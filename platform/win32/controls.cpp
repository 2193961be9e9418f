// One standard control per control kind, created in pixels below the menu bar.
#include <windows.h>
// needs windows.h before it
#include <commctrl.h>

#include "platform/win32/dpi.h"
#include "platform/win32/fonts.h"
#include "platform/win32/graphic_view.h"
#include "platform/win32/win32_window.h"
#include "platform/windows/unicode.h"

namespace platform::win32 {
namespace {

// The flag pictures are 18 x 12 pixels (the Portuguese one 19 x 12), 16 colours, without a mask.
constexpr int kFlagWidth = 18;
constexpr int kFlagHeight = 12;
constexpr int kFlagListCapacity = 6;
constexpr int kFlagListGrowth = 1;
// A closed combo box is as high as its font needs; the items shown when it drops down.
constexpr int kVisibleItems = 12;
// WS_BORDER: the picture is inside a border of one pixel.
constexpr int kViewBorder = 1;

struct ClassAndStyle {
  const wchar_t* className;
  DWORD style;
};

ClassAndStyle ClassFor(ControlKind kind) {
  switch (kind) {
    case ControlKind::kLabel:
      return {L"STATIC", SS_LEFT | SS_NOPREFIX};
    case ControlKind::kCentredLabel:
      return {L"STATIC", SS_CENTER | SS_NOPREFIX};
    case ControlKind::kButton:
      return {L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP};
    case ControlKind::kCheckBox:
      return {L"BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP};
    case ControlKind::kEditCombo:
      return {L"COMBOBOX", CBS_DROPDOWN | CBS_SORT | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP};
    case ControlKind::kImageCombo:
      return {WC_COMBOBOXEXW, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP};
    case ControlKind::kEdit:
      return {L"EDIT", ES_LEFT | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP};
    case ControlKind::kGraphicView:
      // SS_NOTIFY: a static otherwise lets the mouse through to its parent.
      return {L"STATIC", SS_LEFT | SS_NOTIFY | WS_BORDER};
    case ControlKind::kStatusBar:
      return {STATUSCLASSNAMEW, 0};
  }
  return {L"STATIC", 0};
}

// A flag picture, enlarged by whole pixels to the display's scale (each flag by its own size).
HBITMAP LoadFlag(const std::wstring& name, int dpi) {
  const HINSTANCE program = GetModuleHandleW(nullptr);
  const auto picture = static_cast<HBITMAP>(LoadImageW(program, name.c_str(), IMAGE_BITMAP, 0, 0, 0));
  if (picture == nullptr || dpi == kBaseDpi) return picture;
  BITMAP size{};
  GetObjectW(picture, sizeof size, &size);
  DeleteObject(picture);
  return static_cast<HBITMAP>(LoadImageW(program, name.c_str(), IMAGE_BITMAP,
                                         ToDisplayPixels(size.bmWidth, dpi),
                                         ToDisplayPixels(size.bmHeight, dpi), 0));
}

}  // namespace

// A control at its place in program pixels, its edges taken to the display's scale.
void Win32Window::PlaceControl(const Control& control) const {
  const RECT& place = control.place;
  const int left = ToDisplayPixels(place.left, dpi_), top = ToDisplayPixels(place.top, dpi_);
  SendMessageW(control.handle, WM_SETFONT,
               reinterpret_cast<WPARAM>(FontFor(control.font.name ? control.font : font_, dpi_)), FALSE);
  if (control.kind == ControlKind::kStatusBar) {
    SendMessageW(control.handle, WM_SIZE, 0, 0);  // it takes its place along the bottom edge itself
    return;
  }
  MoveWindow(control.handle, left, top, ToDisplayPixels(place.right, dpi_) - left,
             ToDisplayPixels(place.bottom, dpi_) - top, FALSE);
}

void Win32Window::CreateControl(const WindowSpec& windowSpec, const ControlSpec& spec) {
  const ClassAndStyle kind = ClassFor(spec.kind);
  const HWND handle = CreateWindowExW(
      0, kind.className, windows::Widen(spec.text).c_str(), WS_CHILD | WS_VISIBLE | kind.style, 0, 0, 0, 0,
      handle_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(spec.id)), GetModuleHandleW(nullptr), nullptr);
  if (handle == nullptr) return;
  KeepControlScalingToProgram(handle);
  Control& control = controls_[spec.id];
  control.handle = handle;
  control.kind = spec.kind;
  control.textColour = spec.textColour;
  control.background = spec.background;
  const int x = PixelsAcross(windowSpec.units, spec.x), y = PixelsDown(windowSpec.units, spec.y);
  control.place = RECT{x, y, x + PixelsAcross(windowSpec.units, spec.width),
                       y + PixelsDown(windowSpec.units, spec.height)};
  control.font = spec.font;
  PlaceControl(control);
  if (spec.background != kDefaultColour) control.backgroundBrush = CreateSolidBrush(spec.background);
  if (spec.kind == ControlKind::kEditCombo) SendMessageW(handle, CB_SETMINVISIBLE, kVisibleItems, 0);
  if (spec.kind == ControlKind::kGraphicView) {
    control.view = std::make_unique<GraphicView>(
        *this, spec.id, handle, control.place.right - control.place.left - 2 * kViewBorder,
        control.place.bottom - control.place.top - 2 * kViewBorder, dpi_);
  }
}

void Win32Window::AddItem(int id, const std::string& text) {
  const Control* control = FindControl(id);
  if (control == nullptr) return;
  if (control->kind == ControlKind::kImageCombo) {
    AddImageItem(id, text, std::string());
    return;
  }
  SendMessageW(control->handle, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(windows::Widen(text).c_str()));
}

void Win32Window::AddImageItem(int id, const std::string& text, const std::string& resourceName) {
  auto found = controls_.find(id);
  if (found == controls_.end() || found->second.kind != ControlKind::kImageCombo) {
    AddItem(id, text);
    return;
  }
  Control& control = found->second;
  const int flagWidth = ToDisplayPixels(kFlagWidth, dpi_);
  const int flagHeight = ToDisplayPixels(kFlagHeight, dpi_);
  if (control.images == nullptr) {
    control.images = ImageList_Create(flagWidth, flagHeight, ILC_COLOR24, kFlagListCapacity, kFlagListGrowth);
    SendMessageW(control.handle, CBEM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(control.images));
  }
  // "#300" names the bitmap resource 300; a missing picture leaves the item without one.
  int image = -1;
  const HBITMAP picture = resourceName.empty() ? nullptr : LoadFlag(windows::Widen(resourceName), dpi_);
  if (picture != nullptr) {
    image = ImageList_Add(control.images, picture, nullptr);
    DeleteObject(picture);
  }
  std::wstring wide = windows::Widen(text);
  COMBOBOXEXITEMW item{};
  item.mask = CBEIF_TEXT | (image >= 0 ? CBEIF_IMAGE | CBEIF_SELECTEDIMAGE : 0);
  item.iItem = -1;  // at the end
  item.pszText = wide.data();
  item.iImage = image;
  item.iSelectedImage = image;
  SendMessageW(control.handle, CBEM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

}  // namespace platform::win32
