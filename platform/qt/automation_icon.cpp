// The icon a window gives the window manager, as the toolkit hands it over.
#include <QApplication>
#include <QIcon>
#include <QImage>
#include <QPainter>
#include <QStyle>

#include "platform/automation.h"
#include "platform/qt/qt_window.h"

namespace platform::automation {

Image WindowIcon(const Window& window, bool large) {
  const QIcon icon = qt::AsQt(window).Widget().windowIcon();
  if (icon.isNull()) return {};
  const int side =
      QApplication::style()->pixelMetric(large ? QStyle::PM_LargeIconSize : QStyle::PM_SmallIconSize);
  QImage drawn(side, side, QImage::Format_RGB32);
  drawn.fill(Qt::white);
  QPainter painter(&drawn);
  icon.paint(&painter, drawn.rect());
  painter.end();
  Image picture(side, side);
  for (int y = 0; y < side; ++y) {
    for (int x = 0; x < side; ++x) {
      const QRgb rgb = drawn.pixel(x, y);
      picture.SetPixel(x, y, static_cast<Colour>(qRed(rgb) | qGreen(rgb) << 8 | qBlue(rgb) << 16));
    }
  }
  return picture;
}

}  // namespace platform::automation
