#include "desktop/labels.h"

#include <QHeaderView>

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

QTableWidget* ShowingTable(int columns, QWidget* parent) {
  auto* table = new QTableWidget(0, columns, parent);
  table->setFocusPolicy(Qt::NoFocus);
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->setSelectionMode(QAbstractItemView::NoSelection);
  table->horizontalHeader()->setStretchLastSection(true);
  table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 4);
  return table;
}

}  // namespace desktop
