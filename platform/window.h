// Windows described by tables of controls, run in loops of their own that nest, with a handler that
// receives the window's events. A window run this way blocks no other window: windows without an owner
// stay usable together, as the program's secondary dialogs need.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/image.h"
#include "platform/view_cells.h"

namespace platform {

enum class ControlKind {
  kLabel,         // static text, left aligned
  kCentredLabel,  // static text, centred
  kButton,        // push button, tab stop
  kCheckBox,      // automatic check box, tab stop
  kEditCombo,     // drop-down combo box with an edit field, items sorted by the control, tab stop
  kImageCombo,    // drop-down list without edit field, a picture before each item, tab stop
  kEdit,          // single-line text box, bordered, scrolling horizontally
  kGraphicView,   // bordered picture the program draws on; its mouse messages reach the handler first
  kStatusBar,     // along the bottom edge; position and size are ignored
};

constexpr Colour kDefaultColour = 0xFFFFFFFF;  // not a colour reference: "the control's own"

struct ControlSpec {
  int id = 0;
  ControlKind kind = ControlKind::kLabel;
  int x = 0, y = 0, width = 0, height = 0;  // in the window's units, client coordinates
  std::string text;                         // initial text
  FontSpec font;                            // name nullptr: the window's font
  Colour textColour = kDefaultColour;
  Colour background = kDefaultColour;
};

enum class Units {
  kPixels,
  // A quarter of the dialog font's average character width across and an eighth of its height down,
  // with the base of the classic 8-point dialog font fixed at 6 x 13 pixels on every backend, whatever
  // font the window asks for: one dialog unit is 1.5 pixels across and 1.625 down, rounded to the
  // nearest pixel. A backend whose system would derive the base from the window's font must not, so
  // that a window has the same pixel geometry everywhere.
  kDialogUnits,
};

// A length in the window's units as pixels, across and down.
int PixelsAcross(Units units, int value);
int PixelsDown(Units units, int value);

enum class Placement { kScreenCentre, kWorkAreaCentre, kAt };

struct WindowSpec {
  std::string caption;
  Units units = Units::kPixels;
  // The client area as created. With a menu bar, the bar takes its strip from the top of this height
  // (the window does not grow), and controls are placed below the bar: a control at y = 0 touches it.
  int clientWidth = 0, clientHeight = 0;
  Placement placement = Placement::kScreenCentre;
  int x = 0, y = 0;  // screen position of the window for kAt, in the window's units
  bool minimiseBox = false;
  bool closeBox = false;  // a system menu with a close box
  FontSpec font = {"MS Sans Serif", 8, false};
  // The keys of a standard dialog, by button id (0: the key does nothing). Enter where no push button
  // has the focus (in a text box, say) presses acceptButton; Escape presses cancelButton. Enter on a
  // focused push button presses that button in every window.
  int acceptButton = 0;
  int cancelButton = 0;
};

struct MenuItem {
  int id = 0;  // 0 with text "-" is a separator
  std::string text;
};

struct Menu {
  std::string title;
  std::vector<MenuItem> items;
};

// Notification codes delivered with OnCommand.
constexpr int kNotifyClicked = 0;             // buttons, check boxes and menu items
constexpr int kNotifySelectionConfirmed = 9;  // combo boxes: the drop-down closed with a choice

// A double click reaches a view as two presses: the second press of a double click is a kLeftDown.
enum class MouseKind { kMove, kLeftDown, kLeftUp, kRightDown, kRightUp };

struct MouseEvent {
  MouseKind kind = MouseKind::kMove;
  int x = 0, y = 0;  // client pixels of the view
};

class Window;

class WindowHandler {
 public:
  virtual ~WindowHandler() = default;
  // The window and its controls exist but are not shown yet.
  virtual void OnInit(Window&) {}
  virtual void OnCommand(Window&, int /*id*/, int /*notification*/) {}
  // The window manager asks the window to close (a close box, a keyboard shortcut, logging out).
  virtual void OnCloseRequest(Window&) {}
  // The window gained or lost the activation. The control that had the keyboard focus when the window
  // lost it gets it back on return, without the handler's help.
  virtual void OnActivate(Window&, bool /*active*/) {}
  // A graphic view's mouse message, before the view's own handling.
  virtual void OnViewMouse(Window&, int /*viewId*/, const MouseEvent&) {}
  // A key pressed in a view of cells that has the keyboard focus (see Window::SetViewCells).
  virtual void OnViewKey(Window&, int /*viewId*/, const ViewKeyEvent&) {}
};

class Window {
 public:
  virtual ~Window() = default;

  // Creates the window with its controls and menus, calls OnInit, shows it and runs its loop until
  // End is called. Returns End's value.
  static int RunModal(const WindowSpec& spec, const std::vector<ControlSpec>& controls,
                      const std::vector<Menu>& menus, WindowHandler& handler);

  // Ends the window's loop. The window disappears at once and its handler receives nothing more, also
  // when another window's loop still runs nested inside this one's (a dialog opened from this window,
  // or a window opened from its handler). RunModal returns once those inner loops have ended in turn. Called again, or from OnInit (the window is then never shown), it does no harm.
  virtual void End(int result) = 0;
  virtual void SetCaption(const std::string& caption) = 0;

  // Text of a label, button, check box, edit field or combo box's edit field.
  virtual void SetText(int id, const std::string& text) = 0;
  virtual std::string Text(int id) const = 0;
  virtual void SetEnabled(int id, bool enabled) = 0;
  virtual bool Checked(int id) const = 0;

  // Combo boxes. Positions count from 0; -1 means nothing selected.
  virtual void ClearItems(int id) = 0;
  virtual void AddItem(int id, const std::string& text) = 0;
  // Image combo: an item with a picture loaded from the bitmap resource `resourceName` ("#300").
  virtual void AddImageItem(int id, const std::string& text, const std::string& resourceName) = 0;
  virtual int SelectedPosition(int id) const = 0;
  virtual void Select(int id, int position) = 0;

  // Graphic views. The surface is what the view shows (its client area, inside the border).
  virtual Image& ViewSurface(int viewId) = 0;
  // Copies the picture onto the view at its origin and shows it.
  virtual void ShowImage(int viewId, const Image& image) = 0;
  // Shows what was drawn directly on the surface.
  virtual void RepaintView(int viewId) = 0;

  // Makes a graphic view a grid of cells: it takes the keyboard focus when the window opens and when
  // clicked, hands its keys to OnViewKey, shows a focus mark over its picture (never in it) while it has
  // the focus, and lets assistive technology read it as a table. `cells` must outlive the window.
  virtual void SetViewCells(int viewId, const ViewCells& cells) = 0;
  // The focused cell has moved: the mark moves and assistive technology is told.
  virtual void ViewFocusMoved(int viewId) = 0;
  // A cell's checked state has changed: assistive technology is told.
  virtual void ViewCellChanged(int viewId, int cellIndex) = 0;

  // Menus, addressed by command id.
  virtual void EnableMenuItem(int id, bool enabled) = 0;

  // Screen position of the window's top-left corner (frame included), in the program's pixels: on a
  // display of another scale, display pixels × 96 / dpi.
  virtual int ScreenX() const = 0;
  virtual int ScreenY() const = 0;
};

}  // namespace platform
