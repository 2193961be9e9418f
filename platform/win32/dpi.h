// The display's scale, asked of the system through calls that Windows 7 lacks: each is looked up when
// first needed and replaced by what Windows 7 offers where it is missing, so the program still starts
// there (at the system's one scale).
#pragma once

#include <windows.h>

namespace platform::win32 {

// Dots per inch of the whole system (96 at 100 %).
int SystemDpi();
// Dots per inch of the display the window is on; the system's where windows have no scale of their own.
int DpiOfWindow(HWND window);
// AdjustWindowRectEx at the given scale.
void AdjustFrameForDpi(RECT& rect, DWORD style, DWORD extendedStyle, int dpi);
// A dialog on a display of another scale is enlarged by the program itself, never by the system's
// dialog manager, which would enlarge the program's pixel-placed controls a second time.
void KeepDialogScalingToProgram(HWND dialog);
void KeepControlScalingToProgram(HWND control);

}  // namespace platform::win32
