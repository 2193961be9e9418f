// Files on Windows: attributes and deletion. Every call is the
// UTF-16 (...W) one, so any name the user's system allows works.
#include "platform/files.h"

#include <windows.h>

#include <string>

#include "platform/windows/unicode.h"

namespace platform {

bool FileExists(const std::string& path) {
  return GetFileAttributesW(windows::SystemPath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

// A link (a reparse point) keeps its attributes: they are not what makes the file it points to
// read-only, and that file is not ours to change.
void SetArchiveOnly(const std::string& path) {
  const std::wstring name = windows::SystemPath(path);
  const DWORD attributes = GetFileAttributesW(name.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_REPARSE_POINT)) return;
  SetFileAttributesW(name.c_str(), FILE_ATTRIBUTE_ARCHIVE);
}

// A link is deleted itself, never the file it points to.
bool RemoveFile(const std::string& path) {
  return DeleteFileW(windows::SystemPath(path).c_str()) != 0;
}

}  // namespace platform
