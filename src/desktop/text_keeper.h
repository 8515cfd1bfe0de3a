#pragma once

#include <QString>
#include <QTimer>
#include <map>
#include <string>

#include "lessons/write.h"

namespace desktop {

// Keeps each task's program of "Напиши програмата" in a file of its own in the user's application
// data folder, so that the next start of the program brings it back as it was typed. A text is
// written a moment after the typing pauses, and at the latest when the keeper goes, each file
// replaced whole or not at all.
class TextKeeper final : public lessons::write::Keeper {
 public:
  // Keeps in `folder`; the user's application data folder, where none is given.
  explicit TextKeeper(QString folder = QString());
  ~TextKeeper() override;
  TextKeeper(const TextKeeper&) = delete;
  TextKeeper& operator=(const TextKeeper&) = delete;

  // Brings back every text kept, into the page.
  void RestoreInto(lessons::write::Write& write) const;
  void Keep(int task, const std::string& text) override;
  // Writes what waits to be written, at once.
  void Flush();
  // The file of a task's text.
  QString FileOf(int task) const;

 private:
  QString folder_;
  std::map<int, std::string> waiting_;
  QTimer pause_;
};

}  // namespace desktop
