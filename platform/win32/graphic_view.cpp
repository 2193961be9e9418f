#include "platform/win32/graphic_view.h"

#include <algorithm>
#include <cstring>
#include <optional>

#include "platform/win32/dib.h"
#include "platform/win32/view_accessible.h"
#include "platform/win32/win32_window.h"

namespace platform::win32 {
namespace {

constexpr const wchar_t* kViewProperty = L"KalvorGraphicView";
constexpr int kBytesPerPixel = 3;

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

Image WhiteSurface(int width, int height) {
  Image surface(width, height);
  surface.Fill(kWhite);
  return surface;
}

// The columns in which two rows of the same width differ: [first, end), empty when equal.
std::pair<int, int> ChangedColumns(const std::uint8_t* a, const std::uint8_t* b, int width) {
  const std::size_t bytes = static_cast<std::size_t>(width) * kBytesPerPixel;
  if (std::memcmp(a, b, bytes) == 0) return {0, 0};
  std::size_t first = 0;
  while (a[first] == b[first]) ++first;
  std::size_t last = bytes - 1;
  while (a[last] == b[last]) --last;
  return {static_cast<int>(first / kBytesPerPixel), static_cast<int>(last / kBytesPerPixel) + 1};
}

}  // namespace

GraphicView::GraphicView(Win32Window& window, int id, HWND handle, int width, int height, int dpi)
    : window_(window),
      id_(id),
      handle_(handle),
      previous_(nullptr),
      dpi_(kBaseDpi),
      surface_(WhiteSurface(width, height)) {
  SetPropW(handle_, kViewProperty, this);
  previous_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(handle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&GraphicView::Procedure)));
  SetDpi(dpi);
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

void GraphicView::SetDpi(int dpi) {
  dpi_ = dpi;
  enlarged_ = Image();
  if (dpi_ != kBaseDpi) {
    enlarged_ = Image(ToDisplayPixels(surface_.Width(), dpi_), ToDisplayPixels(surface_.Height(), dpi_));
    ShowEnlarged(surface_, enlarged_, 0, 0, surface_.Width(), surface_.Height(), dpi_);
  }
  InvalidateRect(handle_, nullptr, FALSE);
}

void GraphicView::ShowPart(const RECT& part) {
  if (part.left >= part.right || part.top >= part.bottom) return;
  if (dpi_ == kBaseDpi) {
    InvalidateRect(handle_, &part, FALSE);
    return;
  }
  ShowEnlarged(surface_, enlarged_, part.left, part.top, part.right, part.bottom, dpi_);
  const RECT place = ShownPlace();
  RECT shown{ToDisplayPixels(part.left, dpi_), ToDisplayPixels(part.top, dpi_),
             ToDisplayPixels(part.right, dpi_), ToDisplayPixels(part.bottom, dpi_)};
  OffsetRect(&shown, place.left, place.top);
  InvalidateRect(handle_, &shown, FALSE);
}

// At a scale other than 96 dpi only what changed is enlarged and painted again: a click changes one
// day's cell of the calendar.
void GraphicView::Show(const Image& picture) {
  if (dpi_ == kBaseDpi) {
    surface_.CopyFrom(picture, 0, 0);
    InvalidateRect(handle_, nullptr, FALSE);
    return;
  }
  const int width = std::min(picture.Width(), surface_.Width());
  RECT changed{width, 0, 0, 0};
  bool any = false;
  for (int y = 0; y < std::min(picture.Height(), surface_.Height()); ++y) {
    const auto [first, end] = ChangedColumns(picture.Row(y), surface_.Row(y), width);
    if (first == end) continue;
    std::memcpy(surface_.Row(y) + first * kBytesPerPixel, picture.Row(y) + first * kBytesPerPixel,
                static_cast<std::size_t>(end - first) * kBytesPerPixel);
    if (!any) changed.top = y;
    any = true;
    changed.bottom = y + 1;
    changed.left = std::min<LONG>(changed.left, first);
    changed.right = std::max<LONG>(changed.right, end);
  }
  if (any) ShowPart(changed);
}

void GraphicView::Refresh() {
  ShowPart(RECT{0, 0, surface_.Width(), surface_.Height()});
}

RECT GraphicView::ShownPlace() const {
  const int width = ToDisplayPixels(surface_.Width(), dpi_);
  const int height = ToDisplayPixels(surface_.Height(), dpi_);
  RECT client{};
  GetClientRect(handle_, &client);
  const int left = std::max(0, static_cast<int>(client.right - width) / 2);
  const int top = std::max(0, static_cast<int>(client.bottom - height) / 2);
  return RECT{left, top, left + width, top + height};
}

void GraphicView::PaintInto(HDC dc, const RECT& area) {
  const Image& shown = dpi_ == kBaseDpi ? surface_ : enlarged_;
  const RECT place = ShownPlace();
  if (place.left > 0 || place.top > 0) {
    // The margin around the picture, as wide as the rounding of the enlargement leaves it.
    const HRGN margin = CreateRectRgnIndirect(&area);
    const HRGN picture = CreateRectRgnIndirect(&place);
    CombineRgn(margin, margin, picture, RGN_DIFF);
    FillRgn(dc, margin, GetSysColorBrush(COLOR_WINDOWFRAME));
    DeleteObject(picture);
    DeleteObject(margin);
  }
  if (shown.Empty()) return;
  const int top = std::clamp(static_cast<int>(area.top - place.top), 0, shown.Height());
  const int bottom = std::clamp(static_cast<int>(area.bottom - place.top), top, shown.Height());
  if (top == bottom) return;
  // The rows are those of a top-down 24-bit device-independent bitmap; only the rows asked for go.
  BITMAPINFO info = TopDownBitmapInfo(shown.Width(), bottom - top, 24);
  SetDIBitsToDevice(dc, place.left, place.top + top, shown.Width(), bottom - top, 0, 0, 0, bottom - top,
                    shown.Row(top), &info, DIB_RGB_COLORS);
  const int focused = cells_ != nullptr && HasFocus() ? cells_->FocusedCell() : -1;
  if (focused < 0) return;
  const ViewCell cell = cells_->Cell(focused);
  // The system's dotted focus rectangle, on the cell's enlarged place; RECT's right and bottom lie just
  // outside it.
  RECT mark{ToDisplayPixels(cell.left + kFocusMarkInset, dpi_),
            ToDisplayPixels(cell.top + kFocusMarkInset, dpi_),
            ToDisplayPixels(cell.right + 1 - kFocusMarkInset, dpi_),
            ToDisplayPixels(cell.bottom + 1 - kFocusMarkInset, dpi_)};
  OffsetRect(&mark, place.left, place.top);
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
  // The position's two 16-bit halves, unsigned: client pixels of the display, taken to the surface's.
  const RECT place = ShownPlace();
  const int shownX = LOWORD(lParam) - place.left, shownY = HIWORD(lParam) - place.top;
  if (shownX < 0 || shownY < 0) return;
  const int x = PicturePixelAt(shownX, dpi_);
  const int y = PicturePixelAt(shownY, dpi_);
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
      view->PaintInto(dc, paint.rcPaint);
      EndPaint(handle, &paint);
      return 0;
    }
    case WM_PRINTCLIENT: {
      RECT client{};
      GetClientRect(handle, &client);
      view->PaintInto(reinterpret_cast<HDC>(wParam), client);
      return 0;
    }
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
