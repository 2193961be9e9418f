// A bordered static control the program draws on: its picture is kept in a 24-bit surface and painted
// from there, and its mouse messages reach the program's handler before the control's own procedure.
#pragma once

#include <windows.h>

#include "platform/image.h"
#include "platform/view_cells.h"

namespace platform::win32 {

class Win32Window;
class ViewAccessible;

class GraphicView {
 public:
  GraphicView(Win32Window& window, int id, HWND handle);
  ~GraphicView();
  GraphicView(const GraphicView&) = delete;
  GraphicView& operator=(const GraphicView&) = delete;

  Image& Surface() { return surface_; }
  // Draws the surface into `dc` at the client origin, and the focus mark over it while it is shown.
  void PaintInto(HDC dc) const;

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
  void ReportKey(WPARAM virtualKey);
  void AnnounceFocus() const;

  Win32Window& window_;
  int id_;
  HWND handle_;
  WNDPROC previous_;
  Image surface_;
  const ViewCells* cells_ = nullptr;
  ViewAccessible* accessible_ = nullptr;  // made when a screen reader first asks; one reference held
};

}  // namespace platform::win32
