// Files in odd states on Windows: held without sharing, sparse, and in folders past the classic limit.
#include "tests/support/file_states.h"

#include <windows.h>
#include <winioctl.h>

#include <algorithm>

namespace kalvor::testing {

namespace {
constexpr std::size_t kWindowsFolderLength = 300;
constexpr std::size_t kLongestComponent = 100;

std::wstring Widen(const std::string& utf8) {
  const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), length);
  return wide;
}

// The prefix that lifts the limit of 260 characters needs an absolute path with backslashes.
std::wstring LongForm(const std::string& utf8) {
  std::wstring path = Widen(utf8);
  std::replace(path.begin(), path.end(), L'/', L'\\');
  return L"\\\\?\\" + path;
}
}  // namespace

HeldFile::HeldFile(const std::string& path, std::optional<std::chrono::milliseconds> releaseAfter) {
  const HANDLE handle = CreateFileW(LongForm(path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    reason_ = "the file could not be opened: error " + std::to_string(GetLastError());
    return;
  }
  handle_ = handle;
  held_ = true;
  if (releaseAfter) {
    releaser_ = std::thread([this, delay = *releaseAfter] {
      Sleep(static_cast<DWORD>(delay.count()));
      Release();
    });
  }
}

HeldFile::~HeldFile() {
  if (releaser_.joinable()) releaser_.join();
  Release();
}

void HeldFile::Release() {
  if (handle_ != nullptr) CloseHandle(static_cast<HANDLE>(handle_));
  handle_ = nullptr;
}

bool MakeSparseFile(const std::string& path, std::int64_t bytes) {
  const HANDLE file = CreateFileW(LongForm(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD ignored = 0;
  DeviceIoControl(file, FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &ignored, nullptr);
  LARGE_INTEGER size{};
  size.QuadPart = bytes;
  const bool made = SetFilePointerEx(file, size, nullptr, FILE_BEGIN) && SetEndOfFile(file);
  CloseHandle(file);
  return made;
}

std::size_t LongFolderLength() {
  return kWindowsFolderLength;
}

std::string MakeLongFolder(const std::string& base, std::size_t length) {
  std::string path = base;
  while (path.size() < length) {
    const std::size_t component = std::min(kLongestComponent, length - path.size() - 1);
    if (component == 0) return "";  // one character left: no name fits before the separator
    path += std::string(component, 'd');
    if (!CreateDirectoryW(LongForm(path).c_str(), nullptr)) return "";
    path += '\\';
  }
  return path.size() == length ? path : "";
}

}  // namespace kalvor::testing
