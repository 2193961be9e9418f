#include "fuzz/fuzz_file.h"

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <memory>

#include "platform/application.h"

namespace kalvor::fuzz {

std::string WriteInput(const std::uint8_t* data, std::size_t size, const char* name) {
  static const std::string folder = access("/dev/shm", W_OK) == 0 ? "/dev/shm/" : "/tmp/";
  const std::string path = folder + "kalvor-fuzz-" + std::to_string(getpid()) + "-" + name;
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  if (fd < 0) abort();
  for (std::size_t written = 0; written < size;) {
    const ssize_t n = write(fd, data + written, size - written);
    if (n <= 0) abort();
    written += static_cast<std::size_t>(n);
  }
  close(fd);
  return path;
}

void StartToolkitOnce() {
  static std::unique_ptr<platform::Application> application = [] {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    return std::make_unique<platform::Application>();
  }();
}

}  // namespace kalvor::fuzz
