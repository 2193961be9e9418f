#include "platform/text_raster.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QString>
#include <algorithm>

#include "platform/qt/fonts.h"

namespace platform {
namespace {

// Room for glyphs that reach left of their origin, past their advance, or above the named ascent.
constexpr int kOverhang = 4;
constexpr int kInkThreshold = 128;

TextMask Render(const std::string& text, const FontSpec& font) {
  const QFont qfont = qt::MakeQFont(font);
  const QFontMetrics metrics(qfont);
  const qt::LineMetrics named = qt::NamedLineMetrics(font);
  const QString qtext = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  TextMask mask;
  mask.offsetX = kOverhang;
  mask.offsetY = kOverhang + std::max(0, metrics.ascent() - named.ascent);
  mask.advance = metrics.horizontalAdvance(qtext);
  mask.lineHeight = named.ascent + named.descent;
  mask.width = mask.advance + 2 * kOverhang;
  const int baseline = mask.offsetY + named.ascent - BaselineRaise(font);
  mask.height = baseline + std::max(metrics.descent(), named.descent) + kOverhang;
  QImage picture(mask.width, mask.height, QImage::Format_Grayscale8);
  picture.fill(Qt::white);
  {
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setFont(qfont);
    painter.setPen(Qt::black);
    painter.drawText(kOverhang, baseline, qtext);
  }
  mask.ink.resize(static_cast<std::size_t>(mask.width) * mask.height);
  for (int y = 0; y < mask.height; ++y) {
    const uchar* row = picture.constScanLine(y);
    for (int x = 0; x < mask.width; ++x)
      mask.ink[static_cast<std::size_t>(y) * mask.width + x] = row[x] < kInkThreshold;
  }
  return mask;
}

}  // namespace

namespace native {

TextMask RasteriseText(const std::string& text, const FontSpec& font) {
  return Render(text, font);
}

}  // namespace native
}  // namespace platform
