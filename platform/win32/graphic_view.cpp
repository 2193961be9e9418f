#include "platform/win32/graphic_view.h"

#include <optional>

#include "platform/win32/dib.h"
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
  // The program's handler first; the view may be gone afterwards if the handler ended its window.
  view->ReportMouse(message, lParam);
  return CallWindowProcW(previous, handle, message, wParam, lParam);
}

}  // namespace platform::win32
