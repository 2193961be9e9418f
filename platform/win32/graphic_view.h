// A bordered static control the program draws on: its picture is kept in a 24-bit surface and painted
// from there, and its mouse messages reach the program's handler before the control's own procedure.
#pragma once

#include <windows.h>

#include "platform/image.h"

namespace platform::win32 {

class Win32Window;

class GraphicView {
 public:
  GraphicView(Win32Window& window, int id, HWND handle);
  ~GraphicView();
  GraphicView(const GraphicView&) = delete;
  GraphicView& operator=(const GraphicView&) = delete;

  Image& Surface() { return surface_; }
  // Draws the surface into `dc` at the client origin.
  void PaintInto(HDC dc) const;

 private:
  static LRESULT CALLBACK Procedure(HWND handle, UINT message, WPARAM wParam, LPARAM lParam);
  void ReportMouse(UINT message, LPARAM lParam);

  Win32Window& window_;
  int id_;
  HWND handle_;
  WNDPROC previous_;
  Image surface_;
};

}  // namespace platform::win32
