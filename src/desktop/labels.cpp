#include "desktop/labels.h"

namespace desktop {

QLabel* Heading(const char* text, QWidget* parent, QWidget* buddy) {
  auto* label = new QLabel(Text(text), parent);
  QFont font = label->font();
  font.setBold(true);
  label->setFont(font);
  if (buddy != nullptr) label->setBuddy(buddy);
  return label;
}

QLabel* Wrapping(QWidget* parent, Qt::Alignment alignment) {
  auto* label = new QLabel(parent);
  label->setWordWrap(true);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  label->setAlignment(alignment);
  return label;
}

}  // namespace desktop
