// The toolkit's application object: one per process, created before any window. It takes nothing from
// the command line: the program has no options, and the toolkit's own (styles, mirrored layouts, ...)
// must not change how it looks.
#pragma once

#include <memory>
#include <string>

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

// The language of the toolkit's own texts (the colour chooser, a text box's menu), by its ISO 639-1
// code ("es"). True when the toolkit now speaks it; where the system supplies those texts in its own
// language, as Windows does, nothing changes and the answer is false.
bool SetToolkitLanguage(const std::string& code);

}  // namespace platform
