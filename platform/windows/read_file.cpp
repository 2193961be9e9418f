// Reading a file on Windows.
#include <algorithm>

#include "platform/native_files.h"
#include "platform/windows/error_map.h"
#include "platform/windows/file_handle.h"
#include "platform/windows/unicode.h"

namespace platform::native {

void FileCloser::operator()(File* file) const {
  if (file->handle != INVALID_HANDLE_VALUE) CloseHandle(file->handle);
  delete file;
}

namespace system {

// Others may go on reading, writing or replacing the file while it is read.
int OpenForReading(const std::string& path, FilePtr& file) {
  const std::wstring name = windows::SystemPath(path);
  const DWORD attributes = GetFileAttributesW(name.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return kErrNone;
  const HANDLE handle =
      CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return windows::FileErrorFromSystemError(GetLastError());
  file.reset(new File{handle});
  // Only a file on a disk: a pipe, console or device in a data file's place reads as no file.
  if (GetFileType(handle) != FILE_TYPE_DISK) file.reset();
  return kErrNone;
}

int Length(File& file, std::int64_t& length) {
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.handle, &size)) return windows::FileErrorFromSystemError(GetLastError());
  length = size.QuadPart;
  return kErrNone;
}

int ReadSome(File& file, std::int64_t offset, void* buffer, std::size_t size, std::size_t& got) {
  const auto at = static_cast<std::uint64_t>(offset);
  OVERLAPPED position{};
  position.Offset = static_cast<DWORD>(at & 0xFFFFFFFFu);
  position.OffsetHigh = static_cast<DWORD>(at >> 32);
  DWORD read = 0;
  const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(size, MAXDWORD));
  got = 0;
  if (!ReadFile(file.handle, buffer, wanted, &read, &position)) {
    const DWORD error = GetLastError();
    return error == ERROR_HANDLE_EOF ? kErrNone : windows::FileErrorFromSystemError(error);
  }
  got = read;
  return kErrNone;
}

}  // namespace system

}  // namespace platform::native
