#pragma once

#include <QLabel>
#include <QString>
#include <QTableWidget>
#include <string>

// The lessons' pages on Qt: the core's UTF-8 words as Qt's text, the two kinds of label they are
// shown in, and the table that only shows.
namespace desktop {

inline QString Text(const char* utf8) {
  return QString::fromUtf8(utf8);
}

inline QString Text(const std::string& utf8) {
  return QString::fromStdString(utf8);
}

// A part's heading, in bold, naming the control it stands over, if any.
QLabel* Heading(const char* text, QWidget* parent, QWidget* buddy = nullptr);

// A label of the core's sentences, wrapping at its width, its text selectable by the mouse.
QLabel* Wrapping(QWidget* parent, Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter);

// A table that only shows: no focus, no editing, no selection by the user, its rows a line each.
QTableWidget* ShowingTable(int columns, QWidget* parent);

}  // namespace desktop
