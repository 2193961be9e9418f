// The system calls beneath a replacement on Windows, every one the UTF-16 (...W) call. A link (a
// reparse point) is reported as such and never followed: the move replaces the link itself.
#include <windows.h>

#include <algorithm>
#include <cwchar>
#include <string>

#include "platform/files.h"
#include "platform/native_files.h"
#include "platform/windows/error_map.h"
#include "platform/windows/unicode.h"

namespace platform::native {

const char kPathSeparators[] = "\\/";

namespace {

constexpr std::size_t kLongestName = 255;
constexpr int kMoveAttempts = 50;
constexpr DWORD kMoveRetryMilliseconds = 20;
// Characters no Windows file name may hold, besides the controls below 32.
constexpr const wchar_t* kForbiddenInNames = L"<>:\"|?*";

int ErrorOf(DWORD systemError) {
  return windows::FileErrorFromSystemError(systemError);
}

std::size_t NameStart(const std::wstring& path) {
  const std::size_t separator = path.find_last_of(L"\\/");
  return separator == std::wstring::npos ? 0 : separator + 1;
}

// Another program reading the old file (a virus scanner, an indexer) holds it for a moment without
// letting it be replaced; the move is tried again for a short while before that counts as a failure.
DWORD MoveWithRetries(const std::wstring& from, const std::wstring& to) {
  DWORD error = 0;
  for (int attempt = 0; attempt < kMoveAttempts; ++attempt) {
    if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return 0;
    error = GetLastError();
    if (error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION) break;
    Sleep(kMoveRetryMilliseconds);
  }
  return error;
}

}  // namespace

struct NewFile {
  HANDLE file = INVALID_HANDLE_VALUE;
};

void NewFileCloser::operator()(NewFile* file) const {
  if (file->file != INVALID_HANDLE_VALUE) CloseHandle(file->file);
  delete file;
}

Entry Inspect(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(windows::Widen(path).c_str());
  Entry entry;
  if (attributes == INVALID_FILE_ATTRIBUTES) return entry;
  entry.exists = true;
  entry.isFolder = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  entry.isLink = (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
  entry.readOnly = !entry.isFolder && !entry.isLink && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
  return entry;
}

// A name the target itself could never have is refused before anything is created.
bool AcceptableName(const std::string& utf8Path) {
  const std::wstring path = windows::Widen(utf8Path);
  const std::wstring name = path.substr(NameStart(path));
  if (name.empty() || name.size() > kLongestName || path.size() >= MAX_PATH) return false;
  for (const wchar_t c : name) {
    if (c < L' ' || std::wcschr(kForbiddenInNames, c) != nullptr) return false;
  }
  return true;
}

std::vector<std::string> FolderNames(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAW found;
  const std::wstring pattern = windows::Widen(folder) + L"*";
  const HANDLE search = FindFirstFileW(pattern.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    const std::wstring name = found.cFileName;
    if (name != L"." && name != L"..") names.push_back(windows::Narrow(name));
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return names;
}

// CREATE_NEW fails on whatever stands at the name, a link included.
int CreateNewFile(const std::string& path, NewFilePtr& file) {
  const HANDLE handle = CreateFileW(windows::Widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return ErrorOf(GetLastError());
  file.reset(new NewFile{handle});
  return kErrNone;
}

int WriteAll(NewFile& file, const std::vector<std::uint8_t>& content) {
  std::size_t done = 0;
  while (done < content.size()) {
    const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(content.size() - done, MAXDWORD));
    DWORD written = 0;
    if (!WriteFile(file.file, content.data() + done, wanted, &written, nullptr))
      return ErrorOf(GetLastError());
    if (written == 0) return ErrorOf(ERROR_WRITE_FAULT);  // no progress and no reason given
    done += written;
  }
  return kErrNone;
}

// Who may read and write a file is its access control list, which the new file inherits from the
// folder as the replaced one did; its only other permission, the read-only attribute, is taken away by
// a replacement anyway.
void TakePermissions(NewFile&, const std::string&) {}

int Finish(NewFilePtr file) {
  DWORD error = FlushFileBuffers(file->file) ? 0 : GetLastError();
  if (!CloseHandle(file->file) && error == 0) error = GetLastError();
  file->file = INVALID_HANDLE_VALUE;
  return error == 0 ? kErrNone : ErrorOf(error);
}

// The move over a read-only file needs its read-only attribute cleared first; it comes back if the
// move fails, so the old file stays exactly as it was.
int MoveOver(const std::string& from, const std::string& to) {
  const std::wstring target = windows::Widen(to);
  const DWORD attributes = GetFileAttributesW(target.c_str());
  const bool readOnly = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) &&
                        !(attributes & FILE_ATTRIBUTE_REPARSE_POINT);
  if (readOnly) SetFileAttributesW(target.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
  const DWORD error = MoveWithRetries(windows::Widen(from), target);
  if (error != 0 && readOnly) SetFileAttributesW(target.c_str(), attributes);
  return error == 0 ? kErrNone : ErrorOf(error);
}

// MOVEFILE_WRITE_THROUGH has made the move durable already.
void SyncFolder(const std::string&) {}

}  // namespace platform::native
