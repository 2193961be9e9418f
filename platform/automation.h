// Drives the real windows for end-to-end tests. Steps are queued before the program runs and are taken
// one at a time from whatever loop is running: a step that opens a window, a message box or the colour
// chooser (and so blocks in that window's loop) lets the next step run inside that loop.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/image.h"
#include "platform/message_box.h"
#include "platform/window.h"

namespace platform::automation {

// Queues a step. Steps run in order, each after the previous one has started.
void Then(std::function<void()> step);
// Steps not run yet.
std::size_t PendingSteps();
// Drops every queued step.
void ClearSteps();

// The window shown most recently that is still open; nullptr when none.
Window* ActiveWindow();
// The open window with this caption, the most recent one if several; nullptr when none.
Window* WindowWithCaption(const std::string& caption);
// Captions of the open windows, oldest first.
std::vector<std::string> OpenWindowCaptions();

// What a user sees of a window.
std::string Caption(const Window& window);
bool ControlEnabled(const Window& window, int id);
std::vector<std::string> ItemTexts(const Window& window, int id);  // a combo box's list, in order
bool MenuItemEnabled(const Window& window, int id);

// User input through the toolkit, as a person would give it.
void Click(Window& window, int id);                           // button or check box
void ChooseItem(Window& window, int id, int position);        // pick from a combo's list, confirmed
void TypeText(Window& window, int id, const std::string& text);  // replaces an edit field's text
void InvokeMenu(Window& window, int id);                      // choose a menu item
// At a pixel of the view's picture, in the program's pixels whatever the display's scale.
void Mouse(Window& window, int viewId, MouseKind kind, int x, int y);
void DoubleClick(Window& window, int viewId, int x, int y);  // left button, as the toolkit reports it
void RequestClose(Window& window);                            // as the window manager would
void Deactivate(Window& window);                              // another window takes the activation
void Activate(Window& window);
// Whether the system holds the window as the active one, the one the keyboard reaches.
bool IsActive(const Window& window);
// The control with the keyboard focus; while the window is inactive, the one that gets it back on
// activation. 0 when none.
int FocusedControl(const Window& window);
// Gives a control the keyboard focus, as a click on it would in the active window.
void Focus(Window& window, int id);

// Keys as the keyboard sends them to the focused control of the active window, alone or with Ctrl held.
enum class Key { kEnter, kKeypadEnter, kEscape, kTab, kLeft, kRight, kUp, kDown, kHome, kEnd, kSpace };
enum class Modifier { kNone, kControl };
// Does nothing while a modal chooser blocks the window.
void PressKey(Window& window, Key key, Modifier modifier = Modifier::kNone);

// What a menu bar shows: titles, and per menu its item texts ("-" for separators) and ids.
std::vector<Menu> MenuBar(const Window& window);
// Saves what the window shows (its client area with the menu bar) as a PNG file.
bool SaveWindowPicture(const Window& window, const std::string& path);
// Pixel of a view as shown.
Colour ViewPixel(Window& window, int viewId, int x, int y);
// Client size of the window and position of a control, in the program's pixels (the same at every
// display scale).
struct Geometry {
  int x = 0, y = 0, width = 0, height = 0;
};
Geometry ClientGeometry(const Window& window);
Geometry ControlGeometry(const Window& window, int id);
// The window on its display. Everything above is in the program's pixels, the same at every display
// scale; these are in the display's own pixels: dpi / 96 times as many.
int WindowDpi(const Window& window);                  // 96 at 100 %
Geometry ScreenClientGeometry(const Window& window);  // the client area, with the menu bar's strip
// The mouse at a display pixel of the view's drawing area (its client area, inside the border).
void MouseAtScreenPixel(Window& window, int viewId, MouseKind kind, int x, int y);
// The view's drawing area as the display shows it, the focus mark included.
Image ScreenViewPicture(Window& window, int viewId);

// The icon the window gives the window manager, drawn on white at the size the system shows it: large
// (the task switcher's) or small (the caption's and taskbar's). An empty picture when it has none.
Image WindowIcon(const Window& window, bool large);
// Whether the window manager was offered a close box / minimise box / resizing.
struct Frame {
  bool closeBox = false;
  bool minimiseBox = false;
  bool maximiseBox = false;
  bool resizable = false;
};
Frame WindowFrame(const Window& window);

// How a label's, button's or check box's text sits in it, in pixels: the widest line and the height of
// the lines as the control lays its text out in its font, and the room the control leaves for text (a
// label's whole box; inside a button's frame; beside a check box's box).
struct TextFit {
  int textWidth = 0, textHeight = 0;
  int roomWidth = 0, roomHeight = 0;
};
TextFit ControlTextFit(const Window& window, int id);

// The open message box, if any.
struct SeenMessageBox {
  std::string text;
  std::string caption;
  std::vector<std::string> buttons;
  bool hasIcon = false;   // on the box or on any of its buttons
  bool closeBox = false;  // offered to the window manager
  std::string focusedButton;
};
std::optional<SeenMessageBox> OpenMessageBox();
// Answers the open message box with a click on a button; fails the test (returns nullopt) when none is
// open or it has no such button.
std::optional<SeenMessageBox> AnswerMessageBox(MessageAnswer answer);
// A key pressed in the open message box, and the window manager's request to close it. False when none
// is open.
bool PressMessageBoxKey(Key key);
bool RequestMessageBoxClose();
// Saves what the open message box shows as a PNG file.
bool SaveMessageBoxPicture(const std::string& path);

// The open colour chooser, if any, and answering it: a colour confirms, nullopt cancels.
struct SeenChooser {
  Colour initial = 0;
  int x = 0, y = 0;  // screen position of its top-left corner, in the program's pixels
  std::string caption;
  std::vector<std::string> buttons;  // its push buttons' texts, without their mnemonic marks
};
std::optional<SeenChooser> OpenColourChooser();
bool AnswerColourChooser(std::optional<Colour> colour);

// The system's locale data, an oracle independent of the program's tables: a full weekday name
// (1 = Monday) and a month's name as it stands in a date ("es-ES", "en-GB", ...). nullopt when there is
// no such data.
std::optional<std::string> SystemWeekdayName(const std::string& locale, int weekday);
std::optional<std::string> SystemMonthName(const std::string& locale, int month);

}  // namespace platform::automation
