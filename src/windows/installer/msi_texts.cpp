// Finishes the Windows Installer package that wixl builds, through Windows Installer's own API
// (run under Wine when the package is made): the database's code page becomes 1251, and the texts
// that are not ASCII (the product's name, the shortcut's, the messages) are written into it in
// that code page, which wixl cannot do; then the package code and the summary's times become
// fixed values, so that the same sources give the same package.
// Usage: msi_texts PACKAGE.msi TEXTS.tsv PACKAGE_CODE EPOCH_SECONDS, where each line of TEXTS.tsv,
// in UTF-8, is TABLE, KEY COLUMN, KEY, COLUMN and TEXT, separated by tabs: the row's column gets
// the text. (A file, so that no code page of the command line can change them.)
#include <windows.h>

#include <msi.h>
#include <msiquery.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr UINT kCyrillic = 1251;

std::wstring Wide(const char* utf8) {
  const int size = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8, -1, nullptr, 0);
  if (size <= 0) return {};
  std::wstring wide(static_cast<size_t>(size), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8, -1, wide.data(), size);
  wide.resize(static_cast<size_t>(size - 1));
  return wide;
}

bool Check(UINT result, const char* what) {
  if (result == ERROR_SUCCESS) return true;
  std::fprintf(stderr, "msi_names: %s failed (%u)\n", what, result);
  return false;
}

// The database's code page, set by importing the table that sets it, from a folder of its own.
bool SetCodePage(MSIHANDLE database) {
  wchar_t folder[MAX_PATH];
  wchar_t path[MAX_PATH];
  if (GetTempPathW(MAX_PATH, folder) == 0) return false;
  std::swprintf(path, MAX_PATH, L"%ls_ForceCodepage.idt", folder);
  FILE* file = _wfopen(path, L"wb");
  if (file == nullptr) return false;
  std::fprintf(file, "\r\n\r\n%u\t_ForceCodepage\r\n", kCyrillic);
  std::fclose(file);
  const bool imported =
      Check(MsiDatabaseImportW(database, folder, L"_ForceCodepage.idt"), "the code page");
  DeleteFileW(path);
  return imported;
}

// The summary's package code and times; its texts stay ASCII in their own code page.
bool FixSummary(MSIHANDLE database, const std::wstring& package_code, long long epoch) {
  MSIHANDLE summary = 0;
  if (!Check(MsiGetSummaryInformationW(database, nullptr, 20, &summary), "the summary")) {
    return false;
  }
  // Seconds since 1970 as a FILETIME: 100 ns since 1601.
  const unsigned long long ticks =
      (static_cast<unsigned long long>(epoch) + 11644473600ULL) * 10000000ULL;
  FILETIME time{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
  bool done = Check(MsiSummaryInfoSetPropertyW(summary, PIDSI_REVNUMBER, VT_LPSTR, 0, nullptr,
                                               package_code.c_str()),
                    "the package code");
  for (const UINT property : {PIDSI_CREATE_DTM, PIDSI_LASTSAVE_DTM}) {
    done =
        done && Check(MsiSummaryInfoSetPropertyW(summary, property, VT_FILETIME, 0, &time, nullptr),
                      "a time");
  }
  done = done && Check(MsiSummaryInfoPersist(summary), "saving the summary");
  MsiCloseHandle(summary);
  return done;
}

struct Text {
  std::wstring table, key_column, key, column, value;
};

std::vector<Text> ReadTexts(const char* path) {
  std::ifstream file(path, std::ios::binary);
  std::vector<Text> texts;
  for (std::string line; std::getline(file, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty()) continue;
    std::vector<std::wstring> fields;
    for (size_t start = 0;;) {
      const size_t tab = line.find('\t', start);
      fields.push_back(Wide(line.substr(start, tab - start).c_str()));
      if (tab == std::string::npos) break;
      start = tab + 1;
    }
    if (fields.size() != 5) return {};
    texts.push_back({fields[0], fields[1], fields[2], fields[3], fields[4]});
  }
  return texts;
}

// Sets one text: UPDATE `TABLE` SET `COLUMN` = TEXT WHERE `KEY COLUMN` = KEY.
bool Update(MSIHANDLE database, const Text& text) {
  const std::wstring query = L"UPDATE `" + text.table + L"` SET `" + text.column +
                             L"` = ? WHERE `" + text.key_column + L"` = ?";
  MSIHANDLE view = 0;
  if (!Check(MsiDatabaseOpenViewW(database, query.c_str(), &view), "a query")) return false;
  const MSIHANDLE record = MsiCreateRecord(2);
  MsiRecordSetStringW(record, 1, text.value.c_str());
  MsiRecordSetStringW(record, 2, text.key.c_str());
  const bool done = Check(MsiViewExecute(view, record), "an update");
  MsiCloseHandle(record);
  MsiViewClose(view);
  MsiCloseHandle(view);
  return done;
}

}  // namespace

int main(int argc, char* argv[]) {
  const std::vector<Text> texts = argc == 5 ? ReadTexts(argv[2]) : std::vector<Text>();
  if (texts.empty()) {
    std::fputs("usage: msi_texts PACKAGE.msi TEXTS.tsv PACKAGE_CODE EPOCH\n", stderr);
    return 2;
  }
  MSIHANDLE database = 0;
  if (!Check(MsiOpenDatabaseW(Wide(argv[1]).c_str(), reinterpret_cast<LPCWSTR>(MSIDBOPEN_TRANSACT),
                              &database),
             "opening the package")) {
    return 1;
  }
  bool done = SetCodePage(database);
  for (const Text& text : texts)
    done = done && Update(database, text);
  done = done && FixSummary(database, Wide(argv[3]), std::atoll(argv[4])) &&
         Check(MsiDatabaseCommit(database), "saving the package");
  MsiCloseHandle(database);
  return done ? 0 : 1;
}
