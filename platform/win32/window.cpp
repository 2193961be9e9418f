// Windows from tables of controls, each run in a message loop of its own. The loops nest, and no window
// is modal to the others: every open window stays usable, as the program's ownerless dialogs need.
#include <windows.h>
// needs windows.h before it
#include <commctrl.h>

#include <algorithm>
#include <cstdint>
#include <tuple>

#include "platform/win32/dpi.h"
#include "platform/win32/fonts.h"
#include "platform/win32/graphic_view.h"
#include "platform/win32/win32_window.h"
#include "platform/windows/unicode.h"

namespace platform::win32 {
namespace {

// A minimise box is drawn only with a system menu; its close command is then taken away, so a window
// asked for without a close box shows none that works.
DWORD StyleFor(const WindowSpec& spec) {
  DWORD style = WS_POPUP | WS_CAPTION | WS_CLIPCHILDREN;
  if (spec.minimiseBox) {
    style |= WS_MINIMIZEBOX | WS_SYSMENU;
  } else {
    style |= DS_MODALFRAME;
  }
  if (spec.closeBox) style |= WS_SYSMENU;
  return style;
}

// The dialog template of a window without controls: they are created in pixels once it exists.
std::vector<DWORD> EmptyTemplate(DWORD style) {
  std::vector<DWORD> memory(16, 0);  // DLGTEMPLATE and three empty strings, DWORD aligned
  auto* dialog = reinterpret_cast<DLGTEMPLATE*>(memory.data());
  dialog->style = style;
  return memory;
}

// The icon the program carries (resources/windows/kalvor.rc), at the sizes the system draws for a
// caption, the taskbar and Alt+Tab. Every window has it: the ownerless dialogs have taskbar buttons too.
constexpr int kProgramIconId = 1;

void SetProgramIcon(HWND window) {
  for (const auto& [which, across, down] : {std::tuple{ICON_BIG, SM_CXICON, SM_CYICON},
                                           std::tuple{ICON_SMALL, SM_CXSMICON, SM_CYSMICON}}) {
    const HANDLE icon = LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kProgramIconId), IMAGE_ICON,
                                   GetSystemMetrics(across), GetSystemMetrics(down), LR_SHARED);
    if (icon != nullptr) SendMessageW(window, WM_SETICON, which, reinterpret_cast<LPARAM>(icon));
  }
}

}  // namespace

Win32Window::Win32Window(const WindowSpec& spec, const std::vector<ControlSpec>& controls,
                         const std::vector<Menu>& menus, WindowHandler& handler)
    : WindowBase(handler), acceptButton_(spec.acceptButton), cancelButton_(spec.cancelButton) {
  const std::vector<DWORD> dialogTemplate = EmptyTemplate(StyleFor(spec));
  handle_ = CreateDialogIndirectParamW(GetModuleHandleW(nullptr),
                                       reinterpret_cast<const DLGTEMPLATE*>(dialogTemplate.data()), nullptr,
                                       &Win32Window::DialogProc, reinterpret_cast<LPARAM>(this));
  if (handle_ == nullptr) return;
  dpi_ = DpiOfWindow(handle_);
  font_ = spec.font;
  KeepDialogScalingToProgram(handle_);
  if (spec.minimiseBox && !spec.closeBox) DeleteMenu(GetSystemMenu(handle_, FALSE), SC_CLOSE, MF_BYCOMMAND);
  SetWindowTextW(handle_, windows::Widen(spec.caption).c_str());
  SetProgramIcon(handle_);
  SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(spec.font, dpi_)), FALSE);
  SizeAndPlace(spec);
  CreateMenus(menus);
  CreateControls(spec, controls);
}

Win32Window::~Win32Window() {
  for (auto& [id, control] : controls_) {
    control.view.reset();
    if (control.backgroundBrush) DeleteObject(control.backgroundBrush);
    if (control.images) ImageList_Destroy(control.images);
  }
  if (handle_) DestroyWindow(handle_);
}

// The frame around a client area of so many program pixels, at the window's scale. The menu bar takes
// its strip from this height: the frame is measured without it.
RECT Win32Window::FrameFor(int clientWidth, int clientHeight) const {
  RECT frame{0, 0, ToDisplayPixels(clientWidth, dpi_), ToDisplayPixels(clientHeight, dpi_)};
  AdjustFrameForDpi(frame, static_cast<DWORD>(GetWindowLongPtrW(handle_, GWL_STYLE)),
                    static_cast<DWORD>(GetWindowLongPtrW(handle_, GWL_EXSTYLE)), dpi_);
  return frame;
}

void Win32Window::SizeAndPlace(const WindowSpec& spec) {
  clientWidth_ = PixelsAcross(spec.units, spec.clientWidth);
  clientHeight_ = PixelsDown(spec.units, spec.clientHeight);
  const RECT frame = FrameFor(clientWidth_, clientHeight_);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  int x = ToDisplayPixels(PixelsAcross(spec.units, spec.x), dpi_);
  int y = ToDisplayPixels(PixelsDown(spec.units, spec.y), dpi_);
  if (spec.placement != Placement::kAt) {
    RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (spec.placement == Placement::kWorkAreaCentre) SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    x = area.left + (area.right - area.left - width) / 2;
    y = area.top + (area.bottom - area.top - height) / 2;
  }
  SetWindowPos(handle_, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

// What the menu bar takes of the window's height beyond its frame.
void Win32Window::MeasureMenuStrip() {
  const RECT frame = FrameFor(clientWidth_, clientHeight_);
  RECT window{}, client{};
  GetWindowRect(handle_, &window);
  GetClientRect(handle_, &client);
  const int nonClient = (window.bottom - window.top) - (client.bottom - client.top);
  menuStrip_ = menuBar_ ? std::max(0, nonClient - static_cast<int>((frame.bottom - frame.top) -
                                                                   ToDisplayPixels(clientHeight_, dpi_)))
                        : 0;
}

void Win32Window::CreateMenus(const std::vector<Menu>& menus) {
  if (menus.empty()) return;
  menuBar_ = CreateMenu();
  for (const Menu& menu : menus) {
    const HMENU popup = CreatePopupMenu();
    for (const MenuItem& item : menu.items) {
      if (item.id == 0 && item.text == "-") {
        AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
        continue;
      }
      AppendMenuW(popup, MF_STRING, static_cast<UINT_PTR>(item.id), windows::Widen(item.text).c_str());
      menuIds_.push_back(item.id);
    }
    AppendMenuW(menuBar_, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup),
                windows::Widen(menu.title).c_str());
  }
  SetMenu(handle_, menuBar_);
  MeasureMenuStrip();
}

bool Win32Window::HasMenuItem(int id) const {
  return std::find(menuIds_.begin(), menuIds_.end(), id) != menuIds_.end();
}

void Win32Window::CreateControls(const WindowSpec& spec, const std::vector<ControlSpec>& controls) {
  for (const ControlSpec& control : controls) CreateControl(spec, control);
}

void Win32Window::ShowNative() {
  ShowWindow(handle_, SW_SHOW);
  SetForegroundWindow(handle_);
  const HWND first = GetNextDlgTabItem(handle_, nullptr, FALSE);
  if (first != nullptr) ::SetFocus(first);
}

void Win32Window::HideNative() {
  ShowWindow(handle_, SW_HIDE);
}

void Win32Window::RunLoop() {
  MSG message;
  while (!Ended()) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(message.wParam));  // the loops outside this one end as well
      break;
    }
    if (got < 0) break;
    DispatchThreadMessage(message);
  }
}

void Win32Window::WakeLoop() {
  PostMessageW(handle_, WM_NULL, 0, 0);
}

INT_PTR CALLBACK Win32Window::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrW(window, DWLP_USER, lParam);
    return FALSE;  // the focus is set when the window is shown
  }
  auto* self = reinterpret_cast<Win32Window*>(GetWindowLongPtrW(window, DWLP_USER));
  if (self == nullptr) return FALSE;
  return self->HandleMessage(message, wParam, lParam);
}

INT_PTR Win32Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      OnCommandMessage(wParam, lParam);
      return TRUE;
    case WM_CLOSE:
      // The handler decides; the window closes only through End.
      DeliverCloseRequest();
      return TRUE;
    case WM_ACTIVATE:
      DeliverActivate(LOWORD(wParam) != WA_INACTIVE);
      return FALSE;  // the dialog manager keeps its own note of the focus as well
    case WM_CTLCOLORSTATIC:
      return OnControlColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_SIZE:
      for (auto& [id, control] : controls_) {
        if (control.kind == ControlKind::kStatusBar) SendMessageW(control.handle, WM_SIZE, 0, 0);
      }
      return FALSE;
    case WM_DPICHANGED:
      OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return TRUE;
    case WM_SYSCOLORCHANGE:
      for (auto& [id, control] : controls_) SendMessageW(control.handle, WM_SYSCOLORCHANGE, wParam, lParam);
      return FALSE;
    default:
      return FALSE;
  }
}

// Win32's notification codes, mapped onto the program's.
void Win32Window::OnCommandMessage(WPARAM wParam, LPARAM lParam) {
  const int id = LOWORD(wParam);
  const int code = HIWORD(wParam);
  if (lParam == 0) {
    // Enter where no button is the default comes as IDOK, Escape always as IDCANCEL: no control of the
    // program has these ids. Escape acts only in a window with a cancel button.
    if (id == IDOK) PressFocusedButton();
    if (id == IDCANCEL) PressDialogButton(cancelButton_);
    if (id != IDOK && id != IDCANCEL && HasMenuItem(id)) DeliverCommand(id, kNotifyClicked);
    return;
  }
  const Control* control = FindControl(id);
  if (control == nullptr) return;
  switch (control->kind) {
    case ControlKind::kButton:
    case ControlKind::kCheckBox:
      if (code == BN_CLICKED) DeliverCommand(id, kNotifyClicked);
      break;
    case ControlKind::kEditCombo:
    case ControlKind::kImageCombo:
      if (code == CBN_SELENDOK) DeliverCommand(id, kNotifySelectionConfirmed);
      break;
    default:
      break;  // typing, statics, views and the status bar tell the program nothing through commands
  }
}

// Enter presses the focused push button. The dialog manager sends a button's own click only when it
// made the button the default one (the focus came by Tab); otherwise Enter arrives here as IDOK.
// Elsewhere (a text box) it presses the window's accept button, if it has one.
void Win32Window::PressFocusedButton() {
  const HWND focus = GetFocus();
  const Control* control = FindControl(IdOfControl(focus));
  if (control == nullptr || control->kind != ControlKind::kButton || control->handle != focus) {
    PressDialogButton(acceptButton_);
    return;
  }
  OnCommandMessage(MAKEWPARAM(GetDlgCtrlID(focus), BN_CLICKED), reinterpret_cast<LPARAM>(focus));
}

// Moved to a display of another scale: the window takes the place the system suggests, and its fonts,
// controls and views are made again for the new scale.
void Win32Window::OnDpiChanged(int dpi, const RECT& suggested) {
  if (dpi <= 0 || dpi == dpi_) return;
  dpi_ = dpi;
  SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(font_, dpi_)), FALSE);
  for (auto& [id, control] : controls_) {
    PlaceControl(control);
    if (control.view) control.view->SetDpi(dpi_);
  }
  SetWindowPos(handle_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  MeasureMenuStrip();
  InvalidateRect(handle_, nullptr, TRUE);
}

// As a click would: a disabled button does nothing.
void Win32Window::PressDialogButton(int id) {
  const HWND button = ControlHandle(id);
  if (button == nullptr || !IsWindowEnabled(button)) return;
  OnCommandMessage(MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

INT_PTR Win32Window::OnControlColour(HDC dc, HWND handle) {
  const Control* control = FindControl(IdOfControl(handle));
  if (control == nullptr || control->backgroundBrush == nullptr) return FALSE;
  if (control->textColour != kDefaultColour) SetTextColor(dc, control->textColour);
  SetBkColor(dc, control->background);
  return reinterpret_cast<INT_PTR>(control->backgroundBrush);
}

GraphicView* Win32Window::View(int viewId) const {
  const Control* control = FindControl(viewId);
  return control ? control->view.get() : nullptr;
}

void Win32Window::SetViewCells(int viewId, const ViewCells& cells) {
  if (GraphicView* view = View(viewId)) view->SetCells(cells);
}

void Win32Window::ViewFocusMoved(int viewId) {
  if (GraphicView* view = View(viewId)) view->FocusMoved();
}

void Win32Window::ViewCellChanged(int viewId, int cellIndex) {
  if (GraphicView* view = View(viewId)) view->CellChanged(cellIndex);
}

int Win32Window::IdOfControl(HWND control) const {
  // A combo box's edit field (or a picture combo's inner combo) counts as the combo box.
  for (HWND at = control; at != nullptr && at != handle_; at = GetParent(at)) {
    if (GetParent(at) == handle_) {
      const int id = GetDlgCtrlID(at);
      return FindControl(id) ? id : 0;
    }
  }
  return 0;
}

const Control* Win32Window::FindControl(int id) const {
  const auto found = controls_.find(id);
  return found == controls_.end() ? nullptr : &found->second;
}

HWND Win32Window::ControlHandle(int id) const {
  const Control* control = FindControl(id);
  return control ? control->handle : nullptr;
}

void Win32Window::SetCaption(const std::string& caption) {
  SetWindowTextW(handle_, windows::Widen(caption).c_str());
}

void Win32Window::SetText(int id, const std::string& text) {
  if (const HWND control = ControlHandle(id)) SetWindowTextW(control, windows::Widen(text).c_str());
}

std::string Win32Window::Text(int id) const {
  const HWND control = ControlHandle(id);
  if (control == nullptr) return {};
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
  const int length = GetWindowTextW(control, text.data(), static_cast<int>(text.size()));
  return windows::Narrow(text.data(), length);
}

void Win32Window::SetEnabled(int id, bool enabled) {
  if (const HWND control = ControlHandle(id)) EnableWindow(control, enabled);
}

bool Win32Window::Checked(int id) const {
  const Control* control = FindControl(id);
  return control && control->kind == ControlKind::kCheckBox &&
         SendMessageW(control->handle, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Win32Window::ClearItems(int id) {
  // Also empties a combo box's edit field.
  if (const HWND control = ControlHandle(id)) SendMessageW(control, CB_RESETCONTENT, 0, 0);
}

int Win32Window::SelectedPosition(int id) const {
  const HWND control = ControlHandle(id);
  return control ? static_cast<int>(SendMessageW(control, CB_GETCURSEL, 0, 0)) : -1;
}

void Win32Window::Select(int id, int position) {
  if (const HWND control = ControlHandle(id))
    SendMessageW(control, CB_SETCURSEL, static_cast<WPARAM>(position), 0);
}

Image& Win32Window::ViewSurface(int viewId) {
  const Control* control = FindControl(viewId);
  return control && control->view ? control->view->Surface() : noSurface_;
}

void Win32Window::ShowImage(int viewId, const Image& image) {
  const Control* control = FindControl(viewId);
  if (control == nullptr || !control->view) return;
  control->view->Show(image);
}

void Win32Window::RepaintView(int viewId) {
  const Control* control = FindControl(viewId);
  if (control != nullptr && control->view) control->view->Refresh();
}

void Win32Window::EnableMenuItem(int id, bool enabled) {
  if (menuBar_ && HasMenuItem(id))
    ::EnableMenuItem(menuBar_, static_cast<UINT>(id), MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

int Win32Window::NativeFocus() const {
  return IdOfControl(GetFocus());
}

// Giving an inactive window's control the focus would activate the window: the control it had gets the
// focus back on activation anyway.
void Win32Window::GiveNativeFocus(int id) {
  const HWND control = ControlHandle(id);
  if (control != nullptr && GetActiveWindow() == handle_) ::SetFocus(control);
}

int Win32Window::ScreenX() const {
  RECT frame{};
  GetWindowRect(handle_, &frame);
  return ToProgramPixels(frame.left, dpi_);
}

int Win32Window::ScreenY() const {
  RECT frame{};
  GetWindowRect(handle_, &frame);
  return ToProgramPixels(frame.top, dpi_);
}

Win32Window& AsWin32(Window& window) {
  return static_cast<Win32Window&>(window);
}

const Win32Window& AsWin32(const Window& window) {
  return static_cast<const Win32Window&>(window);
}

Win32Window* FindOpenWindow(HWND handle) {
  for (WindowBase* window : OpenWindows()) {
    if (AsWin32(*window).Handle() == handle) return &AsWin32(*window);
  }
  return nullptr;
}

void DispatchThreadMessage(MSG& message) {
  const HWND root = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
  if (root != nullptr && FindOpenWindow(root) != nullptr && IsDialogMessageW(root, &message)) return;
  TranslateMessage(&message);
  DispatchMessageW(&message);
}

}  // namespace platform::win32

namespace platform {

int Window::RunModal(const WindowSpec& spec, const std::vector<ControlSpec>& controls,
                     const std::vector<Menu>& menus, WindowHandler& handler) {
  win32::Win32Window window(spec, controls, menus, handler);
  return window.Handle() != nullptr ? window.Run() : 0;
}

}  // namespace platform
