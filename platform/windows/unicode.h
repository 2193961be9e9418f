// The program's texts are UTF-8; Windows takes UTF-16 in every ...W call.
#pragma once

#include <string>

namespace platform::windows {

std::wstring Widen(const std::string& utf8);
std::string Narrow(const std::wstring& utf16);
std::string Narrow(const wchar_t* utf16, int length);

// The absolute form of a path, or the path itself when the system cannot say.
std::wstring FullPath(const std::wstring& path);

// A file's path as the ...W calls take it: a path too long for the classic limit of 260 characters
// (with `room` characters still to be added to it) is made absolute and given the "\\?\" prefix that
// lifts the limit; any other is only widened.
std::wstring SystemPath(const std::string& utf8, std::size_t room = 0);

}  // namespace platform::windows
