#include "desktop/picture_window.h"

#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

namespace desktop {

namespace picture = window::picture;

namespace {

QColor ToQColor(window::layout::Rgb rgb) {
  return {rgb.red, rgb.green, rgb.blue};
}

QRect ToQRect(const window::layout::PixelRect& rect) {
  return {rect.x, rect.y, rect.width, rect.height};
}

// Paints the scene the core gives for its size: the fills in order, then the letters.
class SquaresCanvas final : public QWidget {
 public:
  SquaresCanvas(const picture::Picture& picture, QWidget* parent)
      : QWidget(parent), picture_(picture) {
    setMinimumSize(120, 120);
    setAttribute(Qt::WA_OpaquePaintEvent);
  }

 protected:
  void paintEvent(QPaintEvent* /*event*/) override {
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

 private:
  const picture::Picture& picture_;
};

// The canvas is a graphic to a screen reader, named by the words under it.
QAccessibleInterface* AccessibleCanvas(const QString& /*class_name*/, QObject* object) {
  if (!object->isWidgetType() || object->objectName() != QStringLiteral("picture")) return nullptr;
  return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Graphic);
}

}  // namespace

PictureWindow::PictureWindow(const window::Form& form, QWidget* owner)
    : QWidget(owner, Qt::Window),
      form_(form),
      canvas_(new SquaresCanvas(picture_, this)),
      words_(new QLabel(this)) {
  setWindowTitle(QString::fromUtf8(picture::kCaption));
  setAttribute(Qt::WA_ShowWithoutActivating);  // the form keeps the focus
  setAttribute(Qt::WA_WindowPropagation);      // and lends its font
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, ToQColor(picture::kBackground));
  setPalette(palette);
  setAutoFillBackground(true);
  setFont(owner->font());
  static const bool accessible = (QAccessible::installFactory(AccessibleCanvas), true);
  (void)accessible;
  canvas_->setObjectName(QStringLiteral("picture"));
  words_->setAlignment(Qt::AlignCenter);
  words_->setWordWrap(true);
  auto* column = new QVBoxLayout(this);
  column->addWidget(canvas_, 1);
  column->addWidget(words_);
  resize(420, 480);
  Refresh();
}

void PictureWindow::Refresh() {
  picture_ = picture::Picture::Of(form_);
  const QString words = QString::fromUtf8(picture_.Words());
  words_->setText(words);
  canvas_->setAccessibleName(words);
  canvas_->update();
}

void PictureWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    close();
    return;
  }
  QWidget::keyPressEvent(event);
}

}  // namespace desktop
