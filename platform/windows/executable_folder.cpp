#include "platform/executable_folder.h"

#include <windows.h>

#include <algorithm>

#include "platform/windows/unicode.h"

namespace platform {

namespace {
constexpr DWORD kFirstPathBuffer = MAX_PATH;
// The longest path Windows has: 32,767 characters and the terminating zero.
constexpr DWORD kLongestPathBuffer = 32768;
}  // namespace

std::optional<std::string> ExecutableFolder() {
  std::wstring buffer(kFirstPathBuffer, L'\0');
  while (true) {
    const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return std::nullopt;
    // A name that fills the buffer was cut short (and is not zero-terminated on Windows XP).
    if (length < buffer.size()) {
      buffer.resize(length);
      break;
    }
    if (buffer.size() >= kLongestPathBuffer) return std::nullopt;
    buffer.resize(std::min<std::size_t>(buffer.size() * 2, kLongestPathBuffer));
  }
  const std::size_t separator = buffer.rfind(L'\\');
  if (separator == std::wstring::npos) return std::nullopt;
  return windows::Narrow(buffer.substr(0, separator + 1));
}

}  // namespace platform
