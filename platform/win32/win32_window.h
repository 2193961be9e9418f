// The Win32 side of platform::Window: a dialog-class window made from an empty in-memory template, its
// controls created in pixels, and a message loop of its own. Automation reaches the handles through here.
#pragma once

#include <windows.h>
// needs windows.h before it
#include <commctrl.h>

#include <map>
#include <memory>
#include <vector>

#include "platform/display_scale.h"
#include "platform/image.h"
#include "platform/window.h"
#include "platform/window_base.h"

namespace platform::win32 {

class GraphicView;

// What the window keeps of each control besides its handle.
struct Control {
  HWND handle = nullptr;
  ControlKind kind = ControlKind::kLabel;
  Colour textColour = kDefaultColour;
  Colour background = kDefaultColour;
  HBRUSH backgroundBrush = nullptr;
  HIMAGELIST images = nullptr;        // the picture combo's flags
  std::unique_ptr<GraphicView> view;  // graphic views only
  RECT place{};                       // position and size in the program's pixels
  FontSpec font;                      // as asked for: the window's own when its name is nullptr
};

class Win32Window final : public WindowBase {
 public:
  Win32Window(const WindowSpec& spec, const std::vector<ControlSpec>& controls,
              const std::vector<Menu>& menus, WindowHandler& handler);
  ~Win32Window() override;

  void SetCaption(const std::string& caption) override;
  void SetText(int id, const std::string& text) override;
  std::string Text(int id) const override;
  void SetEnabled(int id, bool enabled) override;
  bool Checked(int id) const override;
  void ClearItems(int id) override;
  void AddItem(int id, const std::string& text) override;
  void AddImageItem(int id, const std::string& text, const std::string& resourceName) override;
  int SelectedPosition(int id) const override;
  void Select(int id, int position) override;
  Image& ViewSurface(int viewId) override;
  void ShowImage(int viewId, const Image& image) override;
  void RepaintView(int viewId) override;
  void SetViewCells(int viewId, const ViewCells& cells) override;
  void ViewFocusMoved(int viewId) override;
  void ViewCellChanged(int viewId, int cellIndex) override;
  void EnableMenuItem(int id, bool enabled) override;
  int ScreenX() const override;
  int ScreenY() const override;

  HWND Handle() const { return handle_; }
  HWND ControlHandle(int id) const;
  const Control* FindControl(int id) const;
  HMENU MenuBar() const { return menuBar_; }
  // Display pixels the menu bar takes from the top of the client height asked for.
  int MenuStrip() const { return menuStrip_; }
  // Dots per inch of the display the window is on: its program pixels are shown dpi / 96 times larger.
  int Dpi() const { return dpi_; }
  bool HasMenuItem(int id) const;

  // For the graphic views.
  GraphicView* View(int viewId) const;

 protected:
  void ShowNative() override;
  void HideNative() override;
  void RunLoop() override;
  void WakeLoop() override;
  int NativeFocus() const override;
  void GiveNativeFocus(int id) override;

 private:
  static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void OnCommandMessage(WPARAM wParam, LPARAM lParam);
  void PressFocusedButton();
  void PressDialogButton(int id);
  INT_PTR OnControlColour(HDC dc, HWND control);

  void CreateControls(const WindowSpec& spec, const std::vector<ControlSpec>& controls);
  void CreateControl(const WindowSpec& windowSpec, const ControlSpec& spec);
  void CreateMenus(const std::vector<Menu>& menus);
  void SizeAndPlace(const WindowSpec& spec);
  RECT FrameFor(int clientWidth, int clientHeight) const;
  void MeasureMenuStrip();
  void PlaceControl(const Control& control) const;
  void OnDpiChanged(int dpi, const RECT& suggested);
  int IdOfControl(HWND control) const;

  HWND handle_ = nullptr;
  HMENU menuBar_ = nullptr;
  int menuStrip_ = 0;
  int dpi_ = kBaseDpi;
  int clientWidth_ = 0, clientHeight_ = 0;  // program pixels
  FontSpec font_;
  std::map<int, Control> controls_;
  std::vector<int> menuIds_;
  int acceptButton_ = 0;  // pressed by Enter where no push button has the focus
  int cancelButton_ = 0;  // pressed by Escape
  Image noSurface_;  // returned for an unknown view id
};

Win32Window& AsWin32(Window& window);
const Win32Window& AsWin32(const Window& window);
// One of the program's windows, by its handle; nullptr for any other window.
Win32Window* FindOpenWindow(HWND handle);

// Lets the message through the dialog manager of its window (tab, Enter), else dispatches it.
void DispatchThreadMessage(MSG& message);

}  // namespace platform::win32
