#include "desktop/text_keeper.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>
#include <QtDebug>

namespace desktop {

namespace {

// How long the typing pauses before its text is written.
constexpr int kPauseMilliseconds = 400;

}  // namespace

TextKeeper::TextKeeper(QString folder)
    : folder_(folder.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
                                     QStringLiteral("/programs")
                               : std::move(folder)) {
  pause_.setSingleShot(true);
  pause_.setInterval(kPauseMilliseconds);
  QObject::connect(&pause_, &QTimer::timeout, [this] { Flush(); });
}

TextKeeper::~TextKeeper() {
  Flush();
}

QString TextKeeper::FileOf(int task) const {
  return folder_ + QStringLiteral("/task-%1.txt").arg(task + 1);
}

void TextKeeper::RestoreInto(lessons::write::Write& write) const {
  for (int task = 0; task < static_cast<int>(lessons::write::kTasks.size()); ++task) {
    QFile file(FileOf(task));
    if (!file.open(QIODevice::ReadOnly)) continue;  // nothing kept yet
    const QByteArray bytes = file.read(lessons::write::kLargestFile + 1);
    const std::string text = bytes.toStdString();
    if (lessons::write::Write::Opens(text)) write.Restore(task, text);
  }
}

void TextKeeper::Keep(int task, const std::string& text) {
  waiting_[task] = text;
  pause_.start();
}

void TextKeeper::Flush() {
  pause_.stop();
  if (waiting_.empty()) return;
  QDir().mkpath(folder_);
  for (const auto& [task, text] : waiting_) {
    QSaveFile file(FileOf(task));
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(text.data(), static_cast<qint64>(text.size())) !=
            static_cast<qint64>(text.size()) ||
        !file.commit()) {
      qWarning() << "The program could not be kept in" << file.fileName() << ":"
                 << file.errorString();
    }
  }
  waiting_.clear();
}

}  // namespace desktop
