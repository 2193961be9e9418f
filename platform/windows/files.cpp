// Files on Windows: attributes, deletion and reading records. Every call is the
// UTF-16 (...W) one, so any name the user's system allows works.
#include "platform/files.h"

#include <windows.h>

#include <string>

#include "platform/windows/unicode.h"

namespace platform {

bool FileExists(const std::string& path) {
  return GetFileAttributesW(windows::Widen(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

// A link (a reparse point) keeps its attributes: they are not what makes the file it points to
// read-only, and that file is not ours to change.
void SetArchiveOnly(const std::string& path) {
  const std::wstring name = windows::Widen(path);
  const DWORD attributes = GetFileAttributesW(name.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_REPARSE_POINT)) return;
  SetFileAttributesW(name.c_str(), FILE_ATTRIBUTE_ARCHIVE);
}

// A link is deleted itself, never the file it points to.
bool RemoveFile(const std::string& path) {
  return DeleteFileW(windows::Widen(path).c_str()) != 0;
}

struct RecordReader::Handle {
  HANDLE file = INVALID_HANDLE_VALUE;
};

RecordReader::RecordReader(const std::string& path) {
  // Others may go on reading, writing or replacing the file while it is read.
  const HANDLE file = CreateFileW(windows::Widen(path).c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  // Only a file on a disk: a pipe, console or device in a data file's place reads as no file.
  if (GetFileType(file) != FILE_TYPE_DISK) {
    CloseHandle(file);
    return;
  }
  handle_ = std::make_unique<Handle>(Handle{file});
}

RecordReader::~RecordReader() {
  if (handle_) CloseHandle(handle_->file);
}

bool RecordReader::IsOpen() const {
  return handle_ != nullptr;
}

std::int64_t RecordReader::Length() const {
  LARGE_INTEGER size{};
  if (!handle_ || !GetFileSizeEx(handle_->file, &size)) return 0;
  return size.QuadPart;
}

bool RecordReader::ReadAt(std::int64_t offset, void* buffer, std::size_t size) const {
  if (!handle_ || offset < 0) return false;
  auto* bytes = static_cast<unsigned char*>(buffer);
  std::size_t done = 0;
  while (done < size) {
    const std::uint64_t at = static_cast<std::uint64_t>(offset) + done;
    OVERLAPPED position{};
    position.Offset = static_cast<DWORD>(at & 0xFFFFFFFFu);
    position.OffsetHigh = static_cast<DWORD>(at >> 32);
    const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(size - done, MAXDWORD));
    DWORD got = 0;
    if (!ReadFile(handle_->file, bytes + done, wanted, &got, &position) || got == 0) return false;
    done += got;
  }
  return true;
}

}  // namespace platform
