#include "tests/support/test_system.h"

#include <iconv.h>
#include <stdlib.h>

namespace kalvor::testing {

void PrepareTestSession() {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
}

bool UnderWine() {
  return false;
}

// The C library's converter.
std::optional<std::string> ToWindows1252(const std::string& utf8) {
  const iconv_t converter = iconv_open("WINDOWS-1252", "UTF-8");
  if (converter == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  std::string in = utf8;
  std::string out(in.size(), '\0');  // never longer than its UTF-8 form
  char* inAt = in.data();
  char* outAt = out.data();
  std::size_t inLeft = in.size();
  std::size_t outLeft = out.size();
  const std::size_t done = iconv(converter, &inAt, &inLeft, &outAt, &outLeft);
  iconv_close(converter);
  if (done == static_cast<std::size_t>(-1) || inLeft != 0) return std::nullopt;
  out.resize(out.size() - outLeft);
  return out;
}

}  // namespace kalvor::testing
