// The standard colour chooser, ChooseColorW, fully opened. It disables its owner only, so every other
// window stays usable; a hook places it where the program asks.
#include "platform/colour_chooser.h"

#include <windows.h>
// needs windows.h before it
#include <commdlg.h>

#include "platform/win32/colour_choosers.h"
#include "platform/win32/win32_window.h"

namespace platform {
namespace win32 {
namespace {

struct Request {
  int x = 0;
  int y = 0;
  Colour initial = 0;
};

OpenChooser& Current() {
  static OpenChooser chooser;
  return chooser;
}

UINT_PTR CALLBACK PlaceChooser(HWND dialog, UINT message, WPARAM /*wParam*/, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    const auto* choice = reinterpret_cast<const CHOOSECOLORW*>(lParam);
    const auto* request = reinterpret_cast<const Request*>(choice->lCustData);
    SetWindowPos(dialog, nullptr, request->x, request->y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    Current() = OpenChooser{dialog, request->initial};
  }
  return 0;  // the chooser's own handling goes on
}

}  // namespace

const OpenChooser* OpenColourChooserDialog() {
  return Current().handle != nullptr && IsWindow(Current().handle) ? &Current() : nullptr;
}

}  // namespace win32

bool ChooseColour(Window& owner, int x, int y, Colour initial, std::array<Colour, 16>& customColours,
                  Colour& chosen) {
  COLORREF custom[16];
  for (std::size_t i = 0; i < customColours.size(); ++i) custom[i] = customColours[i];
  const int dpi = win32::AsWin32(owner).Dpi();
  win32::Request request{ToDisplayPixels(x, dpi), ToDisplayPixels(y, dpi), initial};
  CHOOSECOLORW choice{};
  choice.lStructSize = sizeof choice;
  choice.hwndOwner = win32::AsWin32(owner).Handle();
  choice.rgbResult = initial;
  choice.lpCustColors = custom;
  choice.Flags = CC_FULLOPEN | CC_RGBINIT | CC_ENABLEHOOK;
  choice.lpfnHook = &win32::PlaceChooser;
  choice.lCustData = reinterpret_cast<LPARAM>(&request);
  const bool confirmed = ChooseColorW(&choice) != FALSE;
  win32::Current() = win32::OpenChooser{};
  for (std::size_t i = 0; i < customColours.size(); ++i) customColours[i] = custom[i] & 0xFFFFFF;
  if (confirmed) chosen = choice.rgbResult & 0xFFFFFF;
  return confirmed;
}

}  // namespace platform
