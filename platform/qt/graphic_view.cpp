// The bordered picture the program draws on. Its surface is shown by wrapping the picture's bytes, so a
// repaint copies nothing of its own.
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

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
}

}  // namespace platform::qt
