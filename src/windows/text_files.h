#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "lessons/write.h"

// The pupil's programs as files, their bytes as they stand: those the pupil opens and saves, and
// the texts of "Напиши програмата" kept between one start of the program and the next.
namespace windows {

// The first `most` bytes of a file, or none, with Windows' error in `error`.
std::optional<std::string> ReadBytes(const std::wstring& path, size_t most, DWORD& error);

// Writes the bytes as the whole file, through a file beside it that then takes its place, so that
// a write that fails leaves an old file as it was; false, with Windows' error in `error`.
bool WriteBytes(const std::wstring& path, std::string_view bytes, DWORD& error);

// Why a file could not be read or written, in a pupil's Bulgarian: "нямаш право да пишеш там".
std::string FailureReason(DWORD error);

// The folder where the program keeps what it keeps for the user: Ramka in the user's application
// data folder (%APPDATA%), or empty where there is none.
std::wstring KeptFolder();

// The texts of "Напиши програмата" as files in a folder, a file a task: written at each change,
// brought back at the next start. Where the folder cannot be written, nothing is kept.
class KeptTexts final : public lessons::write::Keeper {
 public:
  explicit KeptTexts(std::wstring folder) : folder_(std::move(folder)) {}

  void Keep(int task, const std::string& text) override;
  // Brings each task's kept text back into the page.
  void Restore(lessons::write::Write& write) const;

 private:
  std::wstring PathOf(int task) const;

  std::wstring folder_;
};

}  // namespace windows
