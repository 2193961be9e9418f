// What each backend's files layer provides beneath the portable one.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/files.h"

namespace platform::native {

// The system's own atomic replacement, as ReplaceWholeFile promises it.
ReplaceResult ReplaceFileAtomically(const std::string& path, const std::vector<std::uint8_t>& content);

}  // namespace platform::native
