#include "platform/win32/dpi.h"

namespace platform::win32 {
namespace {

// The newer calls' own declarations, which the Windows 7 headers the program is built for lack.
using GetDpiForSystemCall = UINT(WINAPI*)();
using GetDpiForWindowCall = UINT(WINAPI*)(HWND);
using AdjustWindowRectExForDpiCall = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
using SetDialogDpiChangeBehaviorCall = BOOL(WINAPI*)(HWND, int, int);
using SetDialogControlDpiChangeBehaviorCall = BOOL(WINAPI*)(HWND, int, int);
// DDC_DISABLE_ALL and DCDC_DISABLE_FONTUPDATE | DCDC_DISABLE_RELAYOUT.
constexpr int kDialogDisableAll = 1;
constexpr int kControlDisableFontAndLayout = 3;

template <typename Call>
Call UserCall(const char* name) {
  const HMODULE user = GetModuleHandleW(L"user32.dll");
  return user ? reinterpret_cast<Call>(reinterpret_cast<void*>(GetProcAddress(user, name))) : nullptr;
}

int ScreenDpi() {
  const HDC screen = GetDC(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 96;
  if (screen) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

}  // namespace

int SystemDpi() {
  static const GetDpiForSystemCall call = UserCall<GetDpiForSystemCall>("GetDpiForSystem");
  return call ? static_cast<int>(call()) : ScreenDpi();
}

int DpiOfWindow(HWND window) {
  static const GetDpiForWindowCall call = UserCall<GetDpiForWindowCall>("GetDpiForWindow");
  const int dpi = call && window ? static_cast<int>(call(window)) : 0;
  return dpi > 0 ? dpi : SystemDpi();
}

void AdjustFrameForDpi(RECT& rect, DWORD style, DWORD extendedStyle, int dpi) {
  static const AdjustWindowRectExForDpiCall call =
      UserCall<AdjustWindowRectExForDpiCall>("AdjustWindowRectExForDpi");
  if (call == nullptr || !call(&rect, style, FALSE, extendedStyle, static_cast<UINT>(dpi)))
    AdjustWindowRectEx(&rect, style, FALSE, extendedStyle);
}

void KeepDialogScalingToProgram(HWND dialog) {
  static const SetDialogDpiChangeBehaviorCall call =
      UserCall<SetDialogDpiChangeBehaviorCall>("SetDialogDpiChangeBehavior");
  if (call) call(dialog, kDialogDisableAll, kDialogDisableAll);
}

void KeepControlScalingToProgram(HWND control) {
  static const SetDialogControlDpiChangeBehaviorCall call =
      UserCall<SetDialogControlDpiChangeBehaviorCall>("SetDialogControlDpiChangeBehavior");
  if (call) call(control, kControlDisableFontAndLayout, kControlDisableFontAndLayout);
}

}  // namespace platform::win32
