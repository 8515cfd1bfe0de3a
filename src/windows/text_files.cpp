#include "windows/text_files.h"

#include <algorithm>

#include "windows/wide.h"

namespace windows {

namespace {

// The most a kept text can take: an editor's worth of characters, each up to four bytes.
constexpr size_t kLargestKept = 4 * lessons::write::kLargestFile;

// A handle closed when it goes.
class File {
 public:
  explicit File(HANDLE handle) : handle_(handle) {}
  ~File() {
    if (Open()) CloseHandle(handle_);
  }
  File(const File&) = delete;
  File& operator=(const File&) = delete;
  bool Open() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE Handle() const { return handle_; }

 private:
  HANDLE handle_;
};

}  // namespace

std::optional<std::string> ReadBytes(const std::wstring& path, size_t most, DWORD& error) {
  const File file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.Open()) {
    error = GetLastError();
    return std::nullopt;
  }
  std::string bytes;
  char block[16 * 1024];
  while (bytes.size() < most) {
    const auto wanted = static_cast<DWORD>(std::min(sizeof block, most - bytes.size()));
    DWORD read = 0;
    if (ReadFile(file.Handle(), block, wanted, &read, nullptr) == FALSE) {
      error = GetLastError();
      return std::nullopt;
    }
    if (read == 0) break;
    bytes.append(block, read);
  }
  return bytes;
}

bool WriteBytes(const std::wstring& path, std::string_view bytes, DWORD& error) {
  const std::wstring beside = path + L".new";
  bool written = false;
  {
    const File file(CreateFileW(beside.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Open()) {
      error = GetLastError();
      return false;
    }
    DWORD done = 0;
    written = WriteFile(file.Handle(), bytes.data(), static_cast<DWORD>(bytes.size()), &done,
                        nullptr) != FALSE &&
              done == bytes.size();
    if (!written) error = GetLastError();
  }
  if (written && MoveFileExW(beside.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE)
    return true;
  if (written) error = GetLastError();
  DeleteFileW(beside.c_str());
  return false;
}

std::string FailureReason(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
      return "файлът не съществува";
    case ERROR_PATH_NOT_FOUND:
      return "папката не съществува";
    case ERROR_ACCESS_DENIED:
      return "нямаш право на достъп до това място";
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return "файлът е отворен в друга програма";
    case ERROR_HANDLE_DISK_FULL:
    case ERROR_DISK_FULL:
      return "няма място на диска";
    case ERROR_WRITE_PROTECT:
      return "дискът е защитен срещу запис";
    case ERROR_NOT_READY:
      return "устройството не е готово";
    case ERROR_INVALID_NAME:
    case ERROR_FILENAME_EXCED_RANGE:
      return "името на файла не става";
    default:
      return "Windows съобщи грешка " + std::to_string(error);
  }
}

std::wstring KeptFolder() {
  std::wstring folder(MAX_PATH, L'\0');
  DWORD length = GetEnvironmentVariableW(L"APPDATA", folder.data(), MAX_PATH);
  if (length >= MAX_PATH) {
    folder.resize(length);
    length = GetEnvironmentVariableW(L"APPDATA", folder.data(), length);
  }
  if (length == 0) return L"";
  folder.resize(length);
  return folder + L"\\Ramka";
}

std::wstring KeptTexts::PathOf(int task) const {
  return folder_ + L"\\write-" + WideFromUtf8(std::to_string(task + 1)) + L".txt";
}

void KeptTexts::Keep(int task, const std::string& text) {
  if (folder_.empty()) return;
  CreateDirectoryW(folder_.c_str(), nullptr);  // once; then it stands
  DWORD error = 0;
  WriteBytes(PathOf(task), text, error);
}

void KeptTexts::Restore(lessons::write::Write& write) const {
  if (folder_.empty()) return;
  for (size_t task = 0; task < lessons::write::kTasks.size(); ++task) {
    DWORD error = 0;
    if (std::optional<std::string> text =
            ReadBytes(PathOf(static_cast<int>(task)), kLargestKept, error))
      write.Restore(static_cast<int>(task), std::move(*text));
  }
}

}  // namespace windows
