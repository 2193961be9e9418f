// One standard control per control kind, created in pixels below the menu bar.
#include <windows.h>
// needs windows.h before it
#include <commctrl.h>

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

}  // namespace

void Win32Window::CreateControl(const WindowSpec& windowSpec, const ControlSpec& spec) {
  const ClassAndStyle kind = ClassFor(spec.kind);
  const HWND handle = CreateWindowExW(
      0, kind.className, windows::Widen(spec.text).c_str(), WS_CHILD | WS_VISIBLE | kind.style,
      PixelsAcross(windowSpec.units, spec.x), PixelsDown(windowSpec.units, spec.y),
      PixelsAcross(windowSpec.units, spec.width), PixelsDown(windowSpec.units, spec.height), handle_,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(spec.id)), GetModuleHandleW(nullptr), nullptr);
  if (handle == nullptr) return;
  SendMessageW(handle, WM_SETFONT,
               reinterpret_cast<WPARAM>(FontFor(spec.font.name ? spec.font : windowSpec.font)), FALSE);
  Control& control = controls_[spec.id];
  control.handle = handle;
  control.kind = spec.kind;
  control.textColour = spec.textColour;
  control.background = spec.background;
  if (spec.background != kDefaultColour) control.backgroundBrush = CreateSolidBrush(spec.background);
  if (spec.kind == ControlKind::kEditCombo) SendMessageW(handle, CB_SETMINVISIBLE, kVisibleItems, 0);
  if (spec.kind == ControlKind::kGraphicView)
    control.view = std::make_unique<GraphicView>(*this, spec.id, handle);
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
  if (control.images == nullptr) {
    control.images =
        ImageList_Create(kFlagWidth, kFlagHeight, ILC_COLOR24, kFlagListCapacity, kFlagListGrowth);
    SendMessageW(control.handle, CBEM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(control.images));
  }
  // "#300" names the bitmap resource 300; a missing picture leaves the item without one.
  int image = -1;
  const HBITMAP picture =
      resourceName.empty()
          ? nullptr
          : static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), windows::Widen(resourceName).c_str(),
                                            IMAGE_BITMAP, 0, 0, 0));
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
