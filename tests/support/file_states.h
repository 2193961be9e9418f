// Files in the states that other programs, damaged disks and deep folders leave them in, made by the
// system itself (tests/platform/posix/support, tests/platform/windows/support).
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <thread>

namespace kalvor::testing {

// Holds a file open without sharing, as a virus scanner or a sync client does, from now until
// `releaseAfter` has passed (or until destroyed). Only Windows has such holds: elsewhere Held() is
// false, and Reason() says why.
class HeldFile {
 public:
  HeldFile(const std::string& path, std::optional<std::chrono::milliseconds> releaseAfter);
  ~HeldFile();
  HeldFile(const HeldFile&) = delete;
  HeldFile& operator=(const HeldFile&) = delete;

  bool Held() const { return held_; }
  const std::string& Reason() const { return reason_; }

 private:
  void Release();
  bool held_ = false;
  std::string reason_;
  void* handle_ = nullptr;
  std::thread releaser_;
};

// Makes a file of `bytes` zeros that takes no room on the disk; false when the system cannot.
bool MakeSparseFile(const std::string& path, std::int64_t bytes);

// The length of a folder's path near the system's limit: 4,070 bytes on Linux (which takes 4,095), 300
// characters on Windows (past the classic 260).
std::size_t LongFolderLength();

// Makes folders inside `base` until the path of the innermost, ending in the separator, is `length`
// long, and returns it; "" when the system refused.
std::string MakeLongFolder(const std::string& base, std::size_t length);

}  // namespace kalvor::testing
