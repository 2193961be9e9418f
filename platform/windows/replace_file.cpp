// The system calls beneath a replacement on Windows, every one the UTF-16 (...W) call, with long paths
// where the classic limit would refuse them. A link (a reparse point) is reported as such and never
// followed: the move replaces the link itself. A new file is held open, shared for reading only, from
// its creation until it has been moved into place (by its handle): no other program, and no other
// copy's sweep, can write, move or delete it meanwhile, while readers of the finished file never wait.
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/native_files.h"
#include "platform/windows/error_map.h"
#include "platform/windows/file_handle.h"
#include "platform/windows/unicode.h"

namespace platform::native {

const char kPathSeparators[] = "\\/";

namespace {

constexpr std::size_t kLongestName = 255;
constexpr std::size_t kLongestPath = 32767;
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

Entry EntryOf(DWORD attributes) {
  Entry entry;
  if (attributes == INVALID_FILE_ATTRIBUTES) return entry;
  entry.exists = true;
  entry.isFolder = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  entry.isLink = (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
  entry.readOnly = !entry.isFolder && !entry.isLink && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
  return entry;
}

bool RenameByHandle(HANDLE file, const std::wstring& to) {
  const std::size_t nameBytes = to.size() * sizeof(wchar_t);
  std::vector<unsigned char> buffer(sizeof(FILE_RENAME_INFO) + nameBytes);
  auto* info = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
  info->ReplaceIfExists = TRUE;
  info->RootDirectory = nullptr;
  info->FileNameLength = static_cast<DWORD>(nameBytes);
  std::memcpy(info->FileName, to.data(), nameBytes);
  return SetFileInformationByHandle(file, FileRenameInfo, info, static_cast<DWORD>(buffer.size())) != 0;
}

// Another program reading the old file (a virus scanner, an indexer) holds it for a moment without
// letting it be replaced; the move is tried again for a short while before that counts as a failure.
DWORD MoveWithRetries(HANDLE file, const std::wstring& to) {
  DWORD error = 0;
  for (int attempt = 0; attempt < kMoveAttempts; ++attempt) {
    if (RenameByHandle(file, to)) return 0;
    error = GetLastError();
    if (error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION) break;
    Sleep(kMoveRetryMilliseconds);
  }
  return error;
}

}  // namespace

struct Folder {
  std::wstring path;  // absolute, ending in a separator
};

void FolderCloser::operator()(Folder* folder) const {
  delete folder;
}

Entry Inspect(const std::string& path) {
  return EntryOf(GetFileAttributesW(windows::SystemPath(path).c_str()));
}

// A name the target itself could never have is refused before anything is created.
bool AcceptableName(const std::string& utf8Path) {
  const std::wstring path = windows::Widen(utf8Path);
  const std::wstring name = path.substr(NameStart(path));
  if (name.empty() || name.size() > kLongestName || path.size() >= kLongestPath) return false;
  for (const wchar_t c : name) {
    if (c < L' ' || std::wcschr(kForbiddenInNames, c) != nullptr) return false;
  }
  return true;
}

// Absolute, because a new file is moved by its handle to a full path.
int OpenFolder(const std::string& path, FolderPtr& folder) {
  std::wstring full = windows::FullPath(path.empty() ? L".\\" : windows::Widen(path));
  if (full.empty() || (full.back() != L'\\' && full.back() != L'/')) full += L'\\';
  folder.reset(new Folder{windows::SystemPath(windows::Narrow(full), kLongestName)});
  return kErrNone;
}

std::vector<std::string> FolderNames(Folder& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAW found;
  const std::wstring pattern = folder.path + L"*";
  const HANDLE search = FindFirstFileW(pattern.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    const std::wstring name = found.cFileName;
    if (name != L"." && name != L"..") names.push_back(windows::Narrow(name));
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return names;
}

Entry InspectIn(Folder& folder, const std::string& name) {
  return EntryOf(GetFileAttributesW((folder.path + windows::Widen(name)).c_str()));
}

// A live temporary file is held open without delete sharing, so only a dead one can be deleted.
void RemoveDeadTemporary(Folder& folder, const std::string& name) {
  DeleteFileW((folder.path + windows::Widen(name)).c_str());
}

// The move was made durable with its file (Finish and MoveOver flush it).
void SyncFolder(Folder&) {}

// Who may read and write a file is its access control list, which the new file inherits from the
// folder as the replaced one did; its only other permission, the read-only attribute, is taken away by
// a replacement anyway.
void TakePermissions(File&, Folder&, const std::string&) {}

namespace system {

// CREATE_NEW fails on whatever stands at the name, a link included. DELETE access lets the file be
// moved by its handle.
int CreateNewFile(Folder& folder, const std::string& name, FilePtr& file) {
  const HANDLE handle = CreateFileW((folder.path + windows::Widen(name)).c_str(), GENERIC_WRITE | DELETE,
                                    FILE_SHARE_READ, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return ErrorOf(GetLastError());
  file.reset(new File{handle});
  return kErrNone;
}

int WriteSome(File& file, const void* bytes, std::size_t size, std::size_t& written) {
  const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(size, MAXDWORD));
  DWORD done = 0;
  if (!WriteFile(file.handle, bytes, wanted, &done, nullptr)) return ErrorOf(GetLastError());
  written = done;
  return kErrNone;
}

// The handle stays open for the move; closing it afterwards cannot fail in a way that matters.
int Finish(File& file) {
  return FlushFileBuffers(file.handle) ? kErrNone : ErrorOf(GetLastError());
}

// The move over a read-only file needs its read-only attribute cleared first; it comes back if the
// move fails, so the old file stays exactly as it was.
int MoveOver(Folder& folder, File& file, const std::string&, const std::string& to) {
  const std::wstring target = folder.path + windows::Widen(to);
  const DWORD attributes = GetFileAttributesW(target.c_str());
  const bool readOnly = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) &&
                        !(attributes & FILE_ATTRIBUTE_REPARSE_POINT);
  if (readOnly) SetFileAttributesW(target.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
  const DWORD error = MoveWithRetries(file.handle, target);
  if (error != 0 && readOnly) SetFileAttributesW(target.c_str(), attributes);
  if (error == 0) FlushFileBuffers(file.handle);  // the new name, durable with the file
  return error == 0 ? kErrNone : ErrorOf(error);
}

}  // namespace system

}  // namespace platform::native
