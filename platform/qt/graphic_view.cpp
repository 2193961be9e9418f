// The bordered picture the program draws on. Its surface is shown by wrapping the picture's bytes, so a
// repaint copies nothing of its own.
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <optional>

#include "platform/qt/qt_window.h"

namespace platform::qt {
namespace {

constexpr int kBorderWidth = 1;

bool IsMouseEvent(QEvent::Type type) {
  return type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease ||
         type == QEvent::MouseButtonDblClick || type == QEvent::MouseMove;
}

MouseKind KindOf(QEvent::Type type, Qt::MouseButton button) {
  const bool right = button == Qt::RightButton;
  switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:  // the view sees every press of a double click as a press
      return right ? MouseKind::kRightDown : MouseKind::kLeftDown;
    case QEvent::MouseButtonRelease:
      return right ? MouseKind::kRightUp : MouseKind::kLeftUp;
    default:
      return MouseKind::kMove;
  }
}

std::optional<ViewKey> ViewKeyOf(int key) {
  switch (key) {
    case Qt::Key_Left:
      return ViewKey::kLeft;
    case Qt::Key_Right:
      return ViewKey::kRight;
    case Qt::Key_Up:
      return ViewKey::kUp;
    case Qt::Key_Down:
      return ViewKey::kDown;
    case Qt::Key_Home:
      return ViewKey::kHome;
    case Qt::Key_End:
      return ViewKey::kEnd;
    case Qt::Key_Space:
      return ViewKey::kSpace;
    default:
      return std::nullopt;
  }
}

}  // namespace

GraphicView::GraphicView(QWidget* parent, int width, int height, MouseHook hook)
    : QFrame(parent),
      surface_(std::max(0, width - 2 * kBorderWidth), std::max(0, height - 2 * kBorderWidth)),
      hook_(std::move(hook)) {
  setFrameStyle(QFrame::Box | QFrame::Plain);
  setLineWidth(kBorderWidth);
  setMouseTracking(true);
  surface_.Fill(kWhite);
}

void GraphicView::Show(const Image& image) {
  surface_.CopyFrom(image, 0, 0);
  update();
}

bool GraphicView::event(QEvent* event) {
  if (IsMouseEvent(event->type())) ReportMouse(*event);
  return QFrame::event(event);
}

void GraphicView::ReportMouse(const QEvent& event) {
  const auto& mouse = static_cast<const QMouseEvent&>(event);
  const QEvent::Type type = mouse.type();
  const Qt::MouseButton button = mouse.button();
  const bool wasPressed = pressUnreleased_;
  if (type == QEvent::MouseButtonPress) pressUnreleased_ = true;
  if (type == QEvent::MouseButtonRelease) pressUnreleased_ = false;
  // Qt may deliver the second click of a double click as a press followed by a double click; that
  // press has been reported already.
  if (type == QEvent::MouseButtonDblClick && wasPressed) return;
  if (type != QEvent::MouseMove && button != Qt::LeftButton && button != Qt::RightButton) return;
  const QPoint point = mouse.position().toPoint() - QPoint(kBorderWidth, kBorderWidth);
  // The border is no part of the drawing surface; messages there do not reach the program.
  if (point.x() < 0 || point.y() < 0 || point.x() >= surface_.Width() || point.y() >= surface_.Height())
    return;
  if (hook_) hook_(MouseEvent{KindOf(type, button), point.x(), point.y()});
}

void GraphicView::paintEvent(QPaintEvent* event) {
  QFrame::paintEvent(event);
  if (surface_.Empty()) return;
  const QImage shown(surface_.Row(0), surface_.Width(), surface_.Height(), surface_.Stride(),
                     QImage::Format_BGR888);
  QPainter painter(this);
  painter.drawImage(kBorderWidth, kBorderWidth, shown);
  if (const std::optional<QRect> mark = FocusMark()) {
    // Every other pixel inverted, as the classic focus rectangle: seen on any fill colour.
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.setPen(QPen(Qt::white, 0, Qt::DotLine));
    painter.drawRect(*mark);
  }
}

void GraphicView::SetCells(const ViewCells& cells, KeyHook keyHook) {
  cells_ = &cells;
  keyHook_ = std::move(keyHook);
  setFocusPolicy(Qt::StrongFocus);
  // The window's focus from the start: it is the control the keyboard works on.
  setFocus(Qt::OtherFocusReason);
  InstallViewAccessibility();
}

QRect GraphicView::CellRect(const ViewCell& cell) const {
  return QRect(QPoint(cell.left + kBorderWidth, cell.top + kBorderWidth),
               QPoint(cell.right + kBorderWidth, cell.bottom + kBorderWidth));
}

std::optional<QRect> GraphicView::FocusMark() const {
  if (cells_ == nullptr || !hasFocus() || !isActiveWindow()) return std::nullopt;
  const int focused = cells_->FocusedCell();
  if (focused < 0) return std::nullopt;
  // QRect's right and bottom are its last pixels, as the cell's are.
  return CellRect(cells_->Cell(focused))
      .adjusted(kFocusMarkInset, kFocusMarkInset, -kFocusMarkInset, -kFocusMarkInset);
}

void GraphicView::FocusMoved() {
  update();
  AnnounceFocusedCell(*this);
}

void GraphicView::CellChanged(int cellIndex) {
  AnnounceCheckedChange(*this, cellIndex);
}

void GraphicView::keyPressEvent(QKeyEvent* event) {
  const std::optional<ViewKey> key = ViewKeyOf(event->key());
  if (cells_ == nullptr || !key) return QFrame::keyPressEvent(event);
  if (keyHook_) keyHook_(ViewKeyEvent{*key, event->modifiers().testFlag(Qt::ControlModifier)});
}

// The mark follows the keyboard focus, which leaves with the window's activation.
void GraphicView::focusInEvent(QFocusEvent* event) {
  QFrame::focusInEvent(event);
  update();
}

void GraphicView::focusOutEvent(QFocusEvent* event) {
  QFrame::focusOutEvent(event);
  update();
}

}  // namespace platform::qt
