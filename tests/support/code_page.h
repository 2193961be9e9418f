// Text in the Windows-1252 code page, by the system's own converter: an oracle independent of the
// program's text handling.
#pragma once

#include <optional>
#include <string>

namespace kalvor::testing {

// nullopt for malformed UTF-8 or a character that code page does not have.
std::optional<std::string> ToWindows1252(const std::string& utf8);

}  // namespace kalvor::testing
