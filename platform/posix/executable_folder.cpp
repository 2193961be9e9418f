#include "platform/executable_folder.h"

#include <unistd.h>

namespace platform {

namespace {
constexpr const char* kSelfExecutable = "/proc/self/exe";
constexpr std::size_t kFirstPathBuffer = 4096;
// Linux names no path longer than a page here; the larger buffers only make sure of a truncation.
constexpr std::size_t kLongestPathBuffer = 65536;
}  // namespace

std::optional<std::string> ExecutableFolder() {
  for (std::size_t size = kFirstPathBuffer; size <= kLongestPathBuffer; size *= 2) {
    std::string buffer(size, '\0');
    const ssize_t length = readlink(kSelfExecutable, buffer.data(), buffer.size());
    if (length <= 0) return std::nullopt;
    // A result that fills the buffer may have been cut short.
    if (static_cast<std::size_t>(length) >= buffer.size()) continue;
    buffer.resize(static_cast<std::size_t>(length));
    const std::size_t separator = buffer.rfind('/');
    if (separator == std::string::npos) return std::nullopt;
    return buffer.substr(0, separator + 1);
  }
  return std::nullopt;
}

}  // namespace platform
