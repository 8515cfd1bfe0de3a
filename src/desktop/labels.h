#pragma once

#include <QLabel>
#include <QString>
#include <string>

// The lessons' pages on Qt: the core's UTF-8 words as Qt's text, and the two kinds of label they
// are shown in.
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

}  // namespace desktop
