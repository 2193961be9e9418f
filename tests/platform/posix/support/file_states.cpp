// Files in odd states on Linux: no holds without sharing here, but sparse files and deep folders.
#include "tests/support/file_states.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

namespace kalvor::testing {

namespace {
constexpr std::size_t kLinuxFolderLength = 4070;
constexpr std::size_t kLongestComponent = 200;
constexpr mode_t kFolderMode = 0755;
}  // namespace

HeldFile::HeldFile(const std::string&, std::optional<std::chrono::milliseconds>)
    : reason_("POSIX systems bar no reader from a file another process has open") {}

HeldFile::~HeldFile() = default;

void HeldFile::Release() {}

bool MakeSparseFile(const std::string& path, std::int64_t bytes) {
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  const bool made = ftruncate(fd, static_cast<off_t>(bytes)) == 0;
  close(fd);
  return made;
}

std::size_t LongFolderLength() {
  return kLinuxFolderLength;
}

std::string MakeLongFolder(const std::string& base, std::size_t length) {
  std::string path = base;
  while (path.size() < length) {
    const std::size_t component = std::min(kLongestComponent, length - path.size() - 1);
    if (component == 0) return "";  // one byte left: no name fits before the separator
    path += std::string(component, 'd');
    if (mkdir(path.c_str(), kFolderMode) != 0) return "";
    path += '/';
  }
  return path.size() == length ? path : "";
}

}  // namespace kalvor::testing
