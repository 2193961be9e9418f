// How a control's text sits in it, measured as the control lays it out: in the control's font, with
// the room the standard control leaves for its text.
#include <windows.h>

#include <string>

#include "platform/automation.h"
#include "platform/win32/win32_window.h"

namespace platform::automation {
namespace {

std::wstring ControlText(HWND control) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
  return text;
}

// What `measure` finds on a device context of the control with the control's font selected.
template <typename Measure>
auto InControlFont(HWND control, Measure measure) {
  const HDC dc = GetDC(control);
  const HGDIOBJ previous =
      SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
  const auto result = measure(dc);
  SelectObject(dc, previous);
  ReleaseDC(control, dc);
  return result;
}

// The text's extent as DrawText lays it out; `width` bounds wrapped lines.
RECT LaidOutText(HWND control, UINT format, int width) {
  const std::wstring text = ControlText(control);
  return InControlFont(control, [&](HDC dc) {
    RECT extent{0, 0, width, 0};
    DrawTextW(dc, text.c_str(), -1, &extent, format | DT_CALCRECT);
    return extent;
  });
}

// A check box's text begins half a digit's width right of its box.
int CheckBoxTextOffset(HWND control) {
  const int digitWidth = InControlFont(control, [](HDC dc) {
    INT width = 0;
    GetCharWidth32W(dc, L'0', L'0', &width);
    return width;
  });
  return GetSystemMetrics(SM_CXMENUCHECK) + digitWidth / 2;
}

TextFit FitIn(HWND control, ControlKind kind) {
  RECT client{};
  GetClientRect(control, &client);
  if (kind == ControlKind::kLabel || kind == ControlKind::kCentredLabel) {
    // Labels wrap their words inside the whole box.
    const UINT centred = kind == ControlKind::kCentredLabel ? DT_CENTER : 0;
    const RECT text =
        LaidOutText(control, DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS | centred, client.right);
    return {text.right - text.left, text.bottom - text.top, client.right, client.bottom};
  }
  const RECT text = LaidOutText(control, DT_SINGLELINE, 0);
  TextFit fit{text.right - text.left, text.bottom - text.top, client.right, client.bottom};
  if (kind == ControlKind::kCheckBox) {
    fit.roomWidth -= CheckBoxTextOffset(control);
  } else {
    // Inside a push button's raised edge, where its focus rectangle is drawn.
    fit.roomWidth -= 2 * GetSystemMetrics(SM_CXEDGE);
    fit.roomHeight -= 2 * GetSystemMetrics(SM_CYEDGE);
  }
  return fit;
}

}  // namespace

TextFit ControlTextFit(const Window& window, int id) {
  const win32::Control* control = win32::AsWin32(window).FindControl(id);
  return control ? FitIn(control->handle, control->kind) : TextFit{};
}

}  // namespace platform::automation
