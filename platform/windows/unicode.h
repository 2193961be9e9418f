// The program's texts are UTF-8; Windows takes UTF-16 in every ...W call.
#pragma once

#include <string>

namespace platform::windows {

std::wstring Widen(const std::string& utf8);
std::string Narrow(const std::wstring& utf16);
std::string Narrow(const wchar_t* utf16, int length);

}  // namespace platform::windows
