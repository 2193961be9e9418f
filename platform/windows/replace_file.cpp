// Atomic replacement of a file: the new content goes completely into a fresh file beside the old one,
// reaches the disk, and only then is moved over the old name in one step. Any failure leaves the old
// file alone.
#include <windows.h>

#include <algorithm>
#include <cwchar>
#include <random>
#include <string>

#include "platform/files.h"
#include "platform/native_files.h"
#include "platform/windows/error_map.h"
#include "platform/windows/unicode.h"

namespace platform {

namespace {

constexpr int kTemporaryNameAttempts = 100;
constexpr const wchar_t* kTemporaryPrefix = L".kalvor-";
constexpr const wchar_t* kTemporarySuffix = L".tmp";
constexpr std::size_t kLongestName = 255;
constexpr int kMoveAttempts = 50;
constexpr DWORD kMoveRetryMilliseconds = 20;
// Characters no Windows file name may hold, besides the controls below 32.
constexpr const wchar_t* kForbiddenInNames = L"<>:\"|?*";

ReplaceResult Failure(DWORD systemError, ReplaceStage stage) {
  return ReplaceResult{windows::FileErrorFromSystemError(systemError), stage};
}

std::size_t NameStart(const std::wstring& path) {
  const std::size_t separator = path.find_last_of(L"\\/");
  return separator == std::wstring::npos ? 0 : separator + 1;
}

// A name the target itself could never have is refused before anything is created.
bool AcceptableName(const std::wstring& path) {
  const std::wstring name = path.substr(NameStart(path));
  if (name.empty() || name.size() > kLongestName || path.size() >= MAX_PATH) return false;
  for (const wchar_t c : name) {
    if (c < L' ' || std::wcschr(kForbiddenInNames, c) != nullptr) return false;
  }
  return true;
}

struct TemporaryFile {
  HANDLE file = INVALID_HANDLE_VALUE;
  std::wstring path;
  DWORD error = 0;  // of the last failed attempt
};

// CREATE_NEW makes sure the name is ours alone; a clash just means trying another one.
TemporaryFile CreateTemporary(const std::wstring& folder) {
  static std::mt19937 names{std::random_device{}()};
  TemporaryFile temporary;
  for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
    temporary.path = folder + kTemporaryPrefix + std::to_wstring(GetCurrentProcessId()) + L"-" +
                     std::to_wstring(names()) + kTemporarySuffix;
    temporary.file = CreateFileW(temporary.path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
    if (temporary.file != INVALID_HANDLE_VALUE) return temporary;
    temporary.error = GetLastError();
    if (temporary.error != ERROR_FILE_EXISTS && temporary.error != ERROR_ALREADY_EXISTS) break;
  }
  return temporary;
}

// Writes everything, flushes it to the disk and closes the file; 0 on success, else the system error.
DWORD FillAndClose(HANDLE file, const std::vector<std::uint8_t>& content) {
  DWORD error = 0;
  std::size_t done = 0;
  while (error == 0 && done < content.size()) {
    const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(content.size() - done, MAXDWORD));
    DWORD written = 0;
    if (!WriteFile(file, content.data() + done, wanted, &written, nullptr)) {
      error = GetLastError();
    } else if (written == 0) {
      error = ERROR_WRITE_FAULT;  // no progress and no reason given
    }
    done += written;
  }
  if (error == 0 && !FlushFileBuffers(file)) error = GetLastError();
  if (!CloseHandle(file) && error == 0) error = GetLastError();
  return error;
}

// Another program reading the old file (a virus scanner, an indexer) holds it for a moment without
// letting it be replaced; the move is tried again for a short while before that counts as a failure.
DWORD MoveOver(const std::wstring& temporary, const std::wstring& path) {
  DWORD error = 0;
  for (int attempt = 0; attempt < kMoveAttempts; ++attempt) {
    if (MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
      return 0;
    error = GetLastError();
    if (error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION) break;
    Sleep(kMoveRetryMilliseconds);
  }
  return error;
}

// The move over a read-only file needs its read-only attribute cleared first; it comes back if the
// move fails, so the old file stays exactly as it was.
DWORD MoveIntoPlace(const std::wstring& temporary, const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  const bool readOnly = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
  if (readOnly) SetFileAttributesW(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
  const DWORD error = MoveOver(temporary, path);
  if (error != 0 && readOnly) SetFileAttributesW(path.c_str(), attributes);
  return error;
}

}  // namespace

namespace native {

ReplaceResult ReplaceFileAtomically(const std::string& utf8Path, const std::vector<std::uint8_t>& content) {
  const std::wstring path = windows::Widen(utf8Path);
  if (!AcceptableName(path)) return Failure(ERROR_INVALID_NAME, ReplaceStage::kCreate);
  // A folder standing where the file should be means the file cannot be created at all.
  const DWORD existing = GetFileAttributesW(path.c_str());
  if (existing != INVALID_FILE_ATTRIBUTES && (existing & FILE_ATTRIBUTE_DIRECTORY)) {
    return Failure(ERROR_DIRECTORY, ReplaceStage::kCreate);
  }

  const TemporaryFile temporary = CreateTemporary(path.substr(0, NameStart(path)));
  if (temporary.file == INVALID_HANDLE_VALUE) return Failure(temporary.error, ReplaceStage::kCreate);

  DWORD error = FillAndClose(temporary.file, content);
  if (error == 0) error = MoveIntoPlace(temporary.path, path);
  if (error != 0) {
    DeleteFileW(temporary.path.c_str());
    return Failure(error, ReplaceStage::kWrite);
  }
  return ReplaceResult{};
}

}  // namespace native

}  // namespace platform
