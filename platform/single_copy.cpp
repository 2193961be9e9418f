#include "platform/single_copy.h"

#include <cstdint>

namespace platform {

namespace {
// 64-bit FNV-1a: short names for any folder, and no two folders of one machine alike in practice.
constexpr std::uint64_t kFnvOffset = 0xcbf29ce484222325ULL;
constexpr std::uint64_t kFnvPrime = 0x100000001b3ULL;
constexpr int kHexDigits = 16;
}  // namespace

std::string FolderClaimName(const std::string& folderKey) {
  std::uint64_t hash = kFnvOffset;
  for (const char c : folderKey) {
    hash ^= static_cast<unsigned char>(c);
    hash *= kFnvPrime;
  }
  std::string name = "kalvor-";
  for (int digit = kHexDigits - 1; digit >= 0; --digit) {
    name += "0123456789abcdef"[(hash >> (4 * digit)) & 0xF];
  }
  return name;
}

}  // namespace platform
