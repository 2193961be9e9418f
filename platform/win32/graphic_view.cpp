#include "platform/win32/graphic_view.h"

#include <optional>

#include "platform/win32/dib.h"
#include "platform/win32/view_accessible.h"
#include "platform/win32/win32_window.h"

namespace platform::win32 {
namespace {

constexpr const wchar_t* kViewProperty = L"KalvorGraphicView";

// A double click's second press arrives as WM_LBUTTONDBLCLK: for the program it is a press like any.
std::optional<MouseKind> KindOf(UINT message) {
  switch (message) {
    case WM_MOUSEMOVE:
      return MouseKind::kMove;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      return MouseKind::kLeftDown;
    case WM_LBUTTONUP:
      return MouseKind::kLeftUp;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
      return MouseKind::kRightDown;
    case WM_RBUTTONUP:
      return MouseKind::kRightUp;
    default:
      return std::nullopt;
  }
}

std::optional<ViewKey> ViewKeyOf(WPARAM virtualKey) {
  switch (virtualKey) {
    case VK_LEFT:
      return ViewKey::kLeft;
    case VK_RIGHT:
      return ViewKey::kRight;
    case VK_UP:
      return ViewKey::kUp;
    case VK_DOWN:
      return ViewKey::kDown;
    case VK_HOME:
      return ViewKey::kHome;
    case VK_END:
      return ViewKey::kEnd;
    case VK_SPACE:
      return ViewKey::kSpace;
    default:
      return std::nullopt;
  }
}

// Screen readers number a window's children from 1; 0 is the view itself.
LONG ChildIdOf(int cellIndex) {
  return cellIndex + 1;
}

Image SurfaceFor(HWND handle) {
  RECT client{};
  GetClientRect(handle, &client);
  Image surface(client.right - client.left, client.bottom - client.top);
  surface.Fill(kWhite);
  return surface;
}

}  // namespace

GraphicView::GraphicView(Win32Window& window, int id, HWND handle)
    : window_(window), id_(id), handle_(handle), previous_(nullptr), surface_(SurfaceFor(handle)) {
  SetPropW(handle_, kViewProperty, this);
  previous_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(handle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&GraphicView::Procedure)));
}

GraphicView::~GraphicView() {
  if (accessible_ != nullptr) {
    accessible_->Disconnect();  // a screen reader may hold it longer than the view lives
    accessible_->Release();
  }
  if (IsWindow(handle_)) {
    SetWindowLongPtrW(handle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
    RemovePropW(handle_, kViewProperty);
  }
}

void GraphicView::PaintInto(HDC dc) const {
  if (surface_.Empty()) return;
  // The surface's rows are those of a top-down 24-bit device-independent bitmap.
  BITMAPINFO info = TopDownBitmapInfo(surface_.Width(), surface_.Height(), 24);
  SetDIBitsToDevice(dc, 0, 0, surface_.Width(), surface_.Height(), 0, 0, 0, surface_.Height(),
                    surface_.Row(0), &info, DIB_RGB_COLORS);
  const int focused = cells_ != nullptr && HasFocus() ? cells_->FocusedCell() : -1;
  if (focused < 0) return;
  const ViewCell cell = cells_->Cell(focused);
  // The system's dotted focus rectangle; RECT's right and bottom lie just outside it.
  const RECT mark{cell.left + kFocusMarkInset, cell.top + kFocusMarkInset, cell.right + 1 - kFocusMarkInset,
                  cell.bottom + 1 - kFocusMarkInset};
  DrawFocusRect(dc, &mark);
}

void GraphicView::SetCells(const ViewCells& cells) {
  cells_ = &cells;
  // A tab stop: the dialog's first, so the view has the focus when the window opens.
  SetWindowLongPtrW(handle_, GWL_STYLE, GetWindowLongPtrW(handle_, GWL_STYLE) | WS_TABSTOP);
}

void GraphicView::FocusMoved() {
  InvalidateRect(handle_, nullptr, FALSE);
  AnnounceFocus();
}

void GraphicView::CellChanged(int cellIndex) {
  if (cells_ != nullptr && cellIndex >= 0)
    NotifyWinEvent(EVENT_OBJECT_STATECHANGE, handle_, OBJID_CLIENT, ChildIdOf(cellIndex));
}

void GraphicView::AnnounceFocus() const {
  const int focused = cells_ != nullptr && HasFocus() ? cells_->FocusedCell() : -1;
  if (focused >= 0) NotifyWinEvent(EVENT_OBJECT_FOCUS, handle_, OBJID_CLIENT, ChildIdOf(focused));
}

void GraphicView::ReportKey(WPARAM virtualKey) {
  const std::optional<ViewKey> key = ViewKeyOf(virtualKey);
  if (key) window_.DeliverViewKey(id_, ViewKeyEvent{*key, GetKeyState(VK_CONTROL) < 0});
}

bool GraphicView::HandleCellsMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_GETDLGCODE:
      // Arrows and Space are the view's own; Tab and Enter stay the dialog's.
      result = DLGC_WANTARROWS | DLGC_WANTCHARS;
      return true;
    case WM_KEYDOWN:
      if (!ViewKeyOf(wParam)) return false;
      ReportKey(wParam);
      result = 0;
      return true;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      // A static takes no focus by itself; the click's own handling follows.
      if (!HasFocus()) ::SetFocus(handle_);
      return false;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      InvalidateRect(handle_, nullptr, FALSE);
      if (message == WM_SETFOCUS) AnnounceFocus();
      return false;
    case WM_GETOBJECT:
      if (static_cast<LONG>(lParam) != static_cast<LONG>(OBJID_CLIENT)) return false;
      if (accessible_ == nullptr) accessible_ = new ViewAccessible(*this);
      result = LresultFromObject(kIidIAccessible, wParam, accessible_);
      return true;
    default:
      return false;
  }
}

void GraphicView::ReportMouse(UINT message, LPARAM lParam) {
  const std::optional<MouseKind> kind = KindOf(message);
  if (!kind) return;
  // The position's two 16-bit halves, unsigned: client pixels of the view.
  const int x = LOWORD(lParam);
  const int y = HIWORD(lParam);
  if (x >= surface_.Width() || y >= surface_.Height()) return;
  window_.DeliverViewMouse(id_, MouseEvent{*kind, x, y});
}

LRESULT CALLBACK GraphicView::Procedure(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* view = static_cast<GraphicView*>(GetPropW(handle, kViewProperty));
  if (view == nullptr) return DefWindowProcW(handle, message, wParam, lParam);
  const WNDPROC previous = view->previous_;
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // the picture covers the whole client area
    case WM_PAINT: {
      PAINTSTRUCT paint;
      const HDC dc = BeginPaint(handle, &paint);
      view->PaintInto(dc);
      EndPaint(handle, &paint);
      return 0;
    }
    case WM_PRINTCLIENT:
      view->PaintInto(reinterpret_cast<HDC>(wParam));
      return 0;
    default:
      break;
  }
  if (view->cells_ != nullptr) {
    LRESULT result = 0;
    if (view->HandleCellsMessage(message, wParam, lParam, result)) return result;
  }
  // The program's handler first; the view may be gone afterwards if the handler ended its window.
  view->ReportMouse(message, lParam);
  return CallWindowProcW(previous, handle, message, wParam, lParam);
}

}  // namespace platform::win32
