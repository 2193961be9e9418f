// The toolkit's application object: one per process, created before any window. It takes nothing from
// the command line: the program has no options, and the toolkit's own (styles, mirrored layouts, ...)
// must not change how it looks.
#pragma once

#include <memory>

namespace platform {

class Application {
 public:
  Application();
  ~Application();
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace platform
