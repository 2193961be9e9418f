#include "platform/windows/unicode.h"

#include <windows.h>

namespace platform::windows {

std::wstring Widen(const std::string& utf8) {
  if (utf8.empty()) return {};
  const int size = static_cast<int>(utf8.size());
  const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), length);
  return wide;
}

std::string Narrow(const wchar_t* utf16, int length) {
  if (length <= 0) return {};
  const int size = WideCharToMultiByte(CP_UTF8, 0, utf16, length, nullptr, 0, nullptr, nullptr);
  std::string narrow(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, utf16, length, narrow.data(), size, nullptr, nullptr);
  return narrow;
}

std::string Narrow(const std::wstring& utf16) {
  return Narrow(utf16.data(), static_cast<int>(utf16.size()));
}

namespace {
// Room for the longest name that goes into a folder of that path, as CreateDirectoryW reserves.
constexpr std::size_t kShortPathLimit = MAX_PATH - 12;
constexpr const wchar_t* kLongPrefix = L"\\\\?\\";
constexpr const wchar_t* kLongUncPrefix = L"\\\\?\\UNC\\";
}  // namespace

std::wstring FullPath(const std::wstring& path) {
  const DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (size == 0) return path;
  std::wstring full(size, L'\0');
  const DWORD length = GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
  if (length == 0 || length >= size) return path;
  full.resize(length);
  return full;
}

// The prefix turns off the system's reading of "/", "." and "..", so the full path is made first.
std::wstring SystemPath(const std::string& utf8, std::size_t room) {
  const std::wstring path = Widen(utf8);
  if (path.empty() || path.size() + room < kShortPathLimit || path.rfind(kLongPrefix, 0) == 0) return path;
  const std::wstring full = FullPath(path);
  if (full.rfind(L"\\\\", 0) == 0) return kLongUncPrefix + full.substr(2);
  return kLongPrefix + full;
}

}  // namespace platform::windows
