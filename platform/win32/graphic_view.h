// A bordered static control the program draws on: its picture is kept in a 24-bit surface and painted
// from there, and its mouse messages reach the program's handler before the control's own procedure.
// On a display of another scale the surface keeps its size in the program's pixels and is shown
// enlarged by whole display pixels, centred in the client area; its border stays one display pixel
// wide, and the rest of the client area around the picture (a pixel or two) is drawn in the border's
// colour. The mouse's display pixels are taken back to the surface's.
#pragma once

#include <windows.h>

#include "platform/display_scale.h"
#include "platform/image.h"
#include "platform/view_cells.h"

namespace platform::win32 {

class Win32Window;
class ViewAccessible;

class GraphicView {
 public:
  // A surface of width x height program pixels, the view's client area at 96 dpi.
  GraphicView(Win32Window& window, int id, HWND handle, int width, int height, int dpi);
  ~GraphicView();
  GraphicView(const GraphicView&) = delete;
  GraphicView& operator=(const GraphicView&) = delete;

  Image& Surface() { return surface_; }
  // Copies the picture onto the surface at its origin and shows what changed.
  void Show(const Image& picture);
  // Shows what was drawn on the surface.
  void Refresh();
  // The display's scale has changed.
  void SetDpi(int dpi);
  int Dpi() const { return dpi_; }
  // Draws the part `area` of the view's client area into `dc`, the view's client origin at its origin.
  void PaintInto(HDC dc, const RECT& area);
  // Where the picture begins in the client area, and its size, in display pixels.
  RECT ShownPlace() const;

  // Cells make the view take the keyboard focus, hand keys to the window and answer screen readers.
  void SetCells(const ViewCells& cells);
  const ViewCells* Cells() const { return cells_; }
  HWND Handle() const { return handle_; }
  bool HasFocus() const { return GetFocus() == handle_; }
  void FocusMoved();
  void CellChanged(int cellIndex);

 private:
  static LRESULT CALLBACK Procedure(HWND handle, UINT message, WPARAM wParam, LPARAM lParam);
  // The view's own answer to a message, when it gives one instead of the control's procedure.
  bool HandleCellsMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  void ReportMouse(UINT message, LPARAM lParam);
  // Enlarges the part of the surface (in its pixels) and has it painted.
  void ShowPart(const RECT& part);
  void ReportKey(WPARAM virtualKey);
  void AnnounceFocus() const;

  Win32Window& window_;
  int id_;
  HWND handle_;
  WNDPROC previous_;
  int dpi_;
  Image surface_;
  Image enlarged_;  // what the display shows, at a scale other than 96 dpi
  const ViewCells* cells_ = nullptr;
  ViewAccessible* accessible_ = nullptr;  // made when a screen reader first asks; one reference held
};

}  // namespace platform::win32
