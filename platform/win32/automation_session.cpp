#include "platform/automation.h"

#include <windows.h>

#include <string>

namespace platform::automation {

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

}  // namespace platform::automation
