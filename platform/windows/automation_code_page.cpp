#include "platform/automation.h"

#include <windows.h>

namespace platform::automation {

namespace {
constexpr UINT kWindows1252 = 1252;
}  // namespace

// Windows' own converters, refusing invalid UTF-8 and any character that would need a stand-in.
std::optional<std::string> ToWindows1252(const std::string& utf8) {
  if (utf8.empty()) return std::string();
  const int size = static_cast<int>(utf8.size());
  const int wideLength = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, nullptr, 0);
  if (wideLength == 0) return std::nullopt;
  std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
  MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, wide.data(), wideLength);
  BOOL standIn = FALSE;
  const int length = WideCharToMultiByte(kWindows1252, WC_NO_BEST_FIT_CHARS, wide.data(), wideLength, nullptr,
                                         0, nullptr, &standIn);
  std::string out(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(kWindows1252, WC_NO_BEST_FIT_CHARS, wide.data(), wideLength, out.data(), length,
                      nullptr, &standIn);
  if (length == 0 || standIn) return std::nullopt;
  return out;
}

}  // namespace platform::automation
