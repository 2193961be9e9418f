// What the toolkit and system of the build need, and tell, in a test program.
#pragma once

namespace kalvor::testing {

// Windows drawn off screen, with no display needed, unless the environment says otherwise.
void PrepareToolkitEnvironment();

// True when the Windows build runs under Wine, where a few things differ from Windows itself; a test
// skips only such a check there, and says why.
bool UnderWine();

}  // namespace kalvor::testing
