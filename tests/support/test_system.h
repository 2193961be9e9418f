// What the test programs ask of the system they run on, beside the windows they drive. Each system has
// its side (tests/platform/posix/support, tests/platform/windows/support).
#pragma once

#include <optional>
#include <string>

namespace kalvor::testing {

// Before the application starts: windows drawn off screen, with no display needed unless the
// environment says otherwise, and kept apart from those of another test program running beside it.
void PrepareTestSession();
// True when the Windows build runs under Wine, where a few things differ from Windows itself; a test
// skips only such a check there, and says why.
bool UnderWine();
// Text in the Windows-1252 code page by the system's own converter, an oracle independent of the
// program's text handling: nullopt for malformed UTF-8 or a character that code page does not have.
std::optional<std::string> ToWindows1252(const std::string& utf8);

}  // namespace kalvor::testing
