#include "desktop/squares_canvas.h"

#include <QAccessibleWidget>
#include <QPainter>

namespace desktop {

namespace picture = lessons::picture;

QColor ToQColor(window::layout::Rgb rgb) {
  return {rgb.red, rgb.green, rgb.blue};
}

QRect ToQRect(const window::layout::PixelRect& rect) {
  return {rect.x, rect.y, rect.width, rect.height};
}

namespace {

// A canvas is a graphic to a screen reader.
QAccessibleInterface* AccessibleCanvas(const QString& /*class_name*/, QObject* object) {
  auto* canvas = dynamic_cast<SquaresCanvas*>(object);
  return canvas == nullptr ? nullptr : new QAccessibleWidget(canvas, QAccessible::Graphic);
}

}  // namespace

SquaresCanvas::SquaresCanvas(QWidget* parent) : QWidget(parent) {
  static const bool accessible = (QAccessible::installFactory(AccessibleCanvas), true);
  (void)accessible;
  setMinimumSize(120, 120);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void SquaresCanvas::SetPicture(picture::Picture picture) {
  picture_ = std::move(picture);
  setAccessibleName(QString::fromUtf8(picture_.Words()));
  update();
}

// The fills in order, then the letters.
void SquaresCanvas::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.fillRect(rect(), ToQColor(picture::kBackground));
  const picture::Scene scene = picture::Paint(picture_, width(), height());
  for (const picture::Fill& fill : scene.fills)
    painter.fillRect(ToQRect(fill.rect), ToQColor(fill.colour));
  if (scene.labels.empty()) return;
  QFont font = painter.font();
  font.setPixelSize(scene.font_pixels);
  painter.setFont(font);
  painter.setPen(ToQColor(picture::kInkColour));
  for (const picture::Label& label : scene.labels) {
    painter.drawText(ToQRect(label.rect), Qt::AlignCenter | Qt::TextSingleLine,
                     QString::fromUtf8(label.text));
  }
}

}  // namespace desktop
