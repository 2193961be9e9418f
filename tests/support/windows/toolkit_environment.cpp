#include "tests/support/toolkit_environment.h"

#include <windows.h>

namespace kalvor::testing {

// Wine's prefix of the test run draws on its null display already (scripts/wine-run.sh).
void PrepareToolkitEnvironment() {}

// Wine's ntdll exports its version; Windows' does not.
bool UnderWine() {
  const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

}  // namespace kalvor::testing
