#include "tests/support/test_system.h"

#include <windows.h>

namespace kalvor::testing {
namespace {
constexpr UINT kWindows1252 = 1252;
}  // namespace

// Wine's prefix of the test run draws on its null display already (scripts/wine-run.sh). Test programs
// run side by side in that prefix, and activation, with the keyboard focus, belongs to a desktop: each
// program takes a desktop of its own, so another's windows never take the focus from its own.
void PrepareTestSession() {
  const std::wstring name = L"kalvor-tests-" + std::to_wstring(GetCurrentProcessId());
  const HDESK desktop = CreateDesktopW(name.c_str(), nullptr, nullptr, 0, GENERIC_ALL, nullptr);
  if (desktop != nullptr) SetThreadDesktop(desktop);
}

// Wine's ntdll exports its version; Windows' does not.
bool UnderWine() {
  const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

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

}  // namespace kalvor::testing
