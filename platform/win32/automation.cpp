// Drives the real Win32 windows as a user would. Each queued step runs from a message posted to a
// message-only window: every modal loop dispatches it, message boxes and the colour chooser included.
#include "platform/automation.h"

#include <windows.h>
// needs windows.h before it
#include <commctrl.h>

#include "platform/automation_steps.h"
#include "platform/win32/colour_choosers.h"
#include "platform/win32/dib.h"
#include "platform/win32/dpi.h"
#include "platform/win32/graphic_view.h"
#include "platform/win32/message_boxes.h"
#include "platform/win32/picture_file.h"
#include "platform/win32/win32_window.h"
#include "platform/windows/unicode.h"

namespace platform::automation {
namespace {

constexpr UINT kRunStep = WM_APP + 1;
constexpr UINT_PTR kRunStepTimer = 1;
constexpr const wchar_t* kStepWindowClass = L"KalvorAutomationSteps";
constexpr const wchar_t* kSinkWindowClass = L"KalvorActivationSink";
// A window nobody sees, to take the activation from the program's windows.
constexpr int kSinkPosition = -100;
constexpr int kSinkSize = 1;
// Controls of the colour chooser that take red, green and blue.
constexpr int kChooserRed = 706;
constexpr int kChooserGreen = 707;
constexpr int kChooserBlue = 708;

using win32::AsWin32;

LRESULT CALLBACK StepProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kRunStep) {
    steps::RunNext();
    return 0;
  }
  if (message == WM_TIMER && wParam == kRunStepTimer) {
    KillTimer(window, kRunStepTimer);
    steps::RunNext();
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

HWND MakeWindow(const wchar_t* className, WNDPROC procedure, HWND parent, DWORD style, int x, int y,
                int size) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = className;
  RegisterClassW(&windowClass);
  return CreateWindowExW(WS_EX_TOOLWINDOW, className, L"", style, x, y, size, size, parent, nullptr,
                         GetModuleHandleW(nullptr), nullptr);
}

HWND StepWindow() {
  static const HWND window = MakeWindow(kStepWindowClass, &StepProcedure, HWND_MESSAGE, 0, 0, 0, 0);
  return window;
}

HWND ActivationSink() {
  static const HWND window = MakeWindow(kSinkWindowClass, &DefWindowProcW, nullptr, WS_POPUP, kSinkPosition,
                                        kSinkPosition, kSinkSize);
  return window;
}

std::string WindowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  const int length = GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
  return windows::Narrow(text.data(), length);
}

// Mnemonic markers are no part of what a user reads.
std::string Plain(std::string text) {
  std::erase(text, '&');
  return text;
}

// The control a user could act on now: it exists, is enabled and no chooser holds its window.
HWND Reachable(const Window& window, int id) {
  const win32::Win32Window& native = AsWin32(window);
  const HWND control = native.ControlHandle(id);
  if (control == nullptr || !IsWindowEnabled(control) || !IsWindowEnabled(native.Handle())) return nullptr;
  return control;
}

ControlKind KindOf(const Window& window, int id) {
  const win32::Control* control = AsWin32(window).FindControl(id);
  return control ? control->kind : ControlKind::kLabel;
}

void Notify(HWND control, int code) {
  SendMessageW(GetParent(control), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), code),
               reinterpret_cast<LPARAM>(control));
}

// The edit field a user types into: the control itself, or a combo box's own edit field.
HWND EditFieldOf(HWND control) {
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  if (GetComboBoxInfo(control, &info) && info.hwndItem != nullptr) return info.hwndItem;
  return control;
}

std::string ItemText(HWND combo, ControlKind kind, int position) {
  wchar_t buffer[256] = {};
  if (kind == ControlKind::kImageCombo) {
    COMBOBOXEXITEMW item{};
    item.mask = CBEIF_TEXT;
    item.iItem = position;
    item.pszText = buffer;
    item.cchTextMax = 256;
    SendMessageW(combo, CBEM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    return windows::Narrow(buffer);
  }
  const LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(position), 0);
  std::wstring text(static_cast<std::size_t>(length > 0 ? length : 0) + 1, L'\0');
  SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(position), reinterpret_cast<LPARAM>(text.data()));
  return windows::Narrow(text.c_str());
}

UINT MessageOf(MouseKind kind) {
  switch (kind) {
    case MouseKind::kLeftDown:
      return WM_LBUTTONDOWN;
    case MouseKind::kLeftUp:
      return WM_LBUTTONUP;
    case MouseKind::kRightDown:
      return WM_RBUTTONDOWN;
    case MouseKind::kRightUp:
      return WM_RBUTTONUP;
    case MouseKind::kMove:
      break;
  }
  return WM_MOUSEMOVE;
}

// The buttons held once the event has happened.
WPARAM KeysAfter(MouseKind kind) {
  if (kind == MouseKind::kLeftDown) return MK_LBUTTON;
  if (kind == MouseKind::kRightDown) return MK_RBUTTON;
  return 0;
}

void SendMouse(HWND view, UINT message, WPARAM keys, int x, int y) {
  SendMessageW(view, message, keys, MAKELPARAM(x, y));
}

// Whether the window offers a close box that works: a system menu whose Close is there and not greyed.
bool OffersCloseBox(HWND window) {
  if ((GetWindowLongPtrW(window, GWL_STYLE) & WS_SYSMENU) == 0) return false;
  const UINT state = GetMenuState(GetSystemMenu(window, FALSE), SC_CLOSE, MF_BYCOMMAND);
  return state != UINT(-1) && (state & (MF_GRAYED | MF_DISABLED)) == 0;
}

struct VirtualKey {
  WPARAM code;
  bool extended;  // the keypad's Enter is the extended Return
};

VirtualKey VirtualKeyOf(Key key) {
  switch (key) {
    case Key::kEnter:
      return {VK_RETURN, false};
    case Key::kKeypadEnter:
      return {VK_RETURN, true};
    case Key::kEscape:
      return {VK_ESCAPE, false};
    case Key::kTab:
      return {VK_TAB, false};
    // The arrows, Home and End of the block beside the letters, not the keypad's: extended keys.
    case Key::kLeft:
      return {VK_LEFT, true};
    case Key::kRight:
      return {VK_RIGHT, true};
    case Key::kUp:
      return {VK_UP, true};
    case Key::kDown:
      return {VK_DOWN, true};
    case Key::kHome:
      return {VK_HOME, true};
    case Key::kEnd:
      return {VK_END, true};
    case Key::kSpace:
      break;
  }
  return {VK_SPACE, false};
}

// Ctrl held for the thread while a key is delivered, as GetKeyState reports it to the receiver.
class HeldControl {
 public:
  explicit HeldControl(Modifier modifier) : held_(modifier == Modifier::kControl) {
    if (!held_) return;
    GetKeyboardState(saved_);
    BYTE state[256];
    GetKeyboardState(state);
    state[VK_CONTROL] |= kDown;
    state[VK_LCONTROL] |= kDown;
    SetKeyboardState(state);
  }
  ~HeldControl() {
    if (held_) SetKeyboardState(saved_);
  }
  HeldControl(const HeldControl&) = delete;
  HeldControl& operator=(const HeldControl&) = delete;

 private:
  static constexpr BYTE kDown = 0x80;
  bool held_;
  BYTE saved_[256] = {};
};

constexpr LPARAM kExtendedKey = 1 << 24;
constexpr LPARAM kKeyReleased = LPARAM(3) << 30;  // was down, is up

// What the keyboard queues for a key, taken by the dialog's key handling (Tab, Enter, Escape) as
// every loop of a dialog takes it, else translated and dispatched.
void DeliverKey(HWND dialog, HWND target, UINT message, VirtualKey key) {
  MSG keyMessage{};
  keyMessage.hwnd = target;
  keyMessage.message = message;
  keyMessage.wParam = key.code;
  keyMessage.lParam = 1 | static_cast<LPARAM>(MapVirtualKeyW(static_cast<UINT>(key.code), MAPVK_VK_TO_VSC))
                              << 16;
  if (key.extended) keyMessage.lParam |= kExtendedKey;
  if (message == WM_KEYUP) keyMessage.lParam |= kKeyReleased;
  keyMessage.time = GetTickCount();
  if (!IsDialogMessageW(dialog, &keyMessage)) {
    TranslateMessage(&keyMessage);
    DispatchMessageW(&keyMessage);
  }
}

// A press and a release to the focused control of the dialog (or the dialog itself). The press may
// run a nested loop (a button that opens a window); the release goes where the focus is then.
void PressKeyIn(HWND dialog, Key key) {
  const auto focusIn = [dialog] {
    const HWND focus = GetFocus();
    return focus != nullptr && (focus == dialog || IsChild(dialog, focus)) ? focus : dialog;
  };
  DeliverKey(dialog, focusIn(), WM_KEYDOWN, VirtualKeyOf(key));
  if (IsWindow(dialog)) DeliverKey(dialog, focusIn(), WM_KEYUP, VirtualKeyOf(key));
}

// Takes what an action posted to the dialog, as its loop would, so that it has acted on return.
void TakePosted(HWND dialog) {
  MSG message;
  while (PeekMessageW(&message, dialog, 0, 0, PM_REMOVE)) {
    if (!IsDialogMessageW(dialog, &message)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
}

bool HoldsIcon(HWND box) {
  // Some systems keep an empty icon control in every box: ask it for its icon.
  for (HWND child = GetWindow(box, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    wchar_t className[16] = {};
    GetClassNameW(child, className, 16);
    if (std::wstring(className) == L"Static" && SendMessageW(child, STM_GETICON, 0, 0) != 0) return true;
  }
  return false;
}

SeenMessageBox Describe(const win32::OpenBox& box) {
  SeenMessageBox seen;
  seen.text = box.text;
  seen.caption = WindowText(box.handle);
  for (HWND child = GetWindow(box.handle, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    wchar_t className[16] = {};
    GetClassNameW(child, className, 16);
    if (std::wstring(className) != L"Button" || !IsWindowVisible(child)) continue;
    seen.buttons.push_back(Plain(WindowText(child)));
    if (GetFocus() == child) seen.focusedButton = seen.buttons.back();
  }
  seen.hasIcon = HoldsIcon(box.handle);
  seen.closeBox = OffersCloseBox(box.handle);
  return seen;
}

int ButtonFor(MessageAnswer answer) {
  switch (answer) {
    case MessageAnswer::kOk:
      return IDOK;
    case MessageAnswer::kYes:
      return IDYES;
    case MessageAnswer::kNo:
      break;
  }
  return IDNO;
}

Geometry GeometryOf(const RECT& rect) {
  return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

Geometry InProgramPixels(const Geometry& shown, int dpi) {
  return {ToProgramPixels(shown.x, dpi), ToProgramPixels(shown.y, dpi), ToProgramPixels(shown.width, dpi),
          ToProgramPixels(shown.height, dpi)};
}

}  // namespace

void steps::PostTurn(int delayMs) {
  if (delayMs > 0) {
    SetTimer(StepWindow(), kRunStepTimer, static_cast<UINT>(delayMs), nullptr);
  } else {
    PostMessageW(StepWindow(), kRunStep, 0, 0);
  }
}

std::string Caption(const Window& window) {
  return WindowText(AsWin32(window).Handle());
}

bool ControlEnabled(const Window& window, int id) {
  const HWND control = AsWin32(window).ControlHandle(id);
  return control != nullptr && IsWindowEnabled(control);
}

std::vector<std::string> ItemTexts(const Window& window, int id) {
  std::vector<std::string> items;
  const HWND combo = AsWin32(window).ControlHandle(id);
  if (combo == nullptr) return items;
  const int count = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
  for (int position = 0; position < count; ++position)
    items.push_back(ItemText(combo, KindOf(window, id), position));
  return items;
}

bool MenuItemEnabled(const Window& window, int id) {
  const win32::Win32Window& native = AsWin32(window);
  if (!native.HasMenuItem(id)) return false;
  const UINT state = GetMenuState(native.MenuBar(), static_cast<UINT>(id), MF_BYCOMMAND);
  return (state & (MF_GRAYED | MF_DISABLED)) == 0;
}

void Click(Window& window, int id) {
  const HWND control = Reachable(window, id);
  if (control == nullptr) return;
  if (KindOf(window, id) == ControlKind::kCheckBox) {
    const bool checked = SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
    SendMessageW(control, BM_SETCHECK, checked ? BST_UNCHECKED : BST_CHECKED, 0);
  }
  Notify(control, BN_CLICKED);
}

// What a choice from the dropped-down list reports: the selection moved, then the list closed with it.
void ChooseItem(Window& window, int id, int position) {
  const HWND combo = Reachable(window, id);
  if (combo == nullptr || position < 0 || position >= SendMessageW(combo, CB_GETCOUNT, 0, 0)) return;
  SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(position), 0);
  Notify(combo, CBN_SELCHANGE);
  Notify(combo, CBN_SELENDOK);
}

// Selecting the field's text and replacing it is what typing over it does; the field reports the change.
void TypeText(Window& window, int id, const std::string& text) {
  const HWND control = Reachable(window, id);
  if (control == nullptr) return;
  const HWND edit = EditFieldOf(control);
  SendMessageW(edit, EM_SETSEL, 0, -1);
  SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(windows::Widen(text).c_str()));
}

void InvokeMenu(Window& window, int id) {
  const win32::Win32Window& native = AsWin32(window);
  if (!MenuItemEnabled(window, id) || !IsWindowEnabled(native.Handle())) return;  // greyed or blocked
  SendMessageW(native.Handle(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

// A pixel of the view's picture is shown from this display pixel on.
void Mouse(Window& window, int viewId, MouseKind kind, int x, int y) {
  const int dpi = AsWin32(window).Dpi();
  MouseAtScreenPixel(window, viewId, kind, ToDisplayPixels(x, dpi), ToDisplayPixels(y, dpi));
}

namespace {
// Display pixels of the picture's part of the view's client area.
RECT ShownPlaceOf(const Window& window, int viewId) {
  const win32::Control* control = AsWin32(window).FindControl(viewId);
  return control && control->view ? control->view->ShownPlace() : RECT{};
}
}  // namespace

void MouseAtScreenPixel(Window& window, int viewId, MouseKind kind, int x, int y) {
  const RECT place = ShownPlaceOf(window, viewId);
  if (const HWND view = Reachable(window, viewId))
    SendMouse(view, MessageOf(kind), KeysAfter(kind), place.left + x, place.top + y);
}

// What Windows delivers for a double click: press, release, double click, release.
void DoubleClick(Window& window, int viewId, int x, int y) {
  const HWND view = Reachable(window, viewId);
  if (view == nullptr) return;
  const int dpi = AsWin32(window).Dpi();
  const RECT place = ShownPlaceOf(window, viewId);
  x = place.left + ToDisplayPixels(x, dpi);
  y = place.top + ToDisplayPixels(y, dpi);
  SendMouse(view, WM_LBUTTONDOWN, MK_LBUTTON, x, y);
  SendMouse(view, WM_LBUTTONUP, 0, x, y);
  SendMouse(view, WM_LBUTTONDBLCLK, MK_LBUTTON, x, y);
  SendMouse(view, WM_LBUTTONUP, 0, x, y);
}

void RequestClose(Window& window) {
  SendMessageW(AsWin32(window).Handle(), WM_CLOSE, 0, 0);
}

void PressKey(Window& window, Key key, Modifier modifier) {
  const HWND handle = AsWin32(window).Handle();
  const HeldControl control(modifier);
  if (IsWindowEnabled(handle)) PressKeyIn(handle, key);
}

// The view paints itself into a bitmap as it paints on the screen, focus mark included.
void Deactivate(Window& /*window*/) {
  const HWND sink = ActivationSink();
  ShowWindow(sink, SW_SHOWNOACTIVATE);
  SetActiveWindow(sink);
}

void Activate(Window& window) {
  ShowWindow(ActivationSink(), SW_HIDE);
  SetActiveWindow(AsWin32(window).Handle());
}

bool SaveWindowPicture(const Window& window, const std::string& path) {
  return win32::SaveClientAreaAsPng(AsWin32(window).Handle(), AsWin32(window).MenuStrip(), path);
}

std::vector<Menu> MenuBar(const Window& window) {
  std::vector<Menu> menus;
  const HMENU bar = AsWin32(window).MenuBar();
  if (bar == nullptr) return menus;
  for (int position = 0; position < GetMenuItemCount(bar); ++position) {
    wchar_t title[128] = {};
    GetMenuStringW(bar, static_cast<UINT>(position), title, 128, MF_BYPOSITION);
    const HMENU popup = GetSubMenu(bar, position);
    if (popup == nullptr) continue;
    Menu menu{windows::Narrow(title), {}};
    for (int item = 0; item < GetMenuItemCount(popup); ++item) {
      const UINT id = GetMenuItemID(popup, item);
      if (GetMenuState(popup, static_cast<UINT>(item), MF_BYPOSITION) & MF_SEPARATOR) {
        menu.items.push_back({0, "-"});
        continue;
      }
      wchar_t text[128] = {};
      GetMenuStringW(popup, static_cast<UINT>(item), text, 128, MF_BYPOSITION);
      menu.items.push_back({static_cast<int>(id), windows::Narrow(text)});
    }
    menus.push_back(std::move(menu));
  }
  return menus;
}

Colour ViewPixel(Window& window, int viewId, int x, int y) {
  return window.ViewSurface(viewId).Pixel(x, y);
}

int WindowDpi(const Window& window) {
  return AsWin32(window).Dpi();
}

// The client area as the program asked for it: the menu bar's strip belongs to it.
Geometry ScreenClientGeometry(const Window& window) {
  const win32::Win32Window& native = AsWin32(window);
  RECT client{};
  GetClientRect(native.Handle(), &client);
  POINT origin{0, 0};
  ClientToScreen(native.Handle(), &origin);
  return {origin.x, origin.y - native.MenuStrip(), client.right, client.bottom + native.MenuStrip()};
}

Geometry ClientGeometry(const Window& window) {
  return InProgramPixels(ScreenClientGeometry(window), WindowDpi(window));
}

Geometry ControlGeometry(const Window& window, int id) {
  const win32::Win32Window& native = AsWin32(window);
  const HWND control = native.ControlHandle(id);
  if (control == nullptr) return {};
  RECT rect{};
  GetWindowRect(control, &rect);
  MapWindowPoints(nullptr, native.Handle(), reinterpret_cast<POINT*>(&rect), 2);
  return InProgramPixels(GeometryOf(rect), native.Dpi());
}

Image ScreenViewPicture(Window& window, int viewId) {
  const HWND view = AsWin32(window).ControlHandle(viewId);
  if (view == nullptr) return Image();
  const RECT place = ShownPlaceOf(window, viewId);
  Image picture(place.right - place.left, place.bottom - place.top);
  picture.CopyFrom(win32::PrintedClientArea(view), -place.left, -place.top);
  return picture;
}

Frame WindowFrame(const Window& window) {
  const HWND handle = AsWin32(window).Handle();
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(handle, GWL_STYLE));
  const bool systemMenu = (style & WS_SYSMENU) != 0;
  Frame frame;
  frame.closeBox = OffersCloseBox(handle);
  frame.minimiseBox = systemMenu && (style & WS_MINIMIZEBOX) != 0;
  frame.maximiseBox = systemMenu && (style & WS_MAXIMIZEBOX) != 0;
  frame.resizable = (style & WS_THICKFRAME) != 0;
  return frame;
}

std::optional<SeenMessageBox> OpenMessageBox() {
  const win32::OpenBox* box = win32::NewestOpenBox();
  if (box == nullptr) return std::nullopt;
  return Describe(*box);
}

std::optional<SeenMessageBox> AnswerMessageBox(MessageAnswer answer) {
  const win32::OpenBox* box = win32::NewestOpenBox();
  if (box == nullptr) return std::nullopt;
  const int id = ButtonFor(answer);
  const HWND button = GetDlgItem(box->handle, id);
  if (button == nullptr) return std::nullopt;
  SeenMessageBox seen = Describe(*box);
  SendMessageW(box->handle, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
  return seen;
}

bool PressMessageBoxKey(Key key) {
  const win32::OpenBox* box = win32::NewestOpenBox();
  if (box == nullptr) return false;
  PressKeyIn(box->handle, key);
  return true;
}

// What the box's close box sends; a dialog turns it into Cancel, posted.
bool RequestMessageBoxClose() {
  const win32::OpenBox* box = win32::NewestOpenBox();
  if (box == nullptr) return false;
  const HWND handle = box->handle;
  SendMessageW(handle, WM_SYSCOMMAND, SC_CLOSE, 0);
  TakePosted(handle);
  return true;
}

bool SaveMessageBoxPicture(const std::string& path) {
  const win32::OpenBox* box = win32::NewestOpenBox();
  return box != nullptr && win32::SaveClientAreaAsPng(box->handle, 0, path);
}

std::optional<SeenChooser> OpenColourChooser() {
  const win32::OpenChooser* chooser = win32::OpenColourChooserDialog();
  if (chooser == nullptr) return std::nullopt;
  RECT frame{};
  GetWindowRect(chooser->handle, &frame);
  const int dpi = win32::DpiOfWindow(chooser->handle);
  SeenChooser seen{chooser->initial, ToProgramPixels(frame.left, dpi), ToProgramPixels(frame.top, dpi),
                   WindowText(chooser->handle), {}};
  for (HWND child = GetWindow(chooser->handle, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    wchar_t className[16] = {};
    GetClassNameW(child, className, 16);
    const LONG_PTR kind = GetWindowLongPtrW(child, GWL_STYLE) & BS_TYPEMASK;
    if (std::wstring(className) == L"Button" && IsWindowVisible(child) &&
        (kind == BS_PUSHBUTTON || kind == BS_DEFPUSHBUTTON)) {
      seen.buttons.push_back(Plain(WindowText(child)));
    }
  }
  return seen;
}

bool AnswerColourChooser(std::optional<Colour> colour) {
  const win32::OpenChooser* chooser = win32::OpenColourChooserDialog();
  if (chooser == nullptr) return false;
  const HWND dialog = chooser->handle;
  if (colour) {
    SetDlgItemInt(dialog, kChooserRed, static_cast<UINT>(RedOf(*colour)), FALSE);
    SetDlgItemInt(dialog, kChooserGreen, static_cast<UINT>(GreenOf(*colour)), FALSE);
    SetDlgItemInt(dialog, kChooserBlue, static_cast<UINT>(BlueOf(*colour)), FALSE);
  }
  const int button = colour ? IDOK : IDCANCEL;
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
  return true;
}

}  // namespace platform::automation
